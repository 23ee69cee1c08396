// The export formats read back by other programs' parsers: HTML and its style sheet as browsers
// read them, the flat OpenDocument text as word processors read XML.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "components/textcontrol/TextEngine.h"
#include "components/textcontrol/formats/HtmlReader.h"
#include "components/textcontrol/formats/HtmlWriter.h"
#include "components/textcontrol/formats/Markup.h"
#include "components/textcontrol/formats/OdtWriter.h"
#include "components/textcontrol/tests/ExportCheck.h"
#include "components/textcontrol/tests/Fixtures.h"

namespace tx {
namespace {

using namespace tx::testing;

std::string U8(std::wstring_view text) { return EncodeUtf8(text); }

std::string Joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\n";
    return out;
}

// What a reader sees of a body paragraph's text: tabs and blanks as they are; breaks, objects and
// page numbers as nothing.
std::string ShownText(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text)
        if (c != kObjectChar && c != kPageNumberChar && c != kLineBreak && c != kPageBreak) out.push_back(c);
    return U8(out);
}

int Depth(xmlNode* node, std::initializer_list<const char*> names) {
    int depth = 0;
    for (xmlNode* n = node->parent; n; n = n->parent)
        for (const char* name : names)
            if (n->type == XML_ELEMENT_NODE && xmlStrcmp(n->name, BAD_CAST name) == 0) ++depth;
    return depth;
}

xmlNode* Ancestor(xmlNode* node, const char* name) {
    for (xmlNode* n = node->parent; n; n = n->parent)
        if (n->type == XML_ELEMENT_NODE && xmlStrcmp(n->name, BAD_CAST name) == 0) return n;
    return nullptr;
}

xmlNode* WithText(const std::vector<xmlNode*>& nodes, const std::string& text) {
    for (xmlNode* n : nodes)
        if (TextOf(n) == text) return n;
    return nullptr;
}

// ---------------------------------------------------------------- HTML and CSS

TEST(HtmlExport, TheWholeModelAsBrowsersReadIt) {
    const Document d = FullDocument();
    const HtmlPage page = WriteHtml(d, L"full_files");
    std::vector<std::string> errors;
    XmlDocument html = ParseHtml(page.html, errors);
    ASSERT_TRUE(html);
    EXPECT_TRUE(errors.empty()) << Joined(errors);
    xmlNode* root = xmlDocGetRootElement(html.get());

    // Paragraphs in reading order, table cells and list items among them.
    std::vector<std::string> expected, actual;
    for (const auto& p : d.paragraphs) expected.push_back(ShownText(p.text));
    const std::vector<xmlNode*> paragraphs = Elements(root, "p");
    for (xmlNode* p : paragraphs) actual.push_back(TextOf(p));
    EXPECT_EQ(actual, expected);

    // Lists: their kinds, numbering styles and levels.
    struct Item {
        const char* text;
        const char* list;
        const char* type;
        int depth;
    };
    const Item items[] = {
        {"Bulleted item one", "ul", "", 1}, {"Bulleted item two", "ul", "", 2},  {"Numbered A", "ol", "A", 1},
        {"Numbered ii", "ol", "i", 3},      {"Numbered 1", "ol", "1", 1},        {"Numbered a", "ol", "a", 2},
        {"Numbered I", "ol", "I", 1},
    };
    for (const Item& item : items) {
        SCOPED_TRACE(item.text);
        xmlNode* p = WithText(paragraphs, item.text);
        ASSERT_TRUE(p);
        xmlNode* li = Ancestor(p, "li");
        ASSERT_TRUE(li);
        EXPECT_STREQ(reinterpret_cast<const char*>(li->parent->name), item.list);
        EXPECT_EQ(Attribute(li->parent, "type"), item.type);
        EXPECT_EQ(Depth(p, {"ul", "ol"}), item.depth);
    }
    // A list of another numbering style at the same level is a list of its own, so numbers restart.
    EXPECT_NE(Ancestor(WithText(paragraphs, "Numbered A"), "ol"), Ancestor(WithText(paragraphs, "Numbered 1"), "ol"));

    // Links, anchors and pictures.
    std::set<std::string> hrefs, ids;
    for (xmlNode* a : Elements(root, "a")) {
        if (!Attribute(a, "href").empty()) hrefs.insert(Attribute(a, "href"));
        if (!Attribute(a, "id").empty()) ids.insert(Attribute(a, "id"));
    }
    EXPECT_EQ(hrefs, (std::set<std::string>{"http://www.example.com/a?b=\"c\"", "#intro", "../000042/0007.htm"}));
    EXPECT_EQ(ids, (std::set<std::string>{"intro", "end"}));
    const std::vector<xmlNode*> images = Elements(root, "img");
    ASSERT_EQ(images.size(), 2u);  // the windowed object (a movie) is not the page's
    EXPECT_EQ(Attribute(images[0], "src"), "full_files/image1.png");
    EXPECT_EQ(Attribute(images[0], "width"), "30");   // 20 pixels at 150 %
    EXPECT_EQ(Attribute(images[0], "height"), "12");  // 10 pixels at 120 %
    EXPECT_EQ(Attribute(images[1], "src"), "full_files/image2.png");
    EXPECT_EQ(Attribute(images[1], "style"), "position: absolute; left: 10pt; top: 100pt");
    ASSERT_EQ(page.pictures.size(), 2u);
    EXPECT_EQ(page.pictures[0].name, L"full_files/image1.png");
    EXPECT_EQ(page.pictures[0].bytes, TinyPng(20, 10));
    EXPECT_EQ(page.pictures[1].bytes, TinyPng(40, 30));

    // The table: rows, cells, the cell with two paragraphs.
    const std::vector<xmlNode*> rows = Elements(root, "tr");
    ASSERT_EQ(rows.size(), 3u);
    for (xmlNode* row : rows) EXPECT_EQ(Elements(row->children, "td").size(), 4u);
    EXPECT_EQ(Elements(Elements(rows[1]->children, "td")[1]->children, "p").size(), 2u);
    EXPECT_EQ(Elements(root, "col").size(), 4u);

    // Every class the page uses is defined by the style sheet it embeds, which is format 11's.
    const std::vector<xmlNode*> styles = Elements(root, "style");
    ASSERT_EQ(styles.size(), 1u);
    EXPECT_EQ(TextOf(styles[0]), "\n" + WriteCss(d));
    std::string cssError;
    const std::vector<std::string> defined = CssClasses(WriteCss(d), cssError);
    ASSERT_EQ(cssError, "");
    std::set<std::string> used;
    for (const char* element : {"p", "span", "td", "li", "table", "ul", "ol", "a", "img"})
        for (xmlNode* n : Elements(root, element))
            if (!Attribute(n, "class").empty()) used.insert(Attribute(n, "class"));
    EXPECT_GT(used.size(), 10u);
    for (const auto& name : used) EXPECT_TRUE(std::count(defined.begin(), defined.end(), name)) << name << " is not defined";
}

TEST(HtmlExport, OurReaderReadsThePageBack) {
    const Document d = FullDocument();
    const HtmlPage page = WriteHtml(d, L"full_files");
    HtmlOptions options;
    std::vector<std::wstring> asked;
    options.readImage = [&](const std::wstring& name) -> std::optional<std::string> {
        asked.push_back(name);
        for (const auto& p : page.pictures)
            if (p.name == name) return p.bytes;
        return std::nullopt;
    };
    const Document back = ReadHtml(page.html, options);
    ASSERT_EQ(back.Validate(), L"");
    EXPECT_EQ(asked, (std::vector<std::wstring>{L"full_files/image1.png", L"full_files/image2.png"}));
    std::vector<std::wstring> expected, actual;
    for (const auto& p : d.paragraphs) expected.push_back(p.text);
    for (const auto& p : back.paragraphs) actual.push_back(p.text);
    // Our reader folds blanks as a browser does without the style sheet (a tab is a blank, a blank
    // after a line break goes); a break inside a paragraph comes back as a line break; the picture
    // placed on the page comes back standing in the text; a movie is not the page's.
    for (auto& t : expected) {
        std::replace(t.begin(), t.end(), kPageBreak, kLineBreak);
        std::replace(t.begin(), t.end(), L'\t', L' ');
        if (const size_t at = t.find(L"\v "); at != std::wstring::npos) t.erase(at + 1, 1);
        if (t.find(L"Objects: ") == 0) t = std::wstring(L"Objects: ") + kObjectChar;
    }
    EXPECT_EQ(actual, expected);
    ASSERT_EQ(back.tables.size(), 1u);
    EXPECT_EQ(back.tables[0].rows, 3);
    EXPECT_EQ(back.tables[0].cols, 4);
    std::vector<std::pair<int, std::wstring>> links;
    for (const auto& f : back.fields) links.emplace_back(f.kind, f.target);
    EXPECT_EQ(links, (std::vector<std::pair<int, std::wstring>>{
                         {kLinkAddress, L"http://www.example.com/a?b=\"c\""}, {kLinkAnchor, L"intro"}, {kLinkAddress, L"../000042/0007.htm"}}));
    std::set<std::wstring> marks;
    for (const auto& m : back.marks) marks.insert(m.name);
    EXPECT_EQ(marks, (std::set<std::wstring>{L"intro", L"end"}));
    ASSERT_EQ(back.objects.size(), 2u);
    EXPECT_EQ(*back.objects[0].image, TinyPng(20, 10));
    EXPECT_EQ(back.objects[0].ShownWidth(), 450);
    EXPECT_EQ(back.objects[0].ShownHeight(), 180);
}

TEST(HtmlExport, TheStyleSheetCarriesThePageAndEveryFormat) {
    const Document d = FullDocument();
    const std::string css = WriteCss(d);
    std::string error;
    const std::vector<std::string> classes = CssClasses(css, error);
    ASSERT_EQ(error, "");
    // One class per character format, whatever uses it.
    for (size_t i = 0; i < d.charFormats.size(); ++i)
        EXPECT_TRUE(std::count(classes.begin(), classes.end(), "c" + std::to_string(i))) << i;
    // The page: 8.5 by 11 inches, margins top, right, bottom, left.
    EXPECT_NE(css.find("@page { size: 612pt 792pt; margin: 50pt 85pt 45pt 90pt; }"), std::string::npos) << css;
    for (const char* expected : {"font-weight: bold", "font-style: italic", "text-decoration: underline",
                                 "line-through", "color: #ff0000", "background-color: #ffff00",
                                 "color: #c0c0c0",  // the system button face, in the classic scheme
                                 "font-size: 11.5pt", "text-align: center", "text-align: justify",
                                 "line-height: 1.73", "border-left: 6pt double #000000", "padding-left: 3pt",
                                 "background-color: #c0c0c0", "border-bottom: 2.25pt solid #000000"})
        EXPECT_NE(css.find(expected), std::string::npos) << expected;
}

TEST(HtmlExport, PageLinksGoToThePagesHtmlFile) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"000042\\0007.txm", L"../000042/0007.htm"},
        {L"1\\0001.TXM", L"../1/0001.htm"},
        {L"000042\\0007.txm\\x", L"000042\\0007.txm\\x"},
        {L"abc\\0007.txm", L"abc\\0007.txm"},
        {L"000042\\007.txm", L"000042\\007.txm"},
        {L"http://example.com/a\\b", L"http://example.com/a\\b"},
        {L"", L""},
    };
    for (auto [target, address] : cases) EXPECT_EQ(HtmlLinkAddress(target), address) << U8(target);
    EXPECT_EQ(HtmlPictureFolder(L"C:\\module\\page.one.htm"), L"page.one_files");
    EXPECT_EQ(HtmlPictureFolder(L"/tmp/page"), L"page_files");
}

// ---------------------------------------------------------------- flat OpenDocument text

class OdtDocument {
public:
    explicit OdtDocument(const Document& d) : xml(WriteOdt(d)) {
        doc = ParseXml(xml, errors);
        root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
    }
    // An automatic or named style's element by its name.
    xmlNode* StyleNamed(const std::string& name) const {
        for (const char* kind : {"style", "list-style"})
            for (xmlNode* s : Elements(root, kind))
                if (Attribute(s, "name") == name) return s;
        return nullptr;
    }
    std::string StyleProperty(const std::string& style, const char* properties, const char* attribute) const {
        xmlNode* s = StyleNamed(style);
        if (!s) return "(no style " + style + ")";
        const auto props = Elements(s->children, properties);
        return props.empty() ? "" : Attribute(props[0], attribute);
    }
    xmlNode* Body() const { return Elements(root, "text")[0]; }

    std::string xml;
    std::vector<std::string> errors;
    XmlDocument doc;
    xmlNode* root = nullptr;
};

TEST(XmlExport, TheWholeModelAsAFlatOpenDocumentText) {
    const Document d = FullDocument();
    const OdtDocument odt(d);
    ASSERT_TRUE(odt.root) << Joined(odt.errors);
    EXPECT_TRUE(odt.errors.empty()) << Joined(odt.errors);
    EXPECT_STREQ(reinterpret_cast<const char*>(odt.root->name), "document");
    EXPECT_EQ(Attribute(odt.root, "mimetype"), "application/vnd.oasis.opendocument.text");

    // Body paragraphs in order; the one with a page break is two, the second on a new page.
    std::vector<std::string> texts;
    std::vector<xmlNode*> bodyParagraphs = Elements(odt.Body()->children, "p");
    for (xmlNode* p : bodyParagraphs) texts.push_back(TextOf(p));
    ASSERT_GE(texts.size(), d.paragraphs.size() + 1);
    EXPECT_EQ(texts[0], "Heading of the page");
    EXPECT_EQ(texts[1], "Plain text with bold, italic, underlined, struck and coloured words at 11.5 points.");
    EXPECT_EQ(texts[10], U8(L"Links: web, anchor and page. Caf\xE9 \x20AC \x3A9."));
    xmlNode* before = WithText(bodyParagraphs, "Page break follows");
    xmlNode* after = WithText(bodyParagraphs, "and more text on the next page.");
    ASSERT_TRUE(before && after);
    EXPECT_EQ(Elements(after->children, "s").size(), 1u);  // its leading blank, counted
    EXPECT_EQ(odt.StyleProperty(Attribute(after, "style-name"), "paragraph-properties", "break-before"), "page");
    EXPECT_EQ(odt.StyleProperty(Attribute(before, "style-name"), "paragraph-properties", "break-before"), "");

    // The heading keeps its named style; formats reach the spans' styles.
    xmlNode* heading = bodyParagraphs[0];
    xmlNode* headingStyle = odt.StyleNamed(Attribute(heading, "style-name"));
    ASSERT_TRUE(headingStyle);
    EXPECT_EQ(Attribute(odt.StyleNamed(Attribute(headingStyle, "parent-style-name")), "display-name"), "Heading");
    EXPECT_EQ(odt.StyleProperty(Attribute(headingStyle, "name"), "paragraph-properties", "text-align"), "center");
    std::map<std::string, std::string> spanStyle;
    for (xmlNode* span : Elements(bodyParagraphs[1]->children, "span")) spanStyle[TextOf(span)] = Attribute(span, "style-name");
    EXPECT_EQ(odt.StyleProperty(spanStyle["bold"], "text-properties", "font-weight"), "bold");
    EXPECT_EQ(odt.StyleProperty(spanStyle["italic"], "text-properties", "font-style"), "italic");
    EXPECT_EQ(odt.StyleProperty(spanStyle["underlined"], "text-properties", "text-underline-style"), "solid");
    EXPECT_EQ(odt.StyleProperty(spanStyle["struck"], "text-properties", "text-line-through-style"), "solid");
    EXPECT_EQ(odt.StyleProperty(spanStyle["coloured"], "text-properties", "color"), "#ff0000");
    EXPECT_EQ(odt.StyleProperty(spanStyle["coloured"], "text-properties", "background-color"), "#ffff00");
    EXPECT_EQ(odt.StyleProperty(spanStyle["11.5 points"], "text-properties", "font-size"), "11.5pt");
    EXPECT_EQ(odt.StyleProperty(spanStyle["11.5 points"], "text-properties", "font-name"), "Courier New");

    // Lists: levels and numbering styles through the list's style.
    xmlNode* roman = WithText(bodyParagraphs, "Numbered ii");
    ASSERT_TRUE(roman);
    EXPECT_EQ(Depth(roman, {"list"}), 3);
    xmlNode* outer = roman;
    while (Ancestor(outer, "list")) outer = Ancestor(outer, "list");
    xmlNode* listStyle = odt.StyleNamed(Attribute(outer, "style-name"));
    ASSERT_TRUE(listStyle);
    const auto numbers = Elements(listStyle->children, "list-level-style-number");
    std::map<std::string, std::string> formatOfLevel;
    for (xmlNode* n : numbers) formatOfLevel[Attribute(n, "level")] = Attribute(n, "num-format");
    EXPECT_EQ(formatOfLevel["1"], "A");
    EXPECT_EQ(formatOfLevel["3"], "i");

    // Links, bookmarks, the table, pictures carried inside.
    std::set<std::string> hrefs, marks;
    for (xmlNode* a : Elements(odt.Body(), "a")) hrefs.insert(Attribute(a, "href"));
    for (xmlNode* b : Elements(odt.Body(), "bookmark")) marks.insert(Attribute(b, "name"));
    EXPECT_EQ(hrefs, (std::set<std::string>{"http://www.example.com/a?b=\"c\"", "#intro", "000042\\0007.txm"}));
    EXPECT_EQ(marks, (std::set<std::string>{"intro", "end"}));
    const auto rows = Elements(odt.Body(), "table-row");
    ASSERT_EQ(rows.size(), 3u);
    for (xmlNode* row : rows) EXPECT_EQ(Elements(row->children, "table-cell").size(), 4u);
    const auto columns = Elements(odt.Body(), "table-column");
    ASSERT_EQ(columns.size(), 4u);
    EXPECT_EQ(odt.StyleProperty(Attribute(columns[1], "style-name"), "table-column-properties", "column-width"), "150pt");
    const auto frames = Elements(odt.Body(), "frame");
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(Attribute(frames[0], "anchor-type"), "as-char");
    EXPECT_EQ(Attribute(frames[0], "width"), "22.5pt");
    EXPECT_EQ(Attribute(frames[0], "height"), "9pt");
    EXPECT_EQ(Attribute(frames[1], "x"), "100pt");
    EXPECT_EQ(Attribute(frames[1], "y"), "150pt");
    const std::string data = TextOf(Elements(frames[0]->children, "binary-data")[0]);
    int status = 0;
    TempFolder folder;
    WriteBytes(folder.File("data.b64"), data);
    EXPECT_EQ(RunCommand("base64 -d " + folder.File("data.b64"), status), TinyPng(20, 10));
    EXPECT_EQ(status, 0);

    // The page and its header and footer, the footer numbering its pages.
    const auto layout = Elements(odt.root, "page-layout-properties");
    ASSERT_EQ(layout.size(), 1u);
    EXPECT_EQ(Attribute(layout[0], "page-width"), "612pt");
    EXPECT_EQ(Attribute(layout[0], "page-height"), "792pt");
    EXPECT_EQ(Attribute(layout[0], "margin-left"), "90pt");
    EXPECT_EQ(Attribute(layout[0], "margin-right"), "85pt");
    const auto footers = Elements(odt.root, "footer");
    ASSERT_EQ(footers.size(), 1u);
    EXPECT_EQ(TextOf(footers[0]), "Footer text, page 1");
    EXPECT_EQ(Elements(footers[0]->children, "page-number").size(), 1u);
    const auto headers = Elements(odt.root, "header");
    ASSERT_EQ(headers.size(), 1u);
    EXPECT_EQ(Elements(headers[0]->children, "p").size(), 2u);
}

// ---------------------------------------------------------------- awkward content, every format

Document Awkward(int which) {
    TextEngine e;
    switch (which) {
    case 0: break;  // empty
    case 1: e.SetSelText(L"<a href=\"x\">&amp; 'q' ]]> </p>"); break;
    case 2: {
        // Beyond the basic plane, and characters XML has no room for.
        std::wstring text = L"smile ";
        if constexpr (sizeof(wchar_t) == 2) text += L"\xD83D\xDE00";
        else text += static_cast<wchar_t>(0x1F600);
        text += L" \xFFFE\xFFFF lone ";
        if constexpr (sizeof(wchar_t) == 2) text += L"\xD800";
        e.SetSelText(text);
        break;
    }
    case 3:
        e.SetSelText(L"names");
        e.SetSelStart(0);
        e.SetSelLength(5);
        e.SetFontName(L"Odd \"Face\" \\ 'x'");
        e.SetSelStart(0);
        e.MarkInsert(L"a mark \"with\" <&>");
        e.FieldInsert(L"link");
        e.SetFieldLinkKind(e.FieldCurrent(), kLinkAddress);
        e.SetFieldLinkTarget(e.FieldCurrent(), L"http://x/?a=1&b=<2>\"");
        break;
    case 4: {
        const std::pair<ListKind, int> items[] = {{ListKind::Bullet, 0}, {ListKind::Numbered, 3}, {ListKind::Bullet, 1},
                                                  {ListKind::None, 0}, {ListKind::Numbered, 8}};
        for (size_t i = 0; i < std::size(items); ++i) {
            if (i) e.SetSelText(L"\n");
            e.SetSelText(L"item " + std::to_wstring(i));
            e.FormatParagraphs([&](ParaFormat& f) {
                f.listKind = items[i].first;
                f.listLevel = items[i].second;
            });
        }
        break;
    }
    case 5: e.SetSelText(L"\fstart\tmiddle\f  two  blanks\vline\f"); break;
    case 6:
        e.SetSelText(L"x");
        e.SetHeaderText(std::wstring(1, kPageNumberChar));
        e.SetFooterText(L"a\n\nb");
        break;
    case 7: {
        e.SetSelText(L"a\n");
        const int t = e.TableInsert(1, 2);
        e.SetSelStart(e.TableCellStart(t, 1, 1));
        e.SetSelText(L"in\fcell\vline");
        break;
    }
    }
    return e.Doc();
}

TEST(ExportFormats, AwkwardContentStaysWellFormedEverywhere) {
    for (int which = 0; which <= 7; ++which) {
        SCOPED_TRACE(which);
        const Document d = Awkward(which);
        ASSERT_EQ(d.Validate(), L"");
        const OdtDocument odt(d);
        EXPECT_TRUE(odt.root && odt.errors.empty()) << Joined(odt.errors);
        std::vector<std::string> errors;
        const HtmlPage page = WriteHtml(d, L"x_files");
        EXPECT_TRUE(ParseHtml(page.html, errors) && errors.empty()) << Joined(errors);
        std::string cssError;
        CssClasses(WriteCss(d), cssError);
        EXPECT_EQ(cssError, "");
        if (which == 2) {
            for (const std::string* out : {&odt.xml, &page.html}) {
                EXPECT_NE(out->find("smile \xF0\x9F\x98\x80"), std::string::npos);
                EXPECT_EQ(out->find("\xEF\xBF\xBE"), std::string::npos);  // U+FFFE left out
            }
        }
    }
    // What the awkward names became, read back.
    const OdtDocument odt(Awkward(3));
    EXPECT_EQ(Attribute(Elements(odt.root, "bookmark")[0], "name"), "a mark \"with\" <&>");
    EXPECT_EQ(Attribute(Elements(odt.root, "a")[0], "href"), "http://x/?a=1&b=<2>\"");
    EXPECT_EQ(Attribute(Elements(odt.root, "font-face").back(), "name"), "Odd \"Face\" \\ 'x'");
    std::vector<std::string> errors;
    XmlDocument html = ParseHtml(WriteHtml(Awkward(3), L"").html, errors);
    EXPECT_EQ(Attribute(Elements(xmlDocGetRootElement(html.get()), "a")[0], "id"), "a mark \"with\" <&>");
}

TEST(ExportFormats, PageBreaksAndBlanksAsWordProcessorsKeepThem) {
    const OdtDocument odt(Awkward(5));
    const auto paragraphs = Elements(odt.Body()->children, "p");
    // "\fstart\tmiddle\f  two  blanks\vline\f": a page starts before "start" and before "  two".
    ASSERT_EQ(paragraphs.size(), 3u);
    EXPECT_EQ(TextOf(paragraphs[1]), "startmiddle");
    EXPECT_EQ(Elements(paragraphs[1]->children, "tab").size(), 1u);
    EXPECT_EQ(odt.StyleProperty(Attribute(paragraphs[1], "style-name"), "paragraph-properties", "break-before"), "page");
    // Leading and doubled blanks are counted, or a word processor would fold them.
    EXPECT_EQ(Elements(paragraphs[2]->children, "s").size(), 3u);
    EXPECT_EQ(Elements(paragraphs[2]->children, "line-break").size(), 1u);
    // In a table cell no page can begin: the break ends the line.
    const OdtDocument cell(Awkward(7));
    const auto cells = Elements(cell.Body(), "table-cell");
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(Elements(cells[0]->children, "p").size(), 1u);
    EXPECT_EQ(Elements(cells[0]->children, "line-break").size(), 2u);
}

}  // namespace
}  // namespace tx
