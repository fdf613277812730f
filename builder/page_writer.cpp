#include "builder/page_writer.h"

#include "common/package_format.h"

namespace veld {

PageWriter::PageWriter(BuildFiles& files, PackageSink& package, ColouringBridge& colours,
                       std::string temporaryFolder, OutputFile* indexFile, BuildProblems& problems)
    : files_(files),
      package_(package),
      colours_(colours),
      temporaryFolder_(std::move(temporaryFolder)),
      indexFile_(indexFile),
      problems_(problems) {}

void PageWriter::writeIndexLine(std::uint64_t level, std::string_view kind, std::string_view title) {
  const std::string line = indexLine(level, kind, title);
  if ((indexFile_ == nullptr || !indexFile_->write(line.data(), line.size())) && !indexFailed_) {
    indexFailed_ = true;
    problems_.report("cannot write the topic list " + temporaryFolder_ + kIndexEntryName);
  }
}

// Pieces that follow each other in one step go to the file in one write: the page file is still
// never held open between two steps, and the bytes are those of piece after piece.
void PageWriter::appendToPage(const std::string& bytes) {
  if (currentPagePath_.empty()) return;
  if (!files_.appendToFile(currentPagePath_, bytes) && !currentPageFailed_) {
    currentPageFailed_ = true;
    problems_.report("cannot write the page file " + currentPagePath_);
  }
}

void PageWriter::startPage(std::uint64_t number, std::string_view title) {
  currentEntryName_ = pageEntryName(number);
  currentPagePath_ = temporaryFolder_ + currentEntryName_;
  currentPageFailed_ = false;
  files_.removeFile(currentPagePath_);
  appendToPage(pieceBytes(kPageFirstLine) + pieceBytes(kPageSecondLine) + pieceBytes(headingLine(title)));
}

void PageWriter::writePiece(std::string_view text) { appendToPage(pieceBytes(text)); }

void PageWriter::flushText() {
  if (pendingText_.empty()) return;
  appendToPage(pieceBytes(kSectionRule) + pieceBytes(pendingText_));
  pendingText_.clear();
}

void PageWriter::flushBlock(bool coloured) {
  if (pendingText_.empty() && pendingCode_.empty()) return;
  std::string section = pieceBytes(kSectionRule);  // exactly one rule per section
  if (!pendingText_.empty()) section += pieceBytes(pendingText_);
  if (!pendingCode_.empty()) {
    section += pieceBytes(kCodeTableOpening);
    // Code before the first page goes nowhere: no need to colour it.
    if (!currentPagePath_.empty()) section += pieceBytes(coloured ? colours_.colourCode(pendingCode_) : pendingCode_);
    section += pieceBytes(kCodeTableClosing);
  }
  appendToPage(section);
  pendingText_.clear();
  pendingCode_.clear();
}

void PageWriter::closePage() {
  if (currentPagePath_.empty()) return;
  appendToPage(pieceBytes(kPageLastLine));
  if (!package_.addFile(currentPagePath_, currentEntryName_)) {
    problems_.report("cannot add " + currentEntryName_ + " to the package");
  }
}

}  // namespace veld
