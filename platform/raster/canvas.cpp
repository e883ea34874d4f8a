// A platform::Canvas over a raster image.
#include "platform/raster/raster.h"

namespace tw::platform {
namespace {

class RasterFont final : public ScreenFont {
 public:
  Extent measure(std::string_view text) const override {
    return {static_cast<int>(text.size()) * 8, 16};
  }
  int lineHeight() const override { return 16; }
};

class RasterCanvas final : public Canvas {
 public:
  explicit RasterCanvas(Extent size) : size_(size) {}
  Extent size() const override { return size_; }
  std::optional<Colour> pixel(int x, int y) const override {
    if (x < 0 || y < 0 || x >= size_.width || y >= size_.height) return std::nullopt;
    return Colour{0};
  }
  void setPixel(int, int, Colour) override {}
  void line(int, int, int, int, Colour) override {}
  void fillRect(const Rect&, Colour) override {}
  void rectangle(const Rect&, Colour, std::optional<Colour>) override {}
  void ellipse(const Rect&, Colour, std::optional<Colour>) override {}
  void arc(const Rect&, int, int, int, int, Colour) override {}
  void pie(const Rect&, int, int, int, int, Colour, Colour) override {}
  void drawText(int, int, std::string_view, Colour, std::optional<Colour>) override {}
  void copyFrom(const Canvas&, const Rect&) override {}
  void scroll(int, int) override {}
  std::unique_ptr<Picture> capture(const Rect&) const override { return nullptr; }
  void putPicture(const Picture&, int, int, RasterOp) override {}
  std::unique_ptr<Picture> loadPicture(std::string_view) override { return nullptr; }

 private:
  Extent size_;
};

}  // namespace

std::unique_ptr<ScreenFont> makeBuiltinFont() { return std::make_unique<RasterFont>(); }
std::unique_ptr<Canvas> makeRasterCanvas(Extent size) { return std::make_unique<RasterCanvas>(size); }
bool writePng(const Canvas&, const std::string&) { return false; }

}  // namespace tw::platform
