// The image attribute dialog on an editor's current object: no object, a movie placeholder, and an
// image whose distances and storage choice are written, stored, loaded and laid out.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "app/core/PageFile.h"
#include "app/core/tests/FrameTest.h"
#include "app/dialogs/frmImageDlg.h"
#include "app/dialogs/tests/PagePixels.h"
#include "ui/MsgBox.h"

using ui::testing::Utf8;

namespace {

// A black bitmap file of w x h pixels.
std::string BlackBmp(int w, int h) {
    const int stride = ((w * 3 + 3) / 4) * 4;
    const int size = 54 + stride * h;
    std::string b(static_cast<size_t>(size), '\0');
    auto put = [&](int at, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) b[static_cast<size_t>(at + i)] = static_cast<char>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put(2, static_cast<std::uint32_t>(size), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(w), 4);
    put(22, static_cast<std::uint32_t>(h), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    return b;
}

class ImageDialog : public zv_test::FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        frame().NewEditorWindow().Show();
        TypeText(L"Before after");
    }
    static void Attributes(std::function<void(frmImageDlg&)> author) {
        ui::test::OnNextModal<frmImageDlg>(std::move(author));
        frmImageDlg dialog;
        dialog.tx = &editor().TXTextControl1;
        dialog.Show(ui::vbModal);
        ui::DoEvents();
    }
    // A 32 x 32 pixel image in the line after "Before " (480 x 480 twips), made current.
    static int InsertImage() {
        const int id = engine().ObjectInsertImage(BlackBmp(32, 32), false, 7, 0);
        engine().SetObjectCurrent(id);
        return id;
    }
    static std::string Own() { return engine().SaveToBytes(tx::kFormatOwn); }
};

TEST_F(ImageDialog, WithoutAnObjectOrWithAMoviePlaceholderNothingCanBeSetAndOkWritesNothing) {
    for (bool movie : {false, true}) {
        SCOPED_TRACE(movie ? "a movie placeholder" : "no object");
        if (movie) {
            const int placeholder = engine().ObjectInsertFixed(1, L"", 1440, 1440, 100, 100);
            engine().SetObjectName(placeholder, L"intro.swf,0");  // named as the editor names its movies
            engine().SetObjectCurrent(placeholder);
        }
        const std::string before = Own();
        Attributes([](frmImageDlg& d) {
            EXPECT_EQ(d.Caption(), L"Image Attributes");
            for (ui::TextBox* box : {&d.txtLeftBorder, &d.txtTopBorder, &d.txtRightBorder, &d.txtBottomBorder}) {
                EXPECT_FALSE(box->Enabled());
                EXPECT_EQ(box->Text(), L"");
            }
            EXPECT_FALSE(d.lblMeasurement[0].Enabled());
            EXPECT_FALSE(d.optEmbed.Enabled());
            EXPECT_FALSE(d.optSaveToFile.Enabled());
            EXPECT_FALSE(d.cboFileFormats.Enabled());
            EXPECT_EQ(d.cboFileFormats.ListCount(), 0);
            ui::test::Click(d.btnOK);
        });
        EXPECT_EQ(Own(), before);
    }
}

TEST_F(ImageDialog, AnImagesDistancesAndStorageAreWrittenStoredAndLaidOut) {
    const int id = InsertImage();
    engine().SetObjectDistance(1, 100);
    engine().SetObjectDistance(2, 100);
    const int afterX = engine().PositionToPoint(8).x;
    Attributes([](frmImageDlg& d) {
        EXPECT_EQ(d.txtLeftBorder.Text(), L"0.07");
        EXPECT_EQ(d.txtRightBorder.Text(), L"0.00");
        EXPECT_EQ(d.lblMeasurement[3].Caption(), L"inch");
        EXPECT_TRUE(d.optEmbed.Value());
        ASSERT_EQ(d.cboFileFormats.ListCount(), 1);
        EXPECT_EQ(d.cboFileFormats.List(0), L"BMP");
        EXPECT_EQ(d.cboFileFormats.ListIndex(), -1);
        ui::test::Type(d.txtRightBorder, L"0.5");
        ui::test::Click(d.optSaveToFile);
        d.cboFileFormats.SetListIndex(0);
        ui::test::Click(d.btnOK);
    });
    engine().SetObjectCurrent(id);
    EXPECT_EQ(engine().ObjectDistance(1), 100) << "an untouched 100 came back as 101";
    EXPECT_EQ(engine().ObjectDistance(2), 100);
    EXPECT_EQ(engine().ObjectDistance(3), 720);
    EXPECT_EQ(engine().ObjectDistance(4), 0);
    EXPECT_FALSE(engine().ObjectEmbedded());
    EXPECT_EQ(engine().ObjectSaveFormat(), 1);
    EXPECT_EQ(engine().PositionToPoint(8).x, afterX + 720) << "the text after the image keeps its distance";

    // Stored as a page and loaded again, the image keeps all of it; the page file holds the bytes.
    const std::wstring path = (root_ / L"0001.txm").wstring();
    WritePageFile(path, engine());
    tx::TextEngine loaded;
    LoadPageFile(path, loaded, true);
    ASSERT_EQ(loaded.Doc().objects.size(), 1u);
    const tx::Object& back = loaded.Doc().objects[0];
    EXPECT_EQ(back.distance, (std::array<int, 4>{100, 100, 720, 0}));
    EXPECT_FALSE(back.embedded);
    EXPECT_EQ(back.saveFormat, 1);
    ASSERT_TRUE(back.image);
    EXPECT_EQ(*back.image, BlackBmp(32, 32));

    // On the printed page the image stands its left distance after "Before ".
    const PagePixels page = PrintFirstPage(editor().TXTextControl1);
    const tx::PlacedObject placed = engine().GetLayout().Objects()[0];
    const int y = page.Px(placed.y + placed.height / 2);
    const int expectedX = page.Px(placed.x);
    EXPECT_EQ(placed.x, engine().PositionToPoint(7).x + 100);
    EXPECT_TRUE(page.Ink(expectedX + 2, y));
    EXPECT_FALSE(page.Ink(expectedX - 3, y)) << "the room before the image is not empty";
}

TEST_F(ImageDialog, ABadDistanceIsRefusedNamingItsBoxAndNothingIsWritten) {
    InsertImage();
    const std::string before = Own();
    const struct {
        ui::TextBox frmImageDlg::*box;
        const wchar_t* text;
        const wchar_t* name;
    } cases[] = {{&frmImageDlg::txtTopBorder, L"abc", L"Top"},
                 {&frmImageDlg::txtBottomBorder, L"-1", L"Bottom"},
                 {&frmImageDlg::txtRightBorder, L"23", L"Right"}};  // 33120 twips
    for (const auto& c : cases) {
        ui::test::AnswerNextMsgBox(ui::vbOK);
        Attributes([&c](frmImageDlg& d) {
            ui::test::Type(d.txtLeftBorder, L"1");  // a good entry that must not be written either
            ui::test::Type(d.*c.box, c.text);
            ui::test::Click(d.optSaveToFile);
            ui::test::Click(d.btnOK);
            EXPECT_TRUE(d.IsLoaded());
            EXPECT_NE(ui::test::LastMsgBox().prompt.find(c.name), std::wstring::npos) << Utf8(ui::test::LastMsgBox().prompt);
            ui::test::Click(d.btnCancel);
        });
        EXPECT_EQ(Own(), before) << Utf8(c.name);
    }
}

}  // namespace
