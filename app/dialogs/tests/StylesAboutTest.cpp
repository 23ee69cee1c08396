// The styles dialog on an editor's styles, and the about box's texts.
#include <gtest/gtest.h>

#include "app/core/frmStartUpDlg.h"
#include "app/core/tests/FrameTest.h"
#include "app/dialogs/frmAboutDlg.h"
#include "app/dialogs/frmStylesDlg.h"

using ui::testing::Utf8;

namespace {

class StylesDialog : public zv_test::FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        frame().NewEditorWindow().Show();
        TypeText(L"Heading\rBody text\rMore text");
        tx::Style heading{L"Heading", {}, {}};
        heading.chars.bold = true;
        heading.chars.size = 320;
        heading.para.align = tx::Align::Center;
        tx::Style quote{L"Quote", {}, {}};
        quote.chars.italic = true;
        quote.para.leftIndent = 720;
        engine().AddStyle(heading);
        engine().AddStyle(quote);
        engine().SetSelStart(0);
        engine().ApplyStyle(L"Heading");
        engine().SetSelStart(10);  // in "Body text"
    }
    static void Styles(std::function<void(frmStylesDlg&)> author) {
        ui::test::OnNextModal<frmStylesDlg>(std::move(author));
        frmStylesDlg dialog;
        dialog.tx = &editor().TXTextControl1;
        dialog.Show(ui::vbModal);
        ui::DoEvents();
    }
    static const tx::Paragraph& Para(int i) { return engine().Doc().paragraphs[static_cast<size_t>(i)]; }
    static std::vector<std::wstring> Listed(frmStylesDlg& d) {
        std::vector<std::wstring> names;
        for (int i = 0; i < d.List1.ListCount(); ++i) names.push_back(d.List1.List(i));
        return names;
    }
};

TEST_F(StylesDialog, SeparatorsAreEtchedDoubleLines) {
    Styles([](frmStylesDlg& d) {
        EXPECT_EQ(d.Caption(), L"Style");
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(d.Line2[i].X1(), d.Line1[i].X1());
            EXPECT_EQ(d.Line2[i].X2(), d.Line1[i].X2());
            EXPECT_EQ(d.Line2[i].Y1(), d.Line1[i].Y1() + 10);
            EXPECT_EQ(d.Line2[i].Y2(), d.Line1[i].Y2() + 10);
        }
        ui::test::Click(d.Command4);
    });
}

TEST_F(StylesDialog, TheListShowsAllStylesOrThoseInUseAndTellsTheChosenOne) {
    Styles([](frmStylesDlg& d) {
        EXPECT_EQ(d.Combo1.Text(), L"All Styles");
        EXPECT_EQ(Listed(d), (std::vector<std::wstring>{L"Heading", L"Quote"}));
        d.Combo1.SetListIndex(1);
        EXPECT_EQ(d.Combo1.Text(), L"Styles in Use");
        EXPECT_EQ(Listed(d), (std::vector<std::wstring>{L"Heading"}));
        d.Combo1.SetListIndex(0);
        d.List1.SetListIndex(1);
        EXPECT_EQ(d.Label4.Caption(), L"Arial 12 pt, italic; left aligned, indent left 0.50 inch") << Utf8(d.Label4.Caption());
        EXPECT_EQ(d.Label1[1].Caption(), L"AaBbYyZz");
        EXPECT_TRUE(d.Label1[1].Font().Italic);
        ui::test::Click(d.Command4);
    });
}

TEST_F(StylesDialog, ApplyGivesTheStyleToTheSelectedParagraph) {
    Styles([](frmStylesDlg& d) {
        d.List1.SetListIndex(1);
        ui::test::Click(d.Command5);
    });
    EXPECT_EQ(Para(1).format.styleName, L"Quote");
    EXPECT_EQ(Para(1).format.leftIndent, 720);
    EXPECT_TRUE(engine().Italic());
    EXPECT_EQ(Para(2).format.styleName, L"");
    EXPECT_EQ(Para(0).format.styleName, L"Heading");
}

TEST_F(StylesDialog, DeleteRemovesTheStyleAndItsParagraphsKeepTheirLook) {
    Styles([](frmStylesDlg& d) {
        d.List1.SetListIndex(0);
        ui::test::Click(d.Command3);
        EXPECT_EQ(Listed(d), (std::vector<std::wstring>{L"Quote"}));
        ui::test::Click(d.Command4);
    });
    ASSERT_EQ(engine().Doc().styles.size(), 1u);
    EXPECT_EQ(engine().Doc().styles[0].name, L"Quote");
    EXPECT_EQ(Para(0).format.styleName, L"");
    EXPECT_EQ(Para(0).format.align, tx::Align::Center);
    engine().SetSelStart(1);
    EXPECT_TRUE(engine().Bold());
}

TEST_F(StylesDialog, CancelAndEscChangeNothing) {
    const std::string before = engine().SaveToBytes(tx::kFormatOwn);
    Styles([](frmStylesDlg& d) {
        d.List1.SetListIndex(1);
        ui::test::Click(d.Command4);
    });
    Styles([](frmStylesDlg& d) {
        d.List1.SetListIndex(1);
        d.List1.SetFocus();
        ui::test::PressKey(VK_ESCAPE);
        ui::DoEvents();
    });
    EXPECT_EQ(engine().SaveToBytes(tx::kFormatOwn), before);
}

TEST_F(StylesDialog, TheAboutBoxShowsTheStartUpWindowsTexts) {
    frmStartUpDlg startUp;
    ui::test::OnNextModal<frmAboutDlg>([&startUp](frmAboutDlg& d) {
        EXPECT_EQ(d.Caption(), startUp.Caption());
        EXPECT_NE(d.lblTitle.Caption().find(startUp.lblProduct.Caption()), std::wstring::npos);
        EXPECT_NE(d.lblTitle.Caption().find(startUp.lblVersion.Caption()), std::wstring::npos);
        EXPECT_NE(d.lblDescription.Caption().find(startUp.lblDescription.Caption()), std::wstring::npos);
        EXPECT_NE(d.lblDescription.Caption().find(startUp.lblCopyright.Caption()), std::wstring::npos);
        ui::test::Click(d.cmdOK);
    });
    frmAboutDlg about;
    about.Show(ui::vbModal);
    EXPECT_FALSE(about.IsLoaded());
}

}  // namespace
