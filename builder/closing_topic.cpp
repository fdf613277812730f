#include "builder/closing_topic.h"

#include <cstdio>

#include "common/package_format.h"
#include "common/preference_store.h"

namespace veld {

namespace {

int twoDigits(int value) {
  const int rest = value % 100;
  return rest < 0 ? -rest : rest;
}

}  // namespace

std::string formatBuildTime(const LocalTime& time) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d/%02d/%02d %02d:%02d:%02d", twoDigits(time.day), twoDigits(time.month),
                twoDigits(time.year), twoDigits(time.hour), twoDigits(time.minute), twoDigits(time.second));
  return text;
}

std::string ideVersionText(std::string_view value) {
  if (value.size() != 3) return std::string(value);
  std::string text(1, value[0]);
  text += '.';
  text += value.substr(1);
  return text;
}

std::string readIdeVersionValue(const std::string& preferencesPath) {
  PreferenceStore store(Encoding::Ansi);
  if (!store.openPreferences(preferencesPath)) return {};
  store.selectGroup("Global");
  std::string value = store.readString("Version", "");
  store.closePreferences();
  return value;
}

void writeClosingTopic(PageWriter& writer, std::uint64_t pageNumber, std::string_view buildTime,
                       std::string_view ideVersion) {
  writer.writeIndexLine(0, kClosingTopicKind, kClosingTopicTitle);
  writer.startPage(pageNumber, kClosingTopicTitle);
  std::string& text = writer.pendingText();
  text.assign(buildTime);
  text += "\r\n";
  text += kBuilderNameAndVersion;
  text += "\r\n";
  text += kIdeVersionLineStart;
  text += ideVersion;
  writer.flushText();
  writer.closePage();
}

}  // namespace veld
