#include "app/dialogs/frmFindDlg.h"

#include "app/core/AppState.h"
#include "app/core/SharedCommands.h"
#include "app/editor/TextControlPage.h"
#include "app/editor/frmMDIChild.h"
#include "base/Error.h"
#include "ui/Constants.h"
#include "ui/MsgBox.h"

namespace {

// Where Replace stands in the button bar: alone in the place of Replace All, or above it.
constexpr long kReplaceTopCollapsed = 525;
constexpr long kReplaceTopExpanded = 150;

}  // namespace

frmFindDlg::frmFindDlg() {
    SetCaption(L"Find");
    SetBorderStyle(3);
    SetStartUpPosition(1);
    SetShowInTaskbar(false);
    SetClientSize(6420, 2385);

    lblFind.SetCaption(L"Fin&d What:");
    lblFind.Move(120, 180, 1260, 255);
    cboFind.Move(1440, 135, 3300, 315);
    lblReplace.SetCaption(L"Replace &With:");
    lblReplace.Move(120, 600, 1260, 255);
    cboReplace.Move(1440, 555, 3300, 315);
    Frame1.SetCaption(L"Search Options");
    Frame1.Move(120, 1080, 4620, 1065);
    chkMatchCase.SetContainer(&Frame1);
    chkMatchCase.SetCaption(L"Match Ca&se");
    chkMatchCase.Move(240, 300, 2400, 255);
    chkNoHighlight.SetContainer(&Frame1);
    chkNoHighlight.SetCaption(L"No &Highlight");
    chkNoHighlight.Move(240, 630, 2400, 255);

    cmdFind.SetCaption(L"&Find");
    cmdFind.Move(4920, 135, 1335, 375);
    cmdFind.SetDefault(true);
    cmdCancel.SetCaption(L"Cancel");
    cmdCancel.Move(4920, 555, 1335, 375);
    cmdCancel.SetCancel(true);

    picBar.SetBorderStyle(0);
    picBar.Move(4860, 900, 1455, 1440);
    cmdReplace.SetContainer(&picBar);
    cmdReplace.SetCaption(L"&Replace...");
    cmdReplace.Move(60, kReplaceTopCollapsed, 1335, 375);
    cmdReplaceAll.SetContainer(&picBar);
    cmdReplaceAll.SetCaption(L"Replace &All");
    cmdReplaceAll.Move(60, kReplaceTopCollapsed, 1335, 375);
    cmdHelp.SetContainer(&picBar);
    cmdHelp.SetCaption(L"&Help");
    cmdHelp.Move(60, 945, 1335, 375);

    cmdFind.Click = [this] { cmdFind_Click(); };
    cmdReplace.Click = [this] { cmdReplace_Click(); };
    cmdReplaceAll.Click = [this] { cmdReplaceAll_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
}

frmFindDlg::~frmFindDlg() = default;

void frmFindDlg::Form_Load() {
    lblReplace.SetVisible(false);
    cboReplace.SetVisible(false);
    cmdReplaceAll.SetVisible(false);
    cmdReplace.SetTop(kReplaceTopCollapsed);
    cmdReplace.SetCaption(L"&Replace...");
    expanded_ = false;

    editor_ = ActiveEditor();
    walk_.reset();
    printPage_.reset();
    if (editor_ == nullptr) return;
    printPage_ = std::make_unique<TextControlPage>(*editor_);
    walk_ = std::make_unique<FindWalk>(App(), *editor_, editor_->TXTextControl1.Engine(), *printPage_,
                                       printPage_->Text());
    const std::wstring selected = editor_->TXTextControl1.Engine().SelText();
    if (!selected.empty()) {
        cboFind.AddItem(selected);
        cboFind.SetText(selected);
    }
}

void frmFindDlg::Form_Unload(int& /*Cancel*/) {
    walk_.reset();
    printPage_.reset();
    editor_ = nullptr;
}

int frmFindDlg::OptionsWord() const {
    return FindOptionsWord(chkMatchCase.Value() == ui::vbChecked, chkNoHighlight.Value() == ui::vbChecked);
}

void frmFindDlg::EndWith(const std::wstring& message) {
    Unload();
    if (!message.empty()) ui::MsgBox(message, ui::vbOKOnly);
}

template <class Press>
void frmFindDlg::Walk(Press press) {
    if (!walk_) {
        Unload();
        return;
    }
    try {
        press();
    } catch (const zv::Error& e) {
        Unload();
        ui::MsgBox(e.Description(), ui::vbExclamation, kFindErrorTitle);
    }
}

void frmFindDlg::cmdFind_Click() {
    Walk([this] {
        switch (walk_->FindNext(cboFind.Text(), OptionsWord())) {
        case FindWalk::FindEnd::Match:
            editor_->TXTextControl1->ScrollCaretIntoView();
            break;
        case FindWalk::FindEnd::Completed:
            EndWith(walk_->FoundCount() > 0 ? FindWalk::kCompleted : FindWalk::kNotFound);
            break;
        case FindWalk::FindEnd::Closed:
            EndWith(L"");
            break;
        }
    });
}

void frmFindDlg::cmdReplace_Click() {
    if (!expanded_) {
        expanded_ = true;
        cmdReplace.SetTop(kReplaceTopExpanded);
        cmdReplace.SetCaption(L"&Replace");
        lblReplace.SetVisible(true);
        cboReplace.SetVisible(true);
        cmdReplaceAll.SetVisible(true);
        return;
    }
    Walk([this] {
        if (walk_->ReplaceNext(cboFind.Text(), cboReplace.Text(), OptionsWord())) {
            editor_->TXTextControl1->ScrollCaretIntoView();
        } else {
            EndWith(L"");
        }
    });
}

void frmFindDlg::cmdReplaceAll_Click() {
    Walk([this] {
        std::int32_t count = 0;
        {
            HourglassPointer hourglass;
            count = walk_->ReplaceAll(cboFind.Text(), cboReplace.Text(), OptionsWord());
        }
        EndWith(FindWalk::ReplacedMessage(count));
    });
}

void frmFindDlg::cmdCancel_Click() { Unload(); }

