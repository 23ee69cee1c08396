// Keyboard use: Tab order, Enter and Esc on the default and cancel buttons, arrows inside an
// option group, access keys, key preview.

#include <string>
#include <vector>

#include "ui/CommandButton.h"
#include "ui/ControlArray.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/OptionButton.h"
#include "ui/TextBox.h"
#include "ui/testing/UiTest.h"

namespace ui::testing {
namespace {

class frmKeys : public Form {
public:
    Label lblName{this, L"lblName"};
    TextBox txtName{this, L"txtName"};
    TextBox txtNotes{this, L"txtNotes"};
    Frame fraKind{this, L"fraKind"};
    ControlArray<OptionButton> optKind{this, L"optKind"};
    CommandButton btnOK{this, L"btnOK"};
    CommandButton btnCancel{this, L"btnCancel"};
    std::vector<std::string> log;
    bool preview = false;

    frmKeys() {
        SetClientSize(5000, 3600);
        lblName.SetCaption(L"&Name:");
        lblName.Move(120, 120, 1000, 255);
        txtName.Move(1200, 120, 2000, 315);
        txtNotes.SetMultiLine(true);
        txtNotes.Move(1200, 500, 2000, 600);
        fraKind.SetCaption(L"&Kind");
        fraKind.Move(120, 1200, 3000, 1400);
        const wchar_t* names[] = {L"&Page", L"&Topic", L"T&est"};
        for (int i = 0; i < 3; ++i) {
            auto& o = optKind.Load(i);
            o.SetContainer(&fraKind);
            o.SetCaption(names[i]);
            o.Move(120, 240 + 330 * i, 2000, 300);
        }
        btnOK.SetCaption(L"OK");
        btnOK.Move(3400, 2800, 700, 375);
        btnOK.SetDefault(true);
        btnCancel.SetCaption(L"Cancel");
        btnCancel.Move(4200, 2800, 700, 375);
        btnCancel.SetCancel(true);
        btnOK.Click = [this] { log.push_back("ok"); };
        btnCancel.Click = [this] { log.push_back("cancel"); };
        optKind.Click = [this](int i) { log.push_back("opt" + std::to_string(i)); };
    }
    void Form_KeyDown(int& KeyCode, int Shift) override {
        if (!preview) return;
        log.push_back("preview" + std::to_string(KeyCode));
        if (KeyCode == vbKeyF1) KeyCode = 0;
    }
};

Control* Focused() { return Screen().ActiveControl(); }

TEST_F(UiTest, TabVisitsControlsInTabOrderAndLandsOnTheChosenOption) {
    frmKeys f;
    f.optKind[1].SetValue(true);
    f.Show();
    f.txtName.SetFocus();
    std::vector<std::wstring> visited;
    for (int i = 0; i < 5; ++i) {
        test::PressKey(VK_TAB);
        Control* c = Focused();
        visited.push_back(c ? c->Name() + (c->Index() >= 0 ? std::to_wstring(c->Index()) : L"") : L"?");
    }
    EXPECT_EQ(visited, (std::vector<std::wstring>{L"txtNotes", L"optKind1", L"btnOK", L"btnCancel", L"txtName"}));
    test::PressKey(VK_TAB, true);
    EXPECT_EQ(Focused(), &f.btnCancel) << "Shift+Tab goes back";
    f.btnOK.SetEnabled(false);
    f.txtNotes.SetVisible(false);
    f.txtName.SetFocus();
    test::PressKey(VK_TAB);
    EXPECT_EQ(Focused(), &f.optKind[1]) << "hidden controls are skipped";
    test::PressKey(VK_TAB);
    EXPECT_EQ(Focused(), &f.btnCancel) << "disabled controls are skipped";
}

TEST_F(UiTest, FocusEventsFollowTheFocusButNotTheUnload) {
    frmKeys f;
    std::vector<std::string> log;
    f.txtName.GotFocus = [&] { log.push_back("name got"); };
    f.txtName.LostFocus = [&] { log.push_back("name lost"); };
    f.txtNotes.GotFocus = [&] { log.push_back("notes got"); };
    f.txtNotes.LostFocus = [&] { log.push_back("notes lost"); };
    f.Show();
    f.txtName.SetFocus();
    test::PressKey(VK_TAB);
    f.Unload();
    EXPECT_EQ(log, (std::vector<std::string>{"name got", "name lost", "notes got"}));
}

TEST_F(UiTest, EnterAndEscapeReachDefaultAndCancelButtons) {
    frmKeys f;
    f.Show();
    f.txtName.SetFocus();
    test::PressKey(VK_RETURN);
    test::PressKey(VK_ESCAPE);
    f.txtNotes.SetFocus();
    test::PressKey(VK_RETURN);  // a multi-line box keeps Enter
    f.btnCancel.SetFocus();
    test::PressKey(VK_RETURN);  // Enter on a focused button clicks that button
    f.btnOK.SetEnabled(false);
    f.txtName.SetFocus();
    test::PressKey(VK_RETURN);  // a disabled default button is not clicked
    EXPECT_EQ(f.log, (std::vector<std::string>{"ok", "cancel", "cancel"}));
    EXPECT_NE(f.txtNotes.Text().find(L"\r\n"), std::wstring::npos);
}

TEST_F(UiTest, ArrowKeysMoveTheChoiceInsideAnOptionGroupAndWrap) {
    frmKeys f;
    f.optKind[0].SetValue(true);
    f.Show();
    f.optKind[0].SetFocus();
    f.log.clear();
    test::PressKey(VK_DOWN);
    test::PressKey(VK_DOWN);
    test::PressKey(VK_DOWN);
    test::PressKey(VK_UP);
    EXPECT_TRUE(f.optKind[2].Value());
    EXPECT_FALSE(f.optKind[0].Value());
    EXPECT_EQ(f.log, (std::vector<std::string>{"opt1", "opt2", "opt0", "opt2"}));
    EXPECT_EQ(Focused(), &f.optKind[2]);
}

TEST_F(UiTest, AccessKeysFocusClickAndChoose) {
    frmKeys f;
    f.Show();
    f.btnOK.SetFocus();
    test::PressAccessKey(L'n');
    EXPECT_EQ(Focused(), &f.txtName) << "a label's key focuses the next control";
    test::PressAccessKey(L'E');
    EXPECT_TRUE(f.optKind[2].Value());
    EXPECT_EQ(Focused(), &f.optKind[2]);
    test::PressAccessKey(L'k');
    EXPECT_EQ(Focused(), &f.optKind[2]) << "a frame's key focuses the chosen option inside it";
    EXPECT_EQ(f.log, (std::vector<std::string>{"opt2"}));
}

TEST_F(UiTest, KeyPreviewSeesKeysFirstAndCanSwallowThem) {
    frmKeys f;
    f.Show();
    f.SetKeyPreview(true);
    f.preview = true;
    f.txtName.SetFocus();
    test::PressKey(vbKeyF1);
    test::PressKey(VK_RETURN);
    EXPECT_EQ(f.log, (std::vector<std::string>{"preview112", "preview13", "ok"}));
    f.SetKeyPreview(false);
    f.log.clear();
    test::PressKey(vbKeyF1);
    EXPECT_TRUE(f.log.empty());
}

}  // namespace
}  // namespace ui::testing
