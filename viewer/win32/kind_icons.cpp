#include "viewer/win32/kind_icons.h"

#include <cstring>

#include "viewer/kind_picture.h"
#include "viewer/win32/viewer_ids.h"

namespace veld {

namespace {

constexpr char kIconArchiveName[] = "VeldViewer.zip";

// A 32-bit top-down DIB section holding premultiplied BGRA pixels.
HBITMAP bitmapOf(const Picture& picture) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr || bits == nullptr) return bitmap;
  const std::vector<std::uint8_t> bgra = premultipliedBgra(picture);
  std::memcpy(bits, bgra.data(), bgra.size());
  return bitmap;
}

int addPicture(HIMAGELIST list, const Picture& picture) {
  HBITMAP bitmap = bitmapOf(picture);
  if (bitmap == nullptr) return -1;
  const int index = ImageList_Add(list, bitmap, nullptr);
  DeleteObject(bitmap);
  return index;
}

}  // namespace

void writeIconArchive(FileAccess& files, const std::string& tempFolder) {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(kIconArchiveResource), RT_RCDATA);
  HGLOBAL loaded = found == nullptr ? nullptr : LoadResource(nullptr, found);
  const void* bytes = loaded == nullptr ? nullptr : LockResource(loaded);
  const DWORD size = found == nullptr ? 0 : SizeofResource(nullptr, found);
  std::unique_ptr<OutputFile> out = files.createFile(tempFolder + kIconArchiveName);
  if (!out) return;
  if (bytes != nullptr) out->write(bytes, size);
  out->close();
}

KindIcons::~KindIcons() {
  if (list_ != nullptr) ImageList_Destroy(list_);
}

void KindIcons::load(ArchiveAccess& archive, FileAccess& files, const std::string& tempFolder) {
  archive.openArchive(tempFolder + kIconArchiveName);
  for (const char* name : kKindPictureNames) {
    files.removeFile(tempFolder + name);
    archive.extractEntry(tempFolder + name, name);
  }
  archive.closeArchive();

  const int side = GetSystemMetrics(SM_CXSMICON) > 0 ? GetSystemMetrics(SM_CXSMICON) : 16;
  const int height = GetSystemMetrics(SM_CYSMICON) > 0 ? GetSystemMetrics(SM_CYSMICON) : 16;
  Picture scaled[3];
  bool any = false;
  for (int k = 0; k < 3; ++k) {
    OpenStatus status;
    std::unique_ptr<HeldFile> file = files.openExisting(tempFolder + kKindPictureNames[k], false, OthersMay::ReadWrite, status);
    std::string bytes;
    Picture picture;
    if (file && file->readAll(bytes) && decodePng(bytes, picture)) {
      scaled[k] = scalePicture(picture, side, height);
      any = true;
    }
  }
  if (!any) return;
  list_ = ImageList_Create(side, height, ILC_COLOR32, 4, 0);
  if (list_ == nullptr) return;
  for (int k = 0; k < 3; ++k) {
    if (!scaled[k].rgba.empty()) images_[k] = addPicture(list_, scaled[k]);
  }
  Picture blank;
  blank.width = side;
  blank.height = height;
  blank.rgba.assign(static_cast<std::size_t>(side) * height * 4, 0);
  blank_ = addPicture(list_, blank);
}

int KindIcons::imageOf(const std::string& kind) const {
  const std::string name = kindPictureName(kind);
  if (name.empty() || list_ == nullptr) return blank_;
  const int image = images_[name[0] - '0'];
  return image >= 0 ? image : blank_;
}

}  // namespace veld
