#include "viewer/window_geometry.h"

#include "common/host.h"
#include "viewer/package_selection.h"

namespace veld {

std::string settingsPathFor(std::string_view programPath) {
  return folderPart(programPath) + std::string(nameWithoutExtension(fileNameOf(programPath))) + ".ini";
}

std::optional<Geometry> restoreGeometry(PreferenceStore& store, const std::string& settingsPath, bool settingsExist) {
  if (!settingsExist) return std::nullopt;
  store.openPreferences(settingsPath);
  store.selectGroup(kGeometryGroup);
  Geometry g;
  g.height = store.readInteger("height", 0);
  g.width = store.readInteger("width", 0);
  g.y = store.readInteger("y", 0);
  g.x = store.readInteger("x", 0);
  store.closePreferences();
  return g;
}

void saveGeometry(PreferenceStore& store, const std::string& settingsPath, const Geometry& geometry) {
  // A missing file is created at close.
  store.openPreferences(settingsPath);
  store.selectGroup(kGeometryGroup);
  store.writeInteger("x", geometry.x);
  store.writeInteger("y", geometry.y);
  store.writeInteger("width", geometry.width);
  store.writeInteger("height", geometry.height);
  store.closePreferences();
}

Geometry geometryToKeep(const WindowPlace& place) {
  if (!place.minimised) return place.current;
  return Geometry{place.normalLeft, place.normalTop, place.normalOuterWidth - place.frameWidth,
                  place.normalOuterHeight - place.frameHeight};
}

}  // namespace veld
