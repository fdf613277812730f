// Fuzzes Install's tool registration (removeTools, then addTools) over any tool configuration:
// - every group that is neither ToolsInfo nor holds a MenuItemName of one of our two tools comes
//   out exactly as it went in (no foreign tool is ever written over or lost);
// - every group the run added has a name no other group answers to;
// - afterwards each of the two tools has an entry.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "common/memory_file_access.h"
#include "common/preference_store.h"
#include "common/text.h"
#include "installer/tool_registration.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

using MemoryFiles = veld::test::MemoryFileAccess;

struct Section {
  std::string name;
  veld::PreferenceEntries entries;  // the group header and what follows it up to the next one
};

// The groups of a written file, each with its entries as the file holds them. The store parses the
// bytes and converts each name and value on its own, so a menu name is converted the same way.
std::vector<Section> sections(std::string text) {
  const bool utf8 = text.compare(0, 3, "\xEF\xBB\xBF") == 0;
  if (utf8) text.erase(0, 3);
  std::vector<Section> result;
  for (veld::PreferenceEntry entry : veld::parsePreferenceText(text)) {
    if (utf8 && entry.kind == veld::PreferenceEntry::Kind::Key) entry.value = veld::utf8ToSingleByte(entry.value);
    if (entry.kind == veld::PreferenceEntry::Kind::Group) result.push_back({entry.name, {}});
    if (!result.empty()) result.back().entries.push_back(entry);
  }
  return result;
}

bool holdsMenuName(const Section& section, const std::string& upperName) {
  for (const veld::PreferenceEntry& entry : section.entries) {
    if (entry.kind != veld::PreferenceEntry::Kind::Key || !veld::preferenceNamesEqual(entry.name, "MenuItemName"))
      continue;
    std::string value = entry.value;
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.pop_back();
    if (veld::ansiToUpper(value) == upperName) return true;
  }
  return false;
}

bool holdsOurMenuName(const Section& section) {
  return holdsMenuName(section, "VELDVIEWER") || holdsMenuName(section, "TAILVELD");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string path = "Tools.prefs";
  MemoryFiles files;
  files.files[path] = input;
  {
    veld::PreferenceStore tools(veld::Encoding::Ansi, files);
    tools.openPreferences(path);
    veld::removeTools(tools);
    veld::addTools(tools, "C:\\PB\\veld\\");
    tools.closePreferences();
  }
  const std::string output = files.files[path];

  // What the store made of the input, written back without changes, is the baseline.
  MemoryFiles baselineFiles;
  baselineFiles.files[path] = input;
  {
    veld::PreferenceStore baseline(veld::Encoding::Ansi, baselineFiles);
    baseline.openPreferences(path);
    baseline.selectGroup("ToolsInfo");
    baseline.writeString("Baseline", "");  // forces the normalised write-back
    baseline.closePreferences();
  }
  const std::vector<Section> before = sections(baselineFiles.files[path]);
  const std::vector<Section> after = sections(output);

  std::vector<bool> matched(after.size(), false);
  for (const Section& old : before) {
    if (veld::preferenceNamesEqual(old.name, "ToolsInfo") || holdsOurMenuName(old)) continue;
    bool found = false;
    for (std::size_t i = 0; i < after.size() && !found; ++i) {
      if (!matched[i] && after[i].entries == old.entries) found = matched[i] = true;
    }
    check(found);
  }

  // Groups that were not there before are ours (or ToolsInfo): their names are unique.
  for (std::size_t i = 0; i < after.size(); ++i) {
    bool existedBefore = false;
    for (const Section& old : before) existedBefore = existedBefore || old.entries == after[i].entries;
    if (existedBefore) continue;
    if (veld::preferenceNamesEqual(after[i].name, "ToolsInfo")) continue;
    for (std::size_t j = 0; j < after.size(); ++j) {
      if (j != i) check(!veld::preferenceNamesEqual(after[i].name, after[j].name));
    }
  }

  for (const char* tool : {"VELDVIEWER", "TAILVELD"}) {
    bool present = false;
    for (const Section& section : after) present = present || holdsMenuName(section, tool);
    check(present);
  }
  return 0;
}
