#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "base/Error.h"
#include "components/textcontrol/formats/RtfReader.h"
#include "components/textcontrol/formats/RtfWriter.h"
#include "components/textcontrol/layout/TextMeasurer.h"
#include "components/wordproc/WordDocument.h"

namespace {

class WordDocumentTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("word_document_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::wstring Write(const char* name, const std::string& bytes) {
        const auto path = folder_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.wstring();
    }
    static std::string Read(const std::wstring& path) {
        std::ifstream in(std::filesystem::path(path), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::filesystem::path folder_;
};

TEST_F(WordDocumentTest, PagesComeFromBreaksAndFromTextRunningPastThePage) {
    const tx::FixedPitchMeasurer measurer;
    tx::Document breaks;
    breaks.Insert(0, L"one\ftwo\fthree", 0);
    tx::Document overflow;
    // A small page that a few hundred lines cannot share.
    overflow.page = tx::PageSetup{4000, 3000, 500, 500, 500, 500};
    std::wstring lines;
    for (int i = 0; i < 200; ++i) lines += L"line " + std::to_wstring(i) + L"\r";
    overflow.Insert(0, lines, 0);
    tx::Document empty;

    const std::pair<const tx::Document*, int> cases[] = {{&breaks, 3}, {&empty, 1}};
    for (const auto& [doc, pages] : cases) {
        auto d = wordproc::WordDocument::Open(Write("d.doc", tx::WriteRtf(*doc)));
        EXPECT_EQ(d.PageCount(), 0);
        EXPECT_EQ(d.Repaginate(measurer), pages);
        EXPECT_EQ(d.PageCount(), pages);
    }
    auto d = wordproc::WordDocument::Open(Write("long.doc", tx::WriteRtf(overflow)));
    EXPECT_GT(d.Repaginate(measurer), 5);
}

TEST_F(WordDocumentTest, APageNumberJoinsWhatTheFooterHoldsAndSurvivesTheSave) {
    tx::Document d;
    d.Insert(0, L"Body", 0);
    d.EditStory(false).paragraphs.push_back(d.NewParagraph());
    d.EditStory(false).paragraphs.back().text = L"Course notes";
    d.EditStory(false).paragraphs.back().formats.assign(12, 0);
    const std::wstring path = Write("m.doc", tx::WriteRtf(d));

    auto doc = wordproc::WordDocument::Open(path);
    EXPECT_TRUE(doc.Saved());
    doc.AddPageNumber(wordproc::kAlignOutside, true);
    EXPECT_FALSE(doc.Saved());
    doc.Save();
    EXPECT_TRUE(doc.Saved());
    const tx::Document saved = tx::ReadRtf(Read(path));
    ASSERT_EQ(saved.footer.paragraphs.size(), 2u);
    EXPECT_EQ(saved.footer.paragraphs[0].text, L"Course notes");
    EXPECT_EQ(saved.footer.paragraphs[1].text, std::wstring(1, tx::kPageNumberChar));
    EXPECT_EQ(saved.footer.paragraphs[1].format.align, tx::Align::Right);
    EXPECT_EQ(saved.AllText(), L"Body");
}

TEST_F(WordDocumentTest, RefusedRequestsChangeNothing) {
    const std::wstring path = Write("m.doc", tx::WriteRtf(tx::Document()));
    auto doc = wordproc::WordDocument::Open(path);
    for (int alignment : {-1, 5}) EXPECT_THROW(doc.AddPageNumber(alignment, true), zv::Error);
    EXPECT_THROW(doc.AddPageNumber(wordproc::kAlignRight, false), zv::Error);
    EXPECT_TRUE(doc.Content().footer.Empty());
    EXPECT_TRUE(doc.Saved());
}

TEST_F(WordDocumentTest, OpeningNamesTheFileAndWhatIsWrongWithIt) {
    const struct {
        std::wstring path;
        const wchar_t* expected;
    } cases[] = {
        {(folder_ / "none.doc").wstring(), L"does not exist"},
        {Write("plain.doc", "Dear reader"), L"is not a document"},
        {Write("empty.doc", ""), L"is not a document"},
        {Write("cut.doc", "{\\rtf1{\\fonttbl"), L"not a readable document"},
        {L"", L"No file name"},
    };
    for (const auto& c : cases) {
        try {
            wordproc::WordDocument::Open(c.path);
            ADD_FAILURE() << "opened " << testing::PrintToString(c.path);
        } catch (const zv::Error& e) {
            EXPECT_NE(e.Description().find(c.expected), std::wstring::npos) << testing::PrintToString(e.Description());
            if (!c.path.empty()) {
                EXPECT_NE(e.Description().find(c.path), std::wstring::npos);
            }
        }
    }
}

TEST_F(WordDocumentTest, AFailedSaveLeavesTheFileAndReportsIt) {
    const std::wstring path = Write("m.doc", tx::WriteRtf(tx::Document()));
    auto doc = wordproc::WordDocument::Open(path);
    doc.AddPageNumber(wordproc::kAlignRight, true);
    const std::string before = Read(path);
    // The folder goes away under the open document: the save cannot make its temporary file.
    std::filesystem::remove_all(folder_);
    EXPECT_THROW(doc.Save(), zv::Error);
    EXPECT_FALSE(doc.Saved());
    std::filesystem::create_directories(folder_);
    std::ofstream(std::filesystem::path(path), std::ios::binary) << before;
    doc.Save();
    EXPECT_TRUE(doc.Saved());
    EXPECT_FALSE(tx::ReadRtf(Read(path)).footer.Empty());
}

}  // namespace
