#include "viewer/win32/main_window.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <utility>

#include "viewer/package_selection.h"
#include "viewer/page_search.h"
#include "viewer/topic_lookup.h"
#include "viewer/win32/viewer_ids.h"
#include "viewer/win32/wide_text.h"

namespace veld {

namespace {

constexpr wchar_t kMainClass[] = L"VeldViewerWindow";
constexpr wchar_t kTabPageClass[] = L"VeldViewerTabPage";
constexpr wchar_t kPageViewClass[] = L"VeldViewerPageView";
constexpr char kTitlePrefix[] = "VeldViewer 1.0.0.7 >> ";
constexpr DWORD kMainStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kMainExStyle = 0;
// Posted by a click into the tree, so that it is handled after the tree has taken the click.
constexpr UINT kTreeClickedMessage = WM_APP + 1;

// The area of a tab page inside the tab control's client area.
RECT tabPageArea(HWND tab) {
  RECT rc;
  GetClientRect(tab, &rc);
  TabCtrl_AdjustRect(tab, FALSE, &rc);
  return rc;
}

void place(HWND control, const Box& box) {
  SetWindowPos(control, nullptr, box.x, box.y, std::max(box.width, 0), std::max(box.height, 0),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// Tab pages hand their gadgets' notifications to the main window, which owns the behaviour.
LRESULT CALLBACK tabPageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
      return SendMessageW(GetAncestor(hwnd, GA_ROOT), message, wParam, lParam);
    case WM_ERASEBKGND:
      // The tab control's own page background, themed or not.
      DrawThemeParentBackground(hwnd, reinterpret_cast<HDC>(wParam), nullptr);
      return 1;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

// The page view's host window keeps the browser filling it.
LRESULT CALLBACK pageViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE) {
    auto* web = reinterpret_cast<WebView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (web != nullptr) web->fitToHost();
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool registerClasses(HINSTANCE instance, WNDPROC mainProc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = mainProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kMainClass;
  if (RegisterClassExW(&wc) == 0) return false;

  WNDCLASSEXW page{};
  page.cbSize = sizeof(page);
  page.lpfnWndProc = tabPageProc;
  page.hInstance = instance;
  page.hCursor = wc.hCursor;
  page.lpszClassName = kTabPageClass;
  if (RegisterClassExW(&page) == 0) return false;

  WNDCLASSEXW view{};
  view.cbSize = sizeof(view);
  view.lpfnWndProc = pageViewProc;
  view.hInstance = instance;
  view.hCursor = wc.hCursor;
  view.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  view.lpszClassName = kPageViewClass;
  return RegisterClassExW(&view) != 0;
}

std::wstring windowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, &text[0], static_cast<int>(text.size()))));
  return text;
}

// Marks the program's own changes to the tree, whose notifications are not user events.
class MuteTree {
 public:
  explicit MuteTree(int& counter) : counter_(counter) { ++counter_; }
  ~MuteTree() { --counter_; }
  MuteTree(const MuteTree&) = delete;
  MuteTree& operator=(const MuteTree&) = delete;

 private:
  int& counter_;
};

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, std::string packagePath, ArchiveAccess& archive, FileAccess& files,
                       PackageFiles& pages, std::string tempFolder)
    : instance_(instance),
      packagePath_(std::move(packagePath)),
      archive_(archive),
      files_(files),
      pages_(pages),
      tempFolder_(std::move(tempFolder)) {}

MainWindow::~MainWindow() {
  if (pageView_ != nullptr) SetWindowLongPtrW(pageView_, GWLP_USERDATA, 0);
  web_.reset();
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

bool MainWindow::create() {
  if (!registerClasses(instance_, windowProc)) return false;
  RECT frame{0, 0, kStartClientWidth, kStartClientHeight};
  AdjustWindowRectEx(&frame, kMainStyle, FALSE, kMainExStyle);
  const int outerWidth = frame.right - frame.left;
  const int outerHeight = frame.bottom - frame.top;
  const Position at = centredOn(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), outerWidth, outerHeight);
  const std::wstring title = utf8ToWide(kTitlePrefix + std::string(fileNameOf(packagePath_)));
  CreateWindowExW(kMainExStyle, kMainClass, title.c_str(), kMainStyle, at.x, at.y, outerWidth, outerHeight, nullptr,
                  nullptr, instance_, this);
  if (hwnd_ == nullptr) return false;
  createGadgets();
  layoutWindow();
  return true;
}

void MainWindow::createGadgets() {
  const WindowLayout at = creationLayout();
  const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  auto child = [&](DWORD exStyle, const wchar_t* cls, DWORD style, HWND parent, const Box& box, int id) {
    HWND hwnd = CreateWindowExW(exStyle, cls, L"", WS_CHILD | style, box.x, box.y, box.width, box.height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    SendMessageW(hwnd, WM_SETFONT, font, FALSE);
    return hwnd;
  };

  sidePanel_ = child(WS_EX_CONTROLPARENT, WC_TABCONTROLW, WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP,
                     hwnd_, at.sidePanel, kSidePanelId);
  const wchar_t* tabs[] = {L"Summary", L"Search"};
  for (int i = 0; i < 2; ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(tabs[i]);
    SendMessageW(sidePanel_, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  const RECT area = tabPageArea(sidePanel_);
  const Box pageBox{area.left, area.top, area.right - area.left, area.bottom - area.top};
  for (int i = 0; i < 2; ++i) {
    tabPages_[i] = child(WS_EX_CONTROLPARENT, kTabPageClass, WS_CLIPCHILDREN | (i == 0 ? WS_VISIBLE : 0), sidePanel_,
                         pageBox, 0);
  }

  tree_ = child(WS_EX_CLIENTEDGE, WC_TREEVIEWW,
                WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                tabPages_[0], at.topicTree, kTopicTreeId);
  SendMessageW(tree_, TVM_SETEXTENDEDSTYLE, TVS_EX_DOUBLEBUFFER, TVS_EX_DOUBLEBUFFER);
  searchField_ = child(WS_EX_CLIENTEDGE, WC_EDITW, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, tabPages_[1],
                       at.searchField, kSearchFieldId);
  resultList_ = child(WS_EX_CLIENTEDGE, WC_LISTBOXW,
                      WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                      tabPages_[1], at.resultList, kResultListId);
  pageView_ = child(0, kPageViewClass, WS_VISIBLE | WS_CLIPCHILDREN, hwnd_, at.pageView, kPageViewId);
  web_ = createWebView(pageView_);
  SetWindowLongPtrW(pageView_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(web_.get()));
  if (web_) SetWindowTextW(pageView_, L"about:blank");
}

// ---- messages ---------------------------------------------------------------------------------

LRESULT CALLBACK MainWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MainWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return self->handle(message, wParam, lParam);
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      onSize(wParam);
      return 0;
    case WM_NOTIFY:
      return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_CLOSE:
      onClose();
      return 0;
    case WM_ACTIVATE:
      onActivate(wParam);
      return 0;
    case WM_SETFOCUS:
      onSetFocus();
      return 0;
    case kTreeClickedMessage:
      onTreeClicked();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void MainWindow::onSize(WPARAM kind) {
  if (kind == SIZE_MINIMIZED || tree_ == nullptr) return;
  layoutWindow();
}

LRESULT MainWindow::onNotify(const NMHDR& header) {
  if (header.hwndFrom == tree_) {
    switch (header.code) {
      case TVN_SELCHANGEDW:
      case TVN_SELCHANGEDA:
        if (treeEventsMuted_ == 0) showTopic(selectedTopic());
        return 0;
      case NM_CLICK:
        PostMessageW(hwnd_, kTreeClickedMessage, 0, 0);
        return 0;
      case NM_RCLICK: {
        // A right click selects the item under the pointer, as a change of the selection.
        TVHITTESTINFO hit{};
        GetCursorPos(&hit.pt);
        ScreenToClient(tree_, &hit.pt);
        HTREEITEM item = TreeView_HitTest(tree_, &hit);
        if (item != nullptr && (hit.flags & TVHT_ONITEM) != 0) TreeView_SelectItem(tree_, item);
        return 0;
      }
      default:
        return 0;
    }
  }
  if (header.hwndFrom == sidePanel_ && header.code == TCN_SELCHANGE) {
    showTab(TabCtrl_GetCurSel(sidePanel_));
  }
  return 0;
}

void MainWindow::onCommand(int id, int code) {
  if (id == kResultListId && code == LBN_SELCHANGE) chooseResult();
}

void MainWindow::onClose() {
  // Leaves the event loop; the window stays until the geometry has been saved.
  PostQuitMessage(0);
}

// The keyboard focus goes back to the gadget that had it when the user left the window.
void MainWindow::onActivate(WPARAM state) {
  if (LOWORD(state) != WA_INACTIVE) return;
  HWND focus = GetFocus();
  if (focus != nullptr && IsChild(hwnd_, focus)) lastFocus_ = focus;
}

void MainWindow::onSetFocus() {
  HWND target = lastFocus_ != nullptr && IsWindow(lastFocus_) && IsWindowVisible(lastFocus_) ? lastFocus_ : tree_;
  if (target != nullptr) SetFocus(target);
}

void MainWindow::onTreeClicked() { showTopic(selectedTopic()); }

// ---- layout and geometry ----------------------------------------------------------------------

void MainWindow::layoutWindow() {
  RECT rc;
  GetClientRect(hwnd_, &rc);
  const ClientSize now{rc.right, rc.bottom};
  const ClientSize wanted = atLeastMinimum(now);
  if (!(wanted == now) && !correctingSize_) {
    // Growing the window sends a size message of its own, which lays the gadgets out for the
    // corrected size; the gadgets are never placed for a size below the minimum.
    correctingSize_ = true;
    setClientSize(wanted.width, wanted.height);
    correctingSize_ = false;
    GetClientRect(hwnd_, &rc);
  }
  placeGadgets(layoutFor(rc.right, rc.bottom));
}

void MainWindow::placeGadgets(const WindowLayout& layout) {
  place(sidePanel_, layout.sidePanel);
  const RECT area = tabPageArea(sidePanel_);
  for (HWND page : tabPages_) place(page, Box{area.left, area.top, area.right - area.left, area.bottom - area.top});
  place(tree_, layout.topicTree);
  place(searchField_, layout.searchField);
  place(resultList_, layout.resultList);
  place(pageView_, layout.pageView);
}

void MainWindow::setClientSize(int width, int height) {
  RECT frame{0, 0, std::max(width, 0), std::max(height, 0)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
  SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::restoreGeometry(PreferenceStore& store, const std::string& settingsPath, bool settingsExist) {
  const std::optional<Geometry> g = veld::restoreGeometry(store, settingsPath, settingsExist);
  if (!g) return;
  RECT frame{0, 0, std::max<LONG>(g->width, 0), std::max<LONG>(g->height, 0)};
  AdjustWindowRectEx(&frame, kMainStyle, FALSE, kMainExStyle);
  SetWindowPos(hwnd_, nullptr, g->x, g->y, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::saveGeometry(PreferenceStore& store, const std::string& settingsPath) {
  WindowPlace place;
  RECT outer, client;
  GetWindowRect(hwnd_, &outer);
  GetClientRect(hwnd_, &client);
  place.current = Geometry{outer.left, outer.top, client.right, client.bottom};
  place.minimised = IsIconic(hwnd_) != FALSE;
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(wp);
  if (place.minimised && GetWindowPlacement(hwnd_, &wp)) {
    // The restored frame comes in workspace coordinates, which start at the work area's corner.
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    GetMonitorInfoW(MonitorFromRect(&wp.rcNormalPosition, MONITOR_DEFAULTTOPRIMARY), &mi);
    place.normalLeft = wp.rcNormalPosition.left + (mi.rcWork.left - mi.rcMonitor.left);
    place.normalTop = wp.rcNormalPosition.top + (mi.rcWork.top - mi.rcMonitor.top);
    place.normalOuterWidth = wp.rcNormalPosition.right - wp.rcNormalPosition.left;
    place.normalOuterHeight = wp.rcNormalPosition.bottom - wp.rcNormalPosition.top;
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, kMainStyle, FALSE, kMainExStyle);
    place.frameWidth = frame.right - frame.left;
    place.frameHeight = frame.bottom - frame.top;
  } else {
    place.minimised = false;
  }
  veld::saveGeometry(store, settingsPath, geometryToKeep(place));
}

// ---- start -----------------------------------------------------------------------------------

void MainWindow::fillTree() {
  icons_.load(archive_, files_, tempFolder_);
  if (icons_.list() != nullptr) TreeView_SetImageList(tree_, icons_.list(), TVSIL_NORMAL);
  const TopicTree model = buildTopicTree(pages_.readIndex(packagePath_));
  MuteTree mute(treeEventsMuted_);
  SendMessageW(tree_, WM_SETREDRAW, FALSE, 0);
  items_.clear();
  items_.reserve(model.items().size());
  for (const TopicItem& item : model.items()) {
    std::wstring title = utf8ToWide(item.title);
    TVINSERTSTRUCTW insert{};
    insert.hParent = item.parent < 0 ? TVI_ROOT : items_[static_cast<std::size_t>(item.parent)];
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = &title[0];
    insert.item.lParam = static_cast<LPARAM>(items_.size());
    if (icons_.list() != nullptr) {
      insert.item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
      insert.item.iImage = insert.item.iSelectedImage = icons_.imageOf(item.kind);
    }
    items_.push_back(TreeView_InsertItem(tree_, &insert));
  }
  SendMessageW(tree_, WM_SETREDRAW, TRUE, 0);
}

void MainWindow::show() {
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
  MuteTree mute(treeEventsMuted_);  // a tree may select its first item when it gets the focus
  SetFocus(tree_);
}

void MainWindow::chooseInitialTopic(const std::string& word) {
  if (word.empty() || !lookupTopic(word)) lookupTopic(kFallbackTopic);
}

void MainWindow::runEventLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_KEYDOWN && msg.hwnd == searchField_ && msg.wParam == VK_RETURN) {
      // Enter in the field searches; it is not passed on (a one-line field would only beep).
      if (GetWindowTextLengthW(searchField_) > 0) searchPages(wideToUtf8(windowText(searchField_)));
      continue;
    }
    if (web_ && web_->translateAccelerator(msg)) continue;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && (msg.hwnd == hwnd_ || IsChild(hwnd_, msg.hwnd)) &&
        moveFocus(GetKeyState(VK_SHIFT) < 0)) {
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool MainWindow::moveFocus(bool backwards) {
  HWND next = GetNextDlgTabItem(hwnd_, GetFocus(), backwards ? TRUE : FALSE);
  if (next == nullptr) return false;
  SetFocus(next);
  return true;
}

void MainWindow::showTab(int index) {
  for (int i = 0; i < 2; ++i) ShowWindow(tabPages_[i], i == index ? SW_SHOW : SW_HIDE);
}

// ---- topics ----------------------------------------------------------------------------------

void MainWindow::showTopic(std::int32_t n) {
  const std::string path = pages_.extractPage(packagePath_, n);
  if (!web_) return;
  const std::wstring target = utf8ToWide(path);
  // The host's text names what the view was last sent to (it is not shown anywhere).
  if (web_->navigate(target)) SetWindowTextW(pageView_, target.c_str());
}

void MainWindow::selectTopic(std::int32_t n) {
  MuteTree mute(treeEventsMuted_);
  if (n < 0 || static_cast<std::size_t>(n) >= items_.size() || items_[static_cast<std::size_t>(n)] == nullptr) {
    TreeView_SelectItem(tree_, nullptr);
    return;
  }
  // Selecting expands the ancestors.
  TreeView_SelectItem(tree_, items_[static_cast<std::size_t>(n)]);
  TreeView_EnsureVisible(tree_, items_[static_cast<std::size_t>(n)]);
}

std::int32_t MainWindow::selectedTopic() const {
  HTREEITEM selected = TreeView_GetSelection(tree_);
  if (selected == nullptr) return -1;
  TVITEMW item{};
  item.mask = TVIF_PARAM;
  item.hItem = selected;
  if (!TreeView_GetItem(tree_, &item)) return -1;
  return static_cast<std::int32_t>(item.lParam);
}

bool MainWindow::lookupTopic(const std::string& word) {
  const std::vector<IndexLine> lines = pages_.readIndex(packagePath_);
  const std::int32_t found = findTopic(lines, word);
  selectTopic(found);
  showTopic(selectedTopic());
  return static_cast<std::size_t>(found) < lines.size();
}

void MainWindow::searchPages(const std::string& text) {
  const std::vector<SearchHit> hits = veld::searchPages(archive_, pages_, packagePath_, text);
  SendMessageW(resultList_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(resultList_, LB_RESETCONTENT, 0, 0);
  HDC dc = GetDC(resultList_);
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(resultList_, WM_GETFONT, 0, 0)));
  LONG widest = 0;
  for (const SearchHit& hit : hits) {
    const std::wstring title = utf8ToWide(hit.title);
    const LRESULT at = SendMessageW(resultList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title.c_str()));
    if (at < 0) continue;
    SendMessageW(resultList_, LB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(hit.index));
    SIZE extent{};
    if (GetTextExtentPoint32W(dc, title.c_str(), static_cast<int>(std::min<std::size_t>(title.size(), 4096)), &extent)) {
      widest = std::max(widest, extent.cx);
    }
  }
  SelectObject(dc, oldFont);
  ReleaseDC(resultList_, dc);
  // Long titles can be scrolled to sideways.
  SendMessageW(resultList_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
  SendMessageW(resultList_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(resultList_, nullptr, TRUE);
}

void MainWindow::chooseResult() {
  const LRESULT at = SendMessageW(resultList_, LB_GETCURSEL, 0, 0);
  if (at < 0) return;
  const auto n = static_cast<std::int32_t>(SendMessageW(resultList_, LB_GETITEMDATA, static_cast<WPARAM>(at), 0));
  selectTopic(n);
  showTopic(n);
}

}  // namespace veld
