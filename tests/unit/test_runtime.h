// A runtime on the test's own thread: a window double that records message boxes and echoed text
// and runs the window procedure at once, and helpers to run a program text to its end.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interp/interp.h"

namespace tw::test {

class RecordingWindow : public platform::Window {
 public:
  platform::WindowProcedure procedure;
  std::vector<std::string> boxes;  // "[TITLE] TEXT" in UTF-8, newlines as blanks
  std::string echoed;              // code page 932
  int quitCode = -1;

  int run() override { return quitCode; }
  void send(const platform::Message& m) override {
    if (procedure) procedure(m);
  }
  void postQuit(int code) override { quitCode = code; }
  void messageBox(std::string_view title, std::string_view text, platform::BoxIcon) override {
    std::string line = "[" + platform::cp932ToUtf8(title) + "] " + platform::cp932ToUtf8(text);
    for (char& c : line)
      if (c == '\n') c = ' ';
    boxes.push_back(line);
  }
  platform::Extent client{640, 400};
  platform::Extent clientSize() const override { return client; }
  bool isForeground() const override { return true; }
  void invalidate() override {}
  void showCaret(int, int, int, int) override {}
  void hideCaret() override {}
  void setImePosition(int, int) override {}
  void echo(std::string_view text) override { echoed += text; }
  // Keys a test types: each request takes what it asks for from here; an empty queue at a Line or
  // Key request closes the window, as the end of the console does.
  std::string keys;
  std::vector<platform::KeyRequest> requests;
  void keysWanted(platform::KeyRequest request) override {
    requests.push_back(request);
    if (keys.empty()) {
      if (request != platform::KeyRequest::Peek) send({platform::Msg::Close});
      return;
    }
    do {
      char c = keys.front();
      keys.erase(0, 1);
      send({platform::Msg::Char, c == '\n' ? 13u : static_cast<unsigned char>(c)});
      if (request != platform::KeyRequest::Line || c == '\n') return;
    } while (!keys.empty());
    send({platform::Msg::Close});
  }
};

// A clock that stands still at a chosen time and records the sleeps asked of it. Given a window,
// it closes it at a chosen sleep, as a user closes the window while the program waits.
class FakeClock : public platform::Clock {
 public:
  platform::LocalTime time{2001, 3, 5, 9, 5, 7};
  std::int64_t epoch = 983783107;
  std::vector<int> sleeps;
  std::vector<int> pressed;  // virtual-key codes held down
  platform::Window* closes = nullptr;
  std::size_t closeAtSleep = 0;  // counted from 1

  platform::LocalTime now() override { return time; }
  std::int64_t epochSeconds() override { return epoch; }
  void sleep(int milliseconds) override {
    sleeps.push_back(milliseconds);
    steady += milliseconds;
    if (closes && sleeps.size() == closeAtSleep) closes->send({platform::Msg::Close});
  }
  std::int64_t steady = 0;  // advanced by the sleeps only
  std::int64_t steadyMilliseconds() override { return steady; }
  bool keyPressed(int key) override {
    for (int k : pressed)
      if (k == key) return true;
    return false;
  }
};

// One runtime with a recording window. Program texts are given in UTF-8 and stored in code page
// 932, with "\x10\x10" and the like written as they stand.
struct TestRuntime {
  RecordingWindow window;
  FakeClock clock;
  Runtime rt;

  TestRuntime() : rt(services()) {
    window.procedure = [this](const platform::Message& m) { screen::windowProcedure(rt, m); };
    screen::resetColours(rt.screen);
  }
  explicit TestRuntime(std::string_view utf8Program) : TestRuntime() { load(utf8Program); }

  void load(std::string_view utf8Program) {
    rt.host.programText = *platform::utf8ToCp932(utf8Program);
  }
  // Program start and the run loop, as the interpreter thread does them.
  int run() {
    rt.interp.runPos = 0;
    rt.interp.stmtStartPos = 0;
    interp::startProgram(rt, "/tmp");
    return interp::runProgram(rt);
  }
  // The text layer in UTF-8.
  std::string screen() { return platform::cp932ToUtf8(screen::snapshot(rt.screen)); }
  std::string lastBox() const { return window.boxes.empty() ? "" : window.boxes.back(); }
  // The boxes shown since the last call; the program is made runnable again, so that one runtime
  // can take several failing statements in a row.
  std::vector<std::string> takeBoxes() {
    std::vector<std::string> b = std::move(window.boxes);
    window.boxes.clear();
    rt.interp.stopRequested = false;
    rt.interp.endDone = false;
    return b;
  }
  // Exactly one box since the last call, and it holds the message.
  void expectOneBox(std::string_view message) {
    std::vector<std::string> b = takeBoxes();
    ASSERT_EQ(b.size(), 1u);
    EXPECT_NE(b[0].find(message), std::string::npos) << b[0] << " lacks " << message;
  }

 private:
  platform::Services services() {
    platform::Services s;
    s.window = &window;
    s.clock = &clock;
    return s;
  }
};

// Code page 932 bytes of a UTF-8 literal.
inline std::string sjis(std::string_view utf8) { return *platform::utf8ToCp932(utf8); }

}  // namespace tw::test
