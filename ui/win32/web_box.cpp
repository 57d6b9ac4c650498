#include "ui/win32/web_box.h"

#include <docobj.h>
#include <exdisp.h>
#include <ole2.h>
#include <wrl/client.h>

#include <memory>
#include <string_view>

#include "ui/win32/gbk.h"

namespace quorvane {

namespace {

using Microsoft::WRL::ComPtr;

constexpr wchar_t kWebBoxClass[] = L"QuorvaneWebBox";
constexpr LONG kZoomLevel = 2;  // text size 2 of 0 to 4

struct BstrFree {
  void operator()(BSTR text) const { SysFreeString(text); }
};
using UniqueBstr = std::unique_ptr<OLECHAR, BstrFree>;

// The least container the browser control needs to run in place inside a child window: a
// client site, an in-place site and a frame, all answered by one object.
class BrowserSite final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
 public:
  explicit BrowserSite(HWND window) : window_(window) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
      *out = static_cast<IOleClientSite*>(this);
    } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
      *out = static_cast<IOleInPlaceSite*>(this);
    } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
      *out = static_cast<IOleInPlaceFrame*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override {
    if (container) *container = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow, shared by the in-place site and the frame
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    if (!window) return E_POINTER;
    *window = window_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame,
                                             IOleInPlaceUIWindow** document, RECT* position,
                                             RECT* clip, OLEINPLACEFRAMEINFO* info) override {
    if (!frame || !document || !position || !clip || !info) return E_POINTER;
    *frame = this;
    AddRef();
    *document = nullptr;
    GetClientRect(window_, position);
    *clip = *position;
    info->fMDIApp = FALSE;
    info->hwndFrame = GetAncestor(window_, GA_ROOT);
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnPosRectChange(const RECT*) override { return S_OK; }

  // IOleInPlaceUIWindow: the box has no toolbars to give room to.
  HRESULT STDMETHODCALLTYPE GetBorder(RECT*) override { return INPLACE_E_NOTOOLSPACE; }
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(const BORDERWIDTHS*) override {
    return INPLACE_E_NOTOOLSPACE;
  }
  HRESULT STDMETHODCALLTYPE SetBorderSpace(const BORDERWIDTHS*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override {
    return S_OK;
  }

  // IOleInPlaceFrame: no menus, no status bar, no accelerators of our own.
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, OLEMENUGROUPWIDTHS*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*, WORD) override { return S_FALSE; }

 private:
  ~BrowserSite() = default;  // only Release deletes

  HWND window_;
  ULONG references_ = 1;
};

// What one web box owns: the browser and its site, released when the box is destroyed.
class WebBoxHost {
 public:
  // The site is born with its one reference, which site_ takes over.
  explicit WebBoxHost(HWND window) { site_.Attach(new BrowserSite(window)); }
  ~WebBoxHost() {
    browser_.Reset();
    if (object_) {
      object_->Close(OLECLOSE_NOSAVE);
      object_->SetClientSite(nullptr);
    }
  }
  WebBoxHost(const WebBoxHost&) = delete;
  WebBoxHost& operator=(const WebBoxHost&) = delete;

  // Creates the browser in place, filling the window; false when it cannot be created.
  bool Embed(HWND window) {
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&object_)))) {
      return false;
    }
    IOleClientSite* site = site_.Get();
    if (FAILED(object_->SetClientSite(site))) return false;
    RECT client;
    GetClientRect(window, &client);
    if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, 0, window, &client))) {
      return false;
    }
    return SUCCEEDED(object_.As(&browser_));
  }

  // Not offline, not silent (the browser may show its own script-error dialogs), zoom level
  // 2, then the address; no result of these calls is relied on.
  void Open(const std::wstring& address) {
    browser_->put_Offline(VARIANT_FALSE);
    browser_->put_Silent(VARIANT_FALSE);
    VARIANT zoom;
    VariantInit(&zoom);
    V_VT(&zoom) = VT_I4;
    V_I4(&zoom) = kZoomLevel;
    browser_->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &zoom, nullptr);
    UniqueBstr url(SysAllocString(address.c_str()));
    VARIANT none;  // no flags, no target frame, no post data, no headers
    VariantInit(&none);
    browser_->Navigate(url.get(), &none, &none, &none, &none);
    navigated_ = address;
  }

  const std::wstring& Navigated() const { return navigated_; }

 private:
  ComPtr<BrowserSite> site_;
  ComPtr<IOleObject> object_;
  ComPtr<IWebBrowser2> browser_;
  std::wstring navigated_;
};

WebBoxHost* HostOf(HWND window) {
  return reinterpret_cast<WebBoxHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK WebBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFOCUS:
      // The focus belongs to the browser's own window inside the box.
      if (HWND inner = GetWindow(window, GW_CHILD)) SetFocus(inner);
      return 0;
    case WM_DESTROY:
      // Closed while the browser's windows still exist, so it takes them down itself.
      delete HostOf(window);
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void RegisterWebBoxClass(HINSTANCE instance) {
  WNDCLASSEXW info{};
  if (GetClassInfoExW(instance, kWebBoxClass, &info)) return;
  info.cbSize = sizeof info;
  info.lpfnWndProc = WebBoxProc;
  info.hInstance = instance;
  info.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  info.lpszClassName = kWebBoxClass;
  RegisterClassExW(&info);
}

std::wstring RunningModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

// The res: address of a resource of the module at modulePath, as the browser opens it.
std::wstring ResourceAddress(std::wstring_view modulePath, std::wstring_view resourceName) {
  std::wstring address = L"res://";
  address += modulePath;
  address += L'/';
  address += resourceName;
  return address;
}

}  // namespace

HWND CreateWebBox(HWND parent, const RECT& rect, const Text& resourceName) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterWebBoxClass(instance);
  HWND window = CreateWindowExW(0, kWebBoxClass, L"", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                parent, nullptr, instance, nullptr);
  if (!window) return nullptr;
  auto host = std::make_unique<WebBoxHost>(window);
  if (!host->Embed(window)) {
    host.reset();  // closes a half-made browser while its windows still exist
    DestroyWindow(window);
    return nullptr;
  }
  host->Open(ResourceAddress(RunningModulePath(), ToWide(resourceName)));
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host.release()));
  return window;
}

std::wstring NavigatedAddress(HWND webBox) {
  const WebBoxHost* host = HostOf(webBox);
  return host ? host->Navigated() : std::wstring();
}

}  // namespace quorvane
