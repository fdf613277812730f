#include "builder/source_lines.h"

#include <algorithm>

namespace veld {

SourceLineReader::SourceLineReader(ByteReader& source, std::size_t chunkSize)
    : source_(source), chunk_(chunkSize == 0 ? 1 : chunkSize) {}

bool SourceLineReader::fill() {
  if (atEnd_) return false;
  const std::ptrdiff_t n = source_.read(chunk_.data(), chunk_.size());
  if (n <= 0) {
    atEnd_ = true;
    failed_ = n < 0;
    return false;
  }
  position_ = 0;
  filled_ = static_cast<std::size_t>(n);
  return true;
}

bool SourceLineReader::nextLine(std::string& line) {
  line.clear();
  bool started = false;  // a line exists once any byte of it, or its line end, was read
  for (;;) {
    if (position_ == filled_ && !fill()) return started;
    if (skipLineFeed_) {
      skipLineFeed_ = false;
      if (chunk_[position_] == '\n') {
        ++position_;
        continue;
      }
    }
    const char* begin = chunk_.data() + position_;
    const char* end = chunk_.data() + filled_;
    const char* stop = std::find_if(begin, end, [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
    line.append(begin, stop);
    started = true;  // at least one byte (of the line or its end) was there
    position_ += static_cast<std::size_t>(stop - begin);
    if (stop != end) {
      skipLineFeed_ = *stop == '\r';
      ++position_;
      return true;
    }
  }
}

}  // namespace veld
