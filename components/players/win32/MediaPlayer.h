#pragma once
// The Windows Media kind: FileName, AutoStart (it never plays here, but keeps what it is told),
// DisplaySize (0 the movie's own size, 4 fit to the box), AutoSize (the player takes the movie's
// size when it is known) and ShowControls (a bar of play controls under the picture). It shows the
// video's first picture once the platform's media stack has decoded it, the poster until then and
// where it cannot.

#include <string>

#include "components/players/win32/PlayerControl.h"

namespace players {

class MediaPlayer final : public PlayerControl<IMediaPlayer> {
public:
    static HRESULT CreateInstance(REFIID iid, void** out) { return Create<MediaPlayer>(iid, out); }
    MediaPlayer();

    HRESULT STDMETHODCALLTYPE get_FileName(BSTR* FileName) override;
    HRESULT STDMETHODCALLTYPE put_FileName(BSTR FileName) override;
    HRESULT STDMETHODCALLTYPE get_AutoStart(VARIANT_BOOL* AutoStart) override;
    HRESULT STDMETHODCALLTYPE put_AutoStart(VARIANT_BOOL AutoStart) override;
    HRESULT STDMETHODCALLTYPE get_DisplaySize(LONG* DisplaySize) override;
    HRESULT STDMETHODCALLTYPE put_DisplaySize(LONG DisplaySize) override;
    HRESULT STDMETHODCALLTYPE get_AutoSize(VARIANT_BOOL* AutoSize) override;
    HRESULT STDMETHODCALLTYPE put_AutoSize(VARIANT_BOOL AutoSize) override;
    HRESULT STDMETHODCALLTYPE get_ShowControls(VARIANT_BOOL* ShowControls) override;
    HRESULT STDMETHODCALLTYPE put_ShowControls(VARIANT_BOOL ShowControls) override;

private:
    PosterFit Fit() const override { return MediaFit(displaySize_); }
    COLORREF BackgroundColorRef() const override { return RGB(0, 0, 0); }
    void ReadProperties(zvcom::PropertyReader& reader) override;
    void WriteProperties(zvcom::PropertyWriter& writer) override;
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // The video's first picture, where the platform decodes it, in place of the poster.
    bool DrawMoviePicture(HDC dc, const RECT& movie) override;
    std::optional<StagePixels> ShownStage() const override;
    void SizeToMovie();

    bool autoStart_ = true;
    LONG displaySize_ = 0;
    bool autoSize_ = false;
    bool showControls_ = true;
};

}  // namespace players
