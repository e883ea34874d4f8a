// Reading and writing through the channels: PRINT #'s lines, the fields of INPUT # and LINE
// INPUT #, EOF and LOF. The handles themselves are opened and closed in channels.cpp.
#include <string>

#include "io/detail.h"

namespace tw::io {
namespace {

using detail::Got;

bool isChannel(int channel) {
  return channel >= 1 && channel <= channelCount;
}

// Appends one byte of a field. A double quote or a NUL byte would end or break the string value
// that the field becomes, so they are kept as their escape pairs; an escape pair that the file
// already holds (PRINT # writes strings in that form) passes as it is.
void appendFieldByte(std::string& field, char byte) {
  if (field.size() >= fieldLimit) return;
  if (byte == '"') {
    field.append("\001D");
  } else if (byte == '\0') {
    field.append("\001Z");
  } else {
    field.push_back(byte);
  }
}

// Reads one field: it ends at CR (an LF right after it is taken too), at a comma unless lineMode,
// or at the end of the file once a byte was read. Failure: the read failed, or the file ended
// before the field's first byte.
Got collectField(Runtime& rt, int slot, bool lineMode, std::string& field) {
  field.clear();
  bool anyByte = false;
  for (;;) {
    char byte = 0;
    Got got = detail::nextByte(rt, slot, byte);
    if (got == Got::Failure) return Got::Failure;
    if (got == Got::End) return anyByte ? Got::Byte : Got::Failure;
    anyByte = true;
    if (byte == '\r') {
      got = detail::nextByte(rt, slot, byte);
      if (got == Got::Byte && byte != '\n') detail::stepBack(rt, slot);
      return got == Got::Failure ? Got::Failure : Got::Byte;
    }
    if (byte == ',' && !lineMode) return Got::Byte;
    appendFieldByte(field, byte);
  }
}

// The next field of the channel; false after a reported error 7.
bool readField(Runtime& rt, int channel, bool lineMode, std::string& field) {
  Got got;
  {
    std::lock_guard lock(rt.io.channelMutex);
    got = collectField(rt, channel - 1, lineMode, field);
  }
  if (got == Got::Failure) detail::fail(rt, interp::FileAccessError);
  return got != Got::Failure;
}

}  // namespace

namespace detail {

bool giveBack(Runtime& rt, int slot) {
  ReadAhead& ahead = rt.io.readAhead[slot];
  const auto unread = static_cast<long long>(ahead.unread());
  ahead.bytes.clear();
  ahead.next = 0;
  if (unread == 0) return true;
  return rt.sys.files->seek(rt.io.channelHandles[slot], -unread, platform::SeekFrom::Current) >= 0;
}

Got nextByte(Runtime& rt, int slot, char& byte) {
  ReadAhead& ahead = rt.io.readAhead[slot];
  if (ahead.unread() == 0) {
    const platform::FileHandle handle = handleOf(rt, slot);
    if (handle == platform::invalidFile) return Got::Failure;
    ahead.bytes.resize(readAheadSize);
    ahead.next = 0;
    const long long count = rt.sys.files->read(handle, ahead.bytes.data(), readAheadSize);
    ahead.bytes.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
    if (count < 0) return Got::Failure;
    if (count == 0) return Got::End;
  }
  byte = ahead.bytes[ahead.next++];
  return Got::Byte;
}

}  // namespace detail

bool writeLine(Runtime& rt, int channel, std::string_view line) {
  if (!isChannel(channel)) {
    interp::report(rt, interp::OutOfRange);
    return false;
  }
  std::string bytes;
  bytes.reserve(line.size() + 1);
  bytes.append(line);
  if (!bytes.empty() && bytes.back() == '\n') bytes.insert(bytes.size() - 1, 1, '\r');
  bool written = false;
  {
    std::lock_guard lock(rt.io.channelMutex);
    const int slot = channel - 1;
    const platform::FileHandle handle = detail::handleOf(rt, slot);
    written = handle != platform::invalidFile && detail::giveBack(rt, slot) &&
              rt.sys.files->write(handle, bytes.data(), bytes.size()) ==
                  static_cast<long long>(bytes.size());
  }
  if (!written) detail::fail(rt, interp::FileAccessError);
  return written;
}

void inputFromChannel(Runtime& rt, std::string_view argument, bool lineMode) {
  const std::size_t digit = !argument.empty() && argument[0] == '#' ? 1 : 0;
  if (digit >= argument.size() || !detail::isChannelDigit(argument[digit])) {
    interp::report(rt, interp::OutOfRange);
    return;
  }
  if (digit + 1 >= argument.size() || argument[digit + 1] != ',') {
    interp::report(rt, interp::SyntaxError);
    return;
  }
  const int channel = argument[digit] - '0';
  const std::string_view list = argument.substr(digit + 2);
  std::string field;
  std::string value;
  for (std::size_t from = 0;;) {
    const std::size_t comma = expr::topLevelComma(list, from);
    const std::string_view name =
        list.substr(from, comma == std::string_view::npos ? comma : comma - from);
    if (!readField(rt, channel, lineMode, field)) return;
    if (expr::variableType(rt, name) == expr::String) {
      value.assign(1, '"').append(field).append(1, '"');
      if (!expr::storeVariable(rt, name, value)) return;
    } else if (!expr::storeVariable(rt, name, field)) {
      return;
    }
    if (comma == std::string_view::npos) return;
    from = comma + 1;
  }
}

std::int32_t endOfFile(Runtime& rt, int channel) {
  if (!isChannel(channel)) {
    interp::report(rt, interp::FileAccessError);
    return 0;
  }
  Got got;
  {
    std::lock_guard lock(rt.io.channelMutex);
    char byte = 0;
    got = detail::nextByte(rt, channel - 1, byte);
    if (got == Got::Byte) detail::stepBack(rt, channel - 1);
  }
  if (got == Got::Failure) detail::fail(rt, interp::FileAccessError);
  return got == Got::End ? -1 : 0;
}

std::int32_t lengthOfFile(Runtime& rt, int channel) {
  if (!isChannel(channel)) {
    interp::report(rt, interp::FileAccessError);
    return 0;
  }
  std::lock_guard lock(rt.io.channelMutex);
  const platform::FileHandle handle = detail::handleOf(rt, channel - 1);
  const long long size = handle == platform::invalidFile ? -1 : rt.sys.files->size(handle);
  // The low 32 bits, as a signed number; -1 is the system's failure value.
  return size < 0 ? -1 : static_cast<std::int32_t>(static_cast<std::uint32_t>(size));
}

}  // namespace tw::io
