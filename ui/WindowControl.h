#pragma once
// A control whose window is of a class registered elsewhere (a component's own window class):
// it takes the form's geometry, tab order, focus, alignment and lifetime like any control.
//
//   ui::WindowControl TXStatusBar1{this, L"TXStatusBar1", L"ZvTxStatusBar", WS_CHILD};
//
// To react to the window's messages, derive and override OnOwnMessage, or OnCommand/OnNotify for
// what it reports to its parent.

#include "ui/Control.h"

namespace ui {

class WindowControl : public Control {
public:
    WindowControl(Form* form, std::wstring name, std::wstring windowClass, DWORD style = 0, DWORD exStyle = 0,
                  bool canTakeFocus = true);
    const std::wstring& WindowClass() const { return windowClass_; }
    bool CanTakeFocus() const override { return canTakeFocus_; }

protected:
    void CreateKindWindow() override;

private:
    std::wstring windowClass_;
    DWORD style_, exStyle_;
    bool canTakeFocus_;
};

}  // namespace ui
