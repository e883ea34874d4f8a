// Unit tests of DIM and ERASE: what a program cannot see of them, the directory text, the slots
// and the string table after declarations, refusals and removals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/test_runtime.h"

namespace tw {
namespace {

class Arrays : public ::testing::Test {
 protected:
  test::TestRuntime t;
  Runtime& rt = t.rt;

  void let(std::string_view s) { expr::assignStatement(rt, s); }
  void dim(std::string_view s) { expr::dimStatement(rt, s); }
  void erase(std::string_view s) { expr::eraseStatement(rt, s); }
  const std::string& directory() const { return rt.expr.numericDirectory; }
  const std::vector<double>& values() const { return rt.expr.numericValues; }
  std::vector<std::string> boxes() { return t.takeBoxes(); }
  void expectBox(std::string_view message) { t.expectOneBox(message); }
};

TEST_F(Arrays, DimWritesEntriesInOrderAndResetsScalarsInPlace) {
  let("x=5");
  let("y=6");
  dim(" m ( (2+1)*2 ) , s$(10), x, n(1,2)");
  EXPECT_TRUE(boxes().empty());
  EXPECT_EQ(directory(),
            "x,y,m\x02"
            "6\x03,n\x02"
            "1\x03"
            "2\x03,");
  std::vector<double> expected{0, 6};
  expected.resize(2 + 7 + 6, 0.0);
  EXPECT_EQ(values(), expected);
  EXPECT_TRUE(rt.expr.strings.empty());
}

// A refused DIM leaves the store exactly as it was, whichever item is at fault.
TEST_F(Arrays, DimChecksEveryItemBeforeCreatingAnything) {
  let("a(2)=1");
  let("x=5");
  dim("k(1)");
  const std::string before = directory();
  const std::vector<double> beforeValues = values();
  struct Case {
    std::string text;
    std::string_view message;
  };
  std::string hundredOne = "v0";
  for (int i = 1; i <= 100; ++i) hundredOne += ",v" + std::to_string(i);
  const std::string longItem = "w(" + std::string(96, '0') + "1)";
  for (const Case& c :
       {Case{"b(3), x, a(5)", "配列変数 a はすでに定義されています"},
        Case{"c(2), k", "配列変数 k はすでに定義されています"},
        Case{"c(2), d, c(3)", "配列変数 c はすでに定義されています"},
        Case{"d(1), 1e(2)", "1e 無効な識別子です"},
        Case{"d(1),,e", "[Basic - Error]  無効な識別子です"},
        Case{"d(1), e(2", "文法が間違っています"}, Case{"d(1), e(2))", "文法が間違っています"},
        Case{hundredOne, "ﾒﾓﾘの指定範囲を超えています"},
        Case{"d(1), " + longItem, "ﾒﾓﾘの指定範囲を超えています"}}) {
    SCOPED_TRACE(c.text);
    dim(c.text);
    expectBox(c.message);
    EXPECT_EQ(directory(), before);
    EXPECT_EQ(values(), beforeValues);
  }
  dim("");
  EXPECT_TRUE(boxes().empty());
  EXPECT_EQ(directory(), before);
}

TEST_F(Arrays, EraseRemovesEveryEntryOfTheNameWhateverItsOrder) {
  let("a=1");
  dim("a(2)");
  let("a(1)=3");
  let("b(1)=4");
  let("b=5");
  let("b(2)=6");
  let("z=9");
  erase("a, b");
  EXPECT_EQ(directory(), "z,");
  EXPECT_EQ(values(), std::vector<double>{9});
  // Names with subscripts and names never used leave the directory alone.
  erase("z(1), never");
  EXPECT_EQ(directory(), "z,");
  EXPECT_TRUE(boxes().empty());
}

TEST_F(Arrays, EraseSplitsOnlyAtCommasOutsideParentheses) {
  let("s$(1,2)=\"x\"");
  let("s$(2,1)=\"y\"");
  let("s$(3)=\"w\"");
  let("n=1");
  erase("s$(1,2), s$(1+2), n");
  EXPECT_EQ(expr::stringTableText(rt.expr), "\ns$(2,1) \"y\"");
  EXPECT_EQ(rt.expr.stringTableSize, expr::stringTableText(rt.expr).size());
  EXPECT_TRUE(directory().empty());
  erase("s$(1");
  expectBox("文法が間違っています");
}

// Under an ON ERROR handler a refused name is skipped and the others are still erased.
TEST_F(Arrays, EraseSkipsARefusedNameUnderAHandler) {
  let("b=2");
  rt.interp.errorHandlerStmt = "*handler";
  erase("1a, b");
  EXPECT_TRUE(boxes().empty());
  EXPECT_TRUE(directory().empty());
  rt.interp.errorHandlerStmt.clear();
  erase(",b");
  expectBox("[Basic - Error]  無効な識別子です");
}

}  // namespace
}  // namespace tw
