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

void PageWriter::appendPieceToPage(std::string_view text) {
  if (!pageOpen_) return;
  // A big piece gets room of its own size (plus its "<BR>"s) instead of the doubling of the page's
  // capacity, which could hold twice the page in memory.
  constexpr std::size_t kBigPiece = 1u << 20;
  if (text.size() >= kBigPiece && page_.capacity() - page_.size() < text.size()) {
    page_.reserve(page_.size() + text.size() + text.size() / 8 + 64);
  }
  appendPiece(page_, text);
}

void PageWriter::startPage(std::uint64_t number, std::string_view title) {
  currentEntryName_ = pageEntryName(number);
  currentPagePath_ = temporaryFolder_ + currentEntryName_;
  // Deleted rather than truncated when written: some file systems flush a truncated file to disk
  // when it is closed, which costs a disk wait per page.
  files_.removeFile(currentPagePath_);
  pageOpen_ = true;
  page_.clear();
  appendPieceToPage(kPageFirstLine);
  appendPieceToPage(kPageSecondLine);
  appendPieceToPage(headingLine(title));
}

void PageWriter::writePiece(std::string_view text) { appendPieceToPage(text); }

void PageWriter::flushText() {
  if (pendingText_.empty()) return;
  appendPieceToPage(kSectionRule);
  appendPieceToPage(pendingText_);
  pendingText_.clear();
}

void PageWriter::flushBlock(bool coloured) {
  if (pendingText_.empty() && pendingCode_.empty()) return;
  appendPieceToPage(kSectionRule);  // exactly one rule per section
  if (!pendingText_.empty()) appendPieceToPage(pendingText_);
  if (!pendingCode_.empty()) {
    appendPieceToPage(kCodeTableOpening);
    // Code before the first page goes nowhere: no need to colour it.
    if (coloured && pageOpen_) {
      appendPieceToPage(colours_.colourCode(pendingCode_));
    } else {
      appendPieceToPage(pendingCode_);
    }
    appendPieceToPage(kCodeTableClosing);
  }
  pendingText_.clear();
  pendingCode_.clear();
}

void PageWriter::closePage() {
  if (!pageOpen_) return;
  appendPieceToPage(kPageLastLine);
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
