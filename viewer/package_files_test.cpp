#include "viewer/package_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "viewer/test_package.h"

namespace veld {
namespace {

namespace fs = std::filesystem;

TEST(PageEntryNames, OnlyTheNamesPagesAreWrittenUnder) {
  EXPECT_EQ(pageFileName(0), "0.html");
  EXPECT_EQ(pageFileName(12), "12.html");
  EXPECT_EQ(pageFileName(-1), "-1.html");
  const struct {
    const char* name;
    std::int64_t page;
  } cases[] = {{"0.html", 0},   {"10.html", 10}, {"01.html", -1},   {"1.HTML", -1},  {".html", -1},
               {"-1.html", -1}, {"1.htm", -1},   {"index.txt", -1}, {"1a.html", -1}, {"1.html.html", -1},
               {"9999999999999999999999.html", -1}};
  for (const auto& c : cases) EXPECT_EQ(pageNumberOfEntry(c.name), c.page) << c.name;
}

class PackageFilesTest : public testing::Test {
 protected:
  void SetUp() override {
    temp_ = testpkg::freshFolder("veld-pkgfiles-temp");
    work_ = testpkg::freshFolder("veld-pkgfiles-work");
    ASSERT_FALSE(temp_.empty());
    ASSERT_FALSE(work_.empty());
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(fs::u8path(temp_), ec);
    fs::remove_all(fs::u8path(work_), ec);
  }
  bool existsInTemp(const std::string& name) { return fs::exists(fs::u8path(temp_ + name)); }

  std::unique_ptr<FileAccess> files_ = makeSystemFileAccess(Encoding::Utf8);
  ArchiveAccess archive_{Encoding::Utf8};
  std::string temp_, work_;
};

TEST_F(PackageFilesTest, ExtractsTheListAndPagesIntoTheTemporaryFolder) {
  const std::string pkg = work_ + "a.veld";
  ASSERT_TRUE(testpkg::writeZip(pkg, testpkg::packageEntries({{"0,0,Intro", " hello"}, {"1,2,Tip", ""}})));
  PackageFiles pf(archive_, *files_, temp_);
  EXPECT_EQ(pf.extractIndex(pkg), temp_ + "index.txt");
  EXPECT_EQ(testpkg::readBytes(temp_ + "index.txt"), "0,0,Intro\r\n1,2,Tip\r\n");
  EXPECT_EQ(pf.extractPage(pkg, 1), temp_ + "1.html");
  EXPECT_EQ(testpkg::readBytes(temp_ + "1.html"), testpkg::page("Tip", ""));
  const auto lines = pf.readIndex(pkg);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].title, "Tip");
  EXPECT_FALSE(archive_.isOpen());  // nothing stays open between displays
}

// A package that cannot give its list or a page must not show what an earlier run left behind.
TEST_F(PackageFilesTest, OldFilesOfTheSameNameAreRemovedFirst) {
  const std::string good = work_ + "good.veld";
  ASSERT_TRUE(testpkg::writeZip(good, testpkg::packageEntries({{"0,0,Old", "old page"}})));
  const std::string noIndex = work_ + "noindex.veld";
  ASSERT_TRUE(testpkg::writeZip(noIndex, {{"0.html", "p", false}}));
  const std::string notZip = work_ + "notzip.veld";
  ASSERT_TRUE(testpkg::writeBytes(notZip, "this is no zip archive"));
  const std::string empty = work_ + "empty.veld";
  ASSERT_TRUE(testpkg::writeBytes(empty, ""));
  std::string truncated = testpkg::readBytes(good);
  truncated.resize(truncated.size() / 2);
  ASSERT_TRUE(testpkg::writeBytes(work_ + "truncated.veld", truncated));

  PackageFiles pf(archive_, *files_, temp_);
  for (const std::string& bad :
       {noIndex, notZip, empty, work_ + "truncated.veld", work_ + "missing.veld", work_}) {
    ASSERT_EQ(pf.readIndex(good).size(), 1u);
    pf.extractPage(good, 0);
    ASSERT_TRUE(existsInTemp("index.txt"));
    ASSERT_TRUE(existsInTemp("0.html"));

    EXPECT_TRUE(pf.readIndex(bad).empty()) << bad;
    EXPECT_FALSE(existsInTemp("index.txt")) << bad;
    if (bad != noIndex) {
      EXPECT_EQ(pf.extractPage(bad, 0), temp_ + "0.html");
      EXPECT_FALSE(existsInTemp("0.html")) << bad;
    }
  }
  // A package with the list but without the page: the list is there, the page file is not.
  ASSERT_EQ(pf.readIndex(good).size(), 1u);
  pf.extractPage(good, 0);
  pf.extractPage(noIndex, 5);
  EXPECT_FALSE(existsInTemp("5.html"));
  pf.extractPage(good, -1);
  EXPECT_FALSE(existsInTemp("-1.html"));
}

TEST_F(PackageFilesTest, HostileTopicListsAreReadWithoutTrouble) {
  const std::string longTitle(1 << 20, 'T');
  std::string many;
  for (int i = 0; i < 100000; ++i) many += std::to_string(i % 50) + ",1,t" + std::to_string(i) + "\r\n";
  const struct {
    const char* name;
    std::string index;
    std::size_t lines;
  } cases[] = {
      {"1 MB lines", "0,0," + longTitle + "\r\n1,1," + longTitle + "\r\n", 2},
      {"invalid UTF-8", "0,0,\xFF\xFE\xC3\r\n\xE9,\x80,\xED\xA0\x80\r\n", 2},
      {"huge and negative levels", "99999999999,0,a\r\n-99999999999,0,b\r\n$7FFFFFFF,0,c\r\n", 3},
      {"100,000 lines", many, 100000},
      {"empty list", "", 0},
      {"NUL bytes", std::string("0,0,a\0b\r\n", 9), 2},
  };
  PackageFiles pf(archive_, *files_, temp_);
  for (const auto& c : cases) {
    const std::string pkg = work_ + "hostile.veld";
    ASSERT_TRUE(testpkg::writeZip(pkg, {{"index.txt", c.index, false}}));
    EXPECT_EQ(pf.readIndex(pkg).size(), c.lines) << c.name;
  }
}

}  // namespace
}  // namespace veld
