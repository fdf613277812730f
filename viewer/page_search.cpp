#include "viewer/page_search.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "common/text.h"

namespace veld {

namespace {

// True when the ANSI code page turns every byte into one character on its own: each high byte
// followed by "A" must decode to two characters, the second "A". A lead byte of a multi-byte code
// page joins the "A" (a valid trail byte in all of them) or swallows it.
bool codePageIsSingleByte() {
  for (int b = 0x80; b <= 0xFF; ++b) {
    const char pair[2] = {static_cast<char>(b), 'A'};
    const std::u16string decoded = ansiToUtf16(std::string_view(pair, 2));
    if (decoded.size() != 2 || decoded[1] != u'A') return false;
  }
  return true;
}

struct FreeDeleter {
  void operator()(char* p) const { std::free(p); }
};

}  // namespace

PageMatcher::PageMatcher(std::string_view searchText) : needle_(utf16ToUpper(utf8ToUtf16(searchText))) {
  singleByte_ = codePageIsSingleByte();
  if (!singleByte_ || needle_.empty()) return;
  std::string all(255, '\0');
  for (int b = 1; b <= 255; ++b) all[static_cast<std::size_t>(b - 1)] = static_cast<char>(b);
  const std::u16string upper = utf16ToUpper(ansiToUtf16(all));
  if (upper.size() != 255) {
    singleByte_ = false;
    return;
  }
  std::unordered_map<char16_t, std::vector<unsigned char>> bytesOf;
  upperOf_[0] = 0;  // never compared: the text ends at the first NUL
  for (int b = 1; b <= 255; ++b) {
    upperOf_[static_cast<std::size_t>(b)] = upper[static_cast<std::size_t>(b - 1)];
    bytesOf[upperOf_[static_cast<std::size_t>(b)]].push_back(static_cast<unsigned char>(b));
  }
  const std::size_t m = needle_.size();
  for (char16_t u : needle_) {
    if (bytesOf.find(u) == bytesOf.end()) impossible_ = true;
  }
  // Horspool's skip table over byte classes: a byte under the window's last position lets the
  // window move to just past its last possible place inside the needle.
  shift_.fill(m);
  for (std::size_t i = 0; i + 1 < m; ++i) {
    const auto found = bytesOf.find(needle_[i]);
    if (found == bytesOf.end()) continue;
    for (unsigned char b : found->second) shift_[b] = m - 1 - i;
  }
}

bool PageMatcher::matchesSingleByte(std::string_view text) const {
  const std::size_t m = needle_.size();
  if (impossible_ || text.size() < m) return false;
  const auto* h = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t last = text.size() - m;
  for (std::size_t pos = 0; pos <= last;) {
    std::size_t j = m;
    while (j > 0 && upperOf_[h[pos + j - 1]] == needle_[j - 1]) --j;
    if (j == 0) return true;
    pos += shift_[h[pos + m - 1]];
  }
  return false;
}

bool PageMatcher::matchesConverted(std::string_view text) const {
  return utf16ToUpper(ansiToUtf16(text)).find(needle_) != std::u16string::npos;
}

bool PageMatcher::matches(const char* page, std::size_t size) const {
  if (needle_.empty() || page == nullptr || size == 0) return false;
  const void* nul = std::memchr(page, 0, size);
  const std::size_t length = nul == nullptr ? size : static_cast<std::size_t>(static_cast<const char*>(nul) - page);
  const std::string_view text(page, length);
  return singleByte_ ? matchesSingleByte(text) : matchesConverted(text);
}

std::vector<SearchHit> searchPages(ArchiveAccess& archive, PackageFiles& files, const std::string& packagePath,
                                   std::string_view searchText) {
  std::vector<SearchHit> hits;
  archive.openArchive(packagePath);
  const std::vector<IndexLine> lines = files.readIndexFromOpenArchive();
  const PageMatcher matcher(searchText);
  std::vector<bool> found(lines.size(), false);
  if (!lines.empty() && archive.examineEntries()) {
    // One buffer, grown to the largest page, serves every page.
    std::unique_ptr<char, FreeDeleter> buffer;
    std::size_t capacity = 0;
    while (archive.nextEntry()) {
      const std::int64_t page = pageNumberOfEntry(archive.entryName());
      if (page < 0 || page >= static_cast<std::int64_t>(lines.size()) || found[static_cast<std::size_t>(page)]) {
        continue;
      }
      const std::int64_t size = archive.entrySize();
      if (size <= 0 || static_cast<std::uint64_t>(size) > SIZE_MAX) continue;
      if (static_cast<std::size_t>(size) > capacity) {
        // A page too large to hold is passed over like a damaged one.
        buffer.reset();
        capacity = 0;
        buffer.reset(static_cast<char*>(std::malloc(static_cast<std::size_t>(size))));
        if (!buffer) continue;
        capacity = static_cast<std::size_t>(size);
      }
      const std::int64_t got = archive.extractEntryToMemory(buffer.get(), static_cast<std::size_t>(size));
      if (got > 0 && matcher.matches(buffer.get(), static_cast<std::size_t>(got))) {
        found[static_cast<std::size_t>(page)] = true;
      }
    }
  }
  archive.closeArchive();
  for (std::size_t a = 0; a < lines.size(); ++a) {
    if (found[a]) hits.push_back(SearchHit{lines[a].title, static_cast<std::int32_t>(a)});
  }
  return hits;
}

}  // namespace veld
