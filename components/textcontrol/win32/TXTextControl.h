#pragma once
// The text control as a control of a form: `tx::TXTextControl TXTextControl1{this, L"TXTextControl1"};`
// The form creates its window when it loads; the TextControl (and its engine) exist from the start,
// so a form may set pages and load text before that.

#include "components/textcontrol/win32/TextControl.h"
#include "ui/Control.h"

namespace tx {

class TXTextControl : public ui::Control {
public:
    TXTextControl(ui::Form* form, std::wstring name);
    ~TXTextControl() override;

    TextControl& Control() { return control_; }
    TextEngine& Engine() { return control_.Engine(); }
    TextControl* operator->() { return &control_; }
    void SetEvents(TextControlEvents* events) { control_.SetEvents(events); }

protected:
    void CreateKindWindow() override;

private:
    TextControl control_;
};

}  // namespace tx
