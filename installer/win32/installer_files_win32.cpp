// The installer's file system on Windows: the ANSI file functions, paths as the program holds them.
#include <windows.h>

#include <string>

#include "installer/installer_ports.h"

namespace veld {
namespace {

class Win32InstallerFiles final : public InstallerFiles {
 public:
  void createFolder(const std::string& path) override { CreateDirectoryA(path.c_str(), nullptr); }

  bool writeFile(const std::string& path, std::string_view bytes) override {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      // Some files refuse to be created anew (hidden or system ones): empty the existing file instead.
      file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    if (file == INVALID_HANDLE_VALUE) return false;
    bool whole = true;
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
      const DWORD chunk = left > 0x10000000u ? 0x10000000u : static_cast<DWORD>(left);
      DWORD written = 0;
      if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0) {
        whole = false;
        break;
      }
      data += written;
      left -= written;
    }
    if (!CloseHandle(file)) whole = false;
    return whole;
  }

  bool deleteFile(const std::string& path) override { return DeleteFileA(path.c_str()) != 0; }

  bool removeEmptyFolder(const std::string& path) override { return RemoveDirectoryA(path.c_str()) != 0; }

  bool exists(const std::string& path) override {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  bool isFolder(const std::string& path) override {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }

  bool driveExists(char letter) override {
    const char root[] = {letter, ':', '\\', '\0'};
    return GetDriveTypeA(root) > DRIVE_NO_ROOT_DIR;
  }

  std::string temporaryFolder() override {
    char shortForm[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof shortForm, shortForm);
    if (length == 0 || length > MAX_PATH) return {};
    std::string folder(shortForm, length);
    const DWORD needed = GetLongPathNameA(shortForm, nullptr, 0);
    if (needed > 0) {
      std::string longForm(needed, '\0');
      const DWORD got = GetLongPathNameA(shortForm, &longForm[0], needed);
      if (got > 0 && got < needed) folder.assign(longForm.data(), got);
    }
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
  }

  std::string systemPath(const std::string& path) override { return path; }
};

}  // namespace

std::unique_ptr<InstallerFiles> makeSystemInstallerFiles() { return std::make_unique<Win32InstallerFiles>(); }

}  // namespace veld
