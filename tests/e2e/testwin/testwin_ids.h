// What the UI driver's test window and its test agree on: control ids, texts, layout.
// The window reports every event it handles in its status line (kStatus), which the test reads.
#pragma once

namespace veld::testwin {

constexpr char kTitle[] = "Veld UI driver test window";
constexpr char kClass[] = "VeldUiDriverTestWindow";

enum ControlId : int {
  kClickButton = 101,    // status "button: <clicks so far>"
  kEdit = 102,           // Enter with the focus in it: status "enter: <text>"
  kTree = 103,           // on the tab page "Tree"; selection: status "tree: <item text>"
  kList = 104,           // on the tab page "List"; selection: status "list: <index> <text>"
  kTab = 105,            // tab change: status "tab: <index>"
  kMessageBoxButton = 106,  // status "message box: <MessageBox result>"
  kOpenFileButton = 107,    // status "open: <path>" or "open: cancelled"
  kFolderButton = 108,      // status "folder: <path>" or "folder: cancelled"
  kStatus = 109,
};

constexpr char kReady[] = "ready";  // the status once the window is complete
constexpr char kQuestionCaption[] = "Test question";
constexpr char kQuestionText[] = "Proceed with the test?";
constexpr char kOpenFileTitle[] = "Open test file";
constexpr char kFolderInstruction[] = "Choose a test folder";

// Client area size; the strip right of kControlsRight is bare background of kBackground.
constexpr int kClientWidth = 640;
constexpr int kClientHeight = 440;
constexpr int kControlsRight = 540;
constexpr unsigned char kBackground[3] = {0x30, 0x70, 0xB0};  // red, green, blue

// Command-line modes without a window, for the program-start verbs:
//   --exit-env NAME    exit code = the number in variable NAME, kExitUnset when it is not set
//   --exit-file NAME   exit code 0 when NAME (relative: to the working folder) exists, else 1
constexpr int kExitUnset = 99;

}  // namespace veld::testwin
