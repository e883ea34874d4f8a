// The byte-oriented string functions ASC through STRING$. They work on the contents of string
// values as they stand, escape pairs included (LEN and ASC alone read what the pairs stand for).
#include <algorithm>
#include <cstdio>

#include "builtins/detail.h"

namespace tw::builtins::detail {
namespace {

// The first argument (up to the top-level comma) and the rest.
void splitTwo(std::string_view a, std::string_view& first, std::string_view& rest) {
  const std::size_t comma = topLevelComma(a);
  first = a.substr(0, comma);
  rest = comma == std::string_view::npos ? std::string_view{} : a.substr(comma + 1);
}

void appendFormatted(Runtime& rt, std::string_view a, const char* format, std::string& out) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, format, static_cast<std::uint32_t>(integerArgument(rt, a)));
  appendQuoted(out, buffer);
}

}  // namespace

std::int32_t ascFunction(Runtime& rt, std::string_view a) {
  std::string contents;
  if (!checkArgCount(rt, a, 1, true) || !stringArgument(rt, a, contents)) return 0;
  if (contents.empty()) {
    interp::report(rt, interp::OwnText, interp::text(interp::Text::EmptyAsc));
    return 0;
  }
  // The byte that the first character stands for: CHR$(34) gives 34, not the 0x01 of its pair.
  std::string first;
  const std::size_t unit = contents[0] == '\x01' ? 2 : 1;
  if (!unescapeString(rt, std::string_view(contents).substr(0, unit), first)) return 0;
  return static_cast<unsigned char>(first[0]);
}

void chrFunction(Runtime& rt, std::string_view a, std::string& out) {
  charToLiteral(static_cast<unsigned char>(integerArgument(rt, a) & 0xFF), out, true);
}

void hexFunction(Runtime& rt, std::string_view a, std::string& out) {
  appendFormatted(rt, a, "%X", out);
}

void octFunction(Runtime& rt, std::string_view a, std::string& out) {
  appendFormatted(rt, a, "%o", out);
}

std::int32_t lenFunction(Runtime& rt, std::string_view a) {
  std::string contents, raw;
  if (!checkArgCount(rt, a, 1, true) || !stringArgument(rt, a, contents) ||
      !unescapeString(rt, contents, raw))
    return 0;
  return static_cast<std::int32_t>(raw.size());
}

void spaceFunction(Runtime& rt, std::string_view a, std::string& out) {
  const std::int32_t n = integerArgument(rt, a);
  out.push_back('"');
  out.append(std::clamp<std::size_t>(n < 0 ? 0 : n, 0, resultContentsLimit), ' ');
  out.push_back('"');
}

void strFunction(Runtime& rt, std::string_view a, std::string& out) {
  if (!checkArgCount(rt, a, 1, true)) return;
  const double x = expr::scratchNumeric(rt, a);
  out.push_back('"');
  if (x >= 0) out.push_back(' ');
  out.append(expr::numberText(rt, x));
  out.push_back('"');
}

void stringFunction(Runtime& rt, std::string_view a, std::string& out) {
  if (!checkArgCount(rt, a, 2, true)) return;
  std::string_view countText, stringText;
  splitTwo(a, countText, stringText);
  const std::int32_t n = integerArgument(rt, countText);
  std::string contents;
  if (!stringArgument(rt, stringText, contents)) return;
  // Only the first byte repeats: the lead byte of a double-byte character, the 0x01 of a pair.
  const std::size_t count = contents.empty() || n <= 0 ? 0 : static_cast<std::size_t>(n);
  out.push_back('"');
  if (count > 0) out.append(std::min(count, resultContentsLimit), contents[0]);
  out.push_back('"');
}

void leftFunction(Runtime& rt, std::string_view a, std::string& out) {
  if (!checkArgCount(rt, a, 2, true)) return;
  std::string_view stringText, countText;
  splitTwo(a, stringText, countText);
  std::string contents;
  if (!stringArgument(rt, stringText, contents)) return;
  const std::int32_t n = integerArgument(rt, countText);
  appendQuoted(out, std::string_view(contents).substr(0, n < 0 ? 0 : static_cast<std::size_t>(n)));
}

void rightFunction(Runtime& rt, std::string_view a, std::string& out) {
  if (!checkArgCount(rt, a, 2, true)) return;
  std::string_view stringText, countText;
  splitTwo(a, stringText, countText);
  if (!isBalanced(countText)) {
    interp::report(rt, interp::SyntaxError);
    return;
  }
  std::string contents;
  if (!stringArgument(rt, stringText, contents)) return;
  const std::int32_t n = integerArgument(rt, countText);
  const std::size_t keep = std::min<std::size_t>(n < 0 ? 0 : n, contents.size());
  appendQuoted(out, std::string_view(contents).substr(contents.size() - keep));
}

void midFunction(Runtime& rt, std::string_view a, std::string& out) {
  SliceArguments s;
  if (!sliceArguments(rt, a, s)) return;
  const std::string_view contents = s.contents;
  const std::size_t from =
      std::min<std::size_t>(static_cast<std::size_t>(s.start) - 1, contents.size());
  const std::size_t length =
      s.length < 0 ? std::string_view::npos : static_cast<std::size_t>(s.length);
  appendQuoted(out, contents.substr(from, length));
}

std::int32_t instrFunction(Runtime& rt, std::string_view a) {
  SearchArguments s;
  if (!searchArguments(rt, a, s)) return 0;
  if (s.sought.empty()) return s.hasStart ? static_cast<std::int32_t>(s.offset + 1) : 0;
  if (s.offset > static_cast<std::int64_t>(s.searched.size())) return 0;
  const std::size_t at = s.searched.find(s.sought, static_cast<std::size_t>(s.offset));
  if (at != std::string::npos) return static_cast<std::int32_t>(at + 1);
  return 0;
}

}  // namespace tw::builtins::detail
