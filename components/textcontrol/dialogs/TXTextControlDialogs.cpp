// The text control's dialog members: each loads its dialog for the control's selection and shows
// it modally over the control's form.
#include "components/textcontrol/dialogs/BulletsDialogForm.h"
#include "components/textcontrol/dialogs/FontDialogForm.h"
#include "components/textcontrol/dialogs/ParagraphDialogForm.h"
#include "components/textcontrol/dialogs/StyleDialogForm.h"
#include "components/textcontrol/dialogs/TableDialogForm.h"
#include "components/textcontrol/dialogs/TabsDialogForm.h"
#include "components/textcontrol/win32/TXTextControl.h"

namespace tx {

namespace {

template <class Dialog>
bool ShowDialog(TXTextControl& control) {
    auto& dialog = ui::Forms::Get<Dialog>();
    dialog.Begin(control.Engine(), control.MeasureUnit());
    dialog.Show(ui::vbModal, &control.Parent());
    control.SetFocus();
    return dialog.Accepted();
}

}  // namespace

bool TXTextControl::FontDialog() { return ShowDialog<FontDialogForm>(*this); }
bool TXTextControl::ParagraphDialog() { return ShowDialog<ParagraphDialogForm>(*this); }
bool TXTextControl::BulletsAndNumberingDialog() { return ShowDialog<BulletsDialogForm>(*this); }
bool TXTextControl::TabsDialog() { return ShowDialog<TabsDialogForm>(*this); }
bool TXTextControl::StyleDialog() { return ShowDialog<StyleDialogForm>(*this); }
bool TXTextControl::TableAttributesDialog() {
    // Outside every table there is nothing for it to show.
    return Engine().TableAtInputPos() != 0 && ShowDialog<TableDialogForm>(*this);
}

}  // namespace tx
