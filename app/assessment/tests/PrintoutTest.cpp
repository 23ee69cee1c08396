#include <gtest/gtest.h>

#include "app/assessment/Printout.h"

namespace {

TEST(Printout, LayoutByteForByte) {
    std::vector<AssessmentQuestion> qs(3);
    qs[0] = {L"Sky?", L"Rayleigh", {{L"Green", L"0"}, {L"Blue", L"1"}, {L"Grey", L""}}, L"Link", L"a.htm"};
    qs[1] = {L"Caf\xE9?", L"", {{L"Oui", L"-1"}}, L"", L""};
    qs[2] = {L"", L"", {{}}, L"", L""};  // a new question never filled in is not printed
    const std::string stars(92, '*');
    EXPECT_EQ(AssessmentPrintout(qs),
              "\r\n\xA9 denotes a correct answer.\r\n\r\n\r\n"
              "1.  Sky?\r\n\r\n\r\nGreen\r\n\xA9" "Blue\r\nGrey\r\n\r\n\r\nRayleigh\r\n\r\n" + stars + "\r\n\r\n"
              "2.  Caf\xE9?\r\n\r\n\r\n\xA9Oui\r\n\r\n\r\n\r\n\r\n" + stars + "\r\n\r\n");
    EXPECT_EQ(AssessmentPrintout({}), "\r\n\xA9 denotes a correct answer.\r\n\r\n\r\n");
}

}  // namespace
