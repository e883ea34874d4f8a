// Scanning shared by the encoder and the lister: code page 932 characters, word boundaries, the
// statement and operator words, and where a statement ends. Private to tools/builder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "host/host.h"

namespace tw::builder {

inline constexpr char operatorEscape = '\x01';

inline bool isBlank(char c) {
  return c == ' ' || c == '\t';
}
inline bool isLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
inline bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
inline bool isLetterOrDigit(char c) {
  return isLetter(c) || isDigit(c);
}

std::size_t skipBlanks(std::string_view text, std::size_t pos);

// The length of the character at pos: 2 for a lead byte with a byte after it that can follow a
// lead byte, otherwise 1. A lead byte before a newline, quote or ':' stands alone, as the run-time
// reads those bytes wherever they are.
std::size_t charLength(std::string_view text, std::size_t pos);

// True when the text at pos spells word (given in upper case) in any letter case.
bool spelledAt(std::string_view text, std::size_t pos, std::string_view word);
// The same for a whole word: the byte after it is not a letter or digit.
bool wordAt(std::string_view text, std::size_t pos, std::string_view word);

// What stands before the scan position, to tell whether a word may start there: not after a letter,
// and not after digits (or '.') that themselves follow a letter, so "5MOD" holds a word and
// "A1MOD" does not. A double-byte character counts as no letter.
class WordBoundary {
 public:
  void feed(std::string_view character);
  // An operator escape stands for a word, which ends in a letter.
  void feedWord() { before_ = Before::Letter; }
  bool mayStart() const { return before_ == Before::Other || before_ == Before::Number; }

 private:
  enum class Before : std::uint8_t { Other, Letter, Number, NumberAfterLetter };
  Before before_ = Before::Other;
};

struct WordOperator {
  std::string_view word;
  char symbol;  // the byte after operatorEscape
};
inline constexpr WordOperator wordOperators[] = {
    {"MOD", 'm'}, {"AND", '&'}, {"OR", '|'}, {"XOR", 'e'}, {"NOT", '!'}};

// The word operator spelled at pos (whole word), or nullptr.
const WordOperator* operatorWordAt(std::string_view text, std::size_t pos);
// The word operator whose escape sits at pos, or nullptr.
const WordOperator* operatorEscapeAt(std::string_view text, std::size_t pos);

// The statement keyword spelled at pos (whole word), or nullptr. DEFINT and DEF FN have forms of
// their own and are never found here.
const host::StatementCode* keywordAt(std::string_view text, std::size_t pos);
// The statement whose two code bytes sit at pos, or nullptr.
const host::StatementCode* codeAt(std::string_view text, std::size_t pos);

enum class StatementEnd : std::uint8_t { Line, Colon, Then, Else, Comment };

struct StatementScan {
  std::size_t end = 0;  // where the terminator starts
  StatementEnd terminator = StatementEnd::Line;
  std::size_t lastComma = std::string_view::npos;  // the last ',' outside quotes before end
};

// Finds the end of the statement text that starts at pos: a ':', THEN, ELSE or a comment outside
// quotes, or the end of the line.
StatementScan scanStatement(std::string_view line, std::size_t pos);

}  // namespace tw::builder
