#include "viewer/kind_picture.h"

#include <png.h>

#include <algorithm>
#include <cmath>

namespace veld {

std::string kindPictureName(std::string_view kind) {
  if (kind == "0" || kind == "1" || kind == "2") return std::string(kind) + ".png";
  return {};
}

bool decodePng(std::string_view bytes, Picture& picture) {
  constexpr png_uint_32 kMaxSide = 1024;
  picture = Picture();
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
    png_image_free(&image);
    return false;
  }
  if (image.width == 0 || image.height == 0 || image.width > kMaxSide || image.height > kMaxSide) {
    png_image_free(&image);
    return false;
  }
  image.format = PNG_FORMAT_RGBA;
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  picture.width = static_cast<int>(image.width);
  picture.height = static_cast<int>(image.height);
  picture.rgba = std::move(pixels);
  return true;
}

Picture scalePicture(const Picture& source, int width, int height) {
  Picture out;
  if (width <= 0 || height <= 0 || source.width <= 0 || source.height <= 0) return out;
  out.width = width;
  out.height = height;
  out.rgba.assign(static_cast<std::size_t>(width) * height * 4, 0);
  const double sx = static_cast<double>(source.width) / width;
  const double sy = static_cast<double>(source.height) / height;
  for (int y = 0; y < height; ++y) {
    const double y0 = y * sy, y1 = (y + 1) * sy;
    for (int x = 0; x < width; ++x) {
      const double x0 = x * sx, x1 = (x + 1) * sx;
      double r = 0, g = 0, b = 0, a = 0, area = 0;
      for (int v = static_cast<int>(std::floor(y0)); v < static_cast<int>(std::ceil(y1)) && v < source.height; ++v) {
        const double wy = std::min(y1, v + 1.0) - std::max(y0, static_cast<double>(v));
        for (int u = static_cast<int>(std::floor(x0)); u < static_cast<int>(std::ceil(x1)) && u < source.width; ++u) {
          const double w = wy * (std::min(x1, u + 1.0) - std::max(x0, static_cast<double>(u)));
          const std::uint8_t* p = &source.rgba[(static_cast<std::size_t>(v) * source.width + u) * 4];
          const double alpha = p[3] * w;
          r += p[0] * alpha;
          g += p[1] * alpha;
          b += p[2] * alpha;
          a += alpha;
          area += w;
        }
      }
      std::uint8_t* q = &out.rgba[(static_cast<std::size_t>(y) * width + x) * 4];
      if (a > 0) {
        q[0] = static_cast<std::uint8_t>(std::lround(r / a));
        q[1] = static_cast<std::uint8_t>(std::lround(g / a));
        q[2] = static_cast<std::uint8_t>(std::lround(b / a));
      }
      q[3] = area > 0 ? static_cast<std::uint8_t>(std::lround(a / area)) : 0;
    }
  }
  return out;
}

std::vector<std::uint8_t> premultipliedBgra(const Picture& picture) {
  std::vector<std::uint8_t> out(picture.rgba.size());
  for (std::size_t i = 0; i + 3 < picture.rgba.size(); i += 4) {
    const unsigned a = picture.rgba[i + 3];
    out[i + 0] = static_cast<std::uint8_t>((picture.rgba[i + 2] * a + 127) / 255);
    out[i + 1] = static_cast<std::uint8_t>((picture.rgba[i + 1] * a + 127) / 255);
    out[i + 2] = static_cast<std::uint8_t>((picture.rgba[i + 0] * a + 127) / 255);
    out[i + 3] = static_cast<std::uint8_t>(a);
  }
  return out;
}

}  // namespace veld
