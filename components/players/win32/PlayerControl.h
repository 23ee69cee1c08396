#pragma once
// What the three movie players share: the OLE control plumbing, their dual interface, the movie
// file they are given and the poster they draw in its place (background, a frame where the movie
// sits, its title and size, or what is wrong with the file). Each kind adds its own members and
// says how its settings fit the movie into the box.

#include <windows.h>
#include <ocidl.h>

#include <new>
#include <optional>
#include <string>

#include "com/Automation.h"
#include "com/DualControl.h"
#include "components/players/Poster.h"
#include "components/players/win32/PlayersIdl.h"

namespace players {

template <class Interface>
class PlayerControl : public zvcom::DualControl<Interface> {
public:
    // A new player of the derived kind, answered through iid.
    template <class Derived>
    static HRESULT Create(REFIID iid, void** out) {
        if (!out) return E_POINTER;
        *out = nullptr;
        Derived* player = new (std::nothrow) Derived();
        if (!player) return E_OUTOFMEMORY;
        const HRESULT hr = player->QueryInterface(iid, out);
        player->Release();
        return hr;
    }

protected:
    using zvcom::DualInterface<Interface>::Member;
    using zvcom::OleControl::PropertyChanged;
    using zvcom::OleControl::Window;
    using zvcom::OleControl::RequestSize;
    using zvcom::OleControl::RaiseEvent;

    PlayerControl(const CLSID& clsid, const IID& iid, const IID& eventsIid, const wchar_t* source);
    ~PlayerControl() override = default;

    void DrawView(HDC dc, const RECT& bounds) override;
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // What each kind decides.
    virtual PosterFit Fit() const = 0;
    virtual COLORREF BackgroundColorRef() const { return GetSysColor(COLOR_BTNFACE); }
    // The movie's size in pixels from its file, when this kind can read it; throws zv::Error when
    // the file is not a movie of this kind.
    virtual std::optional<StagePixels> ReadStage(const std::wstring&) { return std::nullopt; }

    // Draws the movie's own picture into its rectangle instead of the poster's frame and text;
    // false when this kind has none to show.
    virtual bool DrawMoviePicture(HDC, const RECT&) { return false; }

    // Takes a new movie path: checks the file, reads its size and shows the new poster. Never
    // throws: a missing or unreadable file is told on the poster.
    void SetMovie(std::wstring path);
    const std::wstring& MoviePath() const { return path_; }
    std::optional<StagePixels> Stage() const { return stage_; }
    // The size the movie is shown at: its file's, or one learnt later (a decoded picture).
    virtual std::optional<StagePixels> ShownStage() const { return stage_; }
    // The poster drawn again after a setting changed.
    void Redraw();

    static HRESULT PutText(std::wstring& field, BSTR value);

private:
    std::wstring path_;
    std::optional<StagePixels> stage_;
    std::wstring problem_;
};

// A colour as the control's members take it (an OLE colour, system colours included) in RGB.
COLORREF TranslatedColor(int32_t oleColor);

// A text property read from a property bag or stream (the default when missing).
std::wstring ReadText(zvcom::PropertyReader& reader, const wchar_t* name, const std::wstring& defaultValue);
void WriteText(zvcom::PropertyWriter& writer, const wchar_t* name, const std::wstring& value);

}  // namespace players
