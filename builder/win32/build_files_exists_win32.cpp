// Existence test on Windows: any file or folder the ANSI attribute query finds.
#include <windows.h>

#include <string>

namespace veld {

bool pathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace veld
