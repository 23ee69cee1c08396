#pragma once
// A refused entry: the author is told what is wrong with it, the dialog stays open and the focus goes
// back to the box with its text selected, ready to be typed over.

#include <string>

namespace ui {
class Control;
class Form;
}  // namespace ui

void RefuseEntry(ui::Form& dialog, const std::wstring& message, ui::Control& box);
