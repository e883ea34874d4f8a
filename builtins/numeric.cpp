// The numeric functions ABS through VAL (RND lives with the generator). Each evaluates its
// argument through the scratch assignment and returns a number for the dispatcher to write.
#include <algorithm>
#include <cmath>

#include "builtins/detail.h"

namespace tw::builtins::detail {
namespace {

// The value of the one argument; false (error 10 reported) when there is not exactly one.
bool oneValue(Runtime& rt, std::string_view a, double& x) {
  if (!checkArgCount(rt, a, 1, true)) return false;
  x = expr::scratchNumeric(rt, a);
  return true;
}

// VAL's number text: digits, and by radix hexadecimal letters or a point, and one sign wherever
// it stands. An '&' before anything else switches the radix.
std::string valNumberText(std::string_view s, int& radix) {
  radix = 10;
  bool ampersand = false;
  bool sign = false;
  std::string number;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '&' && !ampersand) {
      ampersand = true;
      const char letter = i + 1 < s.size() ? s[i + 1] : '\0';
      if (letter == 'o' || letter == 'O') radix = 8;
      if (letter == 'h' || letter == 'H') radix = 16;
      ++i;
      continue;
    }
    const bool digit = c >= '0' && c <= '9';
    const bool hexLetter = (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    if ((c == '+' || c == '-') && !sign) {
      sign = true;
    } else if (!digit && !(radix == 16 && hexLetter) && !(radix == 10 && c == '.')) {
      break;
    }
    number.push_back(c);
  }
  return number;
}

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 99;
}

// The leading digits of the radix, saturated at 2147483647; a sign in front gives 0.
double radixNumber(std::string_view number, int radix) {
  if (!number.empty() && (number[0] == '+' || number[0] == '-')) return 0;
  std::int64_t value = 0;
  for (char c : number) {
    const int d = digitValue(c);
    if (d >= radix) break;
    value = std::min<std::int64_t>(value * radix + d, 2147483647);
  }
  return static_cast<double>(value);
}

// ---- The functions on a value: what each call computes once its argument is evaluated --------

double absOf(Runtime&, double x) { return std::fabs(x); }
double atnOf(Runtime&, double x) { return std::atan(x); }
double cdblOf(Runtime&, double x) { return x; }
double cintOf(Runtime&, double x) {
  const double f = std::floor(x);
  return expr::toInteger(x - f >= 0.5 ? f + 1 : f);
}
double cosOf(Runtime&, double x) { return std::cos(x); }
double expOf(Runtime&, double x) { return std::exp(static_cast<double>(expr::toInteger(x))); }
double fixOf(Runtime&, double x) { return expr::toInteger(x > 0 ? std::floor(x) : std::ceil(x)); }
double intOf(Runtime&, double x) { return expr::toInteger(std::floor(x)); }
double logOf(Runtime& rt, double x) {
  const std::int32_t n = expr::toInteger(x);
  if (n >= 1) return std::log(static_cast<double>(n));
  interp::report(rt, interp::OwnText, interp::text(interp::Text::LogNegative));
  return 0;
}
double sgnOf(Runtime&, double x) { return x > 0 ? 1 : x < 0 ? -1 : 0; }
double sinOf(Runtime&, double x) { return std::sin(x); }
double sqrOf(Runtime& rt, double x) {
  if (x >= 0) return std::sqrt(x);
  interp::report(rt, interp::OwnText, interp::text(interp::Text::SqrNegative));
  return 0;
}
double tanOf(Runtime&, double x) { return std::tan(x); }

template <double (*Of)(Runtime&, double)>
double ofOneValue(Runtime& rt, std::string_view a) {
  double x;
  return oneValue(rt, a, x) ? Of(rt, x) : 0;
}
template <double (*Of)(Runtime&, double)>
std::int32_t wholeOfOneValue(Runtime& rt, std::string_view a) {
  double x;
  return oneValue(rt, a, x) ? static_cast<std::int32_t>(Of(rt, x)) : 0;
}

constexpr struct {
  std::string_view name;  // lower case
  builtins::NumericFunction function;
} numericFunctions[] = {
    {"abs", {absOf, false}}, {"atn", {atnOf, false}}, {"cdbl", {cdblOf, false}},
    {"cint", {cintOf, true}}, {"cos", {cosOf, false}},  {"exp", {expOf, false}},
    {"fix", {fixOf, true}},  {"int", {intOf, true}},   {"log", {logOf, false}},
    {"sgn", {sgnOf, true}},  {"sin", {sinOf, false}},  {"sqr", {sqrOf, false}},
    {"tan", {tanOf, false}},
};

}  // namespace

}  // namespace tw::builtins::detail

namespace tw::builtins {

const NumericFunction* findNumericFunction(std::string_view name) {
  if (name.size() < 3 || name.size() > 4) return nullptr;
  for (const auto& f : detail::numericFunctions) {
    if (f.name.size() != name.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < name.size() && same; ++i) same = (name[i] | 0x20) == f.name[i];
    if (same) return &f.function;
  }
  return nullptr;
}

}  // namespace tw::builtins

namespace tw::builtins::detail {

double absFunction(Runtime& rt, std::string_view a) { return ofOneValue<absOf>(rt, a); }
double atnFunction(Runtime& rt, std::string_view a) { return ofOneValue<atnOf>(rt, a); }
double cdblFunction(Runtime& rt, std::string_view a) { return ofOneValue<cdblOf>(rt, a); }
std::int32_t cintFunction(Runtime& rt, std::string_view a) { return wholeOfOneValue<cintOf>(rt, a); }
double cosFunction(Runtime& rt, std::string_view a) { return ofOneValue<cosOf>(rt, a); }
double csngFunction(Runtime& rt, std::string_view a) { return cdblFunction(rt, a); }
double expFunction(Runtime& rt, std::string_view a) { return ofOneValue<expOf>(rt, a); }
std::int32_t fixFunction(Runtime& rt, std::string_view a) { return wholeOfOneValue<fixOf>(rt, a); }
std::int32_t intFunction(Runtime& rt, std::string_view a) { return wholeOfOneValue<intOf>(rt, a); }
double logFunction(Runtime& rt, std::string_view a) { return ofOneValue<logOf>(rt, a); }

double rndFunction(Runtime& rt, std::string_view a) {
  return rnd(rt, a);
}

std::int32_t sgnFunction(Runtime& rt, std::string_view a) { return wholeOfOneValue<sgnOf>(rt, a); }
// SIN alone takes its whole argument text as one expression.
double sinFunction(Runtime& rt, std::string_view a) {
  return sinOf(rt, expr::scratchNumeric(rt, a));
}
double sqrFunction(Runtime& rt, std::string_view a) { return ofOneValue<sqrOf>(rt, a); }
double tanFunction(Runtime& rt, std::string_view a) { return ofOneValue<tanOf>(rt, a); }

double valFunction(Runtime& rt, std::string_view a) {
  if (!checkArgCount(rt, a, 1, true)) return 0;
  // VAL takes only string expressions.
  if (a.find_first_of("\"$") == std::string_view::npos) {
    interp::report(rt, interp::TypeMismatch);
    return 0;
  }
  std::string contents;
  if (!stringArgument(rt, a, contents)) return 0;
  std::string kept;
  for (char c : contents)
    if (c != ' ' && c != '\t' && c != '"') kept.push_back(c);
  int radix;
  const std::string number = valNumberText(kept, radix);
  if (radix != 10) return radixNumber(number, radix);
  // Rounded to 15 decimals as its "%15.15f" text reads back.
  std::string text;
  expr::formatFixed(expr::decimalValue(number), 15, text);
  return expr::decimalValue(text);
}

}  // namespace tw::builtins::detail
