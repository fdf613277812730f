// Writes what the tag parser decides: index lines, and pages assembled piece by piece, each written
// to its page file in the temporary folder and added to the package once it is complete.
//
// The page being assembled is held in memory and its file written in one go when the page closes:
// the file holds the same bytes as if every piece had been appended on its own, but costs one file
// opening per page instead of one per piece (which dominates a build on slow file systems). Memory
// stays bounded by the largest page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "builder/build_files.h"
#include "builder/build_problems.h"
#include "builder/colour_bridge.h"
#include "builder/package_sink.h"
#include "common/files.h"

namespace veld {

class PageWriter {
 public:
  // temporaryFolder ends with a separator; indexFile may be null (index lines are then lost).
  PageWriter(BuildFiles& files, PackageSink& package, ColouringBridge& colours, std::string temporaryFolder,
             OutputFile* indexFile, BuildProblems& problems);

  // Appends "level,kind,title" and CR LF to the index file.
  void writeIndexLine(std::uint64_t level, std::string_view kind, std::string_view title);

  // Makes page `number` current, deletes any file left at its path, and starts the page with its head.
  void startPage(std::uint64_t number, std::string_view title);

  // Appends one piece to the current page: nothing happens before the first page.
  void writePiece(std::string_view text);

  // Pending text as a section of its own ("<HR>" and the text), then empty. Nothing when empty.
  void flushText();

  // Pending text and pending code as one section; the code in a table, coloured or plain. Both empty.
  void flushBlock(bool coloured);

  // Adds the page's last line, writes the page file and adds it to the package. Nothing before the
  // first page, nor twice for one page.
  void closePage();

  // The collected lines, joined by CR LF; the parser appends to them.
  std::string& pendingText() { return pendingText_; }
  std::string& pendingCode() { return pendingCode_; }

  const std::string& currentPagePath() const { return currentPagePath_; }
  // The current page as far as it is assembled; empty when no page is open.
  const std::string& currentPageBytes() const { return page_; }

 private:
  void appendPieceToPage(std::string_view text);

  BuildFiles& files_;
  PackageSink& package_;
  ColouringBridge& colours_;
  std::string temporaryFolder_;
  OutputFile* indexFile_;
  BuildProblems& problems_;

  std::string currentPagePath_;
  std::string currentEntryName_;
  bool pageOpen_ = false;
  std::string page_;
  bool indexFailed_ = false;  // reported once
  std::string pendingText_;
  std::string pendingCode_;
};

}  // namespace veld
