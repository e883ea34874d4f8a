// PRINT to the screen: the item list, each item evaluated by the expression evaluators and the
// line written with putText. It keeps no state.
#include "interp/interp.h"

namespace tw::screen {
namespace {

bool isNameByte(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '!' ||
         c == '#' || c == '$' || c == '%' || c == '.';
}

// The text one item prints; false when its evaluation reported an error.
bool printPiece(Runtime& rt, std::string_view item, std::string& piece) {
  piece.clear();
  if (item.empty()) return true;
  std::size_t nameEnd = 0;
  while (nameEnd < item.size() && isNameByte(item[nameEnd])) ++nameEnd;
  if (item[0] == '"' || expr::variableType(rt, item.substr(0, nameEnd)) == expr::String)
    return expr::scratchString(rt, item, piece) && !rt.interp.stopRequested;
  double value = expr::scratchNumeric(rt, item);
  if (rt.interp.stopRequested) return false;
  if (value >= 0) piece = ' ';
  piece += expr::numberText(rt, value);
  return true;
}

}  // namespace

void printStatement(Runtime& rt, std::string_view argument) {
  std::string list = expr::stripBlanks(argument);
  std::string line;
  std::string piece;
  std::size_t start = 0;
  bool quoted = false;
  int depth = 0;
  for (std::size_t i = 0;; ++i) {
    const bool end = i >= list.size();
    char c = end ? '\0' : list[i];
    if (c == '"') quoted = !quoted;
    if (!quoted && c == '(') ++depth;
    if (!quoted && c == ')') --depth;
    bool separator = !quoted && depth <= 0 && (c == ';' || c == ',');
    if (!separator && !end) continue;
    if (!printPiece(rt, std::string_view(list).substr(start, i - start), piece)) return;
    line += piece;
    if (c == ',') line += '\t';
    if (end || (c == ';' && i + 1 == list.size())) break;
    start = i + 1;
  }
  if (list.empty() || list.back() != ';') line += '\n';
  putText(rt, line);
}

}  // namespace tw::screen
