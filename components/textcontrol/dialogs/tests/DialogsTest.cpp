// The text control's own dialogs as the author meets them: each opens on the selection's values
// (blank where the selection differs), OK applies what was changed as one formatting step,
// Cancel changes nothing, and a bad entry is answered with a message that names its box while
// the dialog stays open with the focus in that box.
#include <gtest/gtest.h>

#include "components/textcontrol/dialogs/BulletsDialogForm.h"
#include "components/textcontrol/dialogs/FontDialogForm.h"
#include "components/textcontrol/dialogs/ParagraphDialogForm.h"
#include "components/textcontrol/dialogs/StyleDialogForm.h"
#include "components/textcontrol/dialogs/TableDialogForm.h"
#include "components/textcontrol/dialogs/TabsDialogForm.h"
#include "components/textcontrol/win32/TXTextControl.h"
#include "ui/MsgBox.h"
#include "ui/testing/UiTest.h"

namespace tx {
namespace {

using ui::testing::Utf8;

class HostForm : public ui::Form {
public:
    TXTextControl TXTextControl1{this, L"TXTextControl1"};
    HostForm() {
        SetCaption(L"Host");
        Move(0, 0, 9000, 6000);
        TXTextControl1.Move(0, 0, 8500, 5000);
    }
};

class TextDialogs : public ui::testing::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        host_ = &ui::Forms::Get<HostForm>();
        host_->Show();
        // "plain BOLD plain" and a second paragraph, centred.
        TextEngine& e = Engine();
        e.SetSelText(L"plain BOLD plain\nsecond paragraph");
        Select(L"BOLD");
        e.SetBold(true);
        Select(L"second");
        e.FormatParagraphs([](ParaFormat& f) { f.align = Align::Center; });
    }
    TextEngine& Engine() { return host_->TXTextControl1.Engine(); }
    TXTextControl& Control() { return host_->TXTextControl1; }
    void Select(std::wstring_view text) {
        const int at = static_cast<int>(Engine().Text().find(text));
        ASSERT_GE(at, 0);
        Engine().SetSelStart(at);
        Engine().SetSelLength(static_cast<int>(text.size()));
    }
    void SelectAll() {
        Engine().SetSelStart(0);
        Engine().SetSelLength(-1);
    }
    // Answers the box a refused entry raises and checks it names `box`; the dialog stays open with
    // the focus in `focus` (when given).
    static void ExpectRefusal(ui::Form& dialog, ui::Control& okOrSet, const std::wstring& box, HWND focus) {
        const size_t before = ui::test::MsgBoxes().size();
        ui::test::AnswerNextMsgBox(ui::vbOK);
        ui::test::Click(okOrSet);
        ASSERT_EQ(ui::test::MsgBoxes().size(), before + 1);
        const auto shown = ui::test::LastMsgBox();
        EXPECT_NE(shown.prompt.find(L"\"" + box + L"\""), std::wstring::npos) << Utf8(shown.prompt);
        EXPECT_EQ(shown.title, dialog.Caption());
        EXPECT_TRUE(dialog.IsLoaded());
        if (focus) {
            EXPECT_EQ(GetFocus(), focus);
        }
    }
    HostForm* host_ = nullptr;
};

TEST_F(TextDialogs, FontShowsMixedValuesBlankAndChangesOnlyWhatWasSet) {
    SelectAll();
    ui::test::OnNextModal<FontDialogForm>([](FontDialogForm& d) {
        EXPECT_EQ(d.Caption(), L"Font");
        EXPECT_EQ(d.cboFont.Text(), L"Arial");
        EXPECT_EQ(d.cboSize.Text(), L"12");
        EXPECT_EQ(d.chkBold.Value(), ui::vbGrayed);  // part of the text is bold
        EXPECT_EQ(d.chkItalic.Value(), ui::vbUnchecked);
        EXPECT_GE(d.cboFont.ListCount(), 1);  // the installed fonts
        ui::test::Click(d.chkItalic);
        d.cboSize.SetText(L"14");
        ui::test::Click(d.cmdOK);
    });
    EXPECT_TRUE(Control().FontDialog());
    EXPECT_EQ(Engine().UndoKind(), 3);  // Formatting
    Select(L"BOLD");
    EXPECT_TRUE(Engine().Bold());
    EXPECT_TRUE(Engine().Italic());
    EXPECT_EQ(Engine().FontSize(), 280);
    Select(L"plain");
    EXPECT_FALSE(Engine().Bold());
    EXPECT_TRUE(Engine().Italic());
    // One step: one undo gives the text back as it was.
    Engine().Undo();
    Select(L"BOLD");
    EXPECT_FALSE(Engine().Italic());
    EXPECT_EQ(Engine().FontSize(), 240);
}

TEST_F(TextDialogs, FontCancelAndAnUnchangedOkChangeNothing) {
    Select(L"BOLD");
    const int kindBefore = Engine().UndoKind();
    ui::test::OnNextModal<FontDialogForm>([](FontDialogForm& d) {
        ui::test::Click(d.chkBold);  // off
        d.cboFont.SetText(L"Courier New");
        ui::test::Click(d.cmdCancel);
    });
    EXPECT_FALSE(Control().FontDialog());
    EXPECT_TRUE(Engine().Bold());
    EXPECT_EQ(Engine().FontName(), L"Arial");
    ui::test::OnNextModal<FontDialogForm>([](FontDialogForm& d) { ui::test::Click(d.cmdOK); });
    EXPECT_TRUE(Control().FontDialog());
    EXPECT_EQ(Engine().UndoKind(), kindBefore);  // nothing changed: no step
    // Escape is Cancel.
    ui::test::OnNextModal<FontDialogForm>([](FontDialogForm& d) {
        d.cboSize.SetText(L"30");
        ui::test::PressKey(VK_ESCAPE);
    });
    EXPECT_FALSE(Control().FontDialog());
    EXPECT_EQ(Engine().FontSize(), 240);
}

TEST_F(TextDialogs, FontRefusesABadSizeAndStaysOpen) {
    Select(L"BOLD");
    ui::test::OnNextModal<FontDialogForm>([](FontDialogForm& d) {
        for (const wchar_t* bad : {L"huge", L"0", L"2000", L""}) {
            d.cboSize.SetText(bad);
            ExpectRefusal(d, d.cmdOK, L"Size", nullptr);
            // The focus is in the size box's edit part, its text selected.
            EXPECT_TRUE(IsChild(d.cboSize.hWnd(), GetFocus()) || GetFocus() == d.cboSize.hWnd());
        }
        d.cboFont.SetText(L"");
        d.cboSize.SetText(L"12");
        ExpectRefusal(d, d.cmdOK, L"Font", nullptr);
        EXPECT_TRUE(IsChild(d.cboFont.hWnd(), GetFocus()) || GetFocus() == d.cboFont.hWnd());
        d.cboFont.SetText(L"Arial");
        d.cboSize.SetText(L"9.5");
        ui::test::Click(d.cmdOK);
        EXPECT_FALSE(d.IsLoaded());
    });
    EXPECT_TRUE(Control().FontDialog());
    EXPECT_EQ(Engine().FontSize(), 190);
}

TEST_F(TextDialogs, ParagraphLengthsFollowTheHostsUnit) {
    SelectAll();
    Engine().FormatParagraphs([](ParaFormat& f) { f.leftIndent = 1440; });
    Control().SetMeasureUnit(2);  // centimetres
    ui::test::OnNextModal<ParagraphDialogForm>([](ParagraphDialogForm& d) {
        EXPECT_EQ(d.cboAlignment.ListIndex(), -1);  // left and centred: blank
        EXPECT_EQ(d.txtLeftIndent.Text(), L"2.54");
        EXPECT_EQ(d.lblLeftIndent.Caption(), L"&Left indent (cm):");
        EXPECT_EQ(d.txtLineSpacing.Text(), L"100");
        ui::test::Type(d.txtSpaceAfter, L"1");
        ui::test::Type(d.txtRightIndent, L"oops");
        ExpectRefusal(d, d.cmdOK, L"Right indent", d.txtRightIndent.hWnd());
        EXPECT_EQ(d.txtRightIndent.SelLength(), 4);  // ready to be typed over
        ui::test::Type(d.txtRightIndent, L"0.5 in");
        ui::test::Click(d.cmdOK);
    });
    EXPECT_TRUE(Control().ParagraphDialog());
    for (const auto& p : Engine().Doc().paragraphs) {
        EXPECT_EQ(p.format.spaceAfter, 567);
        EXPECT_EQ(p.format.rightIndent, 720);
        EXPECT_EQ(p.format.leftIndent, 1440);
    }
    EXPECT_EQ(Engine().Doc().paragraphs[0].format.align, Align::Left);
    EXPECT_EQ(Engine().Doc().paragraphs[1].format.align, Align::Center);
    EXPECT_EQ(Engine().UndoKind(), 3);
}

TEST_F(TextDialogs, BulletsAndNumberingSetKindStyleAndLevel) {
    Select(L"second");
    ui::test::OnNextModal<BulletsDialogForm>([](BulletsDialogForm& d) {
        EXPECT_EQ(d.Caption(), L"Bullets and Numbering");
        EXPECT_TRUE(d.optKind[0].Value());
        EXPECT_EQ(d.txtLevel.Text(), L"1");
        EXPECT_EQ(d.txtStep.Text(), L"0.25");
        ui::test::Click(d.optKind[2]);
        d.cboStyle.SetListIndex(3);
        ui::test::Type(d.txtLevel, L"10");
        ExpectRefusal(d, d.cmdOK, L"Level", d.txtLevel.hWnd());
        ui::test::Type(d.txtLevel, L"3");
        ui::test::Click(d.cmdOK);
    });
    EXPECT_TRUE(Control().BulletsAndNumberingDialog());
    const ParaFormat& f = Engine().Doc().paragraphs[1].format;
    EXPECT_EQ(f.listKind, ListKind::Numbered);
    EXPECT_EQ(f.numberStyle, NumberStyle::UpperRoman);
    EXPECT_EQ(f.listLevel, 2);
    EXPECT_EQ(Engine().Doc().paragraphs[0].format.listKind, ListKind::None);

    // Paragraphs of two kinds: no kind chosen, and OK keeps each.
    SelectAll();
    ui::test::OnNextModal<BulletsDialogForm>([](BulletsDialogForm& d) {
        for (int i = 0; i < 3; ++i) EXPECT_FALSE(d.optKind[i].Value()) << i;
        EXPECT_EQ(d.txtLevel.Text(), L"");
        ui::test::Click(d.cmdOK);
    });
    EXPECT_TRUE(Control().BulletsAndNumberingDialog());
    EXPECT_EQ(Engine().Doc().paragraphs[0].format.listKind, ListKind::None);
    EXPECT_EQ(Engine().Doc().paragraphs[1].format.listKind, ListKind::Numbered);
}

TEST_F(TextDialogs, TabsAreSetClearedAndAppliedOnOk) {
    Select(L"plain");
    ui::test::OnNextModal<TabsDialogForm>([](TabsDialogForm& d) {
        EXPECT_EQ(d.lstTabs.ListCount(), 0);
        EXPECT_FALSE(d.lblMixed.Visible());
        ui::test::Type(d.txtPosition, L"1");
        ui::test::Click(d.cmdSet);
        ui::test::Type(d.txtPosition, L"2.5");
        ui::test::Click(d.optAlignment[1]);
        ui::test::Click(d.cmdSet);
        ui::test::Type(d.txtPosition, L"0.5");
        ui::test::Click(d.optAlignment[0]);
        ui::test::Click(d.cmdSet);
        ASSERT_EQ(d.lstTabs.ListCount(), 3);
        EXPECT_EQ(d.lstTabs.List(0), L"0.50 in   Left");
        EXPECT_EQ(d.lstTabs.List(2), L"2.50 in   Right");
        d.lstTabs.SetListIndex(0);
        ui::test::Click(d.cmdClear);
        ui::test::Type(d.txtPosition, L"-3");
        ExpectRefusal(d, d.cmdSet, L"Tab stop position", d.txtPosition.hWnd());
        ui::test::Type(d.txtPosition, L"");
        ui::test::Click(d.cmdOK);
    });
    EXPECT_TRUE(Control().TabsDialog());
    EXPECT_EQ(Engine().Doc().paragraphs[0].format.tabs,
              (std::vector<TabStop>{{1440, TabKind::Left}, {3600, TabKind::Right}}));
    EXPECT_TRUE(Engine().Doc().paragraphs[1].format.tabs.empty());

    // Now the paragraphs differ: a stop set is added to each, and none of their own is lost.
    SelectAll();
    ui::test::OnNextModal<TabsDialogForm>([](TabsDialogForm& d) {
        EXPECT_TRUE(d.lblMixed.Visible());
        EXPECT_EQ(d.lstTabs.ListCount(), 0);
        ui::test::Type(d.txtPosition, L"3");  // set by OK itself
        ui::test::Click(d.cmdOK);
    });
    EXPECT_TRUE(Control().TabsDialog());
    EXPECT_EQ(Engine().Doc().paragraphs[0].format.tabs,
              (std::vector<TabStop>{{1440, TabKind::Left}, {3600, TabKind::Right}, {4320, TabKind::Left}}));
    EXPECT_EQ(Engine().Doc().paragraphs[1].format.tabs, (std::vector<TabStop>{{4320, TabKind::Left}}));
}

TEST_F(TextDialogs, StylesAreMadeRenamedDeletedAndAppliedOnlyByOkOrApply) {
    Select(L"BOLD");
    // New from the selection, then Cancel: the document has no style.
    ui::test::OnNextModal<StyleDialogForm>([](StyleDialogForm& d) {
        EXPECT_EQ(d.lstStyles.ListCount(), 0);
        EXPECT_FALSE(d.cmdApply.Enabled());
        ui::test::Type(d.txtName, L"Strong");
        ui::test::Click(d.cmdNew);
        EXPECT_EQ(d.lstStyles.ListCount(), 1);
        ui::test::Click(d.cmdCancel);
    });
    EXPECT_FALSE(Control().StyleDialog());
    EXPECT_TRUE(Engine().Doc().styles.empty());

    ui::test::OnNextModal<StyleDialogForm>([](StyleDialogForm& d) {
        ui::test::Type(d.txtName, L"Strong");
        ui::test::Click(d.cmdNew);
        ui::test::Type(d.txtName, L"Strong");
        ExpectRefusal(d, d.cmdNew, L"Name", d.txtName.hWnd());  // that name is taken
        ui::test::Type(d.txtName, L"Temporary");
        ui::test::Click(d.cmdNew);
        ASSERT_EQ(d.lstStyles.ListCount(), 2);
        d.lstStyles.SetListIndex(1);
        ui::test::Click(d.cmdDelete);
        d.lstStyles.SetListIndex(0);
        ui::test::Type(d.txtName, L"");
        ExpectRefusal(d, d.cmdRename, L"Name", d.txtName.hWnd());
        ui::test::Type(d.txtName, L"Loud");
        ui::test::Click(d.cmdRename);
        ui::test::Click(d.cmdOK);
    });
    EXPECT_TRUE(Control().StyleDialog());
    ASSERT_EQ(Engine().Doc().styles.size(), 1u);
    EXPECT_EQ(Engine().Doc().styles[0].name, L"Loud");
    EXPECT_TRUE(Engine().Doc().styles[0].chars.bold);  // made from the bold selection

    // Apply gives the style to the chosen paragraphs, in one step.
    Select(L"second");
    ui::test::OnNextModal<StyleDialogForm>([](StyleDialogForm& d) {
        EXPECT_EQ(d.lstStyles.ListIndex(), -1);  // the paragraph has no style yet
        d.lstStyles.SetListIndex(0);
        ui::test::Click(d.cmdApply);
    });
    EXPECT_TRUE(Control().StyleDialog());
    EXPECT_EQ(Engine().Doc().paragraphs[1].format.styleName, L"Loud");
    Select(L"paragraph");
    EXPECT_TRUE(Engine().Bold());
    EXPECT_EQ(Engine().UndoKind(), 3);
    Engine().Undo();
    EXPECT_EQ(Engine().Doc().paragraphs[1].format.styleName, L"");
    ui::test::OnNextModal<StyleDialogForm>([](StyleDialogForm& d) {
        EXPECT_EQ(d.lstStyles.ListIndex(), -1);
        ui::test::Click(d.cmdCancel);
    });
    Control().StyleDialog();
}

TEST_F(TextDialogs, TableDialogSetsTheSelectedCellsOrTheWholeTable) {
    // Outside every table the dialog does not open.
    EXPECT_FALSE(Control().TableAttributesDialog());
    Engine().SetSelStart(Engine().TextLength());
    const int id = Engine().TableInsert(2, 3);
    ASSERT_NE(id, 0);
    Engine().SetTableCellAttributes(id, {{0, 0, cell::kBorderWidth, 30}});
    // The caret alone: the whole table, its shared values shown.
    Engine().SetSelStart(Engine().TableCellStart(id, 2, 2));
    Control().SetMeasureUnit(dialogs::kUnitCentimetre);
    ui::test::OnNextModal<TableDialogForm>([&](TableDialogForm& d) {
        EXPECT_TRUE(d.optTable.Value());
        EXPECT_EQ(d.Cells(), (dialogs::CellRange{id, 1, 1, 2, 3}));
        EXPECT_EQ(d.txtLeft.Text(), L"0.05");
        EXPECT_EQ(d.lblLeft.Caption(), L"&Left (cm):");
        EXPECT_EQ(d.chkBackground.Value(), 0);
        d.txtTop.SetText(L"3 in");
        ExpectRefusal(d, d.cmdOK, L"Top border", d.txtTop.hWnd());
        d.txtTop.SetText(L"0.1");
        ui::test::OnNextCommonDialog([](ui::CommonDialog& c) {
            c.Color = 0x00FF00;
            return true;
        });
        ui::test::Click(d.cmdColor);
        EXPECT_EQ(d.chkBackground.Value(), 1);
        ui::test::Click(d.cmdOK);
    });
    const int steps = Engine().UndoSteps();
    EXPECT_TRUE(Control().TableAttributesDialog());
    EXPECT_EQ(Engine().UndoSteps(), steps + 1);
    for (int c = 1; c <= 3; ++c) {
        EXPECT_EQ(Engine().TableCellAttribute(id, 1, c, cell::kBackColor), 0x00FF00);
        EXPECT_EQ(Engine().TableCellAttribute(id, 2, c, cell::kTopBorder), 57);
        EXPECT_EQ(Engine().TableCellAttribute(id, 2, c, cell::kLeftBorder), 30) << "untouched boxes change nothing";
    }
    // Two cells selected: only they change; taking the background away leaves them without one.
    Engine().Select(Engine().TableCellStart(id, 1, 2), Engine().TableCellStart(id, 1, 3));
    ui::test::OnNextModal<TableDialogForm>([&](TableDialogForm& d) {
        EXPECT_TRUE(d.optCells.Value());
        EXPECT_EQ(d.Cells(), (dialogs::CellRange{id, 1, 2, 1, 3}));
        ui::test::Click(d.chkBackground);
        EXPECT_EQ(d.chkBackground.Value(), 0);
        d.txtColumnWidth.SetText(L"2");
        ui::test::Click(d.cmdOK);
    });
    EXPECT_TRUE(Control().TableAttributesDialog());
    EXPECT_EQ(static_cast<Color>(Engine().TableCellAttribute(id, 1, 2, cell::kBackColor)), kNoColor);
    EXPECT_EQ(Engine().TableCellAttribute(id, 1, 1, cell::kBackColor), 0x00FF00);
    EXPECT_EQ(Engine().TableCellAttribute(id, 2, 3, cell::kBackColor), 0x00FF00);
    EXPECT_EQ(Engine().TableCellAttribute(id, 0, 2, cell::kColumnWidth), 1134);
    // Cancel changes nothing.
    const int before = Engine().UndoSteps();
    ui::test::OnNextModal<TableDialogForm>([](TableDialogForm& d) {
        d.txtGridWidth.SetText(L"0.5");
        ui::test::Click(d.cmdCancel);
    });
    EXPECT_FALSE(Control().TableAttributesDialog());
    EXPECT_EQ(Engine().UndoSteps(), before);
}

}  // namespace
}  // namespace tx
