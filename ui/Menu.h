#pragma once
// Menus: a form's menu bar and its items by name, item arrays that grow at run time, separators
// (caption "-"), an event before a menu opens (the parent item's Click) and popup menus.
//
//   ui::MenuItem mnuFile{this, L"mnuFile", L"&File"};
//   ui::MenuItem mnuFile_New{mnuFile, L"mnuFile_New", L"&New"};
//   ui::MenuArray mnuRecentFile{mnuFile, L"mnuRecentFile"};   // mnuRecentFile.Load(1).SetCaption(...)

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/Handles.h"

namespace ui {

class Form;
class MenuArray;

class MenuItem {
public:
    MenuItem(Form* form, std::wstring name, std::wstring caption = L"");       // on the form's bar
    MenuItem(MenuItem& parent, std::wstring name, std::wstring caption = L"");  // inside a menu
    ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    const std::wstring& Name() const { return name_; }
    int Index() const { return index_; }
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    // "Ctrl+S", "F3", "Ctrl+Shift+Z", "Del": shown after the caption; the key fires Click.
    const std::wstring& Shortcut() const { return shortcut_; }
    void SetShortcut(std::wstring shortcut);

    // For an item with sub-items, Click runs before its menu opens (the place to adjust it).
    std::function<void()> Click;

    const std::vector<MenuItem*>& Items() const { return children_; }
    MenuItem* ParentItem() const { return parent_; }
    Form& Owner() const { return *form_; }
    bool IsSeparator() const { return caption_ == L"-"; }
    // A named item among this one's descendants (index -1: outside an array).
    MenuItem* Find(const std::wstring& name, int index = -1);

    // ---- used by the runtime ----
    UINT CommandId() const { return id_; }
    HMENU PopupHandle() const { return popup_.Get(); }
    void EnsurePopup();
    void DestroyHandles();
    void ShowPopup(HWND owner, POINT screenPoint);
    bool IsAnchor() const { return anchor_; }
    bool MatchesShortcut(int key, int shift) const;
    void FireClick();

private:
    friend class MenuArray;
    struct AnchorTag {};
    MenuItem(MenuItem& parent, std::wstring name, AnchorTag);
    MenuItem(MenuItem& parent, std::wstring name, int index, MenuItem* after);
    void Init();
    void ParentChanged();

    Form* form_;
    MenuItem* parent_ = nullptr;
    std::wstring name_, caption_, shortcut_;
    int index_ = -1;
    bool enabled_ = true, checked_ = false, visible_ = true;
    bool anchor_ = false;
    UINT id_ = 0;
    std::vector<MenuItem*> children_;
    MenuHandle popup_;
};

// A menu item array: elements by index, inserted after the array's last element.
class MenuArray {
public:
    MenuArray(MenuItem& parent, std::wstring name);
    ~MenuArray();
    MenuItem& Load(int index);
    void Unload(int index);
    MenuItem& operator[](int index);
    bool Exists(int index) const { return items_.count(index) != 0; }
    int Count() const { return static_cast<int>(items_.size()); }
    int LBound() const;
    int UBound() const;
    std::function<void(int Index)> Click;

private:
    MenuItem& parent_;
    std::wstring name_;
    std::unique_ptr<MenuItem> anchor_;
    std::map<int, std::unique_ptr<MenuItem>> items_;
    std::vector<int> runtimeLoaded_;
};

namespace detail {
void FillMenu(HMENU menu, const std::vector<MenuItem*>& items);
bool MenuCommand(UINT id);
void MenuOpening(HMENU menu);
bool MenuShortcut(Form& form, int key, int shift);
}  // namespace detail

}  // namespace ui
