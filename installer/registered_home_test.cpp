#include "installer/registered_home.h"

#include <gtest/gtest.h>

namespace veld {
namespace {

struct HomeCase {
  const char* value;
  const char* home;
};

TEST(RegisteredHome, FolderOfTheIconLocation) {
  const HomeCase cases[] = {
      {"C:\\PureBasic\\PureBasic.exe,0", "C:\\PureBasic\\"},
      {"\"C:\\Program Files\\PureBasic\\PureBasic.exe\",1", "C:\\Program Files\\PureBasic\\"},
      {"C:\\PureBasic\\PureBasic.exe", "C:\\PureBasic\\"},     // no comma: the whole value
      {"PureBasic.exe,0", ""},                                 // no separator: no home
      {"C:\\Tools,Old\\PureBasic.exe,0", "C:\\"},              // a comma in the home cuts it
      {"%ProgramFiles%\\PureBasic\\PureBasic.exe,0", "%ProgramFiles%\\PureBasic\\"},  // unexpanded
      {"D:/pb/PureBasic.exe,0", "D:/pb/"},
      {"C:\\PB\\PureBasic.exe|C:\\Other\\x,0", "C:\\PB\\"},    // separators after "|" do not count
      {"", ""},
      {"\"", ""},
      {"\\\\server\\share\\PureBasic.exe,2", "\\\\server\\share\\"},
  };
  for (const HomeCase& c : cases) EXPECT_EQ(homeFromIconValue(c.value), c.home) << "value: " << c.value;
}

}  // namespace
}  // namespace veld
