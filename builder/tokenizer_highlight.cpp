#include "builder/tokenizer_highlight.h"

#include "highlighter/tokenizer.h"

namespace veld {

namespace {

struct Forwarding {
  const char* buffer;
  HighlightCallback onToken;
};

void forwardToken(std::size_t position, std::size_t length, TokenKind kind, void* context) {
  const auto* forwarding = static_cast<const Forwarding*>(context);
  forwarding->onToken(forwarding->buffer + position, static_cast<std::intptr_t>(length),
                      static_cast<std::intptr_t>(kind));
}

}  // namespace

HighlightFunction linkedTokenizerHighlight() {
  return [](const char* buffer, std::size_t length, HighlightCallback onToken) {
    Forwarding forwarding{buffer, onToken};
    tokenizePureBasic(buffer, length, forwardToken, &forwarding, false);
  };
}

}  // namespace veld
