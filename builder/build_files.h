// The files a build touches (the source, the page files, index.txt, the highlighting library),
// behind an interface so that the build logic can run against memory in tests. Paths are bytes of
// the program's text (ANSI on Windows), handed to the system unchanged.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "common/files.h"

namespace veld {

// A file read from its first byte to its end.
class ByteReader {
 public:
  virtual ~ByteReader() = default;
  // Up to `size` bytes into `buffer`: the number read, 0 at the end, -1 on a read error.
  virtual std::ptrdiff_t read(char* buffer, std::size_t size) = 0;
};

class BuildFiles {
 public:
  virtual ~BuildFiles() = default;

  // True when a file or a folder exists at the path.
  virtual bool exists(const std::string& path) = 0;

  // Null when the path cannot be opened for reading (missing, a folder, denied).
  virtual std::unique_ptr<ByteReader> openForReading(const std::string& path) = 0;

  // Creates the file or truncates it. Null when it cannot be created.
  virtual std::unique_ptr<OutputFile> createFile(const std::string& path) = 0;

  // Creates the file or truncates it, writes the bytes and closes it. False when any of it failed.
  virtual bool writeWholeFile(const std::string& path, std::string_view bytes) = 0;

  virtual bool removeFile(const std::string& path) = 0;

  // The whole file, when it is not larger than maxSize; false otherwise (bytes then empty).
  virtual bool readWholeFile(const std::string& path, std::size_t maxSize, std::string& bytes) = 0;
};

// The system's files: C stdio for reading and writing (which takes ANSI paths on Windows), and the
// system's own test for existence.
std::unique_ptr<BuildFiles> makeSystemBuildFiles();

}  // namespace veld
