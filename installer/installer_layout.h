// Where the installer's window and its five buttons go.
#pragma once

#include <array>

#include "installer/installer.h"

namespace veld {

inline constexpr int kClientWidth = 400;
inline constexpr int kClientHeight = 90;

struct ButtonPlace {
  int id;
  const char* label;  // the path button's label is followed by the current home
  int left, top, width, height;
};

inline constexpr int kActionButtonWidth = 87;
inline constexpr int kActionButtonGap = 10;
constexpr int actionButtonLeft(int index) { return 10 + index * (kActionButtonWidth + kActionButtonGap); }

// In creation order, which is also the keyboard's tab order.
inline constexpr std::array<ButtonPlace, 5> kButtonPlaces{{
    {kPathButton, kPathButtonPrefix, 10, 10, 380, 30},
    {kInstallButton, "Install", actionButtonLeft(0), 50, kActionButtonWidth, 30},
    {kUninstallButton, "Uninstall", actionButtonLeft(1), 50, kActionButtonWidth, 30},
    {kExtractButton, "Extract", actionButtonLeft(2), 50, kActionButtonWidth, 30},
    {kBrowseButton, "Browse", actionButtonLeft(3), 50, kActionButtonWidth, 30},
}};

// The window's left (or top) edge that centres it on a screen; a window larger than the screen
// starts at 0.
constexpr int centredOrigin(int screenSize, int outerSize) {
  return (screenSize - (outerSize < screenSize ? outerSize : screenSize)) / 2;
}

}  // namespace veld
