#include "viewer/package_files.h"

#include <utility>

namespace veld {

std::string pageFileName(std::int64_t n) {
  return n >= 0 ? pageEntryName(static_cast<std::uint64_t>(n)) : std::to_string(n) + ".html";
}

std::int64_t pageNumberOfEntry(std::string_view name) {
  constexpr std::string_view kSuffix = ".html";
  if (name.size() <= kSuffix.size() || name.substr(name.size() - kSuffix.size()) != kSuffix) return -1;
  const std::string_view digits = name.substr(0, name.size() - kSuffix.size());
  // Page numbers are line numbers of a topic list held in memory: 18 digits are plenty.
  if (digits.size() > 18 || (digits.size() > 1 && digits[0] == '0')) return -1;
  std::int64_t n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n;
}

PackageFiles::PackageFiles(ArchiveAccess& archive, FileAccess& files, std::string tempFolder)
    : archive_(archive), files_(files), tempFolder_(std::move(tempFolder)) {}

bool PackageFiles::extractTo(const std::string& destination, const std::string& entryName) {
  files_.removeFile(destination);
  return archive_.extractEntry(destination, entryName) >= 0;
}

std::string PackageFiles::extractIndex(const std::string& packagePath) {
  archive_.openArchive(packagePath);
  extractTo(indexPath(), kIndexEntryName);
  archive_.closeArchive();
  return indexPath();
}

std::string PackageFiles::extractPage(const std::string& packagePath, std::int64_t n) {
  const std::string destination = pagePath(n);
  archive_.openArchive(packagePath);
  extractTo(destination, pageFileName(n));
  archive_.closeArchive();
  return destination;
}

std::vector<IndexLine> PackageFiles::readIndexFromOpenArchive() {
  // Only a list this call extracted is read: an old file that could not be removed stays unread.
  if (!extractTo(indexPath(), kIndexEntryName)) return {};
  OpenStatus status;
  std::unique_ptr<HeldFile> file = files_.openExisting(indexPath(), false, OthersMay::ReadWrite, status);
  std::string bytes;
  if (!file || !file->readAll(bytes)) return {};
  return parseIndexText(bytes);
}

std::vector<IndexLine> PackageFiles::readIndex(const std::string& packagePath) {
  archive_.openArchive(packagePath);
  std::vector<IndexLine> lines = readIndexFromOpenArchive();
  archive_.closeArchive();
  return lines;
}

}  // namespace veld
