// The pictures of the topic kinds: PNG files decoded into RGBA pixels and scaled to the size the
// tree shows, ready to become 32-bit images with alpha.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veld {

// The entries of the icon archive, one per kind that has a picture.
inline constexpr const char* kKindPictureNames[] = {"0.png", "1.png", "2.png"};

// The picture file name of a kind ("0" -> "0.png"); empty for every kind that has no picture, so
// that nothing but the viewer's own pictures is ever loaded.
std::string kindPictureName(std::string_view kind);

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;  // rows top down, straight (not premultiplied) alpha
};

// False for anything that is not a PNG picture of sensible size (at most 1024 by 1024).
bool decodePng(std::string_view bytes, Picture& picture);

// Area-averaged scaling (weights by alpha, so transparent pixels do not darken edges).
Picture scalePicture(const Picture& source, int width, int height);

// Pixels as 32-bit BGRA with premultiplied alpha, the form 32-bit image lists draw with alpha.
std::vector<std::uint8_t> premultipliedBgra(const Picture& picture);

}  // namespace veld
