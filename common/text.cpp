// System-independent parts of the text module. The ANSI code page and case mappings live in
// text_native.cpp and win32/text_win32.cpp.
#include "common/text.h"

#include <cstddef>
#include <cstdint>

namespace veld {

namespace {

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Number of continuation bytes a lead byte announces in the lax sense of utf8ToSingleByte;
// -1 for bytes that cannot start a sequence there.
int laxTrailCount(unsigned char b) {
  if (b >= 0xC0 && b <= 0xDF) return 1;
  if (b >= 0xE0 && b <= 0xEF) return 2;
  if (b >= 0xF0 && b <= 0xF7) return 3;
  return -1;
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::string latin1ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | (b >> 6));
      out += static_cast<char>(0x80 | (b & 0x3F));
    }
  }
  return out;
}

std::string utf8ToSingleByte(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  const std::size_t n = utf8.size();
  std::size_t i = 0;
  while (i < n) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++i;
      continue;
    }
    const int trail = laxTrailCount(b);
    if (trail < 0) {  // stray continuation byte, or 0xF8-0xFF
      ++i;
      continue;
    }
    int have = 0;
    while (have < trail && i + 1 + have < n &&
           isContinuation(static_cast<unsigned char>(utf8[i + 1 + have]))) {
      ++have;
    }
    if (have == trail) {
      if (trail == 1) {
        const unsigned cp = ((b & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
        out += cp < 256 ? static_cast<char>(cp) : '?';
      } else {
        out += '?';
      }
      i += 1 + trail;
    } else if (i + 1 + have >= n) {
      break;  // cut short by the end of the text: dropped
    } else {
      out += '?';  // a lead byte without its continuation: only the lead byte is consumed
      ++i;
    }
  }
  return out;
}

std::u16string utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  const std::size_t n = utf8.size();
  std::size_t i = 0;
  auto at = [&](std::size_t k) { return static_cast<unsigned char>(utf8[k]); };
  while (i < n) {
    const unsigned char b = at(i);
    if (b < 0x80) {
      out += static_cast<char16_t>(b);
      ++i;
      continue;
    }
    // Well-formed sequences per the Unicode table; the bounds of the second byte exclude overlong
    // forms, surrogates and values above U+10FFFF.
    int trail;
    unsigned char lo = 0x80, hi = 0xBF;
    char32_t cp;
    if (b >= 0xC2 && b <= 0xDF) {
      trail = 1;
      cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      trail = 2;
      cp = b & 0x0F;
      if (b == 0xE0) lo = 0xA0;
      if (b == 0xED) hi = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      trail = 3;
      cp = b & 0x07;
      if (b == 0xF0) lo = 0x90;
      if (b == 0xF4) hi = 0x8F;
    } else {
      out += u'\xFFFD';
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    bool ok = true;
    for (int k = 0; k < trail; ++k, ++j) {
      if (j >= n) {
        ok = false;
        break;
      }
      const unsigned char c = at(j);
      const unsigned char l = k == 0 ? lo : 0x80;
      const unsigned char h = k == 0 ? hi : 0xBF;
      if (c < l || c > h) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (c & 0x3F);
    }
    if (!ok) {
      out += u'\xFFFD';  // one replacement for the maximal malformed part
      i = j;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
    i = j;
  }
  return out;
}

std::string utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  const std::size_t n = utf16.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t u = utf16[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < n && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
      const char32_t cp = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      appendUtf8(out, cp);
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      appendUtf8(out, 0xFFFD);
    } else {
      appendUtf8(out, u);
    }
  }
  return out;
}

std::string ansiToUtf8(std::string_view ansi) { return utf16ToUtf8(ansiToUtf16(ansi)); }

std::string programTextToUtf8(std::string_view text, Encoding encoding) {
  return encoding == Encoding::Ansi ? ansiToUtf8(text) : std::string(text);
}

std::string utf8ToProgramText(std::string_view utf8, Encoding encoding) {
  return encoding == Encoding::Ansi ? utf8ToSingleByte(utf8) : std::string(utf8);
}

}  // namespace veld
