#pragma once
// A control array: members by index (optPageType[1]), loaded at design time (in the form's
// description, before the form loads) or at run time; events carry the member's index.
// A member loaded at run time copies the design of the lowest member and starts hidden; it goes
// again when the form unloads.

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/Error.h"
#include "ui/Form.h"
#include "ui/Runtime.h"

namespace ui {

template <class T>
class ControlArray {
public:
    ControlArray(Form* form, std::wstring name) : form_(form), name_(std::move(name)) {
        form_->AddUnloadHook([this] { DropRuntimeMembers(); });
        form_->AddTabPlace(this);
    }
    ControlArray(const ControlArray&) = delete;
    ControlArray& operator=(const ControlArray&) = delete;

    T& Load(int index) {
        if (index < 0 || index > 32767) throw zv::Error(L"Invalid control array index");
        if (items_.count(index)) throw zv::Error(L"Object already loaded");
        form_->SetTabInsertPoint(this);
        auto c = std::make_unique<T>(form_, name_);
        form_->SetTabInsertPoint(nullptr);
        c->SetIndex(index);
        const bool runtime = form_->IsLoaded();
        if (runtime) {
            if (items_.empty()) throw zv::Error(L"Control array '" + name_ + L"' has no element to copy.");
            c->CopyDesignFrom(*items_.begin()->second);
        }
        Wire(*c, index);
        T& ref = *c;
        items_[index] = std::move(c);
        if (runtime) {
            runtimeLoaded_.insert(index);
            ref.CreateWindowNow();
        }
        return ref;
    }

    void Unload(int index) {
        auto it = items_.find(index);
        if (it == items_.end()) throw zv::Error(L"Control array element '" + std::to_wstring(index) + L"' doesn't exist");
        if (!runtimeLoaded_.count(index)) throw zv::Error(L"Can't unload controls created at design time");
        it->second->DestroyWindowNow();
        detail::Bury(std::move(it->second));  // its own event may still be running
        items_.erase(it);
        runtimeLoaded_.erase(index);
    }

    T& operator[](int index) {
        auto it = items_.find(index);
        if (it == items_.end()) throw zv::Error(L"Control array element '" + std::to_wstring(index) + L"' doesn't exist");
        return *it->second;
    }
    const T& operator[](int index) const { return const_cast<ControlArray&>(*this)[index]; }
    bool Exists(int index) const { return items_.count(index) != 0; }
    int Count() const { return static_cast<int>(items_.size()); }
    int LBound() const { return items_.empty() ? 0 : items_.begin()->first; }
    int UBound() const { return items_.empty() ? -1 : items_.rbegin()->first; }
    std::vector<int> Indexes() const {
        std::vector<int> out;
        for (auto& [i, c] : items_) out.push_back(i);
        return out;
    }
    const std::wstring& Name() const { return name_; }

    std::function<void(int Index)> Click, DblClick, Change, GotFocus, LostFocus, Paint, Scroll;
    std::function<void(int Index, int Button, int Shift, float X, float Y)> MouseDown, MouseUp, MouseMove;
    std::function<void(int Index, int& KeyCode, int Shift)> KeyDown, KeyUp;
    std::function<void(int Index, int& KeyAscii)> KeyPress;

private:
    void Wire(T& c, int i) {
        c.Click = [this, i] { if (auto f = Click) f(i); };
        c.DblClick = [this, i] { if (auto f = DblClick) f(i); };
        c.Change = [this, i] { if (auto f = Change) f(i); };
        c.GotFocus = [this, i] { if (auto f = GotFocus) f(i); };
        c.LostFocus = [this, i] { if (auto f = LostFocus) f(i); };
        c.Paint = [this, i] { if (auto f = Paint) f(i); };
        c.Scroll = [this, i] { if (auto f = Scroll) f(i); };
        c.MouseDown = [this, i](int b, int s, float x, float y) { if (auto f = MouseDown) f(i, b, s, x, y); };
        c.MouseUp = [this, i](int b, int s, float x, float y) { if (auto f = MouseUp) f(i, b, s, x, y); };
        c.MouseMove = [this, i](int b, int s, float x, float y) { if (auto f = MouseMove) f(i, b, s, x, y); };
        c.KeyDown = [this, i](int& k, int s) { if (auto f = KeyDown) f(i, k, s); };
        c.KeyUp = [this, i](int& k, int s) { if (auto f = KeyUp) f(i, k, s); };
        c.KeyPress = [this, i](int& k) { if (auto f = KeyPress) f(i, k); };
    }

    void DropRuntimeMembers() {
        for (int i : runtimeLoaded_) {
            auto it = items_.find(i);
            if (it == items_.end()) continue;
            it->second->DestroyWindowNow();
            detail::Bury(std::move(it->second));
            items_.erase(it);
        }
        runtimeLoaded_.clear();
    }

    Form* form_;
    std::wstring name_;
    std::map<int, std::unique_ptr<T>> items_;
    std::set<int> runtimeLoaded_;
};

}  // namespace ui
