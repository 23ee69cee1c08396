// PDF as other programs read it: the PDF library's command-line tools report its pages, their text
// in order, the fonts it carries and its links.
#include <gtest/gtest.h>

#include <regex>

#include "components/textcontrol/TextEngine.h"
#include "components/textcontrol/formats/Markup.h"
#include "components/textcontrol/formats/PdfFonts.h"
#include "components/textcontrol/formats/PdfWriter.h"
#include "components/textcontrol/layout/Layout.h"
#include "components/textcontrol/tests/ExportCheck.h"
#include "components/textcontrol/tests/Fixtures.h"
#include "components/textcontrol/tests/TestPictures.h"
#include "components/textcontrol/tests/TinyFont.h"

namespace tx {
namespace {

using namespace tx::testing;

struct PdfFile {
    TempFolder folder;
    std::string path;
    explicit PdfFile(const std::string& bytes) : path(folder.File("out.pdf")) { WriteBytes(path, bytes); }

    std::string Tool(const std::string& command, const std::string& after = "") const {
        int status = -1;
        const std::string out = RunCommand(command + " '" + path + "' " + after + " 2>&1", status);
        EXPECT_EQ(status, 0) << command << ": " << out;
        return out;
    }
    std::string PageText(int page) const {
        return Tool("pdftotext -q -f " + std::to_string(page) + " -l " + std::to_string(page), "-");
    }
};

std::string Field(const std::string& info, const std::string& name) {
    std::smatch m;
    const std::regex line("(^|\n)" + name + ":[ \t]*([^\n]*)");
    return std::regex_search(info, m, line) ? m[2].str() : "";
}

// The words of a text with every run of blanks and line ends made one blank.
std::string Words(const std::string& text) {
    std::string out;
    bool blank = true;
    for (char c : text) {
        const bool space = c == ' ' || c == '\n' || c == '\t' || c == '\f' || c == '\r';
        if (space) {
            if (!blank) out.push_back(' ');
            blank = true;
        } else {
            out.push_back(c);
            blank = false;
        }
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

// Each of `parts` found in `text` after the one before it.
void ExpectInOrder(const std::string& text, std::initializer_list<std::string> parts) {
    size_t at = 0;
    for (const std::string& part : parts) {
        const size_t found = text.find(part, at);
        EXPECT_NE(found, std::string::npos) << "\"" << part << "\" not after offset " << at << " in:\n" << text;
        if (found != std::string::npos) at = found + part.size();
    }
}

int LaidOutPages(const Document& d) {
    PdfFonts fonts(FolderFontSource::Default());
    Layout layout;
    layout.SetMeasurer(&fonts);
    Document copy = d;
    layout.Update(copy);
    return layout.PageCount();
}

TEST(PdfExport, TheWholeModelAsPdfReadersSeeIt) {
    const Document d = FullDocument();
    const std::string bytes = WritePdf(d);
    const PdfFile pdf(bytes);

    const std::string info = pdf.Tool("pdfinfo");
    const int pages = LaidOutPages(d);
    ASSERT_GE(pages, 2);  // the page break
    EXPECT_EQ(Field(info, "Pages"), std::to_string(pages));
    EXPECT_EQ(Field(info, "Page size"), "612 x 792 pts (letter)");
    EXPECT_EQ(Field(info, "Title"), "Heading of the page");

    // The first page from the header to the footer, the second after the page break.
    const std::string first = Words(pdf.PageText(1)), second = Words(pdf.PageText(pages));
    ExpectInOrder(first, {"Header text", "second header line", "Heading of the page",
                          "Plain text with bold, italic, underlined, struck and coloured words at 11.5 points.",
                          "Bulleted item one", "Numbered A", "Framed", "Links: web, anchor and page.",
                          "Caf\xC3\xA9 \xE2\x82\xAC \xCE\xA9.", "Picture here: after", "Before the table", "R1C1"});
    // The reader takes the table's columns as columns of text: each cell is there.
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 4; ++c) EXPECT_NE(first.find("R" + std::to_string(r) + "C" + std::to_string(c)), std::string::npos);
    ExpectInOrder(first, {"R1C1", "second paragraph in a cell", "Page break follows", "Footer text, page 1"});
    EXPECT_EQ(first.find("and more text on the next page"), std::string::npos);
    ExpectInOrder(second, {"Header text", "and more text on the next page.", "Objects:",
                           "Footer text, page " + std::to_string(pages)});

    // Each face embedded as a subset with its map back to characters: bold and italic their own.
    const std::string fonts = pdf.Tool("pdffonts");
    std::vector<std::string> names;
    const std::regex row("\n([A-Z]{6}\\+[^ ]+) +CID TrueType +Identity-H +(yes|no) +(yes|no) +(yes|no)");
    for (std::sregex_iterator it(fonts.begin(), fonts.end(), row), end; it != end; ++it) {
        names.push_back((*it)[1].str().substr(7));
        EXPECT_EQ((*it)[2], "yes") << (*it)[1] << " embedded";
        EXPECT_EQ((*it)[3], "yes") << (*it)[1] << " subset";
        EXPECT_EQ((*it)[4], "yes") << (*it)[1] << " maps to Unicode";
    }
    for (const char* face : {"LiberationSans", "LiberationSans-Bold", "LiberationSans-Italic", "LiberationSerif-Bold", "LiberationMono"})
        EXPECT_NE(std::find(names.begin(), names.end(), face), names.end()) << face << " in\n" << fonts;
    EXPECT_EQ(fonts.find("Type 1"), std::string::npos) << fonts;  // nothing fell back

    // The web link leaves as its address; the page link goes to that page's PDF.
    const std::string urls = pdf.Tool("pdfinfo -url");
    EXPECT_NE(urls.find("http://www.example.com/a?b="), std::string::npos) << urls;
    EXPECT_NE(urls.find("000042/0007.pdf"), std::string::npos) << urls;

    // The same document gives the same file.
    EXPECT_EQ(WritePdf(d), bytes);
}

TEST(PdfExport, PagesTakeTheDocumentsPageSizeAndNumberEachFooter) {
    TextEngine e;
    e.SetPageWidth(8000);
    e.SetPageHeight(6000);
    for (int page = 1; page <= 3; ++page) {
        if (page > 1) e.SetSelText(L"\f");
        e.SetSelText(L"Text of page " + std::to_wstring(page));
    }
    e.SetFooterText(std::wstring(L"Page ") + kPageNumberChar + L" of the module");
    const PdfFile pdf(WritePdf(e.Doc()));
    const std::string info = pdf.Tool("pdfinfo");
    EXPECT_EQ(Field(info, "Pages"), "3");
    EXPECT_EQ(Field(info, "Page size"), "400 x 300 pts");
    for (int page = 1; page <= 3; ++page)
        EXPECT_EQ(Words(pdf.PageText(page)),
                  "Text of page " + std::to_string(page) + " Page " + std::to_string(page) + " of the module");
}

TEST(PdfExport, AFontThatMayNotBeCarriedBecomesAStandardOne) {
    // The tiny font's licence forbids embedding: its text is still there, in the standard face.
    TinyFontSource restricted(0x0002);
    TextEngine e;
    e.SetSelText(L"ABBA CAB");
    e.Select(0, e.TextLength());
    e.SetFontName(L"Tiny");
    PdfOptions options;
    options.fonts = &restricted;
    const PdfFile pdf(WritePdf(e.Doc(), options));
    EXPECT_EQ(Words(pdf.PageText(1)), "ABBA CAB");
    const std::string fonts = pdf.Tool("pdffonts");
    EXPECT_NE(fonts.find("Helvetica"), std::string::npos) << fonts;
    EXPECT_EQ(fonts.find("TinySans"), std::string::npos) << fonts;

    // Allowed, the same text goes in the tiny font itself.
    TinyFontSource allowed(0x0000);
    options.fonts = &allowed;
    const PdfFile carried(WritePdf(e.Doc(), options));
    EXPECT_EQ(Words(carried.PageText(1)), "ABBA CAB");
    EXPECT_NE(carried.Tool("pdffonts").find("+TinySans"), std::string::npos);
}

TEST(PdfExport, PicturesGoInOnceAndJpegsAsTheyAre) {
    TextEngine e;
    e.SetSelText(L"Pictures: ");
    e.ObjectInsertImage(kRedJpeg, false, -1, 0, 400, 200);
    e.ObjectInsertImage(kSixTransparentGif, false, -1, 0, 300, 200);
    e.SetSelText(L"\f");
    e.ObjectInsertImage(kRedJpeg, false, -1, 0, 400, 200);
    const std::string bytes = WritePdf(e.Doc());
    // The JPEG's bytes, unchanged and once, though two pages show it.
    const size_t at = bytes.find(kRedJpeg);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(bytes.find(kRedJpeg, at + 1), std::string::npos);

    const PdfFile pdf(bytes);
    const std::string list = pdf.Tool("pdfimages -list");
    std::vector<std::string> rows;
    const std::regex row("\n +([0-9]+) +[0-9]+ +(image|smask) +([0-9]+) +([0-9]+) +(rgb|gray) +[0-9]+ +8 +(jpeg|image)");
    for (std::sregex_iterator it(list.begin(), list.end(), row), end; it != end; ++it)
        rows.push_back((*it)[1].str() + " " + (*it)[2].str() + " " + (*it)[3].str() + "x" + (*it)[4].str() + " " + (*it)[6].str());
    EXPECT_EQ(rows, (std::vector<std::string>{"1 image 8x4 jpeg", "1 image 3x2 image", "1 smask 3x2 image", "2 image 8x4 jpeg"}))
        << list;
}

}  // namespace
}  // namespace tx
