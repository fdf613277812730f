// A test's own folder under the system's temporary folder, and whole-file reads and writes for
// fixtures. Shared by the unit tests that work on real files.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace veld::test {

// Named after the running test (so tests never share one), emptied when made, removed at the end.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& prefix);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The path of a file or folder inside, as text.
  std::string file(const std::string& relative) const { return (path_ / relative).string(); }
  // The names directly inside `relative` ("" for the folder itself), sorted.
  std::vector<std::string> names(const std::string& relative = {}) const;

 private:
  std::filesystem::path path_;
};

// Whether the file system takes names beyond ASCII in `folder` at all (Wine under a C locale does
// not; then a test of such names has nothing of ours to test). Probed with the C++ library.
bool scratchTakesNonAsciiNames(const std::filesystem::path& folder);

// The whole file; empty when it cannot be read.
std::string readBytes(const std::filesystem::path& path);
// Creates or replaces the file with exactly these bytes.
void writeBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace veld::test
