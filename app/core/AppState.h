#pragma once
// The program's process-wide state: the one open module, the page state machine and the working
// values that every part of the program reads and writes by name.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/assessment/Assessment.h"
#include "app/core/LinkedList.h"

struct AppState {
    // Module identity.
    std::wstring ModulePath;   // folder of the open module, no trailing separator
    std::wstring ModuleCode;   // six-digit module code, also the folder's name; line 1 of Map.txt
    std::wstring ModuleName;   // free-text module name; line 2 of Map.txt

    std::int16_t PageCounter = 0;    // number of the next new page file; only grows
    std::int16_t CurrentPageNo = 0;  // 1-based number of the page in the editor

    LinkedList PageList;      // the open module's pages
    LinkedList TempPageList;  // another module's pages, browsed by the page chooser
    std::wstring TempModulePath;

    // Page state machine.
    bool IsNewPage = false;      // the editor holds a page that is not yet in the page list
    bool PageJustAdded = false;  // the last save appended or inserted a page
    std::wstring PageFileName;   // working page file name during an append, insert or save
    std::wstring CurPageType;    // "Page", "Topic" or "Test"
    std::wstring CurTopName;

    bool AppStarted = false;  // the start-up sequence has finished

    std::wstring BrowseFolderPath;
    std::wstring BrowseFolderName;

    std::int16_t MeasureUnit = 0;  // 1 = inch, 2 = centimetre

    // Movie working values.
    std::wstring MovieFileTitle;
    std::wstring MovieScaleMode;
    std::wstring PrtMovieFileTitle;
    bool IsVideoMovie = false;
    bool MovieDeletePending = false;
    // The titles of the placeholders Delete Movie took off pages since the last store: the files
    // the next store may delete, once no page names them.
    std::vector<std::wstring> DeletedMovieTitles;

    std::array<std::wstring, 101> WindowList;  // module folders in the editor's Window menu
    std::int16_t WindowCount = 0;

    bool SpellCheckCancelled = false;  // the author cancelled the last whole-page spelling check

    bool AutoLinkPending = false;
    std::int32_t AutoLinkStart = 0;

    AssCreatorGlobals AssCreatorControls;  // the assessment of the Test page being edited

    // How code without a window tells the author something (an OK message box in the program).
    // Empty: the message is dropped.
    std::function<void(const std::wstring& prompt)> ShowMessage;
};

// The one instance of the process.
AppState& App();

// Puts every field back to its initial value (tests).
void ResetAppState();

// Shows a message to the author through App().ShowMessage.
void TellAuthor(const std::wstring& prompt);
