#include "builder/package_sink.h"

#include "common/archive_access.h"

namespace veld {

namespace {

class ArchivePackageSink final : public PackageSink {
 public:
  explicit ArchivePackageSink(BuildFiles& files) : files_(files), archive_(Encoding::Ansi) {}

  bool create(const std::string& packagePath) override {
    path_ = packagePath;
    return archive_.createArchive(packagePath);
  }

  bool addFile(const std::string& filePath, const std::string& entryName) override {
    return archive_.addFile(filePath, entryName);
  }

  bool close() override {
    const bool open = archive_.isOpen();
    archive_.closeArchive();
    return open && files_.exists(path_);
  }

 private:
  BuildFiles& files_;
  ArchiveAccess archive_;
  std::string path_;
};

}  // namespace

std::unique_ptr<PackageSink> makeArchivePackageSink(BuildFiles& files) {
  return std::make_unique<ArchivePackageSink>(files);
}

}  // namespace veld
