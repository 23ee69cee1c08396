#include "app/assessment/PlayerPreview.h"

#include "base/Error.h"
#include "base/Paths.h"

void PreviewWalk::Open(const PreviewModule& module, const std::wstring& mapName) {
    holder_.RemoveMovies();
    module_ = module;
    list_.InitLinedList();
    std::int16_t counter = 1;
    try {
        list_.LoadExistingList(zv::JoinPath(module_.folder, mapName), counter, module_.code, module_.name,
                               module_.folder);
    } catch (const zv::Error&) {
        // The preview shows what it can and never asks: an unreadable list is an empty module.
        list_.InitLinedList();
        holder_.ClearPage();
        return;
    }
    try {
        PageWalk walk(module_.folder, list_, holder_);
        if (walk.LoadCurrent().empty()) holder_.ClearPage();
    } catch (const zv::Error&) {
        holder_.ClearPage();
    }
}

bool PreviewWalk::Step(bool forward) {
    const std::wstring name = forward ? list_.GetNextPageName() : list_.GetPrevPageName();
    if (name.empty()) return false;
    PageWalk walk(module_.folder, list_, holder_);
    try {
        return !(forward ? walk.Next() : walk.Previous()).empty();
    } catch (const zv::Error&) {
        // A page that cannot be read is shown empty, and the walk stands on it so the next step
        // goes past it.
        holder_.ClearPage();
        if (forward) list_.NextPage();
        else list_.PreviousPage();
        return true;
    }
}

bool PreviewWalk::Next() { return Step(true); }
bool PreviewWalk::Previous() { return Step(false); }

TwipsBox ScaleToScreen(ScaledControl kind, const TwipsBox& box, double perPixelX, double perPixelY) {
    if (kind == ScaledControl::kSizeless) return box;
    TwipsBox out = box;
    out.width = box.width / 15 * perPixelX;
    out.left = box.left / 15 * perPixelX;
    if (kind == ScaledControl::kComboBox) {
        out.top = box.top / 15 * perPixelY;
    } else if (kind == ScaledControl::kLabel && perPixelY != 15) {
        out.height = (box.height / 15 + 5) * perPixelY;
        out.top = (box.top / 15 - 3) * perPixelY;
    } else {
        out.height = box.height / 15 * perPixelY;
        out.top = box.top / 15 * perPixelY;
    }
    return out;
}
