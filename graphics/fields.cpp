// Reading the fields of drawing statements and evaluating them through the scratch assignment.
#include <cmath>

#include "graphics/detail.h"

namespace tw::graphics::detail {

std::string_view Fields::toComma() {
  const std::size_t start = pos_;
  int depth = 0;
  for (; pos_ < text_.size(); ++pos_) {
    const char c = text_[pos_];
    if (c == '(') ++depth;
    if (c == ')') --depth;
    if (c == ',' && depth == 0) break;
  }
  return text_.substr(start, pos_ - start);
}

std::string_view Fields::toClose() {
  const std::size_t start = pos_;
  int depth = 1;
  for (; pos_ < text_.size(); ++pos_) {
    const char c = text_[pos_];
    if (c == '(') ++depth;
    if (c == ')' && --depth == 0) return text_.substr(start, pos_ - start);
  }
  ranOff_ = true;
  return text_.substr(start);
}

std::int32_t truncated(Runtime& rt, std::string_view field) {
  return expr::toInteger(expr::scratchNumeric(rt, field));
}

std::int32_t roundedDown(Runtime& rt, std::string_view field) {
  return expr::toInteger(std::floor(expr::scratchNumeric(rt, field)));
}

double number(Runtime& rt, std::string_view field) { return expr::scratchNumeric(rt, field); }

bool isWord(std::string_view field, std::string_view lower) {
  if (field.size() != lower.size()) return false;
  for (std::size_t i = 0; i < field.size(); ++i)
    if ((field[i] | 0x20) != lower[i]) return false;
  return true;
}

}  // namespace tw::graphics::detail
