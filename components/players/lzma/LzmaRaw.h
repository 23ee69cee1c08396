#pragma once
// A narrow C entry to the LZMA decoder sources, so that the callers never include their Types.h
// (which pulls <windows.h> into a Windows build) and stay portable.

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

enum { kLzmaRawPropsSize = 5 };

// Decodes at most *outLen bytes of a raw LZMA stream (no size field) described by its five
// property bytes. On return *inLen and *outLen hold what was consumed and produced. Returns 0 on
// success, including when the input ends before *outLen bytes were produced; non-zero when the
// properties or the data are damaged or memory ran out. The decoder's dictionary is the output
// buffer itself, so nothing is allocated by the sizes the stream declares.
int ZvLzmaDecodePrefix(const unsigned char* props, const unsigned char* in, size_t* inLen,
                       unsigned char* out, size_t* outLen);

#ifdef __cplusplus
}
#endif
