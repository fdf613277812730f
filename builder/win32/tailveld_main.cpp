// TailVeld.exe: the IDE tool that builds a module's package. No window; every path ends with exit
// code 0, after the run has closed what it opened.
#include <windows.h>

#include <exception>
#include <memory>

#include "builder/build_files.h"
#include "builder/package_sink.h"
#include "builder/tailveld_run.h"
#include "builder/win32/win32_system.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    const std::string argument = veld::firstArgument(GetCommandLineA());
    veld::win32::ToolHost host;
    std::unique_ptr<veld::BuildFiles> files = veld::makeSystemBuildFiles();
    std::unique_ptr<veld::PackageSink> package = veld::makeArchivePackageSink(*files);
    veld::win32::DllSyntaxLibrary library;
    veld::win32::OpenFileDialog dialog;
    veld::win32::ProcessLauncher processes;
    veld::win32::LocalClock clock;
    veld::TailVeldSystem system{host, *files, *package, library, dialog, processes, clock,
                                veld::win32::temporaryFolder()};
    veld::runTailVeld(argument, system);
  } catch (const std::exception&) {
    // Out of memory on a giant module: nothing to report to, the IDE carries on.
  }
  return 0;
}
