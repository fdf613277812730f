#pragma once

#include <windows.h>

#include <array>

#include "installer/installer.h"
#include "installer/win32/installer_desktop_win32.h"

namespace veld {

// The installer's only window: a fixed-size frame with the path button and the four action
// buttons. It hands every button click to the installer and every close request to the end.
class InstallerWindow {
 public:
  InstallerWindow(Installer& installer, Win32Desktop& desktop) : installer_(installer), desktop_(desktop) {}
  InstallerWindow(const InstallerWindow&) = delete;
  InstallerWindow& operator=(const InstallerWindow&) = delete;

  // Creates and shows the window, then its buttons. False when the window cannot be created.
  bool create(HINSTANCE instance);

  // The event loop; returns when the program ends.
  void run();

 private:
  static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Install and Uninstall are enabled only while a home is known.
  void refreshEnabledState();
  // Tab and Shift+Tab move between the buttons, Enter clicks the focused one.
  bool handleKeyboard(const MSG& message);

  Installer& installer_;
  Win32Desktop& desktop_;
  HWND window_ = nullptr;
  std::array<HWND, 5> buttons_{};  // by button id
};

}  // namespace veld
