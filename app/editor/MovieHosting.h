#pragma once
// Movies inside a page, as the editor and the player preview show them: the picture box a text
// control hosts for a placeholder, the player made in it by ProgID and called by member name, the
// Flash player's command event and the container size its size command asks for.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "ui/Form.h"
#include "ui/PictureBox.h"
#include "ui/activex/ActiveXControl.h"

// The players the program creates.
inline constexpr wchar_t kFlashProgId[] = L"ShockwaveFlash.ShockwaveFlash.1";
inline constexpr wchar_t kShockwaveProgId[] = L"SWCtl.SWCtl.8.5";
inline constexpr wchar_t kMediaPlayerProgId[] = L"MediaPlayer.MediaPlayer.1";

// A borderless picture box of `form` whose window sits inside the text control's window, which
// places it where the placeholder stands and clips it to the text shown.
ui::PictureBox& AddMovieContainer(ui::Form& form, const std::wstring& name, HWND textWindow, long width, long height);
void RemoveMovieContainer(ui::Form& form, ui::PictureBox*& container);

// A player of `progId` inside `container` at the given twips, not yet shown; nullptr, with
// nothing left on the form, when no such player can be created.
ui::ActiveXControl* AddMoviePlayer(ui::Form& form, ui::PictureBox& container, const std::wstring& name,
                                   const std::wstring& progId, long left, long top, long width, long height);
// Takes the player off its form, its events first; the reference is cleared.
void RemoveMoviePlayer(ui::Form& form, ui::ActiveXControl*& player);
void PutMember(ui::ActiveXControl& player, const wchar_t* member, ui::OleVariant value);

// The Flash player's command event (command text, argument text).
void OnFlashCommand(ui::ActiveXControl& player,
                    std::function<void(const std::wstring& command, const std::wstring& args)> handler);
// The container's width and height in twips for a size command, or nothing for a command that is
// no size command of two whole pixel numbers from 1 to 4096.
std::optional<std::pair<long, long>> SizeCommandExtent(const std::wstring& command, const std::wstring& args);
