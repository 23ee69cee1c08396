#include "ui/Printer.h"

#include <winspool.h>

#include <cmath>
#include <vector>

#include "base/Error.h"
#include "ui/Application.h"

namespace ui {

std::vector<unsigned> PrinterCapture::Render(size_t index, int width, int height) const {
    std::vector<unsigned> pixels(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    Bitmap bmp(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    OwnedDc dc(CreateCompatibleDC(nullptr));
    if (!bmp || !dc) return pixels;
    {
        SelectIn sel(dc.Get(), bmp.Get());
        RECT r{0, 0, width, height};
        FillRect(dc.Get(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        PlayEnhMetaFile(dc.Get(), Page(index), &r);
        GdiFlush();
        const auto* p = static_cast<const unsigned*>(bits);
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = p[i] & 0xFFFFFF;
    }
    return pixels;
}

void PrinterCapture::Clear() {
    pages_.clear();
    documents_ = 0;
}

PrinterObject::~PrinterObject() {
    if (pageOpen_ && capture_ && pageDc_) DeleteEnhMetaFile(CloseEnhMetaFile(pageDc_));
}

void PrinterObject::SetCapture(PrinterCapture* capture) {
    KillDoc();
    capture_ = capture;
    printerDc_.Reset();
}

void PrinterObject::SetOrientation(int v) {
    if (v != 1 && v != 2) throw zv::Error(L"Invalid property value");
    orientation_ = v;
}

void PrinterObject::SetCopies(int v) {
    if (v < 1) throw zv::Error(L"Invalid property value");
    copies_ = v;
}

std::wstring PrinterObject::DeviceName() const {
    if (capture_) return L"Capture";
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    if (size == 0) return L"";
    std::wstring name(size, L'\0');
    if (!GetDefaultPrinterW(name.data(), &size)) return L"";
    name.resize(wcslen(name.c_str()));
    return name;
}

void PrinterObject::OpenRealPrinter() {
    if (printerDc_ && dcOrientation_ == orientation_) return;
    std::wstring name = DeviceName();
    if (name.empty()) throw zv::Error(L"No printer is installed.");
    HANDLE printer = nullptr;
    std::vector<char> devmodeBytes;
    DEVMODEW* dm = nullptr;
    if (OpenPrinterW(name.data(), &printer, nullptr)) {
        LONG size = DocumentPropertiesW(nullptr, printer, name.data(), nullptr, nullptr, 0);
        if (size > 0) {
            devmodeBytes.resize(static_cast<size_t>(size));
            dm = reinterpret_cast<DEVMODEW*>(devmodeBytes.data());
            if (DocumentPropertiesW(nullptr, printer, name.data(), dm, nullptr, DM_OUT_BUFFER) != IDOK) dm = nullptr;
        }
        ClosePrinter(printer);
    }
    if (dm) {
        dm->dmFields |= DM_ORIENTATION | DM_COPIES;
        dm->dmOrientation = static_cast<short>(orientation_ == 2 ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT);
        dm->dmCopies = static_cast<short>(copies_);
    }
    if (printerDc_ && docOpen_) {
        // Between pages of one document: the new orientation applies from the next page.
        if (dm) ResetDCW(printerDc_.Get(), dm);
    } else {
        printerDc_.Reset(CreateDCW(L"WINSPOOL", name.c_str(), nullptr, dm));
        if (!printerDc_) throw zv::Error(L"The printer " + name + L" could not be opened.");
    }
    dcOrientation_ = orientation_;
}

void PrinterObject::StartDocument() {
    if (docOpen_) return;
    if (capture_) {
        docOpen_ = true;
        return;
    }
    OpenRealPrinter();
    std::wstring title = App().Title();
    DOCINFOW di{sizeof(di)};
    di.lpszDocName = title.c_str();
    di.lpszOutput = outputFile_.empty() ? nullptr : outputFile_.c_str();
    if (StartDocW(printerDc_.Get(), &di) <= 0) throw zv::Error(L"The printer did not accept the document.");
    docOpen_ = true;
}

void PrinterObject::EnsurePage() {
    StartDocument();
    if (pageOpen_) return;
    if (capture_) {
        long w = capture_->width_, h = capture_->height_;
        if (orientation_ == 2) std::swap(w, h);
        // The frame is in hundredths of a millimetre.
        RECT frame{0, 0, static_cast<LONG>(std::lround(w * 2540.0 / 1440.0)), static_cast<LONG>(std::lround(h * 2540.0 / 1440.0))};
        WindowDc screen(nullptr);
        pageDc_ = CreateEnhMetaFileW(screen.Get(), nullptr, &frame, nullptr);
        if (!pageDc_) throw zv::Error(L"The capture page could not be started.");
        detail::CountHandle(HandleKind::Dc, +1);
    } else {
        if (dcOrientation_ != orientation_) OpenRealPrinter();
        if (StartPage(printerDc_.Get()) <= 0) throw zv::Error(L"The printer did not start a page.");
        pageDc_ = printerDc_.Get();
    }
    pageOpen_ = true;
    ++page_;
    CurrentX = CurrentY = 0;
}

void PrinterObject::EndCurrentPage() {
    if (!pageOpen_) return;
    pageOpen_ = false;
    if (capture_) {
        HENHMETAFILE mf = CloseEnhMetaFile(pageDc_);
        detail::CountHandle(HandleKind::Dc, -1);
        PrinterCapture::CapturedPage page;
        page.metafile.Reset(mf);
        page.orientation = orientation_;
        page.copies = copies_;
        capture_->pages_.push_back(std::move(page));
    } else {
        EndPage(printerDc_.Get());
    }
    pageDc_ = nullptr;
}

HDC PrinterObject::hDC() {
    EnsurePage();
    return pageDc_;
}

void PrinterObject::Print(const std::wstring& text) {
    EnsurePage();
    if (text.empty()) return;
    int dpiX = GetDeviceCaps(pageDc_, LOGPIXELSX), dpiY = GetDeviceCaps(pageDc_, LOGPIXELSY);
    int x = static_cast<int>(CurrentX * dpiX / 1440), y = static_cast<int>(CurrentY * dpiY / 1440);
    SetBkMode(pageDc_, TRANSPARENT);
    TextOutW(pageDc_, x, y, text.c_str(), static_cast<int>(text.size()));
    TEXTMETRICW tm{};
    GetTextMetricsW(pageDc_, &tm);
    CurrentX = 0;
    CurrentY += (tm.tmHeight + tm.tmExternalLeading) * 1440L / (dpiY > 0 ? dpiY : 96);
}

void PrinterObject::NewPage() {
    EnsurePage();
    EndCurrentPage();
}

void PrinterObject::EndDoc() {
    if (!docOpen_) return;
    EndCurrentPage();
    if (capture_) {
        ++capture_->documents_;
    } else if (printerDc_) {
        ::EndDoc(printerDc_.Get());
    }
    docOpen_ = false;
    page_ = 0;
}

void PrinterObject::KillDoc() {
    if (pageOpen_ && capture_ && pageDc_) {
        DeleteEnhMetaFile(CloseEnhMetaFile(pageDc_));
        detail::CountHandle(HandleKind::Dc, -1);
    }
    if (docOpen_ && !capture_ && printerDc_) AbortDoc(printerDc_.Get());
    pageOpen_ = false;
    docOpen_ = false;
    pageDc_ = nullptr;
    page_ = 0;
}

long PrinterObject::ScaleWidth() {
    if (capture_) return orientation_ == 2 ? capture_->height_ : capture_->width_;
    OpenRealPrinter();
    return GetDeviceCaps(printerDc_.Get(), HORZRES) * 1440L / GetDeviceCaps(printerDc_.Get(), LOGPIXELSX);
}

long PrinterObject::ScaleHeight() {
    if (capture_) return orientation_ == 2 ? capture_->width_ : capture_->height_;
    OpenRealPrinter();
    return GetDeviceCaps(printerDc_.Get(), VERTRES) * 1440L / GetDeviceCaps(printerDc_.Get(), LOGPIXELSY);
}

double PrinterObject::TwipsPerPixel(int logPixelsIndex) {
    HDC dc = pageDc_;
    if (!dc && !capture_) {
        OpenRealPrinter();
        dc = printerDc_.Get();
    }
    if (!dc) {
        // A capture records at the screen's resolution.
        WindowDc screen(nullptr);
        return 1440.0 / GetDeviceCaps(screen.Get(), logPixelsIndex);
    }
    return 1440.0 / GetDeviceCaps(dc, logPixelsIndex);
}

double PrinterObject::TwipsPerPixelX() { return TwipsPerPixel(LOGPIXELSX); }
double PrinterObject::TwipsPerPixelY() { return TwipsPerPixel(LOGPIXELSY); }

PrinterObject& Printer() {
    static PrinterObject printer;
    return printer;
}

}  // namespace ui
