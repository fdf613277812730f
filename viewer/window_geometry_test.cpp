#include "viewer/window_geometry.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "viewer/test_package.h"

namespace veld {
namespace {

namespace fs = std::filesystem;

TEST(WindowGeometry, SettingsFileBesideTheProgram) {
  EXPECT_EQ(settingsPathFor("C:\\PureBasic\\veld\\VeldViewer.exe"), "C:\\PureBasic\\veld\\VeldViewer.ini");
  EXPECT_EQ(settingsPathFor("D:/tools/Viewer2.EXE"), "D:/tools/Viewer2.ini");
  EXPECT_EQ(settingsPathFor("C:\\x.y\\Plain"), "C:\\x.y\\Plain.ini");
}

class GeometryFileTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = testpkg::freshFolder("veld-geometry");
    ASSERT_FALSE(dir_.empty());
    path_ = dir_ + "VeldViewer.ini";
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(fs::u8path(dir_), ec);
  }
  bool exists() { return fs::exists(fs::u8path(path_)); }

  PreferenceStore store_{Encoding::Utf8};
  std::string dir_, path_;
};

TEST_F(GeometryFileTest, FirstRunCreatesTheFileAndTheNextRunReadsIt) {
  EXPECT_EQ(restoreGeometry(store_, path_, exists()), std::nullopt);
  EXPECT_FALSE(exists());  // looking does not create it
  saveGeometry(store_, path_, Geometry{-12, 34, 800, 600});
  EXPECT_EQ(testpkg::readBytes(path_),
            "\xEF\xBB\xBF\r\n[Windows]\r\nx = -12\r\ny = 34\r\nwidth = 800\r\nheight = 600\r\n");
  EXPECT_EQ(restoreGeometry(store_, path_, exists()), (Geometry{-12, 34, 800, 600}));
  saveGeometry(store_, path_, Geometry{1, 2, 500, 150});
  EXPECT_EQ(restoreGeometry(store_, path_, exists()), (Geometry{1, 2, 500, 150}));
}

TEST_F(GeometryFileTest, MissingKeysReadAsZeroAndOtherContentStays) {
  ASSERT_TRUE(testpkg::writeBytes(path_, "[Other]\r\nkeep = 1\r\n[Windows]\r\nwidth = 640\r\nx = abc\r\n"));
  EXPECT_EQ(restoreGeometry(store_, path_, exists()), (Geometry{0, 0, 640, 0}));
  ASSERT_TRUE(testpkg::writeBytes(path_, ""));
  EXPECT_EQ(restoreGeometry(store_, path_, exists()), (Geometry{0, 0, 0, 0}));
  ASSERT_TRUE(testpkg::writeBytes(path_, "[Other]\r\nkeep = 1\r\n"));
  saveGeometry(store_, path_, Geometry{5, 6, 700, 500});
  EXPECT_EQ(testpkg::readBytes(path_),
            "\xEF\xBB\xBF\r\n[Other]\r\nkeep = 1\r\n[Windows]\r\nx = 5\r\ny = 6\r\nwidth = 700\r\nheight = 500\r\n");
}

TEST(WindowGeometry, MinimisedWindowKeepsItsRestoredPlace) {
  WindowPlace place;
  place.current = Geometry{-32000, -32000, 160, 0};  // what a minimised window reports
  place.normalLeft = 100;
  place.normalTop = 50;
  place.normalOuterWidth = 816;
  place.normalOuterHeight = 639;
  place.frameWidth = 16;
  place.frameHeight = 39;
  place.minimised = true;
  EXPECT_EQ(geometryToKeep(place), (Geometry{100, 50, 800, 600}));
  place.minimised = false;  // maximised or normal: as it is now
  EXPECT_EQ(geometryToKeep(place), (Geometry{-32000, -32000, 160, 0}));
}

}  // namespace
}  // namespace veld
