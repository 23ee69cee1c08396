#include "components/textcontrol/formats/Raster.h"

#include <zlib.h>

#include <algorithm>
#include <vector>

#include "components/textcontrol/formats/BigEndian.h"
#include "components/textcontrol/formats/Deflate.h"

namespace tx {
namespace {

void CheckSize(const BigEndianView& v, std::int64_t width, std::int64_t height) {
    if (width <= 0 || height <= 0) v.Fail(L"the picture has no size");
    if (width * height > kMaxRasterPixels) v.Fail(L"the picture is larger than the text control draws");
}

// Little-endian reads over the same bounded view (BMP and GIF).
std::uint16_t Le16(const BigEndianView& v, std::size_t at, const wchar_t* what) {
    const std::string_view b = v.Bytes(at, 2, what);
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[0]) | static_cast<unsigned char>(b[1]) << 8);
}
std::uint32_t Le32(const BigEndianView& v, std::size_t at, const wchar_t* what) {
    return Le16(v, at, what) | static_cast<std::uint32_t>(Le16(v, at + 2, what)) << 16;
}

}  // namespace

// ---------------------------------------------------------------- JPEG

std::optional<JpegInfo> ReadJpegHeader(std::string_view bytes) {
    const BigEndianView v(bytes, L"The JPEG picture cannot be read");
    if (bytes.size() < 4 || v.U16(0, L"the signature") != 0xFFD8) return std::nullopt;
    JpegInfo info;
    bool adobe = false;
    std::size_t at = 2;
    for (;;) {
        if (v.U8(at, L"a marker") != 0xFF) v.Fail(L"a marker is missing", at);
        while (v.U8(at, L"a marker") == 0xFF) ++at;
        const std::uint8_t marker = v.U8(at++, L"a marker");
        if (marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7)) continue;
        if (marker == 0xD9 || marker == 0xDA) v.Fail(L"the picture data comes before its frame", at);
        const std::uint16_t length = v.U16(at, L"a segment's length");
        if (length < 2) v.Fail(L"a segment is shorter than its length field", at);
        if (marker == 0xEE && length >= 14 && v.Bytes(at + 2, 5, L"a marker") == "Adobe") adobe = true;
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            // Baseline, extended and progressive frames of 8-bit samples are what documents carry.
            if (marker > 0xC2) v.Fail(L"the picture is a kind of JPEG documents do not carry", at - 1);
            if (v.U8(at + 2, L"the sample precision") != 8) v.Fail(L"the picture's samples are not 8 bits", at + 2);
            info.height = v.U16(at + 3, L"the height");
            info.width = v.U16(at + 5, L"the width");
            info.components = v.U8(at + 7, L"the component count");
            CheckSize(v, info.width, info.height);
            if (info.components != 1 && info.components != 3 && info.components != 4)
                v.Fail(L"the picture has " + std::to_wstring(info.components) + L" colour components", at + 7);
            info.invertedCmyk = adobe && info.components == 4;
            return info;
        }
        at += length;
    }
}

// ---------------------------------------------------------------- PNG

namespace {

struct PngHeader {
    int width = 0, height = 0, depth = 8, colour = 0;
    bool interlaced = false;
    int Channels() const { return colour == 0 || colour == 3 ? 1 : colour == 2 ? 3 : colour == 4 ? 2 : 4; }
    std::size_t RowBytes(int w) const { return (static_cast<std::size_t>(w) * static_cast<size_t>(Channels() * depth) + 7) / 8; }
};

int Paeth(int a, int b, int c) {
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// Undoes the row filters of one picture (or one interlace pass) in place.
void Unfilter(const BigEndianView& v, std::string& data, std::size_t at, int rows, std::size_t rowBytes, std::size_t bpp) {
    for (int y = 0; y < rows; ++y) {
        const std::size_t row = at + static_cast<size_t>(y) * (rowBytes + 1);
        const int filter = static_cast<unsigned char>(data[row]);
        if (filter > 4) v.Fail(L"a row has an unknown filter");
        auto* cur = reinterpret_cast<unsigned char*>(&data[row + 1]);
        const unsigned char* prev = y > 0 ? reinterpret_cast<unsigned char*>(&data[row - rowBytes]) : nullptr;
        for (std::size_t i = 0; i < rowBytes; ++i) {
            const int a = i >= bpp ? cur[i - bpp] : 0, b = prev ? prev[i] : 0, c = prev && i >= bpp ? prev[i - bpp] : 0;
            int add = 0;
            switch (filter) {
            case 1: add = a; break;
            case 2: add = b; break;
            case 3: add = (a + b) / 2; break;
            case 4: add = Paeth(a, b, c); break;
            default: break;
            }
            cur[i] = static_cast<unsigned char>(cur[i] + add);
        }
    }
}

}  // namespace

Raster DecodePng(std::string_view bytes) {
    const BigEndianView v(bytes, L"The PNG picture cannot be read");
    // Bytes that are no PNG at all are told so, however few there are.
    const std::string_view signature("\x89PNG\r\n\x1a\n", 8);
    if (bytes.substr(0, 8) != signature.substr(0, std::min<size_t>(8, bytes.size()))) v.Fail(L"it is not a PNG picture");
    v.Bytes(0, 8, L"the signature");
    PngHeader h;
    bool seenHeader = false;
    std::string palette, paletteAlpha, idat;
    int keyGrey = -1, keyRed = -1, keyGreen = -1, keyBlue = -1;
    std::size_t at = 8;
    for (;;) {
        const std::uint32_t length = v.U32(at, L"a chunk's length");
        const std::string_view type = v.Bytes(at + 4, 4, L"a chunk's type");
        const std::string_view data = v.Bytes(at + 8, length, L"a chunk");
        const std::uint32_t crc = v.U32(at + 8 + length, L"a chunk's check sum");
        const auto computed = static_cast<std::uint32_t>(
            crc32(crc32(0, reinterpret_cast<const Bytef*>(type.data()), 4), reinterpret_cast<const Bytef*>(data.data()),
                  static_cast<uInt>(data.size())));
        if (crc != computed) v.Fail(L"a chunk is damaged (check sum mismatch)", at);
        const BigEndianView c = v.Sub(at + 8, length, L"a chunk");
        if (!seenHeader && type != "IHDR") v.Fail(L"the header chunk is not first", at);
        if (type == "IHDR") {
            h.width = static_cast<int>(std::min<std::uint32_t>(c.U32(0, L"the width"), 0x7FFFFFFF));
            h.height = static_cast<int>(std::min<std::uint32_t>(c.U32(4, L"the height"), 0x7FFFFFFF));
            h.depth = c.U8(8, L"the bit depth");
            h.colour = c.U8(9, L"the colour type");
            if (c.U8(10, L"the compression") != 0 || c.U8(11, L"the filter method") != 0) c.Fail(L"its compression is unknown");
            const int interlace = c.U8(12, L"the interlace method");
            if (interlace > 1) c.Fail(L"its interlace method is unknown", 12);
            h.interlaced = interlace == 1;
            const bool valid = (h.colour == 0 && (h.depth == 1 || h.depth == 2 || h.depth == 4 || h.depth == 8 || h.depth == 16)) ||
                               (h.colour == 3 && (h.depth == 1 || h.depth == 2 || h.depth == 4 || h.depth == 8)) ||
                               ((h.colour == 2 || h.colour == 4 || h.colour == 6) && (h.depth == 8 || h.depth == 16));
            if (!valid) c.Fail(L"its colour type and bit depth do not go together", 8);
            CheckSize(c, h.width, h.height);
            seenHeader = true;
        } else if (type == "PLTE") {
            if (length % 3 != 0 || length > 768) c.Fail(L"the palette has a wrong size");
            palette = data;
        } else if (type == "tRNS") {
            if (h.colour == 3) paletteAlpha = data.substr(0, 256);
            else if (h.colour == 0) keyGrey = c.U16(0, L"the transparent grey");
            else if (h.colour == 2) {
                keyRed = c.U16(0, L"the transparent colour");
                keyGreen = c.U16(2, L"the transparent colour");
                keyBlue = c.U16(4, L"the transparent colour");
            }
        } else if (type == "IDAT") {
            idat += data;
        } else if (type == "IEND") {
            break;
        }
        at += 12 + static_cast<size_t>(length);
    }
    if (h.colour == 3 && palette.empty()) v.Fail(L"the palette is missing");

    // The filtered rows: of the whole picture, or of the seven interlace passes one after another.
    struct Pass {
        int x0, y0, dx, dy;
    };
    static const Pass kWhole[] = {{0, 0, 1, 1}};
    static const Pass kAdam7[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    const Pass* passes = h.interlaced ? kAdam7 : kWhole;
    const int passCount = h.interlaced ? 7 : 1;
    std::size_t expected = 0;
    for (int p = 0; p < passCount; ++p) {
        const int w = h.width > passes[p].x0 ? (h.width - passes[p].x0 + passes[p].dx - 1) / passes[p].dx : 0;
        const int rows = h.height > passes[p].y0 ? (h.height - passes[p].y0 + passes[p].dy - 1) / passes[p].dy : 0;
        if (w > 0 && rows > 0) expected += static_cast<size_t>(rows) * (h.RowBytes(w) + 1);
    }
    std::string raw = Inflate(idat, expected);
    if (raw.size() < expected) v.Fail(L"the picture data is shorter than the picture");

    Raster out;
    out.width = h.width;
    out.height = h.height;
    const bool grey = h.colour == 0 || h.colour == 4;
    out.components = grey ? 1 : 3;
    const bool hasAlpha = h.colour == 4 || h.colour == 6 || !paletteAlpha.empty() || keyGrey >= 0 || keyRed >= 0;
    const std::size_t pixels = static_cast<size_t>(h.width) * static_cast<size_t>(h.height);
    out.samples.assign(pixels * static_cast<size_t>(out.components), '\0');
    if (hasAlpha) out.alpha.assign(pixels, '\xFF');
    const std::size_t bpp = std::max<std::size_t>(1, static_cast<size_t>(h.Channels() * h.depth) / 8);
    const int maxLow = (1 << h.depth) - 1;

    std::size_t offset = 0;
    for (int p = 0; p < passCount; ++p) {
        const int w = h.width > passes[p].x0 ? (h.width - passes[p].x0 + passes[p].dx - 1) / passes[p].dx : 0;
        const int rows = h.height > passes[p].y0 ? (h.height - passes[p].y0 + passes[p].dy - 1) / passes[p].dy : 0;
        if (w <= 0 || rows <= 0) continue;
        const std::size_t rowBytes = h.RowBytes(w);
        Unfilter(v, raw, offset, rows, rowBytes, bpp);
        for (int y = 0; y < rows; ++y) {
            const auto* row = reinterpret_cast<const unsigned char*>(raw.data() + offset + static_cast<size_t>(y) * (rowBytes + 1) + 1);
            // Sample k of pixel x at full depth.
            auto sample = [&](int x, int k) -> int {
                const std::size_t index = static_cast<size_t>(x) * static_cast<size_t>(h.Channels()) + static_cast<size_t>(k);
                if (h.depth == 8) return row[index];
                if (h.depth == 16) return row[2 * index] << 8 | row[2 * index + 1];
                const std::size_t bit = index * static_cast<size_t>(h.depth);
                return (row[bit / 8] >> (8 - h.depth - static_cast<int>(bit % 8))) & maxLow;
            };
            auto eight = [&](int value) {
                return static_cast<char>(h.depth == 16 ? value >> 8 : h.depth == 8 ? value : value * 255 / maxLow);
            };
            const int py = passes[p].y0 + y * passes[p].dy;
            for (int x = 0; x < w; ++x) {
                const std::size_t at2 = static_cast<size_t>(py) * static_cast<size_t>(h.width) +
                                        static_cast<size_t>(passes[p].x0 + x * passes[p].dx);
                char* dest = &out.samples[at2 * static_cast<size_t>(out.components)];
                switch (h.colour) {
                case 0:
                    dest[0] = eight(sample(x, 0));
                    if (keyGrey >= 0 && sample(x, 0) == keyGrey) out.alpha[at2] = 0;
                    break;
                case 2:
                    for (int k = 0; k < 3; ++k) dest[k] = eight(sample(x, k));
                    if (keyRed >= 0 && sample(x, 0) == keyRed && sample(x, 1) == keyGreen && sample(x, 2) == keyBlue)
                        out.alpha[at2] = 0;
                    break;
                case 3: {
                    const auto index = static_cast<size_t>(sample(x, 0));
                    if (index * 3 + 2 < palette.size()) std::copy_n(&palette[index * 3], 3, dest);
                    if (!paletteAlpha.empty()) out.alpha[at2] = index < paletteAlpha.size() ? paletteAlpha[index] : '\xFF';
                    break;
                }
                case 4:
                    dest[0] = eight(sample(x, 0));
                    out.alpha[at2] = eight(sample(x, 1));
                    break;
                default:
                    for (int k = 0; k < 3; ++k) dest[k] = eight(sample(x, k));
                    out.alpha[at2] = eight(sample(x, 3));
                    break;
                }
            }
        }
        offset += static_cast<size_t>(rows) * (rowBytes + 1);
    }
    if (!out.alpha.empty() && std::all_of(out.alpha.begin(), out.alpha.end(), [](char a) { return a == '\xFF'; }))
        out.alpha.clear();
    return out;
}

// ---------------------------------------------------------------- BMP

Raster DecodeBmp(std::string_view bytes) {
    const BigEndianView v(bytes, L"The bitmap cannot be read");
    if (v.Bytes(0, 2, L"the signature") != "BM") v.Fail(L"it is not a bitmap");
    const std::uint32_t dataAt = Le32(v, 10, L"the place of the pixels");
    const std::uint32_t headerSize = Le32(v, 14, L"the header size");
    std::int64_t width, height;
    int bits;
    std::uint32_t compression = 0, colours = 0;
    std::size_t paletteAt, entry;
    std::uint32_t masks[4] = {0, 0, 0, 0};
    if (headerSize == 12) {
        width = Le16(v, 18, L"the width");
        height = Le16(v, 20, L"the height");
        bits = Le16(v, 24, L"the bits per pixel");
        paletteAt = 26;
        entry = 3;
    } else if (headerSize >= 40) {
        width = static_cast<std::int32_t>(Le32(v, 18, L"the width"));
        height = static_cast<std::int32_t>(Le32(v, 22, L"the height"));
        bits = Le16(v, 28, L"the bits per pixel");
        compression = Le32(v, 30, L"the compression");
        colours = Le32(v, 46, L"the colour count");
        paletteAt = 14 + static_cast<size_t>(headerSize);
        entry = 4;
        if (compression == 3 || compression == 6) {
            // The colour masks follow a short header, or are part of a longer one.
            const std::size_t masksAt = headerSize == 40 ? paletteAt : 54;
            for (int k = 0; k < (compression == 6 || headerSize >= 56 ? 4 : 3); ++k)
                masks[k] = Le32(v, masksAt + 4 * static_cast<size_t>(k), L"a colour mask");
            if (headerSize == 40) paletteAt += compression == 6 ? 16 : 12;
        } else if (compression != 0) {
            v.Fail(L"compressed bitmaps are not read", 30);
        }
    } else {
        v.Fail(L"its header is of an unknown size", 14);
    }
    const bool topDown = height < 0;
    height = std::abs(height);
    CheckSize(v, width, height);
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        v.Fail(L"it has " + std::to_wstring(bits) + L" bits per pixel", 28);
    if (bits == 16 && masks[0] == 0) masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    std::string palette;
    if (bits <= 8) {
        const std::uint32_t count = colours == 0 || colours > (1u << bits) ? (1u << bits) : colours;
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::string_view e = v.Bytes(paletteAt + i * entry, 3, L"the palette");
            palette += {e[2], e[1], e[0]};
        }
    }
    const std::size_t rowSize = (static_cast<size_t>(width) * static_cast<size_t>(bits) + 31) / 32 * 4;
    const std::string_view pixels = v.Bytes(dataAt, rowSize * static_cast<size_t>(height), L"the pixels");

    Raster out;
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.components = 3;
    out.samples.resize(static_cast<size_t>(width * height * 3));
    const bool alpha = masks[3] != 0;
    if (alpha) out.alpha.resize(static_cast<size_t>(width * height));
    auto channel = [](std::uint32_t value, std::uint32_t mask) -> char {
        if (mask == 0) return 0;
        int shift = 0;
        while (!((mask >> shift) & 1)) ++shift;
        const std::uint32_t max = mask >> shift;
        return static_cast<char>(((value & mask) >> shift) * 255 / max);
    };
    for (std::int64_t y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const unsigned char*>(pixels.data() + (topDown ? y : height - 1 - y) * static_cast<std::int64_t>(rowSize));
        for (std::int64_t x = 0; x < width; ++x) {
            char* dest = &out.samples[static_cast<size_t>((y * width + x) * 3)];
            if (bits <= 8) {
                const std::size_t bit = static_cast<size_t>(x) * static_cast<size_t>(bits);
                const std::size_t index = (row[bit / 8] >> (8 - bits - static_cast<int>(bit % 8))) & ((1u << bits) - 1);
                if (index * 3 + 2 < palette.size()) std::copy_n(&palette[index * 3], 3, dest);
                else dest[0] = dest[1] = dest[2] = 0;
            } else if (bits == 24 || (bits == 32 && masks[0] == 0)) {
                const unsigned char* p = row + x * (bits / 8);
                dest[0] = static_cast<char>(p[2]);
                dest[1] = static_cast<char>(p[1]);
                dest[2] = static_cast<char>(p[0]);
            } else {
                const unsigned char* p = row + x * (bits / 8);
                const std::uint32_t value = bits == 16 ? static_cast<std::uint32_t>(p[0] | p[1] << 8)
                                                       : static_cast<std::uint32_t>(p[0] | p[1] << 8 | p[2] << 16) | static_cast<std::uint32_t>(p[3]) << 24;
                for (int k = 0; k < 3; ++k) dest[k] = channel(value, masks[k]);
                if (alpha) out.alpha[static_cast<size_t>(y * width + x)] = channel(value, masks[3]);
            }
        }
    }
    return out;
}

// ---------------------------------------------------------------- GIF

Raster DecodeGif(std::string_view bytes) {
    const BigEndianView v(bytes, L"The GIF picture cannot be read");
    const std::string_view signature = v.Bytes(0, 6, L"the signature");
    if (signature != "GIF87a" && signature != "GIF89a") v.Fail(L"it is not a GIF picture");
    const int screenW = Le16(v, 6, L"the screen width"), screenH = Le16(v, 8, L"the screen height");
    const std::uint8_t flags = v.U8(10, L"the screen flags");
    CheckSize(v, screenW, screenH);
    std::string_view globalTable;
    std::size_t at = 13;
    if (flags & 0x80) {
        const std::size_t size = 3u << ((flags & 7) + 1);
        globalTable = v.Bytes(at, size, L"the colour table");
        at += size;
    }
    int transparent = -1;
    for (;;) {
        const std::uint8_t block = v.U8(at, L"a block");
        if (block == 0x3B) v.Fail(L"it holds no picture", at);
        if (block == 0x21) {
            const std::uint8_t label = v.U8(at + 1, L"an extension");
            at += 2;
            if (label == 0xF9 && v.U8(at, L"an extension") >= 4 && (v.U8(at + 1, L"an extension") & 1))
                transparent = v.U8(at + 4, L"the transparent colour");
            while (const std::uint8_t n = v.U8(at, L"an extension's data")) at += 1 + static_cast<size_t>(n);
            ++at;
            continue;
        }
        if (block != 0x2C) v.Fail(L"a block is of an unknown kind", at);
        break;
    }
    const int left = Le16(v, at + 1, L"the picture's place"), top = Le16(v, at + 3, L"the picture's place");
    const int w = Le16(v, at + 5, L"the picture's width"), h = Le16(v, at + 7, L"the picture's height");
    const std::uint8_t imageFlags = v.U8(at + 9, L"the picture's flags");
    CheckSize(v, w, h);
    at += 10;
    std::string_view table = globalTable;
    if (imageFlags & 0x80) {
        const std::size_t size = 3u << ((imageFlags & 7) + 1);
        table = v.Bytes(at, size, L"the picture's colour table");
        at += size;
    }
    const int minCodeSize = v.U8(at++, L"the code size");
    if (minCodeSize < 1 || minCodeSize > 11) v.Fail(L"the code size is out of range", at - 1);
    std::string data;
    while (const std::uint8_t n = v.U8(at, L"the picture's data")) {
        data += v.Bytes(at + 1, n, L"the picture's data");
        at += 1 + static_cast<size_t>(n);
    }

    // The codes, into colour indices.
    const std::size_t count = static_cast<size_t>(w) * static_cast<size_t>(h);
    std::vector<std::uint8_t> indices;
    indices.reserve(count);
    {
        const int clear = 1 << minCodeSize, end = clear + 1;
        std::vector<std::uint16_t> prefix(4096);
        std::vector<std::uint8_t> suffix(4096), first(4096);
        std::vector<std::uint8_t> stack;
        for (int i = 0; i < clear; ++i) suffix[static_cast<size_t>(i)] = first[static_cast<size_t>(i)] = static_cast<std::uint8_t>(i);
        int codeSize = minCodeSize + 1, next = end + 1, previous = -1;
        std::uint32_t bits = 0;
        int bitCount = 0;
        std::size_t pos = 0;
        while (indices.size() < count) {
            while (bitCount < codeSize && pos < data.size()) {
                bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[pos++])) << bitCount;
                bitCount += 8;
            }
            if (bitCount < codeSize) break;  // the data ends early: the rest stays the first colour
            const int code = static_cast<int>(bits & ((1u << codeSize) - 1));
            bits >>= codeSize;
            bitCount -= codeSize;
            if (code == clear) {
                codeSize = minCodeSize + 1;
                next = end + 1;
                previous = -1;
                continue;
            }
            if (code == end) break;
            if (code > next || (code == next && previous < 0)) v.Fail(L"the picture's codes are damaged");
            int walk = code == next ? previous : code;
            stack.clear();
            while (walk >= clear) {
                stack.push_back(suffix[static_cast<size_t>(walk)]);
                walk = prefix[static_cast<size_t>(walk)];
            }
            stack.push_back(static_cast<std::uint8_t>(walk));
            const std::uint8_t head = static_cast<std::uint8_t>(walk);
            if (code == next) stack.insert(stack.begin(), head);
            for (auto it = stack.rbegin(); it != stack.rend() && indices.size() < count; ++it) indices.push_back(*it);
            if (previous >= 0 && next < 4096) {
                prefix[static_cast<size_t>(next)] = static_cast<std::uint16_t>(previous);
                suffix[static_cast<size_t>(next)] = head;
                ++next;
                if (next == (1 << codeSize) && codeSize < 12) ++codeSize;
            }
            previous = code;
        }
        indices.resize(count, 0);
    }

    Raster out;
    out.width = screenW;
    out.height = screenH;
    out.components = 3;
    out.samples.assign(static_cast<size_t>(screenW) * static_cast<size_t>(screenH) * 3, '\xFF');
    out.alpha.assign(static_cast<size_t>(screenW) * static_cast<size_t>(screenH), '\0');  // outside the picture: clear
    const bool interlaced = imageFlags & 0x40;
    std::vector<int> rowOrder;
    if (interlaced) {
        for (auto [startRow, step] : {std::pair{0, 8}, std::pair{4, 8}, std::pair{2, 4}, std::pair{1, 2}})
            for (int y = startRow; y < h; y += step) rowOrder.push_back(y);
    } else {
        for (int y = 0; y < h; ++y) rowOrder.push_back(y);
    }
    for (int r = 0; r < h; ++r) {
        const int y = top + rowOrder[static_cast<size_t>(r)];
        if (y >= screenH) continue;
        for (int x = 0; x < w; ++x) {
            if (left + x >= screenW) break;
            const int index = indices[static_cast<size_t>(r) * static_cast<size_t>(w) + static_cast<size_t>(x)];
            const std::size_t p = static_cast<size_t>(y) * static_cast<size_t>(screenW) + static_cast<size_t>(left + x);
            if (index == transparent) continue;
            if (static_cast<size_t>(index) * 3 + 2 < table.size()) std::copy_n(&table[static_cast<size_t>(index) * 3], 3, &out.samples[p * 3]);
            out.alpha[p] = '\xFF';
        }
    }
    if (std::all_of(out.alpha.begin(), out.alpha.end(), [](char a) { return a == '\xFF'; })) out.alpha.clear();
    return out;
}

}  // namespace tx
