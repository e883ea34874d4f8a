// Number texts: the fixed-point writing of values and the tidying of a number's text that every
// read and PRINT goes through. Nothing here touches the variable store.
#include <bit>
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

// ---- Rounding in integers -------------------------------------------------------------------------
// Needs 128-bit integers; where the compiler has none (32-bit targets) the texts are written.
#if defined(__SIZEOF_INT128__)

using Wide = unsigned __int128;

constexpr std::uint64_t powerOfTenWhole[20] = {
    1ULL, 10ULL, 100ULL, 1000ULL, 10000ULL, 100000ULL, 1000000ULL, 10000000ULL, 100000000ULL,
    1000000000ULL, 10000000000ULL, 100000000000ULL, 1000000000000ULL, 10000000000000ULL,
    100000000000000ULL, 1000000000000000ULL, 10000000000000000ULL, 100000000000000000ULL,
    1000000000000000000ULL, 10000000000000000000ULL};
// Exact as doubles up to 1e22, so that a quotient by one is correctly rounded.
constexpr double powerOfTen[20] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
                                   1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19};

// |value| = mantissa × 2^exponent, exactly.
struct Binary {
  std::uint64_t mantissa;
  int exponent;
};
Binary binaryOf(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const int field = static_cast<int>(bits >> 52 & 0x7ff);
  const std::uint64_t fraction = bits & ((1ULL << 52) - 1);
  if (field == 0) return {fraction, -1074};
  return {fraction | 1ULL << 52, field - 1075};
}

// |value| × scale rounded to a whole number, ties to even, as the exact decimal writers round;
// for values with a fraction (exponent < 0) and scale below 2^64.
Wide roundScaled(Binary b, std::uint64_t scale) {
  const Wide product = static_cast<Wide>(b.mantissa) * scale;  // below 2^117
  const int shift = -b.exponent;
  if (shift >= 120) return 0;
  const Wide quotient = product >> shift;
  const Wide rest = product - (quotient << shift);
  const Wide half = static_cast<Wide>(1) << (shift - 1);
  return rest > half || (rest == half && (quotient & 1)) ? quotient + 1 : quotient;
}

// The zeros that end the 15 digits of a fraction below 10^15.
int trailingZeros(std::uint64_t fraction) {
  if (fraction == 0) return 15;
  int n = 0;  // at most 14: counted 8, 4, 2 and 1 at a time
  for (int step : {8, 4, 2, 1}) {
    const std::uint64_t p = powerOfTenWhole[step];
    if (fraction % p == 0) {
      fraction /= p;
      n += step;
    }
  }
  return n;
}

int digitCount(std::uint64_t x) {
  int n = 1;
  for (; x >= 10; x /= 10) ++n;
  return n;
}

// positive ≥ 10^e, exactly, for -19 ≤ e ≤ 19.
bool atLeastPowerOfTen(double positive, int e) {
  if (e >= 0) return positive >= powerOfTen[e];
  const Binary b = binaryOf(positive);
  if (b.exponent >= 0) return true;
  if (-b.exponent >= 120) return false;
  return static_cast<Wide>(b.mantissa) * powerOfTenWhole[-e] >= static_cast<Wide>(1) << -b.exponent;
}

// The value of positive written with 15 significant digits ("%.14e") and read back; false
// outside the decimal exponents -5 to 14 or for a whole number.
bool fifteenSignificant(double positive, double& out) {
  int e = static_cast<int>(std::floor(std::log10(positive)));
  if (e < -6 || e > 15) return false;
  if (!atLeastPowerOfTen(positive, e)) --e;
  else if (e < 19 && atLeastPowerOfTen(positive, e + 1)) ++e;
  if (e < -5 || e > 14) return false;
  const Binary b = binaryOf(positive);
  if (b.exponent >= 0) return false;
  const int scale = 14 - e;
  const Wide digits = roundScaled(b, powerOfTenWhole[scale]);  // at most 10^15
  out = static_cast<double>(static_cast<std::uint64_t>(digits)) / powerOfTen[scale];
  return true;
}

#endif

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

#if defined(__SIZEOF_INT128__)
bool detail::roundScaledExactly(double value, double& q) {
  const Binary b = binaryOf(value);
  if (b.exponent >= 0) return false;
  q = static_cast<double>(static_cast<std::uint64_t>(roundScaled(b, powerOfTenWhole[15])));
  return true;
}

bool quickFifteenDecimals(double value, double& out) { return detail::fifteenDecimalsQuickly(value, out); }

// The tidied text is the value rounded to 15 decimals, trailing zeros dropped; when it still has
// 16 characters or more (sign and a leading 0 counted, the point not), the value it reads back
// as is written again with 15 significant digits.
bool quickReadBack(double value, double& out) {
  const double magnitude = std::fabs(value);
  if (!(magnitude < 1e15)) return false;
  const Binary b = binaryOf(value);
  if (b.exponent >= 0) return false;
  const Wide q = roundScaled(b, powerOfTenWhole[15]);
  if (q == 0) return false;
  // q is the whole part and 15 decimals; 64-bit division where it fits (below 18447).
  const std::uint64_t scale = powerOfTenWhole[15];
  std::uint64_t whole, fraction;
  if (q >> 64 == 0) {
    const auto narrow = static_cast<std::uint64_t>(q);
    whole = narrow / scale;
    fraction = narrow % scale;
  } else {
    whole = static_cast<std::uint64_t>(q / scale);
    fraction = static_cast<std::uint64_t>(q - static_cast<Wide>(whole) * scale);
  }
  const int decimals = 15 - trailingZeros(fraction);
  const int length = (value < 0 ? 1 : 0) + digitCount(whole) + decimals;
  const double decimal =
      magnitude < 8 ? static_cast<double>(static_cast<std::uint64_t>(q)) / 1e15 : magnitude;
  double result = decimal;
  if (length >= static_cast<int>(significantLimit) && !fifteenSignificant(decimal, result))
    return false;
  out = value < 0 ? -result : result;
  return true;
}

#else
bool quickFifteenDecimals(double, double&) { return false; }
bool quickReadBack(double, double&) { return false; }
#endif

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
