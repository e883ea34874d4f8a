// String literals: the escape pairs that stand for 0x01, '"', NUL and the see-through blank, and
// the writing of result texts. Nothing here evaluates or touches the variable store.
#include <charconv>

#include "builtins/detail.h"

namespace tw::builtins {

void charToLiteral(unsigned char byte, std::string& out, bool quoted) {
  if (quoted) out.push_back('"');
  switch (byte) {
    case 0x01:
      out.append("\x01\x01");
      break;
    case '"':
      out.append("\001D");
      break;
    case 0:
      out.append("\001Z");
      break;
    default:
      out.push_back(static_cast<char>(byte));
  }
  if (quoted) out.push_back('"');
}

bool unescapeString(Runtime& rt, std::string_view contents, std::string& out) {
  const std::size_t before = out.size();
  for (std::size_t i = 0; i < contents.size(); ++i) {
    if (contents[i] != '\x01') {
      out.push_back(contents[i]);
      continue;
    }
    const char letter = i + 1 < contents.size() ? contents[++i] : '\0';
    switch (letter) {
      case '\x01':
        out.push_back('\x01');
        break;
      case 'L':
        out.push_back(' ');
        break;
      case 'D':
        out.push_back('"');
        break;
      case 'Z':
        out.push_back('\0');
        break;
      default:
        out.resize(before);
        interp::report(rt, interp::UnexpectedError);
        return false;
    }
  }
  return true;
}

namespace detail {

void appendQuoted(std::string& out, std::string_view contents) {
  out.push_back('"');
  out.append(contents.substr(0, resultContentsLimit));
  out.push_back('"');
}

void appendRawAsLiteral(std::string& out, std::string_view raw) {
  out.push_back('"');
  const std::size_t start = out.size();
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const std::size_t unit = isLeadByte(raw[i]) && i + 1 < raw.size() ? 2 : 1;
    const std::size_t before = out.size();
    charToLiteral(static_cast<unsigned char>(raw[i]), out, false);
    // A byte after a lead byte is escaped too: a stray '"' must never end the literal.
    if (unit == 2) charToLiteral(static_cast<unsigned char>(raw[++i]), out, false);
    if (out.size() - start > resultContentsLimit) {
      out.resize(before);
      break;
    }
  }
  out.push_back('"');
}

void appendInteger(std::string& out, std::int64_t value) {
  char buffer[24];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

}  // namespace detail
}  // namespace tw::builtins
