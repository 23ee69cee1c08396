// Fuzz target: the HTML reader. Whatever the bytes, reading either fails with zv::Error or yields a
// valid document that the own format stores and reads back and that lays out. Every picture the
// page names reads as a small PNG, so that the picture road is taken too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "components/textcontrol/formats/HtmlReader.h"
#include "components/textcontrol/fuzz/ReadDocument.h"

namespace {

std::string Png() {
    std::string png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x14\0\0\0\x0a\x08\x06\0\0\0", 29);
    png.append(8, '\0');
    return png;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tx::HtmlOptions options;
    options.readImage = [](const std::wstring& name) -> std::optional<std::string> {
        if (!tx::IsLocalImageName(name)) std::abort();  // the reader must never ask for another name
        return Png();
    };
    const auto d = tx::fuzz::ReadOrRefused(data, size, [&](std::string_view bytes) { return tx::ReadHtml(bytes, options); });
    if (!d) return 0;
    tx::fuzz::StoresAndReadsBack(*d);
    tx::fuzz::LaysOut(*d);
    return 0;
}
