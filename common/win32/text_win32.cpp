// The system side of the text module on Windows: the ANSI code page and the case mappings are the
// system's own.
#include "common/text.h"

#include <windows.h>

#include <climits>

namespace veld {

namespace {

// wchar_t and char16_t are both 16-bit code units on Windows.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 code units");

const wchar_t* wide(const char16_t* p) { return reinterpret_cast<const wchar_t*>(p); }
wchar_t* wide(char16_t* p) { return reinterpret_cast<wchar_t*>(p); }

// The Win32 calls take int lengths; the programs never convert texts of 2 GB or more.
bool fitsInt(std::size_t n) { return n <= static_cast<std::size_t>(INT_MAX); }

}  // namespace

std::u16string ansiToUtf16(std::string_view ansi) {
  if (ansi.empty() || !fitsInt(ansi.size())) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  if (n <= 0) return {};
  std::u16string out(static_cast<std::size_t>(n), u'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide(&out[0]), n);
  return out;
}

std::string utf16ToAnsi(std::u16string_view utf16) {
  if (utf16.empty() || !fitsInt(utf16.size())) return {};
  const int len = static_cast<int>(utf16.size());
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide(utf16.data()), len, nullptr, 0, "?", nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide(utf16.data()), len, &out[0], n, "?", nullptr);
  return out;
}

// CharLowerBuff*/CharUpperBuff* map a counted buffer, NUL bytes included.
std::string ansiToLower(std::string_view ansi) {
  std::string out(ansi);
  if (!out.empty() && fitsInt(out.size())) CharLowerBuffA(&out[0], static_cast<DWORD>(out.size()));
  return out;
}

std::string ansiToUpper(std::string_view ansi) {
  std::string out(ansi);
  if (!out.empty() && fitsInt(out.size())) CharUpperBuffA(&out[0], static_cast<DWORD>(out.size()));
  return out;
}

std::u16string utf16ToLower(std::u16string_view utf16) {
  std::u16string out(utf16);
  if (!out.empty() && fitsInt(out.size())) CharLowerBuffW(wide(&out[0]), static_cast<DWORD>(out.size()));
  return out;
}

std::u16string utf16ToUpper(std::u16string_view utf16) {
  std::u16string out(utf16);
  if (!out.empty() && fitsInt(out.size())) CharUpperBuffW(wide(&out[0]), static_cast<DWORD>(out.size()));
  return out;
}

}  // namespace veld
