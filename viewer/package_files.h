// The package's topic list and pages as files in the temporary folder, where the web control opens
// them. Every extraction first removes the old file of the same name: a damaged package or a missing
// entry then never shows the topics or the page of another package left there by an earlier run.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/archive_access.h"
#include "common/files.h"
#include "common/package_format.h"
#include "viewer/index_line.h"

namespace veld {

// The page file of topic n: its entry name, and "-1.html" for -1 (no topic), which no package holds.
std::string pageFileName(std::int64_t n);

// The page number of an entry named exactly as the builder names pages; -1 for any other name
// ("01.html", "1.HTML", "index.txt").
std::int64_t pageNumberOfEntry(std::string_view name);

class PackageFiles {
 public:
  // tempFolder ends with a separator; paths are UTF-8.
  PackageFiles(ArchiveAccess& archive, FileAccess& files, std::string tempFolder);

  std::string indexPath() const { return tempFolder_ + kIndexEntryName; }
  std::string pagePath(std::int64_t n) const { return tempFolder_ + pageFileName(n); }

  // Extracts the topic list to the temporary folder; the file's path, whether or not it was
  // extracted.
  std::string extractIndex(const std::string& packagePath);

  // Extracts page n; the file's path, whether or not it was extracted (a missing entry leaves no
  // file there, so the web control shows its page for a missing file).
  std::string extractPage(const std::string& packagePath, std::int64_t n);

  // The topic list of the package, extracted afresh; empty when it could not be extracted.
  std::vector<IndexLine> readIndex(const std::string& packagePath);

  // The same on an archive the caller has already opened (or failed to open), so that a search
  // opens the package once.
  std::vector<IndexLine> readIndexFromOpenArchive();

 private:
  bool extractTo(const std::string& destination, const std::string& entryName);

  ArchiveAccess& archive_;
  FileAccess& files_;
  std::string tempFolder_;
};

}  // namespace veld
