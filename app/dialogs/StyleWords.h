#pragma once
// A named style told in words, as the styles dialog describes it: the character format, then what
// the paragraph format sets beyond the plain paragraph, lengths in the author's unit.

#include <string>
#include <vector>

#include "components/textcontrol/model/Document.h"

std::wstring StyleDescription(const tx::Style& style, int unit, wchar_t decimalSeparator);

// The styles some paragraph of the document carries (body, header and footer), in the document's
// style order.
std::vector<tx::Style> StylesInUse(const tx::Document& document);
