// The channel table: OPEN, CLOSE, the closing of all channels, and the resolution of relative
// file names. Reading and writing through a channel live in transfer.cpp.
#include <string>

#include "io/detail.h"

namespace tw::io {
namespace {

using detail::isBlank;
using detail::sameWord;

// The word (any case) at pos, followed by a blank or tab.
bool clauseAt(std::string_view text, std::size_t pos, std::string_view lower) {
  return pos + lower.size() < text.size() && sameWord(text.substr(pos, lower.size()), lower) &&
         isBlank(text[pos + lower.size()]);
}

std::size_t skipBlanks(std::string_view text, std::size_t pos) {
  while (pos < text.size() && isBlank(text[pos])) ++pos;
  return pos;
}

// Where OPEN's file expression ends: at the blanks before its FOR or AS clause, so that an
// expression written with blanks (A$ + ".txt") names the file too; without such a clause at the
// first blank. npos when there is no blank outside quotes.
std::size_t fileExpressionEnd(std::string_view text) {
  bool quoted = false;
  std::size_t firstBlank = std::string_view::npos;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '"') quoted = !quoted;
    if (quoted || !isBlank(text[i])) continue;
    if (firstBlank == std::string_view::npos && text[i] == ' ') firstBlank = i;
    const std::size_t word = skipBlanks(text, i);
    if (clauseAt(text, word, "for") || clauseAt(text, word, "as")) return i;
    i = word - 1;
  }
  return firstBlank;
}

// A name used where it stands: drive-qualified and network names, and absolute Linux paths. The
// trail byte of a double-byte character (0x95 0x5C) is no backslash.
bool keepsItsPlace(std::string_view name) {
  if (!name.empty() && name[0] == '/') return true;
  bool afterBackslash = false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    if (platform::isLeadByte(static_cast<unsigned char>(c)) && i + 1 < name.size()) {
      ++i;
      afterBackslash = false;
      continue;
    }
    if (c == ':' || (c == '\\' && afterBackslash)) return true;
    afterBackslash = c == '\\';
  }
  return false;
}

// The access of the FOR clause's mode word; false after reporting error 3.
bool modeAccess(Runtime& rt, std::string_view word, platform::FileAccess& access) {
  if (sameWord(word, "input")) {
    access = platform::FileAccess::Read;
  } else if (sameWord(word, "output")) {
    access = platform::FileAccess::Write;
  } else {
    interp::report(rt, interp::InvalidIdentifier, word);
    return false;
  }
  return true;
}

// The clauses after the file expression: [FOR mode] AS [#]n, n the last byte. The channel, or 0
// after a reported error.
int parseClauses(Runtime& rt, std::string_view text, std::size_t pos,
                 platform::FileAccess& access) {
  pos = skipBlanks(text, pos);
  access = platform::FileAccess::ReadWrite;
  if (clauseAt(text, pos, "for")) {
    pos = skipBlanks(text, pos + 3);
    std::size_t end = pos;
    while (end < text.size() && !isBlank(text[end])) ++end;
    if (end == text.size()) {
      interp::report(rt, interp::SyntaxError);
      return 0;
    }
    if (!modeAccess(rt, text.substr(pos, end - pos), access)) return 0;
    pos = skipBlanks(text, end);
  }
  if (!clauseAt(text, pos, "as")) {
    interp::report(rt, interp::SyntaxError);
    return 0;
  }
  pos = skipBlanks(text, pos + 2);
  if (pos < text.size() && text[pos] == '#') ++pos;
  if (pos + 1 != text.size() || !detail::isChannelDigit(text[pos])) {
    interp::report(rt, interp::OutOfRange);
    return 0;
  }
  return text[pos] - '0';
}

bool closeChannel(Runtime& rt, int channel) {
  std::lock_guard lock(rt.io.channelMutex);
  return detail::closeSlot(rt, channel - 1);
}

}  // namespace

namespace detail {

void fail(Runtime& rt, int code) {
  if (!rt.interp.stopRequested) interp::report(rt, code);
}

platform::FileHandle handleOf(Runtime& rt, int slot) {
  const bool served = rt.io.isPort[slot] ? rt.sys.serial != nullptr : rt.sys.files != nullptr;
  return served ? rt.io.channelHandles[slot] : platform::invalidFile;
}

bool closeSlot(Runtime& rt, int slot) {
  const platform::FileHandle handle = handleOf(rt, slot);
  bool closed = true;
  if (handle != platform::invalidFile) {
    if (rt.io.isPort[slot]) {
      rt.sys.serial->close(handle);
    } else {
      closed = rt.sys.files->close(handle);
    }
  }
  // Marked empty at once, so that no later close touches a handle the system has given out again.
  rt.io.channelHandles[slot] = platform::invalidFile;
  rt.io.isPort[slot] = false;
  rt.io.lfMayFollow[slot] = false;
  rt.io.readAhead[slot].bytes.clear();
  rt.io.readAhead[slot].next = 0;
  return closed;
}

}  // namespace detail

void openStatement(Runtime& rt, std::string_view argument) {
  const std::size_t end = fileExpressionEnd(argument);
  if (end == std::string_view::npos) {
    interp::report(rt, interp::SyntaxError);
    return;
  }
  std::string name;
  if (!expr::scratchString(rt, argument.substr(0, end), name)) return;
  platform::FileAccess access;
  const int channel = parseClauses(rt, argument, end, access);
  if (channel == 0) return;
  const int slot = channel - 1;
  if (detail::isPortName(name)) {
    detail::openPort(rt, slot, name, access);
    return;
  }
  if (!resolvePath(rt, name)) {
    interp::report(rt, interp::CannotOpenFile);
    return;
  }
  platform::FileHandle handle = platform::invalidFile;
  {
    std::lock_guard lock(rt.io.channelMutex);
    detail::closeSlot(rt, slot);
    // A program that is ending opens nothing: END may have closed the channels already.
    if (rt.sys.files && !rt.interp.stopRequested)
      handle = rt.sys.files->open(name, access, platform::FileCreate::OpenAlways);
    rt.io.channelHandles[slot] = handle;
  }
  if (handle == platform::invalidFile) detail::fail(rt, interp::CannotOpenFile);
}

void closeStatement(Runtime& rt, std::string_view argument) {
  const std::string text = expr::stripBlanks(argument);
  // A close the system refuses may have lost what was written: the program is told.
  if (text.empty()) {
    if (!closeAllChannels(rt)) detail::fail(rt, interp::FileAccessError);
    return;
  }
  std::size_t pos = 0;
  for (;;) {
    if (pos < text.size() && text[pos] == '#') ++pos;
    if (pos >= text.size() || !detail::isChannelDigit(text[pos])) {
      interp::report(rt, interp::OutOfRange);
      return;
    }
    const int channel = text[pos++] - '0';
    if (pos < text.size() && text[pos] != ',') {
      interp::report(rt, interp::SyntaxError);
      return;
    }
    if (!closeChannel(rt, channel)) {
      detail::fail(rt, interp::FileAccessError);
      return;
    }
    if (pos++ >= text.size()) return;
  }
}

bool closeAllChannels(Runtime& rt) {
  std::lock_guard lock(rt.io.channelMutex);
  bool closed = true;
  for (int slot = 0; slot < channelCount; ++slot) closed = detail::closeSlot(rt, slot) && closed;
  return closed;
}

bool resolvePath(Runtime& rt, std::string& name) {
  if (!keepsItsPlace(name)) {
    std::string full;
    full.reserve(rt.host.programDir.size() + 1 + name.size());
    full.append(rt.host.programDir).append(1, '\\').append(name);
    name = std::move(full);
  }
  return name.size() <= pathLimit;
}

}  // namespace tw::io
