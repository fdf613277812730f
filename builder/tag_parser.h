// The source tag language: each raw line of a module goes through ten tests, in order and without
// an early exit, which start topics, change the topic level, collect text and code, and flush them
// into pages through the page writer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "builder/page_writer.h"

namespace veld {

enum class TagTest { StartsWith, EndsWith, Contains, Equals };

// Compares after mapping both texts to lower case with the system's ANSI mapping.
bool matchesTag(std::string_view line, std::string_view tag, TagTest test);

// The text between the first `opener` and the first `closer` that follows it (searched from the
// character right after the opener); empty when either is missing. Exact, case-sensitive search.
std::string_view textBetween(std::string_view text, std::string_view opener, std::string_view closer);

// The capture the parser is in. The two capture names are the tag language's own.
enum class CaptureMode { Empty, PROCEDURE, FOLDING };

// A title holds at most this many characters.
inline constexpr std::size_t kMaxTitleLength = 65535;

class TagParser {
 public:
  explicit TagParser(PageWriter& writer) : writer_(writer) {}

  // One raw line (without its line end).
  void parseLine(std::string_view rawLine);

  std::uint64_t topicCounter() const { return topicCounter_; }
  std::uint64_t currentLevel() const { return currentLevel_; }
  CaptureMode captureMode() const { return captureMode_; }
  std::size_t indentationWidth() const { return indentationWidth_; }

 private:
  void startTopic(std::string_view trimmed);
  void appendCodeLine(std::string_view line);

  PageWriter& writer_;
  std::uint64_t currentLevel_ = 0;
  std::uint64_t topicCounter_ = 0;
  CaptureMode captureMode_ = CaptureMode::Empty;
  std::size_t indentationWidth_ = 0;
};

}  // namespace veld
