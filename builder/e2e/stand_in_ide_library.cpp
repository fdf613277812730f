// Stand-in for a PureBasic installation's own highlighting library: reports the whole text as one
// constant token, so a page shows which library coloured it.
#include <cstdint>

using TokenSink = std::intptr_t(__stdcall*)(const char* position, std::intptr_t length, std::intptr_t kind);

extern "C" std::intptr_t __stdcall SyntaxHighlight(const char* buffer, std::intptr_t length, TokenSink callback,
                                                   std::intptr_t) {
  if (buffer != nullptr && callback != nullptr) callback(buffer, length, 3);
  return 0;
}
