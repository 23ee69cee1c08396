#include "components/players/win32/PlayerControl.h"

#include "base/Error.h"

namespace players {

namespace {

// Black or white, whichever reads on the given background.
COLORREF ContrastOf(COLORREF background) {
    const int luma = (GetRValue(background) * 299 + GetGValue(background) * 587 + GetBValue(background) * 114) / 1000;
    return luma < 128 ? RGB(255, 255, 255) : RGB(0, 0, 0);
}

// Why a file cannot be shown, or nothing when it can be opened for reading.
std::wstring FileProblem(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return L"The movie file cannot be found.";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return L"The movie file cannot be read.";
    CloseHandle(file);
    return L"";
}

}  // namespace

COLORREF TranslatedColor(int32_t oleColor) {
    COLORREF rgb = 0;
    if (FAILED(OleTranslateColor(static_cast<OLE_COLOR>(oleColor), nullptr, &rgb))) return GetSysColor(COLOR_BTNFACE);
    return rgb;
}

std::wstring ReadText(zvcom::PropertyReader& reader, const wchar_t* name, const std::wstring& defaultValue) {
    zvcom::Variant value;
    value->vt = VT_BSTR;
    value->bstrVal = SysAllocStringLen(defaultValue.data(), static_cast<UINT>(defaultValue.size()));
    if (!reader.Read(name, *value.Get()) || value->vt != VT_BSTR) return defaultValue;
    return std::wstring(value->bstrVal ? value->bstrVal : L"", SysStringLen(value->bstrVal));
}

void WriteText(zvcom::PropertyWriter& writer, const wchar_t* name, const std::wstring& value) {
    zvcom::Variant text;
    text->vt = VT_BSTR;
    text->bstrVal = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
    writer.Write(name, *text.Get());
}

template <class Interface>
PlayerControl<Interface>::PlayerControl(const CLSID& clsid, const IID& iid, const IID& eventsIid,
                                        const wchar_t* source)
    : zvcom::DualControl<Interface>(clsid, iid, eventsIid, source) {}

template <class Interface>
HRESULT PlayerControl<Interface>::PutText(std::wstring& field, BSTR value) {
    field.assign(value ? value : L"", SysStringLen(value));
    return S_OK;
}

template <class Interface>
void PlayerControl<Interface>::SetMovie(std::wstring path) {
    path_ = std::move(path);
    stage_.reset();
    problem_.clear();
    if (!path_.empty()) {
        problem_ = FileProblem(path_);
        if (problem_.empty()) {
            try {
                stage_ = ReadStage(path_);
            } catch (const zv::Error&) {
                problem_ = L"The movie file is damaged or of another kind.";
            }
        }
    }
    PropertyChanged(L"Movie");
    Redraw();
}

template <class Interface>
void PlayerControl<Interface>::Redraw() {
    if (Window()) InvalidateRect(Window(), nullptr, TRUE);
}

template <class Interface>
void PlayerControl<Interface>::DrawView(HDC dc, const RECT& bounds) {
    const COLORREF background = BackgroundColorRef();
    const COLORREF ink = ContrastOf(background);
    HBRUSH fill = CreateSolidBrush(background);
    FillRect(dc, &bounds, fill);
    DeleteObject(fill);

    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    const std::optional<StagePixels> stage = ShownStage();
    const BoxRect movie = MovieRect(width, height, stage, Fit());
    RECT frame{bounds.left + movie.left, bounds.top + movie.top, bounds.left + movie.right, bounds.top + movie.bottom};
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
    if (problem_.empty() && DrawMoviePicture(dc, frame)) {
        RestoreDC(dc, saved);
        return;
    }
    HBRUSH frameBrush = CreateSolidBrush(ink);
    FrameRect(dc, &frame, frameBrush);
    DeleteObject(frameBrush);

    std::wstring text;
    for (const std::wstring& line : PosterLines(path_, stage, problem_)) text += (text.empty() ? L"" : L"\n") + line;
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ink);
    RECT textRect = frame;
    InflateRect(&textRect, -4, -4);
    RECT measured = textRect;
    DrawTextW(dc, text.c_str(), -1, &measured, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    const int textHeight = measured.bottom - measured.top;
    textRect.top += ((textRect.bottom - textRect.top) - textHeight) / 2;
    DrawTextW(dc, text.c_str(), -1, &textRect, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    RestoreDC(dc, saved);
}

template <class Interface>
LRESULT PlayerControl<Interface>::WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND: return 1;  // the poster covers every pixel
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(Window(), &paint);
            RECT client;
            GetClientRect(Window(), &client);
            // Drawn off screen first: a page change repaints many players and must not flicker.
            HDC memory = CreateCompatibleDC(dc);
            HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
            HGDIOBJ old = SelectObject(memory, bitmap);
            DrawView(memory, client);
            BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
            SelectObject(memory, old);
            DeleteObject(bitmap);
            DeleteDC(memory);
            EndPaint(Window(), &paint);
            return 0;
        }
        case WM_PRINTCLIENT: {
            // A page printed or previewed with the player on it.
            RECT client;
            GetClientRect(Window(), &client);
            DrawView(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        case WM_SIZE: Redraw(); break;
        // The poster plays nothing: a click goes through to the window the player sits in, where
        // the host selects what the player shows.
        case WM_NCHITTEST: return HTTRANSPARENT;
        default: break;
    }
    return zvcom::OleControl::WindowMessage(msg, wParam, lParam);
}

template class PlayerControl<IFlashPlayer>;
template class PlayerControl<IShockwavePlayer>;
template class PlayerControl<IMediaPlayer>;

}  // namespace players
