// The functions that read the keyboard and the screen: INKEY$, INPUT$, KeyState and POINT. Keys
// come from the key cell that the window procedure fills; nothing here writes the screen.
#include "builtins/detail.h"

namespace tw::builtins::detail {
namespace {

// INPUT$ looks at the key cell this often while it waits. Not observable.
constexpr int keyPollMilliseconds = 10;

// The colour number of a colour value: 0 to 7 for the eight colours, otherwise -value.
std::int64_t colourNumber(platform::Colour value) {
  for (std::int32_t n = 0; n < 8; ++n)
    if (screen::colourValue(n) == value) return n;
  return -static_cast<std::int64_t>(value);
}

}  // namespace

void appendInkey(Runtime& rt, std::string& out) {
  rt.sys.clock->sleep(1);
  if (rt.screen.lastKey == 0) rt.sys.window->keysWanted(platform::KeyRequest::Peek);
  const std::uint8_t key = rt.screen.lastKey.exchange(0);
  out.push_back('"');
  if (key != 0) charToLiteral(key, out, false);
  out.push_back('"');
}

void inputKeysFunction(Runtime& rt, std::string_view a, std::string& out) {
  const std::int32_t count = integerArgument(rt, a);
  if (rt.interp.stopRequested) return;
  // With no key asked for, only a key already typed is taken.
  const auto request = count > 0 ? platform::KeyRequest::Key : platform::KeyRequest::Peek;
  std::string contents;
  std::int32_t taken = 0;
  do {
    rt.sys.clock->sleep(keyPollMilliseconds);
    if (rt.screen.lastKey == 0) rt.sys.window->keysWanted(request);
    if (const std::uint8_t key = rt.screen.lastKey.exchange(0)) {
      charToLiteral(key, contents, false);
      ++taken;
    }
  } while (taken < count && contents.size() + 2 <= resultContentsLimit &&
           !rt.interp.stopRequested);
  appendQuoted(out, contents);
}

std::int32_t keyStateFunction(Runtime& rt, std::string_view a) {
  if (!checkArgCount(rt, a, 1, true)) return 0;
  std::int32_t key = integerArgument(rt, a);
  // The arrow codes of the key cell name the arrow keys.
  switch (key) {
    case 28: key = platform::KeyRight; break;
    case 29: key = platform::KeyLeft; break;
    case 30: key = platform::KeyUp; break;
    case 31: key = platform::KeyDown; break;
    default: break;
  }
  // A key held down reads as a negative 16-bit state, as the system reports it.
  return rt.sys.clock->keyPressed(key) ? -32768 : 0;
}

void pointFunction(Runtime& rt, std::string_view a, std::string& out) {
  if (!checkArgCount(rt, a, 2, true)) {
    appendInteger(out, 0);
    return;
  }
  const std::size_t comma = a.find(',');
  const std::int32_t x = integerArgument(rt, a.substr(0, comma));
  const std::int32_t y = integerArgument(rt, a.substr(comma + 1));
  // Outside the graphics bitmap there is no pixel: -1.
  std::optional<platform::Colour> pixel;
  if (rt.sys.bitmap) pixel = rt.sys.bitmap->pixel(x, y);
  appendInteger(out, pixel ? colourNumber(*pixel) : -1);
}

}  // namespace tw::builtins::detail
