// TailVeld.exe started the way the IDE starts it, against a stand-in PureBasic installation: a home
// folder whose PureBasic.exe and veld\VeldViewer.exe record their command lines, a PureBasic.prefs,
// and the PB_TOOL_* variables. Runs under Wine in Xvfb.
#include <windows.h>

#include <gtest/gtest.h>
#include <zip.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "builder/golden_pages.h"
#include "common/archive_access.h"
#include "common/text.h"
#include "tailveld_e2e_paths.h"
#include "uidriver.h"

namespace {

namespace fs = std::filesystem;
namespace ui = veld::uidriver;

constexpr DWORD kRunTimeoutMs = 60000;

using veld::golden::head;
using veld::golden::kSmallPage;
using veld::golden::kTableClose;
using veld::golden::kTableOpen;
using veld::golden::kWorkedExample;

// The worked example's procedure as the carried library colours it.
const std::string kStringToOemmPage =
    head("StringToOemm") + "<HR>\r\n Translates a string into the OEM-defined character set.\r\n" + kTableOpen +
    "Procedure <font color=#006666>StringToOemm</font>(<font color=#0000FF>StringAddress</font>)"
    "<font color=#0000FF> \r\n"
    "<BR></font><font color=#006666>  CharToOem_</font>(<font color=#0000FF>StringAddress</font>,"
    "<font color=#0000FF>StringAddress</font>)<font color=#0000FF>\r\n"
    "<BR></font>EndProcedure\r\n" +
    kTableClose + "</BODY></HTML>\r\n";

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void writeFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string systemTemporaryFolder() {
  char buffer[MAX_PATH + 1];
  const DWORD n = GetTempPathA(MAX_PATH + 1, buffer);
  char longForm[MAX_PATH + 1];
  const DWORD m = GetLongPathNameA(buffer, longForm, MAX_PATH + 1);
  std::string folder = (m > 0 && m <= MAX_PATH) ? std::string(longForm, m) : std::string(buffer, n);
  if (folder.back() != '\\') folder += '\\';
  return folder;
}

struct Entry {
  std::string name;
  bool deflated = false;
  std::string bytes;
};

// The package's entries in archive order, read through the system's own zip layer.
std::vector<Entry> packageEntries(const std::string& path) {
  std::vector<Entry> entries;
  veld::ArchiveAccess archive(veld::Encoding::Ansi);
  if (!archive.openArchive(path)) return entries;
  archive.examineEntries();
  while (archive.nextEntry()) {
    Entry entry;
    entry.name = archive.entryName();
    std::string bytes(static_cast<std::size_t>(archive.entrySize()), '\0');
    const std::int64_t n = archive.extractEntryToMemory(bytes.data(), bytes.size());
    entry.bytes = n >= 0 ? bytes.substr(0, static_cast<std::size_t>(n)) : "<unreadable>";
    entries.push_back(entry);
  }
  archive.closeArchive();
  // The compression method is libzip's to report.
  int error = 0;
  zip_t* zip = zip_open(path.c_str(), ZIP_RDONLY, &error);
  if (zip != nullptr) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
      zip_stat_t st;
      if (zip_stat_index(zip, i, 0, &st) == 0) entries[i].deflated = st.comp_method == ZIP_CM_DEFLATE;
    }
    zip_close(zip);
  }
  return entries;
}

std::vector<std::string> namesOf(const std::vector<Entry>& entries) {
  std::vector<std::string> names;
  for (const Entry& e : entries) names.push_back(e.name);
  return names;
}

std::string entryBytes(const std::vector<Entry>& entries, const std::string& name) {
  for (const Entry& e : entries) {
    if (e.name == name) return e.bytes;
  }
  return "<no entry " + name + ">";
}

class TailVeld : public ::testing::Test {
 protected:
  // A stand-in that the last run started may still be running from the home folder for a moment.
  static bool removeAll(const fs::path& folder) {
    return ui::waitUntil([&] {
      std::error_code error;
      fs::remove_all(folder, error);
      return !error;
    });
  }

  void SetUp() override {
    root_ = fs::temp_directory_path() / "veld-tailveld-e2e";
    ASSERT_TRUE(removeAll(root_));
    home_ = (root_ / "PB").string() + "\\";
    fs::create_directories(root_ / "PB" / "veld");
    fs::create_directories(root_ / "src");
    fs::copy_file(VELD_E2E_STANDIN_IDE, home_ + "PureBasic.exe");
    fs::copy_file(VELD_E2E_STANDIN_VIEWER, home_ + "veld\\VeldViewer.exe");
    writeFile(home_ + "PureBasic.prefs", "\xEF\xBB\xBF[Global]\r\nVersion = 521\r\n");
    environment_ = {{"PB_TOOL_IDE", home_ + "PureBasic.exe"}, {"PB_TOOL_Preferences", home_ + "PureBasic.prefs"}};
  }
  void TearDown() override { removeAll(root_); }

  std::string source(const std::string& name, const std::string& bytes) {
    const std::string path = (root_ / "src" / name).string();
    writeFile(path, bytes);
    return path;
  }

  ui::ProgramStart startWith(const std::string& argument) const {
    ui::ProgramStart start;
    start.commandLine = std::string("\"") + VELD_E2E_TAILVELD + "\"";
    // The driver takes UTF-8; the tool reads its command line back in the ANSI code page.
    if (!argument.empty()) start.commandLine += " \"" + veld::ansiToUtf8(argument) + "\"";
    start.setEnvironment = environment_;
    start.unsetEnvironment = unset_;
    return start;
  }

  // Runs TailVeld to its end; its exit code must be 0 on every path.
  void run(const std::string& argument) {
    std::string error;
    const std::optional<DWORD> code = ui::runProgram(startWith(argument), kRunTimeoutMs, &error);
    ASSERT_TRUE(code.has_value()) << "TailVeld did not end: " << error;
    EXPECT_EQ(*code, 0u);
  }

  // The command lines a stand-in recorded, once it has had time to record one.
  std::vector<std::string> recorded(const std::string& program, std::size_t expected) const {
    const fs::path record = home_ + program + ".txt";
    std::vector<std::string> lines;
    ui::waitUntil([&] {
      lines.clear();
      std::istringstream in(readFile(record));
      for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
      }
      return lines.size() >= expected;
    });
    return lines;
  }

  // True when the stand-in records no start within a while: long enough for a program the tool
  // started just before it ended.
  bool nothingRecorded(const std::string& program) const {
    const fs::path record = home_ + program + ".txt";
    return !ui::waitUntil([&] { return fs::exists(record); }, 2000);
  }

  fs::path root_;
  std::string home_;
  std::vector<std::pair<std::string, std::string>> environment_;
  std::vector<std::string> unset_;
};

TEST_F(TailVeld, WorkedExampleByteForByteThenTheViewerOnThePackage) {
  const std::string module = source("worked.pbi", kWorkedExample);
  run(module);
  const std::string package = (root_ / "src" / "worked.veld").string();
  const std::vector<Entry> entries = packageEntries(package);
  ASSERT_EQ(namesOf(entries), (std::vector<std::string>{"0.html", "1.html", "2.html", "3.html", "index.txt"}));
  for (const Entry& e : entries) EXPECT_TRUE(e.deflated) << e.name;
  EXPECT_EQ(entryBytes(entries, "0.html"), kSmallPage);
  EXPECT_EQ(entryBytes(entries, "1.html"),
            head("MessageRequester") + "<HR>\r\n Constants avalaible for MessageRequester :\r\n</BODY></HTML>\r\n");
  EXPECT_EQ(entryBytes(entries, "2.html"), kStringToOemmPage);
  EXPECT_TRUE(std::regex_match(entryBytes(entries, "3.html"),
                               std::regex(std::regex_replace(head("Compilation"), std::regex(R"([\[\]\\^$.|?*+(){}])"),
                                                             R"(\$&)") +
                                          "<HR>\r\n\\d\\d/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d\r\n<BR>TailVeld 1\\.0\\.0\\.9\r\n"
                                          "<BR>PureBasic 5\\.21\r\n</BODY></HTML>\r\n")))
      << entryBytes(entries, "3.html");
  EXPECT_EQ(entryBytes(entries, "index.txt"), "0,0,Tips\r\n1,2,MessageRequester\r\n0,1,StringToOemm\r\n0,1,Compilation\r\n");

  EXPECT_EQ(recorded("veld\\VeldViewer.exe", 1),
            std::vector<std::string>{"\"" + home_ + "veld\\VeldViewer.exe\" \"" + package + "\""});
  EXPECT_TRUE(nothingRecorded("PureBasic.exe"));

  // The temporary folder keeps the carried library, the topic list and every page file.
  const std::string temp = systemTemporaryFolder();
  EXPECT_EQ(readFile(temp + "SyntaxHilighting.dll"), readFile(VELD_E2E_CARRIED_DLL));
  EXPECT_EQ(readFile(temp + "index.txt"), entryBytes(entries, "index.txt"));
  for (const char* page : {"0.html", "1.html", "2.html", "3.html"}) {
    EXPECT_EQ(readFile(temp + page), entryBytes(entries, page)) << page;
  }
}

TEST_F(TailVeld, OddModulesGiveTheTopicsTheTagsSay) {
  const struct {
    const char* name;
    std::string bytes;
    const char* package;
    std::string index;
  } cases[] = {
      {"my.module.pbi", ";&&&1 A\r\n", "my.module.veld", "0,1,A\r\n0,1,Compilation\r\n"},
      {"empty.pbi", "", "empty.veld", "0,1,Compilation\r\n"},
      {"bom.pbi", "\xEF\xBB\xBF;&&&0 Hidden\r\n;&&&1 Seen\r\n", "bom.veld", "0,1,Seen\r\n0,1,Compilation\r\n"},
      {"cr.pbi", ";&&&0 A\r;>>>\r;&&&2 B\r;>>>\r;>>>\r;&&&1 C\r", "cr.veld",
       "0,0,A\r\n1,2,B\r\n3,1,C\r\n0,1,Compilation\r\n"},
      // (not "nul.pbi": that name is the null device on Windows)
      {"zeros.pbi", std::string(";&&&1 A\0;&&&1 B\0\0", 17), "zeros.veld", "0,1,A\r\n0,1,B\r\n0,1,Compilation\r\n"},
      {"tabs.pbi", "\t;&&&1 Tabbed\r\n  ;&&&1 Blanked\r\n", "tabs.veld", "0,1,Blanked\r\n0,1,Compilation\r\n"},
      {"high.pbi", ";&&&1 Caf\xE9 \x80\xFF\r\n", "high.veld", "0,1,Caf\xE9 \x80\xFF\r\n0,1,Compilation\r\n"},
      {"unclosed.pbi", ";&&&1 A\r\n;{+++\r\n; x\r\n;&&&1 B\r\n; y\r\n", "unclosed.veld",
       "0,1,A\r\n0,1,B\r\n0,1,Compilation\r\n"},
  };
  for (const auto& c : cases) {
    run(source(c.name, c.bytes));
    const std::vector<Entry> entries = packageEntries((root_ / "src" / c.package).string());
    EXPECT_EQ(entryBytes(entries, "index.txt"), c.index) << c.name;
    EXPECT_EQ(entries.empty() ? "" : entries.back().name, "index.txt") << c.name;
  }
}

TEST_F(TailVeld, ManyTopicsAndLongLines) {
  std::string module;
  // Wine writes zip entries slowly (a few milliseconds each): thousands, not a hundred thousand, here.
  constexpr int kTopics = 3000;
  for (int i = 0; i < kTopics; ++i) module += ";&&&1 T" + std::to_string(i) + "\r\n;/// t\r\n";
  module += ";&&&1 Long\r\n;///" + std::string(10u << 20, 'x') + "\r\n";
  run(source("many.pbi", module));
  const std::vector<Entry> entries = packageEntries((root_ / "src" / "many.veld").string());
  ASSERT_EQ(entries.size(), kTopics + 3u);
  EXPECT_EQ(entries[kTopics].name, std::to_string(kTopics) + ".html");
  EXPECT_GT(entries[kTopics].bytes.size(), 10u << 20);
  EXPECT_EQ(entries[kTopics + 1].name, std::to_string(kTopics + 1) + ".html");
  EXPECT_EQ(entries[kTopics + 2].name, "index.txt");
}

// The tool holds paths as ANSI bytes: a module name outside ASCII reaches the package and the viewer.
TEST_F(TailVeld, ModuleNamedOutsideAscii) {
  const std::string folder = (root_ / "src").string() + "\\";
  const std::string module = folder + "Caf\xE9.pbi";  // code page 1252
  HANDLE file = CreateFileA(module.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    // Wine maps names to the host's locale: under LC_ALL=C no name outside ASCII can exist at all.
    GTEST_SKIP() << "this system takes no file names outside ASCII";
  }
  const std::string bytes = ";&&&1 Caf\xE9\r\n";
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  run(module);
  const std::string package = folder + "Caf\xE9.veld";
  EXPECT_NE(GetFileAttributesA(package.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(entryBytes(packageEntries(package), "index.txt"), "0,1,Caf\xE9\r\n0,1,Compilation\r\n");
  EXPECT_EQ(recorded("veld\\VeldViewer.exe", 1),
            std::vector<std::string>{"\"" + home_ + "veld\\VeldViewer.exe\" \"" + package + "\""});
}

TEST_F(TailVeld, ModuleThatCannotBeReadGivesOnlyTheClosingTopic) {
  const fs::path folder = root_ / "src" / "folder.pbi";
  fs::create_directories(folder);
  run(folder.string());
  const std::vector<Entry> entries = packageEntries((root_ / "src" / "folder.veld").string());
  EXPECT_EQ(namesOf(entries), (std::vector<std::string>{"0.html", "index.txt"}));
  EXPECT_EQ(entryBytes(entries, "index.txt"), "0,1,Compilation\r\n");
}

TEST_F(TailVeld, OtherArgumentsOpenTheModuleDialogAndTheIdeOnTheChoice) {
  const std::string chosen = source("chosen.pbi", ";&&&1 A\r\n");
  const std::string module = source("Example.PBI", ";&&&1 A\r\n");  // capitals: not built
  ui::Program tool = ui::Program::start(startWith(module));
  ASSERT_TRUE(tool.valid());
  HWND dialog = ui::waitForDialog("PureBasic Module", 20000);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(ui::chooseFileInDialog(dialog, chosen));
  EXPECT_EQ(tool.waitForExit(20000), std::optional<DWORD>(0));
  EXPECT_EQ(recorded("PureBasic.exe", 1),
            std::vector<std::string>{"\"" + home_ + "PureBasic.exe\" \"" + chosen + "\""});
  EXPECT_FALSE(fs::exists(root_ / "src" / "Example.veld"));
  EXPECT_FALSE(fs::exists(root_ / "src" / "chosen.veld"));
  EXPECT_TRUE(nothingRecorded("veld\\VeldViewer.exe"));
}

TEST_F(TailVeld, CancelledDialogStartsNothing) {
  ui::Program tool = ui::Program::start(startWith(""));
  ASSERT_TRUE(tool.valid());
  HWND dialog = ui::waitForDialog("PureBasic Module", 20000);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(ui::cancelDialog(dialog));
  EXPECT_EQ(tool.waitForExit(20000), std::optional<DWORD>(0));
  EXPECT_TRUE(nothingRecorded("PureBasic.exe"));
}

TEST_F(TailVeld, StartedOutsideTheIdeShowsTheFatalMessage) {
  const std::string module = source("x.pbi", ";&&&1 A\r\n");
  const auto fullEnvironment = environment_;
  const struct {
    const char* missing;
    std::string argument;
  } cases[] = {
      {"PB_TOOL_IDE", ""},  // by hand, without arguments: the message comes before any dialog
      {"PB_TOOL_IDE", module},
      {"PB_TOOL_Preferences", module},
  };
  for (const auto& c : cases) {
    environment_ = fullEnvironment;
    environment_.erase(std::remove_if(environment_.begin(), environment_.end(),
                                      [&](const auto& v) { return v.first == c.missing; }),
                       environment_.end());
    unset_ = {c.missing};
    ui::Program tool = ui::Program::start(startWith(c.argument));
    ASSERT_TRUE(tool.valid());
    HWND box = ui::waitForDialog("Error", 20000);
    ASSERT_NE(box, nullptr) << c.missing;
    EXPECT_EQ(ui::messageBoxText(box), "This executable must start from PB-IDE !");
    ASSERT_TRUE(ui::confirmDialog(box));
    EXPECT_EQ(tool.waitForExit(20000), std::optional<DWORD>(0));
    EXPECT_EQ(ui::findWindow("PureBasic Module"), nullptr);
    // Checked before the package is created: no package without its topic list.
    EXPECT_FALSE(fs::exists(root_ / "src" / "x.veld")) << c.missing;
  }
  EXPECT_TRUE(nothingRecorded("veld\\VeldViewer.exe"));
  EXPECT_TRUE(nothingRecorded("PureBasic.exe"));
}

TEST_F(TailVeld, LibraryThatCannotBeLoadedEndsTheRunWithItsMessage) {
  const std::string module = source("x.pbi", ";&&&1 A\r\n");
  const std::string library = systemTemporaryFolder() + "SyntaxHilighting.dll";
  writeFile(library, "not a library");
  {
    // Held open against writing, as by a builder still running: the file there is loaded.
    HANDLE held = CreateFileA(library.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ui::Program tool = ui::Program::start(startWith(module));
    ASSERT_TRUE(tool.valid());
    HWND box = ui::waitForDialog("Error opening", 20000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ui::messageBoxText(box), library);
    ASSERT_TRUE(ui::confirmDialog(box));
    EXPECT_EQ(tool.waitForExit(20000), std::optional<DWORD>(0));
    CloseHandle(held);
  }
  EXPECT_FALSE(fs::exists(root_ / "src" / "x.veld"));

  // A temporary folder that does not exist: no library file after writing it.
  const std::string missing = (root_ / "no such folder").string() + "\\";
  environment_.push_back({"TMP", missing});
  environment_.push_back({"TEMP", missing});
  ui::Program tool = ui::Program::start(startWith(module));
  ASSERT_TRUE(tool.valid());
  HWND box = ui::waitForDialog("Error DLL", 20000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(ui::messageBoxText(box), missing + "SyntaxHilighting.dll\r\nnot found !");
  ASSERT_TRUE(ui::confirmDialog(box));
  EXPECT_EQ(tool.waitForExit(20000), std::optional<DWORD>(0));
  EXPECT_FALSE(fs::exists(root_ / "src" / "x.veld"));
  EXPECT_TRUE(nothingRecorded("veld\\VeldViewer.exe"));
}

TEST_F(TailVeld, TheInstallationsOwnLibraryColoursTheCodeWhenItLoads) {
  const std::string module = source("coloured.pbi", ";&&&1 A\r\n;{+++\r\n; x = 1\r\n;}\r\n");
  const fs::path sdk = fs::path(home_) / "SDK" / "Syntax Highlighting";
  fs::create_directories(sdk);
  // Not loadable under the older spelling; loadable under the newer one.
  writeFile(sdk / "SyntaxHilighting.dll", "not a library");
  fs::copy_file(VELD_E2E_STANDIN_LIBRARY, sdk / "SyntaxHighlighting.dll");
  run(module);
  const std::vector<Entry> entries = packageEntries((root_ / "src" / "coloured.veld").string());
  EXPECT_EQ(entryBytes(entries, "0.html"),
            head("A") + "<HR>\r\n" + kTableOpen + "<font color=#924B72>x = 1</font>\r\n" + kTableClose +
                "</BODY></HTML>\r\n");

  // Without a loadable one, the carried library colours.
  fs::remove(sdk / "SyntaxHighlighting.dll");
  run(module);
  const std::vector<Entry> carried = packageEntries((root_ / "src" / "coloured.veld").string());
  EXPECT_EQ(entryBytes(carried, "0.html").find("#924B72"), std::string::npos);
  EXPECT_EQ(readFile(systemTemporaryFolder() + "SyntaxHilighting.dll"), readFile(VELD_E2E_CARRIED_DLL));
}

}  // namespace
