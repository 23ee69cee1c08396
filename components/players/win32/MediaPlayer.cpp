#include "components/players/win32/MediaPlayer.h"

#include "components/players/win32/FirstFrames.h"

namespace players {

MediaPlayer::MediaPlayer()
    : PlayerControl(CLSID_MediaPlayer, IID_IMediaPlayer, DIID_IMediaPlayerEvents, L"MediaPlayer") {}

HRESULT MediaPlayer::get_FileName(BSTR* FileName) { return zvcom::OutText(FileName, MoviePath()); }

HRESULT MediaPlayer::put_FileName(BSTR FileName) {
    return Member([&] {
        SetMovie(std::wstring(FileName ? FileName : L"", SysStringLen(FileName)));
        RequestFirstFrame(MoviePath(), Window());
        SizeToMovie();
    });
}

HRESULT MediaPlayer::get_AutoStart(VARIANT_BOOL* AutoStart) { return zvcom::Out(AutoStart, zvcom::OleBool(autoStart_)); }

HRESULT MediaPlayer::put_AutoStart(VARIANT_BOOL AutoStart) {
    autoStart_ = AutoStart != VARIANT_FALSE;
    PropertyChanged(L"AutoStart");
    return S_OK;
}

HRESULT MediaPlayer::get_DisplaySize(LONG* DisplaySize) { return zvcom::Out(DisplaySize, displaySize_); }

HRESULT MediaPlayer::put_DisplaySize(LONG DisplaySize) {
    displaySize_ = DisplaySize;
    PropertyChanged(L"DisplaySize");
    Redraw();
    return S_OK;
}

HRESULT MediaPlayer::get_AutoSize(VARIANT_BOOL* AutoSize) { return zvcom::Out(AutoSize, zvcom::OleBool(autoSize_)); }

HRESULT MediaPlayer::put_AutoSize(VARIANT_BOOL AutoSize) {
    autoSize_ = AutoSize != VARIANT_FALSE;
    PropertyChanged(L"AutoSize");
    SizeToMovie();
    return S_OK;
}

HRESULT MediaPlayer::get_ShowControls(VARIANT_BOOL* ShowControls) {
    return zvcom::Out(ShowControls, zvcom::OleBool(showControls_));
}

HRESULT MediaPlayer::put_ShowControls(VARIANT_BOOL ShowControls) {
    showControls_ = ShowControls != VARIANT_FALSE;
    PropertyChanged(L"ShowControls");
    Redraw();
    return S_OK;
}

std::optional<StagePixels> MediaPlayer::ShownStage() const {
    if (const auto frame = DecodedFirstFrame(MoviePath())) return StagePixels{frame->width, frame->height};
    return Stage();
}

bool MediaPlayer::DrawMoviePicture(HDC dc, const RECT& movie) {
    const auto frame = DecodedFirstFrame(MoviePath());
    if (!frame) {
        // A window made after the file was given has not been told yet.
        RequestFirstFrame(MoviePath(), Window());
        return false;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = frame->width;
    info.bmiHeader.biHeight = -frame->height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const int mode = SetStretchBltMode(dc, HALFTONE);
    StretchDIBits(dc, movie.left, movie.top, movie.right - movie.left, movie.bottom - movie.top, 0, 0, frame->width,
                  frame->height, frame->pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    SetStretchBltMode(dc, mode);
    return true;
}

LRESULT MediaPlayer::WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kMsgFirstFrameDone) {
        SizeToMovie();
        Redraw();
        return 0;
    }
    return PlayerControl::WindowMessage(msg, wParam, lParam);
}

void MediaPlayer::SizeToMovie() {
    const std::optional<StagePixels> stage = ShownStage();
    if (autoSize_ && stage && Window()) RequestSize(stage->width, stage->height);
}

void MediaPlayer::ReadProperties(zvcom::PropertyReader& reader) {
    autoStart_ = reader.ReadBool(L"AutoStart", autoStart_);
    displaySize_ = reader.ReadLong(L"DisplaySize", displaySize_);
    autoSize_ = reader.ReadBool(L"AutoSize", autoSize_);
    showControls_ = reader.ReadBool(L"ShowControls", showControls_);
    const std::wstring file = ReadText(reader, L"FileName", L"");
    if (!file.empty()) {
        SetMovie(file);
        RequestFirstFrame(MoviePath(), Window());
    }
}

void MediaPlayer::WriteProperties(zvcom::PropertyWriter& writer) {
    WriteText(writer, L"FileName", MoviePath());
    writer.WriteBool(L"AutoStart", autoStart_);
    writer.WriteLong(L"DisplaySize", displaySize_);
    writer.WriteBool(L"AutoSize", autoSize_);
    writer.WriteBool(L"ShowControls", showControls_);
}

}  // namespace players
