#pragma once
// Find: searches the text of every page of the open module from the page in the editor, page by
// page with wrap, and replaces one match at a time in the editor or every match on every stored
// page. The walk itself is FindWalk (app/core/FindWalk.h); this window forms the options word at
// each press and says how a walk ended.

#include <memory>

#include "app/core/FindWalk.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/CommandButton.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/PictureBox.h"

class frmMDIChild;
class TextControlPage;

// The title and icon of the find dialog's error messages.
inline constexpr wchar_t kFindErrorTitle[] = L"Find/Replace Error";

class frmFindDlg : public ui::Form {
public:
    ui::Label lblFind{this, L"lblFind"};
    ui::ComboBox cboFind{this, L"cboFind"};
    ui::Label lblReplace{this, L"lblReplace"};
    ui::ComboBox cboReplace{this, L"cboReplace"};
    ui::Frame Frame1{this, L"Frame1"};
    ui::CheckBox chkMatchCase{this, L"chkMatchCase"};
    ui::CheckBox chkNoHighlight{this, L"chkNoHighlight"};
    ui::CommandButton cmdFind{this, L"cmdFind"};
    ui::CommandButton cmdCancel{this, L"cmdCancel"};
    ui::PictureBox picBar{this, L"picBar"};
    ui::CommandButton cmdReplace{this, L"cmdReplace"};
    ui::CommandButton cmdReplaceAll{this, L"cmdReplaceAll"};
    ui::CommandButton cmdHelp{this, L"cmdHelp"};

    frmFindDlg();
    ~frmFindDlg() override;

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void cmdFind_Click();
    void cmdReplace_Click();
    void cmdReplaceAll_Click();
    void cmdCancel_Click();

private:
    int OptionsWord() const;
    // Runs one press of the walk; a failure is told under the dialog's error title and ends it.
    template <class Press>
    void Walk(Press press);
    void EndWith(const std::wstring& message);

    frmMDIChild* editor_ = nullptr;
    std::unique_ptr<TextControlPage> printPage_;
    std::unique_ptr<FindWalk> walk_;
    bool expanded_ = false;
};
