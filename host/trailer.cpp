// The program trailer: reading it backwards from the end of an executable and writing it for the
// builder. Pure functions over bytes; files are opened by the callers.
#include <charconv>

#include "host/host.h"

namespace tw::host {

// "ＭＳ 明朝" in code page 932.
const std::string_view defaultFaceName = "\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9";

namespace {

unsigned char byteAt(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

// Reads the 13 numbers the way "%d %d ..." does: blanks before each number, then an optionally
// signed decimal integer; whatever follows the thirteenth number is ignored.
std::optional<std::array<long long, 13>> parseNumbers(std::string_view text) {
  std::array<long long, 13> values{};
  std::size_t pos = 0;
  for (auto& value : values) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    std::size_t start = pos;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) ++pos;
    std::size_t digits = pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
    if (pos == digits) return std::nullopt;
    std::string_view number = text.substr(start, pos - start);
    if (number[0] == '+') number.remove_prefix(1);
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec != std::errc{})
      return std::nullopt;
  }
  return values;
}

}  // namespace

std::optional<FontSpec> parseFont(std::string_view fontNumbers, std::string_view faceName) {
  auto numbers = parseNumbers(fontNumbers);
  if (!numbers || faceName.size() > faceNameLimit) return std::nullopt;
  const auto& n = *numbers;
  auto i32 = [](long long v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); };
  auto u8 = [](long long v) { return static_cast<std::uint8_t>(v & 0xFF); };
  FontSpec f;
  f.height = i32(n[0]), f.width = i32(n[1]), f.escapement = i32(n[2]);
  f.orientation = i32(n[3]), f.weight = i32(n[4]);
  f.italic = u8(n[5]), f.underline = u8(n[6]), f.strikeOut = u8(n[7]), f.charSet = u8(n[8]);
  f.outPrecision = u8(n[9]), f.clipPrecision = u8(n[10]), f.quality = u8(n[11]);
  f.pitchAndFamily = u8(n[12]);
  f.faceName = faceName;
  return f;
}

std::optional<ProgramImage> readTrailer(std::string_view file) {
  // Each field is followed by its length; every step checks that the field lies inside the file.
  std::size_t end = file.size();
  if (end < 2) return std::nullopt;
  std::size_t programLength = byteAt(file, end - 2) * 256u + byteAt(file, end - 1);
  std::size_t pos = end - 2;
  if (programLength + 1 > pos) return std::nullopt;
  ProgramImage image;
  image.programText = std::string(file.substr(pos - programLength, programLength));
  pos -= programLength + 1;
  std::size_t numbersLength = byteAt(file, pos);
  if (numbersLength + 1 > pos) return std::nullopt;
  image.fontNumbers = std::string(file.substr(pos - numbersLength, numbersLength));
  pos -= numbersLength + 1;
  std::size_t faceLength = byteAt(file, pos);
  if (faceLength > faceNameLimit || faceLength > pos) return std::nullopt;
  image.faceName = std::string(file.substr(pos - faceLength, faceLength));
  if (!parseFont(image.fontNumbers, image.faceName)) return std::nullopt;
  return image;
}

std::optional<std::string> makeTrailer(const ProgramImage& image) {
  if (image.faceName.size() > faceNameLimit || image.fontNumbers.size() > fontNumbersLimit ||
      image.programText.size() > programTextLimit)
    return std::nullopt;
  std::string out;
  out.reserve(image.faceName.size() + image.fontNumbers.size() + image.programText.size() + 4);
  out += image.faceName;
  out += static_cast<char>(image.faceName.size());
  out += image.fontNumbers;
  out += static_cast<char>(image.fontNumbers.size());
  out += image.programText;
  out += static_cast<char>(image.programText.size() >> 8);
  out += static_cast<char>(image.programText.size() & 0xFF);
  return out;
}

}  // namespace tw::host
