// Fuzz target: the HTML reader. Whatever the bytes, reading either fails with zv::Error or yields a
// valid document that the own format stores and reads back and that lays out. Every picture the
// page names reads as a small PNG, so that the picture road is taken too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/Error.h"
#include "components/textcontrol/formats/HtmlReader.h"
#include "components/textcontrol/formats/TxmFormat.h"
#include "components/textcontrol/layout/Layout.h"

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
    tx::Document d;
    try {
        d = tx::ReadHtml(std::string_view(reinterpret_cast<const char*>(data), size), options);
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
