// ArchiveAccess: the zip layer of the three programs, over libzip.
//
// An ArchiveAccess object holds at most one archive: one it created (entries are added and the file
// is written at close) or one it opened for reading (entries are listed and extracted). Creating or
// opening first closes what is held. Every call on an object that holds no archive (nothing opened,
// or the open failed) does nothing and gives false, empty text or -1, so callers may go on after a
// failed open without testing it.
//
// Names and paths are program text (see Encoding). Entry names live in the archive as UTF-8: the
// single-byte programs give names in the ANSI code page and get names back by utf8ToSingleByte; the
// viewer gives and gets UTF-8. An entry name is never used as a path: extraction writes exactly the
// destination path the caller gives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "common/files.h"
#include "common/text.h"

struct zip;

namespace veld {

// Extraction to a file streams through one buffer of this size, taken once per ArchiveAccess.
constexpr std::size_t kExtractBufferSize = 2097152;

// True for a name that is safe to append to a folder to form a path: not empty, no "/" or "\", no
// drive colon, not "." or "..". Callers that build destination paths from entry names use it.
bool isPlainEntryName(std::string_view name);

class ArchiveAccess {
 public:
  // The first form uses the system's files with paths in the program's encoding.
  explicit ArchiveAccess(Encoding programText);
  ArchiveAccess(Encoding programText, FileAccess& files);
  ~ArchiveAccess();  // closes as closeArchive does (a created archive is written then)
  ArchiveAccess(const ArchiveAccess&) = delete;
  ArchiveAccess& operator=(const ArchiveAccess&) = delete;

  // Deletes any file at the path, then starts a new empty archive there; nothing is written before
  // closeArchive (and nothing at all when no entry was added). False for an empty path or when
  // libzip refuses.
  bool createArchive(const std::string& path);

  // Checks that the source file opens now and registers it under the entry name; it is opened again,
  // read and deflated at close, so added files hold no handle in between (a package may have more
  // pages than a process may hold files open). False when the source cannot be opened, the name is
  // taken or empty, or no archive was created. A source that cannot be read at close makes the
  // close write no archive.
  bool addFile(const std::string& sourcePath, const std::string& entryName);

  // Opens an existing zip archive for reading. False for an empty path, a file that cannot be
  // opened, and anything that is not a zip archive (an empty file included).
  bool openArchive(const std::string& path);

  bool isOpen() const { return zip_ != nullptr; }

  // Takes the entry count and puts the cursor before the first entry.
  bool examineEntries();
  // Moves to the next entry in central-directory order; false (no current entry) after the last.
  bool nextEntry();
  // The current entry's name, uncompressed and compressed size; empty text and -1 without one.
  std::string entryName() const;
  std::int64_t entrySize() const;
  std::int64_t entryCompressedSize() const;

  // Writes the uncompressed bytes of the entry with exactly that name (or of the current entry when
  // the name is empty) to the destination file, replacing a file there. The number of bytes written,
  // or -1: no such entry, the current entry is a folder ("/" at the end), the destination cannot be
  // created (its folder must exist), damaged data or a failed checksum. On -1 no destination file is
  // left behind.
  std::int64_t extractEntry(const std::string& destinationPath, const std::string& entryName = {});

  // Reads up to bufferSize uncompressed bytes of the entry (chosen as above) into the buffer. The
  // number of bytes read, or -1; an entry read whole is checked against its checksum.
  std::int64_t extractEntryToMemory(void* buffer, std::size_t bufferSize, const std::string& entryName = {});

  // Created archive: writes the file (through a temporary file beside it; a failure leaves none).
  // Opened archive: releases it.
  void closeArchive();

 private:
  std::int64_t chooseEntry(const std::string& entryName) const;
  // The entry's uncompressed size as recorded in the archive; -1 when libzip cannot tell it.
  std::int64_t recordedSize(std::int64_t index) const;
  void clearCurrent();

  Encoding programText_;
  std::unique_ptr<FileAccess> ownedFiles_;
  FileAccess& files_;

  struct zip* zip_ = nullptr;
  bool created_ = false;
  std::int64_t count_ = 0;
  std::int64_t cursor_ = -1;
  bool hasCurrent_ = false;
  std::string currentName_;  // UTF-8, as libzip reports it
  std::int64_t currentSize_ = -1;
  std::int64_t currentCompressedSize_ = -1;
  std::unique_ptr<char[]> buffer_;  // the extraction buffer, kExtractBufferSize bytes
};

}  // namespace veld
