#include "common/win32/win32_paths.h"

namespace veld {

namespace {

// A NUL inside a path would silently cut it short at the system call.
bool usable(const std::string& path) { return path.find('\0') == std::string::npos; }

}  // namespace

std::wstring toWide(const std::string& utf8Path) {
  const std::u16string u = utf8ToUtf16(utf8Path);
  return std::wstring(u.begin(), u.end());
}

HANDLE createFileIn(Encoding encoding, const std::string& path, DWORD access, DWORD share, DWORD disposition,
                    DWORD attributes) {
  if (!usable(path)) {
    SetLastError(ERROR_INVALID_NAME);
    return INVALID_HANDLE_VALUE;
  }
  if (encoding == Encoding::Ansi) {
    return CreateFileA(path.c_str(), access, share, nullptr, disposition, attributes, nullptr);
  }
  return CreateFileW(toWide(path).c_str(), access, share, nullptr, disposition, attributes, nullptr);
}

bool deleteFileIn(Encoding encoding, const std::string& path) {
  if (!usable(path)) return false;
  if (encoding == Encoding::Ansi) return DeleteFileA(path.c_str()) != 0;
  return DeleteFileW(toWide(path).c_str()) != 0;
}

bool moveFileReplacingIn(Encoding encoding, const std::string& from, const std::string& to) {
  if (!usable(from) || !usable(to)) return false;
  const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  if (encoding == Encoding::Ansi) return MoveFileExA(from.c_str(), to.c_str(), flags) != 0;
  return MoveFileExW(toWide(from).c_str(), toWide(to).c_str(), flags) != 0;
}

}  // namespace veld
