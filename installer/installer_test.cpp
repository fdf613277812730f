// The five buttons' sequences against the real file system of the platform (a private folder per
// test) and a desktop that records what the program shows and starts.
#include "installer/installer.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/archive_access.h"
#include "tests/support/scratch_folder.h"

namespace veld {
namespace {

namespace fs = std::filesystem;

// Paths are formed the Windows way; natively a backslash is a separator of the stand-in files.
fs::path onDisk(std::string path) {
#ifndef _WIN32
  for (char& c : path)
    if (c == '\\') c = '/';
#endif
  return fs::path(path);
}

std::string readAll(const std::string& path) { return test::readBytes(onDisk(path)); }
void writeAll(const std::string& path, const std::string& bytes) { test::writeBytes(onDisk(path), bytes); }

class RecordingDesktop final : public InstallerDesktop {
 public:
  explicit RecordingDesktop(PreferenceStore& tools) : tools_(tools) {}

  std::string iconValue;
  std::map<std::string, std::string> environment;
  std::deque<std::string> folderAnswers;  // what the folder dialog returns, in turn
  std::vector<std::string> log;
  std::string pathButton;

  std::string registeredIconValue() override { return iconValue; }
  std::string environmentVariable(const std::string& name) override { return environment[name]; }
  std::string requestFolder(const std::string& title) override {
    log.push_back("folder dialog: " + title);
    std::string answer;
    if (!folderAnswers.empty()) {
      answer = folderAnswers.front();
      folderAnswers.pop_front();
    }
    return answer;
  }
  void showInformation(const std::string& title, const std::string& text) override {
    log.push_back("information: " + title + " | " + text);
  }
  void showError(const std::string& title, const std::string& text) override {
    log.push_back("error: " + title + " | " + text);
  }
  void runHidden(const std::string& parameters) override { log.push_back("cmd " + parameters); }
  void startProgram(const std::string& program, const std::string& arguments) override {
    log.push_back("start " + program + " " + arguments);
  }
  void setPathButtonLabel(const std::string& label) override { pathButton = label; }
  void closeMainWindow() override { log.push_back("close window"); }
  // As the program's orderly end does: the tool configuration is written now.
  void endProgram() override {
    tools_.closePreferences();
    log.push_back("end");
  }

 private:
  PreferenceStore& tools_;
};

// The system's files, with a temporary folder of the test's own and a record of drive questions.
class TestFiles final : public InstallerFiles {
 public:
  explicit TestFiles(std::string temporary) : system_(makeSystemInstallerFiles()), temporary_(std::move(temporary)) {}
  std::vector<char> drivesAsked;

  void createFolder(const std::string& path) override { system_->createFolder(path); }
  bool writeFile(const std::string& path, std::string_view bytes) override { return system_->writeFile(path, bytes); }
  bool deleteFile(const std::string& path) override { return system_->deleteFile(path); }
  bool removeEmptyFolder(const std::string& path) override { return system_->removeEmptyFolder(path); }
  bool exists(const std::string& path) override { return system_->exists(path); }
  bool isFolder(const std::string& path) override { return system_->isFolder(path); }
  bool driveExists(char letter) override {
    drivesAsked.push_back(letter);
    return letter == 'D';
  }
  std::string temporaryFolder() override { return temporary_; }
  std::string systemPath(const std::string& path) override { return system_->systemPath(path); }

 private:
  std::unique_ptr<InstallerFiles> system_;
  std::string temporary_;
};

class FixedItems final : public CarriedItems {
 public:
  std::map<CarriedItem, std::string> items;
  std::string_view bytes(CarriedItem item) override { return items[item]; }
};

class InstallerActions : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* sub : {"temp", "home", "registered", "appdata/PureBasic", "payload"})
      fs::create_directories(root_ / sub);
    const std::string root = root_.string() + "\\";
    temp_ = root + "temp\\";
    home_ = root + "home\\";
    registered_ = root + "registered\\";
    veld_ = home_ + "veld\\";

    files_ = std::make_unique<TestFiles>(temp_);
    desktop_.environment["APPDATA"] = root + "appdata";
    desktop_.iconValue = registered_ + "PureBasic.exe,0";
    writeAll(home_ + "PureBasic.exe", "ide");

    items_.items[CarriedItem::Viewer] = "viewer program";
    items_.items[CarriedItem::Builder] = "builder program";
    items_.items[CarriedItem::HelpPage] = "<HTML>help</HTML>";
    items_.items[CarriedItem::Payload] = makePayload({});
  }
  void TearDown() override { tools_.closePreferences(); }

  // A payload archive of the four files, each holding its own name, plus any extra entry names.
  std::string makePayload(const std::vector<std::string>& extraNames) {
    const std::string folder = root_.string() + "\\payload\\";
    const std::string zip = folder + "payload.zip";
    ArchiveAccess archive(Encoding::Ansi);
    EXPECT_TRUE(archive.createArchive(onDisk(zip).string()));
    std::vector<std::string> names(kPayloadFiles.begin(), kPayloadFiles.end());
    names.insert(names.end(), extraNames.begin(), extraNames.end());
    int n = 0;
    for (const std::string& name : names) {
      const std::string source = folder + "source" + std::to_string(n++);
      writeAll(source, "content of " + name);
      EXPECT_TRUE(archive.addFile(onDisk(source).string(), name));
    }
    archive.closeArchive();
    return readAll(zip);
  }

  Installer makeInstaller(const std::string& home) {
    Installer installer(desktop_, *files_, items_, tools_);
    installer.start();
    if (home != registered_) {
      // Picked with the path button, as a user would.
      desktop_.folderAnswers.push_back(home);
      installer.choosePureBasicHome();
      desktop_.log.clear();
    }
    return installer;
  }

  bool exists(const std::string& path) { return fs::exists(onDisk(path)); }

  void expectPayloadIn(const std::string& folder) {
    for (const char* name : kPayloadFiles) EXPECT_EQ(readAll(folder + name), std::string("content of ") + name);
  }

  std::string toolsFile() { return readAll(root_.string() + "\\appdata\\PureBasic\\Tools.prefs"); }

  test::ScratchFolder scratch_{"veld-installer"};
  const fs::path& root_ = scratch_.path();
  std::string temp_, home_, registered_, veld_;
  PreferenceStore tools_{Encoding::Ansi};
  RecordingDesktop desktop_{tools_};
  std::unique_ptr<TestFiles> files_;
  FixedItems items_;
};

TEST_F(InstallerActions, StartTakesTheRegisteredHome) {
  Installer installer(desktop_, *files_, items_, tools_);
  installer.start();
  EXPECT_EQ(installer.currentHome(), registered_);
  EXPECT_EQ(installer.veldFolder(), registered_ + "veld\\");
  EXPECT_TRUE(installer.actionsNeedingHomeEnabled());

  desktop_.iconValue = "";
  installer.start();
  EXPECT_EQ(installer.currentHome(), "");
  EXPECT_EQ(installer.veldFolder(), "veld\\");
  EXPECT_FALSE(installer.actionsNeedingHomeEnabled());
}

TEST_F(InstallerActions, PathButtonAcceptsOnlyAFolderWithTheIde) {
  Installer installer(desktop_, *files_, items_, tools_);
  installer.start();
  const std::string noIde = registered_;  // holds no PureBasic.exe
  desktop_.folderAnswers = {"", noIde, home_};

  installer.clickButton(kPathButton);  // cancelled
  EXPECT_EQ(installer.currentHome(), registered_);
  installer.clickButton(kPathButton);  // refused
  EXPECT_EQ(installer.currentHome(), registered_);
  EXPECT_EQ(desktop_.pathButton, "");
  installer.clickButton(kPathButton);  // taken
  EXPECT_EQ(installer.currentHome(), home_);
  EXPECT_EQ(installer.veldFolder(), veld_);
  EXPECT_EQ(desktop_.pathButton, "PureBasic Path = " + home_);

  EXPECT_EQ(desktop_.log, (std::vector<std::string>{
                              "folder dialog: PureBasic Path",
                              "folder dialog: PureBasic Path",
                              "error: Error | " + noIde + "\r\nis not a valid PureBasic Path",
                              "folder dialog: PureBasic Path",
                          }));
}

TEST_F(InstallerActions, AFolderNamedLikeTheIdeAlsoPasses) {
  fs::create_directories(onDisk(registered_ + "PureBasic.exe"));
  desktop_.iconValue = "";
  Installer installer(desktop_, *files_, items_, tools_);
  installer.start();
  desktop_.folderAnswers = {registered_};
  installer.choosePureBasicHome();
  EXPECT_EQ(installer.currentHome(), registered_);
}

TEST_F(InstallerActions, InstallWritesProgramsPayloadHelpAssociationAndTools) {
  Installer installer = makeInstaller(home_);  // picked: differs from the registered home
  installer.clickButton(kInstallButton);

  EXPECT_EQ(readAll(veld_ + "VeldViewer.exe"), "viewer program");
  EXPECT_EQ(readAll(veld_ + "TailVeld.exe"), "builder program");
  expectPayloadIn(veld_);
  EXPECT_FALSE(exists(temp_ + "VeldZip.zip"));
  // The help page follows the registered home, the rest the picked one.
  EXPECT_EQ(readAll(registered_ + "help\\Veld.html"), "<HTML>help</HTML>");
  EXPECT_FALSE(exists(home_ + "help"));

  EXPECT_EQ(desktop_.log, (std::vector<std::string>{
                              "cmd /C ASSOC .veld=veld",
                              "cmd /C FTYPE veld=\"" + veld_ + "VeldViewer.exe\" \"%1\"",
                              "information: Veld Installed to | " + veld_,
                              "close window",
                              "end",
                          }));
  const std::string tools = toolsFile();
  EXPECT_NE(tools.find("[Tool_0]\r\nCommand = " + veld_ + "VeldViewer.exe\r\n"), std::string::npos) << tools;
  EXPECT_NE(tools.find("[Tool_1]\r\nCommand = " + veld_ + "TailVeld.exe\r\n"), std::string::npos) << tools;
  EXPECT_EQ(tools.find("[ToolsInfo]\r\nToolCount = 2\r\n"), 0u) << tools;
}

TEST_F(InstallerActions, InstallWithoutRegisteredHomePutsTheHelpUnderTheCurrentHome) {
  desktop_.iconValue = "";
  Installer installer = makeInstaller(home_);
  installer.install();
  EXPECT_EQ(readAll(home_ + "help\\Veld.html"), "<HTML>help</HTML>");
  EXPECT_TRUE(exists(veld_ + "VeldViewer.exe"));
}

TEST_F(InstallerActions, InstallOverAnEarlierInstallationReplacesEverything) {
  Installer first = makeInstaller(home_);
  first.install();
  writeAll(veld_ + "BriskLib.pbi", "edited by hand");
  items_.items[CarriedItem::Viewer] = "newer viewer";
  items_.items[CarriedItem::HelpPage] = "newer help";

  Installer second = makeInstaller(home_);
  second.install();
  EXPECT_EQ(readAll(veld_ + "VeldViewer.exe"), "newer viewer");
  EXPECT_EQ(readAll(registered_ + "help\\Veld.html"), "newer help");
  EXPECT_EQ(readAll(veld_ + "BriskLib.pbi"), "content of BriskLib.pbi");
  EXPECT_EQ(toolsFile().find("[ToolsInfo]\r\nToolCount = 2\r\n"), 0u);
}

TEST_F(InstallerActions, InstallAndUninstallNeedAHome) {
  desktop_.iconValue = "";
  Installer installer(desktop_, *files_, items_, tools_);
  installer.start();
  installer.clickButton(kInstallButton);
  installer.clickButton(kUninstallButton);
  EXPECT_TRUE(desktop_.log.empty());
  EXPECT_FALSE(exists(root_.string() + "\\appdata\\PureBasic\\Tools.prefs"));
}

TEST_F(InstallerActions, UninstallRemovesWhatInstallWroteAndKeepsTheUsersFiles) {
  Installer first = makeInstaller(home_);
  first.install();
  writeAll(veld_ + "VeldViewer.ini", "[Window]\r\n");
  writeAll(veld_ + "MyLib.pbi", "my own module");
  desktop_.log.clear();

  Installer second = makeInstaller(home_);
  second.clickButton(kUninstallButton);
  EXPECT_EQ(readAll(veld_ + "MyLib.pbi"), "my own module");
  for (const char* name : {"VeldViewer.exe", "VeldViewer.ini", "TailVeld.exe", "BriskLib.veld", "BriskLib.pbi",
                           "example.veld", "example.pbi"})
    EXPECT_FALSE(exists(veld_ + name)) << name;
  EXPECT_FALSE(exists(registered_ + "help\\Veld.html"));
  EXPECT_TRUE(exists(registered_ + "help"));
  EXPECT_EQ(desktop_.log, (std::vector<std::string>{
                              "cmd /C ASSOC .veld=",
                              "cmd /C FTYPE veld=",
                              "information: Veld Uninstalled from | " + veld_,
                              "close window",
                              "end",
                          }));
  EXPECT_EQ(toolsFile(), "[ToolsInfo]\r\nToolCount = 0\r\n");
}

TEST_F(InstallerActions, UninstallRemovesTheVeldFolderOnlyWhenEmpty) {
  Installer first = makeInstaller(home_);
  first.install();
  Installer second = makeInstaller(home_);
  second.uninstall();
  EXPECT_FALSE(exists(veld_));

  Installer third = makeInstaller(home_);
  third.install();
  fs::create_directories(onDisk(veld_ + "projects"));
  Installer fourth = makeInstaller(home_);
  fourth.uninstall();
  EXPECT_TRUE(exists(veld_ + "projects"));
  EXPECT_FALSE(exists(veld_ + "VeldViewer.exe"));
}

TEST_F(InstallerActions, ExtractIntoAChosenFolder) {
  Installer installer = makeInstaller(registered_);
  const std::string target = root_.string() + "\\payload";  // without its backslash, as typed
  desktop_.folderAnswers = {target};
  EXPECT_TRUE(installer.extract());
  expectPayloadIn(target + "\\");
  EXPECT_FALSE(exists(temp_ + "VeldZip.zip"));
  EXPECT_EQ(desktop_.log, (std::vector<std::string>{
                              "folder dialog: Extract Veld to",
                              "information: BriskLib 5.21.003 | Extracted",
                              "close window",
                              "end",
                          }));
}

TEST_F(InstallerActions, ExtractWithoutAnExistingFolderKeepsRunning) {
  Installer installer = makeInstaller(registered_);
  desktop_.folderAnswers = {"", root_.string() + "\\missing\\", home_ + "PureBasic.exe\\"};
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(installer.extract());
  EXPECT_EQ(desktop_.log, std::vector<std::string>(3, "folder dialog: Extract Veld to"));
  EXPECT_FALSE(exists(temp_ + "VeldZip.zip"));
}

TEST_F(InstallerActions, FolderTestAsksForDrivesByLetter) {
  Installer installer = makeInstaller(registered_);
  EXPECT_TRUE(installer.isExistingFolder("D:\\"));
  EXPECT_TRUE(installer.isExistingFolder("D:"));
  EXPECT_FALSE(installer.isExistingFolder("Q:\\\\"));
  EXPECT_EQ(files_->drivesAsked, (std::vector<char>{'D', 'D', 'Q'}));
  EXPECT_FALSE(installer.isExistingFolder("\\\\"));
  EXPECT_TRUE(installer.isExistingFolder(home_ + "\\\\"));
}

TEST_F(InstallerActions, BrowseStartsTheViewerOnTheUnpackedLibrary) {
  Installer installer = makeInstaller(registered_);
  installer.clickButton(kBrowseButton);
  EXPECT_EQ(readAll(temp_ + "VeldViewer.exe"), "viewer program");
  expectPayloadIn(temp_);
  EXPECT_FALSE(exists(temp_ + "VeldZip.zip"));
  EXPECT_EQ(desktop_.log, (std::vector<std::string>{
                              "start " + temp_ + "VeldViewer.exe \"" + temp_ + "BriskLib.veld\"",
                              "end",
                          }));
}

TEST_F(InstallerActions, PayloadEntriesThatWouldLeaveTheFolderAreSkipped) {
  items_.items[CarriedItem::Payload] = makePayload({"../escaped.txt", "..\\escaped.txt"});
  Installer installer = makeInstaller(registered_);
  installer.extractPayload(home_);
  expectPayloadIn(home_);
  EXPECT_FALSE(exists(root_.string() + "\\escaped.txt"));
  EXPECT_FALSE(exists(temp_ + "VeldZip.zip"));
}

TEST_F(InstallerActions, ABrokenPayloadUnpacksNothingAndLeavesNoArchive) {
  items_.items[CarriedItem::Payload] = "not a zip archive";
  Installer installer = makeInstaller(registered_);
  installer.extractPayload(home_);
  EXPECT_FALSE(exists(home_ + "BriskLib.veld"));
  EXPECT_FALSE(exists(temp_ + "VeldZip.zip"));
}

}  // namespace
}  // namespace veld
