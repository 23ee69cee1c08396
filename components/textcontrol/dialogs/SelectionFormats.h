#pragma once
// The formats of the selection as the dialogs show them, and the changes they apply.
//
// One shape serves both directions: read from the selection, an empty value means the selection
// holds more than one (the box shows blank); handed back to be applied, an empty value means
// "leave each character or paragraph as it is". A change that would alter nothing records no
// undo step; one that alters something is one "Formatting" step.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "components/textcontrol/TextEngine.h"

namespace tx::dialogs {

struct CharValues {
    std::optional<std::wstring> face;
    std::optional<int> size;  // twips
    std::optional<bool> bold, italic, underline, strike;
    std::optional<Color> color;
    std::optional<Color> backColor;
    bool operator==(const CharValues&) const = default;
};

struct ParaValues {
    std::optional<Align> align;
    std::optional<int> leftIndent, rightIndent, firstIndent, spaceBefore, spaceAfter;  // twips
    std::optional<int> lineSpacing;  // percent
    std::optional<ListKind> listKind;
    std::optional<NumberStyle> numberStyle;
    std::optional<int> listLevel;       // 0..kMaxListLevel
    std::optional<int> listIndentStep;  // twips
    std::optional<std::vector<TabStop>> tabs;
    std::optional<std::wstring> styleName;  // "" = no style
    bool operator==(const ParaValues&) const = default;
};

// The selection's character formats (at a caret: the format typing would use).
CharValues SelectedChars(const TextEngine& engine);
// The formats of the paragraphs the selection touches.
ParaValues SelectedParagraphs(const TextEngine& engine);

// Sets what `change` holds on a format.
void ApplyTo(CharFormat& format, const CharValues& change);
void ApplyTo(ParaFormat& format, const ParaValues& change);

// Applies a change to the selection; false when it would change nothing (no undo step then).
bool ApplyChars(TextEngine& engine, const CharValues& change);
bool ApplyParagraphs(TextEngine& engine, const ParaValues& change);
// Any change made to each selected paragraph, the same way.
bool ChangeParagraphs(TextEngine& engine, const std::function<void(ParaFormat&)>& change);

// One list level deeper (+1) or higher (-1) for the selected list paragraphs; other paragraphs
// and levels that would pass 0 or kMaxListLevel stay. False when nothing changed.
bool StepListLevel(TextEngine& engine, int delta);

}  // namespace tx::dialogs
