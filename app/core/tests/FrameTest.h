#pragma once
// A fixture for tests of the program's frame and editor: a fresh state record whose messages
// reach the message-box hooks, a started program, the frame shown, and a scratch folder per test.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "app/core/AppState.h"
#include "app/core/SharedCommands.h"
#include "app/core/frmMDIParent.h"
#include "app/editor/frmMDIChild.h"
#include "components/textcontrol/TextEngine.h"
#include "ui/Application.h"
#include "ui/MsgBox.h"
#include "ui/Toolbar.h"
#include "ui/testing/UiTest.h"

namespace zv_test {

// A click on a toolbar button of the frame with the mouse, as the author makes it.
inline void ClickFrameButton(frmMDIParent& frame, const std::wstring& key) {
    ui::Toolbar& bar = frame.Toolbar1;
    ui::ToolbarButton& button = bar.Buttons(key);
    ASSERT_TRUE(button.Enabled()) << "the button " << ui::testing::Utf8(key) << " is disabled";
    RECT r{};
    ASSERT_TRUE(SendMessageW(bar.hWnd(), TB_GETRECT, button.CommandId(), reinterpret_cast<LPARAM>(&r)));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageW(bar.hWnd(), WM_MOUSEMOVE, 0, at);
    PostMessageW(bar.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(bar.hWnd(), WM_LBUTTONUP, 0, at);
    ui::DoEvents();
}

class FrameTest : public ui::testing::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ResetAppState();
        App().ShowMessage = [](const std::wstring& prompt) { ui::MsgBox(prompt, ui::vbOKOnly); };
        App().AppStarted = true;
        root_ = std::filesystem::temp_directory_path() /
                (std::string("zv_frame_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
        frame().Show();
    }
    void TearDown() override {
        UiTest::TearDown();
        ResetAppState();
        std::filesystem::remove_all(root_);
    }

    static frmMDIParent& frame() { return ui::Forms::Get<frmMDIParent>(); }
    static frmMDIChild& editor() {
        frmMDIChild* e = ActiveEditor();
        if (e == nullptr) throw std::runtime_error("no active editor");
        return *e;
    }
    static tx::TextEngine& engine() { return editor().TXTextControl1.Engine(); }

    // Typing into the editor through its window, as the keyboard does.
    static void TypeText(const std::wstring& text) {
        HWND hwnd = editor().TXTextControl1.hWnd();
        for (wchar_t c : text) SendMessageW(hwnd, WM_CHAR, c, 0);
        ui::DoEvents();
    }

    std::filesystem::path root_;
};

}  // namespace zv_test
