// libFuzzer target: the tokenizer must not crash, must not read outside the buffer, and its
// tokens must tile the text up to the first NUL.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "highlighter/tokenizer.h"

namespace {

struct Tiling {
  std::size_t next = 0;
  std::size_t end = 0;
};

void checkToken(std::size_t position, std::size_t length, veld::TokenKind kind, void* context) {
  auto* tiling = static_cast<Tiling*>(context);
  const int k = static_cast<int>(kind);
  if (position != tiling->next || length > tiling->end - position || k < 0 || k > 13) std::abort();
  tiling->next = position + length;
}

void tokenizeAndCheck(const char* buffer, std::size_t size, bool enableAsm) {
  const void* nul = std::memchr(buffer, 0, size);
  Tiling tiling;
  tiling.end = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - buffer) : size;
  veld::tokenizePureBasic(buffer, size, checkToken, &tiling, enableAsm);
  if (tiling.next != tiling.end) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // As the DLL is called: an exact-size copy with a NUL after it.
  std::unique_ptr<char[]> terminated(new char[size + 1]);
  if (size > 0) std::memcpy(terminated.get(), data, size);
  terminated[size] = '\0';
  tokenizeAndCheck(terminated.get(), size, false);

  // Without the NUL: the byte at buffer[length] must not be touched either.
  std::unique_ptr<char[]> exact(new char[size]);
  if (size > 0) std::memcpy(exact.get(), data, size);
  tokenizeAndCheck(exact.get(), size, true);
  return 0;
}
