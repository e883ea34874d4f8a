// The double-byte string functions AKCNV$, KACNV$, KLEN, KMID$ and KINSTR, and the two code page
// 932 tables between single bytes and their full-width forms. Characters are counted by walking
// the bytes from the start: a lead byte and the byte after it are one character.
#include <algorithm>
#include <array>

#include "builtins/detail.h"

namespace tw::builtins::detail {
namespace {

// The full-width forms of the printable bytes 0x20 to 0x7E. The double quote, apostrophe,
// backslash, back-quote and tilde take ” ’ ￥ ‘ ￣.
constexpr std::array<std::uint16_t, 95> asciiFullWidth{
    0x8140, 0x8149, 0x8168, 0x8194, 0x8190, 0x8193, 0x8195, 0x8166,  //  !"#$%&'
    0x8169, 0x816A, 0x8196, 0x817B, 0x8143, 0x817C, 0x8144, 0x815E,  // ()*+,-./
    0x824F, 0x8250, 0x8251, 0x8252, 0x8253, 0x8254, 0x8255, 0x8256,  // 01234567
    0x8257, 0x8258, 0x8146, 0x8147, 0x8183, 0x8181, 0x8184, 0x8148,  // 89:;<=>?
    0x8197, 0x8260, 0x8261, 0x8262, 0x8263, 0x8264, 0x8265, 0x8266,  // @ABCDEFG
    0x8267, 0x8268, 0x8269, 0x826A, 0x826B, 0x826C, 0x826D, 0x826E,  // HIJKLMNO
    0x826F, 0x8270, 0x8271, 0x8272, 0x8273, 0x8274, 0x8275, 0x8276,  // PQRSTUVW
    0x8277, 0x8278, 0x8279, 0x816D, 0x818F, 0x816E, 0x814F, 0x8151,  // XYZ[\]^_
    0x8165, 0x8281, 0x8282, 0x8283, 0x8284, 0x8285, 0x8286, 0x8287,  // `abcdefg
    0x8288, 0x8289, 0x828A, 0x828B, 0x828C, 0x828D, 0x828E, 0x828F,  // hijklmno
    0x8290, 0x8291, 0x8292, 0x8293, 0x8294, 0x8295, 0x8296, 0x8297,  // pqrstuvw
    0x8298, 0x8299, 0x829A, 0x816F, 0x8162, 0x8170, 0x8150,          // xyz{|}~
};

// The full-width forms of the half-width signs and katakana 0xA1 to 0xDF: plain letters of the
// same size, voicing marks as separate characters.
constexpr std::array<std::uint16_t, 63> kanaFullWidth{
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340,          // ｡｢｣､･ｦｧ
    0x8342, 0x8344, 0x8346, 0x8348, 0x8383, 0x8385, 0x8387, 0x8362,  // ｨｩｪｫｬｭｮｯ
    0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C,  // ｰｱｲｳｴｵｶｷ
    0x834E, 0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C,  // ｸｹｺｻｼｽｾｿ
    0x835E, 0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B,  // ﾀﾁﾂﾃﾄﾅﾆﾇ
    0x836C, 0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D,  // ﾈﾉﾊﾋﾌﾍﾎﾏ
    0x837E, 0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389,  // ﾐﾑﾒﾓﾔﾕﾖﾗ
    0x838A, 0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B,  // ﾘﾙﾚﾛﾜﾝﾞﾟ
};

// A run of double-byte codes that share one single byte: a letter with its voiced (span 2) or
// voiced and semi-voiced (span 3) forms.
struct KanaEntry {
  std::uint16_t first;
  std::uint8_t span;
  std::uint8_t single;
};

// Searched in order: the katakana ァ to ヶ, the hiragana ぁ to ん, then the signs.
constexpr KanaEntry kanaEntries[] = {
    {0x8340, 1, 0xA7}, {0x8341, 1, 0xB1}, {0x8342, 1, 0xA8}, {0x8343, 1, 0xB2},  // ァアィイ
    {0x8344, 1, 0xA9}, {0x8345, 1, 0xB3}, {0x8346, 1, 0xAA}, {0x8347, 1, 0xB4},  // ゥウェエ
    {0x8348, 1, 0xAB}, {0x8349, 1, 0xB5}, {0x834A, 2, 0xB6}, {0x834C, 2, 0xB7},  // ォオカキ
    {0x834E, 2, 0xB8}, {0x8350, 2, 0xB9}, {0x8352, 2, 0xBA}, {0x8354, 2, 0xBB},  // クケコサ
    {0x8356, 2, 0xBC}, {0x8358, 2, 0xBD}, {0x835A, 2, 0xBE}, {0x835C, 2, 0xBF},  // シスセソ
    {0x835E, 2, 0xC0}, {0x8360, 2, 0xC1}, {0x8362, 1, 0xAF}, {0x8363, 2, 0xC2},  // タチッツ
    {0x8365, 2, 0xC3}, {0x8367, 2, 0xC4}, {0x8369, 1, 0xC5}, {0x836A, 1, 0xC6},  // テトナニ
    {0x836B, 1, 0xC7}, {0x836C, 1, 0xC8}, {0x836D, 1, 0xC9}, {0x836E, 3, 0xCA},  // ヌネノハ
    {0x8371, 3, 0xCB}, {0x8374, 3, 0xCC}, {0x8377, 3, 0xCD}, {0x837A, 3, 0xCE},  // ヒフヘホ
    {0x837D, 1, 0xCF}, {0x837E, 1, 0xD0}, {0x8380, 1, 0xD1}, {0x8381, 1, 0xD2},  // マミムメ
    {0x8382, 1, 0xD3}, {0x8383, 1, 0xAC}, {0x8384, 1, 0xD4}, {0x8385, 1, 0xAD},  // モャヤュ
    {0x8386, 1, 0xD5}, {0x8387, 1, 0xAE}, {0x8388, 1, 0xD6}, {0x8389, 1, 0xD7},  // ユョヨラ
    {0x838A, 1, 0xD8}, {0x838B, 1, 0xD9}, {0x838C, 1, 0xDA}, {0x838D, 1, 0xDB},  // リルレロ
    {0x838E, 2, 0xDC}, {0x8390, 1, 0xB2}, {0x8391, 1, 0xB4}, {0x8392, 1, 0xA6},  // ヮワヰヱヲ
    {0x8393, 1, 0xDD}, {0x8394, 1, 0xB3}, {0x8395, 1, 0xB6}, {0x8396, 1, 0xB9},  // ンヴヵヶ
    {0x829F, 1, 0xA7}, {0x82A0, 1, 0xB1}, {0x82A1, 1, 0xA8}, {0x82A2, 1, 0xB2},  // ぁあぃい
    {0x82A3, 1, 0xA9}, {0x82A4, 1, 0xB3}, {0x82A5, 1, 0xAA}, {0x82A6, 1, 0xB4},  // ぅうぇえ
    {0x82A7, 1, 0xAB}, {0x82A8, 1, 0xB5}, {0x82A9, 2, 0xB6}, {0x82AB, 2, 0xB7},  // ぉおかき
    {0x82AD, 2, 0xB8}, {0x82AF, 2, 0xB9}, {0x82B1, 2, 0xBA}, {0x82B3, 2, 0xBB},  // くけこさ
    {0x82B5, 2, 0xBC}, {0x82B7, 2, 0xBD}, {0x82B9, 2, 0xBE}, {0x82BB, 2, 0xBF},  // しすせそ
    {0x82BD, 2, 0xC0}, {0x82BF, 2, 0xC1}, {0x82C1, 1, 0xAF}, {0x82C2, 2, 0xC2},  // たちっつ
    {0x82C4, 2, 0xC3}, {0x82C6, 2, 0xC4}, {0x82C8, 1, 0xC5}, {0x82C9, 1, 0xC6},  // てとなに
    {0x82CA, 1, 0xC7}, {0x82CB, 1, 0xC8}, {0x82CC, 1, 0xC9}, {0x82CD, 3, 0xCA},  // ぬねのは
    {0x82D0, 3, 0xCB}, {0x82D3, 3, 0xCC}, {0x82D6, 3, 0xCD}, {0x82D9, 3, 0xCE},  // ひふへほ
    {0x82DC, 1, 0xCF}, {0x82DD, 1, 0xD0}, {0x82DE, 1, 0xD1}, {0x82DF, 1, 0xD2},  // まみむめ
    {0x82E0, 1, 0xD3}, {0x82E1, 1, 0xAC}, {0x82E2, 1, 0xD4}, {0x82E3, 1, 0xAD},  // もゃやゅ
    {0x82E4, 1, 0xD5}, {0x82E5, 1, 0xAE}, {0x82E6, 1, 0xD6}, {0x82E7, 1, 0xD7},  // ゆょよら
    {0x82E8, 1, 0xD8}, {0x82E9, 1, 0xD9}, {0x82EA, 1, 0xDA}, {0x82EB, 1, 0xDB},  // りるれろ
    {0x82EC, 2, 0xDC}, {0x82EE, 1, 0xB2}, {0x82EF, 1, 0xB4}, {0x82F0, 1, 0xA6},  // ゎわゐゑを
    {0x82F1, 1, 0xDD},                                                           // ん
    {0x8140, 1, 0x20}, {0x8142, 1, 0xA1}, {0x8175, 1, 0xA2}, {0x8176, 1, 0xA3},  // 　。「」
    {0x8141, 1, 0xA4}, {0x8145, 1, 0xA5}, {0x815B, 1, 0xB0}, {0x814A, 1, 0xDE},  // 、・ー゛
    {0x814B, 1, 0xDF},                                                           // ゜
};

// Bytes a character takes at pos: two for a lead byte with a byte after it.
std::size_t characterSize(std::string_view s, std::size_t pos) {
  return isLeadByte(s[pos]) && pos + 1 < s.size() ? 2 : 1;
}

// Characters that begin in the first `bytes` bytes.
std::int64_t charactersIn(std::string_view s, std::size_t bytes) {
  std::int64_t count = 0;
  for (std::size_t pos = 0; pos < bytes; pos += characterSize(s, pos)) ++count;
  return count;
}

// The raw bytes of a string argument; false after a reported error.
bool rawArgument(Runtime& rt, std::string_view a, std::string& raw) {
  std::string contents;
  return stringArgument(rt, a, contents) && unescapeString(rt, contents, raw);
}

}  // namespace

std::uint16_t fullWidthForm(unsigned char byte) {
  if (byte >= 0x20 && byte <= 0x7E) return asciiFullWidth[byte - 0x20];
  if (byte >= 0xA1 && byte <= 0xDF) return kanaFullWidth[byte - 0xA1];
  return 0;
}

unsigned char halfWidthForm(std::uint16_t code) {
  const auto* ascii = std::find(asciiFullWidth.begin(), asciiFullWidth.end(), code);
  if (ascii != asciiFullWidth.end())
    return static_cast<unsigned char>(0x20 + (ascii - asciiFullWidth.begin()));
  if (code > 0x8396) return 0;
  for (const KanaEntry& e : kanaEntries)
    if ((code >> 8) == (e.first >> 8) && code >= e.first && code - e.first < e.span)
      return e.single;
  return 0;
}

void akcnvFunction(Runtime& rt, std::string_view a, std::string& out) {
  std::string raw;
  if (!rawArgument(rt, a, raw)) return;
  std::string converted;
  converted.reserve(raw.size() * 2);
  for (std::size_t pos = 0; pos < raw.size(); ++pos) {
    if (characterSize(raw, pos) == 2) {
      converted.append(raw, pos++, 2);
      continue;
    }
    // A byte without a full-width form (control bytes, 0x7F, 0x80, 0xA0, 0xFD to 0xFF) stays.
    const std::uint16_t form = fullWidthForm(static_cast<unsigned char>(raw[pos]));
    if (form == 0) {
      converted.push_back(raw[pos]);
    } else {
      converted.push_back(static_cast<char>(form >> 8));
      converted.push_back(static_cast<char>(form & 0xFF));
    }
  }
  appendRawAsLiteral(out, converted);
}

void kacnvFunction(Runtime& rt, std::string_view a, std::string& out) {
  std::string raw;
  if (!rawArgument(rt, a, raw)) return;
  std::string converted;
  converted.reserve(raw.size());
  for (std::size_t pos = 0; pos < raw.size(); ++pos) {
    if (characterSize(raw, pos) == 1) {
      converted.push_back(raw[pos]);
      continue;
    }
    const auto code = static_cast<std::uint16_t>(static_cast<unsigned char>(raw[pos]) << 8 |
                                                 static_cast<unsigned char>(raw[pos + 1]));
    if (const unsigned char single = halfWidthForm(code))
      converted.push_back(static_cast<char>(single));
    else
      converted.append(raw, pos, 2);
    ++pos;
  }
  appendRawAsLiteral(out, converted);
}

std::int32_t klenFunction(Runtime& rt, std::string_view a) {
  std::string contents;
  if (!checkArgCount(rt, a, 1, true) || !stringArgument(rt, a, contents)) return 0;
  // Counted over the whole literal, quotes included, as its value is written: a lead byte at
  // the end of the contents takes the closing quote as its second byte.
  const std::string literal = "\"" + contents + "\"";
  return static_cast<std::int32_t>(charactersIn(literal, literal.size()) - 2);
}

void kmidFunction(Runtime& rt, std::string_view a, std::string& out) {
  SliceArguments s;
  if (!sliceArguments(rt, a, s)) return;
  const std::string_view contents = s.contents;
  std::size_t from = 0;
  for (std::int32_t c = 1; c < s.start && from < contents.size(); ++c)
    from += characterSize(contents, from);
  std::size_t to = from;
  for (std::int64_t c = 0; (s.length < 0 || c < s.length) && to < contents.size(); ++c)
    to += characterSize(contents, to);
  appendQuoted(out, contents.substr(from, to - from));
}

std::int32_t kinstrFunction(Runtime& rt, std::string_view a) {
  SearchArguments s;
  if (!searchArguments(rt, a, s)) return 0;
  if (s.sought.empty()) return static_cast<std::int32_t>(s.offset);
  if (s.offset > static_cast<std::int64_t>(s.searched.size())) return 0;
  const std::size_t at = s.searched.find(s.sought, static_cast<std::size_t>(s.offset));
  if (at == std::string::npos) return 0;
  // The character where the match begins, whatever the matched bytes end in.
  return static_cast<std::int32_t>(1 + charactersIn(s.searched, at));
}

}  // namespace tw::builtins::detail
