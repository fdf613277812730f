#include "builder/closing_topic.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "builder/memory_build_files.h"
#include "tests/support/scratch_folder.h"

namespace veld {
namespace {

TEST(ClosingTopic, BuildTimeHasTwoDigitsEach) {
  EXPECT_EQ(formatBuildTime({2013, 11, 23, 11, 30, 2}), "23/11/13 11:30:02");
  EXPECT_EQ(formatBuildTime({2000, 1, 5, 0, 0, 9}), "05/01/00 00:00:09");
  EXPECT_EQ(formatBuildTime({2099, 12, 31, 23, 59, 59}), "31/12/99 23:59:59");
}

TEST(ClosingTopic, ThreeCharacterVersionsGetAPoint) {
  const struct {
    const char* value;
    const char* shown;
  } cases[] = {{"521", "5.21"}, {"5.21", "5.21"}, {"5210", "5210"}, {"", ""}, {"610", "6.10"}, {"abc", "a.bc"}, {"60", "60"}};
  for (const auto& c : cases) EXPECT_EQ(ideVersionText(c.value), c.shown) << c.value;
}

class IdePreferences : public ::testing::Test {
 protected:
  std::string write(const std::string& name, const std::string& bytes) {
    test::writeBytes(scratch_.path() / name, bytes);
    return scratch_.file(name);
  }

  test::ScratchFolder scratch_{"veld-closing-topic"};
  const std::filesystem::path& folder_ = scratch_.path();
};

TEST_F(IdePreferences, VersionComesFromGroupGlobal) {
  const std::string prefs = write("PureBasic.prefs",
                                  "\xEF\xBB\xBF[Other]\r\nVersion = 999\r\n\r\n[Global]\r\nVersion = 521\r\n");
  EXPECT_EQ(readIdeVersionValue(prefs), "521");
  EXPECT_EQ(ideVersionText(readIdeVersionValue(prefs)), "5.21");
  EXPECT_EQ(readIdeVersionValue(write("nokey.prefs", "[Global]\r\nLanguage = English\r\n")), "");
  EXPECT_EQ(readIdeVersionValue((folder_ / "missing.prefs").string()), "");
}

TEST(ClosingTopic, PageAndIndexLineGoldenWithAFixedClock) {
  testing::MemoryFiles files;
  testing::MemoryPackage package{files};
  ColouringBridge colours{HighlightFunction()};
  BuildProblems problems;
  package.create("x.veld");
  std::unique_ptr<OutputFile> index = files.createFile("T\\index.txt");
  PageWriter writer(files, package, colours, "T\\", index.get(), problems);
  writer.writeIndexLine(2, "0", "Last topic of the source");  // the level the source left does not matter

  writeClosingTopic(writer, 7, formatBuildTime({2013, 11, 23, 11, 30, 2}), ideVersionText("521"));

  EXPECT_EQ(files.at("T\\index.txt"), "2,0,Last topic of the source\r\n0,1,Compilation\r\n");
  ASSERT_EQ(package.names(), std::vector<std::string>{"7.html"});
  EXPECT_EQ(package.entry("7.html"),
            "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\"><HTML>\r\n"
            "<BODY BGCOLOR=\"#FFFFDF\" LINK=\"#009999\" VLINK=\"#006666\" ALINK=\"#006666\">\r\n"
            "<FONT FACE=\"Arial\" size=\"2\"><P ALIGN=\"CENTER\"><B><FONT size=\"4\">Compilation</FONT></B>\r\n"
            "<HR>\r\n"
            "23/11/13 11:30:02\r\n"
            "<BR>TailVeld 1.0.0.9\r\n"
            "<BR>PureBasic 5.21\r\n"
            "</BODY></HTML>\r\n");
}

TEST(ClosingTopic, NoVersionLeavesTheBlankAlone) {
  testing::MemoryFiles files;
  testing::MemoryPackage package{files};
  ColouringBridge colours{HighlightFunction()};
  BuildProblems problems;
  package.create("x.veld");
  PageWriter writer(files, package, colours, "T\\", nullptr, problems);
  writeClosingTopic(writer, 0, "01/01/20 00:00:00", "");
  EXPECT_NE(package.entry("0.html").find("\r\n<BR>PureBasic \r\n</BODY></HTML>\r\n"), std::string::npos);
}

}  // namespace
}  // namespace veld
