#include "builder/package_build.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>
#include <string>
#include <vector>

#include "builder/golden_pages.h"
#include "builder/memory_build_files.h"
#include "builder/tokenizer_highlight.h"
#include "common/package_format.h"
#include "tests/support/scratch_folder.h"

namespace veld {
namespace {

using testing::MemoryFiles;
using testing::MemoryPackage;
using Names = std::vector<std::string>;

using golden::closingPage;
using golden::head;
using golden::kSmallPage;
using golden::kWorkedExample;

BuildRequest request(const std::string& source, const std::string& folder) {
  BuildRequest r;
  r.sourcePath = source;
  r.packagePath = "P.veld";
  r.temporaryFolder = folder;
  r.now = [] { return LocalTime{2013, 11, 23, 11, 30, 2}; };
  r.ideVersion = [] { return std::string("5.21"); };
  return r;
}

struct MemoryBuild {
  MemoryFiles files;
  MemoryPackage package{files};
  ColouringBridge colours{linkedTokenizerHighlight()};

  BuildResult run(const std::string& source) {
    files.files["S.pbi"] = source;
    return buildPackage(request("S.pbi", "T\\"), files, package, colours);
  }
  std::string index() const { return package.entry("index.txt"); }
};

TEST(PackageBuild, WorkedExampleGivesPagesInOrderThenTheClosingTopicThenTheIndex) {
  MemoryBuild b;
  const BuildResult result = b.run(kWorkedExample);
  EXPECT_EQ(result.topics, 3u);
  EXPECT_TRUE(result.packageWritten);
  EXPECT_FALSE(result.problems.any());
  EXPECT_EQ(b.package.names(), (Names{"0.html", "1.html", "2.html", "3.html", "index.txt"}));
  EXPECT_EQ(b.index(), "0,0,Tips\r\n1,2,MessageRequester\r\n0,1,StringToOemm\r\n0,1,Compilation\r\n");
  EXPECT_EQ(b.package.entry("0.html"), kSmallPage);
  EXPECT_EQ(b.package.entry("1.html"),
            head("MessageRequester") + "<HR>\r\n Constants avalaible for MessageRequester :\r\n</BODY></HTML>\r\n");
  EXPECT_EQ(b.package.entry("2.html"),
            head("StringToOemm") +
                "<HR>\r\n"
                " Translates a string into the OEM-defined character set.\r\n"
                "<TABLE BORDER=\"1\" BGCOLOR=\"#FFFFEF\" BORDERCOLOR=\"#FFFFCF\" CELLSPACING=\"0\" CELLPADDING=\"10\" "
                "BORDERCOLORLIGHT=\"#FFFFEF\" BORDERCOLORDARK=\"#FFFFAF\"><TR><TD WIDTH=\"100%\"><PRE>"
                "<FONT FACE=\"Courier New, Courier, mono\" SIZE=\"2\">\r\n"
                "Procedure <font color=#006666>StringToOemm</font>(<font color=#0000FF>StringAddress</font>)"
                "<font color=#0000FF> \r\n"
                "<BR></font><font color=#006666>  CharToOem_</font>(<font color=#0000FF>StringAddress</font>,"
                "<font color=#0000FF>StringAddress</font>)<font color=#0000FF>\r\n"
                "<BR></font>EndProcedure\r\n"
                "</PRE></TD></TR></TABLE>\r\n"
                "</BODY></HTML>\r\n");
  EXPECT_EQ(b.package.entry("3.html"), closingPage("5.21"));
  // The temporary folder keeps every page file and the topic list.
  for (const char* name : {"0.html", "1.html", "2.html", "3.html", "index.txt"}) {
    EXPECT_EQ(b.files.at(std::string("T\\") + name), b.package.entry(name)) << name;
  }
}

TEST(PackageBuild, SourceWithoutTopicsHoldsOnlyTheClosingTopic) {
  for (const std::string& source : {std::string(), std::string(";/// text before any topic\r\n; a comment\r\n")}) {
    MemoryBuild b;
    const BuildResult result = b.run(source);
    EXPECT_EQ(result.topics, 0u);
    EXPECT_EQ(b.package.names(), (Names{"0.html", "index.txt"}));
    EXPECT_EQ(b.package.entry("0.html"), closingPage("5.21"));
    EXPECT_EQ(b.index(), "0,1,Compilation\r\n");
  }
}

TEST(PackageBuild, UnreadableSourceEndsTheLoopLikeAnEmptyOneAndIsReported) {
  MemoryBuild b;
  b.files.unreadable.insert("S.pbi");
  const BuildResult result = b.run(kWorkedExample);
  EXPECT_FALSE(result.sourceReadable);
  EXPECT_TRUE(result.problems.any());
  EXPECT_EQ(b.package.names(), (Names{"0.html", "index.txt"}));
  EXPECT_EQ(b.index(), "0,1,Compilation\r\n");

  MemoryBuild failing;
  failing.files.readFailsAfter = 50;  // inside the fourth line, after ";&&&2 Mes"
  const BuildResult partial = failing.run(kWorkedExample);
  EXPECT_FALSE(partial.sourceReadable);
  EXPECT_EQ(failing.index(), "0,0,Tips\r\n1,2,Mes\r\n0,1,Compilation\r\n");
}

TEST(PackageBuild, EndOfSourceKeepsTextAndDropsUnclosedCode) {
  MemoryBuild b;
  b.run(";&&&1 A\r\n;{+++\r\n; lost code\r\n;/// kept text\r\n");
  EXPECT_EQ(b.package.entry("0.html"), head("A") + "<HR>\r\n kept text\r\n</BODY></HTML>\r\n");
  EXPECT_EQ(b.package.entry("1.html"), closingPage("5.21"));
}

TEST(PackageBuild, OddBytesAndLineEndsGoThroughUnchanged) {
  MemoryBuild b;
  static const char source[] =
      "\xEF\xBB\xBF;&&&0 Marked\r"  // a byte-order mark hides the first tag; CR-only line ends
      ";&&&1 Caf\xE9 \x80\xFF\r"    // bytes above 0x7F pass through
      "\t;&&&1 Tabbed\r"            // a tab before a tag: not a tag
      ";&&&2 Nul\0;&&&2 AfterNul\r"  // NUL ends a line
      ";///\xB2quoted\xB2\r";
  b.run(std::string(source, sizeof source - 1));
  EXPECT_EQ(b.index(), std::string("0,1,Caf\xE9 \x80\xFF\r\n0,2,Nul\r\n0,2,AfterNul\r\n0,1,Compilation\r\n"));
  EXPECT_EQ(b.package.entry("2.html"), head("AfterNul") + "<HR>\r\n\xB2quoted\xB2\r\n</BODY></HTML>\r\n");
}

TEST(PackageBuild, TenMegabyteLineReachesThePage) {
  MemoryBuild b;
  const std::string big(10u << 20, 'w');
  b.run(";&&&1 Big\r\n;///" + big + "\r\n;{+++\r\n; " + big + "\r\n;}\r\n");
  const std::string page = b.package.entry("0.html");
  EXPECT_GT(page.size(), 2 * big.size());
  EXPECT_EQ(page.substr(page.size() - 16), "</BODY></HTML>\r\n");
}

TEST(PackageBuild, HundredThousandTopics) {
  MemoryBuild b;
  std::string source;
  for (int i = 0; i < 100000; ++i) source += ";&&&1 T" + std::to_string(i) + "\n;/// t\n";
  const BuildResult result = b.run(source);
  EXPECT_EQ(result.topics, 100000u);
  ASSERT_EQ(b.package.entries.size(), 100002u);
  EXPECT_EQ(b.package.entries[99999].first, "99999.html");
  EXPECT_EQ(b.package.entries[100000].first, "100000.html");
  EXPECT_EQ(b.package.entries[100001].first, "index.txt");
  const std::string index = b.index();
  EXPECT_EQ(index.substr(0, 18), "0,1,T0\r\n0,1,T1\r\n0,");
  const std::string tail = "0,1,T99999\r\n0,1,Compilation\r\n";
  EXPECT_EQ(index.substr(index.size() - tail.size()), tail);
}

// The real files and the real archive, as the programs use them.
class PackageOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder_ / "tmp");
    std::filesystem::create_directories(folder_ / "src");
  }

  std::string path(const std::string& relative) const { return (folder_ / relative).string(); }
  std::string temporaryFolder() const { return (folder_ / "tmp").string() + static_cast<char>(std::filesystem::path::preferred_separator); }
  void write(const std::string& relative, const std::string& bytes) {
    test::writeBytes(folder_ / relative, bytes);
  }

  BuildResult build(const std::string& sourceRelative) {
    std::unique_ptr<BuildFiles> files = makeSystemBuildFiles();
    std::unique_ptr<PackageSink> package = makeArchivePackageSink(*files);
    ColouringBridge colours(linkedTokenizerHighlight());
    BuildRequest r = request(path(sourceRelative), temporaryFolder());
    r.packagePath = packagePathFor(r.sourcePath);
    return buildPackage(r, *files, *package, colours);
  }

  struct Entry {
    std::string name;
    std::uint16_t method;
    std::string bytes;
  };
  std::vector<Entry> entries(const std::string& packageRelative) {
    std::vector<Entry> result;
    int error = 0;
    zip_t* zip = zip_open(path(packageRelative).c_str(), ZIP_RDONLY, &error);
    if (zip == nullptr) return result;
    int commentLength = -1;
    zip_get_archive_comment(zip, &commentLength, 0);
    EXPECT_EQ(commentLength, 0);
    for (zip_int64_t i = 0; i < zip_get_num_entries(zip, 0); ++i) {
      zip_stat_t st;
      zip_stat_index(zip, static_cast<zip_uint64_t>(i), 0, &st);
      std::string bytes(static_cast<std::size_t>(st.size), '\0');
      zip_file_t* file = zip_fopen_index(zip, static_cast<zip_uint64_t>(i), 0);
      if (file != nullptr) {
        zip_fread(file, bytes.data(), bytes.size());
        zip_fclose(file);
      }
      result.push_back({st.name, st.comp_method, bytes});
    }
    zip_close(zip);
    return result;
  }

  test::ScratchFolder scratch_{"veld-package-build"};
  const std::filesystem::path& folder_ = scratch_.path();
};

TEST_F(PackageOnDisk, EntriesAreDeflatedInBuildOrderBesideTheModule) {
  write("src/my.module.pbi", kWorkedExample);
  write("src/my.module.veld", "an old package that must not survive");
  const BuildResult result = build("src/my.module.pbi");
  EXPECT_TRUE(result.packageWritten);
  EXPECT_FALSE(result.problems.any());
  const std::vector<Entry> got = entries("src/my.module.veld");
  ASSERT_EQ(got.size(), 5u);
  const char* names[] = {"0.html", "1.html", "2.html", "3.html", "index.txt"};
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].name, names[i]);
    EXPECT_EQ(got[i].method, ZIP_CM_DEFLATE) << names[i];
  }
  EXPECT_EQ(got[0].bytes, kSmallPage);
  EXPECT_EQ(got[3].bytes, closingPage("5.21"));
  EXPECT_EQ(got[4].bytes, "0,0,Tips\r\n1,2,MessageRequester\r\n0,1,StringToOemm\r\n0,1,Compilation\r\n");
  EXPECT_TRUE(std::filesystem::exists(folder_ / "tmp" / "3.html"));
  EXPECT_TRUE(std::filesystem::exists(folder_ / "tmp" / "index.txt"));
}

TEST_F(PackageOnDisk, SourceThatExistsButCannotBeReadGivesTheClosingTopicOnly) {
  std::filesystem::create_directories(folder_ / "src" / "folder.pbi");
  const BuildResult result = build("src/folder.pbi");
  EXPECT_FALSE(result.sourceReadable);
  const std::vector<Entry> got = entries("src/folder.veld");
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].name, "0.html");
  EXPECT_EQ(got[1].bytes, "0,1,Compilation\r\n");
}

}  // namespace
}  // namespace veld
