#pragma once
// Table properties: the outer border's width, whether the grid lines show and their width, and
// one background for every cell of the table at the caret, with a preview of the three. The
// colours come from the control library's colour drop-down, reached late-bound by its dispatch
// identifiers; its selection is polled by a timer, none of its events is handled.

#include <cstdint>

#include "components/textcontrol/win32/TXTextControl.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/CommandButton.h"
#include "ui/CommonDialog.h"
#include "ui/ControlArray.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/Line.h"
#include "ui/OptionButton.h"
#include "ui/PictureBox.h"
#include "ui/Shape.h"
#include "ui/TabStrip.h"
#include "ui/Timer.h"
#include "ui/activex/ActiveXControl.h"

// What the author is told when the dialog has no table to work on, or no colour drop-down.
inline constexpr wchar_t kNoTableAtCaretMessage[] =
    L"Place the cursor in a table to change its properties.";
inline constexpr wchar_t kNoColorComboMessage[] =
    L"The colour drop-down (Palvex.ColorCombo) could not be created: the Palvex control library is not "
    L"registered. The table properties cannot be shown.";

class frmTableProp_Dlg : public ui::Form {
public:
    ui::TabStrip TabStrip1{this, L"TabStrip1"};
    ui::ControlArray<ui::Frame> Frame1{this, L"Frame1"};
    ui::Frame Frame6{this, L"Frame6"};
    ui::Label Label1{this, L"Label1"};
    ui::ComboBox Combo1{this, L"Combo1"};
    ui::CheckBox Check1{this, L"Check1"};
    ui::Label Label5{this, L"Label5"};
    ui::ComboBox Combo2{this, L"Combo2"};
    ui::PictureBox Picture1{this, L"Picture1"};
    ui::Shape Shape1{this, L"Shape1"};
    ui::Line Line1{this, L"Line1"};
    ui::Line Line2{this, L"Line2"};
    ui::Frame Frame4{this, L"Frame4"};
    ui::ControlArray<ui::Label> Label6{this, L"Label6"};
    ui::ControlArray<ui::ComboBox> List2{this, L"List2"};
    ui::Frame Frame2{this, L"Frame2"};
    ui::OptionButton Option1{this, L"Option1"};
    ui::OptionButton Option2{this, L"Option2"};
    ui::ActiveXControl ColorCombo1{this, L"ColorCombo1"};
    ui::CommandButton Command3{this, L"Command3"};
    ui::CommandButton Command1{this, L"Command1"};
    ui::CommandButton Command2{this, L"Command2"};
    ui::Timer Timer1{this, L"Timer1"};
    ui::CommonDialog CommonDialog1{this};

    // The control whose table at the caret the dialog shows and changes; set before it is shown.
    tx::TXTextControl* tx = nullptr;

    frmTableProp_Dlg();

    // Looks a colour up among the drop-down's entries: the first equal entry's index and true,
    // or -1 and false.
    bool IsPredefinedColor(std::uint32_t SelColor, int& ColorListIndex);

    void Form_Load() override;
    void TabStrip1_Click();
    void Combo1_Click();
    void Combo2_Click();
    void Check1_Click();
    void Option1_Click();
    void Option2_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Timer1_Timer();

    // The colour the preview shows (what OK gives the cells when "User Defined" is chosen).
    std::uint32_t PreviewColor() const { return static_cast<std::uint32_t>(Shape1.FillColor()); }
    // The table the dialog was loaded for, 0 when none.
    int Table() const { return table_; }

private:
    void ChooseOtherColor();
    void SetPreviewColor(std::uint32_t color);
    long ListIndex();
    long ListCount();
    std::uint32_t ColorValue(long index);
    int TwipsPerPixel() const;

    int table_ = 0;
    std::int16_t lastIndex_ = -1;
};
