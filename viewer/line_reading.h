// Line reading shared by the source scan and the topic list: a line is the run of bytes up to a CR,
// an LF, a NUL byte or the end of the text; CR directly followed by LF ends the line together with
// it. The bytes are decoded as UTF-8, so a line handed out is always valid UTF-8 (a malformed
// sequence becomes U+FFFD, as the system's decoder does).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace veld {

class LineReader {
 public:
  explicit LineReader(std::string_view bytes) : bytes_(bytes) {}

  // The next line without its line end; false once no byte is left (so text that ends with a line
  // end gives no extra empty line).
  bool next(std::string& line);

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// The text with every malformed UTF-8 sequence replaced by U+FFFD; valid text comes back unchanged.
std::string validUtf8(std::string_view bytes);

}  // namespace veld
