// The small slice of file access that the preference store and the archive layer need, behind an
// interface so that the portable code never sees the system and tests can put a fake in its place.
// Paths are program text (see Encoding): ANSI bytes go to the A functions of Win32, UTF-8 is turned
// into UTF-16 for the W functions. The native implementation hands paths to POSIX unchanged.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "common/text.h"

namespace veld {

// What others may do with a file while this program holds it open.
enum class OthersMay { Read, ReadWrite };

enum class OpenStatus {
  Opened,
  Missing,      // nothing at the path (or a folder on the way is missing)
  Unavailable,  // something is there but it cannot be opened this way (locked, denied, a folder)
};

// An existing file held open from opening until the object is destroyed.
class HeldFile {
 public:
  virtual ~HeldFile() = default;
  // The whole file from its first byte. False on a read error or when the file is 2 GB or more or
  // cannot be held in memory; `bytes` is then empty.
  virtual bool readAll(std::string& bytes) = 0;
};

// A file being written; destroying it without close() closes it too.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual bool write(const void* data, std::size_t size) = 0;
  // Closes the file; false when the system reports that the data did not reach it.
  virtual bool close() = 0;
};

class FileAccess {
 public:
  virtual ~FileAccess() = default;

  // Opens an existing file, for reading and writing or for reading only. Null when it fails;
  // `status` tells a missing file from one that is there but cannot be opened.
  virtual std::unique_ptr<HeldFile> openExisting(const std::string& path, bool forWriting, OthersMay others,
                                                 OpenStatus& status) = 0;

  // Puts `bytes` in place of the file at `path` (creating it when missing) in one step: the bytes go
  // to a new file beside it, `held` (the caller's open handle on the target, may be null) is released,
  // and the new file then takes the target's name. On any failure the target keeps its old contents
  // and no temporary file is left; `held` is released either way.
  virtual bool replaceWhole(const std::string& path, std::string_view bytes, std::unique_ptr<HeldFile>& held) = 0;

  // Creates a file for writing, replacing any file at the path. Null when it cannot be created.
  virtual std::unique_ptr<OutputFile> createFile(const std::string& path) = 0;

  virtual bool removeFile(const std::string& path) = 0;
};

// The system's files, with paths in the program's encoding.
std::unique_ptr<FileAccess> makeSystemFileAccess(Encoding pathEncoding);

}  // namespace veld
