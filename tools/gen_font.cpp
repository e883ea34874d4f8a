// Makes the built-in font's glyph tables from GNU Unifont's .hex files: for every code page 932
// character its glyph, from the Japanese file when it has one, else from the general one, written
// as a C++ include file. The build runs it; it writes nothing but the file it is given.
//
//   gen_font OUTPUT JAPANESE_HEX GENERAL_HEX
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/platform.h"

namespace {

using Glyph = std::array<std::uint16_t, 16>;  // rows, the leftmost pixel in the top bit
using HexFont = std::unordered_map<char32_t, std::string>;

constexpr int trailCount = 0xFD - 0x40;
constexpr int leadCount = (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1);

// Reads lines "CODE:DIGITS"; lines that are not are skipped.
bool readHexFont(const char* path, HexFont& font) {
  std::ifstream in(path);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos || colon == 0) continue;
    font[static_cast<char32_t>(std::stoul(line.substr(0, colon), nullptr, 16))] =
        line.substr(colon + 1);
  }
  return true;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A Unifont glyph (8 or 16 pixels wide) in a cell of the given width; an 8-wide glyph keeps the
// left half of a 16-wide cell, a 16-wide glyph in an 8-wide cell keeps its left half.
std::optional<Glyph> parseGlyph(const std::string& digits, int cellWidth) {
  const std::size_t perRow = digits.size() / 16;
  if (digits.size() % 16 != 0 || (perRow != 2 && perRow != 4)) return std::nullopt;
  Glyph g{};
  for (std::size_t r = 0; r < 16; ++r) {
    unsigned v = 0;
    for (std::size_t k = 0; k < perRow; ++k) {
      const int d = hexDigit(digits[r * perRow + k]);
      if (d < 0) return std::nullopt;
      v = (v << 4) | static_cast<unsigned>(d);
    }
    if (perRow == 2) v <<= 8;
    if (cellWidth == 8) v &= 0xFF00;
    g[r] = static_cast<std::uint16_t>(v);
  }
  return g;
}

// The one character a UTF-8 text holds, 0 when it holds another count.
char32_t onlyCharacter(const std::string& s) {
  if (s.empty()) return 0;
  const auto b = static_cast<unsigned char>(s[0]);
  const std::size_t len = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
  if (s.size() != len) return 0;
  char32_t c = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
  for (std::size_t i = 1; i < len; ++i) c = (c << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
  return c;
}

bool isControl(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

struct Fonts {
  HexFont japanese, general;

  // The glyph of a code page 932 byte or pair; nothing for controls and characters without one.
  std::optional<Glyph> glyphOf(const std::string& bytes, int cellWidth) const {
    bool lossless = true;
    const char32_t c = onlyCharacter(tw::platform::cp932ToUtf8(bytes, &lossless));
    if (!lossless || c == 0 || isControl(c)) return std::nullopt;
    for (const HexFont* font : {&japanese, &general}) {
      auto it = font->find(c);
      if (it != font->end()) return parseGlyph(it->second, cellWidth);
    }
    return std::nullopt;
  }
};

// Glyphs kept once each, the empty glyph first.
struct GlyphTable {
  std::vector<Glyph> glyphs{Glyph{}};
  std::map<Glyph, std::uint16_t> index{{Glyph{}, 0}};

  std::uint16_t add(const std::optional<Glyph>& g) {
    if (!g) return 0;
    auto [it, added] = index.emplace(*g, static_cast<std::uint16_t>(glyphs.size()));
    if (added) glyphs.push_back(*g);
    return it->second;
  }
};

void writeIndexes(std::FILE* out, const char* name, const std::vector<std::uint16_t>& v) {
  std::fprintf(out, "const std::uint16_t %s[%zu] = {", name, v.size());
  for (std::size_t i = 0; i < v.size(); ++i)
    std::fprintf(out, "%s%u,", i % 16 == 0 ? "\n" : "", static_cast<unsigned>(v[i]));
  std::fprintf(out, "\n};\n");
}

bool write(const char* path, const GlyphTable& table, const std::vector<std::uint16_t>& single,
           const std::vector<std::uint16_t>& pairs) {
  std::FILE* out = std::fopen(path, "w");
  if (!out) return false;
  std::fprintf(out, "// Made by tools/gen_font.cpp from GNU Unifont when the system is built.\n");
  std::fprintf(out, "const std::uint16_t glyphRows[%zu][16] = {\n", table.glyphs.size());
  for (const Glyph& g : table.glyphs) {
    std::fprintf(out, "{");
    for (std::uint16_t row : g) std::fprintf(out, "0x%X,", static_cast<unsigned>(row));
    std::fprintf(out, "},\n");
  }
  std::fprintf(out, "};\n");
  writeIndexes(out, "singleByteGlyphs", single);
  writeIndexes(out, "doubleByteGlyphs", pairs);
  return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: gen_font OUTPUT JAPANESE_HEX GENERAL_HEX\n");
    return 2;
  }
  Fonts fonts;
  if (!readHexFont(argv[2], fonts.japanese) || !readHexFont(argv[3], fonts.general)) {
    std::fprintf(stderr, "gen_font: cannot read the Unifont files\n");
    return 1;
  }
  GlyphTable table;
  std::vector<std::uint16_t> single(256, 0);
  for (int b = 0; b < 256; ++b)
    if (!tw::platform::isLeadByte(static_cast<unsigned char>(b)))
      single[b] = table.add(fonts.glyphOf(std::string(1, static_cast<char>(b)), 8));
  std::vector<std::uint16_t> pairs(leadCount * trailCount, 0);
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!tw::platform::isLeadByte(static_cast<unsigned char>(lead))) continue;
    const int leadIndex = lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 0x1F;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
      pairs[leadIndex * trailCount + (trail - 0x40)] = table.add(fonts.glyphOf(bytes, 16));
    }
  }
  if (!write(argv[1], table, single, pairs)) {
    std::fprintf(stderr, "gen_font: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
