// Fuzz target: the spelling dictionary's reader. Whatever the bytes, reading fails with zv::Error
// or gives a dictionary whose look-ups and suggestions stay inside its bytes.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "base/Error.h"
#include "components/spelling/SpellChecker.h"
#include "components/spelling/SpellDictionary.h"
#include "components/spelling/fuzz/FuzzSealing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::shared_ptr<const sp::SpellDictionary> d;
    try {
        d = std::make_shared<sp::SpellDictionary>(SealedInput(data, size), L"d");
    } catch (const zv::Error&) {
        return 0;
    }
    sp::SpellChecker checker(d, nullptr);
    for (const wchar_t* w : {L"the", L"The", L"THE", L"cat's", L"dogs'", L"Atat\xFCrk"}) checker.IsCorrect(w);
    checker.Suggest(L"teh", 8);
    checker.Suggest(L"naive", 8);
    for (std::uint32_t w = 0; w < d->WordCount() && w < 64; ++w) {
        d->ForEachSpelling(d->Folded(w), [](std::uint32_t) {});
        d->Text(w);
    }
    return 0;
}
