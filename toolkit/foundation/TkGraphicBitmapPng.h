#pragma once
#include "mfc.h"

// PNG images from files and "PNG" resources, decoded into 32-bpp DIB sections that are not
// premultiplied. Everything answers plain FALSE or NULL on failure (a damaged or cut-off image, an
// exhausted heap) and leaves no bitmap behind; nothing is shown or logged. Any thread, one object each.

class CTkGraphicBitmapPng : public CBitmap {
public:
    CTkGraphicBitmapPng() = default;

    // Each first deletes a held bitmap and clears the alpha flag. On success the object holds a
    // top-down DIB section of the image, and the flag tells whether it kept an alpha channel.
    BOOL LoadFromFile(CFile* pFile);
    BOOL LoadFromPath(LPCTSTR lpszPath);
    // A resource of 9 bytes or less is refused before decoding.
    BOOL LoadFromResource(HINSTANCE hModule, HRSRC hResource);

    BOOL IsAlpha() const { return m_bAlpha; }

private:
    void Reset();

    BOOL m_bAlpha = FALSE;  // the image has four channels
};

// Decodes the PNG read from pFile (from its current position) into rows of width x channels bytes (3:
// R, G, B; 4: R, G, B, A), top row first, in a buffer from malloc that the caller frees. An earlier
// buffer in *ppBuffer is freed. A bKGD chunk composites the image onto its colour (three channels
// then) and puts that colour's bytes (R, G, B) into pBackground when it is not NULL. FALSE, with
// *ppBuffer NULL, for a NULL file, a missing signature or any decoding failure.
BOOL ReadPngImage(CFile* pFile, BYTE** ppBuffer, UINT* pnWidth, UINT* pnHeight, int* pnChannels, BYTE* pBackground);

// A top-down 32-bpp DIB section of decoded rows: blue, green, red from the row's R, G, B, alpha from A
// (0 with three channels). NULL when GDI cannot make it or the channel count is not 3 or 4.
HBITMAP CreateDibFromPngRows(const BYTE* pRows, int nWidth, int nHeight, int nChannels);
