// A window with one of each control the UI driver drives, built like our programs (ANSI
// window, common controls, controls of a tab sitting on page windows inside the tab control).
// It writes what happened into its status line; the driver's test reads it back.
#include "testwin_ids.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using namespace veld::testwin;

constexpr char kPageClass[] = "VeldUiDriverTestPage";
constexpr int kTabCount = 3;

struct Window {
  HWND main = nullptr;
  HWND status = nullptr;
  HWND edit = nullptr;
  HWND tab = nullptr;
  HWND tree = nullptr;
  HWND list = nullptr;
  HWND pages[kTabCount] = {};
  int clicks = 0;
} g;

void report(const std::string& what) { SetWindowTextA(g.status, what.c_str()); }

HWND addControl(HWND parent, const char* windowClass, const char* text, DWORD style, DWORD exStyle,
                int x, int y, int width, int height, int id) {
  return CreateWindowExA(exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                         parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleA(nullptr), nullptr);
}

HTREEITEM addTreeItem(HTREEITEM parent, const char* text) {
  TVINSERTSTRUCTA insert = {};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<char*>(text);
  return reinterpret_cast<HTREEITEM>(SendMessageA(g.tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void showPage(int index) {
  for (int i = 0; i < kTabCount; ++i) ShowWindow(g.pages[i], i == index ? SW_SHOW : SW_HIDE);
}

// Pages pass their controls' notifications on to the main window, where they are handled.
LRESULT CALLBACK pageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == WM_COMMAND || message == WM_NOTIFY) && g.main) {
    return SendMessageA(g.main, message, wParam, lParam);
  }
  return DefWindowProcA(page, message, wParam, lParam);
}

BOOL CALLBACK setDefaultFont(HWND child, LPARAM) {
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return TRUE;
}

void createControls(HWND window) {
  g.main = window;
  g.status = addControl(window, "STATIC", "starting", SS_LEFT | SS_SUNKEN, 0, 10, 396, 520, 22, kStatus);
  addControl(window, "BUTTON", "Click me", BS_PUSHBUTTON, 0, 10, 10, 120, 26, kClickButton);
  addControl(window, "BUTTON", "Message box", BS_PUSHBUTTON, 0, 140, 10, 120, 26, kMessageBoxButton);
  addControl(window, "BUTTON", "Open file", BS_PUSHBUTTON, 0, 270, 10, 120, 26, kOpenFileButton);
  addControl(window, "BUTTON", "Choose folder", BS_PUSHBUTTON, 0, 400, 10, 130, 26, kFolderButton);
  g.edit = addControl(window, "EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 10, 46, 520, 22, kEdit);

  g.tab = addControl(window, WC_TABCONTROLA, "", WS_CLIPCHILDREN | WS_TABSTOP, 0, 10, 80, 520, 300, kTab);
  const char* tabNames[kTabCount] = {"Tree", "List", "Options"};
  for (int i = 0; i < kTabCount; ++i) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(tabNames[i]);
    SendMessageA(g.tab, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  RECT area;
  GetClientRect(g.tab, &area);
  SendMessageA(g.tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  for (int i = 0; i < kTabCount; ++i) {
    g.pages[i] = CreateWindowExA(0, kPageClass, "", WS_CHILD, area.left, area.top, area.right - area.left,
                                 area.bottom - area.top, g.tab, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  const int pageWidth = area.right - area.left;
  const int pageHeight = area.bottom - area.top;
  g.tree = addControl(g.pages[0], WC_TREEVIEWA, "",
                      TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS | TVS_SHOWSELALWAYS | WS_TABSTOP,
                      WS_EX_CLIENTEDGE, 8, 8, pageWidth - 16, pageHeight - 16, kTree);
  g.list = addControl(g.pages[1], "LISTBOX", "", LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 8, 8,
                      pageWidth - 16, pageHeight - 16, kList);

  // A parent with children, a collapsed parent and a childless top item; one non-ASCII text.
  HTREEITEM fruits = addTreeItem(TVI_ROOT, "Fruits");
  HTREEITEM apples = addTreeItem(fruits, "Apples");
  addTreeItem(apples, "Cox");
  addTreeItem(apples, "Gala");
  addTreeItem(fruits, "Pears");
  HTREEITEM vegetables = addTreeItem(TVI_ROOT, "Vegetables");
  addTreeItem(vegetables, "R\xFC" "ben");
  addTreeItem(TVI_ROOT, "Empty folder");
  SendMessageA(g.tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(fruits));
  SendMessageA(g.tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(apples));
  SendMessageA(g.tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(fruits));

  for (const char* entry : {"Alpha", "Beta", "Gr\xFC\xDF" "e"}) {
    SendMessageA(g.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  }

  EnumChildWindows(window, setDefaultFont, 0);
  showPage(0);
  report(kReady);
}

void askQuestion() {
  const int answer = MessageBoxA(g.main, kQuestionText, kQuestionCaption, MB_OKCANCEL | MB_ICONQUESTION);
  report("message box: " + std::to_string(answer));
}

void openFile() {
  char path[MAX_PATH * 4] = {};
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = g.main;
  dialog.lpstrFilter = "All files (*.*)\0*.*\0";
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof(path);
  dialog.lpstrTitle = kOpenFileTitle;
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  report(GetOpenFileNameA(&dialog) ? std::string("open: ") + path : std::string("open: cancelled"));
}

void chooseFolder() {
  char name[MAX_PATH] = {};
  BROWSEINFOA browse = {};
  browse.hwndOwner = g.main;
  browse.pszDisplayName = name;
  browse.lpszTitle = kFolderInstruction;
  browse.ulFlags = BIF_NEWDIALOGSTYLE | BIF_EDITBOX;  // the style our installer asks for
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&browse);
  if (!chosen) {
    report("folder: cancelled");
    return;
  }
  char path[MAX_PATH] = {};
  const bool isFolder = SHGetPathFromIDListA(chosen, path);
  CoTaskMemFree(chosen);
  report(isFolder ? std::string("folder: ") + path : std::string("folder: (no file-system path)"));
}

void onCommand(int id, int code) {
  switch (id) {
    case kClickButton:
      if (code == BN_CLICKED) report("button: " + std::to_string(++g.clicks));
      break;
    case kMessageBoxButton:
      if (code == BN_CLICKED) askQuestion();
      break;
    case kOpenFileButton:
      if (code == BN_CLICKED) openFile();
      break;
    case kFolderButton:
      if (code == BN_CLICKED) chooseFolder();
      break;
    case kList:
      if (code == LBN_SELCHANGE) {
        const LRESULT index = SendMessageA(g.list, LB_GETCURSEL, 0, 0);
        char entry[256] = {};
        if (index != LB_ERR && SendMessageA(g.list, LB_GETTEXTLEN, index, 0) < LRESULT(sizeof(entry))) {
          SendMessageA(g.list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(entry));
        }
        report("list: " + std::to_string(index) + " " + entry);
      }
      break;
    default:
      break;
  }
}

void onNotify(const NMHDR* header) {
  if (header->idFrom == static_cast<UINT_PTR>(kTree) &&
      (header->code == TVN_SELCHANGEDA || header->code == TVN_SELCHANGEDW)) {
    // The A and W forms keep the new item's handle at the same place.
    const auto* change = reinterpret_cast<const NMTREEVIEWA*>(header);
    char text[256] = {};
    TVITEMA item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = change->itemNew.hItem;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(g.tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    report(std::string("tree: ") + text);
  } else if (header->idFrom == static_cast<UINT_PTR>(kTab) && header->code == TCN_SELCHANGE) {
    const int index = static_cast<int>(SendMessageA(g.tab, TCM_GETCURSEL, 0, 0));
    showPage(index);
    report("tab: " + std::to_string(index));
  }
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      createControls(window);
      return 0;
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      onNotify(reinterpret_cast<const NMHDR*>(lParam));
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

int exitCodeFromVariable(const char* name) {
  char value[64] = {};
  const DWORD n = GetEnvironmentVariableA(name, value, sizeof(value));
  if (n == 0 || n >= sizeof(value)) return kExitUnset;
  return std::atoi(value);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  if (__argc == 3 && std::strcmp(__argv[1], "--exit-env") == 0) return exitCodeFromVariable(__argv[2]);
  if (__argc == 3 && std::strcmp(__argv[1], "--exit-file") == 0) {
    return GetFileAttributesA(__argv[2]) != INVALID_FILE_ATTRIBUTES ? 0 : 1;
  }

  OleInitialize(nullptr);  // the new-style folder dialog needs a single-threaded apartment
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  WNDCLASSA page = {};
  page.lpfnWndProc = pageProc;
  page.hInstance = instance;
  page.hCursor = LoadCursor(nullptr, IDC_ARROW);
  page.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  page.lpszClassName = kPageClass;
  RegisterClassA(&page);

  WNDCLASSA main = {};
  main.lpfnWndProc = windowProc;
  main.hInstance = instance;
  main.hCursor = LoadCursor(nullptr, IDC_ARROW);
  main.hbrBackground = CreateSolidBrush(RGB(kBackground[0], kBackground[1], kBackground[2]));
  main.lpszClassName = kClass;
  RegisterClassA(&main);

  const DWORD style = WS_OVERLAPPEDWINDOW;
  RECT frame = {0, 0, kClientWidth, kClientHeight};
  AdjustWindowRect(&frame, style, FALSE);
  HWND window = CreateWindowExA(0, kClass, kTitle, style, 40, 40, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  if (!window) return 2;
  ShowWindow(window, show);
  UpdateWindow(window);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    // Enter is taken from the queue, as our viewer's search field takes it.
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && message.hwnd == g.edit &&
        GetFocus() == g.edit) {
      char text[256] = {};
      GetWindowTextA(g.edit, text, sizeof(text));
      report(std::string("enter: ") + text);
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  DeleteObject(main.hbrBackground);
  OleUninitialize();
  return static_cast<int>(message.wParam);
}
