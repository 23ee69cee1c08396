// A window to try the checker and the thesaurus by hand (and to look at their windows): an edit
// box with a page of text and three buttons. Run: spelling_demo.exe [DICTIONARY-FOLDER]
#include <windows.h>

#include "components/spelling/DictionaryNames.h"
#include "components/spelling/win32/VSSpell.h"
#include "components/spelling/win32/VSThesaurus.h"
#include "base/Paths.h"
#include "ui/Application.h"
#include "ui/CommandButton.h"
#include "ui/Form.h"
#include "ui/MsgBox.h"
#include "ui/TextBox.h"

namespace {

class frmSpellingDemo : public ui::Form, public sp::SpellEvents, public sp::ThesaurusEvents {
public:
    ui::TextBox Text1{this, L"Text1"};
    ui::CommandButton cmdCheck{this, L"cmdCheck"};
    ui::CommandButton cmdRange{this, L"cmdRange"};
    ui::CommandButton cmdThesaurus{this, L"cmdThesaurus"};
    sp::VSSpell VSSpell1{this, L"VSSpell1"};
    sp::VSThesaurus VSThesaurus1{this, L"VSThesaurus1"};

    explicit frmSpellingDemo(const std::wstring& folder) {
        SetCaption(L"Spelling");
        SetClientSize(9600, 6000);
        Text1.SetMultiLine(true);
        Text1.SetScrollBars(2);
        Text1.Move(120, 120, 9360, 5160);
        Text1.SetText(
            L"Teh author opens a module and writes its first page. Spelling matters here: a page with recieve "
            L"in it looks careless, and a learner who meets such slips trusts the course a little less.\r\n\r\n"
            L"The checker reads the page word by word, skips numbers such as 2024 and addresses like "
            L"www.example.com, and stops at each word it does not know, definately.");
        cmdCheck.SetCaption(L"Spell &Check");
        cmdCheck.Move(120, 5430, 1800, 420);
        cmdRange.SetCaption(L"&Range Check");
        cmdRange.Move(2040, 5430, 1800, 420);
        cmdThesaurus.SetCaption(L"&Thesaurus");
        cmdThesaurus.Move(3960, 5430, 1800, 420);
        VSSpell1.SetMainDictionary(zv::JoinPath(folder, sp::kSpellingDictionaryName));
        VSSpell1.SetUserDictionary(zv::JoinPath(folder, L"Custom-demo.dct"));
        VSThesaurus1.SetThesaurusFile(zv::JoinPath(folder, sp::kThesaurusName));
        for (int option : {sp::option::kSkipWordsWithDigits, sp::option::kSkipAddresses, sp::option::kSkipWordsInCapitals})
            VSSpell1.SetOption(option, 1);
        VSSpell1.SetEvents(this);
        VSThesaurus1.SetEvents(this);
        cmdCheck.Click = [this] {
            VSSpell1.SetAutoLinkHwnd(Text1.hWnd());
            Text1.SetSelStart(0);
            VSSpell1.CheckText();
        };
        cmdRange.Click = [this] {
            VSSpell1.SetAutoLinkHwnd(Text1.hWnd());
            VSSpell1.SetCheckStart(0);
            VSSpell1.SetCheckLength(static_cast<long>(Text1.Text().size()));
            VSSpell1.CheckRange();
        };
        cmdThesaurus.Click = [this] {
            VSThesaurus1.SetWord(Text1.SelText());
            start_ = Text1.SelStart();
            VSThesaurus1.LookUp();
        };
    }
    ~frmSpellingDemo() override {
        VSSpell1.SetEvents(nullptr);
        VSThesaurus1.SetEvents(nullptr);
    }
    void CheckDone(sp::VSSpell& s, bool cancelled) override {
        ui::MsgBox(cancelled ? L"Cancelled." : L"Done: " + std::to_wstring(s.BadWordCount()) + L" misspelt.");
    }
    void WordChosen(sp::VSThesaurus& t, const std::wstring& word) override {
        Text1.SetSelStart(start_ + t.WordStart());
        Text1.SetSelLength(t.WordLength());
        Text1.SetSelText(word);
    }

private:
    long start_ = 0;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::wstring folder = ui::App().Path();
    if (__argc > 1) folder = __wargv[1];
    {
        frmSpellingDemo form(folder);
        form.Show();
        ui::Run();
    }
    return 0;
}
