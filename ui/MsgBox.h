#pragma once
// MsgBox with the classic style numbers (buttons + icon + default button) and results. An empty
// title shows the application title. Tests answer it through ui/TestHooks.h.

#include <string>

#include "ui/Constants.h"

namespace ui {

int MsgBox(const std::wstring& prompt, int buttons = vbOKOnly, const std::wstring& title = L"");

// The results a style offers (vbOK, vbCancel, ...), in button order; empty for an unknown style.
// Portable: the hooks use it to refuse an answer that the box could not give.
std::wstring MsgBoxButtonsText(int buttons);
bool MsgBoxOffers(int buttons, int result);

}  // namespace ui
