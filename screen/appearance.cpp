// CLS, COLOR and WIDTH, and the colour numbers: what the screen shows and in which colours new
// text is written. Text is written only through putText.
#include "interp/interp.h"

namespace tw::screen {

platform::Colour colourValue(std::int32_t n) {
  static constexpr platform::Colour colours[] = {0x000000, 0xFF0000, 0x0000FF, 0xFF00FF,
                                                 0x00FF00, 0xFFFF00, 0x00FFFF, 0xFFFFFF};
  if (n < 0) return static_cast<platform::Colour>(-static_cast<std::int64_t>(n));
  return n < 8 ? colours[n] : 0x000000;
}

void clsStatement(Runtime& rt, std::string_view argument) {
  const char first = argument.empty() ? '1' : argument[0];
  if (first < '1' || first > '3') return;
  const bool text = first != '2';
  const bool graphics = first != '1';
  platform::Window& window = *rt.sys.window;
  if (text) {
    window.send({platform::Msg::KillFocus});
    std::lock_guard lock(rt.screen.textMutex);
    rt.screen.screenCursor = 0;
    rt.screen.screenText.clear();
  }
  if (platform::Canvas* bitmap = rt.sys.bitmap) {
    const platform::Extent size = bitmap->size();
    if (graphics) bitmap->fillRect({0, 0, size.width, size.height}, 0x000000);
    if (rt.sys.clientArea) rt.sys.clientArea->copyFrom(*bitmap, {0, 0, size.width, size.height});
  }
  putText(rt, "");
  if (text) window.send({platform::Msg::SetFocus});
}

void colorStatement(Runtime& rt, std::string_view argument) {
  const std::string text = expr::stripBlanks(argument);
  const std::size_t comma = text.find(',');
  platform::Colour background = colourValue(0);
  const std::uint32_t reportsBefore = rt.interp.reports;
  if (comma != std::string::npos) {
    const std::int32_t b = expr::toInteger(expr::scratchNumeric(rt, text.substr(comma + 1)));
    background = b == -1 ? transparent : colourValue(b);
  }
  const std::int32_t f = expr::toInteger(expr::scratchNumeric(rt, text.substr(0, comma)));
  if (rt.interp.reports != reportsBefore) return;
  std::lock_guard lock(rt.screen.textMutex);
  rt.screen.textBackground = background;
  rt.screen.textForeground = colourValue(f);
}

void widthStatement(Runtime& rt, std::string_view argument) {
  const std::string text = expr::stripBlanks(argument);
  const std::size_t comma = expr::topLevelComma(text);
  if (comma == std::string::npos) {
    interp::report(rt, interp::SyntaxError);
    return;
  }
  const std::uint32_t reportsBefore = rt.interp.reports;
  const std::int32_t columns = expr::toInteger(expr::scratchNumeric(rt, text.substr(0, comma)));
  const std::int32_t rows = expr::toInteger(expr::scratchNumeric(rt, text.substr(comma + 1)));
  if (rt.interp.reports != reportsBefore) return;
  platform::Extent a{8, 16};
  if (rt.sys.font) a = rt.sys.font->measure("A");
  std::lock_guard lock(rt.screen.textMutex);
  // Products beyond the int range would wrap; they are as good as no limit.
  auto clamp = [](std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, -1, 1 << 30)); };
  rt.screen.textAreaWidth = clamp(std::int64_t{columns} * a.width);
  rt.screen.textAreaHeight = clamp(std::int64_t{rows} * a.height);
  rt.screen.textAreaLimited = true;
}

}  // namespace tw::screen
