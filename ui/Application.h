#pragma once
// The process-wide objects of the runtime: the application (title, folder), the screen (twips per
// pixel, mouse pointer, active form), DoEvents and the clipboard.

#include <windows.h>

#include <string>

namespace ui {

class Form;
class Control;

class AppObject {
public:
    // The title message boxes use when they are given none. Defaults to the program's file name
    // without its extension.
    const std::wstring& Title() const;
    void SetTitle(std::wstring title) { title_ = std::move(title); }
    std::wstring Path() const;     // the program's folder, without a trailing separator
    std::wstring EXEName() const;  // the program's file name without its extension
    HINSTANCE hInstance() const;

private:
    mutable std::wstring title_;
};
AppObject& App();

class ScreenObject {
public:
    double TwipsPerPixelX() const;
    double TwipsPerPixelY() const;
    long Width() const;   // twips
    long Height() const;  // twips
    int MousePointer() const;
    void SetMousePointer(int pointer);  // vbDefault 0, vbArrow 1, vbHourglass 11 ...
    // The active form; when the MDI frame is active, its active child (or the frame without one).
    Form* ActiveForm() const;
    Control* ActiveControl() const;
};
ScreenObject& Screen();

// Lets pending window messages run; returns the number of loaded forms.
int DoEvents();

class ClipboardObject {
public:
    void Clear();
    void SetText(const std::wstring& text);
    std::wstring GetText() const;
    bool HasText() const;
    // An owned copy of the bitmap goes to the clipboard.
    void SetBitmap(HBITMAP bitmap);
    bool HasBitmap() const;
};
ClipboardObject& Clipboard();

// Runs the message loop until no form is loaded (or the program posts quit).
void Run();

// Ends the program at once: every form's windows go without QueryUnload or Unload events, every
// message loop (modal ones too) returns, and Run() returns. The form objects themselves stay, since
// the caller is usually one of their handlers.
void End();

}  // namespace ui
