#include "components/textcontrol/dialogs/SelectionFormats.h"

#include <algorithm>
#include <set>

namespace tx::dialogs {
namespace {

// Narrows `slot` to "mixed" when a further value differs from the one it holds.
template <class T>
void Meet(std::optional<T>& slot, const T& value, bool first) {
    if (first) slot = value;
    else if (slot && !(*slot == value)) slot.reset();
}

template <class T>
void Set(T& target, const std::optional<T>& value) {
    if (value) target = *value;
}

// The distinct character formats of the selected characters (paragraph ends have none).
std::set<std::uint32_t> SelectedFormats(const TextEngine& engine) {
    const Document& doc = engine.Doc();
    std::set<std::uint32_t> used;
    const int end = engine.SelStart() + engine.SelLength();
    int paragraph = doc.Locate(engine.SelStart()).paragraph;
    int position = doc.ParagraphStart(paragraph);
    for (; paragraph < doc.ParagraphCount() && position < end; ++paragraph) {
        const Paragraph& p = doc.paragraphs[static_cast<size_t>(paragraph)];
        const int from = std::max(engine.SelStart() - position, 0);
        const int to = std::min(static_cast<int>(p.text.size()), end - position);
        for (int i = from; i < to; ++i) used.insert(p.formats[static_cast<size_t>(i)]);
        position += static_cast<int>(p.text.size()) + 1;
    }
    return used;
}

}  // namespace

CharValues SelectedChars(const TextEngine& engine) {
    CharValues v;
    const std::set<std::uint32_t> used = engine.SelLength() > 0 ? SelectedFormats(engine) : std::set<std::uint32_t>{};
    if (used.empty()) {  // a caret, or only paragraph ends: what typing there would use
        v.face = engine.FontName();
        v.size = engine.FontSize();
        v.bold = engine.Bold();
        v.italic = engine.Italic();
        v.underline = engine.Underline();
        v.strike = engine.Strikeout();
        v.color = engine.ForeColor();
        v.backColor = engine.TextBkColor();
        return v;
    }
    bool first = true;
    for (std::uint32_t index : used) {
        const CharFormat& f = engine.Doc().charFormats[index];
        Meet(v.face, f.face, first);
        Meet(v.size, f.size, first);
        Meet(v.bold, f.bold, first);
        Meet(v.italic, f.italic, first);
        Meet(v.underline, f.underline, first);
        Meet(v.strike, f.strike, first);
        Meet(v.color, f.color, first);
        Meet(v.backColor, f.backColor, first);
        first = false;
    }
    return v;
}

ParaValues SelectedParagraphs(const TextEngine& engine) {
    ParaValues v;
    const Document& doc = engine.Doc();
    const auto [firstIndex, lastIndex] = doc.ParagraphRange(engine.SelStart(), engine.SelLength());
    for (int i = firstIndex; i <= lastIndex; ++i) {
        const ParaFormat& f = doc.paragraphs[static_cast<size_t>(i)].format;
        const bool first = i == firstIndex;
        Meet(v.align, f.align, first);
        Meet(v.leftIndent, f.leftIndent, first);
        Meet(v.rightIndent, f.rightIndent, first);
        Meet(v.firstIndent, f.firstIndent, first);
        Meet(v.spaceBefore, f.spaceBefore, first);
        Meet(v.spaceAfter, f.spaceAfter, first);
        Meet(v.lineSpacing, f.lineSpacing, first);
        Meet(v.listKind, f.listKind, first);
        Meet(v.numberStyle, f.numberStyle, first);
        Meet(v.listLevel, f.listLevel, first);
        Meet(v.listIndentStep, f.listIndentStep, first);
        Meet(v.tabs, f.tabs, first);
        Meet(v.styleName, f.styleName, first);
    }
    return v;
}

void ApplyTo(CharFormat& f, const CharValues& c) {
    Set(f.face, c.face);
    Set(f.size, c.size);
    Set(f.bold, c.bold);
    Set(f.italic, c.italic);
    Set(f.underline, c.underline);
    Set(f.strike, c.strike);
    Set(f.color, c.color);
    Set(f.backColor, c.backColor);
}

void ApplyTo(ParaFormat& f, const ParaValues& c) {
    Set(f.align, c.align);
    Set(f.leftIndent, c.leftIndent);
    Set(f.rightIndent, c.rightIndent);
    Set(f.firstIndent, c.firstIndent);
    Set(f.spaceBefore, c.spaceBefore);
    Set(f.spaceAfter, c.spaceAfter);
    Set(f.lineSpacing, c.lineSpacing);
    Set(f.listKind, c.listKind);
    Set(f.numberStyle, c.numberStyle);
    Set(f.listLevel, c.listLevel);
    Set(f.listIndentStep, c.listIndentStep);
    Set(f.tabs, c.tabs);
    Set(f.styleName, c.styleName);
}

bool ApplyChars(TextEngine& engine, const CharValues& change) {
    auto alters = [&](CharFormat f) {
        const CharFormat before = f;
        ApplyTo(f, change);
        return !(f == before);
    };
    bool changes = false;
    if (engine.SelLength() > 0) {
        for (std::uint32_t index : SelectedFormats(engine)) changes = changes || alters(engine.Doc().charFormats[index]);
    } else {
        CharFormat now;
        ApplyTo(now, SelectedChars(engine));
        changes = alters(now);
    }
    if (!changes) return false;
    engine.FormatSelection([&](CharFormat& f) { ApplyTo(f, change); });
    return true;
}

bool ApplyParagraphs(TextEngine& engine, const ParaValues& change) {
    return ChangeParagraphs(engine, [&](ParaFormat& f) { ApplyTo(f, change); });
}

bool ChangeParagraphs(TextEngine& engine, const std::function<void(ParaFormat&)>& change) {
    const Document& doc = engine.Doc();
    const auto [first, last] = doc.ParagraphRange(engine.SelStart(), engine.SelLength());
    bool changes = false;
    for (int i = first; i <= last && !changes; ++i) {
        ParaFormat f = doc.paragraphs[static_cast<size_t>(i)].format;
        change(f);
        changes = !(f == doc.paragraphs[static_cast<size_t>(i)].format);
    }
    if (!changes) return false;
    engine.FormatParagraphs(change);
    return true;
}

bool StepListLevel(TextEngine& engine, int delta) {
    return ChangeParagraphs(engine, [delta](ParaFormat& f) {
        const int level = f.listLevel + delta;
        if (f.listKind != ListKind::None && level >= 0 && level <= kMaxListLevel) f.listLevel = level;
    });
}

}  // namespace tx::dialogs
