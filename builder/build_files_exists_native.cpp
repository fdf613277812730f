// Existence test on POSIX: anything stat can see (files, folders).
#include <sys/stat.h>

#include <string>

namespace veld {

bool pathExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

}  // namespace veld
