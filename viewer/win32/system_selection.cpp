#include "viewer/win32/system_selection.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "viewer/win32/wide_text.h"

namespace veld {

bool SystemSelection::exists(const std::string& path) {
  if (path.empty() || path.find('\0') != std::string::npos) return false;
  return GetFileAttributesW(utf8ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::int64_t SystemSelection::fileSize(const std::string& path) {
  if (path.empty() || path.find('\0') != std::string::npos) return -1;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(utf8ToWide(path).c_str(), GetFileExInfoStandard, &data)) return -1;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
  return (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool SystemSelection::readFile(const std::string& path, std::string& bytes) {
  OpenStatus status;
  std::unique_ptr<HeldFile> file = files_.openExisting(path, false, OthersMay::ReadWrite, status);
  return file && file->readAll(bytes);
}

std::optional<std::string> SystemSelection::pureBasicHome() {
  // Without the IDE this shows the fatal message and ends the program.
  return veld::pureBasicHome(host_);
}

std::string SystemSelection::requestFile(const std::string& title, const std::string& initialPath,
                                         const std::string& filterDescription, const std::string& filterPattern) {
  const std::wstring wtitle = utf8ToWide(title);
  const std::wstring folder = utf8ToWide(initialPath);
  std::wstring filter = utf8ToWide(filterDescription);
  filter.push_back(L'\0');
  filter += utf8ToWide(filterPattern);
  filter.push_back(L'\0');
  std::vector<wchar_t> file(32768, L'\0');  // room for long paths

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = nullptr;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = folder.c_str();
  ofn.lpstrTitle = wtitle.c_str();
  // The folder must exist, the file need not; the current directory stays where it is.
  ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  if (!GetOpenFileNameW(&ofn)) return {};
  return wideToUtf8(file.data());
}

}  // namespace veld
