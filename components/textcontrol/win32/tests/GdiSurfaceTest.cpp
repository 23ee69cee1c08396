// The GDI surface on a real device context: what each call leaves in the pixels, and the DC's
// state after the surface is gone.
#include <memory>

#include "components/textcontrol/win32/GdiSurface.h"
#include "components/textcontrol/win32/tests/TxWinTest.h"

namespace tx::testing {
namespace {

unsigned Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

TextRun RunOf(const CharFormat& f, std::wstring_view text, int x, int baseline, const int* edges = nullptr) {
    TextRun run;
    run.format = &f;
    run.height = 16;
    run.x = x;
    run.baseline = baseline;
    run.text = text;
    run.edges = edges;
    return run;
}

bool InkInColumns(const Picture& p, int x0, int x1) {
    for (int x = x0; x < x1; ++x)
        for (int y = 0; y < p.height; ++y)
            if (p.Dark(x, y)) return true;
    return false;
}

TEST(GdiSurfaceTest, FillsResolveOleAndSystemColoursAndInvertFlipsWhatIsThere) {
    ImageCache images;
    GdiFonts fonts;
    const Picture p = Capture(40, 10, [&](HDC dc) {
        GdiSurface s(dc, images, fonts);
        s.Fill({0, 0, 10, 10}, 0x0000FF);     // OLE colours are 0x00BBGGRR: red
        s.Fill({10, 0, 20, 10}, 0x8000000C);  // the application workspace colour
        s.Fill({20, 0, 30, 10}, kBlack);
        s.Invert({25, 0, 35, 10});            // half over black, half over white
    });
    EXPECT_EQ(p.At(5, 5), 0xFF0000u);
    EXPECT_EQ(p.At(15, 5), Rgb(GetSysColor(COLOR_APPWORKSPACE)));
    EXPECT_EQ(p.At(22, 5), 0x000000u);
    EXPECT_EQ(p.At(27, 5), 0xFFFFFFu);
    EXPECT_EQ(p.At(32, 5), 0x000000u);
    EXPECT_EQ(p.At(37, 5), 0xFFFFFFu);
}

TEST(GdiSurfaceTest, EachCharacterStandsAtItsEdgeOrWhereTheFontPutsIt) {
    ImageCache images;
    GdiFonts fonts;
    CharFormat f;
    const int spread[] = {10, 40, 70};
    auto draw = [&](const int* edges) {
        return Capture(90, 24, [&](HDC dc) { GdiSurface(dc, images, fonts).Text(RunOf(f, L"ll", 10, 18, edges)); });
    };
    const Picture placed = draw(spread), natural = draw(nullptr);
    EXPECT_TRUE(InkInColumns(placed, 10, 20));
    EXPECT_FALSE(InkInColumns(placed, 20, 40)) << "nothing between the two characters' places";
    EXPECT_TRUE(InkInColumns(placed, 40, 50));
    EXPECT_TRUE(InkInColumns(natural, 10, 20));
    EXPECT_FALSE(InkInColumns(natural, 25, 90)) << "without edges the two stand side by side";
    EXPECT_EQ(fonts.Size(), 1u) << "one font for one format at one height";
}

TEST(GdiSurfaceTest, AnUndecodableImageShowsItsPlaceOutlinedInGrey) {
    ImageCache images;
    GdiFonts fonts;
    Object o;
    o.image = std::make_shared<const std::string>("not a picture");
    o.imageType = ImageType::Png;
    const Picture p = Capture(30, 20, [&](HDC dc) {
        GdiSurface s(dc, images, fonts);
        s.Image(o, {5, 5, 25, 15});
    });
    EXPECT_EQ(p.At(5, 10), 0x808080u);
    EXPECT_EQ(p.At(24, 10), 0x808080u);
    EXPECT_EQ(p.At(15, 5), 0x808080u);
    EXPECT_EQ(p.At(15, 10), 0xFFFFFFu);
    EXPECT_EQ(p.At(4, 10), 0xFFFFFFu);
}

TEST(GdiSurfaceTest, TheDeviceContextIsGivenBackAsItWas) {
    ImageCache images;
    GdiFonts fonts;
    CharFormat f;
    f.bold = true;
    Capture(20, 20, [&](HDC dc) {
        SetTextAlign(dc, TA_TOP | TA_RIGHT);
        SetBkMode(dc, OPAQUE);
        SetTextColor(dc, RGB(1, 2, 3));
        const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
        {
            GdiSurface s(dc, images, fonts);
            TextRun run = RunOf(f, L"x", 2, 12);
            run.color = 0x0000FF;
            s.Text(run);
            s.Fill({0, 0, 5, 5}, 0x00FF00);
        }
        EXPECT_EQ(GetTextAlign(dc), static_cast<UINT>(TA_TOP | TA_RIGHT));
        EXPECT_EQ(GetBkMode(dc), OPAQUE);
        EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    });
}

}  // namespace
}  // namespace tx::testing
