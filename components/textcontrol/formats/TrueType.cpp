#include "components/textcontrol/formats/TrueType.h"

#include <algorithm>
#include <set>

#include "components/textcontrol/formats/BigEndian.h"

namespace tx {
namespace {

const wchar_t* const kContext = L"The font cannot be read";

constexpr std::uint32_t kHead = FontTag("head"), kHhea = FontTag("hhea"), kMaxp = FontTag("maxp"),
                        kHmtx = FontTag("hmtx"), kLoca = FontTag("loca"), kGlyf = FontTag("glyf"),
                        kCmap = FontTag("cmap"), kOs2 = FontTag("OS/2"), kPost = FontTag("post"),
                        kName = FontTag("name"), kCvt = FontTag("cvt "), kFpgm = FontTag("fpgm"),
                        kPrep = FontTag("prep");

// Composite glyph flags.
constexpr std::uint16_t kArgsAreWords = 0x0001, kHaveScale = 0x0008, kMoreComponents = 0x0020,
                        kHaveXYScale = 0x0040, kHaveTwoByTwo = 0x0080;

std::wstring DecodeName(std::string_view bytes, bool utf16) {
    std::wstring out;
    if (utf16) {
        for (size_t i = 0; i + 1 < bytes.size(); i += 2)
            out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) << 8 | static_cast<unsigned char>(bytes[i + 1])));
    } else {
        for (unsigned char c : bytes) out.push_back(c < 0x80 ? static_cast<wchar_t>(c) : L'?');
    }
    return out;
}

void PutU16(std::string& out, std::size_t at, std::uint16_t v) {
    out[at] = static_cast<char>(v >> 8);
    out[at + 1] = static_cast<char>(v & 0xFF);
}
void PutU32(std::string& out, std::size_t at, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) out[at + static_cast<size_t>(k)] = static_cast<char>(v >> (24 - 8 * k));
}
void AppendU16(std::string& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v >> 8));
    out.push_back(static_cast<char>(v & 0xFF));
}
void AppendU32(std::string& out, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) out.push_back(static_cast<char>(v >> (24 - 8 * k)));
}

std::uint32_t Checksum(std::string_view table) {
    std::uint32_t sum = 0;
    for (size_t i = 0; i < table.size(); i += 4) {
        std::uint32_t word = 0;
        for (size_t k = 0; k < 4; ++k)
            word = word << 8 | (i + k < table.size() ? static_cast<unsigned char>(table[i + k]) : 0u);
        sum += word;
    }
    return sum;
}

}  // namespace

std::shared_ptr<const TrueTypeFont> TrueTypeFont::FromFile(std::string_view bytes, int index) {
    BigEndianView file(bytes, kContext);
    std::size_t start = 0;
    if (file.Size() >= 4 && file.Bytes(0, 4, L"the signature") == "ttcf") {
        const std::uint32_t count = file.U32(8, L"the collection's font count");
        if (index < 0 || static_cast<std::uint32_t>(index) >= count) file.Fail(L"the collection has no font " + std::to_wstring(index), 8);
        start = file.U32(12 + 4 * static_cast<size_t>(index), L"a font's place in the collection");
    }
    const std::uint32_t version = file.U32(start, L"the font's signature");
    if (version == FontTag("OTTO")) file.Fail(L"its outlines are not TrueType outlines", start);
    if (version != 0x00010000u && version != FontTag("true")) file.Fail(L"it is not a TrueType font", start);
    const std::uint16_t count = file.U16(start + 4, L"the table count");
    std::shared_ptr<TrueTypeFont> font(new TrueTypeFont());
    for (std::uint16_t i = 0; i < count; ++i) {
        const std::size_t record = start + 12 + 16 * static_cast<size_t>(i);
        const std::uint32_t tag = file.U32(record, L"a table record");
        const std::uint32_t offset = file.U32(record + 8, L"a table's place");
        const std::uint32_t length = file.U32(record + 12, L"a table's length");
        font->tables_[tag] = std::string(file.Bytes(offset, length, L"a table"));
    }
    font->Read();
    return font;
}

std::shared_ptr<const TrueTypeFont> TrueTypeFont::FromTables(const TableSource& table) {
    std::shared_ptr<TrueTypeFont> font(new TrueTypeFont());
    for (std::uint32_t tag : {kHead, kHhea, kMaxp, kHmtx, kLoca, kGlyf, kCmap, kOs2, kPost, kName, kCvt, kFpgm, kPrep})
        if (auto bytes = table(tag)) font->tables_[tag] = std::move(*bytes);
    font->Read();
    return font;
}

std::string_view TrueTypeFont::Table(std::uint32_t tag) const {
    auto it = tables_.find(tag);
    return it == tables_.end() ? std::string_view() : std::string_view(it->second);
}

void TrueTypeFont::Read() {
    for (auto [tag, name] : {std::pair{kHead, L"head"}, std::pair{kHhea, L"hhea"}, std::pair{kMaxp, L"maxp"},
                             std::pair{kHmtx, L"hmtx"}, std::pair{kCmap, L"cmap"}})
        if (!tables_.count(tag)) throw zv::Error(std::wstring(kContext) + L": its " + name + L" table is missing.");
    if (!tables_.count(kGlyf) || !tables_.count(kLoca))
        throw zv::Error(std::wstring(kContext) + L": it has no TrueType outlines.");

    const BigEndianView head(Table(kHead), L"The font's head table cannot be read");
    unitsPerEm_ = head.U16(18, L"the units per em");
    if (unitsPerEm_ < 16 || unitsPerEm_ > 16384) head.Fail(L"the units per em are out of range", 18);
    for (int i = 0; i < 4; ++i) box_[i] = head.I16(36 + 2 * static_cast<size_t>(i), L"the font's box");
    const std::uint16_t macStyle = head.U16(44, L"the style bits");
    bold_ = macStyle & 1;
    italic_ = macStyle & 2;
    const std::int16_t locFormat = head.I16(50, L"the glyph offset format");
    if (locFormat != 0 && locFormat != 1) head.Fail(L"the glyph offset format is unknown", 50);
    longOffsets_ = locFormat == 1;

    const BigEndianView maxp(Table(kMaxp), L"The font's maxp table cannot be read");
    glyphCount_ = maxp.U16(4, L"the glyph count");
    if (glyphCount_ == 0) maxp.Fail(L"the font has no glyphs", 4);

    const BigEndianView hhea(Table(kHhea), L"The font's hhea table cannot be read");
    ascent_ = hhea.I16(4, L"the ascender");
    descent_ = -hhea.I16(6, L"the descender");
    horizontalMetrics_ = hhea.U16(34, L"the count of horizontal metrics");
    if (horizontalMetrics_ < 1 || horizontalMetrics_ > glyphCount_) hhea.Fail(L"the count of horizontal metrics is out of range", 34);
    const BigEndianView hmtx(Table(kHmtx), L"The font's hmtx table cannot be read");
    const std::size_t need = 4 * static_cast<size_t>(horizontalMetrics_) + 2 * static_cast<size_t>(glyphCount_ - horizontalMetrics_);
    if (hmtx.Size() < need) hmtx.Fail(L"the horizontal metrics are shorter than the glyph count asks", hmtx.Size());

    const BigEndianView loca(Table(kLoca), L"The font's loca table cannot be read");
    const std::size_t glyf = Table(kGlyf).size();
    glyphOffsets_.resize(static_cast<size_t>(glyphCount_) + 1);
    for (int g = 0; g <= glyphCount_; ++g) {
        const std::uint32_t offset = longOffsets_ ? loca.U32(4 * static_cast<size_t>(g), L"a glyph's place")
                                                  : 2u * loca.U16(2 * static_cast<size_t>(g), L"a glyph's place");
        if (offset > glyf) loca.Fail(L"a glyph lies beyond the outlines", 4 * static_cast<size_t>(g));
        glyphOffsets_[static_cast<size_t>(g)] = offset;
    }
    for (int g = 0; g < glyphCount_; ++g)
        if (glyphOffsets_[static_cast<size_t>(g)] > glyphOffsets_[static_cast<size_t>(g) + 1])
            loca.Fail(L"a glyph ends before it starts", 4 * static_cast<size_t>(g));

    ascent_ = std::clamp(ascent_, -unitsPerEm_ * 4, unitsPerEm_ * 4);
    descent_ = std::clamp(descent_, -unitsPerEm_ * 4, unitsPerEm_ * 4);
    capHeight_ = ascent_ * 7 / 10;
    if (const std::string_view os2 = Table(kOs2); !os2.empty()) {
        const BigEndianView t(os2, L"The font's OS/2 table cannot be read");
        const std::uint16_t version = t.U16(0, L"the version");
        const std::uint16_t weight = t.U16(4, L"the weight");
        const std::uint16_t type = t.U16(8, L"the embedding bits");
        // Restricted licence (bit 1 alone, without the printing or editing bits) or bitmaps only.
        embeddable_ = !((type & 0x000F) == 0x0002) && !(type & 0x0200);
        strikeoutThickness_ = t.I16(26, L"the strike-out size");
        strikeoutPosition_ = t.I16(28, L"the strike-out position");
        const std::uint8_t familyClass = t.U8(30, L"the family class"), serifStyle = t.U8(33, L"the serif style");
        serif_ = (familyClass >= 1 && familyClass <= 7) || (serifStyle >= 2 && serifStyle <= 10);
        subsettable_ = !(type & 0x0100);
        const std::uint16_t selection = t.U16(62, L"the style selection");
        bold_ = bold_ || (selection & 0x20) || weight >= 600;
        italic_ = italic_ || (selection & 0x01);
        // The screen's fonts ascend and descend by the Windows metrics: so do we, lines match.
        if (t.Has(74, 4)) {
            ascent_ = std::clamp(static_cast<int>(t.U16(74, L"the Windows ascent")), 0, unitsPerEm_ * 4);
            descent_ = std::clamp(static_cast<int>(t.U16(76, L"the Windows descent")), 0, unitsPerEm_ * 4);
        }
        if (version >= 2 && t.Has(88, 2)) capHeight_ = t.I16(88, L"the capital height");
    }
    if (const std::string_view post = Table(kPost); post.size() >= 16) {
        const BigEndianView t(post, L"The font's post table cannot be read");
        italicAngle_ = static_cast<std::int32_t>(t.U32(4, L"the italic angle")) / 65536.0;
        underlinePosition_ = t.I16(8, L"the underline position");
        underlineThickness_ = t.I16(10, L"the underline thickness");
        fixedPitch_ = t.U32(12, L"the fixed pitch") != 0;
    }
    if (underlineThickness_ <= 0) underlineThickness_ = unitsPerEm_ / 20;
    if (strikeoutThickness_ <= 0) strikeoutThickness_ = underlineThickness_;

    if (const std::string_view name = Table(kName); !name.empty()) {
        const BigEndianView t(name, L"The font's name table cannot be read");
        const std::uint16_t count = t.U16(2, L"the name count");
        const std::uint16_t storage = t.U16(4, L"the names' place");
        // Best: Windows Unicode, US English; then any Windows Unicode; then Macintosh Roman.
        int best[32] = {};
        std::wstring found[32];
        for (std::uint16_t i = 0; i < count; ++i) {
            const std::size_t r = 6 + 12 * static_cast<size_t>(i);
            const std::uint16_t platform = t.U16(r, L"a name record"), encoding = t.U16(r + 2, L"a name record"),
                                language = t.U16(r + 4, L"a name record"), id = t.U16(r + 6, L"a name record"),
                                length = t.U16(r + 8, L"a name record"), offset = t.U16(r + 10, L"a name record");
            if (id >= 32) continue;
            int rank = 0;
            if (platform == 3 && (encoding == 1 || encoding == 0 || encoding == 10)) rank = language == 0x409 ? 3 : 2;
            else if (platform == 1 && encoding == 0) rank = 1;
            else if (platform == 0) rank = 2;
            if (rank <= best[id]) continue;
            if (!t.Has(static_cast<size_t>(storage) + offset, length)) continue;
            best[id] = rank;
            found[id] = DecodeName(t.Bytes(static_cast<size_t>(storage) + offset, length, L"a name"), platform != 1);
        }
        names_.family = !found[16].empty() ? found[16] : found[1];
        names_.subfamily = !found[17].empty() ? found[17] : found[2];
        names_.postscript = found[6];
    }

    // The character map: a Unicode map (full, then basic plane), else a symbol font's.
    const BigEndianView cmap(Table(kCmap), L"The font's character map cannot be read");
    const std::uint16_t subtables = cmap.U16(2, L"the map count");
    std::size_t chosen = 0;
    int chosenRank = 0;
    for (std::uint16_t i = 0; i < subtables; ++i) {
        const std::size_t r = 4 + 8 * static_cast<size_t>(i);
        const std::uint16_t platform = cmap.U16(r, L"a map record"), encoding = cmap.U16(r + 2, L"a map record");
        const std::uint32_t offset = cmap.U32(r + 4, L"a map's place");
        const std::uint16_t format = cmap.U16(offset, L"a map's format");
        int rank = 0;
        if (format == 12 && (platform == 3 || platform == 0)) rank = 4;
        else if (format == 4 && ((platform == 3 && encoding == 1) || platform == 0)) rank = 3;
        else if (format == 4 && platform == 3 && encoding == 0) rank = 2;
        if (rank > chosenRank) {
            chosenRank = rank;
            chosen = offset;
            symbolMap_ = platform == 3 && encoding == 0;
        }
    }
    if (chosenRank == 0) cmap.Fail(L"it has no character map for Unicode text");
    mapTable_ = Table(kCmap);
    if (cmap.U16(chosen, L"the map's format") == 4) {
        const std::size_t segments = cmap.U16(chosen + 6, L"the segment count") / 2;
        const std::size_t ends = chosen + 14, starts = ends + 2 * segments + 2, deltas = starts + 2 * segments,
                          offsets = deltas + 2 * segments;
        for (std::size_t s = 0; s < segments; ++s) {
            Range r{};
            r.last = cmap.U16(ends + 2 * s, L"a segment's end");
            r.first = cmap.U16(starts + 2 * s, L"a segment's start");
            r.delta = cmap.U16(deltas + 2 * s, L"a segment's delta");
            r.rangeOffsetAt = offsets + 2 * s;
            r.rangeOffset = cmap.U16(r.rangeOffsetAt, L"a segment's glyph array");
            r.sequential = false;
            if (r.first <= r.last) map_.push_back(r);
        }
    } else {
        const std::uint32_t groups = cmap.U32(chosen + 12, L"the group count");
        if (groups > (cmap.Size() - std::min(cmap.Size(), chosen + 16)) / 12) cmap.Fail(L"the map has more groups than bytes", chosen + 12);
        for (std::uint32_t gi = 0; gi < groups; ++gi) {
            const std::size_t at = chosen + 16 + 12 * static_cast<size_t>(gi);
            Range r{};
            r.first = cmap.U32(at, L"a group's start");
            r.last = cmap.U32(at + 4, L"a group's end");
            r.delta = static_cast<std::int32_t>(cmap.U32(at + 8, L"a group's glyph") & 0x7FFFFFFF);
            r.sequential = true;
            if (r.first <= r.last && r.last <= 0x10FFFF) map_.push_back(r);
        }
    }
    std::sort(map_.begin(), map_.end(), [](const Range& a, const Range& b) { return a.first < b.first; });
}

std::uint16_t TrueTypeFont::Glyph(char32_t c) const {
    auto look = [&](char32_t code) -> std::uint32_t {
        auto it = std::upper_bound(map_.begin(), map_.end(), code, [](char32_t v, const Range& r) { return v < r.first; });
        if (it != map_.begin()) {
            --it;
            if (code > it->last) return 0;
            if (it->sequential) return static_cast<std::uint32_t>(it->delta) + (code - it->first);
            if (it->rangeOffset == 0) return (code + static_cast<std::uint32_t>(it->delta)) & 0xFFFF;
            const std::size_t at = it->rangeOffsetAt + it->rangeOffset + 2 * static_cast<size_t>(code - it->first);
            if (at + 2 > mapTable_.size()) return 0;
            const std::uint32_t g = static_cast<unsigned char>(mapTable_[at]) << 8 | static_cast<unsigned char>(mapTable_[at + 1]);
            return g == 0 ? 0 : (g + static_cast<std::uint32_t>(it->delta)) & 0xFFFF;
        }
        return 0;
    };
    std::uint32_t g = look(c);
    if (g == 0 && symbolMap_ && c < 0x100) g = look(0xF000 + c);
    return g < static_cast<std::uint32_t>(glyphCount_) ? static_cast<std::uint16_t>(g) : 0;
}

int TrueTypeFont::Advance(std::uint16_t glyph) const {
    const std::string_view hmtx = Table(kHmtx);
    const size_t i = std::min<size_t>(glyph, static_cast<size_t>(horizontalMetrics_) - 1);
    return static_cast<unsigned char>(hmtx[4 * i]) << 8 | static_cast<unsigned char>(hmtx[4 * i + 1]);
}

FontSubset TrueTypeFont::Subset(std::vector<std::uint16_t> glyphs) const {
    const std::string_view glyf = Table(kGlyf);
    const BigEndianView outlines(glyf, L"The font's outlines cannot be read");
    if (glyphs.empty() || glyphs[0] != 0) glyphs.insert(glyphs.begin(), 0);
    std::map<std::uint16_t, std::uint16_t> index;  // old -> new
    std::vector<std::uint16_t> order;
    // A glyph asked for twice is there twice, so that new numbers follow the list exactly.
    for (std::uint16_t g : glyphs) {
        if (g >= glyphCount_) g = 0;
        index.emplace(g, static_cast<std::uint16_t>(order.size()));
        order.push_back(g);
    }
    // Composite glyphs need their components: walk them, adding as found (each glyph once).
    auto components = [&](std::uint16_t g, const std::function<void(std::size_t at, std::uint16_t component)>& each) {
        const std::uint32_t start = glyphOffsets_[g], end = glyphOffsets_[static_cast<size_t>(g) + 1];
        if (end - start < 10 || outlines.I16(start, L"a glyph's contour count") >= 0) return;
        std::size_t at = start + 10;
        for (int guard = 0; guard < 1024; ++guard) {
            if (at + 4 > end) outlines.Fail(L"a composite glyph ends inside a component", at);
            const std::uint16_t flags = outlines.U16(at, L"a component's flags");
            const std::uint16_t component = outlines.U16(at + 2, L"a component's glyph");
            if (component >= glyphCount_) outlines.Fail(L"a component names a glyph the font does not have", at + 2);
            each(at + 2, component);
            at += 4 + ((flags & kArgsAreWords) ? 4 : 2);
            if (flags & kHaveScale) at += 2;
            else if (flags & kHaveXYScale) at += 4;
            else if (flags & kHaveTwoByTwo) at += 8;
            if (!(flags & kMoreComponents)) return;
        }
        outlines.Fail(L"a composite glyph has too many components", start);
    };
    for (size_t i = 0; i < order.size(); ++i) {
        components(order[i], [&](std::size_t, std::uint16_t c) {
            if (index.emplace(c, static_cast<std::uint16_t>(order.size())).second) order.push_back(c);
        });
    }

    if (order.size() > 0xFFFF) outlines.Fail(L"the subset would have more glyphs than a font can");

    // The outlines, renumbered; offsets kept long and each glyph on an even boundary.
    std::string newGlyf, newLoca, newHmtx;
    for (std::uint16_t old : order) {
        AppendU32(newLoca, static_cast<std::uint32_t>(newGlyf.size()));
        const std::uint32_t start = glyphOffsets_[old], end = glyphOffsets_[static_cast<size_t>(old) + 1];
        const size_t at = newGlyf.size();
        newGlyf += outlines.Bytes(start, end - start, L"a glyph");
        components(old, [&](std::size_t place, std::uint16_t c) { PutU16(newGlyf, at + (place - start), index.at(c)); });
        if (newGlyf.size() % 2) newGlyf.push_back('\0');
        const std::string_view hmtx = Table(kHmtx);
        AppendU16(newHmtx, static_cast<std::uint16_t>(Advance(old)));
        // The left side bearing: from the long metrics, or from the array after them.
        const size_t lsb = old < horizontalMetrics_ ? 4 * static_cast<size_t>(old) + 2
                                                    : 4 * static_cast<size_t>(horizontalMetrics_) + 2 * static_cast<size_t>(old - horizontalMetrics_);
        newHmtx += hmtx.substr(lsb, 2);
    }
    AppendU32(newLoca, static_cast<std::uint32_t>(newGlyf.size()));

    std::map<std::uint32_t, std::string> out;
    out[kGlyf] = std::move(newGlyf);
    out[kLoca] = std::move(newLoca);
    out[kHmtx] = std::move(newHmtx);
    std::string head(Table(kHead).substr(0, 54));
    if (head.size() < 54) outlines.Fail(L"the head table is too short");
    PutU32(head, 8, 0);       // the whole file's checksum adjustment, set below
    PutU16(head, 50, 1);      // long glyph offsets
    out[kHead] = head;
    std::string hhea(Table(kHhea).substr(0, 36));
    PutU16(hhea, 34, static_cast<std::uint16_t>(order.size()));
    out[kHhea] = hhea;
    std::string maxp(Table(kMaxp));
    PutU16(maxp, 4, static_cast<std::uint16_t>(order.size()));
    out[kMaxp] = maxp;
    // No glyph names: a version 3 post table of the same metrics.
    std::string post(32, '\0');
    PutU32(post, 0, 0x00030000);
    if (Table(kPost).size() >= 32) post.replace(4, 28, Table(kPost).substr(4, 28));
    out[kPost] = post;
    for (std::uint32_t tag : {kCvt, kFpgm, kPrep, kOs2})
        if (!Table(tag).empty()) out[tag] = std::string(Table(tag));
    // A character map that maps nothing: the document says which glyph each character is.
    std::string cmap;
    for (std::uint16_t v : {0, 1, 3, 1}) AppendU16(cmap, v);
    AppendU32(cmap, 12);
    for (std::uint16_t v : {4, 24, 0, 2, 2, 0, 0, 0xFFFF, 0, 0xFFFF, 1, 0}) AppendU16(cmap, v);
    out[kCmap] = cmap;

    return FontSubset{WriteFontFile(out), std::move(order)};
}

std::string WriteFontFile(const std::map<std::uint32_t, std::string>& out) {
    // The directory, then the tables in tag order, each on a 4-byte boundary.
    std::string file;
    const std::uint16_t count = static_cast<std::uint16_t>(out.size());
    std::uint16_t power = 1, log = 0;
    while (power * 2 <= count) {
        power = static_cast<std::uint16_t>(power * 2);
        ++log;
    }
    AppendU32(file, 0x00010000);
    for (std::uint16_t v : {count, static_cast<std::uint16_t>(power * 16), log, static_cast<std::uint16_t>(count * 16 - power * 16)})
        AppendU16(file, v);
    std::size_t offset = 12 + 16 * static_cast<size_t>(count);
    std::size_t headAt = 0;
    for (const auto& [tag, table] : out) {
        AppendU32(file, tag);
        AppendU32(file, Checksum(table));
        AppendU32(file, static_cast<std::uint32_t>(offset));
        AppendU32(file, static_cast<std::uint32_t>(table.size()));
        if (tag == kHead) headAt = offset;
        offset += (table.size() + 3) / 4 * 4;
    }
    for (const auto& [tag, table] : out) {
        file += table;
        file.append((4 - table.size() % 4) % 4, '\0');
    }
    if (out.count(kHead) && out.at(kHead).size() >= 12) PutU32(file, headAt + 8, 0xB1B0AFBAu - Checksum(file));
    return file;
}

}  // namespace tx
