// FileAccess in memory, for tests and fuzz targets of what reads and writes files through it: the
// files as a map, and the failures a caller must live with (a writer elsewhere, a locked file, a
// failed replace). Test-only.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/files.h"

namespace veld::test {

class MemoryFileAccess final : public FileAccess {
 public:
  std::map<std::string, std::string> files;
  std::set<std::string> writerElsewhere;  // opening for writing fails: another program writes it
  std::set<std::string> locked;           // every opening fails although the file is there
  bool failReplace = false;
  bool handOver = false;  // reading moves the bytes out instead of copying them (huge files)
  int replaces = 0;
  std::vector<std::string> attempts;  // "rw/r": access / what others may do

  std::unique_ptr<HeldFile> openExisting(const std::string& path, bool forWriting, OthersMay others,
                                         OpenStatus& status) override {
    attempts.push_back(std::string(forWriting ? "rw" : "r") + (others == OthersMay::Read ? "/r" : "/rw"));
    if (files.count(path) == 0) {
      status = OpenStatus::Missing;
      return nullptr;
    }
    if (locked.count(path) != 0 || (forWriting && writerElsewhere.count(path) != 0)) {
      status = OpenStatus::Unavailable;
      return nullptr;
    }
    status = OpenStatus::Opened;
    return std::make_unique<Held>(*this, path);
  }

  bool replaceWhole(const std::string& path, std::string_view bytes, std::unique_ptr<HeldFile>& held) override {
    held.reset();
    ++replaces;
    if (failReplace) return false;
    files[path] = std::string(bytes);
    return true;
  }

  std::unique_ptr<OutputFile> createFile(const std::string&) override { return nullptr; }
  bool removeFile(const std::string& path) override { return files.erase(path) != 0; }

 private:
  class Held final : public HeldFile {
   public:
    Held(MemoryFileAccess& fs, std::string path) : fs_(fs), path_(std::move(path)) {}
    bool readAll(std::string& bytes) override {
      if (fs_.handOver) {
        bytes = std::move(fs_.files[path_]);
      } else {
        bytes = fs_.files[path_];
      }
      return true;
    }

   private:
    MemoryFileAccess& fs_;
    std::string path_;
  };
};

}  // namespace veld::test
