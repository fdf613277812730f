#include "viewer/topic_lookup.h"

#include "common/text.h"

namespace veld {

std::int32_t findTopic(const std::vector<IndexLine>& lines, std::string_view word) {
  const std::u16string wanted = utf16ToLower(utf8ToUtf16(word));
  std::int32_t i = 0;
  for (const IndexLine& line : lines) {
    const std::u16string title = utf8ToUtf16(line.title);
    // The mapping keeps the length, so only titles of the same length need mapping.
    if (title.size() == wanted.size() && utf16ToLower(title) == wanted) return i;
    ++i;
  }
  return i;
}

}  // namespace veld
