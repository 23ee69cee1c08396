#pragma once
// The Windows code pages RTF documents are written in: \ansicpg names the document's, a font's
// \fcharset or \cpg its own. Our own tables (CodePageTables.inc), the same in every build.

#include <cstdint>

namespace tx {

class CodePage {
public:
    int Number() const { return number_; }
    bool IsLeadByte(unsigned char b) const { return b >= 0x80 && leads_ != nullptr && leads_[b - 0x80] != 0; }
    // A byte standing alone; bytes below 0x80 are ASCII. U+FFFD when the code page has no character.
    char16_t Single(unsigned char b) const { return b < 0x80 ? b : singles_[b - 0x80]; }
    // A lead byte and its trail byte; U+FFFD when the pair is undefined.
    char16_t Pair(unsigned char lead, unsigned char trail) const;

    constexpr CodePage(int number, const char16_t* singles, const std::uint8_t* leads = nullptr,
                       const char16_t* pairs = nullptr)
        : number_(number), singles_(singles), leads_(leads), pairs_(pairs) {}

private:
    int number_;
    const char16_t* singles_;     // bytes 0x80..0xFF
    const std::uint8_t* leads_;   // bytes 0x80..0xFF: 0, or the 1-based row of the lead byte in pairs_
    const char16_t* pairs_;       // rows of trail bytes kFirstTrail..kLastTrail
};

// The code page of a number; nullptr when we have no table for it.
const CodePage* FindCodePage(int number);
// Windows-1252, the code page of a document that names none.
const CodePage& DefaultCodePage();
// The code page a font's character set stands for; 0 when the set names none of its own (ANSI,
// default) and the document's code page applies.
int CodePageOfCharset(int charset);

}  // namespace tx
