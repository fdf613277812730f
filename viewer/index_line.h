// The fields of one line of a package's topic list as the viewer reads them: split at commas,
// field 1 the topic level (an integer value), field 2 the kind (text), field 3 the title (text with
// its blanks). Anything after a third comma is ignored, so a title with a comma ends there.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veld {

struct IndexLine {
  std::int32_t level = 0;
  std::string kind;
  std::string title;
};

// The fields by the package format's reading rules; the level is the integer value of field 1
// ("$" hexadecimal, "%" binary or decimal, held at the ends of the 32-bit range).
IndexLine parseIndexLine(std::string_view line);

// Every line of a topic list (line reading), one entry per line, empty lines included.
std::vector<IndexLine> parseIndexText(std::string_view bytes);

}  // namespace veld
