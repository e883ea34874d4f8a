// GOTO, GOSUB, RETURN and ON: moving runPos to a line or label, the GOSUB stack, and the ON ERROR
// handler statement. The searches themselves are in scans.cpp.
#include "interp/detail.h"

namespace tw::interp::detail {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The first "goto" or "gosub" with a blank or tab on both sides: its position and length.
bool findJumpWord(std::string_view text, std::size_t& pos, std::size_t& length) {
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (!isBlank(text[i - 1])) continue;
    for (std::string_view word : {std::string_view("goto"), std::string_view("gosub")}) {
      if (i + word.size() >= text.size() || !isBlank(text[i + word.size()])) continue;
      bool same = true;
      for (std::size_t k = 0; k < word.size() && same; ++k)
        same = (text[i + k] | 0x20) == word[k];
      if (same) {
        pos = i;
        length = word.size();
        return true;
      }
    }
  }
  return false;
}

bool equalsIgnoringCase(std::string_view text, std::string_view lower) {
  if (text.size() != lower.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i)
    if ((text[i] | 0x20) != lower[i]) return false;
  return true;
}

// The k-th item (from 1) of a list cut at every comma, or nothing.
std::optional<std::string_view> listItem(std::string_view list, std::int32_t k) {
  if (k < 1) return std::nullopt;
  std::size_t start = 0;
  for (std::int32_t item = 1; item < k; ++item) {
    std::size_t comma = list.find(',', start);
    if (comma == std::string_view::npos) return std::nullopt;
    start = comma + 1;
  }
  return list.substr(start, list.find(',', start) - start);
}

}  // namespace

void gotoStatement(Runtime& rt, std::string_view target) {
  if (std::optional<std::int32_t> pos = findLine(rt, target)) rt.interp.runPos = *pos;
}

void gosubStatement(Runtime& rt, std::string_view target) {
  State& s = rt.interp;
  if (static_cast<std::size_t>(s.gosubDepth) >= gosubLimit) {
    report(rt, MemoryRangeExceeded);
    return;
  }
  std::optional<std::int32_t> pos = findLine(rt, target);
  if (!pos) return;
  s.gosubPositions[static_cast<std::size_t>(s.gosubDepth)] = s.runPos;
  s.gosubInBranch[static_cast<std::size_t>(s.gosubDepth)] = s.inBranch;
  ++s.gosubDepth;
  s.runPos = *pos;
}

void returnStatement(Runtime& rt) {
  State& s = rt.interp;
  if (s.gosubDepth <= 0) {
    s.gosubDepth = 0;
    report(rt, ReturnWithoutGosub);
    return;
  }
  --s.gosubDepth;
  s.runPos = s.gosubPositions[static_cast<std::size_t>(s.gosubDepth)];
  s.inBranch = s.gosubInBranch[static_cast<std::size_t>(s.gosubDepth)];
}

void onStatement(Runtime& rt, std::string_view argument) {
  std::size_t wordPos = 0, wordLength = 0;
  if (!findJumpWord(argument, wordPos, wordLength)) {
    report(rt, SyntaxError);
    return;
  }
  const bool gosub = wordLength == 5;
  std::string selector = expr::stripBlanks(argument.substr(0, wordPos));
  std::string_view list = argument.substr(wordPos + wordLength);
  while (!list.empty() && isBlank(list.front())) list.remove_prefix(1);
  if (equalsIgnoringCase(selector, "error")) {
    rt.interp.errorHandlerStmt.assign(gosub ? "\x10\x31 " : "\x10\x21 ").append(list);
    return;
  }
  const std::uint32_t reportsBefore = rt.interp.reports;
  std::int32_t k = expr::toInteger(expr::scratchNumeric(rt, selector));
  if (rt.interp.reports != reportsBefore) return;
  std::optional<std::string_view> target = listItem(list, k);
  if (!target) return;
  if (gosub)
    gosubStatement(rt, *target);
  else
    gotoStatement(rt, *target);
}

}  // namespace tw::interp::detail
