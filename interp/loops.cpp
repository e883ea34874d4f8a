// FOR/NEXT and WHILE/WEND. The only loop state is the stack of FOR limits; every iteration runs
// the FOR or WHILE statement again, which re-evaluates its texts. The searches are in scans.cpp.
#include "interp/detail.h"

namespace tw::interp::detail {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool wordAt(std::string_view text, std::size_t pos, std::string_view lower) {
  if (pos + lower.size() > text.size()) return false;
  for (std::size_t i = 0; i < lower.size(); ++i)
    if ((text[pos + i] | 0x20) != lower[i]) return false;
  return true;
}

// The end test against the stored limit written with six decimals, as the condition reads it.
bool holds(Runtime& rt, const std::string& name, char relation, double limit) {
  std::string condition = name;
  condition.push_back(relation == '!' ? '<' : relation);
  if (relation == '!') condition.push_back('>');
  std::string number;
  expr::formatFixed(limit, 6, number);
  condition += number;
  return expr::evalCondition(rt, condition) != 0;
}

}  // namespace


// Cuts at "to" (a blank or tab on both sides) and then at "step" (a blank or tab before, a blank
// after); false when there is no "to".
bool splitFor(std::string_view text, ForTexts& out) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool blankBefore = i > 0 && isBlank(text[i - 1]);
    if (out.parts == 1 && blankBefore && wordAt(text, i, "to") && i + 2 < text.size() &&
        isBlank(text[i + 2])) {
      out.parts = 2;
      i += 1;
      continue;
    }
    if (out.parts == 2 && blankBefore && wordAt(text, i, "step") && i + 4 < text.size() &&
        text[i + 4] == ' ') {
      out.parts = 3;
      i += 3;
      continue;
    }
    if (isBlank(text[i])) continue;
    (out.parts == 1 ? out.first : out.parts == 2 ? out.limit : out.step).push_back(text[i]);
  }
  if (out.parts == 2) out.step = "1";
  return out.parts > 1;
}

std::string loopName(std::string_view text) {
  std::string name = expr::stripBlanks(text);
  if (name.size() > loopNameLimit) name.resize(loopNameLimit);
  return name;
}

void forStatement(Runtime& rt, std::string_view argument) {
  State& s = rt.interp;
  ForTexts texts;
  if (!splitFor(argument, texts)) {
    s.forReentry = false;
    report(rt, SyntaxError);
    return;
  }
  const std::string name = loopName(texts.first.substr(0, texts.first.find('=')));
  // A re-entry needs the level its first entry made.
  const bool firstEntry = !s.forReentry || s.forDepth < 0;
  s.forReentry = false;
  const std::uint32_t reportsBefore = s.reports;
  if (firstEntry) {
    if (s.forDepth + 1 >= static_cast<std::int32_t>(forLimit)) {
      report(rt, MemoryRangeExceeded);
      return;
    }
    expr::assignStatement(rt, texts.first);
    if (s.reports != reportsBefore) return;
    const double limit = expr::scratchNumeric(rt, texts.limit);
    if (s.reports != reportsBefore) return;
    s.forLimits[static_cast<std::size_t>(++s.forDepth)] = limit;
  } else {
    expr::assignStatement(rt, name + '=' + name + '+' + texts.step);
    if (s.reports != reportsBefore) return;
  }
  const double step = expr::scratchNumeric(rt, texts.step);
  if (s.reports != reportsBefore) return;
  const double limit = s.forLimits[static_cast<std::size_t>(s.forDepth)];
  bool finished = holds(rt, name, step < 0 ? '<' : '>', limit);
  if (s.reports != reportsBefore) return;
  if (finished && firstEntry) finished = holds(rt, name, '!', limit);
  if (!finished || s.reports != reportsBefore) return;
  --s.forDepth;
  std::int32_t after = loopEnd(rt, Loop::For, name);
  if (after != notFound) s.runPos = after;
}

void nextStatement(Runtime& rt, std::string_view argument) { nextByName(rt, loopName(argument)); }

void nextByName(Runtime& rt, std::string_view name) {
  nextTo(rt, loopStart(rt, Loop::For, name));
}

void nextTo(Runtime& rt, std::int32_t start) {
  State& s = rt.interp;
  // A NEXT whose loop has ended has no level left to return to.
  if (start == notFound || s.forDepth < 0) {
    report(rt, NextWithoutFor);
    return;
  }
  s.forReentry = true;
  s.runPos = start;
}

void whileStatement(Runtime& rt, std::string_view argument) {
  const std::uint32_t reportsBefore = rt.interp.reports;
  if (expr::evalCondition(rt, argument) != 0 || rt.interp.reports != reportsBefore) return;
  rt.interp.runPos = loopEnd(rt, Loop::While, {});
}

void wendStatement(Runtime& rt) {
  wendTo(rt, loopStart(rt, Loop::While, {}));
}

void wendTo(Runtime& rt, std::int32_t start) {
  if (start == notFound) {
    report(rt, WendWithoutWhile);
    return;
  }
  rt.interp.runPos = start;
}

}  // namespace tw::interp::detail
