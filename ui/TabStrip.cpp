#include "ui/TabStrip.h"

#include <commctrl.h>

#include "base/Error.h"
#include "ui/Twips.h"

namespace ui {

TabStrip::TabStrip(Form* form, std::wstring name) : ControlWithState(form, std::move(name)) {
    p_.width = 3000;
    p_.height = 2000;
}

void TabStrip::CheckIndex(int index) const {
    if (index < 1 || index > TabCount()) throw zv::Error(L"Index out of bounds");
}

int TabStrip::AddTab(const std::wstring& caption, const std::wstring& key, int index) {
    if (!key.empty() && TabIndexOfKey(key)) throw zv::Error(L"Key is not unique in collection");
    if (index == 0) index = TabCount() + 1;
    if (index < 1 || index > TabCount() + 1) throw zv::Error(L"Index out of bounds");
    s_.tabs.insert(s_.tabs.begin() + (index - 1), TabStripTab{caption, key, L""});
    if (hwnd_) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(caption.c_str());
        SendMessageW(hwnd_, TCM_INSERTITEMW, static_cast<WPARAM>(index - 1), reinterpret_cast<LPARAM>(&item));
    }
    return index;
}

void TabStrip::RemoveTab(int index) {
    CheckIndex(index);
    s_.tabs.erase(s_.tabs.begin() + (index - 1));
    if (hwnd_) SendMessageW(hwnd_, TCM_DELETEITEM, static_cast<WPARAM>(index - 1), 0);
    if (s_.selected > TabCount()) s_.selected = TabCount();
}

void TabStrip::ClearTabs() {
    s_.tabs.clear();
    s_.selected = 1;
    if (hwnd_) SendMessageW(hwnd_, TCM_DELETEALLITEMS, 0, 0);
}

const TabStripTab& TabStrip::Tab(int index) const {
    CheckIndex(index);
    return s_.tabs[static_cast<size_t>(index - 1)];
}

int TabStrip::TabIndexOfKey(const std::wstring& key) const {
    for (size_t i = 0; i < s_.tabs.size(); ++i)
        if (s_.tabs[i].key == key) return static_cast<int>(i) + 1;
    return 0;
}

void TabStrip::SetTabCaption(int index, const std::wstring& caption) {
    CheckIndex(index);
    s_.tabs[static_cast<size_t>(index - 1)].caption = caption;
    if (hwnd_) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(caption.c_str());
        SendMessageW(hwnd_, TCM_SETITEMW, static_cast<WPARAM>(index - 1), reinterpret_cast<LPARAM>(&item));
    }
}

int TabStrip::SelectedIndex() const {
    if (hwnd_) return static_cast<int>(SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0)) + 1;
    return s_.selected;
}

void TabStrip::SetSelectedIndex(int index) {
    CheckIndex(index);
    bool changed = SelectedIndex() != index;
    s_.selected = index;
    if (hwnd_) SendMessageW(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(index - 1), 0);
    if (changed) Fire(Click);
}

RECT TabStrip::ClientPixels() const {
    RECT r = PixelRect();
    if (hwnd_) {
        RECT inner{0, 0, r.right - r.left, r.bottom - r.top};
        SendMessageW(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&inner));
        OffsetRect(&inner, r.left, r.top);
        return inner;
    }
    // Before the window exists: one row of tabs and a thin border.
    return {r.left + 4, r.top + 24, r.right - 4, r.bottom - 4};
}

long TabStrip::ClientLeft() const { return PixelsToTwipsX(ClientPixels().left); }
long TabStrip::ClientTop() const { return PixelsToTwipsY(ClientPixels().top); }
long TabStrip::ClientWidth() const {
    RECT r = ClientPixels();
    return PixelsToTwipsX(r.right - r.left);
}
long TabStrip::ClientHeight() const {
    RECT r = ClientPixels();
    return PixelsToTwipsY(r.bottom - r.top);
}

bool TabStrip::OnNotify(NMHDR* hdr, LRESULT& result) {
    if (hdr->code == TCN_SELCHANGE) {
        s_.selected = SelectedIndex();
        Fire(Click);
        result = 0;
        return true;
    }
    return false;
}

void TabStrip::CreateKindWindow() { CreateNative(WC_TABCONTROLW, WS_TABSTOP | WS_CLIPSIBLINGS, 0, L""); }

void TabStrip::AfterCreate() {
    for (size_t i = 0; i < s_.tabs.size(); ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(s_.tabs[i].caption.c_str());
        SendMessageW(hwnd_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    if (s_.selected >= 1) SendMessageW(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(s_.selected - 1), 0);
}

void TabStrip::BeforeDestroy() {
    if (hwnd_) s_.selected = SelectedIndex();
}

}  // namespace ui
