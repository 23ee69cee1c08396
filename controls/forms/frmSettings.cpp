#include "controls/forms/frmSettings.h"

#include <cwctype>

#include "com/Module.h"
#include "controls/ComPlumbing.h"
#include "controls/core/FontOptions.h"
#include "controls/win/FontList.h"

namespace palvex {

namespace {

CharsetNameLookup& Lookup() {
    static CharsetNameLookup lookup;
    return lookup;
}

// The library's string table holds the charset names at the charsets' own numbers.
std::wstring LibraryCharsetName(int charset) {
    wchar_t text[256] = {};
    const int length = LoadStringW(ModuleInstance(), static_cast<UINT>(charset), text, 256);
    return std::wstring(text, length > 0 ? static_cast<size_t>(length) : 0);
}

// The charset number an item of the list starts with.
int LeadingNumber(const std::wstring& item) {
    int number = 0;
    for (wchar_t c : item) {
        if (!std::iswdigit(c)) break;
        number = number * 10 + (c - L'0');
        if (number > 255) break;
    }
    return number;
}

constexpr long kButtonWidth = 1095;
constexpr long kButtonHeight = 375;
constexpr long kButtonTop = 2700;

}  // namespace

void SetCharsetNameLookup(CharsetNameLookup lookup) { Lookup() = std::move(lookup); }

std::wstring CharsetName(int charset) {
    return Lookup() ? Lookup()(charset) : LibraryCharsetName(charset);
}

frmSettings::frmSettings() {
    SetCaption(L"Font Display Settings");
    SetBorderStyle(3);
    SetStartUpPosition(2);
    SetShowInTaskbar(false);
    SetClientSize(5760, 6960);

    lblLanguage.SetCaption(L"Check/uncheck a language to enable or disable it for all controls.");
    lblLanguage.SetWordWrap(true);
    lblLanguage.Move(120, 120, 5520, 255);
    lbLanguage.SetStyle(1);
    lbLanguage.SetToolTipText(L"Check/uncheck a language to enable or disable it for all controls.");
    lbLanguage.Move(120, 420, 5520, 2160);
    chkAdvanced.SetCaption(L"&Advanced View");
    chkAdvanced.Move(120, kButtonTop + 45, 2160, 285);
    cmdClose.SetCaption(L"&Close");
    cmdApply.SetCaption(L"&Apply");
    cmdReset.SetCaption(L"&Reset");
    for (ui::CommandButton* button : {&cmdClose, &cmdApply, &cmdReset})
        button->Move(2400, kButtonTop, kButtonWidth, kButtonHeight);
    cmdClose.SetCancel(true);
    cmdApply.SetEnabled(false);
    cmdReset.SetEnabled(false);

    chkGlobal.SetCaption(L"Configure &Global Settings");
    chkGlobal.Move(120, 3360, 3600, 285);

    frFont.SetCaption(L"  Text Font Display Configuration  ");
    frFont.Move(120, 3690, 5520, 1260);
    const wchar_t* fonts[] = {L"Use developer's/default settings.", L"Always draw fonts in their own face.",
                              L"Do not draw Far-East fonts in their own face.", L"Never draw fonts in their own face"};
    for (int i = 0; i < 4; ++i) {
        auto& option = optFont.Load(i);
        option.SetContainer(&frFont);
        option.SetCaption(fonts[i]);
        option.Move(240, 270 + 240 * i, 5160, 240);
    }

    frSymbol.SetCaption(L"  Symbol Font Display Configuration:  ");
    frSymbol.Move(120, 5010, 5520, 1260);
    const wchar_t* symbols[] = {L"Use developer's/default settings.", L"Draw symbol fonts in their own face.",
                                L"Do not draw symbol fonts in their own face."};
    for (int i = 0; i < 3; ++i) {
        auto& option = optSymbols.Load(i);
        option.SetContainer(&frSymbol);
        option.SetCaption(symbols[i]);
        option.Move(240, 270 + 240 * i, 5160, 240);
    }
    chkPreview.SetContainer(&frSymbol);
    chkPreview.SetCaption(L"Show preview of symbol font output.");
    chkPreview.Move(480, 990, 4920, 240);

    chkNoLoadDlg.SetCaption(L"Suppress Load Dialog");
    chkNoLoadDlg.Move(120, 6345, 3600, 255);
    chkFilters.SetCaption(L"Enable Pitch && Family Filters:");
    chkFilters.Move(120, 6615, 3600, 255);
    cmdEdit.SetCaption(L"Edit...");
    cmdEdit.Move(3840, 6570, kButtonWidth, 330);

    lbLanguage.ItemCheck = [this](int Index) { lbLanguage_ItemCheck(Index); };
    chkAdvanced.Click = [this] { chkAdvanced_Click(); };
    chkGlobal.Click = [this] { chkGlobal_Click(); };
    optFont.Click = [this](int Index) { optFont_Click(Index); };
    optSymbols.Click = [this](int Index) { optSymbols_Click(Index); };
    chkPreview.Click = [this] { chkPreview_Click(); };
    chkNoLoadDlg.Click = [this] { chkNoLoadDlg_Click(); };
    chkFilters.Click = [this] { chkFilters_Click(); };
    cmdEdit.Click = [this] { cmdEdit_Click(); };
    cmdApply.Click = [this] { cmdApply_Click(); };
    cmdReset.Click = [this] { cmdReset_Click(); };
    cmdClose.Click = [this] { cmdClose_Click(); };
}

frmSettings::~frmSettings() = default;

// --- keys and view settings ---

std::wstring frmSettings::GetRegistryKey(bool bGlobalKey, bool bPrintRootKey) const {
    if (bGlobalKey) return GetGlobalOptionsKey(bPrintRootKey);
    const std::wstring key = std::wstring(kOptionsRootKey) + L"\\" + appName_ + L"." + controlName_;
    return bPrintRootKey ? L"HKEY_CURRENT_USER\\" + key : key;
}

std::wstring frmSettings::ActiveKey() const { return GetRegistryKey(GlobalView, false); }

std::wstring frmSettings::ActiveDialogKey() const { return GetRegistryKey(false, false) + L"\\Dialog"; }

void frmSettings::WriteDialogSettings() {
    if (!registry_) return;
    HKEY key = registry_->OpenKey(HKEY_CURRENT_USER, ActiveDialogKey());
    registry_->SetValue(key, L"AdvancedView", RegistryValue::Bool(AdvancedView));
    registry_->SetValue(key, L"GlobalView", RegistryValue::Bool(GlobalView));
    registry_->CloseKey(key);
}

void frmSettings::SetControl(IUnknown* ctl, const std::wstring& ControlName, const std::wstring& AppName) {
    // Like every member of a form, this loads it first.
    if (!IsLoaded()) Load();
    control_ = ctl;
    controlName_ = ControlName;
    appName_ = AppName;
    HKEY key = registry_->OpenKey(HKEY_CURRENT_USER, ActiveDialogKey());
    const bool advanced = RegistryBool(registry_->GetValue(key, L"AdvancedView"), false);
    const bool global = RegistryBool(registry_->GetValue(key, L"GlobalView"), false);
    registry_->CloseKey(key);
    // A box whose value changes runs its click handler, as a person's click would.
    chkAdvanced.SetValue(advanced ? 1 : 0);
    chkGlobal.SetValue(global ? 1 : 0);
    LoadOptions();
}

// --- loading ---

void frmSettings::Form_Load() {
    registry_ = std::make_unique<RegistryObject>();
    if (!options_) options_ = RegOptions::New();
    EnableMenuItem(GetSystemMenu(hWnd(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
    FillCharsets();
    ApplyViewMode();
}

void frmSettings::FillCharsets() {
    filling_ = true;
    lbLanguage.Clear();
    for (int n = 0; n <= 255; ++n) {
        const std::wstring name = CharsetName(n);
        if (name.empty()) continue;
        lbLanguage.AddItem(std::to_wstring(n) + L" - " + name);
        if (GetCharsetEnabled(n)) lbLanguage.SetSelected(lbLanguage.NewIndex(), true);
    }
    filling_ = false;
}

void frmSettings::ApplyViewMode() {
    const bool advanced = AdvancedView && chkAdvanced.Enabled();
    // A new height is no place of the dialog's own: before it first shows, it still goes where its
    // start-up position puts it.
    const bool placed = positioned_;
    SetHeight(advanced ? kAdvancedHeight : kSimpleHeight);
    if (!IsWindowVisible(hWnd())) positioned_ = placed;
    if (advanced) cmdEdit.SetLeft(ScaleWidth() - (cmdEdit.Width() + 2));
    for (ui::Control* control : std::initializer_list<ui::Control*>{&cmdReset, &chkGlobal, &frFont, &frSymbol,
                                                                     &chkNoLoadDlg, &chkFilters})
        control->SetEnabled(advanced);
    cmdEdit.SetEnabled(advanced && chkFilters.Value() == 1);
    // The simple view's Apply stands where Reset stands in the advanced one.
    cmdReset.SetVisible(advanced);
    Form_Resize();
}

void frmSettings::LoadOptions() {
    if (GlobalView) options_->Load(kGlobalAppName, L"");
    else options_->Load(appName_, controlName_);
    const FontOptions options = options_->Options();
    HWND apply = cmdApply.hWnd();
    if (apply) SendMessageW(apply, WM_SETREDRAW, FALSE, 0);
    const int face = options.faceDraw + 1;
    optFont[optFont.Exists(face) ? face : 0].SetValue(true);
    chkPreview.SetValue(options.symbolPreview ? 1 : 0);
    const int symbol = options.symbolDraw + 1;
    optSymbols[optSymbols.Exists(symbol) ? symbol : 0].SetValue(true);
    chkPreview.SetEnabled(options.symbolDraw == 1);
    chkNoLoadDlg.SetValue(options.suppressLoadDlg ? 1 : 0);
    chkFilters.SetValue(options.pitchAndFamilyFilters ? 1 : 0);
    if (apply) {
        SendMessageW(apply, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(apply, nullptr, TRUE);
    }
    SetChanged(false);
}

// --- editing ---

void frmSettings::SetAdvancedEnable(bool value) {
    if (!value) chkAdvanced.SetValue(0);
    chkAdvanced.SetEnabled(value);
}

void frmSettings::SetChanged(bool value) {
    changed_ = value;
    cmdApply.SetEnabled(value);
    cmdReset.SetEnabled(value);
    cmdClose.SetCaption(value ? L"Cancel" : L"Close");
}

void frmSettings::lbLanguage_ItemCheck(int Index) {
    if (filling_) return;
    const int charset = LeadingNumber(lbLanguage.List(Index));
    SetCharsetEnabled(charset, lbLanguage.Selected(Index));
    RaiseControlChange(L"Charset_" + std::to_wstring(charset));
}

void frmSettings::chkAdvanced_Click() {
    AdvancedView = chkAdvanced.Value() == 1;
    WriteDialogSettings();
    ApplyViewMode();
}

void frmSettings::chkGlobal_Click() {
    options_->Save();
    GlobalView = chkGlobal.Value() == 1;
    WriteDialogSettings();
    LoadOptions();
}

void frmSettings::optFont_Click(int Index) {
    options_->Options().faceDraw = Index - 1;
    RaiseControlChange(L"FaceDraw");
    SetChanged(true);
}

void frmSettings::optSymbols_Click(int Index) {
    options_->Options().symbolDraw = Index - 1;
    chkPreview.SetEnabled(Index == 2);
    RaiseControlChange(L"SymbolDraw");
    SetChanged(true);
}

void frmSettings::chkPreview_Click() {
    options_->Options().symbolPreview = chkPreview.Value() == 1;
    RaiseControlChange(L"SymbolPreview");
    SetChanged(true);
}

void frmSettings::chkNoLoadDlg_Click() {
    options_->Options().suppressLoadDlg = chkNoLoadDlg.Value() == 1;
    RaiseControlChange(L"SuppressLoadDlg");
    SetChanged(true);
}

void frmSettings::chkFilters_Click() {
    options_->Options().pitchAndFamilyFilters = chkFilters.Value() == 1;
    cmdEdit.SetEnabled(chkFilters.Value() == 1);
    RaiseControlChange(L"Filters");
    SetChanged(true);
}

void frmSettings::cmdEdit_Click() {
    if (!m_FilterSettings) {
        m_FilterSettings = std::make_unique<frmFilterSettings>();
        m_FilterSettings->Change = [this] { SetChanged(true); };
    }
    m_FilterSettings->SetFilterCode(options_->Options().filterCode);
    m_FilterSettings->Show(ui::vbModeless, this);
}

void frmSettings::cmdApply_Click() {
    if (m_FilterSettings) {
        m_FilterSettings->Apply();
        options_->Options().filterCode = m_FilterSettings->FilterCode();
    }
    options_->Save();
    Raise(ApplyChanges);
    SetChanged(false);
}

void frmSettings::cmdReset_Click() {
    LoadOptions();
    if (m_FilterSettings) m_FilterSettings->ResetFilters();
    SetChanged(false);
}

void frmSettings::cmdClose_Click() {
    Raise(CloseBox);
    Unload();
}

void frmSettings::Form_QueryUnload(int&, int UnloadMode) {
    // The close box of the title bar is a way to Close as well.
    if (UnloadMode == ui::vbFormControlMenu) Raise(CloseBox);
}

void frmSettings::Form_Unload(int&) {
    registry_.reset();
    if (m_FilterSettings) {
        m_FilterSettings->Unload();
        m_FilterSettings.reset();
    }
}

void frmSettings::Form_Resize() {
    const long right = ScaleWidth();
    if (chkAdvanced.Value() == 1) {
        cmdReset.Move(right - (cmdReset.Width() + 2), cmdReset.Top(), cmdReset.Width(), cmdReset.Height());
        cmdApply.Move(cmdReset.Left() - (cmdApply.Width() + 2), cmdReset.Top(), cmdApply.Width(), cmdApply.Height());
    } else {
        cmdApply.Move(right - (cmdApply.Width() + 2), cmdReset.Top(), cmdApply.Width(), cmdApply.Height());
    }
    cmdClose.Move(cmdApply.Left() - (cmdClose.Width() + 2), cmdApply.Top(), cmdClose.Width(), cmdClose.Height());
}

void frmSettings::Raise(const std::function<void()>& event) {
    if (auto handler = event) handler();
}

void frmSettings::RaiseControlChange(const std::wstring& name) {
    if (auto handler = ControlChange) handler(name);
}

}  // namespace palvex
