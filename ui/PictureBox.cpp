#include "ui/PictureBox.h"

#include "ui/MdiForm.h"
#include "ui/Picture.h"
#include "ui/Boundary.h"
#include "ui/Runtime.h"
#include "ui/Twips.h"

namespace ui {

PictureBox::PictureBox(Form* form, std::wstring name) : ControlWithState(form, std::move(name)) {
    p_.width = 1215;
    p_.height = 1215;
}

void PictureBox::SetBorderStyle(int v) {
    s_.borderStyle = v;
    if (hwnd_) {
        LONG_PTR ex = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
        ex = v == 1 ? (ex | WS_EX_CLIENTEDGE) : (ex & ~WS_EX_CLIENTEDGE);
        SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, ex);
        SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
    }
}

long PictureBox::ScaleWidth() const {
    if (hwnd_) {
        RECT r;
        GetClientRect(hwnd_, &r);
        return PixelsToTwipsX(r.right);
    }
    long border = s_.borderStyle == 1 ? PixelsToTwipsX(2 * GetSystemMetrics(SM_CXEDGE)) : 0;
    return p_.width > border ? p_.width - border : 0;
}

long PictureBox::ScaleHeight() const {
    if (hwnd_) {
        RECT r;
        GetClientRect(hwnd_, &r);
        return PixelsToTwipsY(r.bottom);
    }
    long border = s_.borderStyle == 1 ? PixelsToTwipsY(2 * GetSystemMetrics(SM_CYEDGE)) : 0;
    return p_.height > border ? p_.height - border : 0;
}

HDC PictureBox::hDC() const { return hwnd_ ? GetDC(hwnd_) : nullptr; }

void PictureBox::Cls() {
    if (hwnd_) {
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

void PictureBox::LoadPicture(const std::wstring& bmpPath) {
    if (bmpPath.empty()) {
        SetPicture(Bitmap());
        return;
    }
    SetPicture(LoadPictureFile(bmpPath));
}

void PictureBox::SetPicture(Bitmap bitmap) {
    picture_ = std::move(bitmap);
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void PictureBox::DrawPicture(HDC dc) const { DrawBitmap(dc, picture_.Get(), RECT{0, 0, 0, 0}, false); }

void PictureBox::Move(long left, long top, long width, long height) {
    Control::Move(left, top, width, height);
    if (p_.align != 0 && form_->IsLoaded()) form_->LayoutAligned();
}

void PictureBox::WindowPlaced() {
    if (!hwnd_) return;
    RECT now{};
    GetWindowRect(hwnd_, &now);
    MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&now), 2);
    const RECT mine = PixelRect();
    // Within what the twips give in pixels the box keeps its twips: no rounding creeps in.
    if (now.left != mine.left) p_.left = PixelsToTwipsX(now.left);
    if (now.top != mine.top) p_.top = PixelsToTwipsY(now.top);
    if (now.right - now.left != mine.right - mine.left) p_.width = PixelsToTwipsX(now.right - now.left);
    if (now.bottom - now.top != mine.bottom - mine.top) p_.height = PixelsToTwipsY(now.bottom - now.top);
    const SIZE size{now.right - now.left, now.bottom - now.top};
    if (size.cx == pixelSize_.cx && size.cy == pixelSize_.cy) return;
    pixelSize_ = size;
    Fire(Resize);
}

void PictureBox::CreateKindWindow() {
    CreateNative(detail::kPictureClass, WS_TABSTOP | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT | (s_.borderStyle == 1 ? WS_EX_CLIENTEDGE : 0), L"");
}

void PictureBox::AfterCreate() {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    pixelSize_ = SIZE{r.right - r.left, r.bottom - r.top};
    HDC dc = GetDC(hwnd_);
    SelectObject(dc, EffectiveFont());
    SetTextColor(dc, ToColorRef(ForeColor()));
    SetBkColor(dc, ToColorRef(BackColor()));
}

namespace detail {
namespace {
LRESULT PictureMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* pic = dynamic_cast<PictureBox*>(ControlFromHwnd(hwnd));
    if (!pic) return DefWindowProcW(hwnd, msg, wp, lp);
    LRESULT result = 0;
    switch (msg) {
        case WM_ERASEBKGND: {
            RECT r;
            GetClientRect(hwnd, &r);
            Brush b(CreateSolidBrush(ToColorRef(pic->BackColor())));
            FillRect(reinterpret_cast<HDC>(wp), &r, b.Get());
            pic->DrawPicture(reinterpret_cast<HDC>(wp));
            return 1;
        }
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            int saved = SaveDC(dc);
            Guard([&] { if (auto f = pic->Paint) f(); });
            RestoreDC(dc, saved);
            PaintWindowless(hwnd, dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_LBUTTONDOWN:
            if (pic->TabStop()) SetFocus(hwnd);
            if (WindowlessMouse(hwnd, msg, wp, lp)) return 0;
            break;
        case WM_LBUTTONUP:
            if (WindowlessMouse(hwnd, msg, wp, lp)) return 0;
            Guard([&] { if (auto f = pic->Click) f(); });
            return 0;
        case WM_LBUTTONDBLCLK:
            Guard([&] { if (auto f = pic->DblClick) f(); });
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_WINDOWPOSCHANGED: {
            const LRESULT placed = DefWindowProcW(hwnd, msg, wp, lp);
            if ((reinterpret_cast<const WINDOWPOS*>(lp)->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
                Guard([&] { pic->WindowPlaced(); });
            return placed;
        }
        default: break;
    }
    if (ContainerMessage(hwnd, msg, wp, lp, result)) return result;
    return DefWindowProcW(hwnd, msg, wp, lp);
}
}  // namespace

LRESULT CALLBACK PictureWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    if (RunAtBoundary(L"a picture box's window procedure", [&] { result = PictureMessage(hwnd, msg, wp, lp); })) return result;
    return DefWindowProcW(hwnd, msg, wp, lp);
}
}  // namespace detail

}  // namespace ui
