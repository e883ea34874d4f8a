#!/usr/bin/env python3
"""Writes a UTF-8 C++ source with every character beyond ASCII as the octal escapes of its code
page 932 bytes, for compilers without a code page 932 execution character set. An escape keeps a
trail byte 0x5C from being read as a backslash.

usage: cp932_source.py IN OUT
"""
import sys


def main():
    source = open(sys.argv[1], encoding="utf-8").read()
    out = []
    for c in source:
        if ord(c) < 0x80:
            out.append(c)
        else:
            out.append("".join("\\%03o" % b for b in c.encode("cp932")))
    open(sys.argv[2], "w", encoding="ascii").write("".join(out))


if __name__ == "__main__":
    main()
