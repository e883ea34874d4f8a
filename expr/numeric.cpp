// The numeric evaluator: rewrites an assignment text step by step (array elements, groups, NOT
// operands, signs, a negated name) and hands the flat text to the reducer. It stores nothing.
#include <cmath>

#include "expr/detail.h"

namespace tw::expr {
namespace {

using detail::isDigit;
using detail::isLetter;

constexpr std::size_t npos = std::string::npos;

bool isNameByte(char c) {
  return isLetter(c) || isDigit(c) || c == '.' || c == '$' || c == '%' || c == '#' || c == '!';
}
// The bytes the element scan walks back over from a '(': letters, '.' and the type suffixes.
bool isSuffixOrLetter(char c) {
  return isNameByte(c) && !isDigit(c);
}
// The letter of an operator escape belongs to no name.
bool followsEscape(std::string_view text, std::size_t pos) {
  return pos > 0 && text[pos - 1] == '\x01';
}

// Replaces [pos, pos + length) by value unless the work text would pass its limit.
bool splice(Runtime& rt, std::string& work, std::size_t pos, std::size_t length,
            std::string_view value) {
  if (work.size() - length + value.size() > workTextLimit) {
    detail::refuse(rt);
    return false;
  }
  work.replace(pos, length, value);
  return true;
}

std::size_t matchingParenthesis(std::string_view text, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < text.size(); ++i) {
    if (text[i] == '(') ++depth;
    if (text[i] == ')' && --depth == 0) return i;
  }
  return npos;
}

// Where the name of an array element whose '(' stands at open begins, or npos for a group. A
// name that begins with a letter may hold digits and a type suffix (a1(2), a%(2)); otherwise the
// letters right before the '(' are the name.
std::size_t elementNameStart(std::string_view work, std::size_t open) {
  std::size_t start = open;
  while (start > 0 && isNameByte(work[start - 1]) && !followsEscape(work, start - 1)) --start;
  if (start < open && isLetter(work[start])) return start;
  if (open == 0 || !isLetter(work[open - 1]) || followsEscape(work, open - 1)) return npos;
  start = open - 1;
  while (start > 0 && isSuffixOrLetter(work[start - 1]) && !followsEscape(work, start - 1)) --start;
  return start;
}

// Array elements are replaced by their value texts, first of all.
bool spliceElements(Runtime& rt, std::string& work) {
  std::string value;
  for (std::size_t i = 0; i < work.size(); ++i) {
    if (work[i] != '(') continue;
    std::size_t start = elementNameStart(work, i);
    if (start == npos) continue;
    std::size_t close = matchingParenthesis(work, i);
    if (close == npos) {
      interp::report(rt, interp::SyntaxError);
      return false;
    }
    std::string_view reference(work.data() + start, close + 1 - start);
    if (reference.find('$') != npos) {
      interp::report(rt, interp::TypeMismatch);
      return false;
    }
    if (!readVariable(rt, reference, value)) return false;
    if (!splice(rt, work, start, reference.size(), value)) return false;
    i = start + value.size() - 1;
  }
  return true;
}

// Parenthesised groups are replaced by their values written "%15.15f".
bool spliceGroups(Runtime& rt, std::string& work) {
  std::string value;
  for (std::size_t i = 0; i < work.size(); ++i) {
    if (work[i] != '(') continue;
    std::size_t close = matchingParenthesis(work, i);
    if (close == npos) {
      interp::report(rt, interp::SyntaxError);
      return false;
    }
    double v = detail::evalRightSide(rt, std::string_view(work).substr(i + 1, close - i - 1));
    formatFixed(v, 15, value);
    if (!splice(rt, work, i, close + 1 - i, value)) return false;
    i += value.size() - 1;
  }
  return true;
}

// The first NOT that does not follow '=' takes the rest of the text as its operand.
bool spliceNot(Runtime& rt, std::string& work) {
  for (std::size_t i = 1; i < work.size(); ++i) {
    if (!detail::isNotAt(work, i) || work[i - 1] == '=') continue;
    double v = detail::evalRightSide(rt, std::string_view(work).substr(i));
    std::string value;
    formatFixed(v, 6, value);
    return splice(rt, work, i, work.size() - i, value);
  }
  return true;
}

}  // namespace

namespace detail {

// Runs of two or three signs become one ("--" is '+', "+-" and "-+" are '-'), though "---"
// becomes "+-".
void foldSigns(std::string& work) {
  std::size_t out = 0;
  const std::size_t n = work.size();
  for (std::size_t i = 0; i < n; ++i) {
    char c = work[i];
    if (c == '+') {
      if (i + 1 < n && work[i + 1] == '+') ++i;
      if (i + 1 < n && work[i + 1] == '-') ++i, c = '-';
    }
    if (c == '-') {
      if (i + 1 < n && work[i + 1] == '+') ++i, c = '-';
      if (i + 1 < n && work[i + 1] == '-') ++i, c = '+';
    }
    work[out++] = c;
  }
  work.resize(out);
}

}  // namespace detail

namespace {

// A negated name after the '=' at eq: "=+" loses its '+'; "=-name" becomes "=-value" or, for a
// negative value, "=value" without its minus. Names of strings are left to the reducer's type
// check.
bool negateNameAfter(Runtime& rt, std::string& work, std::size_t eq) {
  if (eq + 1 < work.size() && work[eq + 1] == '+') work.erase(eq + 1, 1);
  if (eq + 2 >= work.size() || work[eq + 1] != '-' || !isLetter(work[eq + 2])) return true;
  std::size_t end = eq + 2;
  while (end < work.size() && !isOperatorAt(work, end)) ++end;
  std::string_view name(work.data() + eq + 2, end - eq - 2);
  if (name.find_first_of("$\"") != npos) return true;
  std::string value;
  if (!readVariable(rt, name, value)) return false;
  if (!value.empty() && value[0] == '-')
    return splice(rt, work, eq + 1, end - eq - 1, value.substr(1));
  value.insert(0, 1, '-');
  return splice(rt, work, eq + 1, end - eq - 1, value);
}

bool spliceNegatedNames(Runtime& rt, std::string& work) {
  for (std::size_t i = 0; i < work.size(); ++i)
    if (work[i] == '=' && !negateNameAfter(rt, work, i)) return false;
  return true;
}

}  // namespace

void stripBlanks(std::string_view source, std::string& destination) {
  destination.clear();
  destination.reserve(source.size());
  bool quoted = false;
  for (char c : source) {
    if (c == '"') quoted = !quoted;
    if (!quoted && (c == ' ' || c == '\t')) continue;
    destination += c;
  }
}

std::string stripBlanks(std::string_view source) {
  std::string out;
  stripBlanks(source, out);
  return out;
}

std::size_t topLevelComma(std::string_view text, std::size_t from) {
  bool quoted = false;
  int depth = 0;
  for (std::size_t i = from; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '(') ++depth;
    if (c == ')') --depth;
    if (c == ',' && depth == 0) return i;
  }
  return std::string_view::npos;
}

bool isLogicOperatorAt(std::string_view text, std::size_t pos) {
  if (pos + 1 >= text.size() || text[pos] != '\x01') return false;
  char letter = text[pos + 1];
  return letter == '&' || letter == '|' || letter == '!' || letter == 'e';
}

bool isOperatorAt(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return false;
  switch (text[pos]) {
    case '^':
    case '*':
    case '/':
    case '\\':
    case '+':
    case '-':
      return true;
    case '\x01':
      return (pos + 1 < text.size() && text[pos + 1] == 'm') || isLogicOperatorAt(text, pos);
    default:
      return false;
  }
}

std::int32_t toInteger(double value) {
  // 2^63: from there on (and for NaN) the conversion has no integer; the processor's "integer
  // indefinite" keeps 0 in its low 32 bits.
  constexpr double limit = 9223372036854775808.0;
  if (!(std::fabs(value) < limit)) return 0;
  auto low =
      static_cast<std::uint32_t>(static_cast<std::uint64_t>(static_cast<std::int64_t>(value)));
  return static_cast<std::int32_t>(low);
}

double evalNumeric(Runtime& rt, std::string_view assignment) {
  std::string work;
  stripBlanks(assignment, work);
  if (work.size() > workTextLimit) {
    detail::refuse(rt);
    return 0;
  }
  std::size_t eq = work.find('=');
  if (eq == npos) {
    interp::report(rt, interp::UnexpectedError);
    return 0;
  }
  work.replace(0, eq, detail::scratchTarget);
  return detail::evalWork(rt, work);
}

namespace detail {

double evalWork(Runtime& rt, std::string& work) {
  Nesting level(rt);
  if (!level.ok()) return 0;
  if (work.size() > workTextLimit) {
    refuse(rt);
    return 0;
  }
  if (!spliceElements(rt, work) || !spliceGroups(rt, work) || !spliceNot(rt, work)) return 0;
  detail::foldSigns(work);
  if (!spliceNegatedNames(rt, work)) return 0;
  return reduceExpression(rt, work);
}

double evalRightSide(Runtime& rt, std::string_view expression) {
  std::string work;
  work.reserve(scratchPrefix.size() + expression.size());
  work.append(scratchPrefix).append(expression);
  return evalWork(rt, work);
}

}  // namespace detail
}  // namespace tw::expr
