#pragma once
// The player preview apart from its window: the walk over a module's pages with a page list of its
// own, the line that names the page shown, and the rescaling of a window laid out for 15 twips per
// pixel to the screen it shows on.

#include <cstdint>
#include <string>

#include "app/core/LinkedList.h"
#include "app/core/PageWalk.h"

// The module a preview walks, as it was when the preview opened it: another module opened in the
// editor later does not change what the preview shows.
struct PreviewModule {
    std::wstring folder;
    std::wstring code;
    std::wstring name;
};

// The preview's text control as the walk sees it.
class PreviewPage : public PageHolder {
public:
    // A page that cannot be read is shown as an empty page.
    virtual void ClearPage() = 0;
    void StorePage(const std::wstring&) override {}  // the preview never writes a page
};

class PreviewWalk {
public:
    explicit PreviewWalk(PreviewPage& holder) : holder_(holder) {}
    PreviewWalk(const PreviewWalk&) = delete;
    PreviewWalk& operator=(const PreviewWalk&) = delete;

    // Reads the list file `mapName` of the module's folder into the preview's own list (the code and
    // name come from its header) and loads its first page. No message: a list or page that cannot
    // be read leaves the holder empty (and, for the list, the walk without pages).
    void Open(const PreviewModule& module, const std::wstring& mapName);
    // The page after the one shown, with its movie's players gone first; false and nothing at all
    // changes on the last page (its movie keeps playing).
    bool Next();
    // The page before the one shown; false and nothing changes on the first page.
    bool Previous();

    const PreviewModule& Module() const { return module_; }
    std::wstring CurrentPageName() const { return list_.GetCurrentPageName(); }
    std::wstring CurrentTopic() const { return list_.GetCurrentPageTopName(); }
    // The topic line: the page's topic, " : ", the module's name.
    std::wstring Caption() const { return CurrentTopic() + L" : " + module_.name; }

private:
    bool Step(bool forward);

    PreviewPage& holder_;
    LinkedList list_;
    PreviewModule module_;
};

// ---- rescaling a window laid out at 15 twips per pixel ----

enum class ScaledControl {
    kWindow,    // the window itself
    kPlain,     // any control with a size
    kLabel,     // labels get room for larger fonts on other screens
    kComboBox,  // its height follows its font and cannot be set
    kSizeless,  // common dialogs, timers, system information: nothing to scale
};

struct TwipsBox {
    double left = 0, top = 0, width = 0, height = 0;
    bool operator==(const TwipsBox&) const = default;
};

// The box on a screen of `perPixelX` by `perPixelY` twips per pixel.
TwipsBox ScaleToScreen(ScaledControl kind, const TwipsBox& box, double perPixelX, double perPixelY);
