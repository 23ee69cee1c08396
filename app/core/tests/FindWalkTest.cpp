// Find and replace over all pages against a module on disk: presses of Find, Replace and Replace
// All as a table (start page, options, the editor's state), then where the editor and the list
// stand, what it shows, and every page file, byte for byte where nothing was to change.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/core/AppState.h"
#include "app/core/FindWalk.h"
#include "app/core/PageFile.h"
#include "app/core/PageWalk.h"
#include "app/core/tests/EnginePages.h"
#include "base/Error.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "components/textcontrol/TextEngine.h"

namespace fs = std::filesystem;

namespace {

using zv_test::Ascii;
using zv_test::EngineEditor;
using zv_test::EnginePage;

// Five pages; the third has zero margins and a page of its own, which a store must keep.
const std::vector<std::wstring> kTexts = {L"alpha cat", L"beta", L"Cat and cat", L"delta", L"cat epsilon cat"};

std::wstring Name(int page) { return L"000" + std::to_wstring(page) + L".txm"; }

std::string PageBytes(int index, const std::wstring& text) {
    tx::TextEngine page;
    page.SetSelText(text);
    if (index == 3) {
        page.SetPageWidth(11906);
        page.SetPageHeight(16838);
        page.SetPageMarginL(0);
        page.SetPageMarginT(0);
        page.SetPageMarginR(0);
        page.SetPageMarginB(0);
    }
    return PageFileBytes(page);
}

enum class Press { kFind, kReplace, kReplaceAll };

struct Step {
    Press press;
    std::wstring text = L"cat";
    std::wstring replacement = L"dog";
    bool matchCase = false;
    bool noHighlight = false;
    // What the step ends with: for Find, "match", "completed" or "closed"; for Replace "open" or
    // "closed"; for Replace All the count; an error: part of its message.
    std::string outcome;
    std::wstring page = L"";   // the page the editor and the list are on afterwards ("" = unchecked)
    std::wstring selected = L"";  // the editor's selection afterwards (checked for Find matches)
};

struct Case {
    const char* name;
    int startPage = 1;
    std::wstring editorText = L"";  // "" : the start page as stored
    bool dirty = false;
    bool newPage = false;           // the editor holds an unstored page after the start page
    int readOnly = 0;               // a page whose file cannot be written
    int missing = 0;                // a page whose file is gone
    int pageCount = 5;
    std::vector<Step> steps;
    std::vector<std::optional<std::wstring>> files;  // texts afterwards; none: byte for byte as written
    std::wstring editorAfter = L"\x1";  // the editor's text at the end (\x1: unchecked)
};

class FindWalkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAppState();
        dir_ = fs::temp_directory_path() /
               (std::string("zv_findwalk_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        ResetAppState();
        fs::remove_all(dir_);
    }
    std::wstring PathOf(const std::wstring& name) const { return (dir_ / name).wstring(); }

    void WriteModule(int count) {
        AppState& app = App();
        app.ModulePath = dir_.wstring();
        ResetPageState(app);
        std::string map = "000042\r\nTest module\r\n" + std::to_string(count + 1) + "\r\n";
        bytes_.clear();
        for (int i = 1; i <= count; ++i) {
            bytes_.push_back(PageBytes(i, kTexts[static_cast<size_t>(i - 1)]));
            std::ofstream(fs::path(PathOf(Name(i))), std::ios::binary) << bytes_.back();
            map += Ascii(Name(i)) + "*Page\r\n";
        }
        std::ofstream(fs::path(PathOf(L"Map.txt")), std::ios::binary) << map;
        app.PageList.LoadExistingList(PathOf(L"Map.txt"), app.PageCounter, app.ModuleCode, app.ModuleName,
                                      app.ModulePath);
    }

    std::wstring TextOf(int page) {
        tx::TextEngine reader;
        LoadPageFile(PathOf(Name(page)), reader, true);
        return reader.Text();
    }

    fs::path dir_;
    std::vector<std::string> bytes_;
};

std::string Outcome(FindWalk::FindEnd end) {
    switch (end) {
    case FindWalk::FindEnd::Match: return "match";
    case FindWalk::FindEnd::Completed: return "completed";
    case FindWalk::FindEnd::Closed: return "closed";
    }
    return "?";
}

TEST_F(FindWalkTest, PressesOverFivePages) {
    using S = Step;
    const Case cases[] = {
        {.name = "Find walks the matches page by page, skips pages without, and completes back at the start",
         .steps = {S{.press = Press::kFind, .outcome = "match", .page = Name(1), .selected = L"cat"},
                   S{.press = Press::kFind, .outcome = "match", .page = Name(3), .selected = L"Cat"},
                   S{.press = Press::kFind, .outcome = "match", .page = Name(3), .selected = L"cat"},
                   S{.press = Press::kFind, .outcome = "match", .page = Name(5), .selected = L"cat"},
                   S{.press = Press::kFind, .outcome = "match", .page = Name(5), .selected = L"cat"},
                   S{.press = Press::kFind, .outcome = "completed", .page = Name(1)}}},
        {.name = "a page's only match is found after a match on an earlier page",
         .startPage = 4,
         .steps = {S{.press = Press::kFind, .outcome = "match", .page = Name(5), .selected = L"cat"},
                   S{.press = Press::kFind, .outcome = "match", .page = Name(5)},
                   S{.press = Press::kFind, .outcome = "match", .page = Name(1), .selected = L"cat"},
                   S{.press = Press::kFind, .outcome = "match", .page = Name(3), .selected = L"Cat"}}},
        {.name = "Match Case passes over Cat",
         .startPage = 2,
         .steps = {S{.press = Press::kFind, .matchCase = true, .outcome = "match", .page = Name(3), .selected = L"cat"},
                   S{.press = Press::kFind, .matchCase = true, .outcome = "match", .page = Name(5)}}},
        {.name = "nothing anywhere: back at the start with Text not found",
         .startPage = 3,
         .steps = {S{.press = Press::kFind, .text = L"zebra", .outcome = "completed", .page = Name(3)}}},
        {.name = "a one-page module ends on its page at the first move",
         .pageCount = 1,
         .steps = {S{.press = Press::kFind, .outcome = "match", .page = Name(1)},
                   S{.press = Press::kFind, .outcome = "completed", .page = Name(1)}}},
        {.name = "a changed start page is stored when Find leaves it, the untouched ones are not rewritten",
         .startPage = 2, .editorText = L"beta edited", .dirty = true,
         .steps = {S{.press = Press::kFind, .outcome = "match", .page = Name(3)}},
         .files = {std::nullopt, L"beta edited", std::nullopt, std::nullopt, std::nullopt}},
        {.name = "Replace selects first, then replaces and goes on to the next page's match",
         .startPage = 2,
         .steps = {S{.press = Press::kReplace, .outcome = "open", .page = Name(3), .selected = L"Cat"},
                   S{.press = Press::kReplace, .outcome = "open", .page = Name(3), .selected = L"cat"},
                   // the last match on the page replaced, the walk stores it and goes on
                   S{.press = Press::kReplace, .outcome = "open", .page = Name(4)},
                   S{.press = Press::kReplace, .outcome = "open", .page = Name(5), .selected = L"cat"}},
         .files = {std::nullopt, std::nullopt, L"dog and dog", std::nullopt, std::nullopt}},
        {.name = "Replace All changes every stored page with a match and reports the count",
         .steps = {S{.press = Press::kReplaceAll, .outcome = "5", .page = Name(1)}},
         .files = {L"alpha dog", std::nullopt, L"dog and dog", std::nullopt, L"dog epsilon dog"},
         .editorAfter = L"alpha dog"},
        {.name = "Replace All with No Highlight replaces every match all the same",
         .startPage = 4,
         .steps = {S{.press = Press::kReplaceAll, .noHighlight = true, .outcome = "5", .page = Name(4)}},
         .files = {L"alpha dog", std::nullopt, L"dog and dog", std::nullopt, L"dog epsilon dog"}},
        {.name = "Replace All with a replacement holding the text ends, once per match",
         .steps = {S{.press = Press::kReplaceAll, .replacement = L"cats", .matchCase = true, .outcome = "4"}},
         .files = {L"alpha cats", std::nullopt, L"Cat and cats", std::nullopt, L"cats epsilon cats"}},
        {.name = "Replace All keeps what the author typed on the start page and replaces in it",
         .startPage = 2, .editorText = L"beta cat typed", .dirty = true,
         .steps = {S{.press = Press::kReplaceAll, .outcome = "6", .page = Name(2)}},
         .files = {L"alpha dog", L"beta dog typed", L"dog and dog", std::nullopt, L"dog epsilon dog"},
         .editorAfter = L"beta dog typed"},
        {.name = "a read-only page stops Replace All with its name and the count stored before it",
         .readOnly = 3,
         .steps = {S{.press = Press::kReplaceAll, .outcome = "\"0003.txm\" could not be stored", .page = Name(1)}},
         .files = {L"alpha dog", std::nullopt, std::nullopt, std::nullopt, std::nullopt},
         .editorAfter = L"alpha dog"},
        {.name = "a missing page stops Find on the page before it, the editor and the list together",
         .missing = 3,
         .steps = {S{.press = Press::kFind, .outcome = "match", .page = Name(1)},
                   S{.press = Press::kFind, .outcome = "\"0003.txm\" could not be loaded", .page = Name(2)}}},
        {.name = "a changed new page is never written over the page before it: store it first",
         .startPage = 5, .editorText = L"new cat", .dirty = true, .newPage = true,
         .steps = {S{.press = Press::kFind, .outcome = "has not been stored yet", .page = Name(5)},
                   S{.press = Press::kReplaceAll, .outcome = "has not been stored yet", .page = Name(5)}},
         .editorAfter = L"new cat"},
        {.name = "an unchanged new page stays unstored; Find starts on the stored page after it",
         .startPage = 2, .editorText = L"", .newPage = true,
         .steps = {S{.press = Press::kFind, .outcome = "match", .page = Name(3)},
                   S{.press = Press::kFind, .outcome = "match", .page = Name(3)},
                   S{.press = Press::kFind, .outcome = "match", .page = Name(5)},
                   S{.press = Press::kFind, .outcome = "match", .page = Name(5)},
                   S{.press = Press::kFind, .outcome = "match", .page = Name(1)},
                   S{.press = Press::kFind, .outcome = "completed", .page = Name(3)}}},
        {.name = "Replace All from an unchanged new page walks the stored pages and leaves the new page",
         .startPage = 5, .editorText = L"", .newPage = true,
         .steps = {S{.press = Press::kReplaceAll, .outcome = "5", .page = Name(5)}},
         .files = {L"alpha dog", std::nullopt, L"dog and dog", std::nullopt, L"dog epsilon dog"},
         .editorAfter = L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteModule(c.pageCount);
        AppState& app = App();
        EngineEditor editor;
        EnginePage printer;
        app.PageList.SetPageAsCurrent(Name(c.startPage));
        app.CurrentPageNo = static_cast<std::int16_t>(c.startPage + (c.newPage ? 1 : 0));
        app.IsNewPage = c.newPage;
        if (c.newPage || !c.editorText.empty()) {
            editor.page.text.SetSelText(c.editorText);
        } else {
            LoadPageFile(PathOf(Name(c.startPage)), editor.page.text, true);
        }
        editor.page.text.SetSelStart(0);
        editor.dirty = c.dirty;
        if (c.missing) fs::remove(fs::path(PathOf(Name(c.missing))));
        if (c.readOnly) {
            editor.page.refuse = Name(c.readOnly);
            printer.refuse = Name(c.readOnly);
        }

        FindWalk walk(app, editor, editor.page.text, printer, printer.text);
        for (size_t i = 0; i < c.steps.size(); ++i) {
            const Step& s = c.steps[i];
            SCOPED_TRACE("step " + std::to_string(i + 1));
            const int options = FindOptionsWord(s.matchCase, s.noHighlight);
            std::string outcome;
            try {
                switch (s.press) {
                case Press::kFind: outcome = Outcome(walk.FindNext(s.text, options)); break;
                case Press::kReplace: outcome = walk.ReplaceNext(s.text, s.replacement, options) ? "open" : "closed"; break;
                case Press::kReplaceAll: outcome = std::to_string(walk.ReplaceAll(s.text, s.replacement, options)); break;
                }
            } catch (const zv::Error& e) {
                outcome = Ascii(e.Description());
                EXPECT_NE(outcome.find(s.outcome), std::string::npos) << outcome;
                outcome = s.outcome;
            }
            EXPECT_EQ(outcome, s.outcome);
            if (!s.page.empty()) {
                EXPECT_EQ(Ascii(app.PageList.GetCurrentPageName()), Ascii(s.page));
                if (!c.newPage || s.press == Press::kFind) {
                    // The editor holds the page the list names, and shows its name and number.
                    if (!app.IsNewPage) {
                        tx::TextEngine stored;
                        LoadPageFile(PathOf(s.page), stored, true);
                        if (!editor.dirty) { EXPECT_EQ(Ascii(editor.page.text.Text()), Ascii(stored.Text())); }
                        if (editor.shown) { EXPECT_EQ(Ascii(*editor.shown), Ascii(s.page)); }
                        EXPECT_EQ(app.CurrentPageNo, std::stoi(Ascii(s.page)));
                    }
                }
            }
            if (!s.selected.empty()) { EXPECT_EQ(Ascii(editor.page.text.SelText()), Ascii(s.selected)); }
        }
        for (int p = 1; p <= c.pageCount; ++p) {
            SCOPED_TRACE("page " + std::to_string(p));
            const auto expected = static_cast<size_t>(p - 1) < c.files.size() ? c.files[static_cast<size_t>(p - 1)]
                                                                              : std::nullopt;
            if (p == c.missing) continue;
            if (!expected) {
                EXPECT_EQ(zv::ReadFileBytes(PathOf(Name(p))), bytes_[static_cast<size_t>(p - 1)]);
            } else {
                EXPECT_EQ(Ascii(TextOf(p)), Ascii(*expected));
            }
        }
        if (c.editorAfter != L"\x1") { EXPECT_EQ(Ascii(editor.page.text.Text()), Ascii(c.editorAfter)); }
        if (c.newPage && c.dirty) { EXPECT_TRUE(app.IsNewPage); }
        EXPECT_EQ(editor.pageTypeQuestions, 0) << "a search asked for a page type";
    }
}

// A page with a match keeps its own page size and its zero margins when it is stored again.
TEST_F(FindWalkTest, AStoredPageKeepsItsPageAndZeroMargins) {
    WriteModule(5);
    AppState& app = App();
    EngineEditor editor;
    EnginePage printer;
    app.PageList.SetPageAsCurrent(Name(1));
    LoadPageFile(PathOf(Name(1)), editor.page.text, true);
    FindWalk walk(app, editor, editor.page.text, printer, printer.text);
    ASSERT_EQ(walk.ReplaceAll(L"and", L"or", FindOptionsWord(false, false)), 1);
    const PageFileHeader header = ReadPageHeader(zv::ReadFileBytes(PathOf(Name(3))));
    EXPECT_EQ(header.PageWidth, 11906);
    EXPECT_EQ(header.PageHeight, 16838);
    EXPECT_EQ(header.MarginL, 0);
    EXPECT_EQ(header.MarginT, 0);
    tx::TextEngine stored;
    LoadPageFile(PathOf(Name(3)), stored, true);
    EXPECT_EQ(stored.Doc().page, (tx::PageSetup{11906, 16838, 0, 0, 0, 0}));
    EXPECT_EQ(editor.pageTypeQuestions, 0);
    EXPECT_EQ(Ascii(stored.Text()), "Cat or cat");
}

// Replace All writes a page file only for a page it changed, and each only once: a start page the
// author changed is stored with the walk's replacements in it, not first as typed and again after.
TEST_F(FindWalkTest, ReplaceAllStoresEachChangedPageOnce) {
    const struct {
        const char* name;
        int startPage;
        std::wstring editorText;  // "" : the start page as stored, unchanged
        std::vector<std::string> stored;  // every page file written, in order
        int readOnly = 0;
        std::string error = "";  // part of the message Replace All stops with
    } cases[] = {
        {"an unchanged start page: the pages with a match", 2, L"", {"0003.txm", "0005.txm", "0001.txm"}},
        {"a changed start page with a match: stored once, replaced", 2, L"beta cat typed",
         {"0002.txm", "0003.txm", "0005.txm", "0001.txm"}},
        {"a changed start page without a match: stored once as typed", 4, L"delta typed",
         {"0004.txm", "0005.txm", "0001.txm", "0003.txm"}},
        {"a changed start page that cannot be stored keeps the author's text in the editor", 2, L"beta cat typed", {},
         2, "its changes are still in the editor"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteModule(5);
        AppState& app = App();
        EngineEditor editor;
        EnginePage printer;
        app.PageList.SetPageAsCurrent(Name(c.startPage));
        app.CurrentPageNo = static_cast<std::int16_t>(c.startPage);
        app.IsNewPage = false;
        LoadPageFile(PathOf(Name(c.startPage)), editor.page.text, true);
        if (!c.editorText.empty()) {
            editor.page.text.SetSelStart(0);
            editor.page.text.SetSelLength(-1);
            editor.page.text.SetSelText(c.editorText);
            editor.dirty = true;
        }
        editor.page.text.SetSelStart(0);
        if (c.readOnly) {
            editor.page.refuse = Name(c.readOnly);
            printer.refuse = Name(c.readOnly);
        }
        FindWalk walk(app, editor, editor.page.text, printer, printer.text);
        std::string error;
        try {
            walk.ReplaceAll(L"cat", L"dog", FindOptionsWord(false, false));
        } catch (const zv::Error& e) {
            error = Ascii(e.Description());
        }
        if (c.error.empty()) {
            EXPECT_EQ(error, "");
        } else {
            EXPECT_NE(error.find(c.error), std::string::npos) << error;
        }
        std::vector<std::string> stored;
        for (const auto* log : {&editor.page.log, &printer.log})
            for (const std::string& entry : *log)
                if (entry.rfind("store ", 0) == 0) stored.push_back(entry.substr(6));
        EXPECT_EQ(stored, c.stored);
        EXPECT_EQ(Ascii(app.PageList.GetCurrentPageName()), Ascii(Name(c.startPage)));
        if (c.error.empty()) {
            EXPECT_FALSE(editor.dirty);
            EXPECT_EQ(Ascii(editor.page.text.Text()), Ascii(TextOf(c.startPage)));
        } else {
            EXPECT_TRUE(editor.dirty);
            EXPECT_EQ(Ascii(editor.page.text.Text()), Ascii(c.editorText));
        }
        EXPECT_EQ(editor.pageTypeQuestions, 0);
        if (!c.editorText.empty() && c.error.empty()) {
            EXPECT_EQ(Ascii(TextOf(c.startPage)), c.startPage == 2 ? "beta dog typed" : "delta typed");
        }
    }
}

TEST(FindOptionsWord, FormedFromTheTwoBoxes) {
    EXPECT_EQ(FindOptionsWord(false, false), 16);
    EXPECT_EQ(FindOptionsWord(true, false), 20);
    EXPECT_EQ(FindOptionsWord(false, true), 24);
    EXPECT_EQ(FindOptionsWord(true, true), 28);
}

}  // namespace
