#include <gtest/gtest.h>

#include <random>

#include "components/textcontrol/TextEngine.h"
#include "components/textcontrol/formats/RtfReader.h"
#include "components/textcontrol/formats/RtfWriter.h"
#include "components/textcontrol/formats/TxmFormat.h"
#include "components/textcontrol/tests/Fixtures.h"
#include "components/textcontrol/tests/ModelCompare.h"

namespace tx {
namespace {

// Random sequences of the members the editor calls, from fixed seeds. After every step the model
// must still be valid and laid out.
void RandomEdits(TextEngine& e, unsigned seed, int steps) {
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const wchar_t* texts[] = {L"a", L"word ", L"\n", L"two\nlines", L"\t", L"\f", L""};
    for (int i = 0; i < steps; ++i) {
        e.SetSelStart(pick(e.TextLength() + 1));
        if (pick(3) == 0) e.SetSelLength(pick(20));
        switch (pick(15)) {
        case 0: case 1: case 2: e.SetSelText(texts[pick(7)]); break;
        case 3: e.TypeChar(static_cast<wchar_t>(L'a' + pick(26))); break;
        case 4: e.DeleteBackward(); break;
        case 5: e.DeleteForward(); break;
        case 6: e.SetBold(pick(2) == 0); break;
        case 7: e.FormatParagraphs([&](ParaFormat& f) { f.listKind = pick(2) ? ListKind::Numbered : ListKind::None; }); break;
        case 8: e.FieldInsert(L"link"); break;
        case 9: e.FieldInsertOverSelection(); break;
        case 10: e.TableInsert(1 + pick(3), 1 + pick(3)); break;
        case 11:
            if (pick(2)) e.TableInsertRow(pick(2) == 0);
            else e.TableInsertColumn(pick(2) == 0);
            break;
        case 12:
            if (pick(2)) e.TableDeleteRows();
            else e.TableDeleteColumn();
            break;
        case 13: e.ObjectInsertImage(testing::TinyPng(8, 8), pick(2) == 0, -1, 100); break;
        case 14: e.Paste(e.Copy()); break;
        }
        ASSERT_EQ(e.Doc().Validate(), L"") << "seed " << seed << " step " << i;
        ASSERT_GE(e.PageCount(), 1);
    }
}

TEST(EditSequence, RandomEditsKeepTheModelValidAndSurviveBothFormats) {
    FixedPitchMeasurer measurer;
    for (unsigned seed : {1u, 2u, 3u}) {
        TextEngine e;
        e.SetMeasurer(&measurer);
        e.LoadFromBytes(WriteTxm(testing::FullDocument()), kFormatOwn);
        RandomEdits(e, seed, 150);
        EXPECT_TRUE(testing::SameModel(e.Doc(), ReadTxm(WriteTxm(e.Doc())))) << "seed " << seed;
        EXPECT_TRUE(testing::SameModel(e.Doc(), ReadRtf(WriteRtf(e.Doc())))) << "seed " << seed;
    }
}

TEST(EditSequence, UndoingEveryStepRestoresTheStart) {
    FixedPitchMeasurer measurer;
    TextEngine e;
    e.SetMeasurer(&measurer);
    e.LoadFromBytes(WriteTxm(testing::FullDocument()), kFormatOwn);
    const Document start = e.Doc();
    RandomEdits(e, 7, 60);  // fewer steps than the history keeps
    const Document end = e.Doc();
    while (e.CanUndo()) e.Undo();
    EXPECT_TRUE(testing::SameModel(start, e.Doc()));
    while (e.CanRedo()) e.Redo();
    EXPECT_TRUE(testing::SameModel(end, e.Doc()));
}

}  // namespace
}  // namespace tx
