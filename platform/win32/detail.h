// Helpers shared by the files of platform/win32 only: the Windows headers, text as the wide
// functions take it, and the GDI surfaces that the window and the bitmap have in common. No
// other folder includes this header.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cwchar>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace tw::platform::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");

inline const wchar_t* wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline std::u16string fromWide(const wchar_t* text, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}
// A code page 932 name as the wide functions take it; nothing when a byte has no character.
std::optional<std::u16string> widePath(std::string_view cp932);
// A name from the system in code page 932; characters without a form become '?'.
std::string narrowName(std::u16string_view name);
// Appends a message box's line to the box log (a UTF-8 path).
void appendBoxLine(const std::string& boxLog, std::string_view title, std::string_view text);
// The style of a message box with this icon.
UINT boxStyle(BoxIcon icon);

LOGFONTW toLogFontW(const LogFont& font);

// The handle of the application's window (made by makeDesktopWindow); null once it is gone.
HWND windowHandle(DesktopWindow& window);

// The screen font: a GDI font, measured in a device context of its own.
class GdiFont final : public ScreenFont {
 public:
  explicit GdiFont(const LogFont& font);
  ~GdiFont() override;
  GdiFont(const GdiFont&) = delete;
  GdiFont& operator=(const GdiFont&) = delete;
  Extent measure(std::string_view text) const override;
  int lineHeight() const override { return lineHeight_; }
  HFONT handle() const { return font_; }

 private:
  mutable std::mutex mutex_;
  HFONT font_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ oldFont_ = nullptr;
  int lineHeight_ = 16;
  int leadByteWidth_ = 8;
};

// A surface drawn through one device context, which the lock guards: the UI thread paints while
// the interpreter thread draws. Pens and brushes are the stock ones whose colour is set per call.
class GdiCanvas : public Canvas {
 public:
  std::optional<Colour> pixel(int x, int y) const override;
  void setPixel(int x, int y, Colour c) override;
  void line(int x1, int y1, int x2, int y2, Colour pen) override;
  void fillRect(const Rect& r, Colour c) override;
  void rectangle(const Rect& r, Colour pen, std::optional<Colour> fill) override;
  void ellipse(const Rect& r, Colour pen, std::optional<Colour> fill) override;
  void arc(const Rect& r, int x3, int y3, int x4, int y4, Colour pen) override;
  void pie(const Rect& r, int x3, int y3, int x4, int y4, Colour pen, Colour fill) override;
  void drawText(int x, int y, std::string_view cell, Colour foreground,
                std::optional<Colour> background) override;
  void copyFrom(const Canvas& source, const Rect& r) override;
  void scroll(int dx, int dy) override;
  std::unique_ptr<Picture> capture(const Rect& r) const override;
  void putPicture(const Picture& picture, int x, int y, RasterOp op) override;
  std::unique_ptr<Picture> loadPicture(std::string_view fileName) override;

 protected:
  explicit GdiCanvas(const ScreenFont& font);
  // The device context, to be used with mutex() held; null when there is none.
  virtual HDC dc() const = 0;
  std::mutex& mutex() const { return mutex_; }
  // Selects the font and the stock pen and brush into a new device context.
  void prepare(HDC dc) const;

 private:
  mutable std::mutex mutex_;
  HFONT font_ = nullptr;
};

// The window's client area, drawn through the window's device context. The window attaches itself
// once created and detaches when destroyed; drawing without a window does nothing.
class WindowCanvas final : public GdiCanvas {
 public:
  explicit WindowCanvas(const ScreenFont& font) : GdiCanvas(font) {}
  ~WindowCanvas() override { detach(); }
  void attach(HWND window);
  void detach();
  void resize(Extent size);
  Extent size() const override;

 protected:
  HDC dc() const override;

 private:
  HWND window_ = nullptr;
  mutable HDC dc_ = nullptr;
  Extent size_;
};

}  // namespace tw::platform::win32
