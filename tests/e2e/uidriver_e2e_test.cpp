// Proves every verb of the UI driver on the test window, which reports in its status line
// what it saw happen. Runs under Wine in Xvfb like every end-to-end test.
#include "uidriver.h"
#include "testwin_ids.h"
#include "uidriver_paths.h"

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
namespace ui = veld::uidriver;
namespace tw = veld::testwin;

// Wine's caption of the folder-browse dialog (the instruction text is inside it).
constexpr char kFolderDialogTitle[] = "Browse for Folder";

std::string testwinCommand(const std::string& arguments = {}) {
  std::string command = std::string("\"") + VELD_TESTWIN_PATH + "\"";
  return arguments.empty() ? command : command + " " + arguments;
}

struct Png {
  unsigned width = 0;
  unsigned height = 0;
  std::vector<unsigned char> rgb;  // 3 bytes a pixel, rows top-down
  const unsigned char* pixel(unsigned x, unsigned y) const { return &rgb[(size_t(y) * width + x) * 3]; }
};

std::optional<Png> readPng(const std::string& path) {
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return std::nullopt;
  image.format = PNG_FORMAT_RGB;
  Png png;
  png.width = image.width;
  png.height = image.height;
  png.rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, png.rgb.data(), 0, nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  return png;
}

// A scratch folder under the temporary folder, removed again at the end.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name) : path_(fs::temp_directory_path() / name) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// Starts the test window for each test and ends it afterwards, also when the test failed.
class UiDriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    program_ = ui::Program::start({testwinCommand()}, &error);
    ASSERT_TRUE(program_.valid()) << error;
    window_ = ui::waitForWindow(tw::kTitle, tw::kClass);
    ASSERT_NE(window_, nullptr) << "the test window did not appear";
    ASSERT_EQ(waitForStatus(tw::kReady), tw::kReady);
  }

  void TearDown() override {
    if (HasFailure()) {
      const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
      ui::saveScreenshot("uidriver_e2e_failure_" + name + ".png");
    }
    program_.terminate();
  }

  HWND control(int id) {
    HWND found = ui::waitForControl(window_, id);
    EXPECT_NE(found, nullptr) << "no control " << id;
    return found;
  }

  // The status line once it shows `expected`, or what it shows when the wait ran out.
  std::string waitForStatus(const std::string& expected) {
    std::string status;
    ui::waitUntil([&] {
      status = ui::controlText(window_, tw::kStatus);
      return status == expected;
    });
    return status;
  }

  ui::Program program_;
  HWND window_ = nullptr;
};

TEST_F(UiDriverTest, FindsWindowsByExactTitleAndClassAndSeesThemGo) {
  EXPECT_EQ(ui::text(window_), tw::kTitle);
  EXPECT_EQ(ui::findWindow(tw::kTitle), window_);
  EXPECT_EQ(ui::findWindow(tw::kTitle, tw::kClass), window_);
  EXPECT_EQ(ui::findWindow(tw::kTitle, "Edit"), nullptr);
  EXPECT_EQ(ui::findWindow("Veld UI driver test"), nullptr) << "a title prefix is no match";
  EXPECT_EQ(ui::waitForWindow("No such window here", "", 200), nullptr);

  // The list sits on a tab page inside the tab control: found at any depth.
  EXPECT_NE(ui::findControl(window_, tw::kList), nullptr);
  EXPECT_EQ(ui::findControl(window_, 4242), nullptr);

  ASSERT_TRUE(PostMessageW(window_, WM_CLOSE, 0, 0));
  EXPECT_TRUE(ui::waitForWindowGone(window_));
  EXPECT_EQ(program_.waitForExit(), std::optional<DWORD>(0));
}

TEST_F(UiDriverTest, ClickReachesTheOwnerOncePerClick) {
  ASSERT_TRUE(ui::clickButton(window_, tw::kClickButton));
  EXPECT_EQ(waitForStatus("button: 1"), "button: 1");
  ASSERT_TRUE(ui::click(control(tw::kClickButton)));
  EXPECT_EQ(waitForStatus("button: 2"), "button: 2");
  EXPECT_FALSE(ui::clickButton(window_, 4242));
}

TEST_F(UiDriverTest, TypedTextAndEnterReachTheOwner) {
  HWND edit = control(tw::kEdit);
  const std::string typed = "Stra\xC3\x9F" "e 1";  // beyond ASCII: the window is an ANSI one
  ASSERT_TRUE(ui::typeAndEnter(edit, typed));
  EXPECT_EQ(waitForStatus("enter: " + typed), "enter: " + typed);
  EXPECT_EQ(ui::text(edit), typed);
}

TEST_F(UiDriverTest, TreeItemsComeWithLevelsAndSelectionAndSelectingNotifiesTheOwner) {
  HWND tree = control(tw::kTree);
  struct Expected {
    const char* text;
    int level;
  };
  const Expected expected[] = {{"Fruits", 0}, {"Apples", 1},     {"Cox", 2},
                               {"Gala", 2},   {"Pears", 1},      {"Vegetables", 0},
                               {"R\xC3\xBC" "ben", 1}, {"Empty folder", 0}};
  std::vector<ui::TreeItem> items = ui::treeItems(tree);
  ASSERT_EQ(items.size(), std::size(expected));
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i].text, expected[i].text) << "item " << i;
    EXPECT_EQ(items[i].level, expected[i].level) << "item " << i;
    EXPECT_EQ(items[i].selected, i == 0) << "item " << i;
  }

  // An item under a collapsed parent.
  ASSERT_TRUE(ui::selectTreeItem(tree, 6));
  EXPECT_EQ(waitForStatus("tree: R\xC3\xBC" "ben"), "tree: R\xC3\xBC" "ben");
  items = ui::treeItems(tree);
  ASSERT_EQ(items.size(), std::size(expected));
  EXPECT_FALSE(items[0].selected);
  EXPECT_TRUE(items[6].selected);

  EXPECT_FALSE(ui::selectTreeItem(tree, 8));
  EXPECT_FALSE(ui::selectTreeItem(tree, -1));
}

TEST_F(UiDriverTest, ListEntriesAreReadAndSelectingNotifiesTheOwner) {
  HWND list = control(tw::kList);
  EXPECT_EQ(ui::listItems(list), (std::vector<std::string>{"Alpha", "Beta", "Gr\xC3\xBC\xC3\x9F" "e"}));
  EXPECT_EQ(ui::listSelection(list), -1);

  ASSERT_TRUE(ui::selectListItem(list, 2));
  EXPECT_EQ(waitForStatus("list: 2 Gr\xC3\xBC\xC3\x9F" "e"), "list: 2 Gr\xC3\xBC\xC3\x9F" "e");
  EXPECT_EQ(ui::listSelection(list), 2);
  ASSERT_TRUE(ui::selectListItem(list, 0));
  EXPECT_EQ(waitForStatus("list: 0 Alpha"), "list: 0 Alpha");

  EXPECT_FALSE(ui::selectListItem(list, 3));
  EXPECT_EQ(ui::listSelection(list), 0) << "a refused selection changes nothing";
}

TEST_F(UiDriverTest, TabsAreReadAndSwitchingNotifiesTheOwner) {
  HWND tab = control(tw::kTab);
  EXPECT_EQ(ui::tabTexts(tab), (std::vector<std::string>{"Tree", "List", "Options"}));
  EXPECT_EQ(ui::currentTab(tab), 0);
  EXPECT_FALSE(IsWindowVisible(control(tw::kList)));

  ASSERT_TRUE(ui::selectTab(tab, 1));
  EXPECT_EQ(waitForStatus("tab: 1"), "tab: 1");
  EXPECT_EQ(ui::currentTab(tab), 1);
  EXPECT_TRUE(IsWindowVisible(control(tw::kList))) << "the owner switched the page";
  EXPECT_FALSE(IsWindowVisible(control(tw::kTree)));

  EXPECT_FALSE(ui::selectTab(tab, 3));
  EXPECT_EQ(ui::currentTab(tab), 1);
}

TEST_F(UiDriverTest, MessageBoxIsReadAndAnswered) {
  struct Case {
    bool confirm;
    const char* status;
  };
  for (const Case& c : {Case{true, "message box: 1"}, Case{false, "message box: 2"}}) {
    ASSERT_TRUE(ui::clickButton(window_, tw::kMessageBoxButton));
    HWND box = ui::waitForDialog(tw::kQuestionCaption);
    ASSERT_NE(box, nullptr) << "no message box";
    EXPECT_EQ(ui::messageBoxText(box), tw::kQuestionText);
    ASSERT_TRUE(c.confirm ? ui::confirmDialog(box) : ui::cancelDialog(box));
    EXPECT_TRUE(ui::waitForWindowGone(box));
    EXPECT_EQ(waitForStatus(c.status), c.status);
  }
}

TEST_F(UiDriverTest, OpenFileDialogTakesARealFileOrIsCancelled) {
  ScratchFolder folder("veld uidriver open");
  const fs::path file = folder.path() / "picked file.txt";
  std::ofstream(file) << "test\n";
  ASSERT_TRUE(fs::exists(file));

  ASSERT_TRUE(ui::clickButton(window_, tw::kOpenFileButton));
  HWND dialog = ui::waitForDialog(tw::kOpenFileTitle);
  ASSERT_NE(dialog, nullptr) << "no open-file dialog";
  ASSERT_TRUE(ui::chooseFileInDialog(dialog, file.u8string()));
  EXPECT_TRUE(ui::waitForWindowGone(dialog));
  EXPECT_EQ(waitForStatus("open: " + file.u8string()), "open: " + file.u8string());

  ASSERT_TRUE(ui::clickButton(window_, tw::kOpenFileButton));
  dialog = ui::waitForDialog(tw::kOpenFileTitle);
  ASSERT_NE(dialog, nullptr) << "no open-file dialog";
  ASSERT_TRUE(ui::cancelDialog(dialog));
  EXPECT_TRUE(ui::waitForWindowGone(dialog));
  EXPECT_EQ(waitForStatus("open: cancelled"), "open: cancelled");
}

TEST_F(UiDriverTest, FolderDialogSelectsAFolderByPathOrIsCancelled) {
  ScratchFolder folder("veld uidriver folder");

  ASSERT_TRUE(ui::clickButton(window_, tw::kFolderButton));
  HWND dialog = ui::waitForDialog(kFolderDialogTitle);
  ASSERT_NE(dialog, nullptr) << "no folder dialog";
  ASSERT_TRUE(ui::chooseFolderInDialog(dialog, folder.path().u8string()));
  EXPECT_TRUE(ui::waitForWindowGone(dialog));
  EXPECT_EQ(waitForStatus("folder: " + folder.path().u8string()), "folder: " + folder.path().u8string());

  ASSERT_TRUE(ui::clickButton(window_, tw::kFolderButton));
  dialog = ui::waitForDialog(kFolderDialogTitle);
  ASSERT_NE(dialog, nullptr) << "no folder dialog";
  // A folder that does not exist is never confirmed: the dialog stays open.
  EXPECT_FALSE(ui::chooseFolderInDialog(dialog, (folder.path() / "missing").u8string()));
  EXPECT_TRUE(IsWindowVisible(dialog));
  ASSERT_TRUE(ui::cancelDialog(dialog));
  EXPECT_TRUE(ui::waitForWindowGone(dialog));
  EXPECT_EQ(waitForStatus("folder: cancelled"), "folder: cancelled");
}

TEST_F(UiDriverTest, ScreenshotsAreValidPngsOfTheRightSizeAndContent) {
  const std::string display = "uidriver_display.png";
  std::string error;
  ASSERT_TRUE(ui::saveScreenshot(display, &error)) << error;
  std::optional<Png> png = readPng(display);
  ASSERT_TRUE(png) << "not a readable PNG: " << display;
  EXPECT_EQ(png->width, unsigned(GetSystemMetrics(SM_CXSCREEN)));
  EXPECT_EQ(png->height, unsigned(GetSystemMetrics(SM_CYSCREEN)));

  // Kept in the working folder for a look at the window.
  const std::string shot = "uidriver_testwin.png";
  ASSERT_TRUE(ui::saveWindowScreenshot(window_, shot, &error)) << error;
  png = readPng(shot);
  ASSERT_TRUE(png) << "not a readable PNG: " << shot;
  RECT frame;
  ASSERT_TRUE(GetWindowRect(window_, &frame));
  ASSERT_EQ(png->width, unsigned(frame.right - frame.left));
  ASSERT_EQ(png->height, unsigned(frame.bottom - frame.top));

  // A point of bare background shows the window's own colour: the picture is the window.
  POINT probe = {(tw::kControlsRight + tw::kClientWidth) / 2, tw::kClientHeight / 2};
  ASSERT_TRUE(ClientToScreen(window_, &probe));
  const unsigned char* pixel = png->pixel(unsigned(probe.x - frame.left), unsigned(probe.y - frame.top));
  EXPECT_EQ(std::vector<int>(pixel, pixel + 3),
            (std::vector<int>{tw::kBackground[0], tw::kBackground[1], tw::kBackground[2]}));

  EXPECT_FALSE(ui::saveWindowScreenshot(nullptr, "uidriver_none.png"));
  EXPECT_FALSE(ui::saveScreenshot("no such folder/shot.png", &error));
  EXPECT_FALSE(error.empty());
}

// ---- program start: environment, working folder, exit code, timeout ----

constexpr char kVariable[] = "VELD_UIDRIVER_CODE";

TEST(UiDriverProgramTest, ChildSeesTheEnvironmentAsChanged) {
  struct Case {
    const char* name;
    const char* inherited;  // the driver's own value, null: unset
    std::vector<std::pair<std::string, std::string>> set;
    std::vector<std::string> unset;
    DWORD exitCode;
  };
  const Case cases[] = {
      {"added", nullptr, {{kVariable, "42"}}, {}, 42},
      {"inherited", "7", {}, {}, 7},
      {"replaced, name in other case", "7", {{"veld_uidriver_code", "5"}}, {}, 5},
      {"removed", "7", {}, {kVariable}, DWORD(tw::kExitUnset)},
  };
  for (const Case& c : cases) {
    SetEnvironmentVariableA(kVariable, c.inherited);
    ui::ProgramStart start{testwinCommand(std::string("--exit-env ") + kVariable), "", c.set, c.unset};
    std::string error;
    EXPECT_EQ(ui::runProgram(start, ui::kDefaultTimeoutMs, &error), std::optional<DWORD>(c.exitCode))
        << c.name << " " << error;
  }
  SetEnvironmentVariableA(kVariable, nullptr);
}

TEST(UiDriverProgramTest, ChildRunsInTheGivenWorkingFolder) {
  ScratchFolder folder("veld uidriver cwd");
  std::ofstream(folder.path() / "marker.txt") << "here\n";
  const std::string command = testwinCommand("--exit-file marker.txt");
  EXPECT_EQ(ui::runProgram({command, folder.path().u8string()}), std::optional<DWORD>(0));
  EXPECT_EQ(ui::runProgram({command}), std::optional<DWORD>(1)) << "the driver's own folder has no marker";
}

TEST(UiDriverProgramTest, ProgramThatDoesNotEndIsTerminated) {
  std::string error;
  EXPECT_EQ(ui::runProgram({testwinCommand()}, 1000, &error), std::nullopt);
  EXPECT_NE(error.find("did not end"), std::string::npos) << error;
  EXPECT_TRUE(ui::waitUntil([] { return ui::findWindow(tw::kTitle) == nullptr; }))
      << "the program's window outlived it";

  // Going out of scope ends a started program too.
  DWORD id = 0;
  {
    ui::Program program = ui::Program::start({testwinCommand()});
    ASSERT_TRUE(program.valid());
    ASSERT_NE(ui::waitForWindow(tw::kTitle), nullptr);
    id = program.processId();
  }
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
  if (process) {
    EXPECT_EQ(WaitForSingleObject(process, 0), WAIT_OBJECT_0) << "still running";
    CloseHandle(process);
  }
}

TEST(UiDriverProgramTest, MissingProgramIsReported) {
  std::string error;
  ui::Program program = ui::Program::start({"\"C:\\no such folder\\nothing.exe\""}, &error);
  EXPECT_FALSE(program.valid());
  EXPECT_NE(error.find("CreateProcess failed"), std::string::npos) << error;
  EXPECT_EQ(program.waitForExit(0), std::nullopt);
}

}  // namespace
