// PAINT (the scan-line flood fill), the picture slots (PICTURE, GET, PUT) and SCROLL: statements
// that work on areas of the bitmap. Pictures are the platform's; their slots are kept here.
#include <algorithm>
#include <deque>

#include "graphics/detail.h"

namespace tw::graphics {
namespace {

using detail::Fields;

// A span of one row waiting to be filled, and the row whose span found it.
struct Span {
  int left, right, row, parent;
};

// One fill on the bitmap. Pixels outside the bitmap count as border, so that a fill never leaks
// round a border through the rows and columns beyond the edges.
class Fill {
 public:
  Fill(platform::Canvas& bitmap, platform::Colour paint, platform::Colour border)
      : bitmap_(bitmap), size_(bitmap.size()), paint_(paint), border_(border) {}

  void run(int x, int y) {
    pending_.push_back({x, x, y, y});
    while (!pending_.empty()) {
      const Span s = pending_.front();
      pending_.pop_front();
      fillSpan(s);
    }
  }

 private:
  bool isBorder(int x, int y) const {
    const std::optional<platform::Colour> c = bitmap_.pixel(x, y);
    return !c || *c == border_;
  }
  bool isPaint(int x, int y) const { return bitmap_.pixel(x, y) == paint_; }

  void fillSpan(const Span& s) {
    if (isPaint(s.left, s.row) || isBorder(s.left, s.row)) return;
    int left = s.left, right = s.right;
    while (right + 1 < size_.width && !isBorder(right + 1, s.row)) ++right;
    while (left > 0 && !isBorder(left - 1, s.row)) --left;
    bitmap_.line(left, s.row, right + 1, s.row, paint_);
    for (int row : {s.row - 1, s.row + 1}) {
      if (row < 0 || row >= size_.height) continue;
      if (row == s.parent) {
        scan(left, s.left - 1, row, s.row);
        scan(s.right + 1, right, row, s.row);
      } else {
        scan(left, right, row, s.row);
      }
    }
  }

  // Queues every run of non-border pixels of [a, b] in the row.
  void scan(int a, int b, int row, int parent) {
    for (int x = a; x <= b;) {
      while (x < b && isBorder(x, row)) ++x;
      if (isBorder(x, row)) return;
      const int start = x;
      while (x <= b && !isBorder(x, row)) ++x;
      pending_.push_back({start, x - 1, row, parent});
    }
  }

  platform::Canvas& bitmap_;
  platform::Extent size_;
  platform::Colour paint_, border_;
  std::deque<Span> pending_;
};

// The bitmap copied to the client area and the text drawn over it again.
void showBitmap(Runtime& rt) {
  if (rt.sys.bitmap && rt.sys.clientArea) {
    const platform::Extent size = rt.sys.bitmap->size();
    rt.sys.clientArea->copyFrom(*rt.sys.bitmap, {0, 0, size.width, size.height});
  }
  screen::putText(rt, "");
}

// The next free slot, or error 12 when every slot has been used since the last CLEAR.
bool slotAvailable(Runtime& rt) {
  if (rt.graphics.pictureCount < pictureLimit) return true;
  interp::report(rt, interp::MemoryRangeExceeded);
  return false;
}

// Whether a picture of this many pixels fits beside the pictures the slots hold.
bool picturesHaveRoom(const Runtime& rt, long long pixels) {
  long long held = 0;
  for (const std::unique_ptr<platform::Picture>& p : rt.graphics.pictureSlots)
    if (p) held += static_cast<long long>(p->size().width) * p->size().height;
  return held + pixels <= heldPixelsLimit;
}

// var=n for the slot about to be filled; false after a reported error.
bool assignSlot(Runtime& rt, std::string_view variable) {
  const std::uint32_t reportsBefore = rt.interp.reports;
  std::string assignment(variable);
  assignment.append("=").append(std::to_string(rt.graphics.pictureCount));
  expr::assignStatement(rt, assignment);
  return rt.interp.reports == reportsBefore;
}

// The text after an optional at sign; nothing for the file form (#), which does nothing.
std::optional<std::string> screenForm(std::string_view argument) {
  if (!argument.empty() && argument[0] == '@') argument.remove_prefix(1);
  if (!argument.empty() && argument[0] == '#') return std::nullopt;
  return expr::stripBlanks(argument);
}

// The first comma outside double quotes and parentheses.
std::size_t nameEnd(std::string_view text) { return expr::topLevelComma(text); }

}  // namespace

void floodFill(Runtime& rt, int x, int y, platform::Colour paint, platform::Colour border) {
  if (rt.sys.bitmap) Fill(*rt.sys.bitmap, paint, border).run(x, y);
}

void paintStatement(Runtime& rt, std::string_view argument) {
  const std::string text = expr::stripBlanks(argument);
  Fields f(text);
  f.skip();
  std::string_view xText = f.toComma();
  f.skip();
  std::string_view yText = f.toClose();
  if (f.ranOff()) {
    interp::report(rt, interp::SyntaxError);
    return;
  }
  f.skip(2);
  std::string_view paintText = f.toComma();
  const bool hasBorder = f.peek() == ',';
  f.skip();
  std::string_view borderText = f.rest();
  const std::uint32_t reportsBefore = rt.interp.reports;
  const std::int32_t x = detail::truncated(rt, xText);
  const std::int32_t y = detail::truncated(rt, yText);
  const platform::Colour paint = screen::colourValue(detail::truncated(rt, paintText));
  // Without a border colour the fill stops at the paint colour.
  const platform::Colour border =
      hasBorder ? screen::colourValue(detail::truncated(rt, borderText)) : paint;
  if (rt.interp.reports != reportsBefore) return;
  floodFill(rt, x, y, paint, border);
  showBitmap(rt);
}

void pictureStatement(Runtime& rt, std::string_view argument) {
  const std::string text = expr::stripBlanks(argument);
  const std::size_t comma = nameEnd(text);
  if (comma == std::string::npos) {
    interp::report(rt, interp::SyntaxError);
    return;
  }
  if (!slotAvailable(rt)) return;
  std::string quoted;
  const std::uint32_t reportsBefore = rt.interp.reports;
  if (!expr::scratchString(rt, std::string_view(text).substr(0, comma), quoted)) return;
  std::string name;
  if (!builtins::unescapeString(rt, quoted, name) || rt.interp.reports != reportsBefore) return;
  if (!assignSlot(rt, std::string_view(text).substr(comma + 1))) return;
  std::unique_ptr<platform::Picture> picture;
  if (io::resolvePath(rt, name) && rt.sys.bitmap) picture = rt.sys.bitmap->loadPicture(name);
  if (picture && !picturesHaveRoom(rt, static_cast<long long>(picture->size().width) *
                                           picture->size().height))
    picture.reset();
  if (!picture) {
    interp::report(rt, interp::CannotOpenFile);
    return;
  }
  rt.graphics.pictureSlots[static_cast<std::size_t>(rt.graphics.pictureCount++)] =
      std::move(picture);
}

void getStatement(Runtime& rt, std::string_view argument) {
  const std::optional<std::string> text = screenForm(argument);
  if (!text) return;
  Fields f(*text);
  f.skip();
  std::string_view x1Text = f.toComma();
  f.skip();
  std::string_view y1Text = f.toClose();
  f.skip();
  if (f.ranOff() || f.peek() != '-') {
    interp::report(rt, interp::SyntaxError);
    return;
  }
  f.skip();
  const bool step = detail::isWord(f.rest().substr(0, 4), "step") && f.peek(4) == '(';
  if (step) f.skip(4);
  if (f.peek() != '(') {
    interp::report(rt, interp::SyntaxError);
    return;
  }
  f.skip();
  std::string_view x2Text = f.toComma();
  f.skip();
  std::string_view y2Text = f.toClose();
  if (f.ranOff()) {
    interp::report(rt, interp::SyntaxError);
    return;
  }
  f.skip(2);
  const std::string_view variable = f.rest();
  if (!slotAvailable(rt)) return;
  const std::uint32_t reportsBefore = rt.interp.reports;
  const std::int32_t x1 = detail::truncated(rt, x1Text), y1 = detail::truncated(rt, y1Text);
  std::int32_t x2 = detail::truncated(rt, x2Text), y2 = detail::truncated(rt, y2Text);
  if (step) x2 += x1, y2 += y1;
  if (rt.interp.reports != reportsBefore || !assignSlot(rt, variable)) return;
  // Corners given in any order copy the rectangle between them.
  const platform::Rect r{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
  const long long pixels = (static_cast<long long>(r.right) - r.left) *
                          (static_cast<long long>(r.bottom) - r.top);
  std::unique_ptr<platform::Picture> picture;
  if (rt.sys.bitmap && picturesHaveRoom(rt, pixels)) picture = rt.sys.bitmap->capture(r);
  rt.graphics.pictureSlots[static_cast<std::size_t>(rt.graphics.pictureCount++)] =
      std::move(picture);
}

void putStatement(Runtime& rt, std::string_view argument) {
  const std::optional<std::string> text = screenForm(argument);
  if (!text) return;
  Fields f(*text);
  f.skip();
  std::string_view xText = f.toComma();
  f.skip();
  std::string_view yText = f.toClose();
  f.skip(2);
  std::string_view slotText = f.toComma();
  std::string_view mode;
  if (f.peek() == ',') {
    f.skip();
    mode = f.rest();
  }
  const auto op = detail::isWord(mode, "pset") ? platform::RasterOp::Copy
                  : detail::isWord(mode, "or")  ? platform::RasterOp::Or
                  : detail::isWord(mode, "xor") ? platform::RasterOp::Xor
                                                : std::optional<platform::RasterOp>();
  if (f.ranOff() || !op) {
    interp::report(rt, interp::SyntaxError);
    return;
  }
  const std::uint32_t reportsBefore = rt.interp.reports;
  const std::int32_t x = detail::truncated(rt, xText), y = detail::truncated(rt, yText);
  const std::int32_t slot = detail::truncated(rt, slotText);
  if (rt.interp.reports != reportsBefore) return;
  const bool held = slot >= 0 && slot < pictureLimit && rt.graphics.pictureSlots[slot] != nullptr;
  if (!held) {
    interp::report(rt, interp::OutOfRange);
    return;
  }
  const platform::Picture& picture = *rt.graphics.pictureSlots[static_cast<std::size_t>(slot)];
  detail::onBoth(rt, false, [&](platform::Canvas& c) { c.putPicture(picture, x, y, *op); });
}

void scrollStatement(Runtime& rt, std::string_view argument) {
  const std::string text = expr::stripBlanks(argument);
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos) {
    interp::report(rt, interp::SyntaxError);
    return;
  }
  const std::uint32_t reportsBefore = rt.interp.reports;
  const std::int32_t dx = detail::truncated(rt, std::string_view(text).substr(0, comma));
  const std::int32_t dy = detail::truncated(rt, std::string_view(text).substr(comma + 1));
  if (rt.interp.reports != reportsBefore) return;
  // The text is stamped into the graphics, and the whole picture moves.
  screen::renderText(rt, 0, 0, rt.sys.bitmap);
  if (platform::Canvas* bitmap = rt.sys.bitmap) {
    bitmap->scroll(dx, dy);
    const platform::Extent size = bitmap->size();
    if (rt.sys.clientArea) rt.sys.clientArea->copyFrom(*bitmap, {0, 0, size.width, size.height});
  }
  std::lock_guard lock(rt.screen.textMutex);
  const auto lines = static_cast<std::size_t>(
      std::count(rt.screen.screenText.begin(), rt.screen.screenText.end(), '\n'));
  rt.screen.screenText.assign(lines, '\n');
  rt.screen.screenCursor = static_cast<int>(lines);
}

}  // namespace tw::graphics
