#pragma once
// Text box: single or multi-line, locked (read-only), with selection.

#include "ui/Control.h"

namespace ui {

struct TextBoxState {
    std::wstring text;
    bool multiLine = false;
    int scrollBars = 0;  // 0 none, 1 horizontal, 2 vertical, 3 both
    bool locked = false;
    long maxLength = 0;
    wchar_t passwordChar = 0;
    int alignment = 0;
    int borderStyle = 1;
    long selStart = 0, selLength = 0;
};

class TextBox : public ControlWithState<TextBox, TextBoxState> {
public:
    using ControlWithState::ControlWithState;
    std::wstring Text() const;
    void SetText(const std::wstring& text);  // Change fires when the text differs
    bool MultiLine() const { return s_.multiLine; }
    void SetMultiLine(bool v);  // design time: the window is recreated
    int ScrollBars() const { return s_.scrollBars; }
    void SetScrollBars(int v);
    bool Locked() const { return s_.locked; }
    void SetLocked(bool v);
    long MaxLength() const { return s_.maxLength; }
    void SetMaxLength(long v);
    wchar_t PasswordChar() const { return s_.passwordChar; }
    void SetPasswordChar(wchar_t v);
    int Alignment() const { return s_.alignment; }
    void SetAlignment(int v);
    int BorderStyle() const { return s_.borderStyle; }
    void SetBorderStyle(int v);

    long SelStart() const;
    void SetSelStart(long v);
    long SelLength() const;
    void SetSelLength(long v);
    std::wstring SelText() const;
    void SetSelText(const std::wstring& text);

    bool WantsEnterKey() const override { return s_.multiLine; }
    void OnCommand(int code) override;

protected:
    void CreateKindWindow() override;
    void AfterCreate() override;
    void BeforeDestroy() override;
    void Recreate();

private:
    bool settingText_ = false;
};

}  // namespace ui
