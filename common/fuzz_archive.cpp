// Fuzzes reading damaged archives through ArchiveAccess: opening, enumerating, extracting to memory
// and to a file. Results are checked for consistency: a failed extraction leaves no file, a
// successful one a file of the reported size.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <memory>
#include <vector>

#include "common/archive_access.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

std::string tempPath(const char* what) {
  static const std::string base =
      (std::filesystem::temp_directory_path() / ("veld_fuzz_archive_" + std::to_string(::getpid()))).string();
  return base + what;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string archive = tempPath(".zip");
  const std::string dest = tempPath(".out");
  {
    std::FILE* f = std::fopen(archive.c_str(), "wb");
    check(f != nullptr);
    check(std::fwrite(data, 1, size, f) == size);
    std::fclose(f);
  }

  // One layer for the whole run, as a program holds one for its lifetime.
  static veld::ArchiveAccess zip(veld::Encoding::Ansi);
  if (zip.openArchive(archive)) {
    check(zip.examineEntries());
    std::vector<std::string> names;
    for (int n = 0; n < 64 && zip.nextEntry(); ++n) {
      names.push_back(zip.entryName());
      const std::int64_t entrySize = zip.entrySize();
      // The viewer's way: a block of the entry's size (capped here), the current entry read into it.
      const std::size_t cap = 1 << 16;
      const std::size_t blockSize =
          entrySize >= 0 && static_cast<std::uint64_t>(entrySize) < cap ? static_cast<std::size_t>(entrySize) : cap;
      std::unique_ptr<char[]> block(new char[blockSize + 1]);
      const std::int64_t inMemory = zip.extractEntryToMemory(block.get(), blockSize);
      check(inMemory >= -1 && inMemory <= static_cast<std::int64_t>(blockSize));

      std::remove(dest.c_str());
      const std::int64_t written = zip.extractEntry(dest);
      std::error_code ec;
      if (written < 0) {
        check(!std::filesystem::exists(dest, ec));
      } else {
        check(static_cast<std::int64_t>(std::filesystem::file_size(dest, ec)) == written && !ec);
        if (entrySize >= 0) check(written == entrySize);
      }
    }
    // By name, as the installer and the viewer extract.
    for (std::size_t i = 0; i < names.size() && i < 4; ++i) {
      std::remove(dest.c_str());
      if (zip.extractEntry(dest, names[i]) < 0) {
        std::error_code ec;
        check(!std::filesystem::exists(dest, ec));
      }
      char small[64];
      zip.extractEntryToMemory(small, sizeof small, names[i]);
    }
  } else {
    check(!zip.examineEntries() && !zip.nextEntry() && zip.entrySize() == -1);
    check(zip.extractEntry(dest, "index.txt") == -1);
  }
  zip.closeArchive();
  std::remove(dest.c_str());
  std::remove(archive.c_str());  // nothing left behind when the run ends
  return 0;
}
