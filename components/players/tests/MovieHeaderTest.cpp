#include "components/players/MovieHeader.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <zlib.h>

#include "base/Error.h"
#include "base/Paths.h"
#include "components/players/tests/MovieFixtures.h"

namespace players {
namespace {

using testing::Compress;
using testing::MakeMovie;
using testing::MovieBody;
using testing::Stage;

constexpr MovieCompression kKinds[] = {MovieCompression::None, MovieCompression::Zlib, MovieCompression::Lzma};

const char* KindName(MovieCompression kind) {
    return kind == MovieCompression::None ? "FWS" : kind == MovieCompression::Zlib ? "CWS" : "ZWS";
}

// Bytes from a literal that holds NUL characters.
template <std::size_t N>
std::string B(const char (&text)[N]) {
    return std::string(text, N - 1);
}

std::wstring FailureOf(std::string_view bytes) {
    try {
        ReadMovieHeader(bytes);
    } catch (const zv::Error& e) {
        return e.Description();
    }
    return L"";
}

void ExpectStage(const MovieHeader& h, const Stage& s) {
    EXPECT_EQ(h.xMin, s.xMin);
    EXPECT_EQ(h.xMax, s.xMax);
    EXPECT_EQ(h.yMin, s.yMin);
    EXPECT_EQ(h.yMax, s.yMax);
}

TEST(MovieHeader, EveryFieldSizeInEveryKind) {
    for (MovieCompression kind : kKinds) {
        for (unsigned bits = 1; bits <= 31; ++bits) {
            SCOPED_TRACE(std::string(KindName(kind)) + " bits " + std::to_string(bits));
            // The extremes a field of this size holds, and one value between.
            const std::int32_t lo = -static_cast<std::int32_t>((1u << (bits - 1)));
            const std::int32_t hi = static_cast<std::int32_t>((1u << (bits - 1)) - 1);
            const Stage stage{bits, lo, hi, hi / 2, lo / 3};
            const std::string body = MovieBody(stage);
            const MovieHeader h = ReadMovieHeader(MakeMovie(kind, body, 0, 7));
            ExpectStage(h, stage);
            EXPECT_EQ(h.compression, kind);
            EXPECT_EQ(h.version, 7);
            EXPECT_EQ(h.declaredLength, 8 + body.size());
        }
    }
}

TEST(MovieHeader, StageSizesInPixels) {
    struct Case {
        const char* name;
        Stage stage;
        std::optional<StagePixels> pixels;
    } cases[] = {
        {"320 x 240", {15, 0, 6400, 0, 4800}, StagePixels{320, 240}},
        {"offset origin", {16, -2000, 4400, 1000, 5800}, StagePixels{320, 240}},
        {"one pixel", {6, 0, 20, 0, 20}, StagePixels{1, 1}},
        {"half pixels round", {14, 0, 6410, 0, 4809}, StagePixels{321, 240}},
        {"zero field size", {0, 0, 0, 0, 0}, std::nullopt},
        {"zero width", {14, 100, 100, 0, 4800}, std::nullopt},
        {"inverted height", {15, 0, 6400, 4800, 0}, std::nullopt},
        {"all negative", {15, -6400, -100, -4800, -20}, StagePixels{315, 239}},
        {"under half a pixel", {5, 0, 9, 0, 9}, std::nullopt},
        {"huge", {31, -(1 << 30), (1 << 30) - 1, 0, (1 << 30) - 1}, StagePixels{107374182, 53687091}},
    };
    for (const Case& c : cases) {
        for (MovieCompression kind : kKinds) {
            SCOPED_TRACE(std::string(c.name) + " " + KindName(kind));
            const MovieHeader h = ReadMovieHeader(MakeMovie(kind, MovieBody(c.stage)));
            ExpectStage(h, c.stage);
            EXPECT_EQ(h.Pixels(), c.pixels);
        }
    }
}

TEST(MovieHeader, EveryCutShortHeadIsRefusedOrReadsTheWholeStage) {
    const Stage stage{20, -300000, 300000, 5, 400000};
    for (MovieCompression kind : kKinds) {
        const std::string movie = MakeMovie(kind, MovieBody(stage));
        const MovieHeader whole = ReadMovieHeader(movie);
        std::size_t shortestRead = movie.size();
        for (std::size_t n = 0; n < movie.size(); ++n) {
            SCOPED_TRACE(std::string(KindName(kind)) + " cut at " + std::to_string(n));
            try {
                const MovieHeader h = ReadMovieHeader(std::string_view(movie).substr(0, n));
                ExpectStage(h, stage);
                EXPECT_EQ(h.declaredLength, whole.declaredLength);
                shortestRead = std::min(shortestRead, n);
            } catch (const zv::Error& e) {
                EXPECT_NE(e.Description().find(L"The movie"), std::wstring::npos);
            }
        }
        // A plain movie needs its eight head bytes and the rectangle's eleven, nothing more.
        if (kind == MovieCompression::None) {
            EXPECT_EQ(shortestRead, 8u + 11u);
        }
    }
}

TEST(MovieHeader, BadSignaturesAndHeadsAreRefused) {
    const std::string body = MovieBody({15, 0, 6400, 0, 4800});
    const std::string good = MakeMovie(MovieCompression::None, body);
    struct Case {
        const char* name;
        std::string bytes;
        const wchar_t* says;
    } cases[] = {
        {"empty", "", L"too short"},
        {"two bytes", "FW", L"too short"},
        {"lower case", "fws" + good.substr(3), L"not a Flash movie"},
        {"other letter", "XWS" + good.substr(3), L"not a Flash movie"},
        {"reversed", "SWF" + good.substr(3), L"not a Flash movie"},
        {"a picture", std::string("\x89PNG\r\n\x1a\n", 8) + body, L"not a Flash movie"},
        {"signature only", "CWS", L"ends inside its header"},
        {"no length", B("ZWS\x0a\x10"), L"ends inside its header"},
        {"no body", good.substr(0, 8), L"ends inside its stage rectangle"},
        {"claims less than its head", MakeMovie(MovieCompression::None, body, 9), L"shorter than its own header"},
        {"zlib garbage", B("CWS\x0a\x40\x00\x00\x00") + std::string(40, '\xAB'), L"damaged compressed data"},
        {"zlib preset dictionary", B("CWS\x0a\x40\x00\x00\x00\x78\xBB\x00\x00\x00\x01") + body,
         L"damaged compressed data"},
        {"LZMA properties out of range",
         B("ZWS\x0a\x40\x00\x00\x00\x10\x00\x00\x00\xE1\x00\x00\x01\x00") + std::string(16, '\0'),
         L"damaged compressed data"},
        {"LZMA tables over 4 bits", B("ZWS\x0a\x40\x00\x00\x00\x10\x00\x00\x00\xE0\x00\x00\x01\x00") + std::string(16, '\0'),
         L"not supported"},
        {"LZMA without properties", B("ZWS\x0a\x40\x00\x00\x00\x10\x00"), L"ends inside its stage rectangle"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring failure = FailureOf(c.bytes);
        EXPECT_NE(failure.find(c.says), std::wstring::npos) << std::string(failure.begin(), failure.end());
    }
}

TEST(MovieHeader, ClaimedLengthSizesNothing) {
    const Stage stage{15, 0, 6400, 0, 4800};
    for (std::uint32_t declared : {0x80000000u, 0xFFFFFFFFu}) {
        for (MovieCompression kind : kKinds) {
            SCOPED_TRACE(KindName(kind));
            const MovieHeader h = ReadMovieHeader(MakeMovie(kind, MovieBody(stage), declared));
            EXPECT_EQ(h.declaredLength, declared);
            EXPECT_EQ(h.Pixels(), (StagePixels{320, 240}));
        }
    }
}

TEST(MovieHeader, OnlyTheRectangleIsDecompressed) {
    const std::string body = MovieBody({15, 0, 6400, 0, 4800});
    // zlib: the rectangle in a flushed first block, then bytes that are no deflate data at all.
    std::string packed(256, '\0');
    z_stream z{};
    ASSERT_EQ(deflateInit(&z, 9), Z_OK);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(body.data()));
    z.avail_in = static_cast<uInt>(body.size());
    z.next_out = reinterpret_cast<Bytef*>(packed.data());
    z.avail_out = static_cast<uInt>(packed.size());
    ASSERT_EQ(deflate(&z, Z_FULL_FLUSH), Z_OK);
    packed.resize(packed.size() - z.avail_out);
    deflateEnd(&z);
    const std::string cws = std::string("CWS\x0a\x00\x00\x00\x40", 8) + packed + std::string(64, '\xFF');
    EXPECT_EQ(ReadMovieHeader(cws).Pixels(), (StagePixels{320, 240}));

    // LZMA: a dictionary of 4 GB in the properties is never allocated; the rectangle decodes
    // into a buffer of its own size.
    std::string zws = MakeMovie(MovieCompression::Lzma, body);
    for (int i = 0; i < 4; ++i) zws[8 + 4 + 1 + i] = '\xFF';
    EXPECT_EQ(ReadMovieHeader(zws).Pixels(), (StagePixels{320, 240}));
}

// What follows the rectangle never changes how it reads, even where the compressed data goes
// bad right after it (the first head was found by fuzzing: its 0xA5 tail made inflate see a
// damaged block past the rectangle and the second read failed).
TEST(MovieHeader, DamageAfterTheRectangleIsNotRead) {
    const std::string heads[] = {
        B("CWS\x0a\x17\x00\x00\x00\x78\xda\x53\x0a\x17\x00\x00\x00\x78\x2a"),
        MakeMovie(MovieCompression::Zlib, MovieBody({15, 0, 6400, 0, 4800})).substr(0, 8 + 2 + 12),
    };
    const std::string tails[] = {std::string(64, '\xA5'), std::string(64, '\xFF'), std::string(64, '\0')};
    for (const std::string& head : heads) {
        SCOPED_TRACE(::testing::PrintToString(head));
        const MovieHeader alone = ReadMovieHeader(head);
        for (const std::string& tail : tails) {
            const MovieHeader more = ReadMovieHeader(head + tail);
            EXPECT_EQ(more.xMin, alone.xMin);
            EXPECT_EQ(more.xMax, alone.xMax);
            EXPECT_EQ(more.yMin, alone.yMin);
            EXPECT_EQ(more.yMax, alone.yMax);
        }
    }
}

TEST(MovieHeader, FromAFileReadsOnlyItsHead) {
    const auto dir = std::filesystem::temp_directory_path() / "zv-movie-header-test";
    std::filesystem::create_directories(dir);
    const auto path = dir / "big.swf";
    {
        std::ofstream out(path, std::ios::binary);
        std::string movie = MakeMovie(MovieCompression::Zlib, MovieBody({15, 0, 6400, 0, 4800}), 0xFFFFFFF0u);
        movie.resize(3 * kMovieHeadBytes, '\x55');  // a long tail the reader has no need of
        out << movie;
    }
    EXPECT_EQ(ReadMovieHeaderFile(zv::WidePath(path)).Pixels(), (StagePixels{320, 240}));

    const std::wstring missing = zv::WidePath(dir / "missing.swf");
    try {
        ReadMovieHeaderFile(missing);
        ADD_FAILURE() << "a missing file was read";
    } catch (const zv::Error& e) {
        EXPECT_NE(e.Description().find(missing), std::wstring::npos);
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace players
