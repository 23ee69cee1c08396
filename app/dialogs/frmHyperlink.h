#pragma once
// Hypertext Link: a new link at the caret of the active editor (over its selection), or the link
// the caret stands in, rewritten. The target is a web address, a repository item, "#" and an anchor
// on the page, or a page chosen with "Choose page...". A link the text control cannot place is
// reported and nothing changes.

#include "components/textcontrol/win32/TXTextControl.h"
#include "ui/CommandButton.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/TextBox.h"

class frmHyperlink : public ui::Form {
public:
    ui::Frame Frame1{this, L"Frame1"};
    ui::Label Label1{this, L"Label1"};
    ui::TextBox txtLinkTarget{this, L"txtLinkTarget"};
    ui::CommandButton cmdChooseFile{this, L"cmdChooseFile"};
    ui::Label Label2{this, L"Label2"};
    ui::TextBox txtLinkedText{this, L"txtLinkedText"};
    ui::CommandButton cmdOK{this, L"cmdOK"};
    ui::CommandButton cmdCancel{this, L"cmdCancel"};

    frmHyperlink();

    void Form_Load() override;
    void cmdChooseFile_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    // The active editor's text, bound at load.
    tx::TXTextControl* tx_ = nullptr;
};
