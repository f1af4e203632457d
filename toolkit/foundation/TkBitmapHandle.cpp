#include "TkBitmapHandle.h"

#include "TkDCWrappers.h"

COLORREF CTkBitmapHandle::GetBitmapCornerColor() const {
    if (m_hBitmap == nullptr || ::GetObjectType(m_hBitmap) != OBJ_BITMAP)
        return CLR_INVALID;
    CTkCompatibleDC dc(nullptr, m_hBitmap);
    return dc.GetPixel(0, 0);
}

HICON CTkBitmapHandle::CreateIconFromBitmap() const {
    BITMAP info = {};
    if (m_hBitmap == nullptr || ::GetObjectW(m_hBitmap, sizeof(info), &info) == 0 || info.bmWidth == 0 ||
        info.bmHeight == 0)
        return nullptr;
    CImageList images;
    if (!images.Create(info.bmWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 0, 1))
        return nullptr;
    if (images.Add(CBitmap::FromHandle(m_hBitmap), GetBitmapCornerColor()) < 0)
        return nullptr;
    return images.ExtractIcon(0);
}
