// PNG files written from images through stb_image_write. It touches nothing but the file named.
#include <stb/stb_image_write.h>

#include "platform/raster/raster.h"

namespace tw::raster {

bool writePng(const Image& image, const std::string& path) {
  if (image.width <= 0 || image.height <= 0) return false;
  std::vector<unsigned char> rgb(image.pixels.size() * 3);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    const Colour c = image.pixels[i];
    rgb[3 * i] = static_cast<unsigned char>(c & 0xFF);
    rgb[3 * i + 1] = static_cast<unsigned char>((c >> 8) & 0xFF);
    rgb[3 * i + 2] = static_cast<unsigned char>((c >> 16) & 0xFF);
  }
  return stbi_write_png(path.c_str(), image.width, image.height, 3, rgb.data(), image.width * 3) !=
         0;
}

}  // namespace tw::raster
