#include "ui/gallery/frmGallery.h"

#include <string>

#include "ui/Handles.h"

namespace ui {
namespace {
// A small coloured square drawn in memory, so the gallery needs no image files.
Bitmap MakeSquare(int size, COLORREF fill, COLORREF edge) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB};
    void* bits = nullptr;
    Bitmap bmp(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bits) return bmp;
    auto* p = static_cast<unsigned*>(bits);
    auto bgr = [](COLORREF c) { return static_cast<unsigned>(GetBValue(c) | (GetGValue(c) << 8) | (GetRValue(c) << 16)); };
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            p[y * size + x] = (x == 0 || y == 0 || x == size - 1 || y == size - 1) ? bgr(edge) : bgr(fill);
    return bmp;
}
}  // namespace

frmGallery::frmGallery() {
    SetCaption(L"Control Gallery");
    SetClientSize(9600, 6600);
    SetStartUpPosition(0);
    Move(0, 0, -1, -1);
    SetClientSize(9600, 6600);

    Toolbar1.SetImageList(&ImageList1);
    Toolbar1.AddButton(L"New", L"New", tbrDefault, 1).SetToolTipText(L"New module");
    Toolbar1.AddButton(L"Open", L"Open", tbrDefault, 2).SetToolTipText(L"Open module");
    Toolbar1.AddButton(L"sep1", L"", tbrSeparator);
    Toolbar1.AddButton(L"Previous", L"Previous").SetEnabled(false);
    Toolbar1.AddButton(L"Next", L"Next");
    StatusBar1.AddPanel(L"Page 1", L"Page", 1800);
    StatusBar1.AddPanel(L"Line 1", L"Line", 1800);
    StatusBar1.AddPanel(L"", L"Col");

    Label1.SetCaption(L"&Module name:");
    Label1.Move(120, 600, 1400, 255);
    Text1.SetText(L"Introduction to Zorvik");
    Text1.Move(1560, 560, 2600, 315);
    Text2.SetMultiLine(true);
    Text2.SetScrollBars(2);
    Text2.SetText(L"A multi-line text box\r\nwith a vertical scroll bar.\r\nThird line.");
    Text2.Move(120, 960, 4040, 900);

    Frame1.SetCaption(L"Page Type");
    Frame1.Move(120, 1980, 2300, 1320);
    const wchar_t* kinds[] = {L"Content Page", L"New Topic", L"Module Test"};
    for (int i = 0; i < 3; ++i) {
        auto& o = optKind.Load(i);
        o.SetContainer(&Frame1);
        o.SetCaption(kinds[i]);
        o.Move(150, 270 + i * 330, 2000, 300);
    }
    optKind[1].SetValue(true);
    Check1.SetCaption(L"Show grid lines");
    Check1.SetValue(vbChecked);
    Check1.Move(2540, 2040, 1800, 300);

    Combo1.SetStyle(vbComboDropdownList);
    Combo1.Move(2540, 2440, 1620, 315);
    for (int n = 1; n <= 10; ++n) Combo1.AddItem(n == 1 ? L"1 pixel" : std::to_wstring(n) + L" pixels");
    Combo1.SetListIndex(2);
    Combo2.Move(2540, 2880, 1620, 315);
    Combo2.SetText(L"Drop-down combo");

    List1.Move(120, 3420, 2300, 1200);
    for (auto s : {L"First answer", L"Second answer", L"Third answer", L"Fourth answer", L"Fifth answer", L"Sixth answer"})
        List1.AddItem(s);
    List1.SetListIndex(1);

    HScroll1.Move(2540, 3420, 1620, 255);
    HScroll1.SetMax(100);
    HScroll1.SetValue(40);
    VScroll1.Move(3905, 3780, 255, 840);

    Picture1.Move(4400, 560, 5000, 2700);
    Picture1.SetBackColor(0xFFFFFF);
    Shape1.SetContainer(&Picture1);
    Shape1.Move(200, 200, 1800, 1100);
    Shape1.SetFillStyle(0);
    Shape1.SetFillColor(0xC0C0C0);
    Shape1.SetBorderWidth(3);
    Shape2.SetContainer(&Picture1);
    Shape2.SetKind(vbShapeCircle);
    Shape2.Move(2300, 200, 1100, 1100);
    Shape2.SetFillStyle(0);
    Shape2.SetFillColor(0xFF8000);
    Line1.SetContainer(&Picture1);
    Line1.SetPoints(200, 1600, 4600, 1600);
    Line1.SetBorderWidth(2);
    Line1.SetBorderColor(0x0000C0);
    Image1.SetContainer(&Picture1);
    Image1.SetStretch(true);
    Image1.Move(3600, 200, 1000, 1000);
    Picture1.Paint = [this] {
        HDC dc = Picture1.hDC();
        SetBkMode(dc, TRANSPARENT);
        const wchar_t text[] = L"Picture box: drawn in its Paint event";
        TextOutW(dc, 12, 130, text, static_cast<int>(wcslen(text)));
    };

    fraTabs.SetCaption(L"Tab strip");
    fraTabs.SetBorderStyle(0);
    fraTabs.Move(4400, 3420, 5000, 1800);
    TabStrip1.SetContainer(&fraTabs);
    TabStrip1.Move(0, 0, 5000, 1800);
    for (auto t : {L"&Table", L"&Row", L"Col&umn", L"C&ell"}) TabStrip1.AddTab(t);

    btnOK.SetCaption(L"OK");
    btnOK.SetDefault(true);
    btnOK.Move(6900, 5400, 1150, 375);
    btnCancel.SetCaption(L"Cancel");
    btnCancel.SetCancel(true);
    btnCancel.Move(8200, 5400, 1150, 375);
    btnCancel.Click = [this] { Unload(); };
    mnuFile_Close.Click = [this] { Unload(); };
    mnuView_Status.SetChecked(true);

    Timer1.SetInterval(500);
    Timer1.Tick = [this] {
        ++ticks;
        UpdateStatus();
    };
    List1.Click = [this] { UpdateStatus(); };
}

void frmGallery::Form_Load() {
    ImageList1.Add(MakeSquare(16, RGB(0, 128, 0), RGB(0, 64, 0)).Get());
    ImageList1.Add(MakeSquare(16, RGB(255, 200, 0), RGB(128, 100, 0)).Get());
    Image1.SetPicture(MakeSquare(32, RGB(80, 160, 255), RGB(0, 0, 128)));
    UpdateStatus();
}

void frmGallery::UpdateStatus() {
    StatusBar1.SetPanelText(L"Line", L"Item " + std::to_wstring(List1.ListIndex() + 1));
}

}  // namespace ui
