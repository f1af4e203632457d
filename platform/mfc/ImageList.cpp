#include "ImageList.h"
#include "DC.h"
#include "ResourceHandle.h"
#include "ThreadState.h"

IMPLEMENT_DYNAMIC(CImageList, CObject)

namespace {

HBITMAP BitmapOf(CBitmap* pBitmap) {
    return pBitmap != nullptr ? static_cast<HBITMAP>(pBitmap->GetSafeHandle()) : nullptr;
}

}  // namespace

CImageList::~CImageList() {
    DeleteImageList();
}

CImageList* CImageList::FromHandle(HIMAGELIST hImageList) {
    return AfxGetThreadState()->m_tempObjects.FromHandle<CImageList, &CImageList::m_hImageList>(hImageList);
}

BOOL CImageList::Attach(HIMAGELIST hImageList) {
    if (hImageList == nullptr)
        return FALSE;
    m_hImageList = hImageList;
    return TRUE;
}

HIMAGELIST CImageList::Detach() {
    HIMAGELIST hImageList = m_hImageList;
    m_hImageList = nullptr;
    return hImageList;
}

BOOL CImageList::DeleteImageList() {
    if (m_hImageList == nullptr)
        return FALSE;
    return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
    LPCWSTR lpszName = MAKEINTRESOURCEW(nBitmapID);
    HINSTANCE hInst = AfxFindResourceHandle(lpszName, RT_BITMAP);
    if (::FindResourceW(hInst, lpszName, RT_BITMAP) == nullptr)
        return FALSE;
    return Attach(ImageList_LoadImageW(hInst, lpszName, cx, nGrow, crMask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask) {
    return ImageList_Add(m_hImageList, BitmapOf(pbmImage), BitmapOf(pbmMask));
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask) {
    return ImageList_AddMasked(m_hImageList, BitmapOf(pbmImage), crMask);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask) {
    return ImageList_Replace(m_hImageList, nImage, BitmapOf(pbmImage), BitmapOf(pbmMask));
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) {
    return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}
