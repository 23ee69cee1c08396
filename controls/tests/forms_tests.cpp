// The font-display settings dialogs driven through the forms runtime's hooks as a person uses them:
// the filter codes the boxes make, what Apply and Close store, switching to the global set, the
// charset checks and the two views. Every test deletes the keys it made.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/core/FontOptions.h"
#include "controls/forms/frmFilterSettings.h"
#include "controls/forms/frmSettings.h"
#include "controls/forms/frmWait.h"
#include "controls/tests/PalvexTestSupport.h"
#include "ui/TestHooks.h"
#include "ui/testing/UiTest.h"

using namespace palvex;
using namespace palvex::test;
using ui::test::Click;

namespace {

const std::wstring kControlKey = std::wstring(kOptionsRootKey) + L"\\PalvexTest.Forms";

std::vector<std::wstring> OptionNames() { return {std::begin(kOptionValueNames), std::end(kOptionValueNames)}; }

class Settings : public ui::testing::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        SetCharsetNameLookup([](int n) -> std::wstring {
            if (n == 0) return L"Western";
            if (n == 251) return L"Test Charset";
            return L"";
        });
    }
    void TearDown() override {
        SetCharsetNameLookup(nullptr);
        UiTest::TearDown();
    }
    // The dialog as its callers open it: SetControl, then showing it.
    frmSettings& Open() {
        frmSettings& dialog = ui::Forms::Get<frmSettings>();
        dialog.ControlChange = [this](const std::wstring& name) { changes_.push_back(name); };
        dialog.CloseBox = [this] { ++closes_; };
        dialog.ApplyChanges = [this] { ++applies_; };
        dialog.SetControl(nullptr, L"Forms", L"PalvexTest");
        dialog.Show();
        ui::DoEvents();
        // Showing what is stored is no change of the author's.
        changes_.clear();
        return dialog;
    }
    TestKey control_{kControlKey};
    SharedKey global_{GetGlobalOptionsKey(false), OptionNames()};
    SharedKey charsets_{GetGlobalOptionsKey(false) + L"\\Charsets"};
    TestKey testCharset_{CharsetKey(251)};
    std::vector<std::wstring> changes_;
    int closes_ = 0;
    int applies_ = 0;
};

RawValue Stored(const wchar_t* name) { return ReadRaw(kControlKey, name); }

}  // namespace

TEST_F(Settings, FilterCodesFollowTheBoxesAsTheyAreClicked) {
    frmFilterSettings dialog;
    std::vector<std::string> events;
    dialog.Change = [&] { events.push_back("Change"); };
    dialog.Reset = [&] { events.push_back("Reset"); };
    dialog.SetFilterCode(0x1FF);  // only the pitch and family bits stay
    EXPECT_EQ(dialog.FilterCode(), 0x73);
    dialog.SetFilterCode(48);
    dialog.Show();
    ui::DoEvents();
    // The code 48 shows as Modern, Swiss and Roman (each family whose bits it holds).
    std::vector<int> checked;
    for (int i = 0; i <= 5; ++i)
        if (dialog.Check1[i].Value() == 1) checked.push_back(i);
    EXPECT_EQ(checked, (std::vector<int>{1, 4, 5}));
    EXPECT_TRUE(dialog.Option1[0].Value());
    EXPECT_FALSE(dialog.Changed());
    EXPECT_FALSE(dialog.cmdReset.Enabled());

    // Any Family clears the families; then Swiss with Fixed Pitch is 33, and Modern clears Swiss: 49.
    Click(dialog.Check1[0]);
    EXPECT_EQ(dialog.EditedCode(), 0);
    Click(dialog.Check1[4]);
    EXPECT_EQ(dialog.EditedCode(), 32);
    Click(dialog.Option1[1]);
    EXPECT_EQ(dialog.EditedCode(), 33);
    Click(dialog.Check1[1]);
    EXPECT_EQ(dialog.Check1[4].Value(), 0);
    EXPECT_EQ(dialog.EditedCode(), 49);
    EXPECT_TRUE(dialog.Changed());
    EXPECT_TRUE(dialog.cmdReset.Enabled());
    // Modern and Decorative go together; a family of the other kind clears both.
    Click(dialog.Check1[2]);
    EXPECT_EQ(dialog.EditedCode(), 48 | 80 | 1);
    Click(dialog.Check1[3]);
    EXPECT_EQ(dialog.Check1[1].Value(), 0);
    EXPECT_EQ(dialog.Check1[2].Value(), 0);
    EXPECT_EQ(dialog.EditedCode(), 64 | 1);
    EXPECT_EQ(dialog.FilterCode(), 48);  // nothing applied yet

    // Reset shows the applied code again; Apply makes the boxes' code the applied one.
    Click(dialog.cmdReset);
    EXPECT_EQ(dialog.EditedCode(), 48);
    EXPECT_TRUE(dialog.Option1[0].Value());
    EXPECT_FALSE(dialog.cmdReset.Enabled());
    EXPECT_EQ(events.back(), "Reset");
    Click(dialog.Option1[2]);
    dialog.Apply();
    EXPECT_EQ(dialog.FilterCode(), 48 | 2);
    EXPECT_FALSE(dialog.Changed());
    // A pitch no option names shows as any pitch instead of failing.
    dialog.SetFilterCode(3);
    EXPECT_TRUE(dialog.Option1[0].Value());
    dialog.Unload();
}

TEST_F(Settings, ApplySavesTheOptionsAndCloseAfterAChangeSavesNothing) {
    frmSettings& dialog = Open();
    EXPECT_EQ(dialog.Caption(), L"Font Display Settings");
    Click(dialog.chkAdvanced);
    EXPECT_EQ(dialog.Height(), frmSettings::kAdvancedHeight);
    EXPECT_TRUE(dialog.frFont.Enabled());
    EXPECT_FALSE(dialog.Changed());
    EXPECT_FALSE(dialog.cmdApply.Enabled());
    EXPECT_EQ(dialog.cmdClose.Caption(), L"Close");

    Click(dialog.optFont[3]);
    Click(dialog.optSymbols[2]);
    EXPECT_TRUE(dialog.chkPreview.Enabled());
    Click(dialog.chkNoLoadDlg);
    EXPECT_TRUE(dialog.Changed());
    EXPECT_TRUE(dialog.cmdApply.Enabled());
    EXPECT_EQ(dialog.cmdClose.Caption(), L"Cancel");
    EXPECT_FALSE(Stored(L"FaceDraw").found);  // nothing is stored before Apply
    Click(dialog.cmdApply);
    EXPECT_EQ(applies_, 1);
    EXPECT_FALSE(dialog.Changed());
    EXPECT_EQ(dialog.cmdClose.Caption(), L"Close");
    EXPECT_EQ(Stored(L"FaceDraw").bytes, (std::vector<uint8_t>{2, 0, 0, 0}));
    EXPECT_EQ(Stored(L"SymbolDraw").bytes, (std::vector<uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ(Stored(L"SuppressLoadDlg").type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(Stored(L"SuppressLoadDlg").bytes, (std::vector<uint8_t>{0}));
    EXPECT_EQ(changes_, (std::vector<std::wstring>{L"FaceDraw", L"SymbolDraw", L"SuppressLoadDlg"}));

    // A change closed away is not stored.
    Click(dialog.optFont[1]);
    EXPECT_TRUE(dialog.Changed());
    Click(dialog.cmdClose);
    EXPECT_EQ(closes_, 1);
    EXPECT_FALSE(dialog.IsLoaded());
    EXPECT_EQ(Stored(L"FaceDraw").bytes, (std::vector<uint8_t>{2, 0, 0, 0}));

    // Opened again, it shows what was applied, in the view it was left in.
    frmSettings& again = Open();
    EXPECT_EQ(again.Height(), frmSettings::kAdvancedHeight);
    EXPECT_TRUE(again.optFont[3].Value());
    EXPECT_TRUE(again.optSymbols[2].Value());
    EXPECT_EQ(again.chkNoLoadDlg.Value(), 0);
    EXPECT_FALSE(again.Changed());
    EXPECT_EQ(ReadRaw(again.ActiveDialogKey(), L"AdvancedView").bytes, std::vector<uint8_t>{1});
    Click(again.chkAdvanced);  // back to the small view
    EXPECT_EQ(again.Height(), frmSettings::kSimpleHeight);
    EXPECT_FALSE(again.frFont.Enabled());
    EXPECT_FALSE(again.cmdEdit.Enabled());
}

TEST_F(Settings, TheFilterDialogsCodeIsAppliedWithTheOptions) {
    frmSettings& dialog = Open();
    Click(dialog.chkAdvanced);
    EXPECT_FALSE(dialog.cmdEdit.Enabled());
    Click(dialog.chkFilters);
    ASSERT_TRUE(dialog.cmdEdit.Enabled());
    Click(dialog.cmdEdit);
    frmFilterSettings* filters = dialog.FilterSettings();
    ASSERT_NE(filters, nullptr);
    ASSERT_TRUE(filters->IsLoaded());
    EXPECT_EQ(filters->Caption(), L"Font Filters Advanced");
    Click(filters->Check1[4]);
    Click(filters->Option1[1]);
    Click(dialog.cmdApply);
    EXPECT_EQ(Stored(L"FilterCode").bytes, (std::vector<uint8_t>{33, 0, 0, 0}));
    EXPECT_EQ(Stored(L"PitchAndFamilyFilters").bytes, (std::vector<uint8_t>{1}));
    Click(dialog.cmdClose);
    EXPECT_EQ(dialog.FilterSettings(), nullptr);  // unloaded with the dialog
}

TEST_F(Settings, SwitchingToTheGlobalSetStoresTheControlsOptionsAndShowsTheGlobalOnes) {
    // The global set holds its own choice.
    HKEY global = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, GetGlobalOptionsKey(false).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &global,
                    nullptr);
    const DWORD never = 2;
    RegSetValueExW(global, L"FaceDraw", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&never), sizeof never);
    RegCloseKey(global);

    frmSettings& dialog = Open();
    Click(dialog.chkAdvanced);
    Click(dialog.optFont[2]);
    Click(dialog.chkGlobal);
    EXPECT_EQ(Stored(L"FaceDraw").bytes, (std::vector<uint8_t>{1, 0, 0, 0}));  // the control's, stored on the way
    EXPECT_EQ(dialog.ActiveKey(), GetGlobalOptionsKey(false));
    EXPECT_EQ(dialog.Options()->AppName(), L"Global");
    EXPECT_TRUE(dialog.optFont[3].Value());
    EXPECT_FALSE(dialog.Changed());
    EXPECT_EQ(ReadRaw(dialog.ActiveDialogKey(), L"GlobalView").bytes, std::vector<uint8_t>{1});
    Click(dialog.chkGlobal);
    EXPECT_TRUE(dialog.optFont[2].Value());
    EXPECT_EQ(dialog.ActiveKey(), kControlKey);
}

TEST_F(Settings, CharsetChecksAreStoredAsOneByteFlags) {
    frmSettings& dialog = Open();
    ASSERT_EQ(dialog.lbLanguage.ListCount(), 2);
    EXPECT_EQ(dialog.lbLanguage.List(0), L"0 - Western");
    EXPECT_EQ(dialog.lbLanguage.List(1), L"251 - Test Charset");
    EXPECT_TRUE(dialog.lbLanguage.Selected(1));  // never written: enabled
    EXPECT_FALSE(ReadRaw(CharsetKey(251), L"Enabled").found);  // filling the list stores nothing
    HWND list = dialog.lbLanguage.hWnd();
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    const LPARAM box = MAKELPARAM(item.left + 6, (item.top + item.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, box);
    SendMessageW(list, WM_LBUTTONUP, 0, box);
    ui::DoEvents();
    EXPECT_FALSE(dialog.lbLanguage.Selected(1));
    const RawValue stored = ReadRaw(CharsetKey(251), L"Enabled");
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(stored.bytes, std::vector<uint8_t>{0});
    EXPECT_EQ(changes_, std::vector<std::wstring>{L"Charset_251"});
    dialog.Unload();
    // Opened again the charset shows unchecked.
    EXPECT_FALSE(Open().lbLanguage.Selected(1));
}

TEST_F(Settings, ALibraryWithoutCharsetNamesShowsAnEmptyListAndBadStoredOptionsShowAsDefaults) {
    SetCharsetNameLookup([](int) { return std::wstring(); });
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, kControlKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    const DWORD outOfRange = 9;
    RegSetValueExW(key, L"FaceDraw", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&outOfRange), sizeof outOfRange);
    RegSetValueExW(key, L"SymbolDraw", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"1"), 4);
    RegCloseKey(key);
    frmSettings& dialog = Open();
    EXPECT_EQ(dialog.lbLanguage.ListCount(), 0);
    EXPECT_TRUE(dialog.optFont[0].Value());
    EXPECT_TRUE(dialog.optSymbols[0].Value());
    EXPECT_FALSE(dialog.chkPreview.Enabled());
}

TEST_F(Settings, TheLibrarysOwnNamesStandAtTheCharsetNumbers) {
    SetCharsetNameLookup(nullptr);
    EXPECT_EQ(CharsetName(0), L"Western");
    EXPECT_EQ(CharsetName(136), L"Traditional Chinese");
    EXPECT_EQ(CharsetName(204), L"Cyrillic");
    EXPECT_EQ(CharsetName(1), L"");
    frmWait wait;
    wait.Show();
    ui::DoEvents();
    EXPECT_TRUE(IsWindowVisible(wait.hWnd()));
    wait.Unload();
}
