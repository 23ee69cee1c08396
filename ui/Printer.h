#pragma once
// The printer object: pages, end of document, its device context, orientation and copies. It
// prints to the default Windows printer, or, when a test sets a capture, into one enhanced
// metafile per page.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/Handles.h"

namespace ui {

// A capture target for tests: the pages printed, each an enhanced metafile.
class PrinterCapture {
public:
    // The page size in twips when printing portrait (Letter by default).
    explicit PrinterCapture(long pageWidthTwips = 12240, long pageHeightTwips = 15840)
        : width_(pageWidthTwips), height_(pageHeightTwips) {}
    size_t PageCount() const { return pages_.size(); }
    HENHMETAFILE Page(size_t index) const { return pages_.at(index).metafile.Get(); }
    int PageOrientation(size_t index) const { return pages_.at(index).orientation; }
    int PageCopies(size_t index) const { return pages_.at(index).copies; }  // the Copies setting it was printed with
    int DocumentCount() const { return documents_; }
    long PageWidthTwips() const { return width_; }
    long PageHeightTwips() const { return height_; }
    // Plays a page into a white 32-bit bitmap of the given size: 0x00RRGGBB per pixel, row by row.
    std::vector<unsigned> Render(size_t index, int width, int height) const;
    void Clear();

private:
    friend class PrinterObject;
    struct CapturedPage {
        EnhMetafile metafile;
        int orientation = 1;
        int copies = 1;
    };
    long width_, height_;
    std::vector<CapturedPage> pages_;
    int documents_ = 0;
};

class PrinterObject {
public:
    ~PrinterObject();
    int Orientation() const { return orientation_; }
    void SetOrientation(int v);  // vbPRORPortrait 1, vbPRORLandscape 2; applies from the next page
    int Copies() const { return copies_; }
    void SetCopies(int v);
    // The device context of the current page; opens the document and the page when needed.
    HDC hDC();
    // Prints a line of text at CurrentX, CurrentY (twips); an empty text only opens the page.
    void Print(const std::wstring& text = L"");
    void NewPage();
    void EndDoc();
    void KillDoc();
    int Page() const { return page_; }
    long ScaleWidth();   // the printable width in twips
    long ScaleHeight();
    double TwipsPerPixelX();
    double TwipsPerPixelY();
    std::wstring DeviceName() const;
    long CurrentX = 0, CurrentY = 0;

    // Print to a file instead of the printer's port (the next document; "" for the port again).
    void SetOutputFile(std::wstring path) { outputFile_ = std::move(path); }
    const std::wstring& OutputFile() const { return outputFile_; }

    // Tests: print into the capture instead of a printer (nullptr: the real printer again).
    void SetCapture(PrinterCapture* capture);
    PrinterCapture* Capture() const { return capture_; }

private:
    void EnsurePage();
    void StartDocument();
    void EndCurrentPage();
    void OpenRealPrinter();
    double TwipsPerPixel(int logPixelsIndex);
    PrinterCapture* capture_ = nullptr;
    OwnedDc printerDc_;
    HDC pageDc_ = nullptr;  // the metafile recorder while capturing, the printer DC otherwise
    bool docOpen_ = false, pageOpen_ = false;
    int orientation_ = 1, copies_ = 1, page_ = 0;
    int dcOrientation_ = 0;
    std::wstring outputFile_;
};

PrinterObject& Printer();

}  // namespace ui
