// The control, its ruler, button bar and status bar as controls of a form, bound by window handle.
#include "components/textcontrol/win32/TXButtonBar.h"
#include "components/textcontrol/win32/TXRuler.h"
#include "components/textcontrol/win32/TXStatusBar.h"
#include "components/textcontrol/win32/TXTextControl.h"
#include "components/textcontrol/win32/ToolMessages.h"
#include "components/textcontrol/win32/tests/TxWinTest.h"
#include "ui/Form.h"

namespace tx::testing {
namespace {

class frmEditor : public ui::Form {
public:
    TXRuler TXRuler1{this, L"TXRuler1"};
    TXTextControl TXTextControl1{this, L"TXTextControl1"};
    TXButtonBar TXButtonBar1{this, L"TXButtonBar1"};
    TXStatusBar TXStatusBar1{this, L"TXStatusBar1"};

    frmEditor() {
        SetCaption(L"Editor");
        SetClientSize(16500, 11000);
        TXButtonBar1.Move(0, 0, 16500, 420);
        TXRuler1.Move(0, 420, 16500, 375);
        TXTextControl1.Move(0, 795, 16500, 9800);
        TXStatusBar1.Move(0, 10600, 16500, 330);
    }
    void Form_Load() override {
        TXTextControl1->SetRulerHandle(TXRuler1.hWnd());
        TXTextControl1->SetButtonBarHandle(TXButtonBar1.hWnd());
        TXTextControl1->SetStatusBarHandle(TXStatusBar1.hWnd());
        TXTextControl1.Engine().SetPageWidth(15228);
        TXTextControl1.Engine().SetPageHeight(9618);
    }
};

class ToolsTest : public ui::testing::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form_ = std::make_unique<frmEditor>();
        form_->Load();
        form_->Show();
    }
    void TearDown() override {
        form_->Unload();
        form_.reset();
        UiTest::TearDown();
    }
    std::unique_ptr<frmEditor> form_;
};

TEST_F(ToolsTest, TheFormControlIsARealTextControlWindow) {
    TextControl& c = form_->TXTextControl1.Control();
    ASSERT_NE(form_->TXTextControl1.hWnd(), nullptr);
    EXPECT_EQ(c.hWnd(), form_->TXTextControl1.hWnd());
    EXPECT_EQ(TextControl::FromHwnd(form_->TXTextControl1.hWnd()), &c);
    SendMessageW(c.hWnd(), WM_CHAR, L'Z', 1);
    EXPECT_EQ(c.Engine().Text(), L"Z");
    EXPECT_EQ(form_->TXTextControl1.Engine().PageWidth(), 15228);
    // The form's geometry reached the window.
    RECT r;
    GetWindowRect(c.hWnd(), &r);
    EXPECT_NEAR(r.bottom - r.top, MulDiv(9800, GetDeviceCaps(GetDC(nullptr), LOGPIXELSY), 1440), 1);
}

TEST_F(ToolsTest, TheRulerShowsTheIndentsAndDraggingAMarkerIndents) {
    TXRuler& ruler = form_->TXRuler1;
    TextControl& c = form_->TXTextControl1.Control();
    ASSERT_EQ(ruler.Bound(), &c);
    c.Engine().SetSelText(L"A paragraph");
    // The left indent marker stands over the text's left edge.
    const int left = ruler.MarkerX(TXRuler::Marker::LeftIndent);
    POINT textLeft = c.PageToClient(1, c.Engine().PageMarginL(), 0);
    MapWindowPoints(c.hWnd(), ruler.hWnd(), &textLeft, 1);
    EXPECT_EQ(left, textLeft.x);
    // Drag it half an inch to the right.
    const int halfInch = ruler.MarkerX(TXRuler::Marker::LeftIndent) + GetDeviceCaps(GetDC(nullptr), LOGPIXELSX) / 2;
    const int y = ruler.ClientSize().cy - 3;
    SendMessageW(ruler.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(left, y));
    SendMessageW(ruler.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(halfInch, y));
    EXPECT_NEAR(c.Engine().CurrentParaFormat().leftIndent, 720, 15);
    EXPECT_EQ(ruler.MarkerX(TXRuler::Marker::LeftIndent), halfInch);
    // The first-line marker is dragged in the upper half.
    const int first = ruler.MarkerX(TXRuler::Marker::FirstIndent);
    SendMessageW(ruler.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first, 2));
    SendMessageW(ruler.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(first + GetDeviceCaps(GetDC(nullptr), LOGPIXELSX) / 4, 2));
    EXPECT_NEAR(c.Engine().CurrentParaFormat().firstIndent, 360, 15);
    // Hidden and shown again by the form's Visible.
    form_->TXRuler1.SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(ruler.hWnd()));
    form_->TXRuler1.SetVisible(true);
    EXPECT_TRUE(IsWindowVisible(ruler.hWnd()));
}

TEST_F(ToolsTest, ButtonBarButtonsActOnTheSelectedParagraphsAndShowTheirState) {
    TXButtonBar& bar = form_->TXButtonBar1;
    TextEngine& e = form_->TXTextControl1.Engine();
    e.SetSelText(L"one\ntwo\nthree");
    e.SetSelStart(0);
    e.SetSelLength(5);  // the first two paragraphs
    auto click = [&](TXButtonBar::Button b) {
        const RECT r = bar.ButtonRect(b);
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageW(bar.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(bar.hWnd(), WM_LBUTTONUP, 0, at);
    };
    struct Case {
        TXButtonBar::Button button;
        std::function<bool(const ParaFormat&)> holds;
    };
    const Case cases[] = {
        {TXButtonBar::Button::AlignCenter, [](const ParaFormat& f) { return f.align == Align::Center; }},
        {TXButtonBar::Button::AlignRight, [](const ParaFormat& f) { return f.align == Align::Right; }},
        {TXButtonBar::Button::Justify, [](const ParaFormat& f) { return f.align == Align::Justify; }},
        {TXButtonBar::Button::AlignLeft, [](const ParaFormat& f) { return f.align == Align::Left; }},
        {TXButtonBar::Button::IndentMore, [](const ParaFormat& f) { return f.leftIndent == TXButtonBar::kIndentStep; }},
        {TXButtonBar::Button::IndentLess, [](const ParaFormat& f) { return f.leftIndent == 0; }},
        {TXButtonBar::Button::IndentLess, [](const ParaFormat& f) { return f.leftIndent == 0; }},  // not below 0
        {TXButtonBar::Button::Bullets, [](const ParaFormat& f) { return f.listKind == ListKind::Bullet; }},
        {TXButtonBar::Button::Numbering, [](const ParaFormat& f) { return f.listKind == ListKind::Numbered; }},
        {TXButtonBar::Button::Numbering, [](const ParaFormat& f) { return f.listKind == ListKind::None; }},  // off again
    };
    for (const Case& c : cases) {
        click(c.button);
        const Document& d = e.Doc();
        EXPECT_TRUE(c.holds(d.paragraphs[0].format)) << static_cast<int>(c.button);
        EXPECT_TRUE(c.holds(d.paragraphs[1].format)) << static_cast<int>(c.button);
        EXPECT_EQ(d.paragraphs[2].format, ParaFormat{}) << "the unselected paragraph";
    }
    e.FormatParagraphs([](ParaFormat& f) { f.align = Align::Center; });
    EXPECT_TRUE(bar.IsPressed(TXButtonBar::Button::AlignCenter));
    EXPECT_FALSE(bar.IsPressed(TXButtonBar::Button::AlignLeft));
}

TEST_F(ToolsTest, TheStatusBarShowsThePageTextAndTheCaretsLineAndColumn) {
    TXStatusBar& bar = form_->TXStatusBar1;
    TextControl& c = form_->TXTextControl1.Control();
    bar.SetText(L"Page 3");
    c.Engine().SetSelText(L"first\nsecond line");
    c.Engine().SetSelStart(9);
    EXPECT_EQ(Utf8(bar.FieldText(0)), "Page 3");
    EXPECT_EQ(Utf8(bar.FieldText(1)), "Line 2");
    EXPECT_EQ(Utf8(bar.FieldText(2)), "Col 4");
    // Painted, the page text is there in dark pixels.
    const SIZE size = bar.ClientSize();
    const Picture p = Capture(size.cx, size.cy, [&](HDC dc) { bar.PaintInto(dc); });
    int dark = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 6; x < 60; ++x) dark += p.Dark(x, y);
    EXPECT_GT(dark, 10);
}

// Fields are laid out by the bar's width: a wider bar shows them again at its new right end, and
// nothing of them stays where they stood before.
TEST_F(ToolsTest, TheStatusBarShowsOneSetOfFieldsAfterAResize) {
    TXStatusBar& bar = form_->TXStatusBar1;
    auto fieldsOnScreen = [&] {
        UpdateWindow(bar.hWnd());
        ui::DoEvents();
        const SIZE size = bar.ClientSize();
        HDC dc = GetDC(bar.hWnd());
        const COLORREF edge = GetSysColor(COLOR_BTNSHADOW);
        // A field's left edge is a shadow line; count them along a row below the texts.
        int edges = 0;
        bool inEdge = false;
        for (int x = 0; x < size.cx; ++x) {
            const bool is = GetPixel(dc, x, size.cy - 4) == edge;
            edges += is && !inEdge;
            inEdge = is;
        }
        ReleaseDC(bar.hWnd(), dc);
        return edges;
    };
    for (long width : {6000L, 16500L, 9000L, 16500L}) {
        SCOPED_TRACE(width);
        bar.Move(0, 10600, width, 330);
        EXPECT_EQ(fieldsOnScreen(), 3);
    }
}

// The control tells its tools of every change; a tool draws again only when what it shows is no
// longer what it drew: a typed letter moves the column in the status bar and nothing else.
TEST_F(ToolsTest, ToolsDrawAgainOnlyWhenWhatTheyShowChanges) {
    TextEngine& e = form_->TXTextControl1.Engine();
    e.SetSelText(L"plain\ncentred\nindented\nplain again");
    e.Select(6, 6);
    e.FormatParagraphs([](ParaFormat& f) { f.align = Align::Center; });
    e.Select(14, 14);
    e.FormatParagraphs([](ParaFormat& f) { f.leftIndent = 720; });
    e.Select(0, 0);
    ToolWindow* tools[] = {&form_->TXRuler1, &form_->TXButtonBar1, &form_->TXStatusBar1};
    auto settle = [&] {
        ui::DoEvents();
        for (ToolWindow* t : tools) UpdateWindow(t->hWnd());
    };
    // Only the tools' own update messages: a paint would hide whether they asked for one.
    auto redrawn = [&] {
        MSG m;
        for (UINT msg : {kMsgUpdateTools, kMsgToolUpdate})
            while (PeekMessageW(&m, nullptr, msg, msg, PM_REMOVE)) DispatchMessageW(&m);
        std::vector<bool> r;
        for (ToolWindow* t : tools) r.push_back(GetUpdateRect(t->hWnd(), nullptr, FALSE) != FALSE);
        return r;
    };
    struct Case {
        const char* what;
        std::function<void()> act;
        std::vector<bool> ruler_bar_status;
    };
    const Case cases[] = {
        {"a letter typed", [&] { SendMessageW(form_->TXTextControl1.hWnd(), WM_CHAR, L'x', 1); },
         {false, false, true}},
        {"the caret in the same place again", [&] { e.Select(e.SelStart(), e.SelStart()); }, {false, false, false}},
        {"the caret into the centred paragraph", [&] { e.Select(8, 8); }, {false, true, true}},
        {"the caret into the indented paragraph", [&] { e.Select(16, 16); }, {true, true, true}},
        {"the indent changed where the caret is", [&] { e.FormatParagraphs([](ParaFormat& f) { f.leftIndent = 1440; }); },
         {true, false, false}},
        {"the caret one on in the same line", [&] { e.Select(17, 17); }, {false, false, true}},
    };
    for (const Case& c : cases) {
        settle();
        c.act();
        EXPECT_EQ(redrawn(), c.ruler_bar_status) << c.what;
    }
}

TEST_F(ToolsTest, ToolsLetGoOfAControlThatGoesAway) {
    auto other = std::make_unique<TextControl>();
    other->SetRulerHandle(form_->TXRuler1.hWnd());
    EXPECT_EQ(form_->TXRuler1.Bound(), other.get());
    other.reset();
    EXPECT_EQ(form_->TXRuler1.Bound(), nullptr);
    // Painting without a control draws the empty bar without touching the gone control.
    form_->TXRuler1.Refresh();
    EXPECT_EQ(form_->TXRuler1.MarkerX(TXRuler::Marker::LeftIndent), -1);
}

}  // namespace
}  // namespace tx::testing
