#include "common/archive_access.h"

#include <gtest/gtest.h>
#include <zip.h>

#if !defined(_WIN32)
#include <sys/resource.h>
#endif

#include <algorithm>
#include <filesystem>
#include <vector>

#include "tests/support/scratch_folder.h"

namespace veld {
namespace {

namespace fs = std::filesystem;

class Archives : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir_ / "out"); }

  std::string path(const std::string& name) const { return scratch_.file(name); }
  static std::string read(const std::string& p) { return test::readBytes(p); }
  static void write(const std::string& p, const std::string& bytes) { test::writeBytes(p, bytes); }
  std::vector<std::string> outNames() const { return scratch_.names("out"); }

  struct RawEntry {
    std::string name;
    std::string data;
    bool stored;
  };

  // Builds an archive with libzip directly, for names and layouts the programs never write.
  void writeRawArchive(const std::string& p, const std::vector<RawEntry>& entries) {
    int err = 0;
    zip_t* za = zip_open(p.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    ASSERT_NE(za, nullptr);
    for (const RawEntry& e : entries) {
      zip_source_t* src = zip_source_buffer(za, e.data.data(), e.data.size(), 0);
      ASSERT_NE(src, nullptr);
      const zip_int64_t idx = zip_file_add(za, e.name.c_str(), src, ZIP_FL_ENC_UTF_8);
      ASSERT_GE(idx, 0) << e.name;
      if (e.stored) zip_set_file_compression(za, static_cast<zip_uint64_t>(idx), ZIP_CM_STORE, 0);
    }
    ASSERT_EQ(zip_close(za), 0);
  }

  // A package made the way the builder makes one.
  void writePackage(const std::string& p, const std::vector<std::pair<std::string, std::string>>& entries,
                    Encoding program = Encoding::Ansi) {
    ArchiveAccess zip(program);
    ASSERT_TRUE(zip.createArchive(p));
    int n = 0;
    for (const auto& [name, data] : entries) {
      const std::string source = path("src" + std::to_string(n++));
      write(source, data);
      ASSERT_TRUE(zip.addFile(source, name)) << name;
    }
    zip.closeArchive();
  }

  test::ScratchFolder scratch_{"veld-zip-test"};
  const fs::path& dir_ = scratch_.path();
};

std::string sample(std::size_t n) {
  std::string s;
  s.reserve(n);
  unsigned x = 12345;
  for (std::size_t i = 0; i < n; ++i) {
    x = x * 1103515245u + 12345u;
    s += static_cast<char>('a' + (x >> 16) % 7);
  }
  return s;
}

TEST_F(Archives, CreatedPackageReadsBackInOrderOfAdding) {
  const std::string page0 = "<HTML>" + sample(5000) + "</HTML>";
  writePackage(path("p.veld"), {{"0.html", page0}, {"index.txt", "0,1,Compilation\r\n"}, {"1.html", ""}});

  ArchiveAccess zip(Encoding::Ansi);
  ASSERT_TRUE(zip.openArchive(path("p.veld")));
  ASSERT_TRUE(zip.examineEntries());
  std::vector<std::pair<std::string, std::int64_t>> seen;
  while (zip.nextEntry()) seen.emplace_back(zip.entryName(), zip.entrySize());
  EXPECT_EQ(seen, (std::vector<std::pair<std::string, std::int64_t>>{
                      {"0.html", static_cast<std::int64_t>(page0.size())}, {"index.txt", 17}, {"1.html", 0}}));

  EXPECT_EQ(zip.extractEntry(path("out/index.txt"), "index.txt"), 17);
  EXPECT_EQ(read(path("out/index.txt")), "0,1,Compilation\r\n");
  EXPECT_EQ(zip.extractEntry(path("out/0.html"), "0.html"), static_cast<std::int64_t>(page0.size()));
  EXPECT_EQ(read(path("out/0.html")), page0);
  EXPECT_EQ(zip.extractEntry(path("out/empty"), "1.html"), 0);  // an empty entry gives an empty file
  EXPECT_TRUE(fs::exists(path("out/empty")));
  EXPECT_EQ(fs::file_size(path("out/empty")), 0u);
  zip.closeArchive();

  // Added entries are deflated.
  int err = 0;
  zip_t* za = zip_open(path("p.veld").c_str(), ZIP_RDONLY, &err);
  ASSERT_NE(za, nullptr);
  zip_stat_t st;
  ASSERT_EQ(zip_stat_index(za, 0, 0, &st), 0);
  EXPECT_EQ(st.comp_method, ZIP_CM_DEFLATE);
  EXPECT_LT(st.comp_size, st.size);
  zip_discard(za);
}

TEST_F(Archives, CreatingOverAnExistingPackageReplacesIt) {
  writePackage(path("p.veld"), {{"old.html", "old"}});
  writePackage(path("p.veld"), {{"new.html", "new"}});
  ArchiveAccess zip(Encoding::Ansi);
  ASSERT_TRUE(zip.openArchive(path("p.veld")));
  zip.examineEntries();
  ASSERT_TRUE(zip.nextEntry());
  EXPECT_EQ(zip.entryName(), "new.html");
  EXPECT_FALSE(zip.nextEntry());
}

TEST_F(Archives, AddFileRefusesTakenNamesAndMissingSources) {
  write(path("a"), "first");
  write(path("b"), "second");
  {
    ArchiveAccess zip(Encoding::Ansi);
    EXPECT_FALSE(zip.addFile(path("a"), "x"));  // nothing created yet
    ASSERT_TRUE(zip.createArchive(path("p.veld")));
    EXPECT_TRUE(zip.addFile(path("a"), "0.html"));
    EXPECT_FALSE(zip.addFile(path("b"), "0.html"));
    EXPECT_FALSE(zip.addFile(path("missing"), "1.html"));
    EXPECT_FALSE(zip.addFile(path("b"), ""));
    EXPECT_FALSE(zip.addFile(dir_.string(), "folder"));  // a folder is no source file
    EXPECT_TRUE(zip.addFile(path("b"), "2.html"));
  }  // the destructor writes the archive
  ArchiveAccess zip(Encoding::Ansi);
  ASSERT_TRUE(zip.openArchive(path("p.veld")));
  std::vector<std::string> names;
  zip.examineEntries();
  while (zip.nextEntry()) names.push_back(zip.entryName());
  EXPECT_EQ(names, (std::vector<std::string>{"0.html", "2.html"}));
  char buf[16];
  EXPECT_EQ(zip.extractEntryToMemory(buf, sizeof buf, "0.html"), 5);
  EXPECT_EQ(std::string(buf, 5), "first");
  EXPECT_FALSE(zip.addFile(path("b"), "3.html"));  // an opened archive takes no entries
}

// Added files are read at close, not held open from the add: a package with more pages than the
// process may keep files open gets them all.
TEST_F(Archives, AddedFilesHoldNoHandleUntilClose) {
  constexpr int kPages = 600;
  for (int i = 0; i < kPages; ++i) write(path(std::to_string(i) + ".html"), "page " + std::to_string(i));
  {
#if !defined(_WIN32)
    struct FileLimit {
      rlimit old{};
      FileLimit() {
        getrlimit(RLIMIT_NOFILE, &old);
        rlimit low = old;
        low.rlim_cur = 128;
        setrlimit(RLIMIT_NOFILE, &low);
      }
      ~FileLimit() { setrlimit(RLIMIT_NOFILE, &old); }
    } limit;
#endif
    ArchiveAccess zip(Encoding::Ansi);
    ASSERT_TRUE(zip.createArchive(path("p.veld")));
    for (int i = 0; i < kPages; ++i) {
      ASSERT_TRUE(zip.addFile(path(std::to_string(i) + ".html"), std::to_string(i) + ".html")) << i;
    }
    zip.closeArchive();
  }
  ArchiveAccess zip(Encoding::Ansi);
  ASSERT_TRUE(zip.openArchive(path("p.veld")));
  zip.examineEntries();
  int n = 0;
  char buf[32];
  while (zip.nextEntry()) {
    const std::string expected = "page " + std::to_string(n);
    ASSERT_EQ(zip.entryName(), std::to_string(n) + ".html");
    ASSERT_EQ(zip.extractEntryToMemory(buf, sizeof buf, ""), static_cast<std::int64_t>(expected.size()));
    ASSERT_EQ(std::string(buf, expected.size()), expected);
    ++n;
  }
  EXPECT_EQ(n, kPages);
}

// The bytes are those at close; a source gone by then makes the close write nothing rather than a
// package that lacks the page.
TEST_F(Archives, SourcesAreReadAtClose) {
  write(path("a"), "draft");
  write(path("b"), "kept");
  {
    ArchiveAccess zip(Encoding::Ansi);
    ASSERT_TRUE(zip.createArchive(path("p.veld")));
    ASSERT_TRUE(zip.addFile(path("a"), "0.html"));
    write(path("a"), "final text");
  }
  ArchiveAccess reader(Encoding::Ansi);
  ASSERT_TRUE(reader.openArchive(path("p.veld")));
  EXPECT_EQ(reader.extractEntry(path("out/0.html"), "0.html"), 10);
  EXPECT_EQ(read(path("out/0.html")), "final text");
  reader.closeArchive();

  {
    ArchiveAccess zip(Encoding::Ansi);
    ASSERT_TRUE(zip.createArchive(path("q.veld")));
    ASSERT_TRUE(zip.addFile(path("a"), "0.html"));
    ASSERT_TRUE(zip.addFile(path("b"), "1.html"));
    fs::remove(path("a"));
  }
  EXPECT_FALSE(fs::exists(path("q.veld")));
  for (const auto& e : fs::directory_iterator(dir_)) {
    EXPECT_EQ(e.path().filename().string().find("q.veld"), std::string::npos) << e.path();  // no temporary left
  }
}

TEST_F(Archives, CurrentEntryExistsOnlyBetweenNextEntryCalls) {
  writePackage(path("p.veld"), {{"a", "1"}});
  ArchiveAccess zip(Encoding::Ansi);
  ASSERT_TRUE(zip.openArchive(path("p.veld")));
  EXPECT_EQ(zip.entryName(), "");
  EXPECT_EQ(zip.entrySize(), -1);
  ASSERT_TRUE(zip.examineEntries());
  EXPECT_EQ(zip.entryName(), "");
  EXPECT_EQ(zip.entrySize(), -1);
  EXPECT_EQ(zip.extractEntry(path("out/x"), ""), -1);  // empty name, no current entry
  ASSERT_TRUE(zip.nextEntry());
  EXPECT_EQ(zip.entryName(), "a");
  EXPECT_EQ(zip.entrySize(), 1);
  EXPECT_EQ(zip.extractEntry(path("out/current"), ""), 1);
  EXPECT_FALSE(zip.nextEntry());
  EXPECT_EQ(zip.entryName(), "");
  EXPECT_EQ(zip.entrySize(), -1);
  EXPECT_EQ(zip.entryCompressedSize(), -1);
  EXPECT_FALSE(zip.nextEntry());
  EXPECT_EQ(outNames(), std::vector<std::string>{"current"});
}

TEST_F(Archives, ExtractionFailuresLeaveNoFile) {
  writeRawArchive(path("p.zip"), {{"folder/", "", true}, {"a.txt", "data", false}});
  ArchiveAccess zip(Encoding::Ansi);
  ASSERT_TRUE(zip.openArchive(path("p.zip")));
  EXPECT_EQ(zip.extractEntry(path("out/x"), "missing.txt"), -1);
  EXPECT_EQ(zip.extractEntry(path("out/x"), "A.TXT"), -1);  // names compare with their case
  EXPECT_EQ(zip.extractEntry(path("out/no/such/folder/x"), "a.txt"), -1);
  zip.examineEntries();
  ASSERT_TRUE(zip.nextEntry());
  EXPECT_EQ(zip.entryName(), "folder/");
  EXPECT_EQ(zip.extractEntry(path("out/x"), ""), -1);  // the current entry is a folder
  char buf[4];
  EXPECT_EQ(zip.extractEntryToMemory(buf, sizeof buf, ""), -1);
  EXPECT_EQ(outNames(), std::vector<std::string>{});
}

TEST_F(Archives, ReadsStoredEntriesWithExtraFields) {
  int err = 0;
  zip_t* za = zip_open(path("icons.zip").c_str(), ZIP_CREATE | ZIP_TRUNCATE, &err);
  ASSERT_NE(za, nullptr);
  const std::string png = "\x89PNG\r\n\x1a\n" + sample(300);
  zip_source_t* src = zip_source_buffer(za, png.data(), png.size(), 0);
  const zip_int64_t idx = zip_file_add(za, "0.png", src, 0);
  ASSERT_GE(idx, 0);
  zip_set_file_compression(za, static_cast<zip_uint64_t>(idx), ZIP_CM_STORE, 0);
  const unsigned char ntfs[32] = {0, 0, 0, 0, 1, 0, 24, 0};  // NTFS times: reserved, tag 1, size 24
  ASSERT_EQ(zip_file_extra_field_set(za, static_cast<zip_uint64_t>(idx), 0x000A, ZIP_EXTRA_FIELD_NEW, ntfs,
                                     sizeof ntfs, ZIP_FL_LOCAL | ZIP_FL_CENTRAL),
            0);
  ASSERT_EQ(zip_close(za), 0);

  // The viewer's way: size from the enumeration, then the current entry read whole into memory.
  ArchiveAccess zip(Encoding::Utf8);
  ASSERT_TRUE(zip.openArchive(path("icons.zip")));
  zip.examineEntries();
  ASSERT_TRUE(zip.nextEntry());
  ASSERT_EQ(zip.entrySize(), static_cast<std::int64_t>(png.size()));
  EXPECT_EQ(zip.entryCompressedSize(), zip.entrySize());
  std::vector<char> buf(static_cast<std::size_t>(zip.entrySize()));
  EXPECT_EQ(zip.extractEntryToMemory(buf.data(), buf.size()), zip.entrySize());
  EXPECT_EQ(std::string(buf.begin(), buf.end()), png);
  char part[10];
  EXPECT_EQ(zip.extractEntryToMemory(part, sizeof part, "0.png"), 10);  // a smaller buffer: partial read
  EXPECT_EQ(std::string(part, 10), png.substr(0, 10));
}

TEST_F(Archives, LargeEntriesStreamThroughTheBuffer) {
  const std::string big = sample(kExtractBufferSize * 2 + 12345);
  writePackage(path("big.veld"), {{"big", big}});
  ArchiveAccess zip(Encoding::Ansi);
  ASSERT_TRUE(zip.openArchive(path("big.veld")));
  EXPECT_EQ(zip.extractEntry(path("out/big"), "big"), static_cast<std::int64_t>(big.size()));
  EXPECT_TRUE(read(path("out/big")) == big);
}

// Flips one byte of an entry's data in the archive file.
void damage(const std::string& archivePath, const std::string& needle, std::size_t at) {
  std::string bytes = test::readBytes(archivePath);
  const std::size_t pos = bytes.find(needle);
  ASSERT_NE(pos, std::string::npos);
  bytes[pos + at] ^= 0x55;
  test::writeBytes(archivePath, bytes);
}

TEST_F(Archives, DamagedDataGivesMinusOneAndNoFile) {
  const std::string stored = "STORED-PAYLOAD-" + sample(100);
  writeRawArchive(path("crc.zip"), {{"s.txt", stored, true}});
  damage(path("crc.zip"), "STORED-PAYLOAD-", 3);  // the checksum no longer matches
  write(path("out/s.txt"), "an older file");
  ArchiveAccess zip(Encoding::Ansi);
  ASSERT_TRUE(zip.openArchive(path("crc.zip")));
  EXPECT_EQ(zip.extractEntry(path("out/s.txt"), "s.txt"), -1);
  EXPECT_FALSE(fs::exists(path("out/s.txt")));
  std::vector<char> buf(stored.size());
  EXPECT_EQ(zip.extractEntryToMemory(buf.data(), buf.size(), "s.txt"), -1);  // exact size: still checked
  buf.resize(stored.size() + 10);
  EXPECT_EQ(zip.extractEntryToMemory(buf.data(), buf.size(), "s.txt"), -1);

  // Damaged deflate data.
  const std::string text = sample(20000);
  writeRawArchive(path("deflate.zip"), {{"d.txt", text, false}});
  {
    std::string bytes = read(path("deflate.zip"));
    // The data of the only entry starts after its 30-byte local header and the name.
    for (std::size_t i = 30 + 5 + 100; i < 30 + 5 + 140; ++i) bytes[i] = static_cast<char>(~bytes[i]);
    write(path("deflate.zip"), bytes);
  }
  ASSERT_TRUE(zip.openArchive(path("deflate.zip")));
  EXPECT_EQ(zip.extractEntry(path("out/d.txt"), "d.txt"), -1);
  buf.assign(text.size(), 0);
  EXPECT_EQ(zip.extractEntryToMemory(buf.data(), buf.size(), "d.txt"), -1);
  EXPECT_EQ(outNames(), std::vector<std::string>{});
}

TEST_F(Archives, BrokenArchivesDoNotOpenAndTheHandleStaysInert) {
  writePackage(path("good.veld"), {{"0.html", sample(3000)}, {"index.txt", "0,0,A\r\n"}});
  const std::string good = read(path("good.veld"));
  write(path("text.veld"), "this is not a zip archive at all, just text\r\n");
  write(path("empty.veld"), "");
  std::vector<std::string> broken = {path("text.veld"), path("empty.veld"), path("missing.veld"), "",
                                     dir_.string()};
  for (std::size_t cut : {std::size_t{1}, std::size_t{21}, std::size_t{22}, good.size() / 2}) {
    const std::string p = path("cut" + std::to_string(cut) + ".veld");
    write(p, good.substr(0, good.size() - cut));
    broken.push_back(p);
  }
  write(path("head.veld"), good.substr(0, 40));
  broken.push_back(path("head.veld"));

  for (const std::string& p : broken) {
    ArchiveAccess zip(Encoding::Ansi);
    EXPECT_FALSE(zip.openArchive(p)) << p;
    EXPECT_FALSE(zip.isOpen());
    EXPECT_FALSE(zip.examineEntries());
    EXPECT_FALSE(zip.nextEntry());
    EXPECT_EQ(zip.entryName(), "");
    EXPECT_EQ(zip.entrySize(), -1);
    EXPECT_EQ(zip.extractEntry(path("out/index.txt"), "index.txt"), -1);
    char buf[8];
    EXPECT_EQ(zip.extractEntryToMemory(buf, sizeof buf, "index.txt"), -1);
    EXPECT_FALSE(zip.addFile(path("good.veld"), "x"));
    zip.closeArchive();
  }
  EXPECT_EQ(outNames(), std::vector<std::string>{});
}

TEST_F(Archives, LocalHeaderDamageIsCaughtAtExtraction) {
  writePackage(path("p.veld"), {{"0.html", sample(3000)}});
  std::string bytes = read(path("p.veld"));
  // The local header's name length now points the data far past the end of the file; the central
  // directory still describes the entry as it was.
  bytes[26] = '\xFF';
  bytes[27] = '\xFF';
  write(path("p.veld"), bytes);
  ArchiveAccess zip(Encoding::Ansi);
  if (zip.openArchive(path("p.veld"))) {
    EXPECT_EQ(zip.extractEntry(path("out/0.html"), "0.html"), -1);
    char buf[16];
    EXPECT_EQ(zip.extractEntryToMemory(buf, sizeof buf, "0.html"), -1);
  }
  EXPECT_EQ(outNames(), std::vector<std::string>{});
}

TEST_F(Archives, EntryNamesAreNeverUsedAsPaths) {
  const std::vector<std::string> hostile = {"../x", "../../escape.txt", "/abs/x", "C:\\evil.txt", "sub/../../y"};
  std::vector<RawEntry> entries;
  for (const std::string& n : hostile) entries.push_back({n, "payload:" + n, false});
  writeRawArchive(path("hostile.zip"), entries);

  ArchiveAccess zip(Encoding::Ansi);
  ASSERT_TRUE(zip.openArchive(path("hostile.zip")));
  zip.examineEntries();
  std::size_t i = 0;
  while (zip.nextEntry()) {
    ASSERT_LT(i, hostile.size());
    EXPECT_EQ(zip.entryName(), hostile[i]);
    EXPECT_FALSE(isPlainEntryName(zip.entryName()));
    const std::string dest = path("out/entry" + std::to_string(i));
    EXPECT_EQ(zip.extractEntry(dest, ""), static_cast<std::int64_t>(8 + hostile[i].size()));
    EXPECT_EQ(read(dest), "payload:" + hostile[i]);
    EXPECT_EQ(zip.extractEntry(dest, hostile[i]), static_cast<std::int64_t>(8 + hostile[i].size()));
    ++i;
  }
  EXPECT_EQ(i, hostile.size());
  EXPECT_EQ(outNames(), (std::vector<std::string>{"entry0", "entry1", "entry2", "entry3", "entry4"}));
  // Nothing beside or above the destination folder, nor where the names point from here.
  std::vector<std::string> top;
  for (const auto& e : fs::directory_iterator(dir_)) top.push_back(e.path().filename().string());
  std::sort(top.begin(), top.end());
  EXPECT_EQ(top, (std::vector<std::string>{"hostile.zip", "out"}));
  EXPECT_FALSE(fs::exists(dir_.parent_path() / "x"));
  EXPECT_FALSE(fs::exists(dir_.parent_path() / "escape.txt"));
  EXPECT_FALSE(fs::exists("C:\\evil.txt"));
  EXPECT_FALSE(fs::exists("/abs/x"));

  EXPECT_TRUE(isPlainEntryName("0.html"));
  EXPECT_TRUE(isPlainEntryName("BriskLib.veld"));
  for (const char* bad : {"", ".", "..", "a/b", "a\\b", "C:x", "dir/"}) EXPECT_FALSE(isPlainEntryName(bad)) << bad;
}

TEST_F(Archives, NamesConvertByTheProgramsEncoding) {
  // A single-byte program gives ANSI names; they are stored as UTF-8.
  writePackage(path("p.veld"), {{"caf\xE9.html", "x"}});
  int err = 0;
  zip_t* za = zip_open(path("p.veld").c_str(), ZIP_RDONLY, &err);
  ASSERT_NE(za, nullptr);
  EXPECT_STREQ(zip_get_name(za, 0, ZIP_FL_ENC_RAW), "caf\xC3\xA9.html");
  zip_discard(za);

  ArchiveAccess ansi(Encoding::Ansi);
  ASSERT_TRUE(ansi.openArchive(path("p.veld")));
  ansi.examineEntries();
  ASSERT_TRUE(ansi.nextEntry());
  EXPECT_EQ(ansi.entryName(), "caf\xE9.html");
  EXPECT_EQ(ansi.extractEntry(path("out/a"), "caf\xE9.html"), 1);

  ArchiveAccess utf8(Encoding::Utf8);
  ASSERT_TRUE(utf8.openArchive(path("p.veld")));
  utf8.examineEntries();
  ASSERT_TRUE(utf8.nextEntry());
  EXPECT_EQ(utf8.entryName(), "caf\xC3\xA9.html");
  EXPECT_EQ(utf8.extractEntry(path("out/b"), "caf\xC3\xA9.html"), 1);

  // A character beyond 255 reaches a single-byte program as "?".
  writeRawArchive(path("euro.zip"), {{"\xE2\x82\xAC.txt", "e", false}});
  ASSERT_TRUE(ansi.openArchive(path("euro.zip")));
  ansi.examineEntries();
  ASSERT_TRUE(ansi.nextEntry());
  EXPECT_EQ(ansi.entryName(), "?.txt");
  EXPECT_EQ(ansi.extractEntry(path("out/c"), ""), 1);
  EXPECT_EQ(ansi.extractEntry(path("out/d"), "\x80.txt"), 1);  // the ANSI euro sign finds it by name
}

TEST_F(Archives, PathsOutsideAsciiWork) {
  // ANSI for the single-byte programs, UTF-8 (UTF-16 at the system) for the viewer.
  const std::string ansiName = "d\xE9j\xE0.veld";
  const std::string utf8Name = "\xE4\xB8\xAD\xC3\xA9.veld";
  if (!test::scratchTakesNonAsciiNames(dir_)) GTEST_SKIP() << "no names beyond ASCII on this file system";
  for (Encoding e : {Encoding::Ansi, Encoding::Utf8}) {
    const std::string name = e == Encoding::Ansi ? ansiName : utf8Name;
#ifndef _WIN32
    if (e == Encoding::Ansi) continue;  // native paths are UTF-8 bytes; ANSI ones are a Windows matter
#endif
    const std::string source = path(e == Encoding::Ansi ? "src-\xE9" : "src-\xC3\xA9");
    ArchiveAccess zip(e);
    ASSERT_TRUE(zip.createArchive(path(name)));
    std::unique_ptr<FileAccess> files = makeSystemFileAccess(e);
    std::unique_ptr<OutputFile> out = files->createFile(source);
    ASSERT_TRUE(out);
    ASSERT_TRUE(out->write("abc", 3));
    ASSERT_TRUE(out->close());
    ASSERT_TRUE(zip.addFile(source, "a.txt"));
    zip.closeArchive();
    ASSERT_TRUE(zip.openArchive(path(name)));
    EXPECT_EQ(zip.extractEntry(path("out/") + name, "a.txt"), 3);
    zip.closeArchive();
    EXPECT_TRUE(files->removeFile(path("out/") + name));
  }
}

TEST_F(Archives, CreateRefusesAnEmptyPathAndAnEmptyArchiveWritesNoFile) {
  ArchiveAccess zip(Encoding::Ansi);
  EXPECT_FALSE(zip.createArchive(""));
  ASSERT_TRUE(zip.createArchive(path("none.veld")));
  zip.closeArchive();
  EXPECT_FALSE(fs::exists(path("none.veld")));
}

}  // namespace
}  // namespace veld
