#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "base/Error.h"
#include "base/Files.h"
#include "components/textcontrol/formats/TxmFormat.h"
#include "components/textcontrol/tests/FixtureFiles.h"
#include "components/textcontrol/tests/Fixtures.h"
#include "components/textcontrol/tests/ModelCompare.h"

namespace tx {
namespace {

using testing::FullDocument;
using testing::SameModel;

TEST(TxmFormat, FullDocumentRoundTrips) {
    const Document original = FullDocument();
    ASSERT_EQ(original.Validate(), L"");
    // The fixture really holds every kind of content, so the round trip covers them.
    ASSERT_EQ(original.tables.size(), 1u);
    ASSERT_EQ(original.fields.size(), 3u);
    ASSERT_EQ(original.objects.size(), 3u);
    ASSERT_EQ(original.marks.size(), 2u);
    ASSERT_FALSE(original.header.Empty());
    ASSERT_FALSE(original.footer.Empty());
    ASSERT_FALSE(original.styles.empty());

    const std::string bytes = WriteTxm(original);
    const Document loaded = ReadTxm(bytes);
    EXPECT_TRUE(SameModel(original, loaded));
    // Ids survive too: the program keeps field and table ids across a store and load.
    EXPECT_EQ(loaded.fields[1].id, original.fields[1].id);
    EXPECT_EQ(loaded.tables[0].id, original.tables[0].id);
    EXPECT_EQ(loaded.nextFieldId, original.nextFieldId);
    EXPECT_EQ(WriteTxm(loaded), bytes);
}

TEST(TxmFormat, EveryTruncationIsRefusedWithAMessage) {
    const std::string bytes = WriteTxm(FullDocument());
    for (size_t length = 0; length < bytes.size(); ++length) {
        try {
            ReadTxm(std::string_view(bytes).substr(0, length));
            ADD_FAILURE() << "a file cut at " << length << " bytes was accepted";
        } catch (const zv::Error& e) {
            ASSERT_FALSE(e.Description().empty());
        }
    }
}

// Writes a document the model would never produce and patches nothing else: the checksum is
// right, so only the reader's own checks stand between the bytes and the engine.
std::wstring Refusal(const Document& d) {
    try {
        ReadTxm(WriteTxm(d));
    } catch (const zv::Error& e) {
        return e.Description();
    }
    return L"(accepted)";
}

TEST(TxmFormat, InconsistentContentIsRefused) {
    struct Case {
        const char* name;
        void (*spoil)(Document&);
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"field past the end", [](Document& d) { d.fields[0].length = 100000; }, L"field lies outside"},
        {"overlapping fields", [](Document& d) { d.fields[1].start = d.fields[0].start; }, L"overlap"},
        {"field id beyond next id", [](Document& d) { d.nextFieldId = 1; }, L"field id"},
        {"object not at its character", [](Document& d) {
             for (auto& o : d.objects) if (!o.fixed) o.anchor = 0;
         }, L"object"},
        {"object character without object", [](Document& d) { d.paragraphs[0].text[0] = kObjectChar; }, L"object character"},
        {"table cells out of order", [](Document& d) {
             for (auto& p : d.paragraphs) if (p.cell.table && p.cell.row == 2 && p.cell.col == 1) p.cell.col = 3;
         }, L"table"},
        {"table missing a row", [](Document& d) { d.tables[0].rows = 4; d.tables[0].cells.resize(16); }, L"table"},
        {"document ending in a table", [](Document& d) { d.paragraphs.back().cell = d.paragraphs[d.paragraphs.size() - 3].cell; }, L"table"},
        {"format index out of range", [](Document& d) { d.paragraphs[1].formats[0] = 999; }, L"format"},
        {"mark outside the text", [](Document& d) { d.marks[0].position = -5; }, L"mark"},
        {"list level out of range", [](Document& d) { d.paragraphs[2].format.listLevel = 40; }, L"list level"},
        {"zero font size", [](Document& d) { d.charFormats[0].size = 0; }, L"font size"},
        {"page width zero", [](Document& d) { d.page.width = 0; }, L"page width"},
        {"merged cell not a rectangle", [](Document& d) { d.tables[0].Cell(2, 2).merge = merge::kBoth; }, L"merged cells"},
        {"unknown merge mark", [](Document& d) { d.tables[0].Cell(2, 2).merge = 4; }, L"merge marks"},
    };
    for (const auto& c : cases) {
        Document d = FullDocument();
        c.spoil(d);
        const std::wstring message = Refusal(d);
        EXPECT_NE(message.find(c.expected), std::wstring::npos) << c.name << ": " << std::string(message.begin(), message.end());
    }
}

TEST(TxmFormat, HostileLengthsAreRefusedBeforeAllocating) {
    std::string bytes = WriteTxm(FullDocument());
    // The first section's length field claims 4 GB.
    std::string hostile = bytes;
    hostile[18] = hostile[19] = hostile[20] = hostile[21] = '\xFF';
    EXPECT_THROW(ReadTxm(hostile), zv::Error);

    // A paragraph count of 2^32-1 with a valid checksum: refused by the count check, not by running
    // out of memory. Built by hand: header, then one body section holding only the count.
    auto le32 = [](std::uint32_t v) {
        std::string s;
        for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>(v >> (8 * i)));
        return s;
    };
    const std::string format = le32(1) + std::string("A\0", 2) + le32(240) + std::string(1, '\0') + le32(0) + le32(0);
    std::string payload = std::string("\x02\x00", 2) + le32(static_cast<std::uint32_t>(format.size()) + 4) + le32(1) + format +
                          std::string("\x03\x00", 2) + le32(4) + le32(0xFFFFFFFFu);
    std::uint32_t h = 2166136261u;
    for (unsigned char c : payload) h = (h ^ c) * 16777619u;
    const std::string file = std::string("ZVTX\x01\x00\x00\x00", 8) + le32(static_cast<std::uint32_t>(payload.size())) + le32(h) + payload;
    try {
        ReadTxm(file);
        FAIL() << "accepted";
    } catch (const zv::Error& e) {
        EXPECT_NE(e.Description().find(L"paragraph count"), std::wstring::npos);
    }
}

TEST(TxmFormat, OtherFilesAndVersionsAreRefused) {
    EXPECT_THROW(ReadTxm(""), zv::Error);
    EXPECT_THROW(ReadTxm("{\\rtf1 hello}"), zv::Error);
    std::string newer = WriteTxm(Document{});
    newer[4] = static_cast<char>(kTxmVersion + 1);
    try {
        ReadTxm(newer);
        FAIL();
    } catch (const zv::Error& e) {
        EXPECT_NE(e.Description().find(L"version " + std::to_wstring(kTxmVersion + 1)), std::wstring::npos);
    }
    std::string damaged = WriteTxm(FullDocument());
    damaged[damaged.size() / 2] ^= 0x40;
    EXPECT_THROW(ReadTxm(damaged), zv::Error);
}

// Pages stored before the baseline offset existed read as they always did.
TEST(TxmFormat, VersionOnePagesLoadAsBefore) {
    const Document d = ReadTxm(zv::ReadFileBytes(testing::FixturePath(L"page-version1.txm")));
    ASSERT_EQ(d.ParagraphCount(), 2);
    EXPECT_EQ(d.paragraphs[0].text, L"Water is H2O and x2.");
    EXPECT_EQ(d.paragraphs[1].text, L"Second paragraph");
    const CharFormat& first = d.FormatAt(0, 0);
    EXPECT_TRUE(first.bold);
    EXPECT_EQ(first.size, 320);
    EXPECT_EQ(first.face, L"Times New Roman");
    EXPECT_FALSE(d.FormatAt(0, 6).bold);
    for (const auto& f : d.charFormats) EXPECT_EQ(f.baseline, 0);
    // Stored again, it is a current page with the same content.
    EXPECT_TRUE(testing::SameModel(d, ReadTxm(WriteTxm(d))));
}

// Pages stored before cells could be merged read with every cell on its own.
TEST(TxmFormat, VersionTwoPagesWithATableLoadAsBefore) {
    const Document d = ReadTxm(zv::ReadFileBytes(testing::FixturePath(L"page-version2-table.txm")));
    ASSERT_EQ(d.tables.size(), 1u);
    const Table& t = d.tables[0];
    EXPECT_EQ(t.rows, 2);
    EXPECT_EQ(t.cols, 3);
    EXPECT_EQ(t.columnWidths, (std::vector<int>{2000, 4116, 4116}));
    for (const CellAttributes& c : t.cells) {
        EXPECT_EQ(c.merge, 0);
        EXPECT_EQ(c.leftBorder, 30);
    }
    EXPECT_EQ(t.Cell(1, 3).background, 0xC0C0C0u) << "attributes stored before the merge marks still read in place";
    EXPECT_EQ(t.Cell(2, 1).background, kNoColor);
    EXPECT_EQ(t.Cell(2, 2).gridWidth, 45);
    EXPECT_EQ(d.paragraphs[static_cast<size_t>(d.CellParagraphs(t.id, 1, 1).first)].text, L"One");
    EXPECT_EQ(d.paragraphs[static_cast<size_t>(d.CellParagraphs(t.id, 2, 3).first)].text, L"Six");
    EXPECT_TRUE(testing::SameModel(d, ReadTxm(WriteTxm(d))));
}

TEST(TxmFormat, MergedCellsRoundTrip) {
    Document d = FullDocument();
    Table& t = d.tables[0];  // 3 x 4
    t.Cell(1, 2).merge = t.Cell(1, 3).merge = merge::kLeft;
    t.Cell(2, 4).merge = t.Cell(3, 4).merge = merge::kUp;
    ASSERT_EQ(d.Validate(), L"");
    const Document loaded = ReadTxm(WriteTxm(d));
    EXPECT_TRUE(SameModel(d, loaded));
}

TEST(TxmFormat, UnknownSectionsOfALaterMinorVersionAreSkipped) {
    std::string bytes = WriteTxm(FullDocument());
    std::string payload = bytes.substr(16) + std::string("\x40\x00", 2) + std::string("\x03\0\0\0abc", 7);
    std::uint32_t h = 2166136261u;
    for (unsigned char c : payload) h = (h ^ c) * 16777619u;
    std::string file = bytes.substr(0, 8);
    for (std::uint32_t v : {static_cast<std::uint32_t>(payload.size()), h})
        for (int i = 0; i < 4; ++i) file.push_back(static_cast<char>(v >> (8 * i)));
    EXPECT_TRUE(testing::SameModel(FullDocument(), ReadTxm(file + payload)));
}

// The bytes of a page with one section left out, sealed again: a page stored by a program that did
// not know that section.
std::string WithoutSection(const std::string& bytes, std::uint16_t tag) {
    std::string payload;
    for (size_t at = 16; at + 6 <= bytes.size();) {
        const auto u = [&](size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])); };
        const std::uint16_t t = static_cast<std::uint16_t>(u(at) | u(at + 1) << 8);
        const std::uint32_t n = u(at + 2) | u(at + 3) << 8 | u(at + 4) << 16 | u(at + 5) << 24;
        if (t != tag) payload += bytes.substr(at, 6 + n);
        at += 6 + n;
    }
    std::uint32_t h = 2166136261u;
    for (unsigned char c : payload) h = (h ^ c) * 16777619u;
    std::string file = bytes.substr(0, 8);
    for (std::uint32_t v : {static_cast<std::uint32_t>(payload.size()), h})
        for (int i = 0; i < 4; ++i) file.push_back(static_cast<char>(v >> (8 * i)));
    return file + payload;
}

constexpr std::uint16_t kImageAttributesSection = 12;

TEST(TxmFormat, AnImagesDistancesStorageAndSaveFormatRoundTrip) {
    Document d = FullDocument();
    Object* image = nullptr;
    for (auto& o : d.objects)
        if (o.kind == ObjectKind::Image && image == nullptr) image = &o;
    ASSERT_NE(image, nullptr);
    image->distance = {100, 0, 32767, 7};
    image->embedded = false;
    image->saveFormat = 1;
    const std::string bytes = WriteTxm(d);
    const Document loaded = ReadTxm(bytes);
    const Object* back = loaded.FindObject(image->id);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->distance, (std::array<int, 4>{100, 0, 32767, 7}));
    EXPECT_FALSE(back->embedded);
    EXPECT_EQ(back->saveFormat, 1);
    EXPECT_EQ(WriteTxm(loaded), bytes);

    // A page stored before images had these attributes: no room, embedded, no format chosen.
    const Document older = ReadTxm(WithoutSection(bytes, kImageAttributesSection));
    for (const auto& o : older.objects) {
        EXPECT_EQ(o.distance, (std::array<int, 4>{}));
        EXPECT_TRUE(o.embedded);
        EXPECT_EQ(o.saveFormat, 0);
    }
    EXPECT_TRUE(SameModel(d, older));
}

TEST(TxmFormat, ImageAttributesOutOfRangeAreRefused) {
    struct Case {
        const char* name;
        void (*spoil)(Object&);
    };
    const Case cases[] = {
        {"negative distance", [](Object& o) { o.distance[0] = -1; }},
        {"distance beyond 16 bits", [](Object& o) { o.distance[3] = 32768; }},
        {"negative save format", [](Object& o) { o.saveFormat = -1; }},
        {"save format past any list", [](Object& o) { o.saveFormat = 1000; }},
    };
    for (const auto& c : cases) {
        Document d = FullDocument();
        for (auto& o : d.objects)
            if (o.kind == ObjectKind::Image) c.spoil(o);
        const std::wstring message = Refusal(d);
        EXPECT_NE(message.find(L"image"), std::wstring::npos) << c.name << ": " << std::string(message.begin(), message.end());
    }
}

}  // namespace
}  // namespace tx
