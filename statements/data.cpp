// READ and RESTORE over the DATA list. They read the list and move host's read index (with the
// offset kept beside it here); the list itself is never changed.
#include "interp/interp.h"
#include "statements/statements.h"

namespace tw::statements {
namespace {

constexpr std::size_t none = std::string_view::npos;

// Where the item that begins at start ends: the next comma outside double quotes, or the end.
// An item always begins outside quotes, so its scan starts with the quote state clear.
std::size_t itemEnd(std::string_view list, std::size_t start) {
  bool quoted = false;
  for (std::size_t i = start; i < list.size(); ++i) {
    if (list[i] == '"') quoted = !quoted;
    if (!quoted && list[i] == ',') return i;
  }
  return list.size();
}

// The start of the item after the one that begins at start; none when that one is the last.
std::size_t nextItem(std::string_view list, std::size_t start) {
  const std::size_t end = itemEnd(list, start);
  return end < list.size() ? end + 1 : none;
}

bool isMarker(std::string_view list, std::size_t start) {
  return start + 1 < list.size() && list[start] == '\x01' &&
         (list[start + 1] == 'n' || list[start + 1] == 'v');
}

// Moves the read index, and remembers where its item begins.
void setReadPosition(Runtime& rt, int index, std::size_t offset) {
  rt.host.dataReadIndex = index;
  rt.statements = {index, offset, rt.host.dataList.size()};
}

// The offset of item number index, or none when the list ends before it. The remembered offset
// serves when it was taken for this index from a list of this size and stands at an item start.
std::size_t findItem(Runtime& rt, int index) {
  const std::string_view list = rt.host.dataList;
  const State& s = rt.statements;
  if (s.dataIndex == index && s.dataListSize == list.size() &&
      (s.dataOffset == none || s.dataOffset == 0 ||
       (s.dataOffset <= list.size() && list[s.dataOffset - 1] == ',')))
    return s.dataOffset;
  std::size_t offset = 0;
  for (int k = 0; k < index && offset != none; ++k) offset = nextItem(list, offset);
  return offset;
}

// The end of the variable name that begins at start: the next comma outside double quotes and
// parentheses, or the end of the text. False when the text ends inside a literal or the
// parentheses do not balance.
bool nameEnd(std::string_view names, std::size_t start, std::size_t& end) {
  bool quoted = false;
  int depth = 0;
  for (end = start; end < names.size(); ++end) {
    const char c = names[end];
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '(') ++depth;
    if (c == ')' && --depth < 0) return false;
    if (c == ',' && depth == 0) return true;
  }
  return !quoted && depth == 0;
}

bool isLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The marker RESTORE looks for: a label as written (letter case included), or a line whose number
// has the target's value.
struct RestoreTarget {
  std::string_view label;  // with its '*'; empty for a line
  std::int32_t line = 0;

  bool matches(std::string_view item) const {
    if (item.size() < 2 || item[0] != '\x01') return false;
    const std::string_view text = item.substr(2);
    if (!label.empty()) return item[1] == 'v' && text.substr(0, text.find(',')) == label;
    return item[1] == 'n' && expr::toInteger(expr::decimalValue(text)) == line;
  }
};

}  // namespace

void readStatement(Runtime& rt, std::string_view argument) {
  const std::string names = expr::stripBlanks(argument);
  const std::string_view list = rt.host.dataList;
  int index = rt.host.dataReadIndex;
  std::size_t offset = findItem(rt, index);
  if (offset == none) {
    interp::report(rt, interp::NoDataForRead);
    return;
  }
  std::size_t end = 0;
  for (std::size_t start = 0;; start = end + 1) {
    if (!nameEnd(names, start, end)) {
      interp::report(rt, interp::SyntaxError);
      return;
    }
    const std::string_view name = std::string_view(names).substr(start, end - start);
    // A name that cannot be stored is refused before it takes an item.
    if (name.empty() || !isLetter(name[0])) {
      interp::report(rt, interp::InvalidIdentifier, name);
      return;
    }
    while (offset != none && isMarker(list, offset)) {
      offset = nextItem(list, offset);
      ++index;
    }
    const std::size_t itemStop = offset == none ? none : itemEnd(list, offset);
    if (offset == none || itemStop == offset) {
      setReadPosition(rt, index, offset);
      interp::report(rt, interp::NoDataForRead);
      return;
    }
    const std::string_view item = list.substr(offset, itemStop - offset);
    offset = itemStop < list.size() ? itemStop + 1 : none;
    setReadPosition(rt, ++index, offset);
    // The store puts an item in quotes for a string variable unless it is quoted already.
    if (!expr::storeVariable(rt, name, item) || rt.interp.stopRequested) return;
    if (end == names.size()) return;
  }
}

void restoreStatement(Runtime& rt, std::string_view argument) {
  const std::string text = expr::stripBlanks(argument);
  if (text.empty()) {
    setReadPosition(rt, 0, 0);
    return;
  }
  RestoreTarget target;
  if (text[0] == '*') {
    target.label = text;
  } else {
    target.line = expr::toInteger(expr::scratchNumeric(rt, text));
    if (rt.interp.stopRequested) return;
  }
  const std::string_view list = rt.host.dataList;
  int index = 0;
  for (std::size_t offset = 0; offset != none; offset = nextItem(list, offset), ++index) {
    if (target.matches(list.substr(offset, itemEnd(list, offset) - offset))) {
      setReadPosition(rt, index, offset);
      return;
    }
  }
  const std::string shown = target.label.empty() ? std::to_string(target.line) : text;
  interp::report(rt, interp::CannotRefer, shown);
}

}  // namespace tw::statements
