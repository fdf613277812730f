// The two tool entries of the IDE's tool configuration (Tools.prefs): the viewer on Ctrl+F1 and the
// builder on Ctrl+F12. Every operation works on a store the caller has opened and will close; none
// opens, closes or saves the file.
#pragma once

#include <cstdint>
#include <string>

#include "common/preference_store.h"

namespace veld {

inline constexpr char kViewerMenuName[] = "VeldViewer";
inline constexpr char kBuilderMenuName[] = "TailVeld";
inline constexpr char kViewerShortcut[] = "131184";   // Ctrl+F1
inline constexpr char kBuilderShortcut[] = "131195";  // Ctrl+F12

// APPDATA followed by "\PureBasic\Tools.prefs".
std::string toolsPrefsPath(const std::string& appData);

// ToolCount of the group ToolsInfo; 0 when missing.
std::int32_t readToolCount(PreferenceStore& tools);

// The name of the first group whose MenuItemName equals the menu name, ignoring case by the
// system's ANSI mapping; empty text when there is none.
std::string findToolGroup(PreferenceStore& tools, const std::string& menuName);

// Removes the first entry of each of the two tools and lowers ToolCount once per removed entry.
// ToolCount is written on every call. An entry whose group name an earlier group also has is left
// alone, since removing by that name would take the other group.
void removeTools(PreferenceStore& tools);

// Adds an entry for each of the two tools that has none, with the commands in the veld folder,
// and raises ToolCount once per added entry. A new entry takes the lowest Tool_N number that no
// group uses, so an entry of another tool is never written over.
void addTools(PreferenceStore& tools, const std::string& veldFolder);

}  // namespace veld
