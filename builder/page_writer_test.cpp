#include "builder/page_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builder/golden_pages.h"
#include "builder/memory_build_files.h"

namespace veld {
namespace {

using testing::MemoryFiles;
using testing::MemoryPackage;

using golden::head;
using golden::kTableClose;
using golden::kTableOpen;

void kindTwo(const char* buffer, std::size_t length, HighlightCallback onToken) {
  onToken(buffer, static_cast<std::intptr_t>(length), 2);
}

struct Writing {
  MemoryFiles files;
  MemoryPackage package{files};
  ColouringBridge colours;
  BuildProblems problems;
  std::unique_ptr<OutputFile> index;
  PageWriter writer;

  explicit Writing(HighlightFunction highlight = kindTwo)
      : colours(std::move(highlight)),
        index(open(files, package)),
        writer(files, package, colours, "C:\\Temp\\", index.get(), problems) {}

  static std::unique_ptr<OutputFile> open(MemoryFiles& files, MemoryPackage& package) {
    package.create("C:\\src\\x.veld");
    return files.createFile("C:\\Temp\\index.txt");
  }
  // The page as far as written: the open page from the writer, a closed one from its file.
  std::string page(int n) const {
    const std::string path = "C:\\Temp\\" + std::to_string(n) + ".html";
    if (writer.currentPagePath() == path && !writer.currentPageBytes().empty()) return writer.currentPageBytes();
    return files.at(path);
  }
};

TEST(PageWriter, CompleteSmallPageByteForByte) {
  Writing w;
  w.writer.writeIndexLine(0, "2", "Tips");
  w.writer.startPage(0, "Tips");
  w.writer.pendingText() = " Some useful tips";
  w.writer.flushText();
  w.writer.closePage();
  const std::string& expected = golden::kSmallPage;
  EXPECT_EQ(w.page(0), expected);
  ASSERT_EQ(w.package.names(), std::vector<std::string>{"0.html"});
  EXPECT_EQ(w.package.entry("0.html"), expected);
  EXPECT_EQ(w.files.at("C:\\Temp\\index.txt"), "0,2,Tips\r\n");
  EXPECT_FALSE(w.problems.any());
}

TEST(PageWriter, FlushBlockWorkedExamplePlain) {
  Writing w;
  w.writer.startPage(0, "Usage");
  w.writer.pendingText() = " Usage :";
  w.writer.pendingCode() = "XIncludeFile #PB_Compiler_Home + \"veld\\BriskLib.pbi\"\r\nUseModule BriskLib";
  w.writer.flushBlock(false);
  EXPECT_EQ(w.page(0), head("Usage") + "<HR>\r\n Usage :\r\n" + kTableOpen +
                           "XIncludeFile #PB_Compiler_Home + \"veld\\BriskLib.pbi\"\r\n<BR>UseModule BriskLib\r\n" +
                           kTableClose);
  EXPECT_EQ(w.writer.pendingText(), "");
  EXPECT_EQ(w.writer.pendingCode(), "");
}

TEST(PageWriter, SectionsOpenWithExactlyOneRule) {
  const struct {
    const char* name;
    const char* text;
    const char* code;
    bool coloured;
    std::string section;
  } cases[] = {
      {"nothing pending", "", "", true, ""},
      {"text only", " t\r\n u", "", true, "<HR>\r\n t\r\n<BR> u\r\n"},
      {"code only, coloured", "", "a\r\nb", true,
       "<HR>\r\n" + kTableOpen + "<font color=#00AAAA>a\r\n<BR>b</font>\r\n" + kTableClose},
      {"code only, plain", "", "a < b & c", false, "<HR>\r\n" + kTableOpen + "a < b & c\r\n" + kTableClose},
      {"empty last code line", "", "a\r\n", false, "<HR>\r\n" + kTableOpen + "a\r\n<BR>\r\n" + kTableClose},
  };
  for (const auto& c : cases) {
    Writing w;
    w.writer.startPage(0, "T");
    w.writer.pendingText() = c.text;
    w.writer.pendingCode() = c.code;
    w.writer.flushBlock(c.coloured);
    EXPECT_EQ(w.page(0), head("T") + c.section) << c.name;
  }
}

TEST(PageWriter, FlushTextWithNothingPendingWritesNothing) {
  Writing w;
  w.writer.startPage(0, "T");
  w.writer.flushText();
  w.writer.pendingCode() = "kept";
  w.writer.pendingText() = " t";
  w.writer.flushText();
  EXPECT_EQ(w.page(0), head("T") + "<HR>\r\n t\r\n");
  EXPECT_EQ(w.writer.pendingCode(), "kept");  // a text flush leaves code alone
}

TEST(PageWriter, ALibraryWithoutTheExportGivesAnEmptyCodeLine) {
  Writing w{HighlightFunction()};
  w.writer.startPage(0, "T");
  w.writer.pendingCode() = "x = 1";
  w.writer.flushBlock(true);
  EXPECT_EQ(w.page(0), head("T") + "<HR>\r\n" + kTableOpen + "\r\n" + kTableClose);
}

TEST(PageWriter, TopicWithoutTextOrCodeHasFourLines) {
  Writing w;
  w.writer.startPage(5, "Empty");
  w.writer.closePage();
  EXPECT_EQ(w.page(5), head("Empty") + "</BODY></HTML>\r\n");
  EXPECT_EQ(w.package.names(), std::vector<std::string>{"5.html"});
}

TEST(PageWriter, QuoteStandInTurnsIntoAQuoteInTheHeadingOnly) {
  Writing w;
  w.writer.writeIndexLine(0, "1", "Say \xB2hi\xB2");
  w.writer.startPage(0, "Say \xB2hi\xB2");
  EXPECT_EQ(w.files.at("C:\\Temp\\index.txt"), "0,1,Say \xB2hi\xB2\r\n");
  EXPECT_EQ(w.page(0), head("Say \"hi\""));
}

TEST(PageWriter, PageLeftFromAnEarlierRunIsReplaced) {
  Writing w;
  w.files.files["C:\\Temp\\3.html"] = "stale bytes of an earlier build\r\n";
  w.writer.startPage(3, "Fresh");
  EXPECT_FALSE(w.files.exists("C:\\Temp\\3.html"));  // gone as the page starts
  w.writer.closePage();
  EXPECT_EQ(w.files.at("C:\\Temp\\3.html"), head("Fresh") + "</BODY></HTML>\r\n");
}

TEST(PageWriter, PiecesBeforeTheFirstPageGoNowhere) {
  Writing w;
  const std::size_t filesBefore = w.files.files.size();
  w.writer.writePiece("lost");
  w.writer.pendingText() = " lost";
  w.writer.pendingCode() = "lost";
  w.writer.flushBlock(true);
  w.writer.closePage();
  EXPECT_EQ(w.files.files.size(), filesBefore);
  EXPECT_TRUE(w.package.entries.empty());
  EXPECT_EQ(w.writer.pendingText(), "");
  EXPECT_EQ(w.writer.pendingCode(), "");
  EXPECT_FALSE(w.problems.any());
}

TEST(PageWriter, UnwritablePageIsReportedOnceAndLaterPagesGoOn) {
  Writing w;
  w.files.unwritable.insert("C:\\Temp\\0.html");
  w.writer.startPage(0, "A");
  w.writer.pendingText() = " a";
  w.writer.flushText();
  w.writer.closePage();
  w.writer.startPage(1, "B");
  w.writer.closePage();
  EXPECT_EQ(w.problems.count(), 1u);  // and no entry for a page whose file is not this page
  EXPECT_EQ(w.package.names(), std::vector<std::string>{"1.html"});
  EXPECT_EQ(w.page(1), head("B") + "</BODY></HTML>\r\n");
}

TEST(PageWriter, LostIndexIsReportedOnce) {
  MemoryFiles files;
  MemoryPackage package{files};
  ColouringBridge colours{kindTwo};
  BuildProblems problems;
  PageWriter writer(files, package, colours, "T\\", nullptr, problems);
  writer.writeIndexLine(0, "1", "A");
  writer.writeIndexLine(0, "1", "B");
  EXPECT_EQ(problems.count(), 1u);
}

}  // namespace
}  // namespace veld
