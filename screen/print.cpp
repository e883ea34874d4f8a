// PRINT: the target (the screen, or a file channel with '#'), the item list and PRINT USING, each
// value evaluated by the expression evaluators. The line goes out through putText or io.
#include <cmath>

#include "interp/interp.h"

namespace tw::screen {
namespace {

bool isNameByte(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '!' ||
         c == '#' || c == '$' || c == '%' || c == '.';
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The text one item prints; false when its evaluation reported an error.
bool printPiece(Runtime& rt, std::string_view item, std::string& piece) {
  piece.clear();
  if (item.empty()) return true;
  std::size_t nameEnd = 0;
  while (nameEnd < item.size() && isNameByte(item[nameEnd])) ++nameEnd;
  const std::uint32_t reportsBefore = rt.interp.reports;
  if (item[0] == '"' || expr::variableType(rt, item.substr(0, nameEnd)) == expr::String)
    return expr::scratchString(rt, item, piece) && rt.interp.reports == reportsBefore;
  double value = expr::scratchNumeric(rt, item);
  if (rt.interp.reports != reportsBefore) return false;
  if (value >= 0) piece = ' ';
  piece += expr::numberText(rt, value);
  return true;
}

// The item list: pieces joined, a TAB after an item that ends at a comma.
bool itemLine(Runtime& rt, std::string_view list, std::string& line) {
  std::string piece;
  std::size_t start = 0;
  bool quoted = false;
  int depth = 0;
  for (std::size_t i = 0;; ++i) {
    const bool end = i >= list.size();
    const char c = end ? '\0' : list[i];
    if (c == '"') quoted = !quoted;
    if (!quoted && c == '(') ++depth;
    if (!quoted && c == ')') --depth;
    const bool separator = !quoted && depth <= 0 && (c == ';' || c == ',');
    if (!separator && !end) continue;
    if (!printPiece(rt, list.substr(start, i - start), piece)) return false;
    line += piece;
    if (c == ',') line += '\t';
    if (end || (c == ';' && i + 1 == list.size())) return true;
    start = i + 1;
  }
}

// ---- PRINT USING --------------------------------------------------------------------------------

struct Field {
  bool plus = false;
  std::size_t integers = 0, decimals = 0;
  std::size_t width() const { return (plus ? 1 : 0) + integers + (decimals > 0 ? decimals + 1 : 0); }
};

// The field that begins at pos, or none (integers 0) when no field begins there.
Field fieldAt(std::string_view format, std::size_t pos) {
  Field f;
  if (format[pos] == '+' && pos + 1 < format.size() && format[pos + 1] == '#') f.plus = true, ++pos;
  while (pos < format.size() && format[pos] == '#') ++f.integers, ++pos;
  if (f.integers == 0) return {};
  if (pos + 1 < format.size() && format[pos] == '.' && format[pos + 1] == '#')
    for (++pos; pos < format.size() && format[pos] == '#'; ++pos) ++f.decimals;
  return f;
}

// A value in a field: the sign, the integer part and the rounded decimals, with a rounding that
// carries into the integer part carried (1.999 with two decimals is 2.00). Fields without
// decimals truncate.
std::string fieldText(const Field& f, double v, bool& overflow) {
  const double magnitude = std::fabs(v);
  std::string digits;
  if (f.decimals > 0) {
    expr::formatFixed(magnitude, static_cast<int>(f.decimals), digits);
  } else {
    expr::formatFixed(std::trunc(magnitude), 0, digits);
  }
  const std::size_t point = digits.find('.');
  const std::size_t integerLength = point == std::string::npos ? digits.size() : point;
  overflow = integerLength > f.integers || (v < 0 && !f.plus && integerLength + 1 > f.integers);
  std::string out;
  if (f.plus && v >= 0) out += '+';
  if (v < 0) out += '-';
  return out + digits;
}

// The values after the format, every one of them, in order.
bool usingValues(Runtime& rt, std::string_view text, std::vector<double>& values) {
  std::size_t start = 0;
  int depth = 0;
  const std::uint32_t reportsBefore = rt.interp.reports;
  for (std::size_t i = 0;; ++i) {
    const bool end = i >= text.size();
    const char c = end ? '\0' : text[i];
    if (c == '(') ++depth;
    if (c == ')') --depth;
    if (!end && (depth > 0 || (c != ';' && c != ','))) continue;
    values.push_back(expr::scratchNumeric(rt, text.substr(start, i - start)));
    if (rt.interp.reports != reportsBefore) return false;
    if (end || i + 1 == text.size()) return true;
    start = i + 1;
  }
}

// PRINT USING: the format after "using" up to its ';', then the values.
bool usingLine(Runtime& rt, std::string_view text, std::string& line) {
  bool quoted = false;
  std::size_t semicolon = std::string_view::npos;
  for (std::size_t i = 0; i < text.size() && semicolon == std::string_view::npos; ++i) {
    if (text[i] == '"') quoted = !quoted;
    if (!quoted && text[i] == ';') semicolon = i;
  }
  if (semicolon == std::string_view::npos) {
    interp::report(rt, interp::SyntaxError);
    return false;
  }
  std::string format;
  const std::uint32_t reportsBefore = rt.interp.reports;
  if (!expr::scratchString(rt, text.substr(0, semicolon), format) ||
      rt.interp.reports != reportsBefore)
    return false;
  std::vector<double> values;
  if (!usingValues(rt, text.substr(semicolon + 1), values)) return false;
  std::size_t next = 0;
  for (std::size_t pos = 0; pos < format.size();) {
    const Field f = next < values.size() ? fieldAt(format, pos) : Field{};
    if (f.integers == 0) {
      line += format[pos] == '#' ? ' ' : format[pos];
      ++pos;
      continue;
    }
    bool overflow = false;
    const std::string out = fieldText(f, values[next++], overflow);
    if (overflow)
      line += '%' + out;
    else
      line.append(f.width() > out.size() ? f.width() - out.size() : 0, ' ').append(out);
    pos += f.width();
  }
  return true;
}

bool startsWithUsing(std::string_view list) {
  if (list.size() < 6) return false;
  for (std::size_t i = 0; i < 5; ++i)
    if ((list[i] | 0x20) != "using"[i]) return false;
  return list[5] == '"' || isBlank(list[5]);
}

}  // namespace

void printStatement(Runtime& rt, std::string_view argument) {
  int channel = 0;
  std::string_view list = argument;
  if (!argument.empty() && argument[0] == '#') {
    channel = argument.size() > 1 ? argument[1] - '0' : -1;
    if (channel < 1 || channel > io::channelCount) {
      interp::report(rt, interp::OutOfRange);
      return;
    }
    const std::size_t comma = argument.find(',');
    if (comma == std::string_view::npos) {
      interp::report(rt, interp::SyntaxError);
      return;
    }
    list = argument.substr(comma + 1);
    while (!list.empty() && isBlank(list.front())) list.remove_prefix(1);
  }
  const bool withUsing = startsWithUsing(list);
  const std::string stripped = expr::stripBlanks(argument);
  std::string_view items = stripped;
  if (channel != 0) items.remove_prefix(items.find(',') + 1);
  std::string line;
  const bool made = withUsing ? usingLine(rt, items.substr(5), line) : itemLine(rt, items, line);
  if (!made) return;
  if (stripped.empty() || stripped.back() != ';') line += '\n';
  if (channel != 0)
    io::writeLine(rt, channel, line);
  else
    putText(rt, line);
}

}  // namespace tw::screen
