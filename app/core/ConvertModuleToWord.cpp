#include "app/core/ConvertModuleToWord.h"

#include <windows.h>
#include <ole2.h>
#include <wrl/client.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/core/AppState.h"
#include "app/core/SharedCommands.h"
#include "app/core/WordConversion.h"
#include "app/editor/frmMDIChild.h"
#include "base/Error.h"
#include "base/Paths.h"
#include "components/textcontrol/FormatCodes.h"
#include "components/textcontrol/win32/GdiSurface.h"
#include "ui/MsgBox.h"
#include "ui/activex/OleVariant.h"

namespace {

// What a hosted window shows, as the bytes of a 24-bit picture file of width x height pixels.
std::string PictureOfWindow(HWND host, int width, int height) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // bottom row first, as the file stores it
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(stride) * height;
    header.biXPelsPerMeter = header.biYPelsPerMeter = 3780;  // 96 dpi: 15 twips a pixel
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    std::string file;
    if (dc && bitmap && bits) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, width, height, WHITENESS);
        tx::DrawHostedWindow(dc, host, RECT{0, 0, width, height});
        GdiFlush();
        SelectObject(dc, old);
        BITMAPFILEHEADER head{};
        head.bfType = 0x4D42;  // "BM"
        head.bfOffBits = sizeof head + sizeof header;
        head.bfSize = head.bfOffBits + header.biSizeImage;
        file.append(reinterpret_cast<const char*>(&head), sizeof head);
        file.append(reinterpret_cast<const char*>(&header), sizeof header);
        file.append(static_cast<const char*>(bits), header.biSizeImage);
    }
    if (bitmap) DeleteObject(bitmap);
    if (dc) DeleteDC(dc);
    return file;
}

// A word processor knows nothing of the page's movie: the page just gathered shows, in the place of
// its placeholder's character, a picture of what printing draws for the movie.
void MoviesAsPictures(tx::TextEngine& engine) {
    std::vector<tx::Object> movies;
    for (const tx::Object& o : engine.Doc().objects)
        if (o.kind == tx::ObjectKind::Windowed && o.hostWindow != 0) movies.push_back(o);
    for (const tx::Object& movie : movies) {
        const int width = std::max(1, movie.ShownWidth() / 15), height = std::max(1, movie.ShownHeight() / 15);
        std::string picture = PictureOfWindow(reinterpret_cast<HWND>(movie.hostWindow), width, height);
        if (picture.empty()) continue;
        engine.SetObjectCurrent(movie.id);
        engine.ObjectDelete();
        engine.ObjectInsertImage(std::move(picture), false, std::clamp(movie.anchor, 0, engine.TextLength()), 0);
    }
}

using Microsoft::WRL::ComPtr;
using ui::OleVariant;

constexpr wchar_t kWordProgId[] = L"Word.Application";

std::wstring HexCode(HRESULT hr) {
    wchar_t text[16] = {};
    swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

// One member of the word processor called by name; a failure becomes an error naming the member
// and the server's own description.
OleVariant Invoke(IDispatch* object, const wchar_t* member, WORD flags, std::vector<OleVariant> args = {}) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(member)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        throw zv::Error(L"The word processor has no member " + std::wstring(member) + L" (" + HexCode(hr) + L").");
    std::vector<VARIANT> reversed;
    for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(*it->Get());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    OleVariant result;
    EXCEPINFO exception{};
    hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.Get(), &exception, nullptr);
    std::wstring description;
    if (hr == DISP_E_EXCEPTION && exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
    if (exception.bstrDescription) description = exception.bstrDescription;
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    if (FAILED(hr)) {
        if (description.empty()) description = L"error " + HexCode(hr);
        throw zv::Error(L"The word processor failed in " + std::wstring(member) + L": " + description);
    }
    return result;
}

ComPtr<IDispatch> Object(const OleVariant& value, const wchar_t* member) {
    ComPtr<IDispatch> object(value.AsObject());
    if (!object) throw zv::Error(L"The word processor gave no object for " + std::wstring(member) + L".");
    return object;
}

ComPtr<IDispatch> Property(IDispatch* object, const wchar_t* member) {
    return Object(Invoke(object, member, DISPATCH_PROPERTYGET), member);
}

ComPtr<IDispatch> Item(IDispatch* collection, long index, const wchar_t* what) {
    return Object(Invoke(collection, L"Item", DISPATCH_METHOD | DISPATCH_PROPERTYGET, {OleVariant::Long(index)}), what);
}

// The word processor for one conversion: quit and released however the conversion ends.
class WordSession {
public:
    WordSession() {
        CLSID clsid{};
        if (FAILED(CLSIDFromProgID(kWordProgId, &clsid)))
            throw zv::Error(L"The module cannot be converted: no word processor is installed (\"" +
                            std::wstring(kWordProgId) + L"\" is not registered).");
        const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                            IID_PPV_ARGS(&app_));
        if (FAILED(hr)) throw zv::Error(L"The module cannot be converted: the word processor does not start (" + HexCode(hr) + L").");
    }
    WordSession(const WordSession&) = delete;
    WordSession& operator=(const WordSession&) = delete;
    ~WordSession() {
        if (!app_) return;
        try {
            if (!quit_) Invoke(app_.Get(), L"Quit", DISPATCH_METHOD);
        } catch (const zv::Error&) {
            // Already failing: the first failure is the one the author hears of.
        }
    }

    // Opens the file, adds the page number to the first section's primary footer, repaginates,
    // saves the file in place and quits.
    void NumberPages(const std::wstring& path) {
        ComPtr<IDispatch> documents = Property(app_.Get(), L"Documents");
        ComPtr<IDispatch> document =
            Object(Invoke(documents.Get(), L"Open", DISPATCH_METHOD, {OleVariant::Text(path)}), L"Open");
        ComPtr<IDispatch> section = Item(Property(document.Get(), L"Sections").Get(), 1, L"the first section");
        ComPtr<IDispatch> footer = Item(Property(section.Get(), L"Footers").Get(), 1, L"the primary footer");
        Invoke(Property(footer.Get(), L"PageNumbers").Get(), L"Add", DISPATCH_METHOD);
        Invoke(document.Get(), L"Repaginate", DISPATCH_METHOD);
        Invoke(document.Get(), L"Save", DISPATCH_METHOD);
        document.Reset();
        quit_ = true;
        Invoke(app_.Get(), L"Quit", DISPATCH_METHOD);
    }

private:
    ComPtr<IDispatch> app_;
    bool quit_ = false;
};

// A temporary file in the module folder, removed unless it was put in the document's place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::wstring& folder) {
        wchar_t path[MAX_PATH] = {};
        if (!GetTempFileNameW(folder.c_str(), L"zvw", 0, path))
            throw zv::Error(L"The module folder " + folder + L" takes no new file (error " +
                            std::to_wstring(GetLastError()) + L").");
        path_ = path;
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!path_.empty()) DeleteFileW(path_.c_str());
    }
    const std::wstring& Path() const { return path_; }
    void MoveTo(const std::wstring& target) {
        if (!MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            throw zv::Error(L"The Word Document " + target + L" cannot be replaced (error " +
                            std::to_wstring(GetLastError()) + L"); it is left as it was.");
        path_.clear();
    }

private:
    std::wstring path_;
};

}  // namespace

void ConvertModuleToWord(frmMDIChild& editor) {
    RunCommand([&] {
        AppState& state = App();
        const std::wstring target = zv::JoinPath(state.ModulePath, WordDocumentFileName(state.ModuleName));
        {
            HourglassPointer hourglass;
            tx::TextEngine& engine = editor.prtTXTextControl2.Engine();
            engine.SetLoadSaveAttribute(tx::attr::kApplyStoredPage, 1);
            GatherModulePages(state, engine, [&] { editor.RemovePrtMovieControl(); }, [&] { MoviesAsPictures(engine); });
            TemporaryFile temporary(state.ModulePath);
            engine.Save(temporary.Path(), 0, tx::kFormatWord);
            WordSession word;
            word.NumberPages(temporary.Path());
            temporary.MoveTo(target);
        }
        ui::MsgBox(L"The Module " + state.ModuleName + L" was converted into the Word Document " + target, ui::vbOKOnly,
                   L"Conversion complete");
    });
}

void ConvertModuleToWord() {
    if (frmMDIChild* editor = ActiveEditor()) ConvertModuleToWord(*editor);
}
