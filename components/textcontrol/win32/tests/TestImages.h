#pragma once
// Small picture files made with the platform's own encoders, for tests that insert and draw them.

#include <windows.h>

#include <objbase.h>
#include <wincodec.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tx::testing {

// Encodes a 4 x 4 picture of one colour with the imaging component's encoder.
inline std::string EncodeSolid(const GUID& container, std::uint32_t bgra) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory, reinterpret_cast<void**>(&factory));
    if (!factory) return {};
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    IWICBitmapEncoder* encoder = nullptr;
    factory->CreateEncoder(container, nullptr, &encoder);
    std::string out;
    if (encoder && stream && SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache))) {
        IWICBitmapFrameEncode* frame = nullptr;
        encoder->CreateNewFrame(&frame, nullptr);
        frame->Initialize(nullptr);
        frame->SetSize(4, 4);
        WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
        frame->SetPixelFormat(&format);
        const int stride = format == GUID_WICPixelFormat24bppBGR ? 12 : 16;
        std::vector<BYTE> px(static_cast<size_t>(stride) * 4);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                for (int c = 0; c < stride / 4; ++c) px[static_cast<size_t>(y * stride + x * (stride / 4) + c)] = static_cast<BYTE>(bgra >> (8 * c));
        frame->WritePixels(4, stride, static_cast<UINT>(px.size()), px.data());
        frame->Commit();
        encoder->Commit();
        frame->Release();
        HGLOBAL mem = nullptr;
        GetHGlobalFromStream(stream, &mem);
        STATSTG st{};
        stream->Stat(&st, STATFLAG_NONAME);
        const char* p = static_cast<const char*>(GlobalLock(mem));
        out.assign(p, static_cast<size_t>(st.cbSize.QuadPart));
        GlobalUnlock(mem);
    }
    if (encoder) encoder->Release();
    if (stream) stream->Release();
    factory->Release();
    return out;
}

// A placeable Windows metafile of a filled rectangle, 1 x 1 inch.
inline std::string RedMetafile() {
    HDC dc = CreateMetaFileW(nullptr);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    SelectObject(dc, red);
    SelectObject(dc, GetStockObject(NULL_PEN));
    SetWindowExtEx(dc, 100, 100, nullptr);
    Rectangle(dc, 0, 0, 101, 101);
    HMETAFILE mf = CloseMetaFile(dc);
    DeleteObject(red);
    const UINT size = GetMetaFileBitsEx(mf, 0, nullptr);
    std::string bits(size, '\0');
    GetMetaFileBitsEx(mf, size, bits.data());
    DeleteMetaFile(mf);
    std::uint16_t head[11] = {0xCDD7, 0x9AC6, 0, 0, 0, 100, 100, 100, 0, 0, 0};
    std::uint16_t sum = 0;
    for (int i = 0; i < 10; ++i) sum ^= head[i];
    head[10] = sum;
    return std::string(reinterpret_cast<const char*>(head), 22) + bits;
}

}  // namespace tx::testing
