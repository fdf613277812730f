// The installer's run-wide state (the current PureBasic home) and what its five buttons do:
// choosing the home, Install, Uninstall, Extract and Browse. Everything the system does for it
// goes through the ports, so the sequences are the same under test and in the program.
#pragma once

#include <array>
#include <string>

#include "common/preference_store.h"
#include "installer/installer_ports.h"

namespace veld {

inline constexpr char kWindowTitle[] = "VeldInstaller : BriskLib 5.21.003";
inline constexpr char kPathButtonPrefix[] = "PureBasic Path = ";

// Button ids; the path button comes first in creation and tab order.
enum ButtonId : int { kInstallButton = 0, kUninstallButton = 1, kExtractButton = 2, kBrowseButton = 3, kPathButton = 4 };

// The files the payload archive holds, written into the veld folder by Install.
inline constexpr std::array<const char*, 4> kPayloadFiles{"BriskLib.veld", "BriskLib.pbi", "example.veld",
                                                          "example.pbi"};

// "PureBasic Path = " followed by the home.
std::string pathButtonLabel(const std::string& home);

class Installer {
 public:
  // `tools` is the program's preference store: Install and Uninstall open the tool configuration in
  // it, and the program's orderly end closes it, which writes the file.
  Installer(InstallerDesktop& desktop, InstallerFiles& files, CarriedItems& carried, PreferenceStore& tools);

  // The first value of the current home: the registered one.
  void start();

  const std::string& currentHome() const { return currentHome_; }
  std::string veldFolder() const { return currentHome_ + "veld\\"; }
  // Install and Uninstall need a home; the other buttons are always enabled.
  bool actionsNeedingHomeEnabled() const { return !currentHome_.empty(); }

  // Runs what the button with this id does; unknown ids do nothing.
  void clickButton(int id);

  // The home the registry names, read afresh; empty when none.
  std::string readRegisteredHome();
  // The path button: asks for a folder and takes it as the home when it holds "PureBasic.exe".
  void choosePureBasicHome();
  void install();
  void uninstall();
  // True when it extracted (and ended the program); false when no existing folder was chosen.
  bool extract();
  void browse();

  // Writes the payload archive to the temporary folder, unpacks every entry into the destination
  // and deletes the archive file again.
  void extractPayload(std::string destination);
  void writeCarriedItem(const std::string& path, CarriedItem item);

  // The test Extract applies to the folder the user chose.
  bool isExistingFolder(std::string path);

 private:
  // Where the help page goes: under the registered home, or under the current one when the
  // registry names none (rather than a path relative to the working folder).
  std::string helpHome();
  void openToolConfiguration();
  // Deletes what Install wrote into the veld folder, by name, and removes the folder when that
  // leaves it empty: files a user keeps there survive.
  void removeInstalledFiles();

  InstallerDesktop& desktop_;
  InstallerFiles& files_;
  CarriedItems& carried_;
  PreferenceStore& tools_;
  std::string currentHome_;
};

}  // namespace veld
