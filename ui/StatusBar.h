#pragma once
// Status bar: panels (1-based, or by key) with text and width, or one simple text. Docks at the
// bottom of its form.

#include <vector>

#include "ui/Control.h"

namespace ui {

struct StatusBarPanel {
    std::wstring key, text;
    long width = 1440;  // twips; the last panel takes what is left
};

struct StatusBarState {
    std::vector<StatusBarPanel> panels;
    bool simple = false;
    std::wstring simpleText;
};

class StatusBar : public ControlWithState<StatusBar, StatusBarState> {
public:
    StatusBar(Form* form, std::wstring name);
    int AddPanel(const std::wstring& text = L"", const std::wstring& key = L"", long widthTwips = 1440);
    int PanelCount() const { return static_cast<int>(s_.panels.size()); }
    std::wstring PanelText(int index) const;
    std::wstring PanelText(const std::wstring& key) const;
    void SetPanelText(int index, const std::wstring& text);
    void SetPanelText(const std::wstring& key, const std::wstring& text);
    void SetPanelWidth(int index, long widthTwips);
    int PanelIndexOfKey(const std::wstring& key) const;  // 0 when none
    bool Simple() const { return s_.simple; }
    void SetSimple(bool v);  // the program's Style = sbrSimple
    const std::wstring& SimpleText() const { return s_.simpleText; }
    void SetSimpleText(const std::wstring& v);

    bool CanTakeFocus() const override { return false; }

protected:
    void CreateKindWindow() override;
    void AfterCreate() override { Sync(); }

private:
    void Sync();
    void CheckIndex(int index) const;
};

}  // namespace ui
