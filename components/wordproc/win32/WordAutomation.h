#pragma once
// The word-processor server's application object, the one creatable class; every other object
// (documents, sections, footers, page numbers) is reached from it.

#include <windows.h>

namespace wordproc {

HRESULT CreateWordApplication(REFIID iid, void** out);

}  // namespace wordproc
