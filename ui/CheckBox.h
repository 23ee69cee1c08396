#pragma once
// Check box: Value vbUnchecked, vbChecked or vbGrayed; Click fires whenever the value changes.

#include "ui/Control.h"

namespace ui {

struct CheckBoxState {
    std::wstring caption;
    int value = 0;
    int alignment = 0;  // 0 box left of the caption, 1 right
};

class CheckBox : public ControlWithState<CheckBox, CheckBoxState> {
public:
    using ControlWithState::ControlWithState;
    const std::wstring& Caption() const { return s_.caption; }
    void SetCaption(std::wstring caption);
    int Value() const { return s_.value; }
    void SetValue(int v);
    int Alignment() const { return s_.alignment; }
    void SetAlignment(int v) { s_.alignment = v; }

    std::wstring AccessCaption() const override { return s_.caption; }
    void OnAccessKey() override;
    void OnCommand(int code) override;

protected:
    void CreateKindWindow() override;
};

}  // namespace ui
