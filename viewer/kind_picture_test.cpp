#include "viewer/kind_picture.h"

#include <gtest/gtest.h>
#include <png.h>

#include "common/archive_access.h"
#include "viewer/test_package.h"

namespace veld {
namespace {

TEST(KindPicture, OnlyTheViewersOwnKindsHavePictures) {
  const struct {
    const char* kind;
    const char* name;
  } cases[] = {{"0", "0.png"}, {"1", "1.png"}, {"2", "2.png"}, {"7", ""},   {"", ""},
               {" 1", ""},     {"01", ""},     {"..\\..\\x", ""}, {"0/", ""}};
  for (const auto& c : cases) EXPECT_EQ(kindPictureName(c.kind), c.name) << c.kind;
}

std::string encodePng(int width, int height, const std::vector<std::uint8_t>& rgba) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr));
  std::string out(size, '\0');
  EXPECT_TRUE(png_image_write_to_memory(&image, &out[0], &size, 0, rgba.data(), 0, nullptr));
  out.resize(size);
  return out;
}

TEST(KindPicture, DecodesPngAndRefusesEverythingElse) {
  const std::vector<std::uint8_t> pixels = {0, 0, 0, 255, 10, 20, 30, 0, 1, 2, 3, 128, 4, 5, 6, 64};
  const std::string png = encodePng(2, 2, pixels);
  Picture p;
  ASSERT_TRUE(decodePng(png, p));
  EXPECT_EQ(p.width, 2);
  EXPECT_EQ(p.height, 2);
  EXPECT_EQ(p.rgba, pixels);

  for (const std::string& bad : {std::string(), std::string("not a picture"), png.substr(0, png.size() / 2),
                                 png.substr(0, 8)}) {
    EXPECT_FALSE(decodePng(bad, p));
    EXPECT_EQ(p.width, 0);
  }
  // A header that claims an enormous picture is refused before anything is allocated.
  std::string huge = png;
  huge[16] = 0x7F;  // width, most significant byte
  EXPECT_FALSE(decodePng(huge, p));
}

TEST(KindPicture, ScalingAveragesCoverageWithoutDarkeningEdges) {
  // 2x2 -> 1x1: one opaque white pixel and three transparent black ones.
  Picture src{2, 2, {255, 255, 255, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}};
  const Picture one = scalePicture(src, 1, 1);
  EXPECT_EQ(one.rgba, (std::vector<std::uint8_t>{255, 255, 255, 64}));
  const Picture same = scalePicture(src, 2, 2);
  EXPECT_EQ(same.rgba, src.rgba);
  EXPECT_TRUE(scalePicture(src, 0, 5).rgba.empty());
  EXPECT_EQ(premultipliedBgra(Picture{1, 1, {200, 100, 50, 128}}), (std::vector<std::uint8_t>{25, 50, 100, 128}));
}

// The carried archive: three stored entries, each a 32x32 picture of black on transparent.
TEST(KindPicture, CarriedIconArchive) {
  ArchiveAccess archive(Encoding::Utf8);
  ASSERT_TRUE(archive.openArchive(std::string(VELD_VIEWER_ICONS) + "VeldViewer.zip"));
  ASSERT_TRUE(archive.examineEntries());
  std::vector<std::string> names;
  while (archive.nextEntry()) {
    names.push_back(archive.entryName());
    EXPECT_EQ(archive.entrySize(), archive.entryCompressedSize()) << "stored without compression";
    std::string bytes(static_cast<std::size_t>(archive.entrySize()), '\0');
    ASSERT_EQ(archive.extractEntryToMemory(&bytes[0], bytes.size()), archive.entrySize());
    Picture p;
    ASSERT_TRUE(decodePng(bytes, p)) << names.back();
    EXPECT_EQ(p.width, 32);
    EXPECT_EQ(p.height, 32);
    int opaque = 0, clear = 0;
    for (std::size_t i = 0; i < p.rgba.size(); i += 4) {
      EXPECT_EQ(p.rgba[i] | p.rgba[i + 1] | p.rgba[i + 2], 0) << "black only";
      opaque += p.rgba[i + 3] == 255;
      clear += p.rgba[i + 3] == 0;
    }
    EXPECT_GT(opaque, 40) << names.back();
    EXPECT_GT(clear, 500) << names.back();
    const Picture small = scalePicture(p, 16, 16);
    EXPECT_EQ(small.rgba.size(), 16u * 16u * 4u);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"0.png", "1.png", "2.png"}));
}

}  // namespace
}  // namespace veld
