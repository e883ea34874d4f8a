// Unit tests of builtins/: what a program cannot see directly (the hidden marks, the passes,
// the escape pairs, the name table), user-defined functions, whose DEF FN statement lives
// elsewhere, and the limits of the expansion.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/test_runtime.h"

namespace tw {
namespace {

class Builtins : public ::testing::Test {
 protected:
  test::TestRuntime t;
  Runtime& rt = t.rt;

  Builtins() { rt.host.programDir = "/tmp"; }

  std::string expand(std::string_view text) {
    std::string s(text);
    builtins::expandFunctionCalls(rt, s);
    return s;
  }
  std::string call(std::string_view callText) { return builtins::dispatchFunction(rt, callText); }
  std::vector<std::string> boxes() { return t.takeBoxes(); }
  void expectBox(std::string_view message) { t.expectOneBox(message); }
  void expectNoBox() { EXPECT_TRUE(boxes().empty()); }
  // Runs a program (UTF-8) after DEF FN definitions made as the DEF FN statement makes them.
  std::string runWith(const std::vector<std::pair<std::string, std::string>>& definitions,
                      std::string_view program) {
    t.load(program);
    rt.interp.runPos = 0;  // each run starts at the first line
    interp::startProgram(rt, "/tmp");
    for (const auto& [left, body] : definitions) builtins::defineUserFunction(rt, left, body);
    interp::runProgram(rt);
    return t.screen();
  }
};

constexpr const char* syntaxError = "文法が間違っています";
constexpr const char* memoryRange = "ﾒﾓﾘの指定範囲を超えています";
constexpr const char* unexpected = "予期せぬｴﾗｰです";

// ---- Expansion ----------------------------------------------------------------------------------

TEST_F(Builtins, GroupsAndUnknownCallsComeBackUnchanged) {
  for (const char* text : {"a=(1+2)*3", "a=((1)+(2))*(3)", "x=foo(1)+a(b(2),(3))", "fn1(2)",
                           "x=5\001m(3)", "s$(\")\")=\"(\"", "a=1:b=2"})
    EXPECT_EQ(expand(text), text);
  expectNoBox();
}

TEST_F(Builtins, UnknownCallsAreHiddenBehindMarks) {
  // The marks let later passes go by a call that nobody serves; expansion restores them.
  EXPECT_EQ(call("foo(1)"), "foo\001a1\001b");
  EXPECT_EQ(call("a (\001a2\001b)"), "a \001a\001a2\001b\001b");
  EXPECT_EQ(call("FNA(1)"), "FNA\001a1\001b");
  expectNoBox();
}

TEST_F(Builtins, InnerCallsComeFirstAndOuterOnesInLaterPasses) {
  expr::assignStatement(rt, "y$=\"A\"");
  EXPECT_EQ(expand("x$=chr$( asc(y$)+1)"), "x$=\"B\"");
  // The outer '(' is passed over before ASC is replaced; the second pass calls CHR$.
  EXPECT_EQ(expand("x$=\"(\"+chr$(asc(y$))"), "x$=\"(\"+\"A\"");
  EXPECT_EQ(expand("x=len(str$(abs((-12.5))))+(1)"), "x=5+(1)");
  expectNoBox();
}

TEST_F(Builtins, CallsMayHaveBlanksBeforeTheirParenthesisAndAnyLetterCase) {
  EXPECT_EQ(expand("x=LeN (\"abc\")+len\t( \"a b\" )"), "x=3+3");
  EXPECT_EQ(call("Len( \"a b\" )"), "3");
  EXPECT_EQ(call("SPACE$( 2 )"), "\"  \"");
  expectNoBox();
}

TEST_F(Builtins, OperatorEscapeLettersArePartOfNoName) {
  // X MOD ABS(Y) without blanks, as a DEF FN body is stored: the 'm' of MOD is not part of ABS.
  EXPECT_EQ(expand("x=7\001mabs(-4)"), "x=7\001m4.000000000000000");
  EXPECT_EQ(expand("x=9\001eint(1.5)"), "x=9\001e1");
  expectNoBox();
}

TEST_F(Builtins, BareFunctionsAreFoundOutsideLiteralsOnly) {
  EXPECT_EQ(expand("PRINT DATE$;time$"), "PRINT \"2001/03/05\";\"09:05:07\"");
  EXPECT_EQ(expand("x$=CurDir$+\"TIME$\""), "x$=\"/tmp\"+\"TIME$\"");
  EXPECT_EQ(expand("x$=mytime$+date1$+time1$"), "x$=mytime$+date1$+time1$");
  t.clock.time = {1999, 12, 31, 23, 59, 0};
  EXPECT_EQ(expand("date$+time$"), "\"1999/12/31\"+\"23:59:00\"");
  // A quote in a folder name must not end the literal.
  rt.host.programDir = "/a\"b";
  EXPECT_EQ(expand("curdir$"), "\"/a\001Db\"");
  expectNoBox();
}

TEST_F(Builtins, DefStatementTextsAreLeftAlone) {
  EXPECT_EQ(expand("def x=abs(-1)"), "def x=abs(-1)");
  EXPECT_EQ(expand("DeF\tabs(-1)"), "DeF\tabs(-1)");
  EXPECT_EQ(expand("define=abs(-1)"), "define=1.000000000000000");
}

TEST_F(Builtins, UnbalancedParenthesesAreSyntaxErrors) {
  EXPECT_EQ(expand("a=abs((1)"), "a=abs((1)");
  expectBox(syntaxError);
  // Also where nothing else would make the text worth scanning.
  expand("a=1)");
  expectBox(syntaxError);
  expand("a=(1");
  expectBox(syntaxError);
  // In the call itself parentheses count inside literals too.
  EXPECT_EQ(call("len(\"(\")"), "");
  expectBox(syntaxError);
}

TEST_F(Builtins, AStoppedProgramIsNotExpandedAndAnErrorEndsThePass) {
  rt.interp.stopRequested = true;
  EXPECT_EQ(expand("x=abs(-1)"), "x=abs(-1)");
  boxes();
  // After LOG's error, the RND call in the same statement is not made.
  const std::uint32_t state = rt.builtins.randomState;
  expand("x=log(0)+rnd(1)+(2)");
  expectBox("LOG");
  EXPECT_EQ(rt.builtins.randomState, state);
}

TEST_F(Builtins, ExpansionKeepsStatementTextsWithinTheirLimit) {
  // 3 + 4,093 + 1 + 4,094 bytes: exactly the limit.
  std::string fits = expand("a$=space$(4091)+space$(4092)");
  EXPECT_EQ(fits.size(), builtins::expandedTextLimit);
  expectNoBox();
  expand("a$=space$(4092)+space$(4092)");
  expectBox(memoryRange);
  // The marks of a long text with many groups do not count against it.
  std::string groups = "x=";
  while (groups.size() + 4 + 16 <= builtins::expandedTextLimit) groups += "(1)+";
  EXPECT_EQ(expand(groups + "len(\"abcdefghij\")"), groups + "10");
  expectNoBox();
}

TEST_F(Builtins, LongResultsAreCutToAStringValue) {
  EXPECT_EQ(call("space$(100000)").size(), builtins::resultContentsLimit + 2);
  EXPECT_EQ(call("string$(9000,\"ab\")"),
            "\"" + std::string(builtins::resultContentsLimit, 'a') + "\"");
  // AKCNV$ doubles its text; the cut never splits a character.
  std::string wide = call("akcnv$(\"" + std::string(5000, 'a') + "\")");
  EXPECT_EQ(wide.size(), 2 + 4094 * 2u);
  expectNoBox();
}

// ---- Dispatch and arguments ---------------------------------------------------------------------

TEST_F(Builtins, ArgumentsAreCountedAtTheTopLevelOutsideLiterals) {
  EXPECT_TRUE(builtins::checkArgCount(rt, "", 1, true));
  EXPECT_TRUE(builtins::checkArgCount(rt, "a,b", 2, true));
  EXPECT_TRUE(builtins::checkArgCount(rt, "\",\",f(1,2),(3)", 3, true));
  EXPECT_FALSE(builtins::checkArgCount(rt, "a,b", 3, false));
  expectNoBox();
  EXPECT_FALSE(builtins::checkArgCount(rt, "a,b", 1, true));
  expectBox("指定すべきﾊﾟﾗﾒｰﾀの個数が違います");
  EXPECT_FALSE(builtins::checkArgCount(rt, "a),(b", 2, false));
  expectBox(syntaxError);
}

TEST_F(Builtins, ResultsAreWrittenInTheirFunctionsFormats) {
  EXPECT_EQ(call("abs(-2)"), "2.000000000000000");
  EXPECT_EQ(call("csng(1/3)"), "0.3333333");
  EXPECT_EQ(call("rnd()"), "0.001230");
  EXPECT_EQ(call("int(-2.5)"), "-3");
  EXPECT_EQ(call("rgb(1,2,3)"), "-197121");
  EXPECT_EQ(call("exp(1000)"), "1.#INF");
  expectNoBox();
}

TEST_F(Builtins, CommasInsideSubscriptsDoNotSplitArguments) {
  expr::assignStatement(rt, "a$(1,2)=\"hello\"");
  expr::assignStatement(rt, "c(1,2)=255");
  EXPECT_EQ(call("left$(a$(1,2),2)"), "\"he\"");
  EXPECT_EQ(call("right$(a$(1,2),2)"), "\"lo\"");
  EXPECT_EQ(call("rgb(c(1,2),0,c(1,2))"), "-16711935");
  expectNoBox();
}

TEST_F(Builtins, FailingStringRoutinesLeaveNoResult) {
  EXPECT_EQ(call("left$(\"abc\")"), "");
  boxes();
  EXPECT_EQ(call("rgb(1,2)"), "");
  boxes();
  // The count of RIGHT$ runs to the end of the text and must be whole.
  EXPECT_EQ(call("right$(\"abc\",\"1)\")"), "");
  expectBox(syntaxError);
  EXPECT_EQ(call("mid$(\"abc\",0)"), "");
  expectNoBox();
}

// ---- Literals -----------------------------------------------------------------------------------

TEST_F(Builtins, CharToLiteralEscapesThreeBytes) {
  std::string out;
  builtins::charToLiteral(0x01, out, false);
  builtins::charToLiteral('"', out, false);
  builtins::charToLiteral(0, out, false);
  builtins::charToLiteral('A', out, true);
  EXPECT_EQ(out, std::string("\001\001\001D\001Z\"A\""));
}

TEST_F(Builtins, UnescapeStringGivesTheRawBytes) {
  std::string out = "x";
  EXPECT_TRUE(builtins::unescapeString(rt, std::string("a\001\001\001D\001Z\001Lb"), out));
  EXPECT_EQ(out, std::string("xa\001\"\0 b", 7));
  expectNoBox();
  out = "x";
  EXPECT_FALSE(builtins::unescapeString(rt, "a\001q", out));
  EXPECT_EQ(out, "x");
  expectBox(unexpected);
  EXPECT_FALSE(builtins::unescapeString(rt, "a\001", out));
  expectBox(unexpected);
}

TEST_F(Builtins, AscReadsWhatAnEscapePairStandsFor) {
  EXPECT_EQ(expand("asc(chr$(34))+asc(chr$(0))+asc(chr$(1))"), "34+0+1");
  EXPECT_EQ(expand("asc(chr$(32))+len(chr$(0)+chr$(34))"), "32+2");
  expectNoBox();
}

// ---- Double-byte tables -------------------------------------------------------------------------

TEST_F(Builtins, FullWidthFormsAreTheCodePageForms) {
  std::string ascii;
  for (int c = 0x20; c <= 0x7E; ++c)
    if (c != '"') ascii += static_cast<char>(c);
  const std::string wide = call("akcnv$(\"" + ascii + "\")");
  EXPECT_EQ(platform::cp932ToUtf8(wide),
            "\"　！＃＄％＆’（）＊＋，－．／０１２３４５６７８９：；＜＝＞？＠ＡＢＣＤＥＦＧＨＩＪ"
            "ＫＬＭＮ"
            "ＯＰＱＲＳＴＵＶＷＸＹＺ［￥］＾＿‘ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙ"
            "ｚ｛｜｝￣\"");
  EXPECT_EQ(platform::cp932ToUtf8(call(test::sjis(
                "akcnv$(\"｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ\")"))),
            "\"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハ"
            "ヒフヘホ"
            "マミムメモヤユヨラリルレロワン゛゜\"");
  // Back to single bytes: every full-width form of the table returns to its byte.
  EXPECT_EQ(call("kacnv$(" + wide + ")"), "\"" + ascii + "\"");
}

TEST_F(Builtins, HalfWidthFormsDropVoicingAndKeepSmallLetters) {
  EXPECT_EQ(
      platform::cp932ToUtf8(call(test::sjis(
          "kacnv$("
          "\"ァアィイゥウェエォオカガキギクグケゲコゴサザシジスズセゼソゾタダチヂッツヅテデトドナニ"
          "ヌネノ"
          "ハバパヒビピフブプヘベペホボポマミムメモャヤュユョヨラリルレロヮワヰヱヲンヴヵヶ\")"))),
      "\"ｧｱｨｲｩｳｪｴｫｵｶｶｷｷｸｸｹｹｺｺｻｻｼｼｽｽｾｾｿｿﾀﾀﾁﾁｯﾂﾂﾃﾃﾄﾄﾅﾆﾇﾈﾉﾊﾊﾊﾋﾋﾋﾌﾌﾌﾍﾍﾍﾎﾎﾎﾏﾐﾑﾒﾓｬﾔｭﾕｮﾖﾗﾘﾙﾚﾛﾜﾜｲｴｦﾝｳｶｹ\"");
  EXPECT_EQ(
      platform::cp932ToUtf8(call(test::sjis(
          "kacnv$("
          "\"ぁあぃいぅうぇえぉおかがきぎくぐけげこごさざしじすずせぜそぞただちぢっつづてでとどなに"
          "ぬねの"
          "はばぱひびぴふぶぷへべぺほぼぽまみむめもゃやゅゆょよらりるれろゎわゐゑをん\")"))),
      "\"ｧｱｨｲｩｳｪｴｫｵｶｶｷｷｸｸｹｹｺｺｻｻｼｼｽｽｾｾｿｿﾀﾀﾁﾁｯﾂﾂﾃﾃﾄﾄﾅﾆﾇﾈﾉﾊﾊﾊﾋﾋﾋﾌﾌﾌﾍﾍﾍﾎﾎﾎﾏﾐﾑﾒﾓｬﾔｭﾕｮﾖﾗﾘﾙﾚﾛﾜﾜｲｴｦﾝ\"");
  // Codes beyond the katakana, and kanji, stay as they are.
  EXPECT_EQ(platform::cp932ToUtf8(call(test::sjis("kacnv$(\"Αа漢\")"))), "\"Αа漢\"");
  expectNoBox();
}

// ---- User-defined functions ---------------------------------------------------------------------

TEST_F(Builtins, UserFunctionsBindTheirParametersAndExpandTheirBodiesWhenCalled) {
  ASSERT_TRUE(builtins::defineUserFunction(rt, "FNA(X,Y)", "X*Y+ABS(-1)"));
  ASSERT_TRUE(builtins::defineUserFunction(rt, "FNB$(S$)", "S$+CHR$(33)"));
  std::string out;
  EXPECT_TRUE(builtins::callUserFunction(rt, "FNA", "3,4", out));
  EXPECT_EQ(out, "13.000000000000000");
  EXPECT_TRUE(builtins::callUserFunction(rt, "FNB$", "\"hi\"", out));
  EXPECT_EQ(out, "\"hi!\"");
  // Parameters are program variables and keep their values; surplus arguments are ignored.
  EXPECT_TRUE(builtins::callUserFunction(rt, "FNA", "2,5,7", out));
  EXPECT_EQ(expr::scratchNumeric(rt, "X*10+Y"), 25);
  // Names are matched exactly.
  EXPECT_FALSE(builtins::callUserFunction(rt, "fna", "1,1", out));
  expectNoBox();
}

TEST_F(Builtins, UserFunctionsRunInsidePrograms) {
  std::string screen =
      runWith({{"FNA(X)", "X\001mABS(-4)"},
               {"FNC$", "\"c\"+TIME$"},
               {"FNN(X)", "FNA(X)*10"},
               {"FNL$(S$,T$)", "T$+S$"}},
              "10 \x10\x10 FNA(7); FNN(6); FNC$; FNA (9)\n"
              "20 \x10\x10 FNL$(\"a,(b\",\"c)\"); fna(1); FNL$(LEFT$(\"xyz\",2),\"<\")\n");
  EXPECT_EQ(screen, " 3 20c09:05:07 1\nc)a,(b 0<xy\n");
  expectNoBox();
}

TEST_F(Builtins, LongArgumentTextsArePassedWhole) {
  const std::string text(300, 'q');
  std::string screen = runWith({{"FNL$(S$)", "S$"}},
                               "10 A$=FNL$(\"" + text + "\"):\x10\x10 LEN(A$); MID$(A$,300)\n");
  EXPECT_EQ(screen, " 300q\n");
  expectNoBox();
}

TEST_F(Builtins, TheFirstDefinitionOfANameStaysAndRedefiningUsesNoSlot) {
  ASSERT_TRUE(builtins::defineUserFunction(rt, "FNA(X)", "X+1"));
  for (int i = 0; i < 1000; ++i) ASSERT_TRUE(builtins::defineUserFunction(rt, "FNA(Y)", "Y+2"));
  EXPECT_EQ(rt.builtins.userFunctions.size(), 1u);
  EXPECT_EQ(builtins::dispatchFunction(rt, "FNA(1)"), "2.000000000000000");
  expectNoBox();
}

TEST_F(Builtins, TheTableHoldsTwoHundredFiftyFiveDefinitions) {
  for (std::size_t i = 0; i < builtins::userFunctionLimit; ++i)
    ASSERT_TRUE(builtins::defineUserFunction(rt, "FN" + std::string(i + 1, 'A') + "(X)", "X"));
  expectNoBox();
  EXPECT_FALSE(builtins::defineUserFunction(rt, "FNZ(X)", "X"));
  expectBox(memoryRange);
  // Names have no limit of their own.
  EXPECT_EQ(call("FN" + std::string(builtins::userFunctionLimit, 'A') + "(7)"), "7.000000000000000");
  // A definition that exists already is no new one.
  EXPECT_TRUE(builtins::defineUserFunction(rt, "FNA(X)", "X"));
  expectNoBox();
}

TEST_F(Builtins, DefinitionTextsHoldNineHundredNinetyEightBytes) {
  const std::string body(builtins::userFunctionTextLimit, '1');
  EXPECT_TRUE(builtins::defineUserFunction(rt, "FNA", body));
  EXPECT_FALSE(builtins::defineUserFunction(rt, "FNB", body + "1"));
  expectBox(memoryRange);
  EXPECT_FALSE(builtins::defineUserFunction(rt, "FN" + std::string(997, 'C'), "1"));
  expectBox(memoryRange);
}

TEST_F(Builtins, RecursiveFunctionsEndInAnErrorNotAStackOverflow) {
  EXPECT_EQ(runWith({{"FNR(X)", "FNR(X+1)+1"}}, "10 \x10\x10 FNR(1)\n20 \x10\x10 \"no\"\n"), "");
  expectBox(memoryRange);
  EXPECT_EQ(rt.builtins.userCallDepth, 0);
  // Through the variable store: a missing string variable is tried as a function.
  runWith({{"FNS$", "FNT$"}, {"FNT$", "\"t\"+FNS$"}}, "10 A$=FNS$\n");
  expectBox(memoryRange);
  EXPECT_EQ(rt.builtins.userCallDepth, 0);
}

}  // namespace
}  // namespace tw
