// Movies in the editor as an author meets them: inserted from the toolbar and the Insert menu,
// copied into the module's Movies folder, named, stored and brought back with their players; the
// players' members read back by name; cancel, a failed copy, a second movie refused; the stored
// names a page may hold; Alt hiding the player; many page changes leaving nothing behind; a printed
// page showing the poster; the Movie Attributes dialog; Delete Movie and the files a save deletes.
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/core/AppState.h"
#include "app/core/DialogCommands.h"
#include "app/core/MovieInsertion.h"
#include "app/core/PageControl.h"
#include "app/core/frmPageTypeDlg.h"
#include "app/dialogs/frmMoviePropertiesDlg.h"
#include "app/editor/StoredPage.h"
#include "app/editor/tests/EditorTest.h"
#include "base/Files.h"
#include "components/players/tests/MovieFixtures.h"
#include "components/textcontrol/formats/RtfReader.h"
#include "ui/Printer.h"
#include "ui/testing/ServerLibrary.h"

namespace fs = std::filesystem;
using ui::testing::Utf8;

namespace {


// A page of the test module: its text and the names of the placeholders it holds.
struct PageSpec {
    std::wstring text;
    std::vector<std::wstring> placeholders;
    // The placeholders' stored extent in twips: by default the box of "clip.swf", a 320 x 240
    // movie whose player sizes its box so (a box of another size is changed, and the page with it).
    int width = 4800, height = 3600;
};

class EditorMovies : public zv_test::EditorTest {
protected:
    static void SetUpTestSuite() { OleInitialize(nullptr); }
    static void TearDownTestSuite() { OleUninitialize(); }

    void SetUp() override {
        EditorTest::SetUp();
        players_ = std::make_unique<ui::testing::ServerLibrary>(fs::path(ZV_PLAYERS_DLL).wstring());
        ASSERT_TRUE(players_->Loaded());
        ASSERT_HRESULT_SUCCEEDED(players_->Register());
    }
    void TearDown() override {
        EditorTest::TearDown();
        players_.reset();
    }

    // A module "000042" of these pages, with a 320 x 240 Flash movie "clip.swf" and two other
    // movie files in its Movies folder, opened on its first page.
    fs::path OpenMovieModule(const std::vector<PageSpec>& pages) {
        folder_ = root_ / "000042";
        fs::create_directories(folder_ / "Movies");
        std::string map = "000042\r\nMovies\r\n" + std::to_string(pages.size()) + "\r\n";
        for (size_t i = 0; i < pages.size(); ++i) {
            tx::TextEngine page;
            page.SetSelText(pages[i].text);
            for (const std::wstring& name : pages[i].placeholders) {
                const int id = page.ObjectInsertFixed(1, L"", 1000, 1000);
                page.SetObjectName(id, name);
                page.SetObjectSize(id, pages[i].width, pages[i].height);
            }
            const std::wstring file = PageFileNameOf(static_cast<std::int16_t>(i + 1));
            WritePageFile((folder_ / file).wstring(), page);
            map += Utf8(file) + "*Page\r\n";
        }
        std::ofstream(folder_ / "Map.txt", std::ios::binary) << map;
        std::ofstream(folder_ / "000042.zvk", std::ios::binary);
        Write(folder_ / "Movies" / "clip.swf", FlashMovie(320, 240));
        Write(folder_ / "Movies" / "intro.dcr", "a Shockwave movie");
        Write(folder_ / "Movies" / "talk.wmv", "a Windows Media video");
        OpenModuleFile((folder_ / "000042.zvk").wstring());
        Focus();
        return folder_;
    }

    static std::string FlashMovie(int width, int height) {
        using namespace players::testing;
        return MakeMovie(players::MovieCompression::None, MovieBody(Stage{16, 0, width * 20, 0, height * 20}));
    }
    static void Write(const fs::path& p, const std::string& bytes) {
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
    }
    static std::string Bytes(const fs::path& p) { return zv::ReadFileBytes(p.wstring()); }

    // The names of the placeholders a stored page holds.
    static std::vector<std::wstring> StoredNames(const fs::path& page) {
        tx::TextEngine reader;
        LoadPageFile(page.wstring(), reader, false);
        std::vector<std::wstring> names;
        for (const tx::Object& o : reader.Doc().objects)
            if (o.kind == tx::ObjectKind::Windowed) names.push_back(o.name);
        return names;
    }
    // The names the editor's page holds now.
    static std::vector<std::wstring> EditorNames() {
        std::vector<std::wstring> names;
        for (const tx::Object& o : engine().Doc().objects)
            if (o.kind == tx::ObjectKind::Windowed) names.push_back(o.name);
        return names;
    }

    static ui::OleVariant Member(ui::ActiveXControl* player, const wchar_t* name) {
        ui::OleVariant value;
        EXPECT_NE(player, nullptr) << Utf8(name);
        if (player) {
            EXPECT_HRESULT_SUCCEEDED(player->InvokeByName(name, DISPATCH_PROPERTYGET, {}, &value)) << Utf8(name);
        }
        return value;
    }
    static bool Fifteen() { return ui::Screen().TwipsPerPixelX() == 15 && ui::Screen().TwipsPerPixelY() == 15; }

    // Save on the toolbar, the page type dialog answered with Save Page.
    static void SaveThePage() {
        ui::test::OnNextModal<frmPageTypeDlg>([](frmPageTypeDlg& d) { ui::test::Click(d.btnSave); });
        ClickToolbarButton(L"Save");
        EXPECT_EQ(ui::test::PendingModalActions(), 0u);
    }
    // Next and back on the toolbar: the page is loaded again from its file.
    static void LeaveAndComeBack() {
        ClickToolbarButton(L"Next");
        ClickToolbarButton(L"Previous");
    }
    // The author clicks the movie, which selects its placeholder.
    static void SelectTheMovie() {
        ASSERT_NE(editor().objExt, nullptr);
        ui::test::Click(*editor().objExt);
        ASSERT_NE(engine().ObjectCurrent(), 0);
    }
    static ui::ActiveXControl* Player() {
        frmMDIChild& e = editor();
        return e.objSWF ? e.objSWF : e.objDir ? e.objDir : e.objVideo;
    }
    // Every window of this thread, child windows included.
    static int WindowCount() {
        int count = 0;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND top, LPARAM data) -> BOOL {
                auto* n = reinterpret_cast<int*>(data);
                ++*n;
                EnumChildWindows(
                    top, [](HWND, LPARAM d) -> BOOL { return ++*reinterpret_cast<int*>(d), TRUE; }, data);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&count));
        return count;
    }
    static int MovieControlCount() {
        int count = 0;
        for (ui::Control* c : editor().Controls()) {
            const std::wstring& n = c->Name();
            if (n.rfind(L"Picture2", 0) == 0 || n.rfind(L"Picture3", 0) == 0 || n.rfind(L"Shockwave", 0) == 0) ++count;
        }
        return count;
    }

    // A 1 x 1 white picture file.
    static std::string OnePixelBitmap() {
        std::string b(58, '\0');
        auto put32 = [&](size_t at, std::uint32_t v) {
            for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        };
        b[0] = 'B';
        b[1] = 'M';
        put32(2, 58);
        put32(10, 54);
        put32(14, 40);
        put32(18, 1);
        put32(22, 1);
        b[26] = 1;
        b[28] = 24;
        put32(34, 4);
        b[54] = b[55] = b[56] = '\xFF';
        return b;
    }

    std::unique_ptr<ui::testing::ServerLibrary> players_;
    fs::path folder_;
};

TEST_F(EditorMovies, EachKindIsCopiedPlacedNamedStoredAndBroughtBack) {
    OpenMovieModule({{L"one", {}}, {L"two", {}}, {L"three", {}}});
    const fs::path chosen = root_ / "chosen";
    struct Case {
        const wchar_t* toolbarKey;  // nullptr: the Insert menu's item
        ui::MenuItem* item;
        const char* file;
        std::string bytes;
        const wchar_t* dialogTitle;
        const wchar_t* filter;
        const wchar_t* pathMember;
    };
    const Case cases[] = {
        {L"insert_flash", nullptr, "movie.swf", FlashMovie(320, 240), L"Insert Flash Movie", L"Flash Movie (*.swf)|*.swf",
         L"Movie"},
        {nullptr, &editor().mnuInsert_Shockwave_Movie, "movie.dcr", std::string("DCR\0\x01\x02", 6),
         L"Insert Shockwave Movie", L"Shockwave Movie (*.dcr)|*.dcr", L"SRC"},
        {L"insert_wmp", nullptr, "movie.wmv", std::string(3000, '\x7F'), L"Insert Windows Media Video", L"WMV(*.wmv)|*.wmv",
         L"FileName"},
    };
    // Shockwave and Windows Media are stored at their own size even after a stretched movie.
    App().MovieScaleMode = L"0";
    int page = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Write(chosen / c.file, c.bytes);
        ui::test::ChooseFileInNextDialog((chosen / c.file).wstring());
        if (c.toolbarKey) ClickToolbarButton(c.toolbarKey);
        else Choose(*c.item);
        ASSERT_FALSE(ui::test::CommonDialogs().empty());
        const ui::test::CommonDialogRecord& asked = ui::test::CommonDialogs().back();
        EXPECT_EQ(asked.title, c.dialogTitle);
        EXPECT_EQ(asked.filter, c.filter);
        EXPECT_EQ(asked.flags, 6148);
        EXPECT_TRUE(ui::test::MsgBoxes().empty()) << Utf8(ui::test::LastMsgBox().prompt);

        EXPECT_EQ(Bytes(folder_ / "Movies" / c.file), c.bytes);
        const std::wstring path = (folder_ / "Movies" / c.file).wstring();
        ui::ActiveXControl* player = Player();
        ASSERT_NE(player, nullptr);
        EXPECT_EQ(Member(player, c.pathMember).AsText(), path);
        ASSERT_NE(editor().objExt, nullptr);
        // The name is asked for once the insertion is done: title, comma, the natural-size flag.
        EXPECT_EQ(EditorNames(), std::vector<std::wstring>{std::wstring(c.file, c.file + strlen(c.file)) + L",1"});
        EXPECT_TRUE(editor().DirtyFlag);
        SaveThePage();
        EXPECT_EQ(StoredNames(folder_ / PageFileNameOf(static_cast<std::int16_t>(page + 1))), EditorNames());
        ClickToolbarButton(L"Next");
        ++page;
    }

    // Back on each page, each player is made again from its placeholder with the same settings.
    Choose(editor().mnuDocument_FirstPage);
    ASSERT_NE(editor().objSWF, nullptr);
    EXPECT_EQ(Member(editor().objSWF, L"Movie").AsText(), (folder_ / "Movies" / "movie.swf").wstring());
    EXPECT_EQ(Member(editor().objSWF, L"ScaleMode").AsLong(), 3);
    EXPECT_EQ(Member(editor().objSWF, L"BackgroundColor").AsLong(), static_cast<long>(0x8000000F));
    ClickToolbarButton(L"Next");
    ASSERT_NE(editor().objDir, nullptr);
    EXPECT_EQ(editor().objSWF, nullptr);
    EXPECT_EQ(Member(editor().objDir, L"SRC").AsText(), (folder_ / "Movies" / "movie.dcr").wstring());
    EXPECT_EQ(Member(editor().objDir, L"swStretchStyle").AsText(), L"stage");
    ClickToolbarButton(L"Next");
    ASSERT_NE(editor().objVideo, nullptr);
    EXPECT_EQ(Member(editor().objVideo, L"FileName").AsText(), (folder_ / "Movies" / "movie.wmv").wstring());
    EXPECT_EQ(Member(editor().objVideo, L"AutoStart").AsBool(), false);
    EXPECT_EQ(Member(editor().objVideo, L"DisplaySize").AsLong(), 0);
    EXPECT_TRUE(App().IsVideoMovie);
    EXPECT_FALSE(editor().DirtyFlag) << "a page only looked at stays unchanged";
}

TEST_F(EditorMovies, TheFlashSizeCommandSizesTheBoxAndTheSizeSurvivesAReload) {
    OpenMovieModule({{L"one", {}}, {L"two", {}}});
    Write(root_ / "wide.swf", FlashMovie(320, 240));
    ui::test::ChooseFileInNextDialog((root_ / "wide.swf").wstring());
    ClickToolbarButton(L"insert_flash");
    ASSERT_NE(editor().objSWF, nullptr);
    ASSERT_NE(editor().objExt, nullptr);
    // The player raised "size" with "320x240" from the message loop, once the insertion was done.
    ui::DoEvents();
    const long width = std::lround(320 * ui::Screen().TwipsPerPixelX());
    const long height = std::lround(240 * ui::Screen().TwipsPerPixelY());
    EXPECT_EQ(editor().objExt->Width(), width);
    EXPECT_EQ(editor().objExt->Height(), height);
    EXPECT_EQ(editor().objSWF->Left(), 30);
    EXPECT_EQ(editor().objSWF->Top(), 30);
    EXPECT_EQ(editor().objSWF->Width(), width - 60);
    EXPECT_EQ(editor().objSWF->Height(), height - 60);
    if (Fifteen()) {
        EXPECT_EQ(editor().objExt->Width(), 4800);
        EXPECT_EQ(editor().objExt->Height(), 3600);
        EXPECT_EQ(editor().objSWF->Width(), 4740);
        EXPECT_EQ(editor().objSWF->Height(), 3540);
    }
    SaveThePage();
    LeaveAndComeBack();
    ASSERT_NE(editor().objExt, nullptr);
    EXPECT_EQ(editor().objExt->Width(), width);
    EXPECT_EQ(editor().objExt->Height(), height);
    EXPECT_EQ(editor().objSWF->Width(), width - 60);
    EXPECT_FALSE(editor().DirtyFlag) << "the size stored already: the page stays clean";
}

TEST_F(EditorMovies, CancelAFailedCopyAndASecondMovieLeaveThePageAsItWas) {
    OpenMovieModule({{L"one", {}}, {L"two", {L"clip.swf,1"}}});
    const std::wstring before = engine().Text();

    ui::test::CancelNextDialog();
    ui::test::AnswerNextMsgBox(ui::vbOK);
    ClickToolbarButton(L"insert_flash");
    EXPECT_EQ(ui::test::LastMsgBox().prompt, L"No movie inserted.");
    EXPECT_EQ(engine().Text(), before);
    EXPECT_TRUE(engine().Doc().objects.empty());
    EXPECT_EQ(editor().objExt, nullptr);
    EXPECT_FALSE(editor().DirtyFlag);

    // The stored copy is in use by a page; the new one cannot be written beside it.
    const std::string stored = Bytes(folder_ / "Movies" / "clip.swf");
    Write(root_ / "clip.swf", "a newer take");
    fs::create_directories(folder_ / "Movies" / "~clip.swf.tmp");
    ui::test::ChooseFileInNextDialog((root_ / "clip.swf").wstring());
    ui::test::AnswerNextMsgBox(ui::vbOK);
    ClickToolbarButton(L"insert_flash");
    const std::wstring lead = L"Cannot Insert Flash movie: " + (root_ / "clip.swf").wstring() + L". Error ";
    EXPECT_EQ(ui::test::LastMsgBox().prompt.rfind(lead, 0), 0u) << Utf8(ui::test::LastMsgBox().prompt);
    EXPECT_EQ(Bytes(folder_ / "Movies" / "clip.swf"), stored);
    EXPECT_TRUE(engine().Doc().objects.empty());
    EXPECT_EQ(editor().objExt, nullptr);
    EXPECT_FALSE(editor().DirtyFlag);
    fs::remove(folder_ / "Movies" / "~clip.swf.tmp");

    // A page that shows a movie takes no second one: said before any file is asked for.
    ClickToolbarButton(L"Next");
    ASSERT_NE(editor().objSWF, nullptr);
    ui::PictureBox* container = editor().objExt;
    const size_t dialogs = ui::test::CommonDialogs().size();
    ui::test::AnswerNextMsgBox(ui::vbOK);
    Choose(editor().mnuInsert_WMV);
    EXPECT_EQ(ui::test::LastMsgBox().prompt, kOneMoviePerPageMessage);
    EXPECT_EQ(ui::test::CommonDialogs().size(), dialogs);
    EXPECT_EQ(editor().objExt, container);
    EXPECT_NE(editor().objSWF, nullptr);
    EXPECT_EQ(EditorNames(), std::vector<std::wstring>{L"clip.swf,1"});
}

TEST_F(EditorMovies, StoredNamesBringBackTheirPlayersAsTheySay) {
    struct Case {
        const wchar_t* name;
        const wchar_t* player;  // "" none
        const wchar_t* member;
        long number;
        const wchar_t* text;
    };
    const Case cases[] = {
        {L"clip.swf,0", L"Flash", L"ScaleMode", 2, nullptr},
        {L"clip.swf,1", L"Flash", L"ScaleMode", 3, nullptr},
        {L"clip.swf,", L"Flash", L"ScaleMode", 3, nullptr},
        {L"intro.DCR", L"Shockwave", L"swStretchStyle", 0, L"fill"},
        {L"intro.dcr,1", L"Shockwave", L"swStretchStyle", 0, L"stage"},
        {L"talk.wmv,0", L"Video", L"DisplaySize", 4, nullptr},
        {L"talk.wmv,1", L"Video", L"DisplaySize", 0, nullptr},
        {L"notes.txt,1", L"", nullptr, 0, nullptr},
        {L"..\\000042\\Movies\\clip.swf,1", L"", nullptr, 0, nullptr},
    };
    std::vector<PageSpec> pages;
    for (const Case& c : cases) pages.push_back({L"text", {c.name}});
    OpenMovieModule(pages);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(Utf8(c.name));
        if (i > 0) ClickToolbarButton(L"Next");
        ASSERT_NE(editor().objExt, nullptr) << "every placeholder gets its container";
        const std::wstring kind = c.player;
        EXPECT_EQ(editor().objSWF != nullptr, kind == L"Flash");
        EXPECT_EQ(editor().objDir != nullptr, kind == L"Shockwave");
        EXPECT_EQ(editor().objVideo != nullptr, kind == L"Video");
        if (c.member) {
            const ui::OleVariant value = Member(Player(), c.member);
            if (c.text) EXPECT_EQ(value.AsText(), c.text);
            else EXPECT_EQ(value.AsLong(), c.number);
            EXPECT_EQ(Player()->Left(), 30);
            EXPECT_EQ(Player()->Width(), editor().objExt->Width() - 60);
        }
        EXPECT_TRUE(ui::test::MsgBoxes().empty()) << Utf8(ui::test::LastMsgBox().prompt);
    }
}

TEST_F(EditorMovies, OnlyThePagesFirstPlaceholderGetsAPlayerAndEveryOneIsStoredUnchanged) {
    OpenMovieModule({{L"two movies", {L"clip.swf,1", L"intro.dcr,0"}}});
    ASSERT_NE(editor().objSWF, nullptr);
    EXPECT_EQ(editor().objDir, nullptr);
    const auto& objects = engine().Doc().objects;
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_NE(objects[0].hostWindow, 0u);
    EXPECT_EQ(objects[1].hostWindow, 0u) << "a further placeholder shows as its place alone";
    TypeText(L"x");
    SaveThePage();
    EXPECT_EQ(StoredNames(folder_ / "0001.txm"), (std::vector<std::wstring>{L"clip.swf,1", L"intro.dcr,0"}));
    // Another placeholder brought in by inserting a page file gets no container either.
    EXPECT_TRUE(ui::test::MsgBoxes().empty());
}

TEST_F(EditorMovies, AltHidesThePlayerUntilTheKeyIsLetGo) {
    OpenMovieModule({{L"text", {L"clip.swf,1"}}});
    ui::ActiveXControl* player = editor().objSWF;
    ASSERT_NE(player, nullptr);
    ASSERT_TRUE(IsWindowVisible(player->hWnd()));
    // Alt as the keyboard sends it, held down (a repeat: the menu bar is not entered).
    PostMessageW(TextWindow(), WM_SYSKEYDOWN, VK_MENU, 0x60380001);
    ui::DoEvents();
    EXPECT_FALSE(IsWindowVisible(player->hWnd()));
    EXPECT_FALSE(player->Visible());
    PostMessageW(TextWindow(), WM_KEYUP, VK_MENU, static_cast<LPARAM>(0xC0380001));
    ui::DoEvents();
    EXPECT_TRUE(IsWindowVisible(player->hWnd()));
    // Other keys leave it shown.
    Key('A');
    EXPECT_TRUE(IsWindowVisible(player->hWnd()));
}

TEST_F(EditorMovies, TwoHundredPageChangesLeaveNoControlOrWindowBehind) {
    OpenMovieModule({{L"first", {L"clip.swf,1"}}, {L"second", {L"intro.dcr,0"}}});
    ClickToolbarButton(L"Next");
    ClickToolbarButton(L"Previous");
    // Thumbnails and printing load pages into the print control as often.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 100, 70);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    auto changes = [&] {
        frame().RunToolbarKey(L"Next");
        EXPECT_TRUE(DrawStoredPage(editor(), L"0001.txm", memory, 1500, 1000));
        frame().RunToolbarKey(L"Previous");
        EXPECT_TRUE(DrawStoredPage(editor(), L"0002.txm", memory, 1500, 1000));
    };
    changes();
    ui::DoEvents();
    const int windows = WindowCount();
    const int controls = MovieControlCount();
    EXPECT_EQ(controls, 4) << "a container and its player for each of the two controls";
    for (int i = 0; i < 100; ++i) changes();
    ui::DoEvents();
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ASSERT_NE(editor().objSWF, nullptr);
    ASSERT_NE(editor().PrtobjDir, nullptr);
    EXPECT_EQ(MovieControlCount(), controls);
    EXPECT_EQ(WindowCount(), windows);
    EXPECT_NE(engine().Text().find(L"first"), std::wstring::npos) << "back on the first page";
}

TEST_F(EditorMovies, APrintedPageShowsTheMoviesPoster) {
    OpenMovieModule({{L"Printed", {L"clip.swf,1"}}});
    ui::PrinterCapture capture;
    ui::Printer().SetCapture(&capture);
    ui::test::OnNextCommonDialog([](ui::CommonDialog&) { return true; });
    ClickToolbarButton(L"Print");
    ui::Printer().SetCapture(nullptr);
    ASSERT_EQ(capture.PageCount(), 1u);
    ASSERT_NE(editor().PrtobjSWF, nullptr) << "the printable player of the page printed";
    EXPECT_EQ(Member(editor().PrtobjSWF, L"ScaleMode").AsLong(), 3);
    // The poster's background is the button face, as the editor's player sets it; nothing else
    // on the page has that colour.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const unsigned faceRgb = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    const auto pixels = capture.Render(0, 612, 792);
    const auto faces = std::count_if(pixels.begin(), pixels.end(), [&](unsigned p) { return (p & 0xFFFFFF) == faceRgb; });
    EXPECT_GT(faces, 1000) << "no poster on the printed page";
}

TEST_F(EditorMovies, MovieAttributesShowsAndChangesTheFitAndTheFitSurvivesAReload) {
    OpenMovieModule({{L"flash", {L"clip.swf,0"}}, {L"none", {}}});
    SelectTheMovie();
    EXPECT_EQ(Member(editor().objSWF, L"ScaleMode").AsLong(), 2);
    ui::test::OnNextModal<frmMoviePropertiesDlg>([](frmMoviePropertiesDlg& d) {
        EXPECT_EQ(d.Caption(), L"Movie Attributes");
        EXPECT_EQ(d.Text1.Text(), L"clip.swf");
        EXPECT_EQ(d.Check1.Value(), ui::vbChecked);
        ui::test::Click(d.Check1);
        ui::test::Click(d.btnOK);
    });
    ClickToolbarButton(L"movie_properties");
    EXPECT_EQ(Member(editor().objSWF, L"ScaleMode").AsLong(), 3);
    EXPECT_EQ(App().MovieScaleMode, L"1");
    EXPECT_EQ(EditorNames(), std::vector<std::wstring>{L"clip.swf,1"});
    EXPECT_TRUE(editor().DirtyFlag);
    SaveThePage();
    LeaveAndComeBack();
    EXPECT_EQ(Member(editor().objSWF, L"ScaleMode").AsLong(), 3);

    // And stretched again through the menu.
    ui::test::OnNextModal<frmMoviePropertiesDlg>([](frmMoviePropertiesDlg& d) {
        EXPECT_EQ(d.Check1.Value(), ui::vbUnchecked);
        ui::test::Click(d.Check1);
        ui::test::Click(d.btnOK);
    });
    SelectTheMovie();
    Choose(editor().mnuInsert_Properties);
    SaveThePage();
    LeaveAndComeBack();
    EXPECT_EQ(Member(editor().objSWF, L"ScaleMode").AsLong(), 2);
    EXPECT_EQ(StoredNames(folder_ / "0001.txm"), std::vector<std::wstring>{L"clip.swf,0"});

    // Cancel on a clean page leaves it clean.
    ASSERT_FALSE(editor().DirtyFlag);
    ui::test::OnNextModal<frmMoviePropertiesDlg>([](frmMoviePropertiesDlg& d) { ui::test::Click(d.btnCancel); });
    SelectTheMovie();
    Choose(editor().mnuInsert_Properties);
    EXPECT_FALSE(editor().DirtyFlag);

    // A page without a movie: the boxes stay empty and OK applies nothing.
    ClickToolbarButton(L"Next");
    ui::test::OnNextModal<frmMoviePropertiesDlg>([](frmMoviePropertiesDlg& d) {
        EXPECT_EQ(d.Text1.Text(), L"");
        EXPECT_EQ(d.txtWidth.Text(), L"");
        ui::test::Click(d.btnOK);
    });
    ShowMoviePropertiesDialog();
    EXPECT_TRUE(engine().Doc().objects.empty());
}

TEST_F(EditorMovies, MovieAttributesSizesAShockwaveBoxAndRefusesASizeThatIsNoWholePixelNumber) {
    if (!Fifteen()) GTEST_SKIP() << "sizes in this test are for 15 twips per pixel";
    // The box of a 320 x 240 movie: the movie and 30 twips round it.
    OpenMovieModule({{L"shockwave", {L"intro.dcr,1"}, 4860, 3660}});
    ASSERT_NE(editor().objDir, nullptr);
    EXPECT_EQ(editor().objExt->Width(), 4860);
    TypeText(L"typed ");
    ASSERT_TRUE(editor().DirtyFlag);
    // Cancel on a changed page leaves it changed.
    ui::test::OnNextModal<frmMoviePropertiesDlg>([](frmMoviePropertiesDlg& d) { ui::test::Click(d.btnCancel); });
    SelectTheMovie();
    Choose(editor().mnuInsert_Properties);
    EXPECT_TRUE(editor().DirtyFlag);

    ui::test::OnNextModal<frmMoviePropertiesDlg>([](frmMoviePropertiesDlg& d) {
        EXPECT_EQ(d.txtWidth.Text(), L"320");
        EXPECT_EQ(d.txtHeight.Text(), L"240");
        EXPECT_FALSE(d.Check1.Enabled());
        ui::test::Type(d.txtWidth, L"400");
        ui::test::Type(d.txtHeight, L"3.5");
        ui::test::AnswerNextMsgBox(ui::vbOK);
        ui::test::Click(d.btnOK);
        EXPECT_TRUE(d.IsLoaded()) << "a height that is no whole number keeps the dialog open";
        ui::test::Type(d.txtHeight, L"300");
        ui::test::Click(d.btnOK);
    });
    SelectTheMovie();
    Choose(editor().mnuInsert_Properties);
    EXPECT_NE(ui::test::LastMsgBox().prompt.find(L"height"), std::wstring::npos) << Utf8(ui::test::LastMsgBox().prompt);
    EXPECT_EQ(editor().objExt->Width(), 6060);
    EXPECT_EQ(editor().objExt->Height(), 4560);
    EXPECT_EQ(editor().objDir->Width(), 6000);
    EXPECT_EQ(editor().objDir->Height(), 4500);
    SaveThePage();
    Choose(editor().mnuDocument_FirstPage);
    ASSERT_NE(editor().objExt, nullptr);
    EXPECT_EQ(editor().objExt->Width(), 6060) << "the box size is stored with the page";
    EXPECT_EQ(editor().objExt->Height(), 4560);
    EXPECT_EQ(editor().objDir->Width(), 6000);
}

TEST_F(EditorMovies, DeleteMovieThenSaveDeletesOnlyAFileNoPageNamesAnyMore) {
    OpenMovieModule({{L"first", {L"clip.swf,1"}}, {L"second", {L"clip.swf,0"}}, {L"third", {L"intro.dcr,1"}}});
    SelectTheMovie();
    ClickToolbarButton(L"remove_movie");
    EXPECT_TRUE(engine().Doc().objects.empty());
    EXPECT_EQ(editor().objSWF, nullptr);
    EXPECT_TRUE(App().MovieDeletePending);
    EXPECT_FALSE(IsWindowVisible(editor().objExt->hWnd())) << "no empty box where the movie was";
    // Undo brings the movie back with its player; deleted again, it stays deleted.
    Key('Z', zv_test::kCtrlKey);
    ASSERT_EQ(EditorNames(), std::vector<std::wstring>{L"clip.swf,1"});
    ASSERT_NE(editor().objSWF, nullptr);
    EXPECT_TRUE(IsWindowVisible(editor().objSWF->hWnd()));
    SelectTheMovie();
    ClickToolbarButton(L"remove_movie");
    EXPECT_EQ(editor().objSWF, nullptr);
    SaveThePage();
    EXPECT_TRUE(fs::exists(folder_ / "Movies" / "clip.swf")) << "the second page still shows it";
    EXPECT_FALSE(App().MovieDeletePending);

    ClickToolbarButton(L"Next");
    ClickToolbarButton(L"Next");
    SelectTheMovie();
    Choose(editor().mnuInsert_DelMovie);
    SaveThePage();
    EXPECT_FALSE(fs::exists(folder_ / "Movies" / "intro.dcr"));
    EXPECT_TRUE(fs::exists(folder_ / "Movies" / "clip.swf"));

    // Back on the second page its movie's title is the working title; on the first page, whose
    // movie is gone, an image deleted with the same command names no movie: the file stays.
    ClickToolbarButton(L"Previous");
    ASSERT_EQ(App().MovieFileTitle, L"clip.swf");
    Choose(editor().mnuDocument_FirstPage);
    const int image = engine().ObjectInsertImage(OnePixelBitmap(), false, 0, 0);
    engine().SetObjectCurrent(image);
    UpdateToolbar();
    ClickToolbarButton(L"remove_movie");
    EXPECT_TRUE(engine().Doc().objects.empty());
    SaveThePage();
    EXPECT_TRUE(fs::exists(folder_ / "Movies" / "clip.swf"));
}

TEST_F(EditorMovies, TheWordDocumentShowsAPictureOfWhatPrintingDrawsForEachPagesMovie) {
    ui::testing::ServerLibrary server(fs::path(ZV_WORDPROC_DLL).wstring());
    ASSERT_TRUE(server.Loaded());
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Word.Application");
    ASSERT_HRESULT_SUCCEEDED(server.Register());
    OpenMovieModule({{L"Flash page", {L"clip.swf,1"}}, {L"No movie", {}}, {L"Shockwave page", {L"intro.dcr,0"}, 3000, 1500}});
    App().ModuleName = L"Movies";
    ui::test::AnswerNextMsgBox(ui::vbOK);
    Choose(editor().mnuTools_Convert);
    server.Unregister();
    EXPECT_EQ(ui::test::LastMsgBox().prompt.rfind(L"The Module Movies was converted", 0), 0u)
        << Utf8(ui::test::LastMsgBox().prompt);
    const tx::Document read = tx::ReadRtf(Bytes(folder_ / "Movies.doc"));
    std::vector<const tx::Object*> pictures;
    for (const tx::Object& o : read.objects) {
        EXPECT_NE(o.kind, tx::ObjectKind::Windowed) << "a placeholder the word processor cannot show";
        if (o.kind == tx::ObjectKind::Image) pictures.push_back(&o);
    }
    ASSERT_EQ(pictures.size(), 2u);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const struct {
        int width, height;
    } boxes[] = {{4800, 3600}, {3000, 1500}};
    for (size_t i = 0; i < pictures.size(); ++i) {
        const tx::Object& p = *pictures[i];
        EXPECT_NEAR(p.ShownWidth(), boxes[i].width, 15) << i;
        EXPECT_NEAR(p.ShownHeight(), boxes[i].height, 15) << i;
        // The poster's background a few pixels in from the top-left corner (the picture's rows
        // are stored bottom first, three bytes a pixel).
        ASSERT_TRUE(p.image && p.image->size() > 54);
        const std::string& bmp = *p.image;
        auto le32 = [&](size_t at) {
            return static_cast<std::int32_t>(static_cast<unsigned char>(bmp[at]) | static_cast<unsigned char>(bmp[at + 1]) << 8 |
                                             static_cast<unsigned char>(bmp[at + 2]) << 16 |
                                             static_cast<unsigned char>(bmp[at + 3]) << 24);
        };
        const int w = le32(18), h = le32(22), offset = le32(10), stride = (w * 3 + 3) & ~3;
        ASSERT_GT(h, 12);
        const size_t at = static_cast<size_t>(offset) + static_cast<size_t>(h - 1 - 8) * stride + 8 * 3;
        ASSERT_LT(at + 2, bmp.size());
        const COLORREF pixel = RGB(static_cast<unsigned char>(bmp[at + 2]), static_cast<unsigned char>(bmp[at + 1]),
                                   static_cast<unsigned char>(bmp[at]));
        EXPECT_EQ(pixel, face) << "picture " << i << " is not the movie's poster";
    }
    // The editor's own page and its player are as they were.
    EXPECT_NE(editor().objSWF, nullptr);
    EXPECT_EQ(EditorNames(), std::vector<std::wstring>{L"clip.swf,1"});
}

}  // namespace
