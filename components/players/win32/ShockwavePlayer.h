#pragma once
// The Shockwave kind: SRC and swStretchStyle ("stage" keeps the movie's size, "fill" stretches it).

#include <string>

#include "components/players/win32/PlayerControl.h"

namespace players {

class ShockwavePlayer final : public PlayerControl<IShockwavePlayer> {
public:
    static HRESULT CreateInstance(REFIID iid, void** out) { return Create<ShockwavePlayer>(iid, out); }
    ShockwavePlayer();

    HRESULT STDMETHODCALLTYPE get_SRC(BSTR* SRC) override;
    HRESULT STDMETHODCALLTYPE put_SRC(BSTR SRC) override;
    HRESULT STDMETHODCALLTYPE get_swStretchStyle(BSTR* swStretchStyle) override;
    HRESULT STDMETHODCALLTYPE put_swStretchStyle(BSTR swStretchStyle) override;

private:
    PosterFit Fit() const override { return ShockwaveFit(stretchStyle_); }
    void ReadProperties(zvcom::PropertyReader& reader) override;
    void WriteProperties(zvcom::PropertyWriter& writer) override;

    std::wstring stretchStyle_ = L"fill";
};

}  // namespace players
