#pragma once
#include "mfc.h"

#include <vector>

// Bitmaps from resources and files, told apart by their bytes: PNG (its signature 89 50 4E 47,
// decoded by CTkGraphicBitmapPng), 32-bpp BMP (made a DIB section, so its alpha channel survives)
// and everything else (left to LoadImage). Each loader reports through pAlpha (which may be NULL)
// whether the bitmap carries alpha: that decides how a strip is cut into icons. The bitmaps returned
// are the caller's. Failures give NULL or FALSE; nothing is thrown or shown. A PNG that fails to
// decode is not tried as another format. Any thread.

// A "PNG" resource of that name whose bytes begin with the signature.
BOOL IsPngResource(HINSTANCE hModule, LPCTSTR lpszName);
// An RT_BITMAP of that name whose header has 32 bits per pixel.
BOOL Is32BppBitmapResource(HINSTANCE hModule, LPCTSTR lpszName);
// The 32-bpp RT_BITMAP as a DIB section; NULL when it is missing, not 32 bpp or shorter than its
// header and width x height x 4 bytes of pixels.
HBITMAP Load32BppBitmapResource(HINSTANCE hModule, LPCTSTR lpszName);

// A PNG resource, else a 32-bpp RT_BITMAP, else LoadImage's bitmap of that name.
HBITMAP LoadBitmapResource(HINSTANCE hModule, LPCTSTR lpszName, BOOL* pAlpha);
// The same in the current resource module.
HBITMAP LoadBitmapFromResourceModule(LPCTSTR lpszName, BOOL* pAlpha);

// The sniffers open the file without sharing: a file another handle holds open is not recognised,
// and goes to LoadImage.
BOOL IsPngFile(LPCTSTR lpszPath);
BOOL Is32BppBmpFile(LPCTSTR lpszPath);
// A PNG file, else LoadImage's bitmap of the file (a DIB section for a 32-bpp BMP).
HBITMAP LoadBitmapFile(LPCTSTR lpszPath, BOOL* pAlpha);

// One entry of an icon group directory, as stored: a width or height byte of 0 stays 0.
struct IconGroupEntry {
    int cx;
    int cy;
    WORD nIconId;  // the RT_ICON holding the image
};
// The entries of the RT_GROUP_ICON of that name, in directory order; only those that lie inside the
// resource, whatever its count says. FALSE when the module has no group of that name (a group that
// cannot be read gives TRUE and no entries).
BOOL ReadIconGroup(HINSTANCE hModule, LPCTSTR lpszName, std::vector<IconGroupEntry>& entries);
