#pragma once
// A page file: a fixed 30-byte little-endian header that the program writes, then the text
// control's own format. Readers skip the header and take page size and margins from the control's
// own data; the header stays for the players and tools that read it.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tx {
class TextEngine;
}

inline constexpr int kPageHeaderSize = 30;
inline constexpr std::int32_t kPageFormatMark = 23;
// Page files are named by four digits: a fifth would give every later page the same name.
inline constexpr int kMaxPageNumber = 9999;

struct PageFileHeader {
    std::int32_t FormatMark = kPageFormatMark;
    std::int32_t MarginL = 0;
    std::int32_t MarginT = 0;
    std::int32_t MarginR = 0;
    std::int32_t MarginB = 0;
    std::int32_t PageHeight = 0;
    std::int32_t PageWidth = 0;
    std::int16_t Reserved = 0;
};

std::array<char, kPageHeaderSize> PageHeaderBytes(const PageFileHeader& header);
PageFileHeader ReadPageHeader(std::string_view bytes);  // throws zv::Error when shorter than the header
PageFileHeader HeaderOfEngine(const tx::TextEngine& engine);

// The number as four digits ("0007"); numbers that do not fit in 1 to 4 characters give "".
std::wstring FormatPageNumber(int number);
// The file name of page `number` ("0007.txm"); throws zv::Error, changing nothing, past kMaxPageNumber.
std::wstring PageFileNameOf(int number);

// The whole page file for the engine's document: header, then the control's own format.
std::string PageFileBytes(const tx::TextEngine& engine);
// Writes the page file beside the old one and then puts it in its place, so the file always ends
// with the new content and a failure leaves the old page untouched. Throws zv::Error.
// Windowed objects still awaiting their names get them first.
void WritePageFile(std::wstring_view path, tx::TextEngine& engine);
// Loads a page file into the engine behind its header; with `applyStoredPage` the page size and
// margins stored in the file (those greater than 0) become the engine's page.
void LoadPageFile(std::wstring_view path, tx::TextEngine& engine, bool applyStoredPage);
// Puts `from`'s page into `to` as storing it and loading the file back would, without the file:
// the same text, objects, page size and margins.
void CopyPage(tx::TextEngine& from, tx::TextEngine& to);
