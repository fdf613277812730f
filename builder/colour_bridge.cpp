#include "builder/colour_bridge.h"

#include <algorithm>
#include <cstring>

namespace veld {

namespace {

constexpr char kFontEnd[] = "</font>";

// The library's callback carries no context, so the block being coloured is reached through this.
// Only one block is coloured at a time, on the one thread of the builder.
struct Accumulator {
  std::string html;
  const char* codeStart = nullptr;
  const char* limit = nullptr;
};
Accumulator* current = nullptr;

void onToken(const char* position, std::intptr_t length, std::intptr_t kind) {
  if (current == nullptr) return;
  appendToken(current->html, current->codeStart, current->limit, position, length, kind);
}

}  // namespace

std::string_view colourTagFor(std::intptr_t kind) {
  switch (kind) {
    case 0:
    case 9:
      return "<font color=#0000FF>";
    case 2:
      return "<font color=#00AAAA>";
    case 3:
      return "<font color=#924B72>";
    case 4:
      return "<font color=#808080>";
    case 5:
      return "<font color=#006666>";
    case 6:
      return "<font color=#AD0000>";
    case 8:
      return "<font color=#000080>";
    case 10:
      return "<font color=#0000FA>";
    case 12:
      return "<font color=#800000>";
    default:
      return {};
  }
}

void appendToken(std::string& html, const char* codeStart, const char* limit, const char* position,
                 std::intptr_t length, std::intptr_t kind) {
  std::string_view text;
  if (position != nullptr && position >= codeStart && position <= limit && (length > 0 || length == -1)) {
    // The bytes up to the NUL at `limit` at most, so a length running past it stops there.
    const std::size_t available = static_cast<std::size_t>(limit - position);
    const std::size_t wanted = length == -1 ? available : std::min(available, static_cast<std::size_t>(length));
    const void* nul = std::memchr(position, '\0', wanted);
    text = std::string_view(position, nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - position)
                                                     : wanted);
  }
  const std::string_view tag = colourTagFor(kind);
  if (tag.empty()) {
    html += text;
    return;
  }
  html += tag;
  html += text;
  html += kFontEnd;
}

std::string ColouringBridge::colourCode(std::string_view code) {
  Accumulator accumulator;
  if (!highlight_) return accumulator.html;
  // The library reads the byte after the text, so it gets a NUL-terminated copy of its own.
  const std::string copy(code);
  // Coloured code is a few times the size of the code; starting near that saves copying a big
  // block over and over as the text grows.
  accumulator.html.reserve(code.size() * 3);
  accumulator.codeStart = copy.c_str();
  accumulator.limit = copy.c_str() + copy.size();
  Accumulator* outer = current;
  current = &accumulator;
  highlight_(copy.c_str(), copy.size(), onToken);
  current = outer;
  return std::move(accumulator.html);
}

}  // namespace veld
