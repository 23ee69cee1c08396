#pragma once
// Forms: top-level windows, modal dialogs and MDI children.
//
// How a form is written (one class per form, named as the program names it):
//
//   class frmPageTypeDlg : public ui::Form {
//   public:
//       ui::Frame Frame1{this, L"Frame1"};
//       ui::ControlArray<ui::OptionButton> optPageType{this, L"optPageType"};
//       ui::TextBox Text1{this, L"Text1"};
//       ui::CommandButton btnSave{this, L"btnSave"};
//       ui::CommandButton Command2{this, L"Command2"};
//
//       frmPageTypeDlg() {                          // the form's description: design-time values
//           SetCaption(L"Page Type Selection");
//           SetBorderStyle(3);                      // fixed dialog
//           SetClientSize(4800, 3600);              // twips
//           Frame1.SetCaption(L"Page Type");
//           Frame1.Move(120, 120, 2400, 1500);
//           auto& opt = optPageType.Load(0);        // element 0 exists at design time
//           opt.SetContainer(&Frame1);
//           opt.SetCaption(L"Content Page");
//           ...
//           btnSave.SetCaption(L"Save Page");
//           btnSave.SetDefault(true);
//           Command2.SetCancel(true);
//           btnSave.Click = [this] { btnSave_Click(); };
//           optPageType.Click = [this](int Index) { optPageType_Click(Index); };
//       }
//       void Form_Activate() override { ... }
//       void btnSave_Click() { ...; Unload(); }
//   };
//
//   auto& dlg = ui::Forms::Get<frmPageTypeDlg>();   // the default instance
//   dlg.Load();                                     // Form_Load runs; controls exist
//   dlg.Show(ui::vbModal);                          // returns when the form unloads or hides
//
// Properties may be set before the form loads; they are pushed into the windows when it loads.
// The program ends by unloading its forms; ui::Forms::Reset() also destroys the default instances
// (call it before main returns, and between tests).
// Unload() destroys the windows and puts the controls back to their design values (runtime-loaded
// array members go); the C++ object stays and can be loaded again.

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <typeindex>
#include <vector>

#include "ui/Constants.h"
#include "ui/Control.h"
#include "ui/Handles.h"

namespace ui {

class MenuItem;
class MdiForm;
class CommandButton;

class Form {
public:
    Form();
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // ---- properties ----
    const std::wstring& Name() const;
    void SetName(std::wstring name) { name_ = std::move(name); }
    std::wstring Caption() const;
    void SetCaption(const std::wstring& caption);
    long Left() const;
    long Top() const;
    long Width() const;
    long Height() const;
    void SetLeft(long v);
    void SetTop(long v);
    void SetWidth(long v);
    void SetHeight(long v);
    void Move(long left, long top, long width = -1, long height = -1);
    void SetClientSize(long width, long height);  // the inner size, as a form description gives it
    long ScaleWidth() const;                      // the inner size in twips
    long ScaleHeight() const;
    bool Visible() const;
    void SetVisible(bool v);
    bool Enabled() const;
    void SetEnabled(bool v);
    int WindowState() const;
    void SetWindowState(int state);
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int v) { borderStyle_ = v; }  // 0 none, 1 fixed single, 2 sizable, 3 fixed dialog, 4/5 tool
    bool ControlBox() const { return controlBox_; }
    void SetControlBox(bool v) { controlBox_ = v; }
    bool MinButton() const { return minButton_; }
    void SetMinButton(bool v) { minButton_ = v; }
    bool MaxButton() const { return maxButton_; }
    void SetMaxButton(bool v) { maxButton_ = v; }
    int StartUpPosition() const { return startUp_; }
    void SetStartUpPosition(int v) { startUp_ = v; }  // 0 manual, 1 centre owner, 2 centre screen, 3 default
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool v) { keyPreview_ = v; }
    bool MDIChild() const { return mdiChild_; }
    void SetMDIChild(bool v) { mdiChild_ = v; }
    bool ShowInTaskbar() const { return showInTaskbar_; }
    void SetShowInTaskbar(bool v) { showInTaskbar_ = v; }
    unsigned long BackColor() const { return backColor_; }
    void SetBackColor(unsigned long oleColor);
    const FontSpec& Font() const { return font_; }
    void SetFont(const FontSpec& font);
    const std::wstring& Tag() const { return tag_; }
    void SetTag(std::wstring v) { tag_ = std::move(v); }

    HWND hWnd() const { return hwnd_; }
    // A control of this form got the focus: the form gives it back there when it gets the focus.
    void NoteFocus(HWND control) { lastFocus_ = control; }
    bool IsLoaded() const { return loaded_; }
    bool IsModal() const { return modalDepth_ > 0; }

    // ---- methods ----
    void Load();
    void Show(int modal = vbModeless, Form* owner = nullptr);
    void Hide();
    bool Unload();  // false when QueryUnload or Unload cancelled
    void Refresh();
    void SetFocus();
    void ZOrder(int position = 0);
    void PopupMenu(MenuItem& menu, long x = -1, long y = -1);  // x, y in twips of the client; -1: the mouse

    Control* ActiveControl() const;
    const std::vector<Control*>& Controls() const { return controls_; }
    Control* FindControl(const std::wstring& name, int index = -1) const;
    // By the child-window identifier the form gave the control (nullptr when none has it).
    Control* FindControlById(int id) const;
    // Controls added at run time by name (the program's Controls.Add); owned by the form.
    template <class T>
    T& AddControl(const std::wstring& name, Control* container = nullptr) {
        auto c = std::make_unique<T>(this, name);
        T& ref = *c;
        ref.SetContainer(container);
        added_.push_back(std::move(c));
        if (loaded_) ref.CreateWindowNow();
        return ref;
    }
    void RemoveControl(const std::wstring& name);

    // ---- events: the derived form overrides what it handles ----
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Deactivate() {}
    virtual void Form_Resize() {}
    virtual void Form_QueryUnload(int& Cancel, int UnloadMode) {}
    virtual void Form_Unload(int& Cancel) {}
    virtual void Form_KeyDown(int& KeyCode, int Shift) {}
    virtual void Form_KeyPress(int& KeyAscii) {}
    virtual void Form_Paint() {}
    virtual void Form_Click() {}
    virtual void Form_MouseDown(int Button, int Shift, float X, float Y) {}
    virtual void Form_MouseUp(int Button, int Shift, float X, float Y) {}
    virtual void Form_MouseMove(int Button, int Shift, float X, float Y) {}

    // ---- used by the runtime ----
    int RegisterControl(Control* c);
    void UnregisterControl(Control* c);
    void RegisterMenu(MenuItem* m);
    void UnregisterMenu(MenuItem* m);
    std::vector<MenuItem*>& TopMenus() { return topMenus_; }
    HMENU MenuBar() const { return menuBar_.Get(); }
    void RefillMenuBar();
    virtual HWND ControlParentWindow() const { return hwnd_; }
    HFONT FontHandle() const;
    // The tab order holds controls and, for each control array, a place where its members go.
    int TabIndexOf(const Control* c) const;
    void MoveInTabOrder(Control* c, int index);
    void AddTabPlace(const void* arrayMarker) {
        tabOrder_.push_back(arrayMarker);
        tabPlaces_.push_back(arrayMarker);
    }
    void SetTabInsertPoint(const void* arrayMarker) { tabInsertBefore_ = arrayMarker; }
    void NoteDefaultButton(CommandButton* b, bool on);
    void NoteCancelButton(CommandButton* b, bool on);
    CommandButton* DefaultButton() const { return defaultButton_; }
    CommandButton* CancelButton() const { return cancelButton_; }
    virtual bool RunUnload(int mode);  // QueryUnload + Unload with the given mode
    void AddUnloadHook(std::function<void()> hook) { unloadHooks_.push_back(std::move(hook)); }
    bool QueryUnloadOnly(int mode);
    void UnloadWithoutAsking();
    virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void FireActivate();
    // Docks the aligned controls (toolbar, status bar, aligned picture boxes) along the edges.
    void LayoutAligned();
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);

protected:
    virtual void CreateFormWindow();
    virtual LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp);
    virtual void DestroyFormWindow();
    void CreateControls();
    DWORD WindowStyle() const;
    DWORD WindowExStyle() const;
    void ComputeOuterSize(int& w, int& h) const;
    // Where the window of outer size w x h (pixels) is made: x and y, or CW_USEDEFAULT.
    void CreationPlace(int w, int h, int& x, int& y) const;
    void RunModalLoop();
    // The focus on the form's own window goes on to the control that had it last, else the first
    // in tab order.
    void PassFocusToControl();
    void CenterOn(Form* owner);
    // What the aligned controls leave of the client area (the MDI frame puts its children there).
    virtual void PlaceRemainingArea(const RECT& area) {}

    HWND hwnd_ = nullptr;
    bool loaded_ = false;
    bool loading_ = false;
    int modalDepth_ = 0;
    std::wstring name_;
    std::wstring caption_;
    long left_ = 0, top_ = 0, width_ = 6000, height_ = 4500;
    long clientWidth_ = -1, clientHeight_ = -1;
    bool positioned_ = false;     // put somewhere by the program once its window was there
    bool designPlaced_ = false;   // given a place before it had a window (its design)
    bool visibleWanted_ = false;
    bool enabled_ = true;
    int windowState_ = vbNormal;
    int borderStyle_ = 2;
    bool controlBox_ = true, minButton_ = true, maxButton_ = true;
    int startUp_ = 3;
    bool keyPreview_ = false;
    bool mdiChild_ = false;
    bool showInTaskbar_ = true;
    unsigned long backColor_ = 0x8000000FUL;
    FontSpec font_{L"MS Sans Serif", 8.25};
    std::wstring tag_;
    mutable ui::Font fontHandle_;
    Brush backBrush_;
    std::vector<Control*> controls_;
    std::vector<std::unique_ptr<Control>> added_;
    std::vector<MenuItem*> topMenus_;
    MenuHandle menuBar_;
    CommandButton* defaultButton_ = nullptr;
    CommandButton* cancelButton_ = nullptr;
    int nextId_ = 100;
    std::vector<const void*> tabOrder_;
    std::vector<const void*> tabPlaces_;
    const void* tabInsertBefore_ = nullptr;
    std::vector<HWND> disabledByModal_;
    HWND lastFocus_ = nullptr;
    bool activated_ = false;
    bool inResize_ = false;
    std::vector<std::function<void()>> unloadHooks_;
};

// The default instances ("frmX.Show" in the program) and the loaded forms.
class Forms {
public:
    template <class T>
    static T& Get() {
        auto& slot = Slots()[std::type_index(typeid(T))];
        if (!slot) slot = std::make_unique<T>();
        return static_cast<T&>(*slot);
    }
    // Loaded forms, in load order.
    static std::vector<Form*> Loaded();
    // Unloads every loaded form (without asking) and destroys the default instances (tests).
    static void Reset();
    static void UnloadAllWithoutAsking();
    // Used by Form.
    static void NoteLoaded(Form* f);
    static void NoteUnloaded(Form* f);

private:
    static std::map<std::type_index, std::unique_ptr<Form>>& Slots();
};

}  // namespace ui
