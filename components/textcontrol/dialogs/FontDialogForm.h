#pragma once
// The text control's font dialog: face, size in points, bold, italic, underline, strikeout and the
// text colour of the selection. A value the selection holds more than once shows blank (a grayed
// check) and stays as each character has it unless the author sets it.

#include <string>
#include <vector>

#include "components/textcontrol/dialogs/DialogForm.h"
#include "components/textcontrol/dialogs/FontEntries.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Frame.h"
#include "ui/Label.h"

namespace tx {

class FontDialogForm : public DialogForm {
public:
    ui::Label lblFont{this, L"lblFont"};
    ui::ComboBox cboFont{this, L"cboFont"};
    ui::Label lblSize{this, L"lblSize"};
    ui::ComboBox cboSize{this, L"cboSize"};
    ui::Frame fraStyle{this, L"fraStyle"};
    ui::CheckBox chkBold{this, L"chkBold"};
    ui::CheckBox chkItalic{this, L"chkItalic"};
    ui::CheckBox chkUnderline{this, L"chkUnderline"};
    ui::CheckBox chkStrikeout{this, L"chkStrikeout"};
    ui::Label lblColor{this, L"lblColor"};
    ui::ComboBox cboColor{this, L"cboColor"};

    FontDialogForm();
    void Form_Load() override;

protected:
    void ShowSelection() override;
    bool Apply() override;

private:
    dialogs::FontBoxes Entered() const;
    std::vector<std::wstring> faces_;
    std::vector<dialogs::NamedColor> colors_;
    dialogs::FontBoxes shown_;
};

// The font families installed for the screen, sorted, without the vertical '@' variants.
std::vector<std::wstring> InstalledFontFaces();

}  // namespace tx
