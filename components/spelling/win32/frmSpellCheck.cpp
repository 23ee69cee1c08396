#include "components/spelling/win32/frmSpellCheck.h"

#include <algorithm>

#include "base/Error.h"
#include "components/spelling/CheckSession.h"
#include "components/spelling/SpellChecker.h"
#include "components/spelling/win32/EditTarget.h"
#include "ui/Application.h"
#include "ui/MsgBox.h"

namespace sp {

frmSpellCheck::frmSpellCheck() {
    SetCaption(L"Spelling");
    SetBorderStyle(3);
    SetStartUpPosition(0);
    SetShowInTaskbar(false);
    SetClientSize(6600, 3900);

    lblNotInDictionary.SetCaption(L"Not in Dictionary:");
    lblNotInDictionary.Move(120, 150, 1500, 255);
    lblWord.Move(1620, 150, 3420, 255);
    lblWord.SetFont({L"", 0, true});
    lblWord.SetUseMnemonic(false);
    txtSentence.SetMultiLine(true);
    txtSentence.SetLocked(true);
    txtSentence.SetTabStop(false);
    txtSentence.Move(120, 450, 4920, 735);
    lblChangeTo.SetCaption(L"C&hange To:");
    lblChangeTo.Move(120, 1305, 1500, 255);
    txtChangeTo.Move(120, 1560, 4920, 315);
    lblSuggestions.SetCaption(L"&Suggestions:");
    lblSuggestions.Move(120, 1980, 1500, 255);
    lstSuggestions.Move(120, 2235, 4920, 1545);

    struct {
        ui::CommandButton& button;
        const wchar_t* caption;
        long top;
    } buttons[] = {{cmdIgnore, L"&Ignore", 450},   {cmdIgnoreAll, L"I&gnore All", 900}, {cmdChange, L"&Change", 1560},
                   {cmdChangeAll, L"Change A&ll", 2010}, {cmdAdd, L"&Add", 2670},   {cmdCancel, L"Cancel", 3405}};
    for (auto& b : buttons) {
        b.button.SetCaption(b.caption);
        b.button.Move(5220, b.top, 1260, 375);
    }
    cmdCancel.SetCancel(true);

    lstSuggestions.Click = [this] {
        if (lstSuggestions.ListIndex() >= 0) txtChangeTo.SetText(lstSuggestions.Text());
    };
    lstSuggestions.DblClick = [this] {
        if (lstSuggestions.ListIndex() >= 0) cmdChange.PerformClick();
    };
    cmdIgnore.Click = [this] {
        session_->Ignore();
        Advance();
    };
    cmdIgnoreAll.Click = [this] {
        session_->IgnoreAll();
        Advance();
    };
    cmdChange.Click = [this] {
        session_->Change(txtChangeTo.Text());
        Advance();
    };
    cmdChangeAll.Click = [this] {
        session_->ChangeAll(txtChangeTo.Text());
        Advance();
    };
    cmdAdd.Click = [this] {
        try {
            session_->Add();
        } catch (const zv::Error& e) {
            ui::MsgBox(e.Description(), ui::vbExclamation);
        }
        Advance();
    };
    cmdCancel.Click = [this] { Finish(true); };
}

bool frmSpellCheck::Run(CheckSession& session, EditTarget& target, const SpellChecker& checker, int maxSuggestions) {
    session_ = &session;
    target_ = &target;
    checker_ = &checker;
    maxSuggestions_ = maxSuggestions;
    cancelled_ = true;
    Load();
    ShowCurrent();
    Show(ui::vbModal);
    session_ = nullptr;
    target_ = nullptr;
    checker_ = nullptr;
    return !cancelled_;
}

void frmSpellCheck::ShowCurrent() {
    const std::wstring& word = session_->Word();
    lblWord.SetCaption(word);
    std::size_t at = 0;
    const std::wstring sentence = session_->Sentence(at);
    txtSentence.SetText(sentence);
    txtSentence.SetSelStart(static_cast<long>(at));
    txtSentence.SetSelLength(static_cast<long>(word.size()));
    lstSuggestions.Clear();
    for (const auto& s : checker_->Suggest(word, static_cast<std::size_t>(maxSuggestions_))) lstSuggestions.AddItem(s);
    const bool any = lstSuggestions.ListCount() > 0;
    if (any) lstSuggestions.SetListIndex(0);
    txtChangeTo.SetText(any ? lstSuggestions.List(0) : word);
    (any ? cmdChange : cmdIgnore).SetDefault(true);
    // The word is selected and in view in its window, and the dialog keeps clear of it.
    target_->Select(session_->Current().start, session_->Current().length);
    target_->ScrollIntoView();
    KeepClearOfWord();
}

void frmSpellCheck::KeepClearOfWord() {
    RECT word;
    if (!hWnd() || !target_->ScreenRect(session_->Current().start, session_->Current().length, word)) return;
    RECT dialog, area;
    GetWindowRect(hWnd(), &dialog);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const int w = dialog.right - dialog.left, h = dialog.bottom - dialog.top;
    const int gap = 12;
    RECT grown{word.left - gap, word.top - gap, word.right + gap, word.bottom + gap}, overlap;
    const bool placed = IsWindowVisible(hWnd());
    if (placed && !IntersectRect(&overlap, &dialog, &grown)) return;
    // Below the word where it fits, else above it; across, over the word's window.
    RECT owner;
    GetWindowRect(GetAncestor(target_->Window(), GA_ROOT), &owner);
    int x = owner.left + (owner.right - owner.left - w) / 2;
    int y = word.bottom + gap;
    if (y + h > area.bottom) y = word.top - gap - h;
    if (y < area.top) {
        // Neither fits: beside the word.
        y = std::max<int>(area.top, std::min<int>(word.top, area.bottom - h));
        x = word.right + gap + w <= area.right ? word.right + gap : word.left - gap - w;
    }
    x = std::max<int>(area.left, std::min<int>(x, area.right - w));
    Move(static_cast<long>(x * ui::Screen().TwipsPerPixelX()), static_cast<long>(y * ui::Screen().TwipsPerPixelY()));
}

void frmSpellCheck::Advance() {
    if (!session_) return;
    if (session_->Next()) {
        ShowCurrent();
        txtChangeTo.SetFocus();
    } else {
        Finish(false);
    }
}

void frmSpellCheck::Finish(bool cancelled) {
    cancelled_ = cancelled;
    session_ = nullptr;
    // Hidden, not unloaded: the next check shows it without making its windows again.
    Hide();
}

void frmSpellCheck::Form_QueryUnload(int& Cancel, int UnloadMode) {
    // The close box cancels the check as the Cancel button does.
    if (UnloadMode != ui::vbFormCode) session_ = nullptr;
}

}  // namespace sp
