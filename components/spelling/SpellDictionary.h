#pragma once
// The main spelling dictionary, "VSSP_AE.DCT": every word as it is spelt (capitals included), its
// case-folded form, its commonness class and the facts the suggestion search filters on. Look-ups
// go through a hash table of folded forms; suggestions scan the words of nearby lengths.
//
// Sections (after the frame of DictionaryFile.h, version 1):
//   1 words, 12 bytes each, ordered by length in code points, then folded form:
//       u32 text offset in the pool, u8 text bytes, u8 folded bytes (0: the text is folded already;
//       else the folded form follows the text in the pool), u8 commonness (10 very common .. 95
//       rare, 100 unclassed), u8 length in code points, u32 letter mask (bit n: letter 'a' + n,
//       bit 26: an apostrophe, bit 27: any other character)
//   2 length index: u32 first word of each length 0..64, then of the longer words, then the count
//   3 hash table: u32 per slot, word number + 1 (0: empty); a power of two with room to spare;
//     slot = FNV-1a of the folded UTF-8 form, then the next slots in turn
//   4 pool: UTF-8 bytes

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "components/spelling/DictionaryFile.h"

namespace sp {

inline constexpr int kMaxIndexedLength = 64;  // longer words are found, never suggested
inline constexpr int kUnclassed = 100;

std::uint32_t HashFolded(std::string_view folded);
std::uint32_t LetterMask(std::u32string_view folded);

class SpellDictionary {
public:
    // Throws zv::Error naming `what` when the bytes are no sound dictionary.
    SpellDictionary(FileBytes bytes, const std::wstring& what);

    std::uint32_t WordCount() const { return image_.Count(kWords); }
    std::string_view Text(std::uint32_t word) const;
    std::string_view Folded(std::uint32_t word) const;
    int Commonness(std::uint32_t word) const { return LoadU8(Record(word) + 6); }
    int Length(std::uint32_t word) const { return LoadU8(Record(word) + 7); }
    std::uint32_t Mask(std::uint32_t word) const { return LoadU32(Record(word) + 8); }

    // Calls `f` with every word whose folded form is `folded`.
    void ForEachSpelling(std::string_view folded, const std::function<void(std::uint32_t)>& f) const;
    // The words of a length in code points (lengths above kMaxIndexedLength: none).
    std::uint32_t FirstOfLength(int length) const;
    std::uint32_t EndOfLength(int length) const { return FirstOfLength(length + 1); }

    std::size_t FileSize() const { return image_.FileSize(); }

    static const FileLayout& Layout();
    enum Section { kWords, kLengths, kHash, kPool };

private:
    const char* Record(std::uint32_t word) const { return image_.Data(kWords) + 12 * static_cast<std::size_t>(word); }
    DictionaryImage image_;
};

}  // namespace sp
