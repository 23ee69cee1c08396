#pragma once
// Label: a caption that takes no focus; its access key moves the focus to the next control.

#include "ui/Control.h"

namespace ui {

struct LabelState {
    std::wstring caption;
    int alignment = 0;  // vbLeftJustify, vbRightJustify, vbCenter
    int borderStyle = 0;
    int backStyle = 1;  // 0 transparent, 1 opaque
    bool useMnemonic = true;
};

class Label : public ControlWithState<Label, LabelState> {
public:
    Label(Form* form, std::wstring name);
    const std::wstring& Caption() const { return s_.caption; }
    void SetCaption(std::wstring caption);
    int Alignment() const { return s_.alignment; }
    void SetAlignment(int v);
    int BorderStyle() const { return s_.borderStyle; }
    void SetBorderStyle(int v);
    int BackStyle() const { return s_.backStyle; }
    void SetBackStyle(int v);
    bool UseMnemonic() const { return s_.useMnemonic; }
    void SetUseMnemonic(bool v);

    std::wstring AccessCaption() const override { return s_.useMnemonic ? s_.caption : L""; }
    bool CanTakeFocus() const override { return false; }
    void OnCommand(int code) override;
    HBRUSH OnCtlColor(HDC dc) override;

protected:
    void CreateKindWindow() override;
    void Recreate();
};

}  // namespace ui
