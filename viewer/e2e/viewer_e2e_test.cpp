// VeldViewer.exe end to end under Wine: started as the shell, the builder and the IDE start it,
// driven through its gadgets, closed, and started again. Pages do not render here (no browser
// engine), so a shown page is checked by the page view's location and by the page file the viewer
// extracted into the temporary folder.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "e2e_packages.h"
#include "uidriver.h"
#include "viewer/test_package.h"
#include "viewer/win32/viewer_ids.h"
#include "viewer_e2e_paths.h"

namespace {

namespace fs = std::filesystem;
namespace ui = veld::uidriver;
namespace pkg = veld::testpkg;

constexpr char kTitlePrefix[] = "VeldViewer 1.0.0.7 >> ";
constexpr char kBom[] = "\xEF\xBB\xBF";

// A module with a folder, two functions, a tip one level deeper and an "Index" topic.
const char kModule[] =
    "; Example module\r\n"
    ";&&&0 Functions\r\n"
    ";>>>\r\n"
    ";&&&1 OpenWindow\r\n"
    ";/// Opens a window on the desktop.\r\n"
    ";&&&1 MessageRequester\r\n"
    ";/// Shows a requester with a message.\r\n"
    ";>>>\r\n"
    ";&&&2 Tip on requesters\r\n"
    ";/// Keep the text of a requester short.\r\n"
    ";<<<\r\n"
    ";<<<\r\n"
    ";&&&0 Index\r\n"
    ";/// Every topic of this package.\r\n";

// The user's temporary folder as the viewer finds it (long form, backslash at the end).
std::string temporaryFolder() {
  wchar_t shortPath[MAX_PATH + 1];
  const DWORD n = GetTempPathW(MAX_PATH + 1, shortPath);
  std::wstring path(shortPath, n);
  wchar_t longPath[32768];
  const DWORD m = GetLongPathNameW(path.c_str(), longPath, 32768);
  if (m > 0 && m < 32768) path.assign(longPath, m);
  if (path.empty() || path.back() != L'\\') path.push_back(L'\\');
  return ui::utf8(path);
}

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return s;
}

struct Item {
  std::string text;
  int level;
  bool operator==(const Item& o) const { return text == o.text && level == o.level; }
};
void PrintTo(const Item& i, std::ostream* os) { *os << "{" << i.level << " " << i.text << "}"; }

class ViewerTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = pkg::freshFolder("veld-viewer-e2e");
    ASSERT_FALSE(folder_.empty());
    exe_ = folder_ + "VeldViewer.exe";
    // Each test runs its own copy, so the settings file beside it is the test's own.
    std::error_code ec;
    fs::copy_file(fs::u8path(VELD_VIEWER_EXE), fs::u8path(exe_), ec);
    ASSERT_FALSE(ec) << ec.message();
    temp_ = temporaryFolder();
  }
  void TearDown() override {
    program_.terminate();
    std::error_code ec;
    fs::remove_all(fs::u8path(folder_), ec);
  }

  // A package built from kModule (or written directly when the builder is not part of this build).
  std::string examplePackage(const std::string& folder) {
    const std::string package = folder + "example.veld";
    if (veld::e2e::haveBuilder()) {
      const std::string work = folder + "work\\";
      fs::create_directories(fs::u8path(work));
      EXPECT_TRUE(veld::e2e::buildFromModule(kModule, folder + "example.pbi", package, work));
    } else {
      EXPECT_TRUE(pkg::writeZip(package, pkg::packageEntries({{"0,0,Functions", ""},
                                                              {"1,1,OpenWindow", " Opens a window on the desktop."},
                                                              {"1,1,MessageRequester", " Shows a requester with a message."},
                                                              {"2,2,Tip on requesters", " Keep the text of a requester short."},
                                                              {"0,0,Index", " Every topic of this package."},
                                                              {"0,1,Compilation", " 23/11/13 11:30:02"}})));
    }
    return package;
  }

  ui::Program launch(const std::string& arguments, const std::vector<std::pair<std::string, std::string>>& set = {},
                     std::vector<std::string> unset = {}) {
    for (const char* name : {"PB_TOOL_IDE", "PB_TOOL_Word", "PB_TOOL_Preferences"}) {
      bool isSet = false;
      for (const auto& s : set) isSet = isSet || s.first == name;
      if (!isSet) unset.push_back(name);
    }
    std::string error;
    ui::Program p = ui::Program::start({"\"" + exe_ + "\" " + arguments, folder_, set, unset}, &error);
    EXPECT_TRUE(p.valid()) << error;
    return p;
  }

  // Starts the viewer and waits for its window and the tree's first fill.
  bool open(const std::string& arguments, const std::string& fileName,
            const std::vector<std::pair<std::string, std::string>>& set = {}) {
    program_ = launch(arguments, set);
    window_ = ui::waitForWindow(kTitlePrefix + fileName, {}, 20000);
    if (window_ == nullptr) return false;
    tree_ = ui::waitForControl(window_, veld::kTopicTreeId);
    return tree_ != nullptr;
  }

  // Asks the window to close as its close button does and expects an orderly end.
  void closeViewer() {
    ASSERT_NE(window_, nullptr);
    PostMessageW(window_, WM_CLOSE, 0, 0);
    const std::optional<DWORD> code = program_.waitForExit(20000);
    ASSERT_TRUE(code.has_value()) << "the viewer did not end";
    EXPECT_EQ(*code, 0u);
    window_ = nullptr;
  }

  // Counted by the tree itself: one message, however many items (reading 100,000 items across
  // processes takes minutes).
  std::size_t itemCount() {
    DWORD_PTR count = 0;
    SendMessageTimeoutW(tree_, TVM_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 10000, &count);
    return count;
  }
  bool nothingSelected() {
    DWORD_PTR item = 0;
    return SendMessageTimeoutW(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0, SMTO_ABORTIFHUNG, 10000, &item) && item == 0;
  }

  std::vector<Item> items() {
    std::vector<Item> out;
    for (const ui::TreeItem& i : ui::treeItems(tree_)) out.push_back({i.text, i.level});
    return out;
  }
  std::string selectedItem() {
    for (const ui::TreeItem& i : ui::treeItems(tree_)) {
      if (i.selected) return i.text;
    }
    return "(none)";
  }
  std::string location() { return ui::controlText(window_, veld::kPageViewId); }

  // The page view was last sent to this file of the temporary folder.
  bool showsPage(const std::string& fileName) {
    const std::string want = lower(temp_ + fileName);
    return ui::waitUntil([&] { return lower(location()) == want; }, 5000);
  }
  bool tempHas(const std::string& fileName) { return fs::exists(fs::u8path(temp_ + fileName)); }

  std::string settings() { return pkg::readBytes(folder_ + "VeldViewer.ini"); }

  RECT windowRect() {
    RECT r{};
    GetWindowRect(window_, &r);
    return r;
  }
  SIZE clientSize() {
    RECT r{};
    GetClientRect(window_, &r);
    return {r.right, r.bottom};
  }
  bool clientIs(int width, int height) {
    return ui::waitUntil([&] {
      const SIZE s = clientSize();
      return s.cx == width && s.cy == height;
    });
  }

  ui::Program program_;
  HWND window_ = nullptr;
  HWND tree_ = nullptr;
  std::string folder_, exe_, temp_;
};

std::string geometryFile(long x, long y, long width, long height) {
  return std::string(kBom) + "\r\n[Windows]\r\nx = " + std::to_string(x) + "\r\ny = " + std::to_string(y) +
         "\r\nwidth = " + std::to_string(width) + "\r\nheight = " + std::to_string(height) + "\r\n";
}

const std::vector<Item> kExampleTree = {{"Functions", 0}, {"OpenWindow", 1}, {"MessageRequester", 1},
                                        {"Tip on requesters", 2}, {"Index", 0}, {"Compilation", 0}};

TEST_F(ViewerTest, OpensThePackageGivenOnTheCommandLineOnItsIndex) {
  const std::string package = examplePackage(folder_);
  ASSERT_TRUE(open("\"" + package + "\"", "example.veld"));
  EXPECT_EQ(items(), kExampleTree);
  EXPECT_EQ(selectedItem(), "Index");  // no word from the IDE: the topic "Index"
  EXPECT_TRUE(showsPage("4.html")) << location();
  EXPECT_EQ(pkg::readBytes(temp_ + "4.html"), pkg::readEntry(package, "4.html"));
  EXPECT_EQ(pkg::readBytes(temp_ + "index.txt"), pkg::readEntry(package, "index.txt"));
  const HWND tabs = ui::findControl(window_, veld::kSidePanelId);
  EXPECT_EQ(ui::tabTexts(tabs), (std::vector<std::string>{"Summary", "Search"}));
  EXPECT_EQ(ui::currentTab(tabs), 0);
  // The kind pictures came out of the carried icon archive.
  for (const char* name : {"VeldViewer.zip", "0.png", "1.png", "2.png"}) EXPECT_TRUE(tempHas(name)) << name;
  EXPECT_EQ(pkg::readEntry(temp_ + "VeldViewer.zip", "2.png"), pkg::readBytes(temp_ + "2.png"));

  std::string error;
  EXPECT_TRUE(ui::saveWindowScreenshot(window_, std::string(VELD_VIEWER_SHOTS) + "\\viewer_window.png", &error))
      << error;
  closeViewer();
}

// Blanks and letters outside ASCII in the folder, the file name and a title: UTF-16 at the edge.
// Wine keeps file names outside ASCII only under a UTF-8 locale; under LC_ALL=C the path falls back
// to ASCII with blanks, and the titles still cross the edge.
TEST_F(ViewerTest, PathAndTitlesOutsideAscii) {
  std::string folder = folder_ + "Dokumente \xC3\xA4\xCE\xB1";  // "Dokumente äα"
  std::string name = "\xC3\x9C" "bersicht \xC3\xA9.veld";        // "Übersicht é.veld"
  std::error_code ec;
  if (!fs::create_directories(fs::u8path(folder), ec)) {
    std::printf("  file names outside ASCII are not kept here: the path is plain ASCII\n");
    folder = folder_ + "My Documents";
    name = "Overview e.veld";
    ASSERT_TRUE(fs::create_directories(fs::u8path(folder)));
  }
  const std::string package = folder + "\\" + name;
  ASSERT_TRUE(pkg::writeZip(package, pkg::packageEntries({{"0,0,Caf\xC3\xA9 \xE2\x82\xAC", " x"}, {"0,1,Index", " y"}})));
  ASSERT_TRUE(open("\"" + package + "\"", name, {{"PB_TOOL_Word", "CAF\xC3\x89 \xE2\x82\xAC"}}));
  EXPECT_EQ(items(), (std::vector<Item>{{"Caf\xC3\xA9 \xE2\x82\xAC", 0}, {"Index", 0}}));
  EXPECT_EQ(selectedItem(), "Caf\xC3\xA9 \xE2\x82\xAC");  // the word matched ignoring case
  EXPECT_TRUE(showsPage("0.html")) << location();
  closeViewer();
}

TEST_F(ViewerTest, InitialTopicFromTheWordUnderTheIdesCursor) {
  const std::string package = examplePackage(folder_);
  const struct {
    const char* word;
    const char* selected;
    const char* page;
  } cases[] = {{"messagerequester", "MessageRequester", "2.html"},
               {"TIP ON REQUESTERS", "Tip on requesters", "3.html"},
               {"Message", "Index", "4.html"}};  // no such title: the topic "Index"
  for (const auto& c : cases) {
    ASSERT_TRUE(open("\"" + package + "\"", "example.veld", {{"PB_TOOL_Word", c.word}})) << c.word;
    EXPECT_EQ(selectedItem(), c.selected) << c.word;
    EXPECT_TRUE(showsPage(c.page)) << c.word << ": " << location();
    closeViewer();
  }
}

TEST_F(ViewerTest, NoMatchingTopicSelectsNothingAndShowsTheMissingPage) {
  const std::string package = folder_ + "noindex.veld";
  ASSERT_TRUE(pkg::writeZip(package, pkg::packageEntries({{"0,0,Alpha", " a"}, {"0,1,Compilation", " c"}})));
  ASSERT_TRUE(open("\"" + package + "\"", "noindex.veld", {{"PB_TOOL_Word", "beta"}}));
  EXPECT_EQ(selectedItem(), "(none)");
  EXPECT_TRUE(showsPage("-1.html")) << location();
  EXPECT_FALSE(tempHas("-1.html"));
  closeViewer();
}

TEST_F(ViewerTest, ChoosingATreeItemShowsItsPage) {
  const std::string package = examplePackage(folder_);
  ASSERT_TRUE(open("\"" + package + "\"", "example.veld"));
  ASSERT_TRUE(ui::selectTreeItem(tree_, 1));
  EXPECT_TRUE(showsPage("1.html")) << location();
  EXPECT_EQ(pkg::readBytes(temp_ + "1.html"), pkg::readEntry(package, "1.html"));
  ASSERT_TRUE(ui::selectTreeItem(tree_, 5));  // the last item is the closing topic
  EXPECT_TRUE(showsPage("5.html")) << location();
  EXPECT_NE(pkg::readBytes(temp_ + "5.html").find("Compilation"), std::string::npos);
  closeViewer();
}

TEST_F(ViewerTest, SearchListsPagesAndChoosingAResultShowsIt) {
  const std::string package = examplePackage(folder_);
  ASSERT_TRUE(open("\"" + package + "\"", "example.veld"));
  const HWND tabs = ui::findControl(window_, veld::kSidePanelId);
  const HWND field = ui::findControl(window_, veld::kSearchFieldId);
  const HWND list = ui::findControl(window_, veld::kResultListId);
  ASSERT_TRUE(ui::selectTab(tabs, 1));
  ASSERT_TRUE(ui::typeAndEnter(field, "REQUESTER"));
  const std::vector<std::string> hits = {"MessageRequester", "Tip on requesters"};
  ASSERT_TRUE(ui::waitUntil([&] { return ui::listItems(list) == hits; })) << ui::listItems(list).size();

  ASSERT_TRUE(ui::selectListItem(list, 1));
  EXPECT_TRUE(showsPage("3.html")) << location();
  EXPECT_TRUE(ui::waitUntil([&] { return selectedItem() == "Tip on requesters"; }));
  EXPECT_EQ(ui::currentTab(tabs), 1);  // the side panel stays on the results

  // Enter on an empty field does nothing; a search that finds nothing empties the list.
  ASSERT_TRUE(ui::typeAndEnter(field, ""));
  Sleep(300);
  EXPECT_EQ(ui::listItems(list), hits);
  ASSERT_TRUE(ui::typeAndEnter(field, "no page holds this"));
  EXPECT_TRUE(ui::waitUntil([&] { return ui::listItems(list).empty(); }));
  ASSERT_TRUE(ui::typeAndEnter(field, "font"));  // markup counts: every page
  EXPECT_TRUE(ui::waitUntil([&] { return ui::listItems(list).size() == kExampleTree.size(); }));

  // Tab moves the keyboard focus on from the field to the list.
  GUITHREADINFO gui{};
  gui.cbSize = sizeof(gui);
  const DWORD thread = GetWindowThreadProcessId(window_, nullptr);
  ASSERT_TRUE(ui::waitUntil([&] { return GetGUIThreadInfo(thread, &gui) && gui.hwndFocus == field; }));
  PostMessageW(field, WM_KEYDOWN, VK_TAB, 0x000F0001);
  PostMessageW(field, WM_KEYUP, VK_TAB, static_cast<LPARAM>(0xC00F0001u));
  EXPECT_TRUE(ui::waitUntil([&] { return GetGUIThreadInfo(thread, &gui) && gui.hwndFocus == list; }));
  closeViewer();
}

TEST_F(ViewerTest, GeometryIsKeptBesideTheProgram) {
  const std::string package = examplePackage(folder_);
  // First run: centred client area of 800 by 600; the settings file appears when it closes.
  ASSERT_TRUE(open("\"" + package + "\"", "example.veld"));
  EXPECT_TRUE(clientIs(800, 600));
  RECT frame{0, 0, 800, 600};
  AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, FALSE, 0);
  const long x = std::max(0L, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2);
  const long y = std::max(0L, (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2);
  EXPECT_EQ(windowRect().left, x);
  EXPECT_EQ(windowRect().top, y);
  EXPECT_TRUE(settings().empty());
  closeViewer();
  EXPECT_EQ(settings(), geometryFile(x, y, 800, 600));

  // A stored size below the minimum opens at the stored place and grows to 600 by 200.
  ASSERT_TRUE(pkg::writeBytes(folder_ + "VeldViewer.ini", geometryFile(-33, 44, 500, 150)));
  ASSERT_TRUE(open("\"" + package + "\"", "example.veld"));
  EXPECT_TRUE(clientIs(600, 200)) << clientSize().cx << "x" << clientSize().cy;
  EXPECT_EQ(windowRect().left, -33);
  EXPECT_EQ(windowRect().top, 44);
  closeViewer();
  EXPECT_EQ(settings(), geometryFile(-33, 44, 600, 200));
}

TEST_F(ViewerTest, SnapsBackToTheMinimumSizeAndLaysOutTheGadgets) {
  const std::string package = examplePackage(folder_);
  ASSERT_TRUE(open("\"" + package + "\"", "example.veld"));
  SetWindowPos(window_, nullptr, 0, 0, 300, 120, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(clientIs(600, 200)) << clientSize().cx << "x" << clientSize().cy;
  RECT frame{0, 0, 1000, 700};
  AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, FALSE, 0);
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(clientIs(1000, 700));
  // The page view fills the rest of the width; the tree follows the height.
  const HWND page = ui::findControl(window_, veld::kPageViewId);
  EXPECT_TRUE(ui::waitUntil([&] {
    RECT p{}, t{};
    GetClientRect(page, &p);
    GetClientRect(tree_, &t);
    RECT tw{};
    GetWindowRect(tree_, &tw);
    return p.right == 680 && p.bottom == 680 && tw.bottom - tw.top == 630;
  }));
  closeViewer();
}

TEST_F(ViewerTest, WindowClosedWhileMinimisedKeepsItsRestoredPlace) {
  const std::string package = examplePackage(folder_);
  ASSERT_TRUE(pkg::writeBytes(folder_ + "VeldViewer.ini", geometryFile(120, 80, 700, 500)));
  ASSERT_TRUE(open("\"" + package + "\"", "example.veld"));
  ASSERT_TRUE(clientIs(700, 500));
  ShowWindowAsync(window_, SW_MINIMIZE);
  ASSERT_TRUE(ui::waitUntil([&] { return IsIconic(window_) != FALSE; }));
  closeViewer();
  EXPECT_EQ(settings(), geometryFile(120, 80, 700, 500));
}

TEST_F(ViewerTest, RequesterInTheIdesVeldFolder) {
  const std::string home = folder_ + "PureBasic\\";
  fs::create_directories(fs::u8path(home + "veld"));
  const std::string package = examplePackage(home + "veld\\");
  ASSERT_TRUE(pkg::writeBytes(home + "veld\\notes.txt", "not a package"));
  const std::vector<std::pair<std::string, std::string>> ide = {{"PB_TOOL_IDE", home + "PureBasic.exe"}};

  // Cancelled, or a file that is not a ".veld": the viewer ends without a window.
  for (const std::string& answer : {std::string(), home + "veld\\notes.txt", home + "veld\\missing.veld"}) {
    program_ = launch("", ide);
    const HWND dialog = ui::waitForDialog("VeldViewer : Open a Veld file", 20000);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(answer.empty() ? ui::cancelDialog(dialog) : ui::chooseFileInDialog(dialog, answer)) << answer;
    const std::optional<DWORD> code = program_.waitForExit(20000);
    ASSERT_TRUE(code.has_value()) << answer;
    EXPECT_EQ(*code, 0u);
  }
  EXPECT_TRUE(settings().empty());  // runs that end while choosing do not touch the settings

  program_ = launch("", ide);
  const HWND dialog = ui::waitForDialog("VeldViewer : Open a Veld file", 20000);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(ui::chooseFileInDialog(dialog, package));
  window_ = ui::waitForWindow(std::string(kTitlePrefix) + "example.veld", {}, 20000);
  ASSERT_NE(window_, nullptr);
  tree_ = ui::waitForControl(window_, veld::kTopicTreeId);
  EXPECT_EQ(items(), kExampleTree);
  closeViewer();
}

TEST_F(ViewerTest, FatalMessageOutsideTheIde) {
  const std::string source = folder_ + "main.pb";
  ASSERT_TRUE(pkg::writeBytes(source, std::string(kBom) + "XIncludeFile \"lib.pbi\"\r\n"));
  const std::string noInclude = folder_ + "plain.pb";
  ASSERT_TRUE(pkg::writeBytes(noInclude, "; nothing included\r\n"));
  for (const std::string& argument : {std::string(), "\"" + source + "\"", "\"" + noInclude + "\""}) {
    program_ = launch(argument);
    const HWND box = ui::waitForDialog("Error", 20000);
    ASSERT_NE(box, nullptr) << argument;
    EXPECT_EQ(ui::messageBoxText(box), "This executable must start from PB-IDE !");
    ASSERT_TRUE(ui::confirmDialog(box));
    const std::optional<DWORD> code = program_.waitForExit(20000);
    ASSERT_TRUE(code.has_value()) << argument;
    EXPECT_EQ(*code, 0u);
  }
}

TEST_F(ViewerTest, PackageOfTheSourcesFirstIncludeLine) {
  const std::string home = folder_ + "PureBasic\\";
  fs::create_directories(fs::u8path(home + "veld"));
  examplePackage(home + "veld\\");
  const std::string source = folder_ + "main.pb";
  ASSERT_TRUE(pkg::writeBytes(source, std::string(kBom) + "XIncludeFile #PB_Compiler_Home+\"veld\\example.pbi\"\r\n"
                                                          "OpenWindow(0, 0, 0, 100, 100, \"\")\r\n"));
  ASSERT_TRUE(open("\"" + source + "\"", "example.veld",
                   {{"PB_TOOL_IDE", home + "PureBasic.exe"}, {"PB_TOOL_Word", "OpenWindow"}}));
  EXPECT_EQ(selectedItem(), "OpenWindow");
  EXPECT_TRUE(showsPage("1.html")) << location();
  closeViewer();
}

// A damaged package after a good one: nothing the good one left in the temporary folder is shown.
TEST_F(ViewerTest, BadPackagesOpenWithoutCrashOrHang) {
  const std::string good = examplePackage(folder_);
  std::string truncated = pkg::readBytes(good);
  truncated.resize(truncated.size() / 2);
  std::string many;
  for (int i = 0; i < 100000; ++i) many += std::to_string(i % 7) + ",1,T" + std::to_string(i) + "\r\n";
  const std::string longTitle(1 << 20, 'L');
  std::string bigPage(50u << 20, ' ');
  bigPage.replace(bigPage.size() - 5, 5, "Deep!");

  const struct {
    const char* name;
    std::vector<pkg::Entry> entries;  // written as a zip unless `raw` is set
    std::string raw;
    std::size_t items;
    const char* selected;
    const char* page;
  } cases[] = {
      {"not a zip", {}, "This is a text file.", 0, "(none)", "-1.html"},
      {"truncated zip", {}, truncated, 0, "(none)", "-1.html"},
      {"empty file", {}, "", 0, "(none)", "-1.html"},
      {"zip without entries", {}, std::string("PK\x05\x06", 4) + std::string(18, '\0'), 0, "(none)", "-1.html"},
      {"missing page", {{"index.txt", "0,0,A\r\n0,0,Index\r\n", false}}, "", 2, "Index", "1.html"},
      {"1 MB lines", {{"index.txt", "0,0," + longTitle + "\r\n1,1,Index\r\n", false}}, "", 2, "Index", "1.html"},
      {"invalid UTF-8", {{"index.txt", "0,0,\xFF\xC3(\r\n\xE9,\x80,x\r\n0,0,Index\r\n", false}}, "", 3, "Index", "2.html"},
      {"negative and huge levels",
       {{"index.txt", "-5,0,a\r\n99999999999,0,b\r\n$7FFFFFFF,0,c\r\n-1,0,Index\r\n", false}}, "", 4, "Index", "3.html"},
      {"100,000 lines", {{"index.txt", many, false}}, "", 100000, "(none)", "-1.html"},
      {"50 MB page", {{"0.html", bigPage, false}, {"index.txt", "0,1,Index\r\n", false}}, "", 1, "Index", "0.html"},
  };
  for (const auto& c : cases) {
    std::printf("  %s\n", c.name);
    // The good package first, so that its list and pages lie in the temporary folder.
    ASSERT_TRUE(open("\"" + good + "\"", "example.veld")) << c.name;
    ASSERT_TRUE(ui::selectTreeItem(tree_, 1));
    ASSERT_TRUE(showsPage("1.html"));
    closeViewer();

    const std::string bad = folder_ + "bad.veld";
    ASSERT_TRUE(c.entries.empty() ? pkg::writeBytes(bad, c.raw) : pkg::writeZip(bad, c.entries)) << c.name;
    ASSERT_TRUE(open("\"" + bad + "\"", "bad.veld")) << c.name;
    EXPECT_TRUE(ui::waitUntil([&] { return itemCount() == c.items; }, 60000)) << c.name << ": " << itemCount();
    if (std::string(c.selected) == "(none)") {
      EXPECT_TRUE(nothingSelected()) << c.name;
    } else {
      EXPECT_EQ(selectedItem(), c.selected) << c.name;
    }
    EXPECT_TRUE(showsPage(c.page)) << c.name << ": " << location();
    if (std::string(c.name) == "missing page") {
      EXPECT_FALSE(tempHas("1.html"));
    }
    if (std::string(c.name) == "50 MB page") {
      EXPECT_EQ(fs::file_size(fs::u8path(temp_ + "0.html")), bigPage.size());
      const HWND list = ui::findControl(window_, veld::kResultListId);
      ASSERT_TRUE(ui::typeAndEnter(ui::findControl(window_, veld::kSearchFieldId), "deep!"));
      EXPECT_TRUE(ui::waitUntil([&] { return ui::listItems(list) == std::vector<std::string>{"Index"}; }, 60000));
    }
    closeViewer();
  }
}

}  // namespace
