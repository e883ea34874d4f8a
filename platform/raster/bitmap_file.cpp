// Windows bitmap files read into images; it writes nothing outside the image it makes.
//
// A file is untrusted: its headers are checked against its size before anything is read, sizes
// are capped by picturePixelLimit and pictureFileLimit, and every read stays inside the bytes.
// Palette formats, run-length encoded or not, are decoded here; direct colour formats go to
// stb_image once checked.
#include <stb/stb_image.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "platform/raster/raster.h"

namespace tw::raster {
namespace {

constexpr std::size_t fileHeaderSize = 14;
// The info header sizes of the bitmap formats read: the old core header, then the later ones.
constexpr std::array<std::uint32_t, 6> infoSizes{12, 40, 52, 56, 108, 124};
constexpr std::uint32_t coreInfoSize = 12;
// Bit masks that follow a 40-byte info header with bitfields compression.
constexpr std::size_t maskBytes = 12;

enum Compression : std::uint32_t { plain = 0, rle8 = 1, rle4 = 2, bitfields = 3 };

std::uint32_t u16(std::string_view b, std::size_t at) {
  return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}
std::uint32_t u32(std::string_view b, std::size_t at) {
  return u16(b, at) | u16(b, at + 2) << 16;
}

struct Header {
  std::uint32_t infoSize = 0;
  long long width = 0, height = 0;
  bool topDown = false;
  int bitsPerPixel = 0;
  std::uint32_t compression = plain;
  std::uint32_t imageSize = 0;
  std::size_t pixelsAt = 0;
  std::size_t paletteAt = 0, paletteCount = 0, paletteEntry = 4;
};

// stb_image does not read the 52-byte info header and takes the masks of the 56-byte one from the
// wrong place, so direct colour comes only with the others.
bool directInfo(std::uint32_t infoSize) {
  return infoSize != 52 && infoSize != 56;
}

bool validFormat(const Header& h) {
  switch (h.bitsPerPixel) {
    case 1:
      return h.compression == plain;
    case 4:
      return h.compression == plain || h.compression == rle4;
    case 8:
      return h.compression == plain || h.compression == rle8;
    case 16:
    case 32:
      return directInfo(h.infoSize) && h.infoSize != coreInfoSize &&
             (h.compression == plain || h.compression == bitfields);
    case 24:
      return directInfo(h.infoSize) && h.compression == plain;
    default:
      return false;
  }
}

// The headers, checked: a known layout, a size within picturePixelLimit, a palette and pixel
// data that begin inside the file.
std::optional<Header> readHeader(std::string_view f) {
  if (f.size() < fileHeaderSize + 4 || f[0] != 'B' || f[1] != 'M') return std::nullopt;
  Header h;
  h.infoSize = u32(f, 14);
  if (std::find(infoSizes.begin(), infoSizes.end(), h.infoSize) == infoSizes.end() ||
      f.size() < fileHeaderSize + h.infoSize)
    return std::nullopt;
  std::uint32_t colourCount = 0, planes = 0;
  if (h.infoSize == coreInfoSize) {
    h.width = u16(f, 18);
    h.height = u16(f, 20);
    planes = u16(f, 22);
    h.bitsPerPixel = static_cast<int>(u16(f, 24));
    h.paletteEntry = 3;
  } else {
    h.width = static_cast<std::int32_t>(u32(f, 18));
    h.height = static_cast<std::int32_t>(u32(f, 22));
    planes = u16(f, 26);
    h.bitsPerPixel = static_cast<int>(u16(f, 28));
    h.compression = u32(f, 30);
    h.imageSize = u32(f, 34);
    colourCount = u32(f, 46);
  }
  h.topDown = h.height < 0;
  h.height = h.topDown ? -h.height : h.height;
  if (planes != 1 || h.width <= 0 || h.height == 0 || h.width * h.height > picturePixelLimit ||
      !validFormat(h))
    return std::nullopt;
  h.paletteAt = fileHeaderSize + h.infoSize;
  if (h.bitsPerPixel <= 8) {
    const std::size_t full = std::size_t{1} << h.bitsPerPixel;
    h.paletteCount = colourCount == 0 ? full : std::min<std::size_t>(colourCount, full);
    if (h.paletteAt + h.paletteCount * h.paletteEntry > f.size()) return std::nullopt;
  }
  h.pixelsAt = u32(f, 10);
  if (h.pixelsAt < h.paletteAt || h.pixelsAt > f.size()) return std::nullopt;
  return h;
}

std::vector<Colour> readPalette(std::string_view f, const Header& h) {
  std::vector<Colour> palette(h.paletteCount);
  for (std::size_t i = 0; i < h.paletteCount; ++i) {
    const std::size_t at = h.paletteAt + i * h.paletteEntry;
    const auto blue = static_cast<unsigned char>(f[at]);
    const auto green = static_cast<unsigned char>(f[at + 1]);
    const auto red = static_cast<unsigned char>(f[at + 2]);
    palette[i] = static_cast<Colour>(red | green << 8 | blue << 16);
  }
  return palette;
}

// Rows are stored from the bottom unless the height was negative.
int imageRow(const Header& h, long long fileRow) {
  return static_cast<int>(h.topDown ? fileRow : h.height - 1 - fileRow);
}

// Colour indices outside the palette are black, like the pixels a compressed file skips.
class IndexWriter {
 public:
  IndexWriter(Image& image, const Header& h, std::vector<Colour> palette)
      : image_(image), header_(h), palette_(std::move(palette)) {}
  void put(long long x, long long fileRow, unsigned index) {
    if (x < 0 || x >= image_.width || fileRow < 0 || fileRow >= image_.height) return;
    image_.row(imageRow(header_, fileRow))[x] = index < palette_.size() ? palette_[index] : 0;
  }

 private:
  Image& image_;
  const Header& header_;
  std::vector<Colour> palette_;
};

unsigned indexAt(std::string_view row, long long x, int bits) {
  const auto byte = static_cast<unsigned char>(row[static_cast<std::size_t>(x * bits / 8)]);
  const int shift = 8 - bits - static_cast<int>(x * bits % 8);
  return (byte >> shift) & ((1u << bits) - 1);
}

// Rows are padded to four bytes; the last row's padding may be missing from the file.
long long rowStride(const Header& h) {
  return (h.width * h.bitsPerPixel + 31) / 32 * 4;
}
long long rowBytes(const Header& h) {
  return (h.width * h.bitsPerPixel + 7) / 8;
}
bool holdsPixels(std::string_view f, const Header& h) {
  return static_cast<long long>(h.pixelsAt) + rowStride(h) * (h.height - 1) + rowBytes(h) <=
         static_cast<long long>(f.size());
}

std::optional<Image> decodePalettePlain(std::string_view f, const Header& h) {
  if (!holdsPixels(f, h)) return std::nullopt;
  const long long stride = rowStride(h), lastRow = rowBytes(h);
  Image image(static_cast<int>(h.width), static_cast<int>(h.height));
  IndexWriter out(image, h, readPalette(f, h));
  for (long long y = 0; y < h.height; ++y) {
    const std::string_view row = f.substr(h.pixelsAt + static_cast<std::size_t>(y * stride),
                                          static_cast<std::size_t>(lastRow));
    for (long long x = 0; x < h.width; ++x) out.put(x, y, indexAt(row, x, h.bitsPerPixel));
  }
  return image;
}

// Run-length encoded pixels: pairs (count, colour) and escapes after a zero count (end of line,
// end of bitmap, a move, or a run of literal pixels padded to an even length). Every pass of the
// loop consumes bytes, so it ends with the data. Data that ends between commands ends the
// picture; data that ends inside a command is damage.
bool decodeRuns(std::string_view data, bool fourBits, IndexWriter& out, long long height) {
  std::size_t p = 0;
  long long x = 0, y = 0;
  auto byte = [&](std::size_t at) { return static_cast<unsigned char>(data[at]); };
  auto nibble = [&](unsigned char b, long long k) { return k % 2 == 0 ? b >> 4 : b & 15u; };
  while (y < height && p + 2 <= data.size()) {
    const unsigned count = byte(p), value = byte(p + 1);
    p += 2;
    if (count > 0) {
      for (unsigned k = 0; k < count; ++k) out.put(x++, y, fourBits ? nibble(value, k) : value);
    } else if (value == 0) {
      x = 0, ++y;
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      if (p + 2 > data.size()) return false;
      x += byte(p), y += byte(p + 1);
      p += 2;
    } else {
      const std::size_t bytes = fourBits ? (value + 1) / 2 : value;
      if (p + bytes > data.size()) return false;
      for (unsigned k = 0; k < value; ++k)
        out.put(x++, y, fourBits ? nibble(byte(p + k / 2), k) : byte(p + k));
      p = std::min(data.size(), p + bytes + bytes % 2);
    }
  }
  return true;
}

std::optional<Image> decodePaletteRuns(std::string_view f, const Header& h) {
  std::string_view data = f.substr(h.pixelsAt);
  if (h.imageSize != 0) {
    if (h.imageSize > data.size()) return std::nullopt;
    data = data.substr(0, h.imageSize);
  }
  Image image(static_cast<int>(h.width), static_cast<int>(h.height));
  IndexWriter out(image, h, readPalette(f, h));
  if (!decodeRuns(data, h.compression == rle4, out, h.height)) return std::nullopt;
  return image;
}

// Direct colour through stb_image, which wants the pixels straight after the headers: a gap
// before them is cut out of a copy first.
std::optional<Image> decodeDirect(std::string_view f, const Header& h) {
  if (!holdsPixels(f, h)) return std::nullopt;
  std::size_t headersEnd = h.paletteAt;
  if (h.compression == bitfields && h.infoSize == 40) headersEnd += maskBytes;
  if (h.pixelsAt < headersEnd) return std::nullopt;
  std::string copy;
  if (h.pixelsAt > headersEnd) {
    copy.reserve(f.size() - (h.pixelsAt - headersEnd));
    copy.append(f.substr(0, headersEnd)).append(f.substr(h.pixelsAt));
    for (int k = 0; k < 4; ++k) copy[10 + k] = static_cast<char>((headersEnd >> (8 * k)) & 0xFF);
    f = copy;
  }
  int w = 0, ht = 0, channels = 0;
  stbi_uc* rgb = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(f.data()),
                                       static_cast<int>(f.size()), &w, &ht, &channels, 3);
  if (!rgb) return std::nullopt;
  std::optional<Image> image;
  if (w == h.width && ht == h.height) {
    image.emplace(w, ht);
    for (std::size_t i = 0; i < image->pixels.size(); ++i)
      image->pixels[i] =
          static_cast<Colour>(rgb[3 * i] | rgb[3 * i + 1] << 8 | rgb[3 * i + 2] << 16);
  }
  stbi_image_free(rgb);
  return image;
}

}  // namespace

std::optional<Image> decodeBitmapFile(std::string_view bytes) {
  if (static_cast<long long>(bytes.size()) > pictureFileLimit) return std::nullopt;
  const std::optional<Header> h = readHeader(bytes);
  if (!h) return std::nullopt;
  if (h->bitsPerPixel > 8) return decodeDirect(bytes, *h);
  if (h->compression == plain) return decodePalettePlain(bytes, *h);
  return decodePaletteRuns(bytes, *h);
}

std::optional<Image> loadBitmapFile(const std::string& path) {
  // Only a regular file is opened: a pipe or a device could hang the open or never end.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > static_cast<std::uintmax_t>(pictureFileLimit)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) return std::nullopt;
  return decodeBitmapFile(bytes);
}

}  // namespace tw::raster
