// Win32 file calls with paths in a program's encoding: ANSI bytes through the A functions, UTF-8
// through the W functions after conversion to UTF-16. For the Win32 sources of common/ only.
#pragma once

#include <windows.h>

#include <string>

#include "common/text.h"

namespace veld {

// UTF-8 text (a path, a name) as the UTF-16 text the W functions take.
std::wstring toWide(const std::string& utf8Path);

HANDLE createFileIn(Encoding encoding, const std::string& path, DWORD access, DWORD share, DWORD disposition,
                    DWORD attributes);
bool deleteFileIn(Encoding encoding, const std::string& path);
// Gives `from` the name `to` in one step, replacing a file there.
bool moveFileReplacingIn(Encoding encoding, const std::string& from, const std::string& to);

}  // namespace veld
