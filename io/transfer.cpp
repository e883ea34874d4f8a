// Reading and writing through the channels, files and serial ports: PRINT #'s lines, the fields
// of INPUT # and LINE INPUT #, EOF and LOF. The handles themselves are opened and closed in
// channels.cpp and serial.cpp.
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
      if (rt.io.isPort[slot]) {
        rt.io.lfMayFollow[slot] = true;
        return Got::Byte;
      }
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

// Drops the LF that completes a CR LF line end on a port, once the byte after the CR is there.
void dropLfAfterCr(Runtime& rt, int slot) {
  ReadAhead& ahead = rt.io.readAhead[slot];
  if (!rt.io.lfMayFollow[slot] || ahead.unread() == 0) return;
  rt.io.lfMayFollow[slot] = false;
  if (ahead.bytes[ahead.next] == '\n') ++ahead.next;
}

// Reads what the port has into the bytes read ahead: -1 when its line has ended, else the count
// (0 when nothing came within the port's wait).
long long fillFromPort(Runtime& rt, int slot) {
  ReadAhead& ahead = rt.io.readAhead[slot];
  ahead.bytes.resize(readAheadSize);
  ahead.next = 0;
  const long long count =
      rt.sys.serial->read(rt.io.channelHandles[slot], ahead.bytes.data(), readAheadSize);
  ahead.bytes.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
  return count;
}

// A port's next byte: waits, looking between the port's waits whether the program is stopped.
Got nextPortByte(Runtime& rt, int slot, char& byte) {
  ReadAhead& ahead = rt.io.readAhead[slot];
  for (;;) {
    dropLfAfterCr(rt, slot);
    if (ahead.unread() > 0) break;
    if (rt.interp.stopRequested) return Got::Failure;
    if (fillFromPort(rt, slot) < 0) return Got::End;
  }
  byte = ahead.bytes[ahead.next++];
  return Got::Byte;
}

// Writes all the bytes to a port, however long flow control holds the line, unless the program
// is stopped meanwhile.
bool writeToPort(Runtime& rt, platform::FileHandle port, std::string_view bytes) {
  while (!bytes.empty()) {
    if (rt.interp.stopRequested) return false;
    const long long count = rt.sys.serial->write(port, bytes.data(), bytes.size());
    if (count < 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

// EOF of a port: whether a byte is waiting (Byte) or not (End), taken into the bytes read ahead
// without waiting; Failure when the port cannot tell, as when its device has gone.
Got portEnd(Runtime& rt, int slot) {
  const platform::FileHandle port = detail::handleOf(rt, slot);
  ReadAhead& ahead = rt.io.readAhead[slot];
  dropLfAfterCr(rt, slot);
  if (ahead.unread() == 0 && port != platform::invalidFile) {
    const long long waiting = rt.sys.serial->waiting(port);
    if (waiting < 0) return Got::Failure;
    if (waiting > 0 && fillFromPort(rt, slot) > 0) dropLfAfterCr(rt, slot);
  }
  return ahead.unread() > 0 ? Got::Byte : Got::End;
}

}  // namespace

namespace detail {

bool giveBack(Runtime& rt, int slot) {
  if (rt.io.isPort[slot]) return true;
  ReadAhead& ahead = rt.io.readAhead[slot];
  const auto unread = static_cast<long long>(ahead.unread());
  ahead.bytes.clear();
  ahead.next = 0;
  if (unread == 0) return true;
  return rt.sys.files->seek(rt.io.channelHandles[slot], -unread, platform::SeekFrom::Current) >= 0;
}

Got nextByte(Runtime& rt, int slot, char& byte) {
  if (rt.io.isPort[slot])
    return handleOf(rt, slot) == platform::invalidFile ? Got::Failure : nextPortByte(rt, slot, byte);
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
    if (handle == platform::invalidFile) {
      written = false;
    } else if (rt.io.isPort[slot]) {
      written = writeToPort(rt, handle, bytes);
    } else {
      written = detail::giveBack(rt, slot) &&
                rt.sys.files->write(handle, bytes.data(), bytes.size()) ==
                    static_cast<long long>(bytes.size());
    }
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
    const int slot = channel - 1;
    if (rt.io.isPort[slot]) {
      got = portEnd(rt, slot);
    } else {
      char byte = 0;
      got = detail::nextByte(rt, slot, byte);
      if (got == Got::Byte) detail::stepBack(rt, slot);
    }
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
  const int slot = channel - 1;
  const platform::FileHandle handle = detail::handleOf(rt, slot);
  long long size = -1;
  if (handle != platform::invalidFile && rt.io.isPort[slot]) {
    dropLfAfterCr(rt, slot);
    const long long waiting = rt.sys.serial->waiting(handle);
    if (waiting >= 0) size = waiting + static_cast<long long>(rt.io.readAhead[slot].unread());
  } else if (handle != platform::invalidFile) {
    size = rt.sys.files->size(handle);
  }
  // The low 32 bits, as a signed number; -1 is the system's failure value.
  return size < 0 ? -1 : static_cast<std::int32_t>(static_cast<std::uint32_t>(size));
}

}  // namespace tw::io
