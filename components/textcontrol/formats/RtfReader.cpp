#include "components/textcontrol/formats/RtfReader.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <cwctype>
#include <map>
#include <optional>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

#include "base/Error.h"
#include "components/textcontrol/formats/CodePages.h"
#include "components/textcontrol/formats/RtfWords.h"
#include "components/textcontrol/model/ImageInfo.h"
#include "components/textcontrol/model/Limits.h"

namespace tx {
namespace {

constexpr int kMaxDepth = 1000;
constexpr size_t kMaxWordLength = 32;

enum class Dest {
    Body, Header, Footer, Note,  // text of a story
    FontTable, ColorTable, StyleSheet, ListTable, ListOverrides,
    FieldInst, Pict, Bookmark, OldList, Object, ObjectName, ObjectData,
    Skip,
};

// Where something sits in the text while the document is being built: paragraphs get serials as
// they are made, and tables padded with empty cells later cannot shift what was recorded.
struct Anchor {
    std::uint64_t paragraph = 0;
    int offset = 0;
};

enum class BorderTarget { None, ParaLeft, ParaRight, ParaTop, ParaBottom, ParaBox, CellLeft, CellTop, CellRight, CellBottom };

struct State {
    Dest dest = Dest::Body;
    // Character properties, resolved to a format when text arrives.
    int font = -1;
    int size = 240;
    bool bold = false, italic = false, underline = false, strike = false;
    int fore = 0, back = 0;           // colour table indices, 0 = automatic
    int exactSize = 0;                // ours: twips
    int script = 0;                   // \super 1, \sub 2
    int rise = 0;                     // \up, \dn: twips
    std::optional<int> exactBaseline; // ours: the whole offset in twips
    std::uint32_t formatIndex = 0;
    bool formatDirty = true;
    // Paragraph properties.
    ParaFormat para;
    bool inTable = false;
    int listOverride = 0;
    int listLevel = 0;
    int ownListKind = -1, ownFrameStyle = -1;  // ours, when present they win
    int ownListLevel = -1, ownNumberStyle = -1, ownListStep = -1;
    std::optional<int> ownLeftIndent, ownFirstIndent;
    TabKind nextTab = TabKind::Left;
    BorderTarget border = BorderTarget::None;
    int uc = 1;
    // The code page of the group's font, resolved when its first byte beyond ASCII arrives; valid
    // while codePageVersion matches the parser's (fonts and \ansicpg change it).
    const CodePage* codePage = nullptr;
    std::uint32_t codePageVersion = 0;
    int field = -1;        // index of the field group this group belongs to
    bool fieldResult = false;
    int groupKind = 0;     // what ends with this group (see EndGroup)
};

enum GroupKind { kNone = 0, kFieldGroup = 1, kFieldResultGroup = 2, kPictGroup = 3, kObjectGroup = 4,
                 kOldListGroup = 5, kStyleEntry = 6, kBookmarkStart = 7, kHeaderGroup = 8, kFooterGroup = 9,
                 kNoteGroup = 10 };

struct FieldBuild {
    std::wstring instruction;
    std::optional<Anchor> start, end;
    Dest story = Dest::Body;
};

struct StoryBuild {
    std::vector<Paragraph> done;
    Paragraph current;
    bool started = false;  // the story's group has been seen
};

struct RowDef {
    std::vector<int> edges;
    std::vector<CellAttributes> cells;
    CellAttributes pending;
};

struct TableBuild {
    int id = 0;
    int source = 0;  // the writer's id of the table, when ours wrote it
    int row = 1;
    int col = 1;
    size_t firstParagraph = 0;
    std::vector<RowDef> rows;  // definitions of finished rows
};

struct FontEntry {
    std::wstring name;
    int charset = -1;  // none given
    int cpg = 0;       // a code page of its own (\cpg), 0 = none
};

struct PictBuild {
    std::string bytes;
    int hexHigh = -1;
    ImageType type = ImageType::Unknown;
    bool bitmap = false;
    int picw = 0, pich = 0, goalW = 0, goalH = 0, scaleX = 100, scaleY = 100;
};

struct ObjectBuild {
    Object object;
    std::wstring name;
    std::string data;
    int hexHigh = -1;
    bool fixed = false;
};

class RtfParser {
public:
    RtfParser(std::string_view data, bool importLinks) : data_(data), importLinks_(importLinks) {}

    Document Parse() {
        size_t i = 0;
        while (i < data_.size() && (data_[i] == ' ' || data_[i] == '\r' || data_[i] == '\n' || data_[i] == '\t')) ++i;
        if (data_.substr(i, 5) != "{\\rtf") Fail(L"it does not start with {\\rtf");
        doc_.paragraphs.clear();
        body_.current = NewParagraph();
        header_.current = NewParagraph();
        footer_.current = NewParagraph();
        pos_ = i;
        Run();
        return Finish();
    }

private:
    [[noreturn]] void Fail(const std::wstring& what) const {
        throw zv::Error(L"The RTF document cannot be read: " + what + L" (at byte " + std::to_wstring(pos_) + L").");
    }

    Paragraph NewParagraph() {
        Paragraph p;
        p.stamp = ++serial_;
        return p;
    }

    State& Top() { return stack_.back(); }

    // ------------------------------------------------------------ the main loop

    void Run() {
        while (pos_ < data_.size()) {
            const char c = data_[pos_];
            if (c == '{') {
                ++pos_;
                FlushLead();
                if (stack_.size() >= kMaxDepth) Fail(L"groups are nested too deeply");
                State s = stack_.empty() ? State{} : Top();
                s.groupKind = kNone;
                s.fieldResult = false;
                if (s.dest == Dest::StyleSheet) {  // a style entry starts
                    styleName_.clear();
                    styleNameDone_ = false;
                    styleNumber_ = -1;
                }
                stack_.push_back(s);
                skip_ = 0;
            } else if (c == '}') {
                ++pos_;
                if (stack_.empty()) Fail(L"a group closes that was never opened");
                FlushLead();
                EndGroup();
                skip_ = 0;
                if (stack_.empty()) return;  // the document's own group is closed: the rest is not RTF
            } else if (c == '\\') {
                Control();
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                ++pos_;
                if (stack_.empty()) Fail(L"text stands outside the document's group");
                Byte(static_cast<unsigned char>(c));
            }
        }
        if (!stack_.empty()) Fail(L"the data ends inside a group (braces are unbalanced)");
    }

    void Control() {
        ++pos_;
        if (pos_ >= data_.size()) Fail(L"the data ends after a backslash");
        if (stack_.empty()) Fail(L"a control word stands outside the document's group");
        const char c = data_[pos_];
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            const size_t start = pos_;
            while (pos_ < data_.size() && std::isalpha(static_cast<unsigned char>(data_[pos_]))) {
                if (pos_ - start >= kMaxWordLength) Fail(L"a control word is too long");
                ++pos_;
            }
            const std::string_view word = data_.substr(start, pos_ - start);
            bool hasParam = false;
            long long param = 0;
            bool negative = false;
            if (pos_ < data_.size() && data_[pos_] == '-') {
                negative = true;
                ++pos_;
            }
            size_t digits = 0;
            while (pos_ < data_.size() && std::isdigit(static_cast<unsigned char>(data_[pos_]))) {
                if (++digits > 10) Fail(L"a number is too long");
                param = param * 10 + (data_[pos_] - '0');
                hasParam = true;
                ++pos_;
            }
            if (negative) param = -param;
            param = std::clamp<long long>(param, INT32_MIN, INT32_MAX);
            if (pos_ < data_.size() && data_[pos_] == ' ') ++pos_;
            FlushLead();
            if (skip_ > 0) {
                // The fallback of a \u: a control word counts as one character, \bin with its data.
                --skip_;
                if (word == "bin") Binary(static_cast<int>(param), nullptr);
                ignorable_ = false;
                return;
            }
            Word(word, hasParam, static_cast<int>(param));
            ignorable_ = false;
            return;
        }
        ++pos_;
        if (c != '\'' && c != '\\' && c != '{' && c != '}') {
            FlushLead();
            if (skip_ > 0) {
                --skip_;
                return;
            }
        }
        switch (c) {
        case '\'': {
            if (pos_ + 2 > data_.size()) Fail(L"the data ends inside a \\' escape");
            const int hi = HexValue(data_[pos_]), lo = HexValue(data_[pos_ + 1]);
            if (hi < 0 || lo < 0) Fail(L"a \\' escape is not followed by two hex digits");
            pos_ += 2;
            Byte(static_cast<unsigned char>(hi * 16 + lo), true);
            break;
        }
        case '\\': case '{': case '}': Byte(static_cast<unsigned char>(c)); break;
        case '~': Char(0xA0); break;
        case '_': Char(L'-'); break;
        case '-': break;  // optional hyphen
        case '*': ignorable_ = true; break;
        case '\r': case '\n': Word("par", false, 0); break;
        case '\t': Char(L'\t'); break;
        default: break;
        }
    }

    static int HexValue(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    // ------------------------------------------------------------ characters

    void Byte(unsigned char b, bool escaped = false) {
        const Dest dest = Top().dest;
        if (dest == Dest::Pict || dest == Dest::ObjectData) {
            if (escaped) return;
            const int v = HexValue(static_cast<char>(b));
            if (v < 0) return;  // blanks between hex digits
            HexDigit(v);
            return;
        }
        if (skip_ > 0) {
            --skip_;
            return;
        }
        if (highSurrogate_ != 0) {
            highSurrogate_ = 0;
            Char(0xFFFD);
        }
        if (lead_ != 0) {
            TrailByte(b);
            return;
        }
        if (b < 0x80) {
            Char(static_cast<wchar_t>(b));
            return;
        }
        const CodePage& page = CodePageNow();
        if (page.IsLeadByte(b)) {
            lead_ = b;
            leadPage_ = &page;
            return;
        }
        Char(static_cast<wchar_t>(page.Single(b)));
    }

    // The second byte of a double-byte character: written escaped, or raw when it is ASCII.
    void TrailByte(unsigned char b) {
        const unsigned char lead = lead_;
        lead_ = 0;
        const char16_t c = leadPage_->Pair(lead, b);
        if (c == u'\xFFFD' && b < 0x80) {
            // Not a pair: the lead byte alone is lost, the ASCII byte after it stands.
            Char(0xFFFD);
            Char(static_cast<wchar_t>(b));
            return;
        }
        Char(static_cast<wchar_t>(c));
    }

    // A lead byte whose trail never came (a control word or a brace came first).
    void FlushLead() {
        if (lead_ == 0) return;
        lead_ = 0;
        Char(0xFFFD);
    }

    // The code page of the text at hand: the font's charset or \cpg, else the document's. Inside the
    // font table, the font being defined decodes its own name.
    const CodePage& CodePageNow() {
        State& s = Top();
        if (s.dest == Dest::FontTable) return PageOf(pendingFont_);
        if (s.codePage == nullptr || s.codePageVersion != codePageVersion_) {
            auto font = fonts_.find(s.font >= 0 ? s.font : defaultFont_);
            if (font == fonts_.end()) font = fonts_.find(defaultFont_);
            s.codePage = font != fonts_.end() ? &PageOf(font->second) : documentPage_;
            s.codePageVersion = codePageVersion_;
        }
        return *s.codePage;
    }

    const CodePage& PageOf(const FontEntry& font) const {
        const CodePage* own = font.cpg != 0 ? FindCodePage(font.cpg) : nullptr;
        if (own == nullptr && font.charset >= 0) {
            const int number = CodePageOfCharset(font.charset);
            if (number != 0) own = FindCodePage(number);
        }
        return own != nullptr ? *own : *documentPage_;
    }

    // \uN: UTF-16 code units; a surrogate pair makes one character.
    void Unit(std::uint32_t unit) {
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (highSurrogate_ != 0) Char(0xFFFD);
            highSurrogate_ = unit;
            return;
        }
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            const std::uint32_t high = highSurrogate_;
            highSurrogate_ = 0;
            if (high == 0) {
                Char(0xFFFD);
            } else if constexpr (sizeof(wchar_t) == 2) {
                Char(static_cast<wchar_t>(high));
                Char(static_cast<wchar_t>(unit));
            } else {
                Char(static_cast<wchar_t>(0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00)));
            }
            return;
        }
        if (highSurrogate_ != 0) {
            highSurrogate_ = 0;
            Char(0xFFFD);
        }
        Char(static_cast<wchar_t>(unit));
    }

    void HexDigit(int v) {
        std::string* out;
        int* high;
        if (Top().dest == Dest::Pict) {
            out = &pict_.bytes;
            high = &pict_.hexHigh;
        } else {
            out = &object_.data;
            high = &object_.hexHigh;
        }
        if (*high < 0) {
            *high = v;
            return;
        }
        if (out->size() >= limits::kMaxImageBytes) Fail(L"a picture is larger than the text control accepts");
        out->push_back(static_cast<char>(*high * 16 + v));
        *high = -1;
    }

    StoryBuild* StoryOf(Dest d) {
        switch (d) {
        case Dest::Body: return &body_;
        case Dest::Header: return &header_;
        case Dest::Note: return &note_;
        case Dest::Footer: return &footer_;
        default: return nullptr;
        }
    }

    void Char(wchar_t c) {
        // Only our own pictures make object characters, only PAGE fields page numbers, and line ends
        // come from \par alone.
        if (c == kObjectChar || c == kPageNumberChar) c = 0xFFFD;
        if (c < 0x20 && c != L'\t' && c != kLineBreak && c != kPageBreak) return;
        State& s = Top();
        switch (s.dest) {
        case Dest::Body:
        case Dest::Header:
        case Dest::Footer:
        case Dest::Note: AppendChar(*StoryOf(s.dest), c); break;
        case Dest::FontTable:
            if (c == L';') {
                if (fonts_.size() < limits::kMaxItems) {
                    pendingFont_.name = Trimmed(std::move(pendingFont_.name));
                    fonts_[currentFont_] = pendingFont_;
                    ++codePageVersion_;
                }
                pendingFont_.name.clear();
            } else if (pendingFont_.name.size() < limits::kMaxFaceName * 4) {
                pendingFont_.name.push_back(c);
            }
            break;
        case Dest::ColorTable:
            if (c == L';') {
                colors_.push_back(colorSet_ ? color_ : kNoColor);
                if (colors_.size() > limits::kMaxItems) Fail(L"the colour table is too large");
                color_ = 0;
                colorSet_ = false;
            }
            break;
        case Dest::StyleSheet:
            if (c == L';') styleNameDone_ = true;
            else if (!styleNameDone_ && styleName_.size() < limits::kMaxTextItem) styleName_.push_back(c);
            break;
        case Dest::FieldInst:
            if (s.field >= 0 && fields_[static_cast<size_t>(s.field)].instruction.size() < limits::kMaxTextItem * 2)
                fields_[static_cast<size_t>(s.field)].instruction.push_back(c);
            break;
        case Dest::Bookmark:
            if (bookmarkName_.size() < limits::kMaxTextItem) bookmarkName_.push_back(c);
            break;
        case Dest::ObjectName:
            if (object_.name.size() < limits::kMaxTextItem) object_.name.push_back(c);
            break;
        default: break;
        }
    }

    static std::wstring Trimmed(std::wstring s) {
        while (!s.empty() && s.back() == L' ') s.pop_back();
        while (!s.empty() && s.front() == L' ') s.erase(s.begin());
        if (s.size() > limits::kMaxFaceName) s.resize(limits::kMaxFaceName);
        return s;
    }

    std::uint32_t FormatIndex() {
        State& s = Top();
        if (!s.formatDirty) return s.formatIndex;
        CharFormat f;
        auto font = fonts_.find(s.font >= 0 ? s.font : defaultFont_);
        if (font == fonts_.end()) font = fonts_.find(defaultFont_);
        if (font != fonts_.end() && !font->second.name.empty()) f.face = font->second.name;
        f.size = std::clamp(s.exactSize > 0 ? s.exactSize : s.size, limits::kMinFontSize, limits::kMaxFontSize);
        f.bold = s.bold;
        f.italic = s.italic;
        f.underline = s.underline;
        f.strike = s.strike;
        f.color = ColorAt(s.fore, kBlack);
        f.backColor = ColorAt(s.back, kNoColor);
        // Superscript and subscript: two thirds of the size, raised by a third or lowered by a
        // sixth of it, on top of any \up or \dn.
        f.baseline = s.rise;
        if (s.script != 0) {
            f.baseline += s.script == 1 ? f.size / 3 : -f.size / 6;
            f.size = std::max(limits::kMinFontSize, f.size * 2 / 3);
        }
        if (s.exactBaseline) f.baseline = *s.exactBaseline;
        f.baseline = std::clamp(f.baseline, -limits::kMaxFontSize, limits::kMaxFontSize);
        // Keyed by the raw properties: cheaper than comparing faces, and equal formats still meet
        // in one entry because the document interns by value below.
        const RawFormat key{s.font, s.exactSize > 0 ? -s.exactSize : s.size,
                            (s.bold ? 1 : 0) | (s.italic ? 2 : 0) | (s.underline ? 4 : 0) | (s.strike ? 8 : 0) | (s.script << 4),
                            s.fore, s.back, s.rise, s.exactBaseline.value_or(INT32_MIN)};
        auto it = formatIndex_.find(key);
        if (it == formatIndex_.end()) {
            if (formatIndex_.size() >= limits::kMaxItems) Fail(L"the document has too many character formats");
            it = formatIndex_.emplace(key, doc_.InternFormat(f)).first;
        }
        s.formatIndex = it->second;
        s.formatDirty = false;
        return s.formatIndex;
    }

    Color ColorAt(int index, Color automatic) const {
        if (index <= 0 || index >= static_cast<int>(colors_.size())) return automatic;
        const Color c = colors_[static_cast<size_t>(index)];
        return c == kNoColor ? automatic : c;
    }

    void CountParagraphs(size_t more) {
        totalNoteParagraphs_ += more;
        if (body_.done.size() + totalNoteParagraphs_ > limits::kMaxParagraphs) Fail(L"the document has too many paragraphs");
    }

    void CountText(size_t more) {
        totalText_ += more;
        if (totalText_ > limits::kMaxTextLength) Fail(L"the text is longer than the text control accepts");
    }

    void AppendChar(StoryBuild& story, wchar_t c) {
        CountText(1);
        story.current.text.push_back(c);
        story.current.formats.push_back(FormatIndex());
    }

    Anchor Here() const { return Anchor{body_.current.stamp, static_cast<int>(body_.current.text.size())}; }

    // ------------------------------------------------------------ paragraphs and tables

    ParaFormat ResolvedPara(const State& s) const {
        ParaFormat f = s.para;
        if (s.listOverride > 0) {
            auto o = listOverrides_.find(s.listOverride);
            const int listId = o == listOverrides_.end() ? 0 : o->second;
            auto l = lists_.find(listId);
            int nfc = 0;
            if (l != lists_.end() && !l->second.empty())
                nfc = l->second[static_cast<size_t>(std::clamp(s.listLevel, 0, static_cast<int>(l->second.size()) - 1))];
            f.listLevel = std::clamp(s.listLevel, 0, kMaxListLevel);
            if (nfc == 23 || nfc == 255) {
                f.listKind = ListKind::Bullet;
            } else {
                f.listKind = ListKind::Numbered;
                static const NumberStyle kByNfc[] = {NumberStyle::Arabic, NumberStyle::UpperRoman, NumberStyle::LowerRoman,
                                                     NumberStyle::UpperLetter, NumberStyle::LowerLetter};
                f.numberStyle = nfc >= 0 && nfc < 5 ? kByNfc[nfc] : NumberStyle::Arabic;
            }
        }
        if (s.ownListKind >= 0) {
            // Ours: the exact values, whatever the list table and \pn say for other programs.
            f.listKind = static_cast<ListKind>(s.ownListKind);
            if (s.ownListLevel >= 0) f.listLevel = s.ownListLevel;
            if (s.ownNumberStyle >= 0) f.numberStyle = static_cast<NumberStyle>(s.ownNumberStyle);
            if (s.ownListStep >= 0) f.listIndentStep = s.ownListStep;
            if (s.ownLeftIndent) f.leftIndent = *s.ownLeftIndent;
            if (s.ownFirstIndent) f.firstIndent = *s.ownFirstIndent;
        } else if (f.listKind != ListKind::None) {
            // RTF puts a list item's text at \li and its label at \li + \fi; ours puts the label one
            // step in from the left indent and the text one step further.
            const int m = limits::kMaxTwips;
            f.listIndentStep = f.firstIndent < 0 ? std::min(-f.firstIndent, m) : 360;
            f.leftIndent = std::clamp(static_cast<int>(std::min<long long>(
                                          m, f.leftIndent - static_cast<long long>(f.listLevel + 1) * f.listIndentStep)),
                                      0, m);
            f.firstIndent = std::clamp(f.firstIndent + f.listIndentStep, -m, m);
        }
        if (s.ownFrameStyle >= 0) f.frameStyle = static_cast<std::uint16_t>(s.ownFrameStyle);
        return f;
    }

    void EndParagraph(StoryBuild& story, bool cellEnd = false) {
        State& s = Top();
        Paragraph& p = story.current;
        p.format = ResolvedPara(s);
        if (&story == &body_ && (s.inTable || cellEnd)) {
            // A row of another table of ours starts a table of its own.
            if (table_ && table_->col == 1 && rowTable_ != 0 && table_->source != rowTable_ &&
                table_->rows.size() == static_cast<size_t>(table_->row - 1))
                CloseTable();
            if (!table_) {
                table_ = TableBuild{};
                table_->id = doc_.nextTableId++;
                table_->source = rowTable_;
                table_->firstParagraph = body_.done.size();
            }
            p.cell = CellRef{table_->id, table_->row, table_->col};
            if (table_->row > limits::kMaxTableRows) Fail(L"a table has more rows than the text control accepts");
            if (table_->col > limits::kMaxTableColumns) Fail(L"a table has more columns than the text control accepts");
        } else if (&story == &body_ && table_) {
            CloseTable();
        }
        story.done.push_back(std::move(p));
        if (story.done.size() > limits::kMaxParagraphs) Fail(L"the document has too many paragraphs");
        CountText(1);
        story.current = NewParagraph();
    }

    void EndCell() {
        EndParagraph(body_, true);
        ++table_->col;
    }

    void EndRow() {
        if (!table_) return;
        if (!body_.current.text.empty()) EndCell();
        table_->rows.push_back(rowDef_);
        ++table_->row;
        table_->col = 1;
    }

    // Pads every row to the widest one, so that the model's grid is complete.
    void CloseTable() {
        TableBuild t = std::move(*table_);
        table_.reset();
        if (t.col > 1) t.rows.push_back(rowDef_);  // a last row without \row
        const int rows = static_cast<int>(t.rows.size());
        if (rows == 0) {
            for (size_t i = t.firstParagraph; i < body_.done.size(); ++i) body_.done[i].cell = CellRef{};
            return;
        }
        int cols = 1;
        for (size_t i = t.firstParagraph; i < body_.done.size(); ++i) cols = std::max(cols, body_.done[i].cell.col);
        const RowDef* widest = &t.rows[0];
        for (const auto& r : t.rows) {
            cols = std::max(cols, static_cast<int>(r.edges.size()));
            if (r.edges.size() > widest->edges.size()) widest = &r;
        }
        if (cols > limits::kMaxTableColumns) Fail(L"a table has more columns than the text control accepts");
        Table table;
        table.id = t.id;
        table.rows = rows;
        table.cols = cols;
        int previous = 0;
        for (int c = 0; c < cols; ++c) {
            int width = 1440;
            if (c < static_cast<int>(widest->edges.size())) {
                width = widest->edges[static_cast<size_t>(c)] - previous;
                previous = widest->edges[static_cast<size_t>(c)];
            }
            table.columnWidths.push_back(std::clamp(width, limits::kMinColumnWidth, limits::kMaxTwips));
        }
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < cols; ++c) {
                const auto& def = t.rows[static_cast<size_t>(r)];
                table.cells.push_back(c < static_cast<int>(def.cells.size()) ? def.cells[static_cast<size_t>(c)] : CellAttributes{});
            }
        }
        table.NormalizeMerges();
        // Rebuild the table's paragraphs in row-major order with a paragraph in every cell.
        std::vector<Paragraph> cellParas(std::make_move_iterator(body_.done.begin() + static_cast<long>(t.firstParagraph)),
                                         std::make_move_iterator(body_.done.end()));
        body_.done.resize(t.firstParagraph);
        size_t k = 0;
        for (int r = 1; r <= rows; ++r) {
            for (int c = 1; c <= cols; ++c) {
                bool any = false;
                while (k < cellParas.size() && cellParas[k].cell.row == r && cellParas[k].cell.col == c) {
                    body_.done.push_back(std::move(cellParas[k++]));
                    any = true;
                }
                if (!any) {
                    Paragraph empty = NewParagraph();
                    empty.cell = CellRef{t.id, r, c};
                    body_.done.push_back(std::move(empty));
                }
            }
            // Paragraphs after the last \cell of a row belong to its last cell.
            while (k < cellParas.size() && cellParas[k].cell.row == r) {
                cellParas[k].cell.col = cols;
                body_.done.push_back(std::move(cellParas[k++]));
            }
        }
        while (k < cellParas.size()) {  // text after the last row: back to plain paragraphs
            cellParas[k].cell = CellRef{};
            body_.done.push_back(std::move(cellParas[k++]));
        }
        doc_.tables.push_back(std::move(table));
    }

    // ------------------------------------------------------------ groups

    void EndGroup() {
        // The last paragraph has no \par: it takes the properties in force when the document ends.
        if (stack_.size() == 1) body_.current.format = ResolvedPara(Top());
        State closing = std::move(stack_.back());
        stack_.pop_back();
        switch (closing.groupKind) {
        case kFieldResultGroup:
            if (closing.field >= 0 && closing.dest == Dest::Body) fields_[static_cast<size_t>(closing.field)].end = Here();
            break;
        case kFieldGroup: FinishField(closing.field); break;
        case kPictGroup: FinishPict(closing); break;
        case kObjectGroup: FinishObject(); break;
        case kOldListGroup:
            if (!stack_.empty()) {
                Top().para.listKind = oldList_.listKind;
                Top().para.numberStyle = oldList_.numberStyle;
            }
            break;
        case kStyleEntry: FinishStyle(closing); break;
        case kBookmarkStart:
            if (!bookmarkName_.empty() && !stack_.empty() && Top().dest == Dest::Body) {
                if (bookmarks_.size() >= limits::kMaxItems) Fail(L"the document has too many bookmarks");
                bookmarks_.emplace_back(bookmarkName_, Here());
            }
            bookmarkName_.clear();
            break;
        case kNoteGroup: {
            if (!note_.current.text.empty() || note_.done.empty()) {
                stack_.push_back(closing);
                EndParagraph(note_);
                stack_.pop_back();
            }
            CountParagraphs(note_.done.size());
            for (auto& p : note_.done) notes_.push_back(std::move(p));
            note_ = StoryBuild{};
            break;
        }
        case kHeaderGroup:
        case kFooterGroup: {
            StoryBuild& story = closing.groupKind == kHeaderGroup ? header_ : footer_;
            if (!story.current.text.empty() || story.done.empty()) {
                stack_.push_back(closing);  // the closing group's paragraph properties apply
                EndParagraph(story);
                stack_.pop_back();
            }
            break;
        }
        default: break;
        }
    }

    // "PAGE", with or without switches ("PAGE \\* Arabic \\* MERGEFORMAT"), in any letter case.
    static bool IsPageField(std::wstring_view instruction) {
        const size_t begin = instruction.find_first_not_of(L' ');
        if (begin == std::wstring_view::npos) return false;
        const size_t end = std::min(instruction.find(L' ', begin), instruction.size());
        const std::wstring_view word = instruction.substr(begin, end - begin);
        if (word.size() != 4) return false;
        for (size_t i = 0; i < 4; ++i)
            if (std::towupper(static_cast<wint_t>(word[i])) != static_cast<wint_t>(L"PAGE"[i])) return false;
        return true;
    }

    void FinishField(int index) {
        if (index < 0) return;
        FieldBuild& f = fields_[static_cast<size_t>(index)];
        if (f.story != Dest::Body || !f.start || !f.end || f.start->paragraph != f.end->paragraph ||
            f.end->offset <= f.start->offset)
            return;
        // HYPERLINK "target", HYPERLINK \l "anchor", ours: ZVFIELD kind "target".
        std::wstring instr = f.instruction;
        size_t i = instr.find_first_not_of(L' ');
        if (i == std::wstring::npos) return;
        auto word = [&]() {
            std::wstring w;
            while (i < instr.size() && instr[i] == L' ') ++i;
            if (i < instr.size() && instr[i] == L'"') {
                ++i;
                while (i < instr.size() && instr[i] != L'"') {
                    if (instr[i] == L'\\' && i + 1 < instr.size()) ++i;
                    w.push_back(instr[i++]);
                }
                ++i;
                return std::pair{w, true};
            }
            while (i < instr.size() && instr[i] != L' ') w.push_back(instr[i++]);
            return std::pair{w, false};
        };
        const auto [type, quotedType] = word();
        int kind;
        std::wstring target;
        if (type == L"HYPERLINK") {
            if (!importLinks_) return;
            kind = kLinkAddress;
            while (i < instr.size()) {
                auto [w, quoted] = word();
                if (!quoted && w == L"\\l") kind = kLinkAnchor;
                else if (!quoted && (w == L"\\o" || w == L"\\t")) word();  // a tooltip or a frame name
                else if (target.empty() && !w.empty()) target = w;
            }
        } else if (type == L"ZVFIELD") {
            auto [k, q1] = word();
            auto [t, q2] = word();
            kind = 0;
            for (wchar_t c : k) {
                if (c < L'0' || c > L'9' || kind > 0x7FFF) return;
                kind = kind * 10 + (c - L'0');
            }
            if (kind > 0x7FFF) return;
            target = t;
        } else {
            return;
        }
        if (fieldsDone_.size() >= limits::kMaxItems) Fail(L"the document has too many fields");
        if (target.size() > limits::kMaxTextItem) target.resize(limits::kMaxTextItem);
        fieldsDone_.push_back({*f.start, f.end->offset - f.start->offset, kind, std::move(target)});
    }

    void FinishPict(const State& closing) {
        if (stack_.empty()) return;
        if (Top().dest == Dest::Object) {  // ours: the picture belongs to the object being read
            object_.data = std::move(pict_.bytes);
            return;
        }
        if (Top().dest != Dest::Body || pict_.bytes.empty()) return;
        std::string bytes = std::move(pict_.bytes);
        if (pict_.bitmap) {
            // A device-independent bitmap: give it back its file header so that it is a .bmp.
            if (bytes.size() < 40) return;
            std::string header = "BM";
            const std::uint32_t size = static_cast<std::uint32_t>(bytes.size() + 14);
            for (int k = 0; k < 4; ++k) header.push_back(static_cast<char>(size >> (8 * k)));
            header.append(4, '\0');
            auto le = [&](size_t at, int width) {
                std::uint32_t v = 0;
                for (int k = width - 1; k >= 0; --k) v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<size_t>(k)]);
                return v;
            };
            const std::uint32_t headerSize = le(0, 4);
            if (headerSize < 40 || headerSize > bytes.size()) return;
            const std::uint32_t bitCount = le(14, 2), compression = le(16, 4), used = le(32, 4);
            std::uint64_t palette = used != 0 ? used : (bitCount <= 8 ? (1u << bitCount) : 0);
            palette *= 4;
            if (headerSize == 40 && compression == 3) palette += 12;  // the colour masks
            const std::uint64_t offset64 = 14 + static_cast<std::uint64_t>(headerSize) + palette;
            if (offset64 > bytes.size() + 14) return;
            const auto offset = static_cast<std::uint32_t>(offset64);
            for (int k = 0; k < 4; ++k) header.push_back(static_cast<char>(offset >> (8 * k)));
            bytes = header + bytes;
        }
        const ImageInfo info = SniffImage(bytes);
        Object o;
        o.kind = ObjectKind::Image;
        o.imageType = info.type != ImageType::Unknown ? info.type : pict_.type;
        if (o.imageType == ImageType::Unknown) return;
        const bool metafile = o.imageType == ImageType::Wmf || o.imageType == ImageType::Emf;
        auto fromPic = [&](int v) { return metafile ? static_cast<long long>(v) * 1440 / 2540 : static_cast<long long>(v) * 15; };
        const long long w = pict_.goalW > 0 ? pict_.goalW : (info.width > 0 ? info.width : fromPic(pict_.picw));
        const long long h = pict_.goalH > 0 ? pict_.goalH : (info.height > 0 ? info.height : fromPic(pict_.pich));
        o.width = static_cast<int>(std::clamp<long long>(w, 0, limits::kMaxTwips));
        o.height = static_cast<int>(std::clamp<long long>(h, 0, limits::kMaxTwips));
        o.scaleX = std::clamp(pict_.scaleX, 1, limits::kMaxScale);
        o.scaleY = std::clamp(pict_.scaleY, 1, limits::kMaxScale);
        o.image = std::make_shared<const std::string>(std::move(bytes));
        AddObject(std::move(o), false);
        (void)closing;
    }

    void AddObject(Object o, bool fixed) {
        if (objects_.size() >= limits::kMaxItems) Fail(L"the document has too many objects");
        o.fixed = fixed;
        const Anchor at = Here();
        if (!fixed) AppendChar(body_, kObjectChar);
        objects_.emplace_back(at, std::move(o));
    }

    void FinishObject() {
        if (stack_.empty() || Top().dest != Dest::Body) {
            object_ = ObjectBuild{};
            return;
        }
        Object o = object_.object;
        o.name = object_.name;
        if (!object_.data.empty()) o.image = std::make_shared<const std::string>(std::move(object_.data));
        if (o.kind == ObjectKind::Image && !o.image) {
            object_ = ObjectBuild{};
            return;
        }
        const bool fixed = object_.fixed;
        object_ = ObjectBuild{};
        AddObject(std::move(o), fixed);
    }

    void FinishStyle(const State& closing) {
        if (closing.dest != Dest::StyleSheet || styleNumber_ <= 0) {
            styleName_.clear();
            styleNameDone_ = false;
            styleNumber_ = -1;
            return;
        }
        if (doc_.styles.size() >= limits::kMaxItems) Fail(L"the style sheet is too large");
        Style style;
        style.name = Trimmed(styleName_);
        stack_.push_back(closing);
        style.para = ResolvedPara(closing);
        style.chars = doc_.charFormats[FormatIndex()];
        stack_.pop_back();
        if (!style.name.empty() &&
            std::none_of(doc_.styles.begin(), doc_.styles.end(), [&](const Style& s) { return s.name == style.name; })) {
            styleByNumber_[styleNumber_] = style.name;
            doc_.styles.push_back(std::move(style));
        }
        styleName_.clear();
        styleNameDone_ = false;
        styleNumber_ = -1;
    }

    // ------------------------------------------------------------ control words

    void EnterDestination(Dest d, int kind = kNone) {
        Top().dest = d;
        Top().groupKind = kind;
    }

    // Every word Destination knows: most control words are not destinations, and one look-up
    // answers that faster than the comparisons below.
    static bool MaybeDestination(std::string_view w) {
        static const std::unordered_set<std::string_view> kWords = {
            "aftnsep", "aftnsepc", "annotation", "bkmkend", "bkmkstart", "colorschememapping", "colortbl",
            "comment", "datafield", "datastore", "do", "docvar", "falt", "field", "filetbl", "fldinst",
            "fldrslt", "fldtype", "fonttbl", "footer", "footerf", "footerl", "footerr", "footnote",
            "formfield", "ftnsep", "ftnsepc", "generator", "header", "headerf", "headerl", "headerr", "info",
            "latentstyles", "levelnumbers", "leveltext", "listname", "listoverridetable", "listtable",
            "listtext", "nesttableprops", "nonshppict", "object", "panose", "pgdsctbl", "pict", "pn",
            "pnseclvl", "pntext", "revtbl", "rsidtbl", "shp", "shpinst", "shppict", "shprslt", "stylesheet",
            "template", "themedata", "userprops", "xmlnstbl", rtf::kZvObject, rtf::kZvObjName,
            rtf::kZvObjData,
        };
        return kWords.count(w) != 0;
    }

    bool Destination(std::string_view w) {
        State& s = Top();
        if (s.dest == Dest::Skip) return true;
        if (!MaybeDestination(w)) return false;
        if (w == "fonttbl") EnterDestination(Dest::FontTable);
        else if (w == "colortbl") EnterDestination(Dest::ColorTable);
        else if (w == "stylesheet") EnterDestination(Dest::StyleSheet);
        else if (w == "listtable") EnterDestination(Dest::ListTable);
        else if (w == "listoverridetable") EnterDestination(Dest::ListOverrides);
        else if (w == "header" || w == "headerl" || w == "headerr" || w == "headerf") {
            if (header_.started || s.dest != Dest::Body) EnterDestination(Dest::Skip);
            else {
                header_.started = true;
                EnterDestination(Dest::Header, kHeaderGroup);
                ResetPara(Top());
            }
        } else if (w == "footer" || w == "footerl" || w == "footerr" || w == "footerf") {
            if (footer_.started || s.dest != Dest::Body) EnterDestination(Dest::Skip);
            else {
                footer_.started = true;
                EnterDestination(Dest::Footer, kFooterGroup);
                ResetPara(Top());
            }
        } else if (w == "footnote") {
            // The model has no notes: a note's text goes after the body, its mark stays in the text
            // as its number (see \chftn), so that nothing the author wrote is lost.
            if (s.dest != Dest::Body) {
                EnterDestination(Dest::Skip);
            } else {
                note_ = StoryBuild{};
                note_.current = NewParagraph();
                noteNumber_ = pendingMark_;
                pendingMark_ = 0;
                EnterDestination(Dest::Note, kNoteGroup);
                ResetPara(Top());
            }
        } else if (w == "field") {
            if (fields_.size() >= limits::kMaxItems * 4) Fail(L"the document has too many fields");
            fields_.push_back(FieldBuild{});
            fields_.back().story = s.dest;
            s.field = static_cast<int>(fields_.size()) - 1;
            s.groupKind = kFieldGroup;
        } else if (w == "fldinst") {
            EnterDestination(s.field >= 0 ? Dest::FieldInst : Dest::Skip);
        } else if (w == "fldrslt") {
            if (s.field >= 0 && (s.dest == Dest::Header || s.dest == Dest::Footer) &&
                IsPageField(fields_[static_cast<size_t>(s.field)].instruction)) {
                // A header's or footer's page number: its result is only the number last shown.
                AppendChar(*StoryOf(s.dest), kPageNumberChar);
                EnterDestination(Dest::Skip);
                return true;
            }
            if (s.field >= 0 && s.dest == Dest::Body) fields_[static_cast<size_t>(s.field)].start = Here();
            s.groupKind = kFieldResultGroup;
        } else if (w == "pict") {
            pict_ = PictBuild{};
            EnterDestination(Dest::Pict, kPictGroup);
        } else if (w == "bkmkstart") {
            bookmarkName_.clear();
            const bool body = s.dest == Dest::Body;
            EnterDestination(body ? Dest::Bookmark : Dest::Skip, body ? kBookmarkStart : kNone);
        } else if (w == "pn") {
            oldList_ = ParaFormat{};
            oldList_.listKind = ListKind::Numbered;
            EnterDestination(Dest::OldList, kOldListGroup);
        } else if (w == rtf::kZvObject) {
            object_ = ObjectBuild{};
            EnterDestination(s.dest == Dest::Body ? Dest::Object : Dest::Skip, kObjectGroup);
        } else if (w == rtf::kZvObjName) {
            EnterDestination(s.dest == Dest::Object ? Dest::ObjectName : Dest::Skip);
        } else if (w == rtf::kZvObjData) {
            EnterDestination(s.dest == Dest::Object ? Dest::ObjectData : Dest::Skip);
        } else if (w == "shppict" || w == "shp" || w == "shprslt") {
            // Pictures inside shapes: read as pictures in the text.
        } else if (w == "nonshppict" || w == "shpinst" || w == "pntext" || w == "listtext" || w == "info" ||
                   w == "annotation" || w == "bkmkend" || w == "object" || w == "falt" ||
                   w == "panose" || w == "xmlnstbl" || w == "rsidtbl" || w == "generator" || w == "themedata" ||
                   w == "colorschememapping" || w == "latentstyles" || w == "datastore" || w == "filetbl" ||
                   w == "revtbl" || w == "pgdsctbl" || w == "template" || w == "userprops" || w == "docvar" ||
                   w == "nesttableprops" || w == "ftnsep" || w == "ftnsepc" || w == "aftnsep" || w == "aftnsepc" ||
                   w == "pnseclvl" || w == "leveltext" || w == "levelnumbers" || w == "listname" ||
                   w == "fldtype" || w == "datafield" || w == "formfield" || w == "do" || w == "comment") {
            EnterDestination(Dest::Skip);
        } else {
            return false;
        }
        return true;
    }

    void ResetChars(State& s) {
        s.font = -1;
        s.codePage = nullptr;
        s.size = 240;
        s.bold = s.italic = s.underline = s.strike = false;
        s.fore = s.back = 0;
        s.exactSize = 0;
        s.script = s.rise = 0;
        s.exactBaseline.reset();
        s.formatDirty = true;
    }

    void ResetPara(State& s) {
        s.para = ParaFormat{};
        s.inTable = false;
        s.listOverride = 0;
        s.listLevel = 0;
        s.ownListKind = -1;
        s.ownFrameStyle = -1;
        s.ownListLevel = s.ownNumberStyle = s.ownListStep = -1;
        s.ownLeftIndent.reset();
        s.ownFirstIndent.reset();
        s.nextTab = TabKind::Left;
        s.border = BorderTarget::None;
    }

    void Word(std::string_view w, bool hasParam, int n) {
        if (w == "bin") {
            // Raw bytes: skipped whatever the destination, so that braces among them cannot count.
            const Dest d = Top().dest;
            Binary(n, d == Dest::Pict ? &pict_.bytes : d == Dest::ObjectData ? &object_.data : nullptr);
            return;
        }
        if (Destination(w)) return;
        State& s = Top();
        if (ignorable_ || s.dest == Dest::Skip) {
            if (ignorable_) s.dest = Dest::Skip;
            return;
        }
        const int v = hasParam ? n : 1;
        const bool on = !hasParam || n != 0;
        const int m = limits::kMaxTwips;

        // Words that only mean something in one destination.
        switch (s.dest) {
        case Dest::FontTable:
            if (w == "f") {
                currentFont_ = n;
                pendingFont_ = FontEntry{};
            } else if (w == "fcharset") {
                pendingFont_.charset = n;
            } else if (w == "cpg") {
                pendingFont_.cpg = n;
            }
            return;
        case Dest::ColorTable:
            if (w == "red") { color_ = (color_ & ~0xFFu) | static_cast<Color>(std::clamp(n, 0, 255)); colorSet_ = true; }
            else if (w == "green") { color_ = (color_ & ~0xFF00u) | (static_cast<Color>(std::clamp(n, 0, 255)) << 8); colorSet_ = true; }
            else if (w == "blue") { color_ = (color_ & ~0xFF0000u) | (static_cast<Color>(std::clamp(n, 0, 255)) << 16); colorSet_ = true; }
            else if (w == rtf::kZvColorHigh) color_ = (color_ & 0xFFFFFFu) | (static_cast<Color>(std::clamp(n, 0, 255)) << 24);
            return;
        case Dest::ListTable:
            if (w == "list") levels_.clear();
            else if (w == "listlevel") levels_.push_back(0);
            else if ((w == "levelnfc" || w == "levelnfcn") && !levels_.empty()) levels_.back() = n;
            else if (w == "listid" && lists_.size() < limits::kMaxItems) lists_[n] = levels_;
            return;
        case Dest::ListOverrides:
            if (w == "listid") overrideList_ = n;
            else if (w == "ls" && listOverrides_.size() < limits::kMaxItems) listOverrides_[n] = overrideList_;
            return;
        case Dest::OldList:
            if (w == "pnlvlblt") oldList_.listKind = ListKind::Bullet;
            else if (w == "pnlvlbody" || w == "pnlvlcont") oldList_.listKind = ListKind::Numbered;
            else if (w == "pndec") oldList_.numberStyle = NumberStyle::Arabic;
            else if (w == "pnucltr") oldList_.numberStyle = NumberStyle::UpperLetter;
            else if (w == "pnlcltr") oldList_.numberStyle = NumberStyle::LowerLetter;
            else if (w == "pnucrm") oldList_.numberStyle = NumberStyle::UpperRoman;
            else if (w == "pnlcrm") oldList_.numberStyle = NumberStyle::LowerRoman;
            return;
        case Dest::Pict:
            if (w == "pngblip") pict_.type = ImageType::Png;
            else if (w == "jpegblip") pict_.type = ImageType::Jpeg;
            else if (w == "emfblip") pict_.type = ImageType::Emf;
            else if (w == "wmetafile") pict_.type = ImageType::Wmf;
            else if (w == "dibitmap") { pict_.type = ImageType::Bmp; pict_.bitmap = true; }
            else if (w == "picw") pict_.picw = std::clamp(n, 0, m);
            else if (w == "pich") pict_.pich = std::clamp(n, 0, m);
            else if (w == "picwgoal") pict_.goalW = std::clamp(n, 0, m);
            else if (w == "pichgoal") pict_.goalH = std::clamp(n, 0, m);
            else if (w == "picscalex") pict_.scaleX = std::clamp(n, 1, limits::kMaxScale);
            else if (w == "picscaley") pict_.scaleY = std::clamp(n, 1, limits::kMaxScale);
            return;
        case Dest::Object: {
            Object& o = object_.object;
            if (w == rtf::kZvObjKind) o.kind = n == 1 ? ObjectKind::Windowed : ObjectKind::Image;
            else if (w == rtf::kZvObjFixed) object_.fixed = n != 0;
            else if (w == rtf::kZvObjX) o.x = std::clamp(n, -m, m);
            else if (w == rtf::kZvObjY) o.y = std::clamp(n, -m, m);
            else if (w == rtf::kZvObjWidth) o.width = std::clamp(n, 0, m);
            else if (w == rtf::kZvObjHeight) o.height = std::clamp(n, 0, m);
            else if (w == rtf::kZvObjScaleX) o.scaleX = std::clamp(n, 1, limits::kMaxScale);
            else if (w == rtf::kZvObjScaleY) o.scaleY = std::clamp(n, 1, limits::kMaxScale);
            else if (w == rtf::kZvObjFlow) o.textFlow = n == 1 ? 1 : 0;
            else if (w == rtf::kZvObjImageType) o.imageType = n >= 0 && n <= 7 ? static_cast<ImageType>(n) : ImageType::Unknown;
            return;
        }
        case Dest::FieldInst:
        case Dest::Bookmark:
        case Dest::ObjectName:
        case Dest::ObjectData:
            return;
        default: break;
        }

        if (w == "u") {
            const int unit = n < 0 ? n + 65536 : n;
            Unit(unit >= 0 && unit <= 0xFFFF ? static_cast<std::uint32_t>(unit) : 0xFFFDu);
            skip_ = s.uc;
            return;
        }
        if (w == "uc") { s.uc = std::clamp(n, 0, 10); return; }

        // Document.
        if (w == "deff") { defaultFont_ = n; ++codePageVersion_; return; }
        if (w == "ansicpg" || w == "mac" || w == "pc" || w == "pca") {
            const int number = w == "ansicpg" ? n : w == "mac" ? 10000 : w == "pc" ? 437 : 850;
            if (const CodePage* page = FindCodePage(number)) documentPage_ = page;
            ++codePageVersion_;
            return;
        }
        if (w == "paperw") { doc_.page.width = std::clamp(n, 1, m); return; }
        if (w == "paperh") { doc_.page.height = std::clamp(n, 1, m); return; }
        if (w == "margl") { doc_.page.marginLeft = std::clamp(n, 0, m); return; }
        if (w == "margr") { doc_.page.marginRight = std::clamp(n, 0, m); return; }
        if (w == "margt") { doc_.page.marginTop = std::clamp(n, 0, m); return; }
        if (w == "margb") { doc_.page.marginBottom = std::clamp(n, 0, m); return; }

        // Characters.
        if (w == "par" || w == "sect") {
            if (StoryOf(s.dest)) EndParagraph(*StoryOf(s.dest));
            return;
        }
        if (w == "cell" || w == "nestcell") {
            if (s.dest == Dest::Body && w == "cell") EndCell();
            else if (StoryOf(s.dest)) EndParagraph(*StoryOf(s.dest));
            return;
        }
        if (w == "row") {
            if (s.dest == Dest::Body) EndRow();
            return;
        }
        if (w == "nestrow") return;
        if (w == "chftn" || w == "chatn") {
            // A note's automatic mark: its number, in the text and again where the note begins.
            int number = 0;
            if (s.dest == Dest::Body) {
                number = pendingMark_ = ++noteCount_;
            } else if (s.dest == Dest::Note) {
                if (noteNumber_ == 0) noteNumber_ = ++noteCount_;
                number = noteNumber_;
            }
            if (number > 0)
                for (wchar_t c : std::to_wstring(number)) Char(c);
            return;
        }
        if (w == "tab") { Char(L'\t'); return; }
        if (w == "line") { Char(kLineBreak); return; }
        if (w == "page") { Char(kPageBreak); return; }
        if (w == "emdash") { Char(0x2014); return; }
        if (w == "endash") { Char(0x2013); return; }
        if (w == "bullet") { Char(0x2022); return; }
        if (w == "lquote") { Char(0x2018); return; }
        if (w == "rquote") { Char(0x2019); return; }
        if (w == "ldblquote") { Char(0x201C); return; }
        if (w == "rdblquote") { Char(0x201D); return; }
        if (w == "emspace" || w == "enspace" || w == "qmspace") { Char(L' '); return; }

        // Character formatting.
        auto chars = [&](auto apply) {
            apply();
            s.formatDirty = true;
        };
        if (w == "plain") { ResetChars(s); return; }
        if (w == "b") { chars([&] { s.bold = on; }); return; }
        if (w == "i") { chars([&] { s.italic = on; }); return; }
        if (w == "ul" || w == "uld" || w == "uldash" || w == "uldb" || w == "ulw" || w == "ulth" || w == "ulwave") {
            chars([&] { s.underline = on; });
            return;
        }
        if (w == "ulnone") { chars([&] { s.underline = false; }); return; }
        if (w == "strike" || w == "striked") { chars([&] { s.strike = on; }); return; }
        if (w == "f") { chars([&] { s.font = n; s.codePage = nullptr; }); return; }
        if (w == "fs") { chars([&] { s.size = std::clamp(v, 1, 3276) * 10; s.exactSize = 0; }); return; }
        if (w == rtf::kZvFontSize) { chars([&] { s.exactSize = std::clamp(n, limits::kMinFontSize, limits::kMaxFontSize); }); return; }
        if (w == "cf") { chars([&] { s.fore = n; }); return; }
        if (w == "super") { chars([&] { s.script = on ? 1 : 0; }); return; }
        if (w == "sub") { chars([&] { s.script = on ? 2 : 0; }); return; }
        if (w == "nosupersub") { chars([&] { s.script = 0; }); return; }
        if (w == "up" || w == "dn") {
            // Half-points, 6 when none are given.
            const int halfPoints = std::clamp(hasParam ? n : 6, -3276, 3276);
            chars([&] { s.rise = (w == "up" ? halfPoints : -halfPoints) * 10; });
            return;
        }
        if (w == rtf::kZvBaseline) { chars([&] { s.exactBaseline = std::clamp(n, -limits::kMaxFontSize, limits::kMaxFontSize); }); return; }
        if (w == "cb" || w == "chcbpat" || w == "highlight") { chars([&] { s.back = n; }); return; }

        // Paragraph formatting.
        if (w == "pard") { ResetPara(s); return; }
        if (w == "intbl") { s.inTable = true; return; }
        if (w == "ql") { s.para.align = Align::Left; return; }
        if (w == "qr") { s.para.align = Align::Right; return; }
        if (w == "qc") { s.para.align = Align::Center; return; }
        if (w == "qj") { s.para.align = Align::Justify; return; }
        if (w == "li") { s.para.leftIndent = std::clamp(n, -m, m); return; }
        if (w == "ri") { s.para.rightIndent = std::clamp(n, -m, m); return; }
        if (w == "fi") { s.para.firstIndent = std::clamp(n, -m, m); return; }
        if (w == "sb") { s.para.spaceBefore = std::clamp(n, 0, m); return; }
        if (w == "sa") { s.para.spaceAfter = std::clamp(n, 0, m); return; }
        if (w == "sl") { s.para.lineSpacing = n > 0 ? static_cast<int>(std::clamp<long long>(n * 100LL / 240, 10, 1000)) : 100; return; }
        if (w == rtf::kZvLineSpacing) { s.para.lineSpacing = std::clamp(n, 10, 1000); return; }
        if (w == "tqr") { s.nextTab = TabKind::Right; return; }
        if (w == "tqc") { s.nextTab = TabKind::Center; return; }
        if (w == "tqdec") { s.nextTab = TabKind::Decimal; return; }
        if (w == "tx") {
            if (s.para.tabs.size() < limits::kMaxTabs) s.para.tabs.push_back(TabStop{std::clamp(n, 0, m), s.nextTab});
            s.nextTab = TabKind::Left;
            return;
        }
        if (w == "s") {
            if (s.dest == Dest::StyleSheet) {
                styleNumber_ = n;
                s.groupKind = kStyleEntry;
            } else if (auto it = styleByNumber_.find(n); it != styleByNumber_.end()) {
                s.para.styleName = it->second;
            }
            return;
        }
        if (w == "ls") { s.listOverride = n; return; }
        if (w == "ilvl") { s.listLevel = std::clamp(n, 0, kMaxListLevel); return; }
        if (w == rtf::kZvListKind) { s.ownListKind = n == 2 || n == 4 ? n : 0; return; }
        if (w == rtf::kZvListLevel) { s.ownListLevel = s.para.listLevel = std::clamp(n, 0, kMaxListLevel); return; }
        if (w == rtf::kZvNumberStyle) { s.ownNumberStyle = std::clamp(n, 0, 4); s.para.numberStyle = static_cast<NumberStyle>(s.ownNumberStyle); return; }
        if (w == rtf::kZvListStep) { s.ownListStep = s.para.listIndentStep = std::clamp(n, 0, m); return; }
        if (w == rtf::kZvLeftIndent) { s.ownLeftIndent = std::clamp(n, -m, m); return; }
        if (w == rtf::kZvFirstIndent) { s.ownFirstIndent = std::clamp(n, -m, m); return; }
        if (w == rtf::kZvFrameStyle) { s.ownFrameStyle = std::clamp(n, 0, 0xFFFF); return; }
        if (w == rtf::kZvFrameWidth) { s.para.frameLineWidth = std::clamp(n, 0, m); return; }
        if (w == rtf::kZvFrameDistance) { s.para.frameDistance = std::clamp(n, 0, m); return; }

        // Borders: of the paragraph, or of the cell being defined.
        if (w == "brdrl") { s.border = BorderTarget::ParaLeft; return; }
        if (w == "brdrr") { s.border = BorderTarget::ParaRight; return; }
        if (w == "brdrt") { s.border = BorderTarget::ParaTop; return; }
        if (w == "brdrb") { s.border = BorderTarget::ParaBottom; return; }
        if (w == "box") { s.border = BorderTarget::ParaBox; return; }
        if (w == "clbrdrl") { s.border = BorderTarget::CellLeft; return; }
        if (w == "clbrdrt") { s.border = BorderTarget::CellTop; return; }
        if (w == "clbrdrr") { s.border = BorderTarget::CellRight; return; }
        if (w == "clbrdrb") { s.border = BorderTarget::CellBottom; return; }
        if (w == "brdrs" || w == "brdrdb" || w == "brdrth" || w == "brdrsh" || w == "brdrdot" || w == "brdrdash" ||
            w == "brdrhair" || w == "brdrw" || w == "brdrnone" || w == "brsp") {
            Border(s, w, n);
            return;
        }

        // Tables.
        if (w == "trowd") {
            rowDef_ = RowDef{};
            return;
        }
        if (w == "clcbpat") { rowDef_.pending.background = ColorAt(n, kNoColor); return; }
        // Merged cells: the continuing cells say so; the first cell's own words add nothing.
        if (w == "clmrg") { rowDef_.pending.merge |= merge::kLeft; return; }
        if (w == "clvmrg") { rowDef_.pending.merge |= merge::kUp; return; }
        if (w == "clmgf" || w == "clvmgf") return;
        if (w == rtf::kZvTable) { rowTable_ = n; return; }
        if (w == rtf::kZvGridWidth) { rowDef_.pending.gridWidth = std::clamp(n, 0, limits::kMaxBorder); return; }
        if (w == "cellx") {
            if (rowDef_.edges.size() < static_cast<size_t>(limits::kMaxTableColumns)) {
                rowDef_.edges.push_back(std::clamp(n, 0, m));
                rowDef_.cells.push_back(rowDef_.pending);
            }
            rowDef_.pending = CellAttributes{};
            return;
        }
    }

    void Border(State& s, std::string_view w, int n) {
        const int width = std::clamp(n, 0, limits::kMaxBorder);
        auto cellSide = [&]() -> int* {
            switch (s.border) {
            case BorderTarget::CellLeft: return &rowDef_.pending.leftBorder;
            case BorderTarget::CellTop: return &rowDef_.pending.topBorder;
            case BorderTarget::CellRight: return &rowDef_.pending.rightBorder;
            case BorderTarget::CellBottom: return &rowDef_.pending.bottomBorder;
            default: return nullptr;
            }
        };
        if (int* side = cellSide()) {
            if (w == "brdrw") *side = width;
            else if (w == "brdrnone") *side = 0;
            else if (*side == 0) *side = 15;  // a line with no width given is a hairline
            return;
        }
        std::uint16_t bits = 0;
        switch (s.border) {
        case BorderTarget::ParaLeft: bits = frame::kLeft; break;
        case BorderTarget::ParaRight: bits = frame::kRight; break;
        case BorderTarget::ParaTop: bits = frame::kTop; break;
        case BorderTarget::ParaBottom: bits = frame::kBottom; break;
        case BorderTarget::ParaBox: bits = frame::kLeft | frame::kRight | frame::kTop | frame::kBottom; break;
        default: return;
        }
        if (w == "brdrnone") {
            s.para.frameStyle = static_cast<std::uint16_t>(s.para.frameStyle & ~bits);
        } else if (w == "brdrw") {
            s.para.frameLineWidth = width;
        } else if (w == "brsp") {
            s.para.frameDistance = std::clamp(n, 0, limits::kMaxTwips);
        } else {
            s.para.frameStyle |= bits;
            s.para.frameStyle = static_cast<std::uint16_t>((s.para.frameStyle & ~(frame::kSingle | frame::kDouble)) |
                                                           (w == "brdrdb" ? frame::kDouble : frame::kSingle));
        }
    }

    void Binary(int n, std::string* into) {
        if (n < 0) Fail(L"a binary length is negative");
        if (static_cast<size_t>(n) > data_.size() - pos_) Fail(L"binary data runs past the end");
        if (into) {
            if (into->size() + static_cast<size_t>(n) > limits::kMaxImageBytes) Fail(L"a picture is larger than the text control accepts");
            into->append(data_.substr(pos_, static_cast<size_t>(n)));
        }
        pos_ += static_cast<size_t>(n);
    }

    // ------------------------------------------------------------ the document

    Document Finish() {
        if (table_) CloseTable();
        body_.done.push_back(std::move(body_.current));
        if (body_.done.back().cell.table != 0) body_.done.push_back(NewParagraph());
        if (!notes_.empty()) {
            // The notes follow the text after an empty paragraph.
            if (!body_.done.back().text.empty()) body_.done.push_back(NewParagraph());
            for (auto& p : notes_) body_.done.push_back(std::move(p));
        }
        doc_.paragraphs = std::move(body_.done);
        doc_.header.paragraphs = std::move(header_.done);
        doc_.footer.paragraphs = std::move(footer_.done);
        if (doc_.charFormats.empty()) doc_.charFormats.push_back(CharFormat{});

        // Anchors to positions.
        std::unordered_map<std::uint64_t, int> startOf;
        int position = 0;
        for (const auto& p : doc_.paragraphs) {
            startOf[p.stamp] = position;
            position += static_cast<int>(p.text.size()) + 1;
        }
        auto resolve = [&](const Anchor& a) -> std::optional<int> {
            auto it = startOf.find(a.paragraph);
            if (it == startOf.end()) return std::nullopt;
            return it->second + a.offset;
        };
        for (auto& f : fieldsDone_) {
            auto start = resolve(f.at);
            if (!start) continue;
            doc_.fields.push_back(Field{doc_.nextFieldId++, *start, f.length, f.kind, std::move(f.target)});
        }
        // Fields nested in fields overlap: the outer one wins, as only one link can be clicked.
        std::stable_sort(doc_.fields.begin(), doc_.fields.end(), [](const Field& a, const Field& b) {
            return a.start < b.start || (a.start == b.start && a.length > b.length);
        });
        for (size_t i = 1; i < doc_.fields.size();) {
            if (doc_.fields[i].start < doc_.fields[i - 1].start + doc_.fields[i - 1].length) doc_.fields.erase(doc_.fields.begin() + static_cast<long>(i));
            else ++i;
        }
        for (auto& [anchor, object] : objects_) {
            auto at = resolve(anchor);
            if (!at) continue;
            object.id = doc_.nextObjectId++;
            object.anchor = *at;
            doc_.objects.push_back(std::move(object));
        }
        for (auto& [name, anchor] : bookmarks_) {
            auto at = resolve(anchor);
            if (at && !doc_.FindMark(name)) doc_.marks.push_back(Mark{name, *at});
        }
        for (auto& p : doc_.paragraphs) p.stamp = ++doc_.stampCounter;
        for (auto& p : doc_.header.paragraphs) p.stamp = ++doc_.stampCounter;
        for (auto& p : doc_.footer.paragraphs) p.stamp = ++doc_.stampCounter;
        if (auto problem = doc_.Validate(); !problem.empty())
            throw zv::Error(L"The RTF document cannot be read: " + problem + L".");
        return std::move(doc_);
    }

    struct FieldDone {
        Anchor at;
        int length;
        int kind;
        std::wstring target;
    };

    std::string_view data_;
    bool importLinks_;
    size_t pos_ = 0;
    std::vector<State> stack_;
    bool ignorable_ = false;
    int skip_ = 0;
    std::uint64_t serial_ = 0;
    size_t totalText_ = 0;
    size_t totalNoteParagraphs_ = 0;
    Document doc_;
    StoryBuild body_, header_, footer_, note_;
    std::vector<Paragraph> notes_;  // the notes' paragraphs, in the order the notes came
    int noteCount_ = 0;    // automatic note marks given so far
    int pendingMark_ = 0;  // a mark in the text whose note has not begun yet
    int noteNumber_ = 0;   // the mark of the note being read
    std::map<int, FontEntry> fonts_;
    int currentFont_ = 0;
    int defaultFont_ = 0;
    FontEntry pendingFont_;
    const CodePage* documentPage_ = &DefaultCodePage();
    std::uint32_t codePageVersion_ = 1;
    unsigned char lead_ = 0;  // a lead byte waiting for its trail byte; 0 = none
    const CodePage* leadPage_ = nullptr;
    std::uint32_t highSurrogate_ = 0;
    std::vector<Color> colors_;
    Color color_ = 0;
    bool colorSet_ = false;
    using RawFormat = std::tuple<int, int, int, int, int, int, int>;  // font, size, styles, colours, offsets
    std::map<RawFormat, std::uint32_t> formatIndex_;
    std::wstring styleName_;
    bool styleNameDone_ = false;
    int styleNumber_ = -1;
    std::map<int, std::wstring> styleByNumber_;
    std::vector<int> levels_;
    std::map<int, std::vector<int>> lists_;
    std::map<int, int> listOverrides_;
    int overrideList_ = 0;
    ParaFormat oldList_;
    std::vector<FieldBuild> fields_;
    std::vector<FieldDone> fieldsDone_;
    std::wstring bookmarkName_;
    std::vector<std::pair<std::wstring, Anchor>> bookmarks_;
    PictBuild pict_;
    ObjectBuild object_;
    std::vector<std::pair<Anchor, Object>> objects_;
    RowDef rowDef_;
    int rowTable_ = 0;
    std::optional<TableBuild> table_;
};

}  // namespace

Document ReadRtf(std::string_view bytes, bool importLinks) { return RtfParser(bytes, importLinks).Parse(); }

}  // namespace tx
