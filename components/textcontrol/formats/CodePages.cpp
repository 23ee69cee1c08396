#include "components/textcontrol/formats/CodePages.h"

#include <array>
#include <string>

#include "base/Cp1252.h"

namespace tx {
namespace {

constexpr unsigned kFirstTrail = 0x40, kLastTrail = 0xFE;
constexpr unsigned kRowLength = kLastTrail - kFirstTrail + 1;

#include "components/textcontrol/formats/CodePageTables.inc"

// Windows-1252 comes from the program's one codec for it, so RTF and the program's text files agree
// on every byte (the five unassigned ones included).
const std::array<char16_t, 128>& Cp1252Singles() {
    static const std::array<char16_t, 128> table = [] {
        std::array<char16_t, 128> t{};
        for (unsigned b = 0x80; b <= 0xFF; ++b)
            t[b - 0x80] = static_cast<char16_t>(zv::DecodeCp1252(std::string(1, static_cast<char>(b)))[0]);
        return t;
    }();
    return table;
}

}  // namespace

char16_t CodePage::Pair(unsigned char lead, unsigned char trail) const {
    if (!IsLeadByte(lead) || trail < kFirstTrail || trail > kLastTrail) return u'\xFFFD';
    return pairs_[(leads_[lead - 0x80] - 1u) * kRowLength + (trail - kFirstTrail)];
}

const CodePage& DefaultCodePage() {
    static const CodePage cp1252(1252, Cp1252Singles().data());
    return cp1252;
}

const CodePage* FindCodePage(int number) {
    static const CodePage kPages[] = {
        {437, kSingle437},   {850, kSingle850},   {852, kSingle852},   {866, kSingle866},
        {874, kSingle874},   {1250, kSingle1250}, {1251, kSingle1251}, {1253, kSingle1253},
        {1254, kSingle1254}, {1255, kSingle1255}, {1256, kSingle1256}, {1257, kSingle1257},
        {1258, kSingle1258}, {10000, kSingle10000},
        {932, kSingle932, kLeads932, kPairs932}, {936, kSingle936, kLeads936, kPairs936},
        {949, kSingle949, kLeads949, kPairs949}, {950, kSingle950, kLeads950, kPairs950},
    };
    if (number == 1252) return &DefaultCodePage();
    for (const CodePage& page : kPages)
        if (page.Number() == number) return &page;
    return nullptr;
}

int CodePageOfCharset(int charset) {
    switch (charset) {
    case 2: return 1252;     // symbol fonts: their bytes read as they always were
    case 77: return 10000;   // Macintosh
    case 128: return 932;    // Shift JIS
    case 129: return 949;    // Hangul
    case 134: return 936;    // GB2312
    case 136: return 950;    // Big5
    case 161: return 1253;   // Greek
    case 162: return 1254;   // Turkish
    case 163: return 1258;   // Vietnamese
    case 177: return 1255;   // Hebrew
    case 178: return 1256;   // Arabic
    case 186: return 1257;   // Baltic
    case 204: return 1251;   // Cyrillic
    case 222: return 874;    // Thai
    case 238: return 1250;   // Central European
    case 254: return 437;    // PC 437
    case 255: return 850;    // OEM
    default: return 0;       // ANSI, default and sets we have no table for
    }
}

}  // namespace tx
