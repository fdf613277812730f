#include "common/preference_store.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "common/memory_file_access.h"
#include "tests/support/scratch_folder.h"

namespace veld {
namespace {

using Kind = PreferenceEntry::Kind;

using MemoryFiles = test::MemoryFileAccess;

const std::string kSig = "\xEF\xBB\xBF";


// A string literal with its NUL bytes.
template <std::size_t N>
std::string lit(const char (&s)[N]) {
  return std::string(s, N - 1);
}

// Opens `before` as the file "p", applies `edit`, closes, and gives the file's bytes afterwards.
std::string afterEdit(Encoding program, const std::string& before, const std::function<void(PreferenceStore&)>& edit,
                      MemoryFiles* filesOut = nullptr) {
  MemoryFiles local;
  MemoryFiles& files = filesOut ? *filesOut : local;
  files.files["p"] = before;
  PreferenceStore store(program, files);
  EXPECT_TRUE(store.openPreferences("p"));
  edit(store);
  store.closePreferences();
  return files.files["p"];
}

// --- Reading syntax -----------------------------------------------------------------------------

struct ParseCase {
  const char* what;
  std::string text;
  PreferenceEntries entries;
};

TEST(PreferenceParse, ReadsEachKindOfLine) {
  const ParseCase cases[] = {
      {"blanks around key, = and value; trailing blanks kept",
       " \t Key \t=  value  ",
       {{Kind::Key, "Key", "value  "}}},
      {"comment loses one space", ";note\n; one\n;  two\n;\n",
       {{Kind::Comment, "note", ""}, {Kind::Comment, "one", ""}, {Kind::Comment, " two", ""}, {Kind::Comment, "", ""}}},
      {"group ignores text after ]", "[Group] trailing ] text", {{Kind::Group, "Group", ""}}},
      {"group without ]", "[Open", {{Kind::Group, "Open", ""}}},
      {"blanks inside brackets belong to the name", "[ A b ]", {{Kind::Group, " A b ", ""}}},
      {"line starting with = gives the empty key", "= v", {{Kind::Key, "", "v"}}},
      {"further = belong to the value", "a=b = c", {{Kind::Key, "a", "b = c"}}},
      {"key without =, then a line of its own (LF)", "Alone  \nFlags = 1",
       {{Kind::Key, "Alone", ""}, {Kind::Key, "Flags", "1"}}},
      {"same with CR LF", "Alone\r\nFlags = 1", {{Kind::Key, "Alone", ""}, {Kind::Key, "Flags", "1"}}},
      {"same with a lone CR", "Alone\rFlags = 1", {{Kind::Key, "Alone", ""}, {Kind::Key, "Flags", "1"}}},
      {"runs of line breaks and blank lines", "\r\n\r\n a=1\r\r\n\n \t \n\rb=2\n",
       {{Kind::Key, "a", "1"}, {Kind::Key, "b", "2"}}},
      {"NUL bytes are ordinary bytes", lit("k\0y = v\0\n[g\0]"),
       {{Kind::Key, lit("k\0y"), lit("v\0")}, {Kind::Group, lit("g\0"), ""}}},
      {"only blanks", " \t \r\n\t", {}},
  };
  for (const ParseCase& c : cases) EXPECT_EQ(parsePreferenceText(c.text), c.entries) << c.what;
}

TEST(PreferenceNames, CompareIgnoringAsciiCaseOnly) {
  EXPECT_TRUE(preferenceNamesEqual("toolsinfo", "ToolsInfo"));
  EXPECT_FALSE(preferenceNamesEqual("Tool_1", "Tool_10"));
  EXPECT_FALSE(preferenceNamesEqual("\xC9", "\xE9"));          // É/é in code page 1252: not folded
  EXPECT_FALSE(preferenceNamesEqual("\xC3\x89", "\xC3\xA9"));  // nor in UTF-8
  EXPECT_FALSE(preferenceNamesEqual("[", "{"));                // 0x5B/0x7B differ by 0x20 but are not letters
}

// --- Write-back -----------------------------------------------------------------------------------

TEST(PreferenceStore, OpenAndCloseWithoutChangesTouchesNothing) {
  MemoryFiles files;
  const std::string messy = "  [A]junk\n;c\n\n k =  v  \r";
  EXPECT_EQ(afterEdit(Encoding::Ansi, messy, [](PreferenceStore& s) {
              s.selectGroup("A");
              s.readString("k", "");
              s.selectGroup("Missing");  // selecting alone creates nothing
              s.removeGroup("Missing");  // removing nothing changes nothing
            }, &files),
            messy);
  EXPECT_EQ(files.replaces, 0);
}

TEST(PreferenceStore, WriteBackNormalisesAndKeepsUnknownGroupsAndComments) {
  const std::string before =
      "; head comment\r\n"
      "HeadKey=1\n"
      "\n"
      "   [ToolsInfo]  trailing\r"
      ";no space\r\n"
      ";  two spaces\r\n"
      "  Key \t=  value  \r\n"
      "Alone\n"
      "[Unknown]\n"
      "Foo=Bar=Baz\n";
  const std::string expected =
      "; head comment\r\n"
      "HeadKey = 1\r\n"
      "[ToolsInfo]\r\n"
      "; no space\r\n"
      ";  two spaces\r\n"
      "Key = value  \r\n"
      "Alone = \r\n"
      "New = 5\r\n"
      "[Unknown]\r\n"
      "Foo = Bar=Baz\r\n";
  EXPECT_EQ(afterEdit(Encoding::Ansi, before, [](PreferenceStore& s) {
              ASSERT_TRUE(s.selectGroup("toolsinfo"));
              EXPECT_EQ(s.readString("KEY", "-"), "value");
              s.writeInteger("New", 5);
            }),
            expected);
}

TEST(PreferenceStore, EmptyResultIsAnEmptyFileOrJustTheSignature) {
  EXPECT_EQ(afterEdit(Encoding::Ansi, "[G]\nk=v\n", [](PreferenceStore& s) { s.removeGroup("G"); }), "");
  EXPECT_EQ(afterEdit(Encoding::Ansi, kSig + "[G]\n", [](PreferenceStore& s) { s.removeGroup("G"); }), kSig + "\r\n");
}

// --- Reading values -------------------------------------------------------------------------------

TEST(PreferenceStore, ReadStringTrimsValuesButNotDefaults) {
  MemoryFiles files;
  files.files["p"] = "Head = h\n[G]\nk =\t v \t\nempty=\n";
  PreferenceStore s(Encoding::Ansi, files);
  ASSERT_TRUE(s.openPreferences("p"));
  EXPECT_EQ(s.readString("Head", "d"), "h");  // head area before any selection
  ASSERT_TRUE(s.selectGroup("g"));
  EXPECT_EQ(s.readString("K", "d"), "v");
  EXPECT_EQ(s.readString("empty", "d"), "");
  EXPECT_EQ(s.readString("Head", " d "), " d ");  // other group's key is not seen; default untouched
  ASSERT_TRUE(s.selectGroup(""));
  EXPECT_EQ(s.readString("head", "d"), "h");
}

TEST(PreferenceStore, ReadIntegerRules) {
  struct Case {
    const char* value;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"42", 42},          {"  -7x", -7},     {"+5", 5},          {"abc", 0},        {"", 0},
      {"- 3", 0},          {"12 34", 12},     {"007", 7},         {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},               {"99999999999999", INT_MAX},           {"-99999999999999", INT_MIN},
  };
  for (const Case& c : cases) {
    MemoryFiles files;
    files.files["p"] = std::string("[G]\nToolCount = ") + c.value + "\n";
    PreferenceStore s(Encoding::Ansi, files);
    ASSERT_TRUE(s.openPreferences("p"));
    ASSERT_TRUE(s.selectGroup("G"));
    EXPECT_EQ(s.readInteger("ToolCount", -1), c.expected) << "value \"" << c.value << "\"";
    EXPECT_EQ(s.readInteger("Missing", -1), -1);
  }
}

TEST(PreferenceStore, WriteIntegerUsesPlainDecimal) {
  EXPECT_EQ(afterEdit(Encoding::Ansi, "", [](PreferenceStore& s) {
              s.writeInteger("a", -12);
              s.writeInteger("b", 0);
              s.writeInteger("c", INT_MIN);
            }),
            "a = -12\r\nb = 0\r\nc = -2147483648\r\n");
}

// --- Groups, insertion points, comments -----------------------------------------------------------

TEST(PreferenceStore, PendingGroupIsCreatedByTheFirstWriteOnly) {
  MemoryFiles files;
  files.files["p"] = "[A]\nk=1\n";
  PreferenceStore s(Encoding::Ansi, files);
  ASSERT_TRUE(s.openPreferences("p"));
  EXPECT_FALSE(s.selectGroup("New"));
  EXPECT_EQ(s.readString("k", "d"), "d");  // the previous group is not read while one is pending
  EXPECT_EQ(s.readInteger("k", 9), 9);
  s.writeString("x", "1");
  s.writeString("y", "2");
  EXPECT_EQ(s.groupName(), "New");
  s.closePreferences();
  EXPECT_EQ(files.files["p"], "[A]\r\nk = 1\r\n[New]\r\nx = 1\r\ny = 2\r\n");
}

TEST(PreferenceStore, SelectingAnExistingGroupForgetsThePendingOne) {
  EXPECT_EQ(afterEdit(Encoding::Ansi, "[A]\n[B]\n", [](PreferenceStore& s) {
              EXPECT_FALSE(s.selectGroup("Gone"));
              EXPECT_TRUE(s.selectGroup("a"));
              s.writeString("k", "v");
            }),
            "[A]\r\nk = v\r\n[B]\r\n");
}

TEST(PreferenceStore, NewKeysGoAfterTheLastEntryOfTheirGroup) {
  struct Case {
    const char* what;
    std::string before;
    std::string group;
    std::string after;
  };
  const Case cases[] = {
      {"after the group's last key or comment, before the next header", "[A]\na=1\n;c\n[B]\nb=1\n", "A",
       "[A]\r\na = 1\r\n; c\r\nn = v\r\n[B]\r\nb = 1\r\n"},
      {"directly under the header of an empty group", "[A]\n[B]\n", "A", "[A]\r\nn = v\r\n[B]\r\n"},
      {"last group: at the end", "[A]\na=1\n", "A", "[A]\r\na = 1\r\nn = v\r\n"},
      {"head area: after its last entry", "h=1\n;c\n[A]\n", "", "h = 1\r\n; c\r\nn = v\r\n[A]\r\n"},
      {"head area of a file that begins with a header: first", "[A]\n", "", "n = v\r\n[A]\r\n"},
      {"empty file", "", "", "n = v\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(afterEdit(Encoding::Ansi, c.before, [&](PreferenceStore& s) {
                EXPECT_TRUE(s.selectGroup(c.group));
                s.writeString("n", "v");
              }),
              c.after)
        << c.what;
  }
}

TEST(PreferenceStore, RewritingAKeyTakesTheNewLetterCase) {
  EXPECT_EQ(afterEdit(Encoding::Ansi, "[T]\nCommand=old\nOther=1\n", [](PreferenceStore& s) {
              s.selectGroup("T");
              s.writeString("command", "old");  // same value: still a change
            }),
            "[T]\r\ncommand = old\r\nOther = 1\r\n");
}

TEST(PreferenceStore, CommentsFollowTheEntryLastWrittenOrSelected) {
  EXPECT_EQ(afterEdit(Encoding::Ansi, "[A]\na=1\nb=2\n[B]\n", [](PreferenceStore& s) {
              s.selectGroup("A");
              s.writeComment("under header");
              s.writeString("a", "3");
              s.writeComment("under a");
              s.writeComment("then under that comment");
            }),
            "[A]\r\n; under header\r\na = 3\r\n; under a\r\n; then under that comment\r\nb = 2\r\n[B]\r\n");
  EXPECT_EQ(afterEdit(Encoding::Ansi, "[A]\n", [](PreferenceStore& s) { s.writeComment("first"); }),
            "; first\r\n[A]\r\n");
  EXPECT_EQ(afterEdit(Encoding::Ansi, "[A]\n", [](PreferenceStore& s) {
              s.selectGroup("Tool_9");
              s.writeComment("creates the group");
            }),
            "[A]\r\n[Tool_9]\r\n; creates the group\r\n");
}

TEST(PreferenceStore, RemoveGroupTakesItsKeysAndCommentsUpToTheNextHeader) {
  const std::string tools = "[Tool_1]\nA=1\n[Tool_2]\nB=2\n;c\n[Tool_3]\nC=3\n[Tool_2]\nD=4\n";
  EXPECT_EQ(afterEdit(Encoding::Ansi, tools, [](PreferenceStore& s) { s.removeGroup("tool_2"); }),
            "[Tool_1]\r\nA = 1\r\n[Tool_3]\r\nC = 3\r\n[Tool_2]\r\nD = 4\r\n");
  // Removing the current group falls back to the head area.
  EXPECT_EQ(afterEdit(Encoding::Ansi, "[A]\na=1\n[B]\n", [](PreferenceStore& s) {
              s.selectGroup("A");
              s.removeGroup("A");
              EXPECT_EQ(s.groupName(), "");
              s.writeString("h", "1");
              s.writeComment("after h");
            }),
            "h = 1\r\n; after h\r\n[B]\r\n");
}

TEST(PreferenceStore, DuplicateGroupsActOnTheFirst) {
  EXPECT_EQ(afterEdit(Encoding::Ansi, "[G]\nk=1\n[G]\nk=2\n", [](PreferenceStore& s) {
              ASSERT_TRUE(s.selectGroup("G"));
              EXPECT_EQ(s.readString("k", ""), "1");
              s.writeString("k", "3");
            }),
            "[G]\r\nk = 3\r\n[G]\r\nk = 2\r\n");
}

TEST(PreferenceStore, EnumeratesGroupsInFileOrder) {
  MemoryFiles files;
  files.files["p"] = "h=0\n[A]\nn=1\n[B]\nn=2\n[C]\nn=3\n";
  PreferenceStore s(Encoding::Ansi, files);
  ASSERT_TRUE(s.openPreferences("p"));
  EXPECT_FALSE(s.selectGroup("Pending"));
  ASSERT_TRUE(s.examineGroups());
  EXPECT_EQ(s.groupName(), "");
  std::string seen;
  while (s.nextGroup()) seen += s.groupName() + std::to_string(s.readInteger("n", -1)) + " ";
  EXPECT_EQ(seen, "A1 B2 C3 ");
  EXPECT_FALSE(s.nextGroup());
  EXPECT_EQ(s.groupName(), "C");  // a false nextGroup leaves the current group where it was
}

// --- Text forms -----------------------------------------------------------------------------------

TEST(PreferenceStore, SingleByteProgramConvertsAFileInUtf8Form) {
  MemoryFiles files;
  files.files["p"] = kSig + "[Caf\xC3\xA9]\nName = na\xC3\xAFve \xE2\x82\xAC\n";
  PreferenceStore s(Encoding::Ansi, files);
  ASSERT_TRUE(s.openPreferences("p"));
  ASSERT_TRUE(s.selectGroup("CAF\xE9"));  // the given byte is promoted before comparing
  EXPECT_EQ(s.groupName(), "Caf\xE9");
  EXPECT_EQ(s.readString("name", ""), "na\xEFve ?");
  s.writeString("Neu", "\xE9t\xE9");
  s.writeComment("\xA9");
  s.removeGroup("Caf\xE9");  // compared without conversion: no match
  s.closePreferences();
  EXPECT_EQ(files.files["p"], kSig + "\r\n[Caf\xC3\xA9]\r\nName = na\xC3\xAFve \xE2\x82\xAC\r\n" +
                                  "Neu = \xC3\xA9t\xC3\xA9\r\n; \xC2\xA9\r\n");
}

TEST(PreferenceStore, SingleByteProgramPassesBytesOfASingleByteFile) {
  EXPECT_EQ(afterEdit(Encoding::Ansi, "[Caf\xE9]\nk=\xE9\n", [](PreferenceStore& s) {
              ASSERT_TRUE(s.selectGroup("Caf\xE9"));
              EXPECT_EQ(s.readString("k", ""), "\xE9");
              s.writeString("n", "\xFF");
            }),
            "[Caf\xE9]\r\nk = \xE9\r\nn = \xFF\r\n");
}

TEST(PreferenceStore, ViewerPromotesAFileWithoutSignature) {
  MemoryFiles files;
  files.files["p"] = "[Window]\nTitle=\xE9\n";
  PreferenceStore s(Encoding::Utf8, files);
  ASSERT_TRUE(s.openPreferences("p"));
  ASSERT_TRUE(s.selectGroup("Window"));
  EXPECT_EQ(s.readString("Title", ""), "\xC3\xA9");
  s.writeInteger("X", 10);
  s.closePreferences();
  EXPECT_EQ(files.files["p"], kSig + "\r\n[Window]\r\nTitle = \xC3\xA9\r\nX = 10\r\n");
}

TEST(PreferenceStore, ViewerKeepsAnExistingEmptyFileWithoutSignature) {
  EXPECT_EQ(afterEdit(Encoding::Utf8, "", [](PreferenceStore& s) {
              s.selectGroup("Window");
              s.writeInteger("X", 1);
            }),
            "[Window]\r\nX = 1\r\n");
}

TEST(PreferenceStore, MissingFileIsCreatedAtCloseOnlyWhenWritten) {
  for (Encoding program : {Encoding::Ansi, Encoding::Utf8}) {
    MemoryFiles files;
    PreferenceStore s(program, files);
    EXPECT_FALSE(s.openPreferences("new.ini"));
    EXPECT_TRUE(s.examineGroups());  // usable with the remembered path
    s.closePreferences();
    EXPECT_EQ(files.files.count("new.ini"), 0u);

    EXPECT_FALSE(s.openPreferences("new.ini"));
    EXPECT_FALSE(s.selectGroup("Window"));
    s.writeInteger("W", 640);
    s.closePreferences();
    const std::string body = "[Window]\r\nW = 640\r\n";
    EXPECT_EQ(files.files["new.ini"], program == Encoding::Utf8 ? kSig + "\r\n" + body : body);
  }
}

// --- File handling --------------------------------------------------------------------------------

TEST(PreferenceStore, OpensWithTheShareModesInOrder) {
  MemoryFiles files;
  files.files["p"] = "[A]\n";
  PreferenceStore s(Encoding::Ansi, files);
  ASSERT_TRUE(s.openPreferences("p"));
  EXPECT_EQ(files.attempts, (std::vector<std::string>{"rw/r"}));

  files.attempts.clear();
  files.locked.insert("p");
  EXPECT_FALSE(s.openPreferences("p"));
  EXPECT_EQ(files.attempts, (std::vector<std::string>{"rw/r", "r/r", "r/rw"}));
}

TEST(PreferenceStore, ReadOnlyFileIsReadAndItsChangesDiscarded) {
  MemoryFiles files;
  files.writerElsewhere.insert("p");
  EXPECT_EQ(afterEdit(Encoding::Ansi, "[A]\nk=1\n", [](PreferenceStore& s) {
              ASSERT_TRUE(s.selectGroup("A"));
              EXPECT_EQ(s.readInteger("k", 0), 1);
              s.writeString("k", "2");
              EXPECT_EQ(s.readInteger("k", 0), 2);
            }, &files),
            "[A]\nk=1\n");
  EXPECT_EQ(files.replaces, 0);
}

// A file that is there but cannot be opened at all must not be replaced by the few entries written
// in memory.
TEST(PreferenceStore, UnopenableExistingFileIsNeverWrittenOver) {
  MemoryFiles files;
  files.files["p"] = "[Tool_1]\nCommand=ide\n";
  files.locked.insert("p");
  PreferenceStore s(Encoding::Ansi, files);
  EXPECT_FALSE(s.openPreferences("p"));
  s.selectGroup("Tool_2");
  s.writeString("Command", "veld");
  s.closePreferences();
  EXPECT_EQ(files.replaces, 0);
  EXPECT_EQ(files.files["p"], "[Tool_1]\nCommand=ide\n");
}

TEST(PreferenceStore, FailedWriteLeavesTheOldFileWhole) {
  MemoryFiles files;
  files.failReplace = true;
  EXPECT_EQ(afterEdit(Encoding::Ansi, "[A]\nk=1\n", [](PreferenceStore& s) { s.writeString("k", "2"); }, &files),
            "[A]\nk=1\n");
  EXPECT_EQ(files.replaces, 1);
}

TEST(PreferenceStore, OpeningAnotherFileWritesTheHeldOne) {
  MemoryFiles files;
  files.files["a"] = "[A]\n";
  files.files["b"] = "[B]\n";
  PreferenceStore s(Encoding::Ansi, files);
  ASSERT_TRUE(s.openPreferences("a"));
  s.selectGroup("A");
  s.writeString("k", "1");
  ASSERT_TRUE(s.openPreferences("b"));
  EXPECT_EQ(files.files["a"], "[A]\r\nk = 1\r\n");
  EXPECT_TRUE(s.selectGroup("B"));
  EXPECT_FALSE(s.selectGroup("A"));
}

TEST(PreferenceStore, DestructorWritesChanges) {
  MemoryFiles files;
  files.files["p"] = "";
  {
    PreferenceStore s(Encoding::Ansi, files);
    ASSERT_TRUE(s.openPreferences("p"));
    s.writeString("k", "v");
  }
  EXPECT_EQ(files.files["p"], "k = v\r\n");
}

TEST(PreferenceStore, HoldingNothingEveryCallDoesNothing) {
  MemoryFiles files;
  PreferenceStore s(Encoding::Ansi, files);
  for (int round = 0; round < 2; ++round) {  // never opened, then opened and closed
    EXPECT_FALSE(s.selectGroup(""));
    EXPECT_FALSE(s.selectGroup("A"));
    EXPECT_EQ(s.readString("k", "d"), "d");
    EXPECT_EQ(s.readInteger("k", 7), 7);
    s.writeString("k", "v");
    s.writeInteger("k", 1);
    s.writeComment("c");
    s.removeGroup("A");
    EXPECT_FALSE(s.examineGroups());
    EXPECT_FALSE(s.nextGroup());
    EXPECT_EQ(s.groupName(), "");
    s.closePreferences();
    EXPECT_EQ(files.replaces, 0);
    files.files["p"] = "[A]\n";
    ASSERT_TRUE(s.openPreferences("p"));
    s.closePreferences();
  }
}

// --- Bad input --------------------------------------------------------------------------------------

TEST(PreferenceStore, BadInputGivesDefinedResults) {
  // NUL bytes and lone CRs.
  EXPECT_EQ(afterEdit(Encoding::Ansi, lit("[G\0]\rk\0=\0v\r\r"), [](PreferenceStore& s) {
              EXPECT_TRUE(s.selectGroup(lit("g\0")));
              EXPECT_EQ(s.readString(lit("K\0"), ""), lit("\0v"));
              s.writeString("n", "1");
            }),
            lit("[G\0]\r\nk\0 = \0v\r\nn = 1\r\n"));
  // Invalid UTF-8 in a file with the signature, read by a single-byte program.
  EXPECT_EQ(afterEdit(Encoding::Ansi, kSig + "[\xFF\xC3x]\nk=\x80\xE2\x82\n", [](PreferenceStore& s) {
              EXPECT_TRUE(s.examineGroups());
              EXPECT_TRUE(s.nextGroup());
              EXPECT_EQ(s.groupName(), "?x");
              EXPECT_EQ(s.readString("k", "d"), "");
              s.writeString("k", "ok");
            }),
            kSig + "\r\n[\xFF\xC3x]\r\nk = ok\r\n");
  // A signature cut short is single-byte text.
  EXPECT_EQ(afterEdit(Encoding::Ansi, "\xEF\xBB", [](PreferenceStore& s) { s.writeString("k", "v"); }),
            "\xEF\xBB = \r\nk = v\r\n");
}

TEST(PreferenceStore, HundredMegabyteLineIsHandledInOnePass) {
  MemoryFiles files;
  std::string line = "Key=";
  line.append(100u << 20, 'v');
  files.files["p"] = std::move(line);
  files.handOver = true;
  const auto start = std::chrono::steady_clock::now();
  PreferenceStore s(Encoding::Utf8, files);  // the viewer also promotes the whole text
  ASSERT_TRUE(s.openPreferences("p"));
  EXPECT_EQ(s.readInteger("Key", 5), 0);
  s.writeString("Other", "1");
  s.closePreferences();
  const std::string& out = files.files["p"];
  EXPECT_EQ(out.size(), kSig.size() + 2 + 6 + (100u << 20) + 2 + 9 + 2);
  EXPECT_EQ(out.compare(0, 12, kSig + "\r\nKey = v"), 0);
  EXPECT_EQ(out.substr(out.size() - 13), "\r\nOther = 1\r\n");
  // Not a speed goal, a guard against quadratic work: the data is 100 MB.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

// --- The system's files ------------------------------------------------------------------------------

class SystemPreferenceFiles : public ::testing::Test {
 protected:
  std::string path(const std::string& name) const { return scratch_.file(name); }
  static std::string read(const std::string& p) { return test::readBytes(p); }
  static void write(const std::string& p, const std::string& bytes) { test::writeBytes(p, bytes); }
  std::vector<std::string> names() const { return scratch_.names(); }

  test::ScratchFolder scratch_{"veld-pref-test"};
  const std::filesystem::path& dir_ = scratch_.path();
};

TEST_F(SystemPreferenceFiles, RoundTripThroughTheDisk) {
  const std::string p = path("Tools.prefs");
  write(p, "[Tool_1]\nCommand=a\n");
  {
    PreferenceStore s(Encoding::Ansi);
    ASSERT_TRUE(s.openPreferences(p));
    ASSERT_TRUE(s.selectGroup("Tool_1"));
    s.writeString("Arguments", "\"%FILE\"");
  }
  EXPECT_EQ(read(p), "[Tool_1]\r\nCommand = a\r\nArguments = \"%FILE\"\r\n");
  EXPECT_EQ(names(), std::vector<std::string>{"Tools.prefs"});  // no temporary file left

  PreferenceStore s(Encoding::Utf8);
  EXPECT_FALSE(s.openPreferences(path("VeldViewer.ini")));
  s.writeInteger("X", 3);
  s.closePreferences();
  EXPECT_EQ(read(path("VeldViewer.ini")), kSig + "\r\nX = 3\r\n");
}

TEST_F(SystemPreferenceFiles, MissingFolderMeansNothingIsCreated) {
  PreferenceStore s(Encoding::Ansi);
  EXPECT_FALSE(s.openPreferences(path("no/such/folder.ini")));
  s.writeString("k", "v");
  s.closePreferences();
  EXPECT_EQ(names(), std::vector<std::string>{});
}

TEST_F(SystemPreferenceFiles, FailedReplaceLeavesTargetAndNoTemporaryFile) {
  // A folder at the target's path: the new file can be written beside it but cannot take its name.
  const std::string target = path("target");
  std::filesystem::create_directory(target);
  write(path("target") + "/inside", "keep");
  std::unique_ptr<FileAccess> files = makeSystemFileAccess(Encoding::Ansi);
  std::unique_ptr<HeldFile> none;
  EXPECT_FALSE(files->replaceWhole(target, "data", none));
  EXPECT_EQ(names(), std::vector<std::string>{"target"});
  EXPECT_EQ(read(path("target") + "/inside"), "keep");

  // The store opening such a path does not get a readable file and writes nothing.
  PreferenceStore s(Encoding::Ansi);
  EXPECT_FALSE(s.openPreferences(target));
  s.writeString("k", "v");
  s.closePreferences();
  EXPECT_EQ(names(), std::vector<std::string>{"target"});
}

#ifdef _WIN32
// Share modes are a Windows matter: while the store holds the file others may read it but not
// write it, and the store lets go of it before putting the new file in its place.
TEST_F(SystemPreferenceFiles, HeldFileCanBeReadButNotWrittenByOthers) {
  const std::string p = path("held.ini");
  write(p, "[A]\n");
  PreferenceStore s(Encoding::Ansi);
  ASSERT_TRUE(s.openPreferences(p));
  std::FILE* reader = std::fopen(p.c_str(), "rb");
  EXPECT_NE(reader, nullptr);
  if (reader) std::fclose(reader);
  std::FILE* writer = std::fopen(p.c_str(), "r+b");
  EXPECT_EQ(writer, nullptr);
  if (writer) std::fclose(writer);
  s.writeString("k", "v");
  s.closePreferences();
  EXPECT_EQ(read(p), "k = v\r\n[A]\r\n");
}

TEST_F(SystemPreferenceFiles, Utf16PathsForTheViewer) {
  if (!test::scratchTakesNonAsciiNames(dir_)) GTEST_SKIP() << "no names beyond ASCII on this file system";
  const std::string p = path("caf\xC3\xA9-\xE4\xB8\xAD.ini");  // beyond the ANSI code page
  PreferenceStore s(Encoding::Utf8);
  EXPECT_FALSE(s.openPreferences(p));
  s.writeInteger("X", 1);
  s.closePreferences();
  ASSERT_TRUE(s.openPreferences(p));
  EXPECT_EQ(s.readInteger("X", 0), 1);
}
#endif

}  // namespace
}  // namespace veld
