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
    bool autoSize = false;
    bool wordWrap = false;
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
    // AutoSize: the label takes the size its caption needs; with WordWrap it keeps its width and
    // grows or shrinks in height (how the program measures the height a text needs).
    bool AutoSize() const { return s_.autoSize; }
    void SetAutoSize(bool v);
    bool WordWrap() const { return s_.wordWrap; }
    void SetWordWrap(bool v);
    void Move(long left, long top, long width, long height) override;

    std::wstring AccessCaption() const override { return s_.useMnemonic ? s_.caption : L""; }
    bool CanTakeFocus() const override { return false; }
    void OnCommand(int code) override;
    HBRUSH OnCtlColor(HDC dc) override;

protected:
    void CreateKindWindow() override;
    void Recreate();
    void AfterCreate() override { FitToCaption(); }
    void OnFontChanged() override {
        FitToCaption();
        Redraw();
    }
    void OnAppearanceChanged() override;

private:
    void FitToCaption();
    void Redraw();
    bool fitting_ = false;
};

}  // namespace ui
