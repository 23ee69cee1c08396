// Pictures read for a PDF page: JPEG headers (the bytes pass through), and PNG, BMP and GIF decoded
// to 8-bit samples with their transparency, from pictures made here and by an image program.
#include <gtest/gtest.h>

#include <zlib.h>

#include <functional>

#include "base/Error.h"
#include "components/textcontrol/formats/Deflate.h"
#include "components/textcontrol/formats/Raster.h"
#include "components/textcontrol/tests/TestPictures.h"

namespace tx {
namespace {

using namespace tx::testing;

TEST(Pictures, JpegHeadersSayWhatPassesThrough) {
    struct Case {
        const std::string* bytes;
        int width, height, components;
        bool inverted;
    };
    const Case cases[] = {
        {&kRedJpeg, 8, 4, 3, false},
        {&kCmykJpeg, 4, 2, 4, true},
        {&kGreyJpeg, 3, 5, 1, false},
        {&kProgressiveJpeg, 6, 6, 3, false},
    };
    for (const Case& c : cases) {
        const auto info = ReadJpegHeader(*c.bytes);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->width, c.width);
        EXPECT_EQ(info->height, c.height);
        EXPECT_EQ(info->components, c.components);
        EXPECT_EQ(info->invertedCmyk, c.inverted);
    }
    EXPECT_FALSE(ReadJpegHeader(Png({1, 1, 8, 0, {Bytes({0})}})));
    // Cut before its frame, or a segment that claims to be shorter than its own length field.
    EXPECT_THROW(ReadJpegHeader(kRedJpeg.substr(0, 30)), zv::Error);
    std::string bad = kRedJpeg;
    bad[4] = 0;
    bad[5] = 1;
    EXPECT_THROW(ReadJpegHeader(bad), zv::Error);
}

TEST(Pictures, PngInEveryColourTypeDepthAndFilter) {
    struct Case {
        const char* name;
        PngSpec spec;
        int components;
        std::string samples, alpha;
    };
    const Case cases[] = {
        {"grey 1-bit, 10 wide", {10, 2, 1, 0, {Bytes({0xA5, 0xC0}), Bytes({0x00, 0x40})}}, 1,
         Bytes({255, 0, 255, 0, 0, 255, 0, 255, 255, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255}), ""},
        {"grey 8-bit, a transparent grey", {3, 1, 8, 0, {Bytes({10, 20, 10})}, 0, false, "", Bytes({0, 10})}, 1,
         Bytes({10, 20, 10}), Bytes({0, 255, 0})},
        {"colour, every filter", {2, 5, 8, 2, {Bytes({1, 2, 3, 4, 5, 6}), Bytes({7, 8, 9, 250, 251, 252}), Bytes({0, 0, 0, 9, 9, 9}),
                                                Bytes({200, 100, 50, 25, 12, 6}), Bytes({255, 255, 255, 0, 0, 0})}, 5}, 3,
         Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 250, 251, 252, 0, 0, 0, 9, 9, 9, 200, 100, 50, 25, 12, 6, 255, 255, 255, 0, 0, 0}), ""},
        {"palette 2-bit, partly transparent", {4, 1, 2, 3, {Bytes({0x1B})}, 0, false, Bytes({255, 0, 0, 0, 255, 0, 0, 0, 255, 9, 9, 9}), Bytes({128})}, 3,
         Bytes({255, 0, 0, 0, 255, 0, 0, 0, 255, 9, 9, 9}), Bytes({128, 255, 255, 255})},
        {"colour and alpha, 16-bit", {1, 1, 16, 6, {Bytes({0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0x80, 0x00})}}, 3,
         Bytes({0x12, 0x56, 0x9A}), Bytes({0x80})},
        {"grey and alpha", {2, 1, 8, 4, {Bytes({50, 0, 60, 255})}, 2}, 1, Bytes({50, 60}), Bytes({0, 255})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Raster r = DecodePng(Png(c.spec));
        EXPECT_EQ(r.width, c.spec.width);
        EXPECT_EQ(r.height, c.spec.height);
        EXPECT_EQ(r.components, c.components);
        EXPECT_EQ(r.samples, c.samples);
        EXPECT_EQ(r.alpha, c.alpha);
    }
}

TEST(Pictures, AnInterlacedPngIsThePictureItInterlaces) {
    PngSpec plain{9, 9, 8, 2, {}};
    for (int y = 0; y < 9; ++y) {
        std::string row;
        for (int x = 0; x < 9; ++x) row += Bytes({x * 20, y * 20, (x * y) % 256});
        plain.rows.push_back(row);
    }
    PngSpec interlaced = plain;
    interlaced.interlaced = true;
    interlaced.filter = 5;
    const Raster a = DecodePng(Png(plain)), b = DecodePng(Png(interlaced));
    EXPECT_EQ(a.samples.size(), 9u * 9u * 3u);
    EXPECT_EQ(a.samples, b.samples);
}

TEST(Pictures, DamagedPngsAreRefusedWithAReason) {
    const std::string good = Png({2, 2, 8, 0, {Bytes({1, 2}), Bytes({3, 4})}});
    auto patched = [&](size_t at, char v) {
        std::string s = good;
        s[at] = v;
        return s;
    };
    auto header = [](int width, int height, int depth, int colour) {
        std::string h = Be32(static_cast<std::uint32_t>(width)) + Be32(static_cast<std::uint32_t>(height));
        h += {static_cast<char>(depth), static_cast<char>(colour), 0, 0, 0};
        return std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", h);
    };
    const std::string rowsOf2x2 = Chunk("IDAT", Deflate(Bytes({0, 1, 2, 0, 3, 4}))) + Chunk("IEND", "");
    const std::pair<std::string, const wchar_t*> cases[] = {
        {"GIF89a", L"not a PNG"},
        {patched(20, 9), L"check sum mismatch"},
        {good.substr(0, 8) + Chunk("IDAT", "x") + good.substr(8), L"header chunk is not first"},
        {header(2, 2, 3, 2) + rowsOf2x2, L"do not go together"},
        {header(100000, 100000, 8, 0) + rowsOf2x2, L"larger than the text control draws"},
        {header(0, 2, 8, 0) + rowsOf2x2, L"no size"},
        {header(2, 2, 8, 3) + rowsOf2x2, L"palette is missing"},
        {header(2, 3, 8, 0) + rowsOf2x2, L"shorter than the picture"},
        {header(2, 2, 8, 0) + Chunk("IDAT", Deflate(Bytes({7, 1, 2, 0, 3, 4}))) + Chunk("IEND", ""), L"unknown filter"},
        {header(2, 2, 8, 0) + Chunk("IDAT", "not zlib at all") + Chunk("IEND", ""), L"damaged"},
        {header(2, 2, 8, 0) + Chunk("IDAT", Deflate(std::string(1000, '\0'))) + Chunk("IEND", ""), L"larger than it says"},
        {good.substr(0, good.size() - 20), L"the data ends"},
    };
    for (const auto& [bytes, reason] : cases) {
        try {
            DecodePng(bytes);
            ADD_FAILURE() << "accepted: " << std::string(reason, reason + wcslen(reason));
        } catch (const zv::Error& e) {
            EXPECT_NE(e.Description().find(reason), std::wstring::npos) << std::string(e.Description().begin(), e.Description().end());
        }
    }
}

// ---------------------------------------------------------------- BMP

std::string Le(std::uint32_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s.push_back(static_cast<char>(v >> (8 * i)));
    return s;
}

std::string Bmp(int width, int height, int bits, const std::string& palette, const std::string& pixels, std::uint32_t compression = 0,
                std::uint32_t headerSize = 40, const std::string& masks = "") {
    std::string info = Le(headerSize, 4) + Le(static_cast<std::uint32_t>(width), 4) + Le(static_cast<std::uint32_t>(height), 4) +
                       Le(1, 2) + Le(static_cast<std::uint32_t>(bits), 2) + Le(compression, 4) + Le(static_cast<std::uint32_t>(pixels.size()), 4) +
                       Le(2835, 4) + Le(2835, 4) + Le(0, 4) + Le(0, 4);
    info += masks;
    info.resize(headerSize + masks.size() * (headerSize == 40 ? 1 : 0), '\0');
    if (headerSize > 40) info.replace(40, masks.size(), masks);
    const std::uint32_t offset = 14 + static_cast<std::uint32_t>(info.size() + palette.size());
    return "BM" + Le(offset + static_cast<std::uint32_t>(pixels.size()), 4) + Le(0, 4) + Le(offset, 4) + info + palette + pixels;
}

TEST(Pictures, BitmapsOfEveryDepthTheyAreWrittenIn) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string samples, alpha;
    };
    const Case cases[] = {
        // Rows from the bottom, padded to four bytes: two 3-pixel rows of blue-green-red pixels.
        {"24-bit, bottom up", Bmp(3, 2, 24, "", Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 10, 11, 12, 13, 14, 15, 16, 17, 18, 0, 0, 0})),
         Bytes({12, 11, 10, 15, 14, 13, 18, 17, 16, 3, 2, 1, 6, 5, 4, 9, 8, 7}), ""},
        {"1-bit palette, top down", Bmp(3, -1, 1, Bytes({0, 0, 0, 0, 255, 255, 255, 0}), Bytes({0xA0, 0, 0, 0})),
         Bytes({255, 255, 255, 0, 0, 0, 255, 255, 255}), ""},
        {"16-bit, five bits a colour", Bmp(1, 1, 16, "", Bytes({0x1F, 0x7C, 0, 0})), Bytes({255, 0, 255}), ""},
        {"32-bit with an alpha mask", Bmp(1, 1, 32, "", Bytes({1, 2, 3, 128}), 3, 108, Le(0xFF0000, 4) + Le(0xFF00, 4) + Le(0xFF, 4) + Le(0xFF000000u, 4)),
         Bytes({3, 2, 1}), Bytes({128})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Raster r = DecodeBmp(c.bytes);
        EXPECT_EQ(r.samples, c.samples);
        EXPECT_EQ(r.alpha, c.alpha);
    }
    const std::pair<std::string, const wchar_t*> refused[] = {
        {Bmp(1, 1, 8, "", Bytes({0, 1, 0, 0}), 1), L"compressed bitmaps"},
        {Bmp(1, 1, 24, "", Bytes({0, 0, 0, 0}), 0, 20), L"unknown size"},
        {Bmp(1, 1, 7, "", Bytes({0, 0, 0, 0})), L"bits per pixel"},
        {Bmp(4, 4, 24, "", Bytes({0, 0, 0, 0})), L"the data ends inside the pixels"},
        {Bmp(1, 1, 8, "", Bytes({0, 0, 0, 0})).substr(0, 40), L"the data ends"},
    };
    for (const auto& [bytes, reason] : refused) {
        try {
            DecodeBmp(bytes);
            ADD_FAILURE() << "accepted: " << std::string(reason, reason + wcslen(reason));
        } catch (const zv::Error& e) {
            EXPECT_NE(e.Description().find(reason), std::wstring::npos) << std::string(e.Description().begin(), e.Description().end());
        }
    }
}

// ---------------------------------------------------------------- GIF

TEST(Pictures, GifsWithTheirTransparencyAndInterlacing) {
    const std::string six = Bytes({255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 255, 0, 0});
    const Raster plain = DecodeGif(kSixGif);
    EXPECT_EQ(plain.width, 3);
    EXPECT_EQ(plain.height, 2);
    EXPECT_EQ(plain.samples, six);
    EXPECT_EQ(plain.alpha, "");
    const Raster clear = DecodeGif(kSixTransparentGif);
    EXPECT_EQ(clear.alpha, Bytes({255, 255, 255, 0, 255, 255}));
    const Raster rows = DecodeGif(kRowsInterlacedGif);
    EXPECT_EQ(rows.samples, Bytes({255, 0, 0, 255, 0, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255, 255, 0, 0, 0, 0, 0, 0}));
    EXPECT_THROW(DecodeGif("GIF89a"), zv::Error);
    EXPECT_THROW(DecodeGif(kSixGif.substr(0, kSixGif.size() - 8)), zv::Error);
    std::string noPicture = kSixGif.substr(0, 37) + ";";  // the trailer where the picture should be
    EXPECT_THROW(DecodeGif(noPicture), zv::Error);
}

}  // namespace
}  // namespace tx
