#include "ui/Menu.h"

#include <algorithm>
#include <cwctype>
#include <unordered_map>

#include "base/Error.h"
#include "ui/Form.h"
#include "ui/Runtime.h"
#include "ui/TestHooks.h"

namespace ui {
namespace {
// Kept for the whole process (never destroyed): forms and controls still use them while static
// objects (default form instances) are destroyed at exit.
std::unordered_map<UINT, MenuItem*>& g_byId = *new std::unordered_map<UINT, MenuItem*>;
std::unordered_map<HMENU, MenuItem*>& g_byPopup = *new std::unordered_map<HMENU, MenuItem*>;
UINT g_nextId = 0x1000;

UINT NewId() {
    for (;;) {
        UINT id = g_nextId++;
        if (g_nextId >= 0xE000) g_nextId = 0x1000;
        if (!g_byId.count(id)) return id;
    }
}

std::wstring Upper(std::wstring s) {
    for (auto& ch : s) ch = static_cast<wchar_t>(std::towupper(ch));
    return s;
}

// "Ctrl+Shift+S" -> key and shift mask; false when the text names no key.
bool ParseShortcut(const std::wstring& text, int& key, int& shift) {
    key = 0;
    shift = 0;
    std::wstring s = Upper(text);
    size_t start = 0;
    std::vector<std::wstring> parts;
    while (start <= s.size()) {
        size_t plus = s.find(L'+', start);
        if (plus == start && start + 1 == s.size()) { parts.push_back(L"+"); break; }
        parts.push_back(s.substr(start, plus == std::wstring::npos ? std::wstring::npos : plus - start));
        if (plus == std::wstring::npos) break;
        start = plus + 1;
    }
    if (parts.empty()) return false;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        if (parts[i] == L"CTRL") shift |= 2;
        else if (parts[i] == L"SHIFT") shift |= 1;
        else if (parts[i] == L"ALT") shift |= 4;
        else return false;
    }
    const std::wstring& k = parts.back();
    if (k.size() == 1 && ((k[0] >= L'A' && k[0] <= L'Z') || (k[0] >= L'0' && k[0] <= L'9'))) key = k[0];
    else if (k.size() >= 2 && k[0] == L'F' && std::all_of(k.begin() + 1, k.end(), iswdigit)) key = VK_F1 + _wtoi(k.c_str() + 1) - 1;
    else if (k == L"DEL" || k == L"DELETE") key = VK_DELETE;
    else if (k == L"INS" || k == L"INSERT") key = VK_INSERT;
    else if (k == L"BKSP" || k == L"BACKSPACE") key = VK_BACK;
    else if (k == L"HOME") key = VK_HOME;
    else if (k == L"END") key = VK_END;
    else if (k == L"PGUP") key = VK_PRIOR;
    else if (k == L"PGDN") key = VK_NEXT;
    else return false;
    return true;
}
}  // namespace

MenuItem::MenuItem(Form* form, std::wstring name, std::wstring caption)
    : form_(form), name_(std::move(name)), caption_(std::move(caption)) {
    Init();
    form_->RegisterMenu(this);
}

MenuItem::MenuItem(MenuItem& parent, std::wstring name, std::wstring caption)
    : form_(parent.form_), parent_(&parent), name_(std::move(name)), caption_(std::move(caption)) {
    Init();
    parent.children_.push_back(this);
}

MenuItem::MenuItem(MenuItem& parent, std::wstring name, AnchorTag)
    : form_(parent.form_), parent_(&parent), name_(std::move(name)), visible_(false), anchor_(true) {
    Init();
    parent.children_.push_back(this);
}

MenuItem::MenuItem(MenuItem& parent, std::wstring name, int index, MenuItem* after)
    : form_(parent.form_), parent_(&parent), name_(std::move(name)), index_(index) {
    Init();
    auto it = std::find(parent.children_.begin(), parent.children_.end(), after);
    parent.children_.insert(it == parent.children_.end() ? it : it + 1, this);
}

void MenuItem::Init() {
    id_ = NewId();
    g_byId[id_] = this;
}

MenuItem::~MenuItem() {
    g_byId.erase(id_);
    for (MenuItem* c : children_) c->parent_ = nullptr;
    if (parent_) {
        std::erase(parent_->children_, this);
        if (form_->IsLoaded()) parent_->ParentChanged();
    } else if (!anchor_) {
        form_->UnregisterMenu(this);
        if (form_->IsLoaded()) form_->RefillMenuBar();
    }
    DestroyHandles();
}

void MenuItem::ParentChanged() {
    // Called on the parent: refill its menu so that the change shows.
    if (form_->IsLoaded() && popup_) detail::FillMenu(popup_.Get(), children_);
}

namespace {
void RefreshContaining(MenuItem& item) {
    Form& form = item.Owner();
    if (!form.IsLoaded()) return;
    if (item.ParentItem()) {
        if (HMENU h = item.ParentItem()->PopupHandle()) detail::FillMenu(h, item.ParentItem()->Items());
    } else {
        form.RefillMenuBar();
    }
}
}  // namespace

void MenuItem::SetCaption(std::wstring caption) {
    caption_ = std::move(caption);
    RefreshContaining(*this);
}
void MenuItem::SetEnabled(bool v) {
    enabled_ = v;
    RefreshContaining(*this);
}
void MenuItem::SetChecked(bool v) {
    checked_ = v;
    RefreshContaining(*this);
}
void MenuItem::SetVisible(bool v) {
    visible_ = v;
    RefreshContaining(*this);
}
void MenuItem::SetShortcut(std::wstring shortcut) {
    shortcut_ = std::move(shortcut);
    RefreshContaining(*this);
}

MenuItem* MenuItem::Find(const std::wstring& name, int index) {
    for (MenuItem* c : children_) {
        if (!c->anchor_ && _wcsicmp(c->name_.c_str(), name.c_str()) == 0 && c->index_ == index) return c;
        if (MenuItem* m = c->Find(name, index)) return m;
    }
    return nullptr;
}

void MenuItem::EnsurePopup() {
    if (!popup_) {
        popup_.Reset(CreatePopupMenu());
        g_byPopup[popup_.Get()] = this;
    }
    detail::FillMenu(popup_.Get(), children_);
}

void MenuItem::DestroyHandles() {
    if (popup_) {
        HMENU h = popup_.Get();
        // Detach the sub-menus first: DestroyMenu would otherwise destroy handles their owners hold.
        while (GetMenuItemCount(h) > 0) RemoveMenu(h, 0, MF_BYPOSITION);
    }
    for (MenuItem* c : children_) c->DestroyHandles();
    if (popup_) {
        g_byPopup.erase(popup_.Get());
        popup_.Reset();
    }
}

bool MenuItem::MatchesShortcut(int key, int shift) const {
    int k = 0, s = 0;
    return !shortcut_.empty() && ParseShortcut(shortcut_, k, s) && k == key && s == shift;
}

void MenuItem::FireClick() {
    detail::Guard([&] {
        if (auto f = Click) f();
    });
}

void MenuItem::ShowPopup(HWND owner, POINT pt) {
    std::wstring choice;
    int choiceIndex = -1;
    test::detail::RecordPopup(name_, pt.x, pt.y);
    if (test::detail::TakePopupChoice(choice, choiceIndex)) {
        FireClick();  // the menu adjusts itself before it opens
        if (choice.empty()) return;
        MenuItem* item = Find(choice, choiceIndex);
        if (!item) {
            test::Fail(L"The popup menu " + name_ + L" has no item " + choice + L".");
            return;
        }
        for (MenuItem* m = item; m && m != this; m = m->parent_) {
            if (!m->visible_ || !m->enabled_) {
                test::Fail(L"The popup menu item " + choice + L" is hidden or disabled.");
                return;
            }
        }
        item->FireClick();
        return;
    }
    if (test::NoRealDialogs()) {
        test::Fail(L"The popup menu " + name_ + L" was shown with no test choice queued.");
        return;
    }
    EnsurePopup();
    UINT id = static_cast<UINT>(TrackPopupMenu(popup_.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, pt.x, pt.y, 0, owner, nullptr));
    if (id) detail::MenuCommand(id);
}

// ---- MenuArray ----

MenuArray::MenuArray(MenuItem& parent, std::wstring name) : parent_(parent), name_(std::move(name)) {
    anchor_.reset(new MenuItem(parent, name_, MenuItem::AnchorTag{}));
    // Items loaded while the form was loaded go with it, as control array members do.
    parent_.Owner().AddUnloadHook([this] {
        for (int i : runtimeLoaded_) items_.erase(i);
        runtimeLoaded_.clear();
    });
}

MenuArray::~MenuArray() {
    items_.clear();
    anchor_.reset();
}

MenuItem& MenuArray::Load(int index) {
    if (items_.count(index)) throw zv::Error(L"Object already loaded");
    MenuItem* after = anchor_.get();
    const MenuItem* model = nullptr;
    for (auto& [i, item] : items_) {
        if (i < index) after = item.get();
        if (!model) model = item.get();
    }
    auto item = std::unique_ptr<MenuItem>(new MenuItem(parent_, name_, index, after));
    if (model) {
        item->caption_ = model->caption_;
        item->enabled_ = model->enabled_;
    }
    item->Click = [this, index] {
        if (auto f = Click) f(index);
    };
    MenuItem& ref = *item;
    items_[index] = std::move(item);
    if (parent_.Owner().IsLoaded()) runtimeLoaded_.push_back(index);
    RefreshContaining(ref);
    return ref;
}

void MenuArray::Unload(int index) {
    auto it = items_.find(index);
    if (it == items_.end()) throw zv::Error(L"Control array element '" + std::to_wstring(index) + L"' doesn't exist");
    items_.erase(it);
    std::erase(runtimeLoaded_, index);
}

MenuItem& MenuArray::operator[](int index) {
    auto it = items_.find(index);
    if (it == items_.end()) throw zv::Error(L"Control array element '" + std::to_wstring(index) + L"' doesn't exist");
    return *it->second;
}

int MenuArray::LBound() const { return items_.empty() ? 0 : items_.begin()->first; }
int MenuArray::UBound() const { return items_.empty() ? -1 : items_.rbegin()->first; }

// ---- detail ----

namespace detail {

void FillMenu(HMENU menu, const std::vector<MenuItem*>& items) {
    while (GetMenuItemCount(menu) > 0) RemoveMenu(menu, 0, MF_BYPOSITION);
    for (MenuItem* item : items) {
        if (item->IsAnchor() || !item->Visible()) continue;
        if (item->IsSeparator()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::wstring text = item->Caption();
        if (!item->Shortcut().empty()) text += L"\t" + item->Shortcut();
        UINT flags = MF_STRING | (item->Enabled() ? MF_ENABLED : MF_GRAYED) | (item->Checked() ? MF_CHECKED : MF_UNCHECKED);
        bool hasSub = std::any_of(item->Items().begin(), item->Items().end(), [](MenuItem* c) { return !c->IsAnchor(); });
        if (hasSub || !item->Items().empty()) {
            item->EnsurePopup();
            AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(item->PopupHandle()), text.c_str());
        } else {
            AppendMenuW(menu, flags, item->CommandId(), text.c_str());
        }
    }
}

bool MenuCommand(UINT id) {
    auto it = g_byId.find(id);
    if (it == g_byId.end()) return false;
    it->second->FireClick();
    return true;
}

void MenuOpening(HMENU menu) {
    auto it = g_byPopup.find(menu);
    if (it != g_byPopup.end()) it->second->FireClick();
}

namespace {
bool Reachable(MenuItem* m) {
    for (; m; m = m->ParentItem())
        if (!m->Enabled() || !m->Visible()) return false;
    return true;
}
MenuItem* FindShortcut(const std::vector<MenuItem*>& items, int key, int shift) {
    for (MenuItem* m : items) {
        if (m->MatchesShortcut(key, shift) && Reachable(m)) return m;
        if (MenuItem* found = FindShortcut(m->Items(), key, shift)) return found;
    }
    return nullptr;
}
}  // namespace

bool MenuShortcut(Form& form, int key, int shift) {
    MenuItem* m = FindShortcut(form.TopMenus(), key, shift);
    if (!m) return false;
    m->FireClick();
    return true;
}

}  // namespace detail
}  // namespace ui
