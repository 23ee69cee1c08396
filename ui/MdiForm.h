#pragma once
// The MDI frame: holds the child forms (forms with MDIChild = true) in its client area, and aligned
// controls (toolbar, status bar, aligned picture boxes) around it. While a child with menus is
// active, the frame shows the child's menu bar.

#include "ui/Form.h"

namespace ui {

class MdiForm : public Form {
public:
    MdiForm();
    ~MdiForm() override;

    // The active child form (nullptr when none).
    Form* ActiveForm() const;
    std::vector<Form*> Children() const;
    void Arrange(int arrangement);  // 0 cascade, 1 tile horizontally, 2 tile vertically, 3 icons

    // The frame of the process (the one loaded MdiForm).
    static MdiForm* Current();

    // ---- used by the runtime ----
    HWND ClientWindow() const { return client_; }
    HWND ControlParentWindow() const override { return hwnd_; }
    void ChildActivated(Form* child);
    void ChildMenuChanged(Form* child);
    void ChildMenuGoing(Form* child);
    bool RunUnload(int mode) override;
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void CreateFormWindow() override;
    LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void PlaceRemainingArea(const RECT& area) override;

private:
    friend class Form;
    void ShowMenuOf(Form* child);
    Form* lastActiveChild_ = nullptr;  // the child whose Activate ran last
    HWND client_ = nullptr;
};

}  // namespace ui
