// Finding a topic by its title: the first line whose title equals the word, both lower-cased by the
// system's Unicode mapping, whole texts compared (blanks included).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "viewer/index_line.h"

namespace veld {

inline constexpr char kFallbackTopic[] = "Index";

// The index of the first matching line, or the number of lines when none matches.
std::int32_t findTopic(const std::vector<IndexLine>& lines, std::string_view word);

}  // namespace veld
