// Fuzz target: the RTF reader. Whatever the bytes, reading either fails with zv::Error or yields a
// valid document, which our writer turns into RTF that reads back and lays out.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "components/textcontrol/formats/RtfReader.h"
#include "components/textcontrol/formats/RtfWriter.h"
#include "components/textcontrol/fuzz/ReadDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto d = tx::fuzz::ReadOrRefused(data, size, [](std::string_view bytes) { return tx::ReadRtf(bytes); });
    if (!d) return 0;
    const tx::Document again = tx::ReadRtf(tx::WriteRtf(*d));  // our own output must always read
    if (again.Length() != d->Length()) std::abort();
    tx::fuzz::LaysOut(*d);
    return 0;
}
