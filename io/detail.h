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

// Reports a failure unless the program is already ending: a channel that the window's
// destruction closed under a running statement is no error of the program.
void fail(Runtime& rt, int code);

// ---- The channel table (lock held) --------------------------------------------------------------

// The handle of channel n's slot; invalidFile when empty or when there are no files.
platform::FileHandle handleOf(Runtime& rt, int slot);
// Closes the slot's handle, if any, and marks the slot empty; false when the system's close
// failed (the slot is empty all the same).
bool closeSlot(Runtime& rt, int slot);
// Moves the handle back over the bytes read ahead and not taken, so that the handle's position is
// the program's again; false when the seek fails.
bool giveBack(Runtime& rt, int slot);

enum class Got { Byte, End, Failure };
// The next byte of the slot's file, read ahead in blocks.
Got nextByte(Runtime& rt, int slot, char& byte);
// Puts the byte that nextByte just gave back in front of the bytes read ahead.
inline void stepBack(Runtime& rt, int slot) {
  --rt.io.readAhead[slot].next;
}

}  // namespace tw::io::detail
