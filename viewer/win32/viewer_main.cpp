// VeldViewer: shows one package per run. The package is chosen before any window exists; then the
// window is built invisible, moved to its saved place, filled, shown on the initial topic, and run
// until the user closes it; its place is saved on the way out.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <string>

#include "common/archive_access.h"
#include "common/files.h"
#include "common/host.h"
#include "common/preference_store.h"
#include "viewer/package_files.h"
#include "viewer/package_selection.h"
#include "viewer/window_geometry.h"
#include "viewer/win32/kind_icons.h"
#include "viewer/win32/main_window.h"
#include "viewer/win32/system_selection.h"
#include "viewer/win32/wide_text.h"

namespace veld {
namespace {

// The user's temporary folder in its long form, ending with a backslash.
std::string temporaryFolder() {
  std::wstring path(MAX_PATH + 1, L'\0');
  DWORD n = GetTempPathW(static_cast<DWORD>(path.size()), &path[0]);
  if (n > path.size()) {
    path.resize(n);
    n = GetTempPathW(static_cast<DWORD>(path.size()), &path[0]);
  }
  path.resize(n <= path.size() ? n : 0);
  std::wstring longPath(32768, L'\0');
  const DWORD m = GetLongPathNameW(path.c_str(), &longPath[0], static_cast<DWORD>(longPath.size()));
  if (m > 0 && m < longPath.size()) path.assign(longPath.c_str(), m);
  if (!path.empty() && path.back() != L'\\') path.push_back(L'\\');
  return wideToUtf8(path);
}

std::string programPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return wideToUtf8(path);
    }
    path.resize(path.size() * 2);
  }
}

int runViewer(HINSTANCE instance) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  // OLE, not only COM: the browser's in-place activation and its clipboard need it. The PNG
  // decoder needs no start-up.
  const bool ole = SUCCEEDED(OleInitialize(nullptr));

  std::unique_ptr<FileAccess> files = makeSystemFileAccess(Encoding::Utf8);
  std::unique_ptr<Host> host = makeSystemHost(Encoding::Utf8, [ole] {
    if (ole) OleUninitialize();
  });
  SystemSelection selection(*host, *files);
  const PackageChoice choice =
      selectPackage(firstArgument(commandLineArguments(wideToUtf8(GetCommandLineW()))), selection);
  if (!choice.chosen) {
    if (ole) OleUninitialize();
    return 0;
  }

  const std::string temp = temporaryFolder();
  writeIconArchive(*files, temp);
  ArchiveAccess archive(Encoding::Utf8, *files);
  PackageFiles pages(archive, *files, temp);
  PreferenceStore store(Encoding::Utf8, *files);
  const std::string settings = settingsPathFor(programPath());
  {
    MainWindow window(instance, choice.path, archive, *files, pages, temp);
    if (window.create()) {
      window.restoreGeometry(store, settings, selection.exists(settings));
      window.fillTree();
      window.show();
      window.chooseInitialTopic(host->environmentVariable(kToolWordVariable));
      window.runEventLoop();
      window.saveGeometry(store, settings);
    }
  }  // the browser, the window, its gadgets and pictures go here
  store.closePreferences();
  archive.closeArchive();
  if (ole) OleUninitialize();
  return 0;
}

}  // namespace
}  // namespace veld

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return veld::runViewer(instance); }
