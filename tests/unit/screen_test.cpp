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

TEST(Layout, LinesWrapBeforeTheRightEdgeAndTheCaretFollowsTheCursor) {
  Screen s;
  // 8-pixel cells in 640 pixels: a cell that would end at the edge goes to the next row.
  s.put(std::string(79, 'a') + "b");
  EXPECT_EQ(s.rt.screen.caretX, 8);
  EXPECT_EQ(s.rt.screen.caretY, 32);
  s.put("\n");
  EXPECT_EQ(s.rt.screen.caretX, 0);
  EXPECT_EQ(s.rt.screen.caretY, 48);
  // A double-byte character is two cells wide; an escape pair is one.
  s.put(test::sjis("字") + "\x01Lx");
  EXPECT_EQ(s.rt.screen.caretX, 32);
}

TEST(Layout, ATextTooTallLosesLinesUntilItFitsAndTheCursorGoesToItsEnd) {
  Screen s;
  s.window.client = {640, 48};  // three rows
  s.put("1\n2\n3\n");
  EXPECT_EQ(s.text(), "2\n3\n");
  s.put("4\n5\n6");
  EXPECT_EQ(s.text(), "4\n5\n6");
  EXPECT_EQ(s.cursor(), 5);
  s.cursor() = 0;
  s.put("X");  // laid out again, it fits: the cursor stays where the write left it
  EXPECT_EQ(s.cursor(), 1);
  // Text without a line break that passes the bottom goes entirely.
  s.cursor() = static_cast<int>(s.text().size());
  s.put(std::string(300, 'z'));
  EXPECT_EQ(s.text(), "");
  EXPECT_EQ(s.cursor(), 0);
}

TEST(Appearance, ColourNumbersAndTheColoursOfNewText) {
  EXPECT_EQ(screen::colourValue(2), 0x0000FFu);
  EXPECT_EQ(screen::colourValue(5), 0xFFFF00u);
  EXPECT_EQ(screen::colourValue(9), 0u);
  EXPECT_EQ(screen::colourValue(-255), 255u);
  test::TestRuntime t(
      "10 \x10\x74 2:\x10\x10 \"r\";\n"
      "20 \x10\x74 7,-1:\x10\x10 \"w\";\n"
      "30 \x10\x74 RGB(1,2,3),4:\x10\x10 \"c\";\n");
  t.run();
  const screen::State& s = t.rt.screen;
  EXPECT_EQ(s.cellForeground[0], 0x0000FFu);
  EXPECT_EQ(s.cellBackground[0], 0u);
  EXPECT_EQ(s.cellForeground[1], 0xFFFFFFu);
  EXPECT_EQ(s.cellBackground[1], screen::transparent);
  EXPECT_EQ(s.cellForeground[2], 0x030201u);
  EXPECT_EQ(s.cellBackground[2], 0x00FF00u);
  // END restores white on black.
  EXPECT_EQ(s.textForeground, screen::white);
  EXPECT_EQ(s.textBackground, 0u);
}

TEST(Locate, BlanksInsertedIntoALineMoveTheColoursAfterThem) {
  test::TestRuntime t(
      "10 \x10\x10 \"ab\"\n20 \x10\x74 2:\x10\x10 \"R\";\n30 \x10\x7A 4,0\n");
  t.run();
  const screen::State& s = t.rt.screen;
  EXPECT_EQ(s.screenText, "ab\x01L\x01L\nR");
  EXPECT_EQ(s.screenCursor, 6);
  // "R" moved from position 3 to 7, with its red.
  EXPECT_EQ(s.cellForeground[7], 0x0000FFu);
}

TEST(Input, TypedKeysAreEchoedEscapedAndStored) {
  test::TestRuntime t("10 \x10\x11 A$,B\n20 \x11\x12 INPUT \"q\",C$\n");
  // A quote typed is held as its escape pair; Backspace takes the pair away whole.
  t.window.keys = "x\"\b\"y,2.5\nk,\"\n";
  t.run();
  EXPECT_EQ(t.rt.screen.screenText, "? x\x01" "Dy,2.5\nqk,\x01" "D\n");
  std::string value;
  expr::readVariable(t.rt, "A$", value);
  EXPECT_EQ(value, "\"x\x01" "Dy\"");
  expr::readVariable(t.rt, "B", value);
  EXPECT_EQ(value, "2.5");
  expr::readVariable(t.rt, "C$", value);
  EXPECT_EQ(value, "\"k,\x01" "D\"");
  EXPECT_FALSE(t.rt.screen.caretEnabled && !t.rt.interp.stopRequested);
}

TEST(Input, ClosingTheWindowWhileInputWaitsEndsTheProgram) {
  test::TestRuntime t("10 \x10\x11 A\n20 \x10\x10 \"not reached\"\n");
  t.run();
  EXPECT_EQ(t.screen(), "? \n");
  EXPECT_TRUE(t.rt.interp.stopRequested);
  EXPECT_FALSE(t.rt.interp.endedByError);
  EXPECT_FALSE(t.rt.screen.inputMode);
}

}  // namespace
}  // namespace tw
