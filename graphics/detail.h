// Helpers shared by the files of graphics/ only: reading the fields of a drawing statement and
// evaluating them. No other folder includes this header.
#pragma once

#include <cstdint>
#include <string_view>

#include "graphics/graphics.h"
#include "interp/interp.h"

namespace tw::graphics::detail {

// Walks the fields of a statement's text, blanks already removed.
class Fields {
 public:
  explicit Fields(std::string_view text) : text_(text) {}
  // The field from here to the first comma at parenthesis depth 0 (the parentheses inside it
  // counted), or to the end; stops on that comma.
  std::string_view toComma();
  // The field from here to the ')' that closes a pair whose '(' came before; stops on that ')'.
  // Without one the text has run out: ranOff() is set.
  std::string_view toClose();
  bool atEnd() const { return pos_ >= text_.size(); }
  char peek(std::size_t ahead = 0) const {
    return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
  }
  void skip(std::size_t count = 1) { pos_ = std::min(pos_ + count, text_.size()); }
  std::string_view rest() const { return text_.substr(pos_); }
  bool ranOff() const { return ranOff_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  bool ranOff_ = false;
};

// Evaluates a field: truncated toward zero, or rounded down.
std::int32_t truncated(Runtime& rt, std::string_view field);
std::int32_t roundedDown(Runtime& rt, std::string_view field);
double number(Runtime& rt, std::string_view field);
// The field spelled as the word (lower case), in any letter case.
bool isWord(std::string_view field, std::string_view lower);

// The two surfaces every statement draws on: the client area first, then the bitmap, or the
// other way round, as each statement says.
template <typename Draw>
void onBoth(Runtime& rt, bool bitmapFirst, Draw draw) {
  platform::Canvas* first = bitmapFirst ? rt.sys.bitmap : rt.sys.clientArea;
  platform::Canvas* second = bitmapFirst ? rt.sys.clientArea : rt.sys.bitmap;
  if (first) draw(*first);
  if (second) draw(*second);
}

}  // namespace tw::graphics::detail
