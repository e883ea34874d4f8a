// Unit tests of the utility statements for what a program cannot see: the READ offset kept beside
// the read index across CLEAR and RESTORE, SLEEP's slices and early stop, the seed taken from the
// clock, the program folder after CHDIR, and the store left alone by refused statements.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/test_runtime.h"

namespace tw {
namespace {

class Statements : public ::testing::Test {
 protected:
  test::TestRuntime t;
  Runtime& rt = t.rt;

  // Loads an encoded program and builds its DATA list, as program start does.
  void program(std::string_view text) {
    t.load(text);
    host::buildDataList(rt.host);
  }
  void read(std::string_view names) { statements::readStatement(rt, names); }
  void restore(std::string_view target) { statements::restoreStatement(rt, target); }
  std::string value(std::string_view reference) {
    std::string out;
    EXPECT_TRUE(expr::readVariable(rt, reference, out)) << reference;
    return out;
  }
  // Where the item that READ takes next begins, as the list shows it.
  std::string_view nextItemText() const {
    const std::string_view list = rt.host.dataList;
    return rt.statements.dataOffset >= list.size() ? std::string_view{}
                                                   : list.substr(rt.statements.dataOffset);
  }
  std::vector<std::string> boxes() { return t.takeBoxes(); }
  void expectBox(std::string_view message) { t.expectOneBox(message); }
};

constexpr std::string_view twoDataLines = "10 \x10\x63 1, \"a,b\" ,3\n20 *L:\x10\x63 4\n";

TEST_F(Statements, ReadKeepsTheOffsetOfTheNextItem) {
  program(twoDataLines);
  read("x, y$");
  EXPECT_EQ(value("x"), "1");
  EXPECT_EQ(value("y$"), "\"a,b\"");
  EXPECT_EQ(rt.host.dataReadIndex, 3);
  EXPECT_EQ(rt.statements.dataIndex, 3);
  EXPECT_EQ(nextItemText(), "3,\x01n20,\x01v*L,4");
  read("z, w");
  EXPECT_EQ(value("w"), "4");
  EXPECT_EQ(rt.host.dataReadIndex, 7);
  EXPECT_EQ(rt.statements.dataOffset, std::string_view::npos);
  read("v");
  expectBox("Read 命令語に対応するﾃﾞｰﾀがありません");
  EXPECT_EQ(rt.host.dataReadIndex, 7);
}

// CLEAR rebuilds the list and restarts at item 0; RESTORE and other movers of the index leave the
// kept offset behind, and READ then finds its item by walking the list.
TEST_F(Statements, TheKeptOffsetServesOnlyItsListAndIndex) {
  program(twoDataLines);
  read("x, y$, z");
  interp::clearProgram(rt);
  read("x");
  EXPECT_EQ(value("x"), "1");
  restore("20");
  EXPECT_EQ(rt.host.dataReadIndex, 4);
  EXPECT_EQ(nextItemText(), "\x01n20,\x01v*L,4");
  read("x");
  EXPECT_EQ(value("x"), "4");
  restore("*L");
  EXPECT_EQ(rt.host.dataReadIndex, 5);
  rt.host.dataReadIndex = 2;
  read("y$");
  EXPECT_EQ(value("y$"), "\"a,b\"");
  restore("");
  read("x");
  EXPECT_EQ(value("x"), "1");

  // Another program's list, read from the same index: the kept offset (8) stands at an item
  // start of the new list too, but of another item.
  program("100 \x10\x63 1,2,3\n");
  read("x");
  program("1 \x10\x63 7,8,9\n");
  rt.host.dataReadIndex = 2;
  read("x");
  EXPECT_EQ(value("x"), "8");
  EXPECT_TRUE(boxes().empty());
}

TEST_F(Statements, RefusedReadsTakeNoItemOrStoreNothing) {
  program("10 \x10\x63 1,2\n");
  read("1a");
  expectBox("1a 無効な識別子です");
  EXPECT_EQ(rt.host.dataReadIndex, 0);
  read("a(1");
  expectBox("文法が間違っています");
  read("a,\"b");
  expectBox("文法が間違っています");
  EXPECT_EQ(value("a"), "1");

  // An item longer than a string value is refused by the store; it counts as read.
  rt.host.dataList = std::string(8190, 'b') + ",c";
  rt.host.dataReadIndex = 0;
  read("b$");
  expectBox("ﾒﾓﾘの指定範囲を超えています");
  EXPECT_EQ(value("b$"), "\"\"");
  read("c$");
  EXPECT_EQ(value("c$"), "\"c\"");
}

// Sleeps are cut into slices; a stop request between two slices ends the wait.
TEST_F(Statements, SleepWaitsInSlicesAndStopsEarly) {
  statements::sleepStatement(rt, "120");
  EXPECT_EQ(t.clock.sleeps, (std::vector<int>{50, 50, 20}));
  t.clock.sleeps.clear();
  statements::sleepStatement(rt, "0");
  EXPECT_EQ(t.clock.sleeps, std::vector<int>{0});
  t.clock.sleeps.clear();
  statements::sleepStatement(rt, "-1");
  expectBox("SLEEP 命令語にﾏｲﾅｽ値を指定することはできません");
  EXPECT_TRUE(t.clock.sleeps.empty());

  struct ClosingClock : test::FakeClock {
    Runtime* rt = nullptr;
    void sleep(int milliseconds) override {
      FakeClock::sleep(milliseconds);
      if (sleeps.size() == 2) rt->interp.stopRequested = true;
    }
  } closing;
  closing.rt = &rt;
  rt.sys.clock = &closing;
  statements::sleepStatement(rt, "2147483647");
  EXPECT_EQ(closing.sleeps, (std::vector<int>{50, 50}));
}

TEST_F(Statements, RandomizeWithoutArgumentSeedsFromTheClock) {
  statements::randomizeStatement(rt, "");
  EXPECT_EQ(rt.builtins.lastRandomSeed, 983783107);
  // Beyond 32 bits the seconds keep their low 32 bits.
  t.clock.epoch = (std::int64_t{1} << 32) + 5;
  statements::randomizeStatement(rt, "  ");
  EXPECT_EQ(rt.builtins.lastRandomSeed, 5);
  statements::randomizeStatement(rt, "-1");
  expectBox("文法が間違っています");
  EXPECT_EQ(rt.builtins.lastRandomSeed, 5);
}

TEST_F(Statements, ChdirDropsOneTrailingBackslashOfItsOwn) {
  statements::chdirStatement(rt, "\"C:\\data\\\"");
  EXPECT_EQ(rt.host.programDir, "C:\\data");
  statements::chdirStatement(rt, "\"C:\\\\\"");
  EXPECT_EQ(rt.host.programDir, "C:\\");
  // 表 is 0x95 0x5C: its second byte is not a separator.
  const std::string table = test::sjis("表");
  statements::chdirStatement(rt, "\"C:\\" + table + "\"");
  EXPECT_EQ(rt.host.programDir, "C:\\" + table);
  statements::chdirStatement(rt, "\"" + table + "\\\"");
  EXPECT_EQ(rt.host.programDir, table);
  statements::chdirStatement(rt, "5");
  expectBox("型が違います");
  EXPECT_EQ(rt.host.programDir, table);
}

TEST_F(Statements, SwapOfAStringWithANumberChangesNothing) {
  expr::assignStatement(rt, "a$=\"x\"");
  expr::assignStatement(rt, "b=1");
  statements::swapStatement(rt, "a$,b");
  expectBox("型が違います");
  EXPECT_EQ(value("a$"), "\"x\"");
  EXPECT_EQ(value("b"), "1");
}

}  // namespace
}  // namespace tw
