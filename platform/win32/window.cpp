// The application's window: the class "Quorrel", the message loop with accelerator table 103, the
// window procedure that hands each message to the screen's procedure, the caret, the input
// method's composition window and message boxes owned by the window. The interpreter thread
// reaches the procedure only through send, which runs it on the UI thread.
#include <algorithm>
#include <atomic>

#include "platform/win32/detail.h"
// After the Windows headers, on which it builds.
#include <imm.h>
#include <mmsystem.h>

namespace tw::platform::win32 {
namespace {

constexpr wchar_t className[] = L"Quorrel";
constexpr int acceleratorTable = 103;
constexpr DWORD windowStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD windowExStyle = WS_EX_CLIENTEDGE | WS_EX_ACCEPTFILES;
// A message sent to the window with a Message in lParam; the procedure runs it on the UI thread.
constexpr UINT procedureMessage = WM_APP + 1;
// A message posted to the window: place the composition window at (wParam, lParam).
constexpr UINT imePositionMessage = WM_APP + 2;

class DesktopWin32Window final : public DesktopWindow {
 public:
  DesktopWin32Window(WindowProcedure procedure, Win32WindowOptions options, const ScreenFont& font)
      : procedure_(std::move(procedure)),
        options_(std::move(options)),
        canvas_(font),
        uiThread_(GetCurrentThreadId()) {}

  bool open() override {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &DesktopWin32Window::staticProcedure;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    wc.hIconSm = wc.hIcon;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = className;
    if (!RegisterClassExW(&wc)) return false;
    // The first client size is the one asked for; the system places the window.
    RECT frame{0, 0, options_.client.width, options_.client.height};
    AdjustWindowRectEx(&frame, windowStyle, FALSE, windowExStyle);
    const HWND window = CreateWindowExW(windowExStyle, className, wide(options_.title), windowStyle,
                                        CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                        frame.bottom - frame.top, nullptr, nullptr, instance, this);
    return window != nullptr;
  }

  void show() override {
    accelerators_ =
        LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(acceleratorTable));
    UpdateWindow(window_);
    ShowWindow(window_, SW_SHOWDEFAULT);
  }

  Canvas& clientArea() override { return canvas_; }

  int run() override {
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (accelerators_ && TranslateAcceleratorW(window_, accelerators_, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
  }

  void send(const Message& message) override {
    if (GetCurrentThreadId() == uiThread_) {
      deliver(message);
      return;
    }
    if (HWND window = window_)
      SendMessageW(window, procedureMessage, 0, reinterpret_cast<LPARAM>(&message));
  }

  void postQuit(int code) override {
    if (GetCurrentThreadId() == uiThread_)
      PostQuitMessage(code);
    else
      PostThreadMessageW(uiThread_, WM_QUIT, static_cast<WPARAM>(code), 0);
  }

  void messageBox(std::string_view title, std::string_view text, BoxIcon icon) override {
    if (!options_.boxLog.empty()) {
      appendBoxLine(options_.boxLog, title, text);
      return;
    }
    const std::u16string wideTitle = cp932ToUtf16(title), wideText = cp932ToUtf16(text);
    MessageBoxW(window_, wide(wideText), wide(wideTitle), boxStyle(icon));
  }

  Extent clientSize() const override { return canvas_.size(); }
  bool isForeground() const override {
    HWND window = window_;
    return window && GetForegroundWindow() == window;
  }
  void invalidate() override {
    if (HWND window = window_) InvalidateRect(window, nullptr, TRUE);
  }
  void showCaret(int x, int y, int width, int height) override {
    CreateCaret(window_, nullptr, width, height);
    SetCaretPos(x, y);
    ShowCaret(window_);
  }
  void hideCaret() override {
    HideCaret(window_);
    DestroyCaret();
  }
  // The input context belongs to the UI thread, so the position is handed to it.
  void setImePosition(int x, int y) override {
    if (HWND window = window_)
      PostMessageW(window, imePositionMessage, static_cast<WPARAM>(x), static_cast<LPARAM>(y));
  }
  void echo(std::string_view) override {}
  // Keys arrive as they are typed.
  void keysWanted(KeyRequest) override {}
  HWND handle() const { return window_; }

 private:
  static LRESULT CALLBACK staticProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
      auto* self = static_cast<DesktopWin32Window*>(
          reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->window_ = window;
    }
    auto* self = reinterpret_cast<DesktopWin32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->procedure(window, msg, wParam, lParam)
                : DefWindowProcW(window, msg, wParam, lParam);
  }

  LRESULT procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
      case WM_CREATE:
        created(window);
        return 0;
      case WM_DESTROY:
        procedure_({Msg::Destroy});
        canvas_.detach();
        window_ = nullptr;
        return 0;
      case WM_CLOSE:
        DestroyWindow(window);
        return 0;
      case WM_SIZE:
        canvas_.resize({LOWORD(lParam), HIWORD(lParam)});
        procedure_({Msg::Size});
        return 0;
      case WM_SETFOCUS:
        procedure_({Msg::SetFocus});
        return 0;
      case WM_KILLFOCUS:
        procedure_({Msg::KillFocus});
        return 0;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(window, &ps);
        procedure_({Msg::Paint});
        EndPaint(window, &ps);
        return 0;
      }
      case WM_KEYDOWN:
        procedure_({Msg::KeyDown, static_cast<std::uint32_t>(wParam)});
        return 0;
      case WM_CHAR:
        typed(static_cast<char16_t>(wParam));
        return 0;
      case MM_MCINOTIFY:
        procedure_({Msg::MciNotify});
        return 0;
      case procedureMessage:
        deliver(*reinterpret_cast<const Message*>(lParam));
        return 0;
      case imePositionMessage:
        placeComposition(window, static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
      default:
        return DefWindowProcW(window, msg, wParam, lParam);
    }
  }

  void created(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    canvas_.resize({client.right, client.bottom});
    canvas_.attach(window);
    procedure_({Msg::Create});
    LOGFONTW lf = toLogFontW(options_.font);
    if (HIMC context = ImmGetContext(window)) {
      ImmSetCompositionFontW(context, &lf);
      ImmReleaseContext(window, context);
    }
  }

  // The window goes away on the UI thread, which destroys it; everything else runs the procedure.
  void deliver(const Message& message) {
    if (message.msg == Msg::Destroy || message.msg == Msg::Close) {
      if (HWND window = window_) DestroyWindow(window);
      return;
    }
    procedure_(message);
  }

  // A typed character reaches the procedure as its code page 932 bytes, one message each, as an
  // ANSI window on a Japanese system receives them; one without that form is dropped.
  void typed(char16_t unit) {
    const std::optional<std::string> bytes = utf16ToCp932(std::u16string_view(&unit, 1));
    if (!bytes) return;
    for (char b : *bytes) procedure_({Msg::Char, static_cast<unsigned char>(b)});
  }

  static void placeComposition(HWND window, int x, int y) {
    HIMC context = ImmGetContext(window);
    if (!context) return;
    COMPOSITIONFORM form{};
    form.dwStyle = CFS_POINT;
    form.ptCurrentPos = {x, y};
    ImmSetCompositionWindow(context, &form);
    ImmReleaseContext(window, context);
  }

  WindowProcedure procedure_;
  Win32WindowOptions options_;
  WindowCanvas canvas_;
  DWORD uiThread_;
  std::atomic<HWND> window_{nullptr};
  HACCEL accelerators_ = nullptr;
};

}  // namespace

HWND windowHandle(DesktopWindow& window) {
  return static_cast<DesktopWin32Window&>(window).handle();
}

}  // namespace tw::platform::win32

namespace tw::platform {

std::unique_ptr<DesktopWindow> makeDesktopWindow(WindowProcedure procedure, Win32WindowOptions options,
                                                 const ScreenFont& font) {
  return std::make_unique<win32::DesktopWin32Window>(std::move(procedure), std::move(options),
                                                     font);
}

}  // namespace tw::platform
