// Number texts: the fixed-point writing of values and the tidying of a number's text that every
// read and PRINT goes through. Nothing here touches the variable store.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "expr/detail.h"

namespace tw::expr {
namespace {

// "%.15f" of the largest double: 309 digits, sign, point, 15 decimals, NUL. Not observable.
constexpr std::size_t fixedBufferSize = 352;
// A number text of this many bytes (the point not counted) or more is cut to 15 digits.
constexpr std::size_t significantLimit = 16;

// The value with 15 significant digits: fixed-point for decimal exponents -2 to 14, otherwise
// d.ddde+NNN; trailing zeros of the digits dropped, the point kept.
std::string fifteenDigits(double value) {
  if (value == 0) return "0";
  if (!std::isfinite(value)) {
    std::string text;
    formatFixed(value, 0, text);
    return text;
  }
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
  std::string digits;
  for (const char* p = buffer; *p != 'e'; ++p)
    if (*p != '.') digits += *p;
  int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string out = value < 0 ? "-" : "";
  if (exponent >= 0 && exponent <= 14) {
    if (digits.size() < static_cast<std::size_t>(exponent) + 1) digits.resize(exponent + 1, '0');
    out.append(digits, 0, exponent + 1).append(".").append(digits, exponent + 1);
  } else if (exponent < 0 && exponent >= -2) {
    out.append("0.").append(-exponent - 1, '0').append(digits);
  } else {
    char tail[16];
    std::snprintf(tail, sizeof tail, "e%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
    out.append(digits, 0, 1).append(".").append(digits, 1).append(tail);
  }
  return out;
}

bool allDigits(std::string_view text) {
  for (char c : text)
    if (!detail::isDigit(c)) return false;
  return true;
}

}  // namespace

void formatFixed(double value, int decimals, std::string& out) {
  // Values beyond the double range are written so that they stay numbers when spliced into an
  // expression and read back as themselves.
  if (std::isinf(value)) {
    out = value < 0 ? "-1.#INF" : "1.#INF";
    return;
  }
  if (std::isnan(value)) {
    out = std::signbit(value) ? "-1.#IND" : "1.#QNAN";
    return;
  }
  // A zero is written without a sign: -0 would print as " -0".
  if (value == 0) value = 0;
  // to_chars writes the same exact, correctly rounded digits as printf's "%.*f", several times
  // faster and alike on every system.
  char buffer[fixedBufferSize];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  out.assign(buffer, result.ec == std::errc{} ? static_cast<std::size_t>(result.ptr - buffer) : 0);
}

void trimNumberText(Runtime& rt, std::string& text) {
  const bool hasPoint = text.find('.') != std::string::npos;
  if (!text.empty() && text.back() == '.') {
    if (!allDigits(std::string_view(text).substr(0, text.size() - 1))) {
      interp::report(rt, interp::SyntaxError);
      return;
    }
    text.pop_back();
  } else if (hasPoint) {
    while (text.size() > 1 && text.back() == '0') text.pop_back();
    if (text.size() > 1 && text.back() == '.') text.pop_back();
  }
  const bool stillPoint = text.find('.') != std::string::npos;
  if (text.size() - (stillPoint ? 1 : 0) >= significantLimit)
    text = fifteenDigits(decimalValue(text));
  if (text.size() > 1 && text[0] == '0' && text[1] == '.') text.erase(0, 1);
  if (text.size() > 2 && text[0] == '-' && text[1] == '0' && text[2] == '.') text.erase(1, 1);
}

std::string numberText(Runtime& rt, double value) {
  std::string text;
  formatFixed(value, 15, text);
  trimNumberText(rt, text);
  return text;
}

}  // namespace tw::expr
