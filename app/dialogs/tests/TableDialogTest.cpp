// The table insertion dialog on an editor's page, driven as an author drives it: the lists'
// entries and defaults, OK and Cancel, the largest table (past the one page), a refused insert.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/core/tests/FrameTest.h"
#include "app/dialogs/frmTableDlg.h"
#include "app/editor/OnePage.h"
#include "app/editor/frmMDIChild.h"
#include "ui/MsgBox.h"
#include "ui/testing/UiTest.h"

namespace {

class TableDialog : public zv_test::FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        frame().NewEditorWindow().Show();
    }
    static void InsertTable(std::function<void(frmTableDlg&)> author) {
        ui::test::OnNextModal<frmTableDlg>(std::move(author));
        frmTableDlg dialog;
        dialog.tx = &editor().TXTextControl1;
        dialog.Show(ui::vbModal);
        ui::DoEvents();
    }
};

TEST_F(TableDialog, OkWithTheDefaultsInsertsTwoByTwoAtTheCaret) {
    TypeText(L"Before");
    InsertTable([](frmTableDlg& d) {
        EXPECT_EQ(d.Caption(), L"Table Attributes");
        ASSERT_EQ(d.cboRows.ListCount(), 100);
        ASSERT_EQ(d.cboColumns.ListCount(), 12);
        EXPECT_EQ(d.cboRows.List(0), L"1");
        EXPECT_EQ(d.cboRows.List(99), L"100");
        EXPECT_EQ(d.cboColumns.List(11), L"12");
        EXPECT_EQ(d.cboRows.Text(), L"2");
        EXPECT_EQ(d.cboColumns.Text(), L"2");
        EXPECT_EQ(d.cboRows.Style(), 2) << "lists, nothing typed";
        ui::test::Click(d.btnOK);
    });
    ASSERT_EQ(engine().Doc().tables.size(), 1u);
    const int id = engine().Doc().tables[0].id;
    EXPECT_EQ(engine().TableRows(id), 2);
    EXPECT_EQ(engine().TableColumns(id), 2);
    EXPECT_EQ(engine().TableAtInputPos(), id) << "the caret is in the new table";
    EXPECT_EQ(editor().GetCurrentTableID(), id) << "the editor's record is of the new table";
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 2; ++c) EXPECT_EQ(engine().TableCellAttribute(id, r, c, tx::cell::kLeftBorder), 15);
    EXPECT_TRUE(ui::test::MsgBoxes().empty());
    // One Undo takes the table and its border back.
    engine().Undo();
    EXPECT_TRUE(engine().Doc().tables.empty());
    EXPECT_EQ(engine().Text(), L"Before");
}

TEST_F(TableDialog, TheLargestTableRunsPastThePageAndIsReported) {
    ui::test::AnswerNextMsgBox(ui::vbOK);
    InsertTable([](frmTableDlg& d) {
        d.cboRows.SetFocus();
        ui::test::PressKey(VK_END);
        d.cboColumns.SetFocus();
        ui::test::PressKey(VK_END);
        ui::DoEvents();
        EXPECT_EQ(d.cboRows.Text(), L"100");
        EXPECT_EQ(d.cboColumns.Text(), L"12");
        ui::test::Click(d.btnOK);
    });
    ASSERT_EQ(engine().Doc().tables.size(), 1u);
    EXPECT_EQ(engine().Doc().tables[0].rows, 100);
    EXPECT_EQ(engine().Doc().tables[0].cols, 12);
    EXPECT_EQ(ui::test::LastMsgBox().prompt, kPastOnePageMessage);
    EXPECT_EQ(ui::test::PendingMsgBoxAnswers(), 0u);
}

TEST_F(TableDialog, CancelOrARefusedInsertChangesNothing) {
    TypeText(L"Text");
    const int typed = engine().UndoSteps();
    InsertTable([](frmTableDlg& d) { ui::test::Click(d.btnCancel); });
    EXPECT_EQ(engine().Text(), L"Text");
    EXPECT_TRUE(engine().Doc().tables.empty());
    EXPECT_EQ(engine().UndoSteps(), typed);

    // The caret in a table: the control refuses a table there; the author is told, nothing changes.
    const int id = engine().TableInsert(1, 1);
    ASSERT_NE(id, 0);
    const std::wstring text = engine().Text();
    const int steps = engine().UndoSteps();
    ui::test::AnswerNextMsgBox(ui::vbOK);
    InsertTable([](frmTableDlg& d) {
        ui::test::Click(d.btnOK);
        EXPECT_EQ(d.InsertedTable, 0);
        ui::test::Click(d.btnCancel);
    });
    EXPECT_EQ(ui::test::LastMsgBox().prompt, kTableNotInsertedMessage);
    EXPECT_EQ(editor().GetCurrentTableID(), id) << "no table id 0 goes on to the editor";
    EXPECT_EQ(engine().Text(), text);
    EXPECT_EQ(engine().Doc().tables.size(), 1u);
    EXPECT_EQ(engine().UndoSteps(), steps);
}

}  // namespace
