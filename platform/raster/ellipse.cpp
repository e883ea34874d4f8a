// Ellipses, arcs and pies on an image: which pixels an ellipse covers, its one-pixel outline, and
// the sector between two rays from its centre. Lines and rectangles are in draw.cpp.
//
// The outline is the curve through the centres of the box's outermost pixels traced step by step
// as GDI traces it: from the middle rows outwards, each step moves one row, one column or both,
// whichever keeps the error of the ellipse's equation smallest; a flat ellipse whose columns run
// out first ends in its middle columns. A row's pixels are those between its outline pixels, so
// the shape touches the box's first and last columns and rows and is symmetric both ways. Boxes
// with a side over exactSide are measured instead by the pixel centres inside the inscribed
// ellipse.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/raster/raster.h"

namespace tw::raster {
namespace {

// Ellipses with sides up to this length are traced (in 64-bit integers, a table of half their
// rows); a larger one is measured row by row, in long double beyond. A program observes the
// difference only in a part of such an ellipse that reaches a surface.
constexpr long long exactSide = 1LL << 15;

// The sign of a*b - c*d: exact while every factor stays below 2^31 in magnitude, which covers
// every coordinate within about ±5×10^8; beyond that computed in long double.
int productSign(long long a, long long b, long long c, long long d) {
  constexpr long long exact = 1LL << 31;
  if (std::llabs(a) < exact && std::llabs(b) < exact && std::llabs(c) < exact &&
      std::llabs(d) < exact) {
    const long long v = a * b - c * d;
    return (v > 0) - (v < 0);
  }
  const long double v = static_cast<long double>(a) * b - static_cast<long double>(c) * d;
  return (v > 0) - (v < 0);
}

// A position relative to the ellipse's centre in half pixels, y upwards: pixel centres, the
// centre and every whole coordinate are whole numbers here.
struct Vec {
  long long x, y;
};

struct Span {
  long long first = 0, last = -1;
  bool empty() const { return last < first; }
};

// The outline pixels of a row: a run at each end of its span.
struct Runs {
  Span left, right;
};
Runs outlineRuns(const Span& s, const Span& above, const Span& below);

// A row of the traced outline's lower half, counted from the middle: the first and the last
// column of its left run.
struct TracedRow {
  long long outer = 0, inner = 0;
};

class Oval {
 public:
  explicit Oval(const Rect& r)
      : left_(std::min(r.left, r.right)),
        top_(std::min(r.top, r.bottom)),
        w_(std::llabs(static_cast<long long>(r.right) - r.left)),
        h_(std::llabs(static_cast<long long>(r.bottom) - r.top)),
        oddW_(w_ - 1 + w_ % 2),
        oddH_(h_ - 1 + h_ % 2) {
    if (w_ > 0 && h_ > 0 && w_ <= exactSide && h_ <= exactSide) trace();
  }

  bool empty() const { return w_ == 0 || h_ == 0; }
  long long top() const { return top_; }
  long long bottom() const { return top_ + h_; }

  // The pixels of row y that belong to the ellipse.
  Span span(long long y) const {
    if (y < top_ || y >= top_ + h_) return {};
    if (!traced_.empty()) {
      const TracedRow& r = tracedRow(y);
      return {r.outer, mirror(r.outer)};
    }
    const long long middleRow = (oddH_ - 1) / 2, middleColumn = (oddW_ - 1) / 2;
    long long j = y - top_ - middleRow;
    if (j > 0 && h_ % 2 == 0) --j;
    const long long k = halfWidth(j);
    return {left_ + middleColumn - k, left_ + middleColumn + k + (w_ % 2 == 0 ? 1 : 0)};
  }
  // The outline pixels of row y, given the spans of the rows above and below.
  Runs outline(long long y, const Span& s, const Span& above, const Span& below) const {
    if (traced_.empty() || s.empty()) return outlineRuns(s, above, below);
    const TracedRow& r = tracedRow(y);
    return {{r.outer, r.inner}, {mirror(r.inner), mirror(r.outer)}};
  }

  // Positions relative to the centre of the box.
  Vec pixel(long long x, long long y) const {
    return {2 * x + 1 - (2 * left_ + w_), -(2 * y + 1 - (2 * top_ + h_))};
  }
  Vec point(int x, int y) const {
    return {2LL * x - (2 * left_ + w_), -(2LL * y - (2 * top_ + h_))};
  }

  // Where a ray from the centre meets the ellipse through the centres of the outermost pixels,
  // as the pixel there (the centre's pixel for a ray of no length).
  void rayEnd(Vec ray, int& x, int& y) const {
    const long double ax = static_cast<long double>(w_ - 1), by = static_cast<long double>(h_ - 1);
    const long double k = std::hypot(ray.x * by, ray.y * ax);
    const long double scale = k == 0 ? 0 : ax * by / k;
    x = toPixel(ray.x * scale, 2 * left_ + w_, left_, left_ + w_ - 1);
    y = toPixel(-ray.y * scale, 2 * top_ + h_, top_, top_ + h_ - 1);
  }
  void centre(int& x, int& y) const { rayEnd({0, 0}, x, y); }

 private:
  long long mirror(long long x) const { return 2 * left_ + w_ - 1 - x; }
  // The middle rows: the first row of the lower half, and the last of the upper (the same row
  // when the height is odd).
  long long lowerMiddle() const { return top_ + h_ / 2; }
  long long upperMiddle() const { return lowerMiddle() - (h_ % 2 == 0 ? 1 : 0); }
  const TracedRow& tracedRow(long long y) const {
    const long long k = y >= lowerMiddle() ? y - lowerMiddle() : upperMiddle() - y;
    return traced_[static_cast<std::size_t>(std::min<long long>(k, traced_.size() - 1))];
  }

  // Traces the left half of the outline from the middle rows outwards, recording each row of the
  // lower half (the upper half mirrors it). a and b are the distances between the centres of the
  // outermost pixels; the error is the ellipse's equation at the next candidate pixel, scaled.
  void trace() {
    const long long a = w_ - 1, b = h_ - 1, oddB = b & 1;
    long long dx = 4 * (1 - a) * b * b, dy = 4 * (oddB + 1) * a * a;
    long long err = dx + dy + oddB * a * a;
    const long long stepX = 8 * b * b, stepY = 8 * a * a;
    const long long rows = (h_ + 1) / 2, middle = left_ + (w_ - 1) / 2;
    traced_.assign(static_cast<std::size_t>(rows), TracedRow{LLONG_MAX, LLONG_MIN});
    long long x = left_, row = 0;
    auto plot = [&] {
      if (row >= rows) return;
      TracedRow& r = traced_[static_cast<std::size_t>(row)];
      r.outer = std::min(r.outer, x);
      r.inner = std::max(r.inner, x);
    };
    do {
      plot();
      const long long e2 = 2 * err;
      if (e2 <= dy) {
        ++row;
        err += dy += stepY;
      }
      if (e2 >= dx || 2 * err > dy) {
        ++x;
        err += dx += stepX;
      }
    } while (x <= middle);
    // A flat ellipse runs out of columns before rows: its last rows are its middle columns.
    for (--x; row < rows; ++row) plot();
  }

  // In the odd-sided ellipse, the largest column offset i with the pixel (i, j) from the centre
  // inside: (2i)² h² + (2j)² w² <= w² h². It is at least 0, since |2j| < h.
  long long halfWidth(long long j) const {
    const long double s = static_cast<long double>(2 * j) / static_cast<long double>(oddH_);
    long long i = static_cast<long long>(
        std::floor(static_cast<long double>(oddW_) / 2 * std::sqrt(std::max(0.0L, 1 - s * s))));
    if (oddW_ <= exactSide && oddH_ <= exactSide) {
      while (inside(i + 1, j)) ++i;
      while (i > 0 && !inside(i, j)) --i;
    }
    return std::max(i, 0LL);
  }
  bool inside(long long i, long long j) const {
    return 4 * i * i * oddH_ * oddH_ + 4 * j * j * oddW_ * oddW_ <= oddW_ * oddW_ * oddH_ * oddH_;
  }
  static int toPixel(long double offset, long long twiceCentre, long long low, long long high) {
    const long long p = static_cast<long long>(std::floor((offset + twiceCentre) / 2));
    return static_cast<int>(std::clamp(p, low, high));
  }

  long long left_, top_, w_, h_;
  long long oddW_, oddH_;  // the sides of the odd-sided ellipse measured for the largest boxes
  std::vector<TracedRow> traced_;
};

// The directions counter-clockwise from one ray to another, both included; all of them when the
// rays point the same way. A ray of no length points to the right.
class Sector {
 public:
  Sector(Vec start, Vec end) : start_(orZero(start)), end_(orZero(end)) {
    whole_ = cross(start_, end_) == 0 && dot(start_, end_) > 0;
    endHalf_ = half(end_);
  }
  bool whole() const { return whole_; }
  bool contains(Vec v) const {
    if (whole_ || (v.x == 0 && v.y == 0)) return true;
    const int h = half(v);
    if (h != endHalf_) return h < endHalf_;
    return cross(v, end_) >= 0;
  }

 private:
  static Vec orZero(Vec v) { return v.x == 0 && v.y == 0 ? Vec{1, 0} : v; }
  static int cross(Vec a, Vec b) { return productSign(a.x, b.y, a.y, b.x); }
  static int dot(Vec a, Vec b) { return productSign(a.x, b.x, -a.y, b.y); }
  // 0 for directions less than half a turn counter-clockwise from the start, 1 for the rest.
  int half(Vec v) const {
    const int c = cross(start_, v);
    return c > 0 || (c == 0 && dot(start_, v) > 0) ? 0 : 1;
  }

  Vec start_, end_;
  bool whole_ = false;
  int endHalf_ = 0;
};

Runs outlineRuns(const Span& s, const Span& above, const Span& below) {
  if (above.empty() || below.empty()) return {s, {}};
  const long long innerLeft = std::max(above.first, below.first);
  const long long innerRight = std::min(above.last, below.last);
  return {{s.first, std::max(s.first, innerLeft - 1)}, {std::min(s.last, innerRight + 1), s.last}};
}

void paintRun(Image& image, const Oval& oval, long long y, Span run, Colour c,
              const Sector* sector) {
  const long long first = std::max(run.first, 0LL);
  const long long last = std::min(run.last, static_cast<long long>(image.width) - 1);
  Colour* row = image.row(static_cast<int>(y));
  for (long long x = first; x <= last; ++x)
    if (!sector || sector->contains(oval.pixel(x, y))) row[x] = c;
}

// The ellipse's visible rows: the inside in fill when given, then the outline in pen, each only
// within the sector when there is one.
void drawOval(Image& image, const Oval& oval, Colour pen, std::optional<Colour> fill,
              const Sector* sector) {
  const long long first = std::max(oval.top(), 0LL);
  const long long last = std::min(oval.bottom(), static_cast<long long>(image.height)) - 1;
  if (first > last) return;
  std::vector<Span> spans;
  spans.reserve(static_cast<std::size_t>(last - first + 3));
  for (long long y = first - 1; y <= last + 1; ++y) spans.push_back(oval.span(y));
  for (long long y = first; y <= last; ++y) {
    const std::size_t i = static_cast<std::size_t>(y - first + 1);
    if (spans[i].empty()) continue;
    if (fill) paintRun(image, oval, y, spans[i], *fill, sector);
    const Runs runs = oval.outline(y, spans[i], spans[i - 1], spans[i + 1]);
    paintRun(image, oval, y, runs.left, pen, sector);
    paintRun(image, oval, y, runs.right, pen, sector);
  }
}

void drawRadius(Image& image, const Oval& oval, Vec ray, Colour pen) {
  int cx, cy, ex, ey;
  oval.centre(cx, cy);
  oval.rayEnd(ray, ex, ey);
  drawLine(image, cx, cy, ex, ey, pen);
  setPixel(image, ex, ey, pen);
}

}  // namespace

void drawEllipse(Image& image, const Rect& r, Colour pen, std::optional<Colour> fill) {
  const Oval oval(r);
  if (!oval.empty()) drawOval(image, oval, pen, fill, nullptr);
}

void drawArc(Image& image, const Rect& r, int x3, int y3, int x4, int y4, Colour pen) {
  const Oval oval(r);
  if (oval.empty()) return;
  const Sector sector(oval.point(x3, y3), oval.point(x4, y4));
  drawOval(image, oval, pen, std::nullopt, &sector);
}

void drawPie(Image& image, const Rect& r, int x3, int y3, int x4, int y4, Colour pen, Colour fill) {
  const Oval oval(r);
  if (oval.empty()) return;
  const Vec start = oval.point(x3, y3), end = oval.point(x4, y4);
  const Sector sector(start, end);
  drawOval(image, oval, pen, fill, &sector);
  drawRadius(image, oval, start, pen);
  if (!sector.whole()) drawRadius(image, oval, end, pen);
}

}  // namespace tw::raster
