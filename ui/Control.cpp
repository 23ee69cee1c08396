#include "ui/Control.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cmath>

#include "ui/Form.h"
#include "ui/Runtime.h"
#include "ui/Twips.h"

namespace ui {

COLORREF ToColorRef(unsigned long oleColor) {
    if (oleColor & 0x80000000UL) return GetSysColor(static_cast<int>(oleColor & 0xFF));
    return static_cast<COLORREF>(oleColor & 0xFFFFFF);
}

Control::Control(Form* form, std::wstring name) : form_(form), name_(std::move(name)) {
    id_ = form_->RegisterControl(this);
}

Control::~Control() {
    DestroyWindowNow();
    form_->UnregisterControl(this);
}

void Control::SetContainer(Control* container) {
    if (container && !container->IsContainer()) return;
    if (container == container_) return;
    InvalidateInContainer();
    container_ = container;
    if (hwnd_) SetParent(hwnd_, ContainerWindow());
    InvalidateInContainer();
}

HWND Control::ContainerWindow() const {
    if (container_) return container_->hWnd();
    return form_->ControlParentWindow();
}

long Control::Left() const { return p_.left; }
long Control::Top() const { return p_.top; }
long Control::Width() const { return p_.width; }
long Control::Height() const { return p_.height; }

RECT Control::PixelRect() const {
    RECT r;
    r.left = TwipsToPixelsX(p_.left);
    r.top = TwipsToPixelsY(p_.top);
    r.right = r.left + TwipsToPixelsX(p_.width);
    r.bottom = r.top + TwipsToPixelsY(p_.height);
    return r;
}

void Control::Move(long left, long top, long width, long height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    InvalidateInContainer();
    p_.left = left;
    p_.top = top;
    p_.width = width;
    p_.height = height;
    if (hwnd_) {
        RECT r = PixelRect();
        MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
    InvalidateInContainer();
}

void Control::InvalidateInContainer() const {
    if (!windowless_ || !created_) return;
    HWND c = ContainerWindow();
    if (!c) return;
    RECT r = PixelRect();
    InflateRect(&r, 8, 8);  // thick borders reach past the box
    InvalidateRect(c, &r, TRUE);
}

void Control::SetVisible(bool v) {
    p_.visible = v;
    if (hwnd_) ShowWindow(hwnd_, v ? SW_SHOWNA : SW_HIDE);
    InvalidateInContainer();
}

void Control::SetEnabled(bool v) {
    p_.enabled = v;
    if (hwnd_) EnableWindow(hwnd_, v);
}

int Control::TabIndex() const { return form_->TabIndexOf(this); }

void Control::SetTabIndex(int v) { form_->MoveInTabOrder(this, v); }

void Control::SetTabStop(bool v) {
    p_.tabStop = v;
    if (hwnd_) {
        LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
        style = v ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
        SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
    }
}

unsigned long Control::BackColor() const { return p_.back.value_or(0x8000000FUL); }
unsigned long Control::ForeColor() const { return p_.fore.value_or(0x80000012UL); }

void Control::SetBackColor(unsigned long oleColor) {
    p_.back = oleColor;
    backBrush_.Reset();
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
    InvalidateInContainer();
    OnAppearanceChanged();
}

void Control::SetForeColor(unsigned long oleColor) {
    p_.fore = oleColor;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
    InvalidateInContainer();
    OnAppearanceChanged();
}

FontSpec Control::Font() const { return p_.font ? *p_.font : form_->Font(); }

void Control::SetFont(const FontSpec& font) {
    p_.font = font;
    ownFont_.Reset();
    if (hwnd_) ApplyFont();
    OnFontChanged();
}

HFONT Control::EffectiveFont() const {
    if (p_.font && !ownFont_) ownFont_ = detail::MakeFont(*p_.font);
    if (ownFont_) return ownFont_.Get();
    return form_->FontHandle();
}

void Control::ApplyFont() {
    if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(EffectiveFont()), TRUE);
}

HBRUSH Control::OnCtlColor(HDC dc) {
    if (!p_.back && !p_.fore) return nullptr;
    SetTextColor(dc, ToColorRef(ForeColor()));
    SetBkColor(dc, ToColorRef(BackColor()));
    if (!backBrush_) backBrush_.Reset(CreateSolidBrush(ToColorRef(BackColor())));
    return backBrush_.Get();
}

void Control::SetFocus() {
    if (hwnd_ && IsWindowVisible(hwnd_) && IsWindowEnabled(hwnd_)) ::SetFocus(hwnd_);
}

void Control::Refresh() {
    if (hwnd_) {
        InvalidateRect(hwnd_, nullptr, TRUE);
        UpdateWindow(hwnd_);
    } else {
        InvalidateInContainer();
        if (HWND c = ContainerWindow()) UpdateWindow(c);
    }
}

void Control::ZOrder(int position) {
    if (hwnd_) SetWindowPos(hwnd_, position == 0 ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    InvalidateInContainer();
}

void Control::CreateWindowNow() {
    if (IsCreated()) return;
    SnapshotDesign();
    if (windowless_) {
        created_ = true;
        InvalidateInContainer();
        AfterCreate();
        return;
    }
    CreateKindWindow();
    if (hwnd_) {
        ApplyFont();
        AfterCreate();
    }
}

void Control::CreateNative(const wchar_t* cls, DWORD style, DWORD exStyle, const std::wstring& text) {
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (p_.visible) style |= WS_VISIBLE;
    if (!p_.enabled) style |= WS_DISABLED;
    if (!p_.tabStop) style &= ~static_cast<DWORD>(WS_TABSTOP);
    RECT r = PixelRect();
    hwnd_ = CreateWindowExW(exStyle, cls, text.c_str(), style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                            ContainerWindow(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), detail::Instance(),
                            nullptr);
    if (!hwnd_) return;
    created_ = true;
    detail::CountWindow(+1);
    detail::MapControl(hwnd_, this);
    detail::Subclass(hwnd_, &Control::SubclassProc, this);
}

void Control::DestroyWindowNow() {
    if (windowless_) {
        if (created_) {
            InvalidateInContainer();
            detail::Guard([&] { BeforeDestroy(); });
        }
        created_ = false;
        return;
    }
    if (hwnd_) {
        detail::Guard([&] { BeforeDestroy(); });
        DestroyWindow(hwnd_);  // WM_NCDESTROY clears hwnd_
    }
    hwnd_ = nullptr;
    created_ = false;
    ownFont_.Reset();
    backBrush_.Reset();
}

void Control::SnapshotDesign() {
    if (!design_) design_ = p_;
}

void Control::RestoreDesign() {
    if (design_) p_ = *design_;
    ownFont_.Reset();
    backBrush_.Reset();
}

void Control::CopyDesignFrom(const Control& model) {
    p_ = model.design_ ? *model.design_ : model.p_;
    p_.visible = false;  // a loaded array member starts hidden, as the program expects
    container_ = model.container_;
}

void Control::FireMouse(UINT msg, WPARAM wp, LPARAM lp) {
    int button = 0;
    switch (msg) {
        case WM_LBUTTONDOWN: case WM_LBUTTONUP: button = 1; break;
        case WM_RBUTTONDOWN: case WM_RBUTTONUP: button = 2; break;
        case WM_MBUTTONDOWN: case WM_MBUTTONUP: button = 4; break;
        default:
            if (wp & MK_LBUTTON) button |= 1;
            if (wp & MK_RBUTTON) button |= 2;
            if (wp & MK_MBUTTON) button |= 4;
    }
    int shift = ((wp & MK_SHIFT) ? 1 : 0) | ((wp & MK_CONTROL) ? 2 : 0) | ((GetKeyState(VK_MENU) < 0) ? 4 : 0);
    int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
    if (windowless_) {
        RECT r = PixelRect();
        x -= r.left;
        y -= r.top;
    }
    float tx = static_cast<float>(PixelsToTwipsX(x)), ty = static_cast<float>(PixelsToTwipsY(y));
    std::function<void(int, int, float, float)> f;
    switch (msg) {
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: f = MouseDown; break;
        case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: f = MouseUp; break;
        case WM_MOUSEMOVE: f = MouseMove; break;
        default: break;
    }
    if (f) f(button, shift, tx, ty);
}

namespace {
Control* g_dragSource = nullptr;

Control* ControlAtScreenPoint(POINT pt) {
    for (HWND h = WindowFromPoint(pt); h; h = GetParent(h))
        if (Control* c = detail::ControlFromHwnd(h)) return c;
    return nullptr;
}

void DragTo(Control& source, bool drop) {
    POINT pt;
    GetCursorPos(&pt);
    Control* target = ControlAtScreenPoint(pt);
    if (!target || !target->hWnd()) return;
    ScreenToClient(target->hWnd(), &pt);
    float x = static_cast<float>(PixelsToTwipsX(pt.x)), y = static_cast<float>(PixelsToTwipsY(pt.y));
    detail::Guard([&] {
        if (drop) {
            if (auto f = target->DragDrop) f(source, x, y);
        } else {
            if (auto f = target->DragOver) f(source, x, y, 2);
        }
    });
}
}  // namespace

void Control::Drag(int action) {
    if (action == 1) {
        if (!hwnd_) return;
        g_dragSource = this;
        SetCapture(hwnd_);
        return;
    }
    if (g_dragSource != this) return;
    g_dragSource = nullptr;
    if (GetCapture() == hwnd_) ReleaseCapture();
    if (action == 2) DragTo(*this, true);
}

LRESULT Control::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, void* ref) {
    auto* self = static_cast<Control*>(ref);
    LRESULT result = 0;
    bool handled = false;
    switch (msg) {
        case WM_SETFOCUS:
            if (self->form_->IsLoaded()) self->form_->NoteFocus(hwnd);
            break;
        case WM_NCDESTROY: {
            if (g_dragSource == self) g_dragSource = nullptr;
            detail::UnmapControl(hwnd);
            detail::CountWindow(-1);
            if (self->hwnd_ == hwnd) {
                self->hwnd_ = nullptr;
                self->created_ = false;
            }
            return detail::CallOriginalProc(hwnd, msg, wp, lp);
        }
        case WM_SETCURSOR:
            if (detail::CurrentMousePointer() == 11) {
                SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        default: break;
    }
    detail::Guard([&] { handled = self->OnOwnMessage(msg, wp, lp, result); });
    if (handled) return result;
    switch (msg) {
        // Focus moving while the form's windows are being destroyed is no event of the program's.
        case WM_SETFOCUS:
            if (self->form_->IsLoaded()) detail::Guard([&] { Fire(self->GotFocus); });
            break;
        case WM_KILLFOCUS:
            if (self->form_->IsLoaded()) detail::Guard([&] { Fire(self->LostFocus); });
            break;
        case WM_KEYDOWN:
        case WM_KEYUP: {
            auto f = msg == WM_KEYDOWN ? self->KeyDown : self->KeyUp;
            if (f) {
                int key = static_cast<int>(wp);
                int shift = detail::ShiftState();
                detail::Guard([&] { f(key, shift); });
                if (key == 0) return 0;
                wp = static_cast<WPARAM>(key);
            }
            break;
        }
        case WM_CHAR:
            if (auto f = self->KeyPress) {
                int ascii = static_cast<int>(wp);
                detail::Guard([&] { f(ascii); });
                if (ascii == 0) return 0;
                wp = static_cast<WPARAM>(ascii);
            }
            break;
        case WM_MOUSEMOVE:
            if (g_dragSource == self) {
                DragTo(*self, false);
                return 0;
            }
            detail::Guard([&] { self->FireMouse(msg, wp, lp); });
            break;
        case WM_LBUTTONUP:
            if (g_dragSource == self) {
                g_dragSource = nullptr;
                ReleaseCapture();
                DragTo(*self, true);
                return 0;
            }
            detail::Guard([&] { self->FireMouse(msg, wp, lp); });
            break;
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
        case WM_RBUTTONUP: case WM_MBUTTONUP:
            detail::Guard([&] { self->FireMouse(msg, wp, lp); });
            break;
        default: break;
    }
    return detail::CallOriginalProc(hwnd, msg, wp, lp);
}

}  // namespace ui
