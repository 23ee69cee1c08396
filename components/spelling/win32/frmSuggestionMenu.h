#pragma once
// The checker's own popup for a misspelt word of a range check (when the host does not show one):
// the suggestions, Ignore All and Add to Dictionary. A form that is never shown owns the menu.

#include <string>
#include <vector>

#include "ui/Form.h"
#include "ui/Menu.h"

namespace sp {

class frmSuggestionMenu : public ui::Form {
public:
    enum Choice { kNone, kSuggestion, kIgnoreAll, kAdd };

    ui::MenuItem mnuSpelling{this, L"mnuSpelling", L"Spelling"};
    ui::MenuArray mnuSuggestion{mnuSpelling, L"mnuSuggestion"};
    ui::MenuItem mnuNoSuggestions{mnuSpelling, L"mnuNoSuggestions", L"(no suggestions)"};
    ui::MenuItem mnuSeparator{mnuSpelling, L"mnuSeparator", L"-"};
    ui::MenuItem mnuIgnoreAll{mnuSpelling, L"mnuIgnoreAll", L"Ignore All"};
    ui::MenuItem mnuAdd{mnuSpelling, L"mnuAdd", L"Add to Dictionary"};

    frmSuggestionMenu();
    // Pops the menu up at a screen point (pixels); the choice and, for a suggestion, its text.
    Choice Choose(const std::vector<std::wstring>& suggestions, HWND owner, POINT screen, std::wstring& suggestion);

private:
    Choice choice_ = kNone;
    int chosenIndex_ = -1;
};

}  // namespace sp
