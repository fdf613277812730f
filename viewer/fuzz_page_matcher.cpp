// The byte-wise page matcher against its definition (decode the page from the ANSI code page up to
// its first NUL, upper-case both texts, look for the search text): the first input byte gives the
// length of the search text, the rest is the page.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/text.h"
#include "viewer/page_search.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t n = std::min<std::size_t>(data[0] % 16, size - 1);
  // The search text comes from the field as UTF-16; any bytes stand for it after decoding.
  const std::string needle = veld::utf16ToUtf8(veld::ansiToUtf16(std::string(reinterpret_cast<const char*>(data + 1), n)));
  const std::string page(reinterpret_cast<const char*>(data + 1 + n), size - 1 - n);
  const veld::PageMatcher matcher(needle);
  bool expected = false;
  if (!page.empty() && !needle.empty()) {
    const std::u16string text = veld::utf16ToUpper(veld::ansiToUtf16(page.substr(0, page.find('\0'))));
    expected = text.find(veld::utf16ToUpper(veld::utf8ToUtf16(needle))) != std::u16string::npos;
  }
  if (matcher.matches(page.data(), page.size()) != expected) std::abort();
  return 0;
}
