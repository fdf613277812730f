// UI driver for the end-to-end tests: starts programs and drives their windows from another
// process in the same Wine prefix. Texts cross this interface as UTF-8 whatever the target
// window uses (ANSI or UTF-16); the driver talks to windows through the W messages.
//
// The driver and the programs it drives are built for the same architecture, so the control
// structures it writes into another process's memory have the target's layout.
//
// Every wait polls in 50 ms steps up to a timeout and never sleeps a fixed time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace veld::uidriver {

constexpr DWORD kDefaultTimeoutMs = 10000;
constexpr DWORD kPollStepMs = 50;

// ---- text -----------------------------------------------------------------------------

std::wstring wide(const std::string& utf8);
std::string utf8(const std::wstring& text);

// ---- waiting --------------------------------------------------------------------------

// Polls `condition` until it returns true (then true) or the timeout passes (then false).
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kDefaultTimeoutMs);

// A top-level window whose title is exactly `title` (and whose class is `className` unless
// that is empty), visible or not; null when there is none.
HWND findWindow(const std::string& title, const std::string& className = {});

// Like findWindow, but waits until such a window exists and is visible; null on timeout.
HWND waitForWindow(const std::string& title, const std::string& className = {},
                   DWORD timeoutMs = kDefaultTimeoutMs);

// Waits until `window` is destroyed or hidden.
bool waitForWindowGone(HWND window, DWORD timeoutMs = kDefaultTimeoutMs);

// A descendant control of `top` (at any depth: controls on tab pages sit in page windows)
// with the given id; null when there is none.
HWND findControl(HWND top, int id);
HWND waitForControl(HWND top, int id, DWORD timeoutMs = kDefaultTimeoutMs);

// ---- programs -------------------------------------------------------------------------

struct ProgramStart {
  std::string commandLine = {};    // the whole command line, program path quoted when it has blanks
  std::string workingFolder = {};  // empty: the driver's own working folder
  std::vector<std::pair<std::string, std::string>> setEnvironment = {};  // added or replaced
  std::vector<std::string> unsetEnvironment = {};                          // removed
};

// A started program. Move-only; a program still running when its owner goes away is
// terminated, so a failing test leaves no process behind.
class Program {
 public:
  Program() = default;
  ~Program();
  Program(Program&& other) noexcept;
  Program& operator=(Program&& other) noexcept;
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Starts the program; an invalid Program and `error` filled when it cannot be started.
  static Program start(const ProgramStart& start, std::string* error = nullptr);

  bool valid() const { return process_ != nullptr; }
  DWORD processId() const { return processId_; }
  bool running() const;
  // The exit code once the program has ended within the timeout; nothing otherwise.
  std::optional<DWORD> waitForExit(DWORD timeoutMs = kDefaultTimeoutMs);
  // Ends the program at once when it still runs, and waits until it is gone.
  void terminate();

 private:
  void release();
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
};

// Starts a program and waits for its end: its exit code, or nothing when it could not be
// started or did not end within the timeout (it is terminated then).
std::optional<DWORD> runProgram(const ProgramStart& start, DWORD timeoutMs = kDefaultTimeoutMs,
                                std::string* error = nullptr);

// ---- buttons and texts ----------------------------------------------------------------

// Posts a click to the button, so that a modal dialog the click opens does not block the
// caller. False when the button is missing or disabled (a user could not click it either).
bool click(HWND button);
bool clickButton(HWND top, int id);

// A window's title or a control's text.
std::string text(HWND window);
std::string controlText(HWND top, int id);

// Replaces the text of an edit field (or any window) and waits until the target has taken it.
bool setText(HWND window, const std::string& value);

// Gives an edit field the keyboard focus as a mouse click into it would, then posts Enter
// (key down and up) into the target's message queue.
bool pressEnter(HWND edit);
bool typeAndEnter(HWND edit, const std::string& value);

// ---- tree view ------------------------------------------------------------------------

struct TreeItem {
  std::string text;
  int level = 0;          // depth, 0 at the top
  bool selected = false;
};

// All items in display order (depth first, children after their parent, collapsed or not).
std::vector<TreeItem> treeItems(HWND tree);

// Selects the item at `index` of treeItems' order the way a user's click does: the owner gets
// the selection-change notifications.
bool selectTreeItem(HWND tree, int index);

// ---- list box -------------------------------------------------------------------------

std::vector<std::string> listItems(HWND list);
int listSelection(HWND list);  // -1 when nothing is selected
// Selects an entry and tells the owner as a user's click does (LBN_SELCHANGE).
bool selectListItem(HWND list, int index);

// ---- tab control ----------------------------------------------------------------------

std::vector<std::string> tabTexts(HWND tab);
int currentTab(HWND tab);  // -1 when none
// Switches to a tab with the notifications a user's click sends.
bool selectTab(HWND tab, int index);

// ---- dialogs --------------------------------------------------------------------------

// A visible dialog box (class #32770) with the given title.
HWND waitForDialog(const std::string& title, DWORD timeoutMs = kDefaultTimeoutMs);

// Presses a dialog's button by id (IDOK, IDCANCEL, ...): posts the command the button sends.
// False when the dialog is gone or the button disabled.
bool pressDialogButton(HWND dialog, int id);
bool confirmDialog(HWND dialog);  // IDOK
bool cancelDialog(HWND dialog);   // IDCANCEL

// Open-file dialog: types the path into the file name field and confirms.
bool chooseFileInDialog(HWND dialog, const std::string& path);

// Folder-browse dialog: selects the folder in the dialog's tree by its path and confirms.
// False, with nothing confirmed, when the dialog did not select that folder.
bool chooseFolderInDialog(HWND dialog, const std::string& path);

// Message box: its text (the dialog's static control 0xFFFF).
std::string messageBoxText(HWND box);

// ---- screenshots ----------------------------------------------------------------------

// Saves the whole display, or one window's rectangle (as far as it lies on the display), as
// a PNG file. The path is UTF-8.
bool saveScreenshot(const std::string& pngPath, std::string* error = nullptr);
bool saveWindowScreenshot(HWND window, const std::string& pngPath, std::string* error = nullptr);

}  // namespace veld::uidriver
