#pragma once
// The common dialog object: open, save, colour, font and printer dialogs with the classic
// properties. With CancelError on, a cancel raises zv::CancelError, which commands catch silently.
// Tests answer it through ui/TestHooks.h.

#include <windows.h>

#include <string>
#include <vector>

#include "ui/Handles.h"

namespace ui {

class Form;

class CommonDialog {
public:
    explicit CommonDialog(Form* owner = nullptr) : owner_(owner) {}
    CommonDialog(const CommonDialog&) = delete;
    CommonDialog& operator=(const CommonDialog&) = delete;

    std::wstring DialogTitle;
    std::wstring FileName;   // full path
    std::wstring FileTitle;  // the name part of FileName, set by the dialog
    std::wstring Filter;     // "Text (*.txt)|*.txt|All (*.*)|*.*"
    int FilterIndex = 1;
    std::wstring InitDir;
    std::wstring DefaultExt;
    long Flags = 0;
    bool CancelError = false;
    unsigned long Color = 0;
    int Copies = 1;
    int FromPage = 0, ToPage = 0, Min = 0, Max = 0;
    int Orientation = 1;  // 1 portrait, 2 landscape (printer dialog)
    std::wstring FontName;
    double FontSize = 0;
    bool FontBold = false, FontItalic = false, FontUnderline = false, FontStrikethru = false;

    void ShowOpen();
    void ShowSave();
    void ShowColor();
    void ShowFont();
    void ShowPrinter();
    // The printer device context the printer dialog returned (with cdlPDReturnDC); owned here.
    HDC hDC() const { return dc_.Get(); }

    // "a|*.a|b|*.b" as the dialog wants it (pairs separated and ended by NULs). A filter with an
    // odd number of parts is an error rather than a dialog that silently drops the last part.
    static std::wstring NativeFilter(const std::wstring& filter);

private:
    void ShowFile(bool save);
    void Cancelled();
    HWND OwnerWindow() const;
    bool AnswerFromTest(const wchar_t* kind, bool isFile);
    Form* owner_;
    OwnedDc dc_;
};

}  // namespace ui
