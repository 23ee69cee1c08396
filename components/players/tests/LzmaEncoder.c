/* Debian's LZMA encoder sources (package lzma-dev), single-threaded, for making test movies. */
#define _7ZIP_ST
#include "LzFind.c"
#include "LzmaEnc.c"

#include <stdlib.h>

#include "LzmaEncoder.h"

static void* EncAlloc(void* unused, size_t size) { (void)unused; return size ? malloc(size) : NULL; }
static void EncFree(void* unused, void* block) { (void)unused; free(block); }

int ZvLzmaEncode(const unsigned char* in, size_t inLen, unsigned char* props, unsigned char* out, size_t* outLen) {
    ISzAlloc alloc = {EncAlloc, EncFree};
    CLzmaEncProps p;
    SizeT propsSize = LZMA_PROPS_SIZE;
    SizeT produced = *outLen;
    LzmaEncProps_Init(&p);
    p.level = 5;
    p.dictSize = 1 << 16;
    SRes res = LzmaEncode(out, &produced, in, inLen, &p, props, &propsSize, 0, NULL, &alloc, &alloc);
    *outLen = produced;
    return res == SZ_OK ? 0 : (int)res;
}
