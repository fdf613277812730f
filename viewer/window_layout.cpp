#include "viewer/window_layout.h"

#include <algorithm>

namespace veld {

WindowLayout creationLayout() {
  WindowLayout l;
  l.sidePanel = {10, 10, 300, 580};
  l.topicTree = {10, 10, 272, 20};
  l.searchField = {10, 10, 272, 20};
  l.resultList = {10, 40, 272, 20};
  l.pageView = {320, 10, 100, 100};
  return l;
}

WindowLayout layoutFor(int clientWidth, int clientHeight) {
  WindowLayout l = creationLayout();
  l.pageView.width = clientWidth - 320;
  l.pageView.height = clientHeight - 20;
  l.sidePanel.height = clientHeight - 20;
  l.resultList.height = clientHeight - 100;
  l.topicTree.height = clientHeight - 70;
  return l;
}

ClientSize atLeastMinimum(ClientSize client) {
  return {std::max(client.width, kMinClientWidth), std::max(client.height, kMinClientHeight)};
}

Position centredOn(int screenWidth, int screenHeight, int outerWidth, int outerHeight) {
  return {std::max(0, (screenWidth - outerWidth) / 2), std::max(0, (screenHeight - outerHeight) / 2)};
}

}  // namespace veld
