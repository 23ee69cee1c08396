#include "app/core/PageFile.h"


#include "base/Error.h"
#include "base/Files.h"
#include "components/textcontrol/TextEngine.h"

namespace {

void Put32(char* at, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) at[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
}

std::int32_t Get32(const char* at) {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(static_cast<unsigned char>(at[i])) << (8 * i);
    return static_cast<std::int32_t>(u);
}

}  // namespace

std::array<char, kPageHeaderSize> PageHeaderBytes(const PageFileHeader& h) {
    std::array<char, kPageHeaderSize> bytes{};
    const std::int32_t fields[7] = {h.FormatMark, h.MarginL, h.MarginT, h.MarginR, h.MarginB, h.PageHeight, h.PageWidth};
    for (int i = 0; i < 7; ++i) Put32(bytes.data() + 4 * i, fields[i]);
    const auto reserved = static_cast<std::uint16_t>(h.Reserved);
    bytes[28] = static_cast<char>(reserved & 0xFF);
    bytes[29] = static_cast<char>(reserved >> 8);
    return bytes;
}

PageFileHeader ReadPageHeader(std::string_view bytes) {
    if (bytes.size() < kPageHeaderSize) {
        throw zv::Error(L"The page file is shorter than its " + std::to_wstring(kPageHeaderSize) + L"-byte header.");
    }
    PageFileHeader h;
    std::int32_t* fields[7] = {&h.FormatMark, &h.MarginL, &h.MarginT, &h.MarginR, &h.MarginB, &h.PageHeight, &h.PageWidth};
    for (int i = 0; i < 7; ++i) *fields[i] = Get32(bytes.data() + 4 * i);
    h.Reserved = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[28]) |
                                           (static_cast<unsigned char>(bytes[29]) << 8));
    return h;
}

PageFileHeader HeaderOfEngine(const tx::TextEngine& engine) {
    PageFileHeader h;
    h.MarginL = engine.PageMarginL();
    h.MarginT = engine.PageMarginT();
    h.MarginR = engine.PageMarginR();
    h.MarginB = engine.PageMarginB();
    h.PageHeight = engine.PageHeight();
    h.PageWidth = engine.PageWidth();
    return h;
}

std::wstring FormatPageNumber(int number) {
    std::wstring text = std::to_wstring(number);
    if (text.empty() || text.size() > 4) return L"";
    return std::wstring(4 - text.size(), L'0') + text;
}

std::wstring PageFileNameOf(int number) {
    if (number < 1 || number > kMaxPageNumber) {
        throw zv::Error(L"This module has used every page number up to " + std::to_wstring(kMaxPageNumber) +
                        L": no further page can be added to it.");
    }
    return FormatPageNumber(number) + L".txm";
}

std::string PageFileBytes(const tx::TextEngine& engine) {
    const auto header = PageHeaderBytes(HeaderOfEngine(engine));
    std::string bytes(header.begin(), header.end());
    bytes += engine.SaveToBytes(tx::kFormatOwn);
    return bytes;
}

void WritePageFile(std::wstring_view path, tx::TextEngine& engine) {
    engine.NameNewObjects();
    zv::WriteFileReplacing(path, PageFileBytes(engine));
}

void LoadPageFile(std::wstring_view path, tx::TextEngine& engine, bool applyStoredPage) {
    // With the attribute set the engine's load takes the stored page size and margins itself.
    engine.SetLoadSaveAttribute(tx::attr::kApplyStoredPage, applyStoredPage ? 1 : 0);
    engine.Load(path, kPageHeaderSize, tx::kFormatOwn);
}

void CopyPage(tx::TextEngine& from, tx::TextEngine& to) {
    from.NameNewObjects();
    to.SetLoadSaveAttribute(tx::attr::kApplyStoredPage, 1);
    to.LoadFromBytes(from.SaveToBytes(tx::kFormatOwn), tx::kFormatOwn);
}
