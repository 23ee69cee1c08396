#include "ui/StatusBar.h"

#include <commctrl.h>

#include "base/Error.h"
#include "ui/Form.h"
#include "ui/Twips.h"

namespace ui {

StatusBar::StatusBar(Form* form, std::wstring name) : ControlWithState(form, std::move(name)) {
    p_.align = vbAlignBottom;
    p_.height = 315;
    p_.tabStop = false;
}

void StatusBar::CheckIndex(int index) const {
    if (index < 1 || index > PanelCount()) throw zv::Error(L"Index out of bounds");
}

int StatusBar::AddPanel(const std::wstring& text, const std::wstring& key, long widthTwips) {
    if (!key.empty() && PanelIndexOfKey(key)) throw zv::Error(L"Key is not unique in collection");
    s_.panels.push_back({key, text, widthTwips});
    Sync();
    return PanelCount();
}

int StatusBar::PanelIndexOfKey(const std::wstring& key) const {
    for (size_t i = 0; i < s_.panels.size(); ++i)
        if (s_.panels[i].key == key) return static_cast<int>(i) + 1;
    return 0;
}

std::wstring StatusBar::PanelText(int index) const {
    CheckIndex(index);
    return s_.panels[static_cast<size_t>(index - 1)].text;
}

std::wstring StatusBar::PanelText(const std::wstring& key) const {
    int i = PanelIndexOfKey(key);
    if (!i) throw zv::Error(L"Element not found: " + key);
    return PanelText(i);
}

void StatusBar::SetPanelText(int index, const std::wstring& text) {
    CheckIndex(index);
    s_.panels[static_cast<size_t>(index - 1)].text = text;
    if (hwnd_ && !s_.simple) SendMessageW(hwnd_, SB_SETTEXTW, static_cast<WPARAM>(index - 1), reinterpret_cast<LPARAM>(text.c_str()));
}

void StatusBar::SetPanelText(const std::wstring& key, const std::wstring& text) {
    int i = PanelIndexOfKey(key);
    if (!i) throw zv::Error(L"Element not found: " + key);
    SetPanelText(i, text);
}

void StatusBar::SetPanelWidth(int index, long widthTwips) {
    CheckIndex(index);
    s_.panels[static_cast<size_t>(index - 1)].width = widthTwips;
    Sync();
}

void StatusBar::SetSimple(bool v) {
    s_.simple = v;
    Sync();
}

void StatusBar::SetSimpleText(const std::wstring& v) {
    s_.simpleText = v;
    if (hwnd_ && s_.simple) SendMessageW(hwnd_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(v.c_str()));
}

void StatusBar::Sync() {
    if (!hwnd_) return;
    SendMessageW(hwnd_, SB_SIMPLE, s_.simple, 0);
    if (s_.simple) {
        SendMessageW(hwnd_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(s_.simpleText.c_str()));
        return;
    }
    std::vector<int> edges;
    int x = 0;
    for (size_t i = 0; i < s_.panels.size(); ++i) {
        x += TwipsToPixelsX(s_.panels[i].width);
        edges.push_back(i + 1 == s_.panels.size() ? -1 : x);
    }
    if (edges.empty()) edges.push_back(-1);
    SendMessageW(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (size_t i = 0; i < s_.panels.size(); ++i)
        SendMessageW(hwnd_, SB_SETTEXTW, i, reinterpret_cast<LPARAM>(s_.panels[i].text.c_str()));
}

void StatusBar::CreateKindWindow() {
    CreateNative(STATUSCLASSNAMEW, CCS_NORESIZE | CCS_NOPARENTALIGN | SBARS_SIZEGRIP, 0, L"");
    if (hwnd_) form_->LayoutAligned();
}

}  // namespace ui
