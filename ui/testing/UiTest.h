#pragma once
// A fixture for tests that drive real windows under Wine (link zv_ui_testing): no real dialogs (a
// dialog without a queued answer is a test failure, recorded and thrown as HookFailure), every
// form unloaded after each test, and windows that do not wait for a window manager.
//
//   class MyTest : public ui::testing::UiTest {};
//   TEST_F(MyTest, SavesThePage) { ui::test::AnswerNextMsgBox(ui::vbOK); ... }

#include <gtest/gtest.h>

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

}  // namespace ui::testing
