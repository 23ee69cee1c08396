#include "controls/core/ScanToken.h"

#include "base/PerThread.h"

namespace palvex {

namespace {

zv::PerThread<std::wstring>& ScanBuffers() {
    static zv::PerThread<std::wstring> buffers;
    return buffers;
}

}  // namespace

std::wstring ScanToken(const std::wstring& Text, const std::wstring& Delimiter, bool bRest, bool bQuotes,
                       const std::wstring& QuoteChar, const std::wstring&) {
    if (bRest) {
        if (!Text.empty()) {
            ScanBuffers().Get() = Text;
            return std::wstring();
        }
        const std::wstring* kept = ScanBuffers().Find();
        return kept != nullptr ? *kept : std::wstring();
    }
    if (Delimiter.empty()) return std::wstring();
    if (Text.empty() && ScanBuffers().Find() == nullptr) return std::wstring();
    std::wstring& scanBuffer = ScanBuffers().Get();
    if (!Text.empty()) scanBuffer = Text;
    if (scanBuffer.empty()) return std::wstring();
    if (scanBuffer.compare(0, Delimiter.size(), Delimiter) == 0) {
        scanBuffer.erase(0, Delimiter.size());
        return std::wstring();
    }
    const wchar_t quote = QuoteChar.empty() ? L'"' : QuoteChar[0];
    std::wstring token;
    bool inQuotes = false;
    for (size_t i = 0; i < scanBuffer.size(); ++i) {
        const bool atDelimiter = scanBuffer.compare(i, Delimiter.size(), Delimiter) == 0;
        if (!atDelimiter || (inQuotes && bQuotes)) {
            token += scanBuffer[i];
            if (bQuotes && scanBuffer[i] == quote) inQuotes = !inQuotes;
            continue;
        }
        scanBuffer.erase(0, i + Delimiter.size());
        return token;
    }
    scanBuffer.clear();
    return token;
}

size_t ScanBuffersAlive() { return ScanBuffers().Live(); }

}  // namespace palvex
