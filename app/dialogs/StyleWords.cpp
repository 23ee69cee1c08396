#include "app/dialogs/StyleWords.h"

#include <algorithm>

#include "app/core/Units.h"
#include "app/dialogs/FrameRules.h"

namespace {

std::wstring Length(int twips, int unit, wchar_t separator) {
    return TwipsToUnitText(twips, unit, separator).value_or(L"") + L" " + UnitLabel(unit);
}

}  // namespace

std::wstring StyleDescription(const tx::Style& style, int unit, wchar_t separator) {
    const tx::CharFormat& c = style.chars;
    std::wstring text = c.face + L" " + PointsText(c.size, separator);
    if (c.bold) text += L", bold";
    if (c.italic) text += L", italic";
    if (c.underline) text += L", underline";
    if (c.strike) text += L", strike-out";
    if (c.color != tx::kBlack && c.color != tx::kNoColor) text += L", coloured";
    const tx::ParaFormat& p = style.para;
    const wchar_t* aligns[] = {L"left", L"right", L"centred", L"justified"};
    text += L"; ";
    text += aligns[std::min<size_t>(static_cast<size_t>(p.align), 3)];
    text += L" aligned";
    if (p.leftIndent != 0) text += L", indent left " + Length(p.leftIndent, unit, separator);
    if (p.rightIndent != 0) text += L", indent right " + Length(p.rightIndent, unit, separator);
    if (p.firstIndent != 0) text += L", first line " + Length(p.firstIndent, unit, separator);
    if (p.spaceBefore != 0) text += L", space before " + PointsText(p.spaceBefore, separator);
    if (p.spaceAfter != 0) text += L", space after " + PointsText(p.spaceAfter, separator);
    if (p.lineSpacing != 100) text += L", line spacing " + std::to_wstring(p.lineSpacing) + L" %";
    if (p.listKind == tx::ListKind::Bullet) text += L", bulleted";
    if (p.listKind == tx::ListKind::Numbered) text += L", numbered";
    if (p.frameStyle & 0x1F) text += L", framed";
    return text;
}

std::vector<tx::Style> StylesInUse(const tx::Document& document) {
    std::vector<tx::Style> used;
    const auto carried = [&](const std::wstring& name) {
        for (const auto* story : {&document.paragraphs, &document.header.paragraphs, &document.footer.paragraphs})
            for (const auto& p : *story)
                if (p.format.styleName == name) return true;
        return false;
    };
    for (const auto& s : document.styles)
        if (carried(s.name)) used.push_back(s);
    return used;
}
