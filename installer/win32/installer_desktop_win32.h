#pragma once

#include <windows.h>

#include "installer/installer_ports.h"

namespace veld {

// The registry, dialogs, message boxes and process starts of Windows, and the main window's
// part in them (owner of the dialogs, the path button's label, closing, the orderly end).
class Win32Desktop final : public InstallerDesktop {
 public:
  void attachWindow(HWND mainWindow, HWND pathButton) {
    mainWindow_ = mainWindow;
    pathButton_ = pathButton;
  }

  std::string registeredIconValue() override;
  std::string environmentVariable(const std::string& name) override;
  std::string requestFolder(const std::string& title) override;
  void showInformation(const std::string& title, const std::string& text) override;
  void showError(const std::string& title, const std::string& text) override;
  void runHidden(const std::string& parameters) override;
  void startProgram(const std::string& program, const std::string& arguments) override;
  void setPathButtonLabel(const std::string& label) override;
  void closeMainWindow() override;
  // Destroys what is left of the window and asks the event loop to end; the program then closes
  // its preference store (writing the tool configuration) and exits with code 0.
  void endProgram() override;

 private:
  HWND owner() const { return IsWindow(mainWindow_) ? mainWindow_ : nullptr; }

  HWND mainWindow_ = nullptr;
  HWND pathButton_ = nullptr;
};

}  // namespace veld
