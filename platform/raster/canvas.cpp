// The raster implementations of the platform's drawing services: a Canvas over an image, pictures,
// the font's metrics, a canvas as PNG. It touches no state but its own objects'.
//
// Each canvas guards its image with its own lock, because the UI thread paints while the program
// draws; a window that shows a canvas is told of every change, so that it uploads frames only then.
#include <algorithm>
#include <climits>
#include <mutex>
#include <new>

#include "platform/raster/raster.h"

namespace tw::platform {
namespace {

class RasterFont final : public ScreenFont {
 public:
  Extent measure(std::string_view text) const override {
    const std::size_t cells = std::min<std::size_t>(text.size(), INT_MAX / raster::cellWidth);
    return {static_cast<int>(cells) * raster::cellWidth, raster::cellHeight};
  }
  int lineHeight() const override { return raster::cellHeight; }
};

// A picture holds the pixels of one block (all of a loaded picture, the part of a capture that lay
// on the canvas); its other pixels are black. A capture mostly beside the canvas holds little.
class RasterPicture final : public Picture {
 public:
  explicit RasterPicture(raster::Image image)
      : size_{image.width, image.height}, held_(std::move(image)) {}
  RasterPicture(Extent size, int heldX, int heldY, raster::Image held)
      : size_(size), heldX_(heldX), heldY_(heldY), held_(std::move(held)) {}
  Extent size() const override { return size_; }
  // Draws the picture with its top-left corner at (x, y). Black changes nothing under OR and XOR,
  // so only a copy draws the pixels that are not held.
  void put(raster::Image& target, int x, int y, RasterOp op) const {
    const long long left = x, top = y;
    if (op == RasterOp::Copy && (held_.width != size_.width || held_.height != size_.height))
      raster::fillRect(target, {x, y, clamped(left + size_.width), clamped(top + size_.height)}, 0);
    const long long heldLeft = left + heldX_, heldTop = top + heldY_;
    if (heldLeft > INT_MAX || heldTop > INT_MAX) return;
    raster::blit(target, static_cast<int>(heldLeft), static_cast<int>(heldTop), held_, 0, 0,
                 held_.width, held_.height, op);
  }

 private:
  static int clamped(long long v) { return static_cast<int>(std::min<long long>(v, INT_MAX)); }
  Extent size_;
  int heldX_ = 0, heldY_ = 0;  // where the held block lies in the picture
  raster::Image held_;
};

// A side of a rectangle as a block transfer's extent: nothing when it is negative.
int extent(int from, int to) {
  return static_cast<int>(
      std::clamp(static_cast<long long>(to) - from, 0LL, static_cast<long long>(INT_MAX)));
}

// A code page 932 file name as a path of this system: UTF-8, '\' read as '/'.
std::optional<std::string> hostPath(std::string_view name) {
  bool lossless = true;
  std::string path = cp932ToUtf8(name, &lossless);
  if (!lossless) return std::nullopt;
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

class RasterCanvas final : public Canvas {
 public:
  // The pixels are made when something first draws: until then every pixel is blank_ (a
  // headless run that draws nothing never holds them).
  explicit RasterCanvas(Extent size, bool unseen = false) : unseen_(unseen) {
    image_.width = std::max(size.width, 0);
    image_.height = std::max(size.height, 0);
  }

  Extent size() const override {
    std::lock_guard lock(mutex_);
    return {image_.width, image_.height};
  }
  std::optional<Colour> pixel(int x, int y) const override {
    std::lock_guard lock(mutex_);
    if (!image_.contains(x, y)) return std::nullopt;
    return image_.pixels.empty() ? blank_ : image_.row(y)[x];
  }
  void setPixel(int x, int y, Colour c) override {
    change([&] { raster::setPixel(drawn(), x, y, c); });
  }
  void line(int x1, int y1, int x2, int y2, Colour pen) override {
    change([&] { raster::drawLine(drawn(), x1, y1, x2, y2, pen); });
  }
  void fillRect(const Rect& r, Colour c) override {
    change([&] {
      // Filling the whole canvas (CLS) leaves it blank again, in that colour.
      if (std::min(r.left, r.right) <= 0 && std::min(r.top, r.bottom) <= 0 &&
          std::max(r.left, r.right) >= image_.width && std::max(r.top, r.bottom) >= image_.height) {
        blank_ = c;
        image_.pixels = {};
        return;
      }
      raster::fillRect(drawn(), r, c);
    });
  }
  void rectangle(const Rect& r, Colour pen, std::optional<Colour> fill) override {
    change([&] { raster::drawRectangle(drawn(), r, pen, fill); });
  }
  void ellipse(const Rect& r, Colour pen, std::optional<Colour> fill) override {
    change([&] { raster::drawEllipse(drawn(), r, pen, fill); });
  }
  void arc(const Rect& r, int x3, int y3, int x4, int y4, Colour pen) override {
    change([&] { raster::drawArc(drawn(), r, x3, y3, x4, y4, pen); });
  }
  void pie(const Rect& r, int x3, int y3, int x4, int y4, Colour pen, Colour fill) override {
    change([&] { raster::drawPie(drawn(), r, x3, y3, x4, y4, pen, fill); });
  }
  void drawText(int x, int y, std::string_view cell, Colour foreground,
                std::optional<Colour> background) override {
    change([&] { raster::drawText(drawn(), x, y, cell, foreground, background); });
  }
  // Only another raster canvas is copied from (every surface of this system is one); copying a
  // canvas onto itself in place changes nothing.
  void copyFrom(const Canvas& source, const Rect& r) override {
    const auto* other = dynamic_cast<const RasterCanvas*>(&source);
    if (!other || other == this || unseen_) return;
    {
      std::scoped_lock lock(mutex_, other->mutex_);
      raster::blit(drawn(), r.left, r.top, other->drawn(), r.left, r.top, extent(r.left, r.right),
                   extent(r.top, r.bottom), RasterOp::Copy);
    }
    notify();
  }
  void scroll(int dx, int dy) override {
    change([&] {
      raster::blit(drawn(), 0, 0, drawn(), dx, dy, width(), height(), RasterOp::Copy);
    });
  }
  // A rectangle with its corners the wrong way round makes an empty picture; one larger than
  // picturePixelLimit, or one the memory cannot hold, makes none. Parts outside the canvas are
  // black.
  std::unique_ptr<Picture> capture(const Rect& r) const override {
    const int w = extent(r.left, r.right), h = extent(r.top, r.bottom);
    if (w > raster::picturePixelLimit || h > raster::picturePixelLimit ||
        static_cast<long long>(w) * h > raster::picturePixelLimit)
      return nullptr;
    try {
      // Only the part of r on the canvas is held: the rest is black.
      std::lock_guard lock(mutex_);
      const int left = std::max(r.left, 0), top = std::max(r.top, 0);
      const int right =
          static_cast<int>(std::min<long long>(static_cast<long long>(r.left) + w, width()));
      const int bottom =
          static_cast<int>(std::min<long long>(static_cast<long long>(r.top) + h, height()));
      if (unseen_ || right <= left || bottom <= top)
        return std::make_unique<RasterPicture>(Extent{w, h}, 0, 0, raster::Image());
      raster::Image held(right - left, bottom - top);
      raster::blit(held, 0, 0, drawn(), left, top, held.width, held.height, RasterOp::Copy);
      return std::make_unique<RasterPicture>(Extent{w, h}, left - r.left, top - r.top,
                                             std::move(held));
    } catch (const std::bad_alloc&) {
      return nullptr;
    }
  }
  void putPicture(const Picture& picture, int x, int y, RasterOp op) override {
    const auto* p = dynamic_cast<const RasterPicture*>(&picture);
    if (!p) return;
    change([&] { p->put(drawn(), x, y, op); });
  }
  // Nothing when the file cannot be read as a bitmap, or its pixels do not fit in the memory.
  std::unique_ptr<Picture> loadPicture(std::string_view fileName) override {
    try {
      const std::optional<std::string> path = hostPath(fileName);
      std::optional<raster::Image> image = path ? raster::loadBitmapFile(*path) : std::nullopt;
      if (!image) return nullptr;
      return std::make_unique<RasterPicture>(std::move(*image));
    } catch (const std::bad_alloc&) {
      return nullptr;
    }
  }

  bool writePng(const std::string& path) const {
    std::lock_guard lock(mutex_);
    return raster::writePng(drawn(), path);
  }

  void watch(CanvasWatcher watcher) {
    std::lock_guard lock(watcherMutex_);
    watcher_ = std::move(watcher);
  }
  // The pixels that still fit keep their place; the rest of the new area is black.
  void resize(Extent size) {
    change([&] {
      raster::Image resized(size.width, size.height);
      raster::blit(resized, 0, 0, drawn(), 0, 0, width(), height(), RasterOp::Copy);
      image_ = std::move(resized);
    });
  }
  void read(const std::function<void(const Colour*, Extent)>& reader) const {
    std::lock_guard lock(mutex_);
    reader(drawn().pixels.data(), {width(), height()});
  }

 private:
  // Draws under the lock, then tells the watcher.
  template <class Draw>
  void change(Draw draw) {
    if (unseen_) return;
    {
      std::lock_guard lock(mutex_);
      draw();
    }
    notify();
  }
  // The watcher runs outside the pixel lock, so that it may read the pixels; its own lock lets
  // watch() wait for a call in progress.
  void notify() {
    std::lock_guard lock(watcherMutex_);
    if (watcher_) watcher_();
  }

  // The pixels, made blank_ when first needed; called with the lock held.
  raster::Image& drawn() const {
    const auto count = static_cast<std::size_t>(image_.width) * static_cast<std::size_t>(image_.height);
    if (image_.pixels.size() != count) image_.pixels.assign(count, blank_);
    return image_;
  }
  int width() const { return image_.width; }
  int height() const { return image_.height; }

  mutable std::mutex mutex_;
  mutable raster::Image image_;
  Colour blank_ = 0;
  const bool unseen_;  // nobody looks at it: drawing does nothing and every pixel stays blank_
  std::mutex watcherMutex_;
  CanvasWatcher watcher_;
};

}  // namespace

std::unique_ptr<ScreenFont> makeBuiltinFont() {
  return std::make_unique<RasterFont>();
}
std::unique_ptr<Canvas> makeRasterCanvas(Extent size) {
  return std::make_unique<RasterCanvas>(size);
}
std::unique_ptr<Canvas> makeUnseenCanvas(Extent size) {
  return std::make_unique<RasterCanvas>(size, true);
}
bool writePng(const Canvas& canvas, const std::string& path) {
  const auto* raster = dynamic_cast<const RasterCanvas*>(&canvas);
  return raster && raster->writePng(path);
}
void watchRasterCanvas(Canvas& canvas, CanvasWatcher watcher) {
  if (auto* raster = dynamic_cast<RasterCanvas*>(&canvas)) raster->watch(std::move(watcher));
}
void resizeRasterCanvas(Canvas& canvas, Extent size) {
  if (auto* raster = dynamic_cast<RasterCanvas*>(&canvas)) raster->resize(size);
}
void readRasterCanvas(const Canvas& canvas,
                      const std::function<void(const Colour* pixels, Extent size)>& reader) {
  if (const auto* raster = dynamic_cast<const RasterCanvas*>(&canvas)) raster->read(reader);
}

}  // namespace tw::platform
