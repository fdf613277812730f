// Any bytes as a module: the build must end with one page per topic plus the closing topic's, in
// order, then index.txt with as many lines, each page whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "builder/memory_build_files.h"
#include "builder/package_build.h"
#include "builder/tokenizer_highlight.h"
#include "common/package_format.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

bool endsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  veld::testing::MemoryFiles files;
  veld::testing::MemoryPackage package{files};
  veld::ColouringBridge colours(veld::linkedTokenizerHighlight());
  files.files["m.pbi"] = std::string(reinterpret_cast<const char*>(data), size);
  veld::BuildRequest request;
  request.sourcePath = "m.pbi";
  request.packagePath = "m.veld";
  request.temporaryFolder = "t/";
  request.now = [] { return veld::LocalTime{2013, 11, 23, 11, 30, 2}; };
  request.ideVersion = [] { return std::string("5.21"); };
  const veld::BuildResult result = veld::buildPackage(request, files, package, colours);

  check(!result.problems.any());
  check(package.entries.size() == result.topics + 2);
  for (std::size_t i = 0; i + 1 < package.entries.size(); ++i) {
    const auto& [name, page] = package.entries[i];
    check(name == veld::pageEntryName(i));
    check(page.rfind(std::string(veld::kPageFirstLine) + "\r\n", 0) == 0);
    check(endsWith(page, std::string(veld::kPageLastLine) + "\r\n"));
  }
  const std::string& index = package.entries.back().second;
  check(package.entries.back().first == veld::kIndexEntryName);
  check(endsWith(index, "0,1,Compilation\r\n"));
  std::size_t lines = 0;
  for (std::size_t at = 0; (at = index.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
  check(lines == result.topics + 1);
  return 0;
}
