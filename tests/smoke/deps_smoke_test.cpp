#include <gtest/gtest.h>
#include <png.h>
#include <zip.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string tempZipPath() {
  // A name in the working folder works the same natively and under Wine.
  return "deps_smoke_test.zip";
}

TEST(DepsSmoke, ZipWritesAndReadsBack) {
  const std::string path = tempZipPath();
  std::remove(path.c_str());
  const std::string text(100000, 'v');

  int err = 0;
  zip_t* za = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &err);
  ASSERT_NE(za, nullptr) << "zip_open error " << err;
  zip_source_t* src = zip_source_buffer(za, text.data(), text.size(), 0);
  ASSERT_NE(src, nullptr);
  ASSERT_GE(zip_file_add(za, "0.html", src, ZIP_FL_ENC_UTF_8), 0);
  ASSERT_EQ(zip_close(za), 0);

  za = zip_open(path.c_str(), ZIP_RDONLY, &err);
  ASSERT_NE(za, nullptr);
  ASSERT_EQ(zip_get_num_entries(za, 0), 1);
  zip_stat_t st;
  ASSERT_EQ(zip_stat_index(za, 0, 0, &st), 0);
  EXPECT_STREQ(st.name, "0.html");
  EXPECT_EQ(st.comp_method, ZIP_CM_DEFLATE);
  EXPECT_EQ(st.size, text.size());
  EXPECT_LT(st.comp_size, 1000u);  // deflate really ran
  std::vector<char> back(st.size);
  zip_file_t* f = zip_fopen_index(za, 0, 0);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(zip_fread(f, back.data(), back.size()), static_cast<zip_int64_t>(back.size()));
  zip_fclose(f);
  zip_close(za);
  EXPECT_EQ(std::string(back.begin(), back.end()), text);
  std::remove(path.c_str());
}

struct MemWriter {
  std::vector<unsigned char> bytes;
};

void writeToVector(png_structp png, png_bytep data, png_size_t len) {
  auto* w = static_cast<MemWriter*>(png_get_io_ptr(png));
  w->bytes.insert(w->bytes.end(), data, data + len);
}

TEST(DepsSmoke, PngEncodesAndDecodes) {
  const int w = 32, h = 32;
  std::vector<unsigned char> rgba(w * h * 4);
  for (int i = 0; i < w * h; ++i) {
    rgba[i * 4 + 0] = static_cast<unsigned char>(i);
    rgba[i * 4 + 1] = 0;
    rgba[i * 4 + 2] = 0;
    rgba[i * 4 + 3] = (i % 2) ? 255 : 0;
  }
  // Encode with the write API into memory.
  MemWriter out;
  png_structp wp = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop wi = png_create_info_struct(wp);
  ASSERT_EQ(setjmp(png_jmpbuf(wp)), 0);
  png_set_write_fn(wp, &out, writeToVector, nullptr);
  png_set_IHDR(wp, wi, w, h, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(wp, wi);
  for (int y = 0; y < h; ++y) png_write_row(wp, rgba.data() + y * w * 4);
  png_write_end(wp, nullptr);
  png_destroy_write_struct(&wp, &wi);
  ASSERT_GT(out.bytes.size(), 8u);
  EXPECT_EQ(png_sig_cmp(out.bytes.data(), 0, 8), 0);

  // Decode with the simplified API.
  png_image img;
  std::memset(&img, 0, sizeof img);
  img.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_memory(&img, out.bytes.data(), out.bytes.size()));
  img.format = PNG_FORMAT_BGRA;
  std::vector<unsigned char> back(PNG_IMAGE_SIZE(img));
  ASSERT_TRUE(png_image_finish_read(&img, nullptr, back.data(), 0, nullptr));
  EXPECT_EQ(img.width, 32u);
  EXPECT_EQ(back[5 * 4 + 2], 5);     // red lands in the third byte of BGRA
  EXPECT_EQ(back[5 * 4 + 3], 255);   // alpha kept
  EXPECT_EQ(back[4 * 4 + 3], 0);
}

TEST(DepsSmoke, ZlibCrc) {
  const char* s = "123456789";
  EXPECT_EQ(crc32(0, reinterpret_cast<const Bytef*>(s), 9), 0xCBF43926u);
}

}  // namespace
