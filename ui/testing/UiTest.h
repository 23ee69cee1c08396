#pragma once
// A fixture for tests that drive real windows under Wine (link zv_ui_testing): no real dialogs (a
// dialog without a queued answer is a test failure, recorded and thrown as HookFailure), every
// form unloaded after each test, and windows that do not wait for a window manager.
//
//   class MyTest : public ui::testing::UiTest {};
//   TEST_F(MyTest, SavesThePage) { ui::test::AnswerNextMsgBox(ui::vbOK); ... }

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/TestHooks.h"

namespace ui::testing {

struct HookFailure : test::RecordedFailure {};

class UiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The failures the hooks reported since the last call (and forgets them).
    std::vector<std::wstring> TakeFailures();

    std::vector<std::wstring> failures_;
};

std::string Utf8(const std::wstring& w);

// What a window's client area shows, read back from the screen once it has painted: 0x00RRGGBB
// per pixel, rows from the top.
struct WindowPixels {
    int width = 0, height = 0;
    std::vector<unsigned> px;
    // Outside the window reads as white.
    unsigned At(int x, int y) const {
        return x < 0 || y < 0 || x >= width || y >= height ? 0xFFFFFFu : px[static_cast<size_t>(y) * width + x];
    }
};
WindowPixels ReadWindowPixels(HWND window);
// The same for a bitmap (a picture the program draws from).
WindowPixels ReadBitmapPixels(HBITMAP bitmap);

// Waits, letting this thread's windows run, until `done` holds or the time is up; whether it held.
bool WaitUntil(const std::function<bool()>& done, int seconds);

}  // namespace ui::testing
