// The run loop: walks the program text byte by byte with runPos, reads line numbers, cuts
// statements and hands them to the dispatcher. It owns runPos between statements and nothing else.
#include <cstdlib>
#include <string>

#include "interp/interp.h"

namespace tw::interp {
namespace {

bool isBlank(unsigned char c) { return c == ' ' || c == '\t'; }

bool equalsIgnoringCase(std::string_view text, std::size_t pos, std::string_view word) {
  if (pos + word.size() > text.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    char c = text[pos + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != word[i]) return false;
  }
  return true;
}

// The decimal value of a line number's digits, as atoi reads them, kept to 32 bits.
std::int32_t lineNumberValue(std::string_view digits) {
  std::size_t i = 0;
  while (i < digits.size() && isBlank(static_cast<unsigned char>(digits[i]))) ++i;
  bool negative = i < digits.size() && digits[i] == '-';
  if (i < digits.size() && (digits[i] == '-' || digits[i] == '+')) ++i;
  std::uint32_t value = 0;
  for (; i < digits.size() && digits[i] >= '0' && digits[i] <= '9'; ++i)
    value = value * 10 + static_cast<std::uint32_t>(digits[i] - '0');
  return static_cast<std::int32_t>(negative ? 0u - value : value);
}

void stripTrailingBlanks(std::string_view& s) {
  while (!s.empty() && isBlank(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
}

bool allDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

bool isLabelJump(std::string_view s) {
  if (s.empty() || s[0] != '*') return false;
  for (char c : s.substr(1)) {
    bool alnum = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (!alnum) return false;
  }
  return true;
}

void sendDestroy(Runtime& rt) { rt.sys.window->send({platform::Msg::Destroy}); }

}  // namespace

bool branchFilter(Runtime& rt, std::string& statement) {
  if (statement.size() >= 2 && statement[0] == 0x10 && statement[1] == 0x20) return true;
  bool quoted = false;
  for (std::size_t i = 0; i < statement.size(); ++i) {
    char c = statement[i];
    if (c == '"') quoted = !quoted;
    if (quoted || !equalsIgnoringCase(statement, i, "else") || i + 4 >= statement.size() ||
        !isBlank(static_cast<unsigned char>(statement[i + 4])))
      continue;
    char before = i == 0 ? ' ' : statement[i - 1];
    if (i != 0 && !isBlank(static_cast<unsigned char>(before)) && before != ')') continue;
    // The ELSE part is skipped: the line ends here.
    const std::string& text = rt.host.programText;
    auto pos = static_cast<std::size_t>(rt.interp.runPos < 0 ? 0 : rt.interp.runPos);
    while (pos < text.size() && text[pos] != '\n') ++pos;
    rt.interp.runPos = static_cast<std::int32_t>(pos);
    if (i == 0) return false;
    std::string_view kept(statement.data(), isBlank(static_cast<unsigned char>(before)) ? i - 1 : i);
    stripTrailingBlanks(kept);
    statement.resize(kept.size());
    break;
  }
  if (allDigits(statement) || isLabelJump(statement)) statement.insert(0, "\x10\x21 ");
  return true;
}

namespace {

// Where the statement that begins at start ends: its ':', newline or the end of the text. The
// code bytes are never looked at as a quote, ':' or newline, and an IF runs to the end of its line.
void findEnd(Site& site, const std::string& text, std::int32_t start) {
  const auto length = static_cast<std::int32_t>(text.size());
  auto at = [&](std::int32_t pos) -> unsigned char {
    return pos >= 0 && pos < length ? static_cast<unsigned char>(text[pos]) : 0;
  };
  std::int32_t pos = start;
  if (pos > 0 && host::isCodeByte(at(pos)) && (at(pos - 1) == ' ' || at(pos - 1) == ':') &&
      at(pos + 1) != 0)
    pos += 2;
  const bool isIf = pos - start == 2 && at(start) == 0x10 && at(start + 1) == 0x20;
  bool quoted = false;
  for (;; ++pos) {
    const unsigned char c = at(pos);
    if (c == '\n' || c == 0 || (c == ':' && !quoted && !isIf)) break;
    if (c == '"') quoted = !quoted;
    if (c == ':' && isIf) quoted = false;
  }
  site.end = pos;
  std::int32_t trimmed = pos;
  while (trimmed > start && isBlank(at(trimmed - 1))) --trimmed;
  site.trimmedEnd = trimmed;
  // Whether the loop below runs the statement as it stands, without its tests: an IF whose end
  // was cut at a ':' is read on byte by byte, an empty statement runs nothing, and one too long
  // is reported.
  const bool ifCutShort = at(pos) == ':' && pos - start >= 2 && at(start) == 0x10 && at(start + 1) == 0x20;
  site.ready = !ifCutShort && trimmed > start && trimmed - start <= static_cast<std::int32_t>(statementLimit);
}

// A line that begins with digits and a blank, the usual, is read at once.
void findLineNumber(Site& site, const std::string& text, std::int32_t start) {
  auto pos = static_cast<std::size_t>(start);
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
  const std::size_t digits = pos - static_cast<std::size_t>(start);
  const bool plain = pos < text.size() && text[pos] == ' ' && digits > 0 && digits <= lineNumberLimit;
  site.lineBlank = plain ? static_cast<std::int32_t>(pos) : -1;
  if (plain) site.lineNumber = lineNumberValue(std::string_view(text).substr(static_cast<std::size_t>(start), digits));
}

// Where the statement after the terminator at pos (':' or a newline) begins: past the ':' and the
// blanks after it, or past the number of the next line when that is read at once. The end of
// the text, and lines that must be read byte by byte, are left to the loop.
void findNext(Site& site, std::vector<Site>& sites, const std::string& text, std::int32_t pos) {
  const auto length = static_cast<std::int32_t>(text.size());
  auto at = [&](std::int32_t p) -> unsigned char {
    return p >= 0 && p < length ? static_cast<unsigned char>(text[p]) : 0;
  };
  site.next = -1;
  if (at(pos) == ':') {
    while (isBlank(at(pos + 1))) ++pos;
    site.next = pos + 1;
    return;
  }
  if (at(pos) != '\n' || at(pos + 1) == 0) return;
  Site& line = sites[static_cast<std::size_t>(pos + 1)];
  if (line.lineBlank == -2) findLineNumber(line, text, pos + 1);
  if (line.lineBlank < 0) return;
  site.next = line.lineBlank + 1;
  site.nextLine = line.lineNumber;
}

// Runs a statement through its prepared form when it has one that still holds.
[[gnu::always_inline]] inline void runEntry(Runtime& rt, PreparedEntry& entry, std::string_view statement) {
  const std::uint64_t meaning = rt.expr.meaningGeneration;
  if (!entry.tried || entry.meaning != meaning) {
    entry.statement = prepareStatement(rt, statement);
    entry.tried = true;
    entry.meaning = meaning;
  }
  if (entry.statement && entry.statement->run(rt)) return;
  dispatchStatement(rt, statement);
}

// Runs the statement of a site: prepared, or through the dispatcher; in a THEN or ELSE part after
// the branch filter, whose cut is kept too.
void execute(Runtime& rt, Site& site, std::string_view statement) {
  State& s = rt.interp;
  if (!(s.referenceOnly | s.inBranch)) {
    runEntry(rt, site.entry, statement);
    return;
  }
  if (s.referenceOnly) {
    if (!s.inBranch) {
      dispatchStatement(rt, statement);
      return;
    }
    std::string cut(statement);
    if (branchFilter(rt, cut)) dispatchStatement(rt, cut);
    return;
  }
  if (!site.branch) {
    site.branch = std::make_unique<BranchSite>();
    BranchCut& cut = site.branch->cut;
    const std::int32_t before = s.runPos;
    cut.text.assign(statement);
    cut.run = branchFilter(rt, cut.text);
    cut.lineEnd = s.runPos != before ? s.runPos : -1;
    cut.known = true;
  } else if (site.branch->cut.lineEnd >= 0) {
    s.runPos = site.branch->cut.lineEnd;
  }
  if (site.branch->cut.run) runEntry(rt, site.branch->entry, site.branch->cut.text);
}

}  // namespace

Site& continuationAt(Runtime& rt, std::int32_t pos) {
  std::vector<Site>& sites = rt.interp.prepared.sites;
  Site& term = sites[static_cast<std::size_t>(pos)];
  if (term.next == -2) findNext(term, sites, rt.host.programText, pos);
  return term;
}

int runProgram(Runtime& rt) {
  State& s = rt.interp;
  const std::string& text = rt.host.programText;
  const auto length = static_cast<std::int32_t>(text.size());
  // The byte at a position; the text ends in NUL, and positions outside it read as NUL.
  auto at = [&](std::int32_t pos) -> unsigned char {
    return pos >= 0 && pos < length ? static_cast<unsigned char>(text[pos]) : 0;
  };
  std::vector<Site>& sites = s.prepared.sites;
  if (sites.size() != text.size() + 1) sites = std::vector<Site>(text.size() + 1);
  bool lineMode = true;
  bool quoted = false;
  std::int32_t bufferStart = s.runPos;  // where the current buffer's first byte was taken
  Site* site = nullptr;                 // the site of the statement now being run
  unsigned char c = 0;                  // the byte at runPos
  s.interpreterStarted = true;

  for (;;) {
    if (s.stopRequested) {
      sendDestroy(rt);
      return 0;
    }
    if (s.runPos > length) s.runPos = length;
    site = nullptr;
    if (s.runPos == bufferStart && s.runPos >= 0) {
      if (!lineMode) {
        site = &sites[static_cast<std::size_t>(s.runPos)];
      statementBegins:
        // A statement begins here; where it ends depends on the text alone.
        if (site->end < 0) findEnd(*site, text, s.runPos);
        s.runPos = site->end;
        quoted = false;
        if (site->ready) goto runReady;
      } else if (s.runPos < length) {
        Site& here = sites[static_cast<std::size_t>(s.runPos)];
        if (here.lineBlank == -2) findLineNumber(here, text, s.runPos);
        if (here.lineBlank >= 0) {
          s.currentLine = here.lineNumber;
          lineMode = false;
          s.runPos = bufferStart = here.lineBlank + 1;
          continue;
        }
      }
    }
    c = at(s.runPos);
    if (lineMode && c == ' ') {
      std::string_view digits(text.data() + bufferStart, static_cast<std::size_t>(s.runPos - bufferStart));
      if (digits.size() > lineNumberLimit) {
        // The line cannot be numbered: report it and skip the line unless a handler jumped.
        std::int32_t before = s.runPos;
        report(rt, SyntaxError);
        if (s.runPos == before)
          while (at(s.runPos) != '\n' && at(s.runPos) != 0) ++s.runPos;
        continue;
      }
      s.currentLine = lineNumberValue(digits);
      lineMode = false;
      bufferStart = s.runPos + 1;
    } else if (c == '\n' || c == 0 || (c == ':' && !quoted)) {
      quoted = false;
      // An IF runs on past a ':'.
      if (!(c == ':' && !lineMode && s.runPos - bufferStart >= 2 && text[bufferStart] == 0x10 &&
            text[bufferStart + 1] == 0x20)) {
        if (!lineMode && s.runPos > bufferStart && site) {
          if (site->trimmedEnd - bufferStart > static_cast<std::int32_t>(statementLimit)) {
            report(rt, SyntaxError);
          } else if (site->trimmedEnd > bufferStart && !s.stopRequested) {
            // A statement that runs as it stands comes straight here: it is not empty, and the loop
            // has just seen no stop.
          runReady:
#ifdef TW_STATEMENT_BUDGET
            if (--s.statementsLeft == 0)
              s.stopRequested = true;
            else
#endif
              execute(rt, *site, std::string_view(text.data() + bufferStart,
                                                  static_cast<std::size_t>(site->trimmedEnd - bufferStart)));
          }
          // MCI notices set their variables here, between statements, on this thread.
          if (rt.sound.mciNoticesWaiting.load(std::memory_order_relaxed)) sound::runMciNotices(rt);
          if (s.stopRequested) {
            sendDestroy(rt);
            return 0;
          }
          // From a terminator, where the statement ended or where a jump went, execution goes on
          // where the text says, as below.
          const unsigned char stop = at(s.runPos);
          if (stop == ':' || stop == '\n') {
            const Site& term = continuationAt(rt, s.runPos);
            if (term.next >= 0) {
              s.stmtStartPos = s.runPos;
              if (term.nextLine >= 0) {
                s.inBranch = false;
                s.currentLine = term.nextLine;
              }
              lineMode = false;
              s.runPos = bufferStart = term.next;
              site = &sites[static_cast<std::size_t>(s.runPos)];
              goto statementBegins;
            }
          } else if (stop != 0) {
            // A jump onto any other byte (the blank before a statement, or before a THEN part)
            // goes on with the statement after it.
            if (s.inBranch) s.stmtStartPos = s.runPos;
            lineMode = false;
            s.runPos = bufferStart = s.runPos + 1;
            site = &sites[static_cast<std::size_t>(s.runPos)];
            goto statementBegins;
          }
        }
        // A handler may have moved runPos: carry on from wherever it points.
        unsigned char here = at(s.runPos);
        if (s.runPos == -1 || here == '\n') {
          s.inBranch = false;
          lineMode = true;
          s.stmtStartPos = s.runPos;
        } else if (here == ':') {
          lineMode = false;
          s.stmtStartPos = s.runPos;
          while (isBlank(at(s.runPos + 1))) ++s.runPos;
        } else if (s.inBranch) {
          lineMode = false;
          s.stmtStartPos = s.runPos;
        }
        if (s.runPos >= 0 && at(s.runPos) == 0) {
          endProgram(rt);
          sendDestroy(rt);
          return 1;
        }
        bufferStart = s.runPos + 1;
      }
    }
    if (at(s.runPos) == '"') quoted = !quoted;
    ++s.runPos;
  }
}

}  // namespace tw::interp
