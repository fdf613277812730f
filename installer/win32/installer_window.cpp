#include "installer/win32/installer_window.h"

#include "installer/installer_layout.h"

namespace veld {
namespace {

constexpr char kClassName[] = "VeldInstallerWindow";
constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU;

}  // namespace

bool InstallerWindow::create(HINSTANCE instance) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &InstallerWindow::windowProcedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = static_cast<HICON>(
      LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
  windowClass.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassExA(&windowClass)) return false;

  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = centredOrigin(GetSystemMetrics(SM_CXSCREEN), width);
  const int top = centredOrigin(GetSystemMetrics(SM_CYSCREEN), height);
  window_ = CreateWindowExA(0, kClassName, kWindowTitle, kStyle, left, top, width, height, nullptr, nullptr, instance,
                            this);
  if (!window_) return false;
  ShowWindow(window_, SW_SHOWNORMAL);

  const HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
  for (const ButtonPlace& place : kButtonPlaces) {
    const std::string label = place.id == kPathButton ? pathButtonLabel(installer_.currentHome()) : place.label;
    const HWND button = CreateWindowExA(0, "BUTTON", label.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                        place.left, place.top, place.width, place.height, window_,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)), instance, nullptr);
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    buttons_[static_cast<std::size_t>(place.id)] = button;
  }
  desktop_.attachWindow(window_, buttons_[kPathButton]);
  refreshEnabledState();
  SetFocus(buttons_[kPathButton]);
  return true;
}

void InstallerWindow::run() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    // Every message wakes the loop, so a new home shows in the buttons at the next one.
    refreshEnabledState();
    if (handleKeyboard(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void InstallerWindow::refreshEnabledState() {
  if (!IsWindow(window_)) return;
  const BOOL enabled = installer_.actionsNeedingHomeEnabled() ? TRUE : FALSE;
  for (int id : {kInstallButton, kUninstallButton}) {
    const HWND button = buttons_[static_cast<std::size_t>(id)];
    if (IsWindowEnabled(button) != enabled) EnableWindow(button, enabled);
  }
}

bool InstallerWindow::handleKeyboard(const MSG& message) {
  if (message.message != WM_KEYDOWN || !IsWindow(window_)) return false;
  if (message.hwnd != window_ && GetParent(message.hwnd) != window_) return false;
  if (message.wParam == VK_TAB) {
    const bool backwards = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const HWND next = GetNextDlgTabItem(window_, GetFocus(), backwards ? TRUE : FALSE);
    if (next) SetFocus(next);
    return true;
  }
  if (message.wParam == VK_RETURN && GetParent(message.hwnd) == window_) {
    PostMessageA(message.hwnd, BM_CLICK, 0, 0);
    return true;
  }
  return false;
}

LRESULT CALLBACK InstallerWindow::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    auto* self = static_cast<InstallerWindow*>(creation->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<InstallerWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  return self->handle(window, message, wParam, lParam);
}

LRESULT InstallerWindow::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      // Any notification from one of the five buttons counts as its click.
      const int id = LOWORD(wParam);
      if (lParam != 0 && id >= 0 && id < static_cast<int>(buttons_.size()) &&
          reinterpret_cast<HWND>(lParam) == buttons_[static_cast<std::size_t>(id)]) {
        installer_.clickButton(id);
        return 0;
      }
      break;
    }
    case WM_CLOSE:
      // Close box, Alt+F4 or Close in the system menu: the program ends at once, without a word.
      desktop_.endProgram();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      window_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace veld
