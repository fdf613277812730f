#include "builder/tailveld_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "builder/memory_build_files.h"

namespace veld {
namespace {

using testing::MemoryFiles;
using testing::MemoryPackage;
using Texts = std::vector<std::string>;

const char kTemp[] = "C:\\Users\\u\\Temp\\";
const char kLibrary[] = "C:\\Users\\u\\Temp\\SyntaxHilighting.dll";
const char kFatal[] = "Error|This executable must start from PB-IDE !";

class FakeHost final : public Host {
 public:
  std::map<std::string, std::string> environment;
  Texts messages;  // "title|text"
  int ends = 0;

  std::string environmentVariable(const std::string& name) override {
    auto it = environment.find(name);
    return it == environment.end() ? std::string() : it->second;
  }
  void showMessage(const std::string& title, const std::string& text) override {
    messages.push_back(title + "|" + text);
  }
  void endProgram() override { ++ends; }
};

// Loads whatever file is there unless its bytes say otherwise.
class FakeLibrary final : public SyntaxLibrary {
 public:
  explicit FakeLibrary(MemoryFiles& files) : files_(files) {}
  Texts loads;  // the bytes of each library loaded
  bool loaded = false;

  std::string_view carriedBytes() override { return "carried library"; }
  bool load(const std::string& path) override {
    if (!files_.exists(path) || files_.at(path) == "not a library") return false;
    loads.push_back(files_.at(path));
    loaded = true;
    return true;
  }
  void unload() override { loaded = false; }
  HighlightFunction highlightFunction() override {
    if (!loaded || loads.back() == "library without the export") return {};
    return [](const char*, std::size_t, HighlightCallback) {};
  }

 private:
  MemoryFiles& files_;
};

class FakeDialog final : public FileDialog {
 public:
  std::string answer;
  Texts calls;  // "title|folder|filter"
  std::string chooseFile(const std::string& title, const std::string& initialFolder,
                         const std::string& filter) override {
    calls.push_back(title + "|" + initialFolder + "|" + filter);
    return answer;
  }
};

class FakeProcesses final : public ProcessStarter {
 public:
  Texts started;
  bool startProgram(const std::string& commandLine) override {
    started.push_back(commandLine);
    return true;
  }
};

class FixedClock final : public Clock {
 public:
  LocalTime now() override { return {2013, 11, 23, 11, 30, 2}; }
};

struct ToolRun {
  MemoryFiles files;
  MemoryPackage package{files};
  FakeHost host;
  FakeLibrary library{files};
  FakeDialog dialog;
  FakeProcesses processes;
  FixedClock clock;

  // A PureBasic installation as the IDE presents it to its tools.
  void fromIde() {
    host.environment["PB_TOOL_IDE"] = "C:\\PB\\PureBasic.exe";
    // The preference file is read from the real file system: a path where surely none is.
    host.environment["PB_TOOL_Preferences"] =
        (std::filesystem::temp_directory_path() / "veld-no-such-folder" / "PureBasic.prefs").string();
    files.files["C:\\PB\\PureBasic.exe"] = "ide";
    files.files["C:\\PB\\veld\\VeldViewer.exe"] = "viewer";
    files.files["C:\\src\\x.pbi"] = ";&&&2 Tips\r\n;/// Some useful tips\r\n";
    files.folders.insert("C:\\PB\\veld\\");
  }

  void run(const std::string& argument) {
    TailVeldSystem system{host, files, package, library, dialog, processes, clock, kTemp};
    runTailVeld(argument, system);
  }
};

TEST(TailVeldRun, OutsideTheIdeDeploysTheLibraryThenEndsWithTheFatalMessage) {
  ToolRun r;
  r.run("");
  EXPECT_EQ(r.files.at(kLibrary), "carried library");
  EXPECT_EQ(r.library.loads, Texts{"carried library"});
  EXPECT_EQ(r.host.messages, Texts{kFatal});
  EXPECT_EQ(r.host.ends, 1);
  EXPECT_TRUE(r.dialog.calls.empty());
  EXPECT_TRUE(r.processes.started.empty());
}

TEST(TailVeldRun, OnlyAnExistingLowerCasePbiIsBuilt) {
  const struct {
    const char* argument;
    bool builds;
  } cases[] = {
      {"C:\\src\\x.pbi", true},
      {"C:\\src\\Example.PBI", false},
      {"C:\\src\\x.pb", false},
      {"C:\\src\\missing.pbi", false},
      {"C:\\src\\noext", false},
      {"C:\\dot.pbi\\noext", false},
      {"", false},
  };
  for (const auto& c : cases) {
    ToolRun r;
    r.fromIde();
    for (const char* path : {"C:\\src\\Example.PBI", "C:\\src\\x.pb", "C:\\src\\noext", "C:\\dot.pbi\\noext"}) {
      r.files.files[path] = ";&&&1 T\r\n";
    }
    r.run(c.argument);
    EXPECT_EQ(r.package.created, c.builds) << c.argument;
    EXPECT_EQ(r.dialog.calls.size(), c.builds ? 0u : 1u) << c.argument;
  }
}

TEST(TailVeldRun, FallbackDialogThenTheIdeOnTheChosenFile) {
  ToolRun r;
  r.fromIde();
  r.files.files["C:\\src\\other.pb"] = "x";
  r.dialog.answer = "C:\\src\\other.pb";
  r.run("C:\\src\\x.pb");
  EXPECT_EQ(r.dialog.calls, Texts{"PureBasic Module|C:\\PB\\veld\\|PureBasic files (*.pb;*.pbi)|*.pb;*.pbi"});
  EXPECT_EQ(r.processes.started, Texts{"\"C:\\PB\\PureBasic.exe\" \"C:\\src\\other.pb\""});
  EXPECT_FALSE(r.package.created);
  EXPECT_TRUE(r.host.messages.empty());
}

TEST(TailVeldRun, CancelledOrMissingChoiceStartsNothing) {
  for (const char* answer : {"", "C:\\src\\typed but missing.pbi"}) {
    ToolRun r;
    r.fromIde();
    r.dialog.answer = answer;
    r.run("");
    EXPECT_EQ(r.dialog.calls.size(), 1u);
    EXPECT_TRUE(r.processes.started.empty()) << answer;
  }
}

TEST(TailVeldRun, BuildThenTheViewerOnTheNewPackage) {
  ToolRun r;
  r.fromIde();
  r.run("C:\\src\\x.pbi");
  EXPECT_EQ(r.package.path, "C:\\src\\x.veld");
  EXPECT_EQ(r.package.names(), (Texts{"0.html", "1.html", "index.txt"}));
  EXPECT_EQ(r.package.entry("index.txt"), "0,2,Tips\r\n0,1,Compilation\r\n");
  EXPECT_NE(r.package.entry("1.html").find("<HR>\r\n23/11/13 11:30:02\r\n<BR>TailVeld 1.0.0.9\r\n<BR>PureBasic \r\n"),
            std::string::npos);  // the preference file is missing: no version
  EXPECT_EQ(r.processes.started, Texts{"\"C:\\PB\\veld\\VeldViewer.exe\" \"C:\\src\\x.veld\""});
  EXPECT_TRUE(r.host.messages.empty());
  EXPECT_EQ(r.host.ends, 0);
}

TEST(TailVeldRun, IdeVersionComesFromThePreferenceFile) {
  const std::filesystem::path prefs = std::filesystem::temp_directory_path() / "veld-run-test.prefs";
  std::ofstream(prefs, std::ios::binary) << "\xEF\xBB\xBF[Global]\r\nVersion = 521\r\n";
  ToolRun r;
  r.fromIde();
  r.host.environment["PB_TOOL_Preferences"] = prefs.string();
  r.run("C:\\src\\x.pbi");
  std::filesystem::remove(prefs);
  EXPECT_NE(r.package.entry("1.html").find("<BR>PureBasic 5.21\r\n"), std::string::npos);
}

TEST(TailVeldRun, MissingViewerOrPackageStartsNothing) {
  ToolRun r;
  r.fromIde();
  r.files.files.erase("C:\\PB\\veld\\VeldViewer.exe");
  r.run("C:\\src\\x.pbi");
  EXPECT_TRUE(r.package.closed);
  EXPECT_TRUE(r.processes.started.empty());
}

TEST(TailVeldRun, MissingToolVariableEndsTheBuildBeforeAnyPackageExists) {
  for (const char* variable : {"PB_TOOL_IDE", "PB_TOOL_Preferences"}) {
    ToolRun r;
    r.fromIde();
    r.host.environment.erase(variable);
    r.run("C:\\src\\x.pbi");
    EXPECT_EQ(r.host.messages, Texts{kFatal}) << variable;
    EXPECT_EQ(r.host.ends, 1);
    EXPECT_FALSE(r.package.created) << variable;
    EXPECT_EQ(r.files.exists("C:\\src\\x.veld"), false);
    EXPECT_TRUE(r.processes.started.empty());
  }
}

TEST(TailVeldRun, LibraryThatCannotBeWrittenOrLoaded) {
  {
    ToolRun r;  // nothing at the path after writing
    r.fromIde();
    r.files.unwritable.insert(kLibrary);
    r.run("C:\\src\\x.pbi");
    EXPECT_EQ(r.host.messages, Texts{std::string("Error DLL|") + kLibrary + "\r\nnot found !"});
    EXPECT_EQ(r.host.ends, 1);
    EXPECT_FALSE(r.package.created);
  }
  {
    ToolRun r;  // a file left by another builder that still has it loaded: that one is used
    r.fromIde();
    r.files.files[kLibrary] = "library of another run";
    r.files.unwritable.insert(kLibrary);
    r.run("C:\\src\\x.pbi");
    EXPECT_EQ(r.library.loads, Texts{"library of another run"});
    EXPECT_TRUE(r.host.messages.empty());
    EXPECT_TRUE(r.package.closed);
  }
  {
    ToolRun r;  // there, but not a library
    r.fromIde();
    r.files.files[kLibrary] = "not a library";
    r.files.unwritable.insert(kLibrary);
    r.run("");
    EXPECT_EQ(r.host.messages, Texts{std::string("Error opening|") + kLibrary});
    EXPECT_TRUE(r.dialog.calls.empty());
  }
}

TEST(TailVeldRun, TheIdesOwnLibraryIsPreferredWhenItLoads) {
  const struct {
    const char* name;
    std::map<std::string, std::string> inHome;
    const char* used;
  } cases[] = {
      {"older spelling", {{"SDK\\Syntax Highlighting\\SyntaxHilighting.dll", "ide library"}}, "ide library"},
      {"newer spelling", {{"SDK\\Syntax Highlighting\\SyntaxHighlighting.dll", "ide library"}}, "ide library"},
      {"a library this program cannot load",
       {{"SDK\\Syntax Highlighting\\SyntaxHighlighting.dll", "not a library"}}, "carried library"},
      {"a library without the export",
       {{"SDK\\Syntax Highlighting\\SyntaxHilighting.dll", "library without the export"}}, "carried library"},
      {"none", {}, "carried library"},
  };
  for (const auto& c : cases) {
    ToolRun r;
    r.fromIde();
    for (const auto& [relative, bytes] : c.inHome) r.files.files["C:\\PB\\" + relative] = bytes;
    r.run("C:\\src\\x.pbi");
    ASSERT_FALSE(r.library.loads.empty()) << c.name;
    EXPECT_EQ(r.library.loads.back(), c.used) << c.name;
    EXPECT_TRUE(r.library.loaded) << c.name;
    EXPECT_EQ(r.files.at(kLibrary), c.used) << c.name;
    EXPECT_TRUE(r.host.messages.empty()) << c.name;
  }
}

TEST(TailVeldRun, FirstArgumentLosesItsQuotes) {
  const struct {
    const char* commandLine;
    const char* argument;
  } cases[] = {
      {"\"C:\\Program Files\\PB\\veld\\TailVeld.exe\" \"C:\\my src\\x.pbi\"", "C:\\my src\\x.pbi"},
      {"TailVeld.exe C:\\src\\x.pbi", "C:\\src\\x.pbi"},
      {"TailVeld.exe   \t C:\\src\\x.pbi second", "C:\\src\\x.pbi"},
      {"TailVeld.exe \"C:\\unclosed quote.pbi", "C:\\unclosed quote.pbi"},
      {"TailVeld.exe", ""},
      {"\"TailVeld.exe\"", ""},
      {"TailVeld.exe \"\"", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(firstArgument(c.commandLine), c.argument) << c.commandLine;
}

TEST(TailVeldRun, ProgramPathIsQuotedOnce) {
  EXPECT_EQ(commandLineFor("C:\\PB\\veld\\VeldViewer.exe", "\"C:\\a b.veld\""),
            "\"C:\\PB\\veld\\VeldViewer.exe\" \"C:\\a b.veld\"");
  EXPECT_EQ(commandLineFor("\"C:\\PB\\PureBasic.exe\"", "\"x.pb\""), "\"C:\\PB\\PureBasic.exe\" \"x.pb\"");
}

}  // namespace
}  // namespace veld
