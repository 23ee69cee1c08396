#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/Error.h"
#include "base/Files.h"
#include "components/textcontrol/TextEngine.h"
#include "components/textcontrol/formats/TxmFormat.h"
#include "components/textcontrol/tests/Fixtures.h"
#include "components/textcontrol/tests/ModelCompare.h"

namespace tx {
namespace {

using testing::Select;

class TempFolder : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               (std::string("zv_tx_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::wstring Path(const char* name) const { return (dir_ / name).wstring(); }
    std::filesystem::path dir_;
};

TEST(TextEngine, SelectionReadsAndReplacesText) {
    TextEngine e;
    e.SetSelText(L"Hello world\r\nsecond line");
    EXPECT_EQ(e.Text(), L"Hello world\nsecond line");
    EXPECT_EQ(e.SelStart(), 23);
    e.SetSelStart(6);
    e.SetSelLength(-1);  // to the end
    EXPECT_EQ(e.SelLength(), 17);
    EXPECT_EQ(e.SelText(), L"world\nsecond line");
    e.SetSelLength(5);
    e.SetSelText(L"there");
    EXPECT_EQ(e.Text(), L"Hello there\nsecond line");
    EXPECT_EQ(e.SelStart(), 11);
    EXPECT_EQ(e.SelLength(), 0);
    e.SetSelStart(1000);  // clamped
    EXPECT_EQ(e.SelStart(), e.TextLength());
    e.SetSelStart(0);
    e.SetSelLength(1000);
    EXPECT_EQ(e.SelLength(), e.TextLength());
}

TEST(TextEngine, UndoKnowsTheKindOfEachStep) {
    TextEngine e;
    EXPECT_FALSE(e.CanUndo());
    EXPECT_EQ(e.UndoKind(), 0);
    for (wchar_t c : std::wstring(L"typed")) e.TypeChar(c);
    EXPECT_EQ(e.UndoKind(), 1);
    e.SetSelStart(0);
    e.SetSelLength(2);
    e.SetBold(true);
    EXPECT_EQ(e.UndoKind(), 3);
    e.DeleteForward();
    EXPECT_EQ(e.UndoKind(), 2);
    EXPECT_EQ(e.Text(), L"ped");

    e.Undo();
    EXPECT_EQ(e.Text(), L"typed");
    EXPECT_EQ(e.RedoKind(), 11);
    EXPECT_EQ(e.UndoKind(), 3);
    e.Undo();
    EXPECT_FALSE(e.Doc().charFormats[e.Doc().paragraphs[0].formats[0]].bold);
    EXPECT_EQ(e.RedoKind(), 12);
    e.Undo();  // the five keystrokes were one step
    EXPECT_EQ(e.Text(), L"");
    EXPECT_EQ(e.RedoKind(), 10);
    EXPECT_FALSE(e.CanUndo());
    e.Redo();
    e.Redo();
    e.Redo();
    EXPECT_EQ(e.Text(), L"ped");
    EXPECT_FALSE(e.CanRedo());
}

TEST(TextEngine, TypingAfterMovingTheCaretIsANewStep) {
    TextEngine e;
    e.TypeChar(L'a');
    e.TypeChar(L'b');
    e.SetSelStart(0);
    e.TypeChar(L'c');
    e.Undo();
    EXPECT_EQ(e.Text(), L"ab");
}

TEST(TextEngine, OverwriteModeReplacesTheNextCharacterButNotTheParagraphEnd) {
    TextEngine e;
    e.SetSelText(L"ab\ncd");
    e.SetInsertMode(false);
    e.SetSelStart(1);
    e.TypeChar(L'X');
    e.TypeChar(L'Y');  // at the paragraph end: inserts
    EXPECT_EQ(e.Text(), L"aXY\ncd");
}

TEST(TextEngine, CharacterFormattingAtTheCaretAppliesToTyping) {
    TextEngine e;
    e.SetSelText(L"plain ");
    e.SetBold(true);
    EXPECT_TRUE(e.Bold());
    EXPECT_FALSE(e.CanUndo() && e.UndoKind() == 3);  // nothing in the text changed yet
    e.SetSelText(L"bold");
    Select(e, L"bold");
    EXPECT_TRUE(e.Bold());
    Select(e, L"plain");
    EXPECT_FALSE(e.Bold());
    e.SetForeColor(0x0000FF);
    e.SetUnderline(true);
    EXPECT_EQ(e.ForeColor(), 0x0000FFu);
    EXPECT_TRUE(e.Underline());
}

TEST(TextEngine, FindHonoursItsOptionsWord) {
    TextEngine e;
    e.SetSelText(L"Alpha beta alpha BETA alpha");
    // 16: from the given start; 4: match case; 8: leave the selection alone.
    EXPECT_EQ(e.Find(L"alpha", 0, 16), 0);
    EXPECT_EQ(e.SelStart(), 0);
    EXPECT_EQ(e.SelLength(), 5);
    EXPECT_EQ(e.Find(L"alpha", -1, 16), 11);
    EXPECT_EQ(e.Find(L"alpha", -1, 16), 22);
    EXPECT_EQ(e.Find(L"alpha", -1, 16), -1);
    EXPECT_EQ(e.Find(L"alpha", 0, 16 + 4), 11);
    EXPECT_EQ(e.Find(L"BETA", 0, 16 + 4), 17);
    e.SetSelStart(3);
    EXPECT_EQ(e.Find(L"beta", 0, 16 + 8), 6);
    EXPECT_EQ(e.SelStart(), 3) << "no highlight keeps the selection";
    EXPECT_EQ(e.Find(L"beta", -1, 16 + 8), 17);
    EXPECT_EQ(e.Find(L"", 0, 16), -1);
    EXPECT_EQ(e.Find(L"alpha", 999, 16), -1);
}

TEST(TextEngine, ReplacingEachMatchEndsEvenWhenTheReplacementHoldsTheSearchText) {
    // The find dialog's Replace All: replace the selection, then find with start -1, until no match.
    TextEngine e;
    e.SetSelText(L"a-a-a");
    int replaced = 0;
    int found = e.Find(L"a", 0, 16);
    while (found >= 0 && replaced < 100) {
        e.SetSelText(L"aa");
        ++replaced;
        found = e.Find(L"a", -1, 16);
    }
    EXPECT_EQ(replaced, 3);
    EXPECT_EQ(e.Text(), L"aa-aa-aa");
}

TEST(TextEngine, FieldsAsTheProgramWalksAndEditsThem) {
    TextEngine e;
    e.SetSelText(L"See ");
    const int first = e.FieldInsert(L"the site");
    ASSERT_NE(first, 0);
    EXPECT_EQ(e.FieldCurrent(), first);
    e.SetFieldLinkKind(first, kLinkAddress);
    e.SetFieldLinkTarget(first, L"http://www.example.com");
    e.SetSelText(L" or ");
    const int second = e.FieldInsert(L"the top");
    e.SetFieldLinkKind(second, kLinkAnchor);
    e.SetFieldLinkTarget(second, L"top");
    EXPECT_EQ(e.Text(), L"See the site or the top");

    // Walking from 0 as the link recolouring does, selecting each field by its 1-based ends.
    std::vector<std::wstring> texts;
    for (int id = e.FieldNext(0, 512); id != 0; id = e.FieldNext(id, 512)) {
        e.SetSelStart(e.FieldStart(id) - 1);
        e.SetSelLength(e.FieldEnd(id) - e.FieldStart(id) + 1);
        texts.push_back(e.SelText());
    }
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"the site", L"the top"}));

    e.SetSelStart(6);
    EXPECT_EQ(e.FieldAtInputPos(), first);
    EXPECT_EQ(e.FieldInsert(L"nested"), 0) << "no field inside a field";
    e.SetFieldCurrent(first);
    e.SetFieldText(L"our site");
    EXPECT_EQ(e.Text(), L"See our site or the top");
    EXPECT_EQ(e.FieldLinkTarget(first), L"http://www.example.com");
    EXPECT_EQ(e.FieldCurrent(), first) << "the field keeps its id";

    e.FieldDelete(second);
    EXPECT_EQ(e.Text(), L"See our site or the top") << "the text stays";
    EXPECT_EQ(e.FieldNext(first, 512), 0);
    EXPECT_EQ(e.FieldStart(second), 0);

    Select(e, L"or");
    const int third = e.FieldInsertOverSelection();
    ASSERT_NE(third, 0);
    EXPECT_EQ(e.FieldEnd(third) - e.FieldStart(third) + 1, 2);
    Select(e, L"site or");
    EXPECT_EQ(e.FieldInsertOverSelection(), 0) << "overlaps two fields";
}

class RecordingEvents : public EngineEvents {
public:
    void Changed(ChangeKind) override { ++changes; }
    void ObjectNameRequest(int id, std::wstring& name) override {
        log.push_back(L"name " + std::to_wstring(id));
        name = nextName;
    }
    void HostWindowRequest(int id, std::uintptr_t& window) override {
        log.push_back(L"window " + std::to_wstring(id));
        window = 0x5000 + static_cast<std::uintptr_t>(id);
    }
    void ObjectRestored(int id, const std::wstring& name) override { log.push_back(L"restored " + name); }
    void HostWindowExtent(std::uintptr_t, int scaleX, int, int& width, int& height) override {
        if (!windowTwips) return;
        width = windowTwips * 100 / scaleX;
        height = windowTwips * 100 / scaleX;
    }
    std::vector<std::wstring> log;
    int windowTwips = 0;
    std::wstring nextName = L"clip.swf,0";
    int changes = 0;
};

TEST(TextEngine, WindowedObjectsAreNamedAfterTheInsertingCallAndRestoredOnLoad) {
    TextEngine e;
    RecordingEvents events;
    e.SetEvents(&events);
    e.SetSelText(L"Movie: ");
    const int id = e.ObjectInsertFixed(0x1234, L"", 1000, 1000, 100, 100);
    EXPECT_EQ(e.ObjectCurrent(), id);
    // The host sets up what the name is made from after the insertion returns.
    EXPECT_TRUE(events.log.empty());
    EXPECT_EQ(e.ObjectName(id), L"");
    e.NameNewObjects();
    EXPECT_EQ(events.log, (std::vector<std::wstring>{L"name " + std::to_wstring(id)}));
    EXPECT_EQ(e.ObjectName(id), L"clip.swf,0");
    e.NameNewObjects();
    EXPECT_EQ(events.log.size(), 1u) << "an object is named once";
    EXPECT_EQ(e.Text(), L"Movie: ") << "a fixed object takes no position";
    e.SetObjectSize(id, 7065, 5100);  // the host's container
    EXPECT_EQ(e.Doc().FindObject(id)->ShownWidth(), 7065);

    TextEngine loaded;
    RecordingEvents loadEvents;
    loaded.SetEvents(&loadEvents);
    loaded.LoadFromBytes(e.SaveToBytes(kFormatOwn), kFormatOwn);
    // The host window comes before the name, for every stored windowed object.
    ASSERT_EQ(loadEvents.log.size(), 2u);
    EXPECT_EQ(loadEvents.log[0].substr(0, 7), L"window ");
    EXPECT_EQ(loadEvents.log[1], L"restored clip.swf,0");
    EXPECT_EQ(loaded.Doc().objects[0].hostWindow, 0x5000u + static_cast<std::uintptr_t>(loaded.Doc().objects[0].id));

    loaded.SetObjectCurrent(loaded.Doc().objects[0].id);
    loaded.ObjectDelete();
    EXPECT_TRUE(loaded.Doc().objects.empty());
    EXPECT_EQ(loaded.ObjectCurrent(), 0);
    EXPECT_EQ(loaded.UndoKind(), 2);
}

TEST(TextEngine, AWindowedObjectTakesItsHostsExtentAndIsNamedAtTheLatestWhenStored) {
    const auto dir = std::filesystem::temp_directory_path() / "zv_engine_named_on_save";
    std::filesystem::create_directories(dir);
    const std::wstring path = (dir / "page.txm").wstring();
    for (int scale : {100, 50}) {
        SCOPED_TRACE(scale);
        TextEngine e;
        RecordingEvents events;
        events.windowTwips = 4800;
        e.SetEvents(&events);
        const int id = e.ObjectInsertFixed(0x1234, L"", 0, 0, scale, scale);
        EXPECT_EQ(e.Doc().FindObject(id)->ShownWidth(), 4800) << "the window's extent, whatever the scale";
        EXPECT_EQ(e.Doc().FindObject(id)->ShownHeight(), 4800);
        EXPECT_EQ(e.UndoKind(), 1) << "one step for the insertion";
        e.Save(path, 30, kFormatOwn);
        TextEngine reread;
        reread.Load(path, 30, kFormatOwn);
        ASSERT_EQ(reread.Doc().objects.size(), 1u);
        EXPECT_EQ(reread.Doc().objects[0].name, L"clip.swf,0");
    }
    // Gone before its name was asked for: nothing asks for it, not even an object loaded later
    // under the same id.
    TextEngine e;
    RecordingEvents events;
    e.SetEvents(&events);
    e.ObjectInsertFixed(0x1234, L"", 0, 0);
    e.Undo();
    e.NameNewObjects();
    e.ObjectInsertFixed(0x1234, L"", 0, 0);
    e.LoadFromBytes(TextEngine().SaveToBytes(kFormatOwn), kFormatOwn);
    e.NameNewObjects();
    EXPECT_TRUE(events.log.empty());
    std::filesystem::remove_all(dir);
}

TEST(TextEngine, ImagesAsCharactersTakeOnePositionAndKeepTheirBytes) {
    TextEngine e;
    e.SetSelText(L"ab");
    e.SetSelStart(1);
    const int id = e.ObjectInsertImage(testing::TinyPng(32, 16), false, -1, 0, 200, 50);
    EXPECT_EQ(e.TextLength(), 3);
    EXPECT_EQ(e.SelStart(), 2);
    const Object* o = e.Doc().FindObject(id);
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->anchor, 1);
    EXPECT_EQ(o->imageType, ImageType::Png);
    EXPECT_EQ(o->width, 32 * 15);
    EXPECT_EQ(o->ShownWidth(), 32 * 15 * 2);
    EXPECT_EQ(*o->image, testing::TinyPng(32, 16));
    EXPECT_THROW(e.ObjectInsertImage("not an image", false, -1, 0), zv::Error);
    e.SetSelStart(1);
    e.SetSelLength(1);
    e.SetSelText(L"");
    EXPECT_TRUE(e.Doc().objects.empty()) << "deleting its character deletes the object";
}

TEST(TextEngine, TableOperationsAtTheCaret) {
    TextEngine e;
    e.SetSelText(L"Above");
    const int id = e.TableInsert(2, 3);
    ASSERT_NE(id, 0);
    EXPECT_EQ(e.TableAtInputPos(), id);
    EXPECT_EQ(e.TableRows(id), 2);
    EXPECT_EQ(e.TableColumns(id), 3);
    EXPECT_FALSE(e.CanInsertTable());
    EXPECT_EQ(e.TableInsert(1, 1), 0);
    const int width = e.PageWidth() - e.PageMarginL() - e.PageMarginR();
    EXPECT_EQ(e.TableCellAttribute(id, 0, 1, cell::kColumnWidth), width / 3);

    // Row 0 = every row, column 0 = every column.
    e.SetTableCellAttribute(id, 0, 0, 2, 15);
    e.SetTableCellAttribute(id, 2, 0, cell::kBackColor, 0xC0C0C0);
    e.SetTableCellAttribute(id, 0, 3, cell::kRightBorder, 30);
    EXPECT_EQ(e.TableCellAttribute(id, 2, 2, cell::kLeftBorder), 15);
    EXPECT_EQ(e.TableCellAttribute(id, 2, 3, cell::kBackColor), 0xC0C0C0);
    EXPECT_EQ(e.TableCellAttribute(id, 1, 3, cell::kBackColor), static_cast<int>(kNoColor));
    EXPECT_EQ(e.TableCellAttribute(id, 1, 3, cell::kRightBorder), 30);
    EXPECT_EQ(e.TableCellAttribute(id, 1, 2, cell::kRightBorder), 0);
    EXPECT_EQ(e.TableCellAttribute(id, 9, 9, cell::kRightBorder), 0);

    e.SetSelStart(e.TableCellStart(id, 1, 2));
    e.SetSelText(L"x");
    EXPECT_TRUE(e.TableInsertColumn(false));
    EXPECT_EQ(e.TableColumns(id), 4);
    EXPECT_EQ(e.TableCellAtInputPos(), (std::pair<int, int>{1, 3})) << "the caret stays in its cell";
    EXPECT_TRUE(e.TableInsertRow(false));
    EXPECT_EQ(e.TableCellAtInputPos(), (std::pair<int, int>{2, 3}));
    EXPECT_EQ(e.TableRows(id), 3);
    EXPECT_EQ(e.TableCellAttribute(id, 1, 4, cell::kRightBorder), 30) << "the new row copies its neighbour";

    // Selecting the whole table as the editor does, then deleting its rows.
    e.SetSelStart(e.TableCellStart(id, 1, 1));
    e.SetSelLength(e.TableCellStart(id, 3, 4) + e.TableCellLength(id, 3, 4) - e.SelStart());
    EXPECT_TRUE(e.TableDeleteRows());
    EXPECT_EQ(e.TableRows(id), 0);
    EXPECT_EQ(e.Text(), L"Above\n");
    EXPECT_EQ(e.Doc().Validate(), L"");
    e.Undo();
    EXPECT_EQ(e.TableRows(id), 3);
}

TEST(TextEngine, ColumnWidthsSupportTheEditorsKeepTheTableWidthRescale) {
    // The editor inserts a column, then scales every column by old sum / new sum.
    TextEngine e;
    e.SetPageWidth(9000 + 2880);
    const int id = e.TableInsert(2, 3);
    auto sum = [&](int cols) {
        int total = 0;
        for (int c = 1; c <= cols; ++c) total += e.TableCellAttribute(id, 0, c, cell::kColumnWidth);
        return total;
    };
    const int before = sum(3);
    EXPECT_EQ(before, 9000);
    e.SetSelStart(e.TableCellStart(id, 2, 2));
    ASSERT_TRUE(e.TableInsertColumn(false));
    const double ratio = static_cast<double>(before) / sum(4);
    for (int c = 1; c <= 4; ++c)
        e.SetTableCellAttribute(id, 0, c, cell::kColumnWidth,
                                static_cast<int>(e.TableCellAttribute(id, 0, c, cell::kColumnWidth) * ratio + 0.5));
    EXPECT_NEAR(sum(4), 9000, 4);
    EXPECT_EQ(e.Doc().Validate(), L"");
}

// A command that sets many cell attributes is one undo step and one change the window hears of;
// joined to the step before, one Undo takes both back.
TEST(TextEngine, ManyCellAttributesAreOneStep) {
    struct Counter : EngineEvents {
        int changes = 0;
        void Changed(ChangeKind kind) override { changes += kind != ChangeKind::Selection; }
    } counter;
    TextEngine e;
    e.SetEvents(&counter);
    const int id = e.TableInsert(3, 4);
    const int steps = e.UndoSteps();
    const Document before = e.Doc();
    counter.changes = 0;
    ASSERT_TRUE(e.SetTableCellAttributes(id, {{0, 1, cell::kLeftBorder, 45}, {0, 4, cell::kRightBorder, 45},
                                              {1, 0, cell::kTopBorder, 45}, {3, 0, cell::kBottomBorder, 45},
                                              {9, 9, cell::kTopBorder, 1} /* no such cell: skipped */}));
    EXPECT_EQ(counter.changes, 1);
    EXPECT_EQ(e.UndoSteps(), steps + 1);
    EXPECT_EQ(e.TableCellAttribute(id, 3, 1, cell::kLeftBorder), 45);
    EXPECT_EQ(e.TableCellAttribute(id, 3, 4, cell::kBottomBorder), 45);
    EXPECT_EQ(e.TableCellAttribute(id, 2, 2, cell::kTopBorder), 0);
    EXPECT_FALSE(e.SetTableCellAttributes(id, {{9, 9, cell::kTopBorder, 1}, {1, 1, 99, 1}}));
    EXPECT_FALSE(e.SetTableCellAttributes(id + 1, {{1, 1, cell::kTopBorder, 1}}));
    EXPECT_EQ(e.UndoSteps(), steps + 1) << "a change that addresses nothing makes no step";

    // A column resized, then every column rescaled as part of the same step.
    const int w = e.TableCellAttribute(id, 0, 2, cell::kColumnWidth);
    e.SetTableCellAttribute(id, 0, 2, cell::kColumnWidth, w + 500);
    ASSERT_TRUE(e.SetTableCellAttributes(id, {{0, 1, cell::kColumnWidth, 1000}, {0, 2, cell::kColumnWidth, 1100}}, true));
    EXPECT_EQ(e.UndoSteps(), steps + 2);
    e.Undo();
    EXPECT_EQ(e.TableCellAttribute(id, 0, 1, cell::kColumnWidth), w);
    EXPECT_EQ(e.TableCellAttribute(id, 0, 2, cell::kColumnWidth), w);
    e.Undo();
    EXPECT_TRUE(testing::SameModel(before, e.Doc()));
}

TEST(TextEngine, MovingATableKeepsItWholeOrChangesNothing) {
    const auto made = [](TextEngine& e) {
        e.SetSelText(L"first\nsecond\nthird");
        e.SetSelStart(6);  // the start of "second"
        const int id = e.TableInsert(2, 2);
        for (int r = 1; r <= 2; ++r)
            for (int c = 1; c <= 2; ++c) {
                e.SetSelStart(e.TableCellStart(id, r, c));
                e.SetSelText(std::wstring(1, static_cast<wchar_t>(L'a' + 2 * (r - 1) + (c - 1))));
            }
        e.SetTableCellAttribute(id, 2, 1, cell::kBackColor, 0x00FF00);
        e.SetTableCellAttribute(id, 0, 2, cell::kColumnWidth, 2500);
        return id;
    };
    {
        TextEngine e;
        const int id = made(e);
        ASSERT_EQ(e.Text(), L"first\na\nb\nc\nd\nsecond\nthird");
        const Document before = e.Doc();
        const int steps = e.UndoSteps();
        ASSERT_TRUE(e.TableMove(id, e.TextLength()));  // the end of "third"
        EXPECT_EQ(e.Text(), L"first\nsecond\nthird\na\nb\nc\nd\n");
        ASSERT_EQ(e.Doc().tables.size(), 1u);
        const int moved = e.Doc().tables[0].id;
        EXPECT_EQ(e.TableCellAttribute(moved, 2, 1, cell::kBackColor), 0x00FF00);
        EXPECT_EQ(e.TableCellAttribute(moved, 0, 2, cell::kColumnWidth), 2500);
        EXPECT_EQ(e.SelStart(), e.TableCellStart(moved, 1, 1));
        EXPECT_EQ(e.UndoSteps(), steps + 1);
        EXPECT_EQ(e.Doc().Validate(), L"");
        e.Undo();
        EXPECT_TRUE(testing::SameModel(before, e.Doc()));
    }
    {
        TextEngine e;
        const int id = made(e);
        ASSERT_TRUE(e.TableMove(id, 0));  // before "first": a paragraph before it, as a table inserted there
        EXPECT_EQ(e.Text(), L"\na\nb\nc\nd\nfirst\nsecond\nthird");
    }
    // Into a table (its own), beyond the text, or a table that is not there: nothing changes.
    TextEngine e;
    const int id = made(e);
    const Document before = e.Doc();
    const int steps = e.UndoSteps();
    for (int position : {e.TableCellStart(id, 2, 1), -1, e.TextLength() + 1}) {
        EXPECT_FALSE(e.TableMove(id, position)) << position;
    }
    EXPECT_FALSE(e.TableMove(id + 7, 0));
    EXPECT_TRUE(testing::SameModel(before, e.Doc()));
    EXPECT_EQ(e.UndoSteps(), steps);
}

TEST(TextEngine, ClipboardPayloadsCarryFormatsAndLinks) {
    TextEngine source;
    source.SetSelText(L"one ");
    const int link = source.FieldInsert(L"link");
    source.SetFieldLinkKind(link, kLinkAddress);
    source.SetFieldLinkTarget(link, L"http://x.org");
    source.SetSelText(L" two\nthree");
    Select(source, L"one");
    source.SetBold(true);
    source.SetSelStart(0);
    source.SetSelLength(-1);
    const ClipData data = source.Copy();
    EXPECT_EQ(data.text, L"one link two\r\nthree");

    TextEngine target;
    target.SetSelText(L"[]");
    target.SetSelStart(1);
    target.Paste(data);
    EXPECT_EQ(target.Text(), L"[one link two\nthree]");
    ASSERT_EQ(target.Doc().fields.size(), 1u);
    EXPECT_EQ(target.FieldLinkTarget(target.Doc().fields[0].id), L"http://x.org");
    Select(target, L"one");
    EXPECT_TRUE(target.Bold());
    target.Undo();
    EXPECT_EQ(target.Text(), L"[]");

    // Cut leaves the text without the selection; a text-only payload pastes as text.
    Select(source, L"two");
    EXPECT_EQ(source.Cut().text, L"two");
    EXPECT_EQ(source.Text(), L"one link \nthree");
    target.Paste(ClipData{"", L"plain\r\ntext"});
    EXPECT_EQ(target.Text(), L"[plain\ntext]");
}

TEST_F(TempFolder, SaveFromAnOffsetKeepsTheCallersHeaderAndEndsWithTheContent) {
    const std::wstring path = Path("0001.txm");
    // An older, longer page file: its header must stay, its old tail must go.
    std::ofstream(std::filesystem::path(path), std::ios::binary) << std::string(30, 'H') << std::string(5000, 'x');
    TextEngine e;
    e.SetSelText(L"Stored page");
    e.SetPageMarginL(2000);
    e.Save(path, 30, kFormatOwn);
    const std::string bytes = zv::ReadFileBytes(path);
    EXPECT_EQ(bytes.substr(0, 30), std::string(30, 'H'));
    EXPECT_EQ(bytes.substr(30), e.SaveToBytes(kFormatOwn));

    TextEngine loaded;
    loaded.SetLoadSaveAttribute(attr::kApplyStoredPage, 1);
    loaded.Load(path, 30, kFormatOwn);
    EXPECT_EQ(loaded.Text(), L"Stored page");
    EXPECT_EQ(loaded.LoadSaveAttribute(attr::kMarginLeft), 2000);
    EXPECT_EQ(loaded.PageMarginL(), 2000);

    // A new file saved at an offset gets zeros before the content.
    const std::wstring fresh = Path("0002.txm");
    e.Save(fresh, 30, kFormatOwn);
    EXPECT_EQ(zv::ReadFileBytes(fresh).substr(0, 30), std::string(30, '\0'));

    // Insert-loading puts the page in at the selection.
    TextEngine target;
    target.SetSelText(L"<>");
    target.SetSelStart(1);
    target.Load(path, 30, kFormatOwn, true);
    EXPECT_EQ(target.Text(), L"<Stored page>");
    EXPECT_EQ(target.PageMarginL(), PageSetup{}.marginLeft) << "an insert does not change the page";
}

TEST(TextEngine, StoredPageGeometryAppliesOnlyWhenAsked) {
    TextEngine source;
    source.SetPageWidth(11906);
    source.SetPageHeight(16837);
    const std::string bytes = source.SaveToBytes(kFormatOwn);
    TextEngine keeps;
    keeps.LoadFromBytes(bytes, kFormatOwn);
    EXPECT_EQ(keeps.PageWidth(), PageSetup{}.width);
    const int expected[6] = {11906, 16837, 1440, 1440, 1440, 1440};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(keeps.LoadSaveAttribute(i), expected[i]) << i;
    TextEngine applies;
    applies.SetLoadSaveAttribute(attr::kApplyStoredPage, 1);
    applies.LoadFromBytes(bytes, kFormatOwn);
    EXPECT_EQ(applies.PageWidth(), 11906);
    EXPECT_EQ(applies.PageHeight(), 16837);
    // Plain text has no page: the attributes read 0, so that the program applies nothing.
    applies.LoadFromBytes("text", kFormatText);
    EXPECT_EQ(applies.LoadSaveAttribute(attr::kPageWidth), 0);
}

TEST(TextEngine, AFailedLoadLeavesTheDocumentAsItWas) {
    TextEngine e;
    e.LoadFromBytes(WriteTxm(testing::FullDocument()), kFormatOwn);
    const Document before = e.Doc();
    e.SetSelStart(5);
    const std::string good = WriteTxm(testing::FullDocument());
    const std::string inputs[] = {good.substr(0, good.size() - 1), "garbage", "{\\rtf1 {unclosed", ""};
    const int formats[] = {kFormatOwn, kFormatOwn, kFormatRtf, kFormatRtf};
    for (int i = 0; i < 4; ++i) {
        for (bool insert : {false, true}) {
            EXPECT_THROW(e.LoadFromBytes(inputs[i], formats[i], insert), zv::Error) << i;
            EXPECT_TRUE(testing::SameModel(before, e.Doc())) << i;
            EXPECT_EQ(e.SelStart(), 5);
            EXPECT_FALSE(e.CanUndo());
        }
    }
    EXPECT_THROW(e.LoadFromBytes("x", 2), zv::Error) << "a format code the control does not read";
    std::string wideTable = "<table><tr>";
    for (int i = 0; i < 64; ++i) wideTable += "<td>cell";
    EXPECT_THROW(e.LoadFromBytes(wideTable, kFormatHtml), zv::Error);
    EXPECT_TRUE(testing::SameModel(before, e.Doc()));
    EXPECT_THROW(e.Load(L"/nonexistent/file.txm", 30, kFormatOwn), zv::Error);
}

TEST(TextEngine, PlainTextLoadsAndSavesAsWindows1252WithCrLf) {
    TextEngine e;
    e.LoadFromBytes("Caf\xe9\r\nsecond\nthird", kFormatText);
    EXPECT_EQ(e.Text(), L"Caf\xE9\nsecond\nthird");
    EXPECT_EQ(e.SaveToBytes(kFormatText), "Caf\xe9\r\nsecond\r\nthird");
    e.LoadFromBytes("\xEF\xBB\xBF\xE2\x82\xAC uro", kFormatText);  // UTF-8 with its mark
    EXPECT_EQ(e.Text(), L"\x20AC uro");
    e.LoadFromBytes(std::string("\xFF\xFEh\0i\0", 6), kFormatText);  // UTF-16
    EXPECT_EQ(e.Text(), L"hi");
    e.SetSelStart(0);
    e.SetSelLength(1);
    EXPECT_EQ(e.SaveToBytes(kFormatText, true), "h") << "selection only";
}

TEST(TextEngine, FrameValuesReadMinusOneWhenParagraphsDiffer) {
    TextEngine e;
    e.SetSelText(L"one\ntwo");
    e.SetSelStart(0);
    e.SetFrameStyle(0x1A45);
    e.SetFrameLineWidth(40);
    EXPECT_EQ(e.FrameStyle(), 0x45);  // the lines switched off are not kept
    e.SetSelLength(-1);
    EXPECT_EQ(e.FrameStyle(), 0) << "the second paragraph has no frame: they share nothing";
    EXPECT_EQ(e.FrameLineWidth(), -1);
    EXPECT_EQ(e.FrameDistance(), 0);
    e.SetFrameLineWidth(-1);  // "mixed" written back leaves each paragraph alone
    e.SetSelStart(0);
    EXPECT_EQ(e.FrameLineWidth(), 40);
}

TEST(TextEngine, AFrameStyleWordChangesOnlyTheLinesItNames) {
    struct Case {
        const char* what;
        std::uint16_t first, second;  // what each paragraph has
        int change;
        std::uint16_t firstAfter, secondAfter;
        int sharedAfter;
    };
    const Case cases[] = {
        {"all off, single", 0x4F, 0x31, 0x1F20, 0x20, 0x20, 0x20},
        {"left and top on, the rest off, double", 0x2E, 0x00, 0x1A45, 0x45, 0x45, 0x45},
        {"left on only", 0x28, 0x22, 0x0001, 0x29, 0x23, 0x21},
        {"bottom off only", 0x6F, 0x2C, 0x0800, 0x67, 0x24, 0x24},
        {"a box connected", 0x20, 0xCF, 0x10AF, 0xAF, 0xAF, 0xAF},
        {"no longer connected", 0xAF, 0xAF, 0x102F, 0x2F, 0x2F, 0x2F},
        {"connected without a kind changes nothing else", 0x4F, 0x21, 0x0080, 0x4F, 0x21, 0x01},
    };
    for (const auto& c : cases) {
        TextEngine e;
        e.SetSelText(L"one\ntwo");
        e.SetSelStart(0);
        e.FormatParagraphs([&](ParaFormat& f) { f.frameStyle = c.first; });
        e.SetSelStart(5);
        e.FormatParagraphs([&](ParaFormat& f) { f.frameStyle = c.second; });
        e.SetSelStart(0);
        e.SetSelLength(-1);
        EXPECT_EQ(e.FrameStyle(), c.first & c.second & 0xFF) << c.what;
        e.SetFrameStyle(c.change);
        EXPECT_EQ(e.Doc().paragraphs[0].format.frameStyle, c.firstAfter) << c.what;
        EXPECT_EQ(e.Doc().paragraphs[1].format.frameStyle, c.secondAfter) << c.what;
        EXPECT_EQ(e.FrameStyle(), c.sharedAfter) << c.what;
        e.Undo();
        EXPECT_EQ(e.Doc().paragraphs[0].format.frameStyle, c.first) << c.what << ": one undo step";
    }
}

TEST(TextEngine, ImageAttributesBelongToImagesOnly) {
    TextEngine e;
    e.SetSelText(L"text");
    const auto refusesEveryWrite = [&](const char* what) {
        EXPECT_FALSE(e.ObjectIsImage()) << what;
        EXPECT_EQ(e.ObjectDistance(1), 0) << what;
        EXPECT_EQ(e.ObjectSaveFormats(), L"") << what;
        EXPECT_EQ(e.ObjectSaveFormat(), 0) << what;
        EXPECT_THROW(e.SetObjectDistance(1, 100), zv::Error) << what;
        EXPECT_THROW(e.ObjectEmbedded(), zv::Error) << what;
        EXPECT_THROW(e.SetObjectEmbedded(false), zv::Error) << what;
        EXPECT_THROW(e.SetObjectSaveFormat(1), zv::Error) << what;
    };
    refusesEveryWrite("no object");
    e.ObjectInsertFixed(0x1234, L"movie.swf,0", 1000, 1000, 100, 100);  // a movie placeholder
    refusesEveryWrite("a windowed object");

    e.ObjectInsertImage(testing::TinyPng(8, 8), false, 0, 0);
    ASSERT_TRUE(e.ObjectIsImage());
    EXPECT_TRUE(e.ObjectEmbedded());
    EXPECT_EQ(e.ObjectSaveFormats(), L"PNG");
    EXPECT_EQ(e.ObjectDistance(2), 0) << "an image in the line starts without room";
    e.SetObjectDistance(2, 300);
    e.SetObjectEmbedded(false);
    e.SetObjectSaveFormat(1);
    EXPECT_EQ(e.ObjectDistance(2), 300);
    EXPECT_FALSE(e.ObjectEmbedded());
    EXPECT_EQ(e.ObjectSaveFormat(), 1);
    for (auto [side, twips] : {std::pair{0, 10}, {5, 10}, {1, -1}, {1, 32768}}) {
        EXPECT_THROW(e.SetObjectDistance(side, twips), zv::Error) << side << " " << twips;
    }
    EXPECT_THROW(e.SetObjectSaveFormat(2), zv::Error);
    EXPECT_EQ(e.ObjectDistance(1), 0);
    e.SetObjectDistance(1, 32767);
    EXPECT_EQ(e.ObjectDistance(1), 32767);
    e.Undo();
    EXPECT_EQ(e.ObjectDistance(1), 0) << "each change is a step of its own";
}

TEST(TextEngine, MarksAndHeaderFooter) {
    TextEngine e;
    e.SetSelText(L"top\nmiddle\nbottom");
    e.SetSelStart(4);
    e.MarkInsert(L"middle");
    e.SetSelStart(0);
    e.SetSelText(L"new ");
    EXPECT_TRUE(e.GoToMark(L"middle"));
    EXPECT_EQ(e.SelStart(), 8);
    EXPECT_FALSE(e.GoToMark(L"none"));
    e.SetHeaderText(L"Head\nline 2");
    e.SetFooterText(L"Foot");
    EXPECT_EQ(e.HeaderText(), L"Head\nline 2");
    EXPECT_EQ(e.Doc().header.paragraphs.size(), 2u);
    e.SetFooterText(L"");
    EXPECT_TRUE(e.Doc().footer.Empty());
}

TEST(TextEngine, OnePageRuleCountsPages) {
    TextEngine e;
    FixedPitchMeasurer measurer;
    e.SetMeasurer(&measurer);
    e.SetSelText(L"short text");
    EXPECT_EQ(e.PageCount(), 1);
    // The default page holds (9618 - 2880) / 240 = 28 lines of 12 point text.
    for (int i = 0; i < 27; ++i) e.SetSelText(L"\nline");
    EXPECT_EQ(e.PageCount(), 1);
    const int onePage = e.TextLength();
    e.SetSelText(L"\none line too many");
    EXPECT_EQ(e.PageCount(), 2);
    e.SetSelStart(onePage);
    e.SetSelLength(-1);
    e.SetSelText(L"");
    EXPECT_EQ(e.PageCount(), 1);
}

}  // namespace
}  // namespace tx
