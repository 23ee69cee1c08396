#include "app/core/ToolbarImages.h"

#include <windows.h>

#include <initializer_list>
#include <map>

#include "ui/ImageList.h"

namespace {

constexpr COLORREF kMask = RGB(255, 0, 255);  // see-through
constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kEdge = RGB(96, 96, 96);
constexpr COLORREF kBlue = RGB(0, 70, 180);
constexpr COLORREF kRed = RGB(200, 20, 20);
constexpr COLORREF kGreen = RGB(0, 140, 40);
constexpr COLORREF kYellow = RGB(240, 200, 40);
constexpr COLORREF kBrown = RGB(150, 100, 40);
constexpr COLORREF kGrey = RGB(160, 160, 160);

// A 16 by 16 picture being drawn; the bitmap it leaves is handed to the image list.
class Canvas {
public:
    Canvas() {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, 16, 16);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
        Fill(0, 0, 16, 16, kMask);
    }
    ~Canvas() {
        if (old_ != nullptr) SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // The drawn picture, out of the drawing context so that the image list can copy it; it stays
    // the canvas's own.
    HBITMAP Finish() {
        SelectObject(dc_, old_);
        old_ = nullptr;
        return bitmap_;
    }

    void Fill(int l, int t, int r, int b, COLORREF c) {
        RECT rc{l, t, r, b};
        HBRUSH brush = CreateSolidBrush(c);
        FillRect(dc_, &rc, brush);
        DeleteObject(brush);
    }
    void Box(int l, int t, int r, int b, COLORREF fill, COLORREF edge) {
        Fill(l, t, r, b, edge);
        Fill(l + 1, t + 1, r - 1, b - 1, fill);
    }
    void Line(std::initializer_list<POINT> points, COLORREF c, int width = 1) {
        HPEN pen = CreatePen(PS_SOLID, width, c);
        HGDIOBJ old = SelectObject(dc_, pen);
        Polyline(dc_, points.begin(), static_cast<int>(points.size()));
        SelectObject(dc_, old);
        DeleteObject(pen);
    }
    void Shape(std::initializer_list<POINT> points, COLORREF fill, COLORREF edge) {
        HPEN pen = CreatePen(PS_SOLID, 1, edge);
        HBRUSH brush = CreateSolidBrush(fill);
        HGDIOBJ oldPen = SelectObject(dc_, pen);
        HGDIOBJ oldBrush = SelectObject(dc_, brush);
        Polygon(dc_, points.begin(), static_cast<int>(points.size()));
        SelectObject(dc_, oldPen);
        SelectObject(dc_, oldBrush);
        DeleteObject(pen);
        DeleteObject(brush);
    }
    void Ring(int l, int t, int r, int b, COLORREF edge, COLORREF fill = kMask, int width = 1) {
        HPEN pen = CreatePen(PS_SOLID, width, edge);
        HBRUSH brush = fill == kMask ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)) : CreateSolidBrush(fill);
        HGDIOBJ oldPen = SelectObject(dc_, pen);
        HGDIOBJ oldBrush = SelectObject(dc_, brush);
        Ellipse(dc_, l, t, r, b);
        SelectObject(dc_, oldPen);
        SelectObject(dc_, oldBrush);
        DeleteObject(pen);
        if (fill != kMask) DeleteObject(brush);
    }
    void Letter(const wchar_t* text, int l, int t, int r, int b, COLORREF c, int height = 12) {
        HFONT font = CreateFontW(-height, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0,
                                 L"Arial");
        HGDIOBJ old = SelectObject(dc_, font);
        SetBkMode(dc_, TRANSPARENT);
        SetTextColor(dc_, c);
        RECT rc{l, t, r, b};
        DrawTextW(dc_, text, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc_, old);
        DeleteObject(font);
    }

    // A sheet of paper with a folded corner.
    void Page(int l, int t, int r, int b) {
        Shape({{l, t}, {r - 4, t}, {r - 1, t + 3}, {r - 1, b - 1}, {l, b - 1}}, kPaper, kEdge);
        Line({{r - 4, t}, {r - 4, t + 3}, {r - 1, t + 3}}, kEdge);
        for (int y = t + 5; y < b - 2; y += 2) Line({{l + 2, y}, {r - 3, y}}, kGrey);
    }
    void Cross(int l, int t, int size) {
        Line({{l, t}, {l + size, t + size}}, kRed, 2);
        Line({{l + size, t}, {l, t + size}}, kRed, 2);
    }
    void Plus(int l, int t) {
        Fill(l + 2, t, l + 4, t + 6, kGreen);
        Fill(l, t + 2, l + 6, t + 4, kGreen);
    }
    void Film(int l, int t, int r, int b) {
        Fill(l, t, r, b, RGB(60, 60, 60));
        for (int x = l + 1; x < r - 1; x += 3) {
            Fill(x, t + 1, x + 2, t + 2, kPaper);
            Fill(x, b - 2, x + 2, b - 1, kPaper);
        }
        Fill(l + 2, t + 3, r - 2, b - 3, RGB(120, 170, 230));
    }
    void Picture(int l, int t, int r, int b) {
        Box(l, t, r, b, RGB(150, 200, 250), kEdge);
        Shape({{l + 1, b - 2}, {l + 5, t + 5}, {l + 8, b - 4}, {l + 10, b - 6}, {r - 2, b - 2}}, kGreen, kGreen);
        Ring(r - 6, t + 2, r - 2, t + 6, kYellow, kYellow);
    }
    void Chain(int l, int t) {
        Ring(l, t, l + 9, t + 6, kBlue, kMask, 2);
        Ring(l + 6, t, l + 15, t + 6, kBlue, kMask, 2);
    }
    void Magnifier(int l, int t, int size) {
        Ring(l, t, l + size, t + size, kInk, RGB(200, 230, 255), 2);
        Line({{l + size - 1, t + size - 1}, {15, 15}}, kInk, 2);
    }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

void Draw(Canvas& c, const std::wstring& key) {
    if (key == L"New") {
        c.Page(2, 1, 13, 15);
        c.Plus(10, 0);
    } else if (key == L"Open") {
        c.Shape({{1, 3}, {6, 3}, {7, 5}, {14, 5}, {14, 13}, {1, 13}}, kYellow, kBrown);
    } else if (key == L"Save") {
        c.Box(1, 1, 15, 15, kBlue, RGB(0, 30, 90));
        c.Fill(4, 2, 12, 7, kPaper);
        c.Fill(5, 10, 11, 15, RGB(180, 180, 180));
    } else if (key == L"Print") {
        c.Box(4, 1, 12, 7, kPaper, kEdge);
        c.Box(1, 6, 15, 12, kGrey, kEdge);
        c.Box(4, 10, 12, 15, kPaper, kEdge);
    } else if (key == L"PrintPreview") {
        c.Page(1, 1, 11, 15);
        c.Magnifier(6, 5, 7);
    } else if (key == L"Cut") {
        c.Line({{5, 10}, {10, 1}}, kInk);
        c.Line({{10, 10}, {5, 1}}, kInk);
        c.Ring(1, 9, 7, 15, kBlue, kMask, 2);
        c.Ring(9, 9, 15, 15, kBlue, kMask, 2);
    } else if (key == L"Copy") {
        c.Page(1, 1, 10, 12);
        c.Page(6, 4, 15, 15);
    } else if (key == L"Paste") {
        c.Box(1, 2, 11, 15, kBrown, RGB(90, 60, 20));
        c.Fill(4, 1, 8, 4, kGrey);
        c.Page(6, 5, 15, 15);
    } else if (key == L"Undo" || key == L"Redo") {
        const bool undo = key == L"Undo";
        auto x = [undo](int v) { return undo ? v : 15 - v; };
        c.Line({{x(13), 13}, {x(13), 8}, {x(11), 6}, {x(5), 6}}, kBlue, 2);
        c.Shape({{x(1), 6}, {x(6), 1}, {x(6), 11}}, kBlue, kBlue);
    } else if (key == L"Find") {
        c.Magnifier(1, 1, 10);
    } else if (key == L"SpellCheck") {
        c.Letter(L"abc", 0, 0, 16, 9, kInk, 9);
        c.Line({{3, 11}, {6, 14}, {14, 6}}, kGreen, 2);
    } else if (key == L"Previous" || key == L"Next") {
        const bool back = key == L"Previous";
        auto x = [back](int v) { return back ? v : 15 - v; };
        c.Shape({{x(3), 8}, {x(11), 2}, {x(11), 14}}, kBlue, RGB(0, 30, 90));
    } else if (key == L"insert_B" || key == L"insert_A") {
        const bool before = key == L"insert_B";
        c.Page(5, 1, 15, 15);
        c.Plus(0, before ? 1 : 9);
    } else if (key == L"Del_Page") {
        c.Page(2, 1, 13, 15);
        c.Cross(7, 8, 7);
    } else if (key == L"insert_image") {
        c.Picture(1, 2, 15, 14);
    } else if (key == L"insert_image_fixed") {
        c.Picture(1, 3, 11, 13);
        c.Line({{13, 2}, {13, 14}}, kInk);
        c.Line({{12, 2}, {15, 2}}, kInk);
        c.Line({{12, 14}, {15, 14}}, kInk);
    } else if (key == L"insert_hyperlink") {
        c.Chain(0, 5);
    } else if (key == L"delete_hyperlink") {
        c.Chain(0, 2);
        c.Cross(8, 8, 6);
    } else if (key == L"insert_flash") {
        c.Box(1, 1, 15, 15, kRed, RGB(120, 0, 0));
        c.Letter(L"f", 1, 1, 15, 15, kPaper);
    } else if (key == L"insert_director") {
        c.Box(1, 1, 15, 15, RGB(30, 30, 110), kInk);
        c.Letter(L"S", 1, 1, 15, 15, kPaper);
    } else if (key == L"insert_wmp") {
        c.Box(1, 1, 15, 15, RGB(230, 120, 0), RGB(140, 70, 0));
        c.Shape({{5, 4}, {12, 8}, {5, 12}}, kPaper, kPaper);
    } else if (key == L"remove_movie") {
        c.Film(0, 1, 16, 11);
        c.Cross(8, 8, 6);
    } else if (key == L"HeaderProperties") {
        c.Page(1, 1, 15, 15);
        c.Fill(2, 2, 11, 5, kBlue);
    } else if (key == L"SwitchBetweenHeaderAndFooter") {
        c.Page(1, 1, 12, 15);
        c.Fill(2, 2, 8, 4, kBlue);
        c.Fill(2, 12, 8, 14, kBlue);
        c.Line({{14, 3}, {14, 12}}, kGreen, 2);
        c.Shape({{12, 10}, {15, 10}, {14, 13}}, kGreen, kGreen);
    } else if (key == L"GoToFirstPage") {
        c.Page(4, 3, 15, 15);
        c.Fill(1, 1, 10, 3, kBlue);
        c.Shape({{2, 9}, {6, 5}, {10, 9}}, kGreen, kGreen);
    } else if (key == L"GoToDefault") {
        c.Page(1, 1, 15, 15);
        c.Fill(3, 6, 12, 11, RGB(150, 200, 250));
    } else if (key == L"movie_properties") {
        c.Film(0, 1, 16, 11);
        c.Ring(7, 6, 16, 15, kBlue, kPaper);
        c.Letter(L"i", 7, 6, 16, 15, kBlue, 9);
    }
}

}  // namespace

int AddToolbarImage(ui::ImageList& images, const std::wstring& key) {
    Canvas canvas;
    Draw(canvas, key);
    return images.Add(canvas.Finish(), kMask);
}
