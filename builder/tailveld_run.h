// The whole run of the IDE tool, from start to end: deploy and load the highlighting library, then
// either build the package of the module named by the argument and open it in the viewer, or let the
// user choose a module and open it in the IDE. The system sits behind the interfaces below; the
// Windows program supplies the real ones.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "builder/build_files.h"
#include "builder/closing_topic.h"
#include "builder/colour_bridge.h"
#include "builder/package_sink.h"
#include "common/host.h"

namespace veld {

inline constexpr char kLibraryFileName[] = "SyntaxHilighting.dll";
// Where a PureBasic installation keeps its highlighting library, under its home; the later IDE
// versions fixed the spelling of the file name.
inline constexpr char kIdeLibraryPaths[][64] = {
    "SDK\\Syntax Highlighting\\SyntaxHilighting.dll",
    "SDK\\Syntax Highlighting\\SyntaxHighlighting.dll",
};
inline constexpr char kViewerPath[] = "veld\\VeldViewer.exe";
inline constexpr char kIdeProgram[] = "PureBasic.exe";
inline constexpr char kModuleDialogTitle[] = "PureBasic Module";
inline constexpr char kModuleDialogFilter[] = "PureBasic files (*.pb;*.pbi)|*.pb;*.pbi";
inline constexpr char kLibraryMissingTitle[] = "Error DLL";
inline constexpr char kLibraryNotLoadedTitle[] = "Error opening";

class SyntaxLibrary {
 public:
  virtual ~SyntaxLibrary() = default;
  // The copy of the library the program carries.
  virtual std::string_view carriedBytes() = 0;
  // Loads the library file; it stays loaded until unload or the end of the program.
  virtual bool load(const std::string& path) = 0;
  virtual void unload() = 0;
  // The loaded library's highlighting export; empty when it has none (or nothing is loaded).
  virtual HighlightFunction highlightFunction() = 0;
};

class FileDialog {
 public:
  virtual ~FileDialog() = default;
  // The open-file dialog; the chosen path, or empty text when cancelled. `filter` is
  // "description|patterns" pairs separated by "|".
  virtual std::string chooseFile(const std::string& title, const std::string& initialFolder,
                                 const std::string& filter) = 0;
};

class ProcessStarter {
 public:
  virtual ~ProcessStarter() = default;
  // Starts the program without waiting for it and without a working folder of its own.
  virtual bool startProgram(const std::string& commandLine) = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime now() = 0;
};

struct TailVeldSystem {
  Host& host;  // environment, message boxes; endProgram may return (the run then unwinds and ends)
  BuildFiles& files;
  PackageSink& package;
  SyntaxLibrary& library;
  FileDialog& dialog;
  ProcessStarter& processes;
  Clock& clock;
  std::string temporaryFolder;  // long form, ends with a backslash
};

// The first argument of a Windows command line (the program's own name skipped), without its
// enclosing double quotes; empty when there is none.
std::string firstArgument(std::string_view commandLine);

// True when the argument names something that exists and whose file name ends in ".pbi" in exactly
// that case.
bool isBuildArgument(const std::string& argument, BuildFiles& files);

// The command line of a program start: the program path in double quotes (unless it begins with
// one), one blank, the parameter.
std::string commandLineFor(std::string_view program, std::string_view parameter);

// The run. Returns when the program is to end (exit code 0 on every path).
void runTailVeld(const std::string& argument, TailVeldSystem& system);

}  // namespace veld
