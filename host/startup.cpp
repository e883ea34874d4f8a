// Start-up pieces shared by every entry point: the configuration (screen colours, the stored serial
// settings) and loading a program image into a runtime. The order of start-up is the entry point's.
#include <cstdio>

#include "interp/interp.h"

namespace tw::host {
namespace {

constexpr std::string_view defaultSerialText = "1 9600 8 0 0 1 0";

// Reads up to seven numbers the way "%d %d %d %d %d %d %d" does; missing ones keep their value.
void parseSerial(std::string_view text, platform::SerialSettings& s) {
  std::string copy(text);
  long long v[7];
  int got = std::sscanf(copy.c_str(), "%lld %lld %lld %lld %lld %lld %lld", &v[0], &v[1], &v[2],
                        &v[3], &v[4], &v[5], &v[6]);
  auto low8 = [](long long x) { return static_cast<int>(x & 0xFF); };
  auto i32 = [](long long x) { return static_cast<int>(static_cast<std::int32_t>(static_cast<std::uint32_t>(x))); };
  if (got > 0) s.port = low8(v[0]);
  if (got > 1) s.baudRate = i32(v[1]);
  if (got > 2) s.dataBits = low8(v[2]);
  if (got > 3) s.parity = low8(v[3]);
  if (got > 4) s.stopBits = i32(v[4]);
  if (got > 5) s.xonXoff = low8(v[5]) != 0;
  if (got > 6) s.rtsCts = low8(v[6]) != 0;
}

}  // namespace

void loadConfiguration(Runtime& rt) {
  screen::resetColours(rt.screen);
  rt.host.serial = platform::SerialSettings{};
  platform::Settings* settings = rt.sys.settings;
  if (!settings) return;
  std::optional<std::string> stored = settings->read();
  if (!stored) {
    settings->write(defaultSerialText);
    stored = std::string(defaultSerialText);
  }
  parseSerial(stored->substr(0, 259), rt.host.serial);
}

bool loadImage(Runtime& rt, const ProgramImage& image) {
  std::optional<FontSpec> font = parseFont(image.fontNumbers, image.faceName);
  if (!font) return false;
  rt.host.font = std::move(*font);
  rt.host.programText = image.programText;
  return true;
}

}  // namespace tw::host
