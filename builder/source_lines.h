// Splits a source module into raw lines as the tag parser receives them, streaming: memory holds
// one chunk and the current line, never the whole source.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "builder/build_files.h"

namespace veld {

// CR LF, LF, CR alone and NUL each end a line; the last line needs no line end, and a line end at
// the very end does not make an extra empty line. Bytes are not decoded (a byte-order mark stays at
// the start of the first line) and lines have no length limit.
class SourceLineReader {
 public:
  explicit SourceLineReader(ByteReader& source, std::size_t chunkSize = 65536);

  // The next raw line without its line end; false at the end of the source (or after a read error).
  bool nextLine(std::string& line);

  // True when the source reported a read error; the lines before it were delivered.
  bool failed() const { return failed_; }

 private:
  bool fill();

  ByteReader& source_;
  std::vector<char> chunk_;
  std::size_t position_ = 0;
  std::size_t filled_ = 0;
  bool atEnd_ = false;
  bool failed_ = false;
  bool skipLineFeed_ = false;  // the last line ended with CR: an LF right after belongs to it
};

}  // namespace veld
