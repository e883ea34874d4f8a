// LOCATE: moves the text cursor to a column and a row of the text layer by editing the text, adding
// line breaks and see-through blanks where the row or the column does not exist yet.
#include <algorithm>

#include "interp/interp.h"
#include "statements/statements.h"

namespace tw::statements {
namespace {

constexpr std::string_view seeThrough = "\x01L";

// The first comma outside parentheses; literals are not looked at.
std::size_t columnEnd(std::string_view text) {
  int depth = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '(') ++depth;
    if (text[i] == ')') --depth;
    if (text[i] == ',' && depth == 0) return i;
  }
  return std::string_view::npos;
}

// Inserts count see-through blanks at pos, no more than the text layer has room for; the text after
// them and both colour arrays move right. Returns the position after the blanks.
std::size_t insertBlanks(screen::State& s, std::size_t pos, std::size_t count) {
  std::string& t = s.screenText;
  const std::size_t room = screen::screenTextLimit - std::min(t.size(), screen::screenTextLimit);
  count = std::min(count, room / seeThrough.size());
  const std::size_t shift = count * seeThrough.size();
  const std::size_t moved = std::min(t.size(), screen::screenTextLimit - shift) - pos;
  std::copy_backward(s.cellForeground.begin() + static_cast<long>(pos),
                     s.cellForeground.begin() + static_cast<long>(pos + moved),
                     s.cellForeground.begin() + static_cast<long>(pos + moved + shift));
  std::copy_backward(s.cellBackground.begin() + static_cast<long>(pos),
                     s.cellBackground.begin() + static_cast<long>(pos + moved),
                     s.cellBackground.begin() + static_cast<long>(pos + moved + shift));
  std::string blanks;
  for (std::size_t k = 0; k < count; ++k) blanks += seeThrough;
  t.insert(pos, blanks);
  return pos + shift;
}

// Moves the cursor x columns into row y; a row or columns that do not exist are made.
void moveCursor(screen::State& s, std::int64_t x, std::int64_t y) {
  std::string& t = s.screenText;
  std::size_t pos = 0;
  for (std::int64_t row = 0; row < y; ++row) {
    const std::size_t lf = t.find('\n', pos);
    if (lf == std::string::npos) {
      const auto missing = static_cast<std::size_t>(std::min<std::int64_t>(
          y - row, static_cast<std::int64_t>(screen::screenTextLimit - t.size())));
      t.append(missing, '\n');
      pos = t.size();
      s.screenCursor = static_cast<int>(insertBlanks(s, pos, static_cast<std::size_t>(x)));
      return;
    }
    pos = lf + 1;
  }
  for (std::int64_t column = 0; column < x; ++column) {
    if (pos >= t.size() || t[pos] == '\n') {
      s.screenCursor = static_cast<int>(insertBlanks(s, pos, static_cast<std::size_t>(x - column)));
      return;
    }
    const auto c = static_cast<unsigned char>(t[pos]);
    if (screen::escapeKind(t, pos) != 0) {
      pos += 2;
    } else if (platform::isLeadByte(c) && pos + 1 < t.size()) {
      pos += 2;
      ++column;
    } else {
      ++pos;
    }
  }
  s.screenCursor = static_cast<int>(pos);
}

}  // namespace

void locateStatement(Runtime& rt, std::string_view argument) {
  const std::string text = expr::stripBlanks(argument);
  const std::size_t comma = columnEnd(text);
  if (comma == std::string::npos) {
    interp::report(rt, interp::SyntaxError);
    return;
  }
  const std::uint32_t reportsBefore = rt.interp.reports;
  const std::int32_t x = expr::toInteger(expr::scratchNumeric(rt, text.substr(0, comma)));
  const std::int32_t y = expr::toInteger(expr::scratchNumeric(rt, text.substr(comma + 1)));
  if (rt.interp.reports != reportsBefore) return;
  std::lock_guard lock(rt.screen.textMutex);
  // Columns and rows before the first count as the first; none beyond the capacity can be made.
  const auto limit = static_cast<std::int64_t>(screen::screenTextLimit);
  moveCursor(rt.screen, std::clamp<std::int64_t>(x, 0, limit), std::clamp<std::int64_t>(y, 0, limit));
}

}  // namespace tw::statements
