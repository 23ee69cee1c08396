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
        frmFramesDlg dialog;
        dialog.tx = &control;
        dialog.Show(ui::vbModal);
        if (ParagraphFormats(control.Engine()) == before) return;
        if (auto* editor = dynamic_cast<frmMDIChild*>(&control.Parent())) editor->DirtyFlag = true;
    });
}
