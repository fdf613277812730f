// The kind pictures as a 32-bit image list with alpha, at the system's small-icon size: the icon
// archive carried in the program is written to the temporary folder at start, and its pictures are
// unpacked and decoded once, when the tree is filled.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "common/archive_access.h"
#include "common/files.h"

namespace veld {

// Writes the carried icon archive as "VeldViewer.zip" into the temporary folder; failures are
// ignored (the tree then shows no pictures).
void writeIconArchive(FileAccess& files, const std::string& tempFolder);

class KindIcons {
 public:
  KindIcons() = default;
  ~KindIcons();
  KindIcons(const KindIcons&) = delete;
  KindIcons& operator=(const KindIcons&) = delete;

  // Unpacks and decodes the pictures; after this, list() is null when none could be decoded.
  void load(ArchiveAccess& archive, FileAccess& files, const std::string& tempFolder);

  HIMAGELIST list() const { return list_; }
  // The image of a kind, or the blank image for a kind without a picture.
  int imageOf(const std::string& kind) const;

 private:
  HIMAGELIST list_ = nullptr;
  int images_[3] = {-1, -1, -1};
  int blank_ = -1;
};

}  // namespace veld
