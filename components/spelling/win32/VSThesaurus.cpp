#include "components/spelling/win32/VSThesaurus.h"

#include "base/Error.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "components/spelling/DictionaryNames.h"
#include "components/spelling/SharedDictionaries.h"
#include "components/spelling/SpellChecker.h"
#include "components/spelling/SpellDictionary.h"
#include "components/spelling/Thesaurus.h"
#include "components/spelling/Unicode.h"
#include "components/spelling/WordScanner.h"
#include "components/spelling/win32/frmThesaurus.h"
#include "ui/MsgBox.h"

namespace sp {

VSThesaurus::VSThesaurus(ui::Form* form, std::wstring name) : ui::Control(form, std::move(name)) {
    MakeWindowless();
    p_.visible = false;
}

void VSThesaurus::SetWord(std::wstring text) {
    word_ = std::move(text);
    const WordSpan span = TrimToWords(word_);
    wordStart_ = static_cast<long>(span.start);
    wordLength_ = static_cast<long>(span.length);
}

bool VSThesaurus::LookUp() {
    replacement_.clear();
    std::shared_ptr<const Thesaurus> thesaurus;
    try {
        if (path_.empty()) throw zv::Error(L"The thesaurus has no file.");
        thesaurus = SharedDictionaries::Synonyms(path_);
    } catch (const zv::Error& e) {
        ui::MsgBox(e.Description(), ui::vbExclamation);
        return false;
    }
    // Endings put on a synonym are spelt as the spelling dictionary beside the thesaurus has them.
    std::shared_ptr<SpellChecker> speller;
    const std::wstring spelling = zv::JoinPath(zv::ParentFolder(path_), kSpellingDictionaryName);
    try {
        if (zv::FileExists(spelling)) speller = std::make_shared<SpellChecker>(SharedDictionaries::Spelling(spelling), nullptr);
    } catch (const zv::Error&) {
        // Without it a synonym keeps its own form.
    }
    auto isWord = [speller](const std::u32string& w) { return speller && speller->IsCorrect(U32ToWide(w)); };
    const std::wstring word = word_.substr(static_cast<std::size_t>(wordStart_), static_cast<std::size_t>(wordLength_));
    replacement_ = ui::Forms::Get<frmThesaurus>().Run(*thesaurus, word, isWord);
    if (replacement_.empty()) return false;
    if (events_) events_->WordChosen(*this, replacement_);
    return true;
}

}  // namespace sp
