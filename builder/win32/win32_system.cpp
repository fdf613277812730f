#include "builder/win32/win32_system.h"

#include <commdlg.h>

#include <cstdint>
#include <vector>

namespace veld::win32 {

namespace {

// The DLL's export and its callback: pointer-sized arguments, the called function cleans the stack.
using LibraryCallback = std::intptr_t(CALLBACK*)(const char* position, std::intptr_t length, std::intptr_t kind);
using HighlightExport = std::intptr_t(WINAPI*)(const char* buffer, std::intptr_t length, LibraryCallback callback,
                                               std::intptr_t enableAsm);

// The library's callback has no context argument: the bridge's callback for the call in progress.
HighlightCallback forwardTo = nullptr;

std::intptr_t CALLBACK onLibraryToken(const char* position, std::intptr_t length, std::intptr_t kind) {
  if (forwardTo != nullptr) forwardTo(position, length, kind);
  return 0;
}

}  // namespace

std::string temporaryFolder() {
  std::vector<char> shortForm(MAX_PATH + 1);
  DWORD n = GetTempPathA(static_cast<DWORD>(shortForm.size()), shortForm.data());
  if (n >= shortForm.size()) {
    shortForm.resize(n + 1);
    n = GetTempPathA(static_cast<DWORD>(shortForm.size()), shortForm.data());
  }
  if (n == 0 || n >= shortForm.size()) return {};
  std::string folder(shortForm.data(), n);
  std::vector<char> longForm(MAX_PATH + 1);
  DWORD m = GetLongPathNameA(folder.c_str(), longForm.data(), static_cast<DWORD>(longForm.size()));
  if (m >= longForm.size()) {
    longForm.resize(m + 1);
    m = GetLongPathNameA(folder.c_str(), longForm.data(), static_cast<DWORD>(longForm.size()));
  }
  if (m > 0 && m < longForm.size()) folder.assign(longForm.data(), m);
  if (folder.back() != '\\') folder += '\\';
  return folder;
}

std::string ToolHost::environmentVariable(const std::string& name) {
  std::vector<char> value(256);
  for (;;) {
    const DWORD n = GetEnvironmentVariableA(name.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (n == 0) return {};
    if (n < value.size()) return std::string(value.data(), n);
    value.resize(n);  // n counts the terminating NUL here
  }
}

void ToolHost::showMessage(const std::string& title, const std::string& text) {
  // Owned by the foreground window only when that window is this program's.
  HWND owner = GetForegroundWindow();
  DWORD process = 0;
  if (owner != nullptr) GetWindowThreadProcessId(owner, &process);
  if (process != GetCurrentProcessId()) owner = nullptr;
  MessageBoxA(owner, text.c_str(), title.c_str(), MB_OK);
}

std::string_view DllSyntaxLibrary::carriedBytes() {
  HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(kCarriedLibraryResource), MAKEINTRESOURCEA(10));
  if (resource == nullptr) return {};
  HGLOBAL loaded = LoadResource(nullptr, resource);
  const DWORD size = SizeofResource(nullptr, resource);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return {};
  return std::string_view(static_cast<const char*>(bytes), size);
}

bool DllSyntaxLibrary::load(const std::string& path) {
  unload();
  module_ = LoadLibraryA(path.c_str());
  return module_ != nullptr;
}

void DllSyntaxLibrary::unload() {
  if (module_ != nullptr) FreeLibrary(module_);
  module_ = nullptr;
}

HighlightFunction DllSyntaxLibrary::highlightFunction() {
  if (module_ == nullptr) return {};
  const auto highlight =
      reinterpret_cast<HighlightExport>(reinterpret_cast<void*>(GetProcAddress(module_, "SyntaxHighlight")));
  if (highlight == nullptr) return {};
  return [highlight](const char* buffer, std::size_t length, HighlightCallback onToken) {
    forwardTo = onToken;
    highlight(buffer, static_cast<std::intptr_t>(length), onLibraryToken, 0);
    forwardTo = nullptr;
  };
}

std::string OpenFileDialog::chooseFile(const std::string& title, const std::string& initialFolder,
                                       const std::string& filter) {
  // "a|b|c|d" as the dialog takes it: NUL-separated, ended by two NULs.
  std::string filters = filter;
  for (char& c : filters) {
    if (c == '|') c = '\0';
  }
  filters.push_back('\0');
  filters.push_back('\0');
  std::vector<char> file(32768, '\0');
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.lpstrFilter = filters.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = initialFolder.c_str();
  dialog.lpstrTitle = title.c_str();
  dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameA(&dialog)) return {};
  return std::string(file.data());
}

bool ProcessLauncher::startProgram(const std::string& commandLine) {
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

LocalTime LocalClock::now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

}  // namespace veld::win32
