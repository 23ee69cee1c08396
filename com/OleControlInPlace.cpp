// In-place activation of the shared control plumbing: IOleInPlaceObject, IOleInPlaceActiveObject.
#include "com/OleControl.h"

using Microsoft::WRL::ComPtr;

namespace zvcom {

namespace {

// Where the site puts the control, and the frame and document windows around it.
struct WindowContext {
    ComPtr<IOleInPlaceFrame> frame;
    ComPtr<IOleInPlaceUIWindow> document;
    RECT pos{}, clip{};
    OLEINPLACEFRAMEINFO frameInfo{};

    bool Read(IOleInPlaceSite* site) {
        frameInfo.cb = sizeof frameInfo;
        return SUCCEEDED(site->GetWindowContext(frame.GetAddressOf(), document.GetAddressOf(), &pos, &clip, &frameInfo));
    }
};

}  // namespace

HRESULT OleControl::InPlaceActivate(LONG verb, HWND parentHint, LPCRECT posHint) {
    if (!clientSite_) return E_UNEXPECTED;
    if (!inPlaceSite_) {
        ComPtr<IOleInPlaceSite> site;
        if (FAILED(clientSite_.As(&site))) return E_NOINTERFACE;
        if (site->CanInPlaceActivate() != S_OK) return E_FAIL;
        inPlaceSite_ = site;
        inPlaceSite_->OnInPlaceActivate();
    }
    HWND parent = nullptr;
    if (FAILED(inPlaceSite_->GetWindow(&parent)) || !parent) parent = parentHint;
    WindowContext context;
    if (context.Read(inPlaceSite_.Get())) posRect_ = context.pos;
    else if (posHint) posRect_ = *posHint;
    ComPtr<IOleInPlaceFrame>& frame = context.frame;
    ComPtr<IOleInPlaceUIWindow>& document = context.document;
    if (!window_) {
        CreateControlWindow(parent, posRect_);
        if (!window_) {
            inPlaceSite_->OnInPlaceDeactivate();
            inPlaceSite_.Reset();
            return E_FAIL;
        }
    }
    ShowWindow(window_, SW_SHOWNA);
    if (verb == OLEIVERB_UIACTIVATE && !uiActive_) {
        uiActive_ = true;
        inPlaceSite_->OnUIActivate();
        if (frame) frame->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), nullptr);
        if (document) document->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), nullptr);
        if (frame) frame->SetBorderSpace(nullptr);
        SetFocus(window_);
    }
    return S_OK;
}

HRESULT OleControl::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = window_;
    return window_ ? S_OK : E_FAIL;
}

HRESULT OleControl::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

HRESULT OleControl::InPlaceDeactivate() {
    UIDeactivate();
    DestroyControlWindow();
    if (inPlaceSite_) {
        ComPtr<IOleInPlaceSite> site = std::move(inPlaceSite_);
        site->OnInPlaceDeactivate();
    }
    return S_OK;
}

HRESULT OleControl::UIDeactivate() {
    if (!uiActive_) return S_OK;
    uiActive_ = false;
    if (inPlaceSite_) {
        WindowContext context;
        if (context.Read(inPlaceSite_.Get())) {
            if (context.document) context.document->SetActiveObject(nullptr, nullptr);
            if (context.frame) context.frame->SetActiveObject(nullptr, nullptr);
        }
        inPlaceSite_->OnUIDeactivate(FALSE);
    }
    return S_OK;
}

HRESULT OleControl::SetObjectRects(LPCRECT posRect, LPCRECT) {
    if (!posRect) return E_POINTER;
    posRect_ = *posRect;
    HDC screen = GetDC(nullptr);
    extent_.cx = MulDiv(posRect->right - posRect->left, 2540, GetDeviceCaps(screen, LOGPIXELSX));
    extent_.cy = MulDiv(posRect->bottom - posRect->top, 2540, GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    if (window_)
        MoveWindow(window_, posRect->left, posRect->top, posRect->right - posRect->left,
                   posRect->bottom - posRect->top, TRUE);
    return S_OK;
}

HRESULT OleControl::ReactivateAndUndo() { return E_NOTIMPL; }

HRESULT OleControl::TranslateAccelerator(LPMSG) { return S_FALSE; }

HRESULT OleControl::OnFrameWindowActivate(BOOL) { return S_OK; }

HRESULT OleControl::OnDocWindowActivate(BOOL) { return S_OK; }

HRESULT OleControl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }

HRESULT OleControl::EnableModeless(BOOL) { return S_OK; }

}  // namespace zvcom
