// The assignment statement, the scratch assignment through which every argument is evaluated, and
// the string evaluator. The store is changed only through storeVariable; "xxxxx" is never stored.
#include "expr/detail.h"

namespace tw::expr {
namespace {

// One term: a literal's bytes between its quotes, or a string variable's value.
bool appendTerm(Runtime& rt, std::string_view term, std::string& result) {
  if (!term.empty() && term[0] == '"') {
    if (!detail::isQuoted(term)) {
      interp::report(rt, interp::SyntaxError);
      return false;
    }
    result.append(term.substr(1, term.size() - 2));
    return true;
  }
  if (term.empty()) {
    interp::report(rt, interp::TypeMismatch);
    return false;
  }
  return detail::appendStringTerm(rt, term, result);
}

}  // namespace

namespace detail {

bool joinStringTerms(Runtime& rt, std::string_view expression, std::string& result) {
  const std::size_t base = result.size();
  bool quoted = false;
  int depth = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= expression.size(); ++i) {
    const bool end = i == expression.size();
    const char c = end ? '\0' : expression[i];
    if (c == '"') quoted = !quoted;
    if (!quoted && c == '(') ++depth;
    if (!quoted && c == ')') --depth;
    if (!end && (quoted || depth != 0 || c != '+')) continue;
    if (!appendTerm(rt, expression.substr(start, i - start), result)) return false;
    // The quoted result must fit the 8,192-byte buffers of the statements.
    if (result.size() - base + 2 > stringLimit) {
      refuse(rt);
      return false;
    }
    start = i + 1;
  }
  return true;
}

}  // namespace detail

namespace {

// The quoted value of a string expression; after a reported error the terms joined so far,
// unquoted.
bool quotedString(Runtime& rt, std::string_view expression, std::string& result) {
  result.assign(1, '"');
  if (!detail::joinStringTerms(rt, expression, result)) {
    result.erase(0, 1);
    return false;
  }
  result.push_back('"');
  return true;
}

}  // namespace

bool evalString(Runtime& rt, std::string_view assignment, std::string& result) {
  std::string work;
  stripBlanks(assignment, work);
  std::size_t eq = work.find('=');
  if (eq == std::string::npos) {
    result.clear();
    interp::report(rt, interp::UnexpectedError);
    return false;
  }
  return quotedString(rt, std::string_view(work).substr(eq + 1), result);
}

double scratchNumeric(Runtime& rt, std::string_view argument) {
  std::string work;
  work.reserve(detail::scratchPrefix.size() + argument.size());
  work.assign(detail::scratchPrefix);
  bool quoted = false;
  for (char c : argument) {
    if (c == '"') quoted = !quoted;
    if (quoted || (c != ' ' && c != '\t')) work.push_back(c);
  }
  return detail::evalWork(rt, work);
}

bool scratchString(Runtime& rt, std::string_view argument, std::string& value) {
  value.clear();
  return detail::joinStringTerms(rt, stripBlanks(argument), value);
}

void assignStatement(Runtime& rt, std::string_view text) {
  std::string work;
  stripBlanks(text, work);
  const std::size_t eq = work.find('=');
  if (eq == std::string::npos) {
    interp::report(rt, interp::NotAssignable);
    return;
  }
  const std::string target(work, 0, eq);
  const std::uint32_t refusalsBefore = rt.expr.refusals;
  std::string value;
  if (variableType(rt, target) == String) {
    quotedString(rt, std::string_view(work).substr(eq + 1), value);
  } else if (work.size() > workTextLimit) {
    detail::refuse(rt);
  } else {
    // The right side is evaluated before the target's subscripts, which the store evaluates.
    work.replace(0, eq, detail::scratchTarget);
    const double result = detail::evalWork(rt, work);
    if (rt.expr.refusals != refusalsBefore) return;
    if (detail::isExactWhole(result)) {
      detail::storeWholeNumber(rt, target, result);
      return;
    }
    formatFixed(result, 15, value);
  }
  // A refused text or table leaves the variable as it was.
  if (rt.expr.refusals != refusalsBefore) return;
  storeVariable(rt, target, value);
}

}  // namespace tw::expr
