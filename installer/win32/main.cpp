// VeldInstaller: reads the registered home, shows its window and runs one event loop. Every path
// out of the loop ends here, where the preference store is closed (writing the tool configuration
// when Install or Uninstall changed it) and the program exits with code 0.
#include <windows.h>

#include <memory>

#include "common/preference_store.h"
#include "installer/installer.h"
#include "installer/win32/carried_items_win32.h"
#include "installer/win32/installer_desktop_win32.h"
#include "installer/win32/installer_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  veld::PreferenceStore tools(veld::Encoding::Ansi);
  {
    veld::Win32Desktop desktop;
    std::unique_ptr<veld::InstallerFiles> files = veld::makeSystemInstallerFiles();
    veld::ResourceItems carried;
    veld::Installer installer(desktop, *files, carried, tools);
    installer.start();

    veld::InstallerWindow window(installer, desktop);
    if (window.create(instance)) window.run();
  }
  tools.closePreferences();
  return 0;
}
