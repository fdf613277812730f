#include "viewer/index_line.h"

#include <gtest/gtest.h>

#include <limits>

namespace veld {
namespace {

TEST(IndexLine, LevelIsTheIntegerValueOfTheFirstField) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {
      {"0", 0},        {"12", 12},        {"abc", 0},      {"$10", 16},          {"$fF", 255},
      {" 2", 2},       {"\t 3", 3},       {"-4", -4},      {"+5", 5},            {"%101", 5},
      {"%102", 2},     {"7x", 7},         {"1 2", 1},      {"", 0},              {"-", 0},
      {"$", 0},        {"$g", 0},         {"- 1", 0},      {"-$10", -16},        {"2147483647", kMax},
      {"2147483648", kMax},               {"99999999999999999999999", kMax},     {"-2147483648", kMin},
      {"-99999999999999999999", kMin},    {"$FFFFFFFFFFFF", kMax},
  };
  for (const auto& c : cases) EXPECT_EQ(parseIndexLine(std::string(c.text) + ",1,T").level, c.value) << c.text;
}

TEST(IndexLine, Fields) {
  const struct {
    const char* line;
    std::int32_t level;
    const char* kind;
    const char* title;
  } cases[] = {
      {"1,2,MessageRequester", 1, "2", "MessageRequester"},
      {"1,2,Min, Max", 1, "2", "Min"},  // a title ends at its first comma
      {"0,1,", 0, "1", ""},
      {"0,1,Tips  ", 0, "1", "Tips  "},  // trailing blanks are part of the title
      {"0,1, Tips", 0, "1", " Tips"},
      {"3", 3, "", ""},
      {"3,7", 3, "7", ""},
      {"", 0, "", ""},
      {",,", 0, "", ""},
      {"abc,0,A", 0, "0", "A"},
      {" 2, 1 ,B", 2, " 1 ", "B"},  // the kind is text: blanks stay
      {"-1,0,Neg", -1, "0", "Neg"},
  };
  for (const auto& c : cases) {
    const IndexLine l = parseIndexLine(c.line);
    EXPECT_EQ(l.level, c.level) << c.line;
    EXPECT_EQ(l.kind, c.kind) << c.line;
    EXPECT_EQ(l.title, c.title) << c.line;
  }
}

TEST(IndexLine, WholeListKeepsEveryLine) {
  const auto lines = parseIndexText("0,0,A\r\n\r\n1,1,B\r\n0,1,Compilation\r\n");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1].title, "");  // an empty line is an item too, and later items count it
  EXPECT_EQ(lines[1].level, 0);
  EXPECT_EQ(lines[3].title, "Compilation");
}

}  // namespace
}  // namespace veld
