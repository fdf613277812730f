// Searching the pages of a package for a text. A page matches when its bytes, read as text of the
// system's ANSI code page up to the first NUL and upper-cased by the system's Unicode mapping,
// contain the search text upper-cased the same way. The markup is part of the text.
//
// The package is opened once per search and every page is decompressed once, in archive order;
// the hits are then listed in topic-list order, each topic at most once.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/archive_access.h"
#include "viewer/package_files.h"

namespace veld {

// Tests page bytes against one search text. Built once per search: the case mapping of every
// byte of a single-byte code page is taken once, then pages are scanned byte by byte without
// conversion. Code pages with multi-byte characters go through the full conversion instead.
class PageMatcher {
 public:
  explicit PageMatcher(std::string_view searchText);  // UTF-8
  bool matches(const char* page, std::size_t size) const;

 private:
  bool matchesConverted(std::string_view text) const;
  bool matchesSingleByte(std::string_view text) const;

  std::u16string needle_;  // upper-cased search text
  bool singleByte_ = false;
  bool impossible_ = false;                 // a character of the text no byte can give
  std::array<char16_t, 256> upperOf_{};     // byte -> upper-cased character
  std::array<std::size_t, 256> shift_{};    // skip distances by the byte under the window's end
};

struct SearchHit {
  std::string title;
  std::int32_t index = 0;  // item index of the topic, which is its page number
};

// Extracts the topic list afresh (into the temporary folder) and lists the topics whose page
// matches. An empty search text finds nothing; a missing, empty or damaged page matches nothing.
std::vector<SearchHit> searchPages(ArchiveAccess& archive, PackageFiles& files, const std::string& packagePath,
                                   std::string_view searchText);

}  // namespace veld
