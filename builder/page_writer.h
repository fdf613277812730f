// Writes what the tag parser decides: index lines, and pages assembled piece by piece in page files
// of the temporary folder, each added to the package once it is complete.
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

  // Makes page `number` current, replaces any file left at its path, and writes the page's head.
  void startPage(std::uint64_t number, std::string_view title);

  // Appends one piece to the current page: nothing happens before the first page.
  void writePiece(std::string_view text);

  // Pending text as a section of its own ("<HR>" and the text), then empty. Nothing when empty.
  void flushText();

  // Pending text and pending code as one section; the code in a table, coloured or plain. Both empty.
  void flushBlock(bool coloured);

  // Writes the page's last line and adds the page file to the package. Nothing before the first page.
  void closePage();

  // The collected lines, joined by CR LF; the parser appends to them.
  std::string& pendingText() { return pendingText_; }
  std::string& pendingCode() { return pendingCode_; }

  const std::string& currentPagePath() const { return currentPagePath_; }

 private:
  void appendToPage(const std::string& bytes);

  BuildFiles& files_;
  PackageSink& package_;
  ColouringBridge& colours_;
  std::string temporaryFolder_;
  OutputFile* indexFile_;
  BuildProblems& problems_;

  std::string currentPagePath_;
  std::string currentEntryName_;
  bool currentPageFailed_ = false;  // reported once per page
  bool indexFailed_ = false;        // reported once
  std::string pendingText_;
  std::string pendingCode_;
};

}  // namespace veld
