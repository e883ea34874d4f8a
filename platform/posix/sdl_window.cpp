// The desktop window on Linux, made with SDL2: SDL's event loop on the UI thread, the client area
// shown from its raster surface, typed keys, the key state, the caret, the IME point and message
// boxes. Only this file sees SDL; into the client area it draws only the black a paint starts from.
#include <SDL.h>
#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "platform/raster/raster.h"

namespace tw::platform {
namespace {

// SDL is opened when a window is first asked for, so that a headless run neither loads it nor
// the many libraries it brings (start-up time and memory); its functions are called through
// this table.
#define TW_SDL_FUNCTIONS(X) \
  X(ConvertPixels) \
  X(CreateWindow) \
  X(DestroyWindow) \
  X(GetCurrentVideoDriver) \
  X(GetDesktopDisplayMode) \
  X(GetError) \
  X(GetKeyboardState) \
  X(GetModState) \
  X(GetMouseState) \
  X(GetScancodeFromKey) \
  X(GetTicks) \
  X(GetWindowSize) \
  X(GetWindowSurface) \
  X(Init) \
  X(LockSurface) \
  X(PollEvent) \
  X(PushEvent) \
  X(Quit) \
  X(RaiseWindow) \
  X(RegisterEvents) \
  X(SetHint) \
  X(SetTextInputRect) \
  X(ShowSimpleMessageBox) \
  X(ShowWindow) \
  X(StartTextInput) \
  X(StopTextInput) \
  X(UnlockSurface) \
  X(UpdateWindowSurface) \
  X(WaitEvent) \
  X(WaitEventTimeout)

struct SdlLibrary {
#define TW_SDL_POINTER(name) decltype(&::SDL_##name) name = nullptr;
  TW_SDL_FUNCTIONS(TW_SDL_POINTER)
#undef TW_SDL_POINTER
};
SdlLibrary sdl;

// False, with the reason, when the library or one of its functions cannot be found.
bool loadSdl(std::string& error) {
  static void* handle = nullptr;
  if (handle) return true;
  void* opened = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
  if (!opened) {
    error = std::string("SDL2 cannot be loaded: ") + dlerror();
    return false;
  }
#define TW_SDL_LOOKUP(name)                                                              \
  sdl.name = reinterpret_cast<decltype(sdl.name)>(dlsym(opened, "SDL_" #name));         \
  if (!sdl.name) {                                                                       \
    error = "SDL2 lacks SDL_" #name;                                                    \
    return false;                                                                        \
  }
  TW_SDL_FUNCTIONS(TW_SDL_LOOKUP)
#undef TW_SDL_LOOKUP
  handle = opened;
  return true;
}

}  // namespace
namespace {

// While the client area keeps changing, a frame is shown at most once in this many milliseconds.
// Not observable: the program draws on, only the screen catches up less often.
constexpr Uint32 framePeriodMilliseconds = 16;
// The colour values of the client area, as SDL names their layout (0x00BBGGRR).
constexpr Uint32 clientPixelFormat = SDL_PIXELFORMAT_XBGR8888;
constexpr Colour black = 0;
constexpr Colour inverted = 0xFFFFFF;

// Whether each Windows virtual-key code is held down; the UI thread writes, KeyState reads.
struct KeyStates {
  std::array<std::atomic<bool>, 256> held{};
};

// The keys of a virtual-key code: letters and digits as the keyboard layout places them, the
// other keys where they stand. A code without keys gives none.
std::array<SDL_Scancode, 2> keysOf(int vk) {
  constexpr SDL_Scancode none = SDL_SCANCODE_UNKNOWN;
  if (vk >= 'A' && vk <= 'Z') return {sdl.GetScancodeFromKey(SDLK_a + (vk - 'A')), none};
  if (vk >= '0' && vk <= '9') return {sdl.GetScancodeFromKey(SDLK_0 + (vk - '0')), none};
  if (vk == 0x60) return {SDL_SCANCODE_KP_0, none};
  if (vk >= 0x61 && vk <= 0x69) return {SDL_Scancode(SDL_SCANCODE_KP_1 + (vk - 0x61)), none};
  if (vk >= 0x70 && vk <= 0x7B) return {SDL_Scancode(SDL_SCANCODE_F1 + (vk - 0x70)), none};
  switch (vk) {
    case 0x08:
      return {SDL_SCANCODE_BACKSPACE, none};
    case 0x09:
      return {SDL_SCANCODE_TAB, none};
    case 0x0D:
      return {SDL_SCANCODE_RETURN, SDL_SCANCODE_KP_ENTER};
    case 0x10:
      return {SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT};
    case 0x11:
      return {SDL_SCANCODE_LCTRL, SDL_SCANCODE_RCTRL};
    case 0x12:
      return {SDL_SCANCODE_LALT, SDL_SCANCODE_RALT};
    case 0x1B:
      return {SDL_SCANCODE_ESCAPE, none};
    case 0x20:
      return {SDL_SCANCODE_SPACE, none};
    case 0x21:
      return {SDL_SCANCODE_PAGEUP, none};
    case 0x22:
      return {SDL_SCANCODE_PAGEDOWN, none};
    case 0x23:
      return {SDL_SCANCODE_END, none};
    case 0x24:
      return {SDL_SCANCODE_HOME, none};
    case KeyLeft:
      return {SDL_SCANCODE_LEFT, none};
    case KeyUp:
      return {SDL_SCANCODE_UP, none};
    case KeyRight:
      return {SDL_SCANCODE_RIGHT, none};
    case KeyDown:
      return {SDL_SCANCODE_DOWN, none};
    case 0x2D:
      return {SDL_SCANCODE_INSERT, none};
    case 0x2E:
      return {SDL_SCANCODE_DELETE, none};
    case 0x6A:
      return {SDL_SCANCODE_KP_MULTIPLY, none};
    case 0x6B:
      return {SDL_SCANCODE_KP_PLUS, none};
    case 0x6D:
      return {SDL_SCANCODE_KP_MINUS, none};
    case 0x6E:
      return {SDL_SCANCODE_KP_PERIOD, none};
    case 0x6F:
      return {SDL_SCANCODE_KP_DIVIDE, none};
    case 0xA0:
      return {SDL_SCANCODE_LSHIFT, none};
    case 0xA1:
      return {SDL_SCANCODE_RSHIFT, none};
    case 0xA2:
      return {SDL_SCANCODE_LCTRL, none};
    case 0xA3:
      return {SDL_SCANCODE_RCTRL, none};
    case 0xA4:
      return {SDL_SCANCODE_LALT, none};
    case 0xA5:
      return {SDL_SCANCODE_RALT, none};
    default:
      return {none, none};
  }
}

// The mouse buttons among the virtual-key codes (left, right, middle).
Uint32 mouseButtonOf(int vk) {
  switch (vk) {
    case 0x01:
      return SDL_BUTTON_LMASK;
    case 0x02:
      return SDL_BUTTON_RMASK;
    case 0x04:
      return SDL_BUTTON_MMASK;
    default:
      return 0;
  }
}

// The system clock, with the key state of the window's keyboard.
class DesktopClock final : public Clock {
 public:
  explicit DesktopClock(std::shared_ptr<const KeyStates> keys)
      : system_(makeClock()), keys_(std::move(keys)) {}
  LocalTime now() override { return system_->now(); }
  std::int64_t epochSeconds() override { return system_->epochSeconds(); }
  void sleep(int milliseconds) override { system_->sleep(milliseconds); }
  std::int64_t steadyMilliseconds() override { return system_->steadyMilliseconds(); }
  bool keyPressed(int virtualKey) override {
    return virtualKey >= 0 && virtualKey < 256 &&
           keys_->held[static_cast<std::size_t>(virtualKey)].load();
  }

 private:
  std::unique_ptr<Clock> system_;
  std::shared_ptr<const KeyStates> keys_;
};

// SDL's video, started by the window that uses it and stopped with it.
struct SdlVideo {
  SdlVideo() = default;
  SdlVideo(const SdlVideo&) = delete;
  SdlVideo& operator=(const SdlVideo&) = delete;
  ~SdlVideo() { sdl.Quit(); }
};

struct Caret {
  bool shown = false;
  int x = 0, y = 0, width = 0, height = 0;
};

class SdlWindow final : public Window {
 public:
  SdlWindow(std::unique_ptr<SdlVideo> video, SDL_Window* window, WindowProcedure procedure,
            Canvas& client, int scale, std::string boxLog, std::shared_ptr<KeyStates> keys)
      : video_(std::move(video)),
        window_(window),
        procedure_(std::move(procedure)),
        client_(client),
        scale_(scale),
        boxLog_(std::move(boxLog)),
        keys_(std::move(keys)),
        uiThread_(std::this_thread::get_id()),
        wakeEvent_(sdl.RegisterEvents(1)) {
    const Extent size = client.size();
    clientWidth_ = size.width;
    clientHeight_ = size.height;
    watchRasterCanvas(client_, [this] {
      frameChanged_ = true;
      wake();
    });
  }

  ~SdlWindow() override {
    watchRasterCanvas(client_, {});
    if (window_) sdl.DestroyWindow(window_);
  }

  int run() override {
    procedure_({Msg::Create});
    sdl.ShowWindow(window_);
    sdl.RaiseWindow(window_);
    sdl.StartTextInput();
    adoptWindowSize();
    paintWanted_ = true;
    while (!quitting()) {
      SDL_Event event;
      if (waitForEvent(event)) {
        handle(event);
        while (!quitting() && sdl.PollEvent(&event)) handle(event);
      }
      if (quitting()) break;
      runJobs();
      if (paintWanted_.exchange(false)) paint();
      if (imeWanted_.exchange(false)) placeIme();
      if (frameChanged_.exchange(false)) presentWanted_ = true;
      if (presentWanted_ && SDL_TICKS_PASSED(sdl.GetTicks(), nextPresent_)) present();
    }
    close();
    return quitCode_;
  }

  void send(const Message& message) override {
    onUiThread([&] { procedure_(message); });
  }

  void postQuit(int code) override {
    std::lock_guard lock(mutex_);
    quit_ = true;
    quitCode_ = code;
    wake();
  }

  void messageBox(std::string_view title, std::string_view text, BoxIcon icon) override {
    const std::string line = boxLine(title, text);
    if (!boxLog_.empty() && append(boxLog_, line)) return;
    const std::string utf8Title = cp932ToUtf8(title), utf8Text = cp932ToUtf8(text);
    const Uint32 flags = icon == BoxIcon::Error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    bool shown = false;
    onUiThread([&] {
      shown = sdl.ShowSimpleMessageBox(flags, utf8Title.c_str(), utf8Text.c_str(), window_) == 0;
    });
    // A box that cannot be shown is not lost: it goes where a headless run puts it.
    if (!shown) {
      std::fwrite(line.data(), 1, line.size(), stderr);
      std::fflush(stderr);
    }
  }

  Extent clientSize() const override { return {clientWidth_.load(), clientHeight_.load()}; }
  bool isForeground() const override { return focused_; }

  void invalidate() override {
    paintWanted_ = true;
    wake();
  }

  // The caret is the UI thread's, like the window procedure that places it.
  void showCaret(int x, int y, int width, int height) override {
    caret_ = {true, x, y, width, height};
    presentWanted_ = true;
  }
  void hideCaret() override {
    if (!caret_.shown) return;
    caret_.shown = false;
    presentWanted_ = true;
  }

  void setImePosition(int x, int y) override {
    imeX_ = x;
    imeY_ = y;
    imeWanted_ = true;
    wake();
  }

  void echo(std::string_view) override {}
  void keysWanted(KeyRequest) override {}

 private:
  struct Job {
    const std::function<void()>* work;
    bool done = false;
  };

  bool quitting() {
    std::lock_guard lock(mutex_);
    return quit_;
  }

  // Asks the event loop to look at what the other threads left for it; one wake-up at a time.
  void wake() {
    if (wakePending_.exchange(true)) return;
    SDL_Event event{};
    event.type = wakeEvent_;
    if (sdl.PushEvent(&event) != 1) wakePending_ = false;
  }

  // Runs work on the UI thread and waits for it; nothing runs once the window is gone.
  void onUiThread(const std::function<void()>& work) {
    if (std::this_thread::get_id() == uiThread_) {
      work();
      return;
    }
    Job job{&work};
    std::unique_lock lock(mutex_);
    if (quit_) return;
    jobs_.push_back(&job);
    wake();
    done_.wait(lock, [&] { return job.done; });
  }

  void runJobs() {
    std::unique_lock lock(mutex_);
    while (!jobs_.empty() && !quit_) {
      Job* job = jobs_.front();
      jobs_.pop_front();
      lock.unlock();
      (*job->work)();
      lock.lock();
      job->done = true;
      done_.notify_all();
    }
  }

  // Waits for the next event; while a frame waits for its turn, no longer than that.
  bool waitForEvent(SDL_Event& event) {
    if (!presentWanted_ && !frameChanged_) return sdl.WaitEvent(&event) == 1;
    const Uint32 now = sdl.GetTicks();
    if (SDL_TICKS_PASSED(now, nextPresent_)) return sdl.PollEvent(&event) == 1;
    return sdl.WaitEventTimeout(&event, static_cast<int>(nextPresent_ - now)) == 1;
  }

  void handle(const SDL_Event& event) {
    if (event.type == wakeEvent_) {
      wakePending_ = false;
      return;
    }
    switch (event.type) {
      case SDL_QUIT:
        procedure_({Msg::Close});
        break;
      case SDL_WINDOWEVENT:
        windowEvent(event.window);
        break;
      case SDL_TEXTINPUT:
        typed(event.text.text);
        break;
      case SDL_KEYDOWN:
        keyDown(event.key.keysym);
        refreshKeyStates();
        break;
      case SDL_KEYUP:
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
      case SDL_KEYMAPCHANGED:
        refreshKeyStates();
        break;
      default:
        break;
    }
  }

  void windowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
      case SDL_WINDOWEVENT_CLOSE:
        procedure_({Msg::Close});
        break;
      case SDL_WINDOWEVENT_SIZE_CHANGED:
        adoptWindowSize();
        presentWanted_ = true;
        break;
      case SDL_WINDOWEVENT_EXPOSED:
        presentWanted_ = true;
        break;
      case SDL_WINDOWEVENT_FOCUS_GAINED:
        focused_ = true;
        procedure_({Msg::SetFocus});
        refreshKeyStates();
        break;
      case SDL_WINDOWEVENT_FOCUS_LOST:
        focused_ = false;
        procedure_({Msg::KillFocus});
        refreshKeyStates();
        break;
      default:
        break;
    }
  }

  // Text as typed: one character message for each code page 932 byte.
  void typed(const char* utf8) {
    // Left Alt with a key chooses a menu on the desktop, it types nothing (Right Alt may be AltGr).
    if (sdl.GetModState() & KMOD_LALT) return;
    for (const char c : typedCp932(utf8)) procedure_({Msg::Char, static_cast<unsigned char>(c)});
  }

  // The keys that type no text but a control character, and the arrows. With Alt held they do
  // nothing, Alt+Enter included.
  void keyDown(const SDL_Keysym& key) {
    if (key.mod & KMOD_ALT) return;
    auto character = [&](std::uint32_t code) { procedure_({Msg::Char, code}); };
    switch (key.sym) {
      case SDLK_RETURN:
      case SDLK_KP_ENTER:
        return character(13);
      case SDLK_BACKSPACE:
        return character(8);
      case SDLK_TAB:
        return character(9);
      case SDLK_ESCAPE:
        return character(27);
      case SDLK_LEFT:
        return procedure_({Msg::KeyDown, KeyLeft});
      case SDLK_UP:
        return procedure_({Msg::KeyDown, KeyUp});
      case SDLK_RIGHT:
        return procedure_({Msg::KeyDown, KeyRight});
      case SDLK_DOWN:
        return procedure_({Msg::KeyDown, KeyDown});
      default:
        break;
    }
    if ((key.mod & KMOD_CTRL) && key.sym >= SDLK_a && key.sym <= SDLK_z)
      character(static_cast<std::uint32_t>(key.sym - SDLK_a + 1));
  }

  void refreshKeyStates() {
    const Uint8* state = sdl.GetKeyboardState(nullptr);
    const Uint32 buttons = sdl.GetMouseState(nullptr, nullptr);
    for (int vk = 0; vk < 256; ++vk) {
      bool held = (buttons & mouseButtonOf(vk)) != 0;
      for (SDL_Scancode key : keysOf(vk))
        if (key != SDL_SCANCODE_UNKNOWN) held = held || state[key];
      keys_->held[static_cast<std::size_t>(vk)] = held;
    }
  }

  // The client area follows the window: its size in client pixels, at least one.
  void adoptWindowSize() {
    int w = 0, h = 0;
    sdl.GetWindowSize(window_, &w, &h);
    const Extent size{std::max(1, w / scale_), std::max(1, h / scale_)};
    if (size.width == clientWidth_ && size.height == clientHeight_) return;
    resizeRasterCanvas(client_, size);
    clientWidth_ = size.width;
    clientHeight_ = size.height;
    procedure_({Msg::Size});
  }

  // A paint erases the client area first, as a window's background does.
  void paint() {
    const Extent size = clientSize();
    client_.fillRect({0, 0, size.width, size.height}, black);
    procedure_({Msg::Paint});
  }

  void placeIme() {
    const int x = imeX_, y = imeY_;
    if (x == imePlacedX_ && y == imePlacedY_) return;
    imePlacedX_ = x;
    imePlacedY_ = y;
    SDL_Rect rect{x * scale_, y * scale_, raster::cellWidth * scale_, raster::cellHeight * scale_};
    sdl.SetTextInputRect(&rect);
  }

  // Shows the client area scaled up, each client pixel as a square of screen pixels, with the
  // caret inverted over it; what the window holds beyond the client area is black.
  void present() {
    presentWanted_ = false;
    nextPresent_ = sdl.GetTicks() + framePeriodMilliseconds;
    SDL_Surface* surface = sdl.GetWindowSurface(window_);
    if (!surface) return;
    const int w = surface->w, h = surface->h;
    frame_.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), black);
    readRasterCanvas(client_,
                     [&](const Colour* pixels, Extent size) { scaleUp(pixels, size, w, h); });
    if (caret_.shown) invertCaret(w, h);
    if (SDL_MUSTLOCK(surface) && sdl.LockSurface(surface) != 0) return;
    sdl.ConvertPixels(w, h, clientPixelFormat, frame_.data(), w * 4, surface->format->format,
                      surface->pixels, surface->pitch);
    if (SDL_MUSTLOCK(surface)) sdl.UnlockSurface(surface);
    sdl.UpdateWindowSurface(window_);
  }

  void scaleUp(const Colour* pixels, Extent size, int w, int h) {
    const int s = scale_;
    const int rows = std::min(h, size.height * s), columns = std::min(w, size.width * s);
    for (int y = 0; y < rows; ++y) {
      Colour* row = frame_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
      if (y % s != 0) {
        std::copy(row - w, row - w + columns, row);
        continue;
      }
      const Colour* source =
          pixels + static_cast<std::size_t>(y / s) * static_cast<std::size_t>(size.width);
      for (int x = 0; x < columns; ++x) row[x] = source[x / s];
    }
  }

  void invertCaret(int w, int h) {
    const int s = scale_;
    const int left = std::max(0, caret_.x * s), right = std::min(w, (caret_.x + caret_.width) * s);
    const int top = std::max(0, caret_.y * s), bottom = std::min(h, (caret_.y + caret_.height) * s);
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        frame_[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
               static_cast<std::size_t>(x)] ^= inverted;
  }

  // The window goes as soon as the loop ends; whoever still waits for it gets no answer.
  void close() {
    watchRasterCanvas(client_, {});
    {
      std::lock_guard lock(mutex_);
      for (Job* job : jobs_) job->done = true;
      jobs_.clear();
      done_.notify_all();
    }
    sdl.StopTextInput();
    sdl.DestroyWindow(window_);
    window_ = nullptr;
  }

  static bool append(const std::string& path, const std::string& line) {
    std::FILE* log = std::fopen(path.c_str(), "ab");
    if (!log) return false;
    const bool written = std::fwrite(line.data(), 1, line.size(), log) == line.size();
    return std::fclose(log) == 0 && written;
  }

  std::unique_ptr<SdlVideo> video_;
  SDL_Window* window_;
  WindowProcedure procedure_;
  Canvas& client_;
  const int scale_;
  const std::string boxLog_;
  std::shared_ptr<KeyStates> keys_;
  const std::thread::id uiThread_;
  const Uint32 wakeEvent_;

  std::mutex mutex_;  // the jobs and the end of the loop
  std::condition_variable done_;
  std::deque<Job*> jobs_;
  bool quit_ = false;
  int quitCode_ = 0;

  std::atomic<bool> wakePending_{false};
  std::atomic<bool> paintWanted_{false};
  std::atomic<bool> frameChanged_{false};
  std::atomic<bool> imeWanted_{false};
  std::atomic<int> imeX_{0}, imeY_{0};
  std::atomic<int> clientWidth_{0}, clientHeight_{0};
  std::atomic<bool> focused_{false};

  // The UI thread's own.
  bool presentWanted_ = true;
  Uint32 nextPresent_ = 0;
  Caret caret_;
  int imePlacedX_ = -1, imePlacedY_ = -1;
  std::vector<Colour> frame_;
};

// 2 when the display holds the client area twice over in both directions, else 1.
int defaultScale(Extent display, Extent client) {
  const bool roomForTwo = static_cast<long long>(display.width) >= 2LL * client.width &&
                          static_cast<long long>(display.height) >= 2LL * client.height;
  return roomForTwo ? 2 : 1;
}

// A window on any other video driver would not be seen.
bool visibleDriver(const char* driver) {
  const std::string_view name = driver ? driver : "";
  return name == "x11" || name == "wayland";
}

}  // namespace

std::optional<Desktop> openDesktopWindow(WindowProcedure procedure, Canvas& clientArea,
                                         DesktopOptions options, std::string& error) {
  if (!loadSdl(error)) {
    error = "no window can be made on the display: " + error;
    return std::nullopt;
  }
  // A program's window should neither keep the screen saver away nor bypass the compositor.
  sdl.SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  sdl.SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  // SIGINT and SIGTERM end the process as they end a headless run; turned into a close request
  // they would wait for a message box that is open.
  sdl.SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (sdl.Init(SDL_INIT_VIDEO) != 0) {
    error = std::string("no window can be made on the display: ") + sdl.GetError();
    return std::nullopt;
  }
  auto video = std::make_unique<SdlVideo>();
  const char* driver = sdl.GetCurrentVideoDriver();
  if (!visibleDriver(driver)) {
    error = std::string("no window can be made on the display: SDL offers only its \"") +
            (driver ? driver : "") + "\" video driver";
    return std::nullopt;
  }
  // On X11 the window's pixels go straight to the server, without a 3D context to keep.
  if (std::string_view(driver) == "x11") sdl.SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_DisplayMode mode{};
  if (sdl.GetDesktopDisplayMode(0, &mode) != 0) {
    error = std::string("the display's size is unknown: ") + sdl.GetError();
    return std::nullopt;
  }
  const Extent display{mode.w, mode.h};
  const Extent client = clientArea.size();
  const int scale = options.scale > 0 ? options.scale : defaultScale(display, client);
  SDL_Window* window = sdl.CreateWindow(
      options.title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, client.width * scale,
      client.height * scale, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
  if (!window) {
    error = std::string("no window can be made on the display: ") + sdl.GetError();
    return std::nullopt;
  }
  auto keys = std::make_shared<KeyStates>();
  Desktop desktop;
  desktop.window = std::make_unique<SdlWindow>(std::move(video), window, std::move(procedure),
                                               clientArea, scale, std::move(options.boxLog), keys);
  desktop.clock = std::make_unique<DesktopClock>(keys);
  desktop.display = display;
  return desktop;
}

}  // namespace tw::platform
