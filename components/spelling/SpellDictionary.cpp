#include "components/spelling/SpellDictionary.h"

#include "base/Error.h"

namespace sp {

std::uint32_t HashFolded(std::string_view folded) {
    std::uint32_t h = 2166136261u;
    for (unsigned char c : folded) {
        h ^= c;
        h *= 16777619u;
    }
    return h;
}

std::uint32_t LetterMask(std::u32string_view folded) {
    std::uint32_t mask = 0;
    for (char32_t c : folded) {
        if (c >= U'a' && c <= U'z') mask |= 1u << (c - U'a');
        else if (c == U'\'') mask |= 1u << 26;
        else mask |= 1u << 27;
    }
    return mask;
}

const FileLayout& SpellDictionary::Layout() {
    static const FileLayout layout{"ZVSPELL\x1A", 1, {12, 4, 4, 0}};
    return layout;
}

SpellDictionary::SpellDictionary(FileBytes bytes, const std::wstring& what)
    : image_(std::move(bytes), Layout(), what) {
    auto fail = [&](const std::wstring& why) { throw zv::Error(what + L": " + why + L"."); };
    const std::uint32_t words = image_.Count(kWords);
    const std::uint32_t pool = image_.Count(kPool);
    if (image_.Count(kLengths) != kMaxIndexedLength + 3) fail(L"the length index has the wrong size");
    const std::uint32_t slots = image_.Count(kHash);
    if (slots == 0 || (slots & (slots - 1)) != 0 || slots <= words)
        fail(L"the hash table has the wrong size");

    // The length index must cut the words into ordered runs, and each word must be as long as its
    // run says: the suggestion search trusts both.
    const char* lengths = image_.Data(kLengths);
    if (LoadU32(lengths) != 0 || LoadU32(lengths + 4 * (kMaxIndexedLength + 2)) != words)
        fail(L"the length index does not cover the words");
    for (int n = 0; n <= kMaxIndexedLength + 1; ++n) {
        const std::uint32_t first = LoadU32(lengths + 4 * n), end = LoadU32(lengths + 4 * (n + 1));
        if (first > end || end > words) fail(L"the length index is out of order");
        for (std::uint32_t w = first; w < end; ++w) {
            const int length = Length(w);
            if (n <= kMaxIndexedLength ? length != n : length <= kMaxIndexedLength)
                fail(L"word " + std::to_wstring(w + 1) + L" is not in its length's place");
        }
    }
    for (std::uint32_t w = 0; w < words; ++w) {
        const char* r = Record(w);
        const std::uint64_t end = static_cast<std::uint64_t>(LoadU32(r)) + LoadU8(r + 4) + LoadU8(r + 5);
        if (LoadU8(r + 4) == 0 || end > pool) fail(L"word " + std::to_wstring(w + 1) + L" lies outside the text pool");
        if (Commonness(w) > kUnclassed) fail(L"word " + std::to_wstring(w + 1) + L" has no valid commonness");
    }
    // Probing stops at an empty slot: a table without one would never end a failed look-up.
    bool anyEmpty = false;
    const char* hash = image_.Data(kHash);
    for (std::uint32_t s = 0; s < slots; ++s) {
        const std::uint32_t v = LoadU32(hash + 4 * static_cast<std::size_t>(s));
        if (v > words) fail(L"the hash table names a word that is not there");
        anyEmpty = anyEmpty || v == 0;
    }
    if (!anyEmpty) fail(L"the hash table is full");
}

std::string_view SpellDictionary::Text(std::uint32_t word) const {
    const char* r = Record(word);
    return {image_.Data(kPool) + LoadU32(r), LoadU8(r + 4)};
}

std::string_view SpellDictionary::Folded(std::uint32_t word) const {
    const char* r = Record(word);
    if (LoadU8(r + 5) == 0) return Text(word);
    return {image_.Data(kPool) + LoadU32(r) + LoadU8(r + 4), LoadU8(r + 5)};
}

void SpellDictionary::ForEachSpelling(std::string_view folded, const std::function<void(std::uint32_t)>& f) const {
    const std::uint32_t slots = image_.Count(kHash);
    const char* hash = image_.Data(kHash);
    for (std::uint32_t s = HashFolded(folded) & (slots - 1);; s = (s + 1) & (slots - 1)) {
        const std::uint32_t v = LoadU32(hash + 4 * static_cast<std::size_t>(s));
        if (v == 0) return;
        if (Folded(v - 1) == folded) f(v - 1);
    }
}

std::uint32_t SpellDictionary::FirstOfLength(int length) const {
    if (length < 0) length = 0;
    if (length > kMaxIndexedLength + 1) length = kMaxIndexedLength + 1;
    return LoadU32(image_.Data(kLengths) + 4 * length);
}

}  // namespace sp
