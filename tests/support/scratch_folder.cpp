#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace veld::test {

namespace {

// The running test's full name, made fit for a file name ("Suite.Case/0" has a slash).
std::string testName() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info == nullptr ? "outside-a-test" : std::string(info->test_suite_name()) + "." + info->name();
  for (char& c : name) {
    if (c == '/' || c == '\\' || c == ':') c = '_';
  }
  return name;
}

}  // namespace

ScratchFolder::ScratchFolder(const std::string& prefix)
    : path_(std::filesystem::temp_directory_path() / (prefix + "-" + testName())) {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
  std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::vector<std::string> ScratchFolder::names(const std::string& relative) const {
  std::vector<std::string> out;
  for (const auto& e : std::filesystem::directory_iterator(path_ / relative)) out.push_back(e.path().filename().string());
  std::sort(out.begin(), out.end());
  return out;
}

bool scratchTakesNonAsciiNames(const std::filesystem::path& folder) {
  const std::filesystem::path probe = folder / std::filesystem::u8path("probe-\xC3\xA9\xE4\xB8\xAD");
  {
    std::ofstream out(probe, std::ios::binary);
    if (!out) return false;
  }
  std::error_code ec;
  const bool ok = std::filesystem::exists(probe, ec);
  std::filesystem::remove(probe, ec);
  return ok;
}

std::string readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void writeBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace veld::test
