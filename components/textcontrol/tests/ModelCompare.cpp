#include "components/textcontrol/tests/ModelCompare.h"

#include <map>
#include <sstream>

namespace tx::testing {
namespace {

std::string Narrow(const std::wstring& w) {
    std::string out;
    for (wchar_t c : w) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

std::string Describe(const CharFormat& f) {
    std::ostringstream s;
    s << Narrow(f.face) << ' ' << f.size << (f.bold ? " b" : "") << (f.italic ? " i" : "") << (f.underline ? " u" : "")
      << (f.strike ? " s" : "") << " c" << std::hex << f.color << " bk" << f.backColor;
    return s.str();
}

::testing::AssertionResult Fail(const std::string& what) { return ::testing::AssertionFailure() << what; }

::testing::AssertionResult SameParagraphs(const Document& a, const std::vector<Paragraph>& pa, const Document& b,
                                          const std::vector<Paragraph>& pb, const std::map<int, int>& tableIds,
                                          const char* story) {
    if (pa.size() != pb.size())
        return Fail(std::string(story) + ": " + std::to_string(pa.size()) + " paragraphs expected, " + std::to_string(pb.size()) + " found");
    for (size_t i = 0; i < pa.size(); ++i) {
        const std::string where = std::string(story) + " paragraph " + std::to_string(i);
        if (pa[i].text != pb[i].text) return Fail(where + ": text \"" + Narrow(pa[i].text) + "\" expected, \"" + Narrow(pb[i].text) + "\" found");
        for (size_t k = 0; k < pa[i].text.size(); ++k) {
            const CharFormat& fa = a.charFormats[pa[i].formats[k]];
            const CharFormat& fb = b.charFormats[pb[i].formats[k]];
            if (!(fa == fb)) return Fail(where + " char " + std::to_string(k) + ": " + Describe(fa) + " expected, " + Describe(fb) + " found");
        }
        if (!(pa[i].format == pb[i].format)) return Fail(where + ": paragraph formats differ");
        CellRef mapped = pa[i].cell;
        if (mapped.table != 0) {
            auto it = tableIds.find(mapped.table);
            mapped.table = it == tableIds.end() ? -1 : it->second;
        }
        if (!(mapped == pb[i].cell)) return Fail(where + ": cells differ");
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

::testing::AssertionResult SameModel(const Document& a, const Document& b) {
    if (auto e = a.Validate(); !e.empty()) return Fail("expected document is invalid: " + Narrow(e));
    if (auto e = b.Validate(); !e.empty()) return Fail("actual document is invalid: " + Narrow(e));
    if (!(a.page == b.page)) return Fail("page setups differ");
    if (a.styles != b.styles) return Fail("styles differ");
    if (a.tables.size() != b.tables.size()) return Fail("table counts differ");
    // Tables in the order their cells appear.
    std::vector<int> orderA, orderB;
    for (const auto& p : a.paragraphs)
        if (p.cell.table && std::find(orderA.begin(), orderA.end(), p.cell.table) == orderA.end()) orderA.push_back(p.cell.table);
    for (const auto& p : b.paragraphs)
        if (p.cell.table && std::find(orderB.begin(), orderB.end(), p.cell.table) == orderB.end()) orderB.push_back(p.cell.table);
    std::map<int, int> tableIds;
    for (size_t i = 0; i < orderA.size() && i < orderB.size(); ++i) {
        tableIds[orderA[i]] = orderB[i];
        Table ta = *a.FindTable(orderA[i]);
        ta.id = orderB[i];
        if (!(ta == *b.FindTable(orderB[i]))) return Fail("table " + std::to_string(i) + " differs");
    }
    if (auto r = SameParagraphs(a, a.paragraphs, b, b.paragraphs, tableIds, "body"); !r) return r;
    if (auto r = SameParagraphs(a, a.header.paragraphs, b, b.header.paragraphs, tableIds, "header"); !r) return r;
    if (auto r = SameParagraphs(a, a.footer.paragraphs, b, b.footer.paragraphs, tableIds, "footer"); !r) return r;
    if (a.fields.size() != b.fields.size()) return Fail("field counts differ");
    for (size_t i = 0; i < a.fields.size(); ++i) {
        Field fa = a.fields[i];
        fa.id = b.fields[i].id;
        if (!(fa == b.fields[i]))
            return Fail("field " + std::to_string(i) + " differs: target \"" + Narrow(a.fields[i].target) + "\" kind " +
                        std::to_string(a.fields[i].kind) + " at " + std::to_string(a.fields[i].start) + "+" +
                        std::to_string(a.fields[i].length) + " expected; found \"" + Narrow(b.fields[i].target) + "\" kind " +
                        std::to_string(b.fields[i].kind) + " at " + std::to_string(b.fields[i].start) + "+" +
                        std::to_string(b.fields[i].length));
    }
    if (a.objects.size() != b.objects.size()) return Fail("object counts differ");
    auto byAnchor = [](const Document& d) {
        std::vector<const Object*> v;
        for (const auto& o : d.objects) v.push_back(&o);
        std::stable_sort(v.begin(), v.end(), [](const Object* x, const Object* y) {
            return std::tie(x->anchor, x->fixed) < std::tie(y->anchor, y->fixed);
        });
        return v;
    };
    const auto oa = byAnchor(a), ob = byAnchor(b);
    for (size_t i = 0; i < oa.size(); ++i) {
        const Object &x = *oa[i], &y = *ob[i];
        const bool same = x.kind == y.kind && x.fixed == y.fixed && x.anchor == y.anchor && x.x == y.x && x.y == y.y &&
                          x.width == y.width && x.height == y.height && x.scaleX == y.scaleX && x.scaleY == y.scaleY &&
                          x.textFlow == y.textFlow && x.imageType == y.imageType && x.name == y.name &&
                          (x.image ? *x.image : std::string()) == (y.image ? *y.image : std::string());
        if (!same) return Fail("object " + std::to_string(i) + " differs");
    }
    auto sortedMarks = [](std::vector<Mark> m) {
        std::sort(m.begin(), m.end(), [](const Mark& x, const Mark& y) { return x.name < y.name; });
        return m;
    };
    if (sortedMarks(a.marks) != sortedMarks(b.marks)) return Fail("marks differ");
    return ::testing::AssertionSuccess();
}

}  // namespace tx::testing
