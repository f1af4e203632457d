#ifndef TK_PNG_DECODE_H
#define TK_PNG_DECODE_H
/* The libpng side of PNG loading, in C: libpng reports errors by jumping out of its own frames, and no
   C++ frame with destructors or exception handlers may lie in between. Only this file's functions run
   under libpng's jump buffer; the input comes through a plain reader that never throws. */

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Copies up to nCount next input bytes to pData and answers how many arrived; fewer means the input
   ended or failed. It must not throw or jump. */
typedef size_t (*TkPngReader)(void* pSource, unsigned char* pData, size_t nCount);

/* Decodes the PNG whose 8 signature bytes the caller has already consumed, into rows of 8-bit RGB (3
   channels) or RGBA (4), top row first: 16-bit samples are cut to 8 bits, palettes, low depths and
   tRNS are expanded (tRNS becomes alpha), grey becomes RGB, a bKGD colour is composited under the
   image (removing its alpha; its low bytes go to pBackground when that is not NULL), and a gAMA chunk
   is corrected for a screen gamma of 2.2. Answers 1 with *ppRows allocated by malloc (the caller frees
   it); 0 on any decoder error, truncated input or exhausted memory, with *ppRows NULL and nothing
   left allocated. */
int TkPngDecode(TkPngReader pfnRead, void* pSource, unsigned char** ppRows, unsigned int* pnWidth,
                unsigned int* pnHeight, int* pnChannels, unsigned char* pBackground);

#ifdef __cplusplus
}
#endif

#endif
