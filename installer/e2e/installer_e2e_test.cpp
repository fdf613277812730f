// VeldInstaller.exe end to end under Wine: a stand-in PureBasic home, the registry value the IDE
// writes, the IDE's tool configuration under a private APPDATA, and a private temporary folder.
// The test clicks the buttons, answers the dialogs and reads back files, Tools.prefs and the
// association from the registry.
#include <windows.h>

#include <gtest/gtest.h>
#include <shellapi.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "common/archive_access.h"
#include "installer/installer_layout.h"
#include "installer_e2e_paths.h"
#include "uidriver.h"

namespace ui = veld::uidriver;
namespace fs = std::filesystem;

namespace {

constexpr char kFolderDialog[] = "Browse for Folder";  // Wine's caption; the title given is inside
constexpr char kViewerTitle[] = "VeldViewer 1.0.0.7 >> BriskLib.veld";
constexpr DWORD kStartTimeoutMs = 30000;

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The default value of a key under HKEY_CLASSES_ROOT; empty when the key or value is missing.
std::string classesDefault(const std::string& subkey) {
  char value[1024] = {};
  DWORD size = sizeof value - 1;
  if (RegGetValueA(HKEY_CLASSES_ROOT, subkey.c_str(), nullptr, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                   nullptr, value, &size) != ERROR_SUCCESS) {
    return {};
  }
  return value;
}

void setIconValue(const std::string& value) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "PureBasic.exe\\DefaultIcon", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(key);
}

void deleteClassesKeys() {
  for (const char* key : {"PureBasic.exe", ".veld", "veld"}) RegDeleteTreeA(HKEY_CLASSES_ROOT, key);
}

struct TextSearch {
  std::string text;
  bool found = false;
};

BOOL CALLBACK matchText(HWND child, LPARAM data) {
  auto* search = reinterpret_cast<TextSearch*>(data);
  if (ui::text(child) == search->text) search->found = true;
  return search->found ? FALSE : TRUE;
}

// A control anywhere under `top` whose text is `text` (the folder dialog's instruction, ...).
bool hasDescendantWithText(HWND top, const std::string& text) {
  TextSearch search{text};
  EnumChildWindows(top, &matchText, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK matchTree(HWND child, LPARAM data) {
  char name[64] = {};
  GetClassNameA(child, name, sizeof name);
  if (std::string(name) != WC_TREEVIEWA) return TRUE;
  *reinterpret_cast<HWND*>(data) = child;
  return FALSE;
}

HWND findTree(HWND top) {
  HWND tree = nullptr;
  EnumChildWindows(top, &matchTree, reinterpret_cast<LPARAM>(&tree));
  return tree;
}

// Level and title of every topic of a package, as index.txt lists them.
std::vector<std::pair<int, std::string>> packageTopics(const std::string& package) {
  std::vector<std::pair<int, std::string>> topics;
  veld::ArchiveAccess archive(veld::Encoding::Ansi);
  if (!archive.openArchive(package) || !archive.examineEntries()) return topics;
  std::string index;
  while (archive.nextEntry()) {
    if (archive.entryName() != "index.txt") continue;
    index.resize(static_cast<std::size_t>(archive.entrySize()));
    archive.extractEntryToMemory(&index[0], index.size());
  }
  for (std::size_t start = 0, end; (end = index.find("\r\n", start)) != std::string::npos; start = end + 2) {
    const std::string line = index.substr(start, end - start);
    const std::size_t first = line.find(','), second = line.find(',', first + 1);
    topics.emplace_back(std::stoi(line.substr(0, first)), line.substr(second + 1));
  }
  return topics;
}

// The viewer shows the whole topic tree of the package; it is closed again afterwards. A shot of
// its window is kept under the given name.
void expectViewerShowsPackage(const std::string& package, const std::string& shotName) {
  HWND viewer = ui::waitForWindow(kViewerTitle, "", kStartTimeoutMs);
  ASSERT_NE(viewer, nullptr) << "no viewer window";
  DWORD processId = 0;
  GetWindowThreadProcessId(viewer, &processId);
  const std::vector<std::pair<int, std::string>> expected = packageTopics(package);
  ASSERT_GT(expected.size(), 50u);
  HWND tree = nullptr;
  std::vector<std::pair<int, std::string>> shown;
  // The viewer answers only once its page has loaded, which can take a while under Wine.
  ui::waitUntil(
      [&] {
        tree = findTree(viewer);
        if (!tree) return false;
        shown.clear();
        for (const ui::TreeItem& item : ui::treeItems(tree)) shown.emplace_back(item.level, item.text);
        return shown.size() == expected.size();
      },
      kStartTimeoutMs);
  EXPECT_EQ(shown, expected);
  std::string error;
  EXPECT_TRUE(ui::saveWindowScreenshot(viewer, std::string(VELD_INSTALLER_SHOTS) + shotName, &error)) << error;

  PostMessageA(viewer, WM_CLOSE, 0, 0);
  if (!ui::waitForWindowGone(viewer)) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    if (process) {
      TerminateProcess(process, 1);
      WaitForSingleObject(process, 10000);
      CloseHandle(process);
    }
    ADD_FAILURE() << "the viewer did not close";
  }
}

class InstallerEndToEnd : public ::testing::Test {
 protected:
  // The folders a test picks in the folder dialog sit directly in the temporary folder: Wine's
  // dialog selects a folder by path only one level below the folders it has opened itself.
  void SetUp() override {
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const fs::path base = fs::temp_directory_path();
    const fs::path root = base / ("veld e2e " + name);
    const fs::path home = base / ("veld e2e " + name + " PB");
    const fs::path target = base / ("veld e2e " + name + " target");
    for (const fs::path& folder : {root, home, target}) {
      fs::remove_all(folder);
      fs::create_directories(folder);
    }
    for (const char* sub : {"AppData\\PureBasic", "Temp"}) fs::create_directories(root / sub);
    root_ = root.string() + "\\";
    home_ = home.string() + "\\";
    target_ = target.string() + "\\";
    veld_ = home_ + "veld\\";
    appData_ = root_ + "AppData";
    temp_ = root_ + "Temp\\";
    writeFile(home_ + "PureBasic.exe", "stand-in IDE");
    deleteClassesKeys();
    setIconValue(home_ + "PureBasic.exe,0");
  }

  void TearDown() override {
    installer_.terminate();
    deleteClassesKeys();
    std::error_code error;
    for (const std::string& folder : {root_, home_, target_}) fs::remove_all(fs::path(folder), error);
  }

  // Starts the installer and waits for its window with all five buttons.
  HWND startInstaller() {
    ui::ProgramStart start;
    start.commandLine = std::string("\"") + VELD_INSTALLER_EXE + "\"";
    start.setEnvironment = {{"APPDATA", appData_}, {"TMP", temp_}, {"TEMP", temp_}};
    std::string error;
    installer_ = ui::Program::start(start, &error);
    EXPECT_TRUE(installer_.valid()) << error;
    HWND window = ui::waitForWindow(veld::kWindowTitle, "", kStartTimeoutMs);
    EXPECT_NE(window, nullptr) << "no installer window";
    if (window) {
      EXPECT_NE(ui::waitForControl(window, veld::kBrowseButton), nullptr);
      SetForegroundWindow(window);  // as a user's click on it would
    }
    return window;
  }

  // Confirms the message box and expects the program to end with exit code 0.
  void confirmAndExpectEnd(const std::string& title, const std::string& text) {
    HWND box = ui::waitForDialog(title);
    ASSERT_NE(box, nullptr) << "no message box " << title;
    EXPECT_EQ(ui::messageBoxText(box), text);
    ASSERT_TRUE(ui::confirmDialog(box));
    EXPECT_EQ(installer_.waitForExit(20000), std::optional<DWORD>(0));
  }

  void chooseFolder(HWND window, int button, const std::string& instruction, const std::string& folder) {
    SetForegroundWindow(window);  // as the user's click on the button would
    ASSERT_TRUE(ui::clickButton(window, button));
    HWND dialog = ui::waitForDialog(kFolderDialog);
    ASSERT_NE(dialog, nullptr) << "no folder dialog";
    EXPECT_TRUE(hasDescendantWithText(dialog, instruction));
    // The dialog may still be filling its folder tree: a selection it did not take is tried again.
    ASSERT_TRUE(ui::waitUntil([&] { return ui::chooseFolderInDialog(dialog, folder); }, 20000));
  }

  void install() {
    HWND window = startInstaller();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(ui::clickButton(window, veld::kInstallButton));
    confirmAndExpectEnd("Veld Installed to", veld_);
  }

  std::string toolsPrefs() { return readFile(appData_ + "\\PureBasic\\Tools.prefs"); }

  // The four payload files as this build made them (the modules as they are in the repository).
  void expectPayloadIn(const std::string& folder) {
    for (const std::string name : veld::kPayloadFiles) {
      const bool module = name.size() > 4 && name.compare(name.size() - 4, 4, ".pbi") == 0;
      const std::string original = readFile((module ? VELD_INSTALLER_MODULES : VELD_INSTALLER_PAYLOAD) + name);
      ASSERT_FALSE(original.empty()) << name;
      EXPECT_EQ(readFile(folder + name), original) << folder << name;
    }
    EXPECT_FALSE(exists(temp_ + "VeldZip.zip"));
  }

  ui::Program installer_;
  std::string root_, home_, target_, veld_, appData_, temp_;
};

constexpr char kForeignTool[] =
    "[Tool_0]\r\nCommand = C:\\Tools\\Beautify.exe\r\nArguments = \"%FILE\"\r\nWorkingDir = \r\n"
    "MenuItemName = Beautify\r\nShortcut = 0\r\n";

std::string toolEntry(int number, const std::string& command, const std::string& name, const std::string& shortcut) {
  return "[Tool_" + std::to_string(number) + "]\r\nCommand = " + command +
         "\r\nArguments = \"%FILE\"\r\nWorkingDir = \r\nMenuItemName = " + name + "\r\nShortcut = " + shortcut +
         "\r\nConfigLine = \r\nTrigger = \r\nFlags = \r\nReloadSource = \r\nHideEditor = \r\nHideFromMenu = \r\n"
         "SourceSpecific = \r\nDeactivate = \r\n; \r\n";
}

TEST_F(InstallerEndToEnd, WindowShowsTheRegisteredHomeWithItsButtonsInPlace) {
  HWND window = startInstaller();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ui::controlText(window, veld::kPathButton), "PureBasic Path = " + home_);

  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, veld::kClientWidth);
  EXPECT_EQ(client.bottom, veld::kClientHeight);
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);

  HWND previous = nullptr;
  for (const veld::ButtonPlace& place : veld::kButtonPlaces) {
    HWND button = ui::findControl(window, place.id);
    ASSERT_NE(button, nullptr) << place.id;
    EXPECT_TRUE(IsWindowEnabled(button)) << place.id;
    RECT r{};
    GetWindowRect(button, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, place.left) << place.id;
    EXPECT_EQ(r.top, place.top) << place.id;
    EXPECT_EQ(r.right - r.left, place.width) << place.id;
    EXPECT_EQ(r.bottom - r.top, place.height) << place.id;
    if (place.id != veld::kPathButton) {
      EXPECT_EQ(ui::text(button), place.label);
    }
    if (previous) {
      EXPECT_EQ(GetNextDlgTabItem(window, previous, FALSE), button) << "tab order at " << place.id;
    }
    previous = button;
  }

  std::string error;
  const std::string shot = std::string(VELD_INSTALLER_SHOTS) + "installer_window.png";
  EXPECT_TRUE(ui::saveWindowScreenshot(window, shot, &error)) << error;
}

TEST_F(InstallerEndToEnd, WithoutRegisteredHomeThePathButtonChecksTheFolder) {
  deleteClassesKeys();
  HWND window = startInstaller();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ui::controlText(window, veld::kPathButton), "PureBasic Path = ");
  EXPECT_TRUE(ui::waitUntil([&] { return !IsWindowEnabled(ui::findControl(window, veld::kInstallButton)); }));
  EXPECT_FALSE(IsWindowEnabled(ui::findControl(window, veld::kUninstallButton)));
  EXPECT_TRUE(IsWindowEnabled(ui::findControl(window, veld::kExtractButton)));
  EXPECT_TRUE(IsWindowEnabled(ui::findControl(window, veld::kBrowseButton)));
  EXPECT_FALSE(ui::clickButton(window, veld::kInstallButton)) << "a disabled button cannot be clicked";

  // A folder without PureBasic.exe is refused.
  chooseFolder(window, veld::kPathButton, "PureBasic Path", target_);
  HWND box = ui::waitForDialog("Error");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(ui::messageBoxText(box), target_ + "\r\nis not a valid PureBasic Path");
  ASSERT_TRUE(ui::confirmDialog(box));
  ASSERT_TRUE(ui::waitForWindowGone(box));
  EXPECT_EQ(ui::controlText(window, veld::kPathButton), "PureBasic Path = ");

  // The stand-in home is taken, and Install and Uninstall come alive.
  chooseFolder(window, veld::kPathButton, "PureBasic Path", home_);
  EXPECT_TRUE(ui::waitUntil([&] { return ui::controlText(window, veld::kPathButton) == "PureBasic Path = " + home_; }));
  EXPECT_TRUE(ui::waitUntil([&] {
    PostMessageA(window, WM_NULL, 0, 0);  // any message wakes the loop
    return IsWindowEnabled(ui::findControl(window, veld::kInstallButton)) &&
           IsWindowEnabled(ui::findControl(window, veld::kUninstallButton));
  }));
  EXPECT_TRUE(installer_.running());
}

TEST_F(InstallerEndToEnd, CloseBoxEndsWithoutAWordAndTouchesNoFile) {
  HWND window = startInstaller();
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(installer_.waitForExit(), std::optional<DWORD>(0));
  EXPECT_EQ(ui::findWindow("Error"), nullptr);
  for (const std::string& folder : {appData_ + "\\PureBasic", temp_, target_})
    EXPECT_TRUE(fs::is_empty(folder)) << folder;
  EXPECT_FALSE(exists(veld_));
  EXPECT_FALSE(exists(home_ + "help"));
}

TEST_F(InstallerEndToEnd, InstallInstallAgainAndUninstall) {
  const std::string toolsBefore =
      "; PureBasic IDE ToolsMenu Configuration\r\n\r\n[ToolsInfo]\r\nToolCount = 1\r\n\r\n" + std::string(kForeignTool);
  writeFile(appData_ + "\\PureBasic\\Tools.prefs", toolsBefore);

  // --- Install
  install();
  const std::string carried = VELD_INSTALLER_CARRIED;
  EXPECT_EQ(readFile(veld_ + "VeldViewer.exe"), readFile(carried + "VeldViewer.exe"));
  EXPECT_EQ(readFile(veld_ + "TailVeld.exe"), readFile(carried + "TailVeld.exe"));
  EXPECT_EQ(readFile(home_ + "help\\Veld.html"), readFile(VELD_INSTALLER_HELP));
  expectPayloadIn(veld_);

  const std::string installedTools =
      "; PureBasic IDE ToolsMenu Configuration\r\n[ToolsInfo]\r\nToolCount = 3\r\n" + std::string(kForeignTool) +
      toolEntry(1, veld_ + "VeldViewer.exe", "VeldViewer", "131184") +
      toolEntry(2, veld_ + "TailVeld.exe", "TailVeld", "131195");
  EXPECT_EQ(toolsPrefs(), installedTools);
  EXPECT_EQ(classesDefault(".veld"), "veld");
  EXPECT_EQ(classesDefault("veld\\shell\\open\\command"), "\"" + veld_ + "VeldViewer.exe\" \"%1\"");

  // The shell opens the installed library in the installed viewer.
  const HINSTANCE opened = ShellExecuteA(nullptr, "open", (veld_ + "BriskLib.veld").c_str(), nullptr, nullptr,
                                         SW_SHOWNORMAL);
  EXPECT_GT(reinterpret_cast<INT_PTR>(opened), 32);
  expectViewerShowsPackage(veld_ + "BriskLib.veld", "viewer_from_shell.png");

  // --- Install again over it
  writeFile(veld_ + "TailVeld.exe", "an older builder");
  fs::remove(veld_ + "BriskLib.pbi");
  install();
  EXPECT_EQ(readFile(veld_ + "TailVeld.exe"), readFile(carried + "TailVeld.exe"));
  expectPayloadIn(veld_);
  EXPECT_EQ(toolsPrefs(), installedTools);

  // --- Uninstall: what Install wrote goes, the user's own module stays
  writeFile(veld_ + "MyNotes.pbi", "; my own notes\r\n");
  HWND window = startInstaller();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(ui::clickButton(window, veld::kUninstallButton));
  confirmAndExpectEnd("Veld Uninstalled from", veld_);
  EXPECT_EQ(readFile(veld_ + "MyNotes.pbi"), "; my own notes\r\n");
  for (const char* name : {"VeldViewer.exe", "VeldViewer.ini", "TailVeld.exe", "BriskLib.veld", "BriskLib.pbi",
                           "example.veld", "example.pbi"})
    EXPECT_FALSE(exists(veld_ + name)) << name;
  EXPECT_FALSE(exists(home_ + "help\\Veld.html"));
  EXPECT_TRUE(exists(home_ + "help"));
  EXPECT_EQ(toolsPrefs(),
            "; PureBasic IDE ToolsMenu Configuration\r\n[ToolsInfo]\r\nToolCount = 1\r\n" + std::string(kForeignTool));
  // The extension loses its file type. (Wine's cmd clears a value only with ASSOC, so the file
  // type keeps its open command after "FTYPE veld=" here; Windows' cmd removes it.)
  EXPECT_EQ(classesDefault(".veld"), "");
}

TEST_F(InstallerEndToEnd, ExtractCancelledThenIntoAFolder) {
  HWND window = startInstaller();
  ASSERT_NE(window, nullptr);

  ASSERT_TRUE(ui::clickButton(window, veld::kExtractButton));
  HWND dialog = ui::waitForDialog(kFolderDialog);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(hasDescendantWithText(dialog, "Extract Veld to"));
  ASSERT_TRUE(ui::cancelDialog(dialog));
  ASSERT_TRUE(ui::waitForWindowGone(dialog));
  EXPECT_TRUE(installer_.running());
  EXPECT_EQ(ui::findWindow("BriskLib 5.21.003"), nullptr);
  EXPECT_TRUE(fs::is_empty(target_));

  chooseFolder(window, veld::kExtractButton, "Extract Veld to", target_);
  confirmAndExpectEnd("BriskLib 5.21.003", "Extracted");
  expectPayloadIn(target_);
  EXPECT_FALSE(exists(veld_));
}

TEST_F(InstallerEndToEnd, BrowseShowsTheCarriedLibraryInTheCarriedViewer) {
  HWND window = startInstaller();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(ui::clickButton(window, veld::kBrowseButton));
  EXPECT_EQ(installer_.waitForExit(20000), std::optional<DWORD>(0));
  EXPECT_EQ(readFile(temp_ + "VeldViewer.exe"), readFile(std::string(VELD_INSTALLER_CARRIED) + "VeldViewer.exe"));
  expectPayloadIn(temp_);
  expectViewerShowsPackage(temp_ + "BriskLib.veld", "viewer_from_browse.png");
  EXPECT_FALSE(exists(veld_));
}

}  // namespace
