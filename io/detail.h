// Helpers shared by the files of io/ only; no other folder includes this header. The channel
// helpers expect rt.io.channelMutex to be held by the caller; none of them reports anything.
#pragma once

#include <string_view>

#include "interp/interp.h"
#include "io/io.h"

namespace tw::io::detail {

inline bool isBlank(char c) {
  return c == ' ' || c == '\t';
}
inline bool isChannelDigit(char c) {
  return c >= '1' && c <= '9';
}
inline char lowered(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
// The word equals lower, a lower-case word, in any letter case.
inline bool sameWord(std::string_view word, std::string_view lower) {
  if (word.size() != lower.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i)
    if (lowered(word[i]) != lower[i]) return false;
  return true;
}

// Reports a failure unless the program is already ending: a channel that the window's
// destruction closed under a running statement is no error of the program.
void fail(Runtime& rt, int code);

// ---- Serial ports (serial.cpp) ------------------------------------------------------------------

// A serial-port name: COM, then a byte that is no letter, and a ':' somewhere (COMPUTER:X is a
// file name).
bool isPortName(std::string_view name);
// OPEN of a port name on the slot, reporting error 8 when the port cannot be opened. Takes the
// channel lock itself.
void openPort(Runtime& rt, int slot, std::string_view name, platform::FileAccess access);

// ---- The channel table (lock held) --------------------------------------------------------------

// The handle of channel n's slot; invalidFile when empty or when the service that made it (files
// or serial ports) is missing.
platform::FileHandle handleOf(Runtime& rt, int slot);
// Closes the slot's handle, if any, and marks the slot empty; false when the system's close of a
// file failed (the slot is empty all the same).
bool closeSlot(Runtime& rt, int slot);
// Moves a file's handle back over the bytes read ahead and not taken, so that the handle's position
// is the program's again; false when the seek fails. A port's bytes read ahead stay for its next
// reads.
bool giveBack(Runtime& rt, int slot);

enum class Got { Byte, End, Failure };
// The next byte of the slot's file or port, read ahead in blocks. A port is waited on until a
// byte comes (Failure when the program is stopped meanwhile); End when its line has ended.
Got nextByte(Runtime& rt, int slot, char& byte);
// Puts the byte that nextByte just gave back in front of the bytes read ahead.
inline void stepBack(Runtime& rt, int slot) {
  --rt.io.readAhead[slot].next;
}

}  // namespace tw::io::detail
