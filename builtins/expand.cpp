// Function-call expansion: every call in a statement text is replaced by its result text,
// innermost first, pass after pass. It rewrites only the text it is given.
#include <array>

#include "builtins/detail.h"

namespace tw::builtins {
namespace {

constexpr std::size_t npos = std::string::npos;
constexpr std::string_view openMark = "\001a";
constexpr std::string_view closeMark = "\001b";

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

// Name bytes of CURDIR$, DATE$ and TIME$: 'A' to 'z' (the signs between the two cases too) and
// digits, so that mytime$ or time1$ are not taken for TIME$.
bool isBareNameByte(char c) {
  return (c >= 0x41 && c <= 0x7A) || (c >= '0' && c <= '9');
}

// A letter or '$' of a call name; the letter of an operator escape or a hidden mark belongs to
// no name, so that X MOD ABS(Y) calls ABS.
bool isCallNameAt(std::string_view text, std::size_t pos) {
  const char c = text[pos];
  return (detail::isLetter(c) || c == '$') && !(pos > 0 && text[pos - 1] == '\x01');
}

// Where the name of a call whose '(' stands at open begins (blanks may come between them), or
// npos when the parenthesis groups an expression.
std::size_t callNameStart(std::string_view text, std::size_t open) {
  std::size_t end = open;
  while (end > 0 && isBlank(text[end - 1])) --end;
  if (end == 0 || !isCallNameAt(text, end - 1)) return npos;
  std::size_t start = end - 1;
  while (start > 0 && isCallNameAt(text, start - 1)) --start;
  return start;
}

bool startsWithDef(std::string_view text) {
  return text.size() >= 4 && (text[0] | 0x20) == 'd' && (text[1] | 0x20) == 'e' &&
         (text[2] | 0x20) == 'f' && isBlank(text[3]);
}

// Hidden marks in a text; an escape pair is one unit.
std::size_t markCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '\x01') continue;
    if (text[i + 1] == 'a' || text[i + 1] == 'b') ++count;
    ++i;
  }
  return count;
}

// True when a text of rawSize bytes, whose marks stand in the given parts, fits the statement
// limit once its marks are parentheses again; otherwise error 12 is reported. Marks are counted
// only when the raw size is too large.
bool fits(Runtime& rt, std::size_t rawSize, std::string_view part, std::string_view other = {}) {
  if (rawSize > expandedTextLimit) rawSize -= markCount(part) + markCount(other);
  if (rawSize <= expandedTextLimit) return true;
  interp::report(rt, interp::MemoryRangeExceeded);
  return false;
}

// Replaces the marks by parentheses again, in place.
void restoreMarks(std::string& text) {
  std::size_t out = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\x01' && i + 1 < text.size()) {
      const char letter = text[++i];
      if (letter == 'a' || letter == 'b') {
        text[out++] = letter == 'a' ? '(' : ')';
        continue;
      }
      text[out++] = c;
      c = letter;
    }
    text[out++] = c;
  }
  text.resize(out);
}

// CURDIR$, DATE$ and TIME$ are replaced by their quoted values. False after a reported error.
bool replaceBareFunctions(Runtime& rt, std::string& text) {
  bool quoted = false;
  std::string value;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') quoted = !quoted;
    if (quoted || c != '$') continue;
    std::size_t start = i;
    while (start > 0 && isBareNameByte(text[start - 1])) --start;
    value.clear();
    if (!detail::appendBareFunction(rt, std::string_view(text).substr(start, i - start), value))
      continue;
    if (!fits(rt, text.size() - (i + 1 - start) + value.size(), text)) return false;
    text.replace(start, i + 1 - start, value);
    // The value is a whole literal: the scan goes on after it, outside literals.
    i = start + value.size() - 1;
  }
  return true;
}

// What one scan of a text finds outside literals: whether a '$' may end CURDIR$, DATE$ or TIME$,
// whether the parentheses balance, and whether a '(' follows a call name.
struct Survey {
  bool bareName = false;
  bool balanced = true;
  bool call = false;
};

// Bytes the survey looks at; every statement is surveyed, so the others are skipped quickly.
constexpr auto surveyedBytes = [] {
  std::array<bool, 256> table{};
  for (unsigned char c : {'"', '$', '(', ')'}) table[c] = true;
  return table;
}();

Survey survey(std::string_view text) {
  Survey s;
  bool quoted = false;
  int depth = 0;
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n; ++i) {
    while (i < n && !surveyedBytes[static_cast<unsigned char>(text[i])]) ++i;
    if (i == n) break;
    const char c = text[i];
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '$' && i > 0) s.bareName |= detail::mayEndBareName(text[i - 1]);
    if (c == '(') {
      ++depth;
      if (!s.call) s.call = callNameStart(text, i) != npos;
    }
    if (c == ')' && --depth < 0) break;
  }
  s.balanced = depth == 0;
  return s;
}

// The next '(' or ')' outside literals at or after from, or npos.
std::size_t nextParenthesis(std::string_view text, std::size_t from) {
  bool quoted = false;
  for (std::size_t i = from; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') quoted = !quoted;
    if (!quoted && (c == '(' || c == ')')) return i;
  }
  return npos;
}

// One pass: every innermost pair of parentheses becomes the result of its call, or, when it only
// groups, is hidden behind marks. False when the expansion must stop (the program was stopped,
// or the text grew too long); the text then keeps what was rewritten.
bool innermostPass(Runtime& rt, std::string& text) {
  std::string out;
  out.reserve(text.size() + 64);
  std::string call;
  const std::string_view in = text;
  bool quoted = false;
  bool carryOn = true;
  std::size_t i = 0;
  while (i < in.size()) {
    const char c = in[i];
    if (c == '"') quoted = !quoted;
    if (quoted || c != '(') {
      out.push_back(c);
      ++i;
      continue;
    }
    const std::size_t j = nextParenthesis(in, i + 1);
    if (j == npos || in[j] == '(') {
      // Not innermost: copied as it stands up to the next parenthesis.
      const std::size_t to = j == npos ? in.size() : j;
      out.append(in.substr(i, to - i));
      i = to;
      continue;
    }
    const std::size_t nameStart = callNameStart(out, out.size());
    if (nameStart == npos) {
      out.append(openMark).append(in.substr(i + 1, j - i - 1)).append(closeMark);
    } else {
      call.assign(out, nameStart).append(in.substr(i, j + 1 - i));
      out.resize(nameStart);
      detail::dispatchInto(rt, call, out);
      const std::string_view rest = in.substr(j + 1);
      carryOn = !rt.interp.stopRequested && fits(rt, out.size() + rest.size(), out, rest);
    }
    i = j + 1;
    if (!carryOn) break;
  }
  out.append(in.substr(i));
  text.swap(out);
  return carryOn;
}

// CURDIR$, DATE$, INKEY$ or TIME$ ends at the '$' at pos.
bool bareNameEndsAt(std::string_view text, std::size_t pos) {
  std::size_t start = pos;
  while (start > 0 && isBareNameByte(text[start - 1])) --start;
  std::string_view name = text.substr(start, pos - start);
  if (name.size() < 4 || name.size() > 6) return false;
  for (std::string_view known : {"curdir", "date", "inkey", "time"}) {
    if (name.size() != known.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < name.size() && same; ++i) same = (name[i] | 0x20) == known[i];
    if (same) return true;
  }
  return false;
}

}  // namespace

namespace {

// LEN, ASC, CHR$, MID$, LEFT$ and RIGHT$: the string functions whose calls prepared statements
// read themselves, whatever their arguments hold.
bool isPreparedStringFunction(std::string_view name) {
  constexpr std::string_view names[] = {"len", "asc", "chr$", "mid$", "left$", "right$"};
  for (std::string_view known : names) {
    if (name.size() != known.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < name.size() && same; ++i) same = (name[i] | 0x20) == known[i];
    if (same) return true;
  }
  return false;
}

// The scan of expansionIsIdentity; with preparedCalls, the calls of findNumericFunction whose
// argument holds no parenthesis, comma or quote are passed over, and so are the calls of the
// string functions above, whose arguments are scanned on.
bool expandsOnly(const Runtime& rt, std::string_view text, bool preparedCalls) {
  if (startsWithDef(text)) return true;
  bool quoted = false;
  int depth = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '$' && bareNameEndsAt(text, i)) return false;
    if (c == ')' && --depth < 0) return false;
    if (c != '(') continue;
    ++depth;
    const std::size_t start = callNameStart(text, i);
    if (start == npos) continue;
    std::size_t end = start;
    while (end < i && isCallNameAt(text, end)) ++end;
    const std::string_view name = text.substr(start, end - start);
    if (!isFunctionName(rt, name)) continue;
    if (preparedCalls && isPreparedStringFunction(name)) continue;
    if (!preparedCalls || !findNumericFunction(name)) return false;
    const std::size_t close = text.find(')', i);
    if (close == npos || text.substr(i + 1, close - i - 1).find_first_of("(,\"") != npos)
      return false;
    i = close;
    --depth;
  }
  return depth == 0;
}

}  // namespace

bool expansionIsIdentity(const Runtime& rt, std::string_view text) {
  return expandsOnly(rt, text, false);
}

bool expansionCallsOnlyPrepared(const Runtime& rt, std::string_view text) {
  return expandsOnly(rt, text, true);
}

void expandFunctionCalls(Runtime& rt, std::string& text) {
  if (startsWithDef(text)) return;
  bool marked = false;
  while (!rt.interp.stopRequested) {
    Survey found = survey(text);
    if (found.bareName) {
      if (!replaceBareFunctions(rt, text)) break;
      // A value in place of a name may stand before a '(' that followed it.
      found = survey(text);
    }
    if (!found.balanced) {
      interp::report(rt, interp::SyntaxError);
      break;
    }
    // Without a call the marks of a pass would only be restored again, so none is made.
    if (!found.call) break;
    marked = true;
    if (!innermostPass(rt, text)) break;
  }
  if (marked) restoreMarks(text);
}

}  // namespace tw::builtins
