// Pictures, hyperlinks and automatic web links in the editor as an author makes them: menu items,
// toolbar keys and real key messages; Undo; pages stored and read back.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/core/AppState.h"
#include "app/core/Hyperlinks.h"
#include "app/core/PageFile.h"
#include "app/core/tests/LinkFields.h"
#include "app/dialogs/frmHyperlink.h"
#include "app/dialogs/frmLinkPageSelectDlg.h"
#include "app/editor/LinkTargets.h"
#include "app/editor/tests/EditorTest.h"
#include "base/Files.h"
#include "components/textcontrol/win32/tests/TestImages.h"
#include "ui/MsgBox.h"

namespace fs = std::filesystem;
using ui::testing::Utf8;
using zv_test::Link;
using zv_test::LinksOf;

namespace {

constexpr wchar_t kImageFilter[] =
    L"JPEG File Interchange Format(.JPG, .JPEG)|*.jpg|Windows Bitmap(.BMP)|*.bmp|Tagged Image Format(.TIF)|*.tif|"
    L"Windows Metafile(.WMF)|*.wmf|Portable Network Graphics(.PNG)|*.png";

class EditorPictures : public zv_test::EditorTest {
protected:
    fs::path WriteBytes(const std::string& name, const std::string& bytes) {
        const fs::path path = root_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static const tx::Object& Current() { return *engine().Doc().FindObject(engine().ObjectCurrent()); }
    static void ToolbarKey(const std::wstring& key) {
        ui::ToolbarButton& button = frame().Toolbar1.Buttons(key);
        ASSERT_TRUE(button.Enabled()) << Utf8(key);
        frame().Toolbar1.OnButtonCommand(button.CommandId());
        ui::DoEvents();
    }
};

TEST_F(EditorPictures, EveryFormatOfTheDialogGoesInAtTheCaretAndIsStored) {
    const fs::path folder = OpenModule(L"000501", {L"Pictures here"});
    const std::uint32_t red = 0x00FF0000;
    const struct {
        const char* file;
        std::string bytes;
        int filterIndex;
        tx::ImageType type;
    } cases[] = {
        {"a.jpg", tx::testing::EncodeSolid(GUID_ContainerFormatJpeg, red), 1, tx::ImageType::Jpeg},
        {"b.bmp", tx::testing::EncodeSolid(GUID_ContainerFormatBmp, red), 2, tx::ImageType::Bmp},
        {"c.tif", tx::testing::EncodeSolid(GUID_ContainerFormatTiff, red), 3, tx::ImageType::Tiff},
        {"d.wmf", tx::testing::RedMetafile(), 4, tx::ImageType::Wmf},
        {"e.png", tx::testing::EncodeSolid(GUID_ContainerFormatPng, red), 5, tx::ImageType::Png},
    };
    int caret = 8;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_FALSE(c.bytes.empty());
        engine().SetSelStart(caret);
        ui::test::ChooseFileInNextDialog(WriteBytes(c.file, c.bytes).wstring(), c.filterIndex);
        Choose(editor().mnuInsert_ImageAtCaretPosition);
        const ui::test::CommonDialogRecord asked = ui::test::CommonDialogs().back();
        EXPECT_EQ(asked.kind, L"Open");
        EXPECT_EQ(asked.title, L"Insert Image");
        EXPECT_EQ(asked.filter, kImageFilter);
        EXPECT_EQ(asked.fileName, L"");
        EXPECT_EQ(asked.flags, 6148);
        ASSERT_NE(engine().ObjectCurrent(), 0);
        EXPECT_EQ(Current().imageType, c.type);
        EXPECT_FALSE(Current().fixed);
        EXPECT_EQ(Current().anchor, caret);
        ++caret;
    }
    EXPECT_TRUE(editor().DirtyFlag);
    // Stored with the page and read back.
    WritePageFile((folder / "check.txm").wstring(), engine());
    tx::TextEngine reread;
    LoadPageFile((folder / "check.txm").wstring(), reread, true);
    ASSERT_EQ(reread.Doc().objects.size(), 5u);
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(reread.Doc().objects[i].imageType, cases[i].type);
}

TEST_F(EditorPictures, AFixedPictureGoesWhereTheAuthorLooks) {
    OpenModule(L"000502", {L"A short page: the view scrolls over the whole sheet"});
    control().SetScrollPosY(4000);
    ui::DoEvents();
    const int top = control().VisiblePageTop();
    ASSERT_GT(top, 0);  // the view really is scrolled
    const fs::path picture = WriteBytes("f.png", tx::testing::EncodeSolid(GUID_ContainerFormatPng, 0x0000FF00));
    for (bool toolbar : {true, false}) {
        SCOPED_TRACE(toolbar ? "toolbar" : "menu");
        ui::test::ChooseFileInNextDialog(picture.wstring());
        if (toolbar) {
            ToolbarKey(L"insert_image");
        } else {
            Choose(editor().mnuInsert_ImageAsFixedObject);
        }
        ASSERT_NE(engine().ObjectCurrent(), 0);
        EXPECT_TRUE(Current().fixed);
        EXPECT_EQ(Current().x, 1000);
        EXPECT_EQ(Current().y, top + 1000);
    }
    // The other key puts it in the text at the caret.
    engine().SetSelStart(3);
    ui::test::ChooseFileInNextDialog(picture.wstring());
    ToolbarKey(L"insert_image_fixed");
    EXPECT_FALSE(Current().fixed);
    EXPECT_EQ(Current().anchor, 3);
}

TEST_F(EditorPictures, AFileThatIsNoPictureIsToldAndCancelDoesNothing) {
    OpenModule(L"000503", {L"Unchanged"});
    const std::string before = engine().SaveToBytes(tx::kFormatOwn);
    const fs::path bad = WriteBytes("notes.png", "these are words, not a picture");
    ui::test::ChooseFileInNextDialog(bad.wstring());
    ui::test::AnswerNextMsgBox(ui::vbOK);
    Choose(editor().mnuInsert_ImageAsFixedObject);
    const std::wstring prompt = ui::test::LastMsgBox().prompt;
    EXPECT_EQ(prompt.rfind(L"Cannot Insert image: " + bad.wstring() + L". Error ", 0), 0u) << Utf8(prompt);
    EXPECT_EQ(engine().SaveToBytes(tx::kFormatOwn), before);
    EXPECT_FALSE(editor().DirtyFlag);

    ui::test::CancelNextDialog();  // nothing happens and nothing is shown
    Choose(editor().mnuInsert_ImageAtCaretPosition);
    EXPECT_EQ(engine().SaveToBytes(tx::kFormatOwn), before);
    EXPECT_EQ(ui::test::MsgBoxes().size(), 1u);
}

class EditorAutoLinks : public zv_test::EditorTest {
protected:
    // Characters typed on the keyboard: each key down and up through the message loop, which
    // makes its character, Shift held where the character needs it.
    static void TypeKeys(const std::wstring& keys) {
        for (wchar_t c : keys) {
            if (c == L'\r') {
                Key(VK_RETURN);
                continue;
            }
            const SHORT scan = VkKeyScanW(c);
            ASSERT_NE(scan, -1) << "no key for " << static_cast<int>(c);
            Key(LOBYTE(scan), (HIBYTE(scan) & 1) ? zv_test::kShiftKey : 0);
        }
    }
    // Undo until the text holds no link; the number of steps that took.
    static int UndoLinks() {
        int steps = 0;
        while (!LinksOf(engine()).empty() && steps < 10) {
            engine().Undo();
            ++steps;
        }
        return steps;
    }
};

TEST_F(EditorAutoLinks, ATypedWordEndLinksAnAddressAndUndoTakesTheLinkThenTheTyping) {
    OpenModule(L"000510", {L""});
    struct Case {
        const char* name;
        std::wstring keys;
        bool shiftEnter;
        std::wstring text;
        std::vector<Link> links;
    } cases[] = {
        {"www and space", L"see www.example.com ", false, L"see www.example.com ",
         {{L"www.example.com", L"http://www.example.com", 1}}},
        {"http and Enter", L"http://a.org/x\r", false, L"http://a.org/x\n", {{L"http://a.org/x", L"http://a.org/x", 1}}},
        {"Shift+Enter", L"w3.org", true, L"w3.org\v", {{L"w3.org", L"http://w3.org", 1}}},
        {"capitals", L"WWW.A.COM ", false, L"WWW.A.COM ", {}},
        {"keyword inside a word", L"xwww.a.com ", false, L"xwww.a.com ", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        engine().SetSelStart(0);
        engine().SetSelLength(engine().TextLength());
        engine().SetSelText(L"");
        TypeKeys(c.keys);
        if (c.shiftEnter) Key(VK_RETURN, zv_test::kShiftKey);
        EXPECT_EQ(engine().Text(), c.text);
        EXPECT_EQ(LinksOf(engine()), c.links);
        EXPECT_EQ(engine().SelStart(), static_cast<int>(c.text.size()));
        if (c.links.empty()) continue;
        EXPECT_LT(UndoLinks(), 10);
        EXPECT_EQ(engine().Text(), c.text);  // the word end stays with the typing
        engine().Undo();
        EXPECT_EQ(engine().Text(), L"") << "the typing and its word end are one step";
    }
}

// A word end is typed by the editor, not by the control; the view must follow the caret as it
// does for every other typed key: Enter on the last line in view, after a word, a link or a Tab.
TEST_F(EditorAutoLinks, TheViewFollowsTheCaretOverWordEndsTheEditorTypes) {
    OpenModule(L"000513", {L""});
    RECT client{};
    GetClientRect(TextWindow(), &client);
    const auto caretInView = [&] {
        ui::DoEvents();
        const POINT top = control().PositionToClient(engine().SelStart());
        const POINT middle = PointOf(engine().SelStart());
        return top.y >= 0 && middle.y < client.bottom;
    };
    for (const wchar_t* keys : {L"line\r", L"see www.a.org\r", L"tab\t\r"}) {
        control().SetScrollPosY(0);
        engine().SetSelStart(0);
        engine().SetSelLength(engine().TextLength());
        engine().SetSelText(L"");
        // Down the page until the view has had to follow, each word end with the caret in view.
        for (int i = 0; i < 60 && control().ScrollPosY() == 0; ++i) {
            TypeKeys(keys);
            ASSERT_TRUE(caretInView()) << Utf8(keys) << ": caret at " << engine().SelStart();
        }
        EXPECT_GT(control().ScrollPosY(), 0) << Utf8(keys);
    }
}

TEST_F(EditorAutoLinks, InOverwriteModeTheWordEndOverwritesAsTypingDoes) {
    OpenModule(L"000511", {L"abcdefghijklmnop"});
    engine().SetSelStart(0);
    Key(VK_INSERT);
    ASSERT_FALSE(engine().InsertMode());
    TypeKeys(L"www.a.de ");
    EXPECT_EQ(engine().Text(), L"www.a.de jklmnop");
    EXPECT_EQ(LinksOf(engine()), (std::vector<Link>{{L"www.a.de", L"http://www.a.de", 1}}));
}

TEST_F(EditorAutoLinks, ACaretMovedOtherThanByTypingStartsTheNextWord) {
    OpenModule(L"000512", {L""});
    struct Case {
        const char* name;
        std::wstring before;
        int key;
        std::wstring text;
    } cases[] = {
        // The matcher that saw "www." must not link from its old start over the moved caret.
        {"Left", L"www.abc", VK_LEFT, L"www.ab c"},
        {"Home", L"www.abc", VK_HOME, L" www.abc"},
        {"Backspace", L"www.abc", VK_BACK, L"www.ab "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        engine().SetSelStart(0);
        engine().SetSelLength(engine().TextLength());
        engine().SetSelText(L"");
        TypeKeys(c.before);
        Key(c.key);
        TypeKeys(L" ");
        EXPECT_EQ(engine().Text(), c.text);
        EXPECT_EQ(LinksOf(engine()), std::vector<Link>{});
    }
    // A click in the middle of a word: only what is typed after it is linked.
    engine().SetSelStart(0);
    engine().SetSelLength(engine().TextLength());
    engine().SetSelText(L"abcdef");
    Click(PointOf(3));
    ASSERT_EQ(engine().SelStart(), 3);
    TypeKeys(L"www.x ");
    EXPECT_EQ(engine().Text(), L"abcwww.x def");
    EXPECT_EQ(LinksOf(engine()), (std::vector<Link>{{L"www.x", L"http://www.x", 1}}));
}

TEST_F(EditorAutoLinks, EveryPasteRoadPastesOnceAndLinksOnce) {
    OpenModule(L"000513", {L""});
    const std::wstring pasted = L"see www.a.com and http://b.org now";
    const std::vector<Link> links = {{L"http://b.org", L"http://b.org", 1}, {L"www.a.com", L"http://www.a.com", 1}};
    struct Road {
        const char* name;
        void (*paste)();
    } roads[] = {
        {"Ctrl+V", [] { Key('V', zv_test::kCtrlKey); }},
        {"Shift+Insert", [] { Key(VK_INSERT, zv_test::kShiftKey); }},
        {"Edit menu", [] { Choose(editor().mnuEdit_Paste); }},
        {"toolbar", [] {
             ui::ToolbarButton& button = frame().Toolbar1.Buttons(L"Paste");
             frame().Toolbar1.OnButtonCommand(button.CommandId());
             ui::DoEvents();
         }},
    };
    for (const auto& road : roads) {
        SCOPED_TRACE(road.name);
        engine().SetSelStart(0);
        engine().SetSelLength(engine().TextLength());
        engine().SetSelText(L"");
        ToClipboard(pasted);
        road.paste();
        std::vector<Link> sorted = LinksOf(engine());
        std::sort(sorted.begin(), sorted.end(), [](const Link& a, const Link& b) { return a.text < b.text; });
        EXPECT_EQ(engine().Text(), pasted);
        EXPECT_EQ(sorted, links);
        EXPECT_FALSE(App().AutoLinkPending);
        EXPECT_EQ(engine().SelStart(), static_cast<int>(pasted.size()));
    }
}

TEST_F(EditorAutoLinks, APageLinkMadeThroughTheChooserIsFollowedInThisModuleOnly) {
    const fs::path folder = OpenModule(L"000520", {L"First page", L"Second page"});
    const fs::path other = root_ / "000521";
    fs::create_directories(other);
    std::ofstream(other / "Map.txt", std::ios::binary) << "000521\r\nOther\r\n2\r\n0001.txm*Page\r\n";
    std::ofstream(other / "000521.zvk", std::ios::binary);
    engine().SetSelStart(engine().TextLength());
    for (bool otherModule : {true, false}) {
        SCOPED_TRACE(otherModule ? "another module" : "this module");
        engine().SetSelStart(engine().TextLength());
        engine().SetSelText(L" ");  // behind a link the caret would stand in it
        const std::wstring shown = otherModule ? L"elsewhere" : L"onwards";
        ui::test::OnNextModal<frmHyperlink>([&](frmHyperlink& d) {
            ui::test::Type(d.txtLinkedText, shown);
            ui::test::OnNextModal<frmLinkPageSelectDlg>([&](frmLinkPageSelectDlg& c) {
                if (otherModule) {
                    ui::test::ChooseFileInNextDialog((other / "000521.zvk").wstring());
                    ui::test::Click(c.Command1);
                    ui::test::Click(c.Picture3[0]);
                } else {
                    ui::test::Click(c.Picture3[1]);
                }
                ui::test::Click(c.Command2);
            });
            ui::test::Click(d.cmdChooseFile);
            ui::test::Click(d.cmdOK);
        });
        Choose(editor().mnuInsert_Hypertext);
    }
    ASSERT_EQ(LinksOf(engine()).size(), 2u);
    const int elsewhere = static_cast<int>(engine().Text().find(L"elsewhere"));
    ui::test::AnswerNextMsgBox(ui::vbOK);
    Click(PointOf(elsewhere + 1));
    EXPECT_EQ(ui::test::LastMsgBox().prompt, OutsideModuleMessage(L"000521\\0001.txm"));
    EXPECT_EQ(App().CurrentPageNo, 1);

    const int onwards = static_cast<int>(engine().Text().find(L"onwards"));
    editor().DirtyFlag = false;  // the page goes without asking to store it
    Click(PointOf(onwards + 1));
    EXPECT_EQ(engine().Text(), L"Second page");
    EXPECT_EQ(App().CurrentPageNo, 2);
    (void)folder;
}

}  // namespace
