// PSET, PRESET, MOVE, LINE and CIRCLE: points, lines, boxes, ellipses, arcs and pies on the client
// area and the bitmap. The last point is the only state they keep.
#include <algorithm>
#include <climits>
#include <cmath>

#include "graphics/detail.h"

namespace tw::graphics {
namespace {

using detail::Fields;

// A coordinate pair "(x,y)" as PRESET and MOVE write it; false after a reported error.
bool plainPair(Runtime& rt, std::string_view text, std::int32_t& x, std::int32_t& y) {
  const std::size_t comma = text.find(',');
  if (text.size() < 2 || text.front() != '(' || text.back() != ')' ||
      comma == std::string_view::npos) {
    interp::report(rt, interp::SyntaxError);
    return false;
  }
  const std::uint32_t reportsBefore = rt.interp.reports;
  x = detail::truncated(rt, text.substr(1, comma - 1));
  y = detail::truncated(rt, text.substr(comma + 1, text.size() - comma - 2));
  return rt.interp.reports == reportsBefore;
}

// The pair that begins at the fields' position (its '(' taken without a test): x up to the first
// comma, y up to the closing parenthesis, which the fields then stand on.
void pairFields(Fields& f, std::string_view& x, std::string_view& y) {
  f.skip();
  x = f.toComma();
  f.skip();
  y = f.toClose();
}

// A radial point of CIRCLE: walking round a square of half-side 78, counter-clockwise from the
// right-hand side, one unit per hundredth of a radian.
void radialPoint(double a, int& dx, int& dy) {
  auto t = [](double v) { return static_cast<int>(std::trunc(v)); };
  if (a <= 78.5) {
    dx = 78, dy = t(a);
  } else if (a <= 235.5) {
    dx = 78 - t(a - 78.5), dy = 78;
  } else if (a <= 392.5) {
    dx = -78, dy = 78 - t(a - 235.5);
  } else if (a <= 549.5) {
    dx = t(a - 392.5) - 78, dy = -78;
  } else {
    dx = 78, dy = t(a - 549.5) - 78;
  }
}

struct Circle {
  std::int32_t x = 0, y = 0, colour = 7, fill = 7;
  double radius = 0, start = 0, end = 0, aspect = 1.0;
  bool filled = false;
};

// The fields of CIRCLE; false after a reported error.
bool circleFields(Runtime& rt, std::string_view text, Circle& c) {
  Fields f(text);
  std::string_view xText, yText;
  pairFields(f, xText, yText);
  f.skip();
  if (f.ranOff() || f.peek() != ',') {
    interp::report(rt, interp::SyntaxError);
    return false;
  }
  const std::uint32_t reportsBefore = rt.interp.reports;
  c.x = detail::truncated(rt, xText);
  c.y = detail::truncated(rt, yText);
  f.skip();
  c.radius = detail::number(rt, f.toComma());
  bool more = f.peek() == ',';
  auto nextField = [&]() {
    f.skip();
    std::string_view field = f.toComma();
    more = f.peek() == ',';
    return field;
  };
  if (more) {
    std::string_view field = nextField();
    if (!field.empty()) c.colour = detail::roundedDown(rt, field);
  }
  if (more) c.start = detail::number(rt, nextField());
  if (more) c.end = detail::number(rt, nextField());
  if (more) {
    std::string_view field = nextField();
    if (!field.empty()) c.aspect = detail::number(rt, field);
  }
  c.fill = c.colour;
  if (more) {
    f.skip();
    c.filled = f.peek() == 'F' || f.peek() == 'f';
    f.skip();
    if (!f.atEnd()) {
      f.skip();
      c.fill = detail::truncated(rt, f.rest());
    }
  }
  return rt.interp.reports == reportsBefore;
}

// A coordinate moved by an offset, kept within int's range: a circle far off the screen, or with
// a huge radius, has its box and radial points there, and the drawing clips them.
int offset(std::int32_t at, long long by) {
  return static_cast<int>(std::clamp<long long>(at + by, INT_MIN, INT_MAX));
}

void drawCircle(Runtime& rt, const Circle& c) {
  double rx = c.radius, ry = c.radius;
  if (c.aspect >= 1)
    rx = c.radius / c.aspect;
  else
    ry = c.radius * c.aspect;
  const long long w = expr::toInteger(rx), h = expr::toInteger(ry);
  const platform::Rect box{offset(c.x, -w), offset(c.y, -h), offset(c.x, w), offset(c.y, h)};
  const platform::Colour pen = screen::colourValue(c.colour);
  const platform::Colour brush = screen::colourValue(c.fill);
  if (c.start == 0 && c.end == 0) {
    detail::onBoth(rt, false, [&](platform::Canvas& canvas) {
      if (c.filled)
        canvas.ellipse(box, pen, brush);
      else
        canvas.arc(box, 0, 0, 0, 0, pen);
    });
    return;
  }
  const double start = c.start * 100, end = c.end * 100;
  if (std::fabs(start) > 628 || std::fabs(end) > 628) {
    interp::report(rt, interp::OutOfRange);
    return;
  }
  const bool pie = start < 0 || end < 0;
  int sx, sy, ex, ey;
  radialPoint(std::fabs(start), sx, sy);
  radialPoint(std::fabs(end), ex, ey);
  detail::onBoth(rt, false, [&](platform::Canvas& canvas) {
    if (pie)
      canvas.pie(box, offset(c.x, sx), offset(c.y, -sy), offset(c.x, ex), offset(c.y, -ey), pen,
                 brush);
    else
      canvas.arc(box, offset(c.x, sx), offset(c.y, -sy), offset(c.x, ex), offset(c.y, -ey), pen);
  });
}

struct Line {
  std::int32_t x2 = 0, y2 = 0, colour = 7, fill = 7;
  bool box = false, filled = false;
};

// The end point, colour and box fields of LINE after its '-'; false after a reported error.
bool lineRest(Runtime& rt, Fields& f, Line& l) {
  const bool step = detail::isWord(f.rest().substr(0, 4), "step") && f.peek(4) == '(';
  if (step) f.skip(4);
  if (f.peek() != '(') {
    interp::report(rt, interp::SyntaxError);
    return false;
  }
  std::string_view xText, yText;
  pairFields(f, xText, yText);
  if (f.ranOff()) {
    interp::report(rt, interp::SyntaxError);
    return false;
  }
  const std::uint32_t reportsBefore = rt.interp.reports;
  l.x2 = detail::truncated(rt, xText);
  l.y2 = detail::truncated(rt, yText);
  if (step) l.x2 += rt.graphics.lastPointX, l.y2 += rt.graphics.lastPointY;
  f.skip();
  if (!f.atEnd()) {
    f.skip();
    std::string_view colour = f.toComma();
    if (!colour.empty()) l.colour = detail::truncated(rt, colour);
  }
  l.fill = l.colour;
  if (f.peek() == ',') {
    f.skip();
    std::string_view option = f.toComma();
    l.box = detail::isWord(option, "b") || detail::isWord(option, "bf");
    l.filled = detail::isWord(option, "bf");
    if (!option.empty() && !l.box) {
      interp::report(rt, interp::SyntaxError);
      return false;
    }
  }
  if (f.peek() == ',') {
    f.skip();
    l.fill = detail::truncated(rt, f.rest());
  }
  return rt.interp.reports == reportsBefore;
}

void drawLine(Runtime& rt, const Line& l) {
  const int x1 = rt.graphics.lastPointX, y1 = rt.graphics.lastPointY;
  const platform::Colour pen = screen::colourValue(l.colour);
  detail::onBoth(rt, true, [&](platform::Canvas& canvas) {
    if (!l.box) {
      canvas.line(x1, y1, l.x2, l.y2, pen);
      return;
    }
    canvas.line(x1, y1, x1, l.y2, pen);
    canvas.line(x1, l.y2, l.x2, l.y2, pen);
    canvas.line(l.x2, l.y2, l.x2, y1, pen);
    canvas.line(l.x2, y1, x1, y1, pen);
  });
  if (l.filled) {
    const platform::Rect r{x1, y1, l.x2, l.y2};
    detail::onBoth(rt, false, [&](platform::Canvas& canvas) {
      canvas.rectangle(r, pen, screen::colourValue(l.fill));
    });
  }
  rt.graphics.lastPointX = l.x2;
  rt.graphics.lastPointY = l.y2;
}

}  // namespace

void psetStatement(Runtime& rt, std::string_view argument) {
  const std::string text = expr::stripBlanks(argument);
  Fields f(text);
  std::string_view xText, yText;
  pairFields(f, xText, yText);
  if (f.ranOff()) {
    interp::report(rt, interp::SyntaxError);
    return;
  }
  f.skip();
  const std::uint32_t reportsBefore = rt.interp.reports;
  const std::int32_t x = detail::truncated(rt, xText);
  const std::int32_t y = detail::truncated(rt, yText);
  std::int32_t colour = 7;
  if (!f.atEnd()) {
    f.skip();
    colour = detail::roundedDown(rt, f.rest());
  }
  if (rt.interp.reports != reportsBefore) return;
  const platform::Colour c = screen::colourValue(colour);
  detail::onBoth(rt, false, [&](platform::Canvas& canvas) { canvas.setPixel(x, y, c); });
}

void presetStatement(Runtime& rt, std::string_view argument) {
  std::int32_t x, y;
  if (!plainPair(rt, expr::stripBlanks(argument), x, y)) return;
  // A transparent background is no colour: nothing is drawn.
  const platform::Colour c = rt.screen.textBackground;
  if (c == screen::transparent) return;
  detail::onBoth(rt, false, [&](platform::Canvas& canvas) { canvas.setPixel(x, y, c); });
}

void moveStatement(Runtime& rt, std::string_view argument) {
  std::int32_t x, y;
  if (!plainPair(rt, expr::stripBlanks(argument), x, y)) return;
  rt.graphics.lastPointX = x;
  rt.graphics.lastPointY = y;
}

void lineStatement(Runtime& rt, std::string_view argument) {
  const std::string text = expr::stripBlanks(argument);
  Fields f(text);
  if (f.peek() != '-') {
    std::string_view xText, yText;
    f.skip();
    xText = f.toComma();
    const std::uint32_t reportsBefore = rt.interp.reports;
    // The first point becomes the last point at once, before the rest is read.
    rt.graphics.lastPointX = detail::truncated(rt, xText);
    f.skip();
    yText = f.toClose();
    if (f.ranOff()) {
      interp::report(rt, interp::SyntaxError);
      return;
    }
    rt.graphics.lastPointY = detail::truncated(rt, yText);
    if (rt.interp.reports != reportsBefore) return;
    f.skip();
    if (f.peek() != '-') {
      interp::report(rt, interp::SyntaxError);
      return;
    }
  }
  f.skip();
  Line l;
  if (lineRest(rt, f, l)) drawLine(rt, l);
}

void circleStatement(Runtime& rt, std::string_view argument) {
  Circle c;
  if (circleFields(rt, expr::stripBlanks(argument), c)) drawCircle(rt, c);
}

}  // namespace tw::graphics
