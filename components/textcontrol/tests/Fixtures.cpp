#include "components/textcontrol/tests/Fixtures.h"

#include <stdexcept>

namespace tx::testing {

std::string TinyPng(int width, int height) {
    std::string png("\x89PNG\r\n\x1a\n", 8);
    png += std::string("\0\0\0\x0d", 4) + "IHDR";
    for (int v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<char>((v >> shift) & 0xFF));
    png += std::string("\x08\x06\0\0\0", 5) + std::string(4, '\x11');  // depth, colour type, CRC
    png += std::string("\0\0\0\0", 4) + "IEND" + std::string("\xae\x42\x60\x82", 4);
    return png;
}

void Select(TextEngine& engine, std::wstring_view text) {
    const size_t at = engine.Text().find(text);
    if (at == std::wstring::npos) throw std::logic_error("fixture text not found");
    engine.SetSelStart(static_cast<int>(at));
    engine.SetSelLength(static_cast<int>(text.size()));
}

namespace {

void AppendParagraph(TextEngine& e, std::wstring_view text) {
    e.SetSelStart(e.TextLength());
    e.SetSelText(L"\n");
    e.FormatParagraphs([](ParaFormat& f) { f = ParaFormat{}; });
    e.SetSelText(text);
}

}  // namespace

Document FullDocument() {
    TextEngine e;
    e.SetPageWidth(12240);
    e.SetPageHeight(15840);
    e.SetPageMarginL(1800);
    e.SetPageMarginT(1000);
    e.SetPageMarginR(1700);
    e.SetPageMarginB(900);

    e.SetSelText(L"Heading of the page");
    Style heading;
    heading.name = L"Heading";
    heading.para.align = Align::Center;
    heading.para.spaceAfter = 120;
    heading.chars.face = L"Times New Roman";
    heading.chars.size = 360;
    heading.chars.bold = true;
    e.AddStyle(heading);
    e.SetSelStart(0);
    e.ApplyStyle(L"Heading");
    e.MarkInsert(L"intro");

    AppendParagraph(e, L"Plain text with bold, italic, underlined, struck and coloured words at 11.5 points.");
    Select(e, L"bold");
    e.SetBold(true);
    Select(e, L"italic");
    e.SetItalic(true);
    Select(e, L"underlined");
    e.SetUnderline(true);
    Select(e, L"struck");
    e.SetStrikeout(true);
    Select(e, L"coloured");
    e.SetForeColor(0x0000FF);
    e.SetTextBkColor(0x00FFFF);
    Select(e, L"11.5 points");
    e.SetFontSize(230);
    e.SetFontName(L"Courier New");
    e.SetForeColor(0x8000000F);  // a system colour

    const std::pair<const wchar_t*, std::pair<ListKind, std::pair<int, NumberStyle>>> lists[] = {
        {L"Bulleted item one", {ListKind::Bullet, {0, NumberStyle::Arabic}}},
        {L"Bulleted item two", {ListKind::Bullet, {1, NumberStyle::Arabic}}},
        {L"Numbered A", {ListKind::Numbered, {0, NumberStyle::UpperLetter}}},
        {L"Numbered ii", {ListKind::Numbered, {2, NumberStyle::LowerRoman}}},
        {L"Numbered 1", {ListKind::Numbered, {0, NumberStyle::Arabic}}},
        {L"Numbered a", {ListKind::Numbered, {1, NumberStyle::LowerLetter}}},
        {L"Numbered I", {ListKind::Numbered, {0, NumberStyle::UpperRoman}}},
    };
    for (const auto& [text, list] : lists) {
        AppendParagraph(e, text);
        e.FormatParagraphs([&](ParaFormat& f) {
            f.listKind = list.first;
            f.listLevel = list.second.first;
            f.numberStyle = list.second.second;
        });
    }

    AppendParagraph(e, L"Framed\tparagraph with indents, spacing, tabs and justified text that runs long enough to wrap.");
    e.FormatParagraphs([](ParaFormat& f) {
        f.align = Align::Justify;
        f.leftIndent = 360;
        f.rightIndent = 240;
        f.firstIndent = -180;
        f.spaceBefore = 100;
        f.spaceAfter = 80;
        f.lineSpacing = 150;
        f.tabs = {{720, TabKind::Left}, {2880, TabKind::Right}, {4000, TabKind::Center}, {5000, TabKind::Decimal}};
    });
    e.SetFrameStyle(0x1A45);
    e.SetFrameLineWidth(40);
    e.SetFrameDistance(60);

    AppendParagraph(e, L"Links: ");
    e.FieldInsert(L"web");
    e.SetFieldLinkKind(e.FieldCurrent(), kLinkAddress);
    e.SetFieldLinkTarget(e.FieldCurrent(), L"http://www.example.com/a?b=\"c\"");
    e.SetSelText(L", ");
    e.FieldInsert(L"anchor");
    e.SetFieldLinkKind(e.FieldCurrent(), kLinkAnchor);
    e.SetFieldLinkTarget(e.FieldCurrent(), L"intro");
    e.SetSelText(L" and ");
    e.FieldInsert(L"page");
    e.SetFieldLinkKind(e.FieldCurrent(), kLinkAddress);
    e.SetFieldLinkTarget(e.FieldCurrent(), L"000042\\0007.txm");
    e.SetSelText(L". Caf\xE9 \x20AC \x3A9.");

    AppendParagraph(e, L"Picture here:  after");
    Select(e, L":  after");
    e.SetSelStart(e.SelStart() + 2);
    e.ObjectInsertImage(TinyPng(20, 10), false, -1, 0, 150, 120);

    AppendParagraph(e, L"Before the table");
    AppendParagraph(e, L"");
    const int table = e.TableInsert(3, 4);
    for (int r = 1; r <= 3; ++r) {
        for (int c = 1; c <= 4; ++c) {
            e.SetSelStart(e.TableCellStart(table, r, c));
            e.SetSelText(L"R" + std::to_wstring(r) + L"C" + std::to_wstring(c));
        }
    }
    e.SetSelStart(e.TableCellStart(table, 2, 2) + 4);
    e.SetSelText(L"\nsecond paragraph in a cell");
    e.SetTableCellAttribute(table, 0, 0, cell::kBorderWidth, 15);
    e.SetTableCellAttribute(table, 1, 0, cell::kBackColor, 0xC0C0C0);
    e.SetTableCellAttribute(table, 0, 2, cell::kColumnWidth, 3000);
    e.SetTableCellAttribute(table, 3, 4, cell::kBottomBorder, 45);
    e.SetTableCellAttribute(table, 2, 3, cell::kGridLineWidth, 30);

    e.SetSelStart(e.TextLength());
    e.SetSelText(L"Page break follows\f and more text on the next page.");
    AppendParagraph(e, L"Objects: ");
    e.ObjectInsertAsChar(0x1234, L"", -1, 100, 100);
    e.SetObjectName(e.ObjectCurrent(), L"clip.swf,1");
    e.ObjectInsertImage(TinyPng(40, 30), true, 2000, 3000, 80, 90);
    e.MarkInsert(L"end");

    e.SetHeaderText(L"Header text\nsecond header line");
    e.SetFooterText(std::wstring(L"Footer text, page ") + kPageNumberChar);
    return e.Doc();
}

Document BenchmarkPage() {
    TextEngine e;
    for (int i = 0; i < 20; ++i) {
        if (i) e.SetSelText(L"\n");
        e.SetSelText(L"Paragraph " + std::to_wstring(i) + L" with some ordinary running text: ");
        // 30 fields, one or two per paragraph.
        for (int k = 0; k < (i < 10 ? 2 : 1); ++k) {
            e.FieldInsert(L"link " + std::to_wstring(i * 2 + k));
            e.SetFieldLinkKind(e.FieldCurrent(), kLinkAddress);
            e.SetFieldLinkTarget(e.FieldCurrent(), L"http://www.example.com/page" + std::to_wstring(i));
            e.SetSelText(L" and more words after the link.");
        }
        if (i == 5) {
            Select(e, L"Paragraph 5");
            e.SetBold(true);
            e.SetSelStart(e.TextLength());
        }
        if (i == 10) e.ObjectInsertImage(TinyPng(64, 48), false, -1, 0);
    }
    e.SetSelText(L"\n");
    const int table = e.TableInsert(3, 4);
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 4; ++c) {
            e.SetSelStart(e.TableCellStart(table, r, c));
            e.SetSelText(L"Cell " + std::to_wstring(r) + L"," + std::to_wstring(c));
        }
    return e.Doc();
}

}  // namespace tx::testing
