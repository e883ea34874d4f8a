// The searches of the program text for jumps, loops and IF, each result kept under the position its
// scan started from (the text never changes while it runs). Nothing here moves runPos.
#include <algorithm>
#include <limits>

#include "interp/detail.h"

namespace tw::interp {
namespace {

using detail::notFound;

// The program text as the scans read it: every position outside it reads as NUL.
struct ProgramText {
  std::string_view t;
  unsigned char at(std::int64_t pos) const {
    return pos >= 0 && pos < static_cast<std::int64_t>(t.size()) ? static_cast<unsigned char>(t[pos])
                                                                 : 0;
  }
  std::int32_t size() const { return static_cast<std::int32_t>(t.size()); }
};

bool isBlank(unsigned char c) { return c == ' ' || c == '\t'; }
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// The word (lower case) at pos in any letter case.
bool wordAt(ProgramText text, std::int64_t pos, std::string_view word) {
  for (std::size_t i = 0; i < word.size(); ++i) {
    unsigned char c = text.at(pos + static_cast<std::int64_t>(i));
    if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
    if (c != static_cast<unsigned char>(word[i])) return false;
  }
  return true;
}

// The value of the digits at the start of a text; no digits read 0. Values too large for any line
// stay at the largest.
std::int64_t leadingNumber(ProgramText text, std::int64_t pos) {
  constexpr std::int64_t ceiling = std::numeric_limits<std::int64_t>::max() / 10 - 10;
  std::int64_t value = 0;
  for (; isDigit(text.at(pos)); ++pos) value = std::min(value * 10 + (text.at(pos) - '0'), ceiling);
  return value;
}

// ---- Statements ---------------------------------------------------------------------------------

struct Statement {
  std::uint16_t code = 0;  // 0: not a coded statement
  std::int32_t codePos = 0;
};

// The coded statement that begins at pos, after blanks and tabs: its code bytes must follow a
// blank or a ':', as the run loop takes them.
Statement statementAt(ProgramText text, std::int32_t pos) {
  while (isBlank(text.at(pos))) ++pos;
  unsigned char first = text.at(pos);
  unsigned char before = text.at(pos - 1);
  if (!host::isCodeByte(first) || text.at(pos + 1) == 0 || (before != ' ' && before != ':')) return {};
  return {static_cast<std::uint16_t>(first << 8 | text.at(pos + 1)), pos};
}

constexpr std::uint16_t codeFor = 0x1025, codeNext = 0x1026, codeWhile = 0x1027, codeWend = 0x1030;

// A loop variable's name after a statement's code and its blank, up to any of the stop bytes.
std::string_view nameAfterCode(ProgramText text, const Statement& s, std::string_view stops) {
  std::int32_t start = s.codePos + 3;
  if (text.at(s.codePos + 2) != ' ') return {};
  std::int32_t end = start;
  while (static_cast<std::size_t>(end - start) < loopNameLimit && text.at(end) != 0 &&
         stops.find(static_cast<char>(text.at(end))) == std::string_view::npos)
    ++end;
  return text.t.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}
std::string_view forName(ProgramText text, const Statement& s) {
  return nameAfterCode(text, s, std::string_view("= \t:\n", 5));
}
std::string_view nextName(ProgramText text, const Statement& s) {
  return nameAfterCode(text, s, std::string_view(" \t:\n", 4));
}

// ---- Lines --------------------------------------------------------------------------------------

void buildLines(ScanCache& c, ProgramText text) {
  c.lineStarts.assign(1, -1);
  for (std::int32_t i = 0; i < text.size(); ++i)
    if (text.at(i) == '\n') c.lineStarts.push_back(i);
  c.lineReach.clear();
  std::int64_t reach = std::numeric_limits<std::int64_t>::min();
  for (std::int32_t start : c.lineStarts) {
    reach = std::max(reach, leadingNumber(text, start + 1));
    c.lineReach.push_back(reach);
  }
}

ScanCache& scans(Runtime& rt) {
  ScanCache& c = rt.interp.scans;
  if (!c.ready) {
    buildLines(c, {rt.host.programText});
    c.ready = true;
  }
  return c;
}

// The first line whose first statement begins with the label target, or notFound.
std::int32_t searchLabel(const ScanCache& c, ProgramText text, std::string_view target) {
  for (std::int32_t start : c.lineStarts) {
    std::int32_t pos = start + 1;
    while (text.at(pos) != 0 && text.at(pos) != '\n' && !isBlank(text.at(pos))) ++pos;
    if (!isBlank(text.at(pos))) continue;
    if (text.t.substr(static_cast<std::size_t>(pos + 1)).substr(0, target.size()) == target)
      return start;
  }
  return notFound;
}

// The boundaries before the statements of one line, in order, that lie before limit: the blank
// after the line number, every ':' outside literals, and, when branchWords is set, the blank or tab
// after a THEN or ELSE.
void lineBoundaries(ProgramText text, std::int32_t lineStart, std::int32_t limit, bool branchWords,
                    std::vector<std::int32_t>& out) {
  out.clear();
  std::int32_t pos = lineStart + 1;
  while (text.at(pos) != 0 && text.at(pos) != '\n' && text.at(pos) != ' ') ++pos;
  if (text.at(pos) != ' ' || pos >= limit) return;
  out.push_back(pos);
  bool quoted = false;
  for (++pos; pos < limit && text.at(pos) != 0 && text.at(pos) != '\n'; ++pos) {
    unsigned char c = text.at(pos);
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == ':') {
      out.push_back(pos);
      continue;
    }
    if (!branchWords || pos + 4 >= limit || !isBlank(text.at(pos + 4))) continue;
    unsigned char before = text.at(pos - 1);
    bool afterThen =
        wordAt(text, pos, "then") && (isBlank(before) || before == ')' || before == '"');
    bool afterElse = wordAt(text, pos, "else") &&
                     (isBlank(before) || before == ')' || before == '"' || before == ':');
    if (afterThen || afterElse) out.push_back(pos + 4);
  }
}

// Where execution goes to run the statement found after a boundary: the ':' itself, or the blank
// just before the code, so that the run loop takes the code bytes.
std::int32_t landingBefore(ProgramText text, std::int32_t boundary, const Statement& s) {
  return text.at(boundary) == ':' ? boundary : s.codePos - 1;
}

// NEXT and WEND: the statements before `from`, backwards, counted until their FOR or WHILE.
std::int32_t scanBack(const ScanCache& c, ProgramText text, std::int32_t from, bool inBranch,
                      detail::Loop kind, std::string_view name) {
  auto firstAtOrAfter = std::lower_bound(c.lineStarts.begin(), c.lineStarts.end(), from);
  const bool fromInsideLine = firstAtOrAfter == c.lineStarts.end() || *firstAtOrAfter != from;
  const std::uint16_t open = kind == detail::Loop::For ? codeFor : codeWhile;
  const std::uint16_t close = kind == detail::Loop::For ? codeNext : codeWend;
  const bool byName = kind == detail::Loop::For && !name.empty();
  int count = byName ? 0 : 1;
  std::vector<std::int32_t> boundaries;
  for (auto line = firstAtOrAfter - c.lineStarts.begin() - 1; line >= 0; --line) {
    const bool current = line == firstAtOrAfter - c.lineStarts.begin() - 1 && fromInsideLine;
    lineBoundaries(text, c.lineStarts[static_cast<std::size_t>(line)],
                   current ? from : std::numeric_limits<std::int32_t>::max(), current && inBranch,
                   boundaries);
    for (auto b = boundaries.rbegin(); b != boundaries.rend(); ++b) {
      Statement s = statementAt(text, *b + 1);
      if (s.code == close && (!byName || nextName(text, s) == name)) ++count;
      if (s.code != open || (byName && forName(text, s) != name)) continue;
      if (byName ? count-- == 0 : --count == 0) return landingBefore(text, *b, s);
    }
  }
  return notFound;
}

// Visits the coded statements after `from` (a terminator) in order: after every newline, and after
// every ':' (outside literals when trackQuotes is set). A visit that returns true ends the walk.
template <typename Visit>
void walkForward(ProgramText text, std::int32_t from, bool trackQuotes, Visit visit) {
  bool quoted = false;
  for (std::int32_t i = std::max(from, 0); i < text.size(); ++i) {
    unsigned char c = text.at(i);
    if (trackQuotes && c == '"') quoted = !quoted;
    if (c == '\n') quoted = false;
    if (c != '\n' && (c != ':' || quoted)) continue;
    std::int32_t pos = i + 1;
    if (c == '\n') {
      while (text.at(pos) != 0 && text.at(pos) != '\n' && !isBlank(text.at(pos))) ++pos;
      if (isBlank(text.at(pos))) ++pos;
    }
    while (text.at(pos) == ' ') ++pos;
    Statement s = statementAt(text, pos);
    if (s.code != 0 && s.codePos == pos && visit(s)) return;
  }
}

std::int32_t lineEndAfter(ProgramText text, std::int32_t pos, bool colonEnds) {
  while (text.at(pos) != 0 && text.at(pos) != '\n' && !(colonEnds && text.at(pos) == ':')) ++pos;
  return pos;
}

// FOR whose loop is finished: the NEXT of the same name, else the NEXT that closes the nesting.
std::int32_t skipFor(ProgramText text, std::int32_t from, std::string_view name) {
  std::int32_t found = notFound;
  int nested = 0;
  walkForward(text, from, true, [&](const Statement& s) {
    if (s.code == codeFor && forName(text, s) == name) ++nested;
    if (s.code != codeNext || name.empty() || nextName(text, s) != name) return false;
    if (nested-- > 0) return false;
    std::string_view n = nextName(text, s);
    found = s.codePos + 3 + static_cast<std::int32_t>(n.size());
    return true;
  });
  if (found != notFound) return found;
  int count = 1;
  walkForward(text, from, true, [&](const Statement& s) {
    if (s.code == codeFor) ++count;
    if (s.code != codeNext || --count != 0) return false;
    found = lineEndAfter(text, s.codePos + 2, true);
    return true;
  });
  return found;
}

// WHILE whose condition is false: after the WEND that closes the nesting, or the end of the text.
std::int32_t skipWhile(ProgramText text, std::int32_t from) {
  std::int32_t found = text.size();
  int count = 1;
  walkForward(text, from, false, [&](const Statement& s) {
    if (s.code == codeWhile) ++count;
    if (s.code != codeWend || --count != 0) return false;
    found = lineEndAfter(text, s.codePos + 2, true);
    return true;
  });
  return found;
}

// The IF statement at or after `from`.
std::int32_t ifCodeAfter(ProgramText text, std::int32_t from) {
  for (std::int32_t i = std::max(from, 0); i + 1 < text.size(); ++i) {
    if (text.at(i) == 0x10 && text.at(i + 1) == 0x20 && (text.at(i - 1) == ' ' || text.at(i - 1) == ':'))
      return i;
  }
  return notFound;
}

std::int32_t afterBlanks(ProgramText text, std::int32_t pos) {
  while (isBlank(text.at(pos + 1))) ++pos;
  return pos;
}

// The last blank after the THEN of the IF at ifCode, or notFound when its line has none.
std::int32_t searchThen(ProgramText text, std::int32_t ifCode) {
  bool quoted = false;
  for (std::int32_t i = ifCode + 2; text.at(i) != 0 && text.at(i) != '\n'; ++i) {
    unsigned char c = text.at(i);
    if (c == '"') quoted = !quoted;
    if (quoted || !wordAt(text, i, "then") || !isBlank(text.at(i + 4))) continue;
    // A THEN written directly after a literal or a number counts, as it does when the condition is
    // cut from the statement.
    unsigned char before = text.at(i - 1);
    if (isBlank(before) || before == ')' || before == '"' || isDigit(before) || before == '.')
      return afterBlanks(text, i + 4);
  }
  return notFound;
}

// The last blank after this IF's own ELSE, passing over the ELSE parts of nested IFs.
std::int32_t searchElse(ProgramText text, std::int32_t ifCode) {
  bool quoted = false;
  int count = 1;
  for (std::int32_t i = ifCode + 2; text.at(i) != 0 && text.at(i) != '\n'; ++i) {
    unsigned char c = text.at(i);
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if ((c == ' ' || c == ':') && text.at(i + 1) == 0x10 && text.at(i + 2) == 0x20) ++count;
    bool beforeElse = isBlank(c) || c == ')' || c == ':';
    if (beforeElse && wordAt(text, i + 1, "else") && isBlank(text.at(i + 5)) && --count == 0)
      return afterBlanks(text, i + 5);
  }
  return notFound;
}

enum class Kind : std::uint8_t { LoopStart, LoopEnd, Then, Else };

std::uint64_t keyOf(Kind kind, detail::Loop loop, std::int32_t pos, bool flag) {
  return static_cast<std::uint64_t>(kind) << 48 | static_cast<std::uint64_t>(loop) << 40 |
         static_cast<std::uint64_t>(flag) << 32 | static_cast<std::uint32_t>(pos);
}

// The kept result of a scan, or the scan made now and kept.
template <typename Scan>
std::int32_t cached(Runtime& rt, std::uint64_t key, std::string_view name, Scan scan) {
  auto& results = scans(rt).results;
  auto it = results.find(key);
  if (it != results.end() && it->second.name == name) return it->second.position;
  std::int32_t position = scan(ProgramText{rt.host.programText});
  results.insert_or_assign(key, ScanCache::Result{std::string(name), position});
  return position;
}

}  // namespace

std::optional<std::int32_t> findLine(Runtime& rt, std::string_view target) {
  if (target.empty() || (!isDigit(static_cast<unsigned char>(target[0])) && target[0] != '*')) {
    report(rt, SyntaxError);
    return std::nullopt;
  }
  std::optional<std::int32_t> found = detail::lookupLine(rt, target);
  if (!found) report(rt, InvalidIdentifier, target);
  return found;
}

namespace detail {

void forgetScans(Runtime& rt) {
  rt.interp.scans = ScanCache{};
  rt.interp.prepared.sites.clear();
}

std::optional<std::int32_t> lookupLine(Runtime& rt, std::string_view target) {
  if (target.empty() || (!isDigit(static_cast<unsigned char>(target[0])) && target[0] != '*'))
    return std::nullopt;
  ScanCache& c = scans(rt);
  ProgramText text{rt.host.programText};
  std::int32_t found;
  if (target[0] == '*') {
    auto it = c.labels.find(target);
    if (it == c.labels.end()) it = c.labels.emplace(target, searchLabel(c, text, target)).first;
    found = it->second;
  } else {
    const std::int64_t number = leadingNumber(ProgramText{target}, 0);
    auto it = std::lower_bound(c.lineReach.begin(), c.lineReach.end(), number);
    found = it == c.lineReach.end() ? notFound
                                    : c.lineStarts[static_cast<std::size_t>(it - c.lineReach.begin())];
  }
  if (found == notFound) return std::nullopt;
  return found;
}

std::int32_t loopStart(Runtime& rt, Loop kind, std::string_view name) {
  const State& s = rt.interp;
  const std::int32_t from = s.stmtStartPos;
  const bool inBranch = s.inBranch;
  return cached(rt, keyOf(Kind::LoopStart, kind, from, inBranch), name, [&](ProgramText text) {
    return scanBack(scans(rt), text, from, inBranch, kind, name);
  });
}

std::int32_t loopEnd(Runtime& rt, Loop kind, std::string_view name) {
  const std::int32_t from = rt.interp.runPos;
  return cached(rt, keyOf(Kind::LoopEnd, kind, from, false), name, [&](ProgramText text) {
    return kind == Loop::For ? skipFor(text, from, name) : skipWhile(text, from);
  });
}

std::int32_t thenPart(Runtime& rt) {
  const std::int32_t from = rt.interp.stmtStartPos;
  return cached(rt, keyOf(Kind::Then, Loop::For, from, false), {}, [&](ProgramText text) {
    std::int32_t ifCode = ifCodeAfter(text, from);
    return ifCode == notFound ? notFound : searchThen(text, ifCode);
  });
}

std::int32_t elsePart(Runtime& rt) {
  const std::int32_t from = rt.interp.stmtStartPos;
  return cached(rt, keyOf(Kind::Else, Loop::For, from, false), {}, [&](ProgramText text) {
    std::int32_t ifCode = ifCodeAfter(text, from);
    return ifCode == notFound ? notFound : searchElse(text, ifCode);
  });
}

}  // namespace detail
}  // namespace tw::interp
