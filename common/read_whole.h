// The one rule for reading a held file whole, shared by the system twins of FileAccess: files of
// 2 GB or more are refused, a file that grew since its size was taken is read on to its end, and
// running out of memory is a failure, not a crash.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace veld {

// Bytes read into the buffer at the current position (0 at the end of the file), or -1 on an error.
using ReadSome = std::function<std::int64_t(char* buffer, std::size_t size)>;

// Reads from the current position (the caller has put it at the start) to the end; `sizeHint` is
// the size the system reports. False (and `bytes` empty) on a read error, 2 GB or more, or no memory.
bool readWhole(std::uint64_t sizeHint, const ReadSome& readSome, std::string& bytes);

}  // namespace veld
