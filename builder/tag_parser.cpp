#include "builder/tag_parser.h"

#include <array>

#include "common/text.h"

namespace veld {

namespace {

constexpr std::string_view kTopicTag = ";&&&";
constexpr std::string_view kDeeperTag = ";>>>";
constexpr std::string_view kHigherTag = ";<<<";
constexpr std::string_view kTextTag = ";///";
constexpr std::string_view kProcedureStart = "Procedure";
constexpr std::string_view kProcedureTag = ";+++";
constexpr std::string_view kProcedureEnd = "EndProcedure";
constexpr std::string_view kBlockTag = ";{+++";
constexpr std::string_view kBlockEnd = ";}";

bool startsWith(std::string_view line, std::string_view tag) { return matchesTag(line, tag, TagTest::StartsWith); }

// The system's ANSI lower-case mapping maps each byte on its own, so it is taken once for all 256
// bytes: every line goes through several tag tests.
const std::array<char, 256>& lowerCaseTable() {
  static const std::array<char, 256> table = [] {
    std::string bytes(256, '\0');
    for (int b = 0; b < 256; ++b) bytes[static_cast<std::size_t>(b)] = static_cast<char>(b);
    const std::string lower = ansiToLower(bytes);
    std::array<char, 256> result{};
    for (std::size_t b = 0; b < 256; ++b) result[b] = b < lower.size() ? lower[b] : static_cast<char>(b);
    return result;
  }();
  return table;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  const std::array<char, 256>& lower = lowerCaseTable();
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower[static_cast<unsigned char>(a[i])] != lower[static_cast<unsigned char>(b[i])]) return false;
  }
  return true;
}

}  // namespace

bool matchesTag(std::string_view line, std::string_view tag, TagTest test) {
  switch (test) {
    case TagTest::StartsWith:
      return line.size() >= tag.size() && equalIgnoringCase(line.substr(0, tag.size()), tag);
    case TagTest::EndsWith:
      return line.size() >= tag.size() && equalIgnoringCase(line.substr(line.size() - tag.size()), tag);
    case TagTest::Contains:
      for (std::size_t at = 0; at + tag.size() <= line.size(); ++at) {
        if (equalIgnoringCase(line.substr(at, tag.size()), tag)) return true;
      }
      return false;
    case TagTest::Equals:
      return equalIgnoringCase(line, tag);
  }
  return false;
}

std::string_view textBetween(std::string_view text, std::string_view opener, std::string_view closer) {
  const std::size_t open = text.find(opener);
  if (open == std::string_view::npos) return {};
  const std::size_t from = open + opener.size();
  const std::size_t close = text.find(closer, from);
  if (close == std::string_view::npos) return {};
  return text.substr(from, close - from);
}

void TagParser::parseLine(std::string_view rawLine) {
  const std::size_t firstNonBlank = rawLine.find_first_not_of(' ');
  const std::string_view trimmed =
      firstNonBlank == std::string_view::npos ? std::string_view() : rawLine.substr(firstNonBlank);
  std::string_view line = rawLine;  // test 5 cuts the procedure tag off for test 6

  // 1
  if (startsWith(trimmed, kTopicTag)) startTopic(trimmed);
  // 2
  if (startsWith(trimmed, kDeeperTag)) ++currentLevel_;
  // 3
  if (startsWith(trimmed, kHigherTag) && currentLevel_ > 0) --currentLevel_;
  // 4
  if (startsWith(trimmed, kTextTag)) {
    std::string& text = writer_.pendingText();
    if (!text.empty()) text += "\r\n";
    text += trimmed.substr(kTextTag.size());
  }
  // 5
  if (startsWith(trimmed, kProcedureStart) && matchesTag(trimmed, kProcedureTag, TagTest::EndsWith)) {
    indentationWidth_ = rawLine.size() - trimmed.size();
    line = line.substr(0, line.size() - kProcedureTag.size());
    writer_.flushText();
    captureMode_ = CaptureMode::PROCEDURE;
  }
  // 6
  if (captureMode_ == CaptureMode::PROCEDURE && !startsWith(trimmed, kTextTag)) {
    appendCodeLine(line.size() > indentationWidth_ ? line.substr(indentationWidth_) : std::string_view());
  }
  // 7
  if (startsWith(trimmed, kProcedureEnd) && captureMode_ == CaptureMode::PROCEDURE) {
    captureMode_ = CaptureMode::Empty;
    writer_.flushBlock(true);
  }
  // 8
  if (startsWith(trimmed, kBlockTag)) {
    writer_.flushText();
    captureMode_ = CaptureMode::FOLDING;
  }
  // 9
  if (captureMode_ == CaptureMode::FOLDING && !startsWith(trimmed, kBlockTag) && !startsWith(trimmed, kBlockEnd) &&
      !startsWith(trimmed, kTextTag)) {
    appendCodeLine(trimmed.size() > 2 ? trimmed.substr(2) : std::string_view());
  }
  // 10
  if (startsWith(trimmed, kBlockEnd) && captureMode_ == CaptureMode::FOLDING) {
    captureMode_ = CaptureMode::Empty;
    writer_.flushBlock(!(trimmed.size() >= 3 && trimmed[2] == '*'));
  }
}

void TagParser::startTopic(std::string_view trimmed) {
  writer_.flushText();
  if (topicCounter_ > 0) writer_.closePage();
  const std::string_view kind = textBetween(trimmed, kTopicTag, " ");
  const std::size_t blank = trimmed.find(' ');
  const std::string_view title =
      (blank == std::string_view::npos ? trimmed : trimmed.substr(blank + 1)).substr(0, kMaxTitleLength);
  writer_.writeIndexLine(currentLevel_, kind, title);
  writer_.startPage(topicCounter_, title);
  ++topicCounter_;
  writer_.pendingText().clear();
  writer_.pendingCode().clear();
}

void TagParser::appendCodeLine(std::string_view line) {
  std::string& code = writer_.pendingCode();
  if (!code.empty()) code += "\r\n";
  code += line;
}

}  // namespace veld
