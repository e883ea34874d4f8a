// What the Windows entry point needs that any system can run and test: the words of a wide
// command line and the trailer's font as a LOGFONT. It keeps no state.
#include "host/host.h"

namespace tw::host {
namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// The program's name: between quotes when it starts with one, else up to the first blank.
std::size_t programName(std::u16string_view line, std::u16string& word) {
  std::size_t i = 0;
  if (!line.empty() && line[0] == u'"') {
    std::size_t close = line.find(u'"', 1);
    if (close == std::u16string_view::npos) close = line.size();
    word = line.substr(1, close - 1);
    i = close + 1;
  } else {
    while (i < line.size() && !isBlank(line[i])) ++i;
    word = line.substr(0, i);
  }
  return i;
}

}  // namespace

std::vector<std::string> splitCommandLine(std::u16string_view line) {
  std::vector<std::string> words;
  std::u16string word;
  std::size_t i = programName(line, word);
  words.push_back(platform::utf16ToUtf8(word));
  for (;;) {
    while (i < line.size() && isBlank(line[i])) ++i;
    if (i >= line.size()) break;
    word.clear();
    bool quoted = false;
    for (; i < line.size() && (quoted || !isBlank(line[i])); ++i) {
      std::size_t slashes = 0;
      while (i < line.size() && line[i] == u'\\') ++slashes, ++i;
      if (i >= line.size() || line[i] != u'"') {
        word.append(slashes, u'\\');
        if (i >= line.size()) break;
        if (!quoted && isBlank(line[i])) break;
        word += line[i];
        continue;
      }
      word.append(slashes / 2, u'\\');
      if (slashes % 2 == 1) {
        word += u'"';
      } else if (quoted && i + 1 < line.size() && line[i + 1] == u'"') {
        word += u'"';
        ++i;
      } else {
        quoted = !quoted;
      }
    }
    words.push_back(platform::utf16ToUtf8(word));
  }
  return words;
}

platform::LogFont logFont(const FontSpec& font) {
  platform::LogFont lf;
  lf.height = font.height;
  lf.width = font.width;
  lf.escapement = font.escapement;
  lf.orientation = font.orientation;
  lf.weight = font.weight;
  lf.italic = font.italic;
  lf.underline = font.underline;
  lf.strikeOut = font.strikeOut;
  lf.charSet = font.charSet;
  lf.outPrecision = font.outPrecision;
  lf.clipPrecision = font.clipPrecision;
  lf.quality = font.quality;
  lf.pitchAndFamily = font.pitchAndFamily;
  lf.faceName = platform::cp932ToUtf16(font.faceName);
  if (lf.faceName.size() > platform::logFontFaceLimit) lf.faceName.resize(platform::logFontFaceLimit);
  return lf;
}

}  // namespace tw::host
