// The hyperlink dialog on an editor's text, and the page chooser it opens: links made, rewritten
// and refused; pages of this module and of another one chosen, drawn and scrolled; the print zoom
// back to full size however the chooser closes.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/core/FILE.h"
#include "app/core/Hyperlinks.h"
#include "app/core/PageFile.h"
#include "app/core/tests/FrameTest.h"
#include "app/core/tests/LinkFields.h"
#include "app/dialogs/frmHyperlink.h"
#include "app/dialogs/frmLinkPageSelectDlg.h"
#include "ui/MsgBox.h"

namespace fs = std::filesystem;
using ui::testing::Utf8;

namespace {

using zv_test::Link;

class HyperlinkDialog : public zv_test::FrameTest {
protected:
    static std::vector<Link> Links() { return zv_test::LinksOf(engine()); }
    static void Hyperlink(std::function<void(frmHyperlink&)> author) {
        ui::test::OnNextModal<frmHyperlink>(std::move(author));
        frmHyperlink dialog;
        dialog.Show(ui::vbModal);
        ui::DoEvents();
    }
    static void Select(int start, int length) {
        engine().SetSelStart(start);
        engine().SetSelLength(length);
    }
    static int PrintZoom() { return editor().prtTXTextControl2->PrintZoom(); }

    // A module folder with its marker, map and the first `stored` pages stored (all when -1):
    // `pages` are (type, topic); each page holds "Page n" in large black letters. Returns the
    // marker's path.
    fs::path MakeModule(const std::wstring& code, const std::vector<std::pair<std::wstring, std::wstring>>& pages,
                        int stored = -1) {
        const fs::path folder = root_ / code;
        fs::create_directories(folder);
        std::wstring map = code + L"\r\nModule " + code + L"\r\n" + std::to_wstring(pages.size() + 1) + L"\r\n";
        for (size_t i = 0; i < pages.size(); ++i) {
            const std::wstring name = FormatPageNumber(static_cast<int>(i + 1)) + L".txm";
            map += name + L"*" + pages[i].first + (pages[i].second.empty() ? L"" : L"*" + pages[i].second) + L"\r\n";
            if (stored >= 0 && static_cast<int>(i) >= stored) continue;
            tx::TextEngine page;
            page.SetPageWidth(12240);
            page.SetPageHeight(15840);
            page.SetSelText(L"Page " + std::to_wstring(i + 1));
            page.SetSelStart(0);
            page.SetSelLength(page.TextLength());
            page.SetFontSize(72 * 20);
            page.SetBold(true);
            WritePageFile((folder / name).wstring(), page);
        }
        std::ofstream(folder / "Map.txt", std::ios::binary) << Utf8(map);
        std::ofstream(folder / (Utf8(code) + ".zvk"), std::ios::binary);
        return folder / (Utf8(code) + ".zvk");
    }
    void OpenModule(const fs::path& marker) {
        OpenModuleFile(marker.wstring());
        ui::DoEvents();
        ASSERT_NE(ActiveEditor(), nullptr);
    }

    // The pixels of a box on the screen that are not its background colour, once it has painted.
    static int InkIn(ui::PictureBox& box) {
        UpdateWindow(box.hWnd());
        RECT r;
        GetClientRect(box.hWnd(), &r);
        HDC dc = GetDC(box.hWnd());
        const COLORREF back = GetPixel(dc, 1, 1);
        int ink = 0;
        for (int y = 0; y < r.bottom; y += 2)
            for (int x = 0; x < r.right; x += 2)
                if (GetPixel(dc, x, y) != back) ++ink;
        ReleaseDC(box.hWnd(), dc);
        return ink;
    }
    static void DoubleClick(ui::PictureBox& box) {
        HWND h = box.hWnd();
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        SendMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        ui::DoEvents();
    }
};

TEST_F(HyperlinkDialog, ANewLinkReplacesTheSelectionAndLooksLikeALink) {
    frame().NewEditorWindow().Show();
    TypeText(L"Go there now");
    Select(3, 5);
    Hyperlink([](frmHyperlink& d) {
        EXPECT_EQ(d.Caption(), L"Hypertext Link");
        EXPECT_EQ(d.Frame1.Caption(), L"Link to");
        EXPECT_EQ(d.Label1.Caption(),
                  L"Type in a URL, repository item or click \"Choose page\" to link to a Document page(*.std):");
        EXPECT_EQ(d.cmdChooseFile.Caption(), L"Choose page...");
        EXPECT_EQ(d.Label2.Caption(), L"Linked &text:");
        EXPECT_EQ(d.txtLinkedText.Text(), L"there");
        EXPECT_EQ(d.txtLinkTarget.Text(), L"");
        ui::test::Type(d.txtLinkedText, L"here");
        ui::test::Type(d.txtLinkTarget, L"www.example.com");
        ui::test::Click(d.cmdOK);
    });
    EXPECT_EQ(engine().Text(), L"Go here now");
    EXPECT_EQ(Links(), (std::vector<Link>{{L"here", L"www.example.com", zv::kWebLinkKind}}));
    EXPECT_TRUE(editor().DirtyFlag);
    Select(4, 1);
    EXPECT_EQ(engine().ForeColor(), 0xFF0000u);
    EXPECT_TRUE(engine().Underline());
}

TEST_F(HyperlinkDialog, EmptyBoxesAreToldAndTheDialogStaysOpenChangingNothing) {
    frame().NewEditorWindow().Show();
    TypeText(L"Plain text");
    editor().DirtyFlag = false;
    struct Case {
        std::wstring text, target, message;
    } cases[] = {
        {L"", L"www.a.com",
         L"Hyperlink contains no text. Please enter the text to be shown as a hyperlink in the Linked Text field."},
        {L"text", L"", L"No target specified. Please enter a target URL in the Link To field."},
    };
    const std::string before = engine().SaveToBytes(tx::kFormatOwn);
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf8(c.message));
        Hyperlink([&c](frmHyperlink& d) {
            ui::test::Type(d.txtLinkedText, c.text);
            ui::test::Type(d.txtLinkTarget, c.target);
            ui::test::AnswerNextMsgBox(ui::vbOK);
            ui::test::Click(d.cmdOK);
            EXPECT_EQ(ui::test::LastMsgBox().prompt, c.message);
            EXPECT_TRUE(d.IsLoaded());
            ui::test::Click(d.cmdCancel);
        });
    }
    EXPECT_EQ(engine().SaveToBytes(tx::kFormatOwn), before);
    EXPECT_FALSE(editor().DirtyFlag);
}

TEST_F(HyperlinkDialog, TheLinkAtTheCaretIsRewrittenAndAnAnchorKeepsItsHash) {
    frame().NewEditorWindow().Show();
    TypeText(L"See the top.");
    Select(8, 3);
    Hyperlink([](frmHyperlink& d) {
        ui::test::Type(d.txtLinkTarget, L"#start");
        ui::test::Click(d.cmdOK);
    });
    Select(9, 0);  // inside the link
    Hyperlink([](frmHyperlink& d) {
        EXPECT_EQ(d.txtLinkedText.Text(), L"top");
        EXPECT_EQ(d.txtLinkTarget.Text(), L"#start");
        ui::test::Click(d.cmdOK);  // unchanged
    });
    EXPECT_EQ(Links(), (std::vector<Link>{{L"top", L"start", zv::kAnchorLinkKind}}));
    Select(9, 0);
    Hyperlink([](frmHyperlink& d) {
        ui::test::Type(d.txtLinkedText, L"beginning");
        ui::test::Type(d.txtLinkTarget, L"http://example.com/a b");
        ui::test::Click(d.cmdOK);
    });
    EXPECT_EQ(engine().Text(), L"See the beginning.");
    EXPECT_EQ(Links(), (std::vector<Link>{{L"beginning", L"http://example.com/a b", zv::kWebLinkKind}}));
}

TEST_F(HyperlinkDialog, ALinkTheControlRefusesIsToldAndNoOtherLinkChanges) {
    frame().NewEditorWindow().Show();
    TypeText(L"Read the guide here.");
    Select(9, 5);
    Hyperlink([](frmHyperlink& d) {
        ui::test::Type(d.txtLinkTarget, L"www.guide.example");
        ui::test::Click(d.cmdOK);
    });
    editor().DirtyFlag = false;
    const std::string before = engine().SaveToBytes(tx::kFormatOwn);
    Select(5, 11);  // starts before the link and runs across it
    Hyperlink([](frmHyperlink& d) {
        ui::test::Type(d.txtLinkedText, L"new");
        ui::test::Type(d.txtLinkTarget, L"#elsewhere");
        ui::test::AnswerNextMsgBox(ui::vbOK);
        ui::test::Click(d.cmdOK);
        EXPECT_EQ(ui::test::LastMsgBox().prompt, zv::HyperlinkRefusedMessage());
    });
    EXPECT_EQ(engine().SaveToBytes(tx::kFormatOwn), before);
    EXPECT_EQ(Links(), (std::vector<Link>{{L"guide", L"www.guide.example", zv::kWebLinkKind}}));
    EXPECT_FALSE(editor().DirtyFlag);
}

TEST_F(HyperlinkDialog, ThePageChooserShowsThisModulesPagesAndSetLinkWritesTheTarget) {
    OpenModule(MakeModule(L"000123", {{L"Title", L""}, {L"Topic", L"Safety"}, {L"Page", L""}}));
    engine().SetSelStart(0);
    Hyperlink([this](frmHyperlink& d) {
        ui::test::Type(d.txtLinkedText, L"next");
        ui::test::OnNextModal<frmLinkPageSelectDlg>([](frmLinkPageSelectDlg& c) {
            EXPECT_EQ(c.Caption(), L"Link To Page");
            EXPECT_EQ(c.Rows().Count(), 3);
            EXPECT_EQ(c.Label5[0].Caption(), L"Page 1\r\nPage Type: Title\r\nFile Name: 0001.txm");
            EXPECT_EQ(c.Label5[1].Caption(), L"Page 2\r\nPage Type: Topic\r\nTopic Name: Safety\r\nFile Name: 0002.txm");
            EXPECT_GT(InkIn(c.Picture3[0]), 20);  // the page's letters
            ui::test::Click(c.Command2);          // nothing chosen yet: it waits for a click
            EXPECT_TRUE(c.IsLoaded());
            ui::test::Click(c.Picture3[1]);
            EXPECT_EQ(c.Label6.Caption(), L"000123");
            EXPECT_EQ(c.Label7.Caption(), L"0002.txm");
            EXPECT_EQ(c.Label8.Caption(), L"2");
            EXPECT_EQ(c.Picture3[1].BackColor(), 0xE0E0E0u);
            EXPECT_NE(PrintZoom(), 100);  // the thumbnails were drawn small
            ui::test::Click(c.Command2);
        });
        ui::test::Click(d.cmdChooseFile);
        EXPECT_EQ(d.txtLinkTarget.Text(), L"000123\\0002.txm");
        EXPECT_EQ(PrintZoom(), 100);
        ui::test::Click(d.cmdOK);
    });
    EXPECT_EQ(Links(), (std::vector<Link>{{L"next", L"000123\\0002.txm", zv::kWebLinkKind}}));
}

TEST_F(HyperlinkDialog, EveryWayOutOfTheChooserPutsThePrintZoomBack) {
    OpenModule(MakeModule(L"000124", {{L"Page", L""}, {L"Page", L""}}));
    const struct {
        const char* name;
        void (*leave)(frmLinkPageSelectDlg&);
        std::wstring target;
    } ways[] = {
        {"Cancel", [](frmLinkPageSelectDlg& c) { ui::test::Click(c.Command3); }, L"kept"},
        {"Esc", [](frmLinkPageSelectDlg& c) { ui::test::PressKey(VK_ESCAPE); }, L"kept"},
        {"close box", [](frmLinkPageSelectDlg& c) {
             SendMessageW(c.hWnd(), WM_CLOSE, 0, 0);
             ui::DoEvents();
         }, L"kept"},
        {"double click", [](frmLinkPageSelectDlg& c) { DoubleClick(c.Picture3[1]); }, L"000124\\0002.txm"},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        Hyperlink([&way](frmHyperlink& d) {
            ui::test::Type(d.txtLinkTarget, L"kept");
            ui::test::OnNextModal<frmLinkPageSelectDlg>([&way](frmLinkPageSelectDlg& c) {
                c.Picture3[0].Refresh();
                ui::DoEvents();
                EXPECT_NE(PrintZoom(), 100);
                way.leave(c);
            });
            ui::test::Click(d.cmdChooseFile);
            EXPECT_EQ(PrintZoom(), 100);
            EXPECT_EQ(d.txtLinkTarget.Text(), way.target);
            ui::test::Click(d.cmdCancel);
        });
    }
}

TEST_F(HyperlinkDialog, AnotherModulesPagesAreShownWithoutTouchingTheOpenModule) {
    OpenModule(MakeModule(L"000125", {{L"Page", L""}, {L"Page", L""}, {L"Topic", L"Here"}}));
    const fs::path other = MakeModule(L"000777", {{L"Page", L""}, {L"Topic", L"There"}});
    const fs::path broken = root_ / "broken" / "000888.zvk";
    fs::create_directories(broken.parent_path());
    std::ofstream(broken.parent_path() / "Map.txt", std::ios::binary) << "000888\r\nBroken\r\n3\r\nno star here\r\n";
    std::ofstream(broken, std::ios::binary);
    const int counter = App().PageCounter;
    Hyperlink([&](frmHyperlink& d) {
        ui::test::OnNextModal<frmLinkPageSelectDlg>([&](frmLinkPageSelectDlg& c) {
            ui::test::Click(c.Picture3[2]);  // a selection the other module's rows do not have
            ui::test::ChooseFileInNextDialog(other.wstring());
            ui::test::Click(c.Command1);
            const ui::test::CommonDialogRecord asked = ui::test::CommonDialogs().back();
            EXPECT_EQ(asked.title, L"Open");
            EXPECT_EQ(asked.filter, L"Zorvik 2.0 (*.zvk)|*.zvk");
            EXPECT_EQ(asked.flags, 0x1804);
            EXPECT_EQ(c.Rows().Count(), 2);
            EXPECT_EQ(c.Label5[0].Caption(), L"Page 1");
            EXPECT_EQ(c.Label5[1].Caption(), L"Page 2");
            EXPECT_EQ(c.Label7.Caption(), L"");  // the selection went with the old rows
            ui::test::Click(c.Command2);
            EXPECT_TRUE(c.IsLoaded());
            EXPECT_GT(InkIn(c.Picture3[1]), 20);  // drawn from the other module's folder

            // A damaged map: told, and the rows stay.
            ui::test::ChooseFileInNextDialog(broken.wstring());
            ui::test::AnswerNextMsgBox(ui::vbOK);
            ui::test::Click(c.Command1);
            EXPECT_NE(ui::test::LastMsgBox().prompt.find(L"Map.txt"), std::wstring::npos);
            EXPECT_EQ(c.Rows().Count(), 2);
            EXPECT_EQ(c.Rows().ModuleCode(), L"000777");

            ui::test::CancelNextDialog();  // Select Module cancelled: nothing changes, no message
            ui::test::Click(c.Command1);
            EXPECT_EQ(c.Rows().Count(), 2);

            ui::test::Click(c.Picture3[1]);
            EXPECT_EQ(c.Label6.Caption(), L"000777");
            ui::test::Click(c.Command2);
        });
        ui::test::Click(d.cmdChooseFile);
        EXPECT_EQ(d.txtLinkTarget.Text(), L"000777\\0002.txm");

        // Opened again, the chooser starts with the open module.
        ui::test::OnNextModal<frmLinkPageSelectDlg>([](frmLinkPageSelectDlg& c) {
            EXPECT_EQ(c.Rows().Count(), 3);
            EXPECT_EQ(c.Rows().ModuleCode(), L"000125");
            ui::test::Click(c.Command3);
        });
        ui::test::Click(d.cmdChooseFile);
        ui::test::Click(d.cmdCancel);
    });
    EXPECT_EQ(App().ModuleCode, L"000125");
    EXPECT_EQ(App().ModuleName, L"Module 000125");
    EXPECT_EQ(App().PageCounter, counter);
    std::int32_t count = 0;
    std::vector<std::wstring> names, types, topics;
    App().PageList.GetAllPageInfo(count, names, types, topics);
    EXPECT_EQ(count, 3);
}

TEST_F(HyperlinkDialog, OnePageAndAPageThatCannotBeReadShowNoMessage) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::wstring, std::wstring>> pages;
        int stored;
        int rows;
    } cases[] = {
        {"one page", {{L"Page", L""}}, -1, 1},
        {"a page not stored", {{L"Page", L""}, {L"Page", L""}}, 1, 2},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenModule(MakeModule(L"00030" + std::to_wstring(n++), c.pages, c.stored));
        Hyperlink([&c](frmHyperlink& d) {
            ui::test::OnNextModal<frmLinkPageSelectDlg>([&c](frmLinkPageSelectDlg& chooser) {
                EXPECT_EQ(chooser.Rows().Count(), c.rows);
                EXPECT_EQ(chooser.Picture3.Count(), c.rows);  // no place without a row to show
                EXPECT_GT(InkIn(chooser.Picture3[0]), 20);
                if (c.rows > 1) {
                    EXPECT_EQ(InkIn(chooser.Picture3[1]), 0);  // blank, and no message box
                }
                ui::test::Click(chooser.Command3);
            });
            ui::test::Click(d.cmdChooseFile);
            ui::test::Click(d.cmdCancel);
        });
    }
}

TEST_F(HyperlinkDialog, FourHundredPagesScrollToTheLastRowWithFewWindows) {
    std::vector<std::pair<std::wstring, std::wstring>> pages(400, {L"Page", L""});
    OpenModule(MakeModule(L"000400", pages));
    Hyperlink([](frmHyperlink& d) {
        ui::test::OnNextModal<frmLinkPageSelectDlg>([](frmLinkPageSelectDlg& c) {
            EXPECT_LE(c.Picture3.Count(), 4);
            EXPECT_EQ(c.VScroll1.Max(), 399);
            c.VScroll1.SetValue(399);
            ui::DoEvents();
            EXPECT_EQ(c.RowOfPlace(0), 399);
            EXPECT_EQ(c.Label5[0].Caption(), L"Page 400\r\nPage Type: Page\r\nFile Name: 0400.txm");
            EXPECT_TRUE(c.Picture3[0].Visible());
            EXPECT_FALSE(c.Picture3[1].Visible());
            EXPECT_GT(InkIn(c.Picture3[0]), 20);
            // Painted again from its bitmap, not drawn from the file again.
            const int rendered = c.ThumbnailsRendered();
            c.Picture3[0].Refresh();
            ui::DoEvents();
            EXPECT_EQ(c.ThumbnailsRendered(), rendered);
            ui::test::Click(c.Picture3[0]);
            ui::test::Click(c.Command2);
        });
        ui::test::Click(d.cmdChooseFile);
        EXPECT_EQ(d.txtLinkTarget.Text(), L"000400\\0400.txm");
        ui::test::Click(d.cmdCancel);
    });
}

}  // namespace
