#include "viewer/page_search.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "common/text.h"
#include "viewer/test_package.h"

namespace veld {
namespace {

namespace fs = std::filesystem;

// The definition the matcher must agree with: the page decoded from the ANSI code page up to its
// first NUL, both texts upper-cased by the system's mapping, then a plain substring test.
bool matchesByDefinition(const std::string& page, const std::string& searchText) {
  if (page.empty() || searchText.empty()) return false;
  const std::string text = page.substr(0, page.find('\0'));
  return utf16ToUpper(ansiToUtf16(text)).find(utf16ToUpper(utf8ToUtf16(searchText))) != std::u16string::npos;
}

TEST(PageMatcher, Cases) {
  const struct {
    std::string page;
    const char* search;
    bool match;
  } cases[] = {
      {"<FONT FACE=\"Arial\">", "font", true},
      {"MessageRequester", "messagerequester", true},
      {"a b", "a ", true},
      {"ab ", "b ", true},
      {"ab", "b ", false},                       // a trailing blank must be there
      {"caf\xE9", "CAF\xC3\x89", true},          // é in the code page, É typed
      {"\x9C", "\xC5\x92", true},                // œ found by Œ
      {std::string("abc\0def", 7), "def", false},  // the text ends at the first NUL
      {std::string("abc\0def", 7), "abc", true},
      {"", "a", false},                          // an empty page matches nothing
      {"abc", "", false},
      {"abc", "abcd", false},
      {"abc", "\xE2\x82\xAC", false},            // € is byte 0x80 in the code page
      {"x\x80y", "\xE2\x82\xAC", true},
      {"aaab", "aab", true},
      {"emoji", "\xF0\x9F\x98\x80", false},      // no byte gives a surrogate
  };
  for (const auto& c : cases) {
    const PageMatcher m(c.search);
    EXPECT_EQ(m.matches(c.page.data(), c.page.size()), c.match) << c.page << " / " << c.search;
    EXPECT_EQ(matchesByDefinition(c.page, c.search), c.match) << c.page << " / " << c.search;
  }
}

// The byte-wise matcher against the definition on random pages over a small alphabet that mixes
// letters of both cases, accented letters, markup and NUL, so that matches are frequent.
TEST(PageMatcher, AgreesWithTheDefinition) {
  const std::string alphabet = std::string("aAbB<> \xE9\xC9\x9C\x8C", 11) + std::string(1, '\0');
  const std::string needleAlphabet = "aAbB<> \xC3\xA9\xC3\x89";
  std::mt19937 rng(12345);
  for (int round = 0; round < 3000; ++round) {
    std::string page(rng() % 40, ' ');
    for (char& c : page) c = alphabet[rng() % alphabet.size()];
    std::string needle;
    const int n = 1 + static_cast<int>(rng() % 4);
    for (int i = 0; i < n; ++i) {
      const std::size_t k = rng() % 9;
      needle += k < 7 ? std::string(1, needleAlphabet[k]) : needleAlphabet.substr(7 + (k - 7) * 2, 2);
    }
    const PageMatcher m(needle);
    ASSERT_EQ(m.matches(page.data(), page.size()), matchesByDefinition(page, needle))
        << testing::PrintToString(page) << " / " << testing::PrintToString(needle);
  }
}

class PageSearchTest : public testing::Test {
 protected:
  void SetUp() override {
    temp_ = testpkg::freshFolder("veld-search-temp");
    work_ = testpkg::freshFolder("veld-search-work");
    ASSERT_FALSE(temp_.empty());
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(fs::u8path(temp_), ec);
    fs::remove_all(fs::u8path(work_), ec);
  }
  std::vector<SearchHit> search(const std::string& pkg, const std::string& text) {
    PackageFiles pf(archive_, *files_, temp_);
    return searchPages(archive_, pf, pkg, text);
  }
  static std::vector<std::string> titles(const std::vector<SearchHit>& hits) {
    std::vector<std::string> out;
    for (const SearchHit& h : hits) out.push_back(h.title + "#" + std::to_string(h.index));
    return out;
  }

  std::unique_ptr<FileAccess> files_ = makeSystemFileAccess(Encoding::Utf8);
  ArchiveAccess archive_{Encoding::Utf8};
  std::string temp_, work_;
};

TEST_F(PageSearchTest, HitsInTopicListOrderUnderTheirTitles) {
  const std::string pkg = work_ + "p.veld";
  auto entries = testpkg::packageEntries({{"0,0,Intro", " Welcome"},
                                          {"1,1,OpenWindow", " opens a window"},
                                          {"1,2,Min, Max", " the window size"},
                                          {"0,1,Compilation", " 23/11/13 11:30:02"}});
  // Pages stored in reverse order: the hits still follow the topic list.
  std::reverse(entries.begin(), entries.end() - 1);
  ASSERT_TRUE(testpkg::writeZip(pkg, entries));
  EXPECT_EQ(titles(search(pkg, "WINDOW")), (std::vector<std::string>{"OpenWindow#1", "Min#2"}));
  EXPECT_EQ(titles(search(pkg, "font")).size(), 4u);  // every page holds FONT markup
  EXPECT_EQ(titles(search(pkg, "window ")), (std::vector<std::string>{"Min#2"}));
  EXPECT_EQ(titles(search(pkg, "compilation")), (std::vector<std::string>{"Compilation#3"}));  // its heading
  EXPECT_TRUE(search(pkg, "nowhere at all").empty());
  EXPECT_TRUE(search(pkg, "").empty());
  // The list was extracted into the temporary folder on the way.
  EXPECT_EQ(testpkg::readBytes(temp_ + "index.txt").substr(0, 11), "0,0,Intro\r\n");
}

TEST_F(PageSearchTest, OnlyPagesOfListedTopicsUnderTheirExactNames) {
  const std::string pkg = work_ + "p.veld";
  ASSERT_TRUE(testpkg::writeZip(pkg, {{"0.html", "needle", false},
                                      {"01.html", "needle", false},  // not the name of page 1
                                      {"2.html", "", false},         // empty page
                                      {"3.html", std::string("x\0needle", 8), false},
                                      {"4.html", "needle", false},   // line 4 does not exist
                                      {"5.HTML", "needle", false},
                                      {"index.txt", "0,0,A\r\n0,0,B\r\n0,0,C\r\n0,0,D\r\n", false}}));
  EXPECT_EQ(titles(search(pkg, "needle")), (std::vector<std::string>{"A#0"}));
}

TEST_F(PageSearchTest, DamagedPackagesGiveNoHits) {
  const std::string good = work_ + "good.veld";
  ASSERT_TRUE(testpkg::writeZip(good, {{"0.html", "needle needle", true}, {"index.txt", "0,0,A\r\n", true}}));
  std::string bytes = testpkg::readBytes(good);
  // Damage the stored page's data: its checksum fails, so it matches nothing.
  const std::size_t at = bytes.find("needle needle");
  ASSERT_NE(at, std::string::npos);
  std::string damaged = bytes;
  damaged[at] = 'N';
  ASSERT_TRUE(testpkg::writeBytes(work_ + "damaged.veld", damaged));
  EXPECT_TRUE(search(work_ + "damaged.veld", "needle").empty());
  EXPECT_EQ(search(good, "needle").size(), 1u);

  std::string truncated = bytes.substr(0, bytes.size() - 10);
  ASSERT_TRUE(testpkg::writeBytes(work_ + "truncated.veld", truncated));
  EXPECT_TRUE(search(work_ + "truncated.veld", "needle").empty());
  ASSERT_TRUE(testpkg::writeBytes(work_ + "text.veld", "needle"));
  EXPECT_TRUE(search(work_ + "text.veld", "needle").empty());
  EXPECT_TRUE(search(work_ + "missing.veld", "needle").empty());
  // The list of the good package, extracted before, is gone: nothing of it is searched.
  EXPECT_FALSE(fs::exists(fs::u8path(temp_ + "index.txt")));
}

TEST_F(PageSearchTest, LargePage) {
  const std::string pkg = work_ + "large.veld";
  std::string big(50u << 20, 'x');
  big.replace(big.size() - 6, 6, "Needle");
  ASSERT_TRUE(testpkg::writeZip(pkg, {{"0.html", big, false}, {"index.txt", "0,0,Big\r\n", false}}));
  EXPECT_EQ(titles(search(pkg, "NEEDLE")), (std::vector<std::string>{"Big#0"}));
  EXPECT_TRUE(search(pkg, "needles").empty());
}

}  // namespace
}  // namespace veld
