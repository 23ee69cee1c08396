#pragma once
// Page Setup: the paper size and the four margins of a text control's page, in the author's unit.
// OK is enabled only while every entry is a length in range and writes all six into `tx`.

#include <array>

#include "app/dialogs/PageSetupRules.h"
#include "app/dialogs/ShownValue.h"
#include "components/textcontrol/win32/TXTextControl.h"
#include "ui/ComboBox.h"
#include "ui/CommandButton.h"
#include "ui/ControlArray.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/TextBox.h"

class frmPageDlg : public ui::Form {
public:
    ui::Frame fraMargins{this, L"fraMargins"};
    ui::Label lblLeftMargin{this, L"lblLeftMargin"};
    ui::TextBox txtLeftMargin{this, L"txtLeftMargin"};
    ui::Label lblTopMargin{this, L"lblTopMargin"};
    ui::TextBox txtTopMargin{this, L"txtTopMargin"};
    ui::Label lblRightMargin{this, L"lblRightMargin"};
    ui::TextBox txtRightMargin{this, L"txtRightMargin"};
    ui::Label lblBottomMargin{this, L"lblBottomMargin"};
    ui::TextBox txtBottomMargin{this, L"txtBottomMargin"};
    ui::Frame fraPaper{this, L"fraPaper"};
    ui::ComboBox cboPaperSize{this, L"cboPaperSize"};
    ui::Label lblPaperWidth{this, L"lblPaperWidth"};
    ui::TextBox txtPaperWidth{this, L"txtPaperWidth"};
    ui::Label lblPaperHeight{this, L"lblPaperHeight"};
    ui::TextBox txtPaperHeight{this, L"txtPaperHeight"};
    ui::ControlArray<ui::Label> lblMeasurement{this, L"lblMeasurement"};
    ui::CommandButton btnOK{this, L"btnOK"};
    ui::CommandButton btnCancel{this, L"btnCancel"};

    // The control whose page the dialog edits; set before it is shown.
    tx::TXTextControl* tx = nullptr;

    frmPageDlg();

    void Form_Load() override;
    void btnOK_Click();
    void btnCancel_Click();
    void cboPaperSize_Click();
    void txtPaperWidth_LostFocus();
    void txtPaperHeight_LostFocus();

private:
    enum Box { kLeft, kTop, kRight, kBottom, kWidth, kHeight, kBoxCount };
    std::array<ui::TextBox*, kBoxCount> Boxes();
    void ShowLength(Box box, std::int32_t twips);
    std::optional<std::int32_t> Length(Box box);
    PageEntries Entries();
    bool ValidatePageEntries();
    void MatchPaperSize();
    void EntryChanged();

    std::array<ShownValue, kBoxCount> shown_;
    wchar_t separator_ = L'.';
};
