#include "builder/tag_parser.h"

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
using golden::kEnd;
using golden::kTableClose;
using golden::kTableOpen;

// Colours a block as one token of kind 5, so that a coloured table is told from a plain one.
void oneToken(const char* buffer, std::size_t length, HighlightCallback onToken) {
  onToken(buffer, static_cast<std::intptr_t>(length), 5);
}
std::string coloured(const std::string& code) { return "<font color=#006666>" + code + "</font>"; }

struct Parsing {
  MemoryFiles files;
  MemoryPackage package{files};
  ColouringBridge colours{oneToken};
  BuildProblems problems;
  std::unique_ptr<OutputFile> index;
  PageWriter writer;
  TagParser parser{writer};

  Parsing()
      : index(makeIndex(files, package)),
        writer(files, package, colours, "T\\", index.get(), problems) {}

  static std::unique_ptr<OutputFile> makeIndex(MemoryFiles& files, MemoryPackage& package) {
    package.create("P.veld");
    return files.createFile("T\\index.txt");
  }

  void lines(const std::vector<std::string>& source) {
    for (const std::string& line : source) parser.parseLine(line);
  }
  std::string indexText() const { return files.at("T\\index.txt"); }
  // The page as far as written: the open page from the writer, a closed one from its file.
  std::string page(int n) const {
    const std::string path = "T\\" + std::to_string(n) + ".html";
    if (writer.currentPagePath() == path && !writer.currentPageBytes().empty()) return writer.currentPageBytes();
    return files.at(path);
  }
};

TEST(MatchesTag, ComparesIgnoringCaseByEachTest) {
  const struct {
    const char* line;
    const char* tag;
    TagTest test;
    bool matches;
  } cases[] = {
      {"PROCEDURE x", "Procedure", TagTest::StartsWith, true},
      {"procedure x", "Procedure", TagTest::StartsWith, true},
      {"Proc", "Procedure", TagTest::StartsWith, false},
      {"x ;+++", ";+++", TagTest::EndsWith, true},
      {"x ;+++ ", ";+++", TagTest::EndsWith, false},
      {";+", ";+++", TagTest::EndsWith, false},
      {"a EndProcedure b", "endprocedure", TagTest::Contains, true},
      {"a End Procedure", "endprocedure", TagTest::Contains, false},
      {";&&&", ";&&&", TagTest::Equals, true},
      {";&&& ", ";&&&", TagTest::Equals, false},
      {"\xC0ND", "\xE0nd", TagTest::Equals, true},  // the ANSI mapping reaches beyond ASCII
      {"", "", TagTest::StartsWith, true},
  };
  for (const auto& c : cases) EXPECT_EQ(matchesTag(c.line, c.tag, c.test), c.matches) << c.line << " / " << c.tag;
}

TEST(TextBetween, FindsTheCloserAfterTheOpener) {
  const struct {
    const char* text;
    const char* opener;
    const char* closer;
    const char* between;
  } cases[] = {
      {";&&&1 Index", ";&&&", " ", "1"},
      {";&&& Loose", ";&&&", " ", ""},
      {";&&&1Index", ";&&&", " ", ""},
      {"x;&&&12 Deep", ";&&&", " ", "12"},
      {"a b;&&&7 c", ";&&&", " ", "7"},        // a closer before the opener does not count
      {"abc", ";&&&", " ", ""},
      {"[a]b]", "[", "]", "a"},
      {";&&&X x", ";&&&", "x", "X "},          // case-sensitive
  };
  for (const auto& c : cases) EXPECT_EQ(textBetween(c.text, c.opener, c.closer), c.between) << c.text;
}

TEST(TagParser, TopicLineGivesKindAndTitle) {
  const struct {
    const char* line;
    const char* indexLine;
  } cases[] = {
      {";&&&1 Index", "0,1,Index\r\n"},
      {";&&&12 Deep", "0,12,Deep\r\n"},
      {";&&& Loose", "0,,Loose\r\n"},
      {";&&&1Index", "0,,;&&&1Index\r\n"},
      {";&&&1  Padded", "0,1, Padded\r\n"},
      {";&&&2 Tips  ", "0,2,Tips  \r\n"},
      {"   ;&&&0 Indented", "0,0,Indented\r\n"},
      {";&&&", "0,,;&&&\r\n"},
      {";&&&1 ", "0,1,\r\n"},
      {";&&&7 Min, Max", "0,7,Min, Max\r\n"},
  };
  for (const auto& c : cases) {
    Parsing p;
    p.lines({c.line});
    EXPECT_EQ(p.indexText(), c.indexLine) << c.line;
    EXPECT_EQ(p.parser.topicCounter(), 1u);
  }
}

TEST(TagParser, TitleIsCutAt65535Characters) {
  Parsing p;
  p.lines({";&&&1 " + std::string(70000, 'x'), ";&&&1" + std::string(70000, 'y')});
  EXPECT_EQ(p.indexText(), "0,1," + std::string(65535, 'x') + "\r\n0,," + (";&&&1" + std::string(65530, 'y')) + "\r\n");
}

TEST(TagParser, TagsAreRecognisedAfterBlanksButNotAfterTabs) {
  Parsing p;
  p.lines({"\t;&&&1 Tabbed", "  ;&&&1 Blanked", "\t;///tabbed text", " ;/// blanked text"});
  EXPECT_EQ(p.indexText(), "0,1,Blanked\r\n");
  EXPECT_EQ(p.writer.pendingText(), " blanked text");
}

TEST(TagParser, LevelRisesWithoutLimitAndStopsAtZero) {
  Parsing p;
  p.lines({";<<<", ";&&&0 A", ";>>>", ";>>>", ";>>>", ";&&&1 B", ";<<<", ";&&&1 C", ";<<<", ";<<<", ";<<<", ";<<<",
           ";&&&1 D"});
  EXPECT_EQ(p.indexText(), "0,0,A\r\n3,1,B\r\n2,1,C\r\n0,1,D\r\n");
}

// Each source line of the worked example and what it leaves behind.
TEST(TagParser, WorkedExampleRowByRow) {
  Parsing p;
  const std::string page0 = head("Tips") + "<HR>\r\n Some useful tips\r\n" + kEnd;
  const std::string page1 = head("MessageRequester") + "<HR>\r\n Constants avalaible for MessageRequester :\r\n" + kEnd;

  p.parser.parseLine(";&&&0 Tips");
  EXPECT_EQ(p.indexText(), "0,0,Tips\r\n");
  EXPECT_EQ(p.page(0), head("Tips"));
  EXPECT_EQ(p.parser.topicCounter(), 1u);

  p.parser.parseLine(";/// Some useful tips");
  EXPECT_EQ(p.writer.pendingText(), " Some useful tips");

  p.parser.parseLine(";>>>");
  EXPECT_EQ(p.parser.currentLevel(), 1u);

  p.parser.parseLine(";&&&2 MessageRequester");
  EXPECT_EQ(p.page(0), page0);
  ASSERT_EQ(p.package.names(), std::vector<std::string>{"0.html"});
  EXPECT_EQ(p.package.entry("0.html"), page0);
  EXPECT_EQ(p.indexText(), "0,0,Tips\r\n1,2,MessageRequester\r\n");
  EXPECT_EQ(p.page(1), head("MessageRequester"));
  EXPECT_EQ(p.writer.pendingText(), "");

  p.parser.parseLine(";/// Constants avalaible for MessageRequester :");
  EXPECT_EQ(p.writer.pendingText(), " Constants avalaible for MessageRequester :");

  p.parser.parseLine(";<<<");
  EXPECT_EQ(p.parser.currentLevel(), 0u);

  p.parser.parseLine(";&&&1 StringToOemm");
  EXPECT_EQ(p.package.entry("1.html"), page1);
  EXPECT_EQ(p.indexText(), "0,0,Tips\r\n1,2,MessageRequester\r\n0,1,StringToOemm\r\n");
  EXPECT_EQ(p.page(2), head("StringToOemm"));

  p.parser.parseLine("Procedure StringToOemm(StringAddress) ;+++");
  EXPECT_EQ(p.parser.indentationWidth(), 0u);
  EXPECT_EQ(p.parser.captureMode(), CaptureMode::PROCEDURE);
  EXPECT_EQ(p.writer.pendingCode(), "Procedure StringToOemm(StringAddress) ");

  p.parser.parseLine("  ;/// Translates a string into the OEM-defined character set.");
  EXPECT_EQ(p.writer.pendingText(), " Translates a string into the OEM-defined character set.");
  EXPECT_EQ(p.writer.pendingCode(), "Procedure StringToOemm(StringAddress) ");

  p.parser.parseLine("  CharToOem_(StringAddress,StringAddress)");
  EXPECT_EQ(p.writer.pendingCode(), "Procedure StringToOemm(StringAddress) \r\n  CharToOem_(StringAddress,StringAddress)");

  p.parser.parseLine("EndProcedure");
  EXPECT_EQ(p.parser.captureMode(), CaptureMode::Empty);
  EXPECT_EQ(p.writer.pendingText(), "");
  EXPECT_EQ(p.writer.pendingCode(), "");
  EXPECT_EQ(p.page(2), head("StringToOemm") + "<HR>\r\n Translates a string into the OEM-defined character set.\r\n" +
                           kTableOpen +
                           coloured("Procedure StringToOemm(StringAddress) \r\n<BR>  CharToOem_(StringAddress,"
                                    "StringAddress)\r\n<BR>EndProcedure") +
                           "\r\n" + kTableClose);
  EXPECT_EQ(p.package.names(), (std::vector<std::string>{"0.html", "1.html"}));
}

TEST(TagParser, CaptureStateTable) {
  struct Row {
    const char* name;
    std::vector<std::string> lines;
    CaptureMode mode;
    const char* pendingText;
    const char* pendingCode;
    const char* pageAfterHead;  // what the last topic's page holds after its head
  };
  const Row rows[] = {
      {"procedure opens, text before it flushed",
       {";&&&1 T", ";/// before", "Procedure a() ;+++"},
       CaptureMode::PROCEDURE, "", "Procedure a() ", "<HR>\r\n before\r\n"},
      {"block opens, text before it flushed",
       {";&&&1 T", ";/// before", ";{+++"},
       CaptureMode::FOLDING, "", "", "<HR>\r\n before\r\n"},
      {"EndProcedure flushes text and code, coloured",
       {";&&&1 T", "Procedure a() ;+++", ";/// inside", "EndProcedure"},
       CaptureMode::Empty, "", "",
       "<HR>\r\n inside\r\n<TABLE>\r\n<font color=#006666>Procedure a() \r\n<BR>EndProcedure</font>\r\n</TABLE>\r\n"},
      {"block tag inside a procedure: code line first, then text flushed, code kept",
       {";&&&1 T", "Procedure a() ;+++", ";/// inside", ";{+++"},
       CaptureMode::FOLDING, "", "Procedure a() \r\n;{+++", "<HR>\r\n inside\r\n"},
      {"second procedure opening line inside a procedure",
       {";&&&1 T", "Procedure a() ;+++", ";/// t", "    Procedure b() ;+++", "      x"},
       CaptureMode::PROCEDURE, "", "Procedure a() \r\nProcedure b() \r\n  x", "<HR>\r\n t\r\n"},
      {"block end flushes coloured",
       {";&&&1 T", ";{+++", "; a", ";/// t", ";}"},
       CaptureMode::Empty, "", "", "<HR>\r\n t\r\n<TABLE>\r\n<font color=#006666>a</font>\r\n</TABLE>\r\n"},
      {"block end with a star flushes plain",
       {";&&&1 T", ";{+++", "; a < b", ";}*"},
       CaptureMode::Empty, "", "", "<HR>\r\n<TABLE>\r\na < b\r\n</TABLE>\r\n"},
      {"block end with the star later is coloured",
       {";&&&1 T", ";{+++", "; a", ";} *"},
       CaptureMode::Empty, "", "", "<HR>\r\n<TABLE>\r\n<font color=#006666>a</font>\r\n</TABLE>\r\n"},
      {"procedure opening line inside a block",
       {";&&&1 T", ";{+++", "; a", ";/// t", "Procedure b() ;+++"},
       CaptureMode::PROCEDURE, "", "a\r\nProcedure b() ", "<HR>\r\n t\r\n"},
      {"topic inside a procedure: code dropped, the tag line starts the new code",
       {";&&&1 T0", "Procedure a() ;+++", "  x", ";&&&1 T"},
       CaptureMode::PROCEDURE, "", ";&&&1 T", ""},
      {"topic inside a block: the tag line loses two characters",
       {";&&&1 T0", ";{+++", "; a", ";&&&1 T"},
       CaptureMode::FOLDING, "", "&&1 T", ""},
      {"block end inside a procedure is code",
       {";&&&1 T", "Procedure a() ;+++", ";}"},
       CaptureMode::PROCEDURE, "", "Procedure a() \r\n;}", ""},
      {"EndProcedure inside a block is code",
       {";&&&1 T", ";{+++", "EndProcedure"},
       CaptureMode::FOLDING, "", "dProcedure", ""},
      {"block end and EndProcedure outside captures do nothing",
       {";&&&1 T", ";/// t", ";}", "EndProcedure"},
       CaptureMode::Empty, " t", "", ""},
      {"comment and plain lines in a block lose two characters",
       {";&&&1 T", ";{+++", "; note", "x = 1", "  ;   indented", ";", ";}*"},
       CaptureMode::Empty, "", "", "<HR>\r\n<TABLE>\r\nnote\r\n<BR>= 1\r\n<BR>  indented\r\n<BR>\r\n</TABLE>\r\n"},
      {"empty first lines of a block show nothing, a block of empty lines has no table",
       {";&&&1 T", ";{+++", ";", "; ", ";}", ";{+++", ";", "; x", ";}*"},
       CaptureMode::Empty, "", "", "<HR>\r\n<TABLE>\r\nx\r\n</TABLE>\r\n"},
      {"a bare text tag first leaves the text empty, later it is an empty line",
       {";&&&1 T", ";///", ";/// a", ";///", ";/// b"},
       CaptureMode::Empty, " a\r\n\r\n b", "", ""},
      {"lines less indented than the procedure lose their own characters",
       {";&&&1 T", "    Procedure a() ;+++", "  x = 1", "EndProcedure"},
       CaptureMode::Empty, "", "",
       "<HR>\r\n<TABLE>\r\n<font color=#006666>Procedure a() \r\n<BR>= 1\r\n<BR>rocedure</font>\r\n</TABLE>\r\n"},
      {"lower-case procedure opens, blank after the tag does not",
       {";&&&1 T", "  procedure f() ;+++", "EndProcedure", "Procedure g() ;+++ ", "EndProcedure"},
       CaptureMode::Empty, "", "",
       "<HR>\r\n<TABLE>\r\n<font color=#006666>procedure f() \r\n<BR>dProcedure</font>\r\n</TABLE>\r\n"},
      {"ProcedureDLL opens a capture",
       {";&&&1 T", "ProcedureDLL f() ;+++"},
       CaptureMode::PROCEDURE, "", "ProcedureDLL f() ", ""},
      {"text and code before the first topic are lost",
       {";/// lost", ";{+++", "; lost", ";}", ";&&&1 T"},
       CaptureMode::Empty, "", "", ""},
  };
  for (const Row& row : rows) {
    Parsing p;
    p.lines(row.lines);
    EXPECT_EQ(p.parser.captureMode(), row.mode) << row.name;
    EXPECT_EQ(p.writer.pendingText(), row.pendingText) << row.name;
    EXPECT_EQ(p.writer.pendingCode(), row.pendingCode) << row.name;
    std::string page = p.page(static_cast<int>(p.parser.topicCounter()) - 1);
    // Shorten the fixed lines so that the rows stay readable.
    for (const auto& [from, to] : {std::pair<std::string, std::string>{kTableOpen, "<TABLE>\r\n"},
                                   std::pair<std::string, std::string>{kTableClose, "</TABLE>\r\n"}}) {
      for (std::size_t at; (at = page.find(from)) != std::string::npos;) page.replace(at, from.size(), to);
    }
    const std::string pageHead = head("T");  // every row's last topic
    ASSERT_EQ(page.compare(0, pageHead.size(), pageHead), 0) << row.name << "\n" << page;
    EXPECT_EQ(page.substr(pageHead.size()), row.pageAfterHead) << row.name;
  }
}

TEST(TagParser, TextInsideACaptureJoinsTheSectionOfTheCode) {
  Parsing p;
  p.lines({";&&&1 T", ";/// one", ";{+++", ";/// two", ";/// three", "; code", ";}*", ";/// after"});
  EXPECT_EQ(p.page(0), head("T") + "<HR>\r\n one\r\n<HR>\r\n two\r\n<BR> three\r\n" + kTableOpen + "code\r\n" +
                           kTableClose);
  EXPECT_EQ(p.writer.pendingText(), " after");
}

TEST(TagParser, AnOpenCaptureContinuesIntoTheNextTopics) {
  Parsing p;
  p.lines({";&&&1 A", ";{+++", "; a", ";&&&1 B", "; b", ";}*"});
  EXPECT_EQ(p.page(1), head("B") + "<HR>\r\n" + kTableOpen + "&&1 B\r\n<BR>b\r\n" + kTableClose);
}

}  // namespace
}  // namespace veld
