#include "installer/tool_registration.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/scratch_folder.h"

namespace veld {
namespace {

namespace fs = std::filesystem;

constexpr char kVeld[] = "C:\\PB\\veld\\";

// The entry lines a tool gets, as the store writes them back.
std::string entry(const std::string& group, const std::string& program, const std::string& menuName,
                  const std::string& shortcut) {
  return "[" + group + "]\r\nCommand = C:\\PB\\veld\\" + program +
         "\r\nArguments = \"%FILE\"\r\nWorkingDir = \r\nMenuItemName = " + menuName + "\r\nShortcut = " + shortcut +
         "\r\nConfigLine = \r\nTrigger = \r\nFlags = \r\nReloadSource = \r\nHideEditor = \r\nHideFromMenu = \r\n"
         "SourceSpecific = \r\nDeactivate = \r\n; \r\n";
}
std::string viewerEntry(const std::string& group) { return entry(group, "VeldViewer.exe", "VeldViewer", "131184"); }
std::string builderEntry(const std::string& group) { return entry(group, "TailVeld.exe", "TailVeld", "131195"); }

std::string foreign(int n, const std::string& name) {
  return "[Tool_" + std::to_string(n) + "]\r\nCommand = C:\\Tools\\" + name + ".exe\r\nMenuItemName = " + name + "\r\n";
}

class ToolRegistration : public ::testing::Test {
 protected:
  void writeFile(const std::string& text) { test::writeBytes(path_, text); }
  std::string readFile() { return test::readBytes(path_); }

  // Opens the file, runs the steps of Install (remove, then add) or of Uninstall, closes it and
  // returns what was written.
  std::string install(const std::string& before) {
    if (!before.empty()) writeFile(before);
    PreferenceStore tools(Encoding::Ansi);
    tools.openPreferences(path_);
    removeTools(tools);
    addTools(tools, kVeld);
    tools.closePreferences();
    return readFile();
  }
  std::string uninstall(const std::string& before) {
    writeFile(before);
    PreferenceStore tools(Encoding::Ansi);
    tools.openPreferences(path_);
    removeTools(tools);
    tools.closePreferences();
    return readFile();
  }

  test::ScratchFolder scratch_{"veld-tools"};
  std::string path_ = scratch_.file("Tools.prefs");
};

TEST_F(ToolRegistration, NoFileYetGivesCounterAndBothEntries) {
  EXPECT_EQ(install(""), "[ToolsInfo]\r\nToolCount = 2\r\n" + viewerEntry("Tool_0") + builderEntry("Tool_1"));
}

TEST_F(ToolRegistration, InstallAgainAndUninstallKeepForeignEntries) {
  const std::string foreignTools =
      foreign(0, "Beautifier") + foreign(1, "Profiler") + foreign(2, "Linker");
  const std::string original = "[ToolsInfo]\r\nToolCount = 3\r\n" + foreignTools;
  const std::string installed =
      "[ToolsInfo]\r\nToolCount = 5\r\n" + foreignTools + viewerEntry("Tool_3") + builderEntry("Tool_4");

  EXPECT_EQ(install(original), installed);
  EXPECT_EQ(install(installed), installed);  // removed and written again under the same numbers
  EXPECT_EQ(uninstall(installed), original);
}

TEST_F(ToolRegistration, EntriesAreRecognisedByMenuNameInAnyCase) {
  const std::string before = "[ToolsInfo]\r\nToolCount = 2\r\n[Tool_0]\r\nCommand = D:\\old\\VeldViewer.exe\r\n"
                             "MenuItemName = veldviewer\r\n[Tool_1]\r\nCommand = D:\\old\\TailVeld.exe\r\n"
                             "MenuItemName =   TAILVELD\t\r\n";
  EXPECT_EQ(install(before), "[ToolsInfo]\r\nToolCount = 2\r\n" + viewerEntry("Tool_0") + builderEntry("Tool_1"));
}

// After a removal the counter is lower than the highest number in use; a new entry numbered by
// the counter would land in the foreign Tool_2 and replace its keys.
TEST_F(ToolRegistration, NewEntriesNeverTakeTheNumberOfAnotherTool) {
  const std::string before = "[ToolsInfo]\r\nToolCount = 3\r\n" + viewerEntry("Tool_0") + builderEntry("Tool_1") +
                             foreign(2, "Beautifier");
  EXPECT_EQ(install(before),
            "[ToolsInfo]\r\nToolCount = 3\r\n" + foreign(2, "Beautifier") + viewerEntry("Tool_0") +
                builderEntry("Tool_1"));
}

TEST_F(ToolRegistration, FreeNumbersAreTakenLowestFirstWhateverTheGroupCase) {
  // Tool_0 is free; tool_2 answers to Tool_2 for the IDE and the store alike.
  const std::string before = "[ToolsInfo]\r\nToolCount = 2\r\n" + foreign(1, "Profiler") +
                             "[tool_2]\r\nMenuItemName = Linker\r\n";
  EXPECT_EQ(install(before), "[ToolsInfo]\r\nToolCount = 4\r\n" + foreign(1, "Profiler") +
                                 "[tool_2]\r\nMenuItemName = Linker\r\n" + viewerEntry("Tool_0") +
                                 builderEntry("Tool_3"));
}

TEST_F(ToolRegistration, OnlyTheFirstOfTwoEntriesOfATool) {
  const std::string second = "[Tool_1]\r\nCommand = D:\\old\\VeldViewer.exe\r\nMenuItemName = VeldViewer\r\n";
  const std::string before = "[ToolsInfo]\r\nToolCount = 2\r\n" + viewerEntry("Tool_0") + second;
  // Uninstall removes the first; Install then finds the second and adds no viewer entry.
  EXPECT_EQ(uninstall(before), "[ToolsInfo]\r\nToolCount = 1\r\n" + second);
  EXPECT_EQ(install(before), "[ToolsInfo]\r\nToolCount = 2\r\n" + second + builderEntry("Tool_0"));
}

// Removal goes by group name and takes the first group of that name: here that is another tool's.
TEST_F(ToolRegistration, AnEntryBehindAGroupOfTheSameNameIsLeftAlone) {
  const std::string before = "[ToolsInfo]\r\nToolCount = 2\r\n" + foreign(1, "Beautifier") +
                             "[Tool_1]\r\nMenuItemName = VeldViewer\r\n";
  EXPECT_EQ(install(before), "[ToolsInfo]\r\nToolCount = 3\r\n" + foreign(1, "Beautifier") +
                                 "[Tool_1]\r\nMenuItemName = VeldViewer\r\n" + builderEntry("Tool_0"));
}

TEST_F(ToolRegistration, CounterIsWrittenEvenWhenNothingChangesAndNeverWraps) {
  EXPECT_EQ(uninstall("; my tools\r\n"), "; my tools\r\n[ToolsInfo]\r\nToolCount = 0\r\n");
  EXPECT_EQ(uninstall("[ToolsInfo]\r\nToolCount = abc\r\n"), "[ToolsInfo]\r\nToolCount = 0\r\n");
  EXPECT_EQ(uninstall("[ToolsInfo]\r\nToolCount = -2147483648\r\n" + viewerEntry("Tool_0")),
            "[ToolsInfo]\r\nToolCount = -2147483648\r\n");
}

TEST_F(ToolRegistration, FindToolGroupComparesWholeNames) {
  writeFile("[ToolsInfo]\r\nToolCount = 2\r\n[Tool_0]\r\nMenuItemName = VeldViewer2\r\n[Tool_1]\r\n"
            "MenuItemName = veldVIEWER\r\n");
  PreferenceStore tools(Encoding::Ansi);
  tools.openPreferences(path_);
  EXPECT_EQ(findToolGroup(tools, "VeldViewer"), "Tool_1");
  EXPECT_EQ(findToolGroup(tools, "TailVeld"), "");
  EXPECT_EQ(readToolCount(tools), 2);
}

TEST(ToolsPrefsPath, FollowsTheApplicationDataFolder) {
  EXPECT_EQ(toolsPrefsPath("C:\\Users\\ann\\AppData\\Roaming"), "C:\\Users\\ann\\AppData\\Roaming\\PureBasic\\Tools.prefs");
  EXPECT_EQ(toolsPrefsPath(""), "\\PureBasic\\Tools.prefs");
}

}  // namespace
}  // namespace veld
