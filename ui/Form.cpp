#include "ui/Form.h"

#include <windowsx.h>

#include <algorithm>

#include "base/Error.h"
#include "ui/Application.h"
#include "ui/Boundary.h"
#include "ui/CommandButton.h"
#include "ui/MdiForm.h"
#include "ui/Menu.h"
#include "ui/Runtime.h"
#include "ui/TestHooks.h"
#include "ui/Twips.h"

namespace ui {
namespace {
Form* g_lastActivated = nullptr;
// Kept for the whole process (never destroyed): forms and controls still use them while static
// objects (default form instances) are destroyed at exit.
std::vector<Form*>& g_loaded = *new std::vector<Form*>;

void WakeLoops() { PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0); }

}  // namespace

Form::Form() = default;

Form::~Form() {
    if (g_lastActivated == this) g_lastActivated = nullptr;
    detail::FreeBuriedOf(this);  // buried members of this form still point at it
    if (loaded_) {
        // Destroyed while loaded (a test ending, the process closing): no events, just the windows.
        loaded_ = false;
        DestroyFormWindow();
        Forms::NoteUnloaded(this);
    }
    if (menuBar_)
        while (GetMenuItemCount(menuBar_.Get()) > 0) RemoveMenu(menuBar_.Get(), 0, MF_BYPOSITION);
    menuBar_.Reset();
}

const std::wstring& Form::Name() const {
    if (name_.empty()) const_cast<Form*>(this)->name_ = test::detail::TypeName(typeid(*this));
    return name_;
}

std::wstring Form::Caption() const { return caption_; }

void Form::SetCaption(const std::wstring& caption) {
    caption_ = caption;
    if (hwnd_) SetWindowTextW(hwnd_, caption_.c_str());
}

long Form::Left() const {
    if (!hwnd_) return left_;
    RECT r;
    GetWindowRect(hwnd_, &r);
    if (mdiChild_) MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
    return PixelsToTwipsX(r.left);
}
long Form::Top() const {
    if (!hwnd_) return top_;
    RECT r;
    GetWindowRect(hwnd_, &r);
    if (mdiChild_) MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
    return PixelsToTwipsY(r.top);
}
long Form::Width() const {
    if (!hwnd_) return width_;
    RECT r;
    GetWindowRect(hwnd_, &r);
    return PixelsToTwipsX(r.right - r.left);
}
long Form::Height() const {
    if (!hwnd_) return height_;
    RECT r;
    GetWindowRect(hwnd_, &r);
    return PixelsToTwipsY(r.bottom - r.top);
}
void Form::SetLeft(long v) { Move(v, Top(), Width(), Height()); }
void Form::SetTop(long v) { Move(Left(), v, Width(), Height()); }
void Form::SetWidth(long v) { Move(Left(), Top(), v, Height()); }
void Form::SetHeight(long v) { Move(Left(), Top(), Width(), v); }

void Form::Move(long left, long top, long width, long height) {
    if (width < 0) width = Width();
    if (height < 0) height = Height();
    // Before its window exists a form is being designed: where its start-up position puts it
    // still decides where it first shows. So it does after a new size alone, which is no place.
    if (!hwnd_) designPlaced_ = true;
    else if (left != Left() || top != Top()) positioned_ = true;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    clientWidth_ = clientHeight_ = -1;
    if (hwnd_) {
        if (IsZoomed(hwnd_) || IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
        MoveWindow(hwnd_, TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width), TwipsToPixelsY(height), TRUE);
    }
}

void Form::SetClientSize(long width, long height) {
    clientWidth_ = width;
    clientHeight_ = height;
    if (hwnd_) {
        int w = 0, h = 0;
        ComputeOuterSize(w, h);
        SetWindowPos(hwnd_, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

long Form::ScaleWidth() const {
    if (!hwnd_) {
        if (clientWidth_ >= 0) return clientWidth_;
        return width_ - PixelsToTwipsX(2 * GetSystemMetrics(SM_CXSIZEFRAME));
    }
    RECT r;
    GetClientRect(hwnd_, &r);
    return PixelsToTwipsX(r.right);
}

long Form::ScaleHeight() const {
    if (!hwnd_) {
        if (clientHeight_ >= 0) return clientHeight_;
        return height_ - PixelsToTwipsY(GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYSIZEFRAME));
    }
    RECT r;
    GetClientRect(hwnd_, &r);
    return PixelsToTwipsY(r.bottom);
}

bool Form::Visible() const { return hwnd_ ? IsWindowVisible(hwnd_) != FALSE : false; }

void Form::SetVisible(bool v) {
    if (v) Show();
    else Hide();
}

bool Form::Enabled() const { return hwnd_ ? IsWindowEnabled(hwnd_) != FALSE : enabled_; }

void Form::SetEnabled(bool v) {
    enabled_ = v;
    if (hwnd_) EnableWindow(hwnd_, v);
}

int Form::WindowState() const {
    if (!hwnd_) return windowState_;
    if (IsIconic(hwnd_)) return vbMinimized;
    if (IsZoomed(hwnd_)) return vbMaximized;
    return vbNormal;
}

void Form::SetWindowState(int state) {
    windowState_ = state;
    if (hwnd_ && IsWindowVisible(hwnd_)) {
        int cmd = state == vbMinimized ? SW_MINIMIZE : state == vbMaximized ? SW_MAXIMIZE : SW_RESTORE;
        if (mdiChild_ && state == vbMaximized) {
            SendMessageW(GetParent(hwnd_), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(hwnd_), 0);
        } else {
            ShowWindow(hwnd_, cmd);
        }
    }
}

void Form::SetBackColor(unsigned long oleColor) {
    backColor_ = oleColor;
    backBrush_.Reset();
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Form::SetFont(const FontSpec& font) {
    font_ = font;
    fontHandle_.Reset();
    if (hwnd_) {
        for (Control* c : controls_)
            if (c->hWnd() && c->Font() == font_)
                SendMessageW(c->hWnd(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
    }
}

HFONT Form::FontHandle() const {
    if (!fontHandle_) fontHandle_ = detail::MakeFont(font_);
    return fontHandle_.Get();
}

int Form::RegisterControl(Control* c) {
    controls_.push_back(c);
    auto at = std::find(tabOrder_.begin(), tabOrder_.end(), tabInsertBefore_);
    if (tabInsertBefore_ && at != tabOrder_.end()) tabOrder_.insert(at, c);
    else tabOrder_.push_back(c);
    return nextId_++;
}

int Form::TabIndexOf(const Control* c) const {
    int i = 0;
    for (const void* e : tabOrder_) {
        if (e == c) return i;
        if (std::find(tabPlaces_.begin(), tabPlaces_.end(), e) == tabPlaces_.end()) ++i;
    }
    return i;
}

void Form::MoveInTabOrder(Control* c, int index) {
    std::erase(tabOrder_, static_cast<const void*>(c));
    int i = 0;
    auto it = tabOrder_.begin();
    for (; it != tabOrder_.end() && i < index; ++it)
        if (std::find(tabPlaces_.begin(), tabPlaces_.end(), *it) == tabPlaces_.end()) ++i;
    tabOrder_.insert(it, c);
}

void Form::UnregisterControl(Control* c) {
    std::erase(controls_, c);
    std::erase(tabOrder_, static_cast<const void*>(c));
    if (defaultButton_ == static_cast<void*>(c)) defaultButton_ = nullptr;
    if (cancelButton_ == static_cast<void*>(c)) cancelButton_ = nullptr;
}

void Form::RegisterMenu(MenuItem* m) { topMenus_.push_back(m); }
void Form::UnregisterMenu(MenuItem* m) { std::erase(topMenus_, m); }

void Form::NoteDefaultButton(CommandButton* b, bool on) {
    if (on) {
        if (defaultButton_ && defaultButton_ != b) defaultButton_->SetDefault(false);
        defaultButton_ = b;
    } else if (defaultButton_ == b) {
        defaultButton_ = nullptr;
    }
}

void Form::NoteCancelButton(CommandButton* b, bool on) {
    if (on) {
        if (cancelButton_ && cancelButton_ != b) cancelButton_->SetCancel(false);
        cancelButton_ = b;
    } else if (cancelButton_ == b) {
        cancelButton_ = nullptr;
    }
}

Control* Form::FindControl(const std::wstring& name, int index) const {
    for (Control* c : controls_)
        if (_wcsicmp(c->Name().c_str(), name.c_str()) == 0 && c->Index() == index) return c;
    return nullptr;
}

Control* Form::FindControlById(int id) const {
    for (Control* c : controls_)
        if (c->ControlId() == id) return c;
    return nullptr;
}

void Form::RemoveControl(const std::wstring& name) {
    for (auto it = added_.begin(); it != added_.end(); ++it) {
        if (_wcsicmp((*it)->Name().c_str(), name.c_str()) == 0) {
            (*it)->DestroyWindowNow();
            detail::Bury(std::move(*it));
            added_.erase(it);
            return;
        }
    }
    throw zv::Error(L"There is no control named '" + name + L"' on this form.");
}

Control* Form::ActiveControl() const {
    HWND focus = GetFocus();
    while (focus) {
        if (Control* c = detail::ControlFromHwnd(focus)) return &c->Parent() == this ? c : nullptr;
        focus = GetParent(focus);
    }
    return nullptr;
}

DWORD Form::WindowStyle() const {
    DWORD style = WS_CLIPCHILDREN;
    switch (borderStyle_) {
        case 0: style |= WS_POPUP; break;
        case 1: style |= WS_CAPTION | WS_BORDER; break;
        case 3: style |= WS_CAPTION | WS_DLGFRAME; break;
        case 4: style |= WS_CAPTION; break;
        case 5: style |= WS_CAPTION | WS_THICKFRAME; break;
        default: style |= WS_CAPTION | WS_THICKFRAME; break;
    }
    if (borderStyle_ != 0 && controlBox_) style |= WS_SYSMENU;
    if (controlBox_ && (borderStyle_ == 1 || borderStyle_ == 2)) {
        if (minButton_) style |= WS_MINIMIZEBOX;
        if (maxButton_) style |= WS_MAXIMIZEBOX;
    }
    if (mdiChild_) style |= WS_CHILD | WS_CLIPSIBLINGS;
    return style;
}

DWORD Form::WindowExStyle() const {
    DWORD ex = WS_EX_CONTROLPARENT;
    if (borderStyle_ == 3) ex |= WS_EX_DLGMODALFRAME;
    if (borderStyle_ == 4 || borderStyle_ == 5) ex |= WS_EX_TOOLWINDOW;
    if (mdiChild_) ex |= WS_EX_MDICHILD;
    else if (showInTaskbar_ && borderStyle_ != 3) ex |= WS_EX_APPWINDOW;
    return ex;
}

void Form::ComputeOuterSize(int& w, int& h) const {
    if (clientWidth_ >= 0 && clientHeight_ >= 0) {
        RECT r{0, 0, TwipsToPixelsX(clientWidth_), TwipsToPixelsY(clientHeight_)};
        AdjustWindowRectEx(&r, WindowStyle(), !topMenus_.empty() && !mdiChild_, WindowExStyle());
        w = r.right - r.left;
        h = r.bottom - r.top;
    } else {
        w = TwipsToPixelsX(width_);
        h = TwipsToPixelsY(height_);
    }
}

void Form::CreationPlace(int w, int h, int& x, int& y) const {
    x = y = CW_USEDEFAULT;
    if (positioned_ || startUp_ == 0 || (designPlaced_ && startUp_ != 2)) {
        x = TwipsToPixelsX(left_);
        y = TwipsToPixelsY(top_);
    } else if (startUp_ == 2 && !mdiChild_) {
        // Made where it will show, so that what its loading opens over it is centred on it too.
        RECT area;
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        x = std::max<int>(0, area.left + (area.right - area.left - w) / 2);
        y = std::max<int>(0, area.top + (area.bottom - area.top - h) / 2);
    }
}

void Form::CreateFormWindow() {
    int w = 0, h = 0;
    ComputeOuterSize(w, h);
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
    CreationPlace(w, h, x, y);
    if (mdiChild_) {
        MdiForm* frame = MdiForm::Current();
        if (!frame || !frame->IsLoaded()) throw zv::Error(L"No MDI form is loaded for the child form " + Name() + L".");
        MDICREATESTRUCTW mcs{};
        mcs.szClass = detail::kMdiChildClass;
        mcs.szTitle = caption_.c_str();
        mcs.hOwner = detail::Instance();
        mcs.x = x;
        mcs.y = y;
        mcs.cx = w;
        mcs.cy = h;
        mcs.style = WindowStyle() & ~(WS_CHILD);
        mcs.lParam = reinterpret_cast<LPARAM>(this);
        SendMessageW(frame->ClientWindow(), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs));
    } else {
        CreateWindowExW(WindowExStyle(), detail::kFormClass, caption_.c_str(), WindowStyle(), x, y, w, h, nullptr,
                        nullptr, detail::Instance(), this);
    }
}

void Form::DestroyFormWindow() {
    if (!hwnd_) return;
    if (GetMenu(hwnd_) == menuBar_.Get()) SetMenu(hwnd_, nullptr);
    if (mdiChild_) {
        MdiForm* frame = MdiForm::Current();
        if (frame && frame->hWnd()) {
            frame->ChildMenuGoing(this);
            SendMessageW(frame->ClientWindow(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(hwnd_), 0);
        }
        if (hwnd_) DestroyWindow(hwnd_);
    } else {
        DestroyWindow(hwnd_);
    }
    hwnd_ = nullptr;
}

LRESULT Form::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (mdiChild_) return DefMDIChildProcW(hwnd_, msg, wp, lp);
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

void Form::CreateControls() {
    std::function<void(Control*)> createIn = [&](Control* container) {
        std::vector<Control*> snapshot = controls_;
        for (Control* c : snapshot)
            if (c->Container() == container) {
                c->CreateWindowNow();
                if (c->IsContainer()) createIn(c);
            }
    };
    // The tab order is the runtime's own (by TabIndex, see Runtime.cpp); the z-order stays that
    // of creation, so that overlapping controls keep the stacking the form description gave them.
    createIn(nullptr);
}

void Form::Load() {
    if (loaded_ || loading_) return;
    loading_ = true;
    try {
        detail::EnsureClasses();
        CreateFormWindow();
        if (!hwnd_) throw zv::Error(L"The window of " + Name() + L" could not be created.");
        if (!enabled_) EnableWindow(hwnd_, FALSE);
        if (!topMenus_.empty()) {
            RefillMenuBar();
            if (!mdiChild_) SetMenu(hwnd_, menuBar_.Get());
        }
        CreateControls();
        LayoutAligned();
    } catch (...) {
        loading_ = false;
        DestroyFormWindow();
        throw;
    }
    loaded_ = true;
    activated_ = false;
    Forms::NoteLoaded(this);
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{loading_};
    Form_Load();
    loading_ = false;
    if (loaded_ && mdiChild_) Show();
}

void Form::FireActivate() {
    if (!loaded_) return;
    if (mdiChild_) {
        // Children take turns inside the frame; the frame itself stays active meanwhile.
        MdiForm* frame = MdiForm::Current();
        if (!frame || frame->lastActiveChild_ == this) return;
        Form* previous = frame->lastActiveChild_;
        frame->lastActiveChild_ = this;
        if (previous && previous->loaded_) previous->Form_Deactivate();
        Form_Activate();
        return;
    }
    if (g_lastActivated == this) return;
    Form* previous = g_lastActivated;
    g_lastActivated = this;
    if (previous && previous->loaded_) previous->Form_Deactivate();
    Form_Activate();
}

void Form::Show(int modal, Form* owner) {
    if (modal == vbModal) {
        if (modalDepth_ > 0) throw zv::Error(L"Form already displayed; can't show modally");
        if (mdiChild_) throw zv::Error(L"An MDI child form cannot be shown modally.");
        if (loaded_ && Visible()) throw zv::Error(L"Form already displayed; can't show modally");
    }
    Load();
    if (!loaded_) return;
    bool firstShow = !IsWindowVisible(hwnd_);
    if (modal != vbModal) {
        if (owner && owner->hWnd() && !mdiChild_) SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner->hWnd()));
        if (firstShow && (startUp_ == 1 || startUp_ == 2) && !positioned_) CenterOn(owner);
        int cmd = windowState_ == vbMaximized ? SW_SHOWMAXIMIZED : windowState_ == vbMinimized ? SW_SHOWMINIMIZED : SW_SHOW;
        if (mdiChild_ && windowState_ == vbNormal) cmd = SW_SHOW;
        inResize_ = true;
        ShowWindow(hwnd_, cmd);
        if (mdiChild_) SendMessageW(GetParent(hwnd_), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hwnd_), 0);
        else SetActiveWindow(hwnd_);
        inResize_ = false;
        // Showing an MDI child activates it, and gives it the focus, while it is still hidden: no
        // control could take the focus then.
        if (loaded_ && GetFocus() == hwnd_) PassFocusToControl();
        if (firstShow && loaded_) Form_Resize();
        if (loaded_) FireActivate();
        return;
    }

    // Modal: every other window of the program waits until this one closes.
    Form* ownerForm = owner ? owner : Screen().ActiveForm();
    if (ownerForm && ownerForm->MDIChild() && MdiForm::Current()) ownerForm = MdiForm::Current();
    HWND ownerHwnd = ownerForm && ownerForm != this ? ownerForm->hWnd() : nullptr;
    // A kept form shown again mostly has its owner already; each change is a trip to the window server.
    if (GetWindow(hwnd_, GW_OWNER) != ownerHwnd) SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerHwnd));
    disabledByModal_.clear();
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM lp) -> BOOL {
            auto* self = reinterpret_cast<Form*>(lp);
            if (h != self->hwnd_ && IsWindowVisible(h) && IsWindowEnabled(h) && detail::FormFromHwnd(h)) {
                self->disabledByModal_.push_back(h);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(this));
    for (HWND h : disabledByModal_) EnableWindow(h, FALSE);
    if (firstShow && startUp_ != 0 && !positioned_) CenterOn(ownerForm);

    struct ModalScope {
        Form& f;
        ~ModalScope() {
            --f.modalDepth_;
            for (HWND h : f.disabledByModal_)
                if (IsWindow(h)) EnableWindow(h, TRUE);
            f.disabledByModal_.clear();
            if (f.loaded_ && f.hwnd_ && IsWindowVisible(f.hwnd_)) ShowWindow(f.hwnd_, SW_HIDE);
        }
    } scope{*this};
    ++modalDepth_;
    inResize_ = true;
    ShowWindow(hwnd_, windowState_ == vbMaximized ? SW_SHOWMAXIMIZED : SW_SHOW);
    SetActiveWindow(hwnd_);
    inResize_ = false;
    if (firstShow && loaded_) Form_Resize();
    if (loaded_) FireActivate();

    std::function<void(Form&)> action;
    if (test::detail::TakeModalAction(*this, action)) {
        try {
            action(*this);
        } catch (...) {
            UnloadWithoutAsking();  // a failing action must not leave a modal form behind
            throw;
        }
        if (loaded_ && IsWindowVisible(hwnd_)) {
            std::wstring name = Name();
            UnloadWithoutAsking();
            test::Fail(L"The modal form " + name + L" was still open after the test's action.");
        }
        return;
    }
    if (test::NoRealDialogs()) {
        std::wstring name = Name();
        UnloadWithoutAsking();
        test::Fail(L"The modal form " + name + L" was shown with no test action queued for it" +
                   (test::PendingModalActions() ? L" (the next queued action is for another form)." : L"."));
        return;
    }
    --modalDepth_;  // the loop counts itself
    RunModalLoop();
    ++modalDepth_;
}

void Form::CenterOn(Form* owner) {
    RECT area;
    if (owner && owner->hWnd() && startUp_ == 1) {
        GetWindowRect(owner->hWnd(), &area);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT r;
    GetWindowRect(hwnd_, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    const int x = std::max<int>(0, area.left + (area.right - area.left - w) / 2);
    const int y = std::max<int>(0, area.top + (area.bottom - area.top - h) / 2);
    // A kept form shown again over an owner that stayed put is already there.
    if (mdiChild_ || x != r.left || y != r.top) SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::PassFocusToControl() {
    HWND last = lastFocus_;
    if (last != nullptr && IsWindow(last) && IsChild(hwnd_, last) && IsWindowVisible(last) && IsWindowEnabled(last)) {
        ::SetFocus(last);
        return;
    }
    const auto stops = detail::TabStops(*this);
    if (!stops.empty()) stops.front()->SetFocus();
}

void Form::RunModalLoop() {
    ++modalDepth_;
    MSG m;
    while (loaded_ && hwnd_ && IsWindowVisible(hwnd_)) {
        BOOL r = GetMessageW(&m, nullptr, 0, 0);
        if (r == 0) {
            PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        if (r == -1) break;
        detail::Dispatch(m);
        detail::FreeBuried();
    }
    --modalDepth_;
}

void Form::Hide() {
    if (!loaded_) Load();
    // A modal form hiding gives its owners their input back first, as one unloading does, so that
    // Windows activates them and the focus returns to where it was.
    for (HWND h : disabledByModal_)
        if (IsWindow(h)) EnableWindow(h, TRUE);
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
    if (g_lastActivated == this) g_lastActivated = nullptr;
    WakeLoops();
}

bool Form::Unload() { return RunUnload(vbFormCode); }

bool Form::QueryUnloadOnly(int mode) {
    int cancel = 0;
    Form_QueryUnload(cancel, mode);
    return cancel == 0;
}

bool Form::RunUnload(int mode) {
    if (!loaded_) return true;
    if (!QueryUnloadOnly(mode)) return false;
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel != 0) return false;
    UnloadWithoutAsking();
    return true;
}

void Form::UnloadWithoutAsking() {
    if (!loaded_) return;
    loaded_ = false;
    if (g_lastActivated == this) g_lastActivated = nullptr;
    if (MdiForm* frame = MdiForm::Current(); frame && frame->lastActiveChild_ == this) frame->lastActiveChild_ = nullptr;
    // Give the owners back their input before this window goes, so that Windows activates them.
    for (HWND h : disabledByModal_)
        if (IsWindow(h)) EnableWindow(h, TRUE);
    disabledByModal_.clear();
    DestroyFormWindow();
    if (menuBar_)
        while (GetMenuItemCount(menuBar_.Get()) > 0) RemoveMenu(menuBar_.Get(), 0, MF_BYPOSITION);
    for (MenuItem* m : topMenus_) m->DestroyHandles();
    menuBar_.Reset();
    for (auto& c : added_) {
        c->DestroyWindowNow();
        detail::Bury(std::move(c));
    }
    added_.clear();
    std::vector<Control*> snapshot = controls_;
    for (Control* c : snapshot) {
        c->DestroyWindowNow();
        c->RestoreDesign();
    }
    for (auto& hook : unloadHooks_) hook();
    fontHandle_.Reset();
    backBrush_.Reset();
    Forms::NoteUnloaded(this);
    WakeLoops();
}

void Form::Refresh() {
    if (hwnd_) {
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

void Form::SetFocus() {
    if (hwnd_) ::SetFocus(hwnd_);
}

void Form::ZOrder(int position) {
    if (hwnd_) SetWindowPos(hwnd_, position == 0 ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form::RefillMenuBar() {
    if (!menuBar_) menuBar_.Reset(CreateMenu());
    detail::FillMenu(menuBar_.Get(), topMenus_);
    if (hwnd_ && !mdiChild_) DrawMenuBar(hwnd_);
    if (mdiChild_ && MdiForm::Current()) MdiForm::Current()->ChildMenuChanged(this);
}

void Form::LayoutAligned() {
    if (!hwnd_) return;
    RECT area;
    GetClientRect(hwnd_, &area);
    for (Control* c : controls_) {
        if (!c->hWnd() || c->Container() || c->Align() == vbAlignNone || !IsWindowVisible(c->hWnd())) continue;
        RECT r;
        GetWindowRect(c->hWnd(), &r);
        int h = r.bottom - r.top, w = r.right - r.left;
        switch (c->Align()) {
            case vbAlignTop:
                MoveWindow(c->hWnd(), area.left, area.top, area.right - area.left, h, TRUE);
                area.top += h;
                break;
            case vbAlignBottom:
                MoveWindow(c->hWnd(), area.left, area.bottom - h, area.right - area.left, h, TRUE);
                area.bottom -= h;
                break;
            case vbAlignLeft:
                MoveWindow(c->hWnd(), area.left, area.top, w, area.bottom - area.top, TRUE);
                area.left += w;
                break;
            case vbAlignRight:
                MoveWindow(c->hWnd(), area.right - w, area.top, w, area.bottom - area.top, TRUE);
                area.right -= w;
                break;
            default: break;
        }
    }
    if (area.right < area.left) area.right = area.left;
    if (area.bottom < area.top) area.bottom = area.top;
    PlaceRemainingArea(area);
}

void Form::PopupMenu(MenuItem& menu, long x, long y) {
    if (!hwnd_) throw zv::Error(L"The form is not loaded.");
    POINT pt;
    if (x < 0 || y < 0) {
        GetCursorPos(&pt);
    } else {
        pt = {TwipsToPixelsX(x), TwipsToPixelsY(y)};
        ClientToScreen(hwnd_, &pt);
    }
    menu.ShowPopup(hwnd_, pt);
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    switch (msg) {
        case WM_COMMAND: {
            if (lp == 0 && HIWORD(wp) <= 1) {
                if (detail::MenuCommand(LOWORD(wp))) return 0;
            }
            break;
        }
        case WM_INITMENUPOPUP:
            if (!HIWORD(lp)) detail::MenuOpening(reinterpret_cast<HMENU>(wp));
            break;
        case WM_TIMER:
            for (Control* c : controls_)
                if (static_cast<WPARAM>(c->ControlId()) == wp) {
                    detail::Guard([&] { c->OnTimer(); });
                    return 0;
                }
            break;
        case WM_CLOSE:
            detail::Guard([&] { RunUnload(vbFormControlMenu); });
            return 0;
        case WM_SIZE:
            LayoutAligned();
            if (loaded_ && !loading_ && !inResize_) detail::Guard([&] { Form_Resize(); });
            break;
        case WM_ACTIVATE:
            if (LOWORD(wp) != WA_INACTIVE && !mdiChild_ && !inResize_) detail::Guard([&] { FireActivate(); });
            break;
        case WM_SETFOCUS: {
            // The form's window gets the focus when it is activated, an MDI child made active or
            // an owner given its input back after a dialog; it shows no caret, so what the author
            // types next would be lost there.
            const LRESULT r = DefaultProc(msg, wp, lp);
            if (loaded_ && GetFocus() == hwnd_) PassFocusToControl();
            return r;
        }
        case WM_MDIACTIVATE:
            if (mdiChild_ && reinterpret_cast<HWND>(lp) == hwnd_) {
                if (MdiForm::Current()) MdiForm::Current()->ChildActivated(this);
                if (!inResize_) detail::Guard([&] { FireActivate(); });
            }
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            int key = static_cast<int>(wp);
            detail::Guard([&] { Form_KeyDown(key, detail::ShiftState()); });
            if (key == 0) return 0;
            break;
        }
        case WM_CHAR: {
            int ascii = static_cast<int>(wp);
            detail::Guard([&] { Form_KeyPress(ascii); });
            return 0;
        }
        case WM_ERASEBKGND: {
            if (!backBrush_) backBrush_.Reset(CreateSolidBrush(ToColorRef(backColor_)));
            RECT r;
            GetClientRect(hwnd_, &r);
            FillRect(reinterpret_cast<HDC>(wp), &r, backBrush_.Get());
            return 1;
        }
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd_, &ps);
            detail::Guard([&] { Form_Paint(); });
            detail::PaintWindowless(hwnd_, dc);
            EndPaint(hwnd_, &ps);
            return 0;
        }
        case WM_SETCURSOR:
            if (detail::CurrentMousePointer() == vbHourglass) {
                SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
        case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
        case WM_MOUSEMOVE: {
            if (detail::WindowlessMouse(hwnd_, msg, wp, lp)) return 0;
            int button = (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP) ? 1
                         : (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP) ? 2
                         : (msg == WM_MBUTTONDOWN || msg == WM_MBUTTONUP) ? 4
                         : static_cast<int>(((wp & MK_LBUTTON) ? 1 : 0) | ((wp & MK_RBUTTON) ? 2 : 0));
            float x = static_cast<float>(PixelsToTwipsX(GET_X_LPARAM(lp)));
            float y = static_cast<float>(PixelsToTwipsY(GET_Y_LPARAM(lp)));
            int shift = detail::ShiftState();
            detail::Guard([&] {
                if (msg == WM_MOUSEMOVE) Form_MouseMove(button, shift, x, y);
                else if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN) Form_MouseDown(button, shift, x, y);
                else {
                    Form_MouseUp(button, shift, x, y);
                    if (msg == WM_LBUTTONUP) Form_Click();
                }
            });
            return 0;
        }
        default: break;
    }
    if (detail::ContainerMessage(hwnd_, msg, wp, lp, result)) return result;
    return DefaultProc(msg, wp, lp);
}

LRESULT CALLBACK Form::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Form* f = detail::FormFromHwnd(hwnd);
    if (!f && msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        void* param = cs->lpCreateParams;
        if (cs->dwExStyle & WS_EX_MDICHILD) param = reinterpret_cast<void*>(reinterpret_cast<MDICREATESTRUCTW*>(param)->lParam);
        f = static_cast<Form*>(param);
        if (f) {
            f->hwnd_ = hwnd;
            detail::MapForm(hwnd, f);
            detail::CountWindow(+1);
        }
    }
    if (!f) {
        wchar_t cls[32] = {};
        GetClassNameW(hwnd, cls, 32);
        if (wcscmp(cls, detail::kMdiChildClass) == 0) return DefMDIChildProcW(hwnd, msg, wp, lp);
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    LRESULT r = 0;
    RunAtBoundary(L"a form's window procedure", [&] { r = f->HandleMessage(msg, wp, lp); });
    if (msg == WM_NCDESTROY) {
        detail::UnmapForm(hwnd);
        detail::CountWindow(-1);
        if (f->hwnd_ == hwnd) f->hwnd_ = nullptr;
        if (f->loaded_) {
            // Destroyed from outside (the frame closing its children): the form is unloaded.
            f->loaded_ = false;
            if (g_lastActivated == f) g_lastActivated = nullptr;
            if (MdiForm* frame = MdiForm::Current(); frame && frame->lastActiveChild_ == f) frame->lastActiveChild_ = nullptr;
            Forms::NoteUnloaded(f);
            WakeLoops();
        }
    }
    return r;
}

// ---- Forms ----

std::map<std::type_index, std::unique_ptr<Form>>& Forms::Slots() {
    static std::map<std::type_index, std::unique_ptr<Form>> slots;
    return slots;
}

std::vector<Form*> Forms::Loaded() { return g_loaded; }

void Forms::NoteLoaded(Form* f) {
    if (std::find(g_loaded.begin(), g_loaded.end(), f) == g_loaded.end()) g_loaded.push_back(f);
}

void Forms::NoteUnloaded(Form* f) { std::erase(g_loaded, f); }

void Forms::UnloadAllWithoutAsking() {
    // Children before frames, later forms before earlier ones.
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<Form*> loaded = g_loaded;
        for (auto it = loaded.rbegin(); it != loaded.rend(); ++it) {
            bool isFrame = dynamic_cast<MdiForm*>(*it) != nullptr;
            if ((pass == 0) != isFrame && (*it)->IsLoaded()) (*it)->UnloadWithoutAsking();
        }
    }
}

void Forms::Reset() {
    UnloadAllWithoutAsking();
    detail::FreeBuried();
    Slots().clear();
    g_lastActivated = nullptr;
}

}  // namespace ui
