// Native stand-in for the system side of the text module: the ANSI code page is 1252, as on the
// Windows systems the programs target, and case mapping follows what Windows does for that code page.
#include "common/text.h"

#include <clocale>
#include <cwctype>
#include <locale.h>

namespace veld {

namespace {

// Code page 1252, bytes 0x80-0x9F. The five bytes the code page leaves undefined map to the C1
// controls of the same value, as MultiByteToWideChar does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

char16_t decode1252(unsigned char b) {
  return (b >= 0x80 && b <= 0x9F) ? kCp1252High[b - 0x80] : static_cast<char16_t>(b);
}

// The byte of a character in code page 1252, or -1 when the code page lacks it.
int encode1252(char16_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return u;
  for (int i = 0; i < 32; ++i) {
    if (kCp1252High[i] == u) return 0x80 + i;
  }
  return -1;
}

// Unicode simple case mapping from the C library's UTF-8 locale, which carries the full Unicode
// tables. Without that locale only ASCII, Latin-1 and the letters of code page 1252 map.
locale_t unicodeLocale() {
  static const locale_t loc = [] {
    locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (l == static_cast<locale_t>(nullptr)) l = newlocale(LC_CTYPE_MASK, "C.utf8", static_cast<locale_t>(nullptr));
    return l;
  }();
  return loc;
}

char16_t fallbackLower(char16_t u) {
  if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) return static_cast<char16_t>(u + 0x20);
  switch (u) {
    case 0x0160: return 0x0161;
    case 0x0152: return 0x0153;
    case 0x017D: return 0x017E;
    case 0x0178: return 0x00FF;
    default: return u;
  }
}

char16_t fallbackUpper(char16_t u) {
  if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7)) return static_cast<char16_t>(u - 0x20);
  switch (u) {
    case 0x0161: return 0x0160;
    case 0x0153: return 0x0152;
    case 0x017E: return 0x017D;
    case 0x00FF: return 0x0178;
    default: return u;
  }
}

// Maps one UTF-16 code unit; surrogates stay as they are, as CharLowerBuffW/CharUpperBuffW treat
// every code unit alone. Like the system, only mappings that lead back to the same unit count:
// MICRO SIGN, dotless i, long s, final sigma, KELVIN SIGN and the like keep their case.
char16_t mapUnit(char16_t u, bool upper) {
  if (u >= 0xD800 && u <= 0xDFFF) return u;
  const locale_t loc = unicodeLocale();
  if (loc == static_cast<locale_t>(nullptr)) return upper ? fallbackUpper(u) : fallbackLower(u);
  const wint_t m = upper ? towupper_l(u, loc) : towlower_l(u, loc);
  if (m == u || m > 0xFFFF) return u;
  const wint_t back = upper ? towlower_l(m, loc) : towupper_l(m, loc);
  return back == u ? static_cast<char16_t>(m) : u;
}

std::string mapAnsi(std::string_view ansi, bool upper) {
  std::string out(ansi);
  for (char& c : out) {
    const char16_t mapped = mapUnit(decode1252(static_cast<unsigned char>(c)), upper);
    const int b = encode1252(mapped);
    if (b >= 0) c = static_cast<char>(b);
  }
  return out;
}

std::u16string mapUtf16(std::u16string_view text, bool upper) {
  std::u16string out(text);
  for (char16_t& u : out) u = mapUnit(u, upper);
  return out;
}

}  // namespace

std::u16string ansiToUtf16(std::string_view ansi) {
  std::u16string out;
  out.reserve(ansi.size());
  for (char c : ansi) out += decode1252(static_cast<unsigned char>(c));
  return out;
}

std::string utf16ToAnsi(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    const char16_t u = utf16[i];
    // A surrogate pair is one character: one '?'.
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) ++i;
    const int b = encode1252(u);
    out += b >= 0 ? static_cast<char>(b) : '?';
  }
  return out;
}

std::string ansiToLower(std::string_view ansi) { return mapAnsi(ansi, false); }
std::string ansiToUpper(std::string_view ansi) { return mapAnsi(ansi, true); }
std::u16string utf16ToLower(std::u16string_view utf16) { return mapUtf16(utf16, false); }
std::u16string utf16ToUpper(std::u16string_view utf16) { return mapUtf16(utf16, true); }

}  // namespace veld
