// Every file statement and function run with a failure of the file system at each of its calls in
// turn: the program ends with the statement's own report, no channel is left open, nothing
// crashes, and a file the program wrote holds every line of the statements that completed. And
// the window closed during each kind of wait: the program ends quietly with its files closed.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "tests/unit/memory_files.h"
#include "tests/unit/test_runtime.h"
#include "tools/builder/builder.h"

namespace tw {
namespace {

using Fault = test::MemoryFiles::Fault;

constexpr const char* folder = "C:\\w";
constexpr const char* accessError = "ﾌｧｲﾙへのｱｸｾｽ ｴﾗｰです";
constexpr const char* openError = "ﾌｧｲﾙをｵｰﾌﾟﾝできません";

// The report each kind of failed call brings; nothing for the calls whose failure the program
// does not see (a failed size is LOF's -1, a failed folder listing an empty FILES, MKDIR is
// silent).
const std::map<std::string, const char*> reportOf{
    {"open", openError}, {"read", accessError},  {"write", accessError}, {"seek", accessError},
    {"close", accessError}, {"remove", accessError}, {"size", nullptr}, {"list", nullptr},
    {"makeDirectory", nullptr}};

struct Outcome {
  std::vector<std::string> boxes;
  std::map<std::string, std::string> files;
  std::string faultCall;
  long calls = 0;
  std::size_t openHandles = 0;
};

std::string encode(std::string_view source) {
  builder::BuildError error;
  std::optional<std::string> text = builder::encodeSource(source, "fault.bas", error);
  EXPECT_TRUE(text) << builder::describe(error);
  return text.value_or("");
}

// Runs the program on a fresh file system holding in.txt, failing the given call.
Outcome runWithFault(const std::string& program, long failAt, Fault fault) {
  test::TestRuntime t;
  test::MemoryFiles files;
  files.folders.insert(folder);
  files.put(std::string(folder) + "\\in.txt", "12,ab\r\nline two\r\n34\r\n");
  files.put(std::string(folder) + "\\old.txt", "x");
  files.failAt = failAt;
  files.fault = fault;
  t.rt.sys.files = &files;
  t.rt.host.programText = program;
  t.rt.interp.runPos = 0;
  t.rt.interp.stmtStartPos = 0;
  interp::startProgram(t.rt, folder);
  interp::runProgram(t.rt);
  return {t.window.boxes, files.contents(), files.faultCall, files.calls, files.openHandles()};
}

// Whether the bytes end at the end of a line (or hold none): what a run of whole PRINT #
// statements leaves.
bool wholeLines(const std::string& bytes) {
  return bytes.empty() || (bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0);
}

// Runs the program with each fault at each call the clean run makes and checks every outcome.
void checkEveryFault(std::string_view source) {
  SCOPED_TRACE(source);
  const std::string program = encode(source);
  const Outcome clean = runWithFault(program, -1, Fault::Fails);
  ASSERT_TRUE(clean.boxes.empty()) << clean.boxes[0];
  for (Fault fault : {Fault::Fails, Fault::ShortWrite, Fault::Vanishes}) {
    for (long call = 0; call < clean.calls; ++call) {
      SCOPED_TRACE("fault " + std::to_string(static_cast<int>(fault)) + " at call " +
                   std::to_string(call));
      const Outcome run = runWithFault(program, call, fault);
      EXPECT_EQ(run.openHandles, 0u);
      ASSERT_LE(run.boxes.size(), 1u);
      if (fault != Fault::Vanishes) {
        const char* expected = reportOf.at(run.faultCall);
        if (expected) {
          ASSERT_EQ(run.boxes.size(), 1u) << run.faultCall << " failed unreported";
          EXPECT_NE(run.boxes[0].find(expected), std::string::npos) << run.boxes[0];
        } else {
          EXPECT_TRUE(run.boxes.empty()) << run.boxes[0];
        }
      } else if (!run.boxes.empty()) {
        EXPECT_TRUE(run.boxes[0].find(accessError) != std::string::npos ||
                    run.boxes[0].find(openError) != std::string::npos)
            << run.boxes[0];
      }
      // A written file is what the clean run wrote, cut after a completed statement (or inside
      // the one whose write was cut short).
      if (fault == Fault::Vanishes) continue;
      for (const auto& [name, bytes] : clean.files) {
        if (name.find("out") == std::string::npos || !run.files.count(name)) continue;
        const std::string& got = run.files.at(name);
        EXPECT_EQ(bytes.compare(0, got.size(), got), 0) << name << ": " << got;
        if (fault == Fault::Fails) {
          EXPECT_TRUE(wholeLines(got)) << name << ": " << got;
        }
      }
    }
  }
}

TEST(FileFaults, Output) {
  checkEveryFault(
      "10 OPEN \"out.txt\" FOR OUTPUT AS #1\n"
      "20 FOR I=1 TO 3:PRINT #1,\"line\";I:NEXT\n"
      "30 PRINT #1,\"last\"\n"
      "40 CLOSE #1\n"
      "50 OPEN \"out2.txt\" AS #2:PRINT #2,12;\"x\":CLOSE\n");
}

TEST(FileFaults, Input) {
  checkEveryFault(
      "10 OPEN \"in.txt\" FOR INPUT AS #1\n"
      "20 INPUT #1,A,B$\n"
      "30 LINE INPUT #1,C$\n"
      "40 PRINT EOF(1);LOF(1)\n"
      "50 INPUT #1,D:PRINT EOF(1)\n"
      "60 CLOSE #1\n");
}

TEST(FileFaults, ReadThenWriteInPlace) {
  checkEveryFault(
      "10 OPEN \"in.txt\" AS #3\n"
      "20 LINE INPUT #3,A$\n"
      "30 PRINT #3,\"new\"\n"
      "40 PRINT LOF(3)\n"
      "50 CLOSE\n");
}

TEST(FileFaults, FolderStatements) {
  checkEveryFault(
      "10 KILL \"old.txt\"\n"
      "20 MKDIR \"C:\\w\\sub\"\n"
      "30 FILES \"C:\\w\"\n");
}

// A failed CLOSE is reported: what the program wrote may not have reached the file.
TEST(FileFaults, FailedCloseIsReported) {
  const std::string program = encode("10 OPEN \"out.txt\" AS #1\n20 PRINT #1,1\n30 CLOSE #1\n40 PRINT \"after\"\n");
  const Outcome clean = runWithFault(program, -1, Fault::Fails);
  const Outcome run = runWithFault(program, clean.calls - 1, Fault::Fails);
  EXPECT_EQ(run.faultCall, "close");
  ASSERT_EQ(run.boxes.size(), 1u);
  EXPECT_NE(run.boxes[0].find(accessError), std::string::npos) << run.boxes[0];
  EXPECT_NE(run.boxes[0].find("30"), std::string::npos) << run.boxes[0];
}


// ---- The window closed while the program waits --------------------------------------------------

struct Closed {
  int runResult = 0;
  std::vector<std::string> boxes;
  std::size_t openHandles = 0;
  std::string screen;
};

// Runs the program with a file open on channel 1; the window closes at the clock's Nth sleep,
// or after a moment from another thread when closeAt is 0.
Closed runUntilClosed(std::string_view source, int closeAt, std::string keys = "") {
  test::TestRuntime t;
  t.clock.closes = &t.window;
  t.clock.closeAtSleep = static_cast<std::size_t>(closeAt);
  test::MemoryFiles files;
  files.folders.insert(folder);
  t.rt.sys.files = &files;
  t.window.keys = std::move(keys);
  t.rt.host.programText = encode(source);
  t.rt.interp.runPos = 0;
  t.rt.interp.stmtStartPos = 0;
  interp::startProgram(t.rt, folder);
  std::thread closer;
  if (closeAt == 0)
    closer = std::thread([&] {
      while (!t.rt.interp.interpreterStarted) std::this_thread::yield();
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      t.window.send({platform::Msg::Close});
    });
  Closed c;
  c.runResult = interp::runProgram(t.rt);
  if (closer.joinable()) closer.join();
  c.boxes = t.window.boxes;
  c.openHandles = files.openHandles();
  c.screen = t.screen();
  return c;
}

TEST(WindowClosed, DuringEveryWait) {
  const std::vector<std::pair<const char*, int>> waits{
      {"20 SLEEP 100000\n", 3},             // in the middle of a long sleep's slices
      {"20 A$=INPUT$(3)\n", 5},             // while INPUT$ polls for keys
      {"20 INPUT A\n", 1},                  // no keys: the console ends
      {"20 LINE INPUT A$\n", 1},
      {"20 A=A+1:GOTO 20\n", 0},            // a busy loop, closed from the window's thread
      {"20 WHILE 1:WEND\n", 0},
  };
  for (const auto& [wait, closeAt] : waits) {
    SCOPED_TRACE(wait);
    const Closed c = runUntilClosed(std::string("10 OPEN \"out.txt\" FOR OUTPUT AS #1\n") + wait +
                                        "30 PRINT \"after\"\n",
                                    closeAt);
    EXPECT_EQ(c.runResult, 0);
    EXPECT_TRUE(c.boxes.empty()) << c.boxes[0];
    EXPECT_EQ(c.openHandles, 0u);
    EXPECT_EQ(c.screen.find("after"), std::string::npos);
  }
}

}  // namespace
}  // namespace tw
