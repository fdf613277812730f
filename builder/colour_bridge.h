// Colours code blocks the way the PureBasic editor does: the highlighting library splits a block
// into tokens and reports each through a callback, and every token becomes a font element whose
// colour depends on its kind. The library is outside this module: the builder hands in whatever
// function calls it (the loaded DLL on Windows, the tokenizer linked in elsewhere).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace veld {

// One token: the address of its first byte in the code text, its length in bytes, its kind.
using HighlightCallback = void (*)(const char* position, std::intptr_t length, std::intptr_t kind);

// Calls the library on `buffer` (NUL at buffer[length]), which reports the tokens in text order
// through `onToken` before it returns, on the calling thread.
using HighlightFunction = std::function<void(const char* buffer, std::size_t length, HighlightCallback onToken)>;

// The opening tag for a token kind, or empty text for kinds shown without colour.
std::string_view colourTagFor(std::intptr_t kind);

// Appends one token to `html`: its text (up to `length` bytes, ending early at a NUL; -1 means up to
// the next NUL; 0 and other negative lengths mean nothing), wrapped in the kind's font element when
// the kind has a colour, also when the text is empty. Nothing is escaped.
// `limit` is the end of the text the token must lie in (the NUL after the code): a token reported
// outside [first byte of the code, limit] contributes nothing rather than a read of foreign memory.
void appendToken(std::string& html, const char* codeStart, const char* limit, const char* position,
                 std::intptr_t length, std::intptr_t kind);

class ColouringBridge {
 public:
  // An empty function stands for a library without the highlighting export: blocks come out empty.
  explicit ColouringBridge(HighlightFunction highlight) : highlight_(std::move(highlight)) {}

  // The HTML of one block: every reported token in the order reported.
  std::string colourCode(std::string_view code);

 private:
  HighlightFunction highlight_;
};

}  // namespace veld
