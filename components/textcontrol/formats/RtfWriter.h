#pragma once
// RTF (format code 5) as other word processors read it: fonts, colours, character and paragraph
// formats, lists, paragraph borders, tables with cell borders and shading, HYPERLINK fields,
// pictures, page breaks, header, footer, bookmarks and the page geometry. What RTF has no word for
// (the frame style word's "off" bits, fixed and windowed objects, exact font sizes in twips) goes
// into control words and ignorable destinations of our own ("\zv..."), which other readers skip.

#include <string>

#include "components/textcontrol/model/Document.h"

namespace tx {

std::string WriteRtf(const Document& document);

}  // namespace tx
