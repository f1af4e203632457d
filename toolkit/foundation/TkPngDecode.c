#include "TkPngDecode.h"

#include <png.h>
#include <stdint.h>
#include <stdlib.h>

typedef struct PngInput {
    TkPngReader pfnRead;
    void* pSource;
} PngInput;

/* libpng's error function: never returns, so the decoder unwinds to TkPngDecode's setjmp. The message
   is not kept: every failure means the same to the caller. */
static void PngErrorCallback(png_structp png, png_const_charp message) {
    (void)message;
    png_longjmp(png, 1);
}

/* libpng's read function: a short read is an error (the input was cut off). */
static void PngReadCallback(png_structp png, png_bytep pData, size_t nLength) {
    const PngInput* pInput = (const PngInput*)png_get_io_ptr(png);
    if (pInput->pfnRead(pInput->pSource, pData, nLength) != nLength)
        png_error(png, "unexpected end of PNG input");
}

/* The transforms, in the order the decoder needs them. */
static void SetTransforms(png_structp png, png_infop info, unsigned char* pBackground) {
    png_uint_32 nWidth = 0, nHeight = 0;
    int nBitDepth = 0, nColorType = 0;
    png_color_16p pFileBackground = NULL;
    double dFileGamma = 0.0;

    png_get_IHDR(png, info, &nWidth, &nHeight, &nBitDepth, &nColorType, NULL, NULL, NULL);
    if (nBitDepth == 16)
        png_set_strip_16(png);
    if (nColorType == PNG_COLOR_TYPE_PALETTE)
        png_set_expand(png);
    if (nBitDepth < 8)
        png_set_expand(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_expand(png);
    if (nColorType == PNG_COLOR_TYPE_GRAY || nColorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    if (png_get_bKGD(png, info, &pFileBackground)) {
        png_set_background(png, pFileBackground, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
        if (pBackground != NULL) {
            pBackground[0] = (unsigned char)pFileBackground->red;
            pBackground[1] = (unsigned char)pFileBackground->green;
            pBackground[2] = (unsigned char)pFileBackground->blue;
        }
    }
    if (png_get_gAMA(png, info, &dFileGamma))
        png_set_gamma(png, 2.2, dFileGamma);
}

int TkPngDecode(TkPngReader pfnRead, void* pSource, unsigned char** ppRows, unsigned int* pnWidth,
                unsigned int* pnHeight, int* pnChannels, unsigned char* pBackground) {
    PngInput input = {pfnRead, pSource};
    png_structp png = NULL;
    png_infop info = NULL;
    /* Written after setjmp and read after the jump: volatile, so the jump cannot lose them. */
    unsigned char* volatile pRows = NULL;
    png_bytep* volatile pRowTable = NULL;
    png_uint_32 nWidth = 0, nHeight = 0, y = 0;
    size_t nRowBytes = 0;

    *ppRows = NULL;
    png = png_create_read_struct(PNG_LIBPNG_VER_STRING, NULL, PngErrorCallback, NULL);
    if (png == NULL)
        return 0;
    info = png_create_info_struct(png);
    if (info == NULL) {
        png_destroy_read_struct(&png, NULL, NULL);
        return 0;
    }
    if (setjmp(png_jmpbuf(png))) {
        free(pRowTable);
        free(pRows);
        png_destroy_read_struct(&png, &info, NULL);
        return 0;
    }

    png_set_read_fn(png, &input, PngReadCallback);
    png_set_sig_bytes(png, 8);
    png_read_info(png, info);
    SetTransforms(png, info, pBackground);
    png_read_update_info(png, info);
    png_get_IHDR(png, info, &nWidth, &nHeight, NULL, NULL, NULL, NULL, NULL);
    nRowBytes = png_get_rowbytes(png, info);
    if (nHeight == 0 || nRowBytes > SIZE_MAX / nHeight)
        png_error(png, "image too large");
    pRows = (unsigned char*)malloc(nRowBytes * nHeight);
    pRowTable = (png_bytep*)malloc(nHeight * sizeof(png_bytep));
    if (pRows == NULL || pRowTable == NULL)
        png_error(png, "out of memory");
    for (y = 0; y < nHeight; ++y)
        pRowTable[y] = pRows + (size_t)y * nRowBytes;
    png_read_image(png, pRowTable);
    png_read_end(png, NULL);
    free(pRowTable);
    pRowTable = NULL;

    *pnWidth = nWidth;
    *pnHeight = nHeight;
    *pnChannels = png_get_channels(png, info);
    *ppRows = pRows;
    png_destroy_read_struct(&png, &info, NULL);
    return 1;
}
