#pragma once
// The numbers of the control's load and save contract: the format codes Load and Save take and the
// indices of LoadSaveAttribute. Every code the program passes is here, including those of formats
// this control does not read or write yet (Load and Save refuse them with an error naming the code).

namespace tx {

enum FormatCode : int {
    kFormatText = 1,   // plain text
    kFormatOwn = 3,    // the control's own format: the page files
    kFormatHtml = 4,
    kFormatRtf = 5,
    kFormatWord = 9,   // the RTF writer's whole output, which word processors open as their own
    kFormatXml = 10,   // a flat OpenDocument text
    kFormatCss = 11,   // the style sheet an HTML page embeds
    kFormatPdf = 12,
};

// Indices of LoadSaveAttribute.
namespace attr {
// After a load: the page size and margins the file stored (0 when the format stores none). Set
// before saving a format that stores a page, they are the page it stores.
inline constexpr int kPageWidth = 0, kPageHeight = 1, kMarginLeft = 2, kMarginTop = 3, kMarginRight = 4,
                     kMarginBottom = 5;
// Set before a load: the page size and margins stored in the file become the document's own
// (else the loaded text keeps the engine's current page).
inline constexpr int kApplyStoredPage = 37;
// Set before a load: imported HYPERLINK fields become link fields with kind and target (else only
// their shown text is kept).
inline constexpr int kImportLinks = 38;
inline constexpr int kCount = 40;
}  // namespace attr

}  // namespace tx
