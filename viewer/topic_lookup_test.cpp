#include "viewer/topic_lookup.h"

#include <gtest/gtest.h>

namespace veld {
namespace {

TEST(TopicLookup, FirstTitleEqualIgnoringCase) {
  const auto lines = parseIndexText(
      "0,0,Functions\r\n"
      "1,1,MessageRequester\r\n"
      "1,1,Trailing \r\n"
      "1,2,Min, Max\r\n"
      "1,1,Twice\r\n"
      "1,1,twice\r\n"
      "1,1,\xC3\x89t\xC3\xA9\r\n"  // Été
      "0,1,\r\n"
      "0,1,Index\r\n");
  const struct {
    const char* word;
    std::int32_t index;
  } cases[] = {
      {"messagerequester", 1},
      {"MESSAGEREQUESTER", 1},
      {"Trailing", 9},  // the title keeps its trailing blank: no match, the count of lines
      {"trailing ", 2},
      {"Min", 3},       // only the part before the comma reaches the viewer
      {"Min, Max", 9},
      {"TWICE", 4},     // the lower line number wins
      {"\xC3\xA9T\xC3\x89", 6},  // éTÉ: the mapping is Unicode, not ASCII only
      {"", 7},          // the empty word finds the empty title
      {"index", 8},
      {"Message", 9},   // whole texts, not prefixes
  };
  for (const auto& c : cases) EXPECT_EQ(findTopic(lines, c.word), c.index) << c.word;
  EXPECT_EQ(findTopic({}, "Index"), 0);
}

}  // namespace
}  // namespace veld
