#pragma once
// The page type dialog: before a changed page leaves the editor the author says what kind of page
// it is (content page, new topic with its name, module test) and may rename the module; Save Page
// stores the page.

#include <string>

#include "app/core/PageWalk.h"
#include "ui/CommandButton.h"
#include "ui/ControlArray.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/OptionButton.h"
#include "ui/TextBox.h"

class frmPageTypeDlg : public ui::Form {
public:
    ui::Frame Frame1{this, L"Frame1"};
    ui::ControlArray<ui::OptionButton> optPageType{this, L"optPageType"};
    ui::Label Label1{this, L"Label1"};
    ui::TextBox Text1{this, L"Text1"};
    ui::Label Label2{this, L"Label2"};
    ui::TextBox ModName{this, L"ModName"};
    ui::CommandButton btnSave{this, L"btnSave"};
    ui::CommandButton Command2{this, L"Command2"};

    frmPageTypeDlg();

    // Prepares the dialog for the page about to be stored; `PageName` is the reference name the
    // question is asked for. The caller then shows the dialog modally.
    void initPageTypeForm(const std::wstring& PageName);
    // Prepares the dialog for the question, shows it modally and says how the author left it; Save
    // Page stores through `store`. Between showings the form stays loaded and hidden, and each
    // showing starts from the form's design as a freshly loaded one would.
    PageTypeAnswer Ask(const PageTypeQuestion& question, PageStore store);

    void Form_Activate() override;
    void optPageType_Click(int Index);
    void btnSave_Click();
    void Command2_Click();

private:
    void Prepare(const PageTypeQuestion& question);
    // The module name and the topic box as the activation shows them.
    void ShowActivationState();

    PageStore store_;
    bool stored_ = false;
};

// Option indices of optPageType.
inline constexpr int kOptContentPage = PageTypeQuestion::kContentPage;
inline constexpr int kOptNewTopic = PageTypeQuestion::kNewTopic;
inline constexpr int kOptModuleTest = PageTypeQuestion::kModuleTest;
