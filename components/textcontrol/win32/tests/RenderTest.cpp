// What the control paints and prints, checked at the pixel level.
#include <objbase.h>
#include <wincodec.h>

#include <cmath>

#include "components/textcontrol/win32/tests/TestImages.h"
#include "components/textcontrol/win32/tests/TxWinTest.h"
#include "ui/Handles.h"
#include "ui/Printer.h"

namespace tx::testing {
namespace {

using RenderTest = TxWinTest;

int ScreenDpi() {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(nullptr, dc);
    return dpi;
}

// Arial 12 pt at the screen's resolution, measured here without the control's code.
TEXTMETRICW ArialMetrics(int pixelHeight) {
    HDC dc = GetDC(nullptr);
    HFONT f = CreateFontW(-pixelHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    HGDIOBJ old = SelectObject(dc, f);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    DeleteObject(f);
    ReleaseDC(nullptr, dc);
    return tm;
}

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    int dark = 0;
};
Box InkBox(const Picture& p, int x0, int y0, int x1, int y1) {
    Box b;
    for (int y = std::max(0, y0); y < std::min(p.height, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(p.width, x1); ++x)
            if (p.Dark(x, y)) {
                b.left = std::min(b.left, x);
                b.right = std::max(b.right, x);
                b.top = std::min(b.top, y);
                b.bottom = std::max(b.bottom, y);
                ++b.dark;
            }
    return b;
}

// The client pixels of a text range that runs on one line, its line's height high.
RECT Span(TextControl& control, int from, int to) {
    const CaretPoint a = control.Engine().PositionToPoint(from), b = control.Engine().PositionToPoint(to);
    const POINT tl = control.PageToClient(a.page, a.x, a.y), br = control.PageToClient(b.page, b.x, b.y + b.height);
    return RECT{tl.x, tl.y, br.x, br.y};
}

int Count(const Picture& p, const RECT& r, const std::function<bool(unsigned)>& is) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += is(p.At(x, y));
    return n;
}

bool Reddish(unsigned p) { return ((p >> 16) & 0xFF) > 160 && ((p >> 8) & 0xFF) < 100 && (p & 0xFF) < 100; }

TEST_F(RenderTest, APageMatchesItsKnownPictureAtFullAndHalfZoom) {
    control_.Engine().SetSelText(L"Zorvik");
    const int table = control_.Engine().TableInsert(1, 2, 6);
    ASSERT_NE(table, 0);
    control_.Engine().SetTableCellAttribute(table, 0, 0, cell::kBorderWidth, 30);
    control_.Engine().SetTableGridlines(false);
    const int dpi = ScreenDpi();
    const int lineHeight = [&] { TEXTMETRICW tm = ArialMetrics(MulDiv(240, dpi, 1440)); return MulDiv(tm.tmHeight, 1440, dpi); }();

    for (int zoom : {100, 50}) {
        SCOPED_TRACE(zoom);
        control_.SetZoomFactor(zoom);
        control_.SetScrollPosY(0);
        const double s = dpi * zoom / (100.0 * 1440.0);
        auto px = [&](int twips) { return static_cast<int>(std::lround(twips * s)); };
        RECT client;
        GetClientRect(control_.hWnd(), &client);
        const Picture shown = Capture(client.right, client.bottom, [&](HDC dc) { control_.PaintTo(dc); });

        // Text: the known picture is the word drawn with plain GDI at the first line's baseline
        // (margin plus the font's ascent), each letter where it stands at 100 % scaled by the zoom,
        // as a page looks the same at every zoom, only smaller or larger.
        const TEXTMETRICW big = ArialMetrics(MulDiv(240, dpi, 1440));
        const int baseline = px(1440 + MulDiv(big.tmAscent, 1440, dpi));
        int ends[6] = {};
        {
            HDC screen = GetDC(nullptr);
            HFONT f = CreateFontW(-MulDiv(240, dpi, 1440), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
            HGDIOBJ old = SelectObject(screen, f);
            SIZE size;
            int fit;
            GetTextExtentExPointW(screen, L"Zorvik", 6, 1 << 20, &fit, ends, &size);
            SelectObject(screen, old);
            DeleteObject(f);
            ReleaseDC(nullptr, screen);
        }
        const Picture known = Capture(client.right, client.bottom, [&](HDC dc) {
            HFONT f = CreateFontW(-px(240), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, 0, ANTIALIASED_QUALITY, 0, L"Arial");
            HGDIOBJ old = SelectObject(dc, f);
            SetTextAlign(dc, TA_BASELINE | TA_LEFT);
            SetBkMode(dc, TRANSPARENT);
            for (int i = 0; i < 6; ++i) {
                const int x = 1440 + (i == 0 ? 0 : MulDiv(ends[i - 1], 1440, dpi));
                TextOutW(dc, px(x), baseline, L"Zorvik" + i, 1);
            }
            SelectObject(dc, old);
            DeleteObject(f);
        });
        const int textTop = px(1440), textBottom = px(1440 + lineHeight);
        const Box a = InkBox(shown, 0, 0, client.right, textBottom), b = InkBox(known, 0, 0, client.right, textBottom);
        ASSERT_GT(b.dark, 10);
        EXPECT_NEAR(a.left, b.left, 1);
        EXPECT_NEAR(a.right, b.right, 2);
        EXPECT_NEAR(a.top, b.top, 1);
        EXPECT_NEAR(a.bottom, b.bottom, 1);
        EXPECT_GE(a.top, textTop);
        int differ = 0;
        for (int y = textTop; y < textBottom; ++y)
            for (int x = 0; x < client.right; ++x) differ += shown.Dark(x, y) != known.Dark(x, y);
        EXPECT_LE(differ, b.dark / 5) << "of " << b.dark << " dark pixels; box " << a.left << "," << a.top << " / " << b.left << "," << b.top;

        // Table borders: 30 twips (2 pixels at 100 %, 1 at 50 %) on each cell's edges, white inside.
        const Layout& layout = control_.Engine().GetLayout();
        ASSERT_EQ(layout.Cells().size(), 2u);
        for (int col = 1; col <= 2; ++col)
            for (int attribute : {cell::kLeftBorder, cell::kTopBorder, cell::kRightBorder, cell::kBottomBorder})
                EXPECT_EQ(control_.Engine().TableCellAttribute(table, 1, col, attribute), 30) << col << " " << attribute;
        const int border = std::max(1, px(30));
        for (const PlacedCell& c : layout.Cells()) {
            EXPECT_GE(c.y, 1440 + lineHeight - 15);  // below the text
            const int l = px(c.x), t = px(c.y), r = px(c.x + c.width), bt = px(c.y + c.height);
            const int midY = (t + bt) / 2, midX = (l + r) / 2;
            for (int k = 0; k < border; ++k) {
                EXPECT_TRUE(shown.Dark(l + k, midY)) << "left border at " << l + k;
                EXPECT_TRUE(shown.Dark(r - 1 - k, midY)) << "right border at " << r - 1 - k;
                EXPECT_TRUE(shown.Dark(midX, t + k)) << "top border at " << t + k;
                EXPECT_TRUE(shown.Dark(midX, bt - 1 - k)) << "bottom border at " << bt - 1 - k;
            }
            EXPECT_FALSE(shown.Dark(l + border + 1, midY));
            EXPECT_FALSE(shown.Dark(midX, t + border + 1));
            EXPECT_FALSE(shown.Dark(midX, t - 2));
        }
        EXPECT_FALSE(shown.Dark(px(1440) - 2, px(layout.Cells()[0].y) + 3));
    }
}

TEST_F(RenderTest, CharacterFormatsOfTheSelectionShowInThePaint) {
    control_.Engine().SetSelText(L"colour under back");
    RECT client;
    GetClientRect(control_.hWnd(), &client);
    auto paint = [&] { return Capture(client.right, client.bottom, [&](HDC dc) { control_.PaintTo(dc); }); };
    auto span = [&](int from, int to) { return Span(control_, from, to); };
    auto greenish = [](unsigned p) { return ((p >> 8) & 0xFF) > 160 && ((p >> 16) & 0xFF) < 100 && (p & 0xFF) < 100; };

    const Picture before = paint();
    control_.Engine().SetSelStart(0);
    control_.Engine().SetSelLength(6);
    control_.Engine().SetForeColor(0x0000FF);  // OLE colours are 0x00BBGGRR: red
    control_.Engine().SetSelStart(7);
    control_.Engine().SetSelLength(5);
    control_.Engine().SetUnderline(true);
    control_.Engine().SetSelStart(13);
    control_.Engine().SetSelLength(4);
    control_.Engine().SetTextBkColor(0x00FF00);  // green
    control_.Engine().SetSelStart(0);
    const Picture after = paint();

    const RECT colour = span(0, 6), under = span(7, 12), back = span(13, 17);
    EXPECT_EQ(Count(before, colour, Reddish), 0);
    EXPECT_GT(Count(after, colour, Reddish), 10);
    // The underline is a row of ink across the word below its letters' baseline.
    int lineRows = 0;
    for (int y = under.top; y < under.bottom; ++y) {
        int dark = 0;
        for (int x = under.left; x < under.right; ++x) dark += after.Dark(x, y);
        lineRows += dark >= (under.right - under.left) * 9 / 10;
    }
    EXPECT_GE(lineRows, 1);
    const int area = (back.right - back.left) * (back.bottom - back.top);
    EXPECT_GT(Count(after, back, greenish), area / 2);
    EXPECT_EQ(Count(before, back, greenish), 0);
}

// A selection shows as every window shows one: the system's highlight behind the selected
// characters, and those characters in the highlight text colour, whatever colour they have.
TEST_F(RenderTest, TheSelectionShowsInTheHighlightColoursInEveryViewAndZoom) {
    control_.Engine().SetSelText(L"plain RED plain");
    control_.Engine().SetSelStart(6);
    control_.Engine().SetSelLength(3);
    control_.Engine().SetForeColor(0x0000FF);  // red
    control_.Engine().SetSelStart(4);
    control_.Engine().SetSelLength(7);  // "n RED p"
    const unsigned highlight = [] { const COLORREF c = GetSysColor(COLOR_HIGHLIGHT); return unsigned(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c); }();
    const unsigned highlightText = [] { const COLORREF c = GetSysColor(COLOR_HIGHLIGHTTEXT); return unsigned(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c); }();
    ASSERT_NE(highlight, highlightText);
    RECT client;
    GetClientRect(control_.hWnd(), &client);
    auto span = [&](int from, int to) { return Span(control_, from, to); };
    for (int mode : {kViewNormal, kViewPageLayout, kViewPageCentered})
        for (int zoom : {50, 100, 200}) {
            SCOPED_TRACE(::testing::Message() << "view " << mode << " at " << zoom << " %");
            control_.SetViewMode(mode);
            control_.SetZoomFactor(zoom);
            control_.SetScrollPosY(0);
            const Picture shown = Capture(client.right, client.bottom, [&](HDC dc) { control_.PaintTo(dc); });
            const RECT selected = span(4, 11), red = span(6, 9), before = span(0, 4);
            const int area = (selected.right - selected.left) * (selected.bottom - selected.top);
            ASSERT_GT(area, 0);
            EXPECT_GT(Count(shown, selected, [&](unsigned p) { return p == highlight; }), area / 2) << "the band";
            EXPECT_GT(Count(shown, selected, [&](unsigned p) { return p == highlightText; }), 3) << "the characters";
            EXPECT_EQ(Count(shown, red, Reddish), 0) << "selected red text takes the highlight text colour";
            EXPECT_EQ(Count(shown, before, [&](unsigned p) { return p == highlight; }), 0) << "only the selection";
            EXPECT_GT(Count(shown, before, [](unsigned p) { return p == 0xFFFFFF; }), 0) << "the page stays white";
        }
    // Without a selection there is no band, and the red text shows red.
    control_.SetViewMode(kViewNormal);
    control_.SetZoomFactor(100);
    control_.Engine().SetSelLength(0);
    const Picture plain = Capture(client.right, client.bottom, [&](HDC dc) { control_.PaintTo(dc); });
    EXPECT_EQ(Count(plain, client, [&](unsigned p) { return p == highlight; }), 0);
    EXPECT_GT(Count(plain, span(6, 9), Reddish), 3);
}

TEST_F(RenderTest, ThePageViewsPutTheSheetOnADeskAndZoomIsClamped) {
    control_.Engine().SetSelText(L"x");
    control_.SetZoomFactor(5);
    EXPECT_EQ(control_.ZoomFactor(), 10);
    control_.SetZoomFactor(1000);
    EXPECT_EQ(control_.ZoomFactor(), 400);
    control_.SetZoomFactor(25);
    RECT client;
    GetClientRect(control_.hWnd(), &client);
    control_.SetViewMode(kViewPageCentered);
    const Picture centred = Capture(client.right, client.bottom, [&](HDC dc) { control_.PaintTo(dc); });
    const POINT corner = control_.PageToClient(1, 0, 0);
    const int sheetWidth = control_.PageToClient(1, control_.Engine().PageWidth(), 0).x - corner.x;
    EXPECT_NEAR(corner.x, (client.right - sheetWidth) / 2, 2);
    EXPECT_EQ(centred.At(corner.x + 5, corner.y + 5), 0xFFFFFFu);       // the sheet
    EXPECT_NE(centred.At(corner.x - 5, corner.y + 5), 0xFFFFFFu);       // the desk
    control_.SetViewMode(kViewNormal);
    EXPECT_EQ(control_.PageToClient(1, 0, 0).x, 0);
}

TEST_F(RenderTest, APageIsPrintedToTheCapturePrinterFromTheSameLayout) {
    control_.Engine().SetSelText(L"First page");
    control_.Engine().SetSelText(std::wstring(1, kPageBreak) + L"Second page");
    ASSERT_EQ(control_.PageCount(), 2);
    EXPECT_FALSE(control_.PrintPage(1));  // no device yet

    ui::PrinterCapture capture(15228, 9618);
    ui::Printer().SetCapture(&capture);
    for (int zoom : {100, 50}) {
        control_.SetPrintDevice(ui::Printer().hDC());
        control_.SetPrintZoom(zoom);
        EXPECT_TRUE(control_.PrintPage(2));
        EXPECT_FALSE(control_.PrintPage(3));
        ui::Printer().NewPage();
    }
    ui::Printer().EndDoc();
    ui::Printer().SetCapture(nullptr);
    ASSERT_GE(capture.PageCount(), 2u);
    // Rendered at 96 pixels per inch: the margin is 96 pixels, half that at 50 %.
    const int w = MulDiv(15228, 96, 1440), h = MulDiv(9618, 96, 1440);
    for (size_t page = 0; page < 2; ++page) {
        SCOPED_TRACE(page);
        Picture p;
        p.width = w;
        p.height = h;
        p.px = capture.Render(page, w, h);
        const int margin = page == 0 ? 96 : 48;
        const Box ink = InkBox(p, 0, 0, w, h);
        ASSERT_GT(ink.dark, 20);
        EXPECT_NEAR(ink.left, margin, 3);
        EXPECT_NEAR(ink.top, margin + (page == 0 ? 4 : 2), 4);
        // "Second page" is wider than "First page" would have been: the second page was printed.
        EXPECT_GT(ink.right - ink.left, page == 0 ? 60 : 30);
    }
    // The screen's layout is back after printing.
    EXPECT_EQ(control_.PageCount(), 2);
}

TEST_F(RenderTest, AThousandRepaintsLeaveNoGdiObjectBehind) {
    control_.Engine().SetSelText(L"Some text with a table below\n");
    const int table = control_.Engine().TableInsert(2, 2);
    control_.Engine().SetTableCellAttribute(table, 0, 0, cell::kBackColor, 0x00FFCC99);
    control_.Engine().SetSelStart(0);
    control_.Engine().SetSelLength(4);
    control_.Refresh();
    const ui::LiveHandleCounts before = ui::LiveHandles();
    for (int i = 0; i < 1000; ++i) {
        if (i % 100 == 0) control_.SetZoomFactor(i % 200 == 0 ? 150 : 100);
        InvalidateRect(control_.hWnd(), nullptr, FALSE);
        UpdateWindow(control_.hWnd());
    }
    control_.SetZoomFactor(100);
    control_.Refresh();
    EXPECT_EQ(ui::LiveHandles().gdi, before.gdi);
    EXPECT_EQ(ui::LiveHandles().dcs, before.dcs);
    EXPECT_EQ(ui::detail::FailedReleases(), 0);
}

TEST_F(RenderTest, ImagesOfEveryFormatAreDecodedAndDrawnWhereTheLayoutPutsThem) {
    struct Case {
        const char* name;
        std::string bytes;  // the 4-pixel rasters shown larger, the 1-inch metafile as it is
    };
    const std::uint32_t red = 0x00FF0000;  // bytes B, G, R = 0, 0, 255
    const Case cases[] = {
        {"PNG", EncodeSolid(GUID_ContainerFormatPng, red)},
        {"JPEG", EncodeSolid(GUID_ContainerFormatJpeg, red)},
        {"BMP", EncodeSolid(GUID_ContainerFormatBmp, red)},
        {"TIFF", EncodeSolid(GUID_ContainerFormatTiff, red)},
        {"WMF", RedMetafile()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.bytes.empty());
        // Through a file, as the program inserts images.
        wchar_t dir[MAX_PATH];
        GetTempPathW(MAX_PATH, dir);
        const std::wstring path = std::wstring(dir) + L"txwin_image.bin";
        HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(f, c.bytes.data(), static_cast<DWORD>(c.bytes.size()), &written, nullptr);
        CloseHandle(f);
        control_.Engine().SetSelStart(0);
        control_.Engine().SetSelLength(-1);
        control_.Engine().SetSelText(L"ab");
        const int id = control_.Engine().ObjectInsertAsChar(0, path, 1);
        EXPECT_TRUE(DecodeImage(c.bytes, control_.Engine().Doc().FindObject(id)->imageType).Valid());
        // Shown 600 twips wide whatever size its header claims, so that it lies in the window.
        const int natural = control_.Engine().Doc().FindObject(id)->width;
        control_.Engine().SetObjectScale(id, 60000 / natural, 60000 / natural);
        DeleteFileW(path.c_str());
        ASSERT_NE(id, 0);
        const Layout& layout = control_.Engine().GetLayout();
        const PlacedObject* placed = nullptr;
        for (const auto& o : layout.Objects()) if (o.objectId == id) placed = &o;
        ASSERT_NE(placed, nullptr);
        RECT client;
        GetClientRect(control_.hWnd(), &client);
        const Picture shown = Capture(client.right, client.bottom, [&](HDC dc) { control_.PaintTo(dc); });
        const POINT centre = control_.PageToClient(placed->page, placed->x + placed->width / 2, placed->y + placed->height / 2);
        const unsigned p = shown.At(centre.x, centre.y);
        EXPECT_GT((p >> 16) & 0xFF, 200u) << std::hex << p;
        EXPECT_LT((p >> 8) & 0xFF, 60u) << std::hex << p;
        EXPECT_LT(p & 0xFF, 60u) << std::hex << p;
        // Outside the picture the page is white.
        const POINT beside = control_.PageToClient(placed->page, placed->x - 100, placed->y - 100);
        EXPECT_EQ(shown.At(beside.x, beside.y), 0xFFFFFFu);
    }
    // Undo may bring the pictures back, so they stay decoded until a new document replaces them.
    EXPECT_GE(control_.Images().Size(), 1u);
    control_.Engine().LoadFromBytes("plain", kFormatText);
    EXPECT_EQ(control_.Images().Size(), 0u);
}

}  // namespace
}  // namespace tx::testing
