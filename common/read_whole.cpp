#include "common/read_whole.h"

#include <new>

namespace veld {

namespace {
constexpr std::uint64_t kMaxFileSize = 0x7FFFFFFF;  // files of 2 GB or more are not read
}  // namespace

bool readWhole(std::uint64_t sizeHint, const ReadSome& readSome, std::string& bytes) {
  bytes.clear();
  if (sizeHint > kMaxFileSize) return false;
  try {
    bytes.resize(static_cast<std::size_t>(sizeHint));
    std::size_t got = 0;
    for (;;) {
      if (got == bytes.size()) {
        // The file may have grown since its size was taken: read on until the end.
        if (bytes.size() >= kMaxFileSize) break;
        bytes.resize(bytes.size() + 65536);
      }
      const std::int64_t n = readSome(&bytes[got], bytes.size() - got);
      if (n < 0) {
        bytes.clear();
        return false;
      }
      if (n == 0) break;
      got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    if (got > kMaxFileSize) {
      bytes.clear();
      return false;
    }
    return true;
  } catch (const std::bad_alloc&) {
    std::string().swap(bytes);
    return false;
  }
}

}  // namespace veld
