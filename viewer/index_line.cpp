#include "viewer/index_line.h"

#include "common/package_format.h"
#include "viewer/line_reading.h"

namespace veld {

IndexLine parseIndexLine(std::string_view line) {
  const IndexFields fields = splitIndexLine(line);
  IndexLine out;
  out.level = topicLevelValue(fields.level);
  out.kind = std::string(fields.kind);
  out.title = std::string(fields.title);
  return out;
}

std::vector<IndexLine> parseIndexText(std::string_view bytes) {
  std::vector<IndexLine> lines;
  LineReader reader(bytes);
  std::string line;
  while (reader.next(line)) lines.push_back(parseIndexLine(line));
  return lines;
}

}  // namespace veld
