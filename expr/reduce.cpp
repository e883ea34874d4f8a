// The reducer: splits a flat "xxxxx=..." text into operands and operators and applies them pass
// by pass in precedence order; and the decimal conversion. It reads variables, never stores them.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "expr/detail.h"

namespace tw::expr {
namespace {

using detail::isDigit;
using detail::isLetter;

// The operand and operator lists of one reduction: entry 0 is the assignment mark, entry k the
// operator between operands k-1 and k.
struct Lists {
  std::array<double, operatorLimit + 1> values{};
  std::array<char, operatorLimit + 1> operators{};
  std::size_t count = 0;
};

// The texts that formatFixed writes for values beyond the double range.
bool readSpecialValue(std::string_view text, double& value) {
  bool negative = !text.empty() && text[0] == '-';
  std::string_view body = text.substr(negative ? 1 : 0);
  if (body.substr(0, 6) == "1.#INF")
    value = negative ? -HUGE_VAL : HUGE_VAL;
  else if (body.substr(0, 6) == "1.#IND" || body.substr(0, 7) == "1.#QNAN")
    value = negative ? -std::nan("") : std::nan("");
  else
    return false;
  return true;
}

std::size_t digitsFrom(std::string_view text, std::size_t pos) {
  while (pos < text.size() && isDigit(text[pos])) ++pos;
  return pos;
}

// The length of the longest prefix that reads as a decimal number, and whether it has digits.
std::size_t numberExtent(std::string_view text, bool& hasDigits) {
  std::size_t pos = 0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
  std::size_t intEnd = digitsFrom(text, pos);
  std::size_t end = intEnd;
  hasDigits = intEnd > pos;
  if (end < text.size() && text[end] == '.') {
    std::size_t fracEnd = digitsFrom(text, end + 1);
    hasDigits = hasDigits || fracEnd > end + 1;
    end = fracEnd;
  }
  if (!hasDigits || end >= text.size()) return end;
  char e = text[end];
  if (e != 'E' && e != 'e' && e != 'D' && e != 'd') return end;
  std::size_t expPos = end + 1;
  if (expPos < text.size() && (text[expPos] == '+' || text[expPos] == '-')) ++expPos;
  std::size_t expEnd = digitsFrom(text, expPos);
  return expEnd > expPos ? expEnd : end;
}

// A number as extent found it. Copies are made only for D exponents, a leading '+' and values
// beyond the double range.
double convertDecimal(std::string_view number) {
  std::string copy;
  const bool rewrite = std::any_of(number.begin(), number.end(),
                                   [](char c) { return c == 'D' || c == 'd' || c == '+'; });
  if (rewrite) {
    copy.assign(number);
    for (char& c : copy)
      if (c == 'D' || c == 'd') c = 'e';
    if (copy[0] == '+') copy.erase(0, 1);
    number = copy;
  }
  double value = 0;
  auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  // Beyond the double range the result is an infinity or a value near 0, as strtod gives it.
  if (ec == std::errc::result_out_of_range)
    value = std::strtod(std::string(number).c_str(), nullptr);
  return value;
}

// The value of &H (hexadecimal) and &O (octal) literals, saturated at 2147483647.
bool radixValue(Runtime& rt, std::string_view operand, double& value) {
  int base = 0;
  if (operand.size() > 1 && (operand[1] == 'H' || operand[1] == 'h')) base = 16;
  if (operand.size() > 1 && (operand[1] == 'O' || operand[1] == 'o')) base = 8;
  if (base == 0) {
    interp::report(rt, interp::SyntaxError);
    return false;
  }
  std::int64_t n = 0;
  for (char c : operand.substr(2)) {
    int digit = isDigit(c) ? c - '0' : -1;
    if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0 || digit >= base) break;
    n = std::min<std::int64_t>(n * base + digit, 2147483647);
  }
  value = static_cast<double>(n);
  return true;
}

bool nameValue(Runtime& rt, std::string_view name, double& value) {
  if (name.find_first_of("$\"") != std::string_view::npos) {
    interp::report(rt, interp::TypeMismatch);
    return false;
  }
  return detail::readNumber(rt, name, value);
}

// An operand by its first byte: a number, a signed name, a radix literal or a name. An empty
// operand reads 0, as a name that does not exist does.
bool operandValue(Runtime& rt, std::string_view operand, double& value) {
  value = 0;
  if (operand.empty()) return true;
  char first = operand[0];
  // A sign before a name or a radix literal negates its value (a*-b, -&H10).
  bool signedName = (first == '-' || first == '+') && operand.size() > 1 &&
                    (isLetter(operand[1]) || operand[1] == '&');
  if (signedName) {
    if (!operandValue(rt, operand.substr(1), value)) return false;
    if (first == '-') value = -value;
    return true;
  }
  if (isDigit(first) || first == '.' || first == '-' || first == '+') {
    value = decimalValue(operand);
    return true;
  }
  if (first == '&') return radixValue(rt, operand, value);
  if (isOperatorAt(operand, 0)) {
    interp::report(rt, interp::SyntaxError);
    return false;
  }
  return nameValue(rt, operand, value);
}

bool beginsNumber(std::string_view text, std::size_t pos) {
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) ++pos;
  return pos < text.size() && (isDigit(text[pos]) || text[pos] == '.');
}

// A sign that belongs to a number's exponent, as in 1E-5 or 1.e+020.
bool isExponentSign(std::string_view text, std::size_t start, std::size_t pos) {
  if (pos < start + 2 || pos + 1 >= text.size()) return false;
  if (text[pos] != '+' && text[pos] != '-') return false;
  char e = text[pos - 1];
  char before = text[pos - 2];
  return (e == 'E' || e == 'e' || e == 'D' || e == 'd') && (isDigit(before) || before == '.') &&
         isDigit(text[pos + 1]);
}

// The end of the operand that begins at start: its first byte whatever it is, then up to the
// next operator.
std::size_t operandEnd(std::string_view text, std::size_t start) {
  if (start >= text.size()) return start;
  const bool number = beginsNumber(text, start);
  std::size_t end = start + 1;
  while (end < text.size() &&
         (!isOperatorAt(text, end) || (number && isExponentSign(text, start, end))))
    ++end;
  return end;
}

bool divide(Runtime& rt, char op, double left, double right, double& result) {
  if (op == '/') {
    if (right == 0) {
      interp::report(rt, interp::OwnText, interp::text(interp::Text::DivisionByZero));
      return false;
    }
    result = left / right;
    return true;
  }
  std::int64_t a = toInteger(left);
  std::int64_t b = toInteger(right);
  if (b == 0) {
    interp::report(rt, interp::OwnText, interp::text(interp::Text::DivisionByZero));
    return false;
  }
  // 64 bits: -2147483648 \ -1 has a result, not a processor fault.
  result = static_cast<double>(op == '\\' ? a / b : a % b);
  return true;
}

bool apply(Runtime& rt, char op, double left, double right, double& result) {
  switch (op) {
    case '^':
      result = detail::squaresExactly(left, right) ? left * left : std::pow(left, right);
      return true;
    case '*':
      result = left * right;
      return true;
    case '+':
      result = left + right;
      return true;
    case '-':
      result = left - right;
      return true;
    case '&':
      result = toInteger(left) & toInteger(right);
      return true;
    case '|':
      result = toInteger(left) | toInteger(right);
      return true;
    case 'e':
      result = toInteger(left) ^ toInteger(right);
      return true;
    default:
      return divide(rt, op, left, right, result);
  }
}

// The pass each operator belongs to, in precedence order: ^, then * and /, then \, MOD, + and -,
// AND, OR, XOR. Anything else (the assignment mark, a '=' carried along) is applied by no pass.
constexpr int noPass = 8;
constexpr auto passOf = [] {
  std::array<std::uint8_t, 256> table{};
  table.fill(noPass);
  table['^'] = 0;
  table['*'] = table['/'] = 1;
  table['\\'] = 2;
  table['m'] = 3;
  table['+'] = table['-'] = 4;
  table['&'] = 5;
  table['|'] = 6;
  table['e'] = 7;
  return table;
}();

// One pass: every operator of the pass, left to right, combines its two operands.
bool applyPass(Runtime& rt, double* values, char* operators, std::size_t& count, int pass) {
  std::size_t kept = 0;
  for (std::size_t k = 1; k < count; ++k) {
    const char op = operators[k];
    if (passOf[static_cast<unsigned char>(op)] == pass) {
      if (!apply(rt, op, values[kept], values[k], values[kept])) return false;
      continue;
    }
    ++kept;
    operators[kept] = op;
    values[kept] = values[k];
  }
  count = count == 0 ? 0 : kept + 1;
  return true;
}

bool isScanPosition(std::string_view text, std::size_t pos) {
  return text[pos] == '=' || isOperatorAt(text, pos);
}

// The operator at pos: its letter, where its operand begins, and whether it is "=" with NOT.
char operatorAt(std::string_view text, std::size_t pos, std::size_t& operandStart, bool& negate) {
  operandStart = pos + 1;
  if (text[pos] == '\x01' && pos + 1 < text.size()) {
    char letter = text[pos + 1];
    if (letter == 'm' || letter == '&' || letter == '|' || letter == 'e') {
      operandStart = pos + 2;
      return letter;
    }
  }
  if (text[pos] == '=' && detail::isNotAt(text, pos + 1)) {
    negate = true;
    operandStart = pos + 3;
  }
  return text[pos];
}

// Fills the lists from the text; false after a reported error.
bool scan(Runtime& rt, std::string_view text, Lists& l, bool& negate) {
  std::size_t pos = 0;
  while (pos < text.size() && !isScanPosition(text, pos)) ++pos;
  while (pos < text.size()) {
    std::size_t start;
    char op = operatorAt(text, pos, start, negate);
    std::size_t end = operandEnd(text, start);
    if (end - start > operandLimit || l.count > operatorLimit) {
      detail::refuse(rt);
      return false;
    }
    if (!operandValue(rt, text.substr(start, end - start), l.values[l.count])) return false;
    l.operators[l.count++] = op;
    // An '=' inside an operand starts an entry of its own, as the byte-by-byte scan finds it.
    std::size_t eq = text.substr(0, end).find('=', start);
    pos = eq == std::string_view::npos ? end : eq;
  }
  return true;
}

}  // namespace

double decimalValue(std::string_view text) {
  // White space before the number is passed over, as typed fields and file fields may hold it.
  while (!text.empty() && (text[0] == ' ' || (text[0] >= '\t' && text[0] <= '\r')))
    text.remove_prefix(1);
  // Whole numbers of up to 15 digits, the commonest texts, are exact and read directly.
  const bool negative = !text.empty() && text[0] == '-';
  const std::string_view digits = text.substr(negative ? 1 : 0);
  if (!digits.empty() && digits.size() <= 15 &&
      std::all_of(digits.begin(), digits.end(), [](char c) { return isDigit(c); })) {
    std::int64_t whole = 0;
    for (char c : digits) whole = whole * 10 + (c - '0');
    const auto value = static_cast<double>(whole);
    return negative ? -value : value;
  }
  double special;
  if (readSpecialValue(text, special)) return special;
  bool hasDigits = false;
  std::size_t extent = numberExtent(text, hasDigits);
  return hasDigits ? convertDecimal(text.substr(0, extent)) : 0;
}

double reduceExpression(Runtime& rt, std::string_view text) {
  Lists lists;
  bool negate = false;
  if (!scan(rt, text, lists, negate)) return 0;
  if (!detail::applyPasses(rt, lists.values.data(), lists.operators.data(), lists.count)) return 0;
  double result = lists.count > 0 ? lists.values[0] : 0;
  return negate ? ~toInteger(result) : result;
}

namespace detail {

bool applyPasses(Runtime& rt, double* values, char* operators, std::size_t& count) {
  // Only the passes of the operators present are made; their order is the same.
  unsigned present = 0;
  for (std::size_t k = 1; k < count; ++k) present |= 1u << passOf[static_cast<unsigned char>(operators[k])];
  for (int pass = 0; pass < noPass; ++pass)
    if ((present >> pass & 1u) && !applyPass(rt, values, operators, count, pass)) return false;
  return true;
}

std::vector<ReductionStep> schedulePasses(const char* operators, std::size_t count) {
  static_assert(operatorLimit < 256, "a step's operands are numbered in a byte");
  std::vector<ReductionStep> steps;
  std::array<std::uint8_t, operatorLimit + 1> at{};  // which operand each entry now holds
  std::array<char, operatorLimit + 1> ops{};
  for (std::size_t k = 0; k < count; ++k) {
    at[k] = static_cast<std::uint8_t>(k);
    ops[k] = operators[k];
  }
  for (int pass = 0; pass < noPass; ++pass) {
    std::size_t kept = 0;
    for (std::size_t k = 1; k < count; ++k) {
      if (passOf[static_cast<unsigned char>(ops[k])] == pass) {
        steps.push_back({ops[k], at[kept], at[k]});
        continue;
      }
      ++kept;
      ops[kept] = ops[k];
      at[kept] = at[k];
    }
    count = count == 0 ? 0 : kept + 1;
  }
  return steps;
}

std::size_t endOfOperand(std::string_view text, std::size_t start) { return operandEnd(text, start); }

bool applyOperator(Runtime& rt, char op, double left, double right, double& result) {
  return apply(rt, op, left, right, result);
}

bool valueOfOperand(Runtime& rt, std::string_view operand, double& value) {
  return operandValue(rt, operand, value);
}

}  // namespace detail

}  // namespace tw::expr
