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

int runProgram(Runtime& rt) {
  State& s = rt.interp;
  const std::string& text = rt.host.programText;
  const auto length = static_cast<std::int32_t>(text.size());
  // The byte at a position; the text ends in NUL, and positions outside it read as NUL.
  auto at = [&](std::int32_t pos) -> unsigned char {
    return pos >= 0 && pos < length ? static_cast<unsigned char>(text[pos]) : 0;
  };
  bool lineMode = true;
  bool quoted = false;
  std::int32_t bufferStart = s.runPos;  // where the current buffer's first byte was taken
  s.interpreterStarted = true;

  for (;;) {
    if (s.stopRequested) {
      sendDestroy(rt);
      return 0;
    }
    if (s.runPos > length) s.runPos = length;
    if (!lineMode && s.runPos == bufferStart) {
      // A statement begins here; where it ends depends on the text alone.
      s.runPos = statementEnd(rt, bufferStart);
      quoted = false;
    } else if (lineMode && s.runPos == bufferStart && s.runPos < length) {
      // A line of digits and a blank, the usual, is read at once.
      const std::int32_t blank = lineNumberEnd(rt, s.runPos);
      if (blank > s.runPos && blank - s.runPos <= static_cast<std::int32_t>(lineNumberLimit)) {
        s.currentLine = lineNumberValue(std::string_view(text).substr(
            static_cast<std::size_t>(s.runPos), static_cast<std::size_t>(blank - s.runPos)));
        lineMode = false;
        s.runPos = blank;
        bufferStart = blank + 1;
        ++s.runPos;
        continue;
      }
    }
    unsigned char c = at(s.runPos);
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
      bool ifRunsOn = c == ':' && !lineMode && s.runPos - bufferStart >= 2 &&
                      text[bufferStart] == 0x10 && text[bufferStart + 1] == 0x20;
      if (!ifRunsOn) {
        if (!lineMode && s.runPos > bufferStart) {
          std::string_view statement(text.data() + bufferStart, static_cast<std::size_t>(s.runPos - bufferStart));
          stripTrailingBlanks(statement);
          if (statement.size() > statementLimit) {
            report(rt, SyntaxError);
          } else if (!statement.empty()) {
            executeStatement(rt, bufferStart, statement);
          }
          if (s.stopRequested) {
            sendDestroy(rt);
            return 0;
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
