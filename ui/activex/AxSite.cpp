#include "ui/activex/AxSite.h"

#include <cwchar>

#include "ui/Form.h"
#include "ui/activex/ActiveXControl.h"

namespace ui {

HRESULT AxSite::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    void* found = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite) found = static_cast<IOleClientSite*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) found = static_cast<IOleInPlaceSite*>(this);
    else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame)
        found = static_cast<IOleInPlaceFrame*>(this);
    else if (riid == IID_IOleControlSite) found = static_cast<IOleControlSite*>(this);
    else if (riid == IID_IDispatch) found = static_cast<IDispatch*>(this);
    *out = found;
    if (!found) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG AxSite::Release() {
    const ULONG refs = InterlockedDecrement(&refs_);
    if (refs == 0) delete this;
    return refs;
}

HRESULT AxSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT AxSite::GetContainer(IOleContainer** container) {
    if (container) *container = nullptr;
    return E_NOINTERFACE;
}

HRESULT AxSite::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = owner_ ? owner_->hWnd() : nullptr;
    return *window ? S_OK : E_FAIL;
}

HRESULT AxSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT pos, LPRECT clip,
                                 LPOLEINPLACEFRAMEINFO info) {
    if (!frame || !document || !pos || !clip) return E_POINTER;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *document = nullptr;
    RECT client{};
    if (owner_ && owner_->hWnd()) GetClientRect(owner_->hWnd(), &client);
    *pos = client;
    *clip = client;
    if (info) {
        info->fMDIApp = FALSE;
        info->hwndFrame = owner_ ? owner_->Parent().hWnd() : nullptr;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
    }
    return S_OK;
}

HRESULT AxSite::OnPosRectChange(LPCRECT pos) {
    if (!pos) return E_POINTER;
    if (owner_) owner_->SiteRequestsRect(*pos);
    return S_OK;
}

HRESULT AxSite::GetExtendedControl(IDispatch** control) {
    if (control) *control = nullptr;
    return E_NOTIMPL;
}

HRESULT AxSite::TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) {
    if (!himetric || !container) return E_POINTER;
    // The container's coordinates are twips: 1440 per inch against 2540 himetric.
    if (flags & XFORMCOORDS_HIMETRICTOCONTAINER) {
        container->x = static_cast<float>(himetric->x * 1440.0 / 2540.0);
        container->y = static_cast<float>(himetric->y * 1440.0 / 2540.0);
    } else {
        himetric->x = static_cast<LONG>(container->x * 2540.0 / 1440.0 + 0.5);
        himetric->y = static_cast<LONG>(container->y * 2540.0 / 1440.0 + 0.5);
    }
    return S_OK;
}

HRESULT AxSite::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT AxSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT AxSite::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    struct Named {
        const wchar_t* name;
        DISPID id;
    } static const kNames[] = {
        {L"ScaleMode", kScaleModeId},          {L"UserMode", DISPID_AMBIENT_USERMODE},
        {L"BackColor", DISPID_AMBIENT_BACKCOLOR}, {L"ForeColor", DISPID_AMBIENT_FORECOLOR},
        {L"Font", DISPID_AMBIENT_FONT},         {L"LocaleID", DISPID_AMBIENT_LOCALEID},
    };
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        if (i > 0) {
            hr = DISP_E_UNKNOWNNAME;
            continue;
        }
        for (const Named& named : kNames)
            if (_wcsicmp(names[i], named.name) == 0) ids[i] = named.id;
        if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT AxSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) {
    if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    if (!result || !owner_) return DISP_E_MEMBERNOTFOUND;
    VariantInit(result);
    const Form& form = owner_->Parent();
    switch (id) {
        case DISPID_AMBIENT_USERMODE:
            result->vt = VT_BOOL;
            result->boolVal = owner_->AmbientUserMode() ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        case kScaleModeId:
            result->vt = VT_I2;
            result->iVal = static_cast<SHORT>(owner_->AmbientScaleMode());
            return S_OK;
        case DISPID_AMBIENT_BACKCOLOR:
            result->vt = VT_I4;
            result->lVal = static_cast<LONG>(form.BackColor());
            return S_OK;
        case DISPID_AMBIENT_FORECOLOR:
            result->vt = VT_I4;
            result->lVal = static_cast<LONG>(0x80000012);  // the button text colour
            return S_OK;
        case DISPID_AMBIENT_LOCALEID:
            result->vt = VT_I4;
            result->lVal = static_cast<LONG>(GetUserDefaultLCID());
            return S_OK;
        case DISPID_AMBIENT_FONT: {
            const FontSpec& spec = form.Font();
            FONTDESC desc{};
            desc.cbSizeofstruct = sizeof desc;
            desc.lpstrName = const_cast<LPOLESTR>(spec.Name.empty() ? L"MS Sans Serif" : spec.Name.c_str());
            desc.cySize.int64 = static_cast<LONGLONG>((spec.Size > 0 ? spec.Size : 8) * 10000);
            desc.sWeight = static_cast<SHORT>(spec.Bold ? FW_BOLD : FW_NORMAL);
            desc.sCharset = DEFAULT_CHARSET;
            desc.fItalic = spec.Italic;
            desc.fUnderline = spec.Underline;
            desc.fStrikethrough = spec.Strikethrough;
            IFontDisp* font = nullptr;
            if (FAILED(OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(&font))))
                return DISP_E_MEMBERNOTFOUND;
            result->vt = VT_DISPATCH;
            result->pdispVal = font;
            return S_OK;
        }
        case DISPID_AMBIENT_DISPLAYASDEFAULT:
        case DISPID_AMBIENT_MESSAGEREFLECT:
        case DISPID_AMBIENT_SHOWHATCHING:
        case DISPID_AMBIENT_SHOWGRABHANDLES:
            result->vt = VT_BOOL;
            result->boolVal = VARIANT_FALSE;
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
    }
}

}  // namespace ui
