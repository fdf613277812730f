// The arithmetic of the main window: where the gadgets go for a client size, the minimum client
// size, and the centred start position.
#pragma once

namespace veld {

inline constexpr int kStartClientWidth = 800;
inline constexpr int kStartClientHeight = 600;
inline constexpr int kMinClientWidth = 600;
inline constexpr int kMinClientHeight = 200;

struct Box {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Box& o) const { return x == o.x && y == o.y && width == o.width && height == o.height; }
};

// Positions relative to the parent's client area; the tree, the field and the list sit on the
// page area of their tab.
struct WindowLayout {
  Box sidePanel;
  Box topicTree;
  Box searchField;
  Box resultList;
  Box pageView;
};

// The gadgets as they are created, before the first layout.
WindowLayout creationLayout();

// The gadgets for a client area of the given size. The side panel, tree, field and list keep
// their widths; the page view takes the rest of the width; heights follow the client height.
WindowLayout layoutFor(int clientWidth, int clientHeight);

// The client size the window must be given so that it is not below the minimum; equal to the
// input when it already is large enough.
struct ClientSize {
  int width = 0;
  int height = 0;
  bool operator==(const ClientSize& o) const { return width == o.width && height == o.height; }
};
ClientSize atLeastMinimum(ClientSize client);

// Left and top edge that centre an outer frame on a screen; 0 where the frame is larger.
struct Position {
  int x = 0;
  int y = 0;
  bool operator==(const Position& o) const { return x == o.x && y == o.y; }
};
Position centredOn(int screenWidth, int screenHeight, int outerWidth, int outerHeight);

}  // namespace veld
