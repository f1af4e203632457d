#include "common/OemLogo.h"

#include "settings/Folders.h"

#include <string>

namespace {

constexpr RECT kLogoFrame = {5, 5, 77, 48};
constexpr POINT kLogoOrigin = {6, 6};
constexpr SIZE kLogoSize = {77, 48};

HBITMAP oemBitmap = nullptr;  // owned

}  // namespace

void LoadOemBitmap() {
    FreeOemBitmap();
    const std::wstring path = GetExeFolder() + L"\\OEM\\OEM.bmp";
    oemBitmap = static_cast<HBITMAP>(
        ::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

void FreeOemBitmap() {
    if (oemBitmap)
        ::DeleteObject(oemBitmap);
    oemBitmap = nullptr;
}

HBITMAP OemBitmap() {
    return oemBitmap;
}

void PaintOemLogo(CWnd* window) {
    CPaintDC dc(window);
    DrawOemLogo(dc.GetSafeHdc());
}

void DrawOemLogo(HDC dc) {
    if (!oemBitmap)
        return;
    CPen white(PS_SOLID, 1, RGB(255, 255, 255));
    {
        CScopedSelectObject pen(dc, white.GetSafeHandle());
        ::Rectangle(dc, kLogoFrame.left, kLogoFrame.top, kLogoFrame.right, kLogoFrame.bottom);  // the DC's own brush
    }

    HDC memory = ::CreateCompatibleDC(dc);
    if (!memory)
        return;
    {
        CScopedSelectObject selected(memory, oemBitmap);
        ::BitBlt(dc, kLogoOrigin.x, kLogoOrigin.y, kLogoSize.cx, kLogoSize.cy, memory, 0, 0, SRCCOPY);
    }
    ::DeleteDC(memory);
}
