// The assessment creator and its dialogs as an author uses them: boxes typed, buttons clicked,
// dialogs answered, answers dragged in the reorder list; the test file and the printout checked
// byte for byte on disk.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/assessment/AnswerSwitch_Dlg.h"
#include "app/assessment/PreviewLayout.h"
#include "app/assessment/frm_AssessmentPrvDlg.h"
#include "app/assessment/tests/AssessmentWindowTest.h"
#include "base/Cp1252.h"
#include "base/Files.h"
#include "ui/Shell.h"
#include "ui/Twips.h"

namespace {

using zv_test::AssessmentWindowTest;
using ui::testing::Utf8;
using ui::test::Click;
using ui::test::Type;

class Creator : public AssessmentWindowTest {};

const std::string kTwoQuestions =
    "\"1\"\r\n"
    "\"Sky?\",\"Green>>Blue>>Red\",\"0>>1>>0\",\"Rayleigh\",\"More\",\"sky.htm\"\r\n"
    "\"Sea?\",\"Salty>>Sweet\",\"1>>0\",\"\",\"\",\"\"\r\n";

TEST_F(Creator, NextQuestionSavesTheFileAndReopeningShowsIt) {
    InCreator([&](frmAssCreator& f) {
        EXPECT_EQ(f.Caption(), L"Assessment Creation - Module(000123) - Question(1)");
        TypeQuestion(f, L"Which colour is the \"sky\"?", {L"Green", L"*Blue", L"Red"}, L"Rayleigh");
        Click(f.cmbNext_Question);
        EXPECT_EQ(f.Caption(), L"Assessment Creation - Module(000123) - Question(2)");
        EXPECT_EQ(f.Text1.Text(), L"");
        EXPECT_EQ(TestFileBytes(),
                  "\"\"\r\n\"Which colour is the 'sky'?\",\"Green>>Blue>>Red\",\"0>>1>>0\",\"Rayleigh\",\"\",\"\"\r\n")
            << "an automatic save asks for no test type";
        EXPECT_TRUE(ui::test::MsgBoxes().empty());

        TypeQuestion(f, L"Sea?", {L"*Salty", L"Sweet"});
        Type(f.Text4, L"More");
        Type(f.Text5, L"sea.htm");
        AnswerTestType(2);
        Click(f.Command2);
        EXPECT_FALSE(f.IsLoaded()) << "Save && Exit closes after the save";
    });
    EXPECT_EQ(TestFileBytes(),
              "\"1\"\r\n\"Which colour is the 'sky'?\",\"Green>>Blue>>Red\",\"0>>1>>0\",\"Rayleigh\",\"\",\"\"\r\n"
              "\"Sea?\",\"Salty>>Sweet\",\"1>>0\",\"\",\"More\",\"sea.htm\"\r\n");

    InCreator([&](frmAssCreator& f) {
        EXPECT_EQ(f.Text1.Text(), L"Which colour is the 'sky'?");
        EXPECT_EQ(f.Text2.Text(), L"Green");
        EXPECT_EQ(f.Check1.Value(), ui::vbUnchecked);
        Click(f.cmbNext_Module);
        EXPECT_EQ(f.Text2.Text(), L"Blue");
        EXPECT_EQ(f.Check1.Value(), ui::vbChecked);
        Click(f.cmbNext_Question);
        EXPECT_EQ(f.Text1.Text(), L"Sea?");
        EXPECT_EQ(f.Text5.Text(), L"sea.htm");
        EXPECT_EQ(App().AssCreatorControls.TestType, L"1");
    });
}

TEST_F(Creator, SaveAndExitWithEachTestTypeAndWithCancel) {
    struct Case {
        std::wstring typeBefore;
        int expectedOption;  // the option the dialog opens with
        int choose;          // 0: Cancel
        const char* record1;
    };
    const Case cases[] = {
        {L"", 1, 1, "\"0\""}, {L"0", 1, 2, "\"1\""}, {L"1", 2, 3, "\"2\""}, {L"2", 3, 1, "\"0\""},
        {L"7", 3, 0, nullptr},  // any other value opens on the third option
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.typeBefore) + " -> " + std::to_string(c.choose));
        WriteTestFile(kTwoQuestions);
        App().AssCreatorControls.TestType = c.typeBefore;
        App().AssCreatorControls.TestTypeCancelled = false;
        InCreator([&](frmAssCreator& f) {
            App().AssCreatorControls.TestType = c.typeBefore;  // what the file said is replaced for the case
            ui::test::OnNextModal<frmTestType>([&](frmTestType& d) {
                EXPECT_EQ(d.Caption(), L"Form1");
                EXPECT_EQ(d.Option1.Value(), c.expectedOption == 1);
                EXPECT_EQ(d.Option2.Value(), c.expectedOption == 2);
                EXPECT_EQ(d.Option3.Value(), c.expectedOption == 3);
                if (c.choose == 1) Click(d.Option1);
                if (c.choose == 2) Click(d.Option2);
                if (c.choose == 3) Click(d.Option3);
                Click(c.choose == 0 ? d.Command2 : d.Command1);
            });
            Click(f.Command2);
            EXPECT_EQ(f.IsLoaded(), c.record1 == nullptr) << "Cancel in the test type dialog keeps the creator";
        });
        const std::string bytes = TestFileBytes();
        if (c.record1 == nullptr) {
            EXPECT_EQ(bytes, kTwoQuestions) << "a cancelled save writes nothing";
            EXPECT_TRUE(App().AssCreatorControls.TestTypeCancelled);
        } else {
            EXPECT_EQ(bytes, std::string(c.record1) + kTwoQuestions.substr(kTwoQuestions.find("\r\n")));
        }
    }
}

TEST_F(Creator, ClosingTheTestTypeDialogByItsFrameLeavesTheAnswerBefore) {
    WriteTestFile(kTwoQuestions);
    InCreator([&](frmAssCreator& f) {
        ui::test::OnNextModal<frmTestType>([](frmTestType& d) { SendMessageW(d.hWnd(), WM_CLOSE, 0, 0); });
        Click(f.Command2);
        EXPECT_FALSE(f.IsLoaded()) << "the type read from the file lets the save go on";
    });
    EXPECT_EQ(TestFileBytes(), kTwoQuestions);
}

TEST_F(Creator, TestTypeIsChosenWithTheArrowsAndEnter) {
    WriteTestFile(kTwoQuestions);
    InCreator([&](frmAssCreator& f) {
        ui::test::OnNextModal<frmTestType>([](frmTestType& d) {
            EXPECT_EQ(GetFocus(), d.Option2.hWnd()) << "the chosen option has the focus";
            ui::test::PressKey(VK_DOWN);
            EXPECT_TRUE(d.Option3.Value());
            ui::test::PressKey(VK_RETURN);
        });
        Click(f.Command2);
        EXPECT_FALSE(f.IsLoaded());
    });
    EXPECT_EQ(TestFileBytes().substr(0, 5), "\"2\"\r\n");
}

TEST_F(Creator, SaveOnAOneQuestionTestStoresAndKeepsTheWindowOpen) {
    InCreator([&](frmAssCreator& f) {
        TypeQuestion(f, L"Only?", {L"*Yes", L"No"});
        AnswerTestType(1);
        Click(f.Command9);
        EXPECT_TRUE(f.IsLoaded()) << "only Save && Exit closes the creator";
        EXPECT_EQ(TestFileBytes(), "\"0\"\r\n\"Only?\",\"Yes>>No\",\"1>>0\",\"\",\"\",\"\"\r\n");

        // "New Module": the same save, then a new empty question; the caption names question 1.
        Click(f.cmbNext_Question);
        TypeQuestion(f, L"Second?", {L"*A"});
        Type(f.Text4, L"Link");
        Type(f.Text5, L"l.htm");
        AnswerTestType(1);
        Click(f.Command1);
        EXPECT_EQ(TestFileBytes(), "\"0\"\r\n\"Only?\",\"Yes>>No\",\"1>>0\",\"\",\"\",\"\"\r\n"
                                   "\"Second?\",\"A\",\"1\",\"\",\"Link\",\"l.htm\"\r\n");
        EXPECT_EQ(f.Caption(), L"Assessment Creation - Module(000123) - Question(1)");
        EXPECT_EQ(f.Text1.Text(), L"");
        EXPECT_EQ(f.Text2.Text(), L"");
        EXPECT_EQ(f.Text4.Text(), L"Link") << "the link boxes stay";
        EXPECT_EQ(App().AssCreatorControls.Questions.size(), 1u);
    });
}

TEST_F(Creator, DeletesAtTheEndShowTheNewLastAndKeepStoring) {
    WriteTestFile(kTwoQuestions);
    InCreator([&](frmAssCreator& f) {
        Click(f.cmbNext_Module);
        Click(f.cmbNext_Module);  // Red, the last answer
        Click(f.Command5);
        EXPECT_EQ(f.Text2.Text(), L"Blue") << "the new last answer is shown";
        EXPECT_EQ(f.Check1.Value(), ui::vbChecked);
        Type(f.Text2, L"Azure");
        Click(f.cmbNext_Question);
        Click(f.Command6);  // "Sea?", the last question
        EXPECT_EQ(f.Caption(), L"Assessment Creation - Module(000123) - Question(1)");
        EXPECT_EQ(f.Text1.Text(), L"Sky?");
        AnswerTestType(1);
        Click(f.Command2);
    });
    EXPECT_EQ(TestFileBytes(), "\"0\"\r\n\"Sky?\",\"Green>>Azure\",\"0>>1\",\"Rayleigh\",\"More\",\"sky.htm\"\r\n");
}

TEST_F(Creator, ADamagedFileIsToldKeptAndTheCreatorStartsEmpty) {
    const std::string damaged = "\"1\"\r\n\"Sky?\",\"Green";
    WriteTestFile(damaged);
    ui::test::AnswerNextMsgBox(ui::vbOK);
    InCreator([&](frmAssCreator& f) {
        EXPECT_EQ(f.Text1.Text(), L"");
        EXPECT_EQ(App().AssCreatorControls.Questions.size(), 1u);
    });
    const auto box = ui::test::LastMsgBox();
    EXPECT_NE(box.prompt.find(L"The test file " + TestFile().wstring() + L" is damaged: line 2"), std::wstring::npos)
        << Utf8(box.prompt);
    EXPECT_NE(box.prompt.find(L"It has been kept as " + TestFile().wstring() + L".bad."), std::wstring::npos);
    EXPECT_EQ(zv::ReadFileBytes(TestFile().wstring() + L".bad"), damaged);
}

TEST_F(Creator, AFailedSaveIsToldAndKeepsTheOldFileAndTheWindow) {
    WriteTestFile(kTwoQuestions);
    std::filesystem::create_directories(folder_ / "~000123_0007TST.tmp");
    InCreator([&](frmAssCreator& f) {
        Type(f.Text1, L"Sky changed?");
        AnswerTestType(1);
        ui::test::AnswerNextMsgBox(ui::vbOK);
        Click(f.Command2);
        EXPECT_TRUE(f.IsLoaded());
        const auto box = ui::test::LastMsgBox();
        EXPECT_NE(box.prompt.find(TestFile().wstring()), std::wstring::npos) << Utf8(box.prompt);
        EXPECT_NE(box.prompt.find(L"was not saved"), std::wstring::npos);
    });
    EXPECT_EQ(TestFileBytes(), kTwoQuestions);
}

TEST_F(Creator, FindFileFillsTheLinkFileAndCancelLeavesIt) {
    InCreator([&](frmAssCreator& f) {
        Type(f.Text5, L"old.htm");
        ui::test::CancelNextDialog();
        Click(f.Command4);
        EXPECT_EQ(f.Text5.Text(), L"old.htm");
        const std::wstring chosen = (folder_ / "page.htm").wstring();
        ui::test::ChooseFileInNextDialog(chosen);
        Click(f.Command4);
        EXPECT_EQ(f.Text5.Text(), chosen);
        ASSERT_FALSE(ui::test::CommonDialogs().empty());
        EXPECT_EQ(ui::test::CommonDialogs().back().kind, L"Open");
    });
}

// ---- the answer reorder dialog ----

// Presses the left (or right) button on one row of the list, moves over another, lets go there.
void DragRow(ui::ListBox& list, int from, int to, bool rightButton = false) {
    const int h = static_cast<int>(SendMessageW(list.hWnd(), LB_GETITEMHEIGHT, 0, 0));
    const POINT press{20, from * h + h / 2};
    const POINT over{20, to * h + h / 2};
    SendMessageW(list.hWnd(), rightButton ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, rightButton ? MK_RBUTTON : MK_LBUTTON,
                 MAKELPARAM(press.x, press.y));
    POINT screen = over;
    ClientToScreen(list.hWnd(), &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageW(list.hWnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(over.x, over.y));
    SendMessageW(list.hWnd(), rightButton ? WM_RBUTTONUP : WM_LBUTTONUP, 0, MAKELPARAM(over.x, over.y));
    ui::DoEvents();
}

std::vector<std::wstring> Items(ui::ListBox& list) {
    std::vector<std::wstring> items;
    for (int i = 0; i < list.ListCount(); ++i) items.push_back(list.List(i));
    return items;
}

TEST_F(Creator, ReorderDialogDragsAnswersAndChangeShowsTheNewFirst) {
    struct Case {
        const char* name;
        int from, to;
        bool right;
        std::vector<std::wstring> order;
    };
    const std::wstring c = L"\xA9";
    const Case cases[] = {
        {"first onto third", 0, 2, false, {L"B", c + L"C \xA9 2024", L"A"}},
        {"third onto first", 2, 0, false, {c + L"C \xA9 2024", L"A", L"B"}},
        {"onto itself", 1, 1, false, {L"A", L"B", c + L"C \xA9 2024"}},
        {"below the last", 0, 7, false, {L"B", c + L"C \xA9 2024", L"A"}},
        {"right button", 0, 2, true, {L"A", L"B", c + L"C \xA9 2024"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        WriteTestFile("\"0\"\r\n\"Q?\",\"A>>B>>C \xA9 2024\",\"0>>>>1\",\"\",\"\",\"\"\r\n");
        InCreator([&](frmAssCreator& f) {
            ui::test::OnNextModal<AnswerSwitch_Dlg>([&](AnswerSwitch_Dlg& d) {
                EXPECT_EQ(d.Caption(), L"Answer reorder tool");
                EXPECT_EQ(d.Label1.Caption(), L"\xA9 - Marks a correct answer.");
                EXPECT_EQ(Items(d.List1), (std::vector<std::wstring>{L"A", L"B", c + L"C \xA9 2024"}))
                    << "an answer with an empty flag is listed, as not correct";
                DragRow(d.List1, k.from, k.to, k.right);
                EXPECT_EQ(Items(d.List1), k.order);
                Click(d.Change_Btn);
            });
            Click(f.Command7);
            const std::wstring first = k.order[0];
            const bool correct = first[0] == L'\xA9';
            EXPECT_EQ(f.Text2.Text(), correct ? first.substr(1) : first) << "the creator shows the new first answer";
            EXPECT_EQ(f.Check1.Value(), correct ? ui::vbChecked : ui::vbUnchecked);
            AnswerTestType(1);
            Click(f.Command2);
        });
        // Each answer keeps its flag; the first one's comes from the box it is shown in when saved.
        std::string answers, flags;
        for (size_t i = 0; i < k.order.size(); ++i) {
            const bool correct = k.order[i][0] == L'\xA9';
            const std::wstring text = correct ? k.order[i].substr(1) : k.order[i];
            answers += (i ? ">>" : "") + zv::EncodeCp1252(text);
            flags += std::string(i ? ">>" : "") + (i == 0 ? (correct ? "1" : "0") : text == L"A" ? "0" : text == L"B" ? "" : "1");
        }
        EXPECT_EQ(TestFileBytes(), "\"0\"\r\n\"Q?\",\"" + answers + "\",\"" + flags + "\",\"\",\"\",\"\"\r\n")
            << "each answer keeps its own text and flag, a \xA9 in its text included";
    }
}

TEST_F(Creator, ReorderCancelChangesNothingAndTheAnswerInTheBoxIsListed) {
    InCreator([&](frmAssCreator& f) {
        TypeQuestion(f, L"Q?", {L"*One", L"Two"});
        ui::test::OnNextModal<AnswerSwitch_Dlg>([&](AnswerSwitch_Dlg& d) {
            EXPECT_EQ(Items(d.List1), (std::vector<std::wstring>{L"\xA9One", L"Two"}));
            DragRow(d.List1, 0, 1);
            Click(d.Cancel_Btn);
        });
        Click(f.Command7);
        EXPECT_EQ(f.Text2.Text(), L"Two");
        const auto& answers = App().AssCreatorControls.Questions[0].Answers;
        ASSERT_EQ(answers.size(), 2u);
        EXPECT_EQ(answers[0].AnswerText, L"One");
    });
}

// ---- the printout ----

TEST_F(Creator, PrintWritesAssessmentTxtAndHandsItToTheShell) {
    WriteTestFile(kTwoQuestions);
    InCreator([&](frmAssCreator& f) {
        Type(f.Text1, L"Not stored yet");
        Click(f.Command10);
    });
    const std::string stars(92, '*');
    EXPECT_EQ(zv::ReadFileBytes((folder_ / "Assessment.txt").wstring()),
              "\r\n\xA9 denotes a correct answer.\r\n\r\n\r\n"
              "1.  Sky?\r\n\r\n\r\nGreen\r\n\xA9" "Blue\r\nRed\r\n\r\n\r\nRayleigh\r\n\r\n" + stars + "\r\n\r\n"
              "2.  Sea?\r\n\r\n\r\n\xA9Salty\r\nSweet\r\n\r\n\r\n\r\n\r\n" + stars + "\r\n\r\n");
    ASSERT_EQ(ui::test::ShellCalls().size(), 1u);
    const auto& call = ui::test::ShellCalls()[0];
    EXPECT_EQ(call.verb, L"Print");
    EXPECT_EQ(call.file, (folder_ / "Assessment.txt").wstring());
    EXPECT_EQ(call.parameters, L"");
    EXPECT_EQ(call.show, SW_SHOWMINNOACTIVE);
    EXPECT_TRUE(ui::test::MsgBoxes().empty());
}

TEST_F(Creator, AFailedPrintIsToldAndThePrintoutStays) {
    WriteTestFile(kTwoQuestions);
    ui::test::AnswerNextShellCall(SE_ERR_NOASSOC);
    ui::test::AnswerNextMsgBox(ui::vbOK);
    InCreator([&](frmAssCreator& f) { Click(f.Command10); });
    const auto box = ui::test::LastMsgBox();
    EXPECT_NE(box.prompt.find((folder_ / "Assessment.txt").wstring()), std::wstring::npos) << Utf8(box.prompt);
    EXPECT_NE(box.prompt.find(L"No program is registered"), std::wstring::npos);
    EXPECT_TRUE(zv::FileExists((folder_ / "Assessment.txt").wstring()));
}

// ---- the preview ----

TEST_F(Creator, PreviewWalksTheQuestionsAndStoresNothing) {
    WriteTestFile("\"0\"\r\n"
                  "\"One correct\",\"A rather long first answer that needs more than one line at the answer width of the "
                  "preview page, so that it takes two or three lines of text>>Short\",\"1>>0\",\"\",\"\",\"\"\r\n"
                  "\"Two correct\",\"X>>Y>>Z\",\"1>>1>>0\",\"Because.\",\"\",\"\"\r\n"
                  "\"None marked\",\"P>>Q\",\"0>>\",\"\",\"\",\"\"\r\n");
    InCreator([&](frmAssCreator& f) {
        const auto before = App().AssCreatorControls.Questions;
        bool shown = false;
        ui::test::OnNextModal<frm_AssessmentPrvDlg>([&](frm_AssessmentPrvDlg& p) {
            shown = true;
            EXPECT_EQ(p.Width(), ui::Screen().Width());
            EXPECT_EQ(p.Height(), ui::Screen().Height());
            EXPECT_EQ(p.Label7.Caption(), L"Question 1 of 3");
            EXPECT_EQ(p.Label2.Caption(), L"Next");
            EXPECT_EQ(p.Label8.Caption(), L"One correct");
            EXPECT_TRUE(p.Option1[0].Visible());
            EXPECT_TRUE(p.Option1[0].Font().Bold);
            EXPECT_FALSE(p.Option1[1].Font().Bold);
            EXPECT_FALSE(p.Check1[0].Visible());
            EXPECT_GT(p.Option1[0].Height(), p.Option1[1].Height()) << "the long answer takes more lines";
            EXPECT_EQ(p.Option1[1].Top(), p.Option1[0].Top() + p.Option1[0].Height() + 210);
            EXPECT_EQ(p.Frame1.Height(), p.Option1[0].Height() + 210 + p.Option1[1].Height() + 240);
            EXPECT_FALSE(p.Label6.Visible()) << "no explanation";
            EXPECT_FALSE(p.Label10.Visible());
            EXPECT_EQ(p.Label5.Top(), p.Frame1.Top() + p.Frame1.Height() + 240);
            Click(p.Option1[1]);  // the viewer's choice is not stored

            Click(p.Q_But);
            EXPECT_EQ(p.Label7.Caption(), L"Question 2 of 3");
            EXPECT_TRUE(p.Check1[0].Visible()) << "two correct answers: check boxes";
            EXPECT_FALSE(p.Option1[0].Visible());
            EXPECT_TRUE(p.Check1[1].Font().Bold);
            EXPECT_FALSE(p.Check1[2].Font().Bold);
            EXPECT_TRUE(p.Label10.Visible());
            EXPECT_EQ(p.Label10.Caption(), L"Because.");
            EXPECT_EQ(p.Label2.Caption(), L"Next");

            Click(p.Label2);
            EXPECT_EQ(p.Label7.Caption(), L"Question 3 of 3");
            EXPECT_EQ(p.Label2.Caption(), L"Exit");
            EXPECT_TRUE(p.Option1[0].Visible()) << "none marked: option buttons";
            EXPECT_FALSE(p.Option1[0].Font().Bold);
            EXPECT_FALSE(p.Option1[0].Value()) << "shown unchosen";
            EXPECT_FALSE(p.Check1[0].Visible());
            Click(p.Q_But);
            EXPECT_FALSE(p.IsLoaded()) << "Exit closes the preview";
        });
        Click(f.Command8);
        EXPECT_TRUE(shown);
        EXPECT_EQ(App().AssCreatorControls.Questions, before);
    });
}

TEST_F(Creator, PreviewOfOneQuestionAndItsScrollBar) {
    std::string answers;
    for (int i = 0; i < 40; ++i) answers += (i ? ">>Answer " : "Answer ") + std::to_string(i);
    WriteTestFile("\"0\"\r\n\"Many answers\",\"" + answers + "\",\"1\",\"Why.\",\"\",\"\"\r\n");
    InCreator([&](frmAssCreator& f) {
        Click(f.cmbNext_Question);  // a new empty question at the end is no question of the preview
        ui::test::OnNextModal<frm_AssessmentPrvDlg>([&](frm_AssessmentPrvDlg& p) {
            EXPECT_EQ(p.Label7.Caption(), L"Question 1 of 1");
            EXPECT_EQ(p.Label2.Caption(), L"Next");
            const long page = p.Label8.Height() + p.Frame1.Height() + p.Label5.Height() + p.Label6.Height() +
                              p.Label10.Height() + p.Label7.Height() + 2065;
            EXPECT_TRUE(p.VScroll1.Visible()) << "forty answers do not fit";
            EXPECT_EQ(p.Picture4.Height(), page) << "the page reaches down to the explanation";
            EXPECT_EQ(p.VScroll1.Max(), RoundHalfEven(double(page - p.Picture3.ScaleHeight()) / 230));
            EXPECT_EQ(p.VScroll1.Value(), 0) << "the load shows the top of the page";
            EXPECT_EQ(p.Picture4.Top(), 0);
            p.VScroll1.SetValue(3);
            EXPECT_EQ(p.Picture4.Top(), -690);
            Click(p.Q_But);
            EXPECT_FALSE(p.IsLoaded());
        });
        Click(f.Command8);
        // The window has no frame: Escape closes it too.
        ui::test::OnNextModal<frm_AssessmentPrvDlg>([&](frm_AssessmentPrvDlg& p) {
            p.Option1[0].SetFocus();
            ui::test::PressKey(VK_ESCAPE);
            EXPECT_FALSE(p.IsLoaded());
        });
        Click(f.Command8);
    });
}

TEST_F(Creator, CommandsPutTheFocusWhereTheAuthorTypesNext) {
    InCreator([&](frmAssCreator& f) {
        Type(f.Text1, L"Q?");
        Type(f.Text2, L"A");
        f.Text3.SetFocus();
        Click(f.cmbNext_Module);
        EXPECT_EQ(GetFocus(), f.Text2.hWnd()) << "Next Answer";
        f.Text3.SetFocus();
        Click(f.cmbNext_Question);  // refused: no answer marked
        EXPECT_EQ(GetFocus(), f.Text1.hWnd()) << "Next Question";
        f.Text3.SetFocus();
        Click(f.Command5);
        EXPECT_EQ(GetFocus(), f.Text2.hWnd()) << "Delete Answer";
        f.Text3.SetFocus();
        Click(f.Command6);
        EXPECT_EQ(GetFocus(), f.Text1.hWnd()) << "Delete Question";
    });
}

TEST_F(Creator, ThePrintControlsMovieContainerIsMadeAgainEachTime) {
    InCreator([&](frmAssCreator& f) {
        const HWND first = f.InsertPrtMovieObject();
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(f.PrtobjExt->Name(), L"Picture4");
        const HWND second = f.InsertPrtMovieObject();
        EXPECT_NE(second, nullptr);
        EXPECT_FALSE(IsWindow(first)) << "the earlier container goes";
        ui::DoEvents();
        EXPECT_EQ(f.FindControl(L"Picture4"), f.PrtobjExt);
    });
}

}  // namespace
