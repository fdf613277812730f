#include "viewer/package_selection.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace veld {
namespace {

TEST(PathParts, NamesAndExtensions) {
  const struct {
    const char* path;
    const char* fileName;
    const char* extension;
    const char* bare;
  } cases[] = {
      {"C:\\PB\\veld\\example.veld", "example.veld", "veld", "example"},
      {"C:/a.b/file", "file", "", "file"},  // a dot in a folder is no extension
      {"lib.pbi", "lib.pbi", "pbi", "lib"},
      {"C:\\x\\a.tar.gz", "a.tar.gz", "gz", "a.tar"},
      {"C:\\x\\", "", "", ""},
      {"name.", "name.", "", "name"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fileNameOf(c.path), c.fileName) << c.path;
    EXPECT_EQ(extensionOf(c.path), c.extension) << c.path;
    EXPECT_EQ(nameWithoutExtension(fileNameOf(c.path)), c.bare) << c.path;
  }
}

TEST(CommandLine, FirstArgument) {
  const struct {
    const char* commandLine;
    const char* argument;
  } cases[] = {
      {"VeldViewer.exe", ""},
      {"\"C:\\Program Files\\VeldViewer.exe\"", ""},
      {"\"C:\\Program Files\\VeldViewer.exe\" \"C:\\My Docs\\a.veld\" second", "C:\\My Docs\\a.veld"},
      {"VeldViewer.exe C:\\My Docs\\a.veld", "C:\\My"},  // an unquoted argument ends at a blank
      {"VeldViewer.exe   a.veld", "a.veld"},
      {"VeldViewer.exe \"unclosed path", "unclosed path"},
      {"VeldViewer.exe \"\" b", ""},
      {"\"VeldViewer.exe\"x.veld", "x.veld"},
  };
  for (const auto& c : cases) EXPECT_EQ(firstArgument(commandLineArguments(c.commandLine)), c.argument) << c.commandLine;
}

// Files and folders in memory; the IDE's home and the requester's answer are set per case.
class FakeSystem : public SelectionSystem {
 public:
  std::map<std::string, std::string> files;
  std::set<std::string> unreadable;
  std::set<std::string> folders;
  std::optional<std::string> home;  // nullopt: not started by the IDE
  std::string answer;               // the requester's choice

  int fatalMessages = 0;
  int requesters = 0;
  std::string requesterTitle, requesterPath, requesterDescription, requesterPattern;

  bool exists(const std::string& path) override { return files.count(path) > 0 || folders.count(path) > 0; }
  std::int64_t fileSize(const std::string& path) override {
    const auto f = files.find(path);
    return f == files.end() ? -1 : static_cast<std::int64_t>(f->second.size());
  }
  bool readFile(const std::string& path, std::string& bytes) override {
    const auto f = files.find(path);
    if (f == files.end() || unreadable.count(path) > 0) return false;
    bytes = f->second;
    return true;
  }
  std::optional<std::string> pureBasicHome() override {
    if (!home) ++fatalMessages;
    return home;
  }
  std::string requestFile(const std::string& title, const std::string& initialPath, const std::string& description,
                          const std::string& pattern) override {
    ++requesters;
    requesterTitle = title;
    requesterPath = initialPath;
    requesterDescription = description;
    requesterPattern = pattern;
    return answer;
  }
};

constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr char kHome[] = "C:\\PureBasic\\";
constexpr char kExample[] = "C:\\PureBasic\\veld\\example.veld";
constexpr char kSource[] = "C:\\src\\main.pb";

TEST(PackageFromSource, FirstIncludeLineNamesThePackage) {
  const struct {
    std::string source;
    std::string package;  // empty: no matching line
  } cases[] = {
      {std::string(kBom) + "XIncludeFile #PB_Compiler_Home+\"veld\\example.pbi\"\r\n", kExample},
      {"; comment\r\nXIncludeFile #PB_Compiler_Home+\"veld\\example.pbi\"\r\n", kExample},
      // Without a byte-order mark the first line loses its first character and so never matches.
      {"XIncludeFile #PB_Compiler_Home+\"veld\\example.pbi\"\r\n", ""},
      {";\r\n   XIncludeFile #PB_Compiler_Home+\"veld\\example.pbi\"", kExample},  // blanks before it are fine
      {";\r\n\tXIncludeFile #PB_Compiler_Home+\"veld\\example.pbi\"", ""},        // a tab is not
      {";\r\nXIncludeFile #PB_Compiler_Home + \"veld\\example.pbi\"", "C:\\PureBasic\\  veld\\example.veld"},
      {";\r\nXIncludeFile \"lib.pbi\"\r\nXIncludeFile #PB_Compiler_Home+\"veld\\example.pbi\"", "lib.veld"},
      {";\r\nxincludefile \"lib.pbi\"", ""},  // compared with case
      {";\r\nXIncludeFile\"lib.pbi\"", "XIncludeFilelib.veld"},  // only "XIncludeFile " with its blank goes
      {";\nIncludeFile \"a.pbi\"\n", ""},
      {"", ""},
  };
  for (const auto& c : cases) {
    FakeSystem sys;
    sys.home = kHome;
    sys.files[kSource] = c.source;
    const SourceScan scan = packageFromSource(kSource, sys);
    EXPECT_FALSE(scan.ended);
    EXPECT_EQ(scan.package, c.package) << c.source;
  }
}

TEST(PackageFromSource, IncludeLineOutsideTheIdeIsFatal) {
  FakeSystem sys;
  sys.files[kSource] = ";\r\nXIncludeFile \"lib.pbi\"";  // even without #PB_Compiler_Home
  const SourceScan scan = packageFromSource(kSource, sys);
  EXPECT_TRUE(scan.ended);
  EXPECT_EQ(sys.fatalMessages, 1);
}

TEST(PackageFromSource, UnreadableSourceHasNoMatch) {
  FakeSystem sys;
  sys.home = kHome;
  sys.files[kSource] = std::string(kBom) + "XIncludeFile \"lib.pbi\"";
  sys.unreadable.insert(kSource);
  EXPECT_EQ(packageFromSource(kSource, sys).package, "");
}

TEST(SelectPackage, ArgumentsAndSources) {
  const std::string included = std::string(kBom) + "XIncludeFile #PB_Compiler_Home+\"veld\\example.pbi\"\r\n";
  const struct {
    const char* name;
    std::string argument;
    std::map<std::string, std::string> files;
    bool fromIde;
    std::string answer;
    bool chosen;
    std::string path;
    int requesters;
    int fatal;
  } cases[] = {
      {"package argument, no IDE needed", kExample, {{kExample, "zip"}}, false, "", true, kExample, 0, 0},
      {"any existing file is taken", "C:\\a.txt", {{"C:\\a.txt", "x"}}, false, "", true, "C:\\a.txt", 0, 0},
      {"source names an existing package", kSource, {{kSource, included}, {kExample, "zip"}}, true, "", true, kExample, 0, 0},
      {"source names a missing package", kSource, {{kSource, included}}, true, "C:\\b.veld", false, "", 1, 0},
      {"PB in capitals is not scanned", "C:\\m.PB", {{"C:\\m.PB", included}, {kExample, "z"}}, false, "", true, "C:\\m.PB", 0, 0},
      {"empty source is not scanned", kSource, {{kSource, ""}}, false, "", true, kSource, 0, 0},
      {"missing source: requester", kSource, {{"C:\\b.veld", "z"}}, true, "C:\\b.veld", true, "C:\\b.veld", 1, 0},
      {"no argument: requester", "", {{"C:\\b.veld", "z"}}, true, "C:\\b.veld", true, "C:\\b.veld", 1, 0},
      {"no argument outside the IDE", "", {}, false, "", false, "", 0, 1},
      {"source without include outside the IDE", kSource, {{kSource, ";x\r\n"}}, false, "", false, "", 0, 1},
      {"include line outside the IDE", kSource, {{kSource, included}, {kExample, "z"}}, false, "", false, "", 0, 1},
      {"requester cancelled", "", {}, true, "", false, "", 1, 0},
      {"typed name that does not exist", "", {}, true, "C:\\none.veld", false, "", 1, 0},
      {"chosen file of another extension", "", {{"C:\\b.VELD", "z"}}, true, "C:\\b.VELD", false, "", 1, 0},
      {"unquoted path cut at a blank names nothing", "C:\\My", {}, true, "", false, "", 1, 0},
  };
  for (const auto& c : cases) {
    FakeSystem sys;
    sys.files = c.files;
    if (c.fromIde) sys.home = kHome;
    sys.answer = c.answer;
    const PackageChoice choice = selectPackage(c.argument, sys);
    EXPECT_EQ(choice.chosen, c.chosen) << c.name;
    EXPECT_EQ(choice.path, c.path) << c.name;
    EXPECT_EQ(sys.requesters, c.requesters) << c.name;
    EXPECT_EQ(sys.fatalMessages, c.fatal) << c.name;
  }
}

TEST(SelectPackage, RequesterOpensInTheVeldFolder) {
  FakeSystem sys;
  sys.home = kHome;
  sys.folders.insert("C:\\folder.veld");
  sys.answer = "C:\\folder.veld";  // an existing folder counts as existing
  const PackageChoice choice = selectPackage("", sys);
  EXPECT_TRUE(choice.chosen);
  EXPECT_EQ(sys.requesterTitle, "VeldViewer : Open a Veld file");
  EXPECT_EQ(sys.requesterPath, "C:\\PureBasic\\veld\\");
  EXPECT_EQ(sys.requesterDescription, "Veld (*.veld)");
  EXPECT_EQ(sys.requesterPattern, "*.veld");
}

}  // namespace
}  // namespace veld
