// libzip sources for files named in a program's encoding. Windows needs the ANSI or UTF-16 file
// functions for names outside ASCII (libzip's own char* names are taken as UTF-8 there); natively the
// path bytes go to the C library unchanged. Internal to the archive layer.
#pragma once

#include <zip.h>

#include <string>

#include "common/text.h"

namespace veld {

// A source for the archive file itself: read by zip_open_from_source, and written (through a
// temporary file beside it) when a created archive is closed. Null on failure.
zip_source_t* archiveFileSource(const std::string& path, Encoding encoding, zip_error_t* error);

// A source over a file opened for reading now (others may read it too) and read whole when the
// archive is written; freeing the source closes the file. Null when the file cannot be opened.
zip_source_t* openedFileSource(const std::string& path, Encoding encoding, zip_error_t* error);

}  // namespace veld
