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

// Field k (from 1): the text between the (k-1)-th and the k-th comma; the last field runs to the
// end of the line; a field beyond the last comma is empty.
std::string_view indexField(std::string_view line, int k);

// Integer value of a text: blanks and tabs skipped, an optional sign, then "$" and hexadecimal
// digits, "%" and binary digits, or decimal digits, up to the first other character; no digits
// give 0. Values beyond the 32-bit range are held at its ends, so a huge level stays huge.
std::int32_t integerValue(std::string_view text);

IndexLine parseIndexLine(std::string_view line);

// Every line of a topic list (line reading), one entry per line, empty lines included.
std::vector<IndexLine> parseIndexText(std::string_view bytes);

}  // namespace veld
