#include "components/spelling/win32/frmSuggestionMenu.h"

namespace sp {

frmSuggestionMenu::frmSuggestionMenu() {
    SetCaption(L"Spelling");
    mnuSpelling.SetVisible(false);
    mnuNoSuggestions.SetEnabled(false);
    mnuSuggestion.Click = [this](int index) {
        choice_ = kSuggestion;
        chosenIndex_ = index;
    };
    mnuIgnoreAll.Click = [this] { choice_ = kIgnoreAll; };
    mnuAdd.Click = [this] { choice_ = kAdd; };
}

frmSuggestionMenu::Choice frmSuggestionMenu::Choose(const std::vector<std::wstring>& suggestions, HWND owner, POINT screen,
                                                    std::wstring& suggestion) {
    if (!IsLoaded()) Load();
    const int count = static_cast<int>(suggestions.size());
    for (int i = 0; i < count; ++i) {
        auto& item = mnuSuggestion.Exists(i) ? mnuSuggestion[i] : mnuSuggestion.Load(i);
        item.SetCaption(suggestions[static_cast<std::size_t>(i)]);
        item.SetVisible(true);
    }
    for (int i = count; mnuSuggestion.Exists(i); ++i) mnuSuggestion[i].SetVisible(false);
    mnuNoSuggestions.SetVisible(count == 0);
    choice_ = kNone;
    chosenIndex_ = -1;
    mnuSpelling.ShowPopup(owner ? owner : hWnd(), screen);
    if (choice_ == kSuggestion && chosenIndex_ >= 0 && chosenIndex_ < count)
        suggestion = suggestions[static_cast<std::size_t>(chosenIndex_)];
    else if (choice_ == kSuggestion)
        choice_ = kNone;
    return choice_;
}

}  // namespace sp
