// The intrinsic controls: each kind's properties and events through its real window.

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "base/Error.h"
#include "ui/ComboBox.h"
#include "ui/CommandButton.h"
#include "ui/ControlArray.h"
#include "ui/Image.h"
#include "ui/ImageList.h"
#include "ui/Label.h"
#include "ui/Line.h"
#include "ui/ListBox.h"
#include "ui/Picture.h"
#include "ui/PictureBox.h"
#include "ui/ScrollBar.h"
#include "ui/Shape.h"
#include "ui/StatusBar.h"
#include "ui/TabStrip.h"
#include "ui/TextBox.h"
#include "ui/Toolbar.h"
#include "ui/Twips.h"
#include "ui/WindowControl.h"
#include "ui/testing/UiTest.h"

namespace ui::testing {
namespace {

COLORREF PixelAt(HWND hwnd, int x, int y) {
    UpdateWindow(hwnd);
    DoEvents();
    WindowDc dc(hwnd);
    return GetPixel(dc.Get(), x, y);
}

TEST_F(UiTest, TextBoxSelectionLockedAndMultiLine) {
    class F : public Form {
    public:
        TextBox Text1{this, L"Text1"};
        TextBox Text2{this, L"Text2"};
        int changes = 0;
        F() {
            Text1.Move(100, 100, 3000, 315);
            Text2.SetMultiLine(true);
            Text2.Move(100, 600, 3000, 900);
            Text1.Change = [this] { ++changes; };
        }
    } f;
    f.Show();
    f.Text1.SetText(L"Enter Topic Name");
    f.Text1.SetSelStart(6);
    f.Text1.SetSelLength(5);
    EXPECT_EQ(f.Text1.SelText(), L"Topic");
    f.Text1.SetSelText(L"Module");
    EXPECT_EQ(f.Text1.Text(), L"Enter Module Name");
    EXPECT_EQ(f.changes, 2);
    f.Text1.SetSelStart(0);
    f.Text1.SetSelLength(1000);
    EXPECT_EQ(f.Text1.SelLength(), 17) << "a selection is limited to the text";
    f.Text1.SetLocked(true);
    EXPECT_TRUE(GetWindowLongPtrW(f.Text1.hWnd(), GWL_STYLE) & ES_READONLY);
    EXPECT_THROW(test::Type(f.Text1, L"x"), HookFailure);
    TakeFailures();
    f.Text2.SetText(L"one\r\ntwo");
    EXPECT_EQ(SendMessageW(f.Text2.hWnd(), EM_GETLINECOUNT, 0, 0), 2);
}

TEST_F(UiTest, ComboBoxListsChoosesAndKeepsTextByStyle) {
    class F : public Form {
    public:
        ComboBox Combo1{this, L"Combo1"};
        ComboBox Combo2{this, L"Combo2"};
        std::vector<int> clicks;
        F() {
            Combo1.SetStyle(vbComboDropdownList);
            Combo1.Move(100, 100, 2000, 315);
            Combo2.Move(100, 600, 2000, 315);
            for (int n = 1; n <= 10; ++n) Combo1.AddItem(n == 1 ? L"1 pixel" : std::to_wstring(n) + L" pixels");
            Combo1.SetListIndex(2);
            Combo1.Click = [this] { clicks.push_back(Combo1.ListIndex()); };
        }
    } f;
    f.Show();
    EXPECT_EQ(f.Combo1.ListCount(), 10);
    EXPECT_EQ(f.Combo1.ListIndex(), 2) << "a choice made before load survives it";
    EXPECT_EQ(f.Combo1.Text(), L"3 pixels");
    f.Combo1.SetListIndex(4);
    f.Combo1.SetText(L"7 pixels");
    EXPECT_EQ(f.Combo1.ListIndex(), 6);
    EXPECT_THROW(f.Combo1.SetText(L"11 pixels"), zv::Error) << "a drop-down list takes only its items";
    EXPECT_THROW(f.Combo1.SetListIndex(10), zv::Error);
    EXPECT_EQ(f.Combo1.ListIndex(), 6);
    SendMessageW(f.Combo1.hWnd(), CB_SETCURSEL, 0, 0);
    SendMessageW(GetParent(f.Combo1.hWnd()), WM_COMMAND, MAKEWPARAM(f.Combo1.ControlId(), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(f.Combo1.hWnd()));
    EXPECT_EQ(f.clicks, (std::vector<int>{4, 6, 0}));
    EXPECT_EQ(f.Combo1.List(0), L"1 pixel");
    EXPECT_EQ(f.Combo1.List(99), L"") << "beyond the items reads empty";

    f.Combo2.SetText(L"typed");
    EXPECT_EQ(f.Combo2.Text(), L"typed");
    EXPECT_EQ(f.Combo2.ListIndex(), -1);
    f.Combo2.SetSorted(true);
    for (auto s : {L"pear", L"Apple", L"fig"}) f.Combo2.AddItem(s);
    EXPECT_EQ(f.Combo2.List(0), L"Apple");
    EXPECT_EQ(f.Combo2.List(2), L"pear");
    EXPECT_EQ(f.Combo2.NewIndex(), 1);
    f.Combo2.RemoveItem(0);
    EXPECT_EQ(SendMessageW(f.Combo2.hWnd(), CB_GETCOUNT, 0, 0), 2);
}

TEST_F(UiTest, ListBoxSelectionTopIndexItemHeightAndDragReorder) {
    class F : public Form {
    public:
        ListBox List1{this, L"List1"};
        ListBox List2{this, L"List2"};
        int dragIndex = -1;
        std::vector<std::string> log;
        F() {
            List1.Move(100, 100, 2500, 1500);
            List2.SetMultiSelect(2);
            List2.Move(3000, 100, 2000, 1500);
            List1.MouseDown = [this](int Button, int, float, float Y) {
                if (Button != 1) return;
                dragIndex = IndexFromY(Y);
                List1.Drag(1);
            };
            List1.DragOver = [this](Control&, float, float Y, int) { List1.SetListIndex(IndexFromY(Y)); };
            List1.DragDrop = [this](Control&, float, float Y) {
                int to = IndexFromY(Y);
                std::wstring item = List1.List(dragIndex);
                List1.RemoveItem(dragIndex);
                List1.AddItem(item, to);
                log.push_back("moved " + std::to_string(dragIndex) + " to " + std::to_string(to));
            };
        }
        int IndexFromY(float y) {
            int h = static_cast<int>(SendMessageW(List1.hWnd(), LB_GETITEMHEIGHT, 0, 0));
            int r = List1.TopIndex() + TwipsToPixelsY(static_cast<long>(y)) / h;
            return std::min(r, List1.ListCount() - 1);
        }
    } f;
    for (int i = 0; i < 30; ++i) f.List1.AddItem(L"Answer " + std::to_wstring(i));
    f.Show();
    EXPECT_EQ(f.List1.ItemHeight(), PixelsToTwipsY(static_cast<int>(SendMessageW(f.List1.hWnd(), LB_GETITEMHEIGHT, 0, 0))));
    f.List1.SetTopIndex(5);
    EXPECT_EQ(f.List1.TopIndex(), 5);
    f.List1.SetTopIndex(0);
    f.List1.SetSelected(3, true);
    EXPECT_EQ(f.List1.ListIndex(), 3);
    EXPECT_TRUE(f.List1.Selected(3));

    // Drag item 1 onto the row of item 3: press on row 1, move over row 3, let go there.
    int h = static_cast<int>(SendMessageW(f.List1.hWnd(), LB_GETITEMHEIGHT, 0, 0));
    POINT press{10, h + h / 2}, over{10, 3 * h + h / 2};
    SendMessageW(f.List1.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
    POINT screen = over;
    ClientToScreen(f.List1.hWnd(), &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageW(f.List1.hWnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(over.x, over.y));
    EXPECT_EQ(f.List1.ListIndex(), 3) << "drag over selects the row under the mouse";
    SendMessageW(f.List1.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(over.x, over.y));
    EXPECT_EQ(f.log, (std::vector<std::string>{"moved 1 to 3"}));
    EXPECT_EQ(f.List1.List(3), L"Answer 1");
    EXPECT_EQ(f.List1.List(1), L"Answer 2");

    for (int i = 0; i < 4; ++i) f.List2.AddItem(L"x" + std::to_wstring(i));
    f.List2.SetSelected(1, true);
    f.List2.SetSelected(3, true);
    EXPECT_EQ(f.List2.SelCount(), 2);
    EXPECT_FALSE(f.List2.Selected(2));
}

TEST_F(UiTest, MultiChoiceMadeBeforeLoadFollowsItsItems) {
    class F : public Form {
    public:
        ListBox List1{this, L"List1"};
        F() { List1.SetMultiSelect(1); }
    } f;
    for (auto s : {L"a", L"b", L"c"}) f.List1.AddItem(s);
    f.List1.SetSelected(2, true);  // "c"
    f.List1.AddItem(L"first", 0);  // "c" moves to index 3
    f.List1.RemoveItem(1);         // "a" goes; "c" at 2
    f.Load();
    EXPECT_TRUE(f.List1.Selected(2));
    EXPECT_EQ(f.List1.List(2), L"c");
    EXPECT_EQ(f.List1.SelCount(), 1);
    f.Unload();
    f.List1.Clear();
    f.List1.AddItem(L"z");
    f.List1.AddItem(L"y");
    f.Load();
    EXPECT_EQ(f.List1.SelCount(), 0) << "Clear forgets the choices";
}

TEST_F(UiTest, CheckBoxListTogglesByBoxClickAndSpaceAndKeepsChecksWithItsItems) {
    class F : public Form {
    public:
        ListBox List1{this, L"List1"};
        std::vector<int> checks;
        F() {
            List1.SetStyle(1);
            List1.Move(120, 120, 3000, 1500);
            List1.ItemCheck = [this](int Index) { checks.push_back(Index); };
        }
    } f;
    for (auto s : {L"Western", L"Greek", L"Cyrillic"}) f.List1.AddItem(s);
    f.List1.SetSelected(2, true);   // checked before the window exists
    f.List1.AddItem(L"Symbol", 0);  // and the check moves with its item
    EXPECT_EQ(f.checks, (std::vector<int>{2}));
    f.checks.clear();
    f.Show();
    HWND list = f.List1.hWnd();
    EXPECT_TRUE(GetWindowLongPtrW(list, GWL_STYLE) & LBS_OWNERDRAWFIXED);
    EXPECT_TRUE(f.List1.Selected(3));
    EXPECT_FALSE(f.List1.Selected(2));
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 4);

    auto itemRect = [&](int index) {
        RECT r{};
        SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        return r;
    };
    auto press = [&](int x, int y) {
        SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        DoEvents();
    };
    // A press on the box toggles the check and chooses the item; a press on the text only chooses.
    RECT greek = itemRect(2);
    press(greek.left + 6, (greek.top + greek.bottom) / 2);
    EXPECT_TRUE(f.List1.Selected(2));
    EXPECT_EQ(f.List1.ListIndex(), 2);
    RECT western = itemRect(1);
    press(western.left + 80, (western.top + western.bottom) / 2);
    EXPECT_FALSE(f.List1.Selected(1));
    EXPECT_EQ(f.List1.ListIndex(), 1);
    // The space bar toggles the item with the focus.
    f.List1.SetFocus();
    test::PressKey(VK_SPACE);
    EXPECT_TRUE(f.List1.Selected(1));
    test::PressKey(VK_SPACE);
    EXPECT_FALSE(f.List1.Selected(1));
    EXPECT_EQ(f.checks, (std::vector<int>{2, 1, 1}));
    // The program's check is drawn: the box of a checked item differs from an unchecked one.
    RECT symbol = itemRect(0), cyrillic = itemRect(3);
    auto boxInk = [&](const RECT& r) {
        int dark = 0;
        for (int x = r.left + 2; x < r.left + 16; ++x)
            for (int y = r.top; y < r.bottom; ++y)
                if (GetRValue(PixelAt(list, x, y)) < 80) ++dark;
        return dark;
    };
    EXPECT_GT(boxInk(cyrillic), boxInk(symbol));
}

TEST_F(UiTest, ScrollBarKeepsValueInRangeAndReportsChangeAndScroll) {
    class F : public Form {
    public:
        VScrollBar VScroll1{this, L"VScroll1"};
        std::vector<int> changes;
        int scrolls = 0;
        F() {
            VScroll1.Move(100, 100, 255, 2000);
            VScroll1.Change = [this] { changes.push_back(VScroll1.Value()); };
            VScroll1.Scroll = [this] { ++scrolls; };
        }
    } f;
    f.Show();
    f.VScroll1.SetMax(10);
    f.VScroll1.SetSmallChange(1);
    f.VScroll1.SetLargeChange(4);
    f.VScroll1.SetValue(8);
    f.VScroll1.SetMax(5);  // the value follows a range that shrinks below it
    EXPECT_EQ(f.VScroll1.Value(), 5);
    EXPECT_THROW(f.VScroll1.SetValue(6), zv::Error);
    HWND parent = GetParent(f.VScroll1.hWnd());
    auto scroll = [&](int code) { SendMessageW(parent, WM_VSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(f.VScroll1.hWnd())); };
    scroll(SB_PAGEUP);
    scroll(SB_LINEUP);
    scroll(SB_TOP);     // already at the top: no change
    scroll(SB_LINEUP);  // nor here
    EXPECT_EQ(f.changes, (std::vector<int>{8, 5, 1, 0}));
    EXPECT_EQ(GetScrollPos(f.VScroll1.hWnd(), SB_CTL), 0);

    // A reversed range: Min above Max runs the other way.
    f.VScroll1.SetMin(100);
    f.VScroll1.SetMax(0);
    f.VScroll1.SetValue(90);
    EXPECT_EQ(GetScrollPos(f.VScroll1.hWnd(), SB_CTL), 10);
    scroll(SB_LINEDOWN);
    EXPECT_EQ(f.VScroll1.Value(), 89);
    EXPECT_EQ(f.scrolls, 0);

    // Dragging the thumb: Scroll while it moves, Change where it is let go.
    f.changes.clear();
    SendMessageW(parent, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 30), reinterpret_cast<LPARAM>(f.VScroll1.hWnd()));
    SendMessageW(parent, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40), reinterpret_cast<LPARAM>(f.VScroll1.hWnd()));
    EXPECT_EQ(f.scrolls, 2);
    EXPECT_EQ(f.VScroll1.Value(), 60);
    SendMessageW(parent, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40), reinterpret_cast<LPARAM>(f.VScroll1.hWnd()));
    EXPECT_EQ(f.changes, (std::vector<int>{60}));
}

TEST_F(UiTest, PictureBoxPaintsThroughItsDcRaisesMouseEventsInTwipsAndHoldsControls) {
    class F : public Form {
    public:
        PictureBox Picture1{this, L"Picture1"};
        CommandButton Command1{this, L"Command1"};
        int paints = 0;
        std::vector<std::string> mouse;
        F() {
            Picture1.Move(150, 150, 3000, 2000);
            Picture1.SetBackColor(0xE0E0E0);
            Picture1.SetBorderStyle(0);
            Command1.SetContainer(&Picture1);
            Command1.Move(1500, 1500, 900, 300);
            Picture1.Paint = [this] {
                ++paints;
                HDC dc = Picture1.hDC();
                RECT r{0, 0, 20, 20};
                Brush red(CreateSolidBrush(RGB(255, 0, 0)));
                FillRect(dc, &r, red.Get());
            };
            Picture1.MouseUp = [this](int b, int s, float x, float y) {
                mouse.push_back("up " + std::to_string(b) + " " + std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y)));
            };
            Picture1.Click = [this] { mouse.push_back("click"); };
        }
    } f;
    f.Show();
    f.Picture1.Refresh();
    EXPECT_GE(f.paints, 1);
    EXPECT_EQ(PixelAt(f.Picture1.hWnd(), 5, 5), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(f.Picture1.hWnd(), 60, 60), RGB(0xE0, 0xE0, 0xE0)) << "BackColor fills the box";
    EXPECT_EQ(GetParent(f.Command1.hWnd()), f.Picture1.hWnd());
    SendMessageW(f.Picture1.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
    SendMessageW(f.Picture1.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
    std::string expected = "up 1 " + std::to_string(PixelsToTwipsX(20)) + "," + std::to_string(PixelsToTwipsY(10));
    EXPECT_EQ(f.mouse, (std::vector<std::string>{expected, "click"}));
    EXPECT_NEAR(f.Picture1.ScaleWidth(), 3000, 30);

    // A picture sits in the top-left corner under what Paint draws.
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 80, -80, 1, 32, BI_RGB};
    void* bits = nullptr;
    Bitmap green(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    for (int i = 0; i < 80 * 80; ++i) static_cast<unsigned*>(bits)[i] = 0x00FF00;
    f.Picture1.SetPicture(std::move(green));
    f.Picture1.Refresh();
    EXPECT_EQ(PixelAt(f.Picture1.hWnd(), 5, 5), RGB(255, 0, 0)) << "the Paint event draws over the picture";
    EXPECT_EQ(PixelAt(f.Picture1.hWnd(), 60, 60), RGB(0, 255, 0));
    EXPECT_EQ(PixelAt(f.Picture1.hWnd(), 100, 60), RGB(0xE0, 0xE0, 0xE0));
    EXPECT_THROW(f.Picture1.LoadPicture(L"no such file.bmp"), zv::Error);
}

TEST_F(UiTest, ControlArrayMembersLoadAtRunTimeCarryTheirIndexAndGoWithTheForm) {
    class F : public Form {
    public:
        PictureBox Picture2{this, L"Picture2"};
        ControlArray<PictureBox> Picture3{this, L"Picture3"};
        std::vector<int> clicked;
        F() {
            Picture2.Move(0, 0, 6000, 6000);
            auto& p = Picture3.Load(0);
            p.SetContainer(&Picture2);
            p.Move(100, 100, 1500, 1000);
            p.SetBackColor(0xFFFFFF);
            Picture3.Click = [this](int Index) { clicked.push_back(Index); };
        }
    } f;
    f.Show();
    for (int j = 1; j <= 3; ++j) {
        auto& p = f.Picture3.Load(j);
        EXPECT_FALSE(p.Visible()) << "a loaded member starts hidden";
        EXPECT_EQ(p.Width(), 1500) << "and takes the design of the first member";
        EXPECT_EQ(GetParent(p.hWnd()), f.Picture2.hWnd());
        p.SetTop(f.Picture3[j - 1].Top() + 1200);
        p.SetVisible(true);
    }
    EXPECT_THROW(f.Picture3.Load(2), zv::Error);
    EXPECT_THROW(f.Picture3.Unload(0), zv::Error) << "design-time members stay";
    test::Click(f.Picture3[2]);
    test::Click(f.Picture3[0]);
    EXPECT_EQ(f.clicked, (std::vector<int>{2, 0}));
    f.Picture3.Unload(3);
    EXPECT_EQ(f.Picture3.UBound(), 2);
    f.Unload();
    EXPECT_EQ(f.Picture3.Count(), 1) << "members loaded at run time go with the form";
    f.Load();
    EXPECT_NE(f.Picture3[0].hWnd(), nullptr);
}

TEST_F(UiTest, ControlsAddedByNameAtRunTimeLiveUntilRemovedOrUnloaded) {
    class F : public Form {
    public:
        PictureBox Picture1{this, L"Picture1"};
    } f;
    f.Show();
    const long before = LiveHandles().windows;
    auto& p4 = f.AddControl<PictureBox>(L"Picture4", &f.Picture1);
    EXPECT_NE(p4.hWnd(), nullptr);
    EXPECT_EQ(GetParent(p4.hWnd()), f.Picture1.hWnd());
    EXPECT_EQ(f.FindControl(L"picture4"), &p4) << "names are found regardless of case";
    EXPECT_EQ(LiveHandles().windows, before + 1);
    f.RemoveControl(L"Picture4");
    DoEvents();
    EXPECT_EQ(f.FindControl(L"Picture4"), nullptr);
    EXPECT_EQ(LiveHandles().windows, before);
    EXPECT_THROW(f.RemoveControl(L"Picture4"), zv::Error);
    f.AddControl<TextBox>(L"Text9");
    f.Unload();
    DoEvents();
    EXPECT_EQ(f.FindControl(L"Text9"), nullptr) << "controls added at run time go with the form";
}

TEST_F(UiTest, ControlKeyHandlersSeeKeysFirstAndCanSwallowThem) {
    class F : public Form {
    public:
        TextBox Text1{this, L"Text1"};
        std::vector<int> keys;
        F() {
            Text1.KeyDown = [this](int& KeyCode, int) {
                keys.push_back(KeyCode);
                if (KeyCode == VK_DELETE) KeyCode = 0;
            };
            Text1.KeyPress = [this](int& KeyAscii) {
                if (KeyAscii >= 'a' && KeyAscii <= 'z') KeyAscii -= 32;  // upper-case what is typed
            };
        }
    } f;
    f.Show();
    f.Text1.SetText(L"abc");
    f.Text1.SetFocus();
    SendMessageW(f.Text1.hWnd(), EM_SETSEL, 0, 0);
    SendMessageW(f.Text1.hWnd(), WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(f.Text1.Text(), L"abc") << "a swallowed Delete deletes nothing";
    SendMessageW(f.Text1.hWnd(), WM_CHAR, 'x', 1);
    EXPECT_EQ(f.Text1.Text(), L"Xabc");
    EXPECT_EQ(f.keys, (std::vector<int>{VK_DELETE}));
}

// What another subclass of a control's window saw.
struct OtherSubclassSaw {
    int chars = 0;
    bool destroyed = false;
};

LRESULT CALLBACK OtherSubclass(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR ref) {
    auto* saw = reinterpret_cast<OtherSubclassSaw*>(ref);
    if (msg == WM_CHAR) ++saw->chars;
    if (msg == WM_NCDESTROY) {
        saw->destroyed = true;
        RemoveWindowSubclass(h, &OtherSubclass, id);
    }
    return DefSubclassProc(h, msg, wp, lp);
}

// Other code may subclass a control's window after the form did (a tooltip following its tool
// does): both see the window's messages, either may let go first, and the window still goes.
TEST_F(UiTest, AControlsWindowSubclassedByOthersStillRaisesItsEventsAndGoes) {
    class F : public Form {
    public:
        TextBox Text1{this, L"Text1"};
        TextBox Text2{this, L"Text2"};
        int presses = 0;
        F() {
            Text1.KeyPress = [this](int&) { ++presses; };
            Text2.KeyPress = [this](int&) { ++presses; };
        }
    } f;
    f.Show();
    OtherSubclassSaw first, second;
    ASSERT_TRUE(SetWindowSubclass(f.Text1.hWnd(), &OtherSubclass, 1, reinterpret_cast<DWORD_PTR>(&first)));
    ASSERT_TRUE(SetWindowSubclass(f.Text2.hWnd(), &OtherSubclass, 1, reinterpret_cast<DWORD_PTR>(&second)));
    SendMessageW(f.Text1.hWnd(), WM_CHAR, 'a', 1);
    SendMessageW(f.Text2.hWnd(), WM_CHAR, 'b', 1);
    EXPECT_EQ(f.presses, 2);
    EXPECT_EQ(first.chars, 1);
    EXPECT_EQ(f.Text1.Text(), L"a");
    // The other one lets go of the second box first: the form's events go on.
    ASSERT_TRUE(RemoveWindowSubclass(f.Text2.hWnd(), &OtherSubclass, 1));
    SendMessageW(f.Text2.hWnd(), WM_CHAR, 'c', 1);
    EXPECT_EQ(f.presses, 3);
    EXPECT_EQ(second.chars, 1);
    EXPECT_EQ(f.Text2.Text(), L"bc");
    const long before = LiveHandles().windows;
    f.Unload();
    EXPECT_TRUE(first.destroyed) << "the window went with the form, through the other subclass";
    EXPECT_EQ(f.Text1.hWnd(), nullptr);
    EXPECT_EQ(f.Text2.hWnd(), nullptr);
    EXPECT_EQ(LiveHandles().windows, before - 3) << "the form's window and both boxes'";
}

TEST_F(UiTest, ArrayMemberUnloadedInsideItsOwnEventIsSafe) {
    class F : public Form {
    public:
        ControlArray<CommandButton> cmd{this, L"cmd"};
        F() {
            cmd.Load(0);
            cmd.Click = [this](int Index) {
                if (Index > 0) cmd.Unload(Index);
            };
        }
    } f;
    f.Show();
    f.cmd.Load(1).SetVisible(true);
    test::Click(f.cmd[1]);
    EXPECT_FALSE(f.cmd.Exists(1));
}

TEST_F(UiTest, TabStripTabsKeysSelectionAndClientArea) {
    class F : public Form {
    public:
        TabStrip TabStrip1{this, L"TabStrip1"};
        std::vector<int> clicks;
        F() {
            TabStrip1.Move(100, 100, 5000, 3000);
            for (auto c : {L"&Table", L"&Row", L"Col&umn", L"C&ell"}) TabStrip1.AddTab(c);
            TabStrip1.Click = [this] { clicks.push_back(TabStrip1.SelectedIndex()); };
        }
    } f;
    f.Show();
    EXPECT_EQ(TabCtrl_GetItemCount(f.TabStrip1.hWnd()), 4);
    EXPECT_EQ(f.TabStrip1.SelectedIndex(), 1);
    f.TabStrip1.SetSelectedIndex(3);
    TabCtrl_SetCurSel(f.TabStrip1.hWnd(), 1);
    NMHDR hdr{f.TabStrip1.hWnd(), static_cast<UINT_PTR>(f.TabStrip1.ControlId()), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(f.hWnd(), WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
    EXPECT_EQ(f.clicks, (std::vector<int>{3, 2}));
    EXPECT_GT(f.TabStrip1.ClientTop(), f.TabStrip1.Top());
    EXPECT_LT(f.TabStrip1.ClientWidth(), 5000);
    EXPECT_GT(f.TabStrip1.ClientWidth(), 4500);
    EXPECT_EQ(f.TabStrip1.Tab(3).caption, L"Col&umn");
}

TEST_F(UiTest, ToolbarButtonsByKeyWithStateTipsAndClicks) {
    class F : public Form {
    public:
        Toolbar Toolbar1{this, L"Toolbar1"};
        StatusBar StatusBar1{this, L"StatusBar1"};
        ImageList ImageList1{16, 16};
        std::vector<std::wstring> keys;
        F() {
            Toolbar1.SetImageList(&ImageList1);
            Toolbar1.AddButton(L"New", L"New", tbrDefault, 2);
            Toolbar1.AddButton(L"sep1", L"", tbrSeparator);
            Toolbar1.AddButton(L"Previous", L"Prev").SetToolTipText(L"Previous page");
            Toolbar1.AddButton(L"Next", L"Next");
            Toolbar1.ButtonClick = [this](ToolbarButton& b) { keys.push_back(b.Key()); };
            StatusBar1.AddPanel(L"Page 1", L"Page", 1500);
            StatusBar1.AddPanel(L"", L"Line", 1500);
            StatusBar1.AddPanel(L"", L"Col");
        }
    } f;
    f.Show();
    HWND tb = f.Toolbar1.hWnd();
    EXPECT_EQ(SendMessageW(tb, TB_BUTTONCOUNT, 0, 0), 4);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(tb, TB_GETIMAGELIST, 0, 0)), f.ImageList1.Handle());
    TBBUTTON first{};
    SendMessageW(tb, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&first));
    EXPECT_EQ(first.iBitmap, 1) << "images count from 1, as the program numbers them";
    f.Toolbar1.Buttons(L"Next").SetEnabled(false);
    EXPECT_FALSE(SendMessageW(tb, TB_ISBUTTONENABLED, f.Toolbar1.Buttons(L"Next").CommandId(), 0));
    EXPECT_TRUE(SendMessageW(tb, TB_ISBUTTONENABLED, f.Toolbar1.Buttons(L"Previous").CommandId(), 0));
    EXPECT_THROW(f.Toolbar1.Buttons(L"Nope"), zv::Error);
    SendMessageW(f.hWnd(), WM_COMMAND, MAKEWPARAM(f.Toolbar1.Buttons(L"Previous").CommandId(), BN_CLICKED), reinterpret_cast<LPARAM>(tb));
    EXPECT_EQ(f.keys, (std::vector<std::wstring>{L"Previous"}));
    NMTTDISPINFOW tip{};
    tip.hdr.hwndFrom = tb;
    tip.hdr.idFrom = static_cast<UINT_PTR>(f.Toolbar1.Buttons(L"Previous").CommandId());
    tip.hdr.code = TTN_GETDISPINFOW;
    SendMessageW(f.hWnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
    ASSERT_NE(tip.lpszText, nullptr);
    EXPECT_STREQ(tip.lpszText, L"Previous page");

    RECT tr, sr, client;
    GetWindowRect(tb, &tr);
    GetWindowRect(f.StatusBar1.hWnd(), &sr);
    GetClientRect(f.hWnd(), &client);
    POINT tl{tr.left, tr.top}, sb{sr.left, sr.bottom};
    ScreenToClient(f.hWnd(), &tl);
    ScreenToClient(f.hWnd(), &sb);
    EXPECT_EQ(tl.y, 0) << "the toolbar docks at the top";
    EXPECT_EQ(sb.y, client.bottom) << "the status bar docks at the bottom";
    f.StatusBar1.SetPanelText(L"Page", L"Page 7");
    wchar_t text[32] = {};
    SendMessageW(f.StatusBar1.hWnd(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Page 7");
    EXPECT_EQ(SendMessageW(f.StatusBar1.hWnd(), SB_GETPARTS, 0, 0), 3);
}

TEST_F(UiTest, LineShapeAndImageAreDrawnByTheirContainer) {
    class F : public Form {
    public:
        PictureBox Picture1{this, L"Picture1"};
        Shape Shape1{this, L"Shape1"};
        Line Line1{this, L"Line1"};
        Image Image1{this, L"Image1"};
        int imageClicks = 0;
        F() {
            Picture1.Move(0, 0, 4000, 3000);
            Picture1.SetBorderStyle(0);
            Picture1.SetBackColor(0xFFFFFF);
            Shape1.SetContainer(&Picture1);
            Shape1.Move(TwipsToTwips(10), TwipsToTwips(10), TwipsToTwips(40), TwipsToTwips(30));
            Shape1.SetFillStyle(0);
            Shape1.SetFillColor(0x00FF00);
            Shape1.SetBorderColor(0x0000FF);
            Shape1.SetBorderWidth(3);
            Line1.SetContainer(&Picture1);
            Line1.SetPoints(TwipsToTwips(0), TwipsToTwips(80), TwipsToTwips(100), TwipsToTwips(80));
            Line1.SetBorderColor(0xFF0000);
            Line1.SetBorderWidth(2);
            Image1.SetContainer(&Picture1);
            Image1.Move(TwipsToTwips(120), TwipsToTwips(10), 0, 0);
            Image1.Click = [this] { ++imageClicks; };
        }
        static long TwipsToTwips(int pixels) { return PixelsToTwipsX(pixels); }
    } f;
    // A 4x4 blue bitmap for the image.
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 4, -4, 1, 32, BI_RGB};
    void* bits = nullptr;
    Bitmap bmp(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    for (int i = 0; i < 16; ++i) static_cast<unsigned*>(bits)[i] = 0x0000FF;  // blue in BGRA
    f.Image1.SetPicture(std::move(bmp));
    f.Show();
    HWND pic = f.Picture1.hWnd();
    EXPECT_EQ(PixelAt(pic, 30, 25), RGB(0, 255, 0)) << "filled inside";
    EXPECT_EQ(PixelAt(pic, 11, 25), RGB(255, 0, 0)) << "border (red) inside the box";
    EXPECT_EQ(PixelAt(pic, 50, 80), RGB(0, 0, 255)) << "the line";
    EXPECT_EQ(PixelAt(pic, 121, 11), RGB(0, 0, 255)) << "the image";
    EXPECT_EQ(PixelAt(pic, 200, 150), RGB(255, 255, 255));
    EXPECT_EQ(f.Image1.Width(), PixelsToTwipsX(4)) << "an unstretched image takes its picture's size";
    // A width of 0 (a borderless table's border in pixels) draws no border instead of failing.
    EXPECT_NO_THROW(f.Shape1.SetBorderWidth(0));
    EXPECT_EQ(PixelAt(pic, 11, 25), RGB(0, 255, 0)) << "no border: the fill reaches the edge";
    EXPECT_THROW(f.Shape1.SetBorderWidth(-1), zv::Error);
    f.Shape1.SetVisible(false);
    EXPECT_EQ(PixelAt(pic, 30, 25), RGB(255, 255, 255)) << "a hidden shape is erased";
    test::Click(f.Image1);
    EXPECT_EQ(f.imageClicks, 1);
}

// Counts the pixels of a colour in a window's rectangle, as they are on the screen.
int CountPixels(HWND hwnd, COLORREF colour) {
    UpdateWindow(GetParent(hwnd));
    UpdateWindow(hwnd);
    DoEvents();
    RECT r;
    GetClientRect(hwnd, &r);
    WindowDc dc(hwnd);
    int n = 0;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x)
            if (GetPixel(dc.Get(), x, y) == colour) ++n;
    return n;
}

TEST_F(UiTest, TransparentLabelDrawsItsTextOnWhatItsContainerDrew) {
    class F : public Form {
    public:
        Label OnForm{this, L"OnForm"};
        PictureBox Picture1{this, L"Picture1"};
        Label OnPicture{this, L"OnPicture"};
        Label Opaque{this, L"Opaque"};
        F() {
            SetBackColor(0x00FFFFFF);
            OnForm.Move(120, 120, 3000, 400);
            Picture1.Move(120, 800, 4000, 1500);
            Picture1.SetBorderStyle(0);
            // What the box shows comes only from its Paint event, as a drawn backdrop does.
            Picture1.Paint = [this] {
                RECT r{0, 0, 1000, 1000};
                Brush red(CreateSolidBrush(RGB(255, 0, 0)));
                FillRect(Picture1.hDC(), &r, red.Get());
            };
            OnPicture.SetContainer(&Picture1);
            OnPicture.Move(120, 120, 3000, 400);
            Opaque.Move(120, 2500, 3000, 400);
            Opaque.SetBackColor(0x00FFFF00);
            for (Label* l : {&OnForm, &OnPicture, &Opaque}) {
                l->SetCaption(L"WWW");
                l->SetFont({L"Arial", 12, true});
                l->SetForeColor(0x00FF0000);  // blue
            }
            OnForm.SetBackStyle(0);
            OnPicture.SetBackStyle(0);
        }
    } f;
    f.Show();
    const COLORREF blue = RGB(0, 0, 255);
    struct Case {
        const char* where;
        Label* label;
        COLORREF background;
    } cases[] = {{"on the form", &f.OnForm, RGB(255, 255, 255)},
                 {"on a picture box painted in its Paint event", &f.OnPicture, RGB(255, 0, 0)},
                 {"opaque, on its own colour", &f.Opaque, RGB(0, 255, 255)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        HWND h = c.label->hWnd();
        RECT r;
        GetClientRect(h, &r);
        EXPECT_EQ(PixelAt(h, r.right - 3, r.bottom - 3), c.background) << "beside the text";
        EXPECT_GT(CountPixels(h, blue), 20) << "the text";
        EXPECT_EQ(CountPixels(h, RGB(0, 0, 0)), 0) << "nothing black";
    }
    // A new caption or colour leaves nothing of the old text behind.
    f.OnPicture.SetCaption(L"");
    EXPECT_EQ(CountPixels(f.OnPicture.hWnd(), blue), 0);
    f.OnForm.SetForeColor(0x0000FF00);
    EXPECT_EQ(CountPixels(f.OnForm.hWnd(), blue), 0);
    EXPECT_GT(CountPixels(f.OnForm.hWnd(), RGB(0, 255, 0)), 20);
    f.OnForm.SetBackStyle(1);
    EXPECT_EQ(PixelAt(f.OnForm.hWnd(), 2, 2), GetSysColor(COLOR_BTNFACE)) << "opaque again: its own colour";
}

TEST_F(UiTest, AutoSizedLabelTakesTheHeightItsWrappedTextNeeds) {
    class F : public Form {
    public:
        Label TestLabel{this, L"TestLabel"};
        Label Label7{this, L"Label7"};
        F() {
            TestLabel.SetVisible(false);
            TestLabel.SetWordWrap(true);
            TestLabel.SetAutoSize(true);
            TestLabel.Move(120, 120, 2000, 255);
            Label7.SetAutoSize(true);
            Label7.Move(120, 2000, 100, 100);
        }
    } f;
    f.TestLabel.SetHeight(0);
    f.TestLabel.SetCaption(L"short");
    const long one = f.TestLabel.Height();
    EXPECT_GT(one, 0);
    EXPECT_EQ(f.TestLabel.Width(), 2000) << "a wrapping label keeps its width";
    f.TestLabel.SetHeight(0);
    f.TestLabel.SetCaption(L"a much longer answer text that cannot fit on one line of a label only two thousand twips wide");
    const long many = f.TestLabel.Height();
    EXPECT_GE(many, 3 * one);
    f.TestLabel.SetFont({L"Arial", 16});
    EXPECT_GT(f.TestLabel.Height(), many) << "a larger font needs more height";
    f.Show();
    RECT r;
    GetWindowRect(f.TestLabel.hWnd(), &r);
    EXPECT_EQ(r.bottom - r.top, TwipsToPixelsY(f.TestLabel.Height()));

    f.Label7.SetCaption(L"Question 1 of 12");
    const long w = f.Label7.Width();
    f.Label7.SetCaption(L"Question 10 of 12");
    EXPECT_GT(f.Label7.Width(), w) << "without word wrap the width follows the text";
}

TEST_F(UiTest, WindowControlHostsAWindowOfAnotherClass) {
    class F : public Form {
    public:
        WindowControl Box{this, L"Box", L"BUTTON", BS_PUSHBUTTON};
        F() { Box.Move(300, 300, 1500, 600); }
    } f;
    f.Show();
    ASSERT_NE(f.Box.hWnd(), nullptr);
    wchar_t cls[32] = {};
    GetClassNameW(f.Box.hWnd(), cls, 32);
    EXPECT_EQ(_wcsicmp(cls, L"Button"), 0);
    RECT r;
    GetClientRect(f.Box.hWnd(), &r);
    EXPECT_EQ(r.right, TwipsToPixelsX(1500));
}

// A frame drawn from a slice cut in nine: the corners as they are, the edges stretched along
// their side, the middle over the rest; a box smaller than two corners shows halves of them.
TEST_F(UiTest, ASlicedBitmapKeepsItsCornersAndStretchesItsEdgesAndMiddle) {
    // An 8 x 8 slice: corners of 2 pixels in four colours, edges in four others, a grey middle.
    constexpr COLORREF kCorner[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
    constexpr COLORREF kEdge[] = {RGB(0, 255, 255), RGB(255, 0, 255), RGB(128, 0, 0), RGB(0, 128, 0)};  // top, right, bottom, left
    constexpr COLORREF kMiddle = RGB(128, 128, 128);
    auto sliceColour = [&](int x, int y) {
        const bool left = x < 2, right = x >= 6, top = y < 2, bottom = y >= 6;
        if (top && left) return kCorner[0];
        if (top && right) return kCorner[1];
        if (bottom && left) return kCorner[2];
        if (bottom && right) return kCorner[3];
        if (top) return kEdge[0];
        if (right) return kEdge[1];
        if (bottom) return kEdge[2];
        if (left) return kEdge[3];
        return kMiddle;
    };
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    Bitmap slice(CreateCompatibleBitmap(screen, 8, 8));
    HGDIOBJ old = SelectObject(dc, slice.Get());
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) SetPixel(dc, x, y, sliceColour(x, y));
    SelectObject(dc, old);
    struct Case {
        int width, height;
    };
    for (const Case c : {Case{40, 30}, Case{3, 3}}) {
        SCOPED_TRACE(c.width);
        Bitmap target(CreateCompatibleBitmap(screen, c.width, c.height));
        old = SelectObject(dc, target.Get());
        DrawBitmapSliced(dc, slice.Get(), RECT{0, 0, c.width, c.height}, 2);
        if (c.width == 40) {
            EXPECT_EQ(GetPixel(dc, 0, 0), kCorner[0]);
            EXPECT_EQ(GetPixel(dc, 1, 1), kCorner[0]);
            EXPECT_EQ(GetPixel(dc, 39, 0), kCorner[1]);
            EXPECT_EQ(GetPixel(dc, 0, 29), kCorner[2]);
            EXPECT_EQ(GetPixel(dc, 38, 28), kCorner[3]);
            EXPECT_EQ(GetPixel(dc, 20, 0), kEdge[0]);
            EXPECT_EQ(GetPixel(dc, 39, 15), kEdge[1]);
            EXPECT_EQ(GetPixel(dc, 20, 29), kEdge[2]);
            EXPECT_EQ(GetPixel(dc, 0, 15), kEdge[3]);
            EXPECT_EQ(GetPixel(dc, 2, 2), kMiddle);
            EXPECT_EQ(GetPixel(dc, 37, 27), kMiddle);
        } else {
            EXPECT_EQ(GetPixel(dc, 0, 0), kCorner[0]);
            EXPECT_EQ(GetPixel(dc, 2, 0), kCorner[1]);
            EXPECT_EQ(GetPixel(dc, 0, 2), kCorner[2]);
            EXPECT_EQ(GetPixel(dc, 2, 2), kCorner[3]);
        }
        SelectObject(dc, old);
    }
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace ui::testing
