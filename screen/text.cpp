// The text layer: the transcript of everything written to the screen, its colours and its cursor,
// and putText, the one routine that writes to it. Layout and drawing are renderText's.
#include <algorithm>

#include "interp/interp.h"

namespace tw::screen {
namespace {

// Inserts one blank at pos; the text and its colours move right and anything pushed past the
// capacity is dropped.
void insertBlank(State& s, std::size_t pos) {
  std::size_t n = s.screenText.size();
  s.screenText.insert(pos, 1, ' ');
  std::size_t moved = std::min(n, colourSlots - 1) - pos;
  std::copy_backward(s.cellForeground.begin() + pos, s.cellForeground.begin() + pos + moved,
                     s.cellForeground.begin() + pos + moved + 1);
  std::copy_backward(s.cellBackground.begin() + pos, s.cellBackground.begin() + pos + moved,
                     s.cellBackground.begin() + pos + moved + 1);
  if (s.screenText.size() > screenTextLimit) s.screenText.resize(screenTextLimit);
}

void eraseByte(State& s, std::size_t pos) {
  std::size_t n = s.screenText.size();
  s.screenText.erase(pos, 1);
  std::copy(s.cellForeground.begin() + pos + 1, s.cellForeground.begin() + n,
            s.cellForeground.begin() + pos);
  std::copy(s.cellBackground.begin() + pos + 1, s.cellBackground.begin() + n,
            s.cellBackground.begin() + pos);
}

std::size_t columnOf(const std::string& text, std::size_t pos) {
  std::size_t lineStart = text.rfind('\n', pos == 0 ? 0 : pos - 1);
  if (pos == 0 || lineStart == std::string::npos) return pos;
  return pos - lineStart - 1;
}

// What the console shows for the bytes just written: escape pairs become their characters.
std::string echoText(std::string_view written) {
  std::string out;
  out.reserve(written.size());
  for (std::size_t i = 0; i < written.size(); ++i) {
    switch (escapeKind(written, i)) {
      case 0: out += written[i]; continue;
      case 1: out += '\x01'; break;
      case 2: out += ' '; break;
      case 3: out += '"'; break;
      case 4: break;
    }
    ++i;
  }
  return out;
}

}  // namespace

void resetColours(State& s) {
  std::lock_guard lock(s.textMutex);
  s.cellForeground.fill(white);
  s.textForeground = white;
  s.textBackground = 0;
  s.textAreaLimited = false;
}

int escapeKind(std::string_view text, std::size_t pos) {
  if (pos + 1 >= text.size() || text[pos] != '\x01') return 0;
  switch (text[pos + 1]) {
    case '\x01': return 1;
    case 'L': return 2;
    case 'D': return 3;
    case 'Z': return 4;
    default: return 0;
  }
}

void putText(Runtime& rt, std::string_view text) {
  State& s = rt.screen;
  std::string work;
  work.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    work += text[i];
  }
  bool endsWithNewline = !work.empty() && work.back() == '\n';
  if (endsWithNewline) work.pop_back();

  std::string written;
  std::size_t start = 0;
  {
    std::lock_guard lock(s.textMutex);
    std::string& t = s.screenText;
    auto cursor = static_cast<std::size_t>(s.screenCursor);
    start = cursor;
    if (cursor <= t.size()) {
      bool atEnd = false;
      std::size_t i = 0;
      while (cursor < screenTextLimit) {
        if (cursor < t.size() && t[cursor] == '\n') insertBlank(s, cursor);
        if (cursor == t.size()) atEnd = true;
        if (i == work.size()) {
          if (atEnd) {
            if (endsWithNewline) t.insert(cursor++, 1, '\n');
            t.resize(cursor);
          } else if (endsWithNewline) {
            std::size_t lf = t.find('\n', cursor);
            if (lf == std::string::npos) {
              if (t.size() < screenTextLimit) t += '\n';
              cursor = t.size();
            } else {
              cursor = lf + 1;
            }
          }
          if (endsWithNewline) written += '\n';
          break;
        }
        bool inputEscape = escapeKind(work, i) != 0;
        bool cellEscape = escapeKind(t, cursor) != 0;
        if (cellEscape && !inputEscape) eraseByte(s, cursor);
        if (inputEscape && !cellEscape) insertBlank(s, cursor);
        if (work[i] == '\t') work.replace(i, 1, 8 - columnOf(t, cursor) % 8, ' ');
        if (cursor < t.size()) {
          t[cursor] = work[i];
        } else {
          t += work[i];
        }
        s.cellForeground[cursor] = s.textForeground;
        s.cellBackground[cursor] = s.textBackground;
        written += work[i];
        ++cursor, ++i;
      }
    }
    s.screenCursor = static_cast<int>(cursor);
  }
  if (!written.empty()) rt.sys.window->echo(echoText(written));
  renderText(rt, work.size(), start);
}

std::string snapshot(State& s) {
  std::lock_guard lock(s.textMutex);
  return s.screenText;
}

}  // namespace tw::screen
