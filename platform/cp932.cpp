// The code page 932 codec: conversion between code page 932 bytes and UTF-8 at the system's edge.
// It owns the mapping tables only and keeps no state besides the encoding index built on first use.
#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "platform/platform.h"

namespace tw::platform {
namespace {

#include "platform/cp932_table.inc"

constexpr int kTrails = 0xFD - 0x40;

int leadIndex(unsigned char lead) { return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 0x1F; }

// The character of a double-byte code, 0 if there is none.
char32_t decodePair(unsigned char lead, unsigned char trail) {
  if (trail < 0x40 || trail > 0xFC) return 0;
  return kDoubleByte[leadIndex(lead) * kTrails + (trail - 0x40)];
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes one UTF-8 character at pos; returns its length, 0 when malformed.
std::size_t decodeUtf8(std::string_view s, std::size_t pos, char32_t& c) {
  auto b = static_cast<unsigned char>(s[pos]);
  std::size_t len;
  if (b < 0x80) {
    c = b;
    return 1;
  } else if (b >= 0xC2 && b <= 0xDF) {
    len = 2, c = b & 0x1F;
  } else if (b >= 0xE0 && b <= 0xEF) {
    len = 3, c = b & 0x0F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    len = 4, c = b & 0x07;
  } else {
    return 0;
  }
  if (pos + len > s.size()) return 0;
  for (std::size_t i = 1; i < len; ++i) {
    auto t = static_cast<unsigned char>(s[pos + i]);
    if ((t & 0xC0) != 0x80) return 0;
    c = (c << 6) | (t & 0x3F);
  }
  static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kMinimum[len] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return len;
}

// Decodes one UTF-16 character at pos; returns its length in units, 0 for a lone surrogate.
std::size_t decodeUtf16(std::u16string_view s, std::size_t pos, char32_t& c) {
  const char16_t u = s[pos];
  if (u < 0xD800 || u > 0xDFFF) {
    c = u;
    return 1;
  }
  if (u > 0xDBFF || pos + 1 >= s.size() || s[pos + 1] < 0xDC00 || s[pos + 1] > 0xDFFF) return 0;
  c = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (s[pos + 1] - 0xDC00);
  return 2;
}

void appendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
    return;
  }
  c -= 0x10000;
  out += static_cast<char16_t>(0xD800 + (c >> 10));
  out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
}

// The character of the code page 932 bytes at i, advancing i past them; 0 when they have none.
char32_t decodeCp932(std::string_view text, std::size_t& i) {
  auto b = static_cast<unsigned char>(text[i]);
  if (b < 0x80) return b;
  if (isLeadByte(b) && i + 1 < text.size()) {
    char32_t c = decodePair(b, static_cast<unsigned char>(text[i + 1]));
    if (c) ++i;
    return c;
  }
  return kSingleByte[b - 0x80];
}

using EncodeEntry = std::pair<char32_t, std::uint16_t>;

// Unicode to code page 932, sorted by character; built once from the decoding tables.
const std::vector<EncodeEntry>& encodeIndex() {
  static const std::vector<EncodeEntry> index = [] {
    std::vector<EncodeEntry> v;
    for (int b = 0; b < 128; ++b)
      if (kSingleByte[b]) v.emplace_back(kSingleByte[b], static_cast<std::uint16_t>(0x80 + b));
    const auto* skipBegin = std::begin(kNonCanonical);
    const auto* skipEnd = std::end(kNonCanonical);
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
      if (!isLeadByte(static_cast<unsigned char>(lead))) continue;
      for (int trail = 0x40; trail <= 0xFC; ++trail) {
        char32_t c = decodePair(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
        auto code = static_cast<std::uint16_t>(lead * 256 + trail);
        if (c && !std::binary_search(skipBegin, skipEnd, code)) v.emplace_back(c, code);
      }
    }
    std::sort(v.begin(), v.end());
    return v;
  }();
  return index;
}

// Appends the code page 932 bytes of a character; false when it has none.
bool appendCp932(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
    return true;
  }
  const auto& index = encodeIndex();
  auto it = std::lower_bound(index.begin(), index.end(), EncodeEntry{c, 0});
  if (it == index.end() || it->first != c) return false;
  if (it->second > 0xFF) out += static_cast<char>(it->second >> 8);
  out += static_cast<char>(it->second & 0xFF);
  return true;
}

}  // namespace

std::string cp932ToUtf8(std::string_view text, bool* lossless) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool nul = text[i] == 0;
    char32_t c = decodeCp932(text, i);
    if (!c && !nul) {
      c = 0xFFFD;
      if (lossless) *lossless = false;
    }
    appendUtf8(out, c);
  }
  return out;
}

std::u16string cp932ToUtf16(std::string_view text, bool* lossless) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool nul = text[i] == 0;
    char32_t c = decodeCp932(text, i);
    if (!c && !nul) {
      c = 0xFFFD;
      if (lossless) *lossless = false;
    }
    appendUtf16(out, c);
  }
  return out;
}

std::optional<std::string> utf8ToCp932(std::string_view text, std::size_t* badOffset) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t c = 0;
    std::size_t len = decodeUtf8(text, i, c);
    if (len == 0 || !appendCp932(out, c)) {
      if (badOffset) *badOffset = i;
      return std::nullopt;
    }
    i += len;
  }
  return out;
}

std::optional<std::string> utf16ToCp932(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (std::size_t i = 0; i < text.size();) {
    char32_t c = 0;
    std::size_t len = decodeUtf16(text, i, c);
    if (len == 0 || !appendCp932(out, c)) return std::nullopt;
    i += len;
  }
  return out;
}

std::u16string utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t c = 0xFFFD;
    std::size_t len = decodeUtf8(text, i, c);
    if (len == 0) c = 0xFFFD, len = 1;
    appendUtf16(out, c);
    i += len;
  }
  return out;
}

std::string utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (std::size_t i = 0; i < text.size();) {
    char32_t c = 0xFFFD;
    std::size_t len = decodeUtf16(text, i, c);
    if (len == 0) c = 0xFFFD, len = 1;
    appendUtf8(out, c);
    i += len;
  }
  return out;
}

std::string typedCp932(std::string_view utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t c = 0;
    const std::size_t len = decodeUtf8(utf8, i, c);
    if (len == 0) {
      ++i;
      continue;
    }
    if (std::optional<std::string> bytes = utf8ToCp932(utf8.substr(i, len))) out += *bytes;
    i += len;
  }
  return out;
}

bool isValidUtf8(std::string_view text) {
  char32_t c = 0;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t len = decodeUtf8(text, i, c);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

std::string boxLine(std::string_view title, std::string_view text) {
  std::string line = "[" + cp932ToUtf8(title) + "] " + cp932ToUtf8(text);
  for (char& c : line)
    if (c == '\n') c = ' ';
  return line + '\n';
}

}  // namespace tw::platform
