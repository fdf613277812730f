#include "viewer/win32/web_view.h"

#include <exdisp.h>
#include <mshtmhst.h>
#include <ole2.h>
#include <urlmon.h>

#include "viewer/win32/com_ptr.h"

namespace veld {

namespace {

// The container side of the control: one object answers for the client site, the in-place site
// and frame, and the document host's UI handler.
class BrowserSite final : public IOleClientSite,
                          public IOleInPlaceSite,
                          public IOleInPlaceFrame,
                          public IDocHostUIHandler {
 public:
  explicit BrowserSite(HWND host) : host_(host) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
      *out = static_cast<IOleClientSite*>(this);
    } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
      *out = static_cast<IOleInPlaceSite*>(this);
    } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
      *out = static_cast<IOleInPlaceFrame*>(this);
    } else if (iid == IID_IDocHostUIHandler) {
      *out = static_cast<IDocHostUIHandler*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** out) override {
    if (out != nullptr) *out = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** out) override {
    if (out != nullptr) *out = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(WINBOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow (for the in-place site and the frame alike)
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override {
    if (out == nullptr) return E_POINTER;
    *out = host_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT posRect,
                                             LPRECT clipRect, LPOLEINPLACEFRAMEINFO info) override {
    if (frame != nullptr) {
      *frame = static_cast<IOleInPlaceFrame*>(this);
      AddRef();
    }
    if (doc != nullptr) *doc = nullptr;
    RECT client;
    GetClientRect(host_, &client);
    if (posRect != nullptr) *posRect = client;
    if (clipRect != nullptr) *clipRect = client;
    if (info != nullptr) {
      info->cb = sizeof(OLEINPLACEFRAMEINFO);
      info->fMDIApp = FALSE;
      info->hwndFrame = GetAncestor(host_, GA_ROOT);
      info->haccel = nullptr;
      info->cAccelEntries = 0;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(WINBOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleInPlaceUIWindow and IOleInPlaceFrame: no menus, toolbars or status bar to share.
  HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE EnableModeless(WINBOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  // IDocHostUIHandler
  HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override {
    return S_FALSE;  // the browser shows its own menu
  }
  HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* info) override {
    if (info == nullptr) return E_POINTER;
    info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    info->pchHostCss = nullptr;
    info->pchHostNS = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                                   IOleInPlaceUIWindow*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE HideUI() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE UpdateUI() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(WINBOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(WINBOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, WINBOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, const GUID*, DWORD) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* key, DWORD) override {
    if (key != nullptr) *key = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget*, IDropTarget** out) override {
    if (out != nullptr) *out = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** out) override {
    if (out != nullptr) *out = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD, LPWSTR, LPWSTR* out) override {
    if (out != nullptr) *out = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject*, IDataObject** out) override {
    if (out != nullptr) *out = nullptr;
    return S_FALSE;
  }

 private:
  ~BrowserSite() = default;
  HWND host_;
  ULONG refs_ = 1;
};

struct SiteRelease {
  void operator()(BrowserSite* s) const { s->Release(); }
};

class BrowserView final : public WebView {
 public:
  explicit BrowserView(HWND host) : host_(host), site_(new BrowserSite(host)) {}

  ~BrowserView() override {
    // Deactivate and close before the site goes, then drop every reference; the host window is
    // destroyed by its owner afterwards.
    activeObject_.reset();
    inPlaceObject_.reset();
    browser_.reset();
    if (object_) {
      object_->Close(OLECLOSE_NOSAVE);
      object_->SetClientSite(nullptr);
    }
    object_.reset();
  }

  bool start() {
    // Before the control exists: pages from the local disk get no script or ActiveX rights.
    CoInternetSetFeatureEnabled(FEATURE_LOCALMACHINE_LOCKDOWN, SET_FEATURE_ON_PROCESS, TRUE);
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
                                IID_IOleObject, object_.putVoid()))) {
      return false;
    }
    IOleClientSite* clientSite = static_cast<IOleClientSite*>(site_.get());
    DWORD status = 0;
    object_->GetMiscStatus(DVASPECT_CONTENT, &status);
    const bool siteFirst = (status & OLEMISC_SETCLIENTSITEFIRST) != 0;
    if (siteFirst && FAILED(object_->SetClientSite(clientSite))) return false;
    OleSetContainedObject(object_.get(), TRUE);
    if (!siteFirst && FAILED(object_->SetClientSite(clientSite))) return false;
    RECT rc;
    GetClientRect(host_, &rc);
    if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, clientSite, 0, host_, &rc))) return false;
    browser_ = object_.query<IWebBrowser2>(IID_IWebBrowser2);
    inPlaceObject_ = object_.query<IOleInPlaceObject>(IID_IOleInPlaceObject);
    if (!browser_) return false;
    navigate(L"about:blank");
    waitForFirstPage();
    return true;
  }

  bool navigate(const std::wstring& target) override {
    if (target.empty() || !browser_) return false;
    BSTR url = SysAllocStringLen(target.data(), static_cast<UINT>(target.size()));
    if (url == nullptr) return false;
    VARIANT none;
    VariantInit(&none);
    const HRESULT hr = browser_->Navigate(url, &none, &none, &none, &none);
    SysFreeString(url);
    return SUCCEEDED(hr);
  }

  void fitToHost() override {
    if (!inPlaceObject_) return;
    RECT rc;
    GetClientRect(host_, &rc);
    inPlaceObject_->SetObjectRects(&rc, &rc);
  }

  bool translateAccelerator(MSG& msg) override {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !browser_) return false;
    if (msg.hwnd != host_ && !IsChild(host_, msg.hwnd)) return false;
    if (!activeObject_) activeObject_ = browser_.query<IOleInPlaceActiveObject>(IID_IOleInPlaceActiveObject);
    return activeObject_ && activeObject_->TranslateAccelerator(&msg) == S_OK;
  }

 private:
  // The first page is blank; waiting for it keeps the view blank until a topic is shown. The wait
  // is bounded: a browser that never completes (no rendering engine) must not hold up the start.
  void waitForFirstPage() {
    const DWORD start = GetTickCount();
    READYSTATE state = READYSTATE_UNINITIALIZED;
    while (SUCCEEDED(browser_->get_ReadyState(&state)) && state != READYSTATE_COMPLETE &&
           GetTickCount() - start < 1000) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
          PostQuitMessage(static_cast<int>(msg.wParam));
          return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
  }

  HWND host_;
  std::unique_ptr<BrowserSite, SiteRelease> site_;
  ComPtr<IOleObject> object_;
  ComPtr<IWebBrowser2> browser_;
  ComPtr<IOleInPlaceObject> inPlaceObject_;
  ComPtr<IOleInPlaceActiveObject> activeObject_;
};

}  // namespace

std::unique_ptr<WebView> createWebView(HWND host) {
  auto view = std::make_unique<BrowserView>(host);
  if (!view->start()) return nullptr;
  return view;
}

}  // namespace veld
