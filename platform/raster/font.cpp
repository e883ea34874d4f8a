// The built-in font: the glyph of every code page 932 character, made from GNU Unifont when the
// system is built, and text drawn with it. No font file is read while a program runs.
#include <cstdint>

#include "platform/raster/raster.h"

namespace tw::raster {
namespace {

// glyphRows (16 rows a glyph, the leftmost pixel in the top bit; glyph 0 is empty),
// singleByteGlyphs (by byte) and doubleByteGlyphs (by lead and trail byte).
#include "font_glyphs.inc"

constexpr int trailCount = 0xFD - 0x40;

const std::uint16_t* doubleByteGlyph(unsigned char lead, unsigned char trail) {
  if (trail < 0x40 || trail > 0xFC) return glyphRows[0];
  const int leadIndex = lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 0x1F;
  return glyphRows[doubleByteGlyphs[leadIndex * trailCount + (trail - 0x40)]];
}

void drawGlyph(Image& image, long long x, int y, const std::uint16_t* rows, int width,
               Colour foreground, std::optional<Colour> background) {
  for (int r = 0; r < cellHeight; ++r) {
    const long long py = static_cast<long long>(y) + r;
    if (py < 0 || py >= image.height) continue;
    Colour* row = image.row(static_cast<int>(py));
    for (int c = 0; c < width; ++c) {
      const long long px = x + c;
      if (px < 0 || px >= image.width) continue;
      if (rows[r] & (0x8000u >> c))
        row[px] = foreground;
      else if (background)
        row[px] = *background;
    }
  }
}

}  // namespace

void drawText(Image& image, int x, int y, std::string_view text, Colour foreground,
              std::optional<Colour> background) {
  long long left = x;
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (platform::isLeadByte(b) && i + 1 < text.size()) {
      const auto trail = static_cast<unsigned char>(text[i + 1]);
      drawGlyph(image, left, y, doubleByteGlyph(b, trail), 2 * cellWidth, foreground, background);
      left += 2 * cellWidth;
      i += 2;
    } else {
      drawGlyph(image, left, y, glyphRows[singleByteGlyphs[b]], cellWidth, foreground, background);
      left += cellWidth;
      ++i;
    }
  }
}

}  // namespace tw::raster
