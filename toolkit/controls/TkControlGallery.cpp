// The gallery's construction, borders, layout, drawing and the control operations that are not about
// the mouse, the keyboard or scrolling; its saved keys and copying.

#include "TkControlGallery.h"

#include "TkCommandBar.h"
#include "TkControlAction.h"
#include "TkControlGalleryPaintManager.h"
#include "TkControls.h"
#include "TkDCWrappers.h"
#include "TkGalleryItem.h"
#include "TkPaintManager.h"
#include "TkPopupBar.h"
#include "TkPropExchange.h"

#include <algorithm>

IMPLEMENT_SERIAL(CTkControlGallery, CTkControlPopup, VERSIONABLE_SCHEMA | 1)

namespace {

// A label row is 20 pixels high and its rectangle 19.
constexpr int kLabelRowHeight = 20;
constexpr int kLabelHeight = 19;
// The strip under a gallery that another control follows in a popup.
constexpr int kFollowingStrip = 2;
constexpr int kMinCustomizeHeight = 32;
constexpr int kMinCustomizeItemWidth = 16;

// Sets a control's Width and Height for a scope and puts them back.
class CScopedControlSize {
public:
    CScopedControlSize(int& nWidth, int& nHeight, int nNewWidth, int nNewHeight)
        : m_nWidth(nWidth), m_nHeight(nHeight), m_nOldWidth(nWidth), m_nOldHeight(nHeight) {
        m_nWidth = nNewWidth;
        m_nHeight = nNewHeight;
    }
    ~CScopedControlSize() {
        m_nWidth = m_nOldWidth;
        m_nHeight = m_nOldHeight;
    }
    CScopedControlSize(const CScopedControlSize&) = delete;
    CScopedControlSize& operator=(const CScopedControlSize&) = delete;

private:
    int& m_nWidth;
    int& m_nHeight;
    int m_nOldWidth;
    int m_nOldHeight;
};

}  // namespace

CTkControlGallery::CTkControlGallery() {
    m_nType = kControlGallery;
    m_nWidth = 120;
    m_nHeight = 60;
    m_dwFlags |= kControlFlagPopupTooltip;
    m_bShowShadow = FALSE;
}

// ---- Items

CTkGalleryItemCollection* CTkControlGallery::GetItems() const {
    return m_pAction != nullptr ? dynamic_cast<CTkGalleryItemCollection*>(m_pAction->GetItems()) : nullptr;
}

int CTkControlGallery::GetItemCount() const {
    CTkGalleryItemCollection* pItems = GetItems();
    return pItems != nullptr ? pItems->GetItemCount() : 0;
}

CTkGalleryItem* CTkControlGallery::GetItem(int nIndex) const {
    CTkGalleryItemCollection* pItems = GetItems();
    return pItems != nullptr ? pItems->GetItem(nIndex) : nullptr;
}

CString CTkControlGallery::GetItemCaption(int nIndex) const {
    CTkGalleryItem* pItem = GetItem(nIndex);
    return pItem != nullptr ? pItem->m_strCaption : CString();
}

BOOL CTkControlGallery::IsShownAsButton() const {
    const int nStyle = GetStyle();
    return nStyle == kButtonIcon || nStyle == kButtonIconAndCaptionBelow;
}

void CTkControlGallery::SetCheckedId(int nId) {
    if (nId == m_nCheckedId)
        return;
    m_nCheckedId = nId;
    if (m_pParent != nullptr)
        RedrawGallery();
}

BOOL CTkControlGallery::HasFollowingControl() const {
    if (m_pParent == nullptr || m_pParent->GetType() != kBarTypePopup || m_bShowBorders || m_pControls == nullptr)
        return FALSE;
    return m_pControls->GetNext(m_nIndex, 1, TRUE, FALSE, TRUE) > m_nIndex;
}

CTkControlGalleryPaintManager* CTkControlGallery::GetGalleryPaintManager() const {
    CTkPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager != nullptr
               ? dynamic_cast<CTkControlGalleryPaintManager*>(pPaintManager->m_pGalleryPaintManager)
               : nullptr;
}

// ---- Borders and layout

int CTkControlGallery::GetScrollAreaWidth() const {
    CTkControlGalleryPaintManager* pPainter = GetGalleryPaintManager();
    if (pPainter == nullptr)
        return 0;
    return m_pCommandBar != nullptr ? pPainter->m_nButtonColumnWidth : pPainter->m_nVertArrowWidth;
}

CRect CTkControlGallery::GetBorders() const {
    CRect rcBorders(0, 0, 0, 0);
    if (m_bShowBorders)
        rcBorders.SetRect(1, 1, 1, 1);
    if (m_pParent != nullptr) {
        if (m_bShowScrollBar)
            rcBorders.right += GetScrollAreaWidth();
        if (HasFollowingControl())
            rcBorders.bottom = kFollowingStrip;
    }
    rcBorders.left += m_rcMargin.left;
    rcBorders.top += m_rcMargin.top;
    rcBorders.right += m_rcMargin.right;
    rcBorders.bottom += m_rcMargin.bottom;
    return rcBorders;
}

CRect CTkControlGallery::GetItemsRect() const {
    const CRect rcBorders = GetBorders();
    CRect rc = m_rcControl;
    rc.left += rcBorders.left;
    rc.top += rcBorders.top;
    rc.right -= rcBorders.right;
    rc.bottom -= rcBorders.bottom;
    return rc;
}

void CTkControlGallery::Reposition() {
    if (m_pParent == nullptr || IsShownAsButton())
        return;
    const CRect rc = GetItemsRect();
    const int nCount = GetItemCount();
    m_positions.resize(static_cast<size_t>(nCount));
    int x = rc.left;
    int y = rc.top;
    int nRowHeight = 0;
    BOOL bRowStart = TRUE;
    for (int i = 0; i < nCount; ++i) {
        GALLERYITEM_POSITION& position = m_positions[static_cast<size_t>(i)];
        CTkGalleryItem* pItem = GetItem(i);
        position.pItem = pItem;
        position.bBeginsRow = FALSE;
        if (pItem->m_bLabel) {
            if (!m_bShowLabels) {
                position.rc.SetRectEmpty();
                continue;
            }
            if (!bRowStart)
                y += nRowHeight;
            position.rc.SetRect(rc.left, y, rc.right, y + kLabelHeight);
            position.bBeginsRow = TRUE;
            nRowHeight = 0;
            bRowStart = TRUE;
            x = rc.left;
            y += kLabelRowHeight;
            continue;
        }
        CSize size = pItem->GetSize();
        if (size.cx == 0)
            size.cx = rc.Width();
        if (bRowStart) {
            position.bBeginsRow = TRUE;
        } else if (x + size.cx > rc.right) {
            x = rc.left;
            position.bBeginsRow = TRUE;
            y += nRowHeight;
            nRowHeight = 0;
        }
        position.rc.SetRect(x, y, x + size.cx, y + size.cy);
        nRowHeight = std::max(nRowHeight, static_cast<int>(size.cy));
        bRowStart = FALSE;
        x += size.cx;
    }
    if (!bRowStart)
        y += nRowHeight;
    m_nTotalHeight = y - rc.top;
    if (y - rc.bottom < m_nScrollPos)
        m_nScrollPos = std::max(y - static_cast<int>(rc.bottom), 0);
    UpdateScrollBarInfo();
}

CRect CTkControlGallery::ShownRect(int nIndex) const {
    CRect rc = m_positions[static_cast<size_t>(nIndex)].rc;
    rc.OffsetRect(0, -m_nScrollPos);
    return rc;
}

int CTkControlGallery::HitTestItem(CPoint pt, CRect* prc) const {
    if (!GetEnabled() || IsShownAsButton())
        return -1;
    const CRect rcItems = GetItemsRect();
    for (int i = 0; i < static_cast<int>(m_positions.size()); ++i) {
        const CRect rc = ShownRect(i);
        if (rc.top >= rcItems.bottom)
            return -1;
        if (rc.PtInRect(pt)) {
            if (prc != nullptr)
                *prc = rc;
            return m_positions[static_cast<size_t>(i)].pItem->m_bLabel ? -1 : i;
        }
    }
    return -1;
}

CRect CTkControlGallery::GetItemRect(int nIndex) const {
    if (nIndex < 0 || nIndex >= static_cast<int>(m_positions.size()))
        return CRect(0, 0, 0, 0);
    CRect rc;
    rc.IntersectRect(ShownRect(nIndex), GetItemsRect());
    return rc;
}

// ---- Drawing

void CTkControlGallery::DrawItems(CDC* pDC) {
    CTkGalleryItemCollection* pItems = GetItems();
    if (pItems == nullptr)
        return;
    const CRect rcItems = GetItemsRect();
    CScopedSaveDC saved(pDC->GetSafeHdc());
    CRect rcClip = rcItems;
    rcClip.OffsetRect(pDC->GetViewportOrg());
    CRgn rgn;
    rgn.CreateRectRgnIndirect(&rcClip);
    pDC->SelectClipRgn(&rgn);
    const int nHot = m_bSelectionHidden ? -1 : m_nSelectedItem;
    const BOOL bEnabled = GetEnabled();
    for (int i = 0; i < static_cast<int>(m_positions.size()); ++i) {
        const CRect rc = ShownRect(i);
        CTkGalleryItem* pItem = m_positions[static_cast<size_t>(i)].pItem;
        if (rc.bottom >= rcItems.top && !rc.IsRectEmpty()) {
            const BOOL bHot = i == nHot;
            const BOOL bPressed = bHot && m_bItemPressed;
            const BOOL bChecked = pItem->m_nId == m_nCheckedId;
            if (!pItems->DrawItem(pDC, this, pItem, rc, bEnabled, bHot, bPressed, bChecked))
                pItem->Draw(pDC, this, rc, bEnabled, bHot, bPressed, bChecked);
        }
        if (rc.top > rcItems.bottom)
            break;
    }
}

void CTkControlGallery::PaintScrollBar(CDC* pDC) {
    CTkControlGalleryPaintManager* pPainter = GetGalleryPaintManager();
    if (pPainter == nullptr)
        return;
    if (m_pCommandBar != nullptr)
        pPainter->DrawScrollButtons(pDC, this);
    else
        pPainter->DrawScrollBar(pDC, this);
}

void CTkControlGallery::RedrawGallery(LPCRECT prc, BOOL bAnimate) {
    if (m_pParent != nullptr)
        m_pParent->Redraw(prc != nullptr ? prc : &m_rcControl, bAnimate);
}

void CTkControlGallery::OnSelectedItemChanged() {
    NotifySite(kNotifySelectionChange);
}

void CTkControlGallery::FillBackground(CDC* pDC, const CRect& rc) {
    if (CTkControlGalleryPaintManager* pPainter = GetGalleryPaintManager())
        pPainter->FillGalleryBackground(pDC, this, rc);
}

void CTkControlGallery::RecalcScrollBar() {
    UpdateScrollBarInfo();
}

// ---- CTkControl and CTkControlPopup

CSize CTkControlGallery::GetSize(CDC* pDC) {
    if (IsShownAsButton()) {
        // Measured like any popup button, not at the gallery's own size.
        CScopedControlSize size(m_nWidth, m_nHeight, 0, 0);
        return CTkControlPopup::GetSize(pDC);
    }
    const int nMinWidth = m_nResizable != 0 && GetItemCount() > 0 ? GetCustomizeMinWidth() : 0;
    return CSize(std::max(m_nWidth, nMinWidth), m_nHeight);
}

void CTkControlGallery::SetRect(CRect rc) {
    if (rc == m_rcControl)
        return;
    m_rcControl = rc;
    Reposition();
}

int CTkControlGallery::SetAction(CTkControlAction* pAction) {
    const int nResult = CTkControlPopup::SetAction(pAction);
    Reposition();
    return nResult;
}

void CTkControlGallery::Draw(CDC* pDC) {
    if (IsShownAsButton()) {
        CTkControlPopup::Draw(pDC);
        return;
    }
    FillBackground(pDC, m_rcControl);
    DrawItems(pDC);
    if (m_bShowScrollBar)
        PaintScrollBar(pDC);
}

BOOL CTkControlGallery::IsFocused() const {
    return !IsShownAsButton() && m_nSelected != 0;
}

void CTkControlGallery::Execute() {
    if (m_bPreviewing) {
        NotifySite(kNotifyPreviewApply);
        m_bPreviewing = FALSE;
    }
    CTkControlPopup::Execute();
}

BOOL CTkControlGallery::SetPopupOpen(BOOL bOpen) {
    if (m_bPreviewing) {
        NotifySite(kNotifyPreviewCancel);
        m_bPreviewing = FALSE;
    }
    return CTkControlPopup::SetPopupOpen(bOpen);
}

BOOL CTkControlGallery::HandleMouseWheel(UINT nFlags, short zDelta, CPoint pt) {
    CTkGalleryItemCollection* pItems = GetItems();
    if (pItems == nullptr || pItems->GetItemCount() == 0)
        return FALSE;
    const int nStep = 3 * pItems->m_nItemHeight;
    SetScrollPosition(zDelta < 0 ? m_nScrollPos + nStep : m_nScrollPos - nStep);
    return TRUE;
}

int CTkControlGallery::GetCustomizeMinHeight() const {
    CTkGalleryItemCollection* pItems = GetItems();
    if (m_pParent == nullptr || pItems == nullptr)
        return 0;
    const CRect rcBorders = GetBorders();
    return std::max(pItems->m_nItemHeight + static_cast<int>(rcBorders.top + rcBorders.bottom), kMinCustomizeHeight);
}

int CTkControlGallery::GetCustomizeMinWidth() const {
    CTkGalleryItemCollection* pItems = GetItems();
    if (m_pParent == nullptr || pItems == nullptr)
        return 0;
    // A gallery's drop-down is at least as wide as the gallery that opened it.
    if (auto* pPopupBar = DYNAMIC_DOWNCAST(CTkPopupBar, m_pParent)) {
        CTkControl* pOwner = pPopupBar->GetControlPopup();
        if (pOwner != nullptr && pOwner->GetType() == kControlGallery)
            return pOwner->GetRect().Width();
    }
    const CRect rcBorders = GetBorders();
    return std::max(pItems->m_nItemWidth, kMinCustomizeItemWidth) + static_cast<int>(rcBorders.left + rcBorders.right);
}

int CTkControlGallery::CanCustomizeResize() const {
    if (IsShownAsButton() || GetItems() == nullptr)
        return 0;
    return m_nResizable;
}

void CTkControlGallery::AdjustPopupRect(CRect& rc, BOOL bVertical) {
    if (IsShownAsButton()) {
        CTkControlPopup::AdjustPopupRect(rc, bVertical);
        return;
    }
    // The sub bar opens over the gallery, at its top-left corner.
    rc.SetRect(m_rcControl.left - 1, m_rcControl.top, m_rcControl.left - 1, m_rcControl.top);
}

// ---- Saved state and copying

void CTkControlGallery::ExchangeProperties(CTkPropExchange* pPX) {
    CTkControlPopup::ExchangeProperties(pPX);
    ExchangeBool(pPX, L"ShowLabels", m_bShowLabels, TRUE);
    // The saved default differs from the constructed value: a gallery that never set it saves 0, and a
    // missing key loads as 1, as layouts saved so far expect.
    ExchangeBool(pPX, L"ShowBorders", m_bShowBorders, TRUE);
    ExchangeBool(pPX, L"ShowScrollBar", m_bShowScrollBar, TRUE);
    RECT rcMargin = m_rcMargin;
    ExchangeRect(pPX, L"GalleryMargin", rcMargin, RECT{0, 0, 0, 0});
    m_rcMargin = rcMargin;
    if (pPX->m_nSchema > 23)
        ExchangeInt(pPX, L"Resizable", m_nResizable, 0);
}

void CTkControlGallery::CopyFrom(CTkControl* pSource, BOOL bRecursive) {
    CTkControlPopup::CopyFrom(pSource, bRecursive);
    // The items follow the bound action: they are not copied.
    if (auto* pGallery = DYNAMIC_DOWNCAST(CTkControlGallery, pSource)) {
        m_bShowLabels = pGallery->m_bShowLabels;
        m_bShowBorders = pGallery->m_bShowBorders;
        m_bShowScrollBar = pGallery->m_bShowScrollBar;
        m_rcMargin = pGallery->m_rcMargin;
        m_nResizable = pGallery->m_nResizable;
    }
}
