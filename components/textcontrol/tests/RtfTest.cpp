#include <gtest/gtest.h>

#include <cctype>

#include "base/Error.h"
#include "components/textcontrol/formats/RtfReader.h"
#include "components/textcontrol/formats/RtfWriter.h"
#include "components/textcontrol/tests/Fixtures.h"
#include "components/textcontrol/tests/ModelCompare.h"

namespace tx {
namespace {

TEST(Rtf, FullDocumentRoundTrips) {
    const Document original = testing::FullDocument();
    const std::string rtf = WriteRtf(original);
    const Document loaded = ReadRtf(rtf);
    EXPECT_TRUE(testing::SameModel(original, loaded));
    EXPECT_EQ(WriteRtf(loaded), rtf);
}

TEST(Rtf, StandardWordsCarryWhatOtherProgramsNeed) {
    const std::string rtf = WriteRtf(testing::FullDocument());
    for (const char* expected : {"\\paperw12240", "\\margl1800", "{\\header", "{\\footer", "\\trowd", "\\cellx",
                                 "\\clcbpat", "\\intbl", "\\cell", "\\row", "{\\field{\\*\\fldinst HYPERLINK \"http://www.example.com/a?b=\\\\\"c\\\\\"\"}",
                                 "HYPERLINK \\\\l \"intro\"", "HYPERLINK \"000042\\\\\\\\0007.txm\"", "{\\pict\\pngblip",
                                 "\\picscalex150", "\\page", "{\\*\\bkmkstart intro}", "\\b", "\\ul", "\\strike",
                                 "{\\stylesheet", "\\pnlvlblt", "\\pnucltr", "\\brdrdb"}) {
        EXPECT_NE(rtf.find(expected), std::string::npos) << expected;
    }
    EXPECT_NE(rtf.find("Caf\\'e9"), std::string::npos);
    EXPECT_NE(rtf.find("\\u937?"), std::string::npos);  // outside Windows-1252: Unicode with a fallback
}

// As a simple word processor writes: no \pard per paragraph, \par at the end of every paragraph.
constexpr const char* kWordPad =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}"
    "{\\f1\\fswiss\\fcharset0 Arial;}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
    "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
    "\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang9 Hello \\b bold\\b0  and \\i italic\\i0 . \\cf1 Red\\cf0\\par\r\n"
    "\\pard\\qc\\f1\\fs32 Centered \\'e0 la carte\\tab tabbed\\par\r\n"
    "}\r\n\0";

TEST(Rtf, ReadsWhatASimpleWordProcessorWrites) {
    const Document d = ReadRtf(kWordPad);
    ASSERT_EQ(d.ParagraphCount(), 3);  // the final \par opens an empty last paragraph
    EXPECT_EQ(d.paragraphs[0].text, L"Hello bold and italic. Red");
    EXPECT_EQ(d.paragraphs[1].text, L"Centered \xE0 la carte\ttabbed");
    EXPECT_EQ(d.paragraphs[2].text, L"");
    EXPECT_EQ(d.paragraphs[0].format.spaceAfter, 200);
    EXPECT_EQ(d.paragraphs[1].format.align, Align::Center);
    auto format = [&](int para, int offset) { return d.charFormats[d.paragraphs[static_cast<size_t>(para)].formats[static_cast<size_t>(offset)]]; };
    EXPECT_EQ(format(0, 0).face, L"Calibri");
    EXPECT_EQ(format(0, 0).size, 220);
    EXPECT_FALSE(format(0, 0).bold);
    EXPECT_TRUE(format(0, 6).bold);
    EXPECT_TRUE(format(0, 15).italic);
    EXPECT_EQ(format(0, 23).color, 0x0000FFu);  // red, as an OLE colour
    EXPECT_EQ(format(0, 0).color, kBlack);
    EXPECT_EQ(format(1, 0).face, L"Arial");
    EXPECT_EQ(format(1, 0).size, 320);
}

// As a full word processor writes: style sheet, list tables, header, bookmarks, a HYPERLINK field
// with switches, Unicode with fallbacks, a table whose rows restate their definitions, nested
// groups everywhere, a picture inside a shape destination with its fallback.
constexpr const char* kWord =
    "{\\rtf1\\adeflang1025\\ansi\\ansicpg1252\\uc1\\adeff0\\deff0\\stshfdbch0{\\fonttbl{\\f0\\froman\\fcharset0\\fprq2"
    "{\\*\\panose 02020603050405020304}Times New Roman{\\*\\falt Times};}{\\f1\\fswiss\\fcharset0 Arial;}}\n"
    "{\\colortbl;\\red0\\green0\\blue0;\\red255\\green255\\blue0;\\red192\\green192\\blue192;}\n"
    "{\\stylesheet{\\ql \\li0\\ri0\\widctlpar\\f0\\fs24 \\snext0 Normal;}{\\s1\\qc\\sb240\\sa60\\b\\f1\\fs32 \\sbasedon0 \\snext0 "
    "heading 1;}{\\*\\cs10 \\additive \\ssemihidden Default Paragraph Font;}}\n"
    "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc23\\levelstartat1{\\leveltext \\'01\\u-3913 ?;}{\\levelnumbers;}"
    "\\fi-360\\li720}{\\listlevel\\levelnfc4{\\leveltext \\'02\\'01.;}{\\levelnumbers\\'01;}}\\listid100}"
    "{\\list\\listtemplateid2{\\listlevel\\levelnfc0{\\leveltext \\'02\\'00.;}{\\levelnumbers\\'01;}}\\listid200}}\n"
    "{\\*\\listoverridetable{\\listoverride\\listid100\\listoverridecount0\\ls1}{\\listoverride\\listid200\\listoverridecount0\\ls2}}\n"
    "{\\info{\\title A test}{\\author Someone}}\\paperw11906\\paperh16838\\margl1417\\margr1417\\margt1417\\margb1134\n"
    "\\sectd {\\header \\pard\\plain \\qr\\f0\\fs20 Running head\\par}{\\footerf \\pard Page one footer\\par}\n"
    "\\pard\\plain \\s1\\qc\\sb240\\sa60\\b\\f1\\fs32 {\\*\\bkmkstart intro}Title{\\*\\bkmkend intro}\\par\n"
    "\\pard\\plain \\ql\\f0\\fs24 Caf\\'e9 {\\uc2\\u8364\\'80\\'80}uro and \\u937\\'3f. "
    "{\\field{\\*\\fldinst {\\rtlch HYPERLINK \"http://example.com/\" \\\\o \"tip\"}}{\\fldrslt {\\ul\\cf2 a link}}} and "
    "{\\field{\\*\\fldinst HYPERLINK \\\\l \"intro\"}{\\fldrslt back}}.\\par\n"
    "{\\listtext\\pard\\plain \\'b7\\tab}\\pard\\plain \\fi-360\\li720\\ls1 bullet\\par\n"
    "{\\listtext\\pard\\plain a.\\tab}\\pard\\plain \\fi-360\\li1440\\ls1\\ilvl1 lettered\\par\n"
    "{\\listtext 1.\\tab}\\pard\\plain \\ls2 numbered\\par\n"
    "\\trowd \\irow0\\ts11\\trgaph108\\trleft-108\\clbrdrt\\brdrs\\brdrw10 \\clbrdrl\\brdrs\\brdrw10 \\clcbpat3\\cellx2000"
    "\\clbrdrt\\brdrs\\brdrw10 \\cellx5000\\pard\\plain \\intbl A1\\cell B1\\par second\\cell"
    "\\trowd \\irow0\\trgaph108\\trleft-108\\clbrdrt\\brdrs\\brdrw10 \\clbrdrl\\brdrs\\brdrw10 \\clcbpat3\\cellx2000"
    "\\clbrdrt\\brdrs\\brdrw10 \\cellx5000\\row\n"
    "\\trowd \\irow1\\trgaph108\\cellx2000\\cellx5000\\pard\\intbl A2\\cell\\row\n"
    "\\pard\\plain after {\\*\\shppict{\\pict\\pngblip\\picw20\\pich10\\picwgoal600\\pichgoal300 "
    "89504e470d0a1a0a0000000d49484452000000140000000a0806000000}}{\\nonshppict{\\pict\\wmetafile8 0100090000}}"
    " end\\page next page\\par\n"
    "{\\*\\themedata 504b0304}{\\footnote \\pard footnote text}}";

TEST(Rtf, ReadsWhatAFullWordProcessorWrites) {
    const Document d = ReadRtf(kWord);
    ASSERT_EQ(d.Validate(), L"");
    EXPECT_EQ(d.page.width, 11906);
    EXPECT_EQ(d.page.marginBottom, 1134);
    ASSERT_EQ(d.header.paragraphs.size(), 1u);
    EXPECT_EQ(d.header.paragraphs[0].text, L"Running head");
    EXPECT_EQ(d.header.paragraphs[0].format.align, Align::Right);
    ASSERT_EQ(d.footer.paragraphs.size(), 1u);
    EXPECT_EQ(d.footer.paragraphs[0].text, L"Page one footer");

    std::vector<std::wstring> texts;
    for (const auto& p : d.paragraphs) texts.push_back(p.text);
    const std::vector<std::wstring> expected = {
        L"Title",
        L"Caf\xE9 \x20ACuro and \x3A9. a link and back.",
        L"bullet",
        L"lettered",
        L"numbered",
        L"A1", L"B1", L"second",
        L"A2", L"",
        std::wstring(L"after ") + kObjectChar + L" end\fnext page",
        L"",
        L"footnote text",  // the note, after the text
    };
    EXPECT_EQ(texts, expected);

    EXPECT_EQ(d.paragraphs[0].format.styleName, L"heading 1");
    ASSERT_EQ(d.styles.size(), 1u);
    EXPECT_EQ(d.styles[0].name, L"heading 1");
    EXPECT_EQ(d.styles[0].para.align, Align::Center);
    EXPECT_TRUE(d.styles[0].chars.bold);
    EXPECT_EQ(d.charFormats[d.paragraphs[0].formats[0]].face, L"Arial");
    EXPECT_EQ(d.charFormats[d.paragraphs[1].formats[0]].face, L"Times New Roman");

    EXPECT_EQ(d.paragraphs[2].format.listKind, ListKind::Bullet);
    EXPECT_EQ(d.paragraphs[3].format.listKind, ListKind::Numbered);
    EXPECT_EQ(d.paragraphs[3].format.numberStyle, NumberStyle::LowerLetter);
    EXPECT_EQ(d.paragraphs[3].format.listLevel, 1);
    EXPECT_EQ(d.paragraphs[4].format.numberStyle, NumberStyle::Arabic);

    ASSERT_EQ(d.fields.size(), 2u);
    EXPECT_EQ(d.Text(d.fields[0].start, d.fields[0].length), L"a link");
    EXPECT_EQ(d.fields[0].kind, kLinkAddress);
    EXPECT_EQ(d.fields[0].target, L"http://example.com/");
    EXPECT_EQ(d.fields[1].kind, kLinkAnchor);
    EXPECT_EQ(d.fields[1].target, L"intro");
    ASSERT_NE(d.FindMark(L"intro"), nullptr);
    EXPECT_EQ(d.FindMark(L"intro")->position, 0);

    ASSERT_EQ(d.tables.size(), 1u);
    const Table& t = d.tables[0];
    EXPECT_EQ(t.rows, 2);
    EXPECT_EQ(t.cols, 2);
    EXPECT_EQ(t.columnWidths, (std::vector<int>{2000, 3000}));
    EXPECT_EQ(t.Cell(1, 1).background, 0xC0C0C0u);
    EXPECT_EQ(t.Cell(1, 1).topBorder, 10);
    EXPECT_EQ(t.Cell(1, 2).leftBorder, 0);
    EXPECT_EQ(t.Cell(2, 1).topBorder, 0);
    EXPECT_EQ(d.paragraphs[9].cell, (CellRef{t.id, 2, 2})) << "a short row is padded with an empty cell";

    ASSERT_EQ(d.objects.size(), 1u) << "the shape's picture, not its fallback";
    EXPECT_EQ(d.objects[0].imageType, ImageType::Png);
    EXPECT_EQ(d.objects[0].width, 600);
    EXPECT_EQ(d.objects[0].height, 300);
}

// Bytes beyond ASCII decode by the font's character set or code page, else by the document's.
TEST(Rtf, BytesDecodeByTheFontsCharsetElseTheDocumentsCodePage) {
    struct Case {
        const char* name;
        std::string rtf;
        std::wstring text;
    };
    const std::string fonts =
        "{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset238 Arial CE;}{\\f2\\fnil\\fcharset128 Gothic;}"
        "{\\f3\\fnil\\fcharset204 Arial Cyr;}{\\f4\\fnil\\cpg1253 Greek;}{\\f5\\fnil\\fcharset136 Ming;}"
        "{\\f6\\fnil\\fcharset134 Song;}{\\f7\\fnil\\fcharset129 Gulim;}{\\f8\\fnil\\fcharset2 Symbol;}}";
    const Case cases[] = {
        {"document code page", "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}", L"\x041F\x0440\x0438\x0432\x0435\x0442"},
        {"ANSI font in a Cyrillic document", "{\\rtf1\\ansi\\ansicpg1251" + fonts + "\\f0 \\'cf\\'f0\\'e8}", L"\x041F\x0440\x0438"},
        {"Cyrillic font in a Western document", "{\\rtf1\\ansi\\ansicpg1252" + fonts + "\\f3 \\'cf\\'f0\\'e8}", L"\x041F\x0440\x0438"},
        {"Central European font", "{\\rtf1\\ansi" + fonts + "\\f1 \\'9a\\'e8\\'f8 \\f0 \\'9a\\'e8}", L"\x0161\x010D\x0159 \x0161\xE8"},
        {"a font's own code page", "{\\rtf1\\ansi" + fonts + "\\f4 \\'e1\\'e2}", L"\x03B1\x03B2"},
        {"Japanese pairs, raw and escaped trails", "{\\rtf1\\ansi" + fonts + "\\f2 \\'93\\'fa\\'96\\'7b\\'83A\\'95\\'5c\\'95\\\\}",
         L"\x65E5\x672C\x30A2\x8868\x8868"},
        {"Japanese single-byte katakana", "{\\rtf1\\ansi" + fonts + "\\f2 \\'b1\\'b2x}", L"\xFF71\xFF72x"},
        {"Traditional Chinese", "{\\rtf1\\ansi" + fonts + "\\f5 \\'a4\\'a4\\'a4\\'e5}", L"\x4E2D\x6587"},
        {"Simplified Chinese", "{\\rtf1\\ansi" + fonts + "\\f6 \\'d6\\'d0\\'ce\\'c4}", L"\x4E2D\x6587"},
        {"Korean", "{\\rtf1\\ansi" + fonts + "\\f7 \\'c7\\'d1\\'b1\\'db}", L"\xD55C\xAE00"},
        {"document code page double-byte", "{\\rtf1\\ansi\\ansicpg932 \\'93\\'fa}", L"\x65E5"},
        {"a lead byte cut off by a brace", "{\\rtf1\\ansi" + fonts + "{\\f2 \\'93}x}", L"\xFFFD" L"x"},
        {"a lead byte before an ASCII byte it cannot pair with", "{\\rtf1\\ansi" + fonts + "\\f2 \\'81 x}", L"\xFFFD x"},
        {"a code page we have no table for", "{\\rtf1\\ansi\\ansicpg1361 \\'e9}", L"\xE9"},
        {"Macintosh", "{\\rtf1\\mac \\'8e\\'a5}", L"\xE9\x2022"},
        {"symbol font bytes as before", "{\\rtf1\\ansi\\ansicpg1251" + fonts + "\\f8 \\'b7}", L"\xB7"},
        {"font names decode by their own charset",
         "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 \\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}}\\f0 x}", L"x"},
    };
    for (const auto& c : cases) {
        const Document d = ReadRtf(c.rtf);
        EXPECT_EQ(d.paragraphs[0].text, c.text) << c.name;
        // What was read is what a save stores: our RTF and the text read back from it agree.
        EXPECT_EQ(ReadRtf(WriteRtf(d)).paragraphs[0].text, c.text) << c.name;
    }
    const Document named = ReadRtf(cases[16].rtf);
    EXPECT_EQ(named.FormatAt(0, 0).face, L"\xFF2D\xFF33 \x660E\x671D");
}

// \uN takes the next \ucN characters as its fallback: a \'hh or a control word counts as one, \bin
// with its data as one, and a brace ends the fallback early. \uc is scoped like a character format.
TEST(Rtf, UnicodeSkipsItsFallbackExactly) {
    struct Case {
        std::string rtf;
        std::wstring text;
    };
    const Case cases[] = {
        {"{\\rtf1 \\u8220\\'93x}", L"\x201Cx"},
        {"{\\rtf1 \\uc2\\u26085\\'93\\'fax}", L"\x65E5x"},
        {"{\\rtf1 \\uc0\\u8220 x}", L"\x201Cx"},
        {"{\\rtf1 \\u8212\\emdash x}", L"\x2014x"},
        {"{\\rtf1 \\u8212\\~x}", L"\x2014x"},
        {"{\\rtf1 {\\uc3\\u937 ab}c}", L"\x3A9" L"c"},
        {"{\\rtf1 \\uc2\\u937\\bin2 xyz!}", L"\x3A9!"},
        {"{\\rtf1 {\\uc2 \\u937 ab}\\u937 cd}", L"\x3A9\x3A9" L"d"},
        {"{\\rtf1 \\u937?\r\n?x}", L"\x3A9?x"},
        {"{\\rtf1 \\u-10179?\\u-8704?!}", L"\U0001F600!"},
        {"{\\rtf1 \\u-8704?x}", L"\xFFFDx"},
        {"{\\rtf1 \\u-10179?x}", L"\xFFFDx"},
        {"{\\rtf1 \\u-10179?\\u937?}", L"\xFFFD\x3A9"},
    };
    for (const auto& c : cases) {
        const Document d = ReadRtf(c.rtf);
        EXPECT_EQ(d.paragraphs[0].text, c.text) << c.rtf;
        EXPECT_EQ(ReadRtf(WriteRtf(d)).paragraphs[0].text, c.text) << c.rtf;
    }
}

// Notes keep their text: after the body, each starting with the number its mark has in the text.
TEST(Rtf, FootnotesAndEndnotesFollowTheTextWithTheirMarks) {
    const Document d = ReadRtf(
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}}\\f0 Water{\\super\\chftn}{\\footnote\\pard\\plain{\\super\\chftn} The "
        "formula.}, ice{\\super\\chftn}{\\footnote\\pard\\plain{\\super\\chftn} Second note.\\par With two paragraphs.}\\par\n"
        "\\trowd\\cellx2000\\pard\\intbl In a cell{\\super *}{\\footnote\\pard\\plain * A custom mark.}\\cell\\row\n"
        "\\pard End{\\super\\chatn}{\\footnote\\ftnalt\\pard\\plain{\\super\\chatn} An endnote.}}");
    ASSERT_EQ(d.Validate(), L"");
    std::vector<std::wstring> texts;
    for (const auto& p : d.paragraphs) texts.push_back(p.text);
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"Water1, ice2", L"In a cell*", L"End3", L"", L"1 The formula.",
                                                L"2 Second note.", L"With two paragraphs.", L"* A custom mark.",
                                                L"3 An endnote."}));
    ASSERT_EQ(d.tables.size(), 1u);
    EXPECT_EQ(d.paragraphs[1].cell.table, d.tables[0].id);
    EXPECT_EQ(d.paragraphs[4].cell.table, 0) << "a note of a cell is no part of the table";
    // Kept through our own RTF.
    std::vector<std::wstring> again;
    for (const auto& p : ReadRtf(WriteRtf(d)).paragraphs) again.push_back(p.text);
    EXPECT_EQ(again, texts);
}

// Lists as other programs read them: one list definition per run of items, \ls and \ilvl on each
// item, and its label as fallback text (\pntext, with the item's own number in \pn).
TEST(Rtf, ListsCarryDefinitionsLevelsAndLabelsForOtherPrograms) {
    Document d;
    const std::pair<const wchar_t*, std::pair<int, NumberStyle>> items[] = {
        {L"One", {0, NumberStyle::Arabic}},     {L"Two", {0, NumberStyle::Arabic}},
        {L"Nested a", {1, NumberStyle::LowerLetter}}, {L"Nested b", {1, NumberStyle::LowerLetter}},
        {L"Three", {0, NumberStyle::Arabic}},
    };
    std::wstring text;
    for (const auto& item : items) text += std::wstring(item.first) + L"\n";
    text += L"Plain\nDot";
    d.Insert(0, text, 0);
    for (int i = 0; i < 5; ++i) {
        ParaFormat& f = d.paragraphs[static_cast<size_t>(i)].format;
        f.listKind = ListKind::Numbered;
        f.listLevel = items[i].second.first;
        f.numberStyle = items[i].second.second;
        f.leftIndent = 100;
    }
    d.paragraphs[6].format.listKind = ListKind::Bullet;
    const std::string rtf = WriteRtf(d);
    for (const char* expected :
         {"{\\*\\listtable", "\\listid1", "\\listid2", "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}",
          "\\levelnfc0\\levelnfcn0", "\\levelnfc4\\levelnfcn4", "\\levelnfc23", "{\\leveltext\\'02\\'01.;}",
          " 1.\\tab}", " 2.\\tab}", " a.\\tab}", " b.\\tab}", " 3.\\tab}", " \\'95\\tab}",
          "\\li460\\fi-360", "\\li820\\fi-360", "\\pnstart2", "\\ls1\\ilvl1", "\\ls2\\ilvl0"}) {
        EXPECT_NE(rtf.find(expected), std::string::npos) << expected;
    }
    EXPECT_LT(rtf.find("\\pnstart3"), rtf.find("Three"));
    // Read back: ours exactly; without our own words, as another program's list.
    EXPECT_TRUE(testing::SameModel(d, ReadRtf(rtf)));
    std::string foreign = rtf;
    for (size_t at; (at = foreign.find("\\zv")) != std::string::npos;) {
        size_t end = at + 3;
        while (end < foreign.size() && (std::isalnum(static_cast<unsigned char>(foreign[end])) || foreign[end] == '-')) ++end;
        foreign.erase(at, end - at);
    }
    const Document other = ReadRtf(foreign);
    for (int i = 0; i < 7; ++i) {
        const ParaFormat& want = d.paragraphs[static_cast<size_t>(i)].format;
        const ParaFormat& got = other.paragraphs[static_cast<size_t>(i)].format;
        EXPECT_EQ(got.listKind, want.listKind) << i;
        EXPECT_EQ(got.listLevel, want.listLevel) << i;
        EXPECT_EQ(got.numberStyle, want.numberStyle) << i;
        EXPECT_EQ(got.leftIndent, want.leftIndent) << i;
        EXPECT_EQ(got.firstIndent, want.firstIndent) << i;
    }
}

// x² and H₂O: \super and \sub make the text two thirds of its size and move it off the baseline,
// \up and \dn move it by half-points; all of it survives our RTF.
TEST(Rtf, SuperscriptSubscriptAndBaselineOffsets) {
    const Document d = ReadRtf(
        "{\\rtf1\\ansi\\fs24 x{\\super 2} H{\\sub 2}O {\\up6 up}{\\dn4 down}{\\super\\up2 both}{\\super\\nosupersub n}"
        "{\\super s\\plain p}}");
    ASSERT_EQ(d.paragraphs[0].text, L"x2 H2O updownbothnsp");
    struct Case {
        int offset, size, baseline;
    };
    const Case cases[] = {{0, 240, 0}, {1, 160, 80}, {4, 160, -40}, {6, 240, 0}, {7, 240, 60},
                          {9, 240, -40}, {13, 160, 100}, {17, 240, 0}, {18, 160, 80}, {19, 240, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(d.FormatAt(0, c.offset).size, c.size) << c.offset;
        EXPECT_EQ(d.FormatAt(0, c.offset).baseline, c.baseline) << c.offset;
    }
    const std::string rtf = WriteRtf(d);
    EXPECT_NE(rtf.find("\\up8"), std::string::npos);
    EXPECT_NE(rtf.find("\\dn4"), std::string::npos);
    EXPECT_TRUE(testing::SameModel(d, ReadRtf(rtf)));
    // An offset that is no whole half-point is kept exactly by our own word.
    Document odd = d;
    odd.ModifyCharFormats(0, 1, [](CharFormat& f) { f.baseline = -33; });
    EXPECT_EQ(ReadRtf(WriteRtf(odd)).FormatAt(0, 0).baseline, -33);
}

TEST(Rtf, LinksBecomeTextWhenNotImported) {
    const Document d = ReadRtf(kWord, false);
    EXPECT_TRUE(d.fields.empty());
    EXPECT_EQ(d.paragraphs[1].text, L"Caf\xE9 \x20ACuro and \x3A9. a link and back.");
}

TEST(Rtf, MalformedInputIsRefusedWithAReason) {
    struct Case {
        std::string input;
        const wchar_t* reason;
    };
    const Case cases[] = {
        {"", L"{\\rtf"},
        {"plain text", L"{\\rtf"},
        {"{\\rtf1 never closed", L"unbalanced"},
        {"{\\rtf1 {\\b nested never closed}", L"unbalanced"},
        {"{\\rtf1 " + std::string(2000, '{') + std::string(2000, '}') + "}", L"nested too deeply"},
        {"{\\rtf1 {\\pict\\bin99999 ab}}", L"binary data"},
        {"{\\rtf1 \\bin-5 x}", L"negative"},
        {"{\\rtf1 text\\", L"backslash"},
        {"{\\rtf1 \\'4", L"escape"},
        {"{\\rtf1 \\'zz}", L"hex digits"},
        {"{\\rtf1 \\" + std::string(40, 'a') + "}", L"too long"},
        {"{\\rtf1 \\fs123456789012}", L"number is too long"},
    };
    for (const auto& c : cases) {
        try {
            ReadRtf(c.input);
            ADD_FAILURE() << "accepted: " << c.input.substr(0, 40);
        } catch (const zv::Error& e) {
            EXPECT_NE(e.Description().find(c.reason), std::wstring::npos)
                << c.input.substr(0, 40) << " -> " << std::string(e.Description().begin(), e.Description().end());
        }
    }
}

TEST(Rtf, OddButValidInputIsRead) {
    // Text after the document's group, unknown words, \* destinations we do not know, a table never
    // closed by \row, a cell count above the definitions, and \u without a fallback.
    using namespace std::literals;
    const Document d = ReadRtf(
        "{\\rtf1\\uc0 a\\unknownword12 b{\\*\\mystery {nested} text}c\\u8364 d"
        "\\par\\trowd\\cellx1000\\intbl x\\cell y\\cell z\\cell}\0\0 trailing"sv);
    EXPECT_EQ(d.Validate(), L"");
    EXPECT_EQ(d.paragraphs[0].text, L"abc\x20AC" L"d");
    ASSERT_EQ(d.tables.size(), 1u);
    EXPECT_EQ(d.tables[0].cols, 3);
    EXPECT_EQ(d.tables[0].rows, 1);

    // Numbers at the edge of their range are clamped, not multiplied into an overflow.
    const Document big = ReadRtf("{\\rtf1\\sl2147483647\\fs2147483647\\li-2147483648 x}"sv);
    EXPECT_EQ(big.paragraphs[0].format.lineSpacing, 1000);
    EXPECT_EQ(big.charFormats[big.paragraphs[0].formats[0]].size, 32760);

    // Binary data is skipped as bytes even in a skipped destination: its braces do not count.
    const Document b = ReadRtf("{\\rtf1 {\\*\\unknown \\bin3 }}}}text}"sv);
    EXPECT_EQ(b.paragraphs[0].text, L"text");
}

TEST(Rtf, PageFieldsNumberHeadersAndFooters) {
    // As word processors write them: switches, the instruction and result in groups of their own,
    // the result the number last shown. In the body a PAGE field keeps its shown text, and no other
    // text makes a page number.
    const Document d = ReadRtf(
        "{\\rtf1{\\footer \\pard\\qr Page {\\field{\\*\\fldinst { page \\\\* MERGEFORMAT }}{\\fldrslt {\\b 12}}} of 3\\par}"
        "{\\header {\\field{\\*\\fldinst PAGEREF x}{\\fldrslt 7}}\\u-560?}"
        "Body {\\field{\\*\\fldinst PAGE}{\\fldrslt 4}} and \\u-560?.}");
    ASSERT_EQ(d.footer.paragraphs.size(), 1u);
    EXPECT_EQ(d.footer.paragraphs[0].text, std::wstring(L"Page ") + kPageNumberChar + L" of 3");
    EXPECT_EQ(d.footer.paragraphs[0].format.align, Align::Right);
    EXPECT_EQ(d.header.paragraphs[0].text, L"7\xFFFD");
    EXPECT_EQ(d.paragraphs[0].text, L"Body 4 and \xFFFD.");

    // Ours reads back as it was written, and stays a field that other readers update.
    const std::string rtf = WriteRtf(d);
    EXPECT_NE(rtf.find("{\\field{\\*\\fldinst PAGE }{\\fldrslt 1}}"), std::string::npos);
    EXPECT_EQ(ReadRtf(rtf).footer.paragraphs[0].text, d.footer.paragraphs[0].text);
}

}  // namespace
}  // namespace tx
