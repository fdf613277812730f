#include "viewer/topic_tree.h"

#include <algorithm>
#include <utility>

namespace veld {

std::int32_t TopicTree::append(std::int32_t level, std::string kind, std::string title) {
  TopicItem item;
  item.title = std::move(title);
  item.kind = std::move(kind);
  if (!items_.empty()) {
    const std::int32_t previousDepth = items_.back().depth;
    const std::int32_t wanted = std::max<std::int32_t>(level, 0);
    if (wanted > previousDepth) {
      item.depth = previousDepth + 1;
    } else {
      item.depth = wanted;
    }
    item.parent = item.depth == 0 ? -1 : path_[static_cast<std::size_t>(item.depth) - 1];
  }
  const auto index = static_cast<std::int32_t>(items_.size());
  path_.resize(static_cast<std::size_t>(item.depth));
  path_.push_back(index);
  items_.push_back(std::move(item));
  return index;
}

std::vector<std::int32_t> TopicTree::ancestors(std::int32_t index) const {
  std::vector<std::int32_t> chain;
  if (index < 0 || index >= size()) return chain;
  for (std::int32_t p = items_[static_cast<std::size_t>(index)].parent; p >= 0;
       p = items_[static_cast<std::size_t>(p)].parent) {
    chain.push_back(p);
  }
  std::reverse(chain.begin(), chain.end());
  return chain;
}

TopicTree buildTopicTree(const std::vector<IndexLine>& lines) {
  TopicTree tree;
  for (const IndexLine& line : lines) tree.append(line.level, line.kind, line.title);
  return tree;
}

}  // namespace veld
