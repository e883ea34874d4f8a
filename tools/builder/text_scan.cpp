// Scanning shared by the encoder and the lister (see text_scan.h). Pure functions over one line of
// code page 932 bytes; nothing here knows about files or the program as a whole.
#include "tools/builder/text_scan.h"

#include "platform/platform.h"

namespace tw::builder {
namespace {

bool isTrailByte(unsigned char b) {
  return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

char upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isSpecialKeyword(std::uint16_t code) {
  return code == host::codeDefType || code == host::codeDefFn;
}

}  // namespace

std::size_t skipBlanks(std::string_view text, std::size_t pos) {
  while (pos < text.size() && isBlank(text[pos])) ++pos;
  return pos;
}

std::size_t charLength(std::string_view text, std::size_t pos) {
  bool pair = pos + 1 < text.size() &&
              platform::isLeadByte(static_cast<unsigned char>(text[pos])) &&
              isTrailByte(static_cast<unsigned char>(text[pos + 1]));
  return pair ? 2 : 1;
}

bool spelledAt(std::string_view text, std::size_t pos, std::string_view word) {
  if (pos + word.size() > text.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i)
    if (upper(text[pos + i]) != word[i]) return false;
  return true;
}

bool wordAt(std::string_view text, std::size_t pos, std::string_view word) {
  if (!spelledAt(text, pos, word)) return false;
  std::size_t after = pos + word.size();
  return after == text.size() || !isLetterOrDigit(text[after]);
}

void WordBoundary::feed(std::string_view character) {
  char c = character.size() == 1 ? character[0] : '\0';
  if (isLetter(c)) {
    before_ = Before::Letter;
  } else if (isDigit(c) || c == '.') {
    bool afterLetter = before_ == Before::Letter || before_ == Before::NumberAfterLetter;
    before_ = afterLetter ? Before::NumberAfterLetter : Before::Number;
  } else {
    before_ = Before::Other;
  }
}

const WordOperator* operatorWordAt(std::string_view text, std::size_t pos) {
  for (const auto& op : wordOperators)
    if (wordAt(text, pos, op.word)) return &op;
  return nullptr;
}

const WordOperator* operatorEscapeAt(std::string_view text, std::size_t pos) {
  if (pos + 1 >= text.size() || text[pos] != operatorEscape) return nullptr;
  for (const auto& op : wordOperators)
    if (text[pos + 1] == op.symbol) return &op;
  return nullptr;
}

const host::StatementCode* keywordAt(std::string_view text, std::size_t pos) {
  for (const auto& entry : host::statementCodes)
    if (!isSpecialKeyword(entry.code) && wordAt(text, pos, entry.keyword)) return &entry;
  return nullptr;
}

const host::StatementCode* codeAt(std::string_view text, std::size_t pos) {
  if (pos + 1 >= text.size()) return nullptr;
  auto code = static_cast<std::uint16_t>(static_cast<unsigned char>(text[pos]) << 8 |
                                         static_cast<unsigned char>(text[pos + 1]));
  for (const auto& entry : host::statementCodes)
    if (entry.code == code) return &entry;
  return nullptr;
}

StatementScan scanStatement(std::string_view line, std::size_t pos) {
  StatementScan scan;
  WordBoundary boundary;
  bool quoted = false;
  while (pos < line.size()) {
    char c = line[pos];
    if (!quoted) {
      if (c == ':' || c == '\'') {
        scan.terminator = c == ':' ? StatementEnd::Colon : StatementEnd::Comment;
        break;
      }
      if (boundary.mayStart() && (wordAt(line, pos, "THEN") || wordAt(line, pos, "ELSE"))) {
        scan.terminator = upper(line[pos]) == 'T' ? StatementEnd::Then : StatementEnd::Else;
        break;
      }
      if (c == ',') scan.lastComma = pos;
      if (operatorEscapeAt(line, pos)) {
        boundary.feedWord();
        pos += 2;
        continue;
      }
    }
    if (c == '"') quoted = !quoted;
    std::size_t n = charLength(line, pos);
    boundary.feed(line.substr(pos, n));
    pos += n;
  }
  scan.end = pos;
  return scan;
}

}  // namespace tw::builder
