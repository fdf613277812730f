#include "installer/tool_registration.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "common/text.h"

namespace veld {
namespace {

constexpr char kToolsInfoGroup[] = "ToolsInfo";
constexpr char kToolCountKey[] = "ToolCount";
constexpr char kMenuItemNameKey[] = "MenuItemName";
constexpr char kToolGroupPrefix[] = "Tool_";

struct ToolEntry {
  const char* menuName;
  const char* program;
  const char* shortcut;
};

constexpr ToolEntry kViewerEntry{kViewerMenuName, "VeldViewer.exe", kViewerShortcut};
constexpr ToolEntry kBuilderEntry{kBuilderMenuName, "TailVeld.exe", kBuilderShortcut};

// The count is adjusted in 64 bits and kept at the ends of the 32-bit range, so that a file
// holding an extreme counter cannot make it wrap around.
void writeToolCount(PreferenceStore& tools, std::int64_t count) {
  count = std::clamp<std::int64_t>(count, std::numeric_limits<std::int32_t>::min(),
                                   std::numeric_limits<std::int32_t>::max());
  tools.selectGroup(kToolsInfoGroup);
  tools.writeInteger(kToolCountKey, static_cast<std::int32_t>(count));
}

std::size_t groupCount(PreferenceStore& tools) {
  std::size_t count = 0;
  if (tools.examineGroups()) {
    while (tools.nextGroup()) ++count;
  }
  return count;
}

// Removes the entry found for a tool. The store removes by name, and the first group of that name
// is the one removed: when that is not the tool's entry (a file with two groups of one name), the
// entry stays rather than another tool's group going in its place. True when a group went.
bool removeToolEntry(PreferenceStore& tools, const std::string& group, const std::string& menuName) {
  if (!tools.selectGroup(group) || ansiToUpper(tools.readString(kMenuItemNameKey, "")) != ansiToUpper(menuName)) {
    return false;
  }
  const std::size_t before = groupCount(tools);
  tools.removeGroup(group);
  return groupCount(tools) < before;
}

std::vector<std::string> groupNames(PreferenceStore& tools) {
  std::vector<std::string> names;
  if (!tools.examineGroups()) return names;
  while (tools.nextGroup()) names.push_back(tools.groupName());
  return names;
}

// The lowest Tool_N that no group of the file answers to: selecting it can only create a new group.
std::string freeToolGroup(PreferenceStore& tools) {
  const std::vector<std::string> names = groupNames(tools);
  for (std::int64_t n = 0;; ++n) {
    const std::string candidate = kToolGroupPrefix + std::to_string(n);
    bool used = false;
    for (const std::string& name : names) {
      if (preferenceNamesEqual(name, candidate)) {
        used = true;
        break;
      }
    }
    if (!used) return candidate;
  }
}

void writeToolEntry(PreferenceStore& tools, const std::string& group, const ToolEntry& entry,
                    const std::string& veldFolder) {
  tools.selectGroup(group);
  tools.writeString("Command", veldFolder + entry.program);
  tools.writeString("Arguments", "\"%FILE\"");
  tools.writeString("WorkingDir", "");
  tools.writeString("MenuItemName", entry.menuName);
  tools.writeString("Shortcut", entry.shortcut);
  tools.writeString("ConfigLine", "");
  tools.writeString("Trigger", "");
  tools.writeString("Flags", "");
  tools.writeString("ReloadSource", "");
  tools.writeString("HideEditor", "");
  tools.writeString("HideFromMenu", "");
  tools.writeString("SourceSpecific", "");
  tools.writeString("Deactivate", "");
  tools.writeComment("");
}

}  // namespace

std::string toolsPrefsPath(const std::string& appData) { return appData + "\\PureBasic\\Tools.prefs"; }

std::int32_t readToolCount(PreferenceStore& tools) {
  tools.selectGroup(kToolsInfoGroup);
  return tools.readInteger(kToolCountKey, 0);
}

std::string findToolGroup(PreferenceStore& tools, const std::string& menuName) {
  const std::string wanted = ansiToUpper(menuName);
  if (!tools.examineGroups()) return {};
  while (tools.nextGroup()) {
    if (ansiToUpper(tools.readString(kMenuItemNameKey, "")) == wanted) return tools.groupName();
  }
  return {};
}

void removeTools(PreferenceStore& tools) {
  std::int64_t count = readToolCount(tools);
  for (const char* menuName : {kViewerMenuName, kBuilderMenuName}) {
    const std::string group = findToolGroup(tools, menuName);
    if (!group.empty() && removeToolEntry(tools, group, menuName)) --count;
  }
  writeToolCount(tools, count);
}

void addTools(PreferenceStore& tools, const std::string& veldFolder) {
  std::int64_t count = readToolCount(tools);
  for (const ToolEntry* entry : {&kViewerEntry, &kBuilderEntry}) {
    if (!findToolGroup(tools, entry->menuName).empty()) continue;
    writeToolEntry(tools, freeToolGroup(tools), *entry, veldFolder);
    ++count;
  }
  writeToolCount(tools, count);
}

}  // namespace veld
