#include "components/textcontrol/tests/TinyFont.h"

#include <vector>

#include "components/textcontrol/formats/TrueType.h"

namespace tx::testing {
namespace {

void U16(std::string& out, int v) {
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
    out.push_back(static_cast<char>(v & 0xFF));
}
void U32(std::string& out, std::uint32_t v) {
    U16(out, static_cast<int>(v >> 16));
    U16(out, static_cast<int>(v & 0xFFFF));
}

// A closed outline through the points, all on the curve, coordinates as words.
std::string SimpleGlyph(const std::vector<std::pair<int, int>>& points) {
    std::string g;
    int xMin = 10000, yMin = 10000, xMax = -10000, yMax = -10000;
    for (auto [x, y] : points) {
        xMin = std::min(xMin, x), yMin = std::min(yMin, y), xMax = std::max(xMax, x), yMax = std::max(yMax, y);
    }
    U16(g, 1);
    for (int v : {xMin, yMin, xMax, yMax}) U16(g, v);
    U16(g, static_cast<int>(points.size()) - 1);
    U16(g, 0);  // no instructions
    for (size_t i = 0; i < points.size(); ++i) g.push_back('\x01');
    int last = 0;
    for (auto [x, y] : points) U16(g, x - last), last = x;
    last = 0;
    for (auto [x, y] : points) U16(g, y - last), last = y;
    return g;
}

std::string NameTable(const TinyFontOptions& o) {
    const std::wstring names[] = {o.family, o.bold ? L"Bold" : L"Regular", L"TinySans" + std::wstring(o.bold ? L"-Bold" : L"")};
    const int ids[] = {1, 2, 6};
    std::string t, storage;
    U16(t, 0);
    U16(t, 3);
    U16(t, 6 + 12 * 3);
    for (int i = 0; i < 3; ++i) {
        std::string text;
        for (wchar_t c : names[i]) U16(text, c);
        for (int v : {3, 1, 0x409, ids[i], static_cast<int>(text.size()), static_cast<int>(storage.size())}) U16(t, v);
        storage += text;
    }
    return t + storage;
}

}  // namespace

std::map<std::uint32_t, std::string> TinyFontTables(const TinyFontOptions& o) {
    std::map<std::uint32_t, std::string> t;
    const std::string glyphs[] = {
        SimpleGlyph({{50, 0}, {450, 0}, {450, 700}, {50, 700}}),
        SimpleGlyph({{0, 0}, {500, 0}, {250, 700}}),
        SimpleGlyph({{0, 0}, {600, 0}, {600, 700}}),
        std::string(),  // composite, below
        std::string(),  // the blank: no outline
    };
    std::string composite;
    U16(composite, -1);
    for (int v : {0, 0, 1200, 700}) U16(composite, v);
    for (auto [glyph, dx, more] : {std::tuple{1, 0, true}, std::tuple{2, 600, false}}) {
        U16(composite, 0x0001 | 0x0002 | (more ? 0x0020 : 0));  // word arguments, x-y offsets
        U16(composite, glyph);
        U16(composite, dx);
        U16(composite, 0);
    }
    std::string glyf, loca;
    for (int g = 0; g < 5; ++g) {
        U16(loca, static_cast<int>(glyf.size() / 2));
        glyf += g == 3 ? composite : glyphs[g];
        if (glyf.size() % 2) glyf.push_back('\0');
    }
    U16(loca, static_cast<int>(glyf.size() / 2));
    t[FontTag("glyf")] = glyf;
    t[FontTag("loca")] = loca;

    std::string head;
    U32(head, 0x00010000);
    U32(head, 0x00010000);
    U32(head, 0);           // check sum adjustment
    U32(head, 0x5F0F3CF5);  // magic
    U16(head, 0);
    U16(head, 1000);        // units per em
    head.append(16, '\0');  // dates
    for (int v : {0, -200, 1200, 800}) U16(head, v);
    U16(head, o.bold ? 1 : 0);
    U16(head, 8);
    U16(head, 2);
    U16(head, 0);           // short glyph offsets
    U16(head, 0);
    t[FontTag("head")] = head;

    std::string hhea;
    U32(hhea, 0x00010000);
    for (int v : {800, -200, 0, 800, 0, 0, 1200, 1, 0, 0}) U16(hhea, v);
    hhea.append(8, '\0');
    U16(hhea, 0);
    U16(hhea, 4);  // long metrics for four glyphs; the fifth takes the last advance
    t[FontTag("hhea")] = hhea;

    std::string maxp;
    U32(maxp, 0x00005000);
    U16(maxp, 5);
    t[FontTag("maxp")] = maxp;

    std::string hmtx;
    for (int advance : {1000, 500, 600, 700}) U16(hmtx, advance), U16(hmtx, 0);
    U16(hmtx, 0);
    t[FontTag("hmtx")] = hmtx;

    // Character maps: format 4 for the basic plane, format 12 for the rest.
    std::string f4;
    const int ends[] = {0x20, 0x43, 0xFFFF}, starts[] = {0x20, 0x41, 0xFFFF}, deltas[] = {4 - 0x20, 1 - 0x41, 1};
    U16(f4, 4);
    U16(f4, 16 + 8 * 3);
    U16(f4, 0);
    U16(f4, 6);
    U16(f4, 4);
    U16(f4, 1);
    U16(f4, 2);
    for (int e : ends) U16(f4, e);
    U16(f4, 0);
    for (int s : starts) U16(f4, s);
    for (int d : deltas) U16(f4, d);
    for (int i = 0; i < 3; ++i) U16(f4, 0);
    std::string f12;
    U16(f12, 12);
    U16(f12, 0);
    U32(f12, 16 + 12 * 3);
    U32(f12, 0);
    U32(f12, 3);
    for (std::uint32_t v : {0x20u, 0x20u, 4u, 0x41u, 0x43u, 1u, 0x1F600u, 0x1F600u, 2u}) U32(f12, v);
    std::string cmap;
    U16(cmap, 0);
    U16(cmap, 2);
    U16(cmap, 3), U16(cmap, 1), U32(cmap, 4 + 16);
    U16(cmap, 3), U16(cmap, 10), U32(cmap, 4 + 16 + static_cast<std::uint32_t>(f4.size()));
    t[FontTag("cmap")] = cmap + f4 + f12;

    std::string os2(96, '\0');
    auto put = [&](size_t at, int v) {
        os2[at] = static_cast<char>((v >> 8) & 0xFF);
        os2[at + 1] = static_cast<char>(v & 0xFF);
    };
    put(0, 4);
    put(4, o.bold ? 700 : 400);
    put(8, o.embedding);
    put(26, 50);   // strike-out size
    put(28, 300);  // strike-out position
    put(62, o.bold ? 0x20 : 0x40);
    put(74, 850);  // Windows ascent
    put(76, 250);  // Windows descent
    put(88, 700);  // capital height
    t[FontTag("OS/2")] = os2;

    std::string post;
    U32(post, 0x00030000);
    U32(post, 0);
    U16(post, -120);  // underline position
    U16(post, 60);    // underline thickness
    U32(post, 0);
    post.append(16, '\0');
    t[FontTag("post")] = post;
    t[FontTag("name")] = NameTable(o);
    return t;
}

std::string TinyFont(const TinyFontOptions& options) { return WriteFontFile(TinyFontTables(options)); }

std::shared_ptr<const TrueTypeFont> TinyFontSource::Find(const std::wstring& face, bool bold, bool italic) {
    if (face != L"Tiny") return nullptr;
    return TrueTypeFont::FromFile(TinyFont({embedding_, bold}));
}

}  // namespace tx::testing
