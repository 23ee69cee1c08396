#pragma once
// Image Attributes: the current image of a text control, its distance to the text on each side,
// whether a document written for the web carries its data or saves it beside it, and the format
// to save it in. Without an image (a movie placeholder is none) the boxes stay empty and disabled
// and OK writes nothing of the image.

#include <array>

#include "app/dialogs/ShownValue.h"
#include "components/textcontrol/win32/TXTextControl.h"
#include "ui/ComboBox.h"
#include "ui/CommandButton.h"
#include "ui/CommonDialog.h"
#include "ui/ControlArray.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/OptionButton.h"
#include "ui/TextBox.h"

class frmImageDlg : public ui::Form {
public:
    ui::Frame fraBorders{this, L"fraBorders"};
    ui::Label lblLeftBorder{this, L"lblLeftBorder"};
    ui::TextBox txtLeftBorder{this, L"txtLeftBorder"};
    ui::Label lblTopBorder{this, L"lblTopBorder"};
    ui::TextBox txtTopBorder{this, L"txtTopBorder"};
    ui::Label lblRightBorder{this, L"lblRightBorder"};
    ui::TextBox txtRightBorder{this, L"txtRightBorder"};
    ui::Label lblBottomBorder{this, L"lblBottomBorder"};
    ui::TextBox txtBottomBorder{this, L"txtBottomBorder"};
    ui::ControlArray<ui::Label> lblMeasurement{this, L"lblMeasurement"};
    ui::Frame fraOptions{this, L"fraOptions"};
    ui::OptionButton optEmbed{this, L"optEmbed"};
    ui::OptionButton optSaveToFile{this, L"optSaveToFile"};
    ui::Label lblFileFormats{this, L"lblFileFormats"};
    ui::ComboBox cboFileFormats{this, L"cboFileFormats"};
    ui::CommandButton btnOK{this, L"btnOK"};
    ui::CommandButton btnCancel{this, L"btnCancel"};
    ui::CommonDialog cmdlgImageFile{this};

    // The control whose current image the dialog edits; set before it is shown.
    tx::TXTextControl* tx = nullptr;

    frmImageDlg();

    void Form_Load() override;
    void btnOK_Click();
    void btnCancel_Click();

private:
    std::array<ui::TextBox*, 4> Boxes();
    // Reads the storage choice and writes it back unchanged: true when the control keeps one.
    bool ProbeImageAttribute();
    std::array<ShownValue, 4> shown_;
    bool image_ = false;
    bool probed_ = false;
};
