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

void PageWriter::appendToPage(const std::string& bytes) {
  if (pageOpen_) page_ += bytes;
}

void PageWriter::startPage(std::uint64_t number, std::string_view title) {
  currentEntryName_ = pageEntryName(number);
  currentPagePath_ = temporaryFolder_ + currentEntryName_;
  // Deleted rather than truncated when written: some file systems flush a truncated file to disk
  // when it is closed, which costs a disk wait per page.
  files_.removeFile(currentPagePath_);
  pageOpen_ = true;
  page_.clear();
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
    if (pageOpen_) section += pieceBytes(coloured ? colours_.colourCode(pendingCode_) : pendingCode_);
    section += pieceBytes(kCodeTableClosing);
  }
  appendToPage(section);
  pendingText_.clear();
  pendingCode_.clear();
}

void PageWriter::closePage() {
  if (!pageOpen_) return;
  appendToPage(pieceBytes(kPageLastLine));
  pageOpen_ = false;
  const bool written = files_.writeWholeFile(currentPagePath_, page_);
  page_.clear();
  if (!written) {
    // Whatever is at the path now is not this page: better no entry than a wrong one.
    problems_.report("cannot write the page file " + currentPagePath_);
    return;
  }
  if (!package_.addFile(currentPagePath_, currentEntryName_)) {
    problems_.report("cannot add " + currentEntryName_ + " to the package");
  }
}

}  // namespace veld
