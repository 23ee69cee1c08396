#pragma once
// Paragraph Frames: which frame lines surround the selected paragraphs, single or double, connected
// with their neighbours, the line width and the distance to the text in points. OK writes the
// style word as a change and the two lengths whose boxes hold a value; an entry that is no number
// is refused before anything is written.

#include "app/dialogs/ShownValue.h"
#include "components/textcontrol/win32/TXTextControl.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/CommandButton.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/Label.h"

class frmFramesDlg : public ui::Form {
public:
    ui::Frame fraParts{this, L"fraParts"};
    ui::CheckBox chkLeft{this, L"chkLeft"};
    ui::CheckBox chkRight{this, L"chkRight"};
    ui::CheckBox chkTop{this, L"chkTop"};
    ui::CheckBox chkBottom{this, L"chkBottom"};
    ui::CheckBox chkTabLines{this, L"chkTabLines"};
    ui::Frame fraStyles{this, L"fraStyles"};
    ui::CheckBox chkDoubleLines{this, L"chkDoubleLines"};
    ui::CheckBox chkConnectedFrames{this, L"chkConnectedFrames"};
    ui::Label lblLineWidth{this, L"lblLineWidth"};
    ui::ComboBox cboLineWidth{this, L"cboLineWidth"};
    ui::Label lblTextDistance{this, L"lblTextDistance"};
    ui::ComboBox cboTextDistance{this, L"cboTextDistance"};
    ui::CommandButton cmdOK{this, L"cmdOK"};
    ui::CommandButton cmdCancel{this, L"cmdCancel"};

    // The control whose paragraphs the dialog frames; set before it is shown.
    tx::TXTextControl* tx = nullptr;

    frmFramesDlg();

    void Form_Load() override;
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    ShownValue width_, distance_;
};
