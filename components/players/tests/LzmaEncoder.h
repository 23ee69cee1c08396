#pragma once
#include <stddef.h>
#ifdef __cplusplus
extern "C" {
#endif
// Raw LZMA without an end mark; writes the five property bytes to `props`. 0 on success.
int ZvLzmaEncode(const unsigned char* in, size_t inLen, unsigned char* props, unsigned char* out, size_t* outLen);
#ifdef __cplusplus
}
#endif
