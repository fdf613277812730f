// Which package the viewer shows: the first argument as given, the package named by the first
// "XIncludeFile" line of a ".pb" source, or the user's choice in the open-file requester. Decided
// before any window exists; the system side (files, the IDE's home, the requester) is behind an
// interface so that the rules can be tested.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veld {

inline constexpr char kRequesterTitle[] = "VeldViewer : Open a Veld file";
inline constexpr char kRequesterFilterDescription[] = "Veld (*.veld)";
inline constexpr char kRequesterFilterPattern[] = "*.veld";

// Path parts; components are separated by "\" or "/".
std::string_view fileNameOf(std::string_view path);              // last component
std::string_view extensionOf(std::string_view path);             // after the last "." of the file name
std::string_view nameWithoutExtension(std::string_view fileName);  // cut before the last "."

// The arguments of a full command line: what follows the program name (quoted or up to the first
// blank), leading blanks removed.
std::string_view commandLineArguments(std::string_view commandLine);

// The first argument: in double quotes it is taken without them and may hold blanks (an unclosed
// quote runs to the end); otherwise it ends at the first blank or tab. Empty when there is none.
std::string firstArgument(std::string_view arguments);

class SelectionSystem {
 public:
  virtual ~SelectionSystem() = default;
  // Anything at the path, a folder included.
  virtual bool exists(const std::string& path) = 0;
  // Size of the file at the path; -1 when no file is there (a folder is no file).
  virtual std::int64_t fileSize(const std::string& path) = 0;
  // The whole file; false when it cannot be read.
  virtual bool readFile(const std::string& path, std::string& bytes) = 0;
  // The PureBasic home. When the viewer was not started by the IDE the system shows the fatal
  // message and ends the program; a stand-in that returns then gives nullopt.
  virtual std::optional<std::string> pureBasicHome() = 0;
  // The open-file requester without owner; the chosen full path, or empty text when cancelled.
  virtual std::string requestFile(const std::string& title, const std::string& initialPath,
                                  const std::string& filterDescription, const std::string& filterPattern) = 0;
};

struct SourceScan {
  bool ended = false;   // the program was ended (fatal message)
  std::string package;  // empty when the source has no "XIncludeFile" line or cannot be read
};

// The package named by the first "XIncludeFile" line of the source: "#PB_Compiler_Home" replaced
// by the home, then every "XIncludeFile ", "+" and double quote removed, and the extension made
// ".veld".
SourceScan packageFromSource(const std::string& sourcePath, SelectionSystem& system);

struct PackageChoice {
  bool chosen = false;  // false: end the program with exit code 0
  std::string path;
};

PackageChoice selectPackage(const std::string& argument, SelectionSystem& system);

}  // namespace veld
