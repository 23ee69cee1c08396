#include "components/spelling/win32/tests/SpellHost.h"

#include <random>

#include "components/spelling/SharedDictionaries.h"
#include "components/spelling/Unicode.h"

namespace sp::test {

frmSpellHost::frmSpellHost() {
    SetCaption(L"Spelling host");
    SetClientSize(9000, 5000);
    Text1.SetMultiLine(true);
    Text1.SetScrollBars(2);
    Text1.Move(120, 120, 8760, 4760);
    VSSpell1.SetEvents(this);
    VSSpell2.SetEvents(this);
    VSThesaurus1.SetEvents(this);
}

frmSpellHost::~frmSpellHost() {
    VSSpell1.SetEvents(nullptr);
    VSSpell2.SetEvents(nullptr);
    VSThesaurus1.SetEvents(nullptr);
}

void frmSpellHost::CheckDone(VSSpell&, bool cancelled) { events.push_back({cancelled ? L"cancelled" : L"done"}); }
void frmSpellHost::RangeCheckStarted(VSSpell&) { events.push_back({L"started"}); }
void frmSpellHost::BadWord(VSSpell&, long start, long length) {
    events.push_back({L"bad", start, length, Text1.Text().substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length))});
    if (onBadWord) onBadWord(start, length);
}
void frmSpellHost::WordChosen(VSThesaurus&, const std::wstring& word) { events.push_back({L"chosen", 0, 0, word}); }

void SpellControlTest::SetUp() {
    UiTest::SetUp();
    SharedDictionaries::Reset();
    folder_ = std::filesystem::temp_directory_path() / ("zv-spellwin-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder_);
    const std::filesystem::path made = Utf8ToWide(ZV_DICTIONARY_DIR);
    mainDictionary_ = (made / L"VSSP_AE.DCT").wstring();
    thesaurus_ = (made / L"VSTH_AE.THE").wstring();
    userDictionary_ = (folder_ / L"Custom.dct").wstring();
}

void SpellControlTest::TearDown() {
    UiTest::TearDown();
    host_ = nullptr;
    SharedDictionaries::Reset();
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
}

frmSpellHost& SpellControlTest::Open(const std::wstring& text) {
    host_ = &ui::Forms::Get<frmSpellHost>();
    for (VSSpell* s : {&host_->VSSpell1, &host_->VSSpell2}) {
        s->SetMainDictionary(mainDictionary_);
        s->SetUserDictionary(userDictionary_);
    }
    host_->VSThesaurus1.SetThesaurusFile(thesaurus_);
    host_->Show();
    host_->Text1.SetText(text);
    host_->VSSpell1.SetAutoLinkHwnd(host_->Text1.hWnd());
    host_->VSSpell2.SetAutoLinkHwnd(host_->Text1.hWnd());
    return *host_;
}

}  // namespace sp::test
