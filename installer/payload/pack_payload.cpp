// veld-pack: writes the installer's payload archive at build time, through the same archive layer
// that unpacks it. Usage: veld-pack <archive> <file>...; each file is stored under its own name.
#include <cstdio>
#include <string>

#include "common/archive_access.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: veld-pack <archive.zip> <file>...\n");
    return 2;
  }
  veld::ArchiveAccess archive(veld::Encoding::Ansi);
  if (!archive.createArchive(argv[1])) {
    std::fprintf(stderr, "veld-pack: cannot create %s\n", argv[1]);
    return 1;
  }
  for (int i = 2; i < argc; ++i) {
    const std::string path = argv[i];
    const std::size_t slash = path.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (!archive.addFile(path, name)) {
      std::fprintf(stderr, "veld-pack: cannot add %s\n", path.c_str());
      return 1;
    }
  }
  archive.closeArchive();
  std::FILE* check = std::fopen(argv[1], "rb");
  if (!check) {
    std::fprintf(stderr, "veld-pack: %s was not written\n", argv[1]);
    return 1;
  }
  std::fclose(check);
  return 0;
}
