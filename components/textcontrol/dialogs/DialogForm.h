#pragma once
// What the text control's own dialogs share: the text control they format, the unit their lengths
// are shown in, OK and Cancel at the bottom right, and how a refused entry is answered (a message
// naming the box, the focus back in it, the dialog still open).
//
// A dialog is shown by the control's members (TXTextControl::FontDialog and the others): Begin
// loads it fresh for the selection, the control shows it modally, and Accepted() then tells
// whether OK applied it. OK applies everything as one "Formatting" step, or nothing when nothing
// changed; Cancel and the close box change nothing.

#include "components/textcontrol/TextEngine.h"
#include "components/textcontrol/dialogs/Entries.h"
#include "ui/CommandButton.h"
#include "ui/Form.h"

namespace tx {

class DialogForm : public ui::Form {
public:
    ui::CommandButton cmdOK{this, L"cmdOK"};
    ui::CommandButton cmdCancel{this, L"cmdCancel"};

    bool Accepted() const { return accepted_; }
    // Loads the dialog for the engine's selection; lengths in `unit` (1 inch, 2 centimetre).
    void Begin(TextEngine& engine, int unit);

protected:
    // `width` and `height`: the inner size in twips; OK and Cancel go to its bottom right.
    DialogForm(const wchar_t* caption, long width, long height);
    // Fills the boxes from the selection (the form is loaded).
    virtual void ShowSelection() = 0;
    // Applies the boxes; false when an entry was refused (Refuse has told the author).
    virtual bool Apply() = 0;
    // Tells the author what is wrong with the entry in `box` and puts the focus there.
    void Refuse(const dialogs::EntryError& error, ui::Control& box);
    void Refuse(const std::wstring& message, ui::Control& box);
    // Keeps OK and Cancel last in the tab order, after the derived dialog's own controls.
    void ButtonsLast();
    // Closes the dialog as applied (OK, or a button that applies and closes).
    void Accept();

    TextEngine* engine_ = nullptr;
    int unit_ = dialogs::kUnitInch;

private:
    void cmdOK_Click();
    bool accepted_ = false;
};

}  // namespace tx
