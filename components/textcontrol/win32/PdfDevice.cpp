#include "components/textcontrol/win32/PdfDevice.h"

#include "base/Error.h"
#include "components/textcontrol/win32/GdiMeasurer.h"
#include "components/textcontrol/win32/ImageCache.h"
#include "ui/Handles.h"

namespace tx {
namespace {

// Metafiles have no pixels of their own: they are drawn at 150 dots per inch.
constexpr int kMetafileDpi = 150;

// GDI hands out table tags with their bytes reversed.
DWORD GdiTag(std::uint32_t tag) {
    return ((tag & 0xFF) << 24) | ((tag & 0xFF00) << 8) | ((tag >> 8) & 0xFF00) | (tag >> 24);
}

}  // namespace

GdiFontSource& GdiFontSource::Shared() {
    static GdiFontSource source;
    return source;
}

std::shared_ptr<const TrueTypeFont> GdiFontSource::Find(const std::wstring& face, bool bold, bool italic) {
    std::lock_guard lock(mutex_);
    auto key = std::make_tuple(face, bold, italic);
    if (auto it = fonts_.find(key); it != fonts_.end()) return it->second;
    std::shared_ptr<const TrueTypeFont> font;
    ui::OwnedDc dc(CreateCompatibleDC(nullptr));
    CharFormat f;
    f.face = face;
    f.bold = bold;
    f.italic = italic;
    ui::Font handle(CreateFormatFont(f, -2048));
    if (dc.Get() && handle.Get()) {
        ui::SelectIn select(dc.Get(), handle.Get());
        try {
            font = TrueTypeFont::FromTables([&](std::uint32_t tag) -> std::optional<std::string> {
                const DWORD size = GetFontData(dc.Get(), GdiTag(tag), 0, nullptr, 0);
                if (size == GDI_ERROR || size == 0 || size > 64u * 1024u * 1024u) return std::nullopt;
                std::string bytes(size, '\0');
                if (GetFontData(dc.Get(), GdiTag(tag), 0, bytes.data(), size) != size) return std::nullopt;
                return bytes;
            });
        } catch (const zv::Error&) {
            font = nullptr;  // not a TrueType font (a raster or vector font): none to carry
        }
    }
    fonts_[key] = font;
    return font;
}

std::optional<Raster> DecodePictureForPdf(const Object& object) {
    if (!object.image) return std::nullopt;
    const DecodedImage image = DecodeImage(*object.image, object.imageType);
    if (!image.Valid()) return std::nullopt;
    Raster out;
    out.components = 3;
    std::vector<std::uint32_t> pixels = image.pixels;
    out.width = image.width;
    out.height = image.height;
    if (image.metafile.Get()) {
        out.width = std::max(1, MulDiv(object.ShownWidth(), kMetafileDpi, 1440));
        out.height = std::max(1, MulDiv(object.ShownHeight(), kMetafileDpi, 1440));
        if (static_cast<long long>(out.width) * out.height > kMaxRasterPixels) return std::nullopt;
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = out.width;
        bi.bmiHeader.biHeight = -out.height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        ui::OwnedDc dc(CreateCompatibleDC(nullptr));
        ui::Bitmap bitmap(CreateDIBSection(dc.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!bitmap.Get() || !bits) return std::nullopt;
        {
            ui::SelectIn select(dc.Get(), bitmap.Get());
            const RECT all{0, 0, out.width, out.height};
            FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            PlayEnhMetaFile(dc.Get(), image.metafile.Get(), &all);
            GdiFlush();
        }
        const auto* p = static_cast<const std::uint32_t*>(bits);
        pixels.assign(p, p + static_cast<size_t>(out.width) * static_cast<size_t>(out.height));
    }
    if (out.width <= 0 || out.height <= 0) return std::nullopt;
    out.samples.resize(pixels.size() * 3);
    for (size_t i = 0; i < pixels.size(); ++i) {
        out.samples[3 * i] = static_cast<char>((pixels[i] >> 16) & 0xFF);
        out.samples[3 * i + 1] = static_cast<char>((pixels[i] >> 8) & 0xFF);
        out.samples[3 * i + 2] = static_cast<char>(pixels[i] & 0xFF);
    }
    return out;
}

}  // namespace tx
