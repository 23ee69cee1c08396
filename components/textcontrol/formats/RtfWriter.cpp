#include "components/textcontrol/formats/RtfWriter.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <unordered_map>

#include "base/Cp1252.h"
#include "components/textcontrol/formats/RtfWords.h"
#include "components/textcontrol/layout/Layout.h"

namespace tx {
namespace {

class RtfOut {
public:
    explicit RtfOut(const Document& d) : d_(d) {}

    std::string Write() {
        CollectTables();
        CollectLists(d_.header.paragraphs);
        CollectLists(d_.footer.paragraphs);
        CollectLists(d_.paragraphs);
        out_ += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n";
        WriteFontTable();
        WriteColorTable();
        WriteStyleSheet();
        WriteListTables();
        Word("paperw", d_.page.width);
        Word("paperh", d_.page.height);
        Word("margl", d_.page.marginLeft);
        Word("margr", d_.page.marginRight);
        Word("margt", d_.page.marginTop);
        Word("margb", d_.page.marginBottom);
        // Where the layout puts the header and footer (the middle of their margin, half an inch at
        // most), so that other word processors keep them inside the margins too.
        Word("headery", std::min(720, d_.page.marginTop / 2));
        Word("footery", std::min(720, d_.page.marginBottom / 2));
        out_ += "\n";
        if (!d_.header.Empty()) WriteStory("header", d_.header);
        if (!d_.footer.Empty()) WriteStory("footer", d_.footer);
        WriteBody();
        out_ += "}";
        return std::move(out_);
    }

private:
    void Word(const char* word) {
        out_ += '\\';
        out_ += word;
    }
    void Word(const char* word, long long value) {
        Word(word);
        out_ += std::to_string(value);
    }

    int FontIndex(const std::wstring& face) const { return fontIndex_.at(face); }
    int ColorIndex(Color c) const { return colorIndex_.at(c); }

    void AddFont(const std::wstring& face) {
        if (fontIndex_.emplace(face, static_cast<int>(fonts_.size())).second) fonts_.push_back(face);
    }
    void AddColor(Color c) {
        if (c == kNoColor) return;
        if (colorIndex_.emplace(c, static_cast<int>(colors_.size()) + 1).second) colors_.push_back(c);
    }

    void CollectTables() {
        for (const auto& f : d_.charFormats) {
            AddFont(f.face);
            AddColor(f.color);
            AddColor(f.backColor);
        }
        for (const auto& s : d_.styles) {
            AddFont(s.chars.face);
            AddColor(s.chars.color);
            AddColor(s.chars.backColor);
        }
        for (const auto& t : d_.tables)
            for (const auto& c : t.cells) AddColor(c.background);
        if (fonts_.empty()) AddFont(L"Arial");
    }

    void WriteFontTable() {
        out_ += "{\\fonttbl";
        for (size_t i = 0; i < fonts_.size(); ++i) {
            out_ += "{\\f" + std::to_string(i) + "\\fnil\\fcharset0 ";
            Text(fonts_[i]);
            out_ += ";}";
        }
        out_ += "}\n";
    }

    void WriteColorTable() {
        out_ += "{\\colortbl;";
        for (Color c : colors_) {
            Word("red", c & 0xFF);
            Word("green", (c >> 8) & 0xFF);
            Word("blue", (c >> 16) & 0xFF);
            // The top byte (system colours) has no RTF word: keep it in one of ours.
            if (c >> 24) Word(rtf::kZvColorHigh, c >> 24);
            out_ += ';';
        }
        out_ += "}\n";
    }

    void WriteStyleSheet() {
        if (d_.styles.empty()) return;
        out_ += "{\\stylesheet{\\s0 Normal;}";
        for (size_t i = 0; i < d_.styles.size(); ++i) {
            const Style& s = d_.styles[i];
            out_ += "{";
            Word("s", static_cast<long long>(i) + 1);
            ParaProps(s.para, false);
            CharProps(s.chars);
            out_ += ' ';
            Text(s.name);
            out_ += ";}";
        }
        out_ += "}\n";
    }

    // Escaped text: Windows-1252 as \'hh, anything else as \uN with a '?' for older readers.
    void Text(std::wstring_view text) {
        for (wchar_t c : text) {
            if (c == L'\\' || c == L'{' || c == L'}') {
                out_ += '\\';
                out_ += static_cast<char>(c);
            } else if (c == L'\t') {
                out_ += "\\tab ";
            } else if (c == kLineBreak) {
                out_ += "\\line ";
            } else if (c == kPageBreak) {
                out_ += "\\page ";
            } else if (c == kPageNumberChar) {
                // Readers show the result until they number the pages themselves.
                out_ += "{\\field{\\*\\fldinst PAGE }{\\fldrslt 1}}";
            } else if (c >= 0x20 && c < 0x80) {
                out_ += static_cast<char>(c);
            } else {
                const std::string encoded = zv::EncodeCp1252(std::wstring(1, c));
                if (c >= 0xA0 && encoded != "?" && zv::DecodeCp1252(encoded) == std::wstring(1, c)) {
                    static const char kHex[] = "0123456789abcdef";
                    const auto b = static_cast<unsigned char>(encoded[0]);
                    out_ += "\\'";
                    out_ += kHex[b >> 4];
                    out_ += kHex[b & 15];
                } else {
                    auto unit = static_cast<std::uint32_t>(c);
                    if constexpr (sizeof(wchar_t) > 2) {
                        // A character beyond the 16 bits of \u goes as its UTF-16 surrogate pair.
                        if (unit > 0x10FFFF) unit = 0xFFFD;
                        if (unit > 0xFFFF) {
                            Word("u", static_cast<std::int16_t>(static_cast<std::uint16_t>(0xD800 + ((unit - 0x10000) >> 10))));
                            out_ += '?';
                            unit = 0xDC00 + ((unit - 0x10000) & 0x3FF);
                        }
                    }
                    Word("u", static_cast<std::int16_t>(static_cast<std::uint16_t>(unit)));
                    out_ += '?';
                }
            }
        }
    }

    void CharProps(const CharFormat& f) {
        Word("plain");  // some readers carry a run's properties past its group: each run starts afresh
        Word("f", FontIndex(f.face));
        Word("fs", (f.size + 5) / 10);
        if (f.size % 10 != 0) Word(rtf::kZvFontSize, f.size);
        if (f.bold) Word("b");
        if (f.italic) Word("i");
        if (f.underline) Word("ul");
        if (f.strike) Word("strike");
        if (f.baseline != 0) {
            // \up and \dn count half-points; the size is already the one shown.
            Word(f.baseline > 0 ? "up" : "dn", (std::abs(f.baseline) + 5) / 10);
            if (f.baseline % 10 != 0) Word(rtf::kZvBaseline, f.baseline);
        }
        if (f.color != kNoColor) Word("cf", ColorIndex(f.color));
        if (f.backColor != kNoColor) {
            Word("chcbpat", ColorIndex(f.backColor));
            Word("highlight", ColorIndex(f.backColor));
        }
    }

    // ---- lists
    // Other programs number by list definitions (\ls, \ilvl) and show the label we give them as
    // fallback text (\pntext, with \pn for readers of the older words). Each run of list items
    // between ordinary paragraphs is one list, so that numbering starts afresh where ours does.
    struct ListItem {
        int list = 0;        // 1-based, the \ls of the item
        int number = 0;      // what the item counts as at its level
        std::wstring label;  // as our layout shows it
    };
    struct ListDefinition {
        std::array<const ParaFormat*, kMaxListLevel + 1> levels{};  // the first item of each level
    };

    static int Nfc(const ParaFormat& f) {
        if (f.listKind == ListKind::Bullet) return 23;
        static const int kNfc[] = {0, 3, 4, 1, 2};  // by NumberStyle
        return kNfc[static_cast<int>(f.numberStyle)];
    }

    void CollectLists(const std::vector<tx::Paragraph>& paragraphs) {
        int counters[kMaxListLevel + 1] = {};
        bool inRun = false;
        for (const auto& p : paragraphs) {
            const ParaFormat& f = p.format;
            if (f.listKind == ListKind::None) {
                std::fill(std::begin(counters), std::end(counters), 0);
                inRun = false;
                continue;
            }
            const int level = std::clamp(f.listLevel, 0, kMaxListLevel);
            if (!inRun) lists_.emplace_back();
            inRun = true;
            ListDefinition& list = lists_.back();
            // A level that changes its kind or style mid-run needs a list of its own.
            if (list.levels[level] && Nfc(*list.levels[level]) != Nfc(f)) {
                lists_.emplace_back();
            }
            if (!lists_.back().levels[level]) lists_.back().levels[level] = &f;
            int number = 0;
            if (f.listKind == ListKind::Numbered) {
                number = ++counters[level];
                for (int l = level + 1; l <= kMaxListLevel; ++l) counters[l] = 0;
            }
            items_[&p] = ListItem{static_cast<int>(lists_.size()), number, ListMarker(f, number)};
        }
    }

    void WriteListTables() {
        if (lists_.empty()) return;
        out_ += "{\\*\\listtable";
        for (size_t i = 0; i < lists_.size(); ++i) {
            out_ += "\n{\\list\\listtemplateid" + std::to_string(i + 1) + "\\listsimple0";
            const ParaFormat* last = nullptr;
            for (int level = 0; level <= kMaxListLevel; ++level) {
                const ParaFormat* f = lists_[i].levels[static_cast<size_t>(level)];
                if (f) last = f;
                ParaFormat shown = last ? *last : ParaFormat{};
                if (!last) shown.listKind = ListKind::Numbered;
                shown.listLevel = level;
                const int nfc = Nfc(shown);
                out_ += "{\\listlevel\\levelnfc" + std::to_string(nfc) + "\\levelnfcn" + std::to_string(nfc) +
                        "\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1";
                if (nfc == 23) {
                    out_ += "{\\leveltext\\'01\\u8226 ?;}{\\levelnumbers;}";
                } else {
                    static const char kHex[] = "0123456789abcdef";
                    out_ += "{\\leveltext\\'02\\'0";
                    out_ += kHex[level];
                    out_ += ".;}{\\levelnumbers\\'01;}";
                }
                Word("fi", -shown.listIndentStep);
                Word("li", ListLeft(shown));
                out_ += "}";
            }
            out_ += "\\listid" + std::to_string(i + 1) + "}";
        }
        out_ += "}\n{\\*\\listoverridetable";
        for (size_t i = 0; i < lists_.size(); ++i)
            out_ += "{\\listoverride\\listid" + std::to_string(i + 1) + "\\listoverridecount0\\ls" + std::to_string(i + 1) + "}";
        out_ += "}\n";
    }

    // Where other programs put a list item's text: our text column.
    static long long ListLeft(const ParaFormat& f) {
        return static_cast<long long>(f.leftIndent) + static_cast<long long>(f.listLevel + 1) * f.listIndentStep;
    }

    void Border(const char* side, int width, bool dbl, int space) {
        Word(side);
        Word(dbl ? "brdrdb" : "brdrs");
        Word("brdrw", width);
        if (space > 0) Word("brsp", space);
    }

    void ParaProps(const ParaFormat& f, bool inTable, const ListItem* item = nullptr) {
        if (inTable) Word("intbl");
        static const char* kAlign[] = {"ql", "qr", "qc", "qj"};
        Word(kAlign[static_cast<int>(f.align)]);
        const bool listed = f.listKind != ListKind::None;
        const long long left = listed ? ListLeft(f) : f.leftIndent;
        const long long first = listed ? static_cast<long long>(f.firstIndent) - f.listIndentStep : f.firstIndent;
        if (left) Word("li", left);
        if (f.rightIndent) Word("ri", f.rightIndent);
        if (first) Word("fi", first);
        if (f.spaceBefore) Word("sb", f.spaceBefore);
        if (f.spaceAfter) Word("sa", f.spaceAfter);
        if (f.lineSpacing != 100) {
            Word("sl", f.lineSpacing * 240 / 100);
            Word("slmult", 1);
            Word(rtf::kZvLineSpacing, f.lineSpacing);
        }
        for (const auto& t : f.tabs) {
            if (t.kind == TabKind::Right) Word("tqr");
            else if (t.kind == TabKind::Center) Word("tqc");
            else if (t.kind == TabKind::Decimal) Word("tqdec");
            Word("tx", t.position);
        }
        const bool dbl = f.frameStyle & frame::kDouble;
        if (f.frameStyle & frame::kLeft) Border("brdrl", f.frameLineWidth, dbl, f.frameDistance);
        if (f.frameStyle & frame::kRight) Border("brdrr", f.frameLineWidth, dbl, f.frameDistance);
        if (f.frameStyle & frame::kTop) Border("brdrt", f.frameLineWidth, dbl, f.frameDistance);
        if (f.frameStyle & frame::kBottom) Border("brdrb", f.frameLineWidth, dbl, f.frameDistance);
        // \pn before \ls: readers that know both take the list definition when it comes last.
        if (f.listKind == ListKind::Bullet) {
            out_ += "{\\*\\pn\\pnlvlblt\\pnindent" + std::to_string(f.listIndentStep) + "{\\pntxtb\\'95}}";
        } else if (f.listKind == ListKind::Numbered) {
            static const char* kStyles[] = {"pndec", "pnucltr", "pnlcltr", "pnucrm", "pnlcrm"};
            out_ += "{\\*\\pn\\pnlvlbody\\";
            out_ += kStyles[static_cast<int>(f.numberStyle)];
            // The item's own number: readers of \pn then show the label ours shows, nested or not.
            out_ += "\\pnstart" + std::to_string(item ? std::max(item->number, 1) : 1) + "\\pnindent" +
                    std::to_string(f.listIndentStep) + "{\\pntxta .}}";
        }
        if (item) {
            Word("ls", item->list);
            Word("ilvl", std::clamp(f.listLevel, 0, kMaxListLevel));
        }
        // Ours: exact values that the standard words above only approximate.
        if (listed) {
            Word(rtf::kZvLeftIndent, f.leftIndent);
            Word(rtf::kZvFirstIndent, f.firstIndent);
        }
        Word(rtf::kZvListKind, static_cast<int>(f.listKind));
        Word(rtf::kZvListLevel, f.listLevel);
        Word(rtf::kZvNumberStyle, static_cast<int>(f.numberStyle));
        Word(rtf::kZvListStep, f.listIndentStep);
        Word(rtf::kZvFrameStyle, f.frameStyle);
        Word(rtf::kZvFrameWidth, f.frameLineWidth);
        Word(rtf::kZvFrameDistance, f.frameDistance);
        for (size_t i = 0; i < d_.styles.size(); ++i) {
            if (!f.styleName.empty() && d_.styles[i].name == f.styleName) {
                Word("s", static_cast<long long>(i) + 1);
                break;
            }
        }
        out_ += ' ';
    }

    void Hex(std::string_view bytes) {
        static const char kHex[] = "0123456789abcdef";
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (i % 64 == 0) out_ += '\n';
            const auto b = static_cast<unsigned char>(bytes[i]);
            out_ += kHex[b >> 4];
            out_ += kHex[b & 15];
        }
    }

    void Picture(const Object& o) {
        const std::string_view bytes = o.image ? std::string_view(*o.image) : std::string_view();
        out_ += "{\\pict";
        std::string_view data = bytes;
        bool metafile = false;
        switch (o.imageType) {
        case ImageType::Png: Word("pngblip"); break;
        case ImageType::Jpeg: Word("jpegblip"); break;
        case ImageType::Emf: Word("emfblip"); metafile = true; break;
        case ImageType::Wmf:
            Word("wmetafile", 8);
            metafile = true;
            // RTF holds the metafile without its placeable header.
            if (data.size() > 22 && static_cast<unsigned char>(data[0]) == 0xD7 && static_cast<unsigned char>(data[1]) == 0xCD)
                data.remove_prefix(22);
            break;
        case ImageType::Bmp:
            Word("dibitmap", 0);
            if (data.size() > 14) data.remove_prefix(14);  // RTF holds the bitmap without its file header
            break;
        default: break;
        }
        if (metafile) {
            Word("picw", static_cast<long long>(o.width) * 2540 / 1440);
            Word("pich", static_cast<long long>(o.height) * 2540 / 1440);
        } else {
            Word("picw", o.width / 15);
            Word("pich", o.height / 15);
        }
        Word("picwgoal", o.width);
        Word("pichgoal", o.height);
        Word("picscalex", o.scaleX);
        Word("picscaley", o.scaleY);
        Hex(data);
        out_ += "}";
    }

    static bool StandardPicture(const Object& o) {
        return o.kind == ObjectKind::Image && !o.fixed && o.image &&
               (o.imageType == ImageType::Png || o.imageType == ImageType::Jpeg || o.imageType == ImageType::Emf ||
                o.imageType == ImageType::Wmf || o.imageType == ImageType::Bmp);
    }

    // Objects RTF has no words for: ours, in a destination other readers skip.
    void OwnObject(const Object& o) {
        out_ += "{\\*\\";
        out_ += rtf::kZvObject;
        Word(rtf::kZvObjKind, static_cast<int>(o.kind));
        Word(rtf::kZvObjFixed, o.fixed ? 1 : 0);
        Word(rtf::kZvObjX, o.x);
        Word(rtf::kZvObjY, o.y);
        Word(rtf::kZvObjWidth, o.width);
        Word(rtf::kZvObjHeight, o.height);
        Word(rtf::kZvObjScaleX, o.scaleX);
        Word(rtf::kZvObjScaleY, o.scaleY);
        Word(rtf::kZvObjFlow, o.textFlow);
        Word(rtf::kZvObjImageType, static_cast<int>(o.imageType));
        out_ += "{\\*\\";
        out_ += rtf::kZvObjName;
        out_ += ' ';
        Text(o.name);
        out_ += "}";
        if (o.image) {
            out_ += "{\\*\\";
            out_ += rtf::kZvObjData;
            Hex(*o.image);
            out_ += "}";
        }
        out_ += "}";
    }

    void FieldStart(const Field& f) {
        std::wstring target;
        for (wchar_t c : f.target) {
            if (c == L'\\' || c == L'"') target.push_back(L'\\');
            target.push_back(c);
        }
        out_ += "{\\field{\\*\\fldinst ";
        if (f.kind == kLinkAddress) Text(L"HYPERLINK \"" + target + L"\"");
        else if (f.kind == kLinkAnchor) Text(L"HYPERLINK \\l \"" + target + L"\"");
        else Text(L"ZVFIELD " + std::to_wstring(f.kind) + L" \"" + target + L"\"");
        out_ += "}{\\fldrslt ";
    }

    // One paragraph's characters with its fields, marks and objects. `start` is its first position
    // (body paragraphs only; header and footer pass -1).
    void Runs(const Paragraph& p, int start) {
        const int n = static_cast<int>(p.text.size());
        auto marksAt = [&](int offset) {
            if (start < 0) return;
            for (const auto& m : d_.marks) {
                if (m.position != start + offset) continue;
                out_ += "{\\*\\bkmkstart ";
                Text(m.name);
                out_ += "}{\\*\\bkmkend ";
                Text(m.name);
                out_ += "}";
            }
        };
        auto fixedAt = [&](int offset) {
            if (start < 0) return;
            for (const auto& o : d_.objects)
                if (o.fixed && o.anchor == start + offset) OwnObject(o);
        };
        const Field* open = nullptr;
        for (int i = 0; i < n;) {
            marksAt(i);
            fixedAt(i);
            if (start >= 0 && !open) {
                auto f = std::lower_bound(d_.fields.begin(), d_.fields.end(), start + i,
                                          [](const Field& g, int pos) { return g.start < pos; });
                if (f != d_.fields.end() && f->start == start + i) {
                    FieldStart(*f);
                    open = &*f;
                }
            }
            if (p.text[static_cast<size_t>(i)] == kObjectChar) {
                // In a group of the character's format, which the object's character keeps.
                out_ += "{";
                CharProps(d_.charFormats[p.formats[static_cast<size_t>(i)]]);
                for (const auto& o : d_.objects) {
                    if (o.fixed || o.anchor != start + i) continue;
                    if (StandardPicture(o)) Picture(o);
                    else OwnObject(o);
                }
                out_ += "}";
                ++i;
            } else {
                // A run: same format, up to the next object, field edge or mark.
                int j = i + 1;
                auto boundary = [&](int k) {
                    if (p.formats[static_cast<size_t>(k)] != p.formats[static_cast<size_t>(i)]) return true;
                    if (p.text[static_cast<size_t>(k)] == kObjectChar) return true;
                    return start >= 0 && std::binary_search(edges_.begin(), edges_.end(), start + k);
                };
                while (j < n && !boundary(j)) ++j;
                out_ += "{";
                CharProps(d_.charFormats[p.formats[static_cast<size_t>(i)]]);
                out_ += ' ';
                Text(std::wstring_view(p.text).substr(static_cast<size_t>(i), static_cast<size_t>(j - i)));
                out_ += "}";
                i = j;
            }
            if (open && start + i >= open->start + open->length) {
                out_ += "}}";
                open = nullptr;
            }
        }
        if (open) out_ += "}}";
        marksAt(n);
        fixedAt(n);
    }

    void Paragraph(const tx::Paragraph& p, int start, bool inTable) {
        const auto item = items_.find(&p);
        const ListItem* listItem = item != items_.end() ? &item->second : nullptr;
        if (listItem) {
            // The label as text, for readers that know no lists; readers of lists skip it.
            out_ += "{\\pntext";
            CharProps(d_.charFormats[p.formats.empty() ? 0 : p.formats[0]]);
            out_ += ' ';
            Text(listItem->label);
            out_ += "\\tab}";
        }
        out_ += "\\pard";
        ParaProps(p.format, inTable, listItem);
        if (p.text.empty()) {
            // The paragraph mark carries the format its text would be typed in.
            out_ += "{";
            CharProps(d_.charFormats[0]);
            out_ += "}";
        }
        Runs(p, start);
    }

    void WriteStory(const char* name, const Story& story) {
        out_ += "{\\";
        out_ += name;
        out_ += ' ';
        for (size_t i = 0; i < story.paragraphs.size(); ++i) {
            if (i) out_ += "\\par\n";
            Paragraph(story.paragraphs[i], -1, false);
        }
        out_ += "}\n";
    }

    void RowDefinition(const Table& t, int row) {
        Word("trowd");
        // Two tables with no paragraph between them would read back as one: say whose row it is.
        Word(rtf::kZvTable, t.id);
        Word("trgaph", 60);
        Word("trleft", 0);
        int edge = 0;
        for (int c = 1; c <= t.cols; ++c) {
            const CellAttributes& a = t.Cell(row, c);
            if (a.merge & merge::kLeft) Word("clmrg");
            else if (c < t.cols && (t.Cell(row, c + 1).merge & merge::kLeft)) Word("clmgf");
            if (a.merge & merge::kUp) Word("clvmrg");
            else if (row < t.rows && (t.Cell(row + 1, c).merge & merge::kUp)) Word("clvmgf");
            if (a.leftBorder > 0) Border("clbrdrl", a.leftBorder, false, 0);
            if (a.topBorder > 0) Border("clbrdrt", a.topBorder, false, 0);
            if (a.rightBorder > 0) Border("clbrdrr", a.rightBorder, false, 0);
            if (a.bottomBorder > 0) Border("clbrdrb", a.bottomBorder, false, 0);
            if (a.background != kNoColor) Word("clcbpat", ColorIndex(a.background));
            Word(rtf::kZvGridWidth, a.gridWidth);
            edge += t.columnWidths[static_cast<size_t>(c) - 1];
            Word("cellx", edge);
        }
        out_ += '\n';
    }

    void WriteBody() {
        // Positions where a run must end: field ends and starts, marks and fixed objects.
        for (const auto& f : d_.fields) {
            edges_.push_back(f.start);
            edges_.push_back(f.start + f.length);
        }
        for (const auto& m : d_.marks) edges_.push_back(m.position);
        for (const auto& o : d_.objects)
            if (o.fixed) edges_.push_back(o.anchor);
        std::sort(edges_.begin(), edges_.end());
        int start = 0;
        const int count = d_.ParagraphCount();
        for (int i = 0; i < count; ++i) {
            const auto& p = d_.paragraphs[static_cast<size_t>(i)];
            const int length = static_cast<int>(p.text.size());
            if (p.cell.table == 0) {
                Paragraph(p, start, false);
                if (i + 1 < count) out_ += "\\par\n";
                start += length + 1;
                continue;
            }
            const Table* t = d_.FindTable(p.cell.table);
            if (p.cell.col == 1 && (i == 0 || d_.paragraphs[static_cast<size_t>(i) - 1].cell.row != p.cell.row ||
                                    d_.paragraphs[static_cast<size_t>(i) - 1].cell.table != p.cell.table))
                RowDefinition(*t, p.cell.row);
            Paragraph(p, start, true);
            start += length + 1;
            const bool lastInCell = i + 1 >= count || !(d_.paragraphs[static_cast<size_t>(i) + 1].cell == p.cell);
            if (!lastInCell) {
                out_ += "\\par\n";
                continue;
            }
            out_ += "\\cell ";
            if (p.cell.col == t->cols) {
                RowDefinition(*t, p.cell.row);  // restated before \row, as current writers do
                out_ += "\\row\n";
            }
        }
    }

    const Document& d_;
    std::string out_;
    std::vector<std::wstring> fonts_;
    std::map<std::wstring, int> fontIndex_;
    std::vector<Color> colors_;
    std::map<Color, int> colorIndex_;
    std::vector<int> edges_;
    std::vector<ListDefinition> lists_;
    std::unordered_map<const tx::Paragraph*, ListItem> items_;
};

}  // namespace

std::string WriteRtf(const Document& document) { return RtfOut(document).Write(); }

}  // namespace tx
