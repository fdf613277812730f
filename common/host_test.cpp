#include "common/host.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <vector>

namespace veld {
namespace {

class FakeHost final : public Host {
 public:
  std::map<std::string, std::string> environment;
  std::vector<std::string> messages;
  int ends = 0;

  std::string environmentVariable(const std::string& name) override {
    const auto it = environment.find(name);
    return it == environment.end() ? std::string() : it->second;
  }
  void showMessage(const std::string& title, const std::string& text) override {
    messages.push_back(title + "|" + text);
  }
  void endProgram() override { ++ends; }
};

TEST(PureBasicHome, IsTheFolderOfTheIdeProgram) {
  struct Case {
    const char* ide;
    const char* home;
  };
  const Case cases[] = {
      {"C:\\Program Files\\PureBasic\\PureBasic.exe", "C:\\Program Files\\PureBasic\\"},
      {"C:/PB/PureBasic.exe", "C:/PB/"},
      {"C:\\PB/sub\\PureBasic.exe", "C:\\PB/sub\\"},
      {"D:\\PB\\", "D:\\PB\\"},
      {"PureBasic.exe", ""},
      {"C:\\D\xE9j\xE0\\PureBasic.exe", "C:\\D\xE9j\xE0\\"},
  };
  for (const Case& c : cases) {
    FakeHost host;
    host.environment[kToolIdeVariable] = c.ide;
    EXPECT_EQ(pureBasicHome(host), c.home) << c.ide;
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.ends, 0);
  }
}

TEST(PureBasicHome, WithoutTheIdeShowsTheFatalMessageAndEnds) {
  for (bool set : {false, true}) {
    FakeHost host;
    if (set) host.environment[kToolIdeVariable] = "";
    EXPECT_EQ(pureBasicHome(host), "");
    EXPECT_EQ(host.messages, std::vector<std::string>{"Error|This executable must start from PB-IDE !"});
    EXPECT_EQ(host.ends, 1);
  }
}

TEST(FolderPart, KeepsTheLastSeparator) {
  EXPECT_EQ(folderPart(""), "");
  EXPECT_EQ(folderPart("\\"), "\\");
  EXPECT_EQ(folderPart("a/b\\c"), "a/b\\");
}

TEST(SystemHost, ReadsTheEnvironment) {
  const std::string longValue = "C:\\" + std::string(1000, 'p') + "\\PureBasic.exe";  // beyond any first guess
  const std::string assignment = std::string(kToolIdeVariable) + "=" + longValue;
#ifdef _WIN32
  ASSERT_EQ(_putenv(assignment.c_str()), 0);
#else
  ASSERT_EQ(setenv(kToolIdeVariable, longValue.c_str(), 1), 0);
#endif
  for (Encoding e : {Encoding::Ansi, Encoding::Utf8}) {
    std::unique_ptr<Host> host = makeSystemHost(e, nullptr);
    EXPECT_EQ(host->environmentVariable(kToolIdeVariable), longValue);
    EXPECT_EQ(host->environmentVariable("VELD_SURELY_UNSET_VARIABLE_4711"), "");
    EXPECT_EQ(pureBasicHome(*host), "C:\\" + std::string(1000, 'p') + "\\");
  }
}

}  // namespace
}  // namespace veld
