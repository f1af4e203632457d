#include "TkImageLoading.h"

#include "IconStateImage.h"
#include "TkGraphicBitmapPng.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr BYTE kPngSignature[4] = {0x89, 0x50, 0x4E, 0x47};
constexpr DWORD kBmpFileHeaderSize = 14;
const LPCTSTR kPngType = L"PNG";

// A resource's bytes, or an empty span when it is missing or cannot be locked.
struct ResourceBytes {
    const BYTE* pData = nullptr;
    DWORD nSize = 0;

    ResourceBytes(HINSTANCE hModule, LPCTSTR lpszName, LPCTSTR lpszType) {
        HRSRC hResource = ::FindResourceW(hModule, lpszName, lpszType);
        HGLOBAL hData = hResource != nullptr ? ::LoadResource(hModule, hResource) : nullptr;
        pData = hData != nullptr ? static_cast<const BYTE*>(::LockResource(hData)) : nullptr;
        nSize = pData != nullptr ? ::SizeofResource(hModule, hResource) : 0;
    }
    // The leading BITMAPINFOHEADER, or NULL when the resource is shorter than one.
    const BITMAPINFOHEADER* Header() const {
        return nSize >= sizeof(BITMAPINFOHEADER) ? reinterpret_cast<const BITMAPINFOHEADER*>(pData) : nullptr;
    }
};

// A DIB section of the header's width and nRows rows (the header's row order), filled with the
// nRows x width x 4 bytes that follow the header in the resource. NULL when they are not all there:
// sizes are computed in 64 bits, so no header can make the copy run past the resource.
HBITMAP CreateDibFromResourcePixels(const ResourceBytes& bytes, LONG nRows) {
    const BITMAPINFOHEADER* pHeader = bytes.Header();
    if (pHeader == nullptr || pHeader->biWidth <= 0 || nRows == 0)
        return nullptr;
    const unsigned long long nImageSize =
        4ull * static_cast<unsigned long long>(pHeader->biWidth) *
        static_cast<unsigned long long>(nRows < 0 ? -static_cast<long long>(nRows) : nRows);
    if (nImageSize > bytes.nSize - sizeof(BITMAPINFOHEADER))
        return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader = *pHeader;
    info.bmiHeader.biHeight = nRows;
    info.bmiHeader.biCompression = BI_RGB;  // the pixels follow the header directly, without masks
    info.bmiHeader.biSizeImage = static_cast<DWORD>(nImageSize);
    CDC dc;
    if (!dc.CreateCompatibleDC(nullptr))
        return nullptr;
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hBitmap != nullptr)
        std::memcpy(pBits, bytes.pData + sizeof(BITMAPINFOHEADER), static_cast<size_t>(nImageSize));
    return hBitmap;
}

// The first nCount bytes of a file opened without sharing; FALSE when it cannot be opened or is shorter.
BOOL ReadFileStart(LPCTSTR lpszPath, BYTE* pBuffer, DWORD nCount) {
    CScopedKernelHandle file(
        ::CreateFileW(lpszPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return FALSE;
    DWORD nRead = 0;
    return ::ReadFile(file.Get(), pBuffer, nCount, &nRead, nullptr) && nRead == nCount;
}

void SetAlpha(BOOL* pAlpha, BOOL bAlpha) {
    if (pAlpha != nullptr)
        *pAlpha = bAlpha;
}

// One entry of an RT_GROUP_ICON directory (packed as stored: 14 bytes).
#pragma pack(push, 2)
struct StoredGroupEntry {
    BYTE bWidth;
    BYTE bHeight;
    BYTE bColorCount;
    BYTE bReserved;
    WORD wPlanes;
    WORD wBitCount;
    DWORD dwBytesInRes;
    WORD nId;
};
#pragma pack(pop)
static_assert(sizeof(StoredGroupEntry) == 14);
constexpr DWORD kGroupHeaderSize = 6;

}  // namespace

BOOL IsPngResource(HINSTANCE hModule, LPCTSTR lpszName) {
    const ResourceBytes bytes(hModule, lpszName, kPngType);
    return bytes.nSize >= sizeof(kPngSignature) && std::memcmp(bytes.pData, kPngSignature, sizeof(kPngSignature)) == 0;
}

BOOL Is32BppBitmapResource(HINSTANCE hModule, LPCTSTR lpszName) {
    const BITMAPINFOHEADER* pHeader = ResourceBytes(hModule, lpszName, RT_BITMAP).Header();
    return pHeader != nullptr && pHeader->biBitCount == 32;
}

HBITMAP Load32BppBitmapResource(HINSTANCE hModule, LPCTSTR lpszName) {
    const ResourceBytes bytes(hModule, lpszName, RT_BITMAP);
    const BITMAPINFOHEADER* pHeader = bytes.Header();
    if (pHeader == nullptr || pHeader->biBitCount != 32)
        return nullptr;
    return CreateDibFromResourcePixels(bytes, pHeader->biHeight);
}

HBITMAP LoadBitmapResource(HINSTANCE hModule, LPCTSTR lpszName, BOOL* pAlpha) {
    SetAlpha(pAlpha, FALSE);
    if (IsPngResource(hModule, lpszName)) {
        CTkGraphicBitmapPng png;
        if (!png.LoadFromResource(hModule, ::FindResourceW(hModule, lpszName, kPngType)))
            return nullptr;
        SetAlpha(pAlpha, png.IsAlpha());
        return static_cast<HBITMAP>(png.Detach());
    }
    const BOOL b32Bpp = Is32BppBitmapResource(hModule, lpszName);
    SetAlpha(pAlpha, b32Bpp);
    if (b32Bpp)
        return Load32BppBitmapResource(hModule, lpszName);
    return static_cast<HBITMAP>(::LoadImageW(hModule, lpszName, IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE));
}

HBITMAP LoadBitmapFromResourceModule(LPCTSTR lpszName, BOOL* pAlpha) {
    return LoadBitmapResource(AfxGetResourceHandle(), lpszName, pAlpha);
}

BOOL IsPngFile(LPCTSTR lpszPath) {
    BYTE start[sizeof(kPngSignature)] = {};
    return ReadFileStart(lpszPath, start, sizeof(start)) && std::memcmp(start, kPngSignature, sizeof(start)) == 0;
}

BOOL Is32BppBmpFile(LPCTSTR lpszPath) {
    BYTE start[kBmpFileHeaderSize + sizeof(BITMAPINFOHEADER)] = {};
    if (!ReadFileStart(lpszPath, start, sizeof(start)))
        return FALSE;
    BITMAPINFOHEADER header;
    std::memcpy(&header, start + kBmpFileHeaderSize, sizeof(header));
    return header.biBitCount == 32;
}

HBITMAP LoadBitmapFile(LPCTSTR lpszPath, BOOL* pAlpha) {
    SetAlpha(pAlpha, FALSE);
    if (IsPngFile(lpszPath)) {
        CTkGraphicBitmapPng png;
        if (!png.LoadFromPath(lpszPath))
            return nullptr;
        SetAlpha(pAlpha, png.IsAlpha());
        return static_cast<HBITMAP>(png.Detach());
    }
    const BOOL b32Bpp = Is32BppBmpFile(lpszPath);
    SetAlpha(pAlpha, b32Bpp);
    const UINT nFlags = LR_LOADFROMFILE | LR_DEFAULTSIZE | (b32Bpp ? LR_CREATEDIBSECTION : 0);
    return static_cast<HBITMAP>(::LoadImageW(nullptr, lpszPath, IMAGE_BITMAP, 0, 0, nFlags));
}

BOOL ReadIconGroup(HINSTANCE hModule, LPCTSTR lpszName, std::vector<IconGroupEntry>& entries) {
    entries.clear();
    if (::FindResourceW(hModule, lpszName, RT_GROUP_ICON) == nullptr)
        return FALSE;
    const ResourceBytes group(hModule, lpszName, RT_GROUP_ICON);
    if (group.nSize < kGroupHeaderSize)
        return TRUE;
    WORD nCount = 0;
    std::memcpy(&nCount, group.pData + 4, sizeof(nCount));
    const DWORD nEntries = std::min<DWORD>(nCount, (group.nSize - kGroupHeaderSize) / sizeof(StoredGroupEntry));
    for (DWORD i = 0; i < nEntries; ++i) {
        StoredGroupEntry entry;
        std::memcpy(&entry, group.pData + kGroupHeaderSize + i * sizeof(StoredGroupEntry), sizeof(entry));
        entries.push_back({entry.bWidth, entry.bHeight, entry.nId});
    }
    return TRUE;
}

BOOL IconStateImage::LoadFromIconResource(HINSTANCE hModule, LPCTSTR lpszName, int cx, int cy, BOOL bSearchGroup) {
    std::vector<IconGroupEntry> entries;
    if (bSearchGroup && ReadIconGroup(hModule, lpszName, entries)) {
        for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
            if (it->cx == cx && it->cy == cy &&
                LoadFromIconResource(hModule, MAKEINTRESOURCEW(it->nIconId), cx, cy, FALSE))
                return TRUE;
        }
        return FALSE;
    }
    const ResourceBytes bytes(hModule, lpszName, RT_ICON);
    const BITMAPINFOHEADER* pHeader = bytes.Header();
    if (pHeader == nullptr)
        return FALSE;
    if (pHeader->biBitCount != 32) {
        AttachIcon(
            ::CreateIconFromResourceEx(const_cast<BYTE*>(bytes.pData), bytes.nSize, TRUE, 0x00030000, cx, cy, 0));
        return !IsEmpty();
    }
    // The colour rows are half the header's height (the mask follows them and is not used).
    AttachBitmap(CreateDibFromResourcePixels(bytes, pHeader->biHeight / 2));
    return !IsEmpty();
}

BOOL IconStateImage::LoadIconFromResourceModule(LPCTSTR lpszName, int cx, int cy, BOOL bSearchGroup) {
    HINSTANCE hModule = AfxGetResourceHandle();
    return hModule != nullptr && LoadFromIconResource(hModule, lpszName, cx, cy, bSearchGroup);
}
