#pragma once
// An image list for toolbars (the program's ImageList1): images by 1-based index.

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace ui {

class ImageList {
public:
    ImageList(int width = 16, int height = 16);
    ~ImageList();
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    // Adds a copy of the bitmap; returns its 1-based index.
    int Add(HBITMAP bitmap, COLORREF mask = CLR_NONE);
    int AddFile(const std::wstring& bmpPath, COLORREF mask = CLR_NONE);
    int Count() const;
    HIMAGELIST Handle() const { return h_; }
    int ImageWidth() const { return width_; }
    int ImageHeight() const { return height_; }

private:
    HIMAGELIST h_ = nullptr;
    int width_, height_;
};

}  // namespace ui
