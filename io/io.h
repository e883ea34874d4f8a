// File channels: the nine numbered channels, OPEN, CLOSE, KILL, MKDIR, FILES and the resolution of
// relative names, and the reading and writing of a channel, file or serial port, for the statements
// and functions of other folders. Nothing here touches the screen's text except FILES, which prints
// through putText.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace tw {
struct Runtime;
}

namespace tw::io {

// Channels 1 to 9. Observable.
inline constexpr int channelCount = 9;
// A resolved file name holds at most this many bytes; a longer one cannot be opened (error 8).
// Observable.
inline constexpr std::size_t pathLimit = 259;
// A field of INPUT # keeps at most this many bytes (the rest of the field is read and dropped), so
// that a file without separators cannot fill the memory. Observable only as the string store's own
// limit (error 12) or by a number whose text runs past it.
inline constexpr std::size_t fieldLimit = 8191;
// Bytes read from a file at once for INPUT # and EOF. Not observable: the bytes not yet taken are
// given back before anything else uses the handle.
inline constexpr std::size_t readAheadSize = 4096;

// Bytes read from a channel's file ahead of the program; the handle's position is unread() bytes
// beyond the program's.
struct ReadAhead {
  std::string bytes;
  std::size_t next = 0;
  std::size_t unread() const { return bytes.size() - next; }
};

struct State {
  // The open handle of each channel (slot n-1 for channel n); invalidFile when empty.
  std::array<platform::FileHandle, channelCount> channelHandles;
  std::array<ReadAhead, channelCount> readAhead;
  // Which channels hold a serial port rather than a file.
  std::array<bool, channelCount> isPort{};
  // A port's field ended at a CR whose next byte had not been read: an LF that comes next is the
  // rest of that line end. A port is not waited on for it, as a device may send nothing more.
  std::array<bool, channelCount> lfMayFollow{};
  // Held while a handle is used or closed: the window's destruction closes the channels on the UI
  // thread. Never held across a report or an evaluation, which may end the program and close them.
  std::mutex channelMutex;
  State() { channelHandles.fill(platform::invalidFile); }
};

// Statements; each takes the statement's argument text.
void openStatement(Runtime& rt, std::string_view argument);
void closeStatement(Runtime& rt, std::string_view argument);
void killStatement(Runtime& rt, std::string_view argument);
void mkdirStatement(Runtime& rt, std::string_view argument);
void filesStatement(Runtime& rt, std::string_view argument);
// INPUT # and LINE INPUT # (lineMode): the argument with blanks removed, beginning with '#'.
void inputFromChannel(Runtime& rt, std::string_view argument, bool lineMode);

// A relative name becomes programDir, a backslash and the name; false when the result is longer
// than pathLimit. A name that holds ':' or two backslashes in a row, or begins with '/', is kept.
bool resolvePath(Runtime& rt, std::string& name);
// Closes every channel (END, CLOSE, and the window's destruction); false when the system failed
// to close one of them.
bool closeAllChannels(Runtime& rt);

// PRINT #: writes one output line to channel n (1 to 9), a final LF as CR LF; false after a
// reported error (5 for a channel outside 1 to 9, 7 when the write fails).
bool writeLine(Runtime& rt, int channel, std::string_view line);
// EOF (-1 at the end of the file, else 0) and LOF (the size's low 32 bits, -1 when the channel
// holds no file) of channel n; 0 after a reported error 7 (a channel outside 1 to 9, a failed
// read). On a serial port EOF is 0 when a byte is waiting, -1 when none is, and takes no byte
// (error 7 when the port cannot tell); LOF is the number of bytes waiting.
std::int32_t endOfFile(Runtime& rt, int channel);
std::int32_t lengthOfFile(Runtime& rt, int channel);

}  // namespace tw::io
