#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/core/PageFile.h"
#include "base/Error.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "components/textcontrol/TextEngine.h"

namespace {

class PageFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               (std::string("zv_pagefile_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::wstring PathOf(const std::wstring& name) const { return zv::JoinPath(dir_.wstring(), name); }

    std::filesystem::path dir_;
};

TEST(PageHeader, IsThirtyLittleEndianBytesInTheStoredOrder) {
    PageFileHeader h;
    h.MarginL = 1440;         // 0x5A0
    h.MarginT = -1;           // stays signed
    h.MarginR = 0x01020304;
    h.MarginB = 567;          // 0x237
    h.PageHeight = 9618;      // 0x2592
    h.PageWidth = 15228;      // 0x3B7C
    const auto bytes = PageHeaderBytes(h);
    const unsigned char expected[kPageHeaderSize] = {
        23, 0, 0, 0,                  // format mark
        0xA0, 0x05, 0, 0,             // left
        0xFF, 0xFF, 0xFF, 0xFF,       // top
        0x04, 0x03, 0x02, 0x01,       // right
        0x37, 0x02, 0, 0,             // bottom
        0x92, 0x25, 0, 0,             // height
        0x7C, 0x3B, 0, 0,             // width
        0, 0};                        // reserved
    for (int i = 0; i < kPageHeaderSize; ++i) EXPECT_EQ(static_cast<unsigned char>(bytes[i]), expected[i]) << "byte " << i;

    const PageFileHeader back = ReadPageHeader(std::string_view(bytes.data(), bytes.size()));
    EXPECT_EQ(back.MarginT, -1);
    EXPECT_EQ(back.MarginR, 0x01020304);
    EXPECT_EQ(back.PageWidth, 15228);
    EXPECT_THROW(ReadPageHeader(std::string_view(bytes.data(), 29)), zv::Error);
}

TEST(PageNames, FourDigitsUpToTheLastNumberAndNoFurther) {
    struct Case {
        int number;
        const wchar_t* text;
    } cases[] = {{1, L"0001"}, {42, L"0042"}, {9999, L"9999"}, {10000, L""}, {32767, L""}};
    for (const auto& c : cases) EXPECT_EQ(FormatPageNumber(c.number), c.text) << c.number;

    EXPECT_EQ(PageFileNameOf(1), L"0001.txm");
    EXPECT_EQ(PageFileNameOf(kMaxPageNumber), L"9999.txm");
    for (int bad : {kMaxPageNumber + 1, 32767, 0}) {
        try {
            PageFileNameOf(bad);
            ADD_FAILURE() << bad << " gave a page name";
        } catch (const zv::Error& e) {
            EXPECT_NE(e.Description().find(L"9999"), std::wstring::npos);
        }
    }
}

TEST_F(PageFileTest, StoresTheEnginesPageBehindItsHeaderAndLoadsItBack) {
    tx::TextEngine engine;
    engine.SetPageWidth(15228);
    engine.SetPageHeight(9618);
    engine.SetPageMarginL(720);
    engine.SetPageMarginT(360);
    engine.SetPageMarginR(700);
    engine.SetPageMarginB(300);
    engine.SetSelText(L"Caf\xE9 page\nsecond paragraph");
    engine.SetSelStart(0);
    engine.SetSelLength(4);
    engine.SetBold(true);

    const std::wstring path = PathOf(L"0001.txm");
    WritePageFile(path, engine);
    const std::string bytes = zv::ReadFileBytes(path);
    const PageFileHeader h = ReadPageHeader(bytes);
    EXPECT_EQ(h.FormatMark, 23);
    EXPECT_EQ(h.MarginL, 720);
    EXPECT_EQ(h.MarginT, 360);
    EXPECT_EQ(h.MarginR, 700);
    EXPECT_EQ(h.MarginB, 300);
    EXPECT_EQ(h.PageHeight, 9618);
    EXPECT_EQ(h.PageWidth, 15228);
    EXPECT_EQ(h.Reserved, 0);
    EXPECT_EQ(bytes.substr(kPageHeaderSize), engine.SaveToBytes(tx::kFormatOwn));

    // Another engine with a different page takes the stored one only when asked to.
    tx::TextEngine other;
    other.SetPageWidth(12240);
    LoadPageFile(path, other, false);
    EXPECT_EQ(other.Text(), engine.Text());
    EXPECT_EQ(other.PageWidth(), 12240);
    LoadPageFile(path, other, true);
    EXPECT_EQ(other.PageWidth(), 15228);
    EXPECT_EQ(other.PageHeight(), 9618);
    EXPECT_EQ(other.PageMarginL(), 720);
    EXPECT_EQ(other.PageMarginB(), 300);
    other.SetSelStart(1);
    EXPECT_TRUE(other.Bold());
}

TEST_F(PageFileTest, ARewriteWithLessContentLeavesNoTailOfTheOldPage) {
    const std::wstring path = PathOf(L"0002.txm");
    tx::TextEngine engine;
    engine.SetSelText(std::wstring(5000, L'x'));
    WritePageFile(path, engine);
    const auto longSize = std::filesystem::file_size(dir_ / "0002.txm");

    tx::TextEngine shorter;
    shorter.SetSelText(L"short");
    WritePageFile(path, shorter);
    const std::string bytes = zv::ReadFileBytes(path);
    EXPECT_LT(bytes.size(), longSize);
    EXPECT_EQ(bytes, PageFileBytes(shorter));

    tx::TextEngine reader;
    LoadPageFile(path, reader, true);
    EXPECT_EQ(reader.Text(), L"short");
    // No temporary file is left beside the page.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), std::filesystem::directory_iterator()), 1);
}

TEST_F(PageFileTest, ADamagedPageFailsToLoadAndLeavesTheEngineAsItWas) {
    const std::wstring path = PathOf(L"0003.txm");
    std::ofstream(dir_ / "0003.txm", std::ios::binary) << std::string(kPageHeaderSize, '\0') << "not a page";
    tx::TextEngine engine;
    engine.SetSelText(L"kept");
    EXPECT_THROW(LoadPageFile(path, engine, true), zv::Error);
    EXPECT_EQ(engine.Text(), L"kept");
    EXPECT_THROW(LoadPageFile(PathOf(L"missing.txm"), engine, true), zv::Error);
}

}  // namespace
