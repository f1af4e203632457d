#pragma once
#include "FoundationTestSupport.h"

#include <functional>
#include <string>
#include <vector>

// Helpers of the image tests: the images DLL (ImageResources.rc, built as foundation_test_images.dll
// beside the test program), the bytes of its resources, pixels of DIB sections, and files.

// The images DLL, loaded on first use and kept for the process.
HMODULE ImageResources();
// The bytes of a resource of the images DLL (empty when it is missing).
std::vector<BYTE> ResourceBytes(LPCWSTR pszName, LPCWSTR pszType);
// Writes bytes to a file; FALSE when it cannot.
bool WriteFileBytes(const std::wstring& path, const std::vector<BYTE>& bytes);

// The pixels of a 32-bpp DIB section, top row first, each as 0xAARRGGBB; empty for anything else.
std::vector<DWORD> TopDownPixels(HBITMAP hBitmap);
// The size of a bitmap (0 x 0 for none).
CSize BitmapSize(HBITMAP hBitmap);

// A pixel by its column and row (top row 0) as 0xAARRGGBB.
using PixelFunction = std::function<DWORD(int x, int y)>;
// A 32-bpp bottom-up DIB section of those pixels (taken as they are: premultiply them yourself).
HBITMAP MakeDib(int cx, int cy, const PixelFunction& pixel);
// An icon of a 32-bpp colour (its alpha bytes as given) and a mask that is 1 where bTransparent says.
HICON MakeIcon(int cx, int cy, const PixelFunction& colour, const std::function<bool(int x, int y)>& transparent);
