// The library's one export: the highlighting call as the PureBasic editor's library offers it
// (four pointer-sized stdcall arguments, tokens reported through a stdcall callback).

#include <cstdint>

#include "highlighter/tokenizer.h"

namespace {

using TokenSink = std::intptr_t(__stdcall*)(const char* position, std::intptr_t length, std::intptr_t kind);

struct Forwarding {
  const char* buffer;
  TokenSink sink;
};

void forwardToken(std::size_t position, std::size_t length, veld::TokenKind kind, void* context) {
  const auto* forwarding = static_cast<const Forwarding*>(context);
  forwarding->sink(forwarding->buffer + position, static_cast<std::intptr_t>(length),
                   static_cast<std::intptr_t>(kind));
}

}  // namespace

// Calls back on the caller's thread, in text order, before returning. The return value means
// nothing; callers ignore it.
extern "C" std::intptr_t __stdcall SyntaxHighlight(const char* buffer, std::intptr_t length, TokenSink callback,
                                                   std::intptr_t enableAsm) {
  if (buffer == nullptr || length <= 0 || callback == nullptr) return 0;
  Forwarding forwarding{buffer, callback};
  veld::tokenizePureBasic(buffer, static_cast<std::size_t>(length), forwardToken, &forwarding, enableAsm != 0);
  return 0;
}
