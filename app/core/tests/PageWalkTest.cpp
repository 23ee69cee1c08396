// The page walk against a module on disk: every page change of the editor as a table of cases
// (start, action, the author's answers; then the page list, the counter, the flags, the editor's
// page and the files, byte for byte), and walks that keep their own list or store every page.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/core/AppState.h"
#include "app/core/PageFile.h"
#include "app/core/PageWalk.h"
#include "base/Error.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "components/textcontrol/TextEngine.h"

namespace fs = std::filesystem;

namespace {

// A page file holding `text`, as the program writes one.
std::string PageBytes(const std::wstring& text) {
    tx::TextEngine page;
    page.SetSelText(text);
    return PageFileBytes(page);
}

std::wstring TextOfPageFile(const std::wstring& path) {
    tx::TextEngine page;
    LoadPageFile(path, page, true);
    return page.Text();
}

std::string Utf8(const std::wstring& w) {
    std::string s;
    for (wchar_t c : w) s += c < 0x80 ? static_cast<char>(c) : '?';
    return s;
}

// What the author does when the page type dialog opens: Save Page with a type and topic, or
// Cancel (the close box, for the first page's dialog that has no Cancel).
struct Answer {
    bool save = true;
    std::wstring type = L"Page";
    std::wstring topic;
};
Answer Save(const std::wstring& type = L"Page", const std::wstring& topic = L"") { return {true, type, topic}; }
Answer Cancel() { return {false, L"", L""}; }

// Anything that holds a page for a walk, in memory: its page is its text. It logs the files it
// loads and stores.
class MemoryPage : public PageHolder {
public:
    std::wstring text;
    std::vector<std::string> log;  // "load 0002.txm", "store 0001.txm", "movies"
    // What a load does to the page (a search's replacement, say).
    std::function<void(std::wstring&)> onLoad;

    void LoadPage(const std::wstring& path) override {
        text = TextOfPageFile(path);
        log.push_back("load " + Utf8(zv::LastPathPart(path)));
        if (onLoad) onLoad(text);
    }
    void StorePage(const std::wstring& path) override {
        tx::TextEngine page;
        page.SetSelText(text);
        WritePageFile(path, page);
        log.push_back("store " + Utf8(zv::LastPathPart(path)));
    }
    void RemoveMovies() override { log.push_back("movies"); }
};

// The editor as the walk sees it, with the author's answers queued.
class MemoryEditor : public PageEditor {
public:
    MemoryPage page;
    bool dirty = false;
    std::deque<Answer> answers;
    std::vector<PageTypeQuestion> asked;
    std::vector<std::wstring> dialogErrors;  // what the dialog showed while it stayed open
    std::optional<bool> next, previous;      // the buttons as last set
    std::optional<std::wstring> shown;       // the page name last shown

    bool Dirty() const override { return dirty; }
    void SetDirty(bool d) override { dirty = d; }
    void LoadPage(const std::wstring& path) override { page.LoadPage(path); }
    void StorePage(const std::wstring& path) override { page.StorePage(path); }
    void RemoveMovies() override { page.RemoveMovies(); }
    void ClearPage() override {
        page.text.clear();
        page.log.push_back("clear");
    }
    PageTypeAnswer AskPageType(const PageTypeQuestion& question, const PageStore& store) override {
        asked.push_back(question);
        // The dialog stays open after a failed Save Page, for another answer.
        while (!answers.empty()) {
            const Answer a = answers.front();
            answers.pop_front();
            if (!a.save) return PageTypeAnswer::Cancelled;
            try {
                store(a.type, a.topic);
                return PageTypeAnswer::Stored;
            } catch (const zv::Error& e) {
                dialogErrors.push_back(e.Description());
            }
        }
        ADD_FAILURE() << "the page type dialog was asked with no answer left";
        return PageTypeAnswer::Cancelled;
    }
    void ShowPageName(const std::wstring& name) override { shown = name; }
    void EnableNext(bool on) override { next = on; }
    void EnablePrevious(bool on) override { previous = on; }
    void RefreshToolbar() override {}
};

const std::string kMapHeader = "000042\r\nTest module\r\n";

// The bytes of Map.txt: the counter line, then the page lines.
std::string Map(int counter, std::vector<std::string> lines) {
    std::string map = kMapHeader + std::to_string(counter) + "\r\n";
    for (const auto& line : lines) map += line + "\r\n";
    return map;
}

struct Page {
    std::wstring name;
    std::wstring text;
    std::string line;  // its line in Map.txt
};
const std::vector<Page> kThreePages = {
    {L"0001.txm", L"One", "0001.txm*Page"}, {L"0002.txm", L"Two", "0002.txm*Page"}, {L"0003.txm", L"Three", "0003.txm*Page"}};
const std::vector<Page> kTwoPages = {kThreePages[0], kThreePages[1]};
const std::vector<Page> kOnePage = {kThreePages[0]};

// The state a case starts from. By default: the three pages above, the editor on the first one.
struct Start {
    std::vector<Page> pages = kThreePages;  // none: a new module, Map.txt empty
    std::wstring cursor = L"0001.txm";      // the page list's current page
    std::wstring text = L"One";             // what the editor holds
    bool dirty = false;
    bool newPage = false;                   // IsNewPage
    bool justAdded = false;                 // PageJustAdded
    int pageNo = 1;                         // CurrentPageNo
    int counter = 0;                        // PageCounter; 0: as the map gives it (pages + 1)
    std::vector<std::wstring> missing;      // page files taken away after the start was written
};

// The state a case ends in.
struct End {
    std::wstring cursor;
    std::wstring text;
    int pageNo = 1;
    int counter = 4;
    bool newPage = false;
    bool justAdded = false;
    bool dirty = false;
};

enum class Action { kNext, kPrevious, kGoTo, kInsertBefore, kInsertAfter, kDelete, kSave, kShowFirst };

struct Case {
    const char* name;
    Start start;
    Action action;
    std::vector<Answer> answers;
    std::wstring goTo;                 // the page for kGoTo
    const char* error = nullptr;       // part of the error the action ends with
    std::optional<std::string> map;    // Map.txt afterwards; none: as it was at the start
    std::vector<std::pair<std::wstring, std::optional<std::wstring>>> files;  // page files afterwards (none: gone)
    End end;
    std::vector<std::wstring> asked = {};          // reference names of the page type questions
    std::vector<std::string> io = {};              // the editor's loads, stores and clears, in order
    std::optional<bool> next = std::nullopt, previous = std::nullopt;  // buttons; none: not set
    std::optional<std::wstring> shown = std::nullopt;
    std::vector<std::string> dialogErrors = {};    // parts of errors the dialog showed
};

class PageWalkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAppState();
        dir_ = fs::temp_directory_path() /
               (std::string("zv_pagewalk_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        messages_.clear();
        App().ShowMessage = [this](const std::wstring& prompt) { messages_.push_back(prompt); };
    }
    void TearDown() override {
        ResetAppState();
        fs::remove_all(dir_);
    }

    std::wstring Folder(const std::wstring& code = L"000042") const { return (dir_ / code).wstring(); }
    std::wstring PathOf(const std::wstring& name) const { return zv::JoinPath(Folder(), name); }
    std::string MapBytes() const { return zv::ReadFileBytes(PathOf(L"Map.txt")); }

    // Writes the module of `pages` and opens it as the program does: the page list read from its
    // map, the counter one past the stored one.
    void WriteModule(const std::vector<Page>& pages) {
        AppState& app = App();
        fs::create_directories(fs::path(Folder()));
        app.ModulePath = Folder();
        app.ModuleCode = L"000042";
        app.ModuleName = L"Test module";
        ResetPageState(app);
        if (pages.empty()) {
            std::ofstream(fs::path(PathOf(L"Map.txt")), std::ios::binary);
            return;
        }
        std::vector<std::string> lines;
        for (const Page& p : pages) {
            std::ofstream(fs::path(PathOf(p.name)), std::ios::binary) << PageBytes(p.text);
            lines.push_back(p.line);
        }
        std::ofstream(fs::path(PathOf(L"Map.txt")), std::ios::binary) << Map(static_cast<int>(pages.size()), lines);
        app.PageList.LoadExistingList(PathOf(L"Map.txt"), app.PageCounter, app.ModuleCode, app.ModuleName, app.ModulePath);
    }

    void Begin(const Start& s, MemoryEditor& editor) {
        WriteModule(s.pages);
        AppState& app = App();
        if (!s.pages.empty()) app.PageList.SetPageAsCurrent(s.cursor);
        if (s.counter != 0) app.PageCounter = static_cast<std::int16_t>(s.counter);
        app.CurrentPageNo = static_cast<std::int16_t>(s.pageNo);
        app.IsNewPage = s.newPage;
        app.PageJustAdded = s.justAdded;
        editor.page.text = s.text;
        editor.dirty = s.dirty;
        for (const auto& name : s.missing) fs::remove(fs::path(PathOf(name)));
    }

    static void Run(EditorWalk& walk, const Case& c) {
        switch (c.action) {
        case Action::kNext: walk.GoToNextPage(); break;
        case Action::kPrevious: walk.GoToPreviousPage(); break;
        case Action::kGoTo: walk.GoToPage(c.goTo); break;
        case Action::kInsertBefore: walk.InsertPage(1); break;
        case Action::kInsertAfter: walk.InsertPage(2); break;
        case Action::kDelete: walk.DeleteCurrentPage(); break;
        case Action::kSave: walk.SaveCurrentPage(); break;
        case Action::kShowFirst: walk.ShowFirstPage(); break;
        }
    }

    fs::path dir_;
    std::vector<std::wstring> messages_;
};

// Deleting the page `start` stands on, of the three pages: the map and files without it, the page
// `shown` loaded and shown as number `pageNo`.
Case DeletingShows(const char* name, Start start, const std::wstring& shown, int pageNo) {
    Case c{.name = name, .start = start, .action = Action::kDelete};
    std::vector<std::string> lines;
    for (const Page& p : kThreePages) {
        if (p.name == start.cursor) continue;
        lines.push_back(p.line);
        if (p.name == shown) c.end = {.cursor = p.name, .text = p.text, .pageNo = pageNo};
    }
    c.map = Map(4, lines);
    c.files = {{start.cursor, std::nullopt}, {shown, c.end.text}};
    c.io = {"load " + Utf8(shown)};
    c.shown = shown;
    return c;
}

std::vector<std::string> FileIo(const std::vector<std::string>& log) {
    std::vector<std::string> io;
    for (const auto& entry : log)
        if (entry != "movies") io.push_back(entry);
    return io;
}

TEST_F(PageWalkTest, EveryPageChangeOfTheEditor) {
    const Start newModule{.pages = {}, .cursor = L"", .text = L"", .newPage = true, .counter = 1};
    // The editor on a new page after the last of two stored pages.
    const Start afterTwo{.pages = kTwoPages, .cursor = L"0002.txm", .text = L"", .newPage = true, .pageNo = 3};

    const Case cases[] = {
        {.name = "the first page of a new module is stored as page one, a topic",
         .start = {.pages = {}, .cursor = L"", .text = L"Hello", .dirty = true, .newPage = true, .counter = 1},
         .action = Action::kSave,
         .answers = {Save(L"Topic", L"Intro")},
         .map = Map(1, {"0001.txm*Topic*Intro"}),
         .files = {{L"0001.txm", L"Hello"}},
         .end = {.cursor = L"0001.txm", .text = L"Hello", .counter = 2, .justAdded = true},
         .asked = {L""},
         .io = {"store 0001.txm"}},
        {.name = "Next on a changed new page stores it and opens an empty new page one number on",
         .start = {.pages = kTwoPages, .cursor = L"0002.txm", .text = L"Three", .dirty = true, .newPage = true, .pageNo = 3},
         .action = Action::kNext,
         .answers = {Save()},
         .map = Map(3, {"0001.txm*Page", "0002.txm*Page", "0003.txm*Page"}),
         .files = {{L"0003.txm", L"Three"}, {L"0002.txm", L"Two"}},
         .end = {.cursor = L"0003.txm", .text = L"", .pageNo = 4, .counter = 4, .newPage = true},
         .asked = {L""},
         .io = {"store 0003.txm", "clear"},
         .next = false,
         .previous = true,
         .shown = L""},
        {.name = "Next past the end with nothing typed adds nothing and keeps the number",
         .start = afterTwo,
         .action = Action::kNext,
         .end = {.cursor = L"0002.txm", .text = L"", .pageNo = 3, .counter = 3, .newPage = true},
         .io = {"clear"},
         .next = false,
         .previous = true,
         .shown = L""},
        {.name = "Next on the last stored page opens a new page one number on",
         .start = {.pages = kTwoPages, .cursor = L"0002.txm", .text = L"Two", .pageNo = 2},
         .action = Action::kNext,
         .end = {.cursor = L"0002.txm", .text = L"", .pageNo = 3, .counter = 3, .newPage = true},
         .io = {"clear"},
         .next = false,
         .previous = true,
         .shown = L""},
        {.name = "Next from a changed stored page stores it under its own name with the chosen type",
         .start = {.text = L"!One", .dirty = true},
         .action = Action::kNext,
         .answers = {Save(L"Test")},
         .map = Map(4, {"0001.txm*Test", "0002.txm*Page", "0003.txm*Page"}),
         .files = {{L"0001.txm", L"!One"}, {L"0002.txm", L"Two"}},
         .end = {.cursor = L"0002.txm", .text = L"Two", .pageNo = 2},
         .asked = {L"0002.txm"},
         .io = {"store 0001.txm", "load 0002.txm"},
         .previous = true,
         .shown = L"0002.txm"},
        {.name = "Next with the page type cancelled ends there: the page, its edits and the files stay",
         .start = {.text = L"edited One", .dirty = true},
         .action = Action::kNext,
         .answers = {Cancel()},
         .files = {{L"0001.txm", L"One"}, {L"0002.txm", L"Two"}},
         .end = {.cursor = L"0001.txm", .text = L"edited One", .pageNo = 1, .dirty = true},
         .asked = {L"0002.txm"}},
        {.name = "Next from a changed new page, cancelled: no page is added and the number stays",
         .start = {.pages = kTwoPages, .cursor = L"0002.txm", .text = L"Three", .dirty = true, .newPage = true, .pageNo = 3},
         .action = Action::kNext,
         .answers = {Cancel()},
         .files = {{L"0003.txm", std::nullopt}},
         .end = {.cursor = L"0002.txm", .text = L"Three", .pageNo = 3, .counter = 3, .newPage = true, .dirty = true},
         .asked = {L""}},
        {.name = "Next into a page whose file is missing ends with the editor on a new page, the cursor kept",
         .start = {.missing = {L"0002.txm"}},
         .action = Action::kNext,
         .error = "0002.txm",
         .end = {.cursor = L"0001.txm", .text = L"", .pageNo = 2, .newPage = true},
         .io = {"clear"}},
        {.name = "a new page stored after a failed load is added, the stored page under the cursor kept",
         .start = {.text = L"typed", .dirty = true, .newPage = true, .pageNo = 2},
         .action = Action::kSave,
         .answers = {Save()},
         .map = Map(4, {"0001.txm*Page", "0002.txm*Page", "0003.txm*Page", "0004.txm*Page"}),
         .files = {{L"0001.txm", L"One"}, {L"0004.txm", L"typed"}},
         .end = {.cursor = L"0004.txm", .text = L"typed", .pageNo = 2, .counter = 5, .justAdded = true},
         .asked = {L"0002.txm"},
         .io = {"store 0004.txm"}},
        {.name = "Previous from an unchanged new page shows the last stored page, one number back",
         .start = afterTwo,
         .action = Action::kPrevious,
         .end = {.cursor = L"0002.txm", .text = L"Two", .pageNo = 2, .counter = 3},
         .io = {"load 0002.txm"},
         .next = true,
         .shown = L"0002.txm"},
        {.name = "Previous on the first page reloads it and keeps the number",
         .start = {},
         .action = Action::kPrevious,
         .end = {.cursor = L"0001.txm", .text = L"One", .pageNo = 1},
         .io = {"load 0001.txm"},
         .next = true,
         .previous = false,
         .shown = L"0001.txm"},
        {.name = "Previous from a changed stored page, cancelled: the page stays with its edits",
         .start = {.cursor = L"0002.txm", .text = L"edited Two", .dirty = true, .pageNo = 2},
         .action = Action::kPrevious,
         .answers = {Cancel()},
         .files = {{L"0002.txm", L"Two"}},
         .end = {.cursor = L"0002.txm", .text = L"edited Two", .pageNo = 2, .dirty = true},
         .asked = {L"0002.txm"}},
        {.name = "Previous from a changed new page, cancelled: nothing is added and the number stays",
         .start = {.cursor = L"0003.txm", .text = L"Four", .dirty = true, .newPage = true, .pageNo = 4},
         .action = Action::kPrevious,
         .answers = {Cancel()},
         .files = {{L"0004.txm", std::nullopt}},
         .end = {.cursor = L"0003.txm", .text = L"Four", .pageNo = 4, .newPage = true, .dirty = true},
         .asked = {L""}},
        {.name = "a new page stored on the way back: the editor returns to the page before it",
         .start = {.cursor = L"0003.txm", .text = L"Four", .dirty = true, .newPage = true, .pageNo = 4},
         .action = Action::kPrevious,
         .answers = {Save()},
         .map = Map(4, {"0001.txm*Page", "0002.txm*Page", "0003.txm*Page", "0004.txm*Page"}),
         .files = {{L"0004.txm", L"Four"}},
         .end = {.cursor = L"0003.txm", .text = L"Three", .pageNo = 3, .counter = 5},
         .asked = {L""},
         .io = {"store 0004.txm", "load 0003.txm"},
         .next = true,
         .shown = L"0003.txm"},
        {.name = "Previous from a just added page whose page before has no file keeps editor and cursor together",
         .start = {.pages = kOnePage, .text = L"Two", .dirty = true, .newPage = true, .pageNo = 2,
                   .missing = {L"0001.txm"}},
         .action = Action::kPrevious,
         .answers = {Save()},
         .error = "0001.txm",
         .map = Map(2, {"0001.txm*Page", "0002.txm*Page"}),
         .files = {{L"0002.txm", L"Two"}, {L"0001.txm", std::nullopt}},
         .end = {.cursor = L"0002.txm", .text = L"Two", .pageNo = 2, .counter = 3, .dirty = true},
         .asked = {L""},
         .io = {"store 0002.txm"}},
        {.name = "Previous from an inserted page, cancelled: the inserted page stays with what was typed",
         .start = {.pages = {kThreePages[0], {L"0004.txm", L"", "0004.txm*Page"}, kThreePages[1], kThreePages[2]},
                   .cursor = L"0004.txm", .text = L"typed", .dirty = true, .justAdded = true, .pageNo = 2, .counter = 5},
         .action = Action::kPrevious,
         .answers = {Cancel()},
         .files = {{L"0004.txm", L""}, {L"0001.txm", L"One"}},
         .end = {.cursor = L"0004.txm", .text = L"typed", .pageNo = 2, .counter = 5, .justAdded = true, .dirty = true},
         .asked = {L"0004.txm"}},
        {.name = "Previous from an inserted page stores it in its own file and shows the page before it",
         .start = {.pages = {kThreePages[0], {L"0004.txm", L"", "0004.txm*Page"}, kThreePages[1], kThreePages[2]},
                   .cursor = L"0004.txm", .text = L"typed", .dirty = true, .justAdded = true, .pageNo = 2, .counter = 5},
         .action = Action::kPrevious,
         .answers = {Save(L"Topic", L"New")},
         .map = Map(5, {"0001.txm*Page", "0004.txm*Topic*New", "0002.txm*Page", "0003.txm*Page"}),
         .files = {{L"0004.txm", L"typed"}, {L"0001.txm", L"One"}},
         .end = {.cursor = L"0001.txm", .text = L"One", .pageNo = 1, .counter = 5},
         .asked = {L"0004.txm"},
         .io = {"store 0004.txm", "load 0001.txm"},
         .next = true,
         .previous = false,
         .shown = L"0001.txm"},
        {.name = "Go To loads the page, makes it current and leaves the number to its caller",
         .start = {},
         .action = Action::kGoTo,
         .goTo = L"0002.txm",
         .end = {.cursor = L"0002.txm", .text = L"Two", .pageNo = 1},
         .io = {"load 0002.txm"},
         .next = true,
         .previous = true},
        {.name = "Go To the last page turns Next off",
         .start = {},
         .action = Action::kGoTo,
         .goTo = L"0003.txm",
         .end = {.cursor = L"0003.txm", .text = L"Three", .pageNo = 1},
         .io = {"load 0003.txm"},
         .next = false},
        {.name = "Go To the first page turns Previous off",
         .start = {.cursor = L"0002.txm", .text = L"Two", .justAdded = true},
         .action = Action::kGoTo,
         .goTo = L"0001.txm",
         .end = {.cursor = L"0001.txm", .text = L"One", .pageNo = 1},
         .io = {"load 0001.txm"},
         .previous = false},
        {.name = "Go To from a changed page stores it first under its own name",
         .start = {.cursor = L"0002.txm", .text = L"edited Two", .dirty = true, .pageNo = 2},
         .action = Action::kGoTo,
         .answers = {Save()},
         .goTo = L"0003.txm",
         .map = Map(4, {"0001.txm*Page", "0002.txm*Page", "0003.txm*Page"}),
         .files = {{L"0002.txm", L"edited Two"}},
         .end = {.cursor = L"0003.txm", .text = L"Three", .pageNo = 2},
         .asked = {L"0002.txm"},
         .io = {"store 0002.txm", "load 0003.txm"},
         .next = false},
        {.name = "Go To from a changed page, cancelled: the editor stays on it",
         .start = {.cursor = L"0002.txm", .text = L"edited Two", .dirty = true, .pageNo = 2},
         .action = Action::kGoTo,
         .answers = {Cancel()},
         .goTo = L"0003.txm",
         .files = {{L"0002.txm", L"Two"}},
         .end = {.cursor = L"0002.txm", .text = L"edited Two", .pageNo = 2, .dirty = true},
         .asked = {L"0002.txm"}},
        {.name = "Go To a name that is no file of the module loads nothing",
         .start = {},
         .action = Action::kGoTo,
         .goTo = L"..\\0001.txm",
         .error = "not a page of the module",
         .end = {.cursor = L"0001.txm", .text = L"", .pageNo = 1, .newPage = true},
         .io = {"clear"}},
        {.name = "insert after: the next free number, the number one on, leaving it asks for its type",
         .start = {},
         .action = Action::kInsertAfter,
         .map = Map(4, {"0001.txm*Page", "0004.txm*Page", "0002.txm*Page", "0003.txm*Page"}),
         .files = {{L"0004.txm", L""}},
         .end = {.cursor = L"0004.txm", .text = L"", .pageNo = 2, .counter = 5, .justAdded = true, .dirty = true},
         .io = {"clear", "store 0004.txm"},
         .shown = L"0004.txm"},
        {.name = "insert before keeps the number and stores the changed page left first",
         .start = {.cursor = L"0002.txm", .text = L"edited Two", .dirty = true, .pageNo = 2},
         .action = Action::kInsertBefore,
         .answers = {Save()},
         .map = Map(4, {"0001.txm*Page", "0004.txm*Page", "0002.txm*Page", "0003.txm*Page"}),
         .files = {{L"0004.txm", L""}, {L"0002.txm", L"edited Two"}},
         .end = {.cursor = L"0004.txm", .text = L"", .pageNo = 2, .counter = 5, .justAdded = true, .dirty = true},
         .asked = {L"0002.txm"},
         .io = {"store 0002.txm", "clear", "store 0004.txm"},
         .shown = L"0004.txm"},
        {.name = "insert with the page type cancelled inserts nothing and keeps the edits",
         .start = {.cursor = L"0002.txm", .text = L"edited Two", .dirty = true, .pageNo = 2},
         .action = Action::kInsertAfter,
         .answers = {Cancel()},
         .files = {{L"0004.txm", std::nullopt}, {L"0002.txm", L"Two"}},
         .end = {.cursor = L"0002.txm", .text = L"edited Two", .pageNo = 2, .dirty = true},
         .asked = {L"0002.txm"}},
        {.name = "insert after a changed new page: it is added at the end and the empty page follows it",
         .start = {.pages = kTwoPages, .cursor = L"0002.txm", .text = L"Three", .dirty = true, .newPage = true, .pageNo = 3},
         .action = Action::kInsertAfter,
         .answers = {Save()},
         .map = Map(4, {"0001.txm*Page", "0002.txm*Page", "0003.txm*Page", "0004.txm*Page"}),
         .files = {{L"0003.txm", L"Three"}, {L"0004.txm", L""}},
         .end = {.cursor = L"0004.txm", .text = L"", .pageNo = 4, .counter = 5, .justAdded = true, .dirty = true},
         .asked = {L""},
         .io = {"store 0003.txm", "clear", "store 0004.txm"},
         .shown = L"0004.txm"},
        {.name = "no page is inserted past number 9999, and nothing changes",
         .start = {.pages = kOnePage, .counter = 10000},
         .action = Action::kInsertAfter,
         .error = "9999",
         .end = {.cursor = L"0001.txm", .text = L"One", .pageNo = 1, .counter = 10000}},
        // Deleting a stored page of three shows the page that followed it (at the end, the one
        // before it) and its number; changes to the deleted page go with it, unasked.
        DeletingShows("delete in the middle shows the page that followed",
                      {.cursor = L"0002.txm", .text = L"Two", .pageNo = 2}, L"0003.txm", 2),
        DeletingShows("delete the last page shows the one before it, its number and its name",
                      {.cursor = L"0003.txm", .text = L"Three", .pageNo = 3}, L"0002.txm", 2),
        DeletingShows("delete the first page: the page that followed is page one",
                      {.cursor = L"0001.txm", .text = L"One", .pageNo = 1}, L"0002.txm", 1),
        DeletingShows("delete a changed page: its edits go with it, unasked",
                      {.cursor = L"0002.txm", .text = L"edited Two", .dirty = true, .pageNo = 2}, L"0003.txm", 2),
        {.name = "the only page of a module is never deleted",
         .start = {.pages = kOnePage},
         .action = Action::kDelete,
         .error = "only page",
         .files = {{L"0001.txm", L"One"}},
         .end = {.cursor = L"0001.txm", .text = L"One", .pageNo = 1, .counter = 2}},
        {.name = "deleting a new page that was never stored drops only that page",
         .start = {.pages = kTwoPages, .cursor = L"0002.txm", .text = L"not wanted", .dirty = true, .newPage = true, .pageNo = 3},
         .action = Action::kDelete,
         .files = {{L"0002.txm", L"Two"}},
         .end = {.cursor = L"0002.txm", .text = L"Two", .pageNo = 2, .counter = 3},
         .io = {"load 0002.txm"},
         .next = false,
         .shown = L"0002.txm"},
        {.name = "deleting the new page of a new module leaves an empty new page",
         .start = {.pages = {}, .cursor = L"", .text = L"draft", .dirty = true, .newPage = true, .counter = 1},
         .action = Action::kDelete,
         .map = "",
         .end = {.cursor = L"", .text = L"", .pageNo = 1, .counter = 1, .newPage = true},
         .io = {"clear"}},
        {.name = "Save of a stored topic page asks with its topic and keeps its file name",
         .start = {.pages = {kThreePages[0], {L"0002.txm", L"Two", "0002.txm*Topic*Chapter"}, kThreePages[2]},
                   .cursor = L"0002.txm", .text = L"Two!", .dirty = true, .pageNo = 2},
         .action = Action::kSave,
         .answers = {Save(L"Page")},
         .map = Map(4, {"0001.txm*Page", "0002.txm*Page", "0003.txm*Page"}),
         .files = {{L"0002.txm", L"Two!"}},
         .end = {.cursor = L"0002.txm", .text = L"Two!", .pageNo = 2},
         .asked = {L"0003.txm"},
         .io = {"store 0002.txm"}},
        {.name = "Save cancelled stores nothing, and the page keeps its changes to be asked for again",
         .start = {.text = L"edited", .dirty = true},
         .action = Action::kSave,
         .answers = {Cancel()},
         .files = {{L"0001.txm", L"One"}},
         .end = {.cursor = L"0001.txm", .text = L"edited", .pageNo = 1, .dirty = true},
         .asked = {L"0002.txm"}},
        {.name = "no page is stored past number 9999: the dialog says so and stays open",
         .start = {.pages = kOnePage, .text = L"One too many", .dirty = true, .newPage = true, .pageNo = 2, .counter = 10000},
         .action = Action::kSave,
         .answers = {Save(), Cancel()},
         .files = {{L".txm", std::nullopt}},
         .end = {.cursor = L"0001.txm", .text = L"One too many", .pageNo = 2, .counter = 10000, .newPage = true,
                 .dirty = true},
         .asked = {L""},
         .dialogErrors = {"9999"}},
        {.name = "a module opens on its first page",
         .start = {.cursor = L"0001.txm", .text = L"", .newPage = true},
         .action = Action::kShowFirst,
         .end = {.cursor = L"0001.txm", .text = L"One", .pageNo = 1},
         .io = {"load 0001.txm"}},
        {.name = "a module without pages opens on a new page",
         .start = newModule,
         .action = Action::kShowFirst,
         .map = "",
         .end = {.cursor = L"", .text = L"", .pageNo = 1, .counter = 1, .newPage = true},
         .next = false},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        MemoryEditor editor;
        Begin(c.start, editor);
        const std::string mapBefore = MapBytes();
        editor.answers.assign(c.answers.begin(), c.answers.end());
        EditorWalk walk(App(), editor);
        if (c.error != nullptr) {
            try {
                Run(walk, c);
                ADD_FAILURE() << "no error";
            } catch (const zv::Error& e) {
                EXPECT_NE(e.Description().find(std::wstring(c.error, c.error + std::strlen(c.error))), std::wstring::npos)
                    << Utf8(e.Description());
            }
        } else {
            Run(walk, c);
        }

        const AppState& app = App();
        EXPECT_EQ(MapBytes(), c.map.value_or(mapBefore));
        for (const auto& [name, text] : c.files) {
            const std::wstring path = PathOf(name);
            if (!text) {
                EXPECT_FALSE(fs::exists(fs::path(path))) << Utf8(name);
            } else {
                EXPECT_TRUE(zv::FileExists(path)) << Utf8(name);
                if (zv::FileExists(path)) {
                    EXPECT_EQ(zv::ReadFileBytes(path), PageBytes(*text)) << Utf8(name);
                }
            }
        }
        EXPECT_EQ(Utf8(app.PageList.GetCurrentPageName()), Utf8(c.end.cursor));
        EXPECT_EQ(Utf8(editor.page.text), Utf8(c.end.text));
        EXPECT_EQ(app.CurrentPageNo, c.end.pageNo);
        EXPECT_EQ(app.PageCounter, c.end.counter);
        EXPECT_EQ(app.IsNewPage, c.end.newPage);
        EXPECT_EQ(app.PageJustAdded, c.end.justAdded);
        EXPECT_EQ(editor.dirty, c.end.dirty);
        EXPECT_TRUE(app.PageFileName.empty());
        std::vector<std::wstring> asked;
        for (const auto& q : editor.asked) asked.push_back(q.ReferenceName);
        EXPECT_EQ(asked, c.asked);
        EXPECT_TRUE(editor.answers.empty()) << "answers left over";
        EXPECT_EQ(FileIo(editor.page.log), c.io);
        EXPECT_EQ(editor.next, c.next);
        EXPECT_EQ(editor.previous, c.previous);
        EXPECT_EQ(editor.shown, c.shown);
        EXPECT_EQ(editor.dialogErrors.size(), c.dialogErrors.size());
        for (size_t i = 0; i < std::min(c.dialogErrors.size(), editor.dialogErrors.size()); ++i) {
            EXPECT_NE(Utf8(editor.dialogErrors[i]).find(c.dialogErrors[i]), std::string::npos);
        }
        // Every page the editor loads follows the movie players' removal.
        const auto& log = editor.page.log;
        for (size_t i = 0; i < log.size(); ++i) {
            if (log[i].rfind("load ", 0) == 0) {
                EXPECT_TRUE(i > 0 && log[i - 1] == "movies") << log[i];
            }
        }
        EXPECT_TRUE(messages_.empty());
        TearDown();
    }
}

// What the page type dialog opens with, by the state of the editor's page.
TEST_F(PageWalkTest, ThePageTypeQuestionFollowsThePageAboutToBeStored) {
    struct QCase {
        const char* name;
        std::vector<Page> pages;
        std::wstring cursor;
        bool newPage;
        std::wstring reference;
        PageTypeQuestion::Option chosen;
        std::wstring topicText;
        bool cancel;
        std::wstring curTopName;  // CurTopName afterwards (starts as "old")
    } cases[] = {
        {"the module's very first page", {}, L"", true, L"", PageTypeQuestion::kNewTopic, L"Enter Topic Name", false,
         L"old"},
        {"a new page after stored pages", kTwoPages, L"0002.txm", true, L"", PageTypeQuestion::kContentPage, L"", true,
         L"old"},
        {"a stored content page", kTwoPages, L"0001.txm", false, L"0002.txm", PageTypeQuestion::kContentPage, L"", true,
         L""},
        {"a stored test page", {{L"0001.txm", L"Q", "0001.txm*Test"}}, L"0001.txm", false, L"",
         PageTypeQuestion::kModuleTest, L"", true, L""},
        {"a stored topic page", {{L"0001.txm", L"T", "0001.txm*Topic*Caf\xE9 topic"}}, L"0001.txm", false, L"",
         PageTypeQuestion::kNewTopic, L"Caf\xE9 topic", true, L"Caf\xE9 topic"},
        {"a stored page of a type the program does not know", {{L"0001.txm", L"T", "0001.txm*Quiz*kept"}}, L"0001.txm",
         false, L"", PageTypeQuestion::kNewTopic, L"", true, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteModule(c.pages);
        AppState& app = App();
        if (!c.pages.empty()) app.PageList.SetPageAsCurrent(c.cursor);
        app.IsNewPage = c.newPage;
        app.CurTopName = L"old";
        const PageTypeQuestion q = EditorWalk::QuestionFor(app, c.reference);
        EXPECT_EQ(Utf8(q.ReferenceName), Utf8(c.reference));
        EXPECT_EQ(q.Chosen, c.chosen);
        EXPECT_EQ(Utf8(q.TopicText), Utf8(c.topicText));
        EXPECT_EQ(q.CancelEnabled, c.cancel);
        EXPECT_EQ(Utf8(app.CurTopName), Utf8(c.curTopName));
    }
}

// A page that cannot be written is never listed: the list, Map.txt and the counter stay.
TEST_F(PageWalkTest, APageWhoseFileCannotBeWrittenIsNotListed) {
    WriteModule({});
    fs::create_directories(fs::path(PathOf(L"0001.txm")));  // stands where the page file must go
    MemoryEditor editor;
    editor.page.text = L"Text";
    editor.dirty = true;
    editor.answers = {Save(L"Topic"), Cancel()};
    EditorWalk(App(), editor).SaveCurrentPage();
    EXPECT_EQ(editor.dialogErrors.size(), 1u);
    EXPECT_EQ(MapBytes(), "");
    EXPECT_FALSE(App().PageList.PageExist(L"0001.txm"));
    EXPECT_EQ(App().PageCounter, 1);
    EXPECT_TRUE(App().IsNewPage);
    EXPECT_FALSE(App().PageJustAdded);
}

// A preview walks every page with a list of its own: the module's page list, its cursor and its
// files stay as they were.
TEST_F(PageWalkTest, APreviewWalksEveryPageWithItsOwnList) {
    WriteModule(kThreePages);
    AppState& app = App();
    app.PageList.SetPageAsCurrent(L"0002.txm");
    const std::string mapBefore = MapBytes();

    LinkedList previewList;
    std::int16_t counter = 1;
    std::wstring code, name;
    previewList.LoadExistingList(PathOf(L"Map.txt"), counter, code, name, app.ModulePath);
    MemoryPage preview;
    preview.onLoad = [](std::wstring& text) { text += L" (seen)"; };  // nothing of it may be stored
    PageWalk walk(app.ModulePath, previewList, preview);

    std::vector<std::wstring> seen = {walk.LoadCurrent()};
    EXPECT_EQ(preview.text, L"One (seen)");
    for (std::wstring next; !(next = walk.Next()).empty();) seen.push_back(next);
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"0001.txm", L"0002.txm", L"0003.txm"}));
    EXPECT_EQ(preview.text, L"Three (seen)");
    EXPECT_EQ(walk.Next(), L"") << "the last page stays";
    EXPECT_EQ(walk.Previous(), L"0002.txm");
    EXPECT_EQ(walk.Previous(), L"0001.txm");
    EXPECT_EQ(walk.Previous(), L"");
    EXPECT_EQ(previewList.GetCurrentPageName(), L"0001.txm");
    EXPECT_EQ(FileIo(preview.log), (std::vector<std::string>{"load 0001.txm", "load 0002.txm", "load 0003.txm",
                                                             "load 0002.txm", "load 0001.txm"}));

    EXPECT_EQ(app.PageList.GetCurrentPageName(), L"0002.txm");
    EXPECT_EQ(MapBytes(), mapBefore);
    for (const Page& p : kThreePages) EXPECT_EQ(zv::ReadFileBytes(PathOf(p.name)), PageBytes(p.text));
}

// A search over all pages moves the module's list from page to page, wrapping from the last to the
// first, and stores every page it leaves (with what it replaced) until it is back where it began.
TEST_F(PageWalkTest, ASearchWalkStoresEveryPageItLeavesAndWrapsAround) {
    WriteModule(kThreePages);
    AppState& app = App();
    app.PageList.SetPageAsCurrent(L"0002.txm");
    const std::string mapBefore = MapBytes();
    MemoryPage search;
    search.onLoad = [](std::wstring& text) {
        for (auto& c : text) c = static_cast<wchar_t>(std::towupper(c));  // the replacement
    };
    PageWalk walk(app.ModulePath, app.PageList, search, PageWalk::Leaving::Stored);

    walk.LoadCurrent();
    std::vector<std::wstring> visited;
    const std::wstring start = app.PageList.GetCurrentPageName();
    do {
        visited.push_back(walk.Next(true));
    } while (app.PageList.GetCurrentPageName() != start);
    EXPECT_EQ(visited, (std::vector<std::wstring>{L"0003.txm", L"0001.txm", L"0002.txm"}));
    EXPECT_EQ(FileIo(search.log), (std::vector<std::string>{"load 0002.txm", "store 0002.txm", "load 0003.txm",
                                                            "store 0003.txm", "load 0001.txm", "store 0001.txm",
                                                            "load 0002.txm"}));
    walk.StoreCurrent();  // back at the start: that page is stored once more
    EXPECT_EQ(zv::ReadFileBytes(PathOf(L"0001.txm")), PageBytes(L"ONE"));
    EXPECT_EQ(zv::ReadFileBytes(PathOf(L"0002.txm")), PageBytes(L"TWO"));
    EXPECT_EQ(zv::ReadFileBytes(PathOf(L"0003.txm")), PageBytes(L"THREE"));
    EXPECT_EQ(MapBytes(), mapBefore) << "a search changes pages, not the page map";

    // A module of one page: the walk comes back to its only page at once.
    WriteModule(kOnePage);
    PageWalk single(app.ModulePath, app.PageList, search, PageWalk::Leaving::Stored);
    EXPECT_EQ(single.Next(true), L"0001.txm");
    EXPECT_EQ(app.PageList.GetCurrentPageName(), L"0001.txm");
}

// A walk never reads or writes outside the module folder, and a page it cannot load leaves the
// cursor where it was.
TEST_F(PageWalkTest, AWalkRefusesNamesOutsideTheFolderAndKeepsItsCursorOnAFailedLoad) {
    WriteModule(kThreePages);
    AppState& app = App();
    MemoryPage page;
    PageWalk walk(app.ModulePath, app.PageList, page);
    for (const wchar_t* name : {L"..\\Map.txt", L"../Map.txt", L"C:\\x.txm", L"", L"CON"}) {
        EXPECT_THROW(walk.GoTo(name), zv::Error) << Utf8(name);
        EXPECT_THROW(walk.PathOf(name), zv::Error) << Utf8(name);
    }
    EXPECT_TRUE(page.log.empty());

    fs::remove(fs::path(PathOf(L"0002.txm")));
    EXPECT_THROW(walk.Next(), zv::Error);
    EXPECT_EQ(app.PageList.GetCurrentPageName(), L"0001.txm");
    fs::remove(fs::path(PathOf(L"0003.txm")));
    app.PageList.SetPageAsCurrent(L"0001.txm");
    EXPECT_THROW(walk.GoTo(L"0003.txm"), zv::Error);
    EXPECT_EQ(app.PageList.GetCurrentPageName(), L"0001.txm");
}

}  // namespace
