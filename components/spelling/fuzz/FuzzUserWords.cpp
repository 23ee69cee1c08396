// Fuzz target: the user dictionary's text, in any encoding. Whatever the bytes, the words read
// write back and read again as the same words.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "components/spelling/SpellChecker.h"
#include "components/spelling/UserDictionary.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const sp::UserWordList list = sp::ParseUserWords(std::string_view(reinterpret_cast<const char*>(data), size));
    const sp::UserWordList back = sp::ParseUserWords(sp::EncodeUserWords(list.words, list.encoding));
    if (back.words != list.words) std::abort();
    auto user = std::make_shared<sp::UserDictionary>();
    for (const auto& w : list.words) user->Add(w);
    sp::SpellChecker checker(nullptr, user);
    for (const auto& w : list.words) {
        if (!checker.IsCorrect(w)) std::abort();
        checker.Suggest(w, 3);
    }
    return 0;
}
