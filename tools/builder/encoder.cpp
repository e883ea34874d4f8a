// The encoder: readable source to program text (line numbers, statement codes, word operators,
// comments dropped). It works on bytes in memory; files and the trailer belong to the command.
#include <array>
#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tools/builder/builder.h"
#include "tools/builder/text_scan.h"

namespace tw::builder {
namespace {

// The run-time refuses longer line numbers and statements.
constexpr std::size_t lineNumberDigitsLimit = 19;
constexpr std::size_t statementLimit = 8191;

constexpr std::string_view utf8Bom = "\xEF\xBB\xBF";
constexpr std::array<std::string_view, 3> defTypeKeywords = {"DEFINT", "DEFSNG", "DEFSTR"};

// Bytes the program text uses for its own encoding: NUL ends the text, 0x01 starts an operator
// escape, 0x10 and 0x11 start statement codes. Source text that held them would be misread.
bool isReservedByte(char c) {
  return c == '\0' || c == '\x01' || c == '\x10' || c == '\x11';
}

std::string codeBytes(std::uint16_t code) {
  return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

std::uint16_t printCode() {
  return keywordAt("PRINT", 0)->code;
}

// One source line, as the file holds it and in code page 932.
struct SourceLine {
  std::string_view raw;
  std::string text;
  bool utf8 = false;
  int number = 0;  // counted from 1 in the file
};

std::size_t utf8Length(char lead) {
  auto b = static_cast<unsigned char>(lead);
  return b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
}

// The column (from 1) in the raw line of the code page 932 byte at offset.
int sourceColumn(const SourceLine& line, std::size_t offset) {
  if (!line.utf8) return static_cast<int>(offset) + 1;
  std::size_t converted = 0;
  std::size_t pos = 0;
  while (pos < line.raw.size() && converted < offset) {
    std::size_t n = utf8Length(line.raw[pos]);
    converted +=
        platform::utf8ToCp932(line.raw.substr(pos, n)).value_or(std::string(1, '?')).size();
    pos += n;
  }
  return static_cast<int>(pos) + 1;
}

// The beginning of a statement: its code (0 for none), the type word of DEFINT/DEFSNG/DEFSTR, and
// where the text after the keyword starts.
struct Head {
  std::uint16_t code = 0;
  std::string_view typeWord;
  std::size_t argument = 0;
};

// Encodes the statements of one line. Every output byte remembers the source offset it came from,
// so that checks made on the output can name a source column.
class LineEncoder {
 public:
  explicit LineEncoder(std::string_view text) : in_(text) {}

  void encode(std::size_t numberStart, std::size_t numberEnd);
  const std::string& output() const { return out_; }
  std::size_t originOf(std::size_t offset) const {
    return offset < origin_.size() ? origin_[offset] : in_.size();
  }
  std::optional<std::size_t> reservedByte() const { return reserved_; }

 private:
  std::size_t statement(std::size_t pos);
  Head headAt(std::size_t pos) const;
  void emitHead(const Head& head, std::size_t start, std::size_t body, const StatementScan& scan);
  void encodeWords(std::size_t from, std::size_t to);
  std::size_t afterTerminator(const StatementScan& scan);
  void put(std::string_view bytes, std::size_t from);
  void copy(std::size_t from, std::size_t to);

  std::string_view in_;
  std::string out_;
  std::vector<std::size_t> origin_;
  std::size_t codeEnd_ = 0;  // the end of the last code written
  std::optional<std::size_t> reserved_;
};

void LineEncoder::encode(std::size_t numberStart, std::size_t numberEnd) {
  copy(numberStart, numberEnd);
  put(" ", numberEnd);
  codeEnd_ = out_.size();  // a line keeps the blank after its number even without statements
  std::size_t pos = skipBlanks(in_, numberEnd);
  while (pos != std::string_view::npos) pos = statement(pos);
  // The IF code's second byte is a blank; trimming stops at the last code or the number's blank.
  while (out_.size() > codeEnd_ && isBlank(out_.back())) {
    out_.pop_back();
    origin_.pop_back();
  }
}

// Encodes the statement at pos (blanks before it included) and returns where the next one starts,
// npos when the line is done.
std::size_t LineEncoder::statement(std::size_t pos) {
  std::size_t start = skipBlanks(in_, pos);
  copy(pos, start);
  if (start == in_.size() || wordAt(in_, start, "REM")) return std::string_view::npos;
  Head head = headAt(start);
  std::size_t body = skipBlanks(in_, head.argument);
  if (head.code == host::codeData) {
    emitHead(head, start, body, StatementScan{in_.size()});
    copy(body, in_.size());
    return std::string_view::npos;
  }
  StatementScan scan = scanStatement(in_, body);
  if (head.code != 0) emitHead(head, start, body, scan);
  // PUT reads its mode field (PSET, OR, XOR...) as a word, so it keeps its spelling.
  bool modeField = head.code == host::codePut && scan.lastComma != std::string_view::npos;
  std::size_t plainEnd = modeField ? scan.lastComma + 1 : scan.end;
  encodeWords(body, plainEnd);
  copy(plainEnd, scan.end);
  return afterTerminator(scan);
}

Head LineEncoder::headAt(std::size_t pos) const {
  if (in_[pos] == '?') return {printCode(), {}, pos + 1};
  for (std::string_view keyword : defTypeKeywords)
    if (wordAt(in_, pos, keyword))
      return {host::codeDefType, keyword.substr(3), pos + keyword.size()};
  if (spelledAt(in_, pos, "DEF")) {
    std::size_t fn = skipBlanks(in_, pos + 3);
    if (spelledAt(in_, fn, "FN")) return {host::codeDefFn, {}, fn};
  }
  if (const auto* keyword = keywordAt(in_, pos))
    return {keyword->code, {}, pos + keyword->keyword.size()};
  return {0, {}, pos};
}

void LineEncoder::emitHead(const Head& head, std::size_t start, std::size_t body,
                           const StatementScan& scan) {
  // The run-time takes code bytes as a code only after a blank or a ':'.
  if (out_.back() != ' ' && out_.back() != ':') put(" ", start);
  put(codeBytes(head.code), start);
  codeEnd_ = out_.size();
  if (!head.typeWord.empty()) {
    put(" ", start);
    put(head.typeWord, start + 3);
  }
  if (scan.end > body) {
    put(" ", head.argument);
    return;
  }
  copy(head.argument, body);
  // THEN and ELSE are found only after a blank.
  bool wordFollows = scan.terminator == StatementEnd::Then || scan.terminator == StatementEnd::Else;
  if (head.argument == body && wordFollows) put(" ", body);
}

void LineEncoder::encodeWords(std::size_t from, std::size_t to) {
  WordBoundary boundary;
  bool quoted = false;
  std::size_t pos = from;
  while (pos < to) {
    const WordOperator* op = !quoted && boundary.mayStart() ? operatorWordAt(in_, pos) : nullptr;
    if (op) {
      put(std::string{operatorEscape, op->symbol}, pos);
      boundary.feedWord();
      pos += op->word.size();
      continue;
    }
    if (in_[pos] == '"') quoted = !quoted;
    std::size_t n = charLength(in_, pos);
    boundary.feed(in_.substr(pos, n));
    copy(pos, pos + n);
    pos += n;
  }
}

std::size_t LineEncoder::afterTerminator(const StatementScan& scan) {
  switch (scan.terminator) {
    case StatementEnd::Colon:
      copy(scan.end, scan.end + 1);
      return scan.end + 1;
    case StatementEnd::Then:
    case StatementEnd::Else:
      copy(scan.end, scan.end + 4);
      return scan.end + 4;
    case StatementEnd::Line:
    case StatementEnd::Comment:
      break;
  }
  return std::string_view::npos;
}

void LineEncoder::put(std::string_view bytes, std::size_t from) {
  out_ += bytes;
  origin_.insert(origin_.end(), bytes.size(), from);
}

void LineEncoder::copy(std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to; ++i) {
    if (isReservedByte(in_[i]) && !reserved_) reserved_ = i;
    out_ += in_[i];
    origin_.push_back(i);
  }
}

// The first statement longer than the run-time takes, cut as the run-time cuts them: at ':' outside
// quotes, except that an IF statement runs to the end of its line.
std::optional<std::size_t> overlongStatement(std::string_view line, std::size_t pos) {
  while (pos < line.size()) {
    std::size_t start = skipBlanks(line, pos);
    const auto* head = codeAt(line, start);
    std::size_t end = start;
    bool quoted = false;
    if (head && head->code == host::codeIf) end = line.size();
    for (; end < line.size() && (quoted || line[end] != ':'); ++end)
      if (line[end] == '"') quoted = !quoted;
    std::size_t last = end;
    while (last > start && isBlank(line[last - 1])) --last;
    if (last - start > statementLimit) return start;
    pos = end + 1;
  }
  return std::nullopt;
}

std::string hexByte(char c) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "0x%02X", static_cast<unsigned char>(c));
  return buffer;
}

// Walks the source line by line, keeping what the whole program needs: the previous line number and
// the text so far.
class SourceEncoder {
 public:
  SourceEncoder(std::string_view fileName, BuildError& error)
      : fileName_(fileName), error_(error) {}

  bool encodeLine(SourceLine& line);
  std::string& program() { return program_; }

 private:
  bool decode(SourceLine& line);
  bool fail(const SourceLine& line, std::size_t offset, std::string message);

  std::string_view fileName_;
  BuildError& error_;
  std::string program_;
  std::optional<unsigned long long> previousNumber_;
  std::string previousDigits_;
};

bool SourceEncoder::fail(const SourceLine& line, std::size_t offset, std::string message) {
  error_ = {std::string(fileName_), line.number, sourceColumn(line, offset), std::move(message)};
  return false;
}

bool SourceEncoder::decode(SourceLine& line) {
  if (!line.utf8) {
    line.text = line.raw;
    return true;
  }
  std::size_t bad = 0;
  auto converted = platform::utf8ToCp932(line.raw, &bad);
  if (!converted) {
    error_ = {std::string(fileName_), line.number, static_cast<int>(bad) + 1,
              "this character has no code page 932 form"};
    return false;
  }
  line.text = std::move(*converted);
  return true;
}

bool SourceEncoder::encodeLine(SourceLine& line) {
  if (!decode(line)) return false;
  const std::string& text = line.text;
  std::size_t start = skipBlanks(text, 0);
  if (start == text.size()) return true;
  if (!isDigit(text[start])) return fail(line, start, "the line does not start with a line number");
  std::size_t end = start;
  while (end < text.size() && isDigit(text[end])) ++end;
  std::string_view digits = std::string_view(text).substr(start, end - start);
  if (digits.size() > lineNumberDigitsLimit)
    return fail(line, start, "a line number has at most 19 digits");
  unsigned long long number = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (previousNumber_ && number <= *previousNumber_)
    return fail(line, start,
                "line number " + std::string(digits) + " does not follow " + previousDigits_ +
                    "; line numbers must ascend");
  previousNumber_ = number;
  previousDigits_ = digits;

  LineEncoder encoder(text);
  encoder.encode(start, end);
  const std::string& out = encoder.output();
  if (auto reserved = encoder.reservedByte())
    return fail(
        line, *reserved,
        "the control character " + hexByte(text[*reserved]) + " cannot be part of a program");
  if (auto overlong = overlongStatement(out, digits.size() + 1))
    return fail(line, encoder.originOf(*overlong), "a statement is longer than 8191 bytes");
  if (program_.size() + out.size() + 1 > host::programTextLimit)
    return fail(line, encoder.originOf(host::programTextLimit - program_.size()),
                "the program text is longer than 65535 bytes");
  program_ += out;
  program_ += '\n';
  return true;
}

// The next line of the source at pos, ended by LF, CR LF or CR; pos moves past its end.
std::string_view nextLine(std::string_view source, std::size_t& pos) {
  std::size_t end = source.find_first_of("\r\n", pos);
  if (end == std::string_view::npos) end = source.size();
  std::string_view line = source.substr(pos, end - pos);
  pos = end;
  if (pos < source.size()) pos += source.compare(pos, 2, "\r\n") == 0 ? 2 : 1;
  return line;
}

}  // namespace

std::string describe(const BuildError& error) {
  return error.file + ":" + std::to_string(error.line) + ":" + std::to_string(error.column) +
         ": error: " + error.message;
}

std::optional<std::string> encodeSource(std::string_view source, std::string_view fileName,
                                        BuildError& error) {
  if (source.starts_with(utf8Bom)) source.remove_prefix(utf8Bom.size());
  bool utf8 = platform::isValidUtf8(source);
  SourceEncoder encoder(fileName, error);
  int number = 0;
  for (std::size_t pos = 0; pos < source.size();) {
    SourceLine line{nextLine(source, pos), {}, utf8, ++number};
    if (!encoder.encodeLine(line)) return std::nullopt;
  }
  return std::move(encoder.program());
}

}  // namespace tw::builder
