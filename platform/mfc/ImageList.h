#pragma once
#include "Object.h"
#include "Geometry.h"

#include <commctrl.h>

// CImageList: a common-controls image list.
//
// A list made by Create or handed over with Attach is owned: the destructor deletes it. FromHandle
// answers a temporary of the calling thread that borrows the handle. Image lists are used on the UI
// thread; the handle itself may be given to controls of any thread.

class CBitmap;
class CDC;

class CImageList : public CObject {
    DECLARE_DYNAMIC(CImageList)
public:
    CImageList() = default;
    ~CImageList() override;

    // A temporary wrapper of hImageList (NULL for NULL).
    static CImageList* FromHandle(HIMAGELIST hImageList);

    // ---- The handle
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    operator HIMAGELIST() const { return m_hImageList; }
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    // Deletes the owned list.
    BOOL DeleteImageList();

    // ---- Creation
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
        return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
    }
    // From bitmap resource nBitmapID of the current resource module, cut into images cx wide, with
    // crMask as the transparent colour. FALSE when the bitmap is absent.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);

    // ---- Images: Add answers the new index (-1 on failure)
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, -1, hIcon); }
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
    int Replace(int nImage, HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon); }
    BOOL Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
    BOOL SetImageCount(UINT uNewCount) { return ImageList_SetImageCount(m_hImageList, uNewCount); }
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const {
        return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
    }
    // A new icon of image nImage; the caller destroys it.
    HICON ExtractIcon(int nImage) { return ImageList_ExtractIcon(nullptr, m_hImageList, nImage); }
    COLORREF SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
    COLORREF GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }

    // ---- Drawing
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);

    HIMAGELIST m_hImageList = nullptr;
};
