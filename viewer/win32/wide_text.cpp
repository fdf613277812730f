#include "viewer/win32/wide_text.h"

#include "common/text.h"

namespace veld {

// wchar_t is a UTF-16 code unit on Windows.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t expected");

std::wstring utf8ToWide(std::string_view utf8) {
  const std::u16string u = utf8ToUtf16(utf8);
  return std::wstring(u.begin(), u.end());
}

std::string wideToUtf8(std::wstring_view wide) {
  return utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

}  // namespace veld
