#pragma once
// The Flash kind: Movie, ScaleMode, BackgroundColor, and the command event. After each put of
// Movie it raises Command("size", "WxH") once, with the stage size the file's header gives, from
// the message loop: a handler that resizes the player's container must not run inside the put.

#include <deque>
#include <string>

#include "components/players/win32/PlayerControl.h"

namespace players {

class FlashPlayer final : public PlayerControl<IFlashPlayer> {
public:
    static HRESULT CreateInstance(REFIID iid, void** out) { return Create<FlashPlayer>(iid, out); }
    FlashPlayer();
    ~FlashPlayer() override;

    HRESULT STDMETHODCALLTYPE get_Movie(BSTR* Movie) override;
    HRESULT STDMETHODCALLTYPE put_Movie(BSTR Movie) override;
    HRESULT STDMETHODCALLTYPE get_ScaleMode(LONG* ScaleMode) override;
    HRESULT STDMETHODCALLTYPE put_ScaleMode(LONG ScaleMode) override;
    HRESULT STDMETHODCALLTYPE get_BackgroundColor(LONG* BackgroundColor) override;
    HRESULT STDMETHODCALLTYPE put_BackgroundColor(LONG BackgroundColor) override;

    // Delivers the oldest pending command (called from the message loop).
    void DeliverCommand();

private:
    PosterFit Fit() const override { return FlashFit(scaleMode_); }
    COLORREF BackgroundColorRef() const override { return TranslatedColor(backgroundColor_); }
    std::optional<StagePixels> ReadStage(const std::wstring& path) override;
    void ReadProperties(zvcom::PropertyReader& reader) override;
    void WriteProperties(zvcom::PropertyWriter& writer) override;

    LONG scaleMode_ = 0;
    LONG backgroundColor_ = 0xFFFFFF;
    // The arguments of the commands owed, oldest first, and the hidden window whose messages
    // deliver them; both go with the player, so a player removed first raises nothing.
    std::deque<std::wstring> pending_;
    HWND notifier_ = nullptr;
};

}  // namespace players
