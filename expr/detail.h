// Helpers shared by the files of expr/ only; no other folder includes this header.
// It holds no state: everything lives in rt.expr.
#pragma once

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "expr/expr.h"
#include "interp/interp.h"

namespace tw::expr::detail {

inline constexpr std::string_view scratchTarget = "xxxxx";
inline constexpr std::string_view scratchPrefix = "xxxxx=";

inline bool isLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
inline bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
// A NOT escape (0x01 '!') at pos.
inline bool isNotAt(std::string_view text, std::size_t pos) {
  return pos + 1 < text.size() && text[pos] == '\x01' && text[pos + 1] == '!';
}
// A value text in quotes: at least the two quotes.
inline bool isQuoted(std::string_view text) {
  return text.size() >= 2 && text.front() == '"' && text.back() == '"';
}

// Reports error 12 and counts the refusal, so that an assignment in progress stores nothing.
inline void refuse(Runtime& rt) {
  ++rt.expr.refusals;
  interp::report(rt, interp::MemoryRangeExceeded);
}

// One level of nested evaluation for as long as it lives; ok() is false (error 12 reported) when
// the nesting limit is passed.
class Nesting {
 public:
  explicit Nesting(Runtime& rt) : rt_(rt), ok_(++rt.expr.nesting <= nestingLimit) {
    if (!ok_) refuse(rt);
  }
  ~Nesting() { --rt_.expr.nesting; }
  Nesting(const Nesting&) = delete;
  Nesting& operator=(const Nesting&) = delete;
  bool ok() const { return ok_; }

 private:
  Runtime& rt_;
  bool ok_;
};

// Evaluates a work text that already reads "xxxxx=..." without blanks: the rewriting and the
// reduction. The text is rewritten in place.
double evalWork(Runtime& rt, std::string& work);
// Evaluates the right side of a scratch assignment whose text holds no blanks.
double evalRightSide(Runtime& rt, std::string_view expression);
// Joins the terms of a string expression (the text after '=', blanks removed) into result,
// unquoted; false after a reported error.
bool joinStringTerms(Runtime& rt, std::string_view expression, std::string& result);

// Creates the scalar (no subscripts) or element entry of a name that has none and stores value;
// false after a reported error, with nothing created.
bool createNumeric(Runtime& rt, std::string_view name, const std::vector<std::int32_t>& subscripts,
                   double value);
// Creates or replaces a string variable (quoted value); false after a reported error.
bool setString(Runtime& rt, std::string_view normalisedName, std::string_view quotedValue);
// The value of a variable as an operand reads it: its value text converted back. False after a
// reported error.
bool readNumber(Runtime& rt, std::string_view reference, double& value);
// Stores a number into a numeric variable as assignStatement would store its "%15.15f" text;
// only for whole numbers below 2^53, whose text holds them exactly.
bool storeWholeNumber(Runtime& rt, std::string_view reference, double value);
// Whole numbers below 2^53 pass through their texts unchanged.
inline bool isExactWhole(double value) {
  return value < 9007199254740992.0 && value > -9007199254740992.0 && value == static_cast<double>(static_cast<std::int64_t>(value));
}

// The reducer's passes over operand and operator lists (entry 0 the assignment mark): the result
// is values[0], count 1. False after a reported division error.
bool applyPasses(Runtime& rt, double* values, char* operators, std::size_t& count);
// The passes worked out once for a list of operators: each step combines values[left] and
// values[right] into values[left], in the order the passes would, so that applying the steps to
// the operands gives what applyPasses gives, values[0] the result.
struct ReductionStep {
  char op;
  std::uint8_t left, right;
};
std::vector<ReductionStep> schedulePasses(const char* operators, std::size_t count);
enum class Relation : std::uint8_t { None, Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };
// The first relational operator outside string literals: its position, length and kind. "=<"
// and "=>" are read as "<=" and ">=".
Relation findRelation(std::string_view text, std::size_t& pos, std::size_t& length);
template <typename T>
bool holds(Relation r, const T& left, const T& right) {
  switch (r) {
    case Relation::Equal: return left == right;
    case Relation::NotEqual: return left != right;
    case Relation::Less: return left < right;
    case Relation::LessEqual: return left <= right;
    case Relation::Greater: return left > right;
    default: return left >= right;
  }
}
// Folds the runs of signs in a work text, as the evaluator does before reducing it.
void foldSigns(std::string& work);
#if defined(__SIZEOF_INT128__)
// Veltkamp's split of a below 2^996 into two halves of 26 bits each, whose products are exact.
struct Halves {
  double high, low;
};
constexpr Halves split(double a) {
  const double c = 134217729.0 * a;  // 2^27 + 1
  const double high = c - (c - a);
  return {high, a - high};
}

// magnitude × 10^15 rounded to a whole number, ties to even, for 1e-20 < magnitude < 8, in
// doubles: the product is p plus an exact error e (Dekker's product, exact on any IEEE double
// arithmetic; 64-bit targets compute in SSE without excess precision, and the baseline has no
// fused multiply-add to contract these steps into). Rounding the sum of the error and p's distance
// from its nearest whole number keeps it on the same side of one half, so only a sum of exactly
// one half, a tie or nearly, is left to the integers: false.
inline bool roundScaledQuickly(double magnitude, double& q) {
  constexpr double scale = 1e15;
  constexpr Halves b = split(scale);
  const Halves a = split(magnitude);
  const double p = magnitude * scale;
  const double e = ((a.high * b.high - p) + a.high * b.low + a.low * b.high) + a.low * b.low;
  // The nearest whole number, ties to even: from 2^52 on p is one; below, adding and taking away
  // 2^52 rounds it in the current (nearest) mode without a library call.
  constexpr double two52 = 4503599627370496.0;
  const double r = p >= two52 ? p : (p + two52) - two52;
  const double t = (p - r) + e;  // p - r is exact: p and r lie within a factor of two
  if (t > -0.5 && t < 0.5) {
    q = r;
  } else if (t > 0.5) {
    q = r + 1;
  } else if (t < -0.5) {
    q = r - 1;
  } else {
    return false;
  }
  return true;
}
// The same in integers, for a value near a tie: false for a whole number.
bool roundScaledExactly(double value, double& q);

// quickFifteenDecimals, inline for the evaluations that round every result. Below 8 a double's
// spacing is finer than 1e-15, so rounding to 15 decimals can move it; from 8 on the nearest
// double to the rounded decimal is the value itself.
inline bool fifteenDecimalsQuickly(double value, double& out) {
  const double magnitude = std::fabs(value);
  if (!(magnitude < 9007199254740992.0)) return false;
  if (magnitude >= 8) {
    out = value;
    return true;
  }
  if (!(magnitude > 1e-20)) return false;  // writes as 0: left to the text
  double q;
  if (!roundScaledQuickly(magnitude, q) && !roundScaledExactly(value, q)) return false;
  if (q == 0) return false;
  const double rounded = q / 1e15;  // q below 2^53: the quotient is correctly rounded
  out = value < 0 ? -rounded : rounded;
  return true;
}
#else
inline bool fifteenDecimalsQuickly(double, double&) { return false; }
#endif

// The square of a whole number below 2^26 is exact, and pow returns an exact result as it is:
// one multiplication gives pow's value for a tenth of the work.
inline bool squaresExactly(double left, double right) {
  return right == 2 && left < 67108864.0 && left > -67108864.0 &&
         left == static_cast<double>(static_cast<std::int32_t>(left));
}
// One operator on two operands; false after a reported division error.
bool applyOperator(Runtime& rt, char op, double left, double right, double& result);
// False after a reported division error, as applyPasses. With operators given, each step applies
// operators[its right operand] instead of its own (a '+' turned '-' by a sign). Inline: every
// prepared evaluation ends here.
inline bool applySteps(Runtime& rt, double* values, const std::vector<ReductionStep>& steps,
                       const char* operators = nullptr) {
  for (const ReductionStep& s : steps) {
    double& left = values[s.left];
    const double right = values[s.right];
    const char op = operators ? operators[s.right] : s.op;
    if (op == '+') {
      left += right;
    } else if (op == '-') {
      left -= right;
    } else if (op == '*') {
      left *= right;
    } else if (op == '/' && right != 0) {
      left /= right;
    } else if (op == '^' && squaresExactly(left, right)) {
      left *= left;
    } else if (!applyOperator(rt, op, left, right, left)) {
      return false;
    }
  }
  return true;
}
// Where the reducer ends the operand that begins at start, and the value it reads from it.
std::size_t endOfOperand(std::string_view text, std::size_t start);
bool valueOfOperand(Runtime& rt, std::string_view operand, double& value);

// Appends the bytes of a variable term's string value to result; false after a reported error.
bool appendStringTerm(Runtime& rt, std::string_view term, std::string& result);

// ---- Prepared forms shared by prepared.cpp and prepared_strings.cpp ----------------------------

// A call's result text is at most this long once spliced ("%15.15f" of the largest double); each
// call of a prepared statement is counted with it to prove that the expanded text fits. Not
// observable.
inline constexpr std::size_t preparedCallBound = 309 + 1 + 1 + 15;

// True when evaluating the expression can report nothing: constants and variables joined by
// operators, dividing only by constants that are not 0.
bool cannotReport(const PreparedNumeric& p);

// A string variable, or MID$, LEFT$ or RIGHT$ of one, as the argument of LEN or ASC.
struct PreparedString;
struct PreparedStringDeleter {
  void operator()(PreparedString* p) const;
};
using PreparedStringPtr = std::unique_ptr<PreparedString, PreparedStringDeleter>;
PreparedStringPtr prepareStringArgument(Runtime& rt, std::string_view text);
// The bytes the function reads; false when the statement must go through the reference path
// (escape pairs to read, or a text that the rewriting would treat otherwise). Changes nothing.
bool argumentContents(Runtime& rt, PreparedString& p, std::string_view& contents);

// A string scalar assigned literals, string variables, CHR$ and slices joined by '+'.
PreparedStringAssignmentPtr prepareStringAssignment(Runtime& rt, std::string_view target,
                                                    std::string_view expression,
                                                    std::size_t statementSize);
// False, having changed nothing, when the statement must go through the reference path.
bool runStringAssignment(Runtime& rt, PreparedStringAssignment& a);

}  // namespace tw::expr::detail
