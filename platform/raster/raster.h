// The portable software rasteriser: a 32-bit pixel image drawn with GDI's rules, the built-in font
// made from GNU Unifont at build time, PNG writing and Windows bitmap loading. It includes no
// platform header; the Linux backends draw with it through platform::Canvas.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace tw::raster {

using platform::Colour;
using platform::RasterOp;
using platform::Rect;

// The most pixels a picture may hold, loaded from a file or captured. A program observes it: a
// larger bitmap file cannot be loaded, a larger capture makes no picture.
inline constexpr long long picturePixelLimit = 1LL << 26;
// The largest bitmap file read. A program observes it: a larger file cannot be loaded.
inline constexpr long long pictureFileLimit = 1LL << 28;

// The built-in font's cell: every byte is this wide, a double-byte character twice as wide.
inline constexpr int cellWidth = 8;
inline constexpr int cellHeight = 16;

// Pixels in rows from the top, each a colour 0x00BBGGRR.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<Colour> pixels;

  Image() = default;
  // Negative sizes make an empty image.
  Image(int w, int h, Colour fill = 0);
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  Colour* row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width; }
  const Colour* row(int y) const { return pixels.data() + static_cast<std::size_t>(y) * width; }
};

// Every primitive is clipped to the image; coordinates may lie anywhere in int's range.
void setPixel(Image& image, int x, int y, Colour c);
// From (x1, y1) towards (x2, y2), the end pixel left out.
void drawLine(Image& image, int x1, int y1, int x2, int y2, Colour pen);
// [left, right) × [top, bottom), the corners taken in either order.
void fillRect(Image& image, const Rect& r, Colour c);
// The border of the same area in pen, its inside in fill when given.
void drawRectangle(Image& image, const Rect& r, Colour pen, std::optional<Colour> fill);
// The ellipse inscribed in [left, right) × [top, bottom), outlined, filled when fill is given.
void drawEllipse(Image& image, const Rect& r, Colour pen, std::optional<Colour> fill);
// The part of that ellipse's outline counter-clockwise (on the screen) from the ray through
// (x3, y3) to the ray through (x4, y4); two rays in one direction give the whole outline.
void drawArc(Image& image, const Rect& r, int x3, int y3, int x4, int y4, Colour pen);
// The same part as a sector: the arc and the two radii in pen, the inside in fill.
void drawPie(Image& image, const Rect& r, int x3, int y3, int x4, int y4, Colour pen, Colour fill);
// Combines the width × height block of source at (sx, sy) into target at (tx, ty). Only pixels
// whose source and target both lie inside their images take part. Source and target may be the
// same image, overlapping.
void blit(Image& target, int tx, int ty, const Image& source, int sx, int sy, int width, int height,
          RasterOp op);

// Draws text in the built-in font with its top-left corner at (x, y): each byte a cell, a lead
// byte and the byte after it one double-width cell. The background colour, when given, covers
// the rest of each cell. Control bytes and characters without a glyph draw an empty cell.
void drawText(Image& image, int x, int y, std::string_view text, Colour foreground,
              std::optional<Colour> background);

// The pixels of a Windows bitmap file's bytes: 1, 4, 8, 16, 24 or 32 bits a pixel, uncompressed
// or run-length encoded, rows bottom-up or top-down. Nothing when the bytes are not such a file,
// are damaged, or hold more than picturePixelLimit pixels.
std::optional<Image> decodeBitmapFile(std::string_view bytes);
// A bitmap file read from a path of this system; nothing when it cannot be read or decoded.
std::optional<Image> loadBitmapFile(const std::string& path);
// Writes the image as a PNG file; false when it cannot be written.
bool writePng(const Image& image, const std::string& path);

}  // namespace tw::raster
