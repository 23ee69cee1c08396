#pragma once
// The token scanner with which the colour controls split their item strings. It keeps the rest of
// the text between calls, per thread, so a scan is a sequence of calls on one thread.

#include <string>

namespace palvex {

// bRest: a non-empty text replaces the buffer and "" comes back; an empty text returns the buffer.
// Otherwise returns the next token up to Delimiter (outside quotes when bQuotes) and keeps the rest.
// QuoteChar "" means the double quote. The last argument is accepted for callers that pass it and
// has no effect.
std::wstring ScanToken(const std::wstring& Text, const std::wstring& Delimiter, bool bRest, bool bQuotes,
                       const std::wstring& QuoteChar, const std::wstring& unused = std::wstring());
// Threads holding a scan buffer (for tests): a thread's buffer goes when the thread ends.
size_t ScanBuffersAlive();

}  // namespace palvex
