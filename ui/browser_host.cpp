#include "ui/browser_host.h"

#include "ui/owners.h"

#include <exdisp.h>
#include <ole2.h>
#include <oleidl.h>

namespace ui {
namespace {

// The container side of the browser control: client site, in-place site and frame in one object.
class BrowserSite final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
public:
    explicit BrowserSite(HWND host) : host_(host) {}

    // Creates the control in the host window: silent, online, middle text size, no page.
    void Create() {
        if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                    reinterpret_cast<void**>(object_.Put()))))
            return;
        object_->SetClientSite(this);
        RECT client{};
        GetClientRect(host_, &client);
        object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, host_, &client);
        browser_ = object_.As<IWebBrowser2>();
        if (!browser_) return;
        browser_->put_Silent(VARIANT_TRUE);
        browser_->put_Offline(VARIANT_FALSE);
        VARIANT size;
        VariantInit(&size);
        size.vt = VT_I4;
        size.lVal = 2;
        browser_->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &size, nullptr);
    }

    void Fit() {
        const ComPtr<IOleInPlaceObject> inPlace = object_.As<IOleInPlaceObject>();
        if (!inPlace) return;
        RECT client{};
        GetClientRect(host_, &client);
        inPlace->SetObjectRects(&client, &client);
    }

    void Navigate(const std::wstring& address) {
        if (!browser_) return;
        UniqueBstr url(SysAllocStringLen(address.data(), static_cast<UINT>(address.size())));
        VARIANT flags, target, postData, headers;
        VariantInit(&flags);
        flags.vt = VT_I4;
        flags.lVal = 0;
        VariantInit(&target);
        target.vt = VT_BSTR;
        target.bstrVal = nullptr;
        VariantInit(&postData);
        VariantInit(&headers);
        headers.vt = VT_BSTR;
        headers.bstrVal = nullptr;
        browser_->Navigate(url.Get(), &flags, &target, &postData, &headers);
    }

    // Deactivates and closes the control before the host window goes, then drops our references.
    void Close() {
        if (const ComPtr<IOleInPlaceObject> inPlace = object_.As<IOleInPlaceObject>()) inPlace->InPlaceDeactivate();
        if (object_) {
            object_->Close(OLECLOSE_NOSAVE);
            object_->SetClientSite(nullptr);
        }
        browser_.Reset();
        object_.Reset();
    }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid == IID_IUnknown || iid == IID_IOleClientSite) *out = static_cast<IOleClientSite*>(this);
        else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) *out = static_cast<IOleInPlaceSite*>(this);
        else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) *out = static_cast<IOleInPlaceFrame*>(this);
        else return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer** container) override {
        *container = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow (shared by the in-place site and the frame)
    STDMETHODIMP GetWindow(HWND* window) override {
        *window = host_;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
        *frame = this;
        AddRef();
        *document = nullptr;
        GetClientRect(host_, position);
        GetClientRect(host_, clip);
        info->fMDIApp = FALSE;
        info->hwndFrame = GetAncestor(host_, GA_ROOT);
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT rect) override {
        if (const ComPtr<IOleInPlaceObject> inPlace = object_.As<IOleInPlaceObject>()) inPlace->SetObjectRects(rect, rect);
        return S_OK;
    }

    // IOleInPlaceUIWindow
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }

    // IOleInPlaceFrame
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
    ~BrowserSite() = default;

    HWND host_;
    LONG references_ = 1;
    ComPtr<IOleObject> object_;
    ComPtr<IWebBrowser2> browser_;
};

BrowserSite* SiteOf(HWND host) { return reinterpret_cast<BrowserSite*>(GetWindowLongPtrW(host, GWLP_USERDATA)); }

void OnHostCreated(HWND host) {
    auto site = new BrowserSite(host);
    SetWindowLongPtrW(host, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(site));
    site->Create();
}

void OnHostDestroyed(HWND host) {
    if (BrowserSite* site = SiteOf(host)) {
        SetWindowLongPtrW(host, GWLP_USERDATA, 0);
        site->Close();
        site->Release();
    }
}

LRESULT CALLBACK BrowserHostProc(HWND host, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            OnHostCreated(host);
            return 0;
        case WM_SIZE:
            if (BrowserSite* site = SiteOf(host)) site->Fit();
            return 0;
        case WM_DESTROY:
            OnHostDestroyed(host);
            return 0;
    }
    return DefWindowProcW(host, message, wParam, lParam);
}

}  // namespace

bool RegisterBrowserHostClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &BrowserHostProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kBrowserHostClass;
    return RegisterClassExW(&windowClass) != 0;
}

void BrowserNavigate(HWND host, const std::wstring& address) {
    if (BrowserSite* site = SiteOf(host)) site->Navigate(address);
}

}  // namespace ui
