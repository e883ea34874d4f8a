// The string table: one variable per line in creation order, kept as a vector with an index by
// name and the size its text would have. Only this file changes the table; values are quoted.
#include "expr/detail.h"

namespace tw::expr {
namespace {

// The line of one variable in the table text: newline, name, blank, value.
std::size_t lineSize(std::string_view name, std::string_view value) {
  return name.size() + value.size() + 2;
}

}  // namespace

long findStringValue(Runtime& rt, std::string_view normalisedName) {
  auto it = rt.expr.stringIndex.find(normalisedName);
  return it == rt.expr.stringIndex.end() ? -1 : static_cast<long>(it->second);
}

std::string stringTableText(const State& s) {
  std::string text;
  text.reserve(s.stringTableSize);
  for (const StringVariable& v : s.strings)
    text.append("\n").append(v.name).append(" ").append(v.value);
  return text;
}

void eraseString(State& s, std::string_view normalisedName) {
  auto it = s.stringIndex.find(normalisedName);
  if (it == s.stringIndex.end()) return;
  const std::size_t removed = it->second;
  s.stringTableSize -= lineSize(s.strings[removed].name, s.strings[removed].value);
  s.strings.erase(s.strings.begin() + static_cast<long>(removed));
  ++s.layoutGeneration;
  s.stringIndex.erase(it);
  for (auto& [name, index] : s.stringIndex)
    if (index > removed) --index;
}

void clearVariables(State& s) {
  // An evaluation in progress keeps its bookkeeping, and the run its allowance of slots.
  State fresh;
  fresh.refusals = s.refusals;
  fresh.nesting = s.nesting;
  fresh.layoutGeneration = s.layoutGeneration + 1;
  fresh.creations = s.creations + 1;
  fresh.meaningGeneration = s.meaningGeneration + 1;
  fresh.slotsAllowed = s.slotsAllowed;
  s = std::move(fresh);
}

namespace detail {

bool setString(Runtime& rt, std::string_view normalisedName, std::string_view quotedValue) {
  State& s = rt.expr;
  const long index = findStringValue(rt, normalisedName);
  const std::size_t newSize =
      index < 0 ? s.stringTableSize + lineSize(normalisedName, quotedValue)
                : s.stringTableSize - s.strings[index].value.size() + quotedValue.size();
  // The table text and its ending NUL must fit.
  if (newSize + 1 > stringTableLimit) {
    refuse(rt);
    return false;
  }
  if (index >= 0) {
    s.strings[index].value.assign(quotedValue);
  } else {
    s.strings.push_back({std::string(normalisedName), std::string(quotedValue)});
    ++s.creations;
    s.stringIndex.emplace(normalisedName, s.strings.size() - 1);
  }
  s.stringTableSize = newSize;
  return true;
}

}  // namespace detail
}  // namespace tw::expr
