// RTF as other programs write it (tests/fixtures/rtf, made as its README says), and hand-written
// files for code pages, double-byte text, notes, raised text and merged cells. Each file reads to the
// words the program that made it reports (whitespace, punctuation and list labels aside, which the
// programs lay out their own way) and to the structure of its source document.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Files.h"
#include "components/textcontrol/formats/RtfReader.h"
#include "components/textcontrol/formats/RtfWriter.h"
#include "components/textcontrol/tests/FixtureFiles.h"
#include "components/textcontrol/tests/RtfFixtures.h"

namespace tx {
namespace {

TEST(RtfFixtures, EveryFileReadsToTheTextItsProgramReportsAndItsStructure) {
    for (const testing::RtfFixture& c : testing::RtfFixtures()) {
        SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
        const Document d = ReadRtf(zv::ReadFileBytes(testing::FixturePath(L"rtf/" + c.name + L".rtf")));
        ASSERT_EQ(d.Validate(), L"");
        const std::wstring reported = testing::Utf8File(testing::FixturePath(L"rtf/" + c.name + L".txt"));
        EXPECT_EQ(testing::Words(d.AllText()), testing::Words(reported));

        ASSERT_EQ(d.tables.size(), c.tables.size());
        for (size_t i = 0; i < c.tables.size(); ++i) {
            EXPECT_EQ(d.tables[i].rows, c.tables[i].first);
            EXPECT_EQ(d.tables[i].cols, c.tables[i].second);
        }
        std::vector<int> levels;
        for (const auto& p : d.paragraphs)
            if (p.format.listKind != ListKind::None) levels.push_back(p.format.listLevel * (p.format.listKind == ListKind::Bullet ? -1 : 1) - (p.format.listKind == ListKind::Bullet ? 1 : 0));
        EXPECT_EQ(levels, c.listLevels);
        std::vector<std::wstring> links;
        for (const auto& f : d.fields) links.push_back(f.target);
        EXPECT_EQ(links, c.links);
        int images = 0;
        for (const auto& o : d.objects) images += o.kind == ObjectKind::Image ? 1 : 0;
        EXPECT_EQ(images, c.images);

        // Our own RTF of it keeps every word.
        EXPECT_EQ(testing::Words(ReadRtf(WriteRtf(d)).AllText()), testing::Words(d.AllText()));
    }
}

// Other programs mark the first cell of a merged cell and the ones that continue it; the merged
// cells read as such, and our own RTF says so again in the same words.
TEST(RtfFixtures, MergedCellsReadMergedAndSurviveOurRtf) {
    const Document d = ReadRtf(zv::ReadFileBytes(testing::FixturePath(L"rtf/merged-cells.rtf")));
    ASSERT_EQ(d.tables.size(), 1u);
    const std::vector<CellSpan> spans = d.tables[0].Spans();
    const auto span = [&](int r, int c) { return spans[static_cast<size_t>((r - 1) * 3 + c - 1)]; };
    EXPECT_EQ(span(1, 2), (CellSpan{1, 1, 1, 2})) << "the heading covers two columns";
    EXPECT_EQ(span(3, 1), (CellSpan{2, 1, 2, 1})) << "\"Tall\" covers two rows";
    EXPECT_EQ(span(1, 3), (CellSpan{1, 3, 1, 1}));
    EXPECT_EQ(span(3, 2), (CellSpan{3, 2, 1, 1}));

    const std::string ours = WriteRtf(d);
    for (const char* word : {"\\clmgf", "\\clmrg", "\\clvmgf", "\\clvmrg"})
        EXPECT_NE(ours.find(word), std::string::npos) << word;
    EXPECT_EQ(ReadRtf(ours).tables[0].cells, d.tables[0].cells);
}

}  // namespace
}  // namespace tx
