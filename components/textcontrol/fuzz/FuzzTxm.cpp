// Fuzz target: the own-format reader. Whatever the bytes, reading either fails with zv::Error or
// yields a valid document that writes, reads back to the same bytes and lays out.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/Error.h"
#include "components/textcontrol/formats/TxmFormat.h"
#include "components/textcontrol/layout/Layout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tx::Document d;
    try {
        d = tx::ReadTxm(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const zv::Error&) {
        return 0;
    }
    if (!d.Validate().empty()) std::abort();
    const std::string written = tx::WriteTxm(d);
    if (tx::WriteTxm(tx::ReadTxm(written)) != written) std::abort();
    tx::Layout layout;
    layout.Update(d);
    return 0;
}
