#include <gtest/gtest.h>

#include <string>

#include "app/dialogs/StyleWords.h"

namespace {

std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

TEST(StyleWords, AStyleIsToldByWhatItSets) {
    tx::Style plain{L"Plain", {}, {}};
    EXPECT_EQ(StyleDescription(plain, 1, L'.'), L"Arial 12 pt; left aligned");

    tx::Style heading{L"Heading", {}, {}};
    heading.chars.face = L"Times New Roman";
    heading.chars.size = 330;
    heading.chars.bold = heading.chars.italic = true;
    heading.para.align = tx::Align::Center;
    heading.para.leftIndent = 720;
    heading.para.spaceAfter = 120;
    heading.para.listKind = tx::ListKind::Numbered;
    EXPECT_EQ(StyleDescription(heading, 1, L'.'),
              L"Times New Roman 16.5 pt, bold, italic; centred aligned, indent left 0.50 inch, space after 6 pt, numbered");
    EXPECT_EQ(StyleDescription(heading, 2, L','),
              L"Times New Roman 16,5 pt, bold, italic; centred aligned, indent left 1,27 cm, space after 6 pt, numbered");
}

TEST(StyleWords, StylesInUseAreThoseAParagraphCarries) {
    tx::Document d;
    d.styles = {{L"Body", {}, {}}, {L"Unused", {}, {}}, {L"Footer", {}, {}}};
    d.paragraphs.resize(2);
    d.paragraphs[1].format.styleName = L"Body";
    d.footer.paragraphs.resize(1);
    d.footer.paragraphs[0].format.styleName = L"Footer";
    std::wstring names;
    for (const auto& s : StylesInUse(d)) names += s.name + L";";
    EXPECT_EQ(names, L"Body;Footer;") << Narrow(names);
}

}  // namespace
