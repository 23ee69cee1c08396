// The events the host hears, their arguments and their order.
#include <algorithm>
#include <functional>

#include "components/textcontrol/win32/tests/TxWinTest.h"

#include <commctrl.h>

namespace tx::testing {
namespace {

class Recorder : public TextControlEvents {
public:
    std::vector<std::string> log;
    int swallowAscii = -1;
    HWND hostToGive = nullptr;
    std::wstring nameToGive = L"clip.swf,0";

    void Change() override { log.push_back("Change"); }
    void FormatChanged() override { log.push_back("FormatChanged"); }
    void KeyDown(int& keyCode, int shift) override { log.push_back("KeyDown " + std::to_string(keyCode)); }
    void KeyPress(int& keyAscii) override {
        log.push_back("KeyPress " + std::to_string(keyAscii));
        if (keyAscii == swallowAscii) keyAscii = 0;
    }
    void KeyUp(int& keyCode, int shift) override { log.push_back("KeyUp " + std::to_string(keyCode)); }
    void MouseDown(int button, int, int, int) override { log.push_back("MouseDown " + std::to_string(button)); }
    void MouseUp(int button, int, int, int) override { log.push_back("MouseUp " + std::to_string(button)); }
    void FieldEntered(int id) override { log.push_back("FieldEntered " + std::to_string(id)); }
    void FieldClicked(int id) override { log.push_back("FieldClicked " + std::to_string(id)); }
    void FieldLinkHover(int id, int& cursor) override { log.push_back("FieldLinkHover " + std::to_string(id)); }
    void FieldLinkClicked(int kind, const std::wstring& target) override {
        log.push_back("FieldLinkClicked " + std::to_string(kind) + " " + Utf8(target));
    }
    void ObjectClicked(int id) override { log.push_back("ObjectClicked " + std::to_string(id)); }
    void ObjectDeselected() override { log.push_back("ObjectDeselected"); }
    void ObjectChanged() override { log.push_back("ObjectChanged"); }
    void ObjectGetName(int id, std::wstring& name) override {
        log.push_back("ObjectGetName " + std::to_string(id));
        name = nameToGive;
    }
    void ObjectCreateHostWindow(int id, HWND& host) override {
        log.push_back("ObjectCreateHostWindow " + std::to_string(id));
        host = hostToGive;
    }
    void ObjectRestored(int id, const std::wstring& name) override {
        log.push_back("ObjectRestored " + std::to_string(id) + " " + Utf8(name));
    }
    void HeaderFooterActivated(int kind) override { log.push_back("HeaderFooterActivated " + std::to_string(kind)); }
    void HeaderFooterDeactivated() override { log.push_back("HeaderFooterDeactivated"); }
    void TableCreated(int id) override { log.push_back("TableCreated " + std::to_string(id)); }
    void TableResized(int id) override { log.push_back("TableResized " + std::to_string(id)); }
    void VScroll(int y) override { log.push_back("VScroll " + std::to_string(y)); }
    void DragDrop(int x, int y) override { log.push_back("DragDrop"); }
    // What the host does at a mouse move (not logged: there are many).
    std::function<void()> onMouseMove;
    void MouseMove(int, int, int, int) override {
        if (onMouseMove) onMouseMove();
    }

    std::vector<std::string> Take() { return std::exchange(log, {}); }
};

class EventsTest : public TxWinTest {
protected:
    void SetUp() override {
        TxWinTest::SetUp();
        control_.SetEvents(&rec_);
    }
    void TearDown() override {
        control_.SetEvents(nullptr);
        TxWinTest::TearDown();
    }
    Recorder rec_;
};

using Log = std::vector<std::string>;

TEST_F(EventsTest, AKeyRaisesKeyDownKeyPressChangeKeyUpInThatOrder) {
    Type(L"a");
    EXPECT_EQ(rec_.Take(), (Log{"KeyDown 65", "KeyPress 97", "Change", "KeyUp 65"}));
    Key(VK_LEFT);
    EXPECT_EQ(rec_.Take(), (Log{"KeyDown 37", "KeyUp 37"}));
}

TEST_F(EventsTest, TheHostCanSwallowAKeyPress) {
    rec_.swallowAscii = 'x';
    Type(L"axb");
    EXPECT_EQ(Utf8(Text()), "ab");
}

TEST_F(EventsTest, LinkFieldsAreEnteredHoveredAndClickedWithKindAndTarget) {
    Type(L"see the site now");
    control_.Engine().SetSelStart(4);
    control_.Engine().SetSelLength(8);
    const int id = control_.Engine().FieldInsertOverSelection();
    ASSERT_NE(id, 0);
    control_.Engine().SetFieldLinkKind(id, kLinkAddress);
    control_.Engine().SetFieldLinkTarget(id, L"http://example.org/");
    control_.Engine().SetSelStart(0);
    rec_.Take();

    const POINT inside = PointOf(6);
    SendMessageW(control_.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(inside.x, inside.y));
    EXPECT_EQ(rec_.Take(), (Log{"FieldLinkHover " + std::to_string(id)}));
    // Beside the line's end the nearest position is no link.
    SendMessageW(control_.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(inside.x, inside.y + 200));
    EXPECT_TRUE(rec_.Take().empty());

    Click(inside);
    EXPECT_EQ(rec_.Take(), (Log{"MouseDown 1", "FieldEntered " + std::to_string(id), "MouseUp 1",
                                "FieldClicked " + std::to_string(id), "FieldLinkClicked 1 http://example.org/"}));
    // Selecting over the link by dragging is no click.
    Drag(PointOf(5), PointOf(9));
    const Log drag = rec_.Take();
    EXPECT_EQ(std::count(drag.begin(), drag.end(), "FieldLinkClicked 1 http://example.org/"), 0);
}

TEST_F(EventsTest, LoadingStoredWindowedObjectsAsksForAHostWindowThenTellsTheName) {
    // A page with two windowed objects, made by one control and stored in our own format.
    TextControl source;
    Recorder namer;
    source.SetEvents(&namer);
    source.Engine().SetSelText(L"ab");
    namer.nameToGive = L"first.swf,1";
    const int first = source.Engine().ObjectInsertAsChar(reinterpret_cast<std::uintptr_t>(frame_), L"", 1);
    namer.nameToGive = L"second.wmv,0";
    const int second = source.Engine().ObjectInsertFixed(reinterpret_cast<std::uintptr_t>(frame_), L"", 2000, 3000);
    auto asked = [&] {
        return std::count_if(namer.log.begin(), namer.log.end(), [](auto& s) { return s.rfind("ObjectGetName", 0) == 0; });
    };
    // The names are asked for after the inserting calls have returned (a control without a
    // window: when its document is stored), each object once.
    EXPECT_EQ(asked(), 0);
    source.Engine().NameNewObjects();
    EXPECT_EQ(asked(), 2);
    EXPECT_EQ(source.Engine().ObjectName(first), L"second.wmv,0") << "the name the host gives when asked";
    source.Engine().SetObjectName(first, L"first.swf,1");
    EXPECT_EQ(source.Engine().ObjectName(second), L"second.wmv,0");
    const std::string page = source.Engine().SaveToBytes(kFormatOwn);

    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, frame_, nullptr, nullptr, nullptr);
    rec_.hostToGive = host;
    control_.Engine().LoadFromBytes(page, kFormatOwn);
    Log log = rec_.Take();
    log.erase(std::remove_if(log.begin(), log.end(), [](auto& s) { return s == "Change" || s == "FormatChanged"; }), log.end());
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].rfind("ObjectCreateHostWindow", 0), 0u);
    EXPECT_EQ(log[1].rfind("ObjectRestored", 0), 0u);
    EXPECT_NE(log[1].find("first.swf,1"), std::string::npos);
    EXPECT_EQ(log[2].rfind("ObjectCreateHostWindow", 0), 0u);
    EXPECT_NE(log[3].find("second.wmv,0"), std::string::npos);

    DestroyWindow(host);
}

TEST_F(EventsTest, AnInsertedHostWindowIsNamedFromTheMessageLoopAndGivesTheObjectItsExtent) {
    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 96, 64, frame_, nullptr, nullptr, nullptr);
    const int dpi = GetDeviceCaps(GetDC(nullptr), LOGPIXELSX);
    rec_.nameToGive = L"intro.swf,1";
    const int id = control_.Engine().ObjectInsertFixed(reinterpret_cast<std::uintptr_t>(host), L"", 1440, 1440);
    const Object* o = control_.Engine().Doc().FindObject(id);
    EXPECT_EQ(o->ShownWidth(), MulDiv(96, 1440, dpi));
    EXPECT_EQ(o->ShownHeight(), MulDiv(64, 1440, dpi));
    EXPECT_EQ(control_.Engine().ObjectName(id), L"") << "not inside the inserting call";
    Pump();
    EXPECT_EQ(control_.Engine().ObjectName(id), L"intro.swf,1");
    RECT r{};
    GetWindowRect(host, &r);
    EXPECT_EQ(r.right - r.left, 96) << "the window keeps the size its owner gave it";

    // The owner resizes its window: the object takes the new extent, as an object change.
    rec_.Take();
    SetWindowPos(host, nullptr, 0, 0, 160, 120, SWP_NOMOVE | SWP_NOZORDER);
    o = control_.Engine().Doc().FindObject(id);
    EXPECT_EQ(o->ShownWidth(), MulDiv(160, 1440, dpi));
    EXPECT_EQ(o->ShownHeight(), MulDiv(120, 1440, dpi));
    const Log resized = rec_.Take();
    EXPECT_NE(std::find(resized.begin(), resized.end(), "ObjectChanged"), resized.end());

    // Stored and loaded into a control whose host gives a window of another size: the window
    // gets the stored extent, and the document stays as loaded.
    const std::string page = control_.Engine().SaveToBytes(kFormatOwn);
    TextControl other;
    ASSERT_TRUE(other.Create(frame_, RECT{0, 0, 400, 300}));
    Recorder otherEvents;
    HWND restored = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, frame_, nullptr, nullptr, nullptr);
    otherEvents.hostToGive = restored;
    other.SetEvents(&otherEvents);
    other.Engine().LoadFromBytes(page, kFormatOwn);
    GetWindowRect(restored, &r);
    EXPECT_EQ(r.right - r.left, 160);
    EXPECT_EQ(r.bottom - r.top, 120);
    EXPECT_FALSE(other.Engine().CanUndo());
    const Log loaded = otherEvents.Take();
    EXPECT_EQ(std::find(loaded.begin(), loaded.end(), "ObjectChanged"), loaded.end());
    other.SetEvents(nullptr);
    DestroyWindow(restored);
    DestroyWindow(host);
}

TEST_F(EventsTest, AHostWindowShowsOnlyWhileItsObjectIsInTheText) {
    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, frame_, nullptr, nullptr, nullptr);
    TextEngine& e = control_.Engine();
    e.SetSelText(L"Some text");
    const int id = e.ObjectInsertFixed(reinterpret_cast<std::uintptr_t>(host), L"", 1440, 1440);
    EXPECT_TRUE(IsWindowVisible(host));
    struct Step {
        const char* what;
        std::function<void()> act;
        bool shown;
    } steps[] = {
        {"deleted", [&] { e.SetObjectCurrent(id); e.ObjectDelete(); }, false},
        {"the deletion undone", [&] { e.Undo(); }, true},
        {"the deletion redone", [&] { e.Redo(); }, false},
        {"undone again", [&] { e.Undo(); }, true},
        {"another document", [&] { e.LoadFromBytes(TextEngine().SaveToBytes(kFormatOwn), kFormatOwn); }, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(IsWindowVisible(host) != FALSE, step.shown);
    }
    DestroyWindow(host);
}

TEST_F(EventsTest, AHostWindowFollowsItsObjectWhenTheTextScrolls) {
    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, frame_, nullptr, nullptr, nullptr);
    for (int i = 0; i < 40; ++i) control_.Engine().SetSelText(L"line\n");
    control_.Engine().SetSelStart(0);  // the object moves with the first page's text
    control_.Engine().ObjectInsertFixed(reinterpret_cast<std::uintptr_t>(host), L"", 1440, 2880);
    auto hostTopLeft = [&] {
        RECT r;
        GetWindowRect(host, &r);
        MapWindowPoints(nullptr, control_.hWnd(), reinterpret_cast<POINT*>(&r), 2);
        return POINT{r.left, r.top};
    };
    POINT want = control_.PageToClient(1, 1440, 2880);
    EXPECT_EQ(hostTopLeft().x, want.x);
    EXPECT_EQ(hostTopLeft().y, want.y);
    control_.SetScrollPosY(1440);
    EXPECT_EQ(rec_.Take().back(), "VScroll 1440");
    want = control_.PageToClient(1, 1440, 2880);
    EXPECT_EQ(hostTopLeft().y, want.y);
    EXPECT_EQ(want.y, MulDiv(1440, GetDeviceCaps(GetDC(nullptr), LOGPIXELSY), 1440));
    DestroyWindow(host);
}

TEST_F(EventsTest, ObjectsAreClickedAndDeselected) {
    // A 2 x 2 pixel BMP, shown 40 times as large so that it is easy to hit.
    std::string bmp = {'B', 'M'};
    auto le32 = [&](std::uint32_t v) { for (int i = 0; i < 4; ++i) bmp.push_back(static_cast<char>(v >> (8 * i))); };
    auto le16 = [&](std::uint16_t v) { for (int i = 0; i < 2; ++i) bmp.push_back(static_cast<char>(v >> (8 * i))); };
    le32(70); le32(0); le32(54); le32(40); le32(2); le32(2); le16(1); le16(24); le32(0); le32(16); le32(2835); le32(2835); le32(0); le32(0);
    for (int i = 0; i < 2; ++i) { bmp += std::string("\x00\x00\xff\x00\x00\xff", 6); bmp += std::string(2, '\0'); }
    control_.Engine().SetSelText(L"x");
    const int id = control_.Engine().ObjectInsertImage(bmp, false, 1, 0, 4000, 4000);
    ASSERT_NE(id, 0);
    control_.Engine().SetObjectCurrent(0);
    rec_.Take();
    const CaretPoint c = control_.Engine().PositionToPoint(1);
    POINT onImage = control_.PageToClient(c.page, c.x + 300, c.y + c.height - 300);
    Click(onImage);
    EXPECT_EQ(rec_.Take(), (Log{"MouseDown 1", "ObjectClicked " + std::to_string(id), "MouseUp 1"}));
    EXPECT_EQ(control_.Engine().ObjectCurrent(), id);
    Click(PointOf(0));
    Log log = rec_.Take();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[1], "ObjectDeselected");
    EXPECT_EQ(control_.Engine().ObjectCurrent(), 0);

    // Scaling and deleting an object are object changes; typing beside it is not.
    Type(L"y");
    log = rec_.Take();
    EXPECT_EQ(std::count(log.begin(), log.end(), "ObjectChanged"), 0);
    control_.Engine().SetObjectScale(id, 2000, 2000);
    log = rec_.Take();
    EXPECT_EQ(std::count(log.begin(), log.end(), "ObjectChanged"), 1);
    control_.Engine().SetObjectCurrent(id);
    control_.Engine().ObjectDelete();
    log = rec_.Take();
    EXPECT_EQ(std::count(log.begin(), log.end(), "ObjectChanged"), 1);
    EXPECT_EQ(control_.Engine().Doc().objects.size(), 0u);
}

TEST_F(EventsTest, TheToolTipShowsTheTextTheHostSets) {
    control_.SetToolTipText(L"http://example.org/");
    HWND tip = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND h, LPARAM out) {
        wchar_t cls[64];
        GetClassNameW(h, cls, 64);
        if (lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0) *reinterpret_cast<HWND*>(out) = h;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&tip));
    ASSERT_NE(tip, nullptr);
    wchar_t text[128] = {};
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = control_.hWnd();
    ti.uId = 1;
    ti.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(Utf8(text), "http://example.org/");
    control_.SetToolTipText(L"other");
    SendMessageW(tip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(Utf8(text), "other");
}

TEST_F(EventsTest, HeaderAndFooterBandsActivateAndTheBodyDeactivates) {
    control_.Engine().SetHeaderText(L"Header");
    control_.Engine().SetFooterText(L"Footer");
    control_.Engine().SetSelText(L"Body");
    rec_.Take();
    Click(control_.PageToClient(1, 3000, 200));
    Click(control_.PageToClient(1, 3000, control_.Engine().PageHeight() - 200));
    Click(PointOf(2));
    Log log = rec_.Take();
    log.erase(std::remove_if(log.begin(), log.end(), [](auto& s) { return s.rfind("Mouse", 0) == 0; }), log.end());
    EXPECT_EQ(log, (Log{"HeaderFooterActivated 1", "HeaderFooterDeactivated", "HeaderFooterActivated 2", "HeaderFooterDeactivated"}));
}

TEST_F(EventsTest, TablesRaiseCreatedAndDraggingAColumnBorderResizes) {
    const int id = control_.Engine().TableInsert(2, 3);
    ASSERT_NE(id, 0);
    EXPECT_EQ(rec_.Take(), (Log{"Change", "TableCreated " + std::to_string(id)}));
    const int before = control_.Engine().TableCellAttribute(id, 1, 1, cell::kColumnWidth);
    const Layout& layout = control_.Engine().GetLayout();
    const PlacedCell cellOne = layout.Cells().front();
    const POINT border = control_.PageToClient(cellOne.page, cellOne.x + cellOne.width, cellOne.y + cellOne.height / 2);
    const POINT moved{border.x + 30, border.y};
    SendMessageW(control_.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(border.x, border.y));
    SendMessageW(control_.hWnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(moved.x, moved.y));
    SendMessageW(control_.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(moved.x, moved.y));
    const int after = control_.Engine().TableCellAttribute(id, 1, 1, cell::kColumnWidth);
    EXPECT_NEAR(after - before, control_.PixelsToTwips(30), 20);
    Log log = rec_.Take();
    EXPECT_NE(std::find(log.begin(), log.end(), "TableResized " + std::to_string(id)), log.end());
    // Loading a document with tables creates none.
    const std::string saved = control_.Engine().SaveToBytes(kFormatOwn);
    control_.Engine().LoadFromBytes(saved, kFormatOwn);
    log = rec_.Take();
    EXPECT_EQ(std::count_if(log.begin(), log.end(), [](auto& s) { return s.rfind("TableCreated", 0) == 0; }), 0);
}

TEST_F(EventsTest, ADragStartsPastTheDragDistanceAndEndsInOneDropOrInNothing) {
    Type(L"first line\nsecond line");
    control_.Engine().SetSelStart(3);
    rec_.Take();
    // The host drags whenever the right button is held at a move, as the editor does over a table.
    rec_.onMouseMove = [this] { control_.Drag(); };
    RECT client{};
    GetClientRect(control_.hWnd(), &client);
    const POINT from = PointOf(14), over = PointOf(5);
    struct Case {
        const char* name;
        POINT to;
        bool escape;
        Log heard;
    };
    const Case cases[] = {
        {"let go over the text", over, false, {"MouseDown 2", "DragDrop"}},
        {"let go outside the window", POINT{client.right + 30, over.y}, false, {"MouseDown 2"}},
        {"Escape first: the button's mouse up is no click", over, true, {"MouseDown 2", "KeyUp 27"}},
        {"within the drag distance: a click", POINT{from.x + GetSystemMetrics(SM_CXDRAG), from.y}, false,
         {"MouseDown 2", "MouseUp 2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SendMessageW(control_.hWnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(from.x, from.y));
        for (int i = 1; i <= 4; ++i)
            SendMessageW(control_.hWnd(), WM_MOUSEMOVE, MK_RBUTTON,
                         MAKELPARAM(from.x + (c.to.x - from.x) * i / 4, from.y + (c.to.y - from.y) * i / 4));
        if (c.escape) Key(VK_ESCAPE);
        SendMessageW(control_.hWnd(), WM_RBUTTONUP, 0, MAKELPARAM(c.to.x, c.to.y));
        EXPECT_FALSE(control_.Dragging());
        EXPECT_EQ(rec_.Take(), c.heard);
        EXPECT_EQ(SelStart(), 3) << "a drag leaves the selection";
        EXPECT_EQ(GetCapture(), nullptr);
    }
}

TEST_F(EventsTest, ThePointOfATextPositionAnswersTheWindowMessage) {
    Type(L"first line\nsecond line");
    POINT p{-1, -1};
    ASSERT_TRUE(SendMessageW(control_.hWnd(), kMsgPositionToPoint, 14, reinterpret_cast<LPARAM>(&p)));
    const POINT want = control_.PositionToClient(14);
    EXPECT_EQ(p.x, want.x);
    EXPECT_EQ(p.y, want.y);
    // The second line's point lies below the first's.
    POINT first{};
    SendMessageW(control_.hWnd(), kMsgPositionToPoint, 0, reinterpret_cast<LPARAM>(&first));
    EXPECT_GT(p.y, first.y);
    EXPECT_EQ(control_.ClientToPosition(POINT{p.x + 1, p.y + 2}), 14);
}

}  // namespace
}  // namespace tx::testing
