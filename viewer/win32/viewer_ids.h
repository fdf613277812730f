// Control ids of the main window's gadgets and the resource id of the carried icon archive; the
// end-to-end tests find the gadgets by these ids.
#pragma once

namespace veld {

constexpr int kSidePanelId = 1001;
constexpr int kTopicTreeId = 1002;
constexpr int kSearchFieldId = 1003;
constexpr int kResultListId = 1004;
constexpr int kPageViewId = 1005;  // its window text is the target of the page view's last navigation

constexpr int kIconArchiveResource = 101;  // RCDATA

}  // namespace veld
