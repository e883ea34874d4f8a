// Unit tests of platform/raster/: the pixels of lines, rectangles, ellipses, arcs and pies, block
// transfers onto other images and onto themselves, text cells of the built-in font, PNG files
// written and read back, and Windows bitmap files of every kind read, damaged ones refused; what a
// window needs of a canvas (told of changes, resized, read) and of typed text.
#include "platform/raster/raster.h"

#include <gtest/gtest.h>
#include <stb/stb_image.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tw {
namespace {

using raster::Image;
using Pixels = std::set<std::pair<int, int>>;

constexpr platform::Colour pen = 0xFFFFFF, fill = 0x00FF00, paper = 0x123456;

// The pixels of the image that are not black.
Pixels lit(const Image& image) {
  Pixels p;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (image.row(y)[x] != 0) p.insert({x, y});
  return p;
}

Pixels line(int x1, int y1, int x2, int y2) {
  Image image(20, 20);
  raster::drawLine(image, x1, y1, x2, y2, pen);
  return lit(image);
}

TEST(RasterLine, LeavesOutTheEndPixelInEveryDirection) {
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy) {
      if (dx == 0 && dy == 0) continue;
      const Pixels p = line(10, 10, 10 + 5 * dx, 10 + 3 * dy);
      EXPECT_EQ(p.size(), dx != 0 ? 5u : 3u) << dx << "," << dy;
      EXPECT_TRUE(p.count({10, 10})) << dx << "," << dy;
      EXPECT_FALSE(p.count({10 + 5 * dx, 10 + 3 * dy})) << dx << "," << dy;
    }
  EXPECT_TRUE(line(3, 3, 3, 3).empty());
}

TEST(RasterLine, TiesGoToTheSmallerCoordinateEitherWay) {
  EXPECT_EQ(line(0, 0, 4, 2), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
  EXPECT_EQ(line(4, 2, 0, 0), (Pixels{{4, 2}, {3, 1}, {2, 1}, {1, 0}}));
  EXPECT_EQ(line(0, 0, 1, 4), (Pixels{{0, 0}, {0, 1}, {0, 2}, {1, 3}}));
  EXPECT_EQ(line(1, 4, 0, 0), (Pixels{{1, 4}, {1, 3}, {0, 2}, {0, 1}}));
  EXPECT_EQ(line(0, 0, 1, 3), (Pixels{{0, 0}, {0, 1}, {1, 2}}));
  EXPECT_EQ(line(0, 0, 3, 3), (Pixels{{0, 0}, {1, 1}, {2, 2}}));
  EXPECT_EQ(line(3, 0, 0, 3), (Pixels{{3, 0}, {2, 1}, {1, 2}}));
}

TEST(RasterLine, ClippingKeepsThePixelsOfTheWholeLine) {
  Image big(60, 60), small(20, 20);
  raster::drawLine(big, 10, 15, 50, 35, pen);
  raster::drawLine(small, -10, -5, 30, 15, pen);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x)
      EXPECT_EQ(small.row(y)[x], big.row(y + 20)[x + 20]) << x << "," << y;
  Image far(8, 8);
  raster::drawLine(far, -2000000000, -2000000000, 2000000000, 2000000000, pen);
  raster::drawLine(far, INT32_MIN, 5, INT32_MAX, 5, pen);
  Pixels expected;
  for (int i = 0; i < 8; ++i) expected.insert({i, i}), expected.insert({i, 5});
  EXPECT_EQ(lit(far), expected);
}

TEST(RasterRectangle, ExcludesRightAndBottomWhicheverCornersComeFirst) {
  for (const platform::Rect& r : {platform::Rect{2, 3, 7, 8}, platform::Rect{7, 8, 2, 3}}) {
    Image image(10, 10);
    raster::drawRectangle(image, r, pen, fill);
    EXPECT_EQ(image.row(3)[2], pen);
    EXPECT_EQ(image.row(7)[6], pen);
    EXPECT_EQ(image.row(5)[4], fill);
    EXPECT_EQ(image.row(8)[4], 0u);
    EXPECT_EQ(image.row(5)[7], 0u);
    EXPECT_EQ(lit(image).size(), 25u);
  }
  Image image(10, 10);
  raster::drawRectangle(image, {4, 4, 4, 9}, pen, fill);
  raster::fillRect(image, {-5, -5, 2, 1}, fill);
  EXPECT_EQ(lit(image).size(), 2u);
}

// The image as text, '#' for a pixel that is not black.
std::string drawing(const Image& image) {
  std::string out;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) out += image.row(y)[x] != 0 ? '#' : '.';
    out += '\n';
  }
  return out;
}

// A pen pixel with the three others of a 2×2 block also pen: an outline thicker than one pixel.
bool hasBlock(const Image& image) {
  for (int y = 0; y + 1 < image.height; ++y)
    for (int x = 0; x + 1 < image.width; ++x)
      if (image.row(y)[x] == pen && image.row(y)[x + 1] == pen && image.row(y + 1)[x] == pen &&
          image.row(y + 1)[x + 1] == pen)
        return true;
  return false;
}

TEST(RasterEllipse, FillsItsBoxSymmetricallyWithAThinOutline) {
  for (const platform::Rect& r : {platform::Rect{3, 2, 16, 11}, platform::Rect{0, 0, 40, 40},
                                  platform::Rect{30, 25, 5, 1}, platform::Rect{10, 10, 12, 30}}) {
    Image image(45, 45);
    raster::drawEllipse(image, r, pen, fill);
    const int left = std::min(r.left, r.right), right = std::max(r.left, r.right) - 1;
    const int top = std::min(r.top, r.bottom), bottom = std::max(r.top, r.bottom) - 1;
    int minX = 99, maxX = -1, minY = 99, maxY = -1;
    for (auto [x, y] : lit(image)) {
      minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y);
      maxY = std::max(maxY, y);
      EXPECT_EQ(image.row(y)[x], image.row(y)[left + right - x]) << x << "," << y;
      EXPECT_EQ(image.row(y)[x], image.row(top + bottom - y)[x]) << x << "," << y;
    }
    EXPECT_EQ(minX, left);
    EXPECT_EQ(maxX, right);
    EXPECT_EQ(minY, top);
    EXPECT_EQ(maxY, bottom);
    EXPECT_EQ(image.row((top + bottom) / 2)[(left + right) / 2], right - left > 1 ? fill : pen);
    if (right - left > 1) {
      EXPECT_FALSE(hasBlock(image));
    }
  }
  Image small(8, 8);
  raster::drawEllipse(small, {0, 0, 7, 7}, pen, std::nullopt);
  EXPECT_EQ(drawing(small),
            "..###...\n"
            ".#...#..\n"
            "#.....#.\n"
            "#.....#.\n"
            "#.....#.\n"
            ".#...#..\n"
            "..###...\n"
            "........\n");
  // The curve steps as GDI steps it: in a 100-pixel box the top row runs from 43 to 56, and the
  // next row's outline from 38 to 42.
  Image circle(100, 100);
  raster::drawEllipse(circle, {0, 0, 100, 100}, pen, std::nullopt);
  for (int x : {42, 43, 56, 57}) EXPECT_EQ(circle.row(0)[x] == pen, x == 43 || x == 56) << x;
  for (int x : {37, 38, 42, 43}) EXPECT_EQ(circle.row(1)[x] == pen, x == 38 || x == 42) << x;
}

// Arcs of the circle in (0,0)-(40,40), centre (20,20), from one angle to another in degrees.
Image arc(int from, int to) {
  auto x = [](int a) { return 20 + (a == 0 ? 20 : a == 180 ? -20 : 0); };
  auto y = [](int a) { return 20 + (a == 90 ? -20 : a == 270 ? 20 : 0); };
  Image image(40, 40);
  raster::drawArc(image, {0, 0, 40, 40}, x(from), y(from), x(to), y(to), pen);
  return image;
}

TEST(RasterArc, RunsCounterClockwiseOnTheScreen) {
  const struct {
    int from, to;
    bool right, up;
  } quadrants[] = {
      {0, 90, true, true}, {90, 180, false, true}, {180, 270, false, false}, {270, 0, true, false}};
  for (const auto& q : quadrants) {
    const Pixels p = lit(arc(q.from, q.to));
    EXPECT_GT(p.size(), 20u);
    for (auto [x, y] : p) {
      EXPECT_EQ(x >= 20, q.right) << q.from << ": " << x << "," << y;
      EXPECT_EQ(y < 20, q.up) << q.from << ": " << x << "," << y;
    }
  }
  const Pixels rightHalf = lit(arc(270, 90));
  EXPECT_TRUE(rightHalf.count({39, 19}) && rightHalf.count({39, 20}));
  for (auto [x, y] : rightHalf) EXPECT_GE(x, 20) << y;
  Image whole(40, 40);
  raster::drawEllipse(whole, {0, 0, 40, 40}, pen, std::nullopt);
  EXPECT_EQ(lit(arc(90, 90)), lit(whole));
  EXPECT_EQ(lit(arc(0, 90)).size() + lit(arc(90, 0)).size(), lit(whole).size());
}

TEST(RasterPie, FillsTheSectorAndDrawsItsRadii) {
  Image image(40, 40);
  raster::drawPie(image, {0, 0, 40, 40}, 40, 20, 20, 0, pen, fill);
  EXPECT_EQ(image.row(10)[30], fill);
  EXPECT_EQ(image.row(30)[10], 0u);
  EXPECT_EQ(image.row(30)[30], 0u);
  EXPECT_EQ(image.row(10)[25], fill);
  for (int y = 1; y < 20; ++y) EXPECT_EQ(image.row(y)[20], pen) << y;
  for (int x = 21; x < 39; ++x) EXPECT_EQ(image.row(20)[x], pen) << x;
  Image whole(40, 40);
  raster::drawPie(whole, {0, 0, 40, 40}, 0, 20, 0, 20, pen, fill);
  EXPECT_EQ(whole.row(30)[30], fill);
  EXPECT_EQ(whole.row(20)[5], pen);
}

// An image whose every pixel differs: y * 100 + x + 1.
Image pattern(int w, int h) {
  Image image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.row(y)[x] = static_cast<platform::Colour>(y * 100 + x + 1);
  return image;
}

TEST(RasterBlit, CombinesWithEachOperationAndClips) {
  const Image source = pattern(4, 4);
  Image target(6, 6, 0x0F0);
  raster::blit(target, 3, -1, source, 0, 0, 4, 4, platform::RasterOp::Copy);
  EXPECT_EQ(target.row(0)[3], source.row(1)[0]);
  EXPECT_EQ(target.row(2)[5], source.row(3)[2]);
  EXPECT_EQ(target.row(3)[3], 0x0F0u);
  raster::blit(target, 0, 0, source, 0, 0, 2, 2, platform::RasterOp::Or);
  EXPECT_EQ(target.row(1)[1], 0x0F0u | source.row(1)[1]);
  raster::blit(target, 0, 0, source, 0, 0, 2, 2, platform::RasterOp::Xor);
  raster::blit(target, 0, 0, source, 0, 0, 2, 2, platform::RasterOp::Xor);
  EXPECT_EQ(target.row(1)[1], 0x0F0u | source.row(1)[1]);
  raster::blit(target, 0, 0, source, 0, 0, 2, 2, platform::RasterOp::Xor);
  EXPECT_EQ(target.row(0)[0], 0x0F0u);
}

TEST(RasterBlit, MovesAnImageOntoItself) {
  const Image original = pattern(10, 8);
  for (auto [dx, dy] : {std::pair{0, 3}, {0, -3}, {4, 0}, {-4, 0}, {2, -5}, {-3, 2}}) {
    for (platform::RasterOp op : {platform::RasterOp::Copy, platform::RasterOp::Xor}) {
      Image image = original;
      raster::blit(image, 0, 0, image, dx, dy, 10, 8, op);
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x) {
          const bool inside = original.contains(x + dx, y + dy);
          platform::Colour want = original.row(y)[x];
          if (inside && op == platform::RasterOp::Copy) want = original.row(y + dy)[x + dx];
          if (inside && op == platform::RasterOp::Xor) want ^= original.row(y + dy)[x + dx];
          ASSERT_EQ(image.row(y)[x], want) << dx << "," << dy << " at " << x << "," << y;
        }
    }
  }
}

TEST(RasterCanvas, CapturesAndPutsPictures) {
  auto canvas = platform::makeRasterCanvas({20, 10});
  canvas->fillRect({0, 0, 20, 10}, fill);
  canvas->setPixel(18, 8, pen);
  auto picture = canvas->capture({18, 8, 22, 11});
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->size().width, 4);
  EXPECT_EQ(picture->size().height, 3);
  canvas->putPicture(*picture, 0, 0, platform::RasterOp::Copy);
  EXPECT_EQ(canvas->pixel(0, 0), pen);
  EXPECT_EQ(canvas->pixel(1, 0), fill);
  EXPECT_EQ(canvas->pixel(2, 0), 0u);
  EXPECT_EQ(canvas->pixel(20, 0), std::nullopt);
  EXPECT_EQ(canvas->capture({5, 5, 2, 2})->size().width, 0);
  EXPECT_FALSE(canvas->capture({0, 0, 100000, 100000}));
  auto copy = platform::makeRasterCanvas({20, 10});
  copy->copyFrom(*canvas, {0, 0, 2, 1});
  EXPECT_EQ(copy->pixel(0, 0), pen);
  EXPECT_EQ(copy->pixel(0, 1), 0u);
  canvas->scroll(18, 8);
  EXPECT_EQ(canvas->pixel(0, 0), pen);
}

// A picture captured partly beside the canvas is black there, whichever way it is put back.
TEST(RasterCanvas, APictureIsBlackWhereItLayBesideTheCanvas) {
  const auto pattern = [](int x, int y) {
    return static_cast<platform::Colour>(0x010203 * (x + 7 * y + 1));
  };
  auto source = platform::makeRasterCanvas({12, 8});
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 12; ++x) source->setPixel(x, y, pattern(x, y));
  const platform::Rect r{-3, -2, 15, 11};
  auto picture = source->capture(r);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->size().width, 18);
  EXPECT_EQ(picture->size().height, 13);
  for (platform::RasterOp op :
       {platform::RasterOp::Copy, platform::RasterOp::Or, platform::RasterOp::Xor}) {
    for (auto [px, py] : std::vector<std::pair<int, int>>{{0, 0}, {-5, 3}, {4, -6}, {-20, -20}}) {
      auto target = platform::makeRasterCanvas({16, 12});
      target->fillRect({0, 0, 16, 12}, paper);
      target->putPicture(*picture, px, py, op);
      for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x) {
          const int sx = x - px + r.left, sy = y - py + r.top;
          platform::Colour want = paper;
          if (x - px >= 0 && x - px < 18 && y - py >= 0 && y - py < 13) {
            const platform::Colour got =
                sx >= 0 && sx < 12 && sy >= 0 && sy < 8 ? pattern(sx, sy) : 0;
            if (op == platform::RasterOp::Copy) want = got;
            if (op == platform::RasterOp::Or) want |= got;
            if (op == platform::RasterOp::Xor) want ^= got;
          }
          ASSERT_EQ(target->pixel(x, y), want) << px << "," << py << " at " << x << "," << y;
        }
    }
  }
  // Wholly beside the canvas, and put where its corner lies far off: black, and nothing breaks.
  auto far = source->capture({100, 100, 110, 104});
  auto target = platform::makeRasterCanvas({4, 4});
  target->fillRect({0, 0, 4, 4}, paper);
  target->putPicture(*far, -8, -2, platform::RasterOp::Copy);
  EXPECT_EQ(target->pixel(0, 0), 0u);
  target->putPicture(*far, INT_MAX - 3, INT_MAX - 1, platform::RasterOp::Copy);
  target->putPicture(*source->capture({-5, -5, 5, 5}), INT_MIN, 0, platform::RasterOp::Copy);
  EXPECT_EQ(target->pixel(3, 3), paper);
}

// The largest captures, mostly beside a small canvas, cost only what lay on it: many of them
// can be held at once (each would otherwise take 256 MiB).
TEST(RasterCanvas, ACaptureBesideTheCanvasHoldsOnlyWhatLayOnIt) {
  auto canvas = platform::makeRasterCanvas({64, 48});
  canvas->setPixel(63, 47, pen);
  std::vector<std::unique_ptr<platform::Picture>> held;
  for (int i = 0; i < 40; ++i) {
    held.push_back(canvas->capture({0, 0, 1 << 13, 1 << 13}));
    ASSERT_TRUE(held.back());
    EXPECT_EQ(held.back()->size().width, 1 << 13);
  }
  canvas->putPicture(*held[0], -63, -47, platform::RasterOp::Copy);
  EXPECT_EQ(canvas->pixel(0, 0), pen);
  EXPECT_EQ(canvas->pixel(1, 1), 0u);
}

// A window uploads a frame only when told of a change, so every kind of drawing must tell it.
TEST(RasterCanvas, TellsItsWatcherOfEveryChangeAndKeepsPixelsWhenResized) {
  auto canvas = platform::makeRasterCanvas({20, 10});
  int changes = 0;
  platform::watchRasterCanvas(*canvas, [&] { ++changes; });
  canvas->setPixel(1, 1, pen);
  canvas->fillRect({0, 0, 2, 2}, fill);
  canvas->drawText(0, 0, "A", pen, std::nullopt);
  canvas->scroll(0, 1);
  auto other = platform::makeRasterCanvas({20, 10});
  canvas->copyFrom(*other, {10, 0, 20, 10});
  EXPECT_EQ(changes, 5);
  canvas->setPixel(2, 3, fill);
  platform::resizeRasterCanvas(*canvas, {4, 30});
  EXPECT_EQ(changes, 7);
  EXPECT_EQ(canvas->size().width, 4);
  EXPECT_EQ(canvas->size().height, 30);
  EXPECT_EQ(canvas->pixel(2, 3), fill);
  EXPECT_EQ(canvas->pixel(3, 29), 0u);
  platform::readRasterCanvas(*canvas, [&](const platform::Colour* pixels, platform::Extent size) {
    EXPECT_EQ(size.width * size.height, 120);
    EXPECT_EQ(pixels[3 * 4 + 2], fill);
  });
  platform::watchRasterCanvas(*canvas, {});
  canvas->setPixel(0, 0, pen);
  EXPECT_EQ(changes, 7);
}

// Typed text: each character that code page 932 holds becomes its bytes; the rest is left out.
TEST(TypedText, KeepsWhatCodePage932HoldsAndDropsTheRest) {
  EXPECT_EQ(platform::typedCp932("a\u65E5\u00E9b"), std::string("a\x93\xFA") + 'b');
  EXPECT_EQ(platform::typedCp932("\xF0\x9F\x98\x80x\xFFy\xE6\x97"), "xy");
  EXPECT_EQ(platform::typedCp932("\uFF76"), "\xB6");
}

// The colours of a cell drawn at (0, 0) of a paper-coloured image, as a text of '#' (foreground),
// '.' (background) and ' ' (paper), one line a pixel row.
std::string cell(std::string_view bytes, std::optional<platform::Colour> background) {
  Image image(24, 16, paper);
  raster::drawText(image, 0, 0, bytes, pen, background);
  std::string out;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 24; ++x)
      out += image.row(y)[x] == pen ? '#' : image.row(y)[x] == paper ? ' ' : '.';
    out += '\n';
  }
  return out;
}

std::string row(const std::string& picture, int y) {
  return picture.substr(y * 25, 24);
}

TEST(RasterFont, DrawsLettersKanjiAndKatakanaInTheirCells) {
  const std::string a = cell("A", fill);
  EXPECT_EQ(row(a, 4), "...##...                ");
  EXPECT_EQ(row(a, 9), ".######.                ");
  const std::string kanji = cell("\x88\xEA", fill);  // the numeral one
  EXPECT_EQ(row(kanji, 7), ".##############.        ");
  EXPECT_EQ(row(kanji, 8), "................        ");
  const std::string katakana = cell("\xB1", std::nullopt);
  EXPECT_EQ(row(katakana, 2), " #######                ");
  EXPECT_EQ(row(katakana, 0), "                        ");
  EXPECT_EQ(row(cell("\x01", fill), 8), "........                ");
  EXPECT_EQ(row(cell("\x7F ", std::nullopt), 8), std::string(24, ' '));
  EXPECT_EQ(row(cell("\x88", fill), 3), "........                ");
  EXPECT_EQ(row(cell("\x85\x40", fill), 3), "................        ");
  auto font = platform::makeBuiltinFont();
  EXPECT_EQ(font->measure("ab").width, 16);
  EXPECT_EQ(font->measure("\x88\xEA").width, 16);
  EXPECT_EQ(font->lineHeight(), 16);
}

std::string tempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() /
          ("tw_raster_" + std::to_string(::getpid()) + "_" + name))
      .string();
}

TEST(RasterPng, WritesWhatIsReadBack) {
  auto canvas = platform::makeRasterCanvas({3, 2});
  canvas->setPixel(0, 0, 0x0000FF);
  canvas->setPixel(2, 1, 0x804020);
  const std::string path = tempPath("shot.png");
  ASSERT_TRUE(platform::writePng(*canvas, path));
  int w = 0, h = 0, n = 0;
  stbi_uc* rgb = stbi_load(path.c_str(), &w, &h, &n, 3);
  ASSERT_TRUE(rgb);
  EXPECT_EQ(w, 3);
  EXPECT_EQ(h, 2);
  EXPECT_EQ(std::vector<int>(rgb, rgb + 3), (std::vector<int>{0xFF, 0, 0}));
  EXPECT_EQ(std::vector<int>(rgb + 15, rgb + 18), (std::vector<int>{0x20, 0x40, 0x80}));
  stbi_image_free(rgb);
  std::filesystem::remove(path);
  EXPECT_FALSE(platform::writePng(*canvas, "/nonexistent-folder/shot.png"));
}

// ---- Bitmap files ----

void put16(std::string& s, unsigned v) {
  s += static_cast<char>(v & 0xFF), s += static_cast<char>(v >> 8 & 0xFF);
}
void put32(std::string& s, std::uint32_t v) {
  put16(s, v & 0xFFFF), put16(s, v >> 16);
}

// A bitmap file with a 40-byte info header; the palette's colours are 0x00RRGGBB as stored.
std::string bitmapFile(int width, int height, int bits, std::uint32_t compression,
                       const std::vector<std::uint32_t>& palette, const std::string& pixels) {
  std::string f = "BM";
  put32(f, static_cast<std::uint32_t>(54 + 4 * palette.size() + pixels.size()));
  put32(f, 0);
  put32(f, static_cast<std::uint32_t>(54 + 4 * palette.size()));
  put32(f, 40), put32(f, static_cast<std::uint32_t>(width)),
      put32(f, static_cast<std::uint32_t>(height));
  put16(f, 1), put16(f, static_cast<unsigned>(bits)), put32(f, compression);
  put32(f, static_cast<std::uint32_t>(pixels.size())), put32(f, 0), put32(f, 0);
  put32(f, static_cast<std::uint32_t>(palette.size())), put32(f, 0);
  for (std::uint32_t c : palette) put32(f, c);
  return f + pixels;
}

const std::vector<std::uint32_t> palette{0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
constexpr platform::Colour red = 0x0000FF, green = 0x00FF00, blue = 0xFF0000;

// The image's pixels row by row from the top.
std::vector<platform::Colour> pixelsOf(const std::optional<Image>& image) {
  return image ? image->pixels : std::vector<platform::Colour>{};
}

TEST(RasterBitmapFile, ReadsEveryDepthBottomUpAndTopDown) {
  using std::string;
  // Three by two: the top row red, green, blue; the bottom row blue, black, red.
  const std::vector<platform::Colour> want{red, green, blue, blue, 0, red};
  const string one =
      bitmapFile(3, 2, 1, 0, {0x000000, 0xFF0000}, string("\x80\0\0\0\x80\0\0\0", 8));
  EXPECT_EQ(pixelsOf(raster::decodeBitmapFile(one)),
            (std::vector<platform::Colour>{red, 0, 0, red, 0, 0}));
  const string four = bitmapFile(3, 2, 4, 0, palette, string("\x30\x10\0\0\x12\x30\0\0", 8));
  EXPECT_EQ(pixelsOf(raster::decodeBitmapFile(four)), want);
  const string eight = bitmapFile(3, 2, 8, 0, palette, string("\3\0\1\0\1\2\3\0", 8));
  EXPECT_EQ(pixelsOf(raster::decodeBitmapFile(eight)), want);
  const string bgr =
      string("\xFF\0\0\0\0\0\0\0\xFF\0\0\0", 12) + string("\0\0\xFF\0\xFF\0\xFF\0\0\0\0\0", 12);
  EXPECT_EQ(pixelsOf(raster::decodeBitmapFile(bitmapFile(3, 2, 24, 0, {}, bgr))), want);
  const string topDown =
      string("\0\0\xFF\0\xFF\0\xFF\0\0\0\0\0", 12) + string("\xFF\0\0\0\0\0\0\0\xFF\0\0\0", 12);
  EXPECT_EQ(pixelsOf(raster::decodeBitmapFile(bitmapFile(3, -2, 24, 0, {}, topDown))), want);
  string bgra;
  for (platform::Colour c : {blue, 0u, red, red, green, blue})
    bgra +=
        string{static_cast<char>(c >> 16), static_cast<char>(c >> 8), static_cast<char>(c), '\0'};
  EXPECT_EQ(pixelsOf(raster::decodeBitmapFile(bitmapFile(3, 2, 32, 0, {}, bgra))), want);
}

TEST(RasterBitmapFile, DecodesRunLengths) {
  using std::string;
  // Bottom row: two of colour 3, then literal 1, 2, 3; end of line. Top row: a move right by 4
  // (skipped pixels stay black), one of colour 1, end of bitmap.
  const string rle8("\x02\x03\x00\x03\x01\x02\x03\x00\x00\x00\x00\x02\x04\x00\x01\x01\x00\x01", 18);
  const std::vector<platform::Colour> want{0, 0, 0, 0, red, blue, blue, red, green, blue};
  EXPECT_EQ(pixelsOf(raster::decodeBitmapFile(bitmapFile(5, 2, 8, 1, palette, rle8))), want);
  const string rle4("\x02\x33\x00\x03\x12\x30\x00\x00\x00\x02\x04\x00\x01\x10\x00\x01", 16);
  EXPECT_EQ(pixelsOf(raster::decodeBitmapFile(bitmapFile(5, 2, 4, 2, palette, rle4))), want);
  const string runPastEdge("\x09\x01\x00\x01", 4);
  EXPECT_EQ(pixelsOf(raster::decodeBitmapFile(bitmapFile(2, 1, 8, 1, palette, runPastEdge))),
            (std::vector<platform::Colour>{red, red}));
}

TEST(RasterBitmapFile, RefusesDamagedFiles) {
  using std::string;
  const string good = bitmapFile(3, 2, 8, 0, palette, string("\3\0\1\0\1\2\3\0", 8));
  ASSERT_TRUE(raster::decodeBitmapFile(good));
  EXPECT_FALSE(raster::decodeBitmapFile(good.substr(0, good.size() - 4)));  // truncated
  EXPECT_FALSE(raster::decodeBitmapFile(good.substr(0, 30)));
  EXPECT_FALSE(raster::decodeBitmapFile(""));
  string lying = good;
  lying[10] = static_cast<char>(0xF0);  // pixels beyond the end
  EXPECT_FALSE(raster::decodeBitmapFile(lying));
  for (int bits : {0, 2, 7, 64})
    EXPECT_FALSE(raster::decodeBitmapFile(bitmapFile(3, 2, bits, 0, palette, string(64, '\0'))));
  EXPECT_FALSE(raster::decodeBitmapFile(bitmapFile(0, 2, 8, 0, palette, string(8, '\0'))));
  EXPECT_FALSE(raster::decodeBitmapFile(bitmapFile(3, 2, 8, 2, palette, string(8, '\0'))));
  EXPECT_FALSE(raster::decodeBitmapFile(bitmapFile(3, 2, 24, 1, {}, string(24, '\0'))));
  // Huge sizes cost nothing but a refusal, even with run-length data that could claim them.
  EXPECT_FALSE(
      raster::decodeBitmapFile(bitmapFile(65536, 65536, 8, 1, palette, string("\0\1", 2))));
  EXPECT_FALSE(raster::decodeBitmapFile(bitmapFile(INT32_MAX, INT32_MIN, 24, 0, {}, "")));
  EXPECT_FALSE(raster::decodeBitmapFile(bitmapFile(8192, 8193, 8, 1, palette, string("\0\1", 2))));
  // Run-length data that ends inside a command, or is shorter than its header says.
  EXPECT_FALSE(raster::decodeBitmapFile(bitmapFile(5, 2, 8, 1, palette, string("\0\5\1\2", 4))));
  EXPECT_FALSE(raster::decodeBitmapFile(bitmapFile(5, 2, 8, 1, palette, string("\0\2\1", 3))));
  string shortRuns = bitmapFile(5, 2, 8, 1, palette, string("\2\1\0\1", 4));
  shortRuns[34] = 9;
  EXPECT_FALSE(raster::decodeBitmapFile(shortRuns));
}

TEST(RasterBitmapFile, SurvivesRandomDamage) {
  using std::string;
  const string seeds[] = {
      bitmapFile(5, 2, 8, 1, palette,
                 string("\x02\x03\x00\x03\x01\x02\x03\x00\x00\x00\x00\x02\x04\x00", 14)),
      bitmapFile(5, 2, 4, 2, palette,
                 string("\x02\x33\x00\x03\x12\x30\x00\x00\x00\x02\x04\x00", 12)),
      bitmapFile(3, 2, 24, 0, {}, string(24, '\x7F')),
      bitmapFile(3, 2, 1, 0, palette, string(8, '\x55'))};
  std::mt19937 random(7);
  for (const string& seed : seeds)
    for (int round = 0; round < 3000; ++round) {
      string f = seed;
      // The width and height stay as they are: large ones are refused or allocated, not read.
      for (int k = random() % 4; k >= 0; --k) {
        const std::size_t at = random() % f.size();
        if (at < 18 || at >= 26) f[at] = static_cast<char>(random());
      }
      if (random() % 3 == 0) f.resize(random() % f.size());
      std::optional<Image> image = raster::decodeBitmapFile(f);
      if (image) {
        ASSERT_EQ(image->pixels.size(), static_cast<std::size_t>(image->width) * image->height);
      }
    }
}

TEST(RasterBitmapFile, LoadsPicturesByCodePageName) {
  const std::string folder = tempPath("pictures");
  std::filesystem::create_directories(folder);
  std::ofstream(folder + "/pic.bmp", std::ios::binary)
      << bitmapFile(3, 2, 8, 0, palette, std::string("\3\0\1\0\1\2\3\0", 8));
  auto canvas = platform::makeRasterCanvas({4, 4});
  std::string name = folder + "\\pic.bmp";
  auto picture = canvas->loadPicture(name);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->size().width, 3);
  canvas->putPicture(*picture, 1, 1, platform::RasterOp::Copy);
  EXPECT_EQ(canvas->pixel(1, 1), red);
  EXPECT_FALSE(canvas->loadPicture(folder + "\\missing.bmp"));
  EXPECT_FALSE(canvas->loadPicture(folder));
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tw
