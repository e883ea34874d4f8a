// Variable references: the name of a reference and its subscripts, each evaluated through the
// scratch assignment. Nothing here reads or writes the store.
#include "expr/detail.h"

namespace tw::expr {
namespace {

// The subscript texts between the first '(' and its ')', split at commas of that level outside
// double quotes; false after a reported error (unbalanced parentheses, too many subscripts).
bool splitSubscripts(Runtime& rt, std::string_view reference, std::size_t open,
                     std::vector<std::string_view>& texts) {
  int depth = 0;
  bool quoted = false;
  std::size_t start = open + 1;
  std::size_t close = std::string_view::npos;
  for (std::size_t i = open; i < reference.size() && depth >= 0; ++i) {
    char c = reference[i];
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '(') ++depth;
    if (c == ')') --depth;
    if (close != std::string_view::npos) continue;
    if ((c == ',' && depth == 1) || (c == ')' && depth == 0)) {
      texts.push_back(reference.substr(start, i - start));
      start = i + 1;
    }
    if (c == ')' && depth == 0) close = i;
  }
  if (depth < 0 || close == std::string_view::npos) {
    interp::report(rt, interp::SyntaxError);
    return false;
  }
  if (texts.size() > subscriptLimit) {
    interp::report(rt, interp::SyntaxError);
    return false;
  }
  return true;
}

// Evaluates the subscripts of a reference; negative ones are refused when numeric is set.
bool evaluateSubscripts(Runtime& rt, std::string_view reference, std::size_t open, bool numeric,
                        std::vector<std::int32_t>& subscripts) {
  std::vector<std::string_view> texts;
  if (!splitSubscripts(rt, reference, open, texts)) return false;
  subscripts.clear();
  for (std::string_view text : texts) {
    std::int32_t value = toInteger(scratchNumeric(rt, text));
    if (numeric && value < 0) {
      interp::report(rt, interp::OwnText, interp::text(interp::Text::NegativeSubscript));
      return false;
    }
    subscripts.push_back(value);
  }
  return true;
}

}  // namespace

bool parseSubscripts(Runtime& rt, std::string_view reference, std::string& name,
                     std::vector<std::int32_t>& subscripts) {
  std::size_t open = reference.find('(');
  if (open == std::string_view::npos) {
    name.assign(reference);
    subscripts.clear();
    return true;
  }
  if (!evaluateSubscripts(rt, reference, open, true, subscripts)) return false;
  name.assign(reference.substr(0, open));
  return true;
}

bool normaliseStringName(Runtime& rt, std::string_view reference, std::string& out) {
  std::size_t open = reference.find('(');
  if (open == std::string_view::npos) {
    out.assign(reference);
    return true;
  }
  std::vector<std::int32_t> subscripts;
  if (!evaluateSubscripts(rt, reference, open, false, subscripts)) return false;
  out.assign(reference.substr(0, open + 1));
  for (std::size_t k = 0; k < subscripts.size(); ++k) {
    if (k > 0) out.push_back(',');
    out.append(std::to_string(subscripts[k]));
  }
  out.push_back(')');
  return true;
}

}  // namespace tw::expr
