#pragma once
// Tab strip: tabs with captions and keys (1-based, as the program counts them); Click fires when
// the chosen tab changes. It holds no controls: the program lays frames over its client area.

#include <vector>

#include "ui/Control.h"

namespace ui {

struct TabStripTab {
    std::wstring caption, key, toolTipText;
};

struct TabStripState {
    std::vector<TabStripTab> tabs;
    int selected = 1;
};

class TabStrip : public ControlWithState<TabStrip, TabStripState> {
public:
    TabStrip(Form* form, std::wstring name);
    int AddTab(const std::wstring& caption, const std::wstring& key = L"", int index = 0);  // index 0: at the end
    void RemoveTab(int index);
    void ClearTabs();
    int TabCount() const { return static_cast<int>(s_.tabs.size()); }
    const TabStripTab& Tab(int index) const;
    int TabIndexOfKey(const std::wstring& key) const;  // 0 when no tab has the key
    void SetTabCaption(int index, const std::wstring& caption);
    int SelectedIndex() const;
    void SetSelectedIndex(int index);
    // The area inside the tabs, in twips of the container.
    long ClientLeft() const;
    long ClientTop() const;
    long ClientWidth() const;
    long ClientHeight() const;

    bool OnNotify(NMHDR* hdr, LRESULT& result) override;

protected:
    void CreateKindWindow() override;
    void AfterCreate() override;
    void BeforeDestroy() override;

private:
    RECT ClientPixels() const;
    void CheckIndex(int index) const;
};

}  // namespace ui
