// Fuzz target: the picture readers a PDF page uses. Whatever the bytes, each reader fails with
// zv::Error or gives a picture whose samples and transparency are exactly as large as it says.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/Error.h"
#include "components/textcontrol/formats/Raster.h"

namespace {

void Check(const tx::Raster& r) {
    const std::size_t pixels = static_cast<std::size_t>(r.width) * static_cast<std::size_t>(r.height);
    if (r.width <= 0 || r.height <= 0 || pixels > static_cast<std::size_t>(tx::kMaxRasterPixels)) std::abort();
    if (r.components != 1 && r.components != 3) std::abort();
    if (r.samples.size() != pixels * static_cast<std::size_t>(r.components)) std::abort();
    if (!r.alpha.empty() && r.alpha.size() != pixels) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        if (const auto jpeg = tx::ReadJpegHeader(bytes)) {
            if (jpeg->width <= 0 || jpeg->height <= 0 || (jpeg->components != 1 && jpeg->components != 3 && jpeg->components != 4))
                std::abort();
        }
    } catch (const zv::Error&) {
    }
    for (auto decode : {&tx::DecodePng, &tx::DecodeBmp, &tx::DecodeGif}) {
        try {
            Check(decode(bytes));
        } catch (const zv::Error&) {
        }
    }
    return 0;
}
