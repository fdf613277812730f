// libzip sources on Windows: ANSI names through the A functions, UTF-8 names as UTF-16 through the
// W functions.
#include "common/zip_sources.h"

#include <windows.h>

#include "common/win32/win32_paths.h"

namespace veld {

zip_source_t* archiveFileSource(const std::string& path, Encoding encoding, zip_error_t* error) {
  if (path.find('\0') != std::string::npos) return nullptr;
  if (encoding == Encoding::Ansi) return zip_source_win32a_create(path.c_str(), 0, 0, error);
  return zip_source_win32w_create(toWide(path).c_str(), 0, 0, error);
}

zip_source_t* openedFileSource(const std::string& path, Encoding encoding, zip_error_t* error) {
  const HANDLE h = createFileIn(encoding, path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  zip_source_t* source = zip_source_win32handle_create(h, 0, 0, error);
  if (source == nullptr) CloseHandle(h);
  return source;
}

}  // namespace veld
