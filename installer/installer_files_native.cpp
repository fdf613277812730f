// Native stand-in for the installer's file system, so that the action sequences can be tested on
// the build machine. Paths are formed the Windows way (the home followed by "veld\"), so this
// stand-in reads a backslash as a folder separator.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "installer/installer_ports.h"

namespace veld {
namespace {

namespace fs = std::filesystem;

class NativeInstallerFiles final : public InstallerFiles {
 public:
  void createFolder(const std::string& path) override {
    std::error_code error;
    fs::create_directory(native(path), error);
  }

  bool writeFile(const std::string& path, std::string_view bytes) override {
    std::ofstream out(native(path), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
  }

  bool deleteFile(const std::string& path) override {
    std::error_code error;
    const fs::path p = native(path);
    if (fs::is_directory(fs::symlink_status(p, error))) return false;
    return fs::remove(p, error);
  }

  bool removeEmptyFolder(const std::string& path) override {
    std::error_code error;
    const fs::path p = native(path);
    if (!fs::is_directory(fs::symlink_status(p, error))) return false;
    return fs::remove(p, error);  // fails on a folder that is not empty
  }

  bool exists(const std::string& path) override {
    std::error_code error;
    return fs::exists(fs::symlink_status(native(path), error));
  }

  bool isFolder(const std::string& path) override {
    std::error_code error;
    return fs::is_directory(native(path), error);
  }

  bool driveExists(char) override { return false; }  // no drive letters here

  std::string temporaryFolder() override {
    std::error_code error;
    std::string folder = fs::temp_directory_path(error).string();
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
  }

  std::string systemPath(const std::string& path) override { return native(path).string(); }

 private:
  static fs::path native(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return fs::path(path);
  }
};

}  // namespace

std::unique_ptr<InstallerFiles> makeSystemInstallerFiles() { return std::make_unique<NativeInstallerFiles>(); }

}  // namespace veld
