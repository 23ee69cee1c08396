#include "app/editor/StoredPage.h"

#include <algorithm>
#include <exception>

#include "app/core/AppState.h"
#include "app/core/PageFile.h"
#include "app/dialogs/PageViewRules.h"
#include "app/editor/frmMDIChild.h"
#include "base/Paths.h"
#include "components/textcontrol/FormatCodes.h"
#include "ui/Constants.h"
#include "ui/MsgBox.h"
#include "ui/PictureBox.h"

bool DrawStoredPage(frmMDIChild& editor, const std::wstring& pageName, HDC dc, long boxWidth, long boxHeight) {
    return DrawStoredPage(editor, App().ModulePath, pageName, dc, boxWidth, boxHeight);
}

bool DrawStoredPage(frmMDIChild& editor, const std::wstring& folder, const std::wstring& pageName, HDC dc,
                    long boxWidth, long boxHeight) {
    if (dc == nullptr || !zv::IsPlainFileName(pageName)) return false;
    if (boxWidth <= 0 || boxHeight <= 0) return false;
    tx::TXTextControl& control = editor.prtTXTextControl2;
    try {
        editor.RemovePrtMovieControl();
        // The page is drawn with the size and margins it was stored with.
        LoadPageFile(zv::JoinPath(folder, pageName), control.Engine(), true);
    } catch (const std::exception&) {
        return false;  // a damaged or missing page shows as a blank box
    }
    // Fitted to the page just loaded: pages of one module may have different sizes.
    tx::TextEngine& engine = control.Engine();
    const auto zoom = FitPrintZoom(boxWidth, boxHeight, engine.PageWidth(), engine.PageHeight());
    if (!zoom) return false;
    control->SetPrintZoom(*zoom);
    control->SetPrintDevice(dc);
    return control->PrintPage(1);
}

bool DrawStoredPage(frmMDIChild& editor, const std::wstring& pageName, ui::PictureBox& box) {
    return DrawStoredPage(editor, pageName, box.hDC(), box.Width(), box.Height());
}

bool StoredPageImages::Paint(frmMDIChild& editor, const std::wstring& pageName, ui::PictureBox& box) {
    return Paint(editor, App().ModulePath, pageName, box, box.Width(), box.Height());
}

bool StoredPageImages::Paint(frmMDIChild& editor, const std::wstring& folder, const std::wstring& pageName,
                             ui::PictureBox& box, long fitWidth, long fitHeight, int inset) {
    HWND window = box.hWnd();
    HDC dc = box.hDC();
    if (window == nullptr || dc == nullptr) return false;
    if (inset < 0) inset = 0;
    RECT inner{};
    GetClientRect(window, &inner);
    const long width = inner.right - 2L * inset, height = inner.bottom - 2L * inset;
    if (width <= 0 || height <= 0) return false;
    const Key key{folder, pageName, fitWidth, fitHeight, static_cast<int>(width), static_cast<int>(height),
                  box.BackColor()};
    auto found = images_.find(key);
    Image& image = found != images_.end() ? found->second : Render(editor, key, dc);
    image.lastPainted = ++paints_;
    if (!image.bitmap) return false;
    HDC memory = Memory(dc);
    if (memory == nullptr) return false;
    ui::SelectIn selected(memory, image.bitmap.Get());
    return BitBlt(dc, inset, inset, key.width, key.height, memory, 0, 0, SRCCOPY) != 0;
}

HDC StoredPageImages::Memory(HDC boxDc) {
    if (!memory_) memory_.Reset(CreateCompatibleDC(boxDc));
    return memory_.Get();
}

StoredPageImages::Image& StoredPageImages::Render(frmMDIChild& editor, const Key& key, HDC boxDc) {
    ++rendered_;
    Image image;
    HDC memory = Memory(boxDc);
    ui::Bitmap bitmap(CreateCompatibleBitmap(boxDc, key.width, key.height));
    if (memory != nullptr && bitmap) {
        bool drawn = false;
        {
            ui::SelectIn selected(memory, bitmap.Get());
            // The box's background first, as its erase paints it: the page covers only its own part.
            ui::Brush back(CreateSolidBrush(ui::ToColorRef(key.backColor)));
            const RECT all{0, 0, key.width, key.height};
            FillRect(memory, &all, back.Get());
            // The device is kept for the next copies: whatever the print control sets in it goes.
            const int saved = SaveDC(memory);
            drawn = DrawStoredPage(editor, key.folder, key.page, memory, key.fitWidth, key.fitHeight);
            RestoreDC(memory, saved);
            // The print control must not keep the memory device past this drawing.
            editor.prtTXTextControl2->SetPrintDevice(nullptr);
        }
        if (drawn) {
            image.bytes = static_cast<std::size_t>(key.width) * static_cast<std::size_t>(key.height) * 4;
            MakeRoomFor(image.bytes);
            image.bitmap = std::move(bitmap);
        }
    }
    bytes_ += image.bytes;
    return images_.emplace(key, std::move(image)).first->second;
}

void StoredPageImages::MakeRoomFor(std::size_t bytes) {
    while (!images_.empty() && bytes_ + bytes > keptBytes_) {
        auto oldest = std::min_element(images_.begin(), images_.end(), [](const auto& a, const auto& b) {
            return a.second.lastPainted < b.second.lastPainted;
        });
        bytes_ -= oldest->second.bytes;
        images_.erase(oldest);
    }
}

void StoredPageImages::Clear() {
    images_.clear();
    bytes_ = 0;
    memory_.Reset();
}

bool HasStoredPageOrSay() {
    const Node* head = App().PageList.ListHead[LinkedList::kMain];
    if (head != nullptr && head->NextNode != nullptr) return true;
    ui::MsgBox(kNoStoredPageMessage, ui::vbInformation);
    return false;
}
