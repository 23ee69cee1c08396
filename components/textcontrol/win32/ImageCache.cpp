#include "components/textcontrol/win32/ImageCache.h"

#include <objbase.h>
#include <wincodec.h>

#include <cstring>

namespace tx {
namespace {

template <class T>
struct ComPtr {
    T* p = nullptr;
    ~ComPtr() { if (p) p->Release(); }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
};

// Keeps COM initialised on this thread for as long as a decode runs; a thread that had it already
// (or in another apartment mode) keeps its own.
struct ComScope {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~ComScope() { if (SUCCEEDED(hr)) CoUninitialize(); }
};

DecodedImage DecodeRaster(const std::string& bytes) {
    DecodedImage out;
    ComScope com;
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory))))
        return out;
    ComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(&stream))) return out;
    if (FAILED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                            static_cast<DWORD>(bytes.size()))))
        return out;
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand, &decoder))) return out;
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, &frame))) return out;
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(&converter))) return out;
    if (FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return out;
    UINT w = 0, h = 0;
    if (FAILED(converter->GetSize(&w, &h)) || w == 0 || h == 0 || w > 16384 || h > 16384) return out;
    std::vector<std::uint32_t> px(static_cast<size_t>(w) * h);
    if (FAILED(converter->CopyPixels(nullptr, w * 4, static_cast<UINT>(px.size() * 4), reinterpret_cast<BYTE*>(px.data()))))
        return out;
    // Transparent parts show the white page, as they would on paper. A picture whose alpha is zero
    // everywhere has no real alpha (some decoders leave the channel empty): it is opaque.
    bool anyAlpha = false;
    for (auto p : px) anyAlpha |= (p >> 24) != 0;
    if (!anyAlpha)
        for (auto& p : px) p |= 0xFF000000u;
    for (auto& p : px) {
        const std::uint32_t a = p >> 24;
        if (a == 255) continue;
        auto mix = [a](std::uint32_t c) { return (c * a + 255 * (255 - a)) / 255; };
        p = mix(p & 0xFF) | (mix((p >> 8) & 0xFF) << 8) | (mix((p >> 16) & 0xFF) << 16);
    }
    out.width = static_cast<int>(w);
    out.height = static_cast<int>(h);
    out.pixels = std::move(px);
    return out;
}

DecodedImage DecodeMetafile(const std::string& bytes, ImageType type) {
    DecodedImage out;
    const auto* data = reinterpret_cast<const BYTE*>(bytes.data());
    if (type == ImageType::Emf) {
        out.metafile.Reset(SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), data));
        return out;
    }
    // A placeable metafile starts with a 22-byte header of its own before the Windows metafile.
    size_t skip = 0;
    METAFILEPICT pict{MM_ANISOTROPIC, 0, 0, nullptr};
    if (bytes.size() >= 22 && std::memcmp(data, "\xD7\xCD\xC6\x9A", 4) == 0) {
        skip = 22;
        std::int16_t box[4];
        std::uint16_t inch;
        std::memcpy(box, data + 6, 8);
        std::memcpy(&inch, data + 14, 2);
        if (inch > 0) {
            pict.xExt = MulDiv(box[2] - box[0], 2540, inch);
            pict.yExt = MulDiv(box[3] - box[1], 2540, inch);
        }
    }
    if (bytes.size() <= skip) return out;
    out.metafile.Reset(SetWinMetaFileBits(static_cast<UINT>(bytes.size() - skip), data + skip, nullptr, &pict));
    return out;
}

}  // namespace

DecodedImage DecodeImage(const std::string& bytes, ImageType type) {
    if (bytes.empty()) return {};
    if (type == ImageType::Wmf || type == ImageType::Emf) return DecodeMetafile(bytes, type);
    return DecodeRaster(bytes);
}

const DecodedImage& ImageCache::Get(const std::shared_ptr<const std::string>& bytes, ImageType type) {
    static const DecodedImage kNone;
    if (!bytes) return kNone;
    auto it = entries_.find(bytes.get());
    if (it == entries_.end()) it = entries_.emplace(bytes.get(), Entry{bytes, DecodeImage(*bytes, type)}).first;
    return it->second.image;
}

void ImageCache::Prune() {
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (it->second.bytes.use_count() == 1) it = entries_.erase(it);
        else ++it;
    }
}

void DrawImage(HDC dc, const DecodedImage& image, const RECT& r) {
    if (image.metafile.Get()) {
        PlayEnhMetaFile(dc, image.metafile.Get(), &r);
        return;
    }
    if (image.width > 0 && image.height > 0) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = image.width;
        bi.bmiHeader.biHeight = -image.height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        const int oldMode = SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchDIBits(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, 0, 0, image.width, image.height,
                      image.pixels.data(), &bi, DIB_RGB_COLORS, SRCCOPY);
        SetStretchBltMode(dc, oldMode);
        return;
    }
    // Undecodable bytes: the place the picture takes, so the author sees something is there.
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
}

}  // namespace tx
