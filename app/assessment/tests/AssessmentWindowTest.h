#pragma once
// A fixture for the assessment windows: a module folder made by the test with a stored "Test" page
// as the page list's current page, the state record's messages going to message boxes, and the
// creator driven as an author drives it.

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "app/assessment/frmAssCreator.h"
#include "app/assessment/frmTestType.h"
#include "app/core/AppState.h"
#include "base/Files.h"
#include "ui/MsgBox.h"
#include "ui/testing/UiTest.h"

namespace zv_test {

class AssessmentWindowTest : public ui::testing::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ResetAppState();
        App().ShowMessage = [](const std::wstring& prompt) { ui::MsgBox(prompt, ui::vbOKOnly); };
        folder_ = std::filesystem::temp_directory_path() /
                  (std::string("zv_assess_") + ::testing::UnitTest::GetInstance()->current_test_info()->name()) /
                  "000123";
        std::filesystem::remove_all(folder_.parent_path());
        std::filesystem::create_directories(folder_);
        App().ModulePath = folder_.wstring();
        App().ModuleCode = L"000123";
        App().ModuleName = L"Assessment module";
        App().PageList.Add_Page(L"0006.txm", L"Page", L"", true);
        App().PageList.Add_Page(L"0007.txm", L"Test", L"", true);
        App().PageList.SetPageAsCurrent(L"0007.txm");
    }
    void TearDown() override {
        UiTest::TearDown();
        ResetAppState();
        std::filesystem::remove_all(folder_.parent_path());
    }

    std::filesystem::path TestFile() const { return folder_ / "000123_0007TST"; }
    std::string TestFileBytes() const { return zv::ReadFileBytes(TestFile().wstring()); }
    void WriteTestFile(const std::string& bytes) const { std::ofstream(TestFile(), std::ios::binary) << bytes; }

    // Opens the creator through its entry point and runs `act` in it; a creator the action left open
    // is closed with its Cancel button.
    void InCreator(const std::function<void(frmAssCreator&)>& act) {
        bool ran = false;
        ui::test::OnNextModal<frmAssCreator>([&](frmAssCreator& f) {
            ran = true;
            act(f);
            if (f.IsLoaded()) ui::test::Click(f.Command3);
        });
        ShowAssessmentCreator();
        EXPECT_TRUE(ran) << "the creator did not open";
    }

    // The test type dialog's next showing: chooses option 1, 2 or 3 and presses OK; 0 presses Cancel.
    static void AnswerTestType(int option) {
        ui::test::OnNextModal<frmTestType>([option](frmTestType& d) {
            if (option == 1) ui::test::Click(d.Option1);
            if (option == 2) ui::test::Click(d.Option2);
            if (option == 3) ui::test::Click(d.Option3);
            ui::test::Click(option == 0 ? d.Command2 : d.Command1);
        });
    }

    // Types a question and its answers as an author does ("*" marks a correct answer): each answer
    // but the last is followed by "Next Answer"; the last stays in the box.
    static void TypeQuestion(frmAssCreator& f, const std::wstring& question, const std::vector<std::wstring>& answers,
                             const std::wstring& explanation = L"") {
        ui::test::Type(f.Text1, question);
        ui::test::Type(f.Text3, explanation);
        for (size_t i = 0; i < answers.size(); ++i) {
            const bool correct = !answers[i].empty() && answers[i][0] == L'*';
            ui::test::Type(f.Text2, correct ? answers[i].substr(1) : answers[i]);
            if ((f.Check1.Value() == ui::vbChecked) != correct) ui::test::Click(f.Check1);
            if (i + 1 < answers.size()) ui::test::Click(f.cmbNext_Module);
        }
    }

    std::filesystem::path folder_;
};

}  // namespace zv_test
