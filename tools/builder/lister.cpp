// The lister: program text back to readable source that encodes to the same bytes. It reads the
// program text it is given and writes a new listing; it never changes the program.
#include <algorithm>
#include <string>

#include "platform/platform.h"
#include "tools/builder/builder.h"
#include "tools/builder/text_scan.h"

namespace tw::builder {
namespace {

constexpr std::string_view defTypeWords[] = {"INT", "SNG", "STR"};

// The keyword that a code at pos lists as, when the bytes after the code are as the encoder writes
// them: " FN..." after DEF FN, " INT" (SNG, STR) after DEFINT, and otherwise a blank, a tab, ':' or
// the end of the line. Empty when the code has to stay as raw bytes.
std::string keywordFor(std::string_view line, std::size_t pos, std::size_t& after) {
  const auto* entry = codeAt(line, pos);
  if (!entry) return {};
  after = pos + 2;
  bool spaceAfter = after < line.size() && line[after] == ' ';
  if (entry->code == host::codeDefFn)
    return spaceAfter && spelledAt(line, after + 1, "FN") ? std::string(entry->keyword)
                                                          : std::string();
  if (entry->code == host::codeDefType) {
    for (std::string_view type : defTypeWords) {
      if (spaceAfter && wordAt(line, after + 1, type)) {
        after += 1 + type.size();
        return "DEF" + std::string(type);
      }
    }
    return {};
  }
  bool standsApart = after == line.size() || isBlank(line[after]) || line[after] == ':';
  return standsApart ? std::string(entry->keyword) : std::string();
}

// Lists the statements of one numbered line, which start at the given position.
class LineLister {
 public:
  LineLister(std::string_view line, std::string& out) : line_(line), out_(out) {}
  void list(std::size_t pos);
  // Whether a comment could follow the line's last byte without changing the program.
  bool endsInPlainText() const { return !restTaken_ && !quotedAtEnd_; }

 private:
  std::size_t statement(std::size_t pos);
  void listWords(std::size_t from, std::size_t to);
  std::size_t afterTerminator(const StatementScan& scan);

  std::string_view line_;
  std::string& out_;
  bool restTaken_ = false;  // by DATA or a comment
  bool quotedAtEnd_ = false;
};

void LineLister::list(std::size_t pos) {
  while (pos != std::string_view::npos) pos = statement(pos);
}

std::size_t LineLister::statement(std::size_t pos) {
  std::size_t start = skipBlanks(line_, pos);
  out_.append(line_.substr(pos, start - pos));
  std::size_t body = start;
  bool atCode = line_[start - 1] == ' ' || line_[start - 1] == ':';
  std::string keyword = atCode ? keywordFor(line_, start, body) : std::string();
  if (keyword.empty() && codeAt(line_, start)) {
    // A code the encoder would not have written: its bytes stay as they are.
    body = start + 2;
    out_.append(line_.substr(start, 2));
  }
  out_ += keyword;
  if (keyword == "DATA") {
    out_.append(line_.substr(body));
    restTaken_ = true;
    return std::string_view::npos;
  }
  std::size_t argument = skipBlanks(line_, body);
  out_.append(line_.substr(body, argument - body));
  StatementScan scan = scanStatement(line_, argument);
  listWords(argument, scan.end);
  std::string_view text = line_.substr(argument, scan.end - argument);
  quotedAtEnd_ = std::count(text.begin(), text.end(), '"') % 2 != 0;
  return afterTerminator(scan);
}

void LineLister::listWords(std::size_t from, std::size_t to) {
  bool quoted = false;
  for (std::size_t pos = from; pos < to;) {
    const WordOperator* op = quoted ? nullptr : operatorEscapeAt(line_, pos);
    if (op) {
      out_ += op->word;
      pos += 2;
      continue;
    }
    if (line_[pos] == '"') quoted = !quoted;
    out_ += line_[pos++];
  }
}

std::size_t LineLister::afterTerminator(const StatementScan& scan) {
  switch (scan.terminator) {
    case StatementEnd::Colon:
      out_ += ':';
      return scan.end + 1;
    case StatementEnd::Then:
    case StatementEnd::Else:
      out_.append(line_.substr(scan.end, 4));
      return scan.end + 4;
    case StatementEnd::Comment:
      out_.append(line_.substr(scan.end));
      restTaken_ = true;
      break;
    case StatementEnd::Line:
      break;
  }
  return std::string_view::npos;
}

// The listing in code page 932, and where a comment could be added (npos when nowhere).
std::string listCp932(std::string_view program, std::size_t& commentPlace) {
  std::string out;
  out.reserve(program.size() + program.size() / 4);
  commentPlace = std::string_view::npos;
  for (std::size_t pos = 0; pos < program.size();) {
    std::size_t end = program.find('\n', pos);
    if (end == std::string_view::npos) end = program.size();
    std::string_view line = program.substr(pos, end - pos);
    std::size_t digits = 0;
    while (digits < line.size() && isDigit(line[digits])) ++digits;
    bool numbered = digits > 0 && digits < line.size() && line[digits] == ' ';
    bool plain = true;
    if (numbered) {
      out.append(line.substr(0, digits + 1));
      LineLister lister(line, out);
      lister.list(digits + 1);
      plain = lister.endsInPlainText();
    } else {
      out.append(line);
      plain = digits == line.size() && digits > 0;
    }
    if (plain && commentPlace == std::string_view::npos) commentPlace = out.size();
    if (end < program.size()) out += '\n';
    pos = end + 1;
  }
  return out;
}

}  // namespace

std::string listProgram(std::string_view programText) {
  std::size_t commentPlace = 0;
  std::string listing = listCp932(programText, commentPlace);
  bool lossless = true;
  std::string utf8 = platform::cp932ToUtf8(listing, &lossless);
  if (lossless && platform::utf8ToCp932(utf8) == listing) return utf8;
  // The listing stays in code page 932. Should its bytes happen to read as UTF-8 too, a comment
  // with a byte that UTF-8 never uses makes the encoder read them as code page 932.
  if (platform::isValidUtf8(listing) && commentPlace != std::string_view::npos)
    listing.insert(commentPlace, "'\xFF");
  return listing;
}

}  // namespace tw::builder
