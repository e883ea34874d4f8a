// Unit tests of expr/: the evaluators, the variable store's texts and indexes, the limits that
// refuse with error 12, and the details that a program cannot see.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "tests/unit/test_runtime.h"

namespace tw {
namespace {

// Operator escapes written as ~m ~& ~| ~e ~! in the test texts.
std::string ops(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '~' && i + 1 < text.size()) {
      out += '\x01';
      out += text[++i];
    } else {
      out += text[i];
    }
  }
  return out;
}

class Expr : public ::testing::Test {
 protected:
  test::TestRuntime t;
  Runtime& rt = t.rt;

  double num(std::string_view e) { return expr::scratchNumeric(rt, ops(e)); }
  std::string text(std::string_view e) { return expr::numberText(rt, num(e)); }
  void let(std::string_view s) { expr::assignStatement(rt, ops(s)); }
  std::string read(std::string_view reference) {
    std::string out;
    EXPECT_TRUE(expr::readVariable(rt, reference, out)) << reference;
    return out;
  }
  std::string str(std::string_view e) {
    std::string out;
    expr::scratchString(rt, ops(e), out);
    return out;
  }
  std::vector<std::string> boxes() { return t.takeBoxes(); }
  std::string onlyBox() {
    auto b = boxes();
    EXPECT_EQ(b.size(), 1u);
    return b.empty() ? "" : b[0];
  }
  void expectNoBox() { EXPECT_TRUE(boxes().empty()); }
  // Exactly one box, showing message.
  void expectBox(std::string_view message) {
    std::string box = onlyBox();
    EXPECT_NE(box.find(message), std::string::npos) << box << " lacks " << message;
  }
  // One box or more, the first showing message.
  void expectFirstBox(std::string_view message) {
    auto b = boxes();
    ASSERT_FALSE(b.empty());
    EXPECT_NE(b[0].find(message), std::string::npos) << b[0] << " lacks " << message;
  }
};

constexpr const char* syntaxError = "文法が間違っています";
constexpr const char* typeMismatch = "型が違います";
constexpr const char* memoryRange = "ﾒﾓﾘの指定範囲を超えています";
constexpr const char* divisionByZero = "0で割ろうとしました";

// ---- Operator tests
// ------------------------------------------------------------------------------

TEST_F(Expr, OperatorPositions) {
  std::string t1 = ops("a^b*c/d\\e+f-g~mh~&i~|j~ek~!l=m<n>o");
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < t1.size(); ++i)
    if (expr::isOperatorAt(t1, i)) found.push_back(i);
  // Each operator byte and the 0x01 of each escape; never an escape's letter, '=', '<' or '>'.
  EXPECT_EQ(found, (std::vector<std::size_t>{1, 3, 5, 7, 9, 11, 13, 16, 19, 22, 25}));
  EXPECT_FALSE(expr::isLogicOperatorAt(ops("~m"), 0));
  for (auto s : {"~&", "~|", "~e", "~!"}) EXPECT_TRUE(expr::isLogicOperatorAt(ops(s), 0)) << s;
  EXPECT_FALSE(expr::isOperatorAt("\x01", 0));
  EXPECT_FALSE(expr::isLogicOperatorAt("\x01", 0));
}

TEST_F(Expr, IntegerConversionTruncatesAndWraps) {
  EXPECT_EQ(expr::toInteger(2.9), 2);
  EXPECT_EQ(expr::toInteger(-2.9), -2);
  EXPECT_EQ(expr::toInteger(2147483648.0), -2147483647 - 1);
  EXPECT_EQ(expr::toInteger(4294967297.0), 1);
  EXPECT_EQ(expr::toInteger(NAN), 0);
  EXPECT_EQ(expr::toInteger(HUGE_VAL), 0);
  EXPECT_EQ(expr::toInteger(1e30), 0);
}

// ---- The numeric evaluator
// -----------------------------------------------------------------------

// Program tests cover the usual cases; these are the corners.
TEST_F(Expr, IntegerOperatorCorners) {
  EXPECT_EQ(num("-2147483648\\-1"), 2147483648.0);  // no processor fault
  EXPECT_EQ(num("-2147483648~m-1"), 0);
  EXPECT_EQ(num("4294967297~&3"), 1);  // operands wrap to 32 bits
  EXPECT_EQ(num("((2))"), 2);
  EXPECT_EQ(num(""), 0);
  EXPECT_EQ(num("5+"), 5);
  expectNoBox();
}

TEST_F(Expr, LiteralForms) {
  EXPECT_EQ(num("&o8"), 0);
  EXPECT_EQ(num("&H1E-5"), 25);  // a radix literal has no exponent
  EXPECT_EQ(num("-&H10"), -16);
  EXPECT_EQ(num(".5+5."), 5.5);
  expectNoBox();
  EXPECT_EQ(num("&B101"), 0);
  expectBox(syntaxError);
}

// A sign after E or D that follows a digit or '.' of a number and comes before a digit is the
// exponent's; names keep their minus.
TEST_F(Expr, SignedExponentIsOneNumber) {
  EXPECT_DOUBLE_EQ(num("1E-5"), 0.00001);
  EXPECT_DOUBLE_EQ(num("2.5D+3"), 2500);
  EXPECT_DOUBLE_EQ(num("-1E-5*2"), -0.00002);
  EXPECT_DOUBLE_EQ(num("3-1.e+020"), -1e20);
  EXPECT_EQ(num("1E-x"), 1);  // 1E minus x, x being 0
  let("X1E=7");
  EXPECT_EQ(num("X1E-5"), 2);
  expectNoBox();
}

TEST_F(Expr, SignsNamesAndNot) {
  let("a=-3");
  let("b=2");
  EXPECT_EQ(num("+a"), -3);
  EXPECT_EQ(num("b*-a"), 6);       // a minus before a name inside the expression negates it
  EXPECT_EQ(num("6~&~!1~|2"), 4);  // NOT takes the rest: 6 AND NOT 3
  let("c(1)=-0.5");
  EXPECT_EQ(num("c(1)"), -0.5);
  EXPECT_EQ(num("-c(1)"), 0.5);
  EXPECT_EQ(num("a<b"), 0);  // a name that does not exist
  expectNoBox();
  EXPECT_EQ(num("3**2"), 0);
  expectBox(syntaxError);
}

// A name that begins with a letter may hold digits (k1x); the program tests cover a1(2), b%(1).
TEST_F(Expr, ArrayElementNames) {
  let("k1x(3)=9");
  let("x=2");
  EXPECT_EQ(num("k1x(x+1)"), 9);
  EXPECT_EQ(num("2*(3)"), 6);
  expectNoBox();
}

TEST_F(Expr, EvaluatorErrors) {
  struct Case {
    const char* e;
    const char* message;
  } cases[] = {
      {"5\\0.5", divisionByZero}, {"5~m0", divisionByZero}, {"(1+2", syntaxError},
      {"a$+1", typeMismatch},     {"-a$", typeMismatch},    {"s$(1)", typeMismatch},
      {"\"a\"", typeMismatch},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(num(c.e), 0) << c.e;
    expectBox(c.message);
  }
  EXPECT_EQ(expr::evalNumeric(rt, "12"), 0);
  expectBox("予期せぬｴﾗｰです");
  EXPECT_TRUE(std::isnan(num("(-8)^(1/3)")));
  expectNoBox();
}

TEST_F(Expr, EvaluatorReplacesTheTargetAndStoresNothing) {
  EXPECT_EQ(expr::evalNumeric(rt, "total = 2 + 3"), 5);
  let("xxxxx=7");
  EXPECT_EQ(num("xxxxx+1"), 8);
  EXPECT_EQ(rt.expr.numericDirectory, "xxxxx,");
  EXPECT_EQ(read("xxxxx"), "7");
}

// Every operator of the sums and the logical operators is applied, however many there are.
TEST_F(Expr, LongSumsAddEveryTerm) {
  std::string sum = "1", product = "1", ands = "7";
  for (int i = 1; i < 60; ++i) sum += "+1", product += "*2", ands += "~&7";
  EXPECT_EQ(num(sum), 60);
  EXPECT_EQ(num(product), std::ldexp(1.0, 59));
  EXPECT_EQ(num(ands + "~&3"), 3);
}

// ---- Limits of the evaluator
// ---------------------------------------------------------------------

// Terms of four digits joined by '+', making an argument of exactly length bytes.
std::string sumOfLength(std::size_t length) {
  std::string s = "1000";
  while (s.size() + 5 <= length) s += "+1000";
  while (s.size() < length) s.insert(0, "0");
  return s;
}

TEST_F(Expr, WorkTextLimit) {
  std::string fits = sumOfLength(expr::workTextLimit - 6);  // with "xxxxx="
  EXPECT_GT(num(fits), 0);
  expectNoBox();
  let("v=1");
  let("v=" + sumOfLength(expr::workTextLimit - 1));
  expectBox(memoryRange);
  EXPECT_EQ(read("v"), "1");
  EXPECT_EQ(num(sumOfLength(expr::workTextLimit - 5)), 0);
  expectBox(memoryRange);
}

TEST_F(Expr, SpliceBeyondTheWorkTextIsRefused) {
  // Each (1E200) becomes 217 bytes: four fit the work text, the fifth would pass it.
  let("v=1");
  let("v=(1E200)*0+(1E200)*0+(1E200)*0+(1E200)*0");
  expectNoBox();
  EXPECT_EQ(read("v"), "0");
  let("v=1");
  let("v=(1E200)*0+(1E200)*0+(1E200)*0+(1E200)*0+(1E200)*0");
  expectBox(memoryRange);
  EXPECT_EQ(read("v"), "1");
  // A value of 317 bytes fits the work text but not an operand.
  EXPECT_EQ(num("(1E300)*0"), 0);
  expectBox(memoryRange);
}

TEST_F(Expr, OperandAndOperatorLimits) {
  std::string operand(expr::operandLimit - 1, '0');
  EXPECT_EQ(num(operand + "7"), 7);
  expectNoBox();
  EXPECT_EQ(num(operand + "07"), 0);
  expectBox(memoryRange);
  std::string sum = "1";
  for (std::size_t i = 0; i < expr::operatorLimit; ++i) sum += "+1";
  EXPECT_EQ(num(sum), 255);
  expectNoBox();
  EXPECT_EQ(num(sum + "+1"), 0);
  expectBox(memoryRange);
}

TEST_F(Expr, NestingLimit) {
  auto nested = [](int depth) { return std::string(depth, '(') + "1" + std::string(depth, ')'); };
  EXPECT_EQ(num(nested(expr::nestingLimit - 2)), 1);
  expectNoBox();
  EXPECT_EQ(num(nested(expr::nestingLimit + 10)), 0);
  expectFirstBox(memoryRange);
  EXPECT_EQ(rt.expr.nesting, 0);
}

// ---- Number texts
// --------------------------------------------------------------------------------

TEST_F(Expr, TrimNumberText) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"3.000000000000000", "3"},
      {"0.500000000000000", ".5"},
      {"-0.250000000000000", "-.25"},
      {"1234567.891234567", "1234567.89123457"},
      {"100000000000000000000.000000000000000", "1.e+020"},
      {"123456789012345.593750000000000", "123456789012346."},
      {"0.001234567890123", "1.234567890123e-003"},
      {"0.000000000000000", "0"},
      {"120.", "120"},
      {"12345678901234567.", "1.23456789012346e+016"},
      {"1.#INF", "1.#INF"},
  };
  for (const Case& c : cases) {
    std::string s = c.in;
    expr::trimNumberText(rt, s);
    EXPECT_EQ(s, c.out) << c.in;
  }
  expectNoBox();
  std::string bad = "-3.";
  expr::trimNumberText(rt, bad);
  EXPECT_EQ(bad, "-3.");
  expectBox(syntaxError);
}

TEST_F(Expr, NumberTexts) {
  EXPECT_EQ(expr::numberText(rt, -0.0), "0");
  EXPECT_EQ(expr::numberText(rt, 1e300), "1.e+300");
  EXPECT_EQ(expr::numberText(rt, -1e-20), "-0");
  std::string s;
  expr::formatFixed(1e300, 15, s);
  EXPECT_EQ(s.size(), 317u);
  EXPECT_EQ(expr::decimalValue(s), 1e300);
  EXPECT_EQ(expr::decimalValue("1.e+020"), 1e20);
  EXPECT_EQ(expr::decimalValue("-12.5d-1x"), -1.25);
  EXPECT_EQ(expr::decimalValue("x12"), 0);
  EXPECT_EQ(expr::decimalValue("1e999"), HUGE_VAL);
}

// Values beyond the double range keep being numbers when they travel as text.
TEST_F(Expr, InfinitiesAndNaNsRoundTrip) {
  let("big=1E308*10");
  EXPECT_EQ(read("big"), "1.#INF");
  EXPECT_EQ(num("-big"), -HUGE_VAL);
  EXPECT_EQ(num("(big)-1"), HUGE_VAL);
  let("odd=(-8)^.5");
  EXPECT_TRUE(std::isnan(num("odd+1")));
  EXPECT_TRUE(std::isnan(num("-(odd)")));
  let("n%=big");
  EXPECT_EQ(read("n%"), "0");
  expectNoBox();
}

// Large values read from variables arrive as exponent texts and are the same numbers again.
TEST_F(Expr, ExponentTextsFromVariables) {
  let("a=1E20");
  let("e(1)=-2E20");
  let("s=.001234567890123");
  EXPECT_EQ(read("a"), "1.e+020");
  EXPECT_EQ(num("-a+1"), -1e20);
  EXPECT_EQ(num("e(1)*2"), -4e20);
  EXPECT_EQ(num("-e(1)"), 2e20);
  EXPECT_DOUBLE_EQ(num("-s+1"), 1 - 0.001234567890123);
  expectNoBox();
}

// ---- The variable store
// --------------------------------------------------------------------------

TEST_F(Expr, DirectoryTextSlotsAndEntries) {
  let("A=1");
  let("a=2");
  let("a(1)=3");
  let("x(3,4)=4");
  ASSERT_TRUE(expr::declareArray(rt, "d", {2, 1}));
  let("z=5");
  EXPECT_EQ(rt.expr.numericDirectory,
            "A,a,a\x01"
            "1\x03,x\x01"
            "3\x03"
            "4\x03,d\x02"
            "2\x03"
            "1\x03,z,");
  EXPECT_EQ(rt.expr.numericValues, (std::vector<double>{1, 2, 3, 4, 0, 0, 0, 0, 0, 0, 5}));
  EXPECT_EQ(read("A"), "1");
  EXPECT_EQ(read("a"), "2");
  EXPECT_EQ(read("a(1)"), "3");
  EXPECT_EQ(read("a(2)"), "0");
  let("d(1,1)=9");
  EXPECT_EQ(rt.expr.numericValues[4 + 3], 9);

  std::string name;
  std::vector<int> numbers;
  EXPECT_EQ(expr::parseDirectoryEntry("x\x01"
                                      "3\x03"
                                      "14\x03",
                                      name, numbers),
            expr::Element);
  EXPECT_EQ(name, "x");
  EXPECT_EQ(numbers, (std::vector<int>{3, 14}));
  EXPECT_EQ(expr::parseDirectoryEntry("d\x02"
                                      "-1\x03",
                                      name, numbers),
            expr::Array);
  EXPECT_EQ(numbers, (std::vector<int>{-1}));
  EXPECT_EQ(expr::parseDirectoryEntry("zz", name, numbers), expr::Scalar);
  EXPECT_EQ(name, "zz");
  EXPECT_TRUE(numbers.empty());
  expectNoBox();
}

TEST_F(Expr, TypesFromSuffixesAndLetterLists) {
  rt.expr.defIntLetters = "I";
  rt.expr.defSngLetters = "G";
  rt.expr.defStrLetters = "S";
  EXPECT_EQ(expr::variableType(rt, "i"), expr::Integer);
  EXPECT_EQ(expr::variableType(rt, "g2"), expr::Single);
  EXPECT_EQ(expr::variableType(rt, "s(1,2)"), expr::String);
  EXPECT_EQ(expr::variableType(rt, "s#(1)"), expr::Double);
  EXPECT_EQ(expr::variableType(rt, "t!"), expr::Single);
  EXPECT_EQ(expr::variableType(rt, ""), expr::Double);
  let("i=2.5");
  let("g=1/3");
  EXPECT_EQ(read("i"), "3");
  EXPECT_EQ(read("g"), ".3333333");
  expectNoBox();
}

TEST_F(Expr, MissingVariablesAndRnd) {
  EXPECT_EQ(read("n"), "0");
  EXPECT_EQ(read("s$"), "\"\"");
  EXPECT_EQ(read("t(5)"), "0");
  EXPECT_EQ(read("1a"), "0");
  EXPECT_EQ(read("rnd"), "0.0012300");
  EXPECT_NE(read("RnD"), "0.0012300");
  EXPECT_TRUE(rt.expr.numericDirectory.empty());
  EXPECT_TRUE(rt.expr.strings.empty());
  expectNoBox();
}

TEST_F(Expr, StoreErrors) {
  let("1a=5");
  expectBox("1a 無効な識別子です");
  let("x(-1)=1");
  expectBox("配列の添え字にはﾏｲﾅｽ値を指定できません");
  let("x((1)=1");
  expectBox(syntaxError);
  let("a,b=1");  // a ',' would split the directory entry
  expectBox("a,b 無効な識別子です");
  EXPECT_TRUE(rt.expr.numericDirectory.empty());
  EXPECT_TRUE(rt.expr.numericValues.empty());
}

TEST_F(Expr, StringTable) {
  let("s$=\"\"");
  let("t$=\"a\"");
  let("t$=\"bcd\"");
  let("u$(1+1)=\"x y\"");
  let("u$(-1)=\"neg\"");
  EXPECT_EQ(expr::stringTableText(rt.expr), "\ns$ \"\"\nt$ \"bcd\"\nu$(2) \"x y\"\nu$(-1) \"neg\"");
  EXPECT_EQ(rt.expr.stringTableSize, expr::stringTableText(rt.expr).size());
  EXPECT_EQ(read("u$(4/2)"), "\"x y\"");
  EXPECT_EQ(expr::findStringValue(rt, "t$"), 1);
  expr::eraseString(rt.expr, "t$");
  EXPECT_EQ(expr::stringTableText(rt.expr), "\ns$ \"\"\nu$(2) \"x y\"\nu$(-1) \"neg\"");
  EXPECT_EQ(rt.expr.stringTableSize, expr::stringTableText(rt.expr).size());
  EXPECT_EQ(read("u$(-1)"), "\"neg\"");
  expectNoBox();
}

TEST_F(Expr, ClearEmptiesTheStore) {
  let("a=1");
  let("s$=\"x\"");
  rt.expr.defIntLetters = "A";
  expr::clearVariables(rt.expr);
  EXPECT_TRUE(rt.expr.numericDirectory.empty());
  EXPECT_TRUE(rt.expr.numericIndex.empty());
  EXPECT_EQ(rt.expr.stringTableSize, 0u);
  EXPECT_EQ(expr::variableType(rt, "a"), expr::Double);
  EXPECT_EQ(read("a"), "0");
}

// ---- Limits of the store
// -------------------------------------------------------------------------

TEST_F(Expr, DirectoryFullIsRefusedAndLeavesItAsItWas) {
  int created = 0;
  for (;; ++created) {
    std::string name = "v" + std::to_string(created) + std::string(40, 'p');
    if (!expr::storeVariable(rt, name, "1")) break;
  }
  expectBox(memoryRange);
  const std::string directory = rt.expr.numericDirectory;
  EXPECT_LE(directory.size() + 1, expr::directoryLimit);
  EXPECT_GT(directory.size() + 1 + 44, expr::directoryLimit);
  EXPECT_EQ(rt.expr.numericValues.size(), static_cast<std::size_t>(created));
  let("v0" + std::string(40, 'p') + "=5");  // an existing variable can still be written
  EXPECT_EQ(read("v0" + std::string(40, 'p')), "5");
  let("w" + std::string(40, 'q') + "=1");
  expectBox(memoryRange);
  EXPECT_TRUE(rt.expr.numericDirectory == directory);
  EXPECT_EQ(rt.expr.numericValues.size(), static_cast<std::size_t>(created));
}

TEST_F(Expr, EntryLimit) {
  std::string name(expr::entryLimit, 'n');
  let(name + "=1");
  EXPECT_EQ(read(name), "1");
  expectNoBox();
  let(name + "x=2");
  expectBox(memoryRange);
  // An element's entry counts its marker and numbers: 45 + 1 + "100" + 1 = 50 bytes.
  let(std::string(45, 'e') + "(100)=3");
  expectBox(memoryRange);
  let(std::string(45, 'e') + "(10)=3");
  expectNoBox();
  EXPECT_EQ(rt.expr.numericValues.size(), 2u);
}

TEST_F(Expr, StringTableFullIsRefused) {
  const std::string value = "\"" + std::string(8000, 'x') + "\"";
  int stored = 0;
  while (expr::storeVariable(rt, "s" + std::to_string(stored) + "$", value)) ++stored;
  expectBox(memoryRange);
  EXPECT_EQ(stored, 8);
  // Small variables fill the rest, up to the last bytes.
  while (expr::storeVariable(rt, "s" + std::to_string(stored) + "$", "\"x\"")) ++stored;
  expectBox(memoryRange);
  const std::string table = expr::stringTableText(rt.expr);
  EXPECT_LT(table.size(), expr::stringTableLimit);
  EXPECT_GT(table.size() + 12, expr::stringTableLimit);
  // Growing a stored value past the table is refused too; a shorter value is fine.
  EXPECT_FALSE(expr::storeVariable(rt, "s0$", "\"" + std::string(8020, 'y') + "\""));
  expectBox(memoryRange);
  EXPECT_TRUE(expr::stringTableText(rt.expr) == table);
  EXPECT_TRUE(expr::storeVariable(rt, "s0$", "\"short\""));
  EXPECT_EQ(rt.expr.stringTableSize, expr::stringTableText(rt.expr).size());
}

TEST_F(Expr, LongStringResultsAreRefused) {
  ASSERT_TRUE(expr::storeVariable(rt, "a$", std::string(4094, 'a')));
  let("s$=a$+a$+\"z\"");
  expectNoBox();
  EXPECT_EQ(read("s$").size(), expr::stringLimit);
  let("s$=\"keep\"");
  let("s$=a$+a$+\"zz\"");
  expectBox(memoryRange);
  EXPECT_EQ(read("s$"), "\"keep\"");
  // A stored value is held to the same size: 8,190 bytes and its two quotes are too many.
  EXPECT_FALSE(expr::storeVariable(rt, "t$", std::string(expr::stringLimit - 1, 'b')));
  expectBox(memoryRange);
  EXPECT_EQ(expr::findStringValue(rt, "t$"), -1);
}

// ---- Arrays in the store
// -------------------------------------------------------------------------

TEST_F(Expr, ArraysAndElementOffsets) {
  ASSERT_TRUE(expr::declareArray(rt, "b", {2, 3}));
  EXPECT_EQ(rt.expr.numericValues.size(), 12u);
  let("b(1,2)=6");
  EXPECT_EQ(rt.expr.numericValues[6], 6);
  ASSERT_TRUE(expr::declareArray(rt, "q", {1, 1, 1}));
  let("q(1,0,0)=1");
  let("q(0,1,0)=2");
  let("q(0,0,1)=3");
  EXPECT_EQ(std::vector<double>(rt.expr.numericValues.begin() + 12, rt.expr.numericValues.end()),
            (std::vector<double>{0, 3, 2, 0, 1, 0, 0, 0}));
  EXPECT_EQ(expr::linearIndex({10}), 10);
  EXPECT_EQ(expr::linearIndex({2, -1}), -1);
  ASSERT_TRUE(expr::declareArray(rt, "none", {-1}));
  EXPECT_EQ(rt.expr.numericValues.size(), 20u);
  expectNoBox();
}

// A subscript beyond its bound reads and writes nothing (the first element stays as it was).
TEST_F(Expr, SubscriptsBeyondTheBounds) {
  ASSERT_TRUE(expr::declareArray(rt, "a", {10}));
  let("a(11)=5");
  expectBox("定義された配列の許容ﾒﾓﾘを超えています");
  let("a(1,1)=5");
  expectBox("定義された配列の許容ﾒﾓﾘを超えています");
  EXPECT_EQ(num("a(11)+1"), 0);
  expectBox("定義された配列の許容ﾒﾓﾘを超えています");
  EXPECT_EQ(rt.expr.numericValues, std::vector<double>(11, 0.0));
  EXPECT_EQ(rt.expr.numericDirectory,
            "a\x02"
            "10\x03,");
}

TEST_F(Expr, DeclaringTwiceOrAfterElements) {
  let("a(2)=1");
  EXPECT_FALSE(expr::declareArray(rt, "a", {5}));
  expectBox("配列変数 a はすでに定義されています");
  ASSERT_TRUE(expr::declareArray(rt, "b", {5}));
  EXPECT_FALSE(expr::declareArray(rt, "b", {5}));
  expectBox("配列変数 b はすでに定義されています");
  EXPECT_TRUE(expr::hasArrayEntries(rt.expr, "a"));
  EXPECT_FALSE(expr::hasArrayEntries(rt.expr, "c"));
}

// Removing entries moves later slots down; the index is read back from the directory.
TEST_F(Expr, EraseKeepsLaterVariables) {
  let("a=1");
  ASSERT_TRUE(expr::declareArray(rt, "b", {3}));
  let("b(2)=7");
  let("c(4)=8");
  let("b=2");
  let("d=9");
  expr::eraseNumeric(rt.expr, "b");
  EXPECT_EQ(rt.expr.numericDirectory,
            "a,c\x01"
            "4\x03,d,");
  EXPECT_EQ(rt.expr.numericValues, (std::vector<double>{1, 8, 9}));
  EXPECT_EQ(read("c(4)"), "8");
  EXPECT_EQ(read("d"), "9");
  EXPECT_EQ(read("b(2)"), "0");
  ASSERT_TRUE(expr::declareArray(rt, "b", {3}));
  let("e=3");
  EXPECT_EQ(rt.expr.numericValues, (std::vector<double>{1, 8, 9, 0, 0, 0, 0, 3}));
  expectNoBox();
}

// ---- String expressions
// --------------------------------------------------------------------------

TEST_F(Expr, StringTerms) {
  let("s$(1+1)=\"q\"");
  std::string quoted;
  EXPECT_TRUE(expr::evalString(rt, "r$ = \"x\" + s$(2) + \"(+)\"", quoted));
  EXPECT_EQ(quoted, "\"xq(+)\"");
  let("e$=\"\x01"
      "D\x01"
      "&\"");  // escape pairs and operator bytes pass unchanged
  EXPECT_EQ(str("e$"),
            "\x01"
            "D\x01"
            "&");
  expectNoBox();
}

TEST_F(Expr, StringErrorsKeepThePartialResult) {
  let("n=1");
  struct Case {
    const char* e;
    const char* message;
  } cases[] = {
      {"\"a\"+5", typeMismatch},     {"\"a\"+n", typeMismatch}, {"\"a\"+", typeMismatch},
      {"\"a\"b+\"c\"", syntaxError}, {"\"", syntaxError},
  };
  std::string r;
  for (const Case& c : cases) {
    EXPECT_FALSE(expr::scratchString(rt, c.e, r)) << c.e;
    expectBox(c.message);
  }
  EXPECT_FALSE(expr::evalString(rt, "\"a\"", r));
  expectBox("予期せぬｴﾗｰです");
  // The assignment still stores what was joined before the error.
  let("s$=\"ab\"+n");
  expectBox(typeMismatch);
  EXPECT_EQ(read("s$"), "\"ab\"");
}

// ---- Assignment
// ----------------------------------------------------------------------------------

TEST_F(Expr, AssignmentStatement) {
  let("x = 1/3");
  EXPECT_EQ(rt.expr.numericValues.at(0), 0.333333333333333);
  let(std::string(40, 'L') + "=4");  // targets beyond 31 bytes are accepted
  EXPECT_EQ(read(std::string(40, 'L')), "4");
  expectNoBox();
  let("y=5/0");  // the evaluator's 0 is stored
  expectBox(divisionByZero);
  EXPECT_EQ(read("y"), "0");
}

// With a handler installed the reporter returns and the statement runs on.
TEST_F(Expr, RefusedAssignmentLeavesTheVariableUnderAHandler) {
  rt.interp.errorHandlerStmt = "*handler";
  let("v=1");
  let("v=" + sumOfLength(expr::workTextLimit));
  let("v=2+(1E300)*0+(1E300)*0+(1E300)*0+(1E300)*0");
  EXPECT_EQ(read("v"), "1");
  let("w=5/0");
  EXPECT_EQ(read("w"), "0");
  EXPECT_TRUE(t.window.boxes.empty());
}

// ---- Conditions
// ----------------------------------------------------------------------------------

TEST_F(Expr, Conditions) {
  auto cond = [&](std::string_view c) { return expr::evalCondition(rt, ops(c)); };
  let("a=1");
  let("b=2");
  let("c=3");
  EXPECT_EQ(cond("a=1 ~& b=2"), -1);
  EXPECT_EQ(cond("a=1 ~& b=3"), 0);
  EXPECT_EQ(cond("(a=1 ~| b=5) ~& c=3"), -1);
  EXPECT_EQ(cond("(a=2 ~| b=5) ~& c=3"), 0);
  EXPECT_EQ(cond("c=3 ~& (a=2 ~| (b=2))"), -1);
  EXPECT_EQ(cond("~!a=1"), 0);
  EXPECT_EQ(cond("0.5"), 0);
  EXPECT_EQ(cond("-0.5"), 0);
  EXPECT_EQ(cond("2"), 2);
  let("x=1");
  let("d(1)=2");
  EXPECT_EQ(cond("x+d(1)=3"), -1);
  EXPECT_EQ(cond("a<>b"), -1);
  EXPECT_EQ(cond("a><b"), -1);
  EXPECT_EQ(cond("a<=1 ~& b>=3"), 0);
  EXPECT_EQ(cond("a=<1 ~& b=>2"), -1);  // =< and => read as <= and >=
  EXPECT_EQ(cond("a<b ~& b>a"), -1);
  expectNoBox();
  EXPECT_EQ(cond("x+(a=1)=0"), 0);  // not a group: the left operand x+(a is unclosed
  expectFirstBox(syntaxError);
}

TEST_F(Expr, StringConditions) {
  auto cond = [&](std::string_view c) { return expr::evalCondition(rt, ops(c)); };
  EXPECT_EQ(cond("\"abc\"<\"zz\""), 0);  // ordered by length
  EXPECT_EQ(cond("\"zz\"<\"abc\""), -1);
  EXPECT_EQ(cond("\"abc\"=\"abc\""), -1);
  EXPECT_EQ(cond("\"abc\"=\"ABC\""), 0);
  EXPECT_EQ(cond("\"ab\">=\"cd\" ~& \"ab\"<>\"cd\""), -1);
  let("s$=\"x=y\"");
  EXPECT_EQ(cond("s$=\"x=y\""), -1);
  EXPECT_EQ(cond("\"x=y\"=s$"), -1);  // literals on the left may hold relational bytes
  EXPECT_EQ(cond("s$+\"!\"=\"x=y!\""), -1);
  EXPECT_EQ(cond("\"a(\"=\"a(\""), -1);
  EXPECT_EQ(cond("(\"a\"=\"a\") ~& \"b\"<>\"c\""), -1);
  rt.expr.defStrLetters = "T";
  let("t=\"yes\"");
  EXPECT_EQ(cond("t=\"yes\""), -1);
  expectNoBox();
  EXPECT_EQ(expr::evalComparison(rt, "2.5"), 2);
}

}  // namespace
}  // namespace tw

namespace tw {
namespace {

// Whole numbers skip their texts on the way in and out of the store; they must land exactly where
// the texts would have put them.
TEST(ExprFastPaths, WholeNumbersStoreAndReadAsTheirTexts) {
  const double values[] = {0.0, -0.0, 1.0, -1.0, 2147483647.0, 2147483648.0, -2147483649.0,
                           4294967296.0 + 7, 999999999999999.0, 1e15, -1e15 - 1,
                           9007199254740991.0, -9007199254740991.0};
  for (double v : values) {
    for (std::string target : {"D", "N%", "S!"}) {
      test::TestRuntime viaText, direct;
      std::string text;
      expr::formatFixed(v, 15, text);
      expr::storeVariable(viaText.rt, target, text);
      expr::assignStatement(direct.rt, target + "=" + text);
      std::string a, b;
      ASSERT_TRUE(expr::readVariable(viaText.rt, target, a));
      ASSERT_TRUE(expr::readVariable(direct.rt, target, b));
      EXPECT_EQ(a, b) << target << " = " << text;
      EXPECT_EQ(expr::scratchNumeric(viaText.rt, target), expr::decimalValue(a)) << text;
      EXPECT_EQ(std::signbit(expr::scratchNumeric(direct.rt, target)),
                std::signbit(expr::decimalValue(b))) << text;
    }
  }
}

// The integer shortcuts must give, bit for bit, what writing the text and reading it gives: over
// random values of every size, ties at the 15th decimal, short decimals and values on either side
// of the limits where the text is cut to 15 significant digits.
TEST_F(Expr, QuickRoundTripsMatchTheTexts) {
  std::mt19937_64 random(12345);
  std::vector<double> values = {1.0 / 65536, 3.0 / 65536, 0.5, 1.5, 7.999999999999999,
                                8.000000000000002, 0.1, 0.2, 0.3, 1e-15, 5e-16, 4.9e-16,
                                0.123456789012345, 1.23456789012345, 99999999999999.9,
                                123456.789, 0.0001234567890123, 999999999999999.9};
  for (int i = 0; i < 200000; ++i) {
    const int kind = i % 5;
    double v;
    if (kind == 0) {
      v = std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 110) - 105);
    } else if (kind == 1) {
      v = static_cast<double>(random() % 20000000000000000ULL) / 1e15;  // 15-decimal values
    } else if (kind == 2) {
      v = static_cast<double>(random() % 1000000) / 1000.0 + std::ldexp(1.0, -static_cast<int>(random() % 60));
    } else if (kind == 3) {
      v = static_cast<double>(random() % 1000000) / static_cast<double>(1 << (random() % 20));
    } else {
      v = std::nextafter(values[random() % values.size()], random() & 1 ? 1e300 : -1e300);
    }
    if (random() & 1) v = -v;
    values.push_back(v);
  }
  for (double v : values) {
    for (double x : {v, -v}) {
      double quick = 0;
      std::string text;
      expr::formatFixed(x, 15, text);
      if (expr::quickFifteenDecimals(x, quick)) {
        const double viaText = expr::decimalValue(text);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(quick), std::bit_cast<std::uint64_t>(viaText))
            << "fifteen decimals of " << text;
      }
      if (expr::quickReadBack(x, quick)) {
        const double viaText = expr::decimalValue(expr::numberText(rt, x));
        ASSERT_EQ(std::bit_cast<std::uint64_t>(quick), std::bit_cast<std::uint64_t>(viaText))
            << "read back of " << text;
      }
    }
  }
}

}  // namespace
}  // namespace tw
