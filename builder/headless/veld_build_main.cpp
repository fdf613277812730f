// veld-build: the package builder without the IDE, for packages made at build time, CI and
// benchmarks. Same build code and output as the IDE tool; problems go to stderr with a non-zero exit
// status instead of being passed over in silence.
#include <sys/resource.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <system_error>

#include "builder/build_files.h"
#include "builder/closing_topic.h"
#include "builder/colour_bridge.h"
#include "builder/package_build.h"
#include "builder/package_sink.h"
#include "builder/tokenizer_highlight.h"
#include "common/package_format.h"

namespace {

constexpr int kBuildFailed = 1;
constexpr int kUsageError = 2;

const char kUsage[] =
    "usage: veld-build <module.pbi> (--ide-version <value> | --preferences <PureBasic.prefs>)\n"
    "                  [-o <package.veld>] [--build-time \"dd/mm/yy hh:ii:ss\"] [--work-dir <folder>]\n"
    "\n"
    "Builds the documentation package of an annotated PureBasic module.\n"
    "  -o, --output     the package to write (default: beside the module, extension .veld)\n"
    "  --ide-version    the IDE version for the closing topic, as the IDE stores it (521 is shown as 5.21)\n"
    "  --preferences    read that version from group Global, key Version of an IDE preference file\n"
    "  --build-time     a fixed build time line, for reproducible packages (default: the local time now)\n"
    "  --work-dir       keep the page files and index.txt in this folder (default: a private temporary\n"
    "                   folder, removed afterwards)\n";

int usageError(const std::string& text) {
  std::fprintf(stderr, "veld-build: %s\n\n%s", text.c_str(), kUsage);
  return kUsageError;
}

bool isBuildTimeLine(const std::string& text) {
  static const char kShape[] = "dd/dd/dd dd:dd:dd";
  if (text.size() != sizeof kShape - 1) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (kShape[i] == 'd' ? !digit : text[i] != kShape[i]) return false;
  }
  return true;
}

veld::LocalTime localTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  localtime_r(&now, &parts);
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

// The archive layer keeps every added page open until it writes the package: let this process hold
// as many files as the system allows it.
void raiseOpenFileLimit() {
  struct rlimit limit;
  if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_NOFILE, &limit);
  }
}

}  // namespace

int main(int argc, char** argv) {
#if defined(__GLIBC__)
  // libzip sets up and frees a deflate state (some 256 KB) for every page; without some padding
  // glibc hands that memory back to the system each time and faults it in again for the next page,
  // which took more time than the compression itself.
  mallopt(M_TOP_PAD, 4 << 20);
#endif
  std::string source, output, ideVersion, preferences, buildTime, workDir;
  bool haveVersion = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](std::string& target) {
      if (i + 1 >= argc) return false;
      target = argv[++i];
      return true;
    };
    if (arg == "-h" || arg == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (arg == "-o" || arg == "--output") {
      if (!value(output)) return usageError("missing value after " + arg);
    } else if (arg == "--ide-version") {
      if (!value(ideVersion)) return usageError("missing value after " + arg);
      haveVersion = true;
    } else if (arg == "--preferences") {
      if (!value(preferences)) return usageError("missing value after " + arg);
    } else if (arg == "--build-time") {
      if (!value(buildTime)) return usageError("missing value after " + arg);
      if (!isBuildTimeLine(buildTime)) return usageError("--build-time takes \"dd/mm/yy hh:ii:ss\"");
    } else if (arg == "--work-dir") {
      if (!value(workDir)) return usageError("missing value after " + arg);
    } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
      return usageError("unknown option " + arg);
    } else if (source.empty()) {
      source = arg;
    } else {
      return usageError("more than one module given");
    }
  }
  if (source.empty()) return usageError("no module given");
  if (haveVersion == !preferences.empty()) return usageError("give the IDE version with either --ide-version or --preferences");

  std::unique_ptr<veld::BuildFiles> files = veld::makeSystemBuildFiles();
  if (!files->openForReading(source)) {
    std::fprintf(stderr, "veld-build: cannot read the module %s\n", source.c_str());
    return kBuildFailed;
  }
  if (!preferences.empty()) {
    if (!files->exists(preferences)) {
      std::fprintf(stderr, "veld-build: no preference file %s\n", preferences.c_str());
      return kBuildFailed;
    }
    ideVersion = veld::readIdeVersionValue(preferences);
    if (ideVersion.empty()) std::fprintf(stderr, "veld-build: warning: no [Global] Version in %s\n", preferences.c_str());
  }
  if (output.empty()) output = veld::packagePathFor(source);

  std::error_code error;
  bool privateWorkDir = false;
  if (workDir.empty()) {
    std::string pattern = (std::filesystem::temp_directory_path(error) / "veld-build-XXXXXX").string();
    if (error || mkdtemp(pattern.data()) == nullptr) {
      std::fprintf(stderr, "veld-build: cannot make a temporary folder\n");
      return kBuildFailed;
    }
    workDir = pattern;
    privateWorkDir = true;
  } else if (!std::filesystem::is_directory(workDir, error)) {
    std::fprintf(stderr, "veld-build: no folder %s\n", workDir.c_str());
    return kBuildFailed;
  }
  if (workDir.back() != '/') workDir += '/';

  raiseOpenFileLimit();
  std::unique_ptr<veld::PackageSink> package = veld::makeArchivePackageSink(*files);
  veld::ColouringBridge colours(veld::linkedTokenizerHighlight());
  veld::BuildRequest request;
  request.sourcePath = source;
  request.packagePath = output;
  request.temporaryFolder = workDir;
  request.now = localTimeNow;
  request.ideVersion = [&ideVersion] { return veld::ideVersionText(ideVersion); };
  veld::BuildResult result;
  if (buildTime.empty()) {
    result = veld::buildPackage(request, *files, *package, colours);
  } else {
    // A fixed line in place of the clock: formatBuildTime of these parts gives it back unchanged.
    auto part = [&](std::size_t at) { return std::atoi(buildTime.substr(at, 2).c_str()); };
    request.now = [&] { return veld::LocalTime{part(6), part(3), part(0), part(9), part(12), part(15)}; };
    result = veld::buildPackage(request, *files, *package, colours);
  }
  package.reset();

  if (privateWorkDir) std::filesystem::remove_all(workDir, error);

  for (const std::string& problem : result.problems.texts()) std::fprintf(stderr, "veld-build: %s\n", problem.c_str());
  if (result.problems.count() > result.problems.texts().size()) {
    std::fprintf(stderr, "veld-build: ... and %zu more problems\n", result.problems.count() - result.problems.texts().size());
  }
  if (result.problems.any()) return kBuildFailed;
  std::printf("%s: %llu topics\n", output.c_str(), static_cast<unsigned long long>(result.topics));
  return 0;
}
