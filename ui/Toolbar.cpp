#include "ui/Toolbar.h"

#include <commctrl.h>

#include "base/Error.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/MdiForm.h"
#include "ui/Runtime.h"
#include "ui/Twips.h"

namespace ui {

int ToolbarButton::Index() const {
    for (int i = 1; i <= owner_->ButtonCount(); ++i)
        if (&owner_->Buttons(i) == this) return i;
    return 0;
}

void ToolbarButton::SetCaption(std::wstring v) {
    caption_ = std::move(v);
    owner_->SyncButton(*this);
}
void ToolbarButton::SetImage(int v) {
    image_ = v;
    owner_->SyncButton(*this);
}
void ToolbarButton::SetEnabled(bool v) {
    enabled_ = v;
    owner_->SyncButton(*this);
}
void ToolbarButton::SetVisible(bool v) {
    visible_ = v;
    owner_->SyncButton(*this);
}
void ToolbarButton::SetValue(bool v) {
    value_ = v;
    owner_->SyncButton(*this);
}

Toolbar::Toolbar(Form* form, std::wstring name) : Control(form, std::move(name)) {
    p_.align = vbAlignTop;
    p_.height = 420;
    p_.tabStop = false;
}

Toolbar::~Toolbar() { DestroyWindowNow(); }

ToolbarButton* Toolbar::FindButton(const std::wstring& key) {
    for (auto& b : buttons_)
        if (b->key_ == key) return b.get();
    return nullptr;
}

ToolbarButton& Toolbar::Buttons(const std::wstring& key) {
    if (ToolbarButton* b = FindButton(key)) return *b;
    throw zv::Error(L"Element not found: " + key);
}

ToolbarButton& Toolbar::Buttons(int index) {
    if (index < 1 || index > ButtonCount()) throw zv::Error(L"Index out of bounds");
    return *buttons_[static_cast<size_t>(index - 1)];
}

ToolbarButton& Toolbar::AddButton(const std::wstring& key, const std::wstring& caption, int style, int image) {
    if (!key.empty() && FindButton(key)) throw zv::Error(L"Key is not unique in collection");
    auto b = std::make_unique<ToolbarButton>();
    b->owner_ = this;
    b->command_ = nextCommand_++;
    b->key_ = key;
    b->caption_ = caption;
    b->style_ = style;
    b->image_ = image;
    buttons_.push_back(std::move(b));
    if (hwnd_) InsertNative(buttons_.size() - 1);
    return *buttons_.back();
}

void Toolbar::RemoveButton(const std::wstring& key) {
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i]->key_ == key) {
            if (hwnd_) SendMessageW(hwnd_, TB_DELETEBUTTON, i, 0);
            buttons_.erase(buttons_.begin() + static_cast<long>(i));
            return;
        }
    throw zv::Error(L"Element not found: " + key);
}

void Toolbar::SetImageList(ImageList* images) {
    images_ = images;
    if (hwnd_) SendMessageW(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

void Toolbar::InsertNative(size_t position) {
    ToolbarButton& b = *buttons_[position];
    TBBUTTON tb{};
    tb.iBitmap = b.image_ > 0 ? b.image_ - 1 : I_IMAGENONE;
    tb.idCommand = b.command_;
    tb.fsState = static_cast<BYTE>((b.enabled_ ? TBSTATE_ENABLED : 0) | (b.visible_ ? 0 : TBSTATE_HIDDEN) |
                                   (b.value_ ? TBSTATE_CHECKED : 0));
    switch (b.style_) {
        case tbrCheck: tb.fsStyle = BTNS_CHECK; break;
        case tbrButtonGroup: tb.fsStyle = BTNS_CHECKGROUP; break;
        case tbrSeparator:
        case tbrPlaceholder: tb.fsStyle = BTNS_SEP; break;
        default: tb.fsStyle = BTNS_BUTTON; break;
    }
    tb.iString = b.caption_.empty() ? -1 : reinterpret_cast<INT_PTR>(b.caption_.c_str());
    SendMessageW(hwnd_, TB_INSERTBUTTONW, position, reinterpret_cast<LPARAM>(&tb));
}

void Toolbar::SyncButton(ToolbarButton& b) {
    if (!hwnd_) return;
    TBBUTTONINFOW info{sizeof(info)};
    info.dwMask = TBIF_STATE | TBIF_IMAGE | TBIF_TEXT;
    info.fsState = static_cast<BYTE>((b.enabled_ ? TBSTATE_ENABLED : 0) | (b.visible_ ? 0 : TBSTATE_HIDDEN) |
                                     (b.value_ ? TBSTATE_CHECKED : 0));
    info.iImage = b.image_ > 0 ? b.image_ - 1 : I_IMAGENONE;
    info.pszText = const_cast<wchar_t*>(b.caption_.c_str());
    SendMessageW(hwnd_, TB_SETBUTTONINFOW, static_cast<WPARAM>(b.command_), reinterpret_cast<LPARAM>(&info));
}

void Toolbar::OnButtonCommand(int command) {
    for (auto& b : buttons_) {
        if (b->command_ != command) continue;
        if (hwnd_ && (b->style_ == tbrCheck || b->style_ == tbrButtonGroup)) {
            for (auto& other : buttons_)
                other->value_ = (SendMessageW(hwnd_, TB_GETSTATE, static_cast<WPARAM>(other->command_), 0) & TBSTATE_CHECKED) != 0;
        }
        ToolbarButton& target = *b;
        detail::Guard([&] { if (auto f = ButtonClick) f(target); });
        return;
    }
}

bool Toolbar::OnNotify(NMHDR* hdr, LRESULT& result) {
    if (hdr->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(hdr);
        for (auto& b : buttons_)
            if (static_cast<UINT_PTR>(b->command_) == hdr->idFrom) info->lpszText = const_cast<wchar_t*>(b->toolTip_.c_str());
        result = 0;
        return true;
    }
    return false;
}

long Toolbar::Height() const {
    if (!hwnd_) return p_.height;
    RECT r;
    GetWindowRect(hwnd_, &r);
    return PixelsToTwipsY(r.bottom - r.top);
}

void Toolbar::CreateKindWindow() {
    DWORD style = TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | TBSTYLE_LIST | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
    CreateNative(TOOLBARCLASSNAMEW, style, 0, L"");
    if (!hwnd_) return;
    SendMessageW(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
}

void Toolbar::AfterCreate() {
    if (images_) SendMessageW(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_->Handle()));
    for (size_t i = 0; i < buttons_.size(); ++i) InsertNative(i);
    SendMessageW(hwnd_, TB_AUTOSIZE, 0, 0);
    form_->LayoutAligned();
}

}  // namespace ui
