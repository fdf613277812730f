// What the installer's portable logic needs from the system, as three narrow interfaces:
// the items carried inside the program, the file system, and the desktop (registry, dialogs,
// message boxes, process starts, the main window). The Win32 program implements them in win32/;
// the tests use the native file system and a recording desktop.
//
// Texts and paths are bytes of the ANSI code page, as everywhere in the installer.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace veld {

enum class CarriedItem {
  Viewer,   // VeldViewer.exe
  Builder,  // TailVeld.exe
  HelpPage, // help\Veld.html
  Payload,  // the archive of the ready-made packages and their modules
};

class CarriedItems {
 public:
  virtual ~CarriedItems() = default;
  // The item's bytes, whole; empty when the program does not hold it.
  virtual std::string_view bytes(CarriedItem item) = 0;
};

class InstallerFiles {
 public:
  virtual ~InstallerFiles() = default;
  // Creates one folder level; an existing folder or a failure is no error.
  virtual void createFolder(const std::string& path) = 0;
  // Creates or replaces the file with these bytes. False when it could not be written whole.
  virtual bool writeFile(const std::string& path, std::string_view bytes) = 0;
  // False when nothing was deleted (missing, read-only or in use).
  virtual bool deleteFile(const std::string& path) = 0;
  // Removes the folder only when it is empty.
  virtual bool removeEmptyFolder(const std::string& path) = 0;
  // Anything at the path, file or folder.
  virtual bool exists(const std::string& path) = 0;
  virtual bool isFolder(const std::string& path) = 0;
  // A drive of that letter exists (removable, fixed, network, ...).
  virtual bool driveExists(char letter) = 0;
  // The user's temporary folder in its long form, ending with a backslash.
  virtual std::string temporaryFolder() = 0;
  // The path as the shared archive and preference layers must be given it. The system's own:
  // unchanged; the native
  // stand-in reads backslashes as folder separators and turns them into slashes.
  virtual std::string systemPath(const std::string& path) = 0;
};

// The files of the system the program runs on.
std::unique_ptr<InstallerFiles> makeSystemInstallerFiles();

class InstallerDesktop {
 public:
  virtual ~InstallerDesktop() = default;
  // The default value of HKEY_CLASSES_ROOT\PureBasic.exe\DefaultIcon as text; empty when missing.
  virtual std::string registeredIconValue() = 0;
  virtual std::string environmentVariable(const std::string& name) = 0;
  // The folder-browse dialog: the chosen folder ending with a backslash, or empty text.
  virtual std::string requestFolder(const std::string& title) = 0;
  virtual void showInformation(const std::string& title, const std::string& text) = 0;
  virtual void showError(const std::string& title, const std::string& text) = 0;
  // "cmd" with these parameters, hidden, waited for; its outcome is not reported.
  virtual void runHidden(const std::string& parameters) = 0;
  // Starts a program without waiting for it.
  virtual void startProgram(const std::string& program, const std::string& arguments) = 0;
  virtual void setPathButtonLabel(const std::string& label) = 0;
  virtual void closeMainWindow() = 0;
  // The program's orderly end (the tool configuration is written then). The system's does not return.
  virtual void endProgram() = 0;
};

}  // namespace veld
