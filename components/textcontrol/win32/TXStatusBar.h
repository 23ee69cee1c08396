#pragma once
// The status bar under the text control: the fields "Page", "Line" and "Col". The program sets the
// page field's text; line and column follow the bound control's caret.

#include <string>

#include "components/textcontrol/win32/ToolWindow.h"

namespace tx {

class TXStatusBar : public ToolWindow {
public:
    TXStatusBar(ui::Form* form, std::wstring name);
    // The page field's text ("Page 3").
    const std::wstring& Text() const { return pageText_; }
    void SetText(std::wstring text);
    // The text each field shows now: 0 "Page", 1 "Line", 2 "Col".
    std::wstring FieldText(int index) const;
    static constexpr const wchar_t* kFieldNames[3] = {L"Page", L"Line", L"Col"};

protected:
    void Draw(HDC dc) override;
    bool PictureChanged() const override;

private:
    std::wstring pageText_ = L"Page";
    std::wstring drawn_[3];  // the fields' texts as last drawn
};

}  // namespace tx
