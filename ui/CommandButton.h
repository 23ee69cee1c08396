#pragma once
// Command button, with the default (Enter) and cancel (Esc) roles.

#include "ui/Control.h"

namespace ui {

struct CommandButtonState {
    std::wstring caption;
    bool isDefault = false;
    bool isCancel = false;
};

class CommandButton : public ControlWithState<CommandButton, CommandButtonState> {
public:
    using ControlWithState::ControlWithState;
    const std::wstring& Caption() const { return s_.caption; }
    void SetCaption(std::wstring caption);
    bool Default() const { return s_.isDefault; }
    void SetDefault(bool v);
    bool Cancel() const { return s_.isCancel; }
    void SetCancel(bool v);
    // Value = True clicks the button, as the program's code does it.
    void SetValue(bool v) {
        if (v) PerformClick();
    }
    void PerformClick() { Fire(Click); }

    std::wstring AccessCaption() const override { return s_.caption; }
    void OnAccessKey() override;
    void OnCommand(int code) override;

protected:
    void CreateKindWindow() override;
    void AfterRestore() override;
};

}  // namespace ui
