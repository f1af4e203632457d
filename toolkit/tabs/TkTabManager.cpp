#include "TkTabManager.h"

#include "TkMarkup.h"
#include "TkTabAppearanceSet.h"
#include "TkTabPaintManager.h"
#include "TkToolTipContext.h"
#include "TkWindowFunctions.h"

#include <algorithm>

// ---- CTkTabManagerItem

IMPLEMENT_DYNAMIC(CTkTabManagerItem, CCmdTarget)

CTkTabManagerItem::CTkTabManagerItem() = default;

CTkTabManagerItem::~CTkTabManagerItem() {
    OnRemoved();
    ReleaseMarkupElement(m_pMarkupElement);
}

void CTkTabManagerItem::SetVisible(BOOL bVisible) {
    if (m_bVisible == bVisible)
        return;
    m_bVisible = bVisible;
    if (m_pTabManager != nullptr)
        m_pTabManager->Reposition();
}

void CTkTabManagerItem::OnRemoved() {
    for (CTkTabManagerNavigateButton* pButton : m_buttons)
        delete pButton;
    m_buttons.clear();
}

CString CTkTabManagerItem::GetCaption() const {
    return m_pTabManager != nullptr ? m_pTabManager->GetItemCaption(this) : m_strCaption;
}

COLORREF CTkTabManagerItem::GetColor() const {
    return m_pTabManager != nullptr ? m_pTabManager->GetItemColor(this) : m_clrItem;
}

void CTkTabManagerItem::Select() {
    if (m_pTabManager != nullptr)
        m_pTabManager->OnItemClick(this);
}

void CTkTabManagerItem::Remove() {
    if (m_pTabManager != nullptr)
        m_pTabManager->DeleteItem(m_nIndex);
}

BOOL CTkTabManagerItem::IsSelected() const {
    return m_pTabManager != nullptr && m_pTabManager->m_pSelected == this;
}

BOOL CTkTabManagerItem::IsHighlighted() const {
    return m_pTabManager != nullptr && m_pTabManager->m_pHighlighted == this;
}

BOOL CTkTabManagerItem::IsPressed() const {
    return m_pTabManager != nullptr && m_pTabManager->m_pPressed == this;
}

void CTkTabManagerItem::SetRect(const RECT& rc) {
    m_rcItem = rc;
    for (CTkTabManagerNavigateButton* pButton : m_buttons)
        pButton->SetRect(CRect(0, 0, 0, 0));
}

// ---- CTkTabManager

CTkTabManager::CTkTabManager() {
    m_navigateButtons.push_back(new CNavigateButtonArrowLeft(this));
    m_navigateButtons.push_back(new CNavigateButtonArrowRight(this));
    m_navigateButtons.push_back(new CNavigateButtonClose(this, kNavigateButtonHidden));
}

CTkTabManager::~CTkTabManager() {
    for (CTkTabManagerItem* pItem : m_items) {
        pItem->OnRemoved();
        pItem->m_pTabManager = nullptr;
        pItem->InternalRelease();
    }
    m_items.clear();
    for (CTkTabManagerNavigateButton* pButton : m_navigateButtons)
        delete pButton;
    m_navigateButtons.clear();
    ReleaseMarkupContext(m_pMarkupContext);
}

CString CTkTabManager::GetItemCaption(const CTkTabManagerItem* pItem) const {
    return pItem->m_strCaption;
}

HICON CTkTabManager::GetItemIcon(const CTkTabManagerItem* pItem) const {
    return pItem->m_hIcon;
}

COLORREF CTkTabManager::GetItemColor(const CTkTabManagerItem* pItem) const {
    const COLORREF clr = pItem->m_clrItem;
    if (IsAutomaticTabColor(clr))
        return CTkTabPaintManager::GetAutomaticColor(static_cast<int>(clr - kAutomaticTabColor));
    return clr;
}

CString CTkTabManager::GetItemTooltip(const CTkTabManagerItem* pItem) const {
    return pItem->m_strToolTip;
}

void CTkTabManager::OnItemsChanged() {
    for (size_t i = 0; i < m_items.size(); ++i)
        m_items[i]->m_nIndex = static_cast<int>(i);
    Reposition();
}

void CTkTabManager::SelectItem(CTkTabManagerItem* pItem) {
    if (pItem == m_pSelected)
        return;
    m_pSelected = pItem;
    Reposition();
    EnsureVisible(pItem);
}

void CTkTabManager::ClickItem(CTkTabManagerItem* pItem) {
    // A key that finds no selectable tab passes NULL: hosts are never asked about it.
    if (pItem != nullptr && OnBeforeItemClick(pItem))
        OnItemClick(pItem);
}

void CTkTabManager::GetItemMetrics(CSize* pszButton, CSize* pszMin, CSize* pszMax) const {
    const CTkTabPaintManager* pPaintManager = GetPaintManager();
    if (pszButton != nullptr)
        *pszButton = CSize(pPaintManager != nullptr ? pPaintManager->m_nFixedTabLength : 0, 0);
    if (pszMin != nullptr)
        *pszMin = CSize(pPaintManager != nullptr ? pPaintManager->m_nMinTabLength : 0, 0);
    if (pszMax != nullptr)
        *pszMax = CSize(pPaintManager != nullptr ? pPaintManager->m_nMaxTabLength : 0, 0);
}

BOOL CTkTabManager::IsDrawStaticFrame() const {
    const CTkTabPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager != nullptr && pPaintManager->m_bStaticFrame;
}

int CTkTabManager::GetPosition() const {
    const CTkTabPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager != nullptr ? pPaintManager->GetPosition() : kTabPositionTop;
}

void CTkTabManager::OnScroll(BOOL bForward) {
    SetScrollOffset(bForward ? m_nScrollOffset - m_nScrollStep : m_nScrollOffset + m_nScrollStep);
}

BOOL CTkTabManager::DrawParentBackground(CDC*, CRect) {
    return FALSE;
}

BOOL CTkTabManager::IsNavigateButtonVisible(const CTkTabManagerNavigateButton* pButton) const {
    if (pButton->GetId() != kNavigateButtonClose)
        return TRUE;
    return m_pSelected != nullptr && m_pSelected->m_bClosable;
}

void CTkTabManager::OnItemClick(CTkTabManagerItem* pItem) {
    SelectItem(pItem);
}

BOOL CTkTabManager::OnBeforeItemClick(CTkTabManagerItem*) {
    return TRUE;
}

void CTkTabManager::OnNavigateButtonCommand(int) {}

void CTkTabManager::OnNavigateButtonClick(CTkTabManagerNavigateButton* pButton) {
    OnNavigateButtonCommand(pButton->GetId());
}

// ---- Tabs

CTkTabManagerItem* CTkTabManager::InsertItem(int nIndex, CTkTabManagerItem* pItem) {
    if (pItem == nullptr)
        pItem = new CTkTabManagerItem;
    pItem->m_pTabManager = this;
    const int nCount = GetItemCount();
    if (nIndex < 0 || nIndex > nCount)
        nIndex = nCount;
    m_items.insert(m_items.begin() + nIndex, pItem);
    if (CTkTabPaintManager* pPaintManager = GetPaintManager())
        pItem->m_clrItem = pPaintManager->TakeNewTabColor();
    if (m_nCloseButtonMode != kNavigateButtonHidden)
        pItem->m_buttons.push_back(new CNavigateButtonTabClose(this, pItem, m_nCloseButtonMode));
    OnItemsChanged();
    return pItem;
}

BOOL CTkTabManager::DeleteItem(int nIndex) {
    if (nIndex < 0 || nIndex >= GetItemCount())
        return FALSE;
    CTkTabManagerItem* pItem = m_items[static_cast<size_t>(nIndex)];
    const BOOL bSelected = pItem == m_pSelected;
    if (pItem == m_pHighlighted)
        m_pHighlighted = nullptr;
    // A mouse loop may still hold the tab: it must not act on a tab that left the row.
    if (pItem == m_pPressed)
        m_pPressed = nullptr;
    m_items.erase(m_items.begin() + nIndex);
    pItem->OnRemoved();
    pItem->m_pTabManager = nullptr;
    pItem->InternalRelease();
    if (bSelected) {
        m_pSelected = nullptr;
        SelectNearestItem(nIndex);
    }
    OnItemsChanged();
    return TRUE;
}

void CTkTabManager::DeleteAllItems() {
    std::vector<CTkTabManagerItem*> items;
    items.swap(m_items);
    m_pPressed = m_pSelected = m_pHighlighted = nullptr;
    for (CTkTabManagerItem* pItem : items) {
        pItem->OnRemoved();
        pItem->m_pTabManager = nullptr;
        pItem->InternalRelease();
    }
    OnItemsChanged();
}

CTkTabManagerItem* CTkTabManager::GetItem(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetItemCount())
        return nullptr;
    return m_items[static_cast<size_t>(nIndex)];
}

BOOL CTkTabManager::ContainsItem(const CTkTabManagerItem* pItem) const {
    return pItem != nullptr && std::find(m_items.begin(), m_items.end(), pItem) != m_items.end();
}

int CTkTabManager::GetCurSel() const {
    return m_pSelected != nullptr ? m_pSelected->m_nIndex : -1;
}

CTkTabManagerItem* CTkTabManager::FindNextItem(int nIndex, int nStep) const {
    for (nIndex += nStep; nIndex >= 0 && nIndex < GetItemCount(); nIndex += nStep) {
        CTkTabManagerItem* pItem = m_items[static_cast<size_t>(nIndex)];
        if (pItem == nullptr)
            return nullptr;
        if (pItem->IsVisible() && pItem->IsEnabled())
            return pItem;
    }
    return nullptr;
}

void CTkTabManager::SelectNearestItem(int nIndex) {
    if (m_items.empty()) {
        SelectItem(nullptr);
        return;
    }
    SelectItem(m_items[static_cast<size_t>(std::clamp(nIndex, 0, GetItemCount() - 1))]);
}

int CTkTabManager::GetItemsLength() const {
    const CTkTabPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager != nullptr && pPaintManager->GetLayout() == kTabLayoutRotated)
        return GetItemCount() * pPaintManager->GetAppearanceSet()->GetRowHeight(const_cast<CTkTabManager*>(this));
    int nLength = 0;
    for (const CTkTabManagerItem* pItem : m_items)
        nLength += pItem->m_nLength;
    return nLength;
}

// ---- Scrolling and state

void CTkTabManager::SetScrollOffset(int nOffset) {
    if (nOffset > 0)
        nOffset = 0;
    if (nOffset == m_nScrollOffset)
        return;
    m_nScrollOffset = nOffset;
    Reposition();
}

void CTkTabManager::EnsureVisible(CTkTabManagerItem* pItem) {
    if (pItem == nullptr)
        return;
    if (CTkTabPaintManager* pPaintManager = GetPaintManager())
        pPaintManager->EnsureVisible(this, pItem);
}

void CTkTabManager::SetActive(BOOL bActive) {
    if (m_bActive == bActive)
        return;
    m_bActive = bActive;
    Reposition();
}

void CTkTabManager::ResetRows(int nRows) {
    m_rows.assign(static_cast<size_t>(std::max(nRows, 1)), TabRow{0, -1});
    m_rows[0] = TabRow{0, GetItemCount() - 1};
}

// ---- Navigate buttons

CTkTabManagerNavigateButton* CTkTabManager::GetNavigateButton(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetNavigateButtonCount())
        return nullptr;
    return m_navigateButtons[static_cast<size_t>(nIndex)];
}

CTkTabManagerNavigateButton* CTkTabManager::FindNavigateButton(int nId) const {
    for (CTkTabManagerNavigateButton* pButton : m_navigateButtons) {
        if (pButton != nullptr && pButton->GetId() == nId)
            return pButton;
    }
    return nullptr;
}

void CTkTabManager::ClearHighlightedButton(const CTkTabManagerNavigateButton* pButton) {
    if (m_pHighlightedButton == pButton)
        m_pHighlightedButton = nullptr;
}

// ---- Hit tests

CTkTabManagerItem* CTkTabManager::HitTest(CPoint pt) const {
    if (!m_rcControl.PtInRect(pt))
        return nullptr;
    if (!m_rcHeader.IsRectEmpty() && !m_rcHeader.PtInRect(pt))
        return nullptr;
    for (CTkTabManagerItem* pItem : m_items) {
        if (pItem->m_rcItem.PtInRect(pt) && pItem->IsEnabled() && pItem->IsVisible())
            return pItem;
    }
    return nullptr;
}

CTkTabManagerNavigateButton* CTkTabManager::HitTestNavigateButton(CPoint pt, BOOL bHeaderOnly, int* pnIndex) const {
    // The first button whose rectangle holds the point decides: a disabled one answers NULL.
    auto find = [&](const std::vector<CTkTabManagerNavigateButton*>& buttons,
                    BOOL& bFound) -> CTkTabManagerNavigateButton* {
        for (size_t i = 0; i < buttons.size(); ++i) {
            CTkTabManagerNavigateButton* pButton = buttons[i];
            if (pButton == nullptr || !pButton->GetRect().PtInRect(pt))
                continue;
            bFound = TRUE;
            if (!pButton->IsEnabled())
                return nullptr;
            if (pnIndex != nullptr)
                *pnIndex = static_cast<int>(i);
            return pButton;
        }
        return nullptr;
    };
    BOOL bFound = FALSE;
    CTkTabManagerNavigateButton* pButton = find(m_navigateButtons, bFound);
    if (bFound || bHeaderOnly)
        return pButton;
    CTkTabManagerItem* pItem = HitTest(pt);
    return pItem != nullptr ? find(pItem->m_buttons, bFound) : nullptr;
}

// ---- Keyboard

BOOL CTkTabManager::PerformKeyDown(HWND hWnd, UINT nKey) {
    if (m_items.empty())
        return FALSE;
    MirrorArrowKeyForRtl(CWnd::FromHandle(hWnd), &nKey);
    const BOOL bHorizontal = IsHorizontalTabPosition(GetPosition());
    const UINT nBackKey = bHorizontal ? VK_LEFT : VK_UP;
    const UINT nOnKey = bHorizontal ? VK_RIGHT : VK_DOWN;
    const int nCount = GetItemCount();
    if (nKey == VK_END) {
        ClickItem(FindNextItem(nCount, -1));
        return TRUE;
    }
    if (nKey == VK_HOME) {
        ClickItem(FindNextItem(-1, +1));
        return TRUE;
    }
    if (nKey == nBackKey) {
        if (m_pSelected != nullptr && m_pSelected->m_nIndex > 0)
            ClickItem(FindNextItem(m_pSelected->m_nIndex, -1));
        return TRUE;
    }
    if (nKey == nOnKey) {
        if (m_pSelected != nullptr && m_pSelected->m_nIndex < nCount - 1)
            ClickItem(FindNextItem(m_pSelected->m_nIndex, +1));
        return TRUE;
    }
    return nKey == VK_LEFT || nKey == VK_RIGHT || nKey == VK_UP || nKey == VK_DOWN;
}

// ---- Mouse

void CTkTabManager::PerformMouseMove(HWND hWnd, CPoint pt) {
    CTkTabPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager == nullptr)
        return;
    auto requestLeave = [hWnd] {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, hWnd, 0};
        ::_TrackMouseEvent(&tme);
    };
    if (!IsTopLevelWindowActive(hWnd) || IsMouseLocked()) {
        if (m_pHighlighted != nullptr) {
            const CRect rc = pPaintManager->GetAppearanceSet()->GetTabPaintRect(m_pHighlighted);
            m_pHighlighted = nullptr;
            RedrawControl(rc, TRUE);
        }
        return;
    }
    if (pPaintManager->m_bHotTracking) {
        CTkTabManagerItem* pItem = HitTest(pt);
        if (pItem != m_pHighlighted) {
            if (m_pHighlighted != nullptr)
                RedrawControl(pPaintManager->GetAppearanceSet()->GetTabPaintRect(m_pHighlighted), TRUE);
            m_pHighlighted = pItem;
            if (pItem != nullptr) {
                RedrawControl(pPaintManager->GetAppearanceSet()->GetTabPaintRect(pItem), FALSE);
                requestLeave();
            }
        }
    }
    CTkTabManagerNavigateButton* pButton = HitTestNavigateButton(pt, FALSE);
    if (pButton != m_pHighlightedButton) {
        if (m_pHighlightedButton != nullptr)
            RedrawControl(m_pHighlightedButton->GetRect(), TRUE);
        m_pHighlightedButton = pButton;
        if (pButton != nullptr) {
            RedrawControl(pButton->GetRect(), FALSE);
            requestLeave();
        }
    }
}

BOOL CTkTabManager::PerformClick(HWND hWnd, CPoint pt, BOOL bNoItemClick) {
    if (CTkTabManagerNavigateButton* pButton = HitTestNavigateButton(pt, FALSE)) {
        pButton->PerformClick(hWnd, pt);
        return TRUE;
    }
    if (bNoItemClick)
        return FALSE;
    CTkTabManagerItem* pItem = HitTest(pt);
    if (pItem == nullptr || !OnBeforeItemClick(pItem))
        return FALSE;
    if (IsAllowReorder()) {
        TrackReorder(hWnd, pt, pItem);
        return TRUE;
    }
    const CTkTabPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager == nullptr || pPaintManager->m_bSelectOnButtonDown) {
        OnItemClick(pItem);
        return TRUE;
    }
    TrackClick(hWnd, pt, pItem);
    return TRUE;
}

// ---- Tooltips

INT_PTR CTkTabManager::OnToolHitTest(HWND hWnd, CPoint pt, TOOLINFO* pInfo) {
    if (IsMouseLocked())
        return -1;
    int nIndex = -1;
    if (CTkTabManagerNavigateButton* pButton = HitTestNavigateButton(pt, FALSE, &nIndex)) {
        if (pButton->GetToolTip().IsEmpty())
            return -1;
        FillToolInfo(pInfo, hWnd, pButton->GetRect(), static_cast<UINT_PTR>(nIndex), pButton->GetToolTip());
        return nIndex;
    }
    const CTkTabPaintManager* pPaintManager = GetPaintManager();
    CTkTabManagerItem* pItem = HitTest(pt);
    if (pItem == nullptr || pPaintManager == nullptr || pPaintManager->m_nToolTipMode == 0)
        return -1;
    if (pPaintManager->m_nToolTipMode == 2 && !pItem->IsTruncated())
        return -1;
    const CString strTip = GetItemTooltip(pItem);
    if (strTip.IsEmpty())
        return -1;
    FillToolInfoEx(pInfo, hWnd, pItem->GetRect(), static_cast<UINT_PTR>(pItem->m_nIndex), strTip, GetItemCaption(pItem),
                   strTip, nullptr);
    return pItem->m_nIndex;
}
