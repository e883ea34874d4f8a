// DIM and ERASE: declaring numeric arrays and removing variables by name. The layouts of the
// directory and the string table stay with their own files; this file only calls them.
#include "expr/detail.h"

namespace tw::expr {
namespace {

// One DIM statement declares at most this many items, each of at most dimItemTextLimit bytes
// with its blanks removed; a longer statement is refused with error 12 before anything is
// created. Observable.
constexpr std::size_t dimItemLimit = 100;
constexpr std::size_t dimItemTextLimit = 99;

// Splits text at the commas that stand outside double quotes and parentheses. An empty text has
// no pieces. False when the parentheses do not balance (a ')' without its '(' also separates
// nothing from then on, so the pieces still cover the whole text).
bool splitTopLevel(std::string_view text, std::vector<std::string_view>& pieces) {
  pieces.clear();
  if (text.empty()) return true;
  bool quoted = false;
  bool balanced = true;
  int depth = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '(') ++depth;
    if (c == ')' && --depth < 0) balanced = false;
    if (c == ',' && depth == 0) {
      pieces.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  pieces.push_back(text.substr(start));
  return balanced && depth == 0;
}

// The text between the first '(' and the ')' that closes it (outside double quotes); what follows
// that ')' is not looked at. The piece is known to balance.
std::string_view boundsText(std::string_view item, std::size_t open) {
  bool quoted = false;
  int depth = 0;
  for (std::size_t i = open; i < item.size(); ++i) {
    const char c = item[i];
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '(') ++depth;
    if (c == ')' && --depth == 0) return item.substr(open + 1, i - open - 1);
  }
  return item.substr(open + 1);
}

struct DimItem {
  std::string_view name;
  std::string_view bounds;  // the text inside the parentheses
  bool array = false;
};

void reportAlreadyDefined(Runtime& rt, std::string_view name) {
  std::string message(interp::text(interp::Text::ArrayAlreadyDefined));
  if (auto at = message.find("%s"); at != std::string::npos) message.replace(at, 2, name);
  interp::report(rt, interp::OwnText, message);
}

// True when an earlier array item of the same statement declares the name.
bool declaredBefore(const std::vector<DimItem>& items, std::string_view name) {
  for (const DimItem& item : items)
    if (item.array && item.name == name) return true;
  return false;
}

// Every check that DIM makes before it creates anything: the limits, the names, and arrays or
// elements that already exist (also an array named twice in the statement). String items are
// dropped. False after a reported error.
bool checkItems(Runtime& rt, const std::vector<std::string_view>& pieces,
                std::vector<DimItem>& items) {
  if (pieces.size() > dimItemLimit) {
    detail::refuse(rt);
    return false;
  }
  for (std::string_view piece : pieces) {
    if (piece.size() > dimItemTextLimit) {
      detail::refuse(rt);
      return false;
    }
    const std::size_t open = piece.find('(');
    DimItem item{piece.substr(0, open), {}, open != std::string_view::npos};
    if (item.name.empty() || !detail::isLetter(item.name[0])) {
      interp::report(rt, interp::InvalidIdentifier, item.name);
      return false;
    }
    if (hasArrayEntries(rt.expr, item.name) || (item.array && declaredBefore(items, item.name))) {
      reportAlreadyDefined(rt, item.name);
      return false;
    }
    if (variableType(rt, item.name) == String) continue;
    if (item.array) item.bounds = boundsText(piece, open);
    items.push_back(item);
  }
  return true;
}

// Evaluates the bounds and appends the array; false after a reported error.
bool declareItem(Runtime& rt, const DimItem& item) {
  // The text inside matching parentheses balances; an empty list is one empty bound, as an
  // empty subscript is.
  std::vector<std::string_view> texts;
  splitTopLevel(item.bounds, texts);
  if (texts.empty()) texts.emplace_back();
  std::vector<std::int32_t> bounds;
  bounds.reserve(texts.size());
  for (std::string_view text : texts) {
    bounds.push_back(toInteger(scratchNumeric(rt, text)));
    if (rt.interp.stopRequested) return false;
  }
  return declareArray(rt, item.name, bounds);
}

}  // namespace

void dimStatement(Runtime& rt, std::string_view argument) {
  const std::string text = stripBlanks(argument);
  std::vector<std::string_view> pieces;
  if (!splitTopLevel(text, pieces)) {
    interp::report(rt, interp::SyntaxError);
    return;
  }
  std::vector<DimItem> items;
  if (!checkItems(rt, pieces, items)) return;
  // Items are made in order, so a bound may read a scalar that an earlier item has just reset.
  for (const DimItem& item : items) {
    const bool made = item.array ? declareItem(rt, item) : storeVariable(rt, item.name, "0");
    if (!made || rt.interp.stopRequested) return;
  }
}

void eraseStatement(Runtime& rt, std::string_view argument) {
  const std::string text = stripBlanks(argument);
  std::vector<std::string_view> names;
  // Commas inside subscripts do not separate, so s$(1,2) is one name; a name whose parentheses
  // do not balance is refused when its subscripts are read.
  splitTopLevel(text, names);
  for (std::string_view name : names) {
    eraseName(rt, name);
    if (rt.interp.stopRequested) return;
  }
}

void eraseName(Runtime& rt, std::string_view name) {
  if (name.empty() || !detail::isLetter(name[0])) {
    interp::report(rt, interp::InvalidIdentifier, name);
    return;
  }
  if (variableType(rt, name) == String) {
    std::string normalised;
    if (normaliseStringName(rt, name, normalised)) eraseString(rt.expr, normalised);
    return;
  }
  // Every entry of the name goes, whatever order the scalar, the array and the elements were
  // made in; a name with no entry leaves the directory untouched.
  if (rt.expr.numericIndex.find(name) != rt.expr.numericIndex.end()) eraseNumeric(rt.expr, name);
}

}  // namespace tw::expr
