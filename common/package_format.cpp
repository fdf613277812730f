#include "common/package_format.h"

#include <limits>

namespace veld {

namespace {

constexpr char kHeadingStart[] = "<FONT FACE=\"Arial\" size=\"2\"><P ALIGN=\"CENTER\"><B><FONT size=\"4\">";
constexpr char kHeadingEnd[] = "</FONT></B>";
constexpr char kQuoteStandIn = static_cast<char>(0xB2);

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

}  // namespace

std::string pageEntryName(std::uint64_t pageNumber) { return std::to_string(pageNumber) + ".html"; }

std::string packagePathFor(std::string_view sourcePath) {
  const std::size_t nameStart = [&] {
    const std::size_t slash = sourcePath.find_last_of("\\/");
    return slash == std::string_view::npos ? 0 : slash + 1;
  }();
  const std::size_t dot = sourcePath.rfind('.');
  const std::size_t end = (dot != std::string_view::npos && dot >= nameStart) ? dot : sourcePath.size();
  std::string path(sourcePath.substr(0, end));
  path += kPackageExtension;
  return path;
}

std::string headingLine(std::string_view title) {
  std::string line;
  line.reserve(sizeof kHeadingStart + title.size() + sizeof kHeadingEnd);
  line += kHeadingStart;
  for (char c : title) line += (c == kQuoteStandIn) ? '"' : c;
  line += kHeadingEnd;
  return line;
}

void appendPiece(std::string& page, std::string_view text) {
  std::size_t from = 0;
  for (;;) {
    const std::size_t crlf = text.find("\r\n", from);
    if (crlf == std::string_view::npos) break;
    page.append(text, from, crlf + 2 - from);
    page += kPieceLineStart;
    from = crlf + 2;
  }
  page.append(text, from, std::string_view::npos);
  page += kLineEnd;
}

std::string pieceBytes(std::string_view text) {
  std::string out;
  appendPiece(out, text);
  return out;
}

std::string indexLine(std::uint64_t level, std::string_view kind, std::string_view title) {
  std::string line = std::to_string(level);
  line.reserve(line.size() + kind.size() + title.size() + 4);
  line += ',';
  line += kind;
  line += ',';
  line += title;
  line += kLineEnd;
  return line;
}

IndexFields splitIndexLine(std::string_view line) {
  IndexFields fields;
  std::string_view* targets[] = {&fields.level, &fields.kind, &fields.title};
  std::size_t from = 0;
  for (std::string_view* target : targets) {
    if (from > line.size()) break;  // beyond the last comma: stays empty
    const std::size_t comma = line.find(',', from);
    if (comma == std::string_view::npos) {
      *target = line.substr(from);
      from = line.size() + 1;
    } else {
      *target = line.substr(from, comma - from);
      from = comma + 1;
    }
  }
  return fields;
}

std::int32_t topicLevelValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i < text.size() && text[i] == '%') {
    base = 2;
    ++i;
  }
  // Accumulated as a magnitude with a ceiling one above INT32_MAX, so that -2147483648 reads exactly.
  constexpr std::int64_t kCeiling = static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1;
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = digitValue(text[i]);
    if (digit >= base) break;
    magnitude = magnitude * base + digit;
    if (magnitude > kCeiling) magnitude = kCeiling;
  }
  if (negative) return static_cast<std::int32_t>(-magnitude);
  return magnitude >= kCeiling ? std::numeric_limits<std::int32_t>::max() : static_cast<std::int32_t>(magnitude);
}

}  // namespace veld
