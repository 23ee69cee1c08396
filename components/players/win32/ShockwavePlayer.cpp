#include "components/players/win32/ShockwavePlayer.h"

namespace players {

ShockwavePlayer::ShockwavePlayer()
    : PlayerControl(CLSID_ShockwavePlayer, IID_IShockwavePlayer, DIID_IShockwavePlayerEvents, L"ShockwavePlayer") {}

HRESULT ShockwavePlayer::get_SRC(BSTR* SRC) { return zvcom::OutText(SRC, MoviePath()); }

HRESULT ShockwavePlayer::put_SRC(BSTR SRC) {
    return Member([&] { SetMovie(std::wstring(SRC ? SRC : L"", SysStringLen(SRC))); });
}

HRESULT ShockwavePlayer::get_swStretchStyle(BSTR* swStretchStyle) { return zvcom::OutText(swStretchStyle, stretchStyle_); }

HRESULT ShockwavePlayer::put_swStretchStyle(BSTR swStretchStyle) {
    PutText(stretchStyle_, swStretchStyle);
    PropertyChanged(L"swStretchStyle");
    Redraw();
    return S_OK;
}

void ShockwavePlayer::ReadProperties(zvcom::PropertyReader& reader) {
    stretchStyle_ = ReadText(reader, L"swStretchStyle", stretchStyle_);
    const std::wstring source = ReadText(reader, L"SRC", L"");
    if (!source.empty()) SetMovie(source);
}

void ShockwavePlayer::WriteProperties(zvcom::PropertyWriter& writer) {
    WriteText(writer, L"SRC", MoviePath());
    WriteText(writer, L"swStretchStyle", stretchStyle_);
}

}  // namespace players
