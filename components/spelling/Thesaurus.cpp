#include "components/spelling/Thesaurus.h"

#include <algorithm>

#include "base/Error.h"
#include "components/spelling/Unicode.h"

namespace sp {

std::wstring PartOfSpeechName(PartOfSpeech pos) {
    switch (pos) {
        case PartOfSpeech::Noun: return L"noun";
        case PartOfSpeech::Verb: return L"verb";
        case PartOfSpeech::Adjective: return L"adjective";
        case PartOfSpeech::Adverb: return L"adverb";
        case PartOfSpeech::Other: break;
    }
    return L"";
}

std::wstring NoteName(SynonymNote note) {
    switch (note) {
        case SynonymNote::GenericTerm: return L"generic term";
        case SynonymNote::SimilarTerm: return L"similar term";
        case SynonymNote::RelatedTerm: return L"related term";
        case SynonymNote::Antonym: return L"antonym";
        case SynonymNote::None: break;
    }
    return L"";
}

const FileLayout& Thesaurus::Layout() {
    static const FileLayout layout{"ZVTHESA\x1A", 1, {12, 8, 4, 8, 0}};
    return layout;
}

Thesaurus::Thesaurus(FileBytes bytes, const std::wstring& what) : image_(std::move(bytes), Layout(), what) {
    auto fail = [&](const std::wstring& why) { throw zv::Error(what + L": " + why + L"."); };
    const std::uint64_t pool = image_.Count(kPool), meanings = image_.Count(kMeanings),
                        synonyms = image_.Count(kSynonyms), texts = image_.Count(kTexts);
    std::string_view previous;
    for (std::uint32_t e = 0; e < EntryCount(); ++e) {
        const char* r = image_.Data(kEntries) + 12 * static_cast<std::size_t>(e);
        if (LoadU32(r) + static_cast<std::uint64_t>(LoadU16(r + 8)) > pool)
            fail(L"headword " + std::to_wstring(e + 1) + L" lies outside the text pool");
        if (LoadU32(r + 4) + static_cast<std::uint64_t>(LoadU16(r + 10)) > meanings)
            fail(L"headword " + std::to_wstring(e + 1) + L" names meanings that are not there");
        // Look-ups search by halves: the headwords must be in order.
        const std::string_view key = Headword(e);
        if (e > 0 && !(previous < key)) fail(L"headword " + std::to_wstring(e + 1) + L" is out of order");
        previous = key;
    }
    for (std::uint32_t m = 0; m < meanings; ++m) {
        const char* r = image_.Data(kMeanings) + 8 * static_cast<std::size_t>(m);
        if (LoadU32(r) + static_cast<std::uint64_t>(LoadU16(r + 4)) > synonyms || LoadU8(r + 6) > kLastPartOfSpeech)
            fail(L"meaning " + std::to_wstring(m + 1) + L" is damaged");
    }
    for (std::uint32_t s = 0; s < synonyms; ++s) {
        const std::uint32_t v = LoadU32(image_.Data(kSynonyms) + 4 * static_cast<std::size_t>(s));
        if ((v & 0x0FFFFFFF) >= texts || (v >> 28) > kLastNote) fail(L"synonym " + std::to_wstring(s + 1) + L" is damaged");
    }
    for (std::uint32_t t = 0; t < texts; ++t) {
        const char* r = image_.Data(kTexts) + 8 * static_cast<std::size_t>(t);
        if (LoadU32(r) + static_cast<std::uint64_t>(LoadU32(r + 4)) > pool)
            fail(L"text " + std::to_wstring(t + 1) + L" lies outside the text pool");
    }
}

std::string_view Thesaurus::Headword(std::uint32_t entry) const {
    const char* r = image_.Data(kEntries) + 12 * static_cast<std::size_t>(entry);
    return {image_.Data(kPool) + LoadU32(r), LoadU16(r + 8)};
}

std::string_view Thesaurus::TextAt(std::uint32_t text) const {
    const char* r = image_.Data(kTexts) + 8 * static_cast<std::size_t>(text);
    return {image_.Data(kPool) + LoadU32(r), LoadU32(r + 4)};
}

std::optional<std::uint32_t> Thesaurus::Find(std::string_view folded) const {
    std::uint32_t lo = 0, hi = EntryCount();
    while (lo < hi) {
        const std::uint32_t mid = lo + (hi - lo) / 2;
        if (Headword(mid) < folded) lo = mid + 1;
        else hi = mid;
    }
    if (lo < EntryCount() && Headword(lo) == folded) return lo;
    return std::nullopt;
}

std::vector<Meaning> Thesaurus::Meanings(std::uint32_t entry) const {
    const char* r = image_.Data(kEntries) + 12 * static_cast<std::size_t>(entry);
    const std::uint32_t first = LoadU32(r + 4);
    const std::wstring headword = Utf8ToWide(Headword(entry));
    std::vector<Meaning> out;
    for (std::uint32_t m = first; m < first + LoadU16(r + 10); ++m) {
        const char* mr = image_.Data(kMeanings) + 8 * static_cast<std::size_t>(m);
        Meaning meaning;
        meaning.partOfSpeech = static_cast<PartOfSpeech>(LoadU8(mr + 6));
        meaning.headword = headword;
        const std::uint32_t firstSynonym = LoadU32(mr);
        for (std::uint32_t s = firstSynonym; s < firstSynonym + LoadU16(mr + 4); ++s) {
            const std::uint32_t v = LoadU32(image_.Data(kSynonyms) + 4 * static_cast<std::size_t>(s));
            meaning.synonyms.push_back({Utf8ToWide(TextAt(v & 0x0FFFFFFF)), static_cast<SynonymNote>(v >> 28)});
        }
        out.push_back(std::move(meaning));
    }
    return out;
}

std::string ThesaurusKey(std::wstring_view text) {
    std::u32string key;
    for (char32_t c : WideToU32(text)) {
        if (c == U'\x2019') c = U'\'';
        if (c == 0xAD) continue;
        const bool blank = c == U' ' || c == U'\t' || c == U'\r' || c == U'\n' || c == 0xA0;
        if (blank) {
            if (!key.empty() && key.back() != U' ') key.push_back(U' ');
            continue;
        }
        key.push_back(ToLower(c));
    }
    while (!key.empty() && key.back() == U' ') key.pop_back();
    return ToUtf8(key);
}

ThesaurusResult Thesaurus::LookUp(std::wstring_view text, std::size_t nearbyCount) const {
    ThesaurusResult result;
    const std::string key = ThesaurusKey(text);
    result.word = Utf8ToWide(key);
    if (key.empty()) return result;
    if (auto entry = Find(key)) result.meanings = Meanings(*entry);
    // A regular form of a headword: its meanings follow the word's own.
    const std::u32string word = Utf8ToU32(key);
    if (word.find(U' ') == std::u32string::npos) {
        for (const auto& candidate : BaseForms(word)) {
            if (auto base = Find(ToUtf8(candidate.base))) {
                result.baseForm = U32ToWide(candidate.base);
                result.ending = candidate.ending;
                for (auto& m : Meanings(*base)) result.meanings.push_back(std::move(m));
                break;
            }
        }
    }
    result.found = !result.meanings.empty();
    if (!result.found && EntryCount() > 0) {
        std::uint32_t lo = 0, hi = EntryCount();
        while (lo < hi) {
            const std::uint32_t mid = lo + (hi - lo) / 2;
            if (Headword(mid) < key) lo = mid + 1;
            else hi = mid;
        }
        const std::uint32_t count = static_cast<std::uint32_t>(std::min<std::size_t>(nearbyCount, EntryCount()));
        std::uint32_t first = lo > count / 2 ? lo - count / 2 : 0;
        if (first + count > EntryCount()) first = EntryCount() - count;
        for (std::uint32_t e = first; e < first + count; ++e) result.nearby.push_back(Utf8ToWide(Headword(e)));
    }
    return result;
}

}  // namespace sp
