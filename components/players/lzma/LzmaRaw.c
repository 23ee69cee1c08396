/* Debian's LZMA decoder sources (package lzma-dev) behind the narrow entry of LzmaRaw.h. */
#include "LzmaDec.c"
#include "LzmaRaw.h"

#include <stdlib.h>

static void* AllocBlock(void* unused, size_t size) { (void)unused; return size ? malloc(size) : NULL; }
static void FreeBlock(void* unused, void* block) { (void)unused; free(block); }

int ZvLzmaDecodePrefix(const unsigned char* props, const unsigned char* in, size_t* inLen,
                       unsigned char* out, size_t* outLen) {
    ISzAlloc alloc = {AllocBlock, FreeBlock};
    ELzmaStatus status;
    SizeT produced = *outLen, consumed = *inLen;
    /* LzmaDecode allocates only the probability tables (bounded by the property byte) and decodes
       into `out`; LZMA_FINISH_ANY stops quietly once `out` is full. */
    SRes res = LzmaDecode(out, &produced, in, &consumed, props, LZMA_PROPS_SIZE, LZMA_FINISH_ANY, &status, &alloc);
    *outLen = produced;
    *inLen = consumed;
    /* Input that ends early is no fault here: the caller sees how much came out. */
    return res == SZ_OK || res == SZ_ERROR_INPUT_EOF ? 0 : (int)res;
}
