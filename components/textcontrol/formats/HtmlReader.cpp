#include "components/textcontrol/formats/HtmlReader.h"

#include <algorithm>
#include <map>
#include <optional>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "base/Cp1252.h"
#include "base/Error.h"
#include "components/textcontrol/formats/HtmlEntities.h"
#include "components/textcontrol/formats/HtmlStyle.h"
#include "components/textcontrol/formats/PlainText.h"
#include "components/textcontrol/model/ImageInfo.h"
#include "components/textcontrol/model/Limits.h"

namespace tx {
namespace {

using html::Lower;
using html::TrimBlanks;

constexpr std::size_t kMaxDepth = 256;          // open elements; deeper start tags are ignored
constexpr std::size_t kMaxNameLength = 32;      // tag and attribute names
constexpr std::size_t kMaxAttributes = 64;      // per tag; the rest are read and dropped
constexpr std::size_t kCharsetWindow = 4096;    // where a charset declaration is looked for
constexpr int kBlockSpacing = 120;              // twips after a paragraph or heading
constexpr int kQuoteIndent = 720;               // twips a quotation or definition is indented
constexpr int kPixel = 15;                      // twips per pixel at 96 per inch
constexpr Color kLinkColor = 0xFF0000;          // blue, as the program colours its links

// ------------------------------------------------------------------ bytes to text

std::wstring CharsetOf(std::string_view bytes) {
    const std::string_view head = bytes.substr(0, kCharsetWindow);
    std::string lower(head);
    for (auto& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    const std::size_t at = lower.find("charset");
    if (at == std::string::npos) return L"";
    std::size_t i = at + 7;
    while (i < lower.size() && (lower[i] == ' ' || lower[i] == '=' || lower[i] == '"' || lower[i] == '\'')) ++i;
    std::wstring name;
    while (i < lower.size() && name.size() < 32 &&
           ((lower[i] >= 'a' && lower[i] <= 'z') || (lower[i] >= '0' && lower[i] <= '9') || lower[i] == '-' || lower[i] == '_'))
        name.push_back(static_cast<wchar_t>(lower[i++]));
    return name;
}

std::wstring DecodeHtml(std::string_view bytes) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() >= 2 && ((byte(0) == 0xFF && byte(1) == 0xFE) || (byte(0) == 0xFE && byte(1) == 0xFF))) {
        const bool little = byte(0) == 0xFF;
        std::wstring out;
        out.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            out.push_back(static_cast<wchar_t>(little ? byte(i) | (byte(i + 1) << 8) : (byte(i) << 8) | byte(i + 1)));
        return out;
    }
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    const std::wstring charset = CharsetOf(bytes);
    const bool declared8bit = charset == L"windows-1252" || charset == L"iso-8859-1" || charset == L"latin1" ||
                              charset == L"us-ascii" || charset == L"cp1252";
    if (!declared8bit) {
        std::wstring out;
        out.reserve(bytes.size());
        if (DecodeUtf8(bytes, out)) return out;  // declared or not, valid UTF-8 is read as such
    }
    return zv::DecodeCp1252(bytes);
}

// ------------------------------------------------------------------ tags

struct Attribute {
    std::wstring name;
    std::wstring value;
};

struct Tag {
    std::wstring name;
    std::vector<Attribute> attributes;
    bool end = false;
    const std::wstring* Find(std::wstring_view name) const {
        for (const auto& a : attributes)
            if (a.name == name) return &a.value;
        return nullptr;
    }
};

bool Is(std::wstring_view name, std::initializer_list<std::wstring_view> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool IsVoid(std::wstring_view n) {
    return Is(n, {L"area", L"base", L"basefont", L"br", L"col", L"embed", L"frame", L"hr", L"img", L"input", L"keygen",
                  L"link", L"meta", L"param", L"source", L"track", L"wbr"});
}
// Elements whose content is text up to their end tag, and is not shown.
bool IsRawSkipped(std::wstring_view n) {
    return Is(n, {L"script", L"style", L"title", L"textarea", L"xmp", L"iframe", L"noembed", L"noframes"});
}
// Elements whose content is parsed but not shown.
bool IsSkipped(std::wstring_view n) { return Is(n, {L"select", L"svg", L"math", L"template", L"datalist"}); }
bool IsHeading(std::wstring_view n) { return n.size() == 2 && n[0] == L'h' && n[1] >= L'1' && n[1] <= L'6'; }
bool IsBlock(std::wstring_view n) {
    return IsHeading(n) ||
           Is(n, {L"p", L"div", L"address", L"article", L"aside", L"blockquote", L"center", L"dd", L"details", L"dialog",
                  L"dir", L"dl", L"dt", L"fieldset", L"figcaption", L"figure", L"footer", L"form", L"header", L"hr", L"li",
                  L"listing", L"main", L"menu", L"nav", L"ol", L"pre", L"section", L"summary", L"ul", L"caption",
                  L"table", L"tr", L"td", L"th", L"thead", L"tbody", L"tfoot", L"legend", L"body", L"html"});
}
bool IsCellOrRow(std::wstring_view n) { return Is(n, {L"td", L"th", L"tr", L"table", L"caption"}); }

// ------------------------------------------------------------------ the reader

struct Anchor {
    std::uint64_t paragraph = 0;
    int offset = 0;
};

// One open element and what it means for the text inside it.
struct Open {
    std::wstring tag;
    CharFormat chars;
    std::optional<std::uint32_t> formatIndex;
    Align align = Align::Left;
    int leftIndent = 0;
    int spaceAfter = 0;
    int listDepth = 0;
    ListKind listKind = ListKind::Bullet;
    NumberStyle numberStyle = NumberStyle::Arabic;
    int item = -1;      // the list item the text belongs to (-1 = none)
    bool pre = false;
    bool skipped = false;
    bool caption = false;  // a table's caption: ordinary paragraphs before its cells
    bool link = false;
    Tag source;            // what the element was opened with, to work its effects out again
};

struct TableBuild {
    int id = 0;
    std::size_t firstParagraph = 0;
    int rows = 0;
    int col = 0;
    bool inRow = false;
    bool inCell = false;
    int border = 0;     // twips of every cell's borders
    std::vector<std::vector<CellAttributes>> cells;
    std::vector<int> widths;  // per column: > 0 twips, < 0 a percentage, 0 not given
};

class HtmlParser {
public:
    HtmlParser(std::string_view bytes, const HtmlOptions& options) : options_(options) {
        if (bytes.size() > limits::kMaxTextLength * 2)
            throw zv::Error(L"The HTML document cannot be read: it is larger than the text control accepts.");
        src_ = DecodeHtml(bytes);
    }

    Document Parse() {
        doc_.paragraphs.clear();
        current_ = NewParagraph();
        Open root;
        root.tag = L"#root";
        root.source.name = root.tag;
        stack_.push_back(root);
        while (pos_ < src_.size()) {
            const wchar_t c = src_[pos_];
            if (c == L'<' && Markup()) continue;
            if (c == L'&') {
                std::wstring decoded;
                if (const std::size_t n = html::ReadEntity(src_, pos_, decoded)) {
                    pos_ += n;
                    for (wchar_t d : decoded) Text(d, true);
                    continue;
                }
            }
            Text(c, false);
            ++pos_;
        }
        return Finish();
    }

private:
    [[noreturn]] void Fail(const std::wstring& what) const {
        throw zv::Error(L"The HTML document cannot be read: " + what + L" (at character " + std::to_wstring(pos_) + L").");
    }

    Paragraph NewParagraph() {
        Paragraph p;
        p.stamp = ++serial_;
        return p;
    }

    Open& Top() { return stack_.back(); }
    bool Skipping() const { return skipDepth_ > 0; }

    // -------------------------------------------------------------- markup

    // Reads markup at '<'; false when the '<' is plain text.
    bool Markup() {
        const std::wstring_view rest = std::wstring_view(src_).substr(pos_);
        auto letter = [](wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); };
        if (rest.substr(0, 4) == L"<!--") {
            const std::size_t end = src_.find(L"-->", pos_ + 4);
            pos_ = end == std::wstring::npos ? src_.size() : end + 3;
            return true;
        }
        if (rest.size() >= 2 && (rest[1] == L'!' || rest[1] == L'?' || (rest[1] == L'/' && (rest.size() < 3 || !letter(rest[2]))))) {
            // Declarations, processing instructions and bogus end tags run to the next '>'.
            if (rest[1] == L'/' && rest.size() < 3) return false;
            const std::size_t end = src_.find(L'>', pos_);
            pos_ = end == std::wstring::npos ? src_.size() : end + 1;
            return true;
        }
        const bool end = rest.size() >= 2 && rest[1] == L'/';
        const std::size_t nameAt = end ? 2 : 1;
        if (rest.size() <= nameAt || !letter(rest[nameAt])) return false;
        Tag tag;
        tag.end = end;
        pos_ += nameAt;
        if (!ReadTag(tag)) {
            pos_ = src_.size();  // the input ends inside a tag: what is left is not text
            return true;
        }
        if (tag.end) EndTag(tag.name);
        else StartTag(tag);
        return true;
    }

    // Reads a tag's name and attributes up to and past its '>'; false when the input ends first.
    bool ReadTag(Tag& tag) {
        auto nameChar = [](wchar_t c) {
            return c != L' ' && c != L'\t' && c != L'\r' && c != L'\n' && c != L'\f' && c != L'/' && c != L'>' && c != L'=';
        };
        auto blank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f'; };
        while (pos_ < src_.size() && nameChar(src_[pos_])) {
            if (tag.name.size() <= kMaxNameLength) tag.name.push_back(src_[pos_]);
            ++pos_;
        }
        tag.name = Lower(tag.name);
        while (pos_ < src_.size()) {
            while (pos_ < src_.size() && (blank(src_[pos_]) || src_[pos_] == L'/')) ++pos_;
            if (pos_ >= src_.size()) return false;
            if (src_[pos_] == L'>') {
                ++pos_;
                return true;
            }
            Attribute a;
            while (pos_ < src_.size() && (nameChar(src_[pos_]) || (a.name.empty() && src_[pos_] == L'='))) {
                if (a.name.size() <= kMaxNameLength) a.name.push_back(src_[pos_]);
                ++pos_;
            }
            while (pos_ < src_.size() && blank(src_[pos_])) ++pos_;
            std::wstring raw;
            if (pos_ < src_.size() && src_[pos_] == L'=') {
                ++pos_;
                while (pos_ < src_.size() && blank(src_[pos_])) ++pos_;
                if (pos_ >= src_.size()) return false;
                const wchar_t quote = src_[pos_];
                if (quote == L'"' || quote == L'\'') {
                    const std::size_t close = src_.find(quote, pos_ + 1);
                    if (close == std::wstring::npos) return false;
                    raw = src_.substr(pos_ + 1, std::min(close - pos_ - 1, limits::kMaxTextItem));
                    pos_ = close + 1;
                } else {
                    const std::size_t from = pos_;
                    while (pos_ < src_.size() && !blank(src_[pos_]) && src_[pos_] != L'>') ++pos_;
                    raw = src_.substr(from, std::min(pos_ - from, limits::kMaxTextItem));
                }
            }
            if (tag.attributes.size() < kMaxAttributes && !tag.end) {
                a.name = Lower(a.name);
                a.value = html::DecodeEntities(raw);
                tag.attributes.push_back(std::move(a));
            }
        }
        return false;
    }

    // Skips the content of an element whose text is not markup, up to its end tag.
    void SkipRawText(const std::wstring& name) {
        const std::wstring closing = L"</" + name;
        std::size_t from = pos_;
        while (true) {
            const std::size_t at = from >= src_.size() ? std::wstring::npos : src_.find(L"</", from);
            if (at == std::wstring::npos) {
                pos_ = src_.size();
                return;
            }
            if (Lower(std::wstring_view(src_).substr(at, closing.size())) == closing) {
                const std::size_t end = src_.find(L'>', at);
                pos_ = end == std::wstring::npos ? src_.size() : end + 1;
                return;
            }
            from = at + 2;
        }
    }

    // -------------------------------------------------------------- start and end tags

    void StartTag(const Tag& tag) {
        const std::wstring& n = tag.name;
        if (IsRawSkipped(n)) {
            SkipRawText(n);
            return;
        }
        if (IsSkipped(n)) {
            if (!IsVoid(n)) Push(tag, [&](Open& o) { o.skipped = true; });
            return;
        }
        if (Skipping()) {
            if (!IsVoid(n)) Push(tag, [](Open&) {});
            return;
        }
        const std::wstring* id = tag.Find(L"id");
        if (n == L"br" || n == L"img") {
            if (id) AddMark(*id);
            if (n == L"br") LineBreak();
            else Image(tag);
            return;
        }
        if (n == L"hr") {
            CloseOpenParagraph();
            EndParagraph();
            if (id) AddMark(*id);
            return;
        }
        if (IsVoid(n)) return;

        if (n == L"table" || n == L"tr" || n == L"td" || n == L"th" || n == L"caption") {
            TableTag(tag);
            if (id) AddMark(*id);
            return;
        }
        if (IsBlock(n)) {
            CloseOpenParagraph();
            if (n == L"li") CloseUpTo({L"li"}, {L"ul", L"ol", L"dir", L"menu"});
            if (n == L"dt" || n == L"dd") CloseUpTo({L"dt", L"dd"}, {L"dl"});
            EndParagraph();
        }
        std::optional<LinkBuild> link;
        if (n == L"a") {
            FinishLink();
            if (const std::wstring* href = tag.Find(L"href")) link = LinkOf(*href);
        }
        Push(tag, [&](Open& o) {
            o.link = link.has_value();
            CharEffects(tag, o.link, o.chars);
            if (IsBlock(n)) BlockEffects(tag, o);
        });
        if (id) AddMark(*id);
        if (n == L"a") {
            if (const std::wstring* name = tag.Find(L"name")) AddMark(*name);
            link_ = std::move(link);
        }
        if (n == L"pre" || n == L"listing") lastWasPreStart_ = true;
    }

    // What an element does to the characters inside it: its tag, its presentation attributes and
    // its inline style.
    static void CharEffects(const Tag& tag, bool link, CharFormat& c) {
        const std::wstring& n = tag.name;
        if (IsHeading(n)) {
            static constexpr int kSizes[] = {480, 360, 280, 240, 200, 160};
            c.bold = true;
            c.size = kSizes[n[1] - L'1'];
        } else if (n == L"b" || n == L"strong" || n == L"th") {
            c.bold = true;
        } else if (n == L"i" || n == L"em" || n == L"cite" || n == L"var" || n == L"dfn" || n == L"address") {
            c.italic = true;
        } else if (n == L"u" || n == L"ins") {
            c.underline = true;
        } else if (n == L"s" || n == L"strike" || n == L"del") {
            c.strike = true;
        } else if (n == L"tt" || n == L"code" || n == L"kbd" || n == L"samp" || n == L"pre" || n == L"listing") {
            c.face = L"Courier New";
        } else if (n == L"big") {
            c.size = std::min(c.size + 40, limits::kMaxFontSize);
        } else if (n == L"small") {
            c.size = std::max(c.size - 40, limits::kMinFontSize);
        } else if (n == L"font") {
            if (const std::wstring* face = tag.Find(L"face")) {
                if (std::wstring f = html::FirstFontFamily(*face); !f.empty()) c.face = f;
            }
            if (const std::wstring* size = tag.Find(L"size")) {
                if (auto points = html::FontTagSize(*size)) c.size = *points;
            }
            if (const std::wstring* color = tag.Find(L"color")) {
                if (auto col = html::ParseColor(*color)) c.color = *col;
            }
        }
        if (link) {
            c.color = kLinkColor;
            c.underline = true;
        }
        if (const std::wstring* style = tag.Find(L"style")) {
            std::optional<Align> unused;
            html::ApplyInlineStyle(*style, c, unused);
        }
    }

    // What a block element does to its paragraphs.
    void BlockEffects(const Tag& tag, Open& o) {
        const std::wstring& n = tag.name;
        if (IsHeading(n) || n == L"p") {
            o.spaceAfter = kBlockSpacing;
        } else if (n == L"pre" || n == L"listing") {
            o.pre = true;
        } else if (n == L"center") {
            o.align = Align::Center;
        } else if (n == L"blockquote" || n == L"dd") {
            o.leftIndent += kQuoteIndent;
        } else if (n == L"ul" || n == L"ol" || n == L"dir" || n == L"menu") {
            ++o.listDepth;
            o.listKind = n == L"ol" ? ListKind::Numbered : ListKind::Bullet;
            o.numberStyle = NumberStyle::Arabic;
            if (const std::wstring* type = tag.Find(L"type")) {
                if (*type == L"A") o.numberStyle = NumberStyle::UpperLetter;
                else if (*type == L"a") o.numberStyle = NumberStyle::LowerLetter;
                else if (*type == L"I") o.numberStyle = NumberStyle::UpperRoman;
                else if (*type == L"i") o.numberStyle = NumberStyle::LowerRoman;
            }
            o.item = -1;
            o.spaceAfter = 0;
        } else if (n == L"li") {
            if (o.listDepth == 0) o.listDepth = 1;  // an item outside any list: a bullet
            o.item = static_cast<int>(itemUsed_.size());
            itemUsed_.push_back(false);
            o.spaceAfter = 0;
        }
        if (auto align = BlockAlign(tag)) o.align = *align;
    }

    // The alignment a block asks for: its align attribute, then its style's text-align.
    static std::optional<Align> BlockAlign(const Tag& tag) {
        std::optional<Align> align;
        if (const std::wstring* a = tag.Find(L"align")) align = html::ParseAlign(*a);
        if (const std::wstring* style = tag.Find(L"style")) {
            CharFormat unused;
            html::ApplyInlineStyle(*style, unused, align);
        }
        return align;
    }

    template <class F>
    void Push(const Tag& tag, F&& configure) {
        if (stack_.size() >= kMaxDepth) return;
        Open o = Top();
        o.tag = tag.name;
        o.source = tag;
        o.formatIndex.reset();
        o.skipped = false;
        o.link = false;
        configure(o);
        if (o.skipped) ++skipDepth_;
        stack_.push_back(std::move(o));
    }

    // Closes the open elements down to and including stack_[index].
    void PopTo(std::size_t index) {
        while (stack_.size() > index && stack_.size() > 1) {
            const Open closing = std::move(stack_.back());
            stack_.pop_back();
            Closed(closing);
        }
    }

    void Closed(const Open& o) {
        if (o.skipped) --skipDepth_;
        if (Skipping()) return;
        const std::wstring& n = o.tag;
        if (o.link) FinishLink();
        if (n == L"table") {
            EndParagraph();
            if (--tableDepth_ == 0) CloseTable();
        } else if (n == L"td" || n == L"th" || n == L"caption") {
            EndParagraph();
            if (table_ && tableDepth_ == 1) table_->inCell = false;
        } else if (n == L"tr") {
            EndParagraph();
            if (table_ && tableDepth_ == 1) table_->inRow = false;
        } else if (IsBlock(n)) {
            EndParagraph();
        }
    }

    // The innermost open element named one of `names`, not looking past one of `limits`.
    std::optional<std::size_t> FindOpen(std::initializer_list<std::wstring_view> names,
                                        std::initializer_list<std::wstring_view> limits) const {
        for (std::size_t i = stack_.size(); i-- > 1;) {
            if (Is(stack_[i].tag, names)) return i;
            if (Is(stack_[i].tag, limits)) return std::nullopt;
        }
        return std::nullopt;
    }

    void CloseUpTo(std::initializer_list<std::wstring_view> names, std::initializer_list<std::wstring_view> limits) {
        if (auto at = FindOpen(names, limits)) PopTo(*at);
    }

    // A block that starts inside an open <p> ends it, as browsers do.
    void CloseOpenParagraph() {
        for (std::size_t i = stack_.size(); i-- > 1;) {
            if (stack_[i].tag == L"p") {
                PopTo(i);
                return;
            }
            if (IsBlock(stack_[i].tag)) return;
        }
    }

    void EndTag(const std::wstring& name) {
        if (name == L"br" && !Skipping()) {  // "</br>" is read as a line break, as browsers do
            LineBreak();
            return;
        }
        // Inside a cell, an end tag does not close what lies outside it.
        const bool structural = IsCellOrRow(name);
        bool blockAbove = false;
        for (std::size_t i = stack_.size(); i-- > 1;) {
            if (stack_[i].tag == name) {
                if (blockAbove && !IsBlock(name) && !Skipping()) Unwrap(i);
                else PopTo(i);
                return;
            }
            if (!structural && IsCellOrRow(stack_[i].tag)) return;
            if (structural && stack_[i].tag == L"table" && name != L"table") return;
            blockAbove = blockAbove || IsBlock(stack_[i].tag);
        }
        if (name == L"p" && !Skipping()) EndParagraph();  // a stray </p> still ends the line
    }

    // An inline element closed while blocks opened inside it are still open ("<b>a<p>b</b> c"):
    // it ends there, and the blocks go on without its look, as browsers show it.
    void Unwrap(std::size_t index) {
        if (stack_[index].link) FinishLink();
        stack_.erase(stack_.begin() + static_cast<long>(index));
        for (std::size_t i = index; i < stack_.size(); ++i) {
            Open& o = stack_[i];
            o.chars = stack_[i - 1].chars;
            CharEffects(o.source, o.link, o.chars);
            o.formatIndex.reset();
        }
    }

    // -------------------------------------------------------------- tables

    void TableTag(const Tag& tag) {
        const std::wstring& n = tag.name;
        CloseOpenParagraph();
        const std::optional<Align> align = BlockAlign(tag);
        auto configure = [&](Open& o) {
            CharEffects(tag, false, o.chars);
            if (n == L"th") o.align = Align::Center;
            if (align && n != L"table") o.align = *align;
            o.listDepth = 0;
            o.item = -1;
            o.leftIndent = 0;
            o.spaceAfter = 0;
            o.caption = n == L"caption" && tableDepth_ == 1;
        };
        if (n == L"table") {
            EndParagraph();
            const std::size_t depth = stack_.size();
            Push(tag, configure);
            if (stack_.size() == depth) return;  // too deep to open
            if (++tableDepth_ == 1) {
                table_ = TableBuild{};
                table_->id = doc_.nextTableId++;
                table_->firstParagraph = done_.size();
                if (const std::wstring* border = tag.Find(L"border")) {
                    const auto px = Pixels(*border);
                    table_->border = std::clamp((border->empty() ? 1 : px.value_or(0)) * kPixel, 0, limits::kMaxBorder);
                }
                if (const std::wstring* width = tag.Find(L"width")) tableWidth_ = WidthOf(*width);
                else tableWidth_ = 0;
            }
            return;
        }
        if (tableDepth_ == 0) return;  // a row or cell outside any table: its text is ordinary text
        // A new row or cell ends the cell (and for a row, the row) still open in this table.
        if (n == L"tr") CloseUpTo({L"tr"}, {L"table"});
        CloseUpTo({L"td", L"th", L"caption"}, {L"table"});
        EndParagraph();
        const std::size_t depth = stack_.size();
        Push(tag, configure);
        if (stack_.size() == depth || tableDepth_ != 1) return;
        if (n == L"tr") {
            StartRow();
        } else if (n == L"td" || n == L"th") {
            StartCell(&tag);
        }
        // A caption stays ordinary paragraphs before the cells that follow it.
    }

    void StartRow() {
        TableBuild& t = *table_;
        if (t.rows >= limits::kMaxTableRows) Fail(L"a table has more rows than the text control accepts");
        ++t.rows;
        t.col = 0;
        t.inRow = true;
        t.inCell = false;
        t.cells.emplace_back();
    }

    void StartCell(const Tag* tag) {
        TableBuild& t = *table_;
        if (!t.inRow) StartRow();
        if (t.col >= limits::kMaxTableColumns) Fail(L"a table has more columns than the text control accepts");
        ++t.col;
        t.inCell = true;
        CellAttributes cell;
        cell.leftBorder = cell.topBorder = cell.rightBorder = cell.bottomBorder = t.border;
        if (tag) {
            if (const std::wstring* bg = tag->Find(L"bgcolor")) {
                if (auto c = html::ParseColor(*bg)) cell.background = *c;
            }
            if (const std::wstring* width = tag->Find(L"width")) {
                if (t.widths.size() < static_cast<std::size_t>(t.col)) t.widths.resize(static_cast<std::size_t>(t.col), 0);
                int& w = t.widths[static_cast<std::size_t>(t.col - 1)];
                if (w == 0) w = WidthOf(*width);
            }
        }
        t.cells.back().push_back(cell);
    }

    static std::optional<int> Pixels(std::wstring_view text) {
        const std::wstring t = TrimBlanks(text);
        int v = 0;
        std::size_t i = 0;
        for (; i < t.size() && t[i] >= L'0' && t[i] <= L'9' && i < 6; ++i) v = v * 10 + (t[i] - L'0');
        if (i == 0) return std::nullopt;
        return v;
    }

    // A width attribute: pixels as twips (> 0), a percentage as its negative, 0 when unreadable.
    static int WidthOf(std::wstring_view text) {
        const auto px = Pixels(text);
        if (!px || *px == 0) return 0;
        if (TrimBlanks(text).back() == L'%') return -std::min(*px, 100);
        return std::min(*px * kPixel, limits::kMaxTwips);
    }

    // Pads every row to the widest one and rebuilds the table's paragraphs in row-major order with
    // a paragraph in every cell, as the model wants.
    void CloseTable() {
        if (!table_) return;
        TableBuild t = std::move(*table_);
        table_.reset();
        int cols = 0;
        for (const auto& row : t.cells) cols = std::max(cols, static_cast<int>(row.size()));
        if (t.rows == 0 || cols == 0) {
            for (std::size_t i = t.firstParagraph; i < done_.size(); ++i) done_[i].cell = CellRef{};
            return;
        }
        Table table;
        table.id = t.id;
        table.rows = t.rows;
        table.cols = cols;
        // Columns without a width share what the others leave of the table's width.
        const PageSetup page;
        const int text = page.width - page.marginLeft - page.marginRight;
        const int total = tableWidth_ > 0 ? tableWidth_ : tableWidth_ < 0 ? text * -tableWidth_ / 100 : text;
        t.widths.resize(static_cast<std::size_t>(cols), 0);
        int fixed = 0, open = 0;
        for (int& w : t.widths) {
            if (w < 0) w = total * -w / 100;
            if (w > 0) fixed += w;
            else ++open;
        }
        const int share = open > 0 ? std::max((total - fixed) / open, 1440 / 2) : 0;
        for (int w : t.widths) table.columnWidths.push_back(std::clamp(w > 0 ? w : share, limits::kMinColumnWidth, limits::kMaxTwips));
        for (int r = 0; r < t.rows; ++r) {
            const auto& row = t.cells[static_cast<std::size_t>(r)];
            for (int c = 0; c < cols; ++c) {
                CellAttributes cell;
                cell.leftBorder = cell.topBorder = cell.rightBorder = cell.bottomBorder = t.border;
                table.cells.push_back(c < static_cast<int>(row.size()) ? row[static_cast<std::size_t>(c)] : cell);
            }
        }
        std::vector<Paragraph> cellParas(std::make_move_iterator(done_.begin() + static_cast<long>(t.firstParagraph)),
                                         std::make_move_iterator(done_.end()));
        done_.resize(t.firstParagraph);
        // Paragraphs that stood outside any cell (a caption) go before the table.
        std::vector<Paragraph> inCells;
        for (auto& p : cellParas) {
            if (p.cell.table == t.id) inCells.push_back(std::move(p));
            else done_.push_back(std::move(p));
        }
        std::size_t k = 0;
        for (int r = 1; r <= t.rows; ++r) {
            for (int c = 1; c <= cols; ++c) {
                bool any = false;
                while (k < inCells.size() && inCells[k].cell.row == r && inCells[k].cell.col == c) {
                    done_.push_back(std::move(inCells[k++]));
                    any = true;
                }
                if (!any) {
                    Paragraph empty = NewParagraph();
                    empty.cell = CellRef{t.id, r, c};
                    done_.push_back(std::move(empty));
                }
            }
        }
        doc_.tables.push_back(std::move(table));
    }

    // -------------------------------------------------------------- text

    void Text(wchar_t c, bool fromReference) {
        if (Skipping()) return;
        const bool pre = Top().pre;
        if (!fromReference && (c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f')) {
            if (pre) {
                if (c == L'\r') return;
                if (c == L'\n') {
                    if (lastWasPreStart_) {  // the line end right after <pre> is not shown
                        lastWasPreStart_ = false;
                        return;
                    }
                    LineBreak();
                    return;
                }
                Visible(c == L'\t' ? L'\t' : L' ');
                return;
            }
            if (started_ && !lineStart_ && !pendingSpace_) {
                pendingSpace_ = true;
                // The blank keeps the look of the text before it: a link that follows does not
                // underline it.
                pendingSpaceFormat_ = CurrentFormat();
            }
            return;
        }
        if (c == kObjectChar) c = 0xFFFD;  // only images make object characters
        if (c < 0x20 && c != L'\t') return;
        Visible(c);
    }

    std::uint32_t CurrentFormat() {
        Open& o = Top();
        if (o.formatIndex) return *o.formatIndex;
        const CharFormat& f = o.chars;
        const auto key = std::make_tuple(f.face, f.size, (f.bold ? 1 : 0) | (f.italic ? 2 : 0) | (f.underline ? 4 : 0) | (f.strike ? 8 : 0),
                                         f.color, f.backColor);
        auto it = formats_.find(key);
        if (it == formats_.end()) {
            if (formats_.size() >= limits::kMaxItems) Fail(L"the document has too many character formats");
            doc_.charFormats.push_back(f);
            it = formats_.emplace(key, static_cast<std::uint32_t>(doc_.charFormats.size() - 1)).first;
        }
        o.formatIndex = it->second;
        return it->second;
    }

    void CountText() {
        if (++totalText_ > limits::kMaxTextLength) Fail(L"the text is longer than the text control accepts");
    }

    // Starts the paragraph that text is about to go into, with the format of where it stands.
    void StartParagraph() {
        if (started_) return;
        started_ = true;
        lineStart_ = true;
        const Open& o = Top();
        ParaFormat& f = current_.format;
        f.align = o.align;
        f.leftIndent = o.leftIndent;
        f.spaceAfter = o.spaceAfter;
        if (o.item >= 0) {
            const int level = std::clamp(o.listDepth - 1, 0, kMaxListLevel);
            if (!itemUsed_[static_cast<std::size_t>(o.item)]) {  // the item's first paragraph carries its marker
                f.listKind = o.listKind;
                f.numberStyle = o.numberStyle;
                f.listLevel = level;
                itemUsed_[static_cast<std::size_t>(o.item)] = true;
            } else {
                f.leftIndent += (level + 1) * f.listIndentStep;
            }
        }
        if (table_ && tableDepth_ >= 1 && !o.caption) {
            if (!table_->inCell) StartCell(nullptr);
            current_.cell = CellRef{table_->id, table_->rows, table_->col};
        }
    }

    void Append(wchar_t c) { Append(c, CurrentFormat()); }
    void Append(wchar_t c, std::uint32_t format) {
        CountText();
        current_.text.push_back(c);
        current_.formats.push_back(format);
    }

    void FlushSpace() {
        if (!pendingSpace_) return;
        Append(L' ', pendingSpaceFormat_);
        pendingSpace_ = false;
    }

    // A character that shows: a pending collapsed blank goes before it, and a link starts here.
    void Visible(wchar_t c) {
        StartParagraph();
        FlushSpace();
        lineStart_ = false;
        lastWasPreStart_ = false;
        if (link_ && !link_->start) link_->start = Here();
        Append(c);
        if (link_) link_->end = Here();
    }

    void LineBreak() {
        if (Skipping()) return;
        StartParagraph();
        pendingSpace_ = false;
        Append(kLineBreak);
        lineStart_ = true;
        lastWasPreStart_ = false;
    }

    void EndParagraph() {
        pendingSpace_ = false;
        lineStart_ = true;
        if (!started_) return;
        TrimEndingBreak();
        FinishLinkPiece();
        done_.push_back(std::move(current_));
        if (done_.size() > limits::kMaxParagraphs) Fail(L"the document has too many paragraphs");
        CountText();
        current_ = NewParagraph();
        started_ = false;
    }

    // A line break that ends a paragraph adds no empty line, as in a browser.
    void TrimEndingBreak() {
        if (!current_.text.empty() && current_.text.back() == kLineBreak) {
            current_.text.pop_back();
            current_.formats.pop_back();
        }
    }

    Anchor Here() const { return Anchor{current_.stamp, static_cast<int>(current_.text.size())}; }

    // -------------------------------------------------------------- links, marks, images

    struct LinkBuild {
        int kind = kLinkAddress;
        std::wstring target;
        std::optional<Anchor> start, end;
    };

    // The link an href makes: none when links are not imported, or for a script.
    std::optional<LinkBuild> LinkOf(const std::wstring& href) const {
        if (!options_.importLinks) return std::nullopt;
        std::wstring target = TrimBlanks(href);
        if (target.empty() || Lower(target).rfind(L"javascript:", 0) == 0) return std::nullopt;
        LinkBuild link;
        if (target[0] == L'#') {
            link.kind = kLinkAnchor;
            target.erase(0, 1);
            if (target.empty()) return std::nullopt;
        }
        link.target = target.substr(0, limits::kMaxTextItem);
        return link;
    }

    // The part of the link in the paragraph that ends becomes a field of its own.
    void FinishLinkPiece() {
        if (!link_ || !link_->start || !link_->end) return;
        const Anchor s = *link_->start, e = *link_->end;
        link_->start.reset();
        link_->end.reset();
        if (s.paragraph != e.paragraph || e.offset <= s.offset) return;
        if (fields_.size() >= limits::kMaxItems) Fail(L"the document has too many links");
        fields_.push_back(FieldDone{s, e.offset - s.offset, link_->kind, link_->target});
    }

    void FinishLink() {
        FinishLinkPiece();
        link_.reset();
    }

    void AddMark(const std::wstring& raw) {
        if (Skipping()) return;
        std::wstring name = TrimBlanks(raw);
        if (name.empty() || name.size() > limits::kMaxTextItem) return;
        if (marks_.size() >= limits::kMaxItems) Fail(L"the document has too many anchors");
        marks_.emplace_back(std::move(name), Here());
    }

    static std::wstring PercentDecoded(std::wstring_view text) {
        std::wstring out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == L'%' && i + 2 < text.size()) {
                auto hex = [](wchar_t c) {
                    return c >= L'0' && c <= L'9' ? c - L'0' : c >= L'a' && c <= L'f' ? c - L'a' + 10 : c >= L'A' && c <= L'F' ? c - L'A' + 10 : -1;
                };
                const int hi = hex(text[i + 1]), lo = hex(text[i + 2]);
                if (hi >= 0 && lo >= 0) {
                    out.push_back(static_cast<wchar_t>(hi * 16 + lo));
                    i += 2;
                    continue;
                }
            }
            out.push_back(text[i]);
        }
        return out;
    }

    void Image(const Tag& tag) {
        const std::wstring* src = tag.Find(L"src");
        if (!src || !options_.readImage) return;
        const std::wstring name = PercentDecoded(TrimBlanks(*src));
        if (!IsLocalImageName(name)) return;
        if (objects_.size() >= limits::kMaxItems) Fail(L"the document has too many images");
        std::optional<std::string> bytes = options_.readImage(name);
        if (!bytes || bytes->empty() || bytes->size() > limits::kMaxImageBytes) return;
        const ImageInfo info = SniffImage(*bytes);
        if (info.type == ImageType::Unknown) return;
        Object o;
        o.kind = ObjectKind::Image;
        o.imageType = info.type;
        o.width = std::clamp(info.width > 0 ? info.width : 1440, 1, limits::kMaxTwips);
        o.height = std::clamp(info.height > 0 ? info.height : 1440, 1, limits::kMaxTwips);
        // The page's own size for the picture, in pixels; one side alone keeps the proportions.
        auto pixels = [&](const wchar_t* attribute) {
            const std::wstring* value = tag.Find(attribute);
            return value ? Pixels(*value).value_or(0) : 0;
        };
        const int w = pixels(L"width"), h = pixels(L"height");
        auto scale = [](int px, int natural) {
            return static_cast<int>(std::clamp<long long>(static_cast<long long>(px) * kPixel * 100 / natural, 1, limits::kMaxScale));
        };
        if (w > 0) o.scaleX = scale(w, o.width);
        if (h > 0) o.scaleY = scale(h, o.height);
        if (w > 0 && h <= 0) o.scaleY = o.scaleX;
        if (h > 0 && w <= 0) o.scaleX = o.scaleY;
        o.image = std::make_shared<const std::string>(std::move(*bytes));
        StartParagraph();
        FlushSpace();
        objects_.emplace_back(Here(), std::move(o));
        Visible(kObjectChar);
    }

    // -------------------------------------------------------------- the document

    Document Finish() {
        PopTo(1);
        FinishLink();
        TrimEndingBreak();
        if (table_) {
            tableDepth_ = 0;
            CloseTable();
        }
        // The last paragraph: the one text is going into, or, after a paragraph's end, the one
        // before (an empty paragraph after the last line would only add a blank line).
        const bool keepCurrent = started_ || done_.empty() || done_.back().cell.table != 0;
        std::optional<Anchor> endOfText;
        if (keepCurrent) {
            done_.push_back(std::move(current_));
        } else {
            endOfText = Anchor{done_.back().stamp, static_cast<int>(done_.back().text.size())};
        }
        const std::uint64_t dropped = keepCurrent ? 0 : current_.stamp;
        doc_.paragraphs = std::move(done_);
        if (doc_.charFormats.empty()) doc_.charFormats.push_back(CharFormat{});

        std::unordered_map<std::uint64_t, std::pair<int, int>> placeOf;  // start and length
        int position = 0;
        for (const auto& p : doc_.paragraphs) {
            placeOf[p.stamp] = {position, static_cast<int>(p.text.size())};
            position += static_cast<int>(p.text.size()) + 1;
        }
        auto resolve = [&](Anchor a) -> std::optional<int> {
            if (a.paragraph == dropped && endOfText) a = *endOfText;
            auto it = placeOf.find(a.paragraph);
            if (it == placeOf.end()) return std::nullopt;
            return it->second.first + std::min(a.offset, it->second.second);
        };
        for (auto& f : fields_) {
            auto start = resolve(f.at);
            if (start) doc_.fields.push_back(Field{doc_.nextFieldId++, *start, f.length, f.kind, std::move(f.target)});
        }
        for (auto& [anchor, object] : objects_) {
            auto at = resolve(anchor);
            if (!at) continue;
            object.id = doc_.nextObjectId++;
            object.anchor = *at;
            doc_.objects.push_back(std::move(object));
        }
        for (auto& [name, anchor] : marks_) {
            auto at = resolve(anchor);
            if (at && !doc_.FindMark(name)) doc_.marks.push_back(Mark{std::move(name), *at});
        }
        for (auto& p : doc_.paragraphs) p.stamp = ++doc_.stampCounter;
        if (auto problem = doc_.Validate(); !problem.empty())
            throw zv::Error(L"The HTML document cannot be read: " + problem + L".");
        return std::move(doc_);
    }

    struct FieldDone {
        Anchor at;
        int length;
        int kind;
        std::wstring target;
    };
    using FormatKey = std::tuple<std::wstring, int, int, Color, Color>;

    const HtmlOptions& options_;
    std::wstring src_;
    std::size_t pos_ = 0;
    Document doc_;
    std::vector<Open> stack_;
    int skipDepth_ = 0;
    std::vector<Paragraph> done_;
    Paragraph current_;
    bool started_ = false;
    bool pendingSpace_ = false;
    std::uint32_t pendingSpaceFormat_ = 0;
    bool lineStart_ = true;
    bool lastWasPreStart_ = false;
    std::uint64_t serial_ = 0;
    std::size_t totalText_ = 0;
    std::vector<bool> itemUsed_;  // per list item: its first paragraph has been made
    std::map<FormatKey, std::uint32_t> formats_;
    std::optional<LinkBuild> link_;
    std::vector<FieldDone> fields_;
    std::vector<std::pair<std::wstring, Anchor>> marks_;
    std::vector<std::pair<Anchor, Object>> objects_;
    std::optional<TableBuild> table_;
    int tableDepth_ = 0;
    int tableWidth_ = 0;
};

}  // namespace

bool IsLocalImageName(std::wstring_view name) {
    if (name.empty() || name.size() > 260) return false;
    if (name[0] == L'/' || name[0] == L'\\') return false;
    if (name.find(L':') != std::wstring_view::npos) return false;  // a drive or a scheme
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of(L"/\\", start);
        if (end == std::wstring_view::npos) end = name.size();
        const std::wstring_view part = name.substr(start, end - start);
        if (part.empty() || part == L"..") return false;
        for (wchar_t c : part)
            if (c < 0x20 || c == L'*' || c == L'?' || c == L'"' || c == L'<' || c == L'>' || c == L'|') return false;
        start = end + 1;
    }
    return true;
}

Document ReadHtml(std::string_view bytes, const HtmlOptions& options) { return HtmlParser(bytes, options).Parse(); }

}  // namespace tx
