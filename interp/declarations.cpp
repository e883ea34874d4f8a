// IF ... THEN ... ELSE, DEF FN and DEFINT/DEFSNG/DEFSTR. IF only decides where execution goes on;
// the run loop's branch filter runs the chosen part. The function table lives in builtins.
#include "interp/detail.h"

namespace tw::interp::detail {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool thenAt(std::string_view text, std::size_t i) {
  if (i + 4 >= text.size() || !isBlank(text[i + 4])) return false;
  for (std::size_t k = 0; k < 4; ++k)
    if ((text[i + k] | 0x20) != "then"[k]) return false;
  return true;
}

// A number written directly against THEN ends the condition only when something before it can
// end an operand: a blank, a relational byte or an operator.
bool numberEndsCondition(std::string_view text, std::size_t i) {
  for (std::size_t j = i; j-- > 0;) {
    char c = text[j];
    if (isBlank(c) || c == '=' || c == '<' || c == '>' || expr::isOperatorAt(text, j)) return true;
  }
  return false;
}

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool isUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }

// The letters of a DEFINT list ("A-C,X"), ranges expanded; false for an item that is neither a
// letter nor a rising range of two letters.
bool expandLetters(std::string_view list, std::string& letters) {
  std::size_t start = 0;
  for (;;) {
    std::size_t comma = list.find(',', start);
    std::string_view item = list.substr(start, comma - start);
    if (item.size() == 1 && isUpperLetter(item[0])) {
      letters.push_back(item[0]);
    } else if (item.size() == 3 && isUpperLetter(item[0]) && item[1] == '-' &&
               isUpperLetter(item[2]) && item[2] >= item[0]) {
      for (char c = item[0]; c <= item[2]; ++c) letters.push_back(c);
    } else {
      return false;
    }
    if (comma == std::string_view::npos) return true;
    start = comma + 1;
  }
}

}  // namespace

// The condition of an IF: the text before its THEN.
std::string_view conditionOf(std::string_view text) {
  bool quoted = false;
  int depth = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '(') ++depth;
    if (c == ')') --depth;
    if (i == 0 || !thenAt(text, i)) continue;
    char before = text[i - 1];
    if (isBlank(before)) return text.substr(0, i - 1);
    if ((before == ')' && depth == 0) || before == '"') return text.substr(0, i);
    if ((isDigit(before) || before == '.') && numberEndsCondition(text, i - 1))
      return text.substr(0, i);
  }
  return text;
}

void ifStatement(Runtime& rt, std::string_view argument) {
  State& s = rt.interp;
  const std::uint32_t reportsBefore = s.reports;
  const bool holds = expr::evalCondition(rt, conditionOf(argument)) != 0;
  if (s.reports != reportsBefore) return;
  std::int32_t part = holds ? thenPart(rt) : elsePart(rt);
  if (part == notFound) {
    // Without an ELSE the IF took the rest of its line: the next line follows.
    if (holds) report(rt, SyntaxError);
    return;
  }
  s.runPos = part;
  s.inBranch = true;
}

void defFnStatement(Runtime& rt, std::string_view argument) {
  std::string text = expr::stripBlanks(argument);
  std::size_t eq = text.find('=');
  if (eq == std::string::npos) {
    report(rt, SyntaxError);
    return;
  }
  builtins::defineUserFunction(rt, std::string_view(text).substr(0, eq),
                               std::string_view(text).substr(eq + 1));
}

void defTypeStatement(Runtime& rt, std::string_view argument) {
  std::string text = expr::stripBlanks(argument);
  for (char& c : text) c = upper(c);
  std::string_view word = std::string_view(text).substr(0, 3);
  expr::State& e = rt.expr;
  std::string* list = word == "INT" ? &e.defIntLetters
                      : word == "SNG" ? &e.defSngLetters
                      : word == "STR" ? &e.defStrLetters
                                      : nullptr;
  std::string letters;
  if (list == nullptr || !expandLetters(std::string_view(text).substr(3), letters)) {
    report(rt, SyntaxError);
    return;
  }
  if (list->size() + letters.size() > expr::letterListLimit) {
    report(rt, MemoryRangeExceeded);
    return;
  }
  *list += letters;
  ++e.meaningGeneration;
}

}  // namespace tw::interp::detail
