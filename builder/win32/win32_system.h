// The system side of the IDE tool on Windows: everything the portable run needs, through the ANSI
// functions. Each class does one system job and nothing else.
#pragma once

#include <windows.h>

#include <string>

#include "builder/tailveld_run.h"
#include "common/host.h"

namespace veld::win32 {

// Resource id of the carried highlighting library (RCDATA); the build's resource line uses it too.
constexpr int kCarriedLibraryResource = 101;

// The user's temporary folder in its long form, ending with a backslash.
std::string temporaryFolder();

// The tool environment and message boxes. The end of the program is the run's own return, so
// endProgram only lets the run unwind.
class ToolHost final : public Host {
 public:
  std::string environmentVariable(const std::string& name) override;
  void showMessage(const std::string& title, const std::string& text) override;
  void endProgram() override {}
};

// The highlighting DLL: the carried copy from this program's resources, loaded by path.
class DllSyntaxLibrary final : public SyntaxLibrary {
 public:
  DllSyntaxLibrary() = default;
  ~DllSyntaxLibrary() override { unload(); }
  DllSyntaxLibrary(const DllSyntaxLibrary&) = delete;
  DllSyntaxLibrary& operator=(const DllSyntaxLibrary&) = delete;

  std::string_view carriedBytes() override;
  bool load(const std::string& path) override;
  void unload() override;
  HighlightFunction highlightFunction() override;

 private:
  HMODULE module_ = nullptr;
};

class OpenFileDialog final : public FileDialog {
 public:
  std::string chooseFile(const std::string& title, const std::string& initialFolder,
                         const std::string& filter) override;
};

class ProcessLauncher final : public ProcessStarter {
 public:
  bool startProgram(const std::string& commandLine) override;
};

class LocalClock final : public Clock {
 public:
  LocalTime now() override;
};

}  // namespace veld::win32
