#include "components/players/win32/MediaPlayer.h"

namespace players {

MediaPlayer::MediaPlayer()
    : PlayerControl(CLSID_MediaPlayer, IID_IMediaPlayer, DIID_IMediaPlayerEvents, L"MediaPlayer") {}

HRESULT MediaPlayer::get_FileName(BSTR* FileName) { return zvcom::OutText(FileName, MoviePath()); }

HRESULT MediaPlayer::put_FileName(BSTR FileName) {
    return Member([&] {
        SetMovie(std::wstring(FileName ? FileName : L"", SysStringLen(FileName)));
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

void MediaPlayer::SizeToMovie() {
    if (autoSize_ && Stage() && Window()) RequestSize(Stage()->width, Stage()->height);
}

void MediaPlayer::ReadProperties(zvcom::PropertyReader& reader) {
    autoStart_ = reader.ReadBool(L"AutoStart", autoStart_);
    displaySize_ = reader.ReadLong(L"DisplaySize", displaySize_);
    autoSize_ = reader.ReadBool(L"AutoSize", autoSize_);
    showControls_ = reader.ReadBool(L"ShowControls", showControls_);
    const std::wstring file = ReadText(reader, L"FileName", L"");
    if (!file.empty()) SetMovie(file);
}

void MediaPlayer::WriteProperties(zvcom::PropertyWriter& writer) {
    WriteText(writer, L"FileName", MoviePath());
    writer.WriteBool(L"AutoStart", autoStart_);
    writer.WriteLong(L"DisplaySize", displaySize_);
    writer.WriteBool(L"AutoSize", autoSize_);
    writer.WriteBool(L"ShowControls", showControls_);
}

}  // namespace players
