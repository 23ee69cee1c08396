#pragma once
// "Font Display Settings": the font-display options of one application's control or of the global
// set, the charsets enabled for every control, and two view settings of the dialog itself. Its
// entry is SetControl, then showing it.

#include <windows.h>
#include <wrl/client.h>

#include <functional>
#include <memory>
#include <string>

#include "controls/RegOptions.h"
#include "controls/forms/frmFilterSettings.h"
#include "controls/win/RegistryObject.h"
#include "ui/CheckBox.h"
#include "ui/CommandButton.h"
#include "ui/ControlArray.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/OptionButton.h"

namespace palvex {

// The name of a charset by its number, "" for none. Tests replace it (an empty lookup stands for
// a library without the names); null puts back the library's own string table.
using CharsetNameLookup = std::function<std::wstring(int charset)>;
void SetCharsetNameLookup(CharsetNameLookup lookup);
std::wstring CharsetName(int charset);

class frmSettings : public ui::Form {
public:
    ui::Label lblLanguage{this, L"lblLanguage"};
    ui::ListBox lbLanguage{this, L"lbLanguage"};
    ui::CheckBox chkAdvanced{this, L"chkAdvanced"};
    ui::CommandButton cmdClose{this, L"cmdClose"};
    ui::CommandButton cmdApply{this, L"cmdApply"};
    ui::CommandButton cmdReset{this, L"cmdReset"};
    ui::CheckBox chkGlobal{this, L"chkGlobal"};
    ui::Frame frFont{this, L"frFont"};
    ui::ControlArray<ui::OptionButton> optFont{this, L"optFont"};
    ui::Frame frSymbol{this, L"frSymbol"};
    ui::ControlArray<ui::OptionButton> optSymbols{this, L"optSymbols"};
    ui::CheckBox chkPreview{this, L"chkPreview"};
    ui::CheckBox chkNoLoadDlg{this, L"chkNoLoadDlg"};
    ui::CheckBox chkFilters{this, L"chkFilters"};
    ui::CommandButton cmdEdit{this, L"cmdEdit"};

    frmSettings();
    ~frmSettings() override;

    void SetAdvancedEnable(bool value);
    bool Changed() const { return changed_; }
    void SetChanged(bool value);
    std::wstring ActiveDialogKey() const;
    std::wstring ActiveKey() const;
    std::wstring GetRegistryKey(bool bGlobalKey, bool bPrintRootKey) const;
    void SetControl(IUnknown* ctl, const std::wstring& ControlName, const std::wstring& AppName);

    // The options being edited and the filter dialog (null until Edit... opens it), for tests.
    RegOptions* Options() const { return options_.Get(); }
    frmFilterSettings* FilterSettings() const { return m_FilterSettings.get(); }

    // Events.
    std::function<void(const std::wstring& Name)> ControlChange;
    std::function<void()> ApplyChanges;
    std::function<void()> EnableLanguage;   // never raised
    std::function<void()> DisableLanguage;  // never raised
    std::function<void()> CloseBox;

    void Form_Load() override;
    void Form_Resize() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;
    void lbLanguage_ItemCheck(int Index);
    void chkAdvanced_Click();
    void chkGlobal_Click();
    void optFont_Click(int Index);
    void optSymbols_Click(int Index);
    void chkPreview_Click();
    void chkNoLoadDlg_Click();
    void chkFilters_Click();
    void cmdEdit_Click();
    void cmdApply_Click();
    void cmdReset_Click();
    void cmdClose_Click();

    // The height of the dialog in each view, in twips.
    static constexpr long kAdvancedHeight = 7425;
    static constexpr long kSimpleHeight = 3735;

private:
    void FillCharsets();
    void ApplyViewMode();
    void WriteDialogSettings();
    void LoadOptions();
    void Raise(const std::function<void()>& event);
    void RaiseControlChange(const std::wstring& name);

    Microsoft::WRL::ComPtr<RegOptions> options_;
    std::unique_ptr<RegistryObject> registry_;
    std::unique_ptr<frmFilterSettings> m_FilterSettings;
    Microsoft::WRL::ComPtr<IUnknown> control_;
    std::wstring appName_;
    std::wstring controlName_;
    bool AdvancedView = false;
    bool GlobalView = false;
    bool changed_ = false;
    bool filling_ = false;  // the charset list is being filled: its checks are no edits
};

}  // namespace palvex
