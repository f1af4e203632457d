#include "TkGalleryItem.h"

#include "TkCommandBar.h"
#include "TkCommandBarsDefs.h"
#include "TkControlGallery.h"
#include "TkControlGalleryPaintManager.h"
#include "TkDCWrappers.h"
#include "TkImageManager.h"
#include "TkImageManagerIcon.h"
#include "TkPaintManager.h"

// ---- CTkGalleryItem

CSize CTkGalleryItem::GetSize() {
    if (m_szItem != CSize(0, 0) || m_pItems == nullptr)
        return m_szItem;
    return CSize(m_pItems->m_nItemWidth, m_pItems->m_nItemHeight);
}

void CTkGalleryItem::Draw(CDC* pDC, CTkControlGallery* pGallery, CRect rc, BOOL bEnabled, BOOL bHot, BOOL bPressed,
                          BOOL bChecked) {
    if (m_bLabel) {
        if (CTkControlGalleryPaintManager* pPainter = pGallery->GetGalleryPaintManager())
            pPainter->DrawLabelItem(pDC, this, rc);
        return;
    }
    CTkPaintManager* pPaintManager = pGallery->GetPaintManager();
    if (pPaintManager == nullptr)
        return;
    if (bHot || bPressed || bChecked)
        pPaintManager->PaintStateRectangle(pDC, rc, bHot, bPressed, bEnabled, bChecked, FALSE, kBarTypeNormal,
                                           kBarPopup);
    CTkImageManager* pImageManager = pGallery->GetImageManager();
    const int nImageId = m_nImageId >= 0 ? m_nImageId : m_nId;
    CTkImageManagerIcon* pIcon =
        pImageManager != nullptr && nImageId > 0
            ? pImageManager->GetIcon(static_cast<UINT>(nImageId), static_cast<UINT>(rc.Width()))
            : nullptr;
    if (pIcon != nullptr) {
        const CSize size = pIcon->GetNormalImageSize();
        const CPoint pt(rc.left + (rc.Width() - size.cx) / 2, rc.top + (rc.Height() - size.cy) / 2);
        pIcon->Draw(pDC, pt, bEnabled ? pIcon->GetNormalImage() : pIcon->GetDisabledImage());
        return;
    }
    CScopedSaveDC saved(pDC->GetSafeHdc());
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(
        pPaintManager->GetStateTextColor(bHot, bPressed, bEnabled, bChecked, FALSE, kBarTypeNormal, kBarPopup));
    CTkFontDC font(pDC, &pPaintManager->m_fntRegular);
    pDC->DrawText(m_strCaption, &rc, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS);
}

// ---- CTkGalleryItemCollection

CTkGalleryItemCollection::~CTkGalleryItemCollection() {
    RemoveAll();
}

CTkGalleryItem* CTkGalleryItemCollection::AddItem(int nId, LPCWSTR pszCaption) {
    auto* pItem = new CTkGalleryItem;
    pItem->m_nId = nId;
    pItem->m_strCaption = pszCaption;
    return Add(pItem);
}

CTkGalleryItem* CTkGalleryItemCollection::AddLabel(LPCWSTR pszCaption) {
    CTkGalleryItem* pItem = AddItem(0, pszCaption);
    pItem->m_bLabel = TRUE;
    return pItem;
}

CTkGalleryItem* CTkGalleryItemCollection::Add(CTkGalleryItem* pItem) {
    pItem->m_nIndex = GetItemCount();
    pItem->m_pItems = this;
    m_items.push_back(pItem);
    return pItem;
}

void CTkGalleryItemCollection::RemoveAll() {
    for (CTkGalleryItem* pItem : m_items) {
        pItem->m_pItems = nullptr;
        pItem->InternalRelease();
    }
    m_items.clear();
}

CTkGalleryItem* CTkGalleryItemCollection::GetItem(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetItemCount())
        return nullptr;
    return m_items[static_cast<size_t>(nIndex)];
}

BOOL CTkGalleryItemCollection::DrawItem(CDC* pDC, CTkControlGallery* pGallery, CTkGalleryItem* pItem, CRect rc,
                                        BOOL bEnabled, BOOL bHot, BOOL bPressed, BOOL bChecked) {
    return FALSE;
}
