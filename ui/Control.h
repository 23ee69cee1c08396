#pragma once
// The base of every control on a form. A control is a member of its form (constructed with the form
// and its program name); its properties can be set before the form loads and are pushed into the
// real window when the form loads. Geometry is in twips relative to the container's client area.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "ui/Handles.h"

namespace ui {

class Form;

struct FontSpec {
    std::wstring Name;  // empty: inherit the form's font
    double Size = 0;    // points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
    bool operator==(const FontSpec&) const = default;
};

COLORREF ToColorRef(unsigned long oleColor);

class Control {
public:
    Control(Form* form, std::wstring name);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::wstring& Name() const { return name_; }
    int Index() const { return index_; }  // -1 outside a control array
    Form& Parent() const { return *form_; }

    // The frame or picture box holding this control; nullptr = the form itself.
    Control* Container() const { return container_; }
    void SetContainer(Control* container);
    virtual bool IsContainer() const { return false; }

    long Left() const;
    long Top() const;
    long Width() const;
    long Height() const;
    void SetLeft(long v) { Move(v, p_.top, p_.width, p_.height); }
    void SetTop(long v) { Move(p_.left, v, p_.width, p_.height); }
    void SetWidth(long v) { Move(p_.left, p_.top, v, p_.height); }
    void SetHeight(long v) { Move(p_.left, p_.top, p_.width, v); }
    virtual void Move(long left, long top, long width, long height);

    bool Visible() const { return p_.visible; }
    void SetVisible(bool v);
    bool Enabled() const { return p_.enabled; }
    void SetEnabled(bool v);
    int TabIndex() const;  // the place in the form's tab order, from 0
    void SetTabIndex(int v);
    bool TabStop() const { return p_.tabStop; }
    void SetTabStop(bool v);
    // Docking in an MDI frame (vbAlignTop, vbAlignBottom, ...): the frame lays such controls out.
    int Align() const { return p_.align; }
    void SetAlign(int v) { p_.align = v; }
    const std::wstring& Tag() const { return p_.tag; }
    void SetTag(std::wstring v) { p_.tag = std::move(v); }
    const std::wstring& ToolTipText() const { return p_.toolTip; }
    void SetToolTipText(std::wstring v) { p_.toolTip = std::move(v); }

    unsigned long BackColor() const;
    void SetBackColor(unsigned long oleColor);
    unsigned long ForeColor() const;
    void SetForeColor(unsigned long oleColor);
    FontSpec Font() const;  // the effective font
    void SetFont(const FontSpec& font);

    void SetFocus();
    void Refresh();
    void ZOrder(int position = 0);  // 0: front, 1: back

    HWND hWnd() const { return hwnd_; }
    bool IsCreated() const { return hwnd_ != nullptr || (windowless_ && created_); }

    // Events. The program wires them in its form code: btnSave.Click = [this]{ btnSave_Click(); };
    std::function<void()> Click, DblClick, Change, GotFocus, LostFocus;
    std::function<void()> Paint;   // picture box
    std::function<void()> Scroll;  // scroll bar: the thumb is being dragged
    std::function<void(int Button, int Shift, float X, float Y)> MouseDown, MouseUp, MouseMove;
    std::function<void(int& KeyCode, int Shift)> KeyDown, KeyUp;
    std::function<void(int& KeyAscii)> KeyPress;
    // Dragging (Drag(1) in a MouseDown handler): the control under the mouse hears DragOver while
    // the button is held and DragDrop where it is let go. X, Y are twips in the target.
    std::function<void(Control& Source, float X, float Y, int State)> DragOver;
    std::function<void(Control& Source, float X, float Y)> DragDrop;
    void Drag(int action = 1);  // 0 cancel, 1 begin, 2 end (drop here)

    // ---- used by the runtime (forms, containers, control arrays) ----
    void CreateWindowNow();
    void DestroyWindowNow();
    void SetIndex(int index) { index_ = index; }
    int ControlId() const { return id_; }
    bool IsWindowless() const { return windowless_; }
    virtual void OnCommand(int code) {}
    virtual void OnCommandFull(int id, int code) { OnCommand(code); }
    virtual bool OnNotify(NMHDR* hdr, LRESULT& result) { return false; }
    virtual void OnScroll(int code, int position) {}
    virtual void OnTimer() {}
    virtual void OnFontChanged() {}
    virtual void OnAppearanceChanged() {}  // colours changed
    virtual HBRUSH OnCtlColor(HDC dc);
    // Owner-drawn controls: true when handled.
    virtual bool OnMeasureItem(MEASUREITEMSTRUCT& measure) { return false; }
    virtual bool OnDrawItem(DRAWITEMSTRUCT& draw) { return false; }
    virtual void PaintWindowless(HDC dc) {}
    // Keyboard: the caption whose "&x" makes an access key, what the key does, and whether the
    // control keeps Enter for itself (a multi-line text box) or can take the focus at all.
    virtual std::wstring AccessCaption() const { return L""; }
    virtual void OnAccessKey();
    virtual bool WantsEnterKey() const { return false; }
    virtual bool WantsEscapeKey() const { return false; }
    virtual bool CanTakeFocus() const { return !windowless_; }
    RECT PixelRect() const;  // in the container's client pixels
    HWND ContainerWindow() const;
    virtual void CopyDesignFrom(const Control& model);  // a new array element takes its look from element 0
    virtual void SnapshotDesign();                        // first load: remember the design values
    virtual void RestoreDesign();                         // unload: back to them
    void FireMouse(UINT msg, WPARAM wp, LPARAM lp);

protected:
    // Kind-specific creation: call CreateNative with the window class and styles.
    virtual void CreateKindWindow() = 0;
    // After creation: push kind state (text, value, items) into the window.
    virtual void AfterCreate() {}
    // Before destruction: pull any state the user may have changed out of the window.
    virtual void BeforeDestroy() {}
    // Subclassed messages of the control's own window; true = handled.
    virtual bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) { return false; }

    void CreateNative(const wchar_t* cls, DWORD style, DWORD exStyle, const std::wstring& text);
    void MakeWindowless() { windowless_ = true; }
    void InvalidateInContainer() const;
    HFONT EffectiveFont() const;
    static void Fire(const std::function<void()>& f) {
        if (auto copy = f) copy();
    }

    struct BaseProps {
        long left = 0, top = 0, width = 1215, height = 495;
        bool visible = true, enabled = true, tabStop = true;
        int align = 0;
        std::wstring tag, toolTip;
        std::optional<unsigned long> back, fore;
        std::optional<FontSpec> font;
    } p_;

    Form* form_;
    std::wstring name_;
    int index_ = -1;
    int id_ = 0;
    Control* container_ = nullptr;
    HWND hwnd_ = nullptr;
    bool windowless_ = false;
    bool created_ = false;

private:
    static LRESULT SubclassProc(HWND, UINT, WPARAM, LPARAM, void*);
    void ApplyFont();

    std::optional<BaseProps> design_;
    mutable ui::Font ownFont_;
    Brush backBrush_;
};

// Controls with kind-specific state: the state is remembered at first load and restored at unload,
// and a new array member copies it from the model element.
template <class Derived, class State>
class ControlWithState : public Control {
public:
    using Control::Control;
    void SnapshotDesign() override {
        Control::SnapshotDesign();
        if (!design_) design_ = s_;
    }
    void RestoreDesign() override {
        Control::RestoreDesign();
        if (design_) s_ = *design_;
        AfterRestore();
    }
    void CopyDesignFrom(const Control& model) override {
        Control::CopyDesignFrom(model);
        const auto& m = static_cast<const Derived&>(model);
        s_ = m.design_ ? *m.design_ : m.s_;
        AfterRestore();
    }

protected:
    virtual void AfterRestore() {}
    State s_;
    std::optional<State> design_;
};

}  // namespace ui
