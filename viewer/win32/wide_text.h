// The one place where the viewer's UTF-8 text meets the UTF-16 of the W functions.
#pragma once

#include <string>
#include <string_view>

namespace veld {

std::wstring utf8ToWide(std::string_view utf8);
std::string wideToUtf8(std::wstring_view wide);

}  // namespace veld
