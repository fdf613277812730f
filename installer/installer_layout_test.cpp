#include "installer/installer_layout.h"

#include <gtest/gtest.h>

namespace veld {
namespace {

TEST(InstallerLayout, ActionButtonsStandTenPixelsApartUnderThePathButton) {
  const int expectedLefts[] = {10, 107, 204, 301};
  for (std::size_t i = 1; i < kButtonPlaces.size(); ++i) {
    const ButtonPlace& place = kButtonPlaces[i];
    EXPECT_EQ(place.id, static_cast<int>(i - 1));
    EXPECT_EQ(place.left, expectedLefts[i - 1]);
    EXPECT_EQ(place.top, 50);
  }
  const ButtonPlace& last = kButtonPlaces.back();
  EXPECT_LE(last.left + last.width, kClientWidth - 10);
  const ButtonPlace& path = kButtonPlaces.front();
  EXPECT_EQ(path.id, kPathButton);
  EXPECT_EQ(path.left + path.width, kClientWidth - 10);
}

TEST(InstallerLayout, CentredOnTheScreenButNeverOffItsTopLeft) {
  EXPECT_EQ(centredOrigin(1280, 406), 437);
  EXPECT_EQ(centredOrigin(800, 119), 340);
  EXPECT_EQ(centredOrigin(300, 406), 0);
  EXPECT_EQ(centredOrigin(406, 406), 0);
}

}  // namespace
}  // namespace veld
