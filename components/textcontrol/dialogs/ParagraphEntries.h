#pragma once
// The paragraph dialog's boxes: alignment, indents and spacing in the host's unit, line spacing in
// percent of a single line. Blank = the paragraphs differ; a box left as it was shown is left alone.

#include <string>
#include <vector>

#include "components/textcontrol/dialogs/Entries.h"
#include "components/textcontrol/dialogs/SelectionFormats.h"

namespace tx::dialogs {

// The furthest indent or spacing the dialog takes: 22 inches, well past any page.
inline constexpr int kMaxDialogLength = 31680;

struct ParagraphBoxes {
    int alignment = -1;  // index into AlignmentNames(); -1 = nothing chosen
    std::wstring leftIndent, rightIndent, firstLine, spaceBefore, spaceAfter, lineSpacing;
    bool operator==(const ParagraphBoxes&) const = default;
};

// "Left", "Right", "Centered", "Justified": in the order of the model's alignment values.
const std::vector<std::wstring>& AlignmentNames();

ParagraphBoxes ShowParagraph(const ParaValues& selected, int unit);
Checked<ParaValues> ReadParagraph(const ParagraphBoxes& entered, const ParagraphBoxes& shown, int unit);

// One length box: left alone when unchanged (or blank as shown), else a length in [lo, hi].
// Shared by the dialogs that take lengths.
std::optional<EntryError> ReadLengthBox(const std::wstring& box, const std::wstring& entered, const std::wstring& shown,
                                        int lo, int hi, int unit, std::optional<int>& out);

}  // namespace tx::dialogs
