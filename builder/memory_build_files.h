// In-memory stand-ins for the build's files and package, for the builder's unit tests.
#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "builder/build_files.h"
#include "builder/package_sink.h"

namespace veld::testing {

class MemoryFiles final : public BuildFiles {
 public:
  std::map<std::string, std::string> files;
  std::set<std::string> folders;
  std::set<std::string> unwritable;  // create, append and remove fail here
  std::set<std::string> unreadable;  // present, but opening for reading fails
  int readFailsAfter = -1;           // >= 0: reads of the source fail after this many bytes

  bool exists(const std::string& path) override { return files.count(path) > 0 || folders.count(path) > 0; }

  std::unique_ptr<ByteReader> openForReading(const std::string& path) override {
    auto it = files.find(path);
    if (it == files.end() || unreadable.count(path) > 0) return nullptr;
    return std::make_unique<Reader>(it->second, readFailsAfter);
  }

  std::unique_ptr<OutputFile> createFile(const std::string& path) override {
    if (unwritable.count(path) > 0 || folders.count(path) > 0) return nullptr;
    files[path].clear();
    return std::make_unique<Writer>(files[path]);
  }

  bool writeWholeFile(const std::string& path, std::string_view bytes) override {
    if (path.empty() || unwritable.count(path) > 0 || folders.count(path) > 0) return false;
    files[path] = bytes;
    return true;
  }

  bool removeFile(const std::string& path) override {
    if (unwritable.count(path) > 0) return false;
    return files.erase(path) > 0;
  }

  bool readWholeFile(const std::string& path, std::size_t maxSize, std::string& bytes) override {
    auto it = files.find(path);
    if (it == files.end() || unreadable.count(path) > 0 || it->second.size() > maxSize) return false;
    bytes = it->second;
    return true;
  }

  std::string at(const std::string& path) const {
    auto it = files.find(path);
    return it == files.end() ? std::string("<missing>") : it->second;
  }

 private:
  class Reader final : public ByteReader {
   public:
    Reader(std::string bytes, int failAfter) : bytes_(std::move(bytes)), failAfter_(failAfter) {}
    std::ptrdiff_t read(char* buffer, std::size_t size) override {
      if (failAfter_ >= 0 && position_ >= static_cast<std::size_t>(failAfter_)) return -1;
      std::size_t n = std::min(size, bytes_.size() - position_);
      if (failAfter_ >= 0) n = std::min(n, static_cast<std::size_t>(failAfter_) - position_);
      bytes_.copy(buffer, n, position_);
      position_ += n;
      return static_cast<std::ptrdiff_t>(n);
    }

   private:
    std::string bytes_;
    std::size_t position_ = 0;
    int failAfter_;
  };

  class Writer final : public OutputFile {
   public:
    explicit Writer(std::string& target) : target_(target) {}
    bool write(const void* data, std::size_t size) override {
      target_.append(static_cast<const char*>(data), size);
      return true;
    }
    bool close() override { return true; }

   private:
    std::string& target_;
  };
};

// Records the entries in the order added, with the file's bytes at the moment it was added (pages
// are complete by then; the real archive reads them when it is closed).
class MemoryPackage final : public PackageSink {
 public:
  explicit MemoryPackage(MemoryFiles& files) : files_(files) {}

  std::string path;
  bool created = false;
  bool closed = false;
  std::vector<std::pair<std::string, std::string>> entries;  // name, bytes

  bool create(const std::string& packagePath) override {
    path = packagePath;
    created = true;
    closed = false;
    entries.clear();
    names_.clear();
    return true;
  }
  bool addFile(const std::string& filePath, const std::string& entryName) override {
    if (!created || closed || !files_.exists(filePath)) return false;
    if (!names_.insert(entryName).second) return false;
    entries.emplace_back(entryName, files_.at(filePath));
    return true;
  }
  bool close() override {
    if (!created) return false;
    closed = true;
    files_.files[path] = "<package>";
    return true;
  }

  std::vector<std::string> names() const {
    std::vector<std::string> result;
    for (const auto& entry : entries) result.push_back(entry.first);
    return result;
  }
  std::string entry(const std::string& name) const {
    for (const auto& e : entries) {
      if (e.first == name) return e.second;
    }
    return "<no entry>";
  }

 private:
  MemoryFiles& files_;
  std::set<std::string> names_;
};

}  // namespace veld::testing
