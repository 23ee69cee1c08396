#include "app/core/frmOpenDlg.h"

#include <cmath>
#include <cwchar>
#include <cwctype>

#include "app/core/AppState.h"
#include "app/core/FILE.h"
#include "app/core/ModuleFiles.h"
#include "app/core/PageControl.h"
#include "app/core/SharedCommands.h"
#include "app/core/frmMDIParent.h"
#include "ui/Application.h"
#include "ui/MsgBox.h"

frmOpenDlg::frmOpenDlg() {
    SetCaption(L"Open Module");
    SetBorderStyle(3);
    SetStartUpPosition(1);
    SetShowInTaskbar(false);
    SetClientSize(5160, 3480);

    Frame1.SetCaption(L"Options");
    Frame1.Move(120, 120, 4920, 1020);
    Option1.SetContainer(&Frame1);
    Option1.SetCaption(L"Open exsisting Module");
    Option1.Move(240, 300, 4440, 285);
    Option1.SetValue(true);
    Option2.SetContainer(&Frame1);
    Option2.SetCaption(L"Open new Module");
    Option2.Move(240, 630, 4440, 285);

    const wchar_t* labels[] = {L"Enter new module code:", L"Enter new module name:"};
    for (int i : {kCodeBox, kNameBox}) {
        auto& label = Label1.Load(i);
        label.SetCaption(labels[i]);
        label.Move(120, 1320 + 660 * i, 2220, 255);
        auto& box = Text1.Load(i);
        box.Move(2400, 1275 + 660 * i, 2640, 315);
    }
    Text1[kCodeBox].SetToolTipText(L"6-digit module code");

    btnOK.SetCaption(L"Ok");
    btnOK.Move(2400, 2880, 1215, 420);
    btnOK.SetDefault(true);
    btnExit.SetCaption(L"&Exit");
    btnExit.Move(3825, 2880, 1215, 420);

    Option1.Click = [this] { Option1_Click(); };
    Option2.Click = [this] { Option2_Click(); };
    btnOK.Click = [this] { btnOK_Click(); };
    btnExit.Click = [this] { btnExit_Click(); };
}

void frmOpenDlg::EnableNewModuleBoxes(bool enabled) {
    for (int i : {kCodeBox, kNameBox}) {
        Label1[i].SetEnabled(enabled);
        Text1[i].SetEnabled(enabled);
    }
}

void frmOpenDlg::Form_Activate() { EnableNewModuleBoxes(!Option1.Value()); }

void frmOpenDlg::Option1_Click() { EnableNewModuleBoxes(false); }

void frmOpenDlg::Option2_Click() {
    EnableNewModuleBoxes(true);
    ui::TextBox& code = Text1[kCodeBox];
    code.SetFocus();
    code.SetSelStart(0);
    code.SetSelLength(static_cast<long>(code.Text().size()));
}

void frmOpenDlg::Form_QueryUnload(int& Cancel, int UnloadMode) {
    // The close box leaves the dialog the way Exit does; code that unloads the dialog goes on.
    if (UnloadMode != ui::vbFormControlMenu) return;
    Cancel = 1;
    btnExit_Click();
}

void frmOpenDlg::btnOK_Click() {
    RunCommand([this] {
        AppState& app = App();
        if (Option1.Value()) {
            Opened = true;
            Unload();
            OpenModuleFile(L"");
            return;
        }
        const std::wstring code = Text1[kCodeBox].Text();
        const std::wstring name = Text1[kNameBox].Text();
        if (code.empty() || name.empty()) {
            ui::MsgBox(L"The Module Code and Module Name fields can not be empty.", ui::vbOKOnly);
            return;
        }
        InitPageList();
        app.ModuleCode = NormalizeModuleCode(code);
        app.ModuleName = name;
        app.ModulePath = BuildModulePath(ui::App().Path(), app.ModuleCode);
        if (app.ModuleCode.size() < 7 && IsNumericName(app.ModuleCode)) {
            CreateModule(app.ModulePath, app.ModuleCode);
            BuildWindowList();
            Unload();
        } else {
            ui::MsgBox(L"The module code must be numeric and 6 digits or less.", ui::vbOKOnly);
        }
    });
}

void frmOpenDlg::btnExit_Click() {
    Unload();
    if (!App().AppStarted) {
        // Still inside the start-up: nothing is open that could want saving.
        ui::End();
    } else if (frmMDIParent* frame = OpenFrame()) {
        frame->Unload();
    }
}

namespace {

// A number as the author may type one: blanks around it, a sign, digits with at most one decimal
// point, an exponent. Hexadecimal, "inf" and "nan", which the C library would read, are no codes.
bool ParseNumber(const std::wstring& text, double& value) {
    size_t begin = text.find_first_not_of(L" \t");
    if (begin == std::wstring::npos) return false;
    size_t end = text.find_last_not_of(L" \t") + 1;
    const std::wstring core = text.substr(begin, end - begin);
    for (wchar_t c : core) {
        if (!std::iswdigit(c) && c != L'.' && c != L'+' && c != L'-' && c != L'e' && c != L'E') return false;
    }
    wchar_t* stop = nullptr;
    value = std::wcstod(core.c_str(), &stop);
    return stop == core.c_str() + core.size() && std::isfinite(value);
}

}  // namespace

std::wstring NormalizeModuleCode(const std::wstring& typed) {
    double value = 0;
    if (!ParseNumber(typed, value)) return typed;
    const double whole = std::nearbyint(value);  // halves go to the even neighbour
    // Far past six digits: no code, whatever the integer type would make of it.
    if (std::fabs(whole) >= 1e9) return L"";
    return FormatModuleCode(static_cast<std::int32_t>(whole));
}
