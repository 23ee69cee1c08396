#pragma once
// What the fuzz targets of the document readers hold every input to: reading either fails with
// zv::Error or yields a valid document; a document stores in the own format and reads back to the
// same bytes; it lays out. A broken rule aborts, which the fuzzer reports with its input.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "base/Error.h"
#include "components/textcontrol/formats/TxmFormat.h"
#include "components/textcontrol/layout/Layout.h"

namespace tx::fuzz {

// The document `read` makes of the bytes; none when it refuses them.
template <class Read>
std::optional<Document> ReadOrRefused(const std::uint8_t* data, std::size_t size, Read read) {
    Document d;
    try {
        d = read(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const zv::Error&) {
        return std::nullopt;
    }
    if (!d.Validate().empty()) std::abort();
    return d;
}

inline void StoresAndReadsBack(const Document& d) {
    const std::string written = WriteTxm(d);
    if (WriteTxm(ReadTxm(written)) != written) std::abort();
}

inline void LaysOut(const Document& d) {
    Layout layout;
    layout.Update(d);
}

}  // namespace tx::fuzz
