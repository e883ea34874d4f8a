// The run loop, the dispatcher, the branch filter and the reporter, on program texts written
// directly in their encoded form (statement codes as bytes).
#include <gtest/gtest.h>

#include "test_runtime.h"

namespace tw {
namespace {

using test::TestRuntime;

TEST(RunLoop, ColonInsideQuotesDoesNotSplitAndColonOutsideDoes) {
  TestRuntime t("10 \x10\x10 \"A:B\"\n20 \x10\x10 \"C\":\x10\x10 \"D\"\n");
  EXPECT_EQ(t.run(), 1);
  EXPECT_EQ(t.screen(), "A:B\nC\nD\n");
  EXPECT_TRUE(t.window.boxes.empty());
}

TEST(RunLoop, IfStatementRunsToTheEndOfItsLine) {
  // IF takes the ':' and the PRINT after it as part of its own text: a false IF skips both.
  TestRuntime t("10 \x10\x20 0:\x10\x10 \"no\"\n20 \x10\x10 \"yes\"\n");
  t.run();
  EXPECT_EQ(t.screen(), "yes\n");
}

TEST(RunLoop, UnclosedLiteralEndsAtTheNewline) {
  // Were the ':' inside the open literal taken as a separator, 0x10 0x22 would be error 3.
  TestRuntime t("10 *L \"x:\x10\x22\n20 \x10\x10 \"ok\"\n");
  t.run();
  EXPECT_EQ(t.screen(), "ok\n");
  EXPECT_TRUE(t.window.boxes.empty());
}

TEST(RunLoop, LabelsAndEmptyStatementsDoNothing) {
  TestRuntime t("10 *START\n20 *A:\x10\x10 \"x\": :\n30 \n40\n50 \x10\x10 \"y\"\n");
  EXPECT_EQ(t.run(), 1);
  EXPECT_EQ(t.screen(), "x\ny\n");
  EXPECT_TRUE(t.window.boxes.empty());
}

TEST(RunLoop, CodesCountOnlyAtTheStartOfAStatement) {
  // Inside a literal the bytes 0x10 0x10 are text; after "10 " they are PRINT.
  TestRuntime t("10 \x10\x10 \"\x10\x10\"\n");
  t.run();
  EXPECT_EQ(t.screen(), "\x10\x10\n");
}

TEST(RunLoop, EndStopsTheProgramAndRunningOffTheEndEndsIt) {
  TestRuntime stopped("10 \x10\x10 \"a\":\x10\x78:\x10\x10 \"b\"\n20 \x10\x10 \"c\"\n");
  EXPECT_EQ(stopped.run(), 0);
  EXPECT_EQ(stopped.screen(), "a\n");
  EXPECT_EQ(stopped.window.quitCode, 0);

  TestRuntime ranOut("10 \x10\x10 \"a\"\n");
  EXPECT_EQ(ranOut.run(), 1);
  EXPECT_TRUE(ranOut.rt.interp.stopRequested);
  EXPECT_FALSE(ranOut.rt.interp.endedByError);

  TestRuntime empty("");
  EXPECT_EQ(empty.run(), 1);
}

TEST(Dispatcher, UnknownCodeIsError3WithTheCodeBytes) {
  TestRuntime t("10 \x10\x10 \"a\"\n20 \x10\x22 X\n30 \x10\x10 \"b\"\n");
  EXPECT_EQ(t.run(), 0);
  EXPECT_EQ(t.screen(), "a\n");
  ASSERT_EQ(t.window.boxes.size(), 1u);
  EXPECT_EQ(t.lastBox(), "[Basic - Error] \x10\" 無効な識別子です  Error line:20");
  EXPECT_TRUE(t.rt.interp.endedByError);
}

TEST(Dispatcher, ChainAndRunAreRefused) {
  TestRuntime chain("10 \x10\x71 \"x\"\n");
  chain.run();
  EXPECT_EQ(chain.lastBox(), "[Basic - Error] Chain 命令語は使用できません  Error line:10");
  TestRuntime run("5 \x10\x7D\n");
  run.run();
  EXPECT_EQ(run.lastBox(), "[Basic - Error] Run 命令語は使用できません  Error line:5");
}

TEST(Dispatcher, DataDoesNothingWhenExecuted) {
  TestRuntime t("10 \x10\x63 \"1:\x10\x22\",2\n20 \x10\x10 \"after\"\n");
  t.run();
  EXPECT_EQ(t.screen(), "after\n");
  EXPECT_TRUE(t.window.boxes.empty());
}

TEST(RunLoop, OverlongStatementsAndLineNumbersAreSyntaxErrors) {
  TestRuntime longStatement("10 \x10\x63 " + std::string(8200, 'x') + "\n");
  longStatement.run();
  EXPECT_EQ(longStatement.lastBox(), "[Basic - Error] 文法が間違っています  Error line:10");

  TestRuntime longNumber("10 \x10\x10 \"a\"\n12345678901234567890 \x10\x10 \"b\"\n");
  longNumber.run();
  EXPECT_EQ(longNumber.screen(), "a\n");
  EXPECT_EQ(longNumber.lastBox(), "[Basic - Error] 文法が間違っています  Error line:10");

  TestRuntime nineteen("1234567890123456789 \x10\x71\n");
  nineteen.run();
  EXPECT_NE(nineteen.lastBox().find("Error line:"), std::string::npos);
  EXPECT_EQ(nineteen.lastBox().find("文法"), std::string::npos);
}

TEST(BranchFilter, CutsAtElseAndTurnsLineNumbersAndLabelsIntoJumps) {
  TestRuntime t("10 X\n");
  t.rt.interp.runPos = 3;
  std::string s = "20 else 30";
  EXPECT_TRUE(interp::branchFilter(t.rt, s));
  EXPECT_EQ(s, "\x10\x21 20");
  EXPECT_EQ(t.rt.interp.runPos, 4);  // the newline that ends the line

  std::string label = "*DONE";
  EXPECT_TRUE(interp::branchFilter(t.rt, label));
  EXPECT_EQ(label, "\x10\x21 *DONE");

  std::string startsWithElse = "ELSE \x10\x10 1";
  EXPECT_FALSE(interp::branchFilter(t.rt, startsWithElse));

  std::string paren = "\x10\x10 (1)else 2";
  EXPECT_TRUE(interp::branchFilter(t.rt, paren));
  EXPECT_EQ(paren, "\x10\x10 (1)");

  std::string quoted = "\x10\x10 \"x else y\"";
  EXPECT_TRUE(interp::branchFilter(t.rt, quoted));
  EXPECT_EQ(quoted, "\x10\x10 \"x else y\"");

  std::string nestedIf = "\x10\x20 1 then 2 else 3";
  EXPECT_TRUE(interp::branchFilter(t.rt, nestedIf));
  EXPECT_EQ(nestedIf, "\x10\x20 1 then 2 else 3");
}

TEST(Reporter, OnErrorRunsTheHandlerInsteadOfABox) {
  TestRuntime t("10 \x10\x22\n20 \x10\x10 \"went on\"\n");
  interp::startProgram(t.rt, "/tmp");
  t.rt.interp.errorHandlerStmt = "\x10\x10 \"handled\"";
  interp::runProgram(t.rt);
  EXPECT_EQ(t.screen(), "handled\nwent on\n");
  EXPECT_TRUE(t.window.boxes.empty());
  EXPECT_FALSE(t.rt.interp.endedByError);
}

TEST(Reporter, AFailingHandlerIsReportedOnceInsteadOfRecursing) {
  TestRuntime t("10 \x10\x22\n");
  interp::startProgram(t.rt, "/tmp");
  t.rt.interp.errorHandlerStmt = "\x10\x22";  // an unknown code: the handler itself fails
  interp::runProgram(t.rt);
  ASSERT_EQ(t.window.boxes.size(), 1u);
  EXPECT_TRUE(t.rt.interp.stopRequested);
}

TEST(Reporter, WarningsLetTheProgramContinue) {
  TestRuntime t("42 X\n");
  t.rt.interp.currentLine = 42;
  interp::report(t.rt, interp::WendWithoutWhile);
  EXPECT_EQ(t.lastBox(),
            "[Basic - Warning] Wend 命令語に対する While 命令語が検出されませんでした  Warning line:42");
  EXPECT_FALSE(t.rt.interp.stopRequested);
  interp::report(t.rt, 100);
  EXPECT_EQ(t.lastBox(), "[Basic - Warning]   Warning line:42");
}

TEST(Reporter, LongTextsAreCutToTheBoxWithoutSplittingACharacter) {
  TestRuntime t("10 X\n");
  t.rt.interp.currentLine = 10;
  std::string wide;
  for (int i = 0; i < 200; ++i) wide += test::sjis("字");
  interp::report(t.rt, interp::InvalidIdentifier, "a" + wide);
  std::string box = t.lastBox();
  const std::string frame = "  Error line:10";
  ASSERT_GE(box.size(), frame.size());
  EXPECT_EQ(box.substr(box.size() - frame.size()), frame);
  std::string body = *platform::utf8ToCp932(box.substr(16, box.size() - 16 - frame.size()));
  EXPECT_LE(body.size() + 2 + frame.size() - 2, interp::reportBufferSize - 1);
  EXPECT_EQ(body.size() % 2, 1u);  // "a" and whole two-byte characters only
  EXPECT_TRUE(t.rt.interp.endedByError);
}

TEST(Lifecycle, EndCleansUpOnceAndRestoresColours) {
  TestRuntime t("10 X\n");
  t.rt.screen.textForeground = 0x123456;
  t.rt.screen.textAreaLimited = true;
  interp::endProgram(t.rt);
  EXPECT_EQ(t.rt.screen.textForeground, screen::white);
  EXPECT_FALSE(t.rt.screen.textAreaLimited);
  EXPECT_TRUE(t.rt.screen.caretEnabled);
  t.rt.screen.textForeground = 0x123456;
  interp::endProgram(t.rt);
  EXPECT_EQ(t.rt.screen.textForeground, 0x123456u);
}

}  // namespace
}  // namespace tw

namespace tw {
namespace {

using test::TestRuntime;

TEST(Scans, LineNumbersFindTheFirstLineAtOrAboveAndNothingBeyondTheLast) {
  TestRuntime t("10 A\n20 B\n30 C\n");
  interp::startProgram(t.rt, "/tmp");
  EXPECT_EQ(interp::findLine(t.rt, "5"), -1);
  EXPECT_EQ(interp::findLine(t.rt, "10"), -1);
  EXPECT_EQ(interp::findLine(t.rt, "25"), 9);  // the newline before line 30
  EXPECT_EQ(interp::findLine(t.rt, "30x"), 9);
  EXPECT_TRUE(t.window.boxes.empty());
  EXPECT_EQ(interp::findLine(t.rt, "31"), std::nullopt);
  EXPECT_EQ(t.lastBox(), "[Basic - Error] 31 無効な識別子です  Error line:0");
}

TEST(Scans, LabelsMatchTheStartOfALineByteForByte) {
  TestRuntime t("10 *ABC:A\n20 *AB\n30 B:*X\n40\n50 *ab\n");
  interp::startProgram(t.rt, "/tmp");
  EXPECT_EQ(interp::findLine(t.rt, "*AB"), -1);  // *ABC begins with *AB
  EXPECT_EQ(interp::findLine(t.rt, "*ab"), 27);  // past line 40, which has no blank
  EXPECT_EQ(interp::findLine(t.rt, "*X"), std::nullopt);  // not the first statement
  EXPECT_EQ(interp::findLine(t.rt, "+1"), std::nullopt);
  EXPECT_EQ(t.lastBox(), "[Basic - Error] 文法が間違っています  Error line:0");
}

TEST(Scans, EachLoopScanIsMadeOnceHoweverOftenTheLoopRuns) {
  // FOR I, FOR J, NEXT J, NEXT I: two backward scans and two forward skips.
  TestRuntime t(
      "10 \x10\x25 I=1 TO 200\n20 \x10\x25 J=1 TO 50:\x10\x26 J\n30 \x10\x26 I\n"
      "40 \x10\x10 I;J\n");
  t.run();
  EXPECT_EQ(t.screen(), " 201 51\n");
  EXPECT_EQ(t.rt.interp.scans.results.size(), 4u);
}

TEST(Scans, ABranchWordStartsAStatementOnlyOnTheLineBeingExecuted) {
  // The NEXT of line 20 finds the FOR after THEN; the NEXT of line 30 sees only the FOR of line 10
  // and the NEXT of line 20, so it has no FOR of its own.
  TestRuntime t(
      "10 \x10\x25 I=1 TO 2\n"
      "20 \x10\x20 1 then \x10\x25 J=1 TO 3:\x10\x10 J;:\x10\x26\n"
      "30 \x10\x26\n");
  t.run();
  EXPECT_EQ(t.screen(), " 1 2 3");
  EXPECT_EQ(t.lastBox(),
            "[Basic - Warning] Next 命令語に対する For 命令語が検出されませんでした  Warning line:30");
}

}  // namespace
}  // namespace tw
