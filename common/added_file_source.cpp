// The archive layer's source for added files: opened at the add to check it, then closed, and
// opened again only while libzip reads it.
#include <zip.h>

#include <memory>
#include <string>

#include "common/zip_sources.h"

namespace veld {

namespace {

struct AddedFile {
  std::string path;
  Encoding encoding;
  SourceFileFacts facts;
  std::unique_ptr<SourceFileReader> reader;
  zip_error_t error;
};

zip_int64_t addedFileCallback(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command) {
  AddedFile& file = *static_cast<AddedFile*>(state);
  switch (command) {
    case ZIP_SOURCE_OPEN: {
      file.reader = openSourceFile(file.path, file.encoding, nullptr);
      if (file.reader == nullptr) {
        zip_error_set(&file.error, ZIP_ER_OPEN, 0);
        return -1;
      }
      return 0;
    }
    case ZIP_SOURCE_READ: {
      if (file.reader == nullptr) {
        zip_error_set(&file.error, ZIP_ER_INTERNAL, 0);
        return -1;
      }
      const std::int64_t n = file.reader->read(data, static_cast<std::size_t>(length));
      if (n < 0) zip_error_set(&file.error, ZIP_ER_READ, 0);
      return n;
    }
    case ZIP_SOURCE_CLOSE:
      file.reader.reset();
      return 0;
    case ZIP_SOURCE_STAT: {
      if (length < sizeof(zip_stat_t)) {
        zip_error_set(&file.error, ZIP_ER_INVAL, 0);
        return -1;
      }
      zip_stat_t* st = static_cast<zip_stat_t*>(data);
      zip_stat_init(st);
      st->size = file.facts.size;
      st->mtime = file.facts.modified;
      st->valid |= ZIP_STAT_SIZE | ZIP_STAT_MTIME;
      return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
      return zip_error_to_data(&file.error, data, length);
    case ZIP_SOURCE_FREE:
      zip_error_fini(&file.error);
      delete &file;
      return 0;
    case ZIP_SOURCE_SUPPORTS:
      return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                            ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SUPPORTS, -1);
    default:
      zip_error_set(&file.error, ZIP_ER_OPNOTSUPP, 0);
      return -1;
  }
}

}  // namespace

zip_source_t* addedFileSource(const std::string& path, Encoding encoding, zip_error_t* error) {
  if (path.find('\0') != std::string::npos) return nullptr;
  auto file = std::make_unique<AddedFile>();
  file->path = path;
  file->encoding = encoding;
  if (openSourceFile(path, encoding, &file->facts) == nullptr) return nullptr;
  zip_error_init(&file->error);
  zip_source_t* source = zip_source_function_create(addedFileCallback, file.get(), error);
  if (source == nullptr) {
    zip_error_fini(&file->error);
    return nullptr;
  }
  file.release();  // the source owns it now and frees it at ZIP_SOURCE_FREE
  return source;
}

}  // namespace veld
