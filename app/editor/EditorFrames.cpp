#include <vector>

#include "app/core/SharedCommands.h"
#include "app/dialogs/frmFramesDlg.h"
#include "app/editor/EditorDialogs.h"
#include "app/editor/frmMDIChild.h"

namespace {
std::vector<tx::ParaFormat> ParagraphFormats(const tx::TextEngine& engine) {
    std::vector<tx::ParaFormat> formats;
    for (const auto& p : engine.Doc().paragraphs) formats.push_back(p.format);
    return formats;
}
}  // namespace

void ShowFramesDialog(tx::TXTextControl& control) {
    RunCommand([&control] {
        const std::vector<tx::ParaFormat> before = ParagraphFormats(control.Engine());
        auto* editor = dynamic_cast<frmMDIChild*>(&control.Parent());
        const bool wasDirty = editor != nullptr && editor->DirtyFlag;
        frmFramesDlg dialog;
        dialog.tx = &control;
        dialog.Show(ui::vbModal);
        // The dialog's OK writes its values back even when they are those shown, and the control
        // reports every write as a change: only a real change marks the page changed.
        if (editor) editor->DirtyFlag = wasDirty || ParagraphFormats(control.Engine()) != before;
    });
}
