// Native stand-in for the system's files (POSIX). POSIX has no share modes: `others` is accepted and
// has no effect here; the Win32 implementation is the one that enforces it.
#include "common/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>

#include "common/read_whole.h"

namespace veld {

namespace {

// A NUL inside a path would silently cut it short at the system call.
bool usable(const std::string& path) { return path.find('\0') == std::string::npos; }

bool writeAllFd(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

class NativeHeldFile final : public HeldFile {
 public:
  explicit NativeHeldFile(int fd) : fd_(fd) {}
  ~NativeHeldFile() override { ::close(fd_); }

  bool readAll(std::string& bytes) override {
    bytes.clear();
    struct stat st;
    if (::fstat(fd_, &st) != 0 || ::lseek(fd_, 0, SEEK_SET) != 0) return false;
    return readWhole(static_cast<std::uint64_t>(st.st_size), [this](char* buffer, std::size_t size) -> std::int64_t {
      for (;;) {
        const ssize_t n = ::read(fd_, buffer, size);
        if (n >= 0 || errno != EINTR) return n;
      }
    }, bytes);
  }

 private:
  int fd_;
};

class NativeOutputFile final : public OutputFile {
 public:
  explicit NativeOutputFile(int fd) : fd_(fd) {}
  ~NativeOutputFile() override { close(); }

  bool write(const void* data, std::size_t size) override {
    return fd_ >= 0 && writeAllFd(fd_, static_cast<const char*>(data), size);
  }

  bool close() override {
    if (fd_ < 0) return false;
    const bool ok = ::close(fd_) == 0;
    fd_ = -1;
    return ok;
  }

 private:
  int fd_;
};

class NativeFileAccess final : public FileAccess {
 public:
  std::unique_ptr<HeldFile> openExisting(const std::string& path, bool forWriting, OthersMay,
                                         OpenStatus& status) override {
    if (!usable(path)) {
      status = OpenStatus::Unavailable;
      return nullptr;
    }
    const int fd = ::open(path.c_str(), (forWriting ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (fd < 0) {
      status = (errno == ENOENT || errno == ENOTDIR) ? OpenStatus::Missing : OpenStatus::Unavailable;
      return nullptr;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      status = OpenStatus::Unavailable;
      return nullptr;
    }
    status = OpenStatus::Opened;
    return std::make_unique<NativeHeldFile>(fd);
  }

  bool replaceWhole(const std::string& path, std::string_view bytes, std::unique_ptr<HeldFile>& held) override {
    std::string temp;
    int fd = -1;
    if (!usable(path)) {
      held.reset();
      return false;
    }
    for (int i = 0; i < 100 && fd < 0; ++i) {
      temp = path + ".tmp" + std::to_string(i);
      fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
      held.reset();
      return false;
    }
    bool ok = writeAllFd(fd, bytes.data(), bytes.size());
    ok = (::fsync(fd) == 0) && ok;
    ok = (::close(fd) == 0) && ok;
    held.reset();
    if (ok) ok = ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
  }

  std::unique_ptr<OutputFile> createFile(const std::string& path) override {
    if (!usable(path)) return nullptr;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    return std::make_unique<NativeOutputFile>(fd);
  }

  bool removeFile(const std::string& path) override { return usable(path) && ::unlink(path.c_str()) == 0; }
};

}  // namespace

std::unique_ptr<FileAccess> makeSystemFileAccess(Encoding) { return std::make_unique<NativeFileAccess>(); }

}  // namespace veld
