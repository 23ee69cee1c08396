#pragma once
// The host of the control tests: a form with a plain EDIT window, two checkers and a thesaurus,
// recording what the controls tell it, with dictionaries in a folder of the test's own (the real
// dictionaries the build made, and a user dictionary that is never the program's).

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "components/spelling/win32/VSSpell.h"
#include "components/spelling/win32/VSThesaurus.h"
#include "ui/Form.h"
#include "ui/TextBox.h"
#include "ui/testing/UiTest.h"

namespace sp::test {

class frmSpellHost : public ui::Form, public SpellEvents, public ThesaurusEvents {
public:
    ui::TextBox Text1{this, L"Text1"};
    VSSpell VSSpell1{this, L"VSSpell1"};
    VSSpell VSSpell2{this, L"VSSpell2"};
    VSThesaurus VSThesaurus1{this, L"VSThesaurus1"};

    frmSpellHost();
    ~frmSpellHost() override;

    struct Event {
        std::wstring what;  // "done", "cancelled", "started", "bad", "chosen"
        long start = 0, length = 0;
        std::wstring word;
        bool operator==(const Event&) const = default;
    };
    std::vector<Event> events;
    // Runs inside BadWord, as the editor's handler would.
    std::function<void(long start, long length)> onBadWord;

    void CheckDone(VSSpell& sender, bool cancelled) override;
    void RangeCheckStarted(VSSpell& sender) override;
    void BadWord(VSSpell& sender, long start, long length) override;
    void WordChosen(VSThesaurus& sender, const std::wstring& word) override;
};

class SpellControlTest : public ui::testing::UiTest {
protected:
    void SetUp() override;
    void TearDown() override;
    frmSpellHost& Host() { return *host_; }
    // Loads the host with its EDIT holding `text`, the checkers on the given dictionaries.
    frmSpellHost& Open(const std::wstring& text);
    std::wstring Text() { return Host().Text1.Text(); }
    std::filesystem::path folder_;
    std::wstring mainDictionary_, userDictionary_, thesaurus_;

private:
    frmSpellHost* host_ = nullptr;
};

}  // namespace sp::test
