#include "viewer/line_reading.h"

#include "common/text.h"

namespace veld {

std::string validUtf8(std::string_view bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return utf16ToUtf8(utf8ToUtf16(bytes));
  }
  return std::string(bytes);
}

bool LineReader::next(std::string& line) {
  if (pos_ >= bytes_.size()) return false;
  const std::size_t start = pos_;
  std::size_t end = start;
  while (end < bytes_.size() && bytes_[end] != '\r' && bytes_[end] != '\n' && bytes_[end] != '\0') ++end;
  line = validUtf8(bytes_.substr(start, end - start));
  pos_ = end;
  if (pos_ < bytes_.size()) {
    const char ended = bytes_[pos_++];
    if (ended == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
  }
  return true;
}

}  // namespace veld
