#include "app/dialogs/PageChooserRows.h"

#include <gtest/gtest.h>

namespace {

std::vector<ChooserPage> ThreePages() {
    return {{L"0001.txm", L"Title", L""}, {L"0002.txm", L"Topic", L"Safety"}, {L"0007.txm", L"Question", L""}};
}

TEST(PageChooserRows, CaptionsNameEachPageAndAnotherModulesPagesByNumber) {
    PageChooserRows rows;
    rows.Show(ThreePages(), false, L"000123", L"C:\\m\\000123");
    EXPECT_EQ(rows.Caption(0), L"Page 1\r\nPage Type: Title\r\nFile Name: 0001.txm");
    EXPECT_EQ(rows.Caption(1), L"Page 2\r\nPage Type: Topic\r\nTopic Name: Safety\r\nFile Name: 0002.txm");
    EXPECT_EQ(rows.Caption(2), L"Page 3\r\nPage Type: Question\r\nFile Name: 0007.txm");

    rows.Show(ThreePages(), true, L"000456", L"C:\\m\\000456");
    for (int row = 0; row < 3; ++row) EXPECT_EQ(rows.Caption(row), L"Page " + std::to_wstring(row + 1));
}

TEST(PageChooserRows, ALinkNeedsAPageChosenAmongTheRowsShownNow) {
    PageChooserRows rows;
    rows.Show(ThreePages(), false, L"000123", L"folder");
    EXPECT_EQ(rows.LinkTarget(), std::nullopt);  // nothing chosen yet
    rows.Select(2);
    EXPECT_EQ(rows.LinkTarget(), L"000123\\0007.txm");
    for (int outside : {-1, 3, 40000}) {
        rows.Select(outside);
        EXPECT_EQ(rows.Selected(), 2) << outside;
    }

    // New rows forget a selection that may lie past them.
    rows.Show({{L"0001.txm", L"Title", L""}}, true, L"000456", L"other");
    EXPECT_EQ(rows.Selected(), -1);
    EXPECT_EQ(rows.LinkTarget(), std::nullopt);
    rows.Select(0);
    EXPECT_EQ(rows.LinkTarget(), L"000456\\0001.txm");

    rows.Show({}, false, L"000123", L"folder");  // a module with no pages
    EXPECT_EQ(rows.Count(), 0);
    rows.Select(0);
    EXPECT_EQ(rows.LinkTarget(), std::nullopt);
}

TEST(PageChooserRows, PlacesShowTheRowsFromTheScrollValueOn) {
    EXPECT_EQ(RowSlotsFor(7170, 3360), 3);  // two whole rows and a cut one
    EXPECT_EQ(RowSlotsFor(6720, 3360), 2);
    EXPECT_EQ(RowSlotsFor(0, 3360), 1);
    struct Case {
        int slot, firstRow, count, row;
    } cases[] = {
        {0, 0, 1, 0},       {1, 0, 1, -1},        {0, 0, 0, -1},          {2, 9996, 9999, 9998},
        {3, 9996, 9999, -1}, {0, 9998, 9999, 9998}, {1, 2147483647, 9999, -1}, {-1, 0, 5, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(RowInSlot(c.slot, c.firstRow, c.count), c.row) << c.slot << " " << c.firstRow;
}

}  // namespace
