// Drawing through GDI: the screen font, the canvases of the graphics bitmap (a DIB section in a
// memory device context) and of the window, pictures, and a bitmap written as PNG. It touches no
// state but its own objects'.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <vector>

#include "platform/raster/raster.h"
#include "platform/win32/detail.h"

#define STBIW_WINDOWS_UTF8
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace tw::platform::win32 {
namespace {

// A side of a rectangle as a block transfer's extent: nothing when it is negative.
int extent(int from, int to) {
  return static_cast<int>(
      std::clamp(static_cast<long long>(to) - from, 0LL, static_cast<long long>(INT_MAX)));
}

// A loaded bitmap's pixels as a 32-bit DIB section: a block transfer from a monochrome bitmap
// would take the text colours of the target instead of the file's own two colours.
HBITMAP trueColour(HBITMAP loaded, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP copy = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!copy) return nullptr;
  HDC screen = GetDC(nullptr);
  const int lines = GetDIBits(screen, loaded, 0, static_cast<UINT>(height), bits, &info,
                              DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (lines != height) {
    DeleteObject(copy);
    return nullptr;
  }
  return copy;
}

// A picture holds a bitmap of the part that lay on the canvas, at (heldX, heldY) in it; the rest
// is black.
class GdiPicture final : public Picture {
 public:
  GdiPicture(HBITMAP bitmap, Extent size) : bitmap_(bitmap), size_(size), held_(size) {}
  GdiPicture(HBITMAP bitmap, Extent size, int heldX, int heldY, Extent held)
      : bitmap_(bitmap), size_(size), heldX_(heldX), heldY_(heldY), held_(held) {}
  ~GdiPicture() override {
    if (bitmap_) DeleteObject(bitmap_);
  }
  GdiPicture(const GdiPicture&) = delete;
  GdiPicture& operator=(const GdiPicture&) = delete;
  Extent size() const override { return size_; }
  HBITMAP bitmap() const { return bitmap_; }
  int heldX() const { return heldX_; }
  int heldY() const { return heldY_; }
  Extent held() const { return held_; }

 private:
  HBITMAP bitmap_;
  Extent size_;
  int heldX_ = 0, heldY_ = 0;
  Extent held_;
};

// The graphics bitmap: a top-down 32-bit DIB section, so that its pixels can be read directly.
class BitmapCanvas final : public GdiCanvas {
 public:
  BitmapCanvas(Extent size, const ScreenFont& font) : GdiCanvas(font) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.width;
    info.bmiHeader.biHeight = -size.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = dc_ ? CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (!bitmap_) return;
    bits_ = static_cast<const std::uint32_t*>(bits);
    size_ = size;
    oldBitmap_ = SelectObject(dc_, bitmap_);
    prepare(dc_);
  }
  ~BitmapCanvas() override {
    if (oldBitmap_) SelectObject(dc_, oldBitmap_);
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
  }
  BitmapCanvas(const BitmapCanvas&) = delete;
  BitmapCanvas& operator=(const BitmapCanvas&) = delete;

  Extent size() const override { return size_; }
  // Read from the section itself: a fill reads many pixels one at a time.
  std::optional<Colour> pixel(int x, int y) const override {
    std::lock_guard lock(mutex());
    if (!bits_ || x < 0 || y < 0 || x >= size_.width || y >= size_.height) return std::nullopt;
    GdiFlush();
    return fromDib(bits_[static_cast<std::size_t>(y) * size_.width + x]);
  }

  bool writePng(const std::string& path) const {
    std::lock_guard lock(mutex());
    if (!bits_) return false;
    GdiFlush();
    std::vector<unsigned char> rgb(static_cast<std::size_t>(size_.width) * size_.height * 3);
    for (std::size_t i = 0; i < rgb.size() / 3; ++i) {
      const std::uint32_t v = bits_[i];
      rgb[3 * i] = static_cast<unsigned char>(v >> 16);
      rgb[3 * i + 1] = static_cast<unsigned char>(v >> 8);
      rgb[3 * i + 2] = static_cast<unsigned char>(v);
    }
    return stbi_write_png(path.c_str(), size_.width, size_.height, 3, rgb.data(),
                          size_.width * 3) != 0;
  }

 protected:
  HDC dc() const override { return bits_ ? dc_ : nullptr; }

 private:
  // A DIB pixel holds blue in its low byte; a colour value holds red there.
  static Colour fromDib(std::uint32_t v) {
    return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
  }

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  const std::uint32_t* bits_ = nullptr;
  Extent size_;
};

// A memory device context holding a bitmap for the time of one transfer.
class BitmapDc {
 public:
  BitmapDc(HDC like, HBITMAP bitmap) : dc_(CreateCompatibleDC(like)) {
    if (dc_) old_ = SelectObject(dc_, bitmap);
  }
  ~BitmapDc() {
    if (!dc_) return;
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  BitmapDc(const BitmapDc&) = delete;
  BitmapDc& operator=(const BitmapDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_ = nullptr;
};

bool tooLarge(long long width, long long height) {
  return width > raster::picturePixelLimit || height > raster::picturePixelLimit ||
         width * height > raster::picturePixelLimit;
}

DWORD ropOf(RasterOp op) {
  switch (op) {
    case RasterOp::Or: return SRCPAINT;
    case RasterOp::Xor: return SRCINVERT;
    default: return SRCCOPY;
  }
}

}  // namespace

// ---- The screen font ----------------------------------------------------------------------------

LOGFONTW toLogFontW(const LogFont& font) {
  LOGFONTW lf{};
  lf.lfHeight = font.height;
  lf.lfWidth = font.width;
  lf.lfEscapement = font.escapement;
  lf.lfOrientation = font.orientation;
  lf.lfWeight = font.weight;
  lf.lfItalic = font.italic;
  lf.lfUnderline = font.underline;
  lf.lfStrikeOut = font.strikeOut;
  lf.lfCharSet = font.charSet;
  lf.lfOutPrecision = font.outPrecision;
  lf.lfClipPrecision = font.clipPrecision;
  lf.lfQuality = font.quality;
  lf.lfPitchAndFamily = font.pitchAndFamily;
  const std::size_t n = std::min(font.faceName.size(), logFontFaceLimit);
  std::copy_n(font.faceName.begin(), n, lf.lfFaceName);
  return lf;
}

GdiFont::GdiFont(const LogFont& font) {
  const LOGFONTW lf = toLogFontW(font);
  font_ = CreateFontIndirectW(&lf);
  dc_ = CreateCompatibleDC(nullptr);
  if (!dc_) return;
  if (font_) oldFont_ = SelectObject(dc_, font_);
  TEXTMETRICW tm{};
  if (GetTextMetricsW(dc_, &tm)) lineHeight_ = tm.tmHeight + tm.tmExternalLeading;
  // A lead byte alone is no character: it measures half a full-width cell, so that a double-byte
  // character advances by the width of its glyph.
  SIZE full{};
  if (GetTextExtentPoint32W(dc_, L"\x3000", 1, &full)) leadByteWidth_ = full.cx / 2;
}

GdiFont::~GdiFont() {
  if (dc_) {
    if (oldFont_) SelectObject(dc_, oldFont_);
    DeleteDC(dc_);
  }
  if (font_) DeleteObject(font_);
}

Extent GdiFont::measure(std::string_view text) const {
  if (text.size() == 1 && isLeadByte(static_cast<unsigned char>(text[0])))
    return {leadByteWidth_, lineHeight_};
  const std::u16string wideText = cp932ToUtf16(text);
  std::lock_guard lock(mutex_);
  SIZE s{};
  if (!dc_ || !GetTextExtentPoint32W(dc_, wide(wideText), static_cast<int>(wideText.size()), &s))
    return {0, lineHeight_};
  return {s.cx, s.cy};
}

// ---- Canvases -------------------------------------------------------------------------------------

GdiCanvas::GdiCanvas(const ScreenFont& font) {
  if (const auto* gdi = dynamic_cast<const GdiFont*>(&font)) font_ = gdi->handle();
}

void GdiCanvas::prepare(HDC dc) const {
  if (font_) SelectObject(dc, font_);
  SelectObject(dc, GetStockObject(DC_PEN));
  SelectObject(dc, GetStockObject(DC_BRUSH));
}

std::optional<Colour> GdiCanvas::pixel(int x, int y) const {
  std::lock_guard lock(mutex());
  HDC d = dc();
  if (!d) return std::nullopt;
  const COLORREF c = GetPixel(d, x, y);
  if (c == CLR_INVALID) return std::nullopt;
  return c;
}

void GdiCanvas::setPixel(int x, int y, Colour c) {
  std::lock_guard lock(mutex());
  if (HDC d = dc()) SetPixelV(d, x, y, c);
}

void GdiCanvas::line(int x1, int y1, int x2, int y2, Colour pen) {
  std::lock_guard lock(mutex());
  HDC d = dc();
  if (!d) return;
  SetDCPenColor(d, pen);
  MoveToEx(d, x1, y1, nullptr);
  LineTo(d, x2, y2);
}

void GdiCanvas::fillRect(const Rect& r, Colour c) {
  std::lock_guard lock(mutex());
  HDC d = dc();
  if (!d) return;
  RECT rc{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
          std::max(r.top, r.bottom)};
  SetDCBrushColor(d, c);
  FillRect(d, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

namespace {

// Draws a closed figure with the pen and, when given, the fill; the stock brush is put back.
template <typename Figure>
void closedFigure(HDC d, Colour pen, std::optional<Colour> fill, Figure figure) {
  SetDCPenColor(d, pen);
  if (fill) {
    SetDCBrushColor(d, *fill);
  } else {
    SelectObject(d, GetStockObject(NULL_BRUSH));
  }
  figure();
  if (!fill) SelectObject(d, GetStockObject(DC_BRUSH));
}

}  // namespace

void GdiCanvas::rectangle(const Rect& r, Colour pen, std::optional<Colour> fill) {
  std::lock_guard lock(mutex());
  HDC d = dc();
  if (!d) return;
  closedFigure(d, pen, fill, [&] { Rectangle(d, r.left, r.top, r.right, r.bottom); });
}

void GdiCanvas::ellipse(const Rect& r, Colour pen, std::optional<Colour> fill) {
  std::lock_guard lock(mutex());
  HDC d = dc();
  if (!d) return;
  closedFigure(d, pen, fill, [&] { Ellipse(d, r.left, r.top, r.right, r.bottom); });
}

// Two equal radial points make the whole outline. Some GDIs leave out the pixel where such an arc
// starts, which would let a fill out through it, so the outline is drawn as an ellipse's.
void GdiCanvas::arc(const Rect& r, int x3, int y3, int x4, int y4, Colour pen) {
  std::lock_guard lock(mutex());
  HDC d = dc();
  if (!d) return;
  if (x3 == x4 && y3 == y4) {
    closedFigure(d, pen, std::nullopt, [&] { Ellipse(d, r.left, r.top, r.right, r.bottom); });
    return;
  }
  SetDCPenColor(d, pen);
  Arc(d, r.left, r.top, r.right, r.bottom, x3, y3, x4, y4);
}

void GdiCanvas::pie(const Rect& r, int x3, int y3, int x4, int y4, Colour pen, Colour fill) {
  std::lock_guard lock(mutex());
  HDC d = dc();
  if (!d) return;
  closedFigure(d, pen, fill, [&] { Pie(d, r.left, r.top, r.right, r.bottom, x3, y3, x4, y4); });
}

void GdiCanvas::drawText(int x, int y, std::string_view cell, Colour foreground,
                         std::optional<Colour> background) {
  const std::u16string text = cp932ToUtf16(cell);
  std::lock_guard lock(mutex());
  HDC d = dc();
  if (!d) return;
  SetTextColor(d, foreground);
  SetBkMode(d, background ? OPAQUE : TRANSPARENT);
  if (background) SetBkColor(d, *background);
  TextOutW(d, x, y, wide(text), static_cast<int>(text.size()));
}

void GdiCanvas::copyFrom(const Canvas& source, const Rect& r) {
  const auto* other = dynamic_cast<const GdiCanvas*>(&source);
  if (!other || other == this) return;
  std::scoped_lock lock(mutex(), other->mutex());
  HDC d = dc(), s = other->dc();
  if (!d || !s) return;
  BitBlt(d, r.left, r.top, extent(r.left, r.right), extent(r.top, r.bottom), s, r.left, r.top,
         SRCCOPY);
}

// Only the part whose source lies inside moves; the rest stays as it was.
void GdiCanvas::scroll(int dx, int dy) {
  const Extent s = size();
  const long long left = std::max(0LL, -static_cast<long long>(dx));
  const long long top = std::max(0LL, -static_cast<long long>(dy));
  const long long right = std::min<long long>(s.width, static_cast<long long>(s.width) - dx);
  const long long bottom = std::min<long long>(s.height, static_cast<long long>(s.height) - dy);
  if (right <= left || bottom <= top) return;
  std::lock_guard lock(mutex());
  HDC d = dc();
  if (!d) return;
  BitBlt(d, static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
         static_cast<int>(bottom - top), d, static_cast<int>(left + dx),
         static_cast<int>(top + dy), SRCCOPY);
}

// A rectangle with its corners the wrong way round makes an empty picture; one larger than the
// picture limit makes none. Parts outside the canvas are black, and only the part on it is held:
// a huge rectangle mostly beside the canvas costs no more than the canvas.
std::unique_ptr<Picture> GdiCanvas::capture(const Rect& r) const {
  const int w = extent(r.left, r.right), h = extent(r.top, r.bottom);
  if (tooLarge(w, h)) return nullptr;
  const Extent canvas = size();
  const int left = std::max(r.left, 0), top = std::max(r.top, 0);
  const int right =
      static_cast<int>(std::min<long long>(static_cast<long long>(r.left) + w, canvas.width));
  const int bottom =
      static_cast<int>(std::min<long long>(static_cast<long long>(r.top) + h, canvas.height));
  if (right <= left || bottom <= top)
    return std::make_unique<GdiPicture>(nullptr, Extent{w, h}, 0, 0, Extent{0, 0});
  std::lock_guard lock(mutex());
  HDC d = dc();
  if (!d) return nullptr;
  const Extent held{right - left, bottom - top};
  HBITMAP bitmap = CreateCompatibleBitmap(d, held.width, held.height);
  if (!bitmap) return nullptr;
  {
    BitmapDc copy(d, bitmap);
    PatBlt(copy.get(), 0, 0, held.width, held.height, BLACKNESS);
    BitBlt(copy.get(), 0, 0, held.width, held.height, d, left, top, SRCCOPY);
  }
  return std::make_unique<GdiPicture>(bitmap, Extent{w, h}, left - r.left, top - r.top, held);
}

// Black changes nothing under OR and XOR, so only a copy draws the pixels that are not held.
void GdiCanvas::putPicture(const Picture& picture, int x, int y, RasterOp op) {
  const auto* p = dynamic_cast<const GdiPicture*>(&picture);
  if (!p) return;
  const Extent size = p->size(), held = p->held();
  const bool partly = held.width != size.width || held.height != size.height;
  if (!p->bitmap() && !partly) return;
  std::lock_guard lock(mutex());
  HDC d = dc();
  if (!d) return;
  if (op == RasterOp::Copy && partly) PatBlt(d, x, y, size.width, size.height, BLACKNESS);
  const long long heldLeft = static_cast<long long>(x) + p->heldX();
  const long long heldTop = static_cast<long long>(y) + p->heldY();
  if (!p->bitmap() || heldLeft > INT_MAX || heldTop > INT_MAX) return;
  BitmapDc source(d, p->bitmap());
  BitBlt(d, static_cast<int>(heldLeft), static_cast<int>(heldTop), held.width, held.height,
         source.get(), 0, 0, ropOf(op));
}

std::unique_ptr<Picture> GdiCanvas::loadPicture(std::string_view fileName) {
  const std::optional<std::u16string> path = widePath(fileName);
  if (!path) return nullptr;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(wide(*path), GetFileExInfoStandard, &data)) return nullptr;
  const long long fileSize =
      (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  if (fileSize > raster::pictureFileLimit) return nullptr;
  auto* loaded = static_cast<HBITMAP>(LoadImageW(nullptr, wide(*path), IMAGE_BITMAP, 0, 0,
                                                 LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (!loaded) return nullptr;
  BITMAP info{};
  HBITMAP bitmap = nullptr;
  if (GetObjectW(loaded, sizeof info, &info) && !tooLarge(info.bmWidth, info.bmHeight))
    bitmap = trueColour(loaded, info.bmWidth, info.bmHeight);
  DeleteObject(loaded);
  if (!bitmap) return nullptr;
  return std::make_unique<GdiPicture>(bitmap, Extent{info.bmWidth, info.bmHeight});
}

// ---- The window's client area ---------------------------------------------------------------------

void WindowCanvas::attach(HWND window) {
  std::lock_guard lock(mutex());
  window_ = window;
}

void WindowCanvas::detach() {
  std::lock_guard lock(mutex());
  if (dc_) ReleaseDC(window_, dc_);
  dc_ = nullptr;
  window_ = nullptr;
}

void WindowCanvas::resize(Extent size) {
  std::lock_guard lock(mutex());
  size_ = size;
}

Extent WindowCanvas::size() const {
  std::lock_guard lock(mutex());
  return size_;
}

// The window's device context is taken once and kept until the window is destroyed.
HDC WindowCanvas::dc() const {
  if (!dc_ && window_) {
    dc_ = GetDC(window_);
    if (dc_) prepare(dc_);
  }
  return dc_;
}

}  // namespace tw::platform::win32

namespace tw::platform {

std::unique_ptr<ScreenFont> makeGdiFont(const LogFont& font) {
  return std::make_unique<win32::GdiFont>(font);
}

std::unique_ptr<Canvas> makeGdiBitmap(Extent size, const ScreenFont& font) {
  return std::make_unique<win32::BitmapCanvas>(size, font);
}

bool writePng(const Canvas& canvas, const std::string& path) {
  const auto* bitmap = dynamic_cast<const win32::BitmapCanvas*>(&canvas);
  return bitmap && bitmap->writePng(path);
}

}  // namespace tw::platform
