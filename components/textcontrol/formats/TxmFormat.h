#pragma once
// The control's own format (format code 3): everything the document model holds, in a versioned,
// length-checked binary form.
//
//   "ZVTX"  u16 version  u16 flags(0)  u32 payload length  u32 payload checksum (FNV-1a)
//   payload: sections of  u16 tag  u32 length  bytes
//
// A reader skips sections whose tag it does not know (later minor additions), refuses a newer major
// version, and checks every count and length against the bytes that remain and against
// tx::limits before it allocates.

#include <string>
#include <string_view>

#include "components/textcontrol/model/Document.h"

namespace tx {

// Version 2 added the character format's baseline offset; version 1 pages read with none.
// Version 3 added each table cell's merge marks; earlier pages read with no merged cells.
inline constexpr std::uint16_t kTxmVersion = 3;

std::string WriteTxm(const Document& document);
// Throws zv::Error saying what is wrong; builds a new document, so a failure changes nothing.
Document ReadTxm(std::string_view bytes);

}  // namespace tx
