#include "viewer/index_line.h"

#include <limits>

#include "viewer/line_reading.h"

namespace veld {

std::string_view indexField(std::string_view line, int k) {
  std::size_t start = 0;
  for (int field = 1; field < k; ++field) {
    const std::size_t comma = line.find(',', start);
    if (comma == std::string_view::npos) return {};
    start = comma + 1;
  }
  const std::size_t comma = line.find(',', start);
  return line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
}

namespace {

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

}  // namespace

std::int32_t integerValue(std::string_view text) {
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
  // Accumulated with a ceiling just above the 32-bit range, so any number of digits is safe.
  constexpr std::int64_t kCeiling = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    const int d = digitValue(text[i]);
    if (d >= base) break;
    value = value * base + d;
    if (value > kCeiling) value = kCeiling;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) value = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

IndexLine parseIndexLine(std::string_view line) {
  IndexLine out;
  out.level = integerValue(indexField(line, 1));
  out.kind = std::string(indexField(line, 2));
  out.title = std::string(indexField(line, 3));
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
