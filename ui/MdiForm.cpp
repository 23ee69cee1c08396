#include "ui/MdiForm.h"

#include <commctrl.h>

#include "base/Error.h"
#include "ui/Menu.h"
#include "ui/Runtime.h"
#include "ui/Twips.h"

#include <algorithm>

namespace ui {
namespace {
MdiForm* g_frame = nullptr;
constexpr UINT kFirstChildId = 0xFF00;

LRESULT ClientSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, void*) {
    if (msg == WM_NCDESTROY) detail::CountWindow(-1);
    return detail::CallOriginalProc(hwnd, msg, wp, lp);
}
}  // namespace

MdiForm::MdiForm() {
    SetWidth(9600);
    SetHeight(7200);
}

MdiForm::~MdiForm() {
    if (g_frame == this) g_frame = nullptr;
}

MdiForm* MdiForm::Current() { return g_frame; }

void MdiForm::CreateFormWindow() {
    if (g_frame && g_frame != this && g_frame->IsLoaded()) throw zv::Error(L"Only one MDI form may be loaded.");
    g_frame = this;
    int w = 0, h = 0;
    ComputeOuterSize(w, h);
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
    CreationPlace(w, h, x, y);
    CreateWindowExW(WS_EX_APPWINDOW, detail::kMdiFrameClass, caption_.c_str(),
                    WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y, w, h, nullptr, nullptr, detail::Instance(), this);
    if (!hwnd_) return;
    CLIENTCREATESTRUCT ccs{nullptr, kFirstChildId};
    client_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                              WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0,
                              0, 0, hwnd_, nullptr, detail::Instance(), &ccs);
    if (client_) {
        detail::CountWindow(+1);
        detail::Subclass(client_, &ClientSubclass, nullptr);
    }
}

LRESULT MdiForm::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) {
    return DefFrameProcW(hwnd_, client_, msg, wp, lp);
}

Form* MdiForm::ActiveForm() const {
    if (!client_) return nullptr;
    HWND h = reinterpret_cast<HWND>(SendMessageW(client_, WM_MDIGETACTIVE, 0, 0));
    return h ? detail::FormFromHwnd(h) : nullptr;
}

std::vector<Form*> MdiForm::Children() const {
    std::vector<Form*> out;
    if (!client_) return out;
    for (HWND h = GetWindow(client_, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        if (Form* f = detail::FormFromHwnd(h)) out.push_back(f);
    return out;
}

void MdiForm::Arrange(int arrangement) {
    if (!client_) return;
    switch (arrangement) {
        case 0: SendMessageW(client_, WM_MDICASCADE, 0, 0); break;
        case 1: SendMessageW(client_, WM_MDITILE, MDITILE_HORIZONTAL, 0); break;
        case 2: SendMessageW(client_, WM_MDITILE, MDITILE_VERTICAL, 0); break;
        default: SendMessageW(client_, WM_MDIICONARRANGE, 0, 0); break;
    }
}

void MdiForm::ShowMenuOf(Form* child) {
    if (!hwnd_ || !client_) return;
    HMENU want = child && child->MenuBar() ? child->MenuBar() : MenuBar();
    if (GetMenu(hwnd_) == want) return;
    if (want) {
        SendMessageW(client_, WM_MDISETMENU, reinterpret_cast<WPARAM>(want), 0);
    } else {
        SetMenu(hwnd_, nullptr);
    }
    DrawMenuBar(hwnd_);
}

void MdiForm::ChildActivated(Form* child) { ShowMenuOf(child); }

void MdiForm::ChildMenuChanged(Form* child) {
    if (ActiveForm() != child) return;
    // The bar's items were refilled in place: drawing it again shows them. Setting the bar anew
    // makes the frame lay itself out twice (no bar, then the bar), which costs a child window's
    // start most of its time; it is needed only where the frame's MDI handling decorates the bar
    // (a maximised child's window buttons), which the refill has taken out.
    if (GetMenu(hwnd_) == child->MenuBar()) {
        if (!IsZoomed(child->hWnd())) {
            DrawMenuBar(hwnd_);
            return;
        }
        SetMenu(hwnd_, nullptr);
    }
    ShowMenuOf(child);
}

void MdiForm::ChildMenuGoing(Form* child) {
    if (hwnd_ && child->MenuBar() && GetMenu(hwnd_) == child->MenuBar()) {
        if (MenuBar()) SendMessageW(client_, WM_MDISETMENU, reinterpret_cast<WPARAM>(MenuBar()), 0);
        else SetMenu(hwnd_, nullptr);
        DrawMenuBar(hwnd_);
    }
}

bool MdiForm::RunUnload(int mode) {
    if (!loaded_) return true;
    // The frame asks first, then every child; any cancel keeps everything open.
    if (!QueryUnloadOnly(mode)) return false;
    std::vector<Form*> children = Children();
    for (Form* c : children)
        if (!c->QueryUnloadOnly(vbFormMDIForm)) return false;
    for (Form* c : children) {
        int cancel = 0;
        c->Form_Unload(cancel);
        if (cancel) return false;
        c->UnloadWithoutAsking();
    }
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel) return false;
    UnloadWithoutAsking();
    client_ = nullptr;
    return true;
}

void MdiForm::PlaceRemainingArea(const RECT& area) {
    if (client_) MoveWindow(client_, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
}

LRESULT MdiForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_SIZE: {
            LayoutAligned();
            if (loaded_ && !loading_ && !inResize_) detail::Guard([&] { Form_Resize(); });
            return 0;
        }
        case WM_COMMAND:
            if (lp == 0 && HIWORD(wp) <= 1 && detail::MenuCommand(LOWORD(wp))) return 0;
            break;
        case WM_ERASEBKGND:
            return DefaultProc(msg, wp, lp);
        default: break;
    }
    return Form::HandleMessage(msg, wp, lp);
}

}  // namespace ui
