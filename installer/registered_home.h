// The PureBasic home that the registry names: the IDE stores the icon location of its program
// ("<folder>\PureBasic.exe,<index>") as the default value of HKEY_CLASSES_ROOT\PureBasic.exe\DefaultIcon.
#pragma once

#include <string>
#include <string_view>

namespace veld {

// Named without a trailing backslash: the same key, and Windows versions differ on accepting one.
inline constexpr char kDefaultIconKey[] = "PureBasic.exe\\DefaultIcon";

// The folder of the program named by the icon value: the text before the first comma, less one
// leading double quote, up to and including its last "\" or "/" before any "|". Empty when there is
// no separator. Environment references are not expanded.
std::string homeFromIconValue(std::string_view value);

}  // namespace veld
