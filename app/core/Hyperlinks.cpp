#include "app/core/Hyperlinks.h"

#include "app/core/AutoLinks.h"

namespace zv {

HyperlinkBoxes HyperlinkBoxesAtCaret(tx::TextEngine& engine) {
    HyperlinkBoxes boxes;
    const int id = engine.FieldAtInputPos();
    if (id > 0) {
        engine.SetFieldCurrent(id);
        boxes.linkedText = engine.FieldText();
        boxes.target = engine.FieldLinkKind(id) == kAnchorLinkKind ? L"#" + engine.FieldLinkTarget(id)
                                                                   : engine.FieldLinkTarget(id);
    } else {
        boxes.linkedText = engine.SelText();
    }
    return boxes;
}

std::wstring HyperlinkBoxesProblem(const HyperlinkBoxes& boxes) {
    if (boxes.linkedText.empty())
        return L"Hyperlink contains no text. Please enter the text to be shown as a hyperlink in the Linked Text "
               L"field.";
    if (boxes.target.empty()) return L"No target specified. Please enter a target URL in the Link To field.";
    return {};
}

std::wstring PageLinkTarget(std::wstring_view moduleCode, std::wstring_view pageFile) {
    std::wstring target(moduleCode);
    target += L'\\';
    target += pageFile;
    return target;
}

HyperlinkStored StoreHyperlink(tx::TextEngine& engine, const HyperlinkBoxes& boxes) {
    const bool anchor = boxes.target.starts_with(L'#');
    const int kind = anchor ? kAnchorLinkKind : kWebLinkKind;
    const std::wstring target = anchor ? boxes.target.substr(1) : boxes.target;

    HyperlinkStored result = HyperlinkStored::Rewritten;
    int id = engine.FieldAtInputPos();
    if (id > 0) {
        engine.SetFieldCurrent(id);
        engine.SetFieldText(boxes.linkedText);
        // The field keeps its id through a new text; a text the control cannot show ends it.
        if (engine.FieldCurrent() != id) return HyperlinkStored::Refused;
    } else {
        id = engine.FieldInsert(boxes.linkedText);
        if (id == 0) return HyperlinkStored::Refused;
        result = HyperlinkStored::Inserted;
    }
    engine.SetFieldLinkKind(id, kind);
    engine.SetFieldLinkTarget(id, target);
    SetHyperlinkFormatting(engine, true);
    return result;
}

std::wstring HyperlinkRefusedMessage() {
    return L"The hyperlink cannot be made here: a hyperlink cannot lie inside or across another hyperlink. "
           L"Nothing was changed.";
}

}  // namespace zv
