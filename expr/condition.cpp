// Conditions: groups at the start or after a logical operator, comparisons between logical
// operators, then the logical combination by the numeric evaluator. Stores and reports nothing.
#include "expr/detail.h"

namespace tw::expr {
namespace {

constexpr std::size_t npos = std::string::npos;

bool isRelational(char c) {
  return c == '=' || c == '<' || c == '>';
}

bool isNameByte(char c) {
  return detail::isLetter(c) || detail::isDigit(c) || c == '!' || c == '#' || c == '$' ||
         c == '%' || c == '.';
}

// The ')' that closes the '(' at open, outside string literals; npos if none.
std::size_t closingParenthesis(std::string_view text, std::size_t open) {
  int depth = 0;
  bool quoted = false;
  for (std::size_t i = open; i < text.size(); ++i) {
    if (text[i] == '"') quoted = !quoted;
    if (quoted) continue;
    if (text[i] == '(') ++depth;
    if (text[i] == ')' && --depth == 0) return i;
  }
  return npos;
}

// Groups: a '(' that begins the text or follows an operator escape holds a condition of its own.
void replaceGroups(Runtime& rt, std::string& work) {
  bool quoted = false;
  for (std::size_t i = 0; i < work.size(); ++i) {
    if (work[i] == '"') quoted = !quoted;
    if (quoted || work[i] != '(') continue;
    if (i != 0 && (i < 2 || work[i - 2] != '\x01')) continue;
    std::size_t close = closingParenthesis(work, i);
    if (close == npos) continue;
    std::string value =
        std::to_string(evalCondition(rt, std::string_view(work).substr(i + 1, close - i - 1)));
    work.replace(i, close + 1 - i, value);
    i += value.size() - 1;
  }
}

// The next logical operator escape at or after pos outside string literals, or the end.
std::size_t segmentEnd(std::string_view text, std::size_t pos) {
  bool quoted = false;
  for (; pos < text.size(); ++pos) {
    if (text[pos] == '"') quoted = !quoted;
    if (!quoted && isLogicOperatorAt(text, pos)) return pos;
  }
  return pos;
}

// Comparisons: each segment between logical operators that holds a relational byte outside string
// literals is replaced by its result.
void replaceComparisons(Runtime& rt, std::string& work) {
  bool quoted = false;
  std::size_t segment = 0;
  for (std::size_t i = 0; i < work.size(); ++i) {
    if (work[i] == '"') quoted = !quoted;
    if (quoted) continue;
    if (isLogicOperatorAt(work, i)) {
      segment = ++i + 1;
      continue;
    }
    if (!isRelational(work[i])) continue;
    std::size_t end = segmentEnd(work, i);
    std::string value =
        std::to_string(evalComparison(rt, std::string_view(work).substr(segment, end - segment)));
    work.replace(segment, end - segment, value);
    i = segment + value.size() - 1;
  }
}

}  // namespace

namespace detail {

Relation findRelation(std::string_view text, std::size_t& pos, std::size_t& length) {
  bool quoted = false;
  for (pos = 0; pos < text.size(); ++pos) {
    char c = text[pos];
    if (c == '"') quoted = !quoted;
    if (quoted || !isRelational(c)) continue;
    char next = pos + 1 < text.size() ? text[pos + 1] : '\0';
    length = 2;
    if (c == '=' && next == '<') return Relation::LessEqual;
    if (c == '=' && next == '>') return Relation::GreaterEqual;
    if ((c == '<' && next == '>') || (c == '>' && next == '<')) return Relation::NotEqual;
    if (c == '<' && next == '=') return Relation::LessEqual;
    if (c == '>' && next == '=') return Relation::GreaterEqual;
    length = 1;
    return c == '=' ? Relation::Equal : c == '<' ? Relation::Less : Relation::Greater;
  }
  return Relation::None;
}

}  // namespace detail

namespace {

using detail::Relation;

// A left operand that begins with a literal or with a string-typed name compares as strings.
bool isStringOperand(Runtime& rt, std::string_view left) {
  if (!left.empty() && left[0] == '"') return true;
  std::size_t end = 0;
  while (end < left.size() && isNameByte(left[end])) ++end;
  return variableType(rt, left.substr(0, end)) == String;
}


bool compareStrings(Runtime& rt, Relation r, std::string_view left, std::string_view right) {
  std::string a, b;
  scratchString(rt, left, a);
  scratchString(rt, right, b);
  // Strings are ordered by their lengths in bytes, not by their contents.
  if (r == Relation::Equal || r == Relation::NotEqual) return detail::holds(r, a, b);
  return detail::holds(r, a.size(), b.size());
}

}  // namespace

std::int32_t evalComparison(Runtime& rt, std::string_view comparison) {
  std::size_t pos = 0, length = 0;
  Relation r = detail::findRelation(comparison, pos, length);
  if (r == Relation::None) return toInteger(scratchNumeric(rt, comparison));
  std::string_view left = comparison.substr(0, pos);
  std::string_view right = comparison.substr(pos + length);
  if (isStringOperand(rt, left)) return compareStrings(rt, r, left, right) ? -1 : 0;
  const double a = scratchNumeric(rt, left);
  const double b = scratchNumeric(rt, right);
  return detail::holds(r, a, b) ? -1 : 0;
}

std::int32_t evalCondition(Runtime& rt, std::string_view condition) {
  detail::Nesting level(rt);
  if (!level.ok()) return 0;
  std::string work;
  stripBlanks(condition, work);
  replaceGroups(rt, work);
  replaceComparisons(rt, work);
  return toInteger(detail::evalRightSide(rt, work));
}

}  // namespace tw::expr
