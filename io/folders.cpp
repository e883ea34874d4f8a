// The file-system statements KILL, MKDIR and FILES. They do not touch the channel table; FILES
// writes its listing through putText.
#include <algorithm>
#include <string>
#include <vector>

#include "io/detail.h"

namespace tw::io {
namespace {

// True when the last byte is a backslash of its own, not the trail byte of a double-byte
// character.
bool endsWithBackslash(std::string_view text) {
  if (text.empty() || text.back() != '\\') return false;
  std::size_t i = 0;
  while (i + 1 < text.size())
    i += platform::isLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
  return i + 1 == text.size();
}

// One name of the listing. The counter says where the name stands on its line: below columns
// a blank follows it, otherwise it ends the line and the count starts again.
void appendName(std::string& out, std::string_view name, bool folder, int& counter, int columns) {
  if (folder) out.push_back('<');
  out.append(name);
  if (folder) out.push_back('>');
  if (counter < columns) {
    out.push_back(' ');
  } else {
    out.push_back('\n');
    counter = 0;
  }
}

// Plain folders first (not "." or ".."), then everything else. One counter runs through both;
// only the search's first entry leaves it as it is, so a search that begins with "." fills the
// first line with one name fewer.
void appendListing(std::string& out, const std::vector<platform::DirEntry>& entries, int columns) {
  int counter = 1;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const platform::DirEntry& e = entries[i];
    if (!e.directory || e.name == "." || e.name == "..") continue;
    if (i > 0) ++counter;
    appendName(out, e.name, true, counter, columns);
  }
  for (const platform::DirEntry& e : entries) {
    if (e.directory) continue;
    ++counter;
    appendName(out, e.name, false, counter, columns);
  }
}

}  // namespace

void killStatement(Runtime& rt, std::string_view argument) {
  std::string name;
  if (!expr::scratchString(rt, argument, name)) return;
  if (!resolvePath(rt, name) || !rt.sys.files || !rt.sys.files->remove(name))
    interp::report(rt, interp::FileAccessError);
}

void mkdirStatement(Runtime& rt, std::string_view argument) {
  std::string name;
  if (!expr::scratchString(rt, argument, name)) return;
  // The name is used as it stands, and a failure is not reported.
  if (rt.sys.files) rt.sys.files->makeDirectory(name);
}

void filesStatement(Runtime& rt, std::string_view argument) {
  const std::string text = expr::stripBlanks(argument);
  // A comma inside a quoted folder name is part of the name.
  const std::size_t comma = expr::topLevelComma(text);
  int columns = 0;
  if (comma != std::string::npos) {
    const std::uint32_t reportsBefore = rt.interp.reports;
    columns = expr::toInteger(expr::scratchNumeric(rt, std::string_view(text).substr(comma + 1)));
    if (rt.interp.reports != reportsBefore) return;
  }
  std::string folder;
  if (!expr::scratchString(rt, std::string_view(text).substr(0, comma), folder)) return;
  if (!endsWithBackslash(folder)) folder.push_back('\\');
  std::string out = folder;
  out.push_back('\n');
  std::vector<platform::DirEntry> entries;
  if (rt.sys.files && rt.sys.files->list(folder + '*', entries)) {
    // Sorted by name, byte by byte, so that a listing does not depend on the system's order.
    std::sort(
        entries.begin(), entries.end(),
        [](const platform::DirEntry& a, const platform::DirEntry& b) { return a.name < b.name; });
    appendListing(out, entries, columns);
  }
  screen::putText(rt, out);
}

}  // namespace tw::io
