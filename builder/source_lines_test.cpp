#include "builder/source_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builder/memory_build_files.h"

namespace veld {
namespace {

std::vector<std::string> linesOf(const std::string& source, std::size_t chunkSize, bool* failed = nullptr,
                                 int failAfter = -1) {
  testing::MemoryFiles files;
  files.files["s"] = source;
  files.readFailsAfter = failAfter;
  std::unique_ptr<ByteReader> reader = files.openForReading("s");
  SourceLineReader lines(*reader, chunkSize);
  std::vector<std::string> result;
  std::string line;
  while (lines.nextLine(line)) result.push_back(line);
  if (failed != nullptr) *failed = lines.failed();
  return result;
}

using Lines = std::vector<std::string>;

TEST(SourceLineReader, LineEndsAndTheEndOfTheSource) {
  const struct {
    std::string source;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},  // a lone CR at the end counts like CR LF
      {"a\r\nb", {"a", "b"}},
      {"\r\n", {""}},
      {"\r\n\r\n", {"", ""}},
      {"a\n\rb", {"a", "", "b"}},  // LF CR is two line ends
      {"a\r\rb", {"a", "", "b"}},
      {std::string("a\0b\0", 4), {"a", "b"}},  // NUL ends a line
      {std::string("a\r\0b", 4), {"a", "", "b"}},
      {"\xEF\xBB\xBF;&&&1 T\r\n", {"\xEF\xBB\xBF;&&&1 T"}},  // the byte-order mark stays
      {"\t x \xFF\x80 ", {"\t x \xFF\x80 "}},
  };
  for (const auto& c : cases) {
    // Chunk sizes of 1 and 2 put every CR LF pair across a chunk boundary somewhere.
    for (std::size_t chunk : {1u, 2u, 3u, 65536u}) {
      EXPECT_EQ(linesOf(c.source, chunk), c.lines) << "chunk " << chunk << " source " << ::testing::PrintToString(c.source);
    }
  }
}

TEST(SourceLineReader, LongLinesArriveWhole) {
  const std::string big(10u << 20, 'x');
  const Lines lines = linesOf("a\r\n" + big + "\r\nb", 65536);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].size(), big.size());
  EXPECT_EQ(lines[2], "b");
}

TEST(SourceLineReader, ReadErrorEndsTheLinesAndIsReported) {
  bool failed = false;
  EXPECT_EQ(linesOf("one\r\ntwo\r\nthree", 4, &failed, 6), (Lines{"one", "t"}));
  EXPECT_TRUE(failed);
  EXPECT_EQ(linesOf("one", 4, &failed, 0), Lines{});
  EXPECT_TRUE(failed);
  linesOf("one", 4, &failed);
  EXPECT_FALSE(failed);
}

}  // namespace
}  // namespace veld
