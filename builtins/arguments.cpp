// Argument texts of the function routines: cutting them at commas, counting them, and evaluating
// them through the scratch assignment. The routines themselves live in their own files.
#include "builtins/detail.h"

namespace tw::builtins {
namespace detail {

bool countArguments(std::string_view text, int& count) {
  bool quoted = false;
  int depth = 0;
  count = 1;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '(') ++depth;
    if (c == ')' && --depth < 0) return false;
    if (c == ',' && depth == 0) ++count;
  }
  return true;
}

bool isBalanced(std::string_view text) {
  bool quoted = false;
  int depth = 0;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '(') ++depth;
    if (c == ')' && --depth < 0) return false;
  }
  return !quoted && depth == 0;
}

bool stringArgument(Runtime& rt, std::string_view text, std::string& contents) {
  return expr::scratchString(rt, text, contents);
}

std::int32_t integerArgument(Runtime& rt, std::string_view text) {
  return expr::toInteger(expr::scratchNumeric(rt, text));
}

// The argument that begins at from: up to the next top-level comma, or to the end. next is where
// the argument after it begins (npos when there is none).
std::string_view argumentAt(std::string_view text, std::size_t from, std::size_t& next) {
  if (from > text.size()) from = text.size();
  const std::size_t comma = topLevelComma(text, from);
  next = comma == std::string_view::npos ? comma : comma + 1;
  return text.substr(from, comma == std::string_view::npos ? std::string_view::npos : comma - from);
}

bool sliceArguments(Runtime& rt, std::string_view arguments, SliceArguments& a) {
  if (!isBalanced(arguments)) {
    interp::report(rt, interp::SyntaxError);
    return false;
  }
  std::size_t next;
  if (!stringArgument(rt, argumentAt(arguments, 0, next), a.contents)) return false;
  std::string_view startText;
  if (next != std::string_view::npos) startText = argumentAt(arguments, next, next);
  a.start = integerArgument(rt, startText);
  if (a.start <= 0) return false;
  a.length = -1;
  if (next == std::string_view::npos) return true;
  // The length argument runs to the end of the text, commas included.
  const std::int32_t length = integerArgument(rt, arguments.substr(next));
  if (length < 0) {
    interp::report(rt, interp::SyntaxError);
    return false;
  }
  a.length = length;
  return true;
}

bool searchArguments(Runtime& rt, std::string_view arguments, SearchArguments& a) {
  int count;
  if (!countArguments(arguments, count)) {
    interp::report(rt, interp::SyntaxError);
    return false;
  }
  if (count != 3 && count != 2) {
    interp::report(rt, interp::WrongParameterCount);
    return false;
  }
  std::size_t next = 0;
  a.hasStart = count == 3;
  a.offset = 0;
  if (a.hasStart) {
    // A start below 1 searches from the first byte.
    const std::int64_t start = integerArgument(rt, argumentAt(arguments, 0, next));
    a.offset = start < 1 ? 0 : start - 1;
  }
  const std::string_view searched = argumentAt(arguments, next, next);
  return stringArgument(rt, searched, a.searched) &&
         stringArgument(rt, arguments.substr(next), a.sought);
}

}  // namespace detail

bool checkArgCount(Runtime& rt, std::string_view arguments, int expected, bool report) {
  int count;
  if (!detail::countArguments(arguments, count)) {
    interp::report(rt, interp::SyntaxError);
    return false;
  }
  if (count == expected) return true;
  if (report) interp::report(rt, interp::WrongParameterCount);
  return false;
}

}  // namespace tw::builtins
