// Test-only: small packages written straight with libzip, laid out as the builder lays them out
// (pages "0.html", "1.html", ... then "index.txt"), and the fixed page lines around a body.
#pragma once

#include <string>
#include <vector>

namespace veld::testpkg {

struct Entry {
  std::string name;
  std::string data;
  bool stored = false;  // zip method 0 instead of deflate
};

struct Topic {
  std::string indexLine;  // "level,kind,title"
  std::string text;       // the page's text piece, empty for none
};

// Writes the entries in the order given; false when libzip fails. The path is UTF-8.
bool writeZip(const std::string& path, const std::vector<Entry>& entries);

// A page as the builder writes it: the three head lines, one text section when text is given,
// the closing line; every line ends with CR LF.
std::string page(const std::string& title, const std::string& text);

// Each line followed by CR LF.
std::string indexText(const std::vector<std::string>& lines);

// The entries of a package of these topics: one page per topic (titled by field 3 of its line),
// then the topic list.
std::vector<Entry> packageEntries(const std::vector<Topic>& topics);

// The uncompressed bytes of one entry of a zip archive; empty when it cannot be read.
std::string readEntry(const std::string& zipPath, const std::string& entryName);

// The bytes of a file (empty when it cannot be read) and a file written whole; paths are native
// to the running system (UTF-8).
std::string readBytes(const std::string& path);
bool writeBytes(const std::string& path, const std::string& bytes);

// A fresh empty folder under the system's temporary folder, ending with a separator.
std::string freshFolder(const std::string& prefix);

}  // namespace veld::testpkg
