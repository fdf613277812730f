// Native stand-in: plain paths through libzip's stdio sources.
#include "common/zip_sources.h"

#include <sys/stat.h>

#include <cstdio>

namespace veld {

zip_source_t* archiveFileSource(const std::string& path, Encoding, zip_error_t* error) {
  if (path.find('\0') != std::string::npos) return nullptr;
  return zip_source_file_create(path.c_str(), 0, 0, error);
}

zip_source_t* openedFileSource(const std::string& path, Encoding, zip_error_t* error) {
  if (path.find('\0') != std::string::npos) return nullptr;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return nullptr;
  struct stat st;
  if (::fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode)) {  // fopen accepts folders here
    std::fclose(f);
    return nullptr;
  }
  zip_source_t* source = zip_source_filep_create(f, 0, 0, error);
  if (source == nullptr) std::fclose(f);
  return source;
}

}  // namespace veld
