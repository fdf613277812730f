// The system's files on Windows. Paths go to the A functions as ANSI bytes or, for programs that
// hold UTF-8, to the W functions as UTF-16, so that names outside the ANSI code page work.
#include "common/files.h"

#include <windows.h>

#include <cstdint>

#include "common/read_whole.h"
#include "common/win32/win32_paths.h"

namespace veld {

namespace {

bool writeAllHandle(HANDLE h, const char* data, std::size_t size) {
  while (size > 0) {
    const DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(h, data, chunk, &written, nullptr) || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

class Win32HeldFile final : public HeldFile {
 public:
  explicit Win32HeldFile(HANDLE h) : h_(h) {}
  ~Win32HeldFile() override { CloseHandle(h_); }
  Win32HeldFile(const Win32HeldFile&) = delete;
  Win32HeldFile& operator=(const Win32HeldFile&) = delete;

  bool readAll(std::string& bytes) override {
    bytes.clear();
    LARGE_INTEGER size;
    LARGE_INTEGER zero;
    zero.QuadPart = 0;
    if (!GetFileSizeEx(h_, &size) || !SetFilePointerEx(h_, zero, nullptr, FILE_BEGIN)) return false;
    return readWhole(static_cast<std::uint64_t>(size.QuadPart), [this](char* buffer, std::size_t want) -> std::int64_t {
      DWORD n = 0;
      const DWORD chunk = want > 0x40000000u ? 0x40000000u : static_cast<DWORD>(want);
      if (!ReadFile(h_, buffer, chunk, &n, nullptr)) return -1;
      return n;
    }, bytes);
  }

 private:
  HANDLE h_;
};

class Win32OutputFile final : public OutputFile {
 public:
  explicit Win32OutputFile(HANDLE h) : h_(h) {}
  ~Win32OutputFile() override { close(); }
  Win32OutputFile(const Win32OutputFile&) = delete;
  Win32OutputFile& operator=(const Win32OutputFile&) = delete;

  bool write(const void* data, std::size_t size) override {
    return h_ != INVALID_HANDLE_VALUE && writeAllHandle(h_, static_cast<const char*>(data), size);
  }

  bool close() override {
    if (h_ == INVALID_HANDLE_VALUE) return false;
    const bool ok = CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE h_;
};

class Win32FileAccess final : public FileAccess {
 public:
  explicit Win32FileAccess(Encoding encoding) : encoding_(encoding) {}

  std::unique_ptr<HeldFile> openExisting(const std::string& path, bool forWriting, OthersMay others,
                                         OpenStatus& status) override {
    const DWORD access = forWriting ? (GENERIC_READ | GENERIC_WRITE) : GENERIC_READ;
    const DWORD share = others == OthersMay::Read ? FILE_SHARE_READ : (FILE_SHARE_READ | FILE_SHARE_WRITE);
    const HANDLE h = createFileIn(encoding_, path, access, share, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    if (h == INVALID_HANDLE_VALUE) {
      const DWORD err = GetLastError();
      status = (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) ? OpenStatus::Missing
                                                                            : OpenStatus::Unavailable;
      return nullptr;
    }
    status = OpenStatus::Opened;
    return std::make_unique<Win32HeldFile>(h);
  }

  bool replaceWhole(const std::string& path, std::string_view bytes, std::unique_ptr<HeldFile>& held) override {
    std::string temp;
    HANDLE h = INVALID_HANDLE_VALUE;
    for (int i = 0; i < 100 && h == INVALID_HANDLE_VALUE; ++i) {
      temp = path + ".tmp" + std::to_string(i);
      h = createFileIn(encoding_, temp, GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
      if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (h == INVALID_HANDLE_VALUE) {
      held.reset();
      return false;
    }
    bool ok = writeAllHandle(h, bytes.data(), bytes.size());
    ok = FlushFileBuffers(h) != 0 && ok;
    ok = CloseHandle(h) != 0 && ok;
    // Our own handle denies writers, and so would deny the replace: let it go first.
    held.reset();
    if (ok) ok = moveFileReplacingIn(encoding_, temp, path);
    if (!ok) deleteFileIn(encoding_, temp);
    return ok;
  }

  std::unique_ptr<OutputFile> createFile(const std::string& path) override {
    const HANDLE h = createFileIn(encoding_, path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32OutputFile>(h);
  }

  bool removeFile(const std::string& path) override { return deleteFileIn(encoding_, path); }

 private:
  Encoding encoding_;
};

}  // namespace

std::unique_ptr<FileAccess> makeSystemFileAccess(Encoding pathEncoding) {
  return std::make_unique<Win32FileAccess>(pathEncoding);
}

}  // namespace veld
