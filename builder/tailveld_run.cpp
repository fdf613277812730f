#include "builder/tailveld_run.h"

#include "builder/package_build.h"
#include "common/package_format.h"

namespace veld {

namespace {

// A highlighting library is a few dozen kilobytes; anything far larger is not one.
constexpr std::size_t kMaxLibrarySize = 64u << 20;

// Passes everything to the program's host and notes when the program was told to end, so that the
// run can unwind to its orderly end when the host returns from endProgram.
class EndWatch final : public Host {
 public:
  explicit EndWatch(Host& host) : host_(host) {}
  std::string environmentVariable(const std::string& name) override { return host_.environmentVariable(name); }
  void showMessage(const std::string& title, const std::string& text) override { host_.showMessage(title, text); }
  void endProgram() override {
    ended_ = true;
    host_.endProgram();
  }
  bool ended() const { return ended_; }

 private:
  Host& host_;
  bool ended_ = false;
};

void endWithMessage(EndWatch& host, const std::string& title, const std::string& text) {
  host.showMessage(title, text);
  host.endProgram();
}

// Truncates and writes the library file. A failure (another builder has it loaded) is not
// reported: the file that is there is loaded instead.
void writeLibraryFile(BuildFiles& files, const std::string& path, std::string_view bytes) {
  files.writeWholeFile(path, bytes);
}

// The IDE's own library colours code exactly as the user's editor does, so it is preferred when
// the installation has one that this program can load (a 64-bit IDE's library cannot be loaded by
// a 32-bit program: the carried copy is used then).
bool deployIdeLibrary(TailVeldSystem& system, EndWatch& host, const std::string& libraryPath) {
  const std::string home = folderPart(host.environmentVariable(kToolIdeVariable));
  if (home.empty()) return false;
  for (const char* relative : kIdeLibraryPaths) {
    const std::string candidate = home + relative;
    std::string bytes;
    if (!system.files.exists(candidate) || !system.files.readWholeFile(candidate, kMaxLibrarySize, bytes)) continue;
    writeLibraryFile(system.files, libraryPath, bytes);
    if (system.library.load(libraryPath)) {
      if (system.library.highlightFunction()) return true;
      system.library.unload();
    }
  }
  return false;
}

bool deploySyntaxLibrary(TailVeldSystem& system, EndWatch& host) {
  const std::string path = system.temporaryFolder + kLibraryFileName;
  if (deployIdeLibrary(system, host, path)) return true;
  writeLibraryFile(system.files, path, system.library.carriedBytes());
  if (!system.files.exists(path)) {
    endWithMessage(host, kLibraryMissingTitle, path + "\r\nnot found !");
    return false;
  }
  if (!system.library.load(path)) {
    endWithMessage(host, kLibraryNotLoadedTitle, path);
    return false;
  }
  return true;
}

void openInIde(TailVeldSystem& system, EndWatch& host) {
  const std::string home = pureBasicHome(host);
  if (host.ended()) return;
  const std::string chosen =
      system.dialog.chooseFile(kModuleDialogTitle, home + "veld\\", kModuleDialogFilter);
  if (chosen.empty() || !system.files.exists(chosen)) return;
  system.processes.startProgram(commandLineFor("\"" + home + kIdeProgram + "\"", "\"" + chosen + "\""));
}

void buildAndView(const std::string& sourcePath, TailVeldSystem& system, EndWatch& host) {
  // Both tool variables are checked before the package is created, so that a run started outside
  // the IDE never leaves a package without its closing topic and topic list.
  const std::string home = pureBasicHome(host);
  if (host.ended()) return;
  const std::string preferences = host.environmentVariable(kToolPreferencesVariable);
  if (preferences.empty()) {
    endWithMessage(host, kFatalTitle, kNotFromIdeMessage);
    return;
  }

  ColouringBridge colours(system.library.highlightFunction());
  BuildRequest request;
  request.sourcePath = sourcePath;
  request.packagePath = packagePathFor(sourcePath);
  request.temporaryFolder = system.temporaryFolder;
  request.now = [&system] { return system.clock.now(); };
  request.ideVersion = [&preferences] { return ideVersionText(readIdeVersionValue(preferences)); };
  buildPackage(request, system.files, system.package, colours);  // problems are not shown to IDE users

  const std::string viewer = home + kViewerPath;
  if (system.files.exists(viewer) && system.files.exists(request.packagePath)) {
    system.processes.startProgram(commandLineFor(viewer, "\"" + request.packagePath + "\""));
  }
}

}  // namespace

std::string firstArgument(std::string_view commandLine) {
  std::size_t i = 0;
  // The program's own name: quoted, or up to the first blank.
  if (i < commandLine.size() && commandLine[i] == '"') {
    const std::size_t close = commandLine.find('"', 1);
    i = close == std::string_view::npos ? commandLine.size() : close + 1;
  }
  while (i < commandLine.size() && commandLine[i] != ' ' && commandLine[i] != '\t') ++i;
  while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t')) ++i;
  if (i == commandLine.size()) return {};
  if (commandLine[i] == '"') {
    const std::size_t close = commandLine.find('"', i + 1);
    return std::string(commandLine.substr(i + 1, close == std::string_view::npos ? std::string_view::npos : close - i - 1));
  }
  const std::size_t end = commandLine.find_first_of(" \t", i);
  return std::string(commandLine.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i));
}

bool isBuildArgument(const std::string& argument, BuildFiles& files) {
  if (argument.empty()) return false;
  const std::size_t slash = argument.find_last_of("\\/");
  const std::string_view name = std::string_view(argument).substr(slash == std::string::npos ? 0 : slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || name.substr(dot + 1) != "pbi") return false;
  return files.exists(argument);
}

std::string commandLineFor(std::string_view program, std::string_view parameter) {
  std::string line;
  if (!program.empty() && program.front() == '"') {
    line = program;
  } else {
    line = "\"";
    line += program;
    line += '"';
  }
  line += ' ';
  line += parameter;
  return line;
}

void runTailVeld(const std::string& argument, TailVeldSystem& system) {
  EndWatch host(system.host);
  if (!deploySyntaxLibrary(system, host)) return;
  if (isBuildArgument(argument, system.files)) {
    buildAndView(argument, system, host);
  } else {
    openInIde(system, host);
  }
}

}  // namespace veld
