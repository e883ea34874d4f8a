// The headless window: an event loop without a window. Messages sent from the interpreter thread
// run the window procedure on the UI thread; boxes go to stderr and screen text to stdout.
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <thread>

#include "platform/platform.h"

namespace tw::platform {
namespace {

// The console as a keyboard: standard input read as UTF-8 (bytes that are not become characters of
// their own), each character handed out as its code page 932 bytes. Nothing is read before the
// program asks, so a run takes exactly the keys it waits for.
class ConsoleKeys {
 public:
  // The next typed byte; nothing at the end of input, or, when wait is clear, when no byte is
  // ready now.
  std::optional<unsigned char> next(bool wait) {
    if (pending_.empty() && !readCharacter(wait)) return std::nullopt;
    unsigned char c = pending_.front();
    pending_.pop_front();
    return c;
  }

 private:
  bool readByte(unsigned char& c) {
    for (;;) {
      ssize_t n = ::read(STDIN_FILENO, &c, 1);
      if (n == 1) return true;
      if (n == 0 || errno != EINTR) return false;
    }
  }

  static int sequenceLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 1;
  }

  bool readCharacter(bool wait) {
    if (!wait) {
      pollfd p{STDIN_FILENO, POLLIN, 0};
      if (::poll(&p, 1, 0) <= 0) return false;
    }
    unsigned char lead;
    if (!readByte(lead)) return false;
    std::string bytes(1, static_cast<char>(lead));
    for (int k = sequenceLength(lead); k > 1; --k) {
      unsigned char c;
      if (!readByte(c)) break;
      bytes.push_back(static_cast<char>(c));
    }
    std::optional<std::string> cp932 = isValidUtf8(bytes) ? utf8ToCp932(bytes) : std::nullopt;
    for (char c : cp932 ? *cp932 : bytes) pending_.push_back(static_cast<unsigned char>(c));
    return !pending_.empty();
  }

  std::deque<unsigned char> pending_;
};

class HeadlessWindow final : public Window {
 public:
  HeadlessWindow(WindowProcedure procedure, HeadlessOptions options)
      : procedure_(std::move(procedure)), options_(options), uiThread_(std::this_thread::get_id()) {}

  int run() override {
    procedure_({Msg::Create});
    std::unique_lock lock(mutex_);
    while (!quit_) {
      cv_.wait(lock, [&] { return quit_ || !queue_.empty(); });
      while (!queue_.empty()) {
        Pending* p = queue_.front();
        queue_.pop_front();
        lock.unlock();
        procedure_(p->message);
        lock.lock();
        p->done = true;
      }
      cv_.notify_all();
    }
    // Whoever still waits for an answer gets none: the window is gone.
    for (Pending* p : queue_) p->done = true;
    queue_.clear();
    cv_.notify_all();
    std::fflush(stdout);
    return quitCode_;
  }

  void send(const Message& message) override {
    if (std::this_thread::get_id() == uiThread_) {
      procedure_(message);
      return;
    }
    Pending pending{message};
    std::unique_lock lock(mutex_);
    if (quit_) return;
    queue_.push_back(&pending);
    cv_.notify_all();
    cv_.wait(lock, [&] { return pending.done; });
  }

  void postQuit(int code) override {
    std::lock_guard lock(mutex_);
    quit_ = true;
    quitCode_ = code;
    cv_.notify_all();
  }

  void messageBox(std::string_view title, std::string_view text, BoxIcon) override {
    const std::string line = boxLine(title, text);
    std::fflush(stdout);
    if (!options_.boxLog.empty()) {
      if (std::FILE* log = std::fopen(options_.boxLog.c_str(), "ab")) {
        std::fwrite(line.data(), 1, line.size(), log);
        std::fclose(log);
        return;
      }
    }
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
  }

  Extent clientSize() const override { return options_.client; }
  bool isForeground() const override { return false; }
  void invalidate() override {}
  void showCaret(int, int, int, int) override {}
  void hideCaret() override {}
  void setImePosition(int, int) override {}

  void echo(std::string_view text) override {
    std::string utf8 = cp932ToUtf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  }

  // LF, CR and CR LF are Enter. The end of input closes the window when the program waits for a
  // key that can no longer come.
  void keysWanted(KeyRequest request) override {
    std::fflush(stdout);
    for (;;) {
      std::optional<unsigned char> c = keys_.next(request != KeyRequest::Peek);
      if (!c) {
        if (request != KeyRequest::Peek) send({Msg::Close});
        return;
      }
      const bool lfAfterCr = *c == '\n' && lastWasCr_;
      lastWasCr_ = *c == '\r';
      if (lfAfterCr) continue;
      const bool enter = *c == '\n' || *c == '\r';
      send({Msg::Char, enter ? 13u : *c});
      if (request != KeyRequest::Line || enter) return;
    }
  }

 private:
  struct Pending {
    Message message;
    bool done = false;
  };

  WindowProcedure procedure_;
  HeadlessOptions options_;
  ConsoleKeys keys_;
  bool lastWasCr_ = false;
  std::thread::id uiThread_;
  std::mutex mutex_;
  std::condition_variable cv_;
  std::deque<Pending*> queue_;
  bool quit_ = false;
  int quitCode_ = 0;
};

}  // namespace

std::unique_ptr<Window> makeHeadlessWindow(WindowProcedure procedure, HeadlessOptions options) {
  return std::make_unique<HeadlessWindow>(std::move(procedure), options);
}

}  // namespace tw::platform
