#include "ui/ImageList.h"

#include "base/Error.h"
#include "ui/Handles.h"

namespace ui {

ImageList::ImageList(int width, int height) : width_(width), height_(height) {
    h_ = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 4, 4);
    if (h_) detail::CountHandle(HandleKind::ImageList, +1);
}

ImageList::~ImageList() {
    if (h_) {
        if (!ImageList_Destroy(h_)) detail::NoteFailedRelease();
        detail::CountHandle(HandleKind::ImageList, -1);
    }
}

int ImageList::Add(HBITMAP bitmap, COLORREF mask) {
    int i = mask == CLR_NONE ? ImageList_Add(h_, bitmap, nullptr) : ImageList_AddMasked(h_, bitmap, mask);
    if (i < 0) throw zv::Error(L"The image could not be added to the image list.");
    return i + 1;
}

int ImageList::AddFile(const std::wstring& bmpPath, COLORREF mask) {
    Bitmap b(static_cast<HBITMAP>(LoadImageW(nullptr, bmpPath.c_str(), IMAGE_BITMAP, width_, height_, LR_LOADFROMFILE)));
    if (!b) throw zv::Error(L"Invalid picture: " + bmpPath);
    return Add(b.Get(), mask);
}

int ImageList::Count() const { return h_ ? ImageList_GetImageCount(h_) : 0; }

}  // namespace ui
