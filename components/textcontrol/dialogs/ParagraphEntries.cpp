#include "components/textcontrol/dialogs/ParagraphEntries.h"

#include <cmath>

namespace tx::dialogs {

const std::vector<std::wstring>& AlignmentNames() {
    static const std::vector<std::wstring> names = {L"Left", L"Right", L"Centered", L"Justified"};
    return names;
}

std::optional<EntryError> ReadLengthBox(const std::wstring& box, const std::wstring& entered, const std::wstring& shown,
                                        int lo, int hi, int unit, std::optional<int>& out) {
    // Unchanged text keeps the exact value: reading back "0.69" would move 1000 twips to 994.
    if (Trim(entered) == Trim(shown)) return std::nullopt;
    const auto twips = ParseLength(entered, unit);
    if (!twips || *twips < lo || *twips > hi) return BoxNeeds(box, LengthRange(lo, hi, unit));
    out = *twips;
    return std::nullopt;
}

ParagraphBoxes ShowParagraph(const ParaValues& selected, int unit) {
    ParagraphBoxes b;
    if (selected.align) b.alignment = static_cast<int>(*selected.align);
    auto length = [unit](const std::optional<int>& v) { return v ? LengthText(*v, unit) : std::wstring(); };
    b.leftIndent = length(selected.leftIndent);
    b.rightIndent = length(selected.rightIndent);
    b.firstLine = length(selected.firstIndent);
    b.spaceBefore = length(selected.spaceBefore);
    b.spaceAfter = length(selected.spaceAfter);
    if (selected.lineSpacing) b.lineSpacing = std::to_wstring(*selected.lineSpacing);
    return b;
}

Checked<ParaValues> ReadParagraph(const ParagraphBoxes& entered, const ParagraphBoxes& shown, int unit) {
    Checked<ParaValues> r;
    ParaValues& v = r.value;
    if (entered.alignment != shown.alignment && entered.alignment >= 0 && entered.alignment < 4)
        v.align = static_cast<Align>(entered.alignment);
    const int m = kMaxDialogLength;
    struct Box {
        const wchar_t* caption;
        const std::wstring ParagraphBoxes::*text;
        std::optional<int> ParaValues::*value;
        int lo;
    };
    static constexpr Box kBoxes[] = {
        {L"Left indent", &ParagraphBoxes::leftIndent, &ParaValues::leftIndent, -kMaxDialogLength},
        {L"Right indent", &ParagraphBoxes::rightIndent, &ParaValues::rightIndent, -kMaxDialogLength},
        {L"First line", &ParagraphBoxes::firstLine, &ParaValues::firstIndent, -kMaxDialogLength},
        {L"Space before", &ParagraphBoxes::spaceBefore, &ParaValues::spaceBefore, 0},
        {L"Space after", &ParagraphBoxes::spaceAfter, &ParaValues::spaceAfter, 0},
    };
    for (const Box& box : kBoxes) {
        if (auto e = ReadLengthBox(box.caption, entered.*box.text, shown.*box.text, box.lo, m, unit, v.*box.value)) {
            r.error = e;
            return r;
        }
    }
    if (Trim(entered.lineSpacing) != Trim(shown.lineSpacing)) {
        std::wstring t = Trim(entered.lineSpacing);
        if (!t.empty() && t.back() == L'%') t.pop_back();
        const auto percent = ParseNumber(t);
        if (!percent || *percent < 10 || *percent > 1000) {
            r.error = BoxNeeds(L"Line spacing", L"a percentage from 10 to 1000");
            return r;
        }
        v.lineSpacing = static_cast<int>(std::lround(*percent));
    }
    return r;
}

}  // namespace tx::dialogs
