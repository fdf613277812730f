// Native stand-in: plain paths through libzip's stdio source and POSIX reads.
#include "common/zip_sources.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace veld {

namespace {

class NativeSourceFile final : public SourceFileReader {
 public:
  explicit NativeSourceFile(int fd) : fd_(fd) {}
  ~NativeSourceFile() override { ::close(fd_); }
  NativeSourceFile(const NativeSourceFile&) = delete;
  NativeSourceFile& operator=(const NativeSourceFile&) = delete;

  std::int64_t read(void* buffer, std::size_t size) override {
    for (;;) {
      const ssize_t n = ::read(fd_, buffer, size);
      if (n >= 0) return n;
      if (errno != EINTR) return -1;
    }
  }

 private:
  int fd_;
};

}  // namespace

zip_source_t* archiveFileSource(const std::string& path, Encoding, zip_error_t* error) {
  if (path.find('\0') != std::string::npos) return nullptr;
  return zip_source_file_create(path.c_str(), 0, 0, error);
}

std::unique_ptr<SourceFileReader> openSourceFile(const std::string& path, Encoding, SourceFileFacts* facts) {
  if (path.find('\0') != std::string::npos) return nullptr;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  auto file = std::make_unique<NativeSourceFile>(fd);
  if (facts == nullptr) return file;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;  // open() accepts folders
  facts->size = static_cast<std::uint64_t>(st.st_size);
  facts->modified = st.st_mtime;
  return file;
}

}  // namespace veld
