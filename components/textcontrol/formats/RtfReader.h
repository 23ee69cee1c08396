#pragma once
// Reads RTF (format code 5), ours and that of other word processors, into a new document.
// Malformed input (no RTF header, unbalanced groups, nesting too deep, truncated binary data,
// excessive sizes) throws zv::Error saying what is wrong; the reader never reads out of bounds and
// every loop advances through the input.

#include <string_view>

#include "components/textcontrol/model/Document.h"

namespace tx {

// `importLinks`: HYPERLINK fields become link fields; otherwise only their shown text is kept.
Document ReadRtf(std::string_view bytes, bool importLinks = true);

}  // namespace tx
