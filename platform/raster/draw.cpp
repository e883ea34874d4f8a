// Pixels, lines, rectangles and block transfers on an image. Everything is clipped here; the
// shapes with curves are in ellipse.cpp and text in font.cpp.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/raster/raster.h"

namespace tw::raster {
namespace {

// A normalised rectangle clipped to the image, empty when right <= left or bottom <= top.
Rect clipped(const Image& image, const Rect& r) {
  return {std::max(std::min(r.left, r.right), 0), std::max(std::min(r.top, r.bottom), 0),
          std::min(std::max(r.left, r.right), image.width),
          std::min(std::max(r.top, r.bottom), image.height)};
}

void fillSpan(Image& image, long long y, long long x1, long long x2, Colour c) {
  if (y < 0 || y >= image.height) return;
  x1 = std::max(x1, 0LL);
  x2 = std::min(x2, static_cast<long long>(image.width) - 1);
  if (x1 > x2) return;
  Colour* row = image.row(static_cast<int>(y));
  std::fill(row + x1, row + x2 + 1, c);
}

void fillColumn(Image& image, long long x, long long y1, long long y2, Colour c) {
  if (x < 0 || x >= image.width) return;
  y1 = std::max(y1, 0LL);
  y2 = std::min(y2, static_cast<long long>(image.height) - 1);
  for (long long y = y1; y <= y2; ++y) image.row(static_cast<int>(y))[x] = c;
}

// The steps of a slanted line along its major axis that fall inside [0, extent): the line's
// pixel i lies at start + i * step, for i in [0, length).
struct StepRange {
  long long first, last;
};
StepRange visibleSteps(long long start, int step, long long length, int extent) {
  if (step > 0) return {std::max(0LL, -start), std::min(length - 1, extent - 1 - start)};
  return {std::max(0LL, start - extent + 1), std::min(length - 1, start)};
}

}  // namespace

Image::Image(int w, int h, Colour fill)
    : width(std::max(w, 0)),
      height(std::max(h, 0)),
      pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

void setPixel(Image& image, int x, int y, Colour c) {
  if (image.contains(x, y)) image.row(y)[x] = c;
}

// A one-pixel pen steps one pixel at a time along the axis in which the line is longer and
// takes the pixel nearest the ideal line across it. When the ideal line passes exactly between
// two pixels the one with the smaller coordinate wins (the upper one on a mostly horizontal
// line, the left one on a mostly vertical line), whichever way the line is drawn, as GDI's
// pen does; so a line and its reverse light the same pixels apart from the end left out.
void drawLine(Image& image, int x1, int y1, int x2, int y2, Colour pen) {
  const long long dx = static_cast<long long>(x2) - x1;
  const long long dy = static_cast<long long>(y2) - y1;
  if (dy == 0) {
    if (dx > 0) fillSpan(image, y1, x1, x2 - 1LL, pen);
    if (dx < 0) fillSpan(image, y1, x2 + 1LL, x1, pen);
    return;
  }
  if (dx == 0) {
    if (dy > 0) fillColumn(image, x1, y1, y2 - 1LL, pen);
    if (dy < 0) fillColumn(image, x1, y2 + 1LL, y1, pen);
    return;
  }
  const bool xMajor = std::abs(dx) > std::abs(dy);
  const long long major = xMajor ? std::abs(dx) : std::abs(dy);
  const unsigned long long minor =
      static_cast<unsigned long long>(xMajor ? std::abs(dy) : std::abs(dx));
  const int majorStep = (xMajor ? dx : dy) > 0 ? 1 : -1;
  const int minorStep = (xMajor ? dy : dx) > 0 ? 1 : -1;
  const long long majorStart = xMajor ? x1 : y1;
  const long long minorStart = xMajor ? y1 : x1;
  const int minorExtent = xMajor ? image.height : image.width;
  const StepRange steps =
      visibleSteps(majorStart, majorStep, major, xMajor ? image.width : image.height);
  for (long long i = steps.first; i <= steps.last; ++i) {
    // i * minor stays below 2^64: both are below 2^32.
    const unsigned long long product = static_cast<unsigned long long>(i) * minor;
    const unsigned long long q = product / static_cast<unsigned long long>(major);
    const unsigned long long twiceRest = 2 * (product % static_cast<unsigned long long>(major));
    const bool up = twiceRest > static_cast<unsigned long long>(major) ||
                    (twiceRest == static_cast<unsigned long long>(major) && minorStep < 0);
    const long long m = minorStart + minorStep * static_cast<long long>(q + (up ? 1 : 0));
    if (m < 0 || m >= minorExtent) continue;
    const long long a = majorStart + majorStep * i;
    if (xMajor)
      image.row(static_cast<int>(m))[a] = pen;
    else
      image.row(static_cast<int>(a))[m] = pen;
  }
}

void fillRect(Image& image, const Rect& r, Colour c) {
  const Rect v = clipped(image, r);
  // A rectangle beside the image clips to an empty one whose right edge lies left of its left.
  if (v.right <= v.left) return;
  for (int y = v.top; y < v.bottom; ++y)
    std::fill(image.row(y) + v.left, image.row(y) + v.right, c);
}

void drawRectangle(Image& image, const Rect& r, Colour pen, std::optional<Colour> fill) {
  const long long left = std::min(r.left, r.right), right = std::max(r.left, r.right) - 1LL;
  const long long top = std::min(r.top, r.bottom), bottom = std::max(r.top, r.bottom) - 1LL;
  if (right < left || bottom < top) return;
  if (fill && right - left >= 2 && bottom - top >= 2)
    fillRect(image,
             {static_cast<int>(left + 1), static_cast<int>(top + 1), static_cast<int>(right),
              static_cast<int>(bottom)},
             *fill);
  fillSpan(image, top, left, right, pen);
  fillSpan(image, bottom, left, right, pen);
  fillColumn(image, left, top, bottom, pen);
  fillColumn(image, right, top, bottom, pen);
}

void blit(Image& target, int tx, int ty, const Image& source, int sx, int sy, int width, int height,
          RasterOp op) {
  // Clip in 64 bits: each side is cut where either the source or the target leaves its image.
  long long x0 = tx, y0 = ty, s0 = sx, t0 = sy, w = width, h = height;
  const long long shiftX = std::max({0LL, -x0, -s0});
  const long long shiftY = std::max({0LL, -y0, -t0});
  x0 += shiftX, s0 += shiftX, w -= shiftX;
  y0 += shiftY, t0 += shiftY, h -= shiftY;
  w = std::min({w, target.width - x0, source.width - s0});
  h = std::min({h, target.height - y0, source.height - t0});
  if (w <= 0 || h <= 0) return;
  const bool same = &target == &source;
  // Rows move bottom first when the block moves down onto itself.
  const bool upwards = same && y0 > t0;
  std::vector<Colour> scratch;
  for (long long k = 0; k < h; ++k) {
    const long long i = upwards ? h - 1 - k : k;
    Colour* to = target.row(static_cast<int>(y0 + i)) + x0;
    const Colour* from = source.row(static_cast<int>(t0 + i)) + s0;
    if (op == RasterOp::Copy) {
      std::memmove(to, from, static_cast<std::size_t>(w) * sizeof(Colour));
      continue;
    }
    if (same) {
      scratch.assign(from, from + w);
      from = scratch.data();
    }
    if (op == RasterOp::Or)
      for (long long j = 0; j < w; ++j) to[j] |= from[j];
    else
      for (long long j = 0; j < w; ++j) to[j] ^= from[j];
  }
}

}  // namespace tw::raster
