#pragma once
// Frame: a captioned box that holds other controls (their container) and groups option buttons.

#include "ui/Control.h"

namespace ui {

struct FrameState {
    std::wstring caption;
    int borderStyle = 1;
};

class Frame : public ControlWithState<Frame, FrameState> {
public:
    Frame(Form* form, std::wstring name);
    const std::wstring& Caption() const { return s_.caption; }
    void SetCaption(std::wstring caption);
    int BorderStyle() const { return s_.borderStyle; }
    void SetBorderStyle(int v);

    bool IsContainer() const override { return true; }
    bool CanTakeFocus() const override { return false; }
    std::wstring AccessCaption() const override { return s_.caption; }
    void OnAccessKey() override;
    void PaintFrame(HDC dc);

protected:
    void CreateKindWindow() override;
};

}  // namespace ui
