#include "common/archive_access.h"

#include <zip.h>

#include <cstdint>
#include <cstring>
#include <new>

#include "common/zip_sources.h"

namespace veld {

namespace {

bool hasNul(const std::string& s) { return s.find('\0') != std::string::npos; }

// Closes a libzip file on every way out.
struct EntryReader {
  zip_file_t* file;
  explicit EntryReader(zip_file_t* f) : file(f) {}
  ~EntryReader() {
    if (file != nullptr) zip_fclose(file);
  }
  EntryReader(const EntryReader&) = delete;
  EntryReader& operator=(const EntryReader&) = delete;
};

}  // namespace

bool isPlainEntryName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    if (c == '/' || c == '\\' || c == ':' || c == '\0') return false;
  }
  return true;
}

ArchiveAccess::ArchiveAccess(Encoding programText)
    : programText_(programText), ownedFiles_(makeSystemFileAccess(programText)), files_(*ownedFiles_) {}

ArchiveAccess::ArchiveAccess(Encoding programText, FileAccess& files) : programText_(programText), files_(files) {}

ArchiveAccess::~ArchiveAccess() { closeArchive(); }

void ArchiveAccess::clearCurrent() {
  hasCurrent_ = false;
  currentName_.clear();
  currentSize_ = -1;
  currentCompressedSize_ = -1;
}

bool ArchiveAccess::createArchive(const std::string& path) {
  closeArchive();
  if (path.empty()) return false;
  // A file that cannot be deleted is opened below as an existing archive; its entries stay.
  files_.removeFile(path);
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = archiveFileSource(path, programText_, &error);
  if (source != nullptr) {
    zip_ = zip_open_from_source(source, ZIP_CREATE, &error);
    if (zip_ == nullptr) zip_source_free(source);
  }
  zip_error_fini(&error);
  created_ = zip_ != nullptr;
  return zip_ != nullptr;
}

bool ArchiveAccess::addFile(const std::string& sourcePath, const std::string& entryName) {
  if (zip_ == nullptr || !created_ || entryName.empty() || hasNul(entryName)) return false;
  const std::string name = programTextToUtf8(entryName, programText_);
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = addedFileSource(sourcePath, programText_, &error);
  zip_error_fini(&error);
  if (source == nullptr) return false;
  // libzip refuses a name the archive already holds.
  if (zip_file_add(zip_, name.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
    zip_source_free(source);
    return false;
  }
  return true;
}

bool ArchiveAccess::openArchive(const std::string& path) {
  closeArchive();
  if (path.empty()) return false;
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = archiveFileSource(path, programText_, &error);
  if (source != nullptr) {
    // libzip takes an empty file for an empty archive; it is not a zip archive to us.
    zip_stat_t st;
    zip_stat_init(&st);
    const bool empty = zip_source_stat(source, &st) == 0 && (st.valid & ZIP_STAT_SIZE) != 0 && st.size == 0;
    if (!empty) zip_ = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (zip_ == nullptr) zip_source_free(source);
  }
  zip_error_fini(&error);
  created_ = false;
  return zip_ != nullptr;
}

bool ArchiveAccess::examineEntries() {
  if (zip_ == nullptr) return false;
  const zip_int64_t n = zip_get_num_entries(zip_, 0);
  count_ = n < 0 ? 0 : n;
  cursor_ = -1;
  clearCurrent();
  return true;
}

bool ArchiveAccess::nextEntry() {
  if (zip_ == nullptr) return false;
  clearCurrent();
  while (cursor_ < count_) {
    ++cursor_;
    if (cursor_ >= count_) break;
    zip_stat_t st;
    zip_stat_init(&st);
    // An index libzip cannot describe (a damaged name, say) is passed over.
    if (zip_stat_index(zip_, static_cast<zip_uint64_t>(cursor_), 0, &st) != 0 || (st.valid & ZIP_STAT_NAME) == 0 ||
        st.name == nullptr) {
      continue;
    }
    hasCurrent_ = true;
    currentName_ = st.name;
    currentSize_ = (st.valid & ZIP_STAT_SIZE) ? static_cast<std::int64_t>(st.size) : -1;
    currentCompressedSize_ = (st.valid & ZIP_STAT_COMP_SIZE) ? static_cast<std::int64_t>(st.comp_size) : -1;
    return true;
  }
  return false;
}

std::string ArchiveAccess::entryName() const {
  return hasCurrent_ ? utf8ToProgramText(currentName_, programText_) : std::string();
}

std::int64_t ArchiveAccess::entrySize() const { return hasCurrent_ ? currentSize_ : -1; }

std::int64_t ArchiveAccess::entryCompressedSize() const { return hasCurrent_ ? currentCompressedSize_ : -1; }

std::int64_t ArchiveAccess::chooseEntry(const std::string& entryName) const {
  if (zip_ == nullptr) return -1;
  if (entryName.empty()) {
    if (!hasCurrent_ || (!currentName_.empty() && currentName_.back() == '/')) return -1;
    return cursor_;
  }
  if (hasNul(entryName)) return -1;
  // Compared with the names as enumeration reports them, byte for byte; the first match wins.
  const std::string wanted = programTextToUtf8(entryName, programText_);
  const zip_int64_t n = zip_get_num_entries(zip_, 0);
  for (zip_int64_t i = 0; i < n; ++i) {
    const char* name = zip_get_name(zip_, static_cast<zip_uint64_t>(i), 0);
    if (name != nullptr && wanted == name) return i;
  }
  return -1;
}

std::int64_t ArchiveAccess::recordedSize(std::int64_t index) const {
  zip_stat_t st;
  zip_stat_init(&st);
  if (zip_stat_index(zip_, static_cast<zip_uint64_t>(index), 0, &st) != 0 || (st.valid & ZIP_STAT_SIZE) == 0 ||
      st.size > static_cast<zip_uint64_t>(INT64_MAX)) {
    return -1;
  }
  return static_cast<std::int64_t>(st.size);
}

std::int64_t ArchiveAccess::extractEntry(const std::string& destinationPath, const std::string& entryName) {
  const std::int64_t index = chooseEntry(entryName);
  if (index < 0) return -1;
  const std::int64_t recorded = recordedSize(index);
  EntryReader reader(zip_fopen_index(zip_, static_cast<zip_uint64_t>(index), 0));
  if (reader.file == nullptr) return -1;
  std::unique_ptr<OutputFile> out = files_.createFile(destinationPath);
  if (!out) return -1;

  std::int64_t total = 0;
  // One buffer for every extraction, taken at the first and kept until the object goes.
  if (!buffer_) buffer_.reset(new (std::nothrow) char[kExtractBufferSize]);
  if (!buffer_) total = -1;
  while (total >= 0) {
    const zip_int64_t n = zip_fread(reader.file, buffer_.get(), kExtractBufferSize);
    if (n == 0) break;
    if (n < 0 || !out->write(buffer_.get(), static_cast<std::size_t>(n))) {
      total = -1;
      break;
    }
    total += n;
    // More data than the entry claims fails its check at the end anyway: stop early rather than
    // fill the disk from a damaged or hostile archive.
    if (recorded >= 0 && total > recorded) total = -1;
  }
  // libzip does not always notice an entry that ends before its recorded size.
  if (total >= 0 && recorded >= 0 && total != recorded) total = -1;
  if (!out->close()) total = -1;
  out.reset();
  if (total < 0) files_.removeFile(destinationPath);
  return total;
}

std::int64_t ArchiveAccess::extractEntryToMemory(void* buffer, std::size_t bufferSize, const std::string& entryName) {
  const std::int64_t index = chooseEntry(entryName);
  if (index < 0 || (buffer == nullptr && bufferSize > 0)) return -1;
  const std::int64_t recorded = recordedSize(index);
  EntryReader reader(zip_fopen_index(zip_, static_cast<zip_uint64_t>(index), 0));
  if (reader.file == nullptr) return -1;
  const zip_int64_t n = zip_fread(reader.file, buffer, bufferSize);
  if (n < 0 || bufferSize == 0) return n;
  // libzip checks the checksum when it reaches the end of the data. A read that filled the buffer
  // exactly has not seen the end yet: look one byte further so that a damaged entry read whole
  // gives -1. An entry longer than the buffer stays a partial read.
  char probe;
  const zip_int64_t more = zip_fread(reader.file, &probe, 1);
  if (more < 0) return -1;
  // Read whole: it must also be as long as recorded, which libzip does not always check.
  if (more == 0 && recorded >= 0 && n != recorded) return -1;
  return n;
}

void ArchiveAccess::closeArchive() {
  if (zip_ != nullptr) {
    // Writing a created archive can fail (the folder went away, the disk is full): libzip then
    // leaves no new file, and the archive is dropped as it is.
    if (!created_ || zip_close(zip_) != 0) zip_discard(zip_);
  }
  zip_ = nullptr;
  created_ = false;
  count_ = 0;
  cursor_ = -1;
  clearCurrent();
}

}  // namespace veld
