// The main window's place between runs: the settings file beside the program, group "Windows",
// keys "x" and "y" (left and top edge of the outer frame, screen coordinates) and "width" and
// "height" (the client area).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/preference_store.h"

namespace veld {

inline constexpr char kGeometryGroup[] = "Windows";

struct Geometry {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool operator==(const Geometry& o) const { return x == o.x && y == o.y && width == o.width && height == o.height; }
};

// The program's folder, its file name without extension, ".ini".
std::string settingsPathFor(std::string_view programPath);

// The stored geometry; nullopt when no settings file exists (the window keeps its start place).
// Missing keys read as 0.
std::optional<Geometry> restoreGeometry(PreferenceStore& store, const std::string& settingsPath, bool settingsExist);

// Writes the four keys in the order x, y, width, height and closes the file.
void saveGeometry(PreferenceStore& store, const std::string& settingsPath, const Geometry& geometry);

// What the window reports when it is closed.
struct WindowPlace {
  bool minimised = false;
  Geometry current;  // frame position and client size as they are now
  // The restored (normal) frame in screen coordinates, and the frame's share of the outer size.
  std::int32_t normalLeft = 0;
  std::int32_t normalTop = 0;
  std::int32_t normalOuterWidth = 0;
  std::int32_t normalOuterHeight = 0;
  std::int32_t frameWidth = 0;
  std::int32_t frameHeight = 0;
};

// The geometry to keep: the current one; for a minimised window the restored one instead, so that
// the next run does not open off the screen.
Geometry geometryToKeep(const WindowPlace& place);

}  // namespace veld
