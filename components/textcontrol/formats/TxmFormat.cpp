#include "components/textcontrol/formats/TxmFormat.h"

#include <array>
#include <vector>

#include "components/textcontrol/formats/ByteIO.h"
#include "components/textcontrol/model/ImageInfo.h"
#include "components/textcontrol/model/Limits.h"

namespace tx {
namespace {

constexpr char kMagic[4] = {'Z', 'V', 'T', 'X'};
constexpr std::size_t kHeaderSize = 16;

enum Tag : std::uint16_t {
    kPage = 1,
    kFormats = 2,
    kBody = 3,
    kTables = 4,
    kFields = 5,
    kObjects = 6,
    kMarks = 7,
    kStyles = 8,
    kHeader = 9,
    kFooter = 10,
    kIds = 11,
    // Image attributes (distances to the text, storage, save format): a later addition that
    // earlier readers skip; images of pages without it keep 0 distances and embedded data.
    kImageAttributes = 12,
};

constexpr int kMaxImageDistance = 32767;

std::uint32_t Checksum(std::string_view bytes) {
    std::uint32_t h = 2166136261u;
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 16777619u;
    }
    return h;
}

// ---------------------------------------------------------------- writing

void WriteCharFormat(ByteWriter& w, const CharFormat& f) {
    w.Text(f.face);
    w.I32(f.size);
    w.U8(static_cast<std::uint8_t>((f.bold ? 1 : 0) | (f.italic ? 2 : 0) | (f.underline ? 4 : 0) | (f.strike ? 8 : 0)));
    w.U32(f.color);
    w.U32(f.backColor);
    w.I32(f.baseline);
}

void WriteParaFormat(ByteWriter& w, const ParaFormat& f) {
    w.U8(static_cast<std::uint8_t>(f.align));
    for (int v : {f.leftIndent, f.rightIndent, f.firstIndent, f.spaceBefore, f.spaceAfter, f.lineSpacing}) w.I32(v);
    w.U8(static_cast<std::uint8_t>(f.listKind));
    w.U8(static_cast<std::uint8_t>(f.listLevel));
    w.U8(static_cast<std::uint8_t>(f.numberStyle));
    w.I32(f.listIndentStep);
    w.U16(f.frameStyle);
    w.I32(f.frameLineWidth);
    w.I32(f.frameDistance);
    w.Text(f.styleName);
    w.U32(static_cast<std::uint32_t>(f.tabs.size()));
    for (const auto& t : f.tabs) {
        w.I32(t.position);
        w.U8(static_cast<std::uint8_t>(t.kind));
    }
}

void WriteParagraphs(ByteWriter& w, const std::vector<Paragraph>& paragraphs) {
    w.U32(static_cast<std::uint32_t>(paragraphs.size()));
    for (const auto& p : paragraphs) {
        WriteParaFormat(w, p.format);
        w.I32(p.cell.table);
        w.I32(p.cell.row);
        w.I32(p.cell.col);
        w.Text(p.text);
        // Character formats as runs: most paragraphs have a handful.
        std::vector<std::pair<std::uint32_t, std::uint32_t>> runs;
        for (auto f : p.formats) {
            if (!runs.empty() && runs.back().second == f) ++runs.back().first;
            else runs.emplace_back(1, f);
        }
        w.U32(static_cast<std::uint32_t>(runs.size()));
        for (auto [length, format] : runs) {
            w.U32(length);
            w.U32(format);
        }
    }
}

template <typename Body>
void Section(ByteWriter& w, std::uint16_t tag, Body body) {
    w.U16(tag);
    const std::size_t at = w.Size();
    w.U32(0);
    body();
    w.PatchU32(at, static_cast<std::uint32_t>(w.Size() - at - 4));
}

// ---------------------------------------------------------------- reading

CharFormat ReadCharFormat(ByteReader& r, std::uint16_t version) {
    CharFormat f;
    f.face = r.Text(L"a font name", limits::kMaxFaceName);
    if (f.face.empty()) r.Fail(L"a font name is empty");
    f.size = r.Int(L"a font size", limits::kMinFontSize, limits::kMaxFontSize);
    const auto flags = r.U8(L"font styles");
    if (flags > 15) r.Fail(L"font styles hold unknown bits");
    f.bold = flags & 1;
    f.italic = flags & 2;
    f.underline = flags & 4;
    f.strike = flags & 8;
    f.color = r.U32(L"a text colour");
    f.backColor = r.U32(L"a background colour");
    if (version >= 2) f.baseline = r.Int(L"a baseline offset", -limits::kMaxFontSize, limits::kMaxFontSize);
    return f;
}

ParaFormat ReadParaFormat(ByteReader& r) {
    ParaFormat f;
    const int m = limits::kMaxTwips;
    const auto align = r.U8(L"an alignment");
    if (align > 3) r.Fail(L"an alignment is unknown");
    f.align = static_cast<Align>(align);
    f.leftIndent = r.Int(L"a left indent", -m, m);
    f.rightIndent = r.Int(L"a right indent", -m, m);
    f.firstIndent = r.Int(L"a first-line indent", -m, m);
    f.spaceBefore = r.Int(L"a space before", 0, m);
    f.spaceAfter = r.Int(L"a space after", 0, m);
    f.lineSpacing = r.Int(L"a line spacing", 10, 1000);
    const auto kind = r.U8(L"a list kind");
    if (kind != 0 && kind != 2 && kind != 4) r.Fail(L"a list kind is unknown");
    f.listKind = static_cast<ListKind>(kind);
    f.listLevel = r.U8(L"a list level");
    if (f.listLevel > kMaxListLevel) r.Fail(L"a list level is out of range");
    const auto style = r.U8(L"a numbering style");
    if (style > 4) r.Fail(L"a numbering style is unknown");
    f.numberStyle = static_cast<NumberStyle>(style);
    f.listIndentStep = r.Int(L"a list indent", 0, m);
    f.frameStyle = r.U16(L"a frame style");
    f.frameLineWidth = r.Int(L"a frame line width", 0, m);
    f.frameDistance = r.Int(L"a frame distance", 0, m);
    f.styleName = r.Text(L"a style name", limits::kMaxTextItem);
    const std::size_t tabs = r.Count(L"a tab count", limits::kMaxTabs, 5);
    for (std::size_t i = 0; i < tabs; ++i) {
        TabStop t;
        t.position = r.Int(L"a tab position", 0, m);
        const auto k = r.U8(L"a tab kind");
        if (k > 3) r.Fail(L"a tab kind is unknown");
        t.kind = static_cast<TabKind>(k);
        f.tabs.push_back(t);
    }
    return f;
}

std::vector<Paragraph> ReadParagraphs(ByteReader& r, std::size_t formatCount, std::size_t& totalText) {
    constexpr std::size_t kMinParagraphBytes = 60;
    const std::size_t count = r.Count(L"the paragraph count", limits::kMaxParagraphs, kMinParagraphBytes);
    std::vector<Paragraph> paragraphs;
    paragraphs.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        Paragraph p;
        p.format = ReadParaFormat(r);
        p.cell.table = r.Int(L"a cell's table", 0, 0x7FFFFFFF);
        p.cell.row = r.Int(L"a cell's row", 0, limits::kMaxTableRows);
        p.cell.col = r.Int(L"a cell's column", 0, limits::kMaxTableColumns);
        if ((p.cell.table == 0) != (p.cell.row == 0) || (p.cell.table == 0) != (p.cell.col == 0))
            r.Fail(L"a cell reference is incomplete");
        p.text = r.Text(L"paragraph text", limits::kMaxTextLength - totalText);
        totalText += p.text.size();
        const std::size_t runs = r.Count(L"a run count", p.text.size(), 8);
        p.formats.reserve(p.text.size());
        for (std::size_t k = 0; k < runs; ++k) {
            const std::uint32_t length = r.U32(L"a run length");
            const std::uint32_t format = r.U32(L"a run format");
            if (format >= formatCount) r.Fail(L"a run names an unknown character format");
            if (length == 0 || length > p.text.size() - p.formats.size()) r.Fail(L"a run is longer than its text");
            p.formats.insert(p.formats.end(), length, format);
        }
        if (p.formats.size() != p.text.size()) r.Fail(L"the runs do not cover the paragraph text");
        paragraphs.push_back(std::move(p));
    }
    if (!r.AtEnd()) r.Fail(L"paragraphs are followed by unexpected bytes");
    return paragraphs;
}

}  // namespace

std::string WriteTxm(const Document& d) {
    ByteWriter w;
    w.Bytes(std::string_view(kMagic, 4));
    w.U16(kTxmVersion);
    w.U16(0);
    w.U32(0);  // payload length, patched below
    w.U32(0);  // checksum, patched below

    Section(w, kPage, [&] {
        for (int v : {d.page.width, d.page.height, d.page.marginLeft, d.page.marginTop, d.page.marginRight,
                      d.page.marginBottom})
            w.I32(v);
    });
    Section(w, kIds, [&] {
        w.I32(d.nextFieldId);
        w.I32(d.nextObjectId);
        w.I32(d.nextTableId);
    });
    Section(w, kFormats, [&] {
        w.U32(static_cast<std::uint32_t>(d.charFormats.size()));
        for (const auto& f : d.charFormats) WriteCharFormat(w, f);
    });
    Section(w, kStyles, [&] {
        w.U32(static_cast<std::uint32_t>(d.styles.size()));
        for (const auto& s : d.styles) {
            w.Text(s.name);
            WriteParaFormat(w, s.para);
            WriteCharFormat(w, s.chars);
        }
    });
    Section(w, kBody, [&] { WriteParagraphs(w, d.paragraphs); });
    Section(w, kHeader, [&] { WriteParagraphs(w, d.header.paragraphs); });
    Section(w, kFooter, [&] { WriteParagraphs(w, d.footer.paragraphs); });
    Section(w, kTables, [&] {
        w.U32(static_cast<std::uint32_t>(d.tables.size()));
        for (const auto& t : d.tables) {
            w.I32(t.id);
            w.I32(t.rows);
            w.I32(t.cols);
            for (int width : t.columnWidths) w.I32(width);
            for (const auto& c : t.cells) {
                for (int v : {c.leftBorder, c.topBorder, c.rightBorder, c.bottomBorder, c.gridWidth}) w.I32(v);
                w.U32(c.background);
                w.U8(c.merge);
            }
        }
    });
    Section(w, kFields, [&] {
        w.U32(static_cast<std::uint32_t>(d.fields.size()));
        for (const auto& f : d.fields) {
            for (int v : {f.id, f.start, f.length, f.kind}) w.I32(v);
            w.Text(f.target);
        }
    });
    Section(w, kObjects, [&] {
        w.U32(static_cast<std::uint32_t>(d.objects.size()));
        for (const auto& o : d.objects) {
            w.I32(o.id);
            w.U8(static_cast<std::uint8_t>(o.kind));
            w.Bool(o.fixed);
            for (int v : {o.anchor, o.x, o.y, o.width, o.height, o.scaleX, o.scaleY, o.textFlow}) w.I32(v);
            w.U8(static_cast<std::uint8_t>(o.imageType));
            w.Text(o.name);
            const std::string_view image = o.image ? std::string_view(*o.image) : std::string_view();
            w.U32(static_cast<std::uint32_t>(image.size()));
            w.Bytes(image);
        }
    });
    Section(w, kImageAttributes, [&] {
        std::uint32_t n = 0;
        for (const auto& o : d.objects) n += o.kind == ObjectKind::Image;
        w.U32(n);
        for (const auto& o : d.objects) {
            if (o.kind != ObjectKind::Image) continue;
            w.I32(o.id);
            for (int v : o.distance) w.I32(v);
            w.Bool(o.embedded);
            w.I32(o.saveFormat);
        }
    });
    Section(w, kMarks, [&] {
        w.U32(static_cast<std::uint32_t>(d.marks.size()));
        for (const auto& m : d.marks) {
            w.Text(m.name);
            w.I32(m.position);
        }
    });

    std::string& out = w.Data();
    const std::string_view payload = std::string_view(out).substr(kHeaderSize);
    w.PatchU32(8, static_cast<std::uint32_t>(payload.size()));
    w.PatchU32(12, Checksum(payload));
    return std::move(out);
}

Document ReadTxm(std::string_view bytes) {
    ByteReader head(bytes, L"The text document cannot be read");
    if (bytes.size() < 4 || bytes.substr(0, 4) != std::string_view(kMagic, 4))
        head.Fail(L"it is not a Zorvik text document");
    head.Bytes(4, L"the signature");
    const auto version = head.U16(L"the version");
    if (version == 0 || version > kTxmVersion)
        head.Fail(L"its version " + std::to_wstring(version) + L" is not supported");
    head.U16(L"the flags");
    const std::uint32_t length = head.U32(L"the content length");
    const std::uint32_t checksum = head.U32(L"the checksum");
    if (length != head.Remaining())
        head.Fail(L"the content is " + std::to_wstring(head.Remaining()) + L" bytes long, not " +
                  std::to_wstring(length) + L" (the file is truncated or has bytes appended)");
    const std::string_view payload = bytes.substr(kHeaderSize);
    if (Checksum(payload) != checksum) head.Fail(L"the content is damaged (checksum mismatch)");

    Document d;
    d.charFormats.clear();
    d.paragraphs.clear();
    bool seen[16] = {};
    struct ImageAttributes {
        int id = 0;
        std::array<int, 4> distance{};
        bool embedded = true;
        int saveFormat = 0;
    };
    std::vector<ImageAttributes> imageAttributes;
    std::size_t totalText = 0;
    ByteReader r(payload, L"The text document cannot be read", kHeaderSize);
    while (!r.AtEnd()) {
        const std::uint16_t tag = r.U16(L"a section tag");
        const std::uint32_t size = r.U32(L"a section length");
        if (size > r.Remaining()) r.Fail(L"a section is longer than the file");
        ByteReader s = r.Sub(size, L"a section");
        if (tag < 16) {
            if (seen[tag]) r.Fail(L"a section appears twice");
            seen[tag] = true;
        }
        switch (tag) {
        case kPage: {
            const int m = limits::kMaxTwips;
            d.page.width = s.Int(L"the page width", 1, m);
            d.page.height = s.Int(L"the page height", 1, m);
            d.page.marginLeft = s.Int(L"the left margin", 0, m);
            d.page.marginTop = s.Int(L"the top margin", 0, m);
            d.page.marginRight = s.Int(L"the right margin", 0, m);
            d.page.marginBottom = s.Int(L"the bottom margin", 0, m);
            break;
        }
        case kIds:
            d.nextFieldId = s.Int(L"the next field id", 1, 0x7FFFFFFF);
            d.nextObjectId = s.Int(L"the next object id", 1, 0x7FFFFFFF);
            d.nextTableId = s.Int(L"the next table id", 1, 0x7FFFFFFF);
            break;
        case kFormats: {
            const std::size_t n = s.Count(L"the format count", limits::kMaxItems, 17);
            for (std::size_t i = 0; i < n; ++i) d.charFormats.push_back(ReadCharFormat(s, version));
            break;
        }
        case kStyles: {
            const std::size_t n = s.Count(L"the style count", limits::kMaxItems, 20);
            for (std::size_t i = 0; i < n; ++i) {
                Style st;
                st.name = s.Text(L"a style name", limits::kMaxTextItem);
                st.para = ReadParaFormat(s);
                st.chars = ReadCharFormat(s, version);
                d.styles.push_back(std::move(st));
            }
            break;
        }
        case kBody:
        case kHeader:
        case kFooter: {
            if (d.charFormats.empty()) s.Fail(L"text comes before its character formats");
            auto paragraphs = ReadParagraphs(s, d.charFormats.size(), totalText);
            if (tag == kBody) d.paragraphs = std::move(paragraphs);
            else if (tag == kHeader) d.header.paragraphs = std::move(paragraphs);
            else d.footer.paragraphs = std::move(paragraphs);
            break;
        }
        case kTables: {
            const std::size_t n = s.Count(L"the table count", limits::kMaxItems, 12);
            for (std::size_t i = 0; i < n; ++i) {
                Table t;
                t.id = s.Int(L"a table id", 1, 0x7FFFFFFF);
                t.rows = s.Int(L"a table's rows", 1, limits::kMaxTableRows);
                t.cols = s.Int(L"a table's columns", 1, limits::kMaxTableColumns);
                const std::size_t cells = static_cast<std::size_t>(t.rows) * static_cast<std::size_t>(t.cols);
                if (cells * 24 + static_cast<std::size_t>(t.cols) * 4 > s.Remaining())
                    s.Fail(L"a table has more cells than the data holds");
                for (int c = 0; c < t.cols; ++c) t.columnWidths.push_back(s.Int(L"a column width", 0, limits::kMaxTwips));
                for (std::size_t c = 0; c < cells; ++c) {
                    CellAttributes a;
                    a.leftBorder = s.Int(L"a cell border", 0, limits::kMaxBorder);
                    a.topBorder = s.Int(L"a cell border", 0, limits::kMaxBorder);
                    a.rightBorder = s.Int(L"a cell border", 0, limits::kMaxBorder);
                    a.bottomBorder = s.Int(L"a cell border", 0, limits::kMaxBorder);
                    a.gridWidth = s.Int(L"a grid line width", 0, limits::kMaxBorder);
                    a.background = s.U32(L"a cell colour");
                    if (version >= 3) {
                        a.merge = s.U8(L"a cell's merge marks");
                        if (a.merge > merge::kBoth) s.Fail(L"a cell's merge marks are unknown");
                    }
                    t.cells.push_back(a);
                }
                d.tables.push_back(std::move(t));
            }
            break;
        }
        case kFields: {
            const std::size_t n = s.Count(L"the field count", limits::kMaxItems, 20);
            for (std::size_t i = 0; i < n; ++i) {
                Field f;
                f.id = s.Int(L"a field id", 1, 0x7FFFFFFF);
                f.start = s.Int(L"a field start", 0, 0x7FFFFFFF);
                f.length = s.Int(L"a field length", 1, 0x7FFFFFFF);
                f.kind = s.Int(L"a field kind", 0, 0x7FFF);
                f.target = s.Text(L"a field target", limits::kMaxTextItem);
                d.fields.push_back(std::move(f));
            }
            break;
        }
        case kObjects: {
            const std::size_t n = s.Count(L"the object count", limits::kMaxItems, 47);
            for (std::size_t i = 0; i < n; ++i) {
                Object o;
                o.id = s.Int(L"an object id", 1, 0x7FFFFFFF);
                const auto kind = s.U8(L"an object kind");
                if (kind > 1) s.Fail(L"an object kind is unknown");
                o.kind = static_cast<ObjectKind>(kind);
                o.fixed = s.Bool(L"an object placement");
                const int m = limits::kMaxTwips;
                o.anchor = s.Int(L"an object anchor", 0, 0x7FFFFFFF);
                o.x = s.Int(L"an object position", -m, m);
                o.y = s.Int(L"an object position", -m, m);
                o.width = s.Int(L"an object width", 0, m);
                o.height = s.Int(L"an object height", 0, m);
                o.scaleX = s.Int(L"an object scale", 1, limits::kMaxScale);
                o.scaleY = s.Int(L"an object scale", 1, limits::kMaxScale);
                o.textFlow = s.Int(L"an object's text flow", 0, 1);
                const auto type = s.U8(L"an image type");
                if (type > 7) s.Fail(L"an image type is unknown");
                o.imageType = static_cast<ImageType>(type);
                o.name = s.Text(L"an object name", limits::kMaxTextItem);
                const std::size_t size = s.Count(L"the image size", limits::kMaxImageBytes, 1);
                if (size > 0) o.image = std::make_shared<const std::string>(s.Bytes(size, L"image data"));
                d.objects.push_back(std::move(o));
            }
            break;
        }
        case kMarks: {
            const std::size_t n = s.Count(L"the mark count", limits::kMaxItems, 8);
            for (std::size_t i = 0; i < n; ++i) {
                Mark m;
                m.name = s.Text(L"a mark name", limits::kMaxTextItem);
                m.position = s.Int(L"a mark position", 0, 0x7FFFFFFF);
                d.marks.push_back(std::move(m));
            }
            break;
        }
        case kImageAttributes: {
            const std::size_t n = s.Count(L"the image attribute count", limits::kMaxItems, 25);
            for (std::size_t i = 0; i < n; ++i) {
                ImageAttributes a;
                a.id = s.Int(L"an image's object id", 1, 0x7FFFFFFF);
                for (int& v : a.distance) v = s.Int(L"an image's distance to the text", 0, kMaxImageDistance);
                a.embedded = s.Bool(L"an image's storage");
                a.saveFormat = s.Int(L"an image's save format", 0, kMaxImageSaveFormats);
                imageAttributes.push_back(a);
            }
            break;
        }
        default:
            break;  // a section of a later minor version: not ours to read
        }
        if (tag < 16 && tag != kBody && tag != kHeader && tag != kFooter && !s.AtEnd())
            s.Fail(L"a section holds more bytes than its content");
    }
    if (!seen[kFormats] || !seen[kBody]) r.Fail(L"the character formats or the text are missing");
    for (const ImageAttributes& a : imageAttributes) {
        Object* o = nullptr;
        for (auto& candidate : d.objects)
            if (candidate.id == a.id) o = &candidate;
        if (o == nullptr || o->kind != ObjectKind::Image) r.Fail(L"image attributes name no image");
        for (const ImageAttributes& other : imageAttributes)
            if (&other != &a && other.id == a.id) r.Fail(L"an image has its attributes twice");
        o->distance = a.distance;
        o->embedded = a.embedded;
        o->saveFormat = a.saveFormat;
    }
    if (auto problem = d.Validate(); !problem.empty())
        throw zv::Error(L"The text document cannot be read: " + problem + L".");
    for (auto& p : d.paragraphs) p.stamp = ++d.stampCounter;
    for (auto& p : d.header.paragraphs) p.stamp = ++d.stampCounter;
    for (auto& p : d.footer.paragraphs) p.stamp = ++d.stampCounter;
    return d;
}

}  // namespace tx
