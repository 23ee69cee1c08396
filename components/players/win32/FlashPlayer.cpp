#include "components/players/win32/FlashPlayer.h"

#include "com/Module.h"
#include "ui/Boundary.h"

namespace players {

namespace {

constexpr UINT kDeliverCommand = WM_APP + 1;
constexpr DISPID kCommandEvent = 1;
const wchar_t kNotifierClass[] = L"FlashPlayerNotifier";

LRESULT CALLBACK NotifierProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kDeliverCommand) {
        if (auto* player = reinterpret_cast<FlashPlayer*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
            ui::RunAtBoundary(L"a Flash player's command event", [&] { player->DeliverCommand(); });
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

HWND MakeNotifier(FlashPlayer* player) {
    WNDCLASSEXW cls{};
    if (!GetClassInfoExW(zvcom::ModuleInstance(), kNotifierClass, &cls)) {
        cls.cbSize = sizeof cls;
        cls.lpfnWndProc = NotifierProc;
        cls.hInstance = zvcom::ModuleInstance();
        cls.lpszClassName = kNotifierClass;
        RegisterClassExW(&cls);
    }
    HWND window = CreateWindowExW(0, kNotifierClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  zvcom::ModuleInstance(), nullptr);
    if (window) SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(player));
    return window;
}

}  // namespace

FlashPlayer::FlashPlayer() : PlayerControl(CLSID_FlashPlayer, IID_IFlashPlayer, DIID_IFlashPlayerEvents, L"FlashPlayer") {}

FlashPlayer::~FlashPlayer() {
    // Destroying the window drops the messages still queued for it.
    if (notifier_) {
        SetWindowLongPtrW(notifier_, GWLP_USERDATA, 0);
        DestroyWindow(notifier_);
    }
}

std::optional<StagePixels> FlashPlayer::ReadStage(const std::wstring& path) {
    return ReadMovieHeaderFile(path).Pixels();
}

HRESULT FlashPlayer::get_Movie(BSTR* Movie) { return zvcom::OutText(Movie, MoviePath()); }

HRESULT FlashPlayer::put_Movie(BSTR Movie) {
    return Member([&] {
        SetMovie(std::wstring(Movie ? Movie : L"", SysStringLen(Movie)));
        // A stage the header does not give has no size to tell.
        if (!Stage()) return;
        if (!notifier_) notifier_ = MakeNotifier(this);
        if (!notifier_) return;
        pending_.push_back(SizeCommandArguments(*Stage()));
        if (!PostMessageW(notifier_, kDeliverCommand, 0, 0)) pending_.pop_back();
    });
}

void FlashPlayer::DeliverCommand() {
    if (pending_.empty()) return;
    zvcom::Bstr command(L"size");
    zvcom::Bstr args(pending_.front().c_str());
    pending_.pop_front();
    VARIANTARG params[2];
    params[1].vt = VT_BSTR;
    params[1].bstrVal = command.Get();
    params[0].vt = VT_BSTR;
    params[0].bstrVal = args.Get();
    RaiseEvent(kCommandEvent, params, 2);
}

HRESULT FlashPlayer::get_ScaleMode(LONG* ScaleMode) { return zvcom::Out(ScaleMode, scaleMode_); }

HRESULT FlashPlayer::put_ScaleMode(LONG ScaleMode) {
    scaleMode_ = ScaleMode;
    PropertyChanged(L"ScaleMode");
    Redraw();
    return S_OK;
}

HRESULT FlashPlayer::get_BackgroundColor(LONG* BackgroundColor) { return zvcom::Out(BackgroundColor, backgroundColor_); }

HRESULT FlashPlayer::put_BackgroundColor(LONG BackgroundColor) {
    backgroundColor_ = BackgroundColor;
    PropertyChanged(L"BackgroundColor");
    Redraw();
    return S_OK;
}

void FlashPlayer::ReadProperties(zvcom::PropertyReader& reader) {
    scaleMode_ = reader.ReadLong(L"ScaleMode", scaleMode_);
    backgroundColor_ = reader.ReadLong(L"BackgroundColor", backgroundColor_);
    const std::wstring movie = ReadText(reader, L"Movie", L"");
    if (!movie.empty()) SetMovie(movie);
}

void FlashPlayer::WriteProperties(zvcom::PropertyWriter& writer) {
    WriteText(writer, L"Movie", MoviePath());
    writer.WriteLong(L"ScaleMode", scaleMode_);
    writer.WriteLong(L"BackgroundColor", backgroundColor_);
}

}  // namespace players
