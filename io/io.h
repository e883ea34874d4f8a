// File channels: the nine numbered channels, OPEN, CLOSE, KILL, MKDIR, FILES and the resolution of
// relative names, and the reading and writing of a channel for the statements and functions of
// other folders. The serial port joins the channels later; nothing here touches the screen's text
// except FILES, which prints through putText.
#pragma once

#include <array>
#include <cstdint>
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

struct State {
  // The open handle of each channel (slot n-1 for channel n); invalidFile when empty.
  std::array<platform::FileHandle, channelCount> channelHandles;
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
// than pathLimit.
bool resolvePath(Runtime& rt, std::string& name);
// Closes every channel (END, and the window's destruction).
void closeAllChannels(Runtime& rt);

// PRINT #: writes one output line to channel n (1 to 9), a final LF as CR LF; false after a
// reported error.
bool writeLine(Runtime& rt, int channel, std::string_view line);
// EOF and LOF of channel n; 0 after a reported error.
std::int32_t endOfFile(Runtime& rt, int channel);
std::int32_t lengthOfFile(Runtime& rt, int channel);

}  // namespace tw::io
