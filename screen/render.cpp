// The layout of the text layer: where each cell goes for the window's client size, the caret and
// the IME point, drawing the cells just written, and dropping the first lines of a text grown too
// tall. The text itself is changed here only by that scroll.
#include <algorithm>
#include <vector>

#include "interp/interp.h"

namespace tw::screen {
namespace {

// The screen font's metrics; the font does not change while a program runs, so each byte is
// measured once.
const FontMetrics& metrics(Runtime& rt) {
  FontMetrics& m = rt.screen.metrics;
  if (!m.measured) {
    m.width.fill(8);
    if (platform::ScreenFont* font = rt.sys.font) {
      m.lineHeight = font->lineHeight();
      for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        m.width[static_cast<std::size_t>(b)] = font->measure(std::string_view(&c, 1)).width;
      }
    }
    m.measured = true;
  }
  return m;
}

// The byte whose extent is a cell's width: the character's first byte, or what an escape pair
// shows (a see-through blank is as wide as 'L', the 0x00 cell as 'Z').
unsigned char measuredByte(int kind, unsigned char first) {
  switch (kind) {
    case 1: return 0x01;
    case 2: return 'L';
    case 3: return '"';
    case 4: return 'Z';
    default: return first;
  }
}

// Draws one cell: its bytes in its colours, or, for a see-through blank, the graphics beneath.
void drawCell(Runtime& rt, platform::Canvas& target, int kind, std::string_view bytes,
              std::size_t last, int x, int y, int spaceWidth, int lineHeight) {
  const State& s = rt.screen;
  if (kind == 2) {
    if (rt.sys.bitmap && &target != rt.sys.bitmap)
      target.copyFrom(*rt.sys.bitmap, {x, y, x + spaceWidth, y + lineHeight});
    return;
  }
  static constexpr char shown[] = {0, 0x01, 0, '"', 0};
  std::string_view cell = kind == 0 ? bytes : std::string_view(&shown[kind], 1);
  const platform::Colour background = s.cellBackground[last];
  target.drawText(x, y, cell, s.cellForeground[last],
                  background == transparent ? std::nullopt
                                            : std::optional<platform::Colour>(background));
}

// Whether text laid out this tall is taller than the window or the text area.
bool tooTall(Runtime& rt, int height) {
  const State& s = rt.screen;
  return height > rt.sys.window->clientSize().height ||
         (s.textAreaLimited && height > s.textAreaHeight);
}

// One walk over the text: places the caret and, when draw is set, draws the cells in range.
// Gives the laid-out text's height; breaks, when given, gets the height laid out up to and
// including each line break.
int layOut(Runtime& rt, const FontMetrics& m, std::size_t count, std::size_t start,
           platform::Canvas* target, std::vector<int>* breaks = nullptr) {
  State& s = rt.screen;
  const std::string& t = s.screenText;
  const platform::Extent client = rt.sys.window->clientSize();
  const int lh = m.lineHeight;
  int x = 0, y = 0;
  for (std::size_t pos = 0; pos <= screenTextLimit;) {
    if (static_cast<int>(pos) == s.screenCursor) s.caretX = x, s.caretY = y + lh;
    if (pos >= t.size()) {
      if (pos != 0) y += lh;
      break;
    }
    const auto first = static_cast<unsigned char>(t[pos]);
    if (first == '\n') {
      y += lh, x = 0, ++pos;
      if (breaks) breaks->push_back(y);
      continue;
    }
    const int kind = escapeKind(t, pos);
    const bool doubleByte = kind == 0 && platform::isLeadByte(first) && pos + 1 < t.size();
    const std::size_t last = kind != 0 || doubleByte ? pos + 1 : pos;
    const int w = m.width[measuredByte(kind, first)];
    const bool inRange = count == 0 || (last >= start && last - start < count);
    if (target && (inRange || kind == 2))
      drawCell(rt, *target, kind, std::string_view(t).substr(pos, last + 1 - pos), last, x, y,
               m.width[' '], lh);
    x += doubleByte ? 2 * w : w;
    if (x + w >= client.width || (s.textAreaLimited && x >= s.textAreaWidth)) y += lh, x = 0;
    pos = last + 1;
  }
  return y;
}

// How many first lines must go for the rest to fit: a line's rows do not depend on the lines
// before it, so the height left after dropping k lines is the height less that up to the k-th
// break. One more than the breaks when even the last line alone is too tall.
std::size_t linesToDrop(Runtime& rt, const FontMetrics& m) {
  std::vector<int> breaks;
  const int height = layOut(rt, m, 0, 0, nullptr, &breaks);
  for (std::size_t k = 0; k < breaks.size(); ++k)
    if (!tooTall(rt, height - breaks[k])) return k + 1;
  return breaks.size() + 1;
}

// Drops the first count lines: everything up to and including the count-th line break (all of
// the text when it has fewer), in one move, however many lines go.
void dropFirstLines(State& s, std::size_t count) {
  std::string& t = s.screenText;
  std::size_t cut = 0;
  for (; count > 0 && cut < t.size(); --count) {
    const std::size_t lf = t.find('\n', cut);
    cut = lf == std::string::npos ? t.size() : lf + 1;
  }
  t.erase(0, cut);
  std::copy(s.cellForeground.begin() + static_cast<long>(cut), s.cellForeground.end(),
            s.cellForeground.begin());
  std::copy(s.cellBackground.begin() + static_cast<long>(cut), s.cellBackground.end(),
            s.cellBackground.begin());
  s.screenCursor = static_cast<int>(t.size());
}

}  // namespace

void renderText(Runtime& rt, std::size_t count, std::size_t start, platform::Canvas* target) {
  State& s = rt.screen;
  platform::Window& window = *rt.sys.window;
  const bool restoreCaret = s.caretEnabled && window.isForeground();
  // The caret belongs to the UI thread: it is hidden and shown again through messages.
  if (s.caretEnabled) window.send({platform::Msg::KillFocus});
  bool scrolled = false;
  int imeX = 0, imeY = 0;
  {
    std::lock_guard lock(s.textMutex);
    const FontMetrics& m = metrics(rt);
    // A window drops one line per paint until the text fits; here they all go at once, so that
    // what the text holds does not depend on when the paints come. The lines to drop are counted
    // in one walk: a text far taller than the window would take a walk per line.
    if (tooTall(rt, layOut(rt, m, count, start, target))) {
      dropFirstLines(s, linesToDrop(rt, m));
      layOut(rt, m, count, start, nullptr);
      scrolled = true;
    }
    imeX = s.caretX;
    imeY = s.caretY - m.lineHeight;
  }
  if (scrolled) window.invalidate();
  window.setImePosition(imeX, imeY);
  if (restoreCaret) window.send({platform::Msg::SetFocus});
}

void renderText(Runtime& rt, std::size_t count, std::size_t start) {
  renderText(rt, count, start, rt.sys.clientArea);
}

}  // namespace tw::screen
