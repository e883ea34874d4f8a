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

// Pixels in rows from the top, each a colour 0x00BBGGRR.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<platform::Colour> pixels;
};

}  // namespace tw::raster
