#pragma once
// Option button: one chosen per container (form, frame or picture box). Click fires when a person
// clicks it and when the program chooses it.

#include "ui/Control.h"

namespace ui {

struct OptionButtonState {
    std::wstring caption;
    bool value = false;
    int alignment = 0;
};

class OptionButton : public ControlWithState<OptionButton, OptionButtonState> {
public:
    using ControlWithState::ControlWithState;
    const std::wstring& Caption() const { return s_.caption; }
    void SetCaption(std::wstring caption);
    bool Value() const { return s_.value; }
    void SetValue(bool v);
    int Alignment() const { return s_.alignment; }
    void SetAlignment(int v) { s_.alignment = v; }

    std::wstring AccessCaption() const override { return s_.caption; }
    void OnAccessKey() override;
    void OnCommand(int code) override;

protected:
    void CreateKindWindow() override;

private:
    void Check(bool v);
};

}  // namespace ui
