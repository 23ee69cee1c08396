#pragma once
// XML (format code 10): the document as one flat OpenDocument text file, which word processors
// open as they open their own documents: fonts, character and paragraph formats with the named
// styles, lists with their levels and numbering styles, paragraph frames, tables with column widths,
// cell borders and backgrounds, links, marks as bookmarks, pictures (carried inside the file), the
// page size and margins, and the header and footer with their page numbers. A page break inside a
// paragraph starts the rest of it on a new page. Movies stay in the program: they are not written.

#include <string>

#include "components/textcontrol/model/Document.h"

namespace tx {

std::string WriteOdt(const Document& document);

}  // namespace tx
