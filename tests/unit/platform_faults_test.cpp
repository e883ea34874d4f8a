// The platform's devices failing under a running program: a serial port that fails or vanishes at
// each of its calls in turn, a MIDI device that stops taking messages in the middle of a tune, MCI
// commands that fail, and the window closed (from another thread, as the UI thread does) during
// every kind of wait. Each ends in the statement's own report or, for the window, a prompt quiet
// end, with no port left open, no channel thread left running and no note left sounding.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/unit/test_runtime.h"
#include "tools/builder/builder.h"

namespace tw {
namespace {

constexpr const char* accessError = "ﾌｧｲﾙへのｱｸｾｽ ｴﾗｰです";
constexpr const char* openError = "ﾌｧｲﾙをｵｰﾌﾟﾝできません";
constexpr const char* midiText = "MIDI装置が応答しません";
// How long a double waits for something that a correct run brings at once; only a fault makes a
// test wait this long, and then it fails instead of hanging.
constexpr auto patience = std::chrono::seconds(5);

std::string encode(std::string_view source) {
  builder::BuildError error;
  std::optional<std::string> text = builder::encodeSource(source, "platform.bas", error);
  EXPECT_TRUE(text) << builder::describe(error);
  return text.value_or("");
}

// Waits (really, but briefly) until the program has been told to stop; false when it never was.
bool holdUntilStopped(const Runtime& rt) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (!rt.interp.stopRequested) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::yield();
  }
  return true;
}

// The recording window, also noting which thread showed each box.
class ThreadWindow : public test::RecordingWindow {
 public:
  std::vector<std::thread::id> boxThreads;
  std::function<void()> onBox;
  void messageBox(std::string_view title, std::string_view text, platform::BoxIcon icon) override {
    test::RecordingWindow::messageBox(title, text, icon);
    boxThreads.push_back(std::this_thread::get_id());
    if (onBox) onBox();
  }
  void postQuit(int code) override { quit = code; }
  std::atomic<int> quit{-1};
  // Keys come as a real window delivers them, typed or not: asking for them closes nothing.
  void keysWanted(platform::KeyRequest) override {}
};

// A clock that many threads may sleep on: every sleep moves the one steady time on, and the
// longest sleep asked for is kept.
class SharedClock : public test::FakeClock {
 public:
  std::function<void()> onSleep;
  std::atomic<int> longest{0};
  void sleep(int milliseconds) override {
    {
      std::lock_guard lock(mutex_);
      steady += milliseconds;
    }
    int seen = longest;
    while (milliseconds > seen && !longest.compare_exchange_weak(seen, milliseconds)) {
    }
    if (onSleep) onSleep();
  }
  std::int64_t steadyMilliseconds() override {
    std::lock_guard lock(mutex_);
    return steady;
  }

 private:
  std::mutex mutex_;
};

// A runtime whose program runs on the test's thread while another thread may close its window.
struct Rig {
  test::TestRuntime t;
  Runtime& rt = t.rt;
  ThreadWindow window;
  SharedClock clock;
  std::atomic<bool> reached{false};

  explicit Rig(std::string_view source) {
    window.procedure = [this](const platform::Message& m) { screen::windowProcedure(rt, m); };
    rt.sys.window = &window;
    rt.sys.clock = &clock;
    rt.host.programText = encode(source);
  }
  // Runs the program; with closeWhenReached, the window is closed from another thread once a
  // double calls reach() (or, if none does, after a while, so that a test cannot hang).
  int run(bool closeWhenReached = false) {
    rt.interp.runPos = 0;
    rt.interp.stmtStartPos = 0;
    interp::startProgram(rt, "/tmp");
    std::thread closer;
    if (closeWhenReached)
      closer = std::thread([this] {
        const auto deadline = std::chrono::steady_clock::now() + patience;
        while (!reached && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
        window.send({platform::Msg::Close});
      });
    const int result = interp::runProgram(rt);
    if (closer.joinable()) closer.join();
    return result;
  }
  // Called by a double inside a wait: the window is closed now, and the wait goes on until the
  // program sees it.
  void reach() {
    reached = true;
    EXPECT_TRUE(holdUntilStopped(rt));
  }
  std::string screen() { return t.screen(); }
};

// ---- Serial ports -------------------------------------------------------------------------------

enum class PortFault : std::uint8_t {
  Fails,       // the call fails once
  ShortWrite,  // a write takes one byte only
  Vanishes,    // the device is gone: this call and every later one fails
};

// A serial device in memory: it sends `incoming` a few bytes a read and has hung up once all is
// sent (or, silent, sends nothing more); it takes written bytes a few at a time. Calls are counted
// from 0 over every kind; call failAt fails as `fault` says.
class FaultyPort : public platform::Serial {
 public:
  std::string incoming;
  std::string written;
  long failAt = -1;
  PortFault fault = PortFault::Fails;
  long calls = 0;
  std::string faultCall;
  int opens = 0, closes = 0;
  bool silent = false;           // once all is sent, reads time out instead of reporting a hang-up
  bool heldUp = false;           // flow control holds every write
  std::function<void()> onIdle;  // a read that timed out, or a write that was held
  int callsAfterStop = 0;
  const Runtime* rt = nullptr;

  std::function<void()> onOpen;  // an open that takes its time, as a connection over the network

  platform::FileHandle open(const platform::SerialSettings&, platform::FileAccess) override {
    if (onOpen) onOpen();
    if (failing("open")) return platform::invalidFile;
    ++opens;
    return 42;
  }
  long long read(platform::FileHandle, void* buffer, std::size_t count) override {
    if (failing("read")) return -1;
    if (next_ >= incoming.size()) {
      if (!silent) return -1;
      if (onIdle) onIdle();
      return 0;
    }
    const std::size_t n = std::min({count, step, incoming.size() - next_});
    incoming.copy(static_cast<char*>(buffer), n, next_);
    next_ += n;
    return static_cast<long long>(n);
  }
  long long write(platform::FileHandle, const void* data, std::size_t count) override {
    const bool shortened = calls == failAt && fault == PortFault::ShortWrite;
    if (failing("write")) return -1;
    if (heldUp) {
      if (onIdle) onIdle();
      return 0;
    }
    const std::size_t n = std::min(count, shortened ? std::size_t{1} : step);
    written.append(static_cast<const char*>(data), n);
    return static_cast<long long>(n);
  }
  long long waiting(platform::FileHandle) override {
    if (failing("waiting")) return -1;
    return static_cast<long long>(incoming.size() - next_);
  }
  void close(platform::FileHandle) override {
    failing("close");
    ++closes;
  }

 private:
  static constexpr std::size_t step = 5;
  std::size_t next_ = 0;

  bool failing(const char* call) {
    if (rt && rt->interp.stopRequested) ++callsAfterStop;
    const long n = calls++;
    if (n == failAt) faultCall = call;
    if (failAt < 0) return false;
    if (fault == PortFault::Vanishes) return n >= failAt;
    return fault == PortFault::Fails && n == failAt;
  }
};

struct PortRun {
  std::vector<std::string> boxes;
  std::string written, faultCall, screen;
  long calls = 0;
  int opens = 0, closes = 0;
};

constexpr const char* portIncoming = "12,ab\r\nline two\r\n34";

PortRun runPort(std::string_view source, long failAt, PortFault fault) {
  Rig r(source);
  FaultyPort port;
  port.incoming = portIncoming;
  port.failAt = failAt;
  port.fault = fault;
  r.rt.sys.serial = &port;
  r.run();
  return {r.window.boxes, port.written, port.faultCall, r.screen(),
          port.calls,     port.opens,   port.closes};
}

// Runs the program with each fault at each call the clean run makes: at most one report, of the
// kind the failed call brings; every port opened is closed; the bytes sent are what the clean run
// sent, cut short.
void checkEveryPortFault(std::string_view source, bool handled) {
  SCOPED_TRACE(source);
  const PortRun clean = runPort(source, -1, PortFault::Fails);
  ASSERT_TRUE(clean.boxes.empty()) << clean.boxes[0];
  ASSERT_NE(clean.screen.find("done"), std::string::npos) << clean.screen;
  ASSERT_GE(clean.calls, 10);  // open, writes, reads, waiting, close
  for (PortFault fault : {PortFault::Fails, PortFault::ShortWrite, PortFault::Vanishes}) {
    for (long call = 0; call < clean.calls; ++call) {
      SCOPED_TRACE("fault " + std::to_string(static_cast<int>(fault)) + " at call " +
                   std::to_string(call));
      const PortRun run = runPort(source, call, fault);
      EXPECT_EQ(run.opens, run.closes);
      EXPECT_EQ(clean.written.compare(0, run.written.size(), run.written), 0) << run.written;
      if (handled) {
        EXPECT_TRUE(run.boxes.empty()) << run.boxes[0];
        continue;
      }
      ASSERT_LE(run.boxes.size(), 1u);
      if (fault == PortFault::ShortWrite) {
        EXPECT_TRUE(run.boxes.empty()) << run.boxes[0];
        EXPECT_EQ(run.written, clean.written);
      } else if (fault == PortFault::Fails && run.faultCall == "open") {
        ASSERT_EQ(run.boxes.size(), 1u);
        EXPECT_NE(run.boxes[0].find(openError), std::string::npos) << run.boxes[0];
      } else if (fault == PortFault::Fails && run.faultCall == "write") {
        ASSERT_EQ(run.boxes.size(), 1u);
        EXPECT_NE(run.boxes[0].find(accessError), std::string::npos) << run.boxes[0];
      } else if (!run.boxes.empty()) {
        EXPECT_TRUE(run.boxes[0].find(accessError) != std::string::npos ||
                    run.boxes[0].find(openError) != std::string::npos)
            << run.boxes[0];
      }
      // A device gone before the last write is always told: that write cannot succeed.
      if (fault == PortFault::Vanishes && run.faultCall != "close") {
        EXPECT_EQ(run.boxes.size(), 1u) << run.faultCall;
      }
    }
  }
}

const char* const portProgram =
    "10 OPEN \"COM1:N81N\" AS #1\n"
    "20 PRINT #1,\"HELLO\";12\n"
    "30 INPUT #1,A,B$\n"
    "40 LINE INPUT #1,C$\n"
    "50 E=EOF(1):L=LOF(1)\n"
    "60 PRINT A;B$;C$;E;L\n"
    "70 PRINT #1,\"BYE\"\n"
    "80 CLOSE #1\n"
    "90 PRINT \"done\"\n";

TEST(SerialFaults, EveryCallOfEveryStatement) {
  checkEveryPortFault(portProgram, false);
}

TEST(SerialFaults, AHandledFailureLeavesThePortClosable) {
  checkEveryPortFault(std::string("5 ON ERROR GOTO 200\n") + portProgram +
                          "100 END\n"
                          "200 CLOSE #1:PRINT \"handled\":END\n",
                      true);
}

TEST(SerialFaults, EndOfFileOnAPortThatCannotTellIsAnAccessError) {
  // The device goes at the first look at what is waiting: a program polling EOF is told, not
  // left polling a port that will never have a byte again.
  Rig r("10 OPEN \"COM1:\" AS #1\n20 E=EOF(1)\n30 PRINT \"after\"\n");
  FaultyPort port;
  port.silent = true;
  port.failAt = 1;
  port.fault = PortFault::Vanishes;
  r.rt.sys.serial = &port;
  r.run();
  ASSERT_EQ(r.window.boxes.size(), 1u);
  EXPECT_NE(r.window.boxes[0].find(std::string(accessError) + "  Error line:20"), std::string::npos)
      << r.window.boxes[0];
  EXPECT_EQ(port.faultCall, "waiting");
  EXPECT_EQ(port.closes, 1);
  // LOF keeps the failure value of a length that cannot be had, as for a file.
  Rig l("10 OPEN \"COM1:\" AS #1\n20 PRINT LOF(1)\n");
  FaultyPort gone;
  gone.failAt = 1;
  gone.fault = PortFault::Vanishes;
  l.rt.sys.serial = &gone;
  l.run();
  EXPECT_TRUE(l.window.boxes.empty());
  EXPECT_EQ(l.screen(), "-1\n");
}

// ---- MIDI ---------------------------------------------------------------------------------------

// A MIDI device that refuses messages: from call failFrom on (or only that call), or one chosen
// message. Every message asked of it is kept in order, taken or not.
class FailingMidi : public platform::Midi {
 public:
  long failFrom = -1;
  bool once = false;
  std::uint32_t refused = 0;
  std::atomic<int> failures{0};
  int opens = 0, closes = 0;
  struct Asked {
    std::uint32_t message;
    bool taken;
  };

  int deviceCount() override { return 1; }
  bool open() override {
    ++opens;
    return true;
  }
  bool shortMessage(std::uint32_t message) override {
    std::lock_guard lock(mutex_);
    const long n = calls_++;
    const bool fails =
        message == refused || (failFrom >= 0 && (once ? n == failFrom : n >= failFrom));
    asked_.push_back({message, !fails});
    if (fails) ++failures;
    return !fails;
  }
  std::string errorText() override { return test::sjis(midiText); }
  void close() override { ++closes; }

  std::vector<Asked> asked() {
    std::lock_guard lock(mutex_);
    return asked_;
  }
  long calls() {
    std::lock_guard lock(mutex_);
    return calls_;
  }

 private:
  std::mutex mutex_;
  long calls_ = 0;
  std::vector<Asked> asked_;
};

bool isNoteOn(std::uint32_t m) {
  return (m & 0xF0) == 0x90 && (m >> 16) != 0;
}

// Every note the device took a note-on for was asked to end later: its note-off (the same status
// and note, velocity 0) comes after it.
void expectEveryNoteEnded(const std::vector<FailingMidi::Asked>& asked) {
  for (std::size_t i = 0; i < asked.size(); ++i) {
    if (!asked[i].taken || !isNoteOn(asked[i].message)) continue;
    const std::uint32_t off = asked[i].message & 0xFFFF;
    const bool ended = std::any_of(asked.begin() + static_cast<std::ptrdiff_t>(i) + 1, asked.end(),
                                   [off](const FailingMidi::Asked& a) { return a.message == off; });
    EXPECT_TRUE(ended) << std::hex << asked[i].message << " was never switched off";
  }
}

TEST(MidiFaults, TheDeviceFailingAtEachMessageOfAThreeChannelTune) {
  const char* const source = "10 PLAY \"CDEC\",\"EGEG\",\"GAGA\"\n20 PRINT \"after\"\n";
  long total = 0;
  {
    Rig clean(source);
    FailingMidi midi;
    clean.rt.sys.midi = &midi;
    clean.run();
    ASSERT_TRUE(clean.window.boxes.empty());
    total = midi.calls();
  }
  ASSERT_EQ(total, 8 + 3 * 4 * 2);
  for (bool once : {true, false}) {
    for (long call = 0; call < total; ++call) {
      SCOPED_TRACE((once ? "fails once at " : "vanishes at ") + std::to_string(call));
      Rig r(source);
      FailingMidi midi;
      midi.failFrom = call;
      midi.once = once;
      r.rt.sys.midi = &midi;
      EXPECT_EQ(r.run(), 0);
      ASSERT_EQ(r.window.boxes.size(), 1u);
      EXPECT_NE(r.window.boxes[0].find(midiText), std::string::npos) << r.window.boxes[0];
      EXPECT_EQ(r.window.boxThreads[0], std::this_thread::get_id());
      EXPECT_EQ(r.rt.sound.activeChannels, 0);
      EXPECT_EQ(midi.closes, 1);
      EXPECT_EQ(r.screen().find("after"), std::string::npos);
      expectEveryNoteEnded(midi.asked());
    }
  }
}

// A device that keeps one last result for everyone, as the system does: its text is that of the
// last message asked of it. Asked for the text, it gives the other channels a moment to send.
class LastResultMidi : public platform::Midi {
 public:
  std::uint32_t refused = 0;
  std::atomic<bool> failed{false};
  int deviceCount() override { return 1; }
  bool open() override { return true; }
  bool shortMessage(std::uint32_t message) override {
    std::lock_guard lock(mutex_);
    ++asked_;
    last_ = message == refused ? "拒否されました" : "正常に終了しました";
    if (message == refused) failed = true;
    return message != refused;
  }
  std::string errorText() override {
    const long before = asked();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    while (asked() == before && std::chrono::steady_clock::now() < deadline)
      std::this_thread::yield();
    std::lock_guard lock(mutex_);
    return test::sjis(last_);
  }
  void close() override {}

 private:
  long asked() {
    std::lock_guard lock(mutex_);
    return asked_;
  }
  std::mutex mutex_;
  long asked_ = 0;
  std::string last_;
};

TEST(MidiFaults, TheReportGivesTheFailuresOwnTextWhileOtherChannelsPlayOn) {
  Rig r("10 PLAY \"C\",\"CDCDCDCDCDCDCDCD\"\n");
  LastResultMidi midi;
  midi.refused = 0x603C90;  // channel 0's first note
  r.rt.sys.midi = &midi;
  // Channel 1 plays on only once channel 0 has been refused.
  r.clock.onSleep = [&] {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!midi.failed && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
  };
  r.run();
  ASSERT_EQ(r.window.boxes.size(), 1u);
  EXPECT_NE(r.window.boxes[0].find("拒否されました"), std::string::npos) << r.window.boxes[0];
}

// ---- MCI ----------------------------------------------------------------------------------------

// MCI that fails the command numbered failAt (from 0) with error 9, and can hold a command that
// waits until the program is stopped.
class FailingMci : public platform::Mci {
 public:
  long failAt = -1;
  std::string errorText = test::sjis("装置がありません");
  std::vector<std::string> commands;
  std::function<void(const std::atomic<bool>&)> onWait;
  bool failWhenStopped = false;

  std::uint32_t sendString(std::string_view command, bool, std::string_view,
                           const std::atomic<bool>& stop) override {
    const long n = static_cast<long>(commands.size());
    commands.emplace_back(command);
    if (onWait && command.find("wait") != std::string_view::npos) {
      onWait(stop);
      return failWhenStopped && stop ? 9 : 0;
    }
    return n == failAt ? 9 : 0;
  }
  std::string errorString(std::uint32_t code) override { return code == 9 ? errorText : "?"; }
  void beep() override {}
};

const char* const mciProgram =
    "10 MCI \"open a.wav alias a\"\n"
    "20 MCI \"play a wait\"\n"
    "30 MCI \"close a\"\n"
    "40 PRINT \"after\"\n";

TEST(MciFaults, EachFailingCommandEndsTheProgramWithItsText) {
  for (long call = 0; call < 3; ++call) {
    SCOPED_TRACE(call);
    Rig r(mciProgram);
    FailingMci mci;
    mci.failAt = call;
    r.rt.sys.mci = &mci;
    EXPECT_EQ(r.run(), 0);
    ASSERT_EQ(r.window.boxes.size(), 1u);
    EXPECT_NE(r.window.boxes[0].find("MCI エラー:装置がありません  Error line:" +
                                     std::to_string(10 * (call + 1))),
              std::string::npos)
        << r.window.boxes[0];
    EXPECT_EQ(mci.commands.size(), static_cast<std::size_t>(call + 1));
    EXPECT_EQ(r.screen().find("after"), std::string::npos);
  }
  // A device text too long for the box is cut so that the line number still shows.
  Rig r(mciProgram);
  FailingMci mci;
  mci.failAt = 0;
  mci.errorText = std::string(600, 'x');
  r.rt.sys.mci = &mci;
  r.run();
  ASSERT_EQ(r.window.boxes.size(), 1u);
  EXPECT_NE(r.window.boxes[0].find("x  Error line:10"), std::string::npos);
  EXPECT_LT(r.window.boxes[0].size(), 300u);
}

// ---- The window closed during each kind of wait -------------------------------------------------

struct Closing {
  int result = 0;
  std::vector<std::string> boxes;
  std::string screen;
  bool reached = false;
  bool endedByError = false;
  int longestSleep = 0;
};

Closing closedDuring(Rig& r) {
  Closing c;
  c.result = r.run(true);
  c.boxes = r.window.boxes;
  c.screen = r.screen();
  c.reached = r.reached;
  c.endedByError = r.rt.interp.endedByError;
  c.longestSleep = r.clock.longest;
  return c;
}

// The program ended as a closed window ends it: at once, quietly, nothing after the wait run.
void expectQuietEnd(const Closing& c, std::size_t boxes = 0) {
  EXPECT_TRUE(c.reached);
  EXPECT_EQ(c.result, 0);
  EXPECT_EQ(c.boxes.size(), boxes) << (c.boxes.empty() ? "" : c.boxes.back());
  EXPECT_FALSE(c.endedByError);
  EXPECT_EQ(c.screen.find("after"), std::string::npos) << c.screen;
}

TEST(WindowClosedDuring, SleepAndKeyWaits) {
  struct Case {
    const char* source;
    int slice;
  };
  for (const Case& w : {Case{"10 SLEEP 100000\n", statements::sleepSliceLimit},
                        Case{"10 A$=INPUT$(3)\n", 10}, Case{"10 IF INKEY$=\"\" THEN 10\n", 1}}) {
    SCOPED_TRACE(w.source);
    Rig r(std::string(w.source) + "20 PRINT \"after\"\n");
    int sleeps = 0;
    r.clock.onSleep = [&] {
      if (++sleeps == 3) r.reach();
    };
    const Closing c = closedDuring(r);
    expectQuietEnd(c);
    EXPECT_LE(c.longestSleep, w.slice);
  }
}

TEST(WindowClosedDuring, PlayEndsEveryChannelWithItsNoteOff) {
  Rig r("10 PLAY \"T1C1D1\",\"T1E1\",\"T1G1\"\n20 PRINT \"after\"\n");
  FailingMidi midi;
  r.rt.sys.midi = &midi;
  r.clock.onSleep = [&] { r.reach(); };  // every channel holds in its first slice
  const Closing c = closedDuring(r);
  expectQuietEnd(c);
  EXPECT_LE(c.longestSleep, sound::stopSliceLimit);
  EXPECT_EQ(r.rt.sound.activeChannels, 0);
  EXPECT_EQ(midi.closes, 1);
  const std::vector<FailingMidi::Asked> asked = midi.asked();
  expectEveryNoteEnded(asked);
  // Nothing starts after the stop: no channel's second note.
  for (const FailingMidi::Asked& a : asked) EXPECT_NE(a.message & 0xFFFF, 0x3E90u);
}

TEST(WindowClosedDuring, PlayReportsNoChannelFailureOnceTheWindowHasClosed) {
  // Channel 1's note is refused at once while channel 0 holds a long note; then the window closes.
  Rig r("10 PLAY \"T1C1\",\"E\"\n20 PRINT \"after\"\n");
  FailingMidi midi;
  midi.refused = 0x604091;
  r.rt.sys.midi = &midi;
  r.clock.onSleep = [&] {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (midi.failures == 0 && std::chrono::steady_clock::now() < deadline)
      std::this_thread::yield();
    r.reach();
  };
  expectQuietEnd(closedDuring(r));
  expectEveryNoteEnded(midi.asked());
}

TEST(WindowClosedDuring, AnMciCommandThatWaits) {
  for (bool failWhenStopped : {false, true}) {
    SCOPED_TRACE(failWhenStopped);
    Rig r(mciProgram);
    FailingMci mci;
    mci.failWhenStopped = failWhenStopped;
    mci.onWait = [&](const std::atomic<bool>& stop) {
      EXPECT_EQ(&stop, &r.rt.interp.stopRequested);
      r.reach();
    };
    r.rt.sys.mci = &mci;
    expectQuietEnd(closedDuring(r));
    EXPECT_EQ(mci.commands.size(), 2u);
  }
}

TEST(WindowClosedDuring, SerialReadsAndHeldWrites) {
  for (const char* wait : {"INPUT #1,A$", "LINE INPUT #1,A$", "PRINT #1,\"HELLO\""}) {
    SCOPED_TRACE(wait);
    Rig r(std::string("10 OPEN \"COM1:\" AS #1\n20 ") + wait + "\n30 PRINT \"after\"\n");
    FaultyPort port;
    port.silent = true;
    port.heldUp = true;
    port.rt = &r.rt;
    int idle = 0;
    port.onIdle = [&] {
      if (++idle == 3) r.reach();
    };
    r.rt.sys.serial = &port;
    expectQuietEnd(closedDuring(r));
    EXPECT_EQ(port.opens, 1);
    EXPECT_EQ(port.closes, 1);
    // The wait in progress returned; the program asked nothing more of the port but its close.
    EXPECT_EQ(port.callsAfterStop, 1);
  }
}

TEST(WindowClosedDuring, AnOpenOfAPortThatTakesItsTime) {
  // The window's closing closes the channels without waiting for the open; the port it brings
  // is closed at once.
  Rig r("10 OPEN \"COM1:\" AS #1\n20 PRINT \"after\"\n");
  FaultyPort port;
  std::atomic<bool> closed{false};
  r.window.procedure = [&](const platform::Message& m) {
    screen::windowProcedure(r.rt, m);
    if (m.msg == platform::Msg::Close) closed = true;
  };
  port.onOpen = [&] {
    r.reach();
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!closed && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
    EXPECT_TRUE(closed) << "the window's closing waited for the open";
  };
  r.rt.sys.serial = &port;
  expectQuietEnd(closedDuring(r));
  EXPECT_EQ(port.opens, 1);
  EXPECT_EQ(port.closes, 1);
}

TEST(WindowClosedDuring, AWarningBox) {
  Rig r("10 WEND\n20 PRINT \"after\"\n");
  r.window.onBox = [&] { r.reach(); };
  expectQuietEnd(closedDuring(r), 1);
}

}  // namespace
}  // namespace tw
