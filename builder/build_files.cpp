// Reading and writing through C stdio, the same on both systems; only the existence test differs
// (build_files_exists_*.cpp).
#include "builder/build_files.h"

#include <cstdio>
#include <new>

namespace veld {

bool pathExists(const std::string& path);  // build_files_exists_*.cpp

namespace {

// A NUL would silently cut the path short at the system call.
bool usable(const std::string& path) { return !path.empty() && path.find('\0') == std::string::npos; }

class StdioReader final : public ByteReader {
 public:
  explicit StdioReader(std::FILE* file) : file_(file) {}
  ~StdioReader() override { std::fclose(file_); }

  std::ptrdiff_t read(char* buffer, std::size_t size) override {
    if (size == 0) return 0;
    const std::size_t n = std::fread(buffer, 1, size, file_);
    if (n == 0 && std::ferror(file_)) return -1;
    return static_cast<std::ptrdiff_t>(n);
  }

 private:
  std::FILE* file_;
};

class StdioOutput final : public OutputFile {
 public:
  explicit StdioOutput(std::FILE* file) : file_(file) {}
  ~StdioOutput() override { close(); }

  bool write(const void* data, std::size_t size) override {
    if (file_ == nullptr) return false;
    if (size == 0) return true;
    if (std::fwrite(data, 1, size, file_) != size) failed_ = true;
    return !failed_;
  }

  bool close() override {
    if (file_ == nullptr) return !failed_;
    if (std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
    return !failed_;
  }

 private:
  std::FILE* file_;
  bool failed_ = false;
};

class SystemBuildFiles final : public BuildFiles {
 public:
  bool exists(const std::string& path) override { return usable(path) && pathExists(path); }

  std::unique_ptr<ByteReader> openForReading(const std::string& path) override {
    if (!usable(path)) return nullptr;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return nullptr;
    // Some C libraries open folders for reading; the first read then fails, which reads as the end.
    return std::make_unique<StdioReader>(file);
  }

  std::unique_ptr<OutputFile> createFile(const std::string& path) override {
    if (!usable(path)) return nullptr;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return nullptr;
    return std::make_unique<StdioOutput>(file);
  }

  bool writeWholeFile(const std::string& path, std::string_view bytes) override {
    if (!usable(path)) return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    // One write of the whole: no stdio buffer to set up and fill first.
    std::setvbuf(file, nullptr, _IONBF, 0);
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0) ok = false;
    return ok;
  }

  bool removeFile(const std::string& path) override { return usable(path) && std::remove(path.c_str()) == 0; }

  bool readWholeFile(const std::string& path, std::size_t maxSize, std::string& bytes) override {
    bytes.clear();
    std::unique_ptr<ByteReader> reader = openForReading(path);
    if (!reader) return false;
    try {
      char chunk[65536];
      for (;;) {
        const std::ptrdiff_t n = reader->read(chunk, sizeof chunk);
        if (n < 0 || bytes.size() + static_cast<std::size_t>(n) > maxSize) {
          std::string().swap(bytes);
          return false;
        }
        if (n == 0) return true;
        bytes.append(chunk, static_cast<std::size_t>(n));
      }
    } catch (const std::bad_alloc&) {
      std::string().swap(bytes);
      return false;
    }
  }
};

}  // namespace

std::unique_ptr<BuildFiles> makeSystemBuildFiles() { return std::make_unique<SystemBuildFiles>(); }

}  // namespace veld
