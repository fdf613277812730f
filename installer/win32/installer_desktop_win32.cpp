#include "installer/win32/installer_desktop_win32.h"

#include <shlobj.h>

#include <string>
#include <vector>

#include "installer/registered_home.h"

namespace veld {
namespace {

// Closes a handle at the end of a scope.
class ScopedHandle {
 public:
  explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
  ~ScopedHandle() {
    if (handle_) CloseHandle(handle_);
  }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

class ScopedKey {
 public:
  ScopedKey() = default;
  ~ScopedKey() {
    if (key_) RegCloseKey(key_);
  }
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// The system's own command interpreter, so that a cmd.exe lying in the working folder is never run.
std::string systemCommandInterpreter() {
  char folder[MAX_PATH + 1] = {};
  const UINT length = GetSystemDirectoryA(folder, sizeof folder);
  if (length == 0 || length > MAX_PATH) return {};
  return std::string(folder, length) + "\\cmd.exe";
}

// Starts a process; true when it started. The handles are closed unless `process` takes them.
bool startProcess(const std::string& application, std::string commandLine, DWORD flags, WORD show,
                  HANDLE* process) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = show;
  PROCESS_INFORMATION info{};
  commandLine.push_back('\0');
  if (!CreateProcessA(application.empty() ? nullptr : application.c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                      flags | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &info)) {
    return false;
  }
  CloseHandle(info.hThread);
  if (process) {
    *process = info.hProcess;
  } else {
    CloseHandle(info.hProcess);
  }
  return true;
}

}  // namespace

std::string Win32Desktop::registeredIconValue() {
  ScopedKey key;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kDefaultIconKey, 0, KEY_READ, key.out()) != ERROR_SUCCESS) return {};
  // Read at its full length; its type is not tested (an expandable value is used unexpanded).
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), nullptr, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS || size == 0) return {};
  std::vector<char> buffer(size + 1, '\0');
  DWORD got = size;
  if (RegQueryValueExA(key.get(), nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &got) !=
      ERROR_SUCCESS) {
    return {};
  }
  return std::string(buffer.data());  // up to the terminating NUL
}

std::string Win32Desktop::environmentVariable(const std::string& name) {
  const DWORD needed = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
  if (needed == 0) return {};
  std::string value(needed, '\0');
  const DWORD got = GetEnvironmentVariableA(name.c_str(), &value[0], needed);
  if (got == 0 || got >= needed) return {};
  value.resize(got);
  return value;
}

std::string Win32Desktop::requestFolder(const std::string& title) {
  // The new dialog style hosts OLE controls.
  const HRESULT ole = OleInitialize(nullptr);
  const HWND mainWindow = owner();
  const bool owned = mainWindow && GetForegroundWindow() == mainWindow;
  // Unowned, the dialog would leave the window usable behind it: keep it disabled meanwhile.
  if (mainWindow && !owned) EnableWindow(mainWindow, FALSE);

  BROWSEINFOA browse{};
  browse.hwndOwner = owned ? mainWindow : nullptr;
  browse.lpszTitle = title.c_str();
  browse.ulFlags = BIF_NEWDIALOGSTYLE | BIF_EDITBOX;
  LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);

  if (mainWindow && !owned) EnableWindow(mainWindow, TRUE);
  std::string folder;
  if (chosen) {
    char path[MAX_PATH + 1] = {};
    if (SHGetPathFromIDListA(chosen, path)) folder = path;
    CoTaskMemFree(chosen);
  }
  if (SUCCEEDED(ole)) OleUninitialize();
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

void Win32Desktop::showInformation(const std::string& title, const std::string& text) {
  MessageBoxA(owner(), text.c_str(), title.c_str(), MB_OK | MB_ICONINFORMATION);
}

void Win32Desktop::showError(const std::string& title, const std::string& text) {
  MessageBoxA(owner(), text.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
}

void Win32Desktop::runHidden(const std::string& parameters) {
  HANDLE process = nullptr;
  if (!startProcess(systemCommandInterpreter(), "\"cmd\" " + parameters, DETACHED_PROCESS, SW_HIDE, &process)) return;
  ScopedHandle owned(process);
  WaitForSingleObject(owned.get(), INFINITE);
}

void Win32Desktop::startProgram(const std::string& program, const std::string& arguments) {
  startProcess(program, "\"" + program + "\" " + arguments, 0, SW_SHOWNORMAL, nullptr);
}

void Win32Desktop::setPathButtonLabel(const std::string& label) {
  if (IsWindow(pathButton_)) SetWindowTextA(pathButton_, label.c_str());
}

void Win32Desktop::closeMainWindow() {
  if (IsWindow(mainWindow_)) DestroyWindow(mainWindow_);
}

void Win32Desktop::endProgram() {
  closeMainWindow();
  PostQuitMessage(0);
}

}  // namespace veld
