#include "viewer/line_reading.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veld {
namespace {

std::vector<std::string> linesOf(const std::string& bytes) {
  std::vector<std::string> lines;
  LineReader reader(bytes);
  std::string line;
  while (reader.next(line)) lines.push_back(line);
  return lines;
}

TEST(LineReading, LineEndsAndTheEndOfText) {
  struct Case {
    std::string bytes;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},                      // no empty line after the last line end
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\rb", {"a", "b"}},                  // CR alone ends a line
      {"a\r\rb", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},            // LF CR is two line ends
      {"a\r\r\nb", {"a", "", "b"}},
      {std::string("a\0b", 3), {"a", "b"}},  // NUL ends a line too
      {std::string("\0\0", 2), {"", ""}},
      {"\r\n\r\n", {"", ""}},
      {"  x  \r\n", {"  x  "}},              // blanks stay
  };
  for (const Case& c : cases) EXPECT_EQ(linesOf(c.bytes), c.lines) << testing::PrintToString(c.bytes);
}

TEST(LineReading, DecodesUtf8AndReplacesMalformedBytes) {
  EXPECT_EQ(linesOf("caf\xC3\xA9"), std::vector<std::string>{"caf\xC3\xA9"});
  EXPECT_EQ(linesOf("\xEF\xBB\xBFx"), std::vector<std::string>{"\xEF\xBB\xBFx"});  // a BOM is a character
  // A single ANSI byte is no UTF-8: it becomes U+FFFD, never the letter it stands for there.
  EXPECT_EQ(linesOf("caf\xE9\r\n"), std::vector<std::string>{"caf\xEF\xBF\xBD"});
  EXPECT_EQ(validUtf8("\xC3"), "\xEF\xBF\xBD");
}

TEST(LineReading, LongLinesAndManyLines) {
  const std::string longLine(1 << 20, 'x');
  EXPECT_EQ(linesOf(longLine + "\r\n" + longLine), (std::vector<std::string>{longLine, longLine}));
  std::string many;
  for (int i = 0; i < 100000; ++i) many += "\n";
  EXPECT_EQ(linesOf(many).size(), 100000u);
}

}  // namespace
}  // namespace veld
