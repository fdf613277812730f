// The topic tree as a model: items appended in topic-list order and placed by the depth rule. The
// window's tree view mirrors it item for item, so an item's index is its line in the topic list and
// the number of its page.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "viewer/index_line.h"

namespace veld {

struct TopicItem {
  std::string title;
  std::string kind;
  std::int32_t parent = -1;  // item index of the parent; -1 at the top
  std::int32_t depth = 0;    // 0 at the top
};

class TopicTree {
 public:
  // Appends an item at topic level `level` (depth rule):
  // - the first item goes to the top, whatever its level;
  // - a level equal to the previous item's depth makes the next sibling;
  // - a greater level makes the previous item's first child, however much greater it is;
  // - a smaller level places the item at that depth after the subtree of the previous item's
  //   ancestor there. A negative level counts as 0.
  // Returns the new item's index.
  std::int32_t append(std::int32_t level, std::string kind, std::string title);

  const std::vector<TopicItem>& items() const { return items_; }
  std::int32_t size() const { return static_cast<std::int32_t>(items_.size()); }

  // The item indexes from the top-level ancestor of `index` down to its parent (empty for a
  // top-level item or an index that names no item).
  std::vector<std::int32_t> ancestors(std::int32_t index) const;

 private:
  std::vector<TopicItem> items_;
  std::vector<std::int32_t> path_;  // path_[d]: the last item's ancestor at depth d, itself last
};

// The tree of a whole topic list.
TopicTree buildTopicTree(const std::vector<IndexLine>& lines);

}  // namespace veld
