#include "ui/activex/ActiveXControl.h"

#include <ole2.h>

#include "ui/Form.h"
#include "ui/Runtime.h"
#include "ui/Twips.h"
#include "ui/activex/AxEventSink.h"
#include "ui/activex/AxSite.h"
#include "ui/activex/MemoryPropertyBag.h"

using Microsoft::WRL::ComPtr;

namespace ui {

namespace {

const wchar_t kSiteClass[] = L"ZvActiveXSite";

void RegisterSiteClass() {
    WNDCLASSEXW cls{};
    HINSTANCE instance = detail::Instance();  // where the control windows are made
    if (GetClassInfoExW(instance, kSiteClass, &cls)) return;
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = DefWindowProcW;
    cls.hInstance = instance;
    cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
    cls.lpszClassName = kSiteClass;
    RegisterClassExW(&cls);
}

HRESULT ClassIdOf(const std::wstring& name, CLSID& clsid) {
    if (!name.empty() && name.front() == L'{') return CLSIDFromString(name.c_str(), &clsid);
    return CLSIDFromProgID(name.c_str(), &clsid);
}

}  // namespace

ActiveXControl::ActiveXControl(Form* form, std::wstring name) : Control(form, std::move(name)) {}

ActiveXControl::~ActiveXControl() { ReleaseObject(); }

void ActiveXControl::CreateKindWindow() {
    RegisterSiteClass();
    CreateNative(kSiteClass, WS_CLIPCHILDREN | WS_TABSTOP, 0, L"");
}

void ActiveXControl::AfterCreate() { createResult_ = CreateObject(); }

void ActiveXControl::BeforeDestroy() { ReleaseObject(); }

HRESULT ActiveXControl::CreateObject() {
    CLSID clsid{};
    HRESULT hr = ClassIdOf(className_, clsid);
    if (FAILED(hr)) return hr;
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                          reinterpret_cast<void**>(unknown_.GetAddressOf()));
    if (FAILED(hr)) return hr;
    unknown_.As(&dispatch_);
    if (FAILED(hr = unknown_.As(&oleObject_))) {
        ReleaseObject();
        return hr;
    }
    site_ = new AxSite(this);
    DWORD misc = 0;
    oleObject_->GetMiscStatus(DVASPECT_CONTENT, &misc);
    const bool siteFirst = (misc & OLEMISC_SETCLIENTSITEFIRST) != 0;
    if (siteFirst) oleObject_->SetClientSite(site_);

    ComPtr<IPersistPropertyBag> bag;
    ComPtr<IPersistStreamInit> stream;
    if (SUCCEEDED(unknown_.As(&bag))) {
        if (stored_.empty()) {
            hr = bag->InitNew();
        } else {
            MemoryPropertyBag* values = new MemoryPropertyBag(stored_);
            hr = bag->Load(values, nullptr);
            values->Release();
        }
    } else if (SUCCEEDED(unknown_.As(&stream))) {
        hr = stream->InitNew();
    }
    if (FAILED(hr)) {
        ReleaseObject();
        return hr;
    }
    if (!siteFirst) oleObject_->SetClientSite(site_);

    // Events through the default source, when the control names one.
    ComPtr<IProvideClassInfo2> classInfo;
    ComPtr<IConnectionPointContainer> points;
    GUID events{};
    if (SUCCEEDED(unknown_.As(&classInfo)) && SUCCEEDED(classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events)) &&
        SUCCEEDED(unknown_.As(&points)) && SUCCEEDED(points->FindConnectionPoint(events, eventPoint_.GetAddressOf()))) {
        sink_ = new AxEventSink(events, &ControlEvent);
        if (FAILED(eventPoint_->Advise(sink_, &eventCookie_))) eventPoint_.Reset();
    }

    RECT client{};
    GetClientRect(hWnd(), &client);
    SIZEL extent{MulDiv(client.right, 2540, ScreenDpiX()), MulDiv(client.bottom, 2540, ScreenDpiY())};
    oleObject_->SetExtent(DVASPECT_CONTENT, &extent);
    hr = oleObject_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0, hWnd(), &client);
    if (FAILED(hr)) {
        ReleaseObject();
        return hr;
    }
    oleObject_.As(&inPlace_);
    PlaceObject();
    return S_OK;
}

void ActiveXControl::ReleaseObject() {
    if (eventPoint_) {
        eventPoint_->Unadvise(eventCookie_);
        eventPoint_.Reset();
        eventCookie_ = 0;
    }
    if (sink_) {
        sink_->Detach();
        sink_->Release();
        sink_ = nullptr;
    }
    if (inPlace_) {
        inPlace_->InPlaceDeactivate();
        inPlace_.Reset();
    }
    if (oleObject_) {
        oleObject_->Close(OLECLOSE_NOSAVE);
        oleObject_->SetClientSite(nullptr);
        oleObject_.Reset();
    }
    dispatch_.Reset();
    unknown_.Reset();
    if (site_) {
        site_->Detach();
        site_->Release();
        site_ = nullptr;
    }
}

void ActiveXControl::PlaceObject() {
    if (!inPlace_ || !hWnd()) return;
    RECT client{};
    GetClientRect(hWnd(), &client);
    inPlace_->SetObjectRects(&client, &client);
}

bool ActiveXControl::OnOwnMessage(UINT msg, WPARAM, LPARAM, LRESULT&) {
    if (msg == WM_SIZE) PlaceObject();
    // A form that goes destroys its window first, and the site's with it: the object goes now.
    if (msg == WM_DESTROY) ReleaseObject();
    return false;
}

void ActiveXControl::SiteRequestsRect(const RECT& pixels) {
    // The control asks for a size of its own (it snaps to its content): the form's control follows.
    const long width = PixelsToTwipsX(pixels.right - pixels.left);
    const long height = PixelsToTwipsY(pixels.bottom - pixels.top);
    if (width != Width() || height != Height()) Move(Left(), Top(), width, height);
    else PlaceObject();
}

HWND ActiveXControl::ControlWindow() const {
    ComPtr<IOleWindow> window;
    HWND handle = nullptr;
    if (unknown_ && SUCCEEDED(unknown_.As(&window))) window->GetWindow(&handle);
    return handle;
}

PropertyMap ActiveXControl::SaveProperties() {
    ComPtr<IPersistPropertyBag> bag;
    if (!unknown_ || FAILED(unknown_.As(&bag))) return {};
    MemoryPropertyBag* values = new MemoryPropertyBag();
    PropertyMap saved;
    if (SUCCEEDED(bag->Save(values, FALSE, TRUE))) saved = values->Values();
    values->Release();
    return saved;
}

DISPID ActiveXControl::DispIdOf(const std::wstring& name) const {
    if (!dispatch_) return DISPID_UNKNOWN;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
    if (FAILED(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return DISPID_UNKNOWN;
    return id;
}

HRESULT ActiveXControl::Invoke(DISPID id, WORD flags, std::vector<OleVariant> args, OleVariant* result,
                               EXCEPINFO* exception) {
    if (!dispatch_) return E_UNEXPECTED;
    std::vector<VARIANT> reversed;
    reversed.reserve(args.size());
    for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(*it->Get());
    DISPID putId = DISPID_PROPERTYPUT;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), put ? &putId : nullptr,
                      static_cast<UINT>(reversed.size()), put ? 1u : 0u};
    OleVariant ignored;
    EXCEPINFO info{};
    UINT argError = 0;
    const HRESULT hr = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                         result ? result->Get() : ignored.Get(), exception ? exception : &info,
                                         &argError);
    if (!exception) {
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrHelpFile);
    }
    return hr;
}

HRESULT ActiveXControl::InvokeByName(const std::wstring& name, WORD flags, std::vector<OleVariant> args,
                                     OleVariant* result, EXCEPINFO* exception) {
    const DISPID id = DispIdOf(name);
    if (id == DISPID_UNKNOWN) return DISP_E_UNKNOWNNAME;
    return Invoke(id, flags, std::move(args), result, exception);
}

OleVariant ActiveXControl::Get(DISPID id, std::vector<OleVariant> args) {
    OleVariant result;
    Invoke(id, DISPATCH_PROPERTYGET, std::move(args), &result);
    return result;
}

HRESULT ActiveXControl::Put(DISPID id, std::vector<OleVariant> args) {
    return Invoke(id, DISPATCH_PROPERTYPUT, std::move(args));
}

OleVariant ActiveXControl::Call(DISPID id, std::vector<OleVariant> args) {
    OleVariant result;
    Invoke(id, DISPATCH_METHOD, std::move(args), &result);
    return result;
}

}  // namespace ui
