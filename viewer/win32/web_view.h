// The page view: the system's web browser control hosted in a child window, behind the few calls
// the viewer needs. Pages run with local-machine lockdown (no script or ActiveX with the rights of
// the local machine zone), the document has no three-dimensional border, and the browser keeps its
// own context menu.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace veld {

class WebView {
 public:
  virtual ~WebView() = default;

  // Starts a navigation to a local file path (or URL) and returns at once; empty text does nothing.
  // True when the browser took the request.
  virtual bool navigate(const std::wstring& target) = 0;

  // Keeps the browser filling its host window; called when the host's size changed.
  virtual void fitToHost() = 0;

  // Gives a key message aimed at a window inside the browser to the browser first, so that its
  // shortcuts (copy, select all, find, print, back and forward, scrolling) work. True when the
  // browser used it: the message must then not be dispatched.
  virtual bool translateAccelerator(MSG& msg) = 0;
};

// Creates the browser inside `host` (filling its client area), showing "about:blank". Null when
// the control cannot be created; the viewer then runs without a page view.
std::unique_ptr<WebView> createWebView(HWND host);

}  // namespace veld
