// The last topic of every package, "Compilation": when the package was built, by which builder,
// for which IDE version.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "builder/page_writer.h"

namespace veld {

struct LocalTime {
  int year = 0;  // four digits
  int month = 0;
  int day = 0;
  int hour = 0;  // 0-23
  int minute = 0;
  int second = 0;
};

// "dd/mm/yy hh:ii:ss", two digits each, the year modulo 100.
std::string formatBuildTime(const LocalTime& time);

// The IDE version as the page shows it: the preference file holds "521" for 5.21, so a value of
// exactly three characters gets a point after its first one; anything else stays as it is.
std::string ideVersionText(std::string_view value);

// The raw "Version" of group "Global" in the IDE's preference file; empty text when the file cannot
// be opened or has no such key.
std::string readIdeVersionValue(const std::string& preferencesPath);

// Writes the closing topic: its index line, and its page with the three lines, added to the package.
// pageNumber is the number of topics the source had.
void writeClosingTopic(PageWriter& writer, std::uint64_t pageNumber, std::string_view buildTime,
                       std::string_view ideVersion);

}  // namespace veld
