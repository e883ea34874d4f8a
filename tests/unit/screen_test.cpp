// The text layer: putText's overwriting, line breaks, TABs, escape pairs, colours and capacity.
#include <gtest/gtest.h>

#include "test_runtime.h"

namespace tw {
namespace {

struct Screen : test::TestRuntime {
  void put(std::string_view text) { screen::putText(rt, text); }
  std::string& text() { return rt.screen.screenText; }
  int& cursor() { return rt.screen.screenCursor; }
};

TEST(PutText, TabsAdvanceToTheNextMultipleOfEightColumns) {
  Screen s;
  s.put("A\tB\n");
  EXPECT_EQ(s.text(), "A       B\n");
  s.put("1234567\tx\n12345678\ty\n");
  EXPECT_EQ(s.text(), "A       B\n1234567 x\n12345678        y\n");
  EXPECT_EQ(s.window.echoed, s.text());
}

TEST(PutText, NewlinesAppendOrMoveToTheNextLine) {
  Screen s;
  s.put("first\r\nsecond");
  EXPECT_EQ(s.text(), "first\nsecond");
  EXPECT_EQ(s.cursor(), 12);
  s.put("\n");
  EXPECT_EQ(s.text(), "first\nsecond\n");
  EXPECT_EQ(s.cursor(), 13);
}

TEST(PutText, WritingInsideOldTextOverwritesAndKeepsTheRest) {
  Screen s;
  s.put("abcdef\nsecond\n");
  s.cursor() = 1;
  s.put("XY");
  EXPECT_EQ(s.text(), "aXYdef\nsecond\n");
  EXPECT_EQ(s.cursor(), 3);
  // With a newline the cursor goes to the next line's start; nothing is erased.
  s.put("Z\n");
  EXPECT_EQ(s.text(), "aXYZef\nsecond\n");
  EXPECT_EQ(s.cursor(), 7);
}

TEST(PutText, AWriteThatMeetsALineBreakInsertsABlankBeforeIt) {
  Screen s;
  s.put("ab\ncd\n");
  s.cursor() = 1;
  // Resting on the line break after the last character, the line keeps one more blank.
  s.put("XYZ");
  EXPECT_EQ(s.text(), "aXYZ \ncd\n");
  EXPECT_EQ(s.cursor(), 4);
  s.put("\n");
  EXPECT_EQ(s.text(), "aXYZ \ncd\n");
  EXPECT_EQ(s.cursor(), 6);
}

TEST(PutText, ACursorBeyondTheTextWritesNothing) {
  Screen s;
  s.put("ab");
  s.cursor() = 5;
  s.put("zz\n");
  EXPECT_EQ(s.text(), "ab");
  EXPECT_EQ(s.cursor(), 5);
}

TEST(PutText, EscapePairsTakeTheRoomOfOneCell) {
  Screen s;
  s.put("a\x01" "Db\n");
  EXPECT_EQ(screen::escapeKind(s.text(), 1), 3);
  // A plain character over an escape cell leaves one cell, not a stray half.
  s.cursor() = 1;
  s.put("x");
  EXPECT_EQ(s.text(), "axb\n");
  // An escape pair over a plain cell makes room for its second byte.
  s.cursor() = 1;
  s.put("\x01L");
  EXPECT_EQ(s.text(), "a\x01Lb\n");
  EXPECT_EQ(s.window.echoed, "a\"b\nx ");
  EXPECT_EQ(screen::escapeKind("\x01\x01", 0), 1);
  EXPECT_EQ(screen::escapeKind("\x01Z", 0), 4);
  EXPECT_EQ(screen::escapeKind("\x01m", 0), 0);
  EXPECT_EQ(screen::escapeKind("\x01", 0), 0);
}

TEST(PutText, EachByteTakesTheCurrentColours) {
  Screen s;
  s.rt.screen.textForeground = 0x0000FF;
  s.rt.screen.textBackground = screen::transparent;
  s.put("r");
  s.rt.screen.textForeground = 0x00FF00;
  s.rt.screen.textBackground = 0;
  s.put("g");
  EXPECT_EQ(s.rt.screen.cellForeground[0], 0x0000FFu);
  EXPECT_EQ(s.rt.screen.cellBackground[0], screen::transparent);
  EXPECT_EQ(s.rt.screen.cellForeground[1], 0x00FF00u);
  EXPECT_EQ(s.rt.screen.cellBackground[1], 0u);
}

TEST(PutText, TheTextLayerHoldsAtMost8191Bytes) {
  Screen s;
  s.window.client = {1 << 20, 1 << 20};  // room for all of it: nothing scrolls
  std::string line(1000, 'x');
  for (int i = 0; i < 9; ++i) s.put(line + "\n");
  EXPECT_EQ(s.text().size(), screen::screenTextLimit);
  EXPECT_EQ(s.cursor(), static_cast<int>(screen::screenTextLimit));
  // Blanks inserted before line breaks never push the text past its capacity.
  s.cursor() = 0;
  s.put("ab\n");
  EXPECT_EQ(s.text().size(), screen::screenTextLimit);
  s.cursor() = 1000;
  s.put("ZZ\n");
  EXPECT_EQ(s.text().size(), screen::screenTextLimit);
  EXPECT_EQ(s.text().substr(999, 5), "xZZ \n");
}

TEST(Print, ItemsSeparatorsAndNumbers) {
  test::TestRuntime t(
      "10 \x10\x10 3;-3;0.5;1/3\n"
      "20 \x10\x10 \"A\";\"B\",\"C\"\n"
      "30 \x10\x10 \"X\";\n"
      "40 \x10\x10 \"Y\",\n"
      "50 \x10\x10\n"
      "60 A$=\"str\":\x10\x10 A$;A$(1);(2)\n");
  t.run();
  EXPECT_EQ(t.screen(), " 3-3 .5 .333333333333333\nAB      C\nXY      \n\nstr 2\n");
}

}  // namespace
}  // namespace tw
