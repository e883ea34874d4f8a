// The DATA list: every DATA item of the program with line and label markers, built from the
// program text before the program starts and by CLEAR. It reads the program text, never changes it.
#include "host/host.h"

namespace tw::host {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Appends one piece, with a ',' before it when the list is not empty; once a piece does not fit
// the list is full and nothing more is appended.
struct Appender {
  State& host;
  bool full = false;

  void add(std::string_view piece) {
    if (full) return;
    std::size_t needed = piece.size() + (host.dataList.empty() ? 0 : 1);
    if (host.dataList.size() + needed > dataListLimit) {
      full = true;
      return;
    }
    if (!host.dataList.empty()) host.dataList += ',';
    host.dataList += piece;
  }
  void marker(char kind, std::string_view text) {
    std::string m{'\x01', kind};
    m += text;
    add(m);
  }
};

// Normalised items: blanks at the start of an item and blanks that only precede a ',' go.
std::string normaliseItems(std::string_view items) {
  items = items.substr(0, std::min(items.size(), dataStatementLimit));
  std::string out;
  out.reserve(items.size());
  bool quoted = false;
  bool itemStart = true;
  for (std::size_t i = 0; i < items.size(); ++i) {
    char c = items[i];
    if (!quoted && isBlank(c)) {
      if (itemStart) continue;
      std::size_t j = i;
      while (j < items.size() && isBlank(items[j])) ++j;
      if (j < items.size() && items[j] == ',') {
        i = j - 1;
        continue;
      }
    }
    if (c == '"') quoted = !quoted;
    itemStart = !quoted && c == ',';
    out += c;
  }
  return out;
}

}  // namespace

void appendDataItems(State& host, std::string_view items) {
  Appender{host}.add(normaliseItems(items));
}

void buildDataList(State& host) {
  host.dataList.clear();
  host.dataReadIndex = 0;
  Appender append{host};
  const std::string& t = host.programText;
  const std::size_t n = t.size();
  auto at = [&](std::size_t i) { return i < n ? t[i] : '\0'; };

  // Looks at a statement start: a label, then a DATA statement. Returns where the walk goes on.
  auto statementStart = [&](std::size_t pos) {
    if (at(pos) == '*') {
      std::size_t end = pos;
      while (end - pos < labelLimit) {
        char c = at(end);
        if (c == '\n' || c == '\0' || isBlank(c) || c == ':' || c == '\'') break;
        ++end;
      }
      append.marker('v', std::string_view(t).substr(pos, end - pos));
      pos = end;
      if (at(pos) == ':') {
        ++pos;
        while (isBlank(at(pos))) ++pos;
      }
    }
    bool afterSeparator = pos > 0 && (at(pos - 1) == ' ' || at(pos - 1) == ':');
    if (afterSeparator && at(pos) == '\x10' && at(pos + 1) == '\x63') {
      std::size_t begin = pos + 2;
      if (at(begin) == ' ') ++begin;
      std::size_t end = begin;
      while (end < n && t[end] != '\n' && t[end] != '\0') ++end;
      append.add(normaliseItems(std::string_view(t).substr(begin, end - begin)));
      pos = end;
    }
    return pos;
  };

  std::size_t pos = 0;
  bool lineStart = true;
  while (pos < n && t[pos] != '\0') {
    if (lineStart) {
      lineStart = false;
      std::size_t digitsEnd = pos;
      while (digitsEnd < n && !isBlank(t[digitsEnd]) && t[digitsEnd] != '\n' && t[digitsEnd] != '\0')
        ++digitsEnd;
      if (at(digitsEnd) == '\0') break;
      if (at(digitsEnd) == '\n') {
        // A line without a blank after its number holds no statements and no marker.
        pos = digitsEnd + 1;
        lineStart = true;
        continue;
      }
      append.marker('n', std::string_view(t).substr(pos, digitsEnd - pos));
      pos = statementStart(digitsEnd + 1);
      continue;
    }
    char c = t[pos];
    if (c == '\n') {
      lineStart = true;
      ++pos;
    } else if (c == ':') {
      pos = statementStart(pos + 1);
    } else {
      ++pos;
    }
  }
}

}  // namespace tw::host
