#include "TkImageManager.h"

#include "TkBitmapFunctions.h"
#include "TkImageLoading.h"
#include "TkImageManagerIcon.h"
#include "TkImageManagerResource.h"
#include "TkWindowFunctions.h"

#include <cstdlib>
#include <vector>

namespace {

constexpr UINT kIconSetBuckets = 127;
constexpr UINT kIconBuckets = 17;
constexpr int kNewIconHeight = 15;

DWORD ResourceKey(int cx, int cy) {
    return static_cast<DWORD>(cy) << 16 | (static_cast<DWORD>(cx) & 0xFFFF);
}

}  // namespace

// ---- CTkImageManagerIconSet

CTkImageManagerIconSet::CTkImageManagerIconSet(UINT nId, CTkImageManager* pManager) : m_nId(nId), m_pManager(pManager) {
    m_mapIcons.InitHashTable(kIconBuckets);
}

CTkImageManagerIconSet::~CTkImageManagerIconSet() {
    RemoveAll();
}

CTkImageManagerIcon* CTkImageManagerIconSet::GetIcon(UINT nWidth, BOOL bAllowNearest) const {
    CTkImageManagerIcon* pIcon = nullptr;
    if (nWidth > 1 && (m_mapIcons.Lookup(nWidth, pIcon) || !bAllowNearest))
        return pIcon;
    // In the map's order, a later icon must be strictly better to win.
    UINT nBestWidth = 0;
    long long nBestDistance = 0;
    ForEachInMap(m_mapIcons, [&](UINT nKey, CTkImageManagerIcon* pCandidate) {
        const long long nDistance = std::llabs(static_cast<long long>(nKey) - nWidth);
        const bool bBetter = nWidth == 0   ? nKey < nBestWidth
                             : nWidth == 1 ? nKey > nBestWidth
                                           : nDistance < nBestDistance;
        if (pIcon == nullptr || bBetter) {
            pIcon = pCandidate;
            nBestWidth = nKey;
            nBestDistance = nDistance;
        }
    });
    return pIcon;
}

CTkImageManagerIcon* CTkImageManagerIconSet::GetOrCreateIcon(UINT nWidth) {
    CTkImageManagerIcon* pIcon = nullptr;
    if (!m_mapIcons.Lookup(nWidth, pIcon)) {
        pIcon = new CTkImageManagerIcon(m_nId, static_cast<int>(nWidth), kNewIconHeight, this);
        m_mapIcons[nWidth] = pIcon;
    }
    return pIcon;
}

void CTkImageManagerIconSet::AddIcon(UINT nWidth, CTkImageManagerIcon* pIcon) {
    CTkImageManagerIcon*& pEntry = m_mapIcons[nWidth];
    if (pEntry != nullptr && pEntry != pIcon) {
        pEntry->ClearImages(TRUE);
        pEntry->InternalRelease();
    }
    pEntry = pIcon;
}

void CTkImageManagerIconSet::RemoveAll() {
    ForEachInMap(m_mapIcons, [](UINT, CTkImageManagerIcon* pIcon) {
        // A holder of its own reference keeps an icon without images (their strips may be going).
        pIcon->ClearImages(TRUE);
        pIcon->InternalRelease();
    });
    m_mapIcons.RemoveAll();
}

void CTkImageManagerIconSet::RefreshAll() {
    ForEachInMap(m_mapIcons, [](UINT, CTkImageManagerIcon* pIcon) { pIcon->ClearGeneratedImages(); });
}

// ---- CTkImageManager

CTkImageManager::CTkImageManager() {
    m_mapIconSets.InitHashTable(kIconSetBuckets);
}

CTkImageManager::~CTkImageManager() {
    RemoveAll();
}

BOOL CTkImageManager::SetIcon(const IconStateImage& image, UINT nId, int nWidth, int nHeight, ImageState state) {
    if (image.IsEmpty())
        return FALSE;
    if (nWidth == 0 && nHeight == 0) {
        const CSize size = image.GetSize();
        nWidth = size.cx;
        nHeight = size.cy;
        if (nWidth == 0 && nHeight == 0)
            return FALSE;
    }
    // Icons are keyed by width alone: the height has no further use.
    CTkImageManagerIconSet* pSet = GetIconSet(nId);
    if (pSet == nullptr) {
        if (state != ImageStateNormal)
            return FALSE;
        pSet = new CTkImageManagerIconSet(nId, this);
        pSet->GetOrCreateIcon(static_cast<UINT>(nWidth))->SetNormalImage(image);
        m_mapIconSets[nId] = pSet;
        return TRUE;
    }
    CTkImageManagerIcon* pIcon = pSet->GetOrCreateIcon(static_cast<UINT>(nWidth));
    switch (state) {
        case ImageStateNormal:
            pIcon->SetNormalImage(image);
            break;
        case ImageStateDisabled:
            pIcon->SetDisabledImage(image);
            break;
        case ImageStateHot:
            pIcon->SetHotImage(image);
            break;
        case ImageStateChecked:
            pIcon->SetCheckedImage(image);
            break;
        case ImageStatePressed:
            pIcon->SetPressedImage(image);
            break;
    }
    return TRUE;
}

BOOL CTkImageManager::SetIconsFromImageList(CImageList* pImageList, const UINT* pIds, int nCount, int cx, int cy,
                                            ImageState state) {
    if (pImageList == nullptr || pImageList->GetSafeHandle() == nullptr)
        return FALSE;
    const int nImages = pImageList->GetImageCount();
    if (nCount == 0 && pIds == nullptr)
        nCount = nImages;
    if (cx == 0 && cy == 0 && nCount > 0)
        ::ImageList_GetIconSize(*pImageList, &cx, &cy);
    // A list holding exactly the ids' count has an image for every id, 0 included; a shorter one
    // leaves the 0s out as separators.
    const bool bFull = nCount == nImages;
    for (int j = 0, i = 0; j < nCount; ++j) {
        if (pIds != nullptr && !bFull && pIds[j] == 0)
            continue;
        HICON hIcon = ::ImageList_GetIcon(*pImageList, i, 0);
        if (hIcon == nullptr)
            return FALSE;
        IconStateImage image;
        image.WrapIcon(hIcon, TRUE);
        SetIcon(image, pIds != nullptr ? pIds[j] : static_cast<UINT>(j), cx, cy, state);
        image.Clear();
        ::DestroyIcon(hIcon);
        ++i;
    }
    return TRUE;
}

BOOL CTkImageManager::SetIconsFromBitmap(CBitmap* pBitmap, const UINT* pIds, int nCount, int cx, int cy,
                                         ImageState state, BOOL bAlpha) {
    BITMAP bm = {};
    if (pBitmap == nullptr || pBitmap->GetBitmap(&bm) == 0)
        return FALSE;
    if (cx == 0 && cy == 0 && nCount > 0) {
        cx = bm.bmWidth / nCount;
        cy = bm.bmHeight;
    }
    if (nCount == 0 && cx > 0)
        nCount = bm.bmWidth / cx;
    if (cx <= 0)
        return FALSE;
    if (!bAlpha) {
        CImageList images;
        if (!images.Create(cx, cy, ILC_COLOR24 | ILC_MASK, 0, 1))
            return FALSE;
        const COLORREF clrMask = m_clrMask != static_cast<COLORREF>(-1) ? m_clrMask : GetBitmapPixel(pBitmap, 0, 0);
        images.Add(pBitmap, clrMask);
        return SetIconsFromImageList(&images, pIds, nCount, cx, cy, state);
    }
    if (bm.bmWidth % cx != 0)
        return FALSE;
    const int nPieces = bm.bmWidth / cx;
    std::vector<HBITMAP> pieces(nPieces);
    if (nPieces == 0 || !SplitDib32(*pBitmap, nPieces, pieces.data()))
        return FALSE;
    for (int j = 0, i = 0; j < nCount && i < nPieces; ++j) {
        if (pIds != nullptr && nCount != nPieces && pIds[j] == 0)
            continue;
        IconStateImage image;
        image.WrapBitmap(pieces[i]);
        SetIcon(image, pIds != nullptr ? pIds[j] : static_cast<UINT>(j), cx, cy, state);
        ++i;
    }
    for (HBITMAP hPiece : pieces)
        ::DeleteObject(hPiece);
    return TRUE;
}

BOOL CTkImageManager::SetIconsFromBitmapResource(LPCTSTR lpszResource, const UINT* pIds, int nCount, int cx, int cy,
                                                 ImageState state) {
    BOOL bAlpha = FALSE;
    CBitmap bitmap;
    if (!bitmap.Attach(LoadBitmapFromResourceModule(lpszResource, &bAlpha)))
        return FALSE;
    return SetIconsFromBitmap(&bitmap, pIds, nCount, cx, cy, state, bAlpha);
}

BOOL CTkImageManager::SetIconsFromBitmapResource(UINT nResourceId, const UINT* pIds, int nCount, int cx, int cy,
                                                 ImageState state) {
    return SetIconsFromBitmapResource(MAKEINTRESOURCEW(nResourceId), pIds, nCount, cx, cy, state);
}

BOOL CTkImageManager::SetIconFromResource(LPCTSTR lpszName, UINT nId, int cx, int cy, ImageState state) {
    HINSTANCE hModule = AfxGetResourceHandle();
    std::vector<IconGroupEntry> entries;
    if (!ReadIconGroup(hModule, lpszName, entries)) {
        IconStateImage image;
        return image.LoadIconFromResourceModule(lpszName, cx, cy, FALSE) && SetIcon(image, nId, cx, cy, state);
    }
    for (const IconGroupEntry& entry : entries) {
        if ((cx != 0 || cy != 0) && (entry.cx != cx || entry.cy != cy))
            continue;
        IconStateImage image;
        if (!image.LoadFromIconResource(hModule, MAKEINTRESOURCEW(entry.nIconId), entry.cx, entry.cy, FALSE) ||
            !SetIcon(image, nId, entry.cx, entry.cy, state))
            return FALSE;
    }
    return TRUE;
}

CTkImageManagerIconSet* CTkImageManager::GetIconSet(UINT nId) const {
    CTkImageManagerIconSet* pSet = nullptr;
    m_mapIconSets.Lookup(nId, pSet);
    return pSet;
}

CTkImageManagerIcon* CTkImageManager::GetIcon(UINT nId, UINT nWidth) const {
    CTkImageManagerIconSet* pSet = GetIconSet(nId);
    return pSet != nullptr ? pSet->GetIcon(nWidth, TRUE) : nullptr;
}

BOOL CTkImageManager::HasIcon(UINT nId, UINT nWidth) const {
    CTkImageManagerIconSet* pSet = GetIconSet(nId);
    return pSet != nullptr && pSet->GetIcon(nWidth, FALSE) != nullptr;
}

COLORREF CTkImageManager::SetMaskColor(COLORREF clrMask) {
    const COLORREF clrPrevious = m_clrMask;
    m_clrMask = clrMask;
    return clrPrevious;
}

void CTkImageManager::RefreshAll() {
    ForEachInMap(m_mapIconSets, [](UINT, CTkImageManagerIconSet* pSet) { pSet->RefreshAll(); });
}

void CTkImageManager::RemoveAll() {
    ForEachInMap(m_mapIconSets, [](UINT, CTkImageManagerIconSet* pSet) {
        pSet->RemoveAll();
        pSet->InternalRelease();
    });
    m_mapIconSets.RemoveAll();
    // Every image is cleared by now, so no slot of the strips is in use.
    ForEachInMap(m_mapResources, [](DWORD, CTkImageManagerResource* pResource) { delete pResource; });
    m_mapResources.RemoveAll();
}

CTkImageManagerResource* CTkImageManager::GetResource(int cx, int cy) {
    CTkImageManagerResource*& pResource = m_mapResources[ResourceKey(cx, cy)];
    if (pResource == nullptr)
        pResource = new CTkImageManagerResource(this, cx, cy);
    return pResource;
}

BOOL CTkImageManager::IsMirrored(CDC* pDC) const {
    return m_nMirrorMode == 1 || (m_nMirrorMode == 2 && IsDCRightToLeft(pDC));
}

CTkImageManager* GetImageManager() {
    // Built on first use, destroyed at exit; its creator's reference is never released, so holders'
    // releases cannot delete it. No lock: the UI thread makes the first call.
    static CTkImageManager s_manager;
    return &s_manager;
}
