// The headless window: an event loop without a window. Messages sent from the interpreter thread
// run the window procedure on the UI thread; boxes go to stderr and screen text to stdout.
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <thread>

#include "platform/platform.h"

namespace tw::platform {
namespace {

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
    std::string line = "[" + cp932ToUtf8(title) + "] " + cp932ToUtf8(text);
    for (char& c : line)
      if (c == '\n') c = ' ';
    line += '\n';
    std::fflush(stdout);
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

 private:
  struct Pending {
    Message message;
    bool done = false;
  };

  WindowProcedure procedure_;
  HeadlessOptions options_;
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
