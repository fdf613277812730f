// The carried items are RCDATA resources of the program itself: mapped with the image, never copied.
#include <windows.h>

#include "installer/win32/carried_items_win32.h"
#include "installer/win32/carried_resources.h"

namespace veld {
namespace {

int resourceId(CarriedItem item) {
  switch (item) {
    case CarriedItem::Viewer:
      return VELD_CARRIED_VIEWER;
    case CarriedItem::Builder:
      return VELD_CARRIED_BUILDER;
    case CarriedItem::HelpPage:
      return VELD_CARRIED_HELP_PAGE;
    case CarriedItem::Payload:
      return VELD_CARRIED_PAYLOAD;
  }
  return 0;
}

}  // namespace

std::string_view ResourceItems::bytes(CarriedItem item) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(resourceId(item)), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(nullptr, found);
  const DWORD size = SizeofResource(nullptr, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return {};
  return std::string_view(static_cast<const char*>(data), size);
}

}  // namespace veld
