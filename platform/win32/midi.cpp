// The MIDI output device on Windows: winmm's last MIDI output device and its error texts. It keeps
// only the open handle and the last error.
#include <mutex>

#include "platform/win32/detail.h"

#include <mmsystem.h>

namespace tw::platform {
namespace {

// midiOutGetErrorTextA writes at most this many bytes with its NUL. Not observable beyond the
// system's own texts, which are shorter.
constexpr UINT errorTextBytes = 1024;
// The timer resolution asked for while the device is open, so that the channels' sleeps end
// within a millisecond or two of their time rather than a whole default tick.
constexpr UINT timerPeriodMs = 1;

class WinmmMidi final : public Midi {
 public:
  ~WinmmMidi() override { close(); }
  int deviceCount() override { return static_cast<int>(midiOutGetNumDevs()); }
  bool open() override {
    std::lock_guard lock(mutex_);
    if (handle_) return true;
    const UINT count = midiOutGetNumDevs();
    lastError_ = midiOutOpen(&handle_, count - 1, 0, 0, CALLBACK_NULL);
    if (lastError_ != MMSYSERR_NOERROR) {
      handle_ = nullptr;
      return false;
    }
    timeBeginPeriod(timerPeriodMs);
    return true;
  }
  bool shortMessage(std::uint32_t message) override {
    std::lock_guard lock(mutex_);
    if (!handle_) return false;
    lastError_ = midiOutShortMsg(handle_, message);
    return lastError_ == MMSYSERR_NOERROR;
  }
  // The system gives its text in the ANSI code page; it is passed on in code page 932.
  std::string errorText() override {
    MMRESULT error = MMSYSERR_NOERROR;
    {
      std::lock_guard lock(mutex_);
      error = lastError_;
    }
    char text[errorTextBytes] = {};
    if (midiOutGetErrorTextA(error, text, errorTextBytes) != MMSYSERR_NOERROR) return {};
    const int units = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (units <= 1) return {};
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), units);
    return win32::narrowName(
        std::u16string_view(reinterpret_cast<const char16_t*>(wide.c_str()), units - 1));
  }
  void close() override {
    std::lock_guard lock(mutex_);
    if (!handle_) return;
    midiOutReset(handle_);
    midiOutClose(handle_);
    handle_ = nullptr;
    timeEndPeriod(timerPeriodMs);
  }

 private:
  std::mutex mutex_;
  HMIDIOUT handle_ = nullptr;
  MMRESULT lastError_ = MMSYSERR_NOERROR;
};

}  // namespace

std::unique_ptr<Midi> makeWinmmMidi() {
  return std::make_unique<WinmmMidi>();
}

}  // namespace tw::platform
