// The window procedure: what every backend's window does with its messages. It runs on the UI
// thread; the interpreter thread reaches it only through Window::send.
#include "interp/interp.h"

namespace tw::screen {
namespace {

void destroy(Runtime& rt) {
  if (rt.interp.interpreterStarted) interp::endProgram(rt);
  rt.sys.window->postQuit(0);
}

std::uint8_t arrowKey(std::uint32_t key) {
  switch (key) {
    case platform::KeyLeft: return 29;
    case platform::KeyUp: return 30;
    case platform::KeyRight: return 28;
    case platform::KeyDown: return 31;
    default: return 0;
  }
}

// The graphics, then the whole text layer over them.
void paintWindow(Runtime& rt) {
  if (rt.sys.clientArea && rt.sys.bitmap) {
    const platform::Extent size = rt.sys.bitmap->size();
    rt.sys.clientArea->copyFrom(*rt.sys.bitmap, {0, 0, size.width, size.height});
  }
  renderText(rt, 0, 0);
}

}  // namespace

void windowProcedure(Runtime& rt, const platform::Message& message) {
  State& s = rt.screen;
  switch (message.msg) {
    case platform::Msg::Create: {
      std::lock_guard lock(s.textMutex);
      s.screenCursor = 0;
      break;
    }
    case platform::Msg::Destroy:
    case platform::Msg::Close:
      destroy(rt);
      break;
    case platform::Msg::Size:
      rt.sys.window->invalidate();
      break;
    case platform::Msg::SetFocus:
      if (s.caretEnabled) rt.sys.window->showCaret(s.caretX, s.caretY - 7, 9, 6);
      break;
    case platform::Msg::KillFocus:
      rt.sys.window->hideCaret();
      break;
    case platform::Msg::KeyDown:
      if (rt.interp.interpreterStarted) {
        if (std::uint8_t key = arrowKey(message.param)) s.lastKey = key;
      }
      break;
    case platform::Msg::Char: {
      const auto key = static_cast<std::uint8_t>(message.param & 0xFF);
      if (rt.interp.interpreterStarted && !s.inputMode) s.lastKey = key;
      lineEditor(rt, key);
      break;
    }
    case platform::Msg::Paint:
      paintWindow(rt);
      break;
    case platform::Msg::MciNotify:
      sound::mciNotified(rt);
      break;
  }
}

}  // namespace tw::screen
