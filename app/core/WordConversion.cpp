#include "app/core/WordConversion.h"

#include <array>
#include <cwctype>
#include <vector>

#include "app/core/PageFile.h"
#include "app/core/PageWalk.h"
#include "base/Error.h"
#include "components/textcontrol/FormatCodes.h"

namespace {

// Appends each page it is given at the end of the engine's text.
class AppendingHolder : public PageHolder {
public:
    AppendingHolder(tx::TextEngine& engine, const std::function<void()>& beforePage,
                    const std::function<void()>& afterPage)
        : engine_(engine), beforePage_(beforePage), afterPage_(afterPage) {}

    void LoadPage(const std::wstring& path) override {
        const bool first = pages_ == 0;
        try {
            engine_.SetSelStart(engine_.Doc().Length());
            if (!first) engine_.SetSelText(L"\f");
            engine_.Load(path, kPageHeaderSize, tx::kFormatOwn, true);
        } catch (const zv::Error& e) {
            throw zv::Error(L"The page " + path + L" cannot be loaded: " + e.Description());
        }
        if (first) {
            // The stored page size and margins of the first page, those given, become the document's.
            namespace attr = tx::attr;
            const int width = engine_.LoadSaveAttribute(attr::kPageWidth);
            const int height = engine_.LoadSaveAttribute(attr::kPageHeight);
            const int left = engine_.LoadSaveAttribute(attr::kMarginLeft);
            const int top = engine_.LoadSaveAttribute(attr::kMarginTop);
            const int right = engine_.LoadSaveAttribute(attr::kMarginRight);
            const int bottom = engine_.LoadSaveAttribute(attr::kMarginBottom);
            if (width > 0) engine_.SetPageWidth(width);
            if (height > 0) engine_.SetPageHeight(height);
            if (left > 0) engine_.SetPageMarginL(left);
            if (top > 0) engine_.SetPageMarginT(top);
            if (right > 0) engine_.SetPageMarginR(right);
            if (bottom > 0) engine_.SetPageMarginB(bottom);
        }
        ++pages_;
        if (afterPage_) afterPage_();
    }
    void StorePage(const std::wstring&) override { throw zv::Error(L"The conversion stores no pages."); }
    void RemoveMovies() override {
        if (beforePage_) beforePage_();
    }

private:
    tx::TextEngine& engine_;
    const std::function<void()>& beforePage_;
    const std::function<void()>& afterPage_;
    int pages_ = 0;
};

}  // namespace

void GatherModulePages(const AppState& state, tx::TextEngine& engine, const std::function<void()>& beforePage,
                       const std::function<void()>& afterPage) {
    std::int32_t count = 0;
    std::vector<std::wstring> names, types, topics;
    state.PageList.GetAllPageInfo(count, names, types, topics);
    LinkedList pages;
    pages.InitLinedList();
    // The names come 1-based, as the program's arrays are.
    for (std::int32_t i = 1; i <= count; ++i)
        pages.Add_Page(names[static_cast<size_t>(i)], types[static_cast<size_t>(i)], topics[static_cast<size_t>(i)], true);
    pages.GoToFirstPage();

    // Whatever the control rendered last must not lead the document.
    if (beforePage) beforePage();
    engine.SetSelStart(0);
    engine.SetSelLength(-1);
    engine.SetSelText(L"");
    engine.SetHeaderText(L"");
    engine.SetFooterText(L"");

    AppendingHolder holder(engine, beforePage, afterPage);
    PageWalk walk(state.ModulePath, pages, holder);
    if (walk.LoadCurrent().empty()) return;
    while (!walk.Next().empty()) {
    }
}

std::wstring WordDocumentFileName(const std::wstring& moduleName) {
    std::wstring name;
    for (wchar_t c : moduleName)
        name += (c < 32 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) ? L'_' : c;
    // Windows drops trailing dots and blanks from a file name: "Notes." would be written as "Notes".
    for (size_t end = name.size(); end > 0 && (name[end - 1] == L'.' || name[end - 1] == L' '); --end)
        name[end - 1] = L'_';
    if (name.empty()) name = L"_";
    // A device name stays a device whatever extension follows it ("NUL.doc" is the null device).
    std::wstring stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && stem.back() == L' ') stem.pop_back();
    for (auto& c : stem) c = static_cast<wchar_t>(std::towupper(c));
    static const std::array<const wchar_t*, 6> kDevices = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
    bool device = false;
    for (const wchar_t* d : kDevices) device = device || stem == d;
    if (stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) && stem[3] >= L'0' && stem[3] <= L'9')
        device = true;
    if (device) name.insert(stem.size(), L"_");
    return name + L".doc";
}
