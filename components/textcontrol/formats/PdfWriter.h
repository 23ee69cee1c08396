#pragma once
// PDF (format code 12): the document laid out on its pages with the metrics of the fonts it
// carries and painted by the one page painter onto a PDF surface, so that the screen, the printer
// and the file agree. Text stays text (subset TrueType fonts with the map back to Unicode, bold and
// italic as their own faces; a font that may not be carried becomes a standard one), with colours,
// borders, frame lines, pictures (JPEG passed through), header and footer with their page numbers,
// and links: web addresses, anchors to the marks, and page links to that page's PDF file. Streams
// are compressed; the file is the same for the same document.

#include <string>

#include "components/textcontrol/formats/FontSource.h"
#include "components/textcontrol/formats/PdfSurface.h"
#include "components/textcontrol/model/Document.h"

namespace tx {

struct PdfOptions {
    FontSource* fonts = nullptr;        // null: FolderFontSource::Default()
    PictureDecoder decodePicture;       // for pictures PNG, BMP, GIF and JPEG readers leave
};

std::string WritePdf(const Document& document, const PdfOptions& options = {});

// What the control's own PDF saves use: natively the font files, under Windows the fonts and
// picture decoders of the device (set once by the window layer).
const PdfOptions& DefaultPdfOptions();
void SetDefaultPdfOptions(PdfOptions options);

}  // namespace tx
