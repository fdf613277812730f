// The modules the installer ships are data that users compile and read: check that they would
// compile as far as we can tell here (every procedure declared as it is defined) and that their
// tags make the pages they are meant to.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

std::string readModule(const std::string& name) {
  std::ifstream in(std::string(VELD_PAYLOAD_SOURCE) + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The lines of a text; fails the test on any line end but CR LF and on bytes outside printable
// ASCII (tabs only where allowed).
std::vector<std::string> crlfLines(const std::string& text, bool tabs = false) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t cr = text.find('\r', start);
    EXPECT_NE(cr, std::string::npos) << "last line without CR LF";
    if (cr == std::string::npos) break;
    EXPECT_TRUE(cr + 1 < text.size() && text[cr + 1] == '\n') << "CR without LF after line " << lines.size() + 1;
    std::string line = text.substr(start, cr - start);
    for (unsigned char c : line)
      EXPECT_TRUE((c >= 0x20 && c < 0x7F) || (tabs && c == '\t')) << "byte " << int(c) << " in line " << lines.size() + 1;
    lines.push_back(std::move(line));
    start = cr + 2;
  }
  return lines;
}

std::string trimmed(const std::string& line) { return line.substr(std::min(line.find_first_not_of(' '), line.size())); }
bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }
bool endsWith(const std::string& s, const std::string& suffix) {
  return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// What a walk through the tags finds; problems are reported as they are met.
struct TagWalk {
  std::vector<std::string> titles;
  std::map<std::string, int> tagCounts;  // ";&&&0", ";>>>", ";}*", ...
  std::map<std::string, std::string> topicOfProcedure;
};

void walkTags(const std::vector<std::string>& lines, TagWalk& walk) {
  int level = 0;
  enum class Capture { None, Procedure, Folding } capture = Capture::None;
  std::string topic;
  // A "<" that starts a name, an end tag or a declaration would turn code into markup on the page.
  const std::regex markup("<[A-Za-z/!?]|&[A-Za-z#][A-Za-z0-9]*;");
  const std::regex procedureName(R"(^Procedure(?:\.\w)? (\w+)\()");

  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string line = trimmed(lines[i]);
    const std::string where = "line " + std::to_string(i + 1) + ": " + lines[i];
    if (startsWith(line, ";&&&")) {
      EXPECT_EQ(capture, Capture::None) << "a topic inside an open capture, " << where;
      const std::size_t blank = line.find(' ');
      ASSERT_NE(blank, std::string::npos) << where;
      const std::string kind = line.substr(4, blank - 4);
      EXPECT_TRUE(kind == "0" || kind == "1" || kind == "2") << where;
      topic = line.substr(blank + 1);
      EXPECT_FALSE(topic.empty()) << where;
      EXPECT_EQ(topic.find(','), std::string::npos) << "a comma cuts the title in the tree, " << where;
      walk.titles.push_back(topic);
      ++walk.tagCounts[";&&&" + kind];
    } else if (startsWith(line, ";>>>")) {
      ++level;
      ++walk.tagCounts[";>>>"];
    } else if (startsWith(line, ";<<<")) {
      EXPECT_GT(level, 0) << where;
      --level;
      ++walk.tagCounts[";<<<"];
    } else if (startsWith(line, ";///")) {
      ++walk.tagCounts[";///"];
    } else if (startsWith(line, ";{+++")) {
      EXPECT_EQ(capture, Capture::None) << where;
      capture = Capture::Folding;
      ++walk.tagCounts[";{+++"];
    } else if (startsWith(line, ";}")) {
      EXPECT_EQ(capture, Capture::Folding) << where;
      capture = Capture::None;
      ++walk.tagCounts[line.size() > 2 && line[2] == '*' ? ";}*" : ";}"];
    } else if (startsWith(line, "Procedure") && endsWith(line, ";+++")) {
      EXPECT_EQ(capture, Capture::None) << where;
      EXPECT_TRUE(endsWith(line, " ;+++")) << where;
      capture = Capture::Procedure;
      ++walk.tagCounts[";+++"];
      std::smatch name;
      ASSERT_TRUE(std::regex_search(line, name, procedureName)) << where;
      walk.topicOfProcedure[name[1]] = topic;
    } else if (startsWith(line, "EndProcedure") && capture == Capture::Procedure) {
      capture = Capture::None;
    } else if (capture == Capture::Folding) {
      EXPECT_TRUE(startsWith(line, ";")) << "an uncommented line in a block, " << where;
    }
    if (capture != Capture::None && !startsWith(line, ";///")) {
      EXPECT_FALSE(std::regex_search(line, markup)) << "code that reads as markup, " << where;
    }
  }
  EXPECT_EQ(capture, Capture::None) << "a capture still open at the end";
  EXPECT_EQ(level, 0) << "levels do not return to the top";
}

TEST(PayloadModules, BriskLibDeclaresEveryProcedureAsDefinedAndDocumentsIt) {
  const std::vector<std::string> lines = crlfLines(readModule("BriskLib.pbi"));
  ASSERT_FALSE(lines.empty());

  std::set<std::string> declared, defined;
  bool inDeclarations = false, inModule = false;
  for (const std::string& raw : lines) {
    const std::string line = trimmed(raw);
    if (startsWith(line, "DeclareModule ")) inDeclarations = true;
    if (startsWith(line, "EndDeclareModule")) inDeclarations = false;
    if (startsWith(line, "Module ")) inModule = true;
    if (startsWith(line, "EndModule")) inModule = false;
    if (inDeclarations && startsWith(line, "Declare") && !startsWith(line, "DeclareModule")) {
      EXPECT_TRUE(declared.insert(line.substr(7)).second) << "declared twice: " << line;
    }
    if (startsWith(line, "Procedure") && !startsWith(line, "ProcedureReturn")) {
      EXPECT_TRUE(inModule) << "a procedure outside the module: " << line;
      ASSERT_TRUE(endsWith(line, " ;+++")) << "a procedure without its page: " << line;
      EXPECT_TRUE(defined.insert(line.substr(9, line.size() - 9 - 5)).second) << "defined twice: " << line;
    }
  }
  EXPECT_EQ(declared, defined);
  EXPECT_GE(defined.size(), 50u);

  TagWalk walk;
  walkTags(lines, walk);
  EXPECT_EQ(walk.topicOfProcedure.size(), defined.size());
  for (const auto& [procedure, topic] : walk.topicOfProcedure)
    EXPECT_EQ(topic, procedure) << "the page of " << procedure << " is titled otherwise";

  std::set<std::string> titles;
  for (const std::string& title : walk.titles) EXPECT_TRUE(titles.insert(title).second) << "two topics titled " << title;
  EXPECT_EQ(walk.titles.front(), "Index");
  EXPECT_EQ(titles.count("Compilation"), 0u);
}

TEST(PayloadModules, ExampleShowsEveryTag) {
  const std::vector<std::string> lines = crlfLines(readModule("example.pbi"));
  ASSERT_FALSE(lines.empty());
  TagWalk walk;
  walkTags(lines, walk);
  for (const char* tag : {";&&&0", ";&&&1", ";&&&2", ";>>>", ";<<<", ";///", ";+++", ";{+++", ";}", ";}*"})
    EXPECT_GT(walk.tagCounts.count(tag) ? walk.tagCounts.at(tag) : 0, 0) << tag;
  EXPECT_EQ(walk.titles.front(), "Index");
}

TEST(PayloadModules, HelpPageIsOneCrLfDocument) {
  const std::string page = readModule("Veld.html");
  const std::vector<std::string> lines = crlfLines(page, true);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">");
  for (const char* text :
       {"Veld is an help file (help extracted from source code) which could include functions, sources and tips.",
        "Veld is useful as reminder and for adding help to PureBasic modules.", "CTRL+F1 to see the veld file",
        "CTRL+F12 to compile the veld file", "<B>Usage</B>", "<B>Tags</B>", "<B>HTML</B>"})
    EXPECT_NE(page.find(text), std::string::npos) << text;
}

}  // namespace
