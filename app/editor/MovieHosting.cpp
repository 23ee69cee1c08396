#include "app/editor/MovieHosting.h"

#include <cmath>

#include "app/core/MoviePlaceholder.h"
#include "ui/Application.h"

namespace {

// The Flash player's command event.
constexpr DISPID kFlashCommand = 1;

}  // namespace

ui::PictureBox& AddMovieContainer(ui::Form& form, const std::wstring& name, HWND textWindow, long width, long height) {
    ui::PictureBox& box = form.AddControl<ui::PictureBox>(name);
    box.SetBorderStyle(0);
    if (box.hWnd() && textWindow) SetParent(box.hWnd(), textWindow);
    box.Move(0, 0, width, height);
    return box;
}

void RemoveMovieContainer(ui::Form& form, ui::PictureBox*& container) {
    if (!container) return;
    container->Resize = nullptr;
    container->KeyDown = nullptr;
    container->Click = nullptr;
    form.RemoveControl(container->Name());
    container = nullptr;
}

ui::ActiveXControl* AddMoviePlayer(ui::Form& form, ui::PictureBox& container, const std::wstring& name,
                                   const std::wstring& progId, long left, long top, long width, long height) {
    if (progId.empty()) return nullptr;
    ui::ActiveXControl& player = form.AddControl<ui::ActiveXControl>(name, &container);
    // Added to a loaded form, the control was made before it knew its class: make it again.
    player.DestroyWindowNow();
    player.SetClassName(progId);
    player.SetVisible(false);
    player.CreateWindowNow();
    if (!player.Object()) {
        form.RemoveControl(name);
        return nullptr;
    }
    player.Move(left, top, std::max(0L, width), std::max(0L, height));
    return &player;
}

void RemoveMoviePlayer(ui::Form& form, ui::ActiveXControl*& player) {
    if (!player) return;
    player->ControlEvent = nullptr;
    form.RemoveControl(player->Name());
    player = nullptr;
}

void PutMember(ui::ActiveXControl& player, const wchar_t* member, ui::OleVariant value) {
    player.InvokeByName(member, DISPATCH_PROPERTYPUT, {std::move(value)});
}

void OnFlashCommand(ui::ActiveXControl& player,
                    std::function<void(const std::wstring& command, const std::wstring& args)> handler) {
    player.ControlEvent = [handler = std::move(handler)](DISPID id, DISPPARAMS& params) {
        if (id != kFlashCommand || params.cArgs < 2) return;
        // Arguments arrive last first.
        handler(ui::OleVariant(params.rgvarg[1]).AsText(), ui::OleVariant(params.rgvarg[0]).AsText());
    };
}

std::optional<std::pair<long, long>> SizeCommandExtent(const std::wstring& command, const std::wstring& args) {
    const std::optional<zv::PixelSize> size = zv::ParseSizeCommand(command, args);
    if (!size) return std::nullopt;
    return std::pair<long, long>{std::lround(size->width * ui::Screen().TwipsPerPixelX()),
                                 std::lround(size->height * ui::Screen().TwipsPerPixelY())};
}
