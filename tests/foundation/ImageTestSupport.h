#pragma once
#include "FoundationTestSupport.h"

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
