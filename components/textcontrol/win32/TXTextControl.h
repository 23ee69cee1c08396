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

    // ---- the control's own dialogs, modal over its form (built in components/textcontrol/dialogs/) ----
    // The unit the dialogs show lengths in: 1 inch, 2 centimetre.
    int MeasureUnit() const { return measureUnit_; }
    void SetMeasureUnit(int unit) { measureUnit_ = unit; }
    // Each formats the selection; true when the author pressed OK (what it changed is one undo step).
    bool FontDialog();
    bool ParagraphDialog();
    bool BulletsAndNumberingDialog();
    bool TabsDialog();
    bool StyleDialog();
    // The column width, borders, grid line width and background of the selected cells or of the
    // whole table at the caret; false, showing nothing, outside every table.
    bool TableAttributesDialog();

protected:
    void CreateKindWindow() override;

private:
    TextControl control_;
    int measureUnit_ = 1;
};

}  // namespace tx
