// Fuzz target: the own-format reader. Whatever the bytes, reading either fails with zv::Error or
// yields a valid document that writes, reads back to the same bytes and lays out.
#include <cstddef>
#include <cstdint>

#include "components/textcontrol/formats/TxmFormat.h"
#include "components/textcontrol/fuzz/ReadDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto d = tx::fuzz::ReadOrRefused(data, size, [](std::string_view bytes) { return tx::ReadTxm(bytes); });
    if (!d) return 0;
    tx::fuzz::StoresAndReadsBack(*d);
    tx::fuzz::LaysOut(*d);
    return 0;
}
