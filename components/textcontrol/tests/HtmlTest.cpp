// The HTML reader: hand-written pages read to the model they mean, the repairs browsers make, the
// encodings, pictures beside the page (and never elsewhere), and the limits.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/Error.h"
#include "components/textcontrol/TextEngine.h"
#include "components/textcontrol/formats/HtmlReader.h"
#include "components/textcontrol/tests/Fixtures.h"

namespace tx {
namespace {

std::string Utf8Of(std::wstring_view text) { return std::string(text.begin(), text.end()); }  // ASCII messages

std::vector<std::wstring> Texts(const Document& d) {
    std::vector<std::wstring> t;
    for (const auto& p : d.paragraphs) t.push_back(p.text);
    return t;
}

const CharFormat& At(const Document& d, std::wstring_view text) {
    const std::wstring all = d.AllText();
    const size_t at = all.find(text);
    if (at == std::wstring::npos) throw std::runtime_error("text not found");
    const Location loc = d.Locate(static_cast<int>(at));
    return d.FormatAt(loc.paragraph, loc.offset);
}

const Paragraph& ParagraphWith(const Document& d, std::wstring_view text) {
    for (const auto& p : d.paragraphs)
        if (p.text.find(text) != std::wstring::npos) return p;
    throw std::runtime_error("paragraph not found");
}

TEST(Html, ParagraphsHeadingsAndBreaksWithBlanksCollapsed) {
    const Document d = ReadHtml(R"html(<!DOCTYPE html>
<html><head><title>Not shown</title><meta charset="utf-8"></head>
<body>
  <h1>Chapter   one</h1>
  <p>First
     line<br>second   line<br></p>
  <p align="center">Centred</p>
  <div style="text-align: right">Right<br><br>after a blank line</div>
  Loose text <P>Upper case tags</P>
  <hr>
  <h3>Small heading</h3>
</body></html>)html");
    EXPECT_EQ(Texts(d), (std::vector<std::wstring>{L"Chapter one", L"First line\vsecond line", L"Centred",
                                                   L"Right\v\vafter a blank line", L"Loose text", L"Upper case tags",
                                                   L"Small heading"}));
    EXPECT_TRUE(At(d, L"Chapter").bold);
    EXPECT_EQ(At(d, L"Chapter").size, 480);
    EXPECT_EQ(At(d, L"Small heading").size, 280);
    EXPECT_FALSE(At(d, L"First").bold);
    EXPECT_EQ(At(d, L"First").size, 240);
    EXPECT_EQ(ParagraphWith(d, L"Chapter").format.spaceAfter, 120);
    EXPECT_EQ(ParagraphWith(d, L"Centred").format.align, Align::Center);
    EXPECT_EQ(ParagraphWith(d, L"Right").format.align, Align::Right);
    EXPECT_EQ(ParagraphWith(d, L"Loose").format.spaceAfter, 0);
    EXPECT_TRUE(d.Validate().empty());
}

TEST(Html, CharacterFormatsFromTagsFontAndStyle) {
    const Document d = ReadHtml(
        "<p>plain <b>bold <i>both</i></b> <u>under</u> <s>struck</s> <strike>ancient</strike> <em>em</em> <strong>strongly</strong>"
        " <font face=\"Courier New\" size=\"5\" color=\"#00ff00\">font</font>"
        " <span style=\"color: rgb(255, 0, 0); font-size: 20pt; font-family: 'Times New Roman', serif;"
        " font-weight: 700; text-decoration: underline line-through; background-color: #ff0\">styled</span>"
        " <font size=\"+1\">bigger</font> <code>code</code> <span style=\"font-size:16px\">px</span></p>");
    EXPECT_FALSE(At(d, L"plain").bold);
    EXPECT_TRUE(At(d, L"bold").bold);
    EXPECT_FALSE(At(d, L"bold").italic);
    EXPECT_TRUE(At(d, L"both").bold);
    EXPECT_TRUE(At(d, L"both").italic);
    EXPECT_TRUE(At(d, L"under").underline);
    EXPECT_TRUE(At(d, L"struck").strike);
    EXPECT_TRUE(At(d, L"ancient").strike);
    EXPECT_TRUE(At(d, L"em").italic);
    EXPECT_TRUE(At(d, L"strongly").bold);
    const CharFormat& font = At(d, L"font");
    EXPECT_EQ(font.face, L"Courier New");
    EXPECT_EQ(font.size, 360);
    EXPECT_EQ(font.color, 0x00FF00u);
    const CharFormat& styled = At(d, L"styled");
    EXPECT_EQ(styled.color, 0x0000FFu);  // OLE colours are 0x00BBGGRR
    EXPECT_EQ(styled.size, 400);
    EXPECT_EQ(styled.face, L"Times New Roman");
    EXPECT_TRUE(styled.bold);
    EXPECT_TRUE(styled.underline);
    EXPECT_TRUE(styled.strike);
    EXPECT_EQ(styled.backColor, 0x00FFFFu);
    EXPECT_EQ(At(d, L"bigger").size, 280);  // 3 + 1 = 4: 14 pt
    EXPECT_EQ(At(d, L"code").face, L"Courier New");
    EXPECT_EQ(At(d, L"px").size, 240);
    // The blank between two runs keeps the format before it.
    EXPECT_EQ(d.AllText(), L"plain bold both under struck ancient em strongly font styled bigger code px");
}

TEST(Html, ListsWithKindsStylesAndLevels) {
    const Document d = ReadHtml(R"html(
<ul>
  <li>bullet one
  <li>bullet two
    <ol type="a">
      <li>letter a</li>
      <li><p>letter b</p><p>more of b</p></li>
    </ol>
    back in two
  </li>
</ul>
<ol type="I"><li>roman</li></ol>
<ol><li>arabic</li></ol>
<p>after</p>)html");
    EXPECT_EQ(Texts(d), (std::vector<std::wstring>{L"bullet one", L"bullet two", L"letter a", L"letter b", L"more of b",
                                                   L"back in two", L"roman", L"arabic", L"after"}));
    struct Expect {
        const wchar_t* text;
        ListKind kind;
        int level;
        NumberStyle style;
    };
    const Expect expected[] = {
        {L"bullet one", ListKind::Bullet, 0, NumberStyle::Arabic},
        {L"bullet two", ListKind::Bullet, 0, NumberStyle::Arabic},
        {L"letter a", ListKind::Numbered, 1, NumberStyle::LowerLetter},
        {L"letter b", ListKind::Numbered, 1, NumberStyle::LowerLetter},
        {L"more of b", ListKind::None, 0, NumberStyle::Arabic},
        {L"back in two", ListKind::None, 0, NumberStyle::Arabic},
        {L"roman", ListKind::Numbered, 0, NumberStyle::UpperRoman},
        {L"arabic", ListKind::Numbered, 0, NumberStyle::Arabic},
        {L"after", ListKind::None, 0, NumberStyle::Arabic},
    };
    for (const auto& e : expected) {
        const ParaFormat& f = ParagraphWith(d, e.text).format;
        EXPECT_EQ(f.listKind, e.kind) << Utf8Of(e.text);
        EXPECT_EQ(f.listLevel, e.level) << Utf8Of(e.text);
        if (e.kind == ListKind::Numbered) {
            EXPECT_EQ(f.numberStyle, e.style) << Utf8Of(e.text);
        }
    }
    // A second paragraph of an item lines up with the item's text instead of taking a marker.
    EXPECT_EQ(ParagraphWith(d, L"more of b").format.leftIndent, 2 * 360);
    EXPECT_EQ(ParagraphWith(d, L"back in two").format.leftIndent, 360);
}

TEST(Html, TablesAreGridsPaddedToTheWidestRow) {
    const Document d = ReadHtml(R"html(<p>before</p>
<table border="1" width="600">
  <caption>The caption</caption>
  <tr><th>Name</th><th width="50%">Value</th><th>Note</th></tr>
  <tr><td bgcolor="yellow">a</td><td align="right"><p>one</p><p>two</p></td></tr>
  <tr><td>inner: <table><tr><td>x</td><td>y</td></tr></table> end</td><td></td><td>z</td></tr>
</table>after)html");
    ASSERT_EQ(d.tables.size(), 1u);
    const Table& t = d.tables[0];
    EXPECT_EQ(t.rows, 3);
    EXPECT_EQ(t.cols, 3);
    ASSERT_EQ(t.columnWidths.size(), 3u);
    EXPECT_EQ(t.columnWidths[1], 4500);  // half of 600 pixels
    EXPECT_EQ(t.columnWidths[0], 2250);  // the rest shared
    EXPECT_EQ(t.Cell(1, 1).leftBorder, 15);
    EXPECT_EQ(t.Cell(2, 1).background, 0x00FFFFu);
    EXPECT_EQ(t.Cell(2, 3).background, kNoColor);  // the padded cell
    // Row-major paragraphs, one or more per cell; the inner table's cells are paragraphs of its cell.
    std::vector<std::tuple<std::wstring, int, int>> cells;
    for (const auto& p : d.paragraphs)
        if (p.cell.table) cells.emplace_back(p.text, p.cell.row, p.cell.col);
    EXPECT_EQ(cells, (std::vector<std::tuple<std::wstring, int, int>>{
                         {L"Name", 1, 1}, {L"Value", 1, 2}, {L"Note", 1, 3}, {L"a", 2, 1}, {L"one", 2, 2},
                         {L"two", 2, 2}, {L"", 2, 3}, {L"inner:", 3, 1}, {L"x", 3, 1}, {L"y", 3, 1},
                         {L"end", 3, 1}, {L"", 3, 2}, {L"z", 3, 3}}));
    EXPECT_EQ(Texts(d).front(), L"before");
    EXPECT_EQ(Texts(d)[1], L"The caption");  // a caption stands before its table
    EXPECT_EQ(d.paragraphs[1].cell.table, 0);
    EXPECT_EQ(Texts(d).back(), L"after");
    EXPECT_TRUE(At(d, L"Name").bold);
    EXPECT_EQ(ParagraphWith(d, L"Name").format.align, Align::Center);
    EXPECT_EQ(ParagraphWith(d, L"one").format.align, Align::Right);
    EXPECT_TRUE(d.Validate().empty());
}

TEST(Html, ATableAtTheEndIsFollowedByAParagraph) {
    const Document d = ReadHtml("<table><tr><td>only<td>cells");
    ASSERT_EQ(d.tables.size(), 1u);
    EXPECT_EQ(d.tables[0].cols, 2);
    EXPECT_EQ(d.paragraphs.back().cell.table, 0);
    EXPECT_EQ(Texts(d), (std::vector<std::wstring>{L"only", L"cells", L""}));
}

TEST(Html, AnchorsBecomeMarksAndLinksBecomeFields) {
    const std::string page = R"html(<h2 id="top">Top</h2>
<p><a name="intro"></a>Intro with <a href="#top">a jump</a> and <a href=" http://www.example.com/a?b=1&amp;c=2 ">the web</a>.</p>
<p><a href="page.html">one<br>two</a> <a href="javascript:alert(1)">script</a> <a href="#">empty</a></p>
<p><a href="x">a <a href="y">b</a></p>)html";
    const Document d = ReadHtml(page);
    ASSERT_NE(d.FindMark(L"top"), nullptr);
    EXPECT_EQ(d.FindMark(L"top")->position, 0);
    ASSERT_NE(d.FindMark(L"intro"), nullptr);
    EXPECT_EQ(d.FindMark(L"intro")->position, d.ParagraphStart(1));
    struct Link {
        std::wstring text;
        int kind;
        std::wstring target;
    };
    std::vector<Link> links;
    for (const auto& f : d.fields) links.push_back({d.Text(f.start, f.length), f.kind, f.target});
    ASSERT_EQ(links.size(), 5u);
    EXPECT_EQ(links[0].text, L"a jump");
    EXPECT_EQ(links[0].kind, kLinkAnchor);
    EXPECT_EQ(links[0].target, L"top");
    EXPECT_EQ(links[1].text, L"the web");
    EXPECT_EQ(links[1].kind, kLinkAddress);
    EXPECT_EQ(links[1].target, L"http://www.example.com/a?b=1&c=2");
    EXPECT_EQ(links[2].text, L"one\vtwo");  // a line break stays inside the paragraph and the link
    EXPECT_EQ(links[2].target, L"page.html");
    EXPECT_EQ(links[3].text, L"a");  // a link opened inside another ends the first
    EXPECT_EQ(links[4].text, L"b");
    EXPECT_EQ(links[4].target, L"y");
    // Links look like links; the blank before one does not.
    EXPECT_TRUE(At(d, L"the web").underline);
    EXPECT_EQ(At(d, L"the web").color, 0xFF0000u);
    EXPECT_FALSE(At(d, L" the web").underline);
    EXPECT_FALSE(At(d, L"script").underline);

    HtmlOptions textOnly;
    textOnly.importLinks = false;
    const Document plain = ReadHtml(page, textOnly);
    EXPECT_TRUE(plain.fields.empty());
    EXPECT_FALSE(At(plain, L"the web").underline);
    EXPECT_NE(plain.FindMark(L"intro"), nullptr);  // marks stay: links to them may come another way
}

TEST(Html, ALinkOverParagraphsIsAFieldInEach) {
    const Document d = ReadHtml("<a href=\"t\"><p>first</p><p>second</p></a>");
    ASSERT_EQ(d.fields.size(), 2u);
    EXPECT_EQ(d.Text(d.fields[0].start, d.fields[0].length), L"first");
    EXPECT_EQ(d.Text(d.fields[1].start, d.fields[1].length), L"second");
}

TEST(Html, EntitiesAndEncodings) {
    struct Case {
        std::string bytes;
        std::wstring text;
    };
    const Case cases[] = {
        {"a&amp;b &lt;&gt; &quot;q&quot; &copy;&nbsp;&eacute;&euro;&hellip;", L"a&b <> \"q\" \u00A9\u00A0\u00E9\u20AC\u2026"},
        {"&#65;&#x42;&#X43;&#150;&#0;&#xD800;&#1114112;&#99999999999;", L"ABC\u2013\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"&amp &unknown; & alone &#; &#x;", L"& &unknown; & alone &#; &#x;"},
        {"caf\xC3\xA9", L"caf\u00E9"},                                  // valid UTF-8
        {"caf\xE9", L"caf\u00E9"},                                      // not UTF-8: Windows-1252
        {"\x93quoted\x94", L"\u201Cquoted\u201D"},                      // Windows-1252's quotes
        {"<meta charset=\"windows-1252\">\xC3\xA9", L"\u00C3\u00A9"},   // declared: read as declared
        {"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\xE2\x82\xAC", L"\u20AC"},
        {"\xEF\xBB\xBF\xE2\x82\xAC", L"\u20AC"},                        // byte-order mark
        {std::string("\xFF\xFE" "A\0\xAC\x20", 6), L"A\u20AC"},         // UTF-16 with its mark
    };
    for (const auto& c : cases) EXPECT_EQ(ReadHtml(c.bytes).AllText(), c.text) << c.bytes;
}

TEST(Html, ScriptsStylesCommentsAndUnknownTagsAreSkipped) {
    const Document d = ReadHtml(R"html(<style>p { color: red } </p></style>
<script type="text/javascript">document.write("<p>no</p>"); if (a < b) {}</SCRIPT>
<p>kept<!-- a comment <p>not</p> --> <blink>unknown tag, kept text</blink> <select><option>not shown</select>
<?xml processing?> 3 < 4 and 5 > 2 <custom-element data-x="1">custom</custom-element></p>
<textarea>hidden</textarea><![CDATA[ hidden ]]>
<p>end<!-- unterminated)html");
    EXPECT_EQ(Texts(d), (std::vector<std::wstring>{L"kept unknown tag, kept text 3 < 4 and 5 > 2 custom", L"end"}));
}

TEST(Html, MalformedMarkupIsRepairedNotRefused) {
    struct Case {
        const char* html;
        std::vector<std::wstring> paragraphs;
    };
    const Case cases[] = {
        {"<p>one<p>two", {L"one", L"two"}},
        {"</b></i>text</p></table></td>", {L"text"}},
        {"<b>bold<p>still bold</b> plain", {L"bold", L"still bold plain"}},
        {"text <a href=\"x", {L"text"}},                 // the input ends inside a tag
        {"<p title='unterminated>text", {L""}},
        {"a < b <", {L"a < b <"}},
        {"<li>item without list", {L"item without list"}},
        {"<ul>loose<li>item</ul>", {L"loose", L"item"}},  // text in a list but outside its items
        {"<td>cell outside a table</td>", {L"cell outside a table"}},
        {"", {L""}},
        {"<p></p><p>  </p>", {L""}},
    };
    for (const auto& c : cases) {
        const Document d = ReadHtml(c.html);
        EXPECT_EQ(Texts(d), c.paragraphs) << c.html;
        EXPECT_TRUE(d.Validate().empty()) << c.html;
    }
    EXPECT_TRUE(At(ReadHtml("<b>bold<p>still bold</b> plain"), L"still").bold);
    EXPECT_FALSE(At(ReadHtml("<b>bold<p>still bold</b> plain"), L"plain").bold);
}

TEST(Html, PreformattedTextKeepsItsBlanksAndLines) {
    const Document d = ReadHtml("<pre>\nline  one\n\tindented\n</pre><p>after   text</p>");
    EXPECT_EQ(Texts(d), (std::vector<std::wstring>{L"line  one\v\tindented", L"after text"}));
    EXPECT_EQ(At(d, L"line").face, L"Courier New");
}

TEST(Html, LimitsRefuseWithWhatAndWhere) {
    std::string wide = "<table><tr>";
    for (int i = 0; i < 64; ++i) wide += "<td>c";
    std::string tall = "<table>";
    for (int i = 0; i < 1001; ++i) tall += "<tr><td>r";
    for (const std::string& page : {wide, tall}) {
        try {
            ReadHtml(page);
            ADD_FAILURE() << "read a table past the limits";
        } catch (const zv::Error& e) {
            EXPECT_NE(e.Description().find(L"The HTML document cannot be read: a table has more"), std::wstring::npos);
            EXPECT_NE(e.Description().find(L"(at character "), std::wstring::npos);
        }
    }
    // Nesting deeper than the reader follows is read flat, not refused.
    std::string deep;
    for (int i = 0; i < 5000; ++i) deep += "<div><b>";
    deep += "deep";
    const Document d = ReadHtml(deep);
    EXPECT_EQ(d.AllText(), L"deep");
}

// ------------------------------------------------------------------ pictures

class HtmlFiles : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() / "zv_html_pictures";
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ / "page" / "img");
        Write(root_ / "page" / "img" / "a b.png", testing::TinyPng(40, 20));
        Write(root_ / "outside.png", testing::TinyPng());
        Write(root_ / "page" / "notes.txt", "not a picture");
    }
    void TearDown() override { std::filesystem::remove_all(root_); }
    static void Write(const std::filesystem::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }
    std::filesystem::path root_;
};

TEST_F(HtmlFiles, PicturesAreReadFromBesideThePageOnly) {
    const std::string page =
        "<p>Look: <img src=\"img/a%20b.png\" width=\"80\"> <img src=\"img\\a b.png\" height=\"10\"></p>"
        "<p><img src=\"../outside.png\"><img src=\"/outside.png\"><img src=\"C:/outside.png\">"
        "<img src=\"file:///outside.png\"><img src=\"http://example.com/x.png\"><img src=\"img//a b.png\">"
        "<img src=\"notes.txt\"><img src=\"missing.png\"><img>end</p>";
    std::filesystem::path file = root_ / "page" / "page.html";
    Write(file, page);
    TextEngine e;
    e.Load(file.wstring(), 0, kFormatHtml);
    const Document& d = e.Doc();
    ASSERT_EQ(d.objects.size(), 2u);
    EXPECT_EQ(d.objects[0].imageType, ImageType::Png);
    EXPECT_EQ(d.objects[0].width, 600);  // 40 pixels
    EXPECT_EQ(d.objects[0].scaleX, 200);
    EXPECT_EQ(d.objects[0].scaleY, 200);  // one side given: the proportions stay
    EXPECT_EQ(d.objects[1].scaleY, 50);
    EXPECT_EQ(d.objects[1].scaleX, 50);
    EXPECT_EQ(d.Text(d.objects[0].anchor, 1), std::wstring(1, kObjectChar));
    EXPECT_EQ(Texts(d), (std::vector<std::wstring>{L"Look: \uFFFC \uFFFC", L"end"}));

    // The reader asks only for names beside the page; the engine reads nothing else.
    std::vector<std::wstring> asked;
    HtmlOptions options;
    options.readImage = [&](const std::wstring& name) -> std::optional<std::string> {
        asked.push_back(name);
        return std::nullopt;
    };
    ReadHtml(page, options);
    EXPECT_EQ(asked, (std::vector<std::wstring>{L"img/a b.png", L"img\\a b.png", L"notes.txt", L"missing.png"}));

    // Loaded from bytes there is no folder, so no pictures.
    TextEngine bytesOnly;
    bytesOnly.LoadFromBytes(page, kFormatHtml);
    EXPECT_TRUE(bytesOnly.Doc().objects.empty());
}

TEST(Html, LocalImageNames) {
    struct Case {
        const wchar_t* name;
        bool local;
    };
    const Case cases[] = {
        {L"a.png", true},          {L"img/a.png", true},   {L"img\\sub\\a.png", true}, {L"..\\a.png", false},
        {L"img/../../a.png", false}, {L"/a.png", false},   {L"\\\\server\\a.png", false}, {L"C:a.png", false},
        {L"http://x/a.png", false}, {L"", false},          {L"img//a.png", false},     {L"a?.png", false},
        {L"./a.png", true},
    };
    for (const auto& c : cases) EXPECT_EQ(IsLocalImageName(c.name), c.local) << ::testing::PrintToString(std::wstring(c.name));
}

TEST(Html, TheEngineLoadsAPageWithAttributeThirtyEightDecidingLinks) {
    TextEngine e;
    e.SetPageWidth(12000);
    e.LoadFromBytes("<p><a href=\"#x\">go</a><a name=\"x\">here</a></p>", kFormatHtml);
    ASSERT_EQ(e.Doc().fields.size(), 1u);
    EXPECT_EQ(e.FieldLinkKind(e.Doc().fields[0].id), kLinkAnchor);
    EXPECT_EQ(e.PageWidth(), 12000);  // a page has no paper size: the control keeps its own
    EXPECT_TRUE(e.GoToMark(L"x"));
    EXPECT_EQ(e.SelStart(), 2);
    e.SetLoadSaveAttribute(attr::kImportLinks, 0);
    e.LoadFromBytes("<p><a href=\"#x\">go</a></p>", kFormatHtml);
    EXPECT_TRUE(e.Doc().fields.empty());
}

}  // namespace
}  // namespace tx
