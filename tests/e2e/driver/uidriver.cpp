#include "uidriver.h"

#include <commctrl.h>
#include <png.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>

namespace veld::uidriver {
namespace {

// Room for one item text of a tree view or tab control, in characters.
constexpr size_t kItemTextChars = 4096;
// How long a control may take to show the effect of a message it has already handled.
constexpr DWORD kSettleMs = 2000;

// Sends a message with a time limit, so that a hung target cannot hang the test.
bool send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kDefaultTimeoutMs,
                           &answer)) {
    return false;
  }
  if (result) *result = static_cast<LRESULT>(answer);
  return true;
}

std::string lastErrorText(const char* what) {
  return std::string(what) + " failed, error " + std::to_string(GetLastError());
}

void setError(std::string* error, const std::string& text) {
  if (error) *error = text;
}

// A block of memory inside the process that owns a window: controls of another process take
// pointers only into their own address space.
class RemoteMemory {
 public:
  RemoteMemory(HWND window, size_t size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_) {
      base_ = static_cast<char*>(
          VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    }
  }
  ~RemoteMemory() {
    if (base_) VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  bool ok() const { return base_ != nullptr; }
  char* at(size_t offset) const { return base_ + offset; }
  bool write(size_t offset, const void* data, size_t size) {
    SIZE_T done = 0;
    return WriteProcessMemory(process_, base_ + offset, data, size, &done) && done == size;
  }
  bool read(size_t offset, void* data, size_t size) const {
    SIZE_T done = 0;
    return ReadProcessMemory(process_, base_ + offset, data, size, &done) && done == size;
  }
  // The text a control wrote at `offset`, at most `chars` characters.
  std::string readText(size_t offset, size_t chars) const {
    std::wstring buffer(chars, L'\0');
    if (!read(offset, buffer.data(), chars * sizeof(wchar_t))) return {};
    buffer.resize(wcsnlen(buffer.c_str(), chars));
    return utf8(buffer);
  }

 private:
  HANDLE process_ = nullptr;
  char* base_ = nullptr;
};

std::wstring className(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

struct ChildSearch {
  const std::function<bool(HWND)>* match;
  HWND found;
};

// Enumeration callbacks are named functions: a lambda cannot be stdcall on 32-bit.
BOOL CALLBACK matchChild(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<ChildSearch*>(param);
  if (!(*search->match)(child)) return TRUE;
  search->found = child;
  return FALSE;
}

// The first descendant of `top` that `match` accepts.
HWND findDescendant(HWND top, const std::function<bool(HWND)>& match) {
  ChildSearch search{&match, nullptr};
  EnumChildWindows(top, matchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct TopLevelSearch {
  std::wstring title, windowClass;
  HWND found;
};

BOOL CALLBACK matchTopLevel(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TopLevelSearch*>(param);
  // GetWindowTextW reads another process's title without sending it a message.
  std::wstring title(search->title.size() + 2, L'\0');
  const int n = GetWindowTextW(window, title.data(), static_cast<int>(title.size()));
  title.resize(static_cast<size_t>(std::max(n, 0)));
  if (title != search->title) return TRUE;
  if (!search->windowClass.empty() && className(window) != search->windowClass) return TRUE;
  search->found = window;
  return FALSE;
}

bool sameTextIgnoringCase(const std::wstring& a, const std::wstring& b) {
  return _wcsicmp(a.c_str(), b.c_str()) == 0;
}

// ---- tree view walk ----

struct TreeNode {
  HTREEITEM item;
  int level;
};

HTREEITEM nextTreeItem(HWND tree, HTREEITEM item, WPARAM relation) {
  LRESULT next = 0;
  if (!send(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item), &next)) return nullptr;
  return reinterpret_cast<HTREEITEM>(next);
}

void collectTree(HWND tree, HTREEITEM first, int level, std::vector<TreeNode>& nodes) {
  for (HTREEITEM item = first; item; item = nextTreeItem(tree, item, TVGN_NEXT)) {
    nodes.push_back({item, level});
    collectTree(tree, nextTreeItem(tree, item, TVGN_CHILD), level + 1, nodes);
  }
}

std::vector<TreeNode> treeNodes(HWND tree) {
  std::vector<TreeNode> nodes;
  collectTree(tree, nextTreeItem(tree, nullptr, TVGN_ROOT), 0, nodes);
  return nodes;
}

// ---- environment ----

std::wstring variableName(const std::wstring& entry) {
  // Entries such as "=C:=C:\dir" start with '=': their name runs to the second one.
  return entry.substr(0, entry.find(L'=', 1));
}

// The driver's environment with the requested changes, as a CreateProcessW block.
std::vector<wchar_t> environmentBlock(const ProgramStart& start) {
  std::vector<std::wstring> entries;
  if (LPWCH strings = GetEnvironmentStringsW()) {
    for (LPWCH p = strings; *p; p += wcslen(p) + 1) entries.emplace_back(p);
    FreeEnvironmentStringsW(strings);
  }
  // Names are case-insensitive: replacing "Path" must not leave "PATH" beside it.
  auto remove = [&entries](const std::wstring& name) {
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [&name](const std::wstring& e) {
                                   return sameTextIgnoringCase(variableName(e), name);
                                 }),
                  entries.end());
  };
  for (const std::string& name : start.unsetEnvironment) remove(wide(name));
  for (const auto& [name, value] : start.setEnvironment) {
    remove(wide(name));
    entries.push_back(wide(name) + L"=" + wide(value));
  }
  // The system expects the block sorted by name, without regard to case.
  std::stable_sort(entries.begin(), entries.end(), [](const std::wstring& a, const std::wstring& b) {
    return _wcsicmp(variableName(a).c_str(), variableName(b).c_str()) < 0;
  });
  std::vector<wchar_t> block;
  for (const std::wstring& e : entries) {
    block.insert(block.end(), e.begin(), e.end());
    block.push_back(L'\0');
  }
  block.push_back(L'\0');
  if (entries.empty()) block.push_back(L'\0');
  return block;
}

// ---- screenshots ----

bool captureRectangle(RECT area, const std::string& pngPath, std::string* error) {
  RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT clipped;
  if (!IntersectRect(&clipped, &area, &screen)) {
    setError(error, "the area lies outside the display");
    return false;
  }
  const int width = clipped.right - clipped.left;
  const int height = clipped.bottom - clipped.top;

  HDC screenDc = GetDC(nullptr);
  HDC memoryDc = CreateCompatibleDC(screenDc);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows, as PNG stores them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screenDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (memoryDc && bitmap) {
    HGDIOBJ previous = SelectObject(memoryDc, bitmap);
    ok = BitBlt(memoryDc, 0, 0, width, height, screenDc, clipped.left, clipped.top,
                SRCCOPY | CAPTUREBLT) != FALSE;
    GdiFlush();
    SelectObject(memoryDc, previous);
    if (!ok) setError(error, lastErrorText("BitBlt"));
  } else {
    setError(error, lastErrorText("CreateDIBSection"));
  }

  if (ok) {
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_BGR;  // a 24-bit DIB holds blue, green, red
    const png_int_32 stride = ((width * 3 + 3) / 4) * 4;  // DIB rows are padded to 4 bytes
    FILE* file = _wfopen(wide(pngPath).c_str(), L"wb");
    if (!file) {
      setError(error, "cannot create " + pngPath);
      ok = false;
    } else {
      ok = png_image_write_to_stdio(&image, file, 0, bits, stride, nullptr) != 0;
      if (!ok) setError(error, std::string("PNG encoding failed: ") + image.message);
      ok = (std::fclose(file) == 0) && ok;
      if (!ok) _wremove(wide(pngPath).c_str());  // no half-written file left behind
    }
    png_image_free(&image);
  }

  if (bitmap) DeleteObject(bitmap);
  if (memoryDc) DeleteDC(memoryDc);
  ReleaseDC(nullptr, screenDc);
  return ok;
}

}  // namespace

// ---- text ----

std::wstring wide(const std::string& utf8Text) {
  if (utf8Text.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8Text.data(), static_cast<int>(utf8Text.size()),
                                    nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8Text.data(), static_cast<int>(utf8Text.size()), out.data(), n);
  return out;
}

std::string utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

// ---- waiting ----

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(kPollStepMs);
  }
}

HWND findWindow(const std::string& title, const std::string& windowClass) {
  TopLevelSearch search{wide(title), wide(windowClass), nullptr};
  EnumWindows(matchTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND waitForWindow(const std::string& title, const std::string& windowClass, DWORD timeoutMs) {
  HWND found = nullptr;
  waitUntil(
      [&] {
        found = findWindow(title, windowClass);
        return found && IsWindowVisible(found);
      },
      timeoutMs);
  return found && IsWindowVisible(found) ? found : nullptr;
}

bool waitForWindowGone(HWND window, DWORD timeoutMs) {
  return waitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

HWND findControl(HWND top, int id) {
  return findDescendant(top, [id](HWND child) { return GetDlgCtrlID(child) == id; });
}

HWND waitForControl(HWND top, int id, DWORD timeoutMs) {
  HWND found = nullptr;
  waitUntil([&] { return (found = findControl(top, id)) != nullptr; }, timeoutMs);
  return found;
}

// ---- programs ----

Program::~Program() { terminate(); }

Program::Program(Program&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), processId_(std::exchange(other.processId_, 0)) {}

Program& Program::operator=(Program&& other) noexcept {
  if (this != &other) {
    terminate();
    process_ = std::exchange(other.process_, nullptr);
    processId_ = std::exchange(other.processId_, 0);
  }
  return *this;
}

Program Program::start(const ProgramStart& start, std::string* error) {
  Program program;
  std::wstring commandLine = wide(start.commandLine);  // CreateProcessW may write into it
  const std::wstring folder = wide(start.workingFolder);
  const bool changedEnvironment = !start.setEnvironment.empty() || !start.unsetEnvironment.empty();
  std::vector<wchar_t> environment;
  if (changedEnvironment) environment = environmentBlock(start);

  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                      changedEnvironment ? environment.data() : nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
    setError(error, lastErrorText("CreateProcess") + " for: " + start.commandLine);
    return program;
  }
  CloseHandle(info.hThread);
  program.process_ = info.hProcess;
  program.processId_ = info.dwProcessId;
  return program;
}

bool Program::running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Program::waitForExit(DWORD timeoutMs) {
  if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  if (!GetExitCodeProcess(process_, &code)) return std::nullopt;
  return code;
}

void Program::terminate() {
  if (!process_) return;
  if (running()) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, kDefaultTimeoutMs);
  }
  release();
}

void Program::release() {
  if (process_) CloseHandle(process_);
  process_ = nullptr;
  processId_ = 0;
}

std::optional<DWORD> runProgram(const ProgramStart& start, DWORD timeoutMs, std::string* error) {
  Program program = Program::start(start, error);
  if (!program.valid()) return std::nullopt;
  std::optional<DWORD> code = program.waitForExit(timeoutMs);
  if (!code) setError(error, "did not end within " + std::to_string(timeoutMs) + " ms: " + start.commandLine);
  return code;  // a program still running is terminated by its destructor
}

// ---- buttons and texts ----

bool click(HWND button) {
  if (!button || !IsWindow(button) || !IsWindowEnabled(button)) return false;
  return PostMessageW(button, BM_CLICK, 0, 0) != FALSE;
}

bool clickButton(HWND top, int id) { return click(findControl(top, id)); }

std::string text(HWND window) {
  LRESULT length = 0;
  if (!window || !send(window, WM_GETTEXTLENGTH, 0, 0, &length) || length <= 0) return {};
  std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
  LRESULT copied = 0;
  if (!send(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), &copied)) return {};
  buffer.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
  return utf8(buffer);
}

std::string controlText(HWND top, int id) { return text(findControl(top, id)); }

bool setText(HWND window, const std::string& value) {
  const std::wstring w = wide(value);
  LRESULT result = 0;
  return window && send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w.c_str()), &result) && result;
}

bool pressEnter(HWND edit) {
  if (!edit || !IsWindow(edit)) return false;
  // Focus cannot be set from another thread; a click into the field makes its own thread
  // take the focus, as a user's click would.
  const LPARAM point = MAKELPARAM(2, 2);
  return PostMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, point) &&
         PostMessageW(edit, WM_LBUTTONUP, 0, point) &&
         PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0x001C0001) &&
         PostMessageW(edit, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC01C0001u));
}

bool typeAndEnter(HWND edit, const std::string& value) { return setText(edit, value) && pressEnter(edit); }

// ---- tree view ----

std::vector<TreeItem> treeItems(HWND tree) {
  std::vector<TreeItem> items;
  RemoteMemory memory(tree, sizeof(TVITEMW) + kItemTextChars * sizeof(wchar_t));
  if (!memory.ok()) return items;
  const HTREEITEM caret = nextTreeItem(tree, nullptr, TVGN_CARET);
  for (const TreeNode& node : treeNodes(tree)) {
    TVITEMW item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = node.item;
    item.pszText = reinterpret_cast<LPWSTR>(memory.at(sizeof(TVITEMW)));
    item.cchTextMax = static_cast<int>(kItemTextChars);
    const wchar_t empty = L'\0';  // no text left over from the item before
    LRESULT ok = 0;
    std::string itemText;
    if (memory.write(0, &item, sizeof(item)) && memory.write(sizeof(TVITEMW), &empty, sizeof(empty)) &&
        send(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(memory.at(0)), &ok) && ok) {
      itemText = memory.readText(sizeof(TVITEMW), kItemTextChars);
    }
    items.push_back({itemText, node.level, node.item == caret});
  }
  return items;
}

bool selectTreeItem(HWND tree, int index) {
  const std::vector<TreeNode> nodes = treeNodes(tree);
  if (index < 0 || static_cast<size_t>(index) >= nodes.size()) return false;
  LRESULT ok = 0;
  return send(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(nodes[index].item), &ok) && ok;
}

// ---- list box ----

std::vector<std::string> listItems(HWND list) {
  std::vector<std::string> items;
  LRESULT count = 0;
  if (!send(list, LB_GETCOUNT, 0, 0, &count)) return items;
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT length = 0;
    std::wstring buffer;
    // The W message: across processes the A one hands back UTF-16 under Wine.
    if (send(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0, &length) && length != LB_ERR) {
      buffer.assign(static_cast<size_t>(length) + 1, L'\0');
      LRESULT copied = 0;
      if (send(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer.data()), &copied) &&
          copied != LB_ERR) {
        buffer.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
      } else {
        buffer.clear();
      }
    }
    items.push_back(utf8(buffer));
  }
  return items;
}

int listSelection(HWND list) {
  LRESULT selected = LB_ERR;
  if (!send(list, LB_GETCURSEL, 0, 0, &selected) || selected == LB_ERR) return -1;
  return static_cast<int>(selected);
}

bool selectListItem(HWND list, int index) {
  LRESULT result = LB_ERR;
  if (index < 0 || !send(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0, &result) || result == LB_ERR) {
    return false;
  }
  // LB_SETCURSEL itself notifies nobody; a user's click sends this to the owner.
  const WPARAM command = MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE);
  return PostMessageW(GetParent(list), WM_COMMAND, command, reinterpret_cast<LPARAM>(list)) != FALSE;
}

// ---- tab control ----

std::vector<std::string> tabTexts(HWND tab) {
  std::vector<std::string> texts;
  LRESULT count = 0;
  RemoteMemory memory(tab, sizeof(TCITEMW) + kItemTextChars * sizeof(wchar_t));
  if (!memory.ok() || !send(tab, TCM_GETITEMCOUNT, 0, 0, &count)) return texts;
  for (LRESULT i = 0; i < count; ++i) {
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<LPWSTR>(memory.at(sizeof(TCITEMW)));
    item.cchTextMax = static_cast<int>(kItemTextChars);
    const wchar_t empty = L'\0';  // no text left over from the tab before
    LRESULT ok = 0;
    std::string itemText;
    if (memory.write(0, &item, sizeof(item)) && memory.write(sizeof(TCITEMW), &empty, sizeof(empty)) &&
        send(tab, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(memory.at(0)), &ok) && ok) {
      itemText = memory.readText(sizeof(TCITEMW), kItemTextChars);
    }
    texts.push_back(itemText);
  }
  return texts;
}

int currentTab(HWND tab) {
  LRESULT selected = -1;
  if (!send(tab, TCM_GETCURSEL, 0, 0, &selected)) return -1;
  return static_cast<int>(selected);
}

bool selectTab(HWND tab, int index) {
  LRESULT count = 0;
  if (index < 0 || !send(tab, TCM_GETITEMCOUNT, 0, 0, &count) || index >= count) return false;
  // TCM_SETCURFOCUS, unlike TCM_SETCURSEL, sends the owner TCN_SELCHANGING and TCN_SELCHANGE.
  return send(tab, TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0) && currentTab(tab) == index;
}

// ---- dialogs ----

HWND waitForDialog(const std::string& title, DWORD timeoutMs) {
  return waitForWindow(title, "#32770", timeoutMs);
}

bool pressDialogButton(HWND dialog, int id) {
  if (!dialog || !IsWindow(dialog)) return false;
  HWND button = GetDlgItem(dialog, id);
  if (button && !IsWindowEnabled(button)) return false;
  // Posted, not sent: the dialog may open another one in response.
  return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)) != FALSE;
}

bool confirmDialog(HWND dialog) { return pressDialogButton(dialog, IDOK); }
bool cancelDialog(HWND dialog) { return pressDialogButton(dialog, IDCANCEL); }

bool chooseFileInDialog(HWND dialog, const std::string& path) {
  constexpr int kFileNameCombo = 0x47C;  // cmb13 of the explorer-style dialog
  constexpr int kFileNameEdit = 0x480;   // edt1 of the old-style dialog
  HWND field = findControl(dialog, kFileNameCombo);
  if (!field) field = findControl(dialog, kFileNameEdit);
  return field && setText(field, path) && confirmDialog(dialog);
}

bool chooseFolderInDialog(HWND dialog, const std::string& path) {
  if (!dialog || !IsWindow(dialog)) return false;
  // The dialog reads the path from its own address space. A typed path is not used on OK.
  const std::wstring folder = wide(path);
  const size_t bytes = (folder.size() + 1) * sizeof(wchar_t);
  RemoteMemory memory(dialog, bytes);
  if (!memory.ok() || !memory.write(0, folder.c_str(), bytes)) return false;
  // The message's result is not reliable across dialog procedures: check that the dialog's
  // folder tree now has the folder's own name selected before confirming.
  std::wstring leaf = folder;
  while (!leaf.empty() && (leaf.back() == L'\\' || leaf.back() == L'/')) leaf.pop_back();
  const size_t separator = leaf.find_last_of(L"\\/:");
  if (separator != std::wstring::npos) leaf.erase(0, separator + 1);
  HWND tree = findDescendant(dialog, [](HWND child) { return className(child) == WC_TREEVIEWW; });
  if (!tree || leaf.empty()) return false;
  const auto leafSelected = [&] {
    for (const TreeItem& item : treeItems(tree)) {
      if (item.selected) return sameTextIgnoringCase(wide(item.text), leaf);
    }
    return false;
  };
  // A selection asked for while the dialog still fills its tree can be lost: ask again until it
  // shows or the time is up.
  const DWORD start = GetTickCount();
  do {
    if (!send(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(memory.at(0)))) return false;
    if (waitUntil(leafSelected, 500)) return confirmDialog(dialog);
  } while (GetTickCount() - start < 2 * kSettleMs);
  return false;
}

std::string messageBoxText(HWND box) {
  // The id is a WORD in the dialog template: compare its low 16 bits only.
  HWND label = findDescendant(box, [](HWND child) {
    return (static_cast<unsigned>(GetDlgCtrlID(child)) & 0xFFFFu) == 0xFFFFu && className(child) == L"Static";
  });
  return label ? text(label) : std::string();
}

// ---- screenshots ----

bool saveScreenshot(const std::string& pngPath, std::string* error) {
  RECT all = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return captureRectangle(all, pngPath, error);
}

bool saveWindowScreenshot(HWND window, const std::string& pngPath, std::string* error) {
  RECT area;
  if (!window || !GetWindowRect(window, &area)) {
    setError(error, "no such window");
    return false;
  }
  return captureRectangle(area, pngPath, error);
}

}  // namespace veld::uidriver
