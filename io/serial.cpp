// The serial port on a channel: a port name and its settings text read over the configured line
// settings, and the opening of the port. Reading and writing the port are transfer.cpp's.
#include <string>

#include "io/detail.h"

namespace tw::io {
namespace {

// The highest port number a name may give. Observable: a higher one cannot be opened (error 8).
constexpr int portNumberLimit = 255;

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// The n of COMn (any case), n written without leading zeros and at most portNumberLimit; 0 for a
// name no system gives a port.
int portNumber(std::string_view portName) {
  const std::string_view digits = portName.substr(3);
  if (digits.empty() || digits.size() > 3 || digits[0] == '0') return 0;
  int n = 0;
  for (char c : digits) {
    if (!isDigit(c)) return 0;
    n = n * 10 + (c - '0');
  }
  return n <= portNumberLimit ? n : 0;
}

// The settings text, read by position: parity (either case), data bits, stop bits, flow control
// (upper case only). A byte that means nothing at its position keeps the configured value.
void applySettingsText(std::string_view text, platform::SerialSettings& s) {
  if (!text.empty()) {
    const char parity = detail::lowered(text[0]);
    if (parity == 'n') s.parity = 0;
    if (parity == 'o') s.parity = 1;
    if (parity == 'e') s.parity = 2;
  }
  if (text.size() > 1 && (text[1] == '7' || text[1] == '8')) s.dataBits = text[1] - '0';
  // 1 is one stop bit, 2 one and a half, 3 two: the codes 0, 1 and 2.
  if (text.size() > 2 && text[2] >= '1' && text[2] <= '3') s.stopBits = text[2] - '1';
  if (text.size() > 3) {
    switch (text[3]) {
      case 'N': s.xonXoff = s.rtsCts = false; break;
      case 'X': s.xonXoff = true; break;
      case 'S': s.rtsCts = true; break;
      case 'D': s.xonXoff = s.rtsCts = true; break;
      default: break;
    }
  }
}

// The line settings of a port name over the configured ones; false when the name gives no port
// (the configured port number 0 included).
bool portSettings(std::string_view name, platform::SerialSettings& settings) {
  const std::size_t colon = name.find(':', 3);
  std::string portName(name.substr(0, colon));
  if (!isDigit(portName.back())) portName += std::to_string(settings.port);
  settings.port = portNumber(portName);
  applySettingsText(name.substr(colon + 1), settings);
  return settings.port != 0;
}

}  // namespace

namespace detail {

bool isPortName(std::string_view name) {
  return name.size() > 3 && name.find(':') != std::string_view::npos &&
         sameWord(name.substr(0, 3), "com") && !(lowered(name[3]) >= 'a' && lowered(name[3]) <= 'z');
}

void openPort(Runtime& rt, int slot, std::string_view name, platform::FileAccess access) {
  platform::SerialSettings settings = rt.host.serial;
  const bool known = portSettings(name, settings);
  platform::FileHandle handle = platform::invalidFile;
  {
    std::lock_guard lock(rt.io.channelMutex);
    closeSlot(rt, slot);
  }
  // Opened without the lock: a port over the network may take seconds to connect, and the
  // window's closing must not wait for it to close the channels. A program that is ending opens
  // nothing.
  if (known && rt.sys.serial && !rt.interp.stopRequested)
    handle = rt.sys.serial->open(settings, access);
  {
    std::lock_guard lock(rt.io.channelMutex);
    // END may have closed the channels meanwhile: the port it did not see is closed here.
    if (handle != platform::invalidFile && rt.interp.stopRequested) {
      rt.sys.serial->close(handle);
      handle = platform::invalidFile;
    }
    rt.io.channelHandles[slot] = handle;
    rt.io.isPort[slot] = handle != platform::invalidFile;
  }
  if (handle == platform::invalidFile) fail(rt, interp::CannotOpenFile);
}

}  // namespace detail
}  // namespace tw::io
