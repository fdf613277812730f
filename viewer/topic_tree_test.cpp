#include "viewer/topic_tree.h"

#include <gtest/gtest.h>

#include <limits>

namespace veld {
namespace {

struct Placed {
  std::int32_t parent;
  std::int32_t depth;
  bool operator==(const Placed& o) const { return parent == o.parent && depth == o.depth; }
};

std::vector<Placed> place(const std::vector<std::int32_t>& levels) {
  TopicTree tree;
  for (std::int32_t level : levels) tree.append(level, "1", "t");
  std::vector<Placed> out;
  for (const TopicItem& item : tree.items()) out.push_back({item.parent, item.depth});
  return out;
}

void PrintTo(const Placed& p, std::ostream* os) { *os << "{parent " << p.parent << ", depth " << p.depth << "}"; }

TEST(TopicTree, DepthRule) {
  constexpr std::int32_t kHuge = std::numeric_limits<std::int32_t>::max();
  const struct {
    std::vector<std::int32_t> levels;
    std::vector<Placed> placed;
  } cases[] = {
      // A with children B and D; C under B although its level is 3; E at the top after A.
      {{0, 1, 3, 1, 0}, {{-1, 0}, {0, 1}, {1, 2}, {0, 1}, {-1, 0}}},
      {{2}, {{-1, 0}}},                                // the first item is at the top whatever its level
      {{2, 2, 0}, {{-1, 0}, {0, 1}, {-1, 0}}},         // the second 2 is deeper than the top item
      {{0, 5, 5, 5}, {{-1, 0}, {0, 1}, {1, 2}, {2, 3}}},  // each rise is one step
      {{0, 1, 2, 3, 1}, {{-1, 0}, {0, 1}, {1, 2}, {2, 3}, {0, 1}}},
      {{0, 1, 2, 3, 2}, {{-1, 0}, {0, 1}, {1, 2}, {2, 3}, {1, 2}}},
      {{0, 1, -1, 1}, {{-1, 0}, {0, 1}, {-1, 0}, {2, 1}}},  // a negative level counts as 0
      {{0, kHuge, kHuge, 0}, {{-1, 0}, {0, 1}, {1, 2}, {-1, 0}}},
      {{0, 1, std::numeric_limits<std::int32_t>::min()}, {{-1, 0}, {0, 1}, {-1, 0}}},
  };
  for (const auto& c : cases) EXPECT_EQ(place(c.levels), c.placed) << testing::PrintToString(c.levels);
}

TEST(TopicTree, BuiltFromTopicListKeepsTitlesKindsAndAncestors) {
  const TopicTree tree = buildTopicTree(parseIndexText("0,0,A\r\n1,1,B\r\n3,2,C\r\n0,7,Compilation\r\n"));
  ASSERT_EQ(tree.size(), 4);
  EXPECT_EQ(tree.items()[2].title, "C");
  EXPECT_EQ(tree.items()[2].kind, "2");
  EXPECT_EQ(tree.ancestors(2), (std::vector<std::int32_t>{0, 1}));
  EXPECT_TRUE(tree.ancestors(0).empty());
  EXPECT_TRUE(tree.ancestors(-1).empty());
  EXPECT_TRUE(tree.ancestors(4).empty());
}

TEST(TopicTree, DeepChainOfManyLines) {
  TopicTree tree;
  for (std::int32_t i = 0; i < 100000; ++i) tree.append(i, "0", "x");
  EXPECT_EQ(tree.items().back().depth, 99999);
  EXPECT_EQ(tree.ancestors(99999).size(), 99999u);
  tree.append(0, "0", "top");
  EXPECT_EQ(tree.items().back().parent, -1);
}

}  // namespace
}  // namespace veld
