// The payload archive this build made: the four files Uninstall knows by name, the modules as they
// are in the repository, and packages built from exactly those modules.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/archive_access.h"
#include "installer/installer.h"

namespace veld {
namespace {

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string entryBytes(ArchiveAccess& archive, const std::string& name) {
  if (!archive.examineEntries()) return {};
  while (archive.nextEntry()) {
    if (archive.entryName() != name) continue;
    std::string bytes(static_cast<std::size_t>(archive.entrySize()), '\0');
    const std::int64_t got = archive.extractEntryToMemory(bytes.data(), bytes.size());
    return got == archive.entrySize() ? bytes : std::string();
  }
  return {};
}

// The topic lines of a package's index.txt.
std::vector<std::string> topics(const std::string& package) {
  ArchiveAccess archive(Encoding::Ansi);
  std::vector<std::string> lines;
  if (!archive.openArchive(package)) return lines;
  const std::string index = entryBytes(archive, "index.txt");
  for (std::size_t start = 0, end; (end = index.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(index.substr(start, end - start));
  return lines;
}

int topicTags(const std::string& module) {
  int count = 0;
  for (std::size_t at = 0; (at = module.find("\r\n", at)) != std::string::npos; at += 2) {
    const std::size_t start = module.find_first_not_of(' ', at + 2);
    if (start != std::string::npos && module.compare(start, 4, ";&&&") == 0) ++count;
  }
  return count;
}

TEST(PayloadArchive, HoldsTheModulesAndPackagesBuiltFromThem) {
  ArchiveAccess archive(Encoding::Ansi);
  ASSERT_TRUE(archive.openArchive(VELD_PAYLOAD_BUILD "VeldZip.zip"));
  std::vector<std::string> names;
  ASSERT_TRUE(archive.examineEntries());
  while (archive.nextEntry()) names.push_back(archive.entryName());
  EXPECT_EQ(names, std::vector<std::string>(kPayloadFiles.begin(), kPayloadFiles.end()));

  for (const char* module : {"BriskLib", "example"}) {
    const std::string source = readFile(std::string(VELD_PAYLOAD_SOURCE) + module + ".pbi");
    ASSERT_FALSE(source.empty()) << module;
    EXPECT_EQ(entryBytes(archive, std::string(module) + ".pbi"), source) << module;
    EXPECT_EQ(entryBytes(archive, std::string(module) + ".veld"), readFile(std::string(VELD_PAYLOAD_BUILD) + module + ".veld"));

    const std::vector<std::string> lines = topics(std::string(VELD_PAYLOAD_BUILD) + module + ".veld");
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(topicTags(source)) + 1) << module;
    EXPECT_EQ(lines.front(), "0,0,Index") << module;
    EXPECT_EQ(lines.back(), "0,1,Compilation") << module;
  }
}

}  // namespace
}  // namespace veld
