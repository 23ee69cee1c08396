#pragma once
// The fixture of the runtime's tests: real windows under Wine, no real dialogs (a dialog without a
// queued answer is a test failure), and every form unloaded after each test.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/TestHooks.h"

namespace ui::testing {

struct HookFailure {
    std::wstring description;
};

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
