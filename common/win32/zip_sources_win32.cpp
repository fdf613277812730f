// libzip sources on Windows: ANSI names through the A functions, UTF-8 names as UTF-16 through the
// W functions.
#include "common/zip_sources.h"

#include <windows.h>

#include "common/win32/win32_paths.h"

namespace veld {

namespace {

class Win32SourceFile final : public SourceFileReader {
 public:
  explicit Win32SourceFile(HANDLE h) : h_(h) {}
  ~Win32SourceFile() override { CloseHandle(h_); }
  Win32SourceFile(const Win32SourceFile&) = delete;
  Win32SourceFile& operator=(const Win32SourceFile&) = delete;

  std::int64_t read(void* buffer, std::size_t size) override {
    // ReadFile takes 32-bit counts; libzip asks for far less, but stay correct for any size.
    const DWORD want = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    DWORD got = 0;
    if (!ReadFile(h_, buffer, want, &got, nullptr)) return -1;
    return got;
  }

 private:
  HANDLE h_;
};

// Seconds since 1970 from a FILETIME (100 ns steps since 1601), as libzip's own Win32 source does.
std::time_t toUnixTime(const FILETIME& ft) {
  ULARGE_INTEGER t;
  t.LowPart = ft.dwLowDateTime;
  t.HighPart = ft.dwHighDateTime;
  return static_cast<std::time_t>((t.QuadPart - 116444736000000000ULL) / 10000000ULL);
}

}  // namespace

zip_source_t* archiveFileSource(const std::string& path, Encoding encoding, zip_error_t* error) {
  if (path.find('\0') != std::string::npos) return nullptr;
  if (encoding == Encoding::Ansi) return zip_source_win32a_create(path.c_str(), 0, 0, error);
  return zip_source_win32w_create(toWide(path).c_str(), 0, 0, error);
}

std::unique_ptr<SourceFileReader> openSourceFile(const std::string& path, Encoding encoding, SourceFileFacts* facts) {
  if (path.find('\0') != std::string::npos) return nullptr;
  const HANDLE h = createFileIn(encoding, path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  auto file = std::make_unique<Win32SourceFile>(h);
  if (facts == nullptr) return file;
  LARGE_INTEGER size;
  FILETIME written;
  if (GetFileType(h) != FILE_TYPE_DISK || !GetFileSizeEx(h, &size) || !GetFileTime(h, nullptr, nullptr, &written)) {
    return nullptr;
  }
  facts->size = static_cast<std::uint64_t>(size.QuadPart);
  facts->modified = toUnixTime(written);
  return file;
}

}  // namespace veld
