// MCI and the beep on Windows: command strings go to the system's media control interface, which
// sends its notices to the application's window. Touches nothing but winmm and that window.
#include <array>

#include "platform/win32/detail.h"
// After the Windows headers, on which it builds.
#include <mmsystem.h>

namespace tw::platform::win32 {
namespace {

// The buffer of an error text in characters. Not observable: the system's texts are far shorter,
// and a report cuts its text much earlier.
constexpr std::size_t errorTextLimit = 8192;

class WinmmMci final : public Mci {
 public:
  explicit WinmmMci(DesktopWindow& window) : window_(window) {}

  // The system resolves relative names and waits by itself; the folder and the stop flag are for
  // implementations that do neither.
  std::uint32_t sendString(std::string_view command, bool notify, std::string_view,
                           const std::atomic<bool>&) override {
    const std::u16string text = cp932ToUtf16(command);
    HWND callback = notify ? windowHandle(window_) : nullptr;
    return static_cast<std::uint32_t>(mciSendStringW(wide(text), nullptr, 0, callback));
  }

  std::string errorString(std::uint32_t code) override {
    std::array<wchar_t, errorTextLimit> text{};
    if (!mciGetErrorStringW(code, text.data(), static_cast<UINT>(text.size()))) return {};
    return narrowName(fromWide(text.data(), std::wcslen(text.data())));
  }

  void beep() override { MessageBeep(0); }

 private:
  DesktopWindow& window_;
};

}  // namespace
}  // namespace tw::platform::win32

namespace tw::platform {

std::unique_ptr<Mci> makeWinmmMci(DesktopWindow& window) {
  return std::make_unique<win32::WinmmMci>(window);
}

}  // namespace tw::platform
