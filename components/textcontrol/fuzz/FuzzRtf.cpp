// Fuzz target: the RTF reader. Whatever the bytes, reading either fails with zv::Error or yields a
// valid document, which our writer turns into RTF that reads back and lays out.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/Error.h"
#include "components/textcontrol/formats/RtfReader.h"
#include "components/textcontrol/formats/RtfWriter.h"
#include "components/textcontrol/layout/Layout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tx::Document d;
    try {
        d = tx::ReadRtf(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const zv::Error&) {
        return 0;
    }
    if (!d.Validate().empty()) std::abort();
    const tx::Document again = tx::ReadRtf(tx::WriteRtf(d));  // our own output must always read
    if (again.Length() != d.Length()) std::abort();
    tx::Layout layout;
    layout.Update(d);
    return 0;
}
