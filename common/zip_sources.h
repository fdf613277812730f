// libzip sources for files named in a program's encoding. Windows needs the ANSI or UTF-16 file
// functions for names outside ASCII (libzip's own char* names are taken as UTF-8 there); natively the
// path bytes go to the C library unchanged. Internal to the archive layer.
#pragma once

#include <zip.h>

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>

#include "common/text.h"

namespace veld {

// A source for the archive file itself: read by zip_open_from_source, and written (through a
// temporary file beside it) when a created archive is closed. Null on failure.
zip_source_t* archiveFileSource(const std::string& path, Encoding encoding, zip_error_t* error);

// A source over a file that must open for reading now, and is opened again only while libzip reads
// it, when the archive is written. An added file so holds no handle in between: a package of any
// number of pages never runs out of them. Size and time are taken now, as libzip's file sources do.
// Null when the file cannot be opened or is no regular file.
zip_source_t* addedFileSource(const std::string& path, Encoding encoding, zip_error_t* error);

// The system side of addedFileSource.
struct SourceFileFacts {
  std::uint64_t size = 0;
  std::time_t modified = 0;
};

class SourceFileReader {
 public:
  virtual ~SourceFileReader() = default;
  // Bytes read into `buffer` (0 at the end of the file), or -1 on a read error.
  virtual std::int64_t read(void* buffer, std::size_t size) = 0;
};

// Opens an existing file for reading (others may read it meanwhile). With `facts`, also checks that
// it is a regular file and fills them in. Null when that fails.
std::unique_ptr<SourceFileReader> openSourceFile(const std::string& path, Encoding encoding, SourceFileFacts* facts);

}  // namespace veld
