// The viewer's main window: the side panel with the tabs "Summary" (topic tree) and "Search"
// (search field and result list), and the page view. Bound to its window at WM_NCCREATE; each
// message has its own handler.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "common/archive_access.h"
#include "common/files.h"
#include "common/preference_store.h"
#include "viewer/package_files.h"
#include "viewer/topic_tree.h"
#include "viewer/win32/kind_icons.h"
#include "viewer/win32/web_view.h"
#include "viewer/window_geometry.h"
#include "viewer/window_layout.h"

namespace veld {

class MainWindow {
 public:
  MainWindow(HINSTANCE instance, std::string packagePath, ArchiveAccess& archive, FileAccess& files,
             PackageFiles& pages, std::string tempFolder);
  ~MainWindow();  // the browser first, then the window and its gadgets
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window invisible, centred, with its gadgets, and lays them out once.
  bool create();
  void restoreGeometry(PreferenceStore& store, const std::string& settingsPath, bool settingsExist);
  void fillTree();
  // Shows the window and gives the topic tree the keyboard focus.
  void show();
  // The topic of the word, or "Index" when the word is empty or names no topic.
  void chooseInitialTopic(const std::string& word);
  // Runs until the user asks to close the window.
  void runEventLoop();
  void saveGeometry(PreferenceStore& store, const std::string& settingsPath);

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void onSize(WPARAM kind);
  LRESULT onNotify(const NMHDR& header);
  void onCommand(int id, int code);
  void onClose();
  void onActivate(WPARAM state);
  void onSetFocus();
  void onTreeClicked();

  void createGadgets();
  void layoutWindow();
  void placeGadgets(const WindowLayout& layout);
  void setClientSize(int width, int height);
  void showTab(int index);
  bool moveFocus(bool backwards);

  void showTopic(std::int32_t n);
  void selectTopic(std::int32_t n);
  std::int32_t selectedTopic() const;
  bool lookupTopic(const std::string& word);
  void searchPages(const std::string& text);
  void chooseResult();

  HINSTANCE instance_;
  std::string packagePath_;
  ArchiveAccess& archive_;
  FileAccess& files_;
  PackageFiles& pages_;
  std::string tempFolder_;

  HWND hwnd_ = nullptr;
  HWND sidePanel_ = nullptr;
  HWND tabPages_[2] = {nullptr, nullptr};
  HWND tree_ = nullptr;
  HWND searchField_ = nullptr;
  HWND resultList_ = nullptr;
  HWND pageView_ = nullptr;
  std::unique_ptr<WebView> web_;
  KindIcons icons_;

  HWND lastFocus_ = nullptr;      // the gadget that had the focus when the window was left
  std::vector<HTREEITEM> items_;  // by item index
  int treeEventsMuted_ = 0;       // the program's own tree changes raise no events
  bool correctingSize_ = false;
};

}  // namespace veld
