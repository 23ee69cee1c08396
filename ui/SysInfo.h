#pragma once
// System information: a control without a window or a size on its form, which answers what the
// system is like; here the screen's work area (the screen without the task bar), in twips.

#include "ui/Control.h"

namespace ui {

class SysInfo : public Control {
public:
    SysInfo(Form* form, std::wstring name);
    long WorkAreaLeft() const;
    long WorkAreaTop() const;
    long WorkAreaWidth() const;
    long WorkAreaHeight() const;

    bool CanTakeFocus() const override { return false; }

protected:
    void CreateKindWindow() override {}
};

}  // namespace ui
