#include "viewer/package_selection.h"

#include "common/host.h"
#include "viewer/line_reading.h"

namespace veld {

std::string_view fileNameOf(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view extensionOf(std::string_view path) {
  const std::string_view name = fileNameOf(path);
  const std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}

std::string_view nameWithoutExtension(std::string_view fileName) {
  const std::size_t dot = fileName.rfind('.');
  return dot == std::string_view::npos ? fileName : fileName.substr(0, dot);
}

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view skipBlanks(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && isBlank(s[i])) ++i;
  return s.substr(i);
}

void replaceAll(std::string& text, std::string_view what, std::string_view with) {
  if (what.empty()) return;
  std::string out;
  std::size_t from = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, from)) {
    out.append(text, from, at - from);
    out.append(with);
    from = at + what.size();
  }
  out.append(text, from, std::string::npos);
  text.swap(out);
}

// Length in bytes of the first character of valid UTF-8 text.
std::size_t firstCharacterLength(std::string_view text) {
  if (text.empty()) return 0;
  std::size_t n = 1;
  while (n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) ++n;
  return n;
}

}  // namespace

std::string_view commandLineArguments(std::string_view commandLine) {
  std::size_t i = 0;
  if (!commandLine.empty() && commandLine[0] == '"') {
    const std::size_t close = commandLine.find('"', 1);
    i = close == std::string_view::npos ? commandLine.size() : close + 1;
  } else {
    while (i < commandLine.size() && !isBlank(commandLine[i])) ++i;
  }
  return skipBlanks(commandLine.substr(i));
}

std::string firstArgument(std::string_view arguments) {
  const std::string_view s = skipBlanks(arguments);
  if (s.empty()) return {};
  if (s[0] == '"') {
    const std::size_t close = s.find('"', 1);
    return std::string(s.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
  }
  std::size_t end = 0;
  while (end < s.size() && !isBlank(s[end])) ++end;
  return std::string(s.substr(0, end));
}

SourceScan packageFromSource(const std::string& sourcePath, SelectionSystem& system) {
  SourceScan scan;
  std::string bytes;
  // A source that cannot be read is scanned as one without a matching line.
  if (!system.readFile(sourcePath, bytes)) return scan;
  LineReader reader(bytes);
  std::string line;
  bool first = true;
  while (reader.next(line)) {
    std::string_view rest = line;
    while (!rest.empty() && rest[0] == ' ') rest.remove_prefix(1);
    if (first) {
      // Drops a byte-order mark, or the first real character of a file without one.
      rest.remove_prefix(firstCharacterLength(rest));
      first = false;
    }
    if (rest.substr(0, 12) != "XIncludeFile") continue;
    std::string t(rest);
    const std::optional<std::string> home = system.pureBasicHome();
    if (!home) {
      scan.ended = true;
      return scan;
    }
    replaceAll(t, "#PB_Compiler_Home", *home);
    replaceAll(t, "XIncludeFile ", "");
    replaceAll(t, "+", "");
    replaceAll(t, "\"", "");
    scan.package = folderPart(t) + std::string(nameWithoutExtension(fileNameOf(t))) + ".veld";
    return scan;
  }
  return scan;
}

PackageChoice selectPackage(const std::string& argument, SelectionSystem& system) {
  PackageChoice choice;
  std::string path = argument;
  if (extensionOf(path) == "pb" && system.fileSize(path) > 0) {
    SourceScan scan = packageFromSource(path, system);
    if (scan.ended) return choice;
    path = scan.package;
  }
  if (path.empty() || !system.exists(path)) {
    const std::optional<std::string> home = system.pureBasicHome();
    if (!home) return choice;
    path = system.requestFile(kRequesterTitle, *home + "veld\\", kRequesterFilterDescription, kRequesterFilterPattern);
    if (path.empty() || !system.exists(path) || extensionOf(path) != "veld") return choice;
  }
  choice.chosen = true;
  choice.path = path;
  return choice;
}

}  // namespace veld
