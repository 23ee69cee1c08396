#include "com/OleControl.h"

#include "com/ClassTable.h"
#include "com/ErrorInfo.h"
#include "com/TypeLib.h"
#include "ui/Boundary.h"

using Microsoft::WRL::ComPtr;

namespace zvcom {

namespace {

const wchar_t kWindowClass[] = L"OleControlWindow";

void RegisterWindowClass() {
    WNDCLASSEXW cls{};
    if (GetClassInfoExW(ModuleInstance(), kWindowClass, &cls)) return;
    cls.cbSize = sizeof cls;
    cls.style = CS_DBLCLKS;
    cls.lpfnWndProc = OleControl::ControlWndProc;
    cls.hInstance = ModuleInstance();
    cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
    cls.lpszClassName = kWindowClass;
    RegisterClassExW(&cls);
}

}  // namespace

OleControl::OleControl(const CLSID& clsid, const IID& eventsIid)
    : clsid_(clsid), events_(static_cast<IConnectionPointContainer*>(this), eventsIid) {}

OleControl::~OleControl() { DestroyControlWindow(); }

bool OleControl::QueryOleInterface(REFIID riid, void** out) {
    void* found = nullptr;
    if (riid == IID_IOleObject) found = static_cast<IOleObject*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceObject) found = static_cast<IOleInPlaceObject*>(this);
    else if (riid == IID_IOleInPlaceActiveObject) found = static_cast<IOleInPlaceActiveObject*>(this);
    else if (riid == IID_IOleControl) found = static_cast<IOleControl*>(this);
    else if (riid == IID_IViewObject || riid == IID_IViewObject2) found = static_cast<IViewObject2*>(this);
    else if (riid == IID_IPersist || riid == IID_IPersistStreamInit) found = static_cast<IPersistStreamInit*>(this);
    else if (riid == IID_IPersistPropertyBag) found = static_cast<IPersistPropertyBag*>(this);
    else if (riid == IID_IConnectionPointContainer) found = static_cast<IConnectionPointContainer*>(this);
    else if (riid == IID_IProvideClassInfo || riid == IID_IProvideClassInfo2)
        found = static_cast<IProvideClassInfo2*>(this);
    if (!found) return false;
    *out = found;
    ControllingUnknown()->AddRef();
    return true;
}

// --- the control's window ---

void OleControl::CreateControlWindow(HWND parent, const RECT& pos) {
    if (window_) {
        SetParent(window_, parent);
        MoveWindow(window_, pos.left, pos.top, pos.right - pos.left, pos.bottom - pos.top, TRUE);
        return;
    }
    RegisterWindowClass();
    window_ = CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, pos.left,
                              pos.top, pos.right - pos.left, pos.bottom - pos.top, parent, nullptr,
                              ModuleInstance(), this);
    if (!window_) return;
    WindowCreated();
    Resized();
}

void OleControl::DestroyControlWindow() {
    if (!window_) return;
    ui::RunAtBoundary(L"a control's window teardown", [&] { WindowDestroying(); });
    HWND window = window_;
    window_ = nullptr;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
}

LRESULT CALLBACK OleControl::ControlWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* created = static_cast<OleControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* control = reinterpret_cast<OleControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!control) return DefWindowProcW(window, msg, wParam, lParam);
    LRESULT result = 0;
    if (ui::RunAtBoundary(L"a control's window procedure",
                          [&] { result = control->WindowMessage(msg, wParam, lParam); }))
        return result;
    return DefWindowProcW(window, msg, wParam, lParam);
}

LRESULT OleControl::WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SIZE:
            Resized();
            return 0;
        case WM_ERASEBKGND: {
            HBRUSH brush = BackgroundBrush();
            if (!brush) break;
            RECT client;
            GetClientRect(window_, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
            return 1;
        }
        case WM_SETFOCUS:
            // The native child is what takes input.
            if (HWND child = ::GetWindow(window_, GW_CHILD)) {
                SetFocus(child);
                return 0;
            }
            break;
        case WM_MOUSEACTIVATE:
            if (inPlaceSite_ && !uiActive_) InPlaceActivate(OLEIVERB_UIACTIVATE, nullptr, nullptr);
            break;
        default: break;
    }
    return DefWindowProcW(window_, msg, wParam, lParam);
}

// --- services ---

HRESULT OleControl::Ambient(DISPID id, VARIANT* value) {
    VariantInit(value);
    ComPtr<IDispatch> ambient;
    if (!clientSite_ || FAILED(clientSite_.As(&ambient))) return E_NOINTERFACE;
    DISPPARAMS none{};
    return ambient->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value, nullptr, nullptr);
}

HRESULT OleControl::AmbientByName(const wchar_t* name, VARIANT* value) {
    VariantInit(value);
    ComPtr<IDispatch> ambient;
    if (!clientSite_ || FAILED(clientSite_.As(&ambient))) return E_NOINTERFACE;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    const HRESULT hr = ambient->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) return hr;
    return Ambient(id, value);
}

bool OleControl::UserMode() {
    Variant value;
    if (FAILED(Ambient(DISPID_AMBIENT_USERMODE, value.Get())) || value->vt != VT_BOOL) return true;
    return value->boolVal != VARIANT_FALSE;
}

HWND OleControl::ContainerWindow() {
    HWND window = nullptr;
    if (inPlaceSite_) inPlaceSite_->GetWindow(&window);
    if (!window && window_) window = GetParent(window_);
    return window;
}

void OleControl::PropertyChanged(const wchar_t*) {
    dirty_ = true;
}

SIZE OleControl::ScaleSize() const {
    RECT client{};
    if (window_) GetClientRect(window_, &client);
    return SIZE{client.right - client.left, client.bottom - client.top};
}

void OleControl::RequestSize(int width, int height) {
    RECT pos = posRect_;
    pos.right = pos.left + width;
    pos.bottom = pos.top + height;
    HDC screen = GetDC(nullptr);
    extent_.cx = MulDiv(width, 2540, GetDeviceCaps(screen, LOGPIXELSX));
    extent_.cy = MulDiv(height, 2540, GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    if (inPlaceSite_) inPlaceSite_->OnPosRectChange(&pos);
    // A container that keeps the old rectangle still gets a control of the size it asked for.
    const SIZE now = ScaleSize();
    if (window_ && (now.cx != width || now.cy != height)) {
        posRect_ = pos;
        MoveWindow(window_, pos.left, pos.top, width, height, TRUE);
    }
}

void OleControl::RaiseEvent(DISPID id, VARIANTARG* args, UINT count) {
    if (freezeCount_ > 0) return;
    ComPtr<IUnknown> keepAlive(ControllingUnknown());
    events_.Fire(id, args, count);
}

// --- IOleControl ---

HRESULT OleControl::GetControlInfo(CONTROLINFO* info) {
    if (!info) return E_POINTER;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

HRESULT OleControl::OnMnemonic(MSG*) { return S_OK; }

HRESULT OleControl::OnAmbientPropertyChange(DISPID id) {
    return Guarded(IID_IOleControl, Server().name, [&] {
        AmbientChanged(id);
        return S_OK;
    });
}

HRESULT OleControl::FreezeEvents(BOOL freeze) {
    freezeCount_ += freeze ? 1 : -1;
    if (freezeCount_ < 0) freezeCount_ = 0;
    return S_OK;
}

// --- IConnectionPointContainer ---

HRESULT OleControl::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (points) *points = nullptr;
    return E_NOTIMPL;
}

HRESULT OleControl::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    if (!point) return E_POINTER;
    *point = nullptr;
    if (iid != events_.EventsIid()) return CONNECT_E_NOCONNECTION;
    *point = &events_;
    events_.AddRef();
    return S_OK;
}

// --- IProvideClassInfo2 ---

HRESULT OleControl::GetClassInfo(ITypeInfo** info) { return GetServerTypeInfo(clsid_, info); }

HRESULT OleControl::GetGUID(DWORD kind, GUID* guid) {
    if (!guid) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
    *guid = events_.EventsIid();
    return S_OK;
}

}  // namespace zvcom
