#include "installer/installer.h"

#include "common/archive_access.h"
#include "installer/registered_home.h"
#include "installer/tool_registration.h"

namespace veld {
namespace {

constexpr char kViewerProgram[] = "VeldViewer.exe";
constexpr char kViewerSettings[] = "VeldViewer.ini";
constexpr char kBuilderProgram[] = "TailVeld.exe";
constexpr char kHelpPage[] = "help\\Veld.html";
constexpr char kPayloadArchive[] = "VeldZip.zip";
constexpr char kLibraryPackage[] = "BriskLib.veld";

bool endsWithSeparator(const std::string& path) { return !path.empty() && path.back() == '\\'; }

// Folder functions take the path without the separator (or blank) a folder path ends with.
std::string withoutTrailingSeparator(std::string path) {
  while (!path.empty() && (path.back() == '\\' || path.back() == '/' || path.back() == ' ')) path.pop_back();
  return path;
}

bool isDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

std::string pathButtonLabel(const std::string& home) { return kPathButtonPrefix + home; }

Installer::Installer(InstallerDesktop& desktop, InstallerFiles& files, CarriedItems& carried, PreferenceStore& tools)
    : desktop_(desktop), files_(files), carried_(carried), tools_(tools) {}

void Installer::start() { currentHome_ = readRegisteredHome(); }

void Installer::clickButton(int id) {
  switch (id) {
    case kPathButton:
      choosePureBasicHome();
      break;
    case kInstallButton:
      if (actionsNeedingHomeEnabled()) install();
      break;
    case kUninstallButton:
      if (actionsNeedingHomeEnabled()) uninstall();
      break;
    case kExtractButton:
      extract();
      break;
    case kBrowseButton:
      browse();
      break;
    default:
      break;
  }
}

std::string Installer::readRegisteredHome() { return homeFromIconValue(desktop_.registeredIconValue()); }

void Installer::choosePureBasicHome() {
  const std::string chosen = desktop_.requestFolder("PureBasic Path");
  if (chosen.empty()) return;
  if (!files_.exists(chosen + "PureBasic.exe")) {
    desktop_.showError("Error", chosen + "\r\nis not a valid PureBasic Path");
    return;
  }
  currentHome_ = chosen;
  desktop_.setPathButtonLabel(pathButtonLabel(currentHome_));
}

void Installer::install() {
  const std::string veld = veldFolder();
  files_.createFolder(withoutTrailingSeparator(veld));
  writeCarriedItem(veld + kViewerProgram, CarriedItem::Viewer);
  writeCarriedItem(veld + kBuilderProgram, CarriedItem::Builder);
  files_.createFolder(helpHome() + "help");
  writeCarriedItem(helpHome() + kHelpPage, CarriedItem::HelpPage);
  desktop_.runHidden("/C ASSOC .veld=veld");
  desktop_.runHidden("/C FTYPE veld=\"" + veld + kViewerProgram + "\" \"%1\"");
  openToolConfiguration();
  removeTools(tools_);
  addTools(tools_, veld);
  extractPayload(veld);
  desktop_.showInformation("Veld Installed to", veld);
  desktop_.closeMainWindow();
  desktop_.endProgram();
}

void Installer::uninstall() {
  const std::string veld = veldFolder();
  removeInstalledFiles();
  files_.deleteFile(helpHome() + kHelpPage);
  desktop_.runHidden("/C ASSOC .veld=");
  desktop_.runHidden("/C FTYPE veld=");
  openToolConfiguration();
  removeTools(tools_);
  desktop_.showInformation("Veld Uninstalled from", veld);
  desktop_.closeMainWindow();
  // Once more now that the message is gone: a viewer closed meanwhile may have left its settings.
  removeInstalledFiles();
  desktop_.endProgram();
}

bool Installer::extract() {
  const std::string destination = desktop_.requestFolder("Extract Veld to");
  if (!isExistingFolder(destination)) return false;
  extractPayload(destination);
  desktop_.showInformation("BriskLib 5.21.003", "Extracted");
  desktop_.closeMainWindow();
  desktop_.endProgram();
  return true;
}

void Installer::browse() {
  const std::string temporary = files_.temporaryFolder();
  const std::string viewer = temporary + kViewerProgram;
  writeCarriedItem(viewer, CarriedItem::Viewer);
  extractPayload(temporary);
  desktop_.startProgram(viewer, "\"" + temporary + kLibraryPackage + "\"");
  desktop_.endProgram();
}

void Installer::extractPayload(std::string destination) {
  if (!endsWithSeparator(destination)) destination += '\\';
  const std::string zipPath = files_.temporaryFolder() + kPayloadArchive;
  writeCarriedItem(zipPath, CarriedItem::Payload);
  {
    ArchiveAccess archive(Encoding::Ansi);
    if (archive.openArchive(files_.systemPath(zipPath))) {
      if (archive.examineEntries()) {
        while (archive.nextEntry()) {
          const std::string name = archive.entryName();
          // An entry name becomes part of a path: one that could leave the destination is skipped.
          if (!isPlainEntryName(name)) continue;
          archive.extractEntry(files_.systemPath(destination + name));
        }
      }
      archive.closeArchive();
    }
  }
  files_.deleteFile(zipPath);
}

void Installer::writeCarriedItem(const std::string& path, CarriedItem item) {
  files_.writeFile(path, carried_.bytes(item));
}

bool Installer::isExistingFolder(std::string path) {
  while (endsWithSeparator(path)) path.pop_back();
  if (path.empty()) return false;
  if (path.size() == 2 && path[1] == ':' && isDriveLetter(path[0])) return files_.driveExists(path[0]);
  return files_.isFolder(path);
}

std::string Installer::helpHome() {
  const std::string registered = readRegisteredHome();
  return registered.empty() ? currentHome_ : registered;
}

void Installer::openToolConfiguration() {
  tools_.openPreferences(files_.systemPath(toolsPrefsPath(desktop_.environmentVariable("APPDATA"))));
}

void Installer::removeInstalledFiles() {
  const std::string veld = veldFolder();
  for (const char* name : {kViewerProgram, kViewerSettings, kBuilderProgram}) files_.deleteFile(veld + name);
  for (const char* name : kPayloadFiles) files_.deleteFile(veld + name);
  files_.removeEmptyFolder(withoutTrailingSeparator(veld));
}

}  // namespace veld
