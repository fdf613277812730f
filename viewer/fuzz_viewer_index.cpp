// Any bytes as a package's topic list: read by line and field, placed by the depth rule, and looked
// up by a word taken from the input. Nothing may crash, and the tree must stay well formed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "viewer/index_line.h"
#include "viewer/topic_lookup.h"
#include "viewer/topic_tree.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<veld::IndexLine> lines = veld::parseIndexText(bytes);
  const veld::TopicTree tree = veld::buildTopicTree(lines);
  for (std::int32_t i = 0; i < tree.size(); ++i) {
    const veld::TopicItem& item = tree.items()[static_cast<std::size_t>(i)];
    // A parent comes before its child and is exactly one level up.
    if (item.parent >= i) std::abort();
    const std::int32_t parentDepth = item.parent < 0 ? -1 : tree.items()[static_cast<std::size_t>(item.parent)].depth;
    if (item.depth != parentDepth + 1) std::abort();
  }
  const std::string_view word = bytes.substr(0, std::min<std::size_t>(bytes.size(), 16));
  const std::int32_t found = veld::findTopic(lines, word);
  if (found < 0 || static_cast<std::size_t>(found) > lines.size()) std::abort();
  return 0;
}
