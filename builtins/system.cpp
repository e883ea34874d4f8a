// The system functions found without parentheses (CURDIR$, DATE$, TIME$ and INKEY$, served from
// devices.cpp) and RGB. They read the clock and the program directory and change nothing.
#include "builtins/detail.h"

namespace tw::builtins::detail {
namespace {

bool sameBareName(std::string_view name, std::string_view lower) {
  if (name.size() != lower.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i)
    if ((name[i] | 0x20) != lower[i]) return false;
  return true;
}

// A value of the date or time with a leading 0 up to 9.
void appendTwoDigits(std::string& out, int value) {
  if (value <= 9) out.push_back('0');
  appendInteger(out, value);
}

// Three parts of the clock in quotes, joined by sep; the first one is two digits wide too unless
// it is the year.
void appendClockText(std::string& out, int first, int second, int third, char sep, bool year) {
  out.push_back('"');
  if (year)
    appendInteger(out, first);
  else
    appendTwoDigits(out, first);
  out.push_back(sep);
  appendTwoDigits(out, second);
  out.push_back(sep);
  appendTwoDigits(out, third);
  out.push_back('"');
}

void appendDate(Runtime& rt, std::string& out) {
  const platform::LocalTime t = rt.sys.clock->now();
  appendClockText(out, t.year, t.month, t.day, '/', true);
}

void appendTime(Runtime& rt, std::string& out) {
  const platform::LocalTime t = rt.sys.clock->now();
  appendClockText(out, t.hour, t.minute, t.second, ':', false);
}

// The directory as a literal: a quote or 0x01 in a folder name must not break the statement text.
void appendDirectory(Runtime& rt, std::string& out) {
  out.push_back('"');
  for (char c : rt.host.programDir) charToLiteral(static_cast<unsigned char>(c), out, false);
  out.push_back('"');
}

}  // namespace

bool mayEndBareName(char c) {
  const char lower = static_cast<char>(c | 0x20);
  return lower == 'e' || lower == 'r' || lower == 'y';
}

bool appendBareFunction(Runtime& rt, std::string_view name, std::string& out) {
  // Name bytes are 'A' to 'z' and digits, so setting bit 5 lowers exactly the letters that
  // could match.
  if (sameBareName(name, "date")) {
    appendDate(rt, out);
  } else if (sameBareName(name, "time")) {
    appendTime(rt, out);
  } else if (sameBareName(name, "curdir")) {
    appendDirectory(rt, out);
  } else if (sameBareName(name, "inkey")) {
    appendInkey(rt, out);
  } else {
    return false;
  }
  return true;
}

void rgbFunction(Runtime& rt, std::string_view a, std::string& out) {
  if (!checkArgCount(rt, a, 3, true)) return;
  const std::size_t first = topLevelComma(a);
  const std::size_t second = topLevelComma(a, first + 1);
  const std::int32_t r = integerArgument(rt, a.substr(0, first));
  const std::int32_t g = integerArgument(rt, a.substr(first + 1, second - first - 1));
  const std::int32_t b = integerArgument(rt, a.substr(second + 1));
  appendInteger(out, -static_cast<std::int64_t>((r & 255) + (g & 255) * 256 + (b & 255) * 65536));
}

}  // namespace tw::builtins::detail
