#include "app/dialogs/frmHyperlink.h"

#include "app/core/Hyperlinks.h"
#include "app/core/SharedCommands.h"
#include "app/dialogs/frmLinkPageSelectDlg.h"
#include "app/editor/frmMDIChild.h"
#include "base/Error.h"
#include "ui/MsgBox.h"

frmHyperlink::frmHyperlink() {
    SetCaption(L"Hypertext Link");
    SetBorderStyle(3);
    SetStartUpPosition(1);
    SetShowInTaskbar(false);
    SetClientSize(6780, 2880);

    Frame1.SetCaption(L"Link to");
    Frame1.Move(120, 60, 6540, 1440);
    Label1.SetContainer(&Frame1);
    Label1.SetCaption(L"Type in a URL, repository item or click \"Choose page\" to link to a Document page(*.std):");
    Label1.SetUseMnemonic(false);
    Label1.SetWordWrap(true);
    Label1.Move(120, 270, 6300, 435);
    txtLinkTarget.SetContainer(&Frame1);
    txtLinkTarget.Move(120, 870, 4620, 315);
    cmdChooseFile.SetContainer(&Frame1);
    cmdChooseFile.SetCaption(L"Choose page...");
    cmdChooseFile.Move(4860, 840, 1560, 375);

    Label2.SetCaption(L"Linked &text:");
    Label2.Move(240, 1695, 1200, 255);
    txtLinkedText.Move(1500, 1650, 5160, 315);

    cmdOK.SetCaption(L"&OK");
    cmdOK.Move(4140, 2340, 1200, 375);
    cmdOK.SetDefault(true);
    cmdCancel.SetCaption(L"&Cancel");
    cmdCancel.Move(5460, 2340, 1200, 375);
    cmdCancel.SetCancel(true);

    cmdChooseFile.Click = [this] { cmdChooseFile_Click(); };
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void frmHyperlink::Form_Load() {
    frmMDIChild* editor = ActiveEditor();
    tx_ = editor != nullptr ? &editor->TXTextControl1 : nullptr;
    zv::HyperlinkBoxes boxes;
    if (tx_ != nullptr) boxes = zv::HyperlinkBoxesAtCaret(tx_->Engine());
    txtLinkedText.SetText(boxes.linkedText);
    txtLinkTarget.SetText(boxes.target);
}

void frmHyperlink::cmdChooseFile_Click() {
    frmLinkPageSelectDlg chooser;
    chooser.TargetBox = &txtLinkTarget;
    chooser.Show(ui::vbModal, this);
}

void frmHyperlink::cmdOK_Click() {
    const zv::HyperlinkBoxes boxes{txtLinkedText.Text(), txtLinkTarget.Text()};
    if (const std::wstring problem = zv::HyperlinkBoxesProblem(boxes); !problem.empty()) {
        ui::MsgBox(problem, ui::vbOKOnly);
        return;
    }
    if (tx_ == nullptr) {
        Unload();
        return;
    }
    try {
        if (zv::StoreHyperlink(tx_->Engine(), boxes) == zv::HyperlinkStored::Refused) {
            ui::MsgBox(zv::HyperlinkRefusedMessage(), ui::vbOKOnly);
        } else if (frmMDIChild* editor = ActiveEditor(); editor != nullptr) {
            editor->DirtyFlag = true;
        }
    } catch (const zv::Error& e) {
        ui::MsgBox(e.Description(), ui::vbOKOnly);
    }
    Unload();
}

void frmHyperlink::cmdCancel_Click() { Unload(); }
