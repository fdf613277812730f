#include "common/package_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace veld {
namespace {

TEST(PackageFormat, PageEntryNamesAreDecimalWithoutLeadingZeros) {
  EXPECT_EQ(pageEntryName(0), "0.html");
  EXPECT_EQ(pageEntryName(10), "10.html");
  EXPECT_EQ(pageEntryName(100000), "100000.html");
}

TEST(PackageFormat, PackagePathReplacesTheExtensionOfTheFileNameOnly) {
  const struct {
    const char* source;
    const char* package;
  } cases[] = {
      {"C:\\src\\example.pbi", "C:\\src\\example.veld"},
      {"C:\\src\\my.module.pbi", "C:\\src\\my.module.veld"},
      {"C:\\my.dir\\module", "C:\\my.dir\\module.veld"},  // a dot in the folder is not the extension
      {"/home/u/x.pbi", "/home/u/x.veld"},
      {"x.pbi", "x.veld"},
  };
  for (const auto& c : cases) EXPECT_EQ(packagePathFor(c.source), c.package) << c.source;
}

TEST(PackageFormat, HeadingLineTurnsTheQuoteStandInIntoAQuote) {
  EXPECT_EQ(headingLine("Tips"), "<FONT FACE=\"Arial\" size=\"2\"><P ALIGN=\"CENTER\"><B><FONT size=\"4\">Tips</FONT></B>");
  EXPECT_EQ(headingLine(""), "<FONT FACE=\"Arial\" size=\"2\"><P ALIGN=\"CENTER\"><B><FONT size=\"4\"></FONT></B>");
  EXPECT_EQ(headingLine("a\xB2q\xB2"),
            "<FONT FACE=\"Arial\" size=\"2\"><P ALIGN=\"CENTER\"><B><FONT size=\"4\">a\"q\"</FONT></B>");
}

TEST(PackageFormat, PieceBreaksEveryInnerLineAndEndsWithOneLineEnd) {
  const struct {
    std::string text;
    std::string bytes;
  } cases[] = {
      {"", "\r\n"},
      {" one", " one\r\n"},
      {"a\r\nb", "a\r\n<BR>b\r\n"},
      {"a\r\n", "a\r\n<BR>\r\n"},                 // an empty last line
      {"\r\n\r\n", "\r\n<BR>\r\n<BR>\r\n"},
      {"a\rb\nc", "a\rb\nc\r\n"},                 // lone CR or LF are not line ends of a piece
      {"<font color=#0000FF>\r\n</font>", "<font color=#0000FF>\r\n<BR></font>\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(pieceBytes(c.text), c.bytes);
}

TEST(PackageFormat, IndexLineIsWrittenWithoutEscaping) {
  EXPECT_EQ(indexLine(1, "2", "MessageRequester"), "1,2,MessageRequester\r\n");
  EXPECT_EQ(indexLine(0, "", ""), "0,,\r\n");
  EXPECT_EQ(indexLine(3, "7", "Min, Max  "), "3,7,Min, Max  \r\n");
  EXPECT_EQ(indexLine(0, kClosingTopicKind, kClosingTopicTitle), "0,1,Compilation\r\n");
}

TEST(PackageFormat, IndexLineSplitsIntoThreeFieldsAtCommas) {
  const struct {
    const char* line;
    const char* level;
    const char* kind;
    const char* title;
  } cases[] = {
      {"1,2,MessageRequester", "1", "2", "MessageRequester"},
      {"1,2,Min, Max", "1", "2", "Min"},  // a comma in a title ends it for readers
      {"0,,", "0", "", ""},
      {"0,1", "0", "1", ""},
      {"", "", "", ""},
      {"5", "5", "", ""},
      {" 2,1,  Padded  ", " 2", "1", "  Padded  "},
      {"0,1,a,b,c", "0", "1", "a"},
  };
  for (const auto& c : cases) {
    const IndexFields f = splitIndexLine(c.line);
    EXPECT_EQ(f.level, c.level) << c.line;
    EXPECT_EQ(f.kind, c.kind) << c.line;
    EXPECT_EQ(f.title, c.title) << c.line;
  }
}

TEST(PackageFormat, LevelFieldReadsAsAnInteger) {
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {
      {"0", 0},      {"3", 3},          {"abc", 0},       {"$10", 16},    {"$fF", 255},   {" 2", 2},
      {"\t+4", 4},   {"-1", -1},        {"%101", 5},      {"%2", 0},      {"12x", 12},    {"", 0},
      {"$", 0},      {"99999999999", 2147483647},         {"-2147483648", -2147483647 - 1},
      {"-99999999999", -2147483647 - 1},
  };
  for (const auto& c : cases) EXPECT_EQ(topicLevelValue(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace veld
