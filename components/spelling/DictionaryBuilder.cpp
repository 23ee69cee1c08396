#include "components/spelling/DictionaryBuilder.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "base/Cp1252.h"
#include "base/Error.h"
#include "components/spelling/DictionaryFile.h"
#include "components/spelling/SpellDictionary.h"
#include "components/spelling/Thesaurus.h"
#include "components/spelling/Unicode.h"

namespace sp {
namespace {

// The lines of a text, without their line ends and surrounding blanks.
template <class F>
void ForEachLine(std::string_view text, F f) {
    std::size_t start = 0, number = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
        f(line, ++number);
        start = end + 1;
    }
}

}  // namespace

void AddCommonnessList(CommonnessMap& map, std::string_view listBytes, int commonness) {
    ForEachLine(listBytes, [&](std::string_view line, std::size_t) {
        if (line.empty()) return;
        auto it = map.find(line);
        if (it == map.end()) map.emplace(std::string(line), commonness);
        else it->second = std::min(it->second, commonness);
    });
}

std::string BuildSpellDictionary(std::string_view wordListBytes, const CommonnessMap& commonness) {
    struct Word {
        std::string text, folded;
        int length;
        int bucket;
        std::uint32_t mask;
        int commonness;
    };
    std::vector<Word> words;
    std::u32string code;
    ForEachLine(wordListBytes, [&](std::string_view line, std::size_t) {
        if (line.empty() || line.size() > 255 || !DecodeUtf8(line, code)) return;
        // The list names the letters of the alphabet as words; "i" would let the pronoun pass
        // uncapitalised, which is the slip a checker is there to catch.
        if (line == "i") return;
        const std::u32string folded = Lower(code);
        Word w{std::string(line), ToUtf8(folded), static_cast<int>(std::min<std::size_t>(code.size(), 255)), 0,
               LetterMask(folded), kUnclassed};
        if (w.folded.size() > 255) return;
        w.bucket = std::min(w.length, kMaxIndexedLength + 1);
        if (auto it = commonness.find(line); it != commonness.end()) w.commonness = std::clamp(it->second, 0, kUnclassed);
        words.push_back(std::move(w));
    });
    std::sort(words.begin(), words.end(), [](const Word& a, const Word& b) {
        if (a.bucket != b.bucket) return a.bucket < b.bucket;
        if (a.folded != b.folded) return a.folded < b.folded;
        return a.text < b.text;
    });
    words.erase(std::unique(words.begin(), words.end(), [](const Word& a, const Word& b) { return a.text == b.text; }),
                words.end());

    std::string records, lengths, hash, pool;
    std::vector<std::uint32_t> firstOfBucket(kMaxIndexedLength + 3, static_cast<std::uint32_t>(words.size()));
    for (std::size_t i = words.size(); i-- > 0;) firstOfBucket[words[i].bucket] = static_cast<std::uint32_t>(i);
    // Empty buckets start where the next one does.
    for (int b = kMaxIndexedLength + 1; b >= 0; --b)
        firstOfBucket[b] = std::min(firstOfBucket[b], firstOfBucket[b + 1]);
    for (auto v : firstOfBucket) PutU32(lengths, v);

    std::uint32_t slots = 16;
    while (slots < words.size() * 2) slots *= 2;
    std::vector<std::uint32_t> table(slots, 0);
    for (std::size_t i = 0; i < words.size(); ++i) {
        const Word& w = words[i];
        PutU32(records, static_cast<std::uint32_t>(pool.size()));
        PutU8(records, static_cast<std::uint8_t>(w.text.size()));
        PutU8(records, static_cast<std::uint8_t>(w.folded == w.text ? 0 : w.folded.size()));
        PutU8(records, static_cast<std::uint8_t>(w.commonness));
        PutU8(records, static_cast<std::uint8_t>(w.length));
        PutU32(records, w.mask);
        pool += w.text;
        if (w.folded != w.text) pool += w.folded;
        std::uint32_t s = HashFolded(w.folded) & (slots - 1);
        while (table[s] != 0) s = (s + 1) & (slots - 1);
        table[s] = static_cast<std::uint32_t>(i + 1);
    }
    for (auto v : table) PutU32(hash, v);
    const auto n = static_cast<std::uint32_t>(words.size());
    return WriteDictionaryImage(SpellDictionary::Layout(), {records, lengths, hash, pool},
                                {n, kMaxIndexedLength + 3, slots, 0});
}

namespace {

PartOfSpeech ParsePartOfSpeech(std::string_view s) {
    if (s == "(noun)") return PartOfSpeech::Noun;
    if (s == "(verb)") return PartOfSpeech::Verb;
    if (s == "(adj)") return PartOfSpeech::Adjective;
    if (s == "(adv)") return PartOfSpeech::Adverb;
    return PartOfSpeech::Other;
}

Synonym SplitNote(std::string_view item, bool latin1) {
    struct {
        std::string_view suffix;
        SynonymNote note;
    } const notes[] = {{" (generic term)", SynonymNote::GenericTerm},
                       {" (similar term)", SynonymNote::SimilarTerm},
                       {" (related term)", SynonymNote::RelatedTerm},
                       {" (antonym)", SynonymNote::Antonym}};
    Synonym s;
    for (const auto& n : notes) {
        if (item.size() > n.suffix.size() && item.substr(item.size() - n.suffix.size()) == n.suffix) {
            item.remove_suffix(n.suffix.size());
            s.note = n.note;
            break;
        }
    }
    s.text = latin1 ? zv::DecodeCp1252(item) : Utf8ToWide(item);
    return s;
}

}  // namespace

std::string BuildThesaurus(std::string_view text) {
    struct Entry {
        std::vector<Meaning> meanings;
    };
    std::map<std::string, Entry> entries;  // ordered by folded UTF-8 bytes, as the reader searches
    bool latin1 = false;
    Entry* current = nullptr;
    std::size_t expected = 0;
    std::wstring headword;
    ForEachLine(text, [&](std::string_view line, std::size_t number) {
        auto fail = [&](const std::wstring& why) {
            throw zv::Error(L"Thesaurus text, line " + std::to_wstring(number) + L": " + why + L".");
        };
        if (number == 1) {
            if (line == "ISO8859-1" || line == "ISO-8859-1") latin1 = true;
            else if (line != "UTF-8") fail(L"the first line must name the encoding (UTF-8 or ISO8859-1)");
            return;
        }
        if (line.empty()) return;
        if (expected == 0) {
            const auto bar = line.rfind('|');
            if (bar == std::string_view::npos || bar == 0) fail(L"a headword line must be \"word|number\"");
            std::size_t count = 0;
            for (char c : line.substr(bar + 1)) {
                if (c < '0' || c > '9' || count > 100000) fail(L"the number of meanings is not a number");
                count = count * 10 + static_cast<std::size_t>(c - '0');
            }
            if (bar + 1 == line.size()) fail(L"the number of meanings is missing");
            headword = latin1 ? zv::DecodeCp1252(line.substr(0, bar)) : Utf8ToWide(line.substr(0, bar));
            const std::string key = ThesaurusKey(headword);
            if (key.empty() || key.size() > 0xFFFF) fail(L"the headword is empty or too long");
            current = &entries[key];
            expected = count;
            return;
        }
        if (line.front() != '(') fail(L"a meaning line must start with its part of speech");
        Meaning m;
        m.headword = headword;
        std::size_t start = 0;
        bool first = true;
        while (start <= line.size()) {
            std::size_t bar = line.find('|', start);
            if (bar == std::string_view::npos) bar = line.size();
            const std::string_view item = line.substr(start, bar - start);
            if (first) m.partOfSpeech = ParsePartOfSpeech(item);
            else if (!item.empty()) m.synonyms.push_back(SplitNote(item, latin1));
            first = false;
            start = bar + 1;
        }
        if (m.synonyms.size() > 0xFFFF) fail(L"the meaning has too many synonyms");
        if (current->meanings.size() < 0xFFFF) current->meanings.push_back(std::move(m));
        --expected;
    });

    std::string records, meanings, synonyms, texts, pool;
    std::unordered_map<std::string, std::uint32_t> textNumbers;
    std::uint32_t meaningCount = 0, synonymCount = 0;
    for (const auto& [key, entry] : entries) {
        PutU32(records, static_cast<std::uint32_t>(pool.size()));
        pool += key;
        PutU32(records, meaningCount);
        PutU16(records, static_cast<std::uint16_t>(key.size()));
        PutU16(records, static_cast<std::uint16_t>(entry.meanings.size()));
        for (const auto& m : entry.meanings) {
            PutU32(meanings, synonymCount);
            PutU16(meanings, static_cast<std::uint16_t>(m.synonyms.size()));
            PutU8(meanings, static_cast<std::uint8_t>(m.partOfSpeech));
            PutU8(meanings, 0);
            ++meaningCount;
            for (const auto& s : m.synonyms) {
                std::string utf8 = WideToUtf8(s.text);
                auto [it, added] = textNumbers.emplace(utf8, static_cast<std::uint32_t>(textNumbers.size()));
                if (added) {
                    PutU32(texts, static_cast<std::uint32_t>(pool.size()));
                    PutU32(texts, static_cast<std::uint32_t>(utf8.size()));
                    pool += utf8;
                }
                PutU32(synonyms, it->second | (static_cast<std::uint32_t>(s.note) << 28));
                ++synonymCount;
            }
        }
    }
    if (textNumbers.size() >= 0x10000000u || pool.size() > 0xFFFFFFF0u) throw zv::Error(L"The thesaurus is too large.");
    return WriteDictionaryImage(Thesaurus::Layout(), {records, meanings, synonyms, texts, pool},
                                {static_cast<std::uint32_t>(entries.size()), meaningCount, synonymCount,
                                 static_cast<std::uint32_t>(textNumbers.size()), 0});
}

}  // namespace sp
