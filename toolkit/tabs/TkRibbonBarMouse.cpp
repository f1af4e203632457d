#include "TkRibbonBar.h"

#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControls.h"
#include "TkMouseManager.h"
#include "TkRibbonControlTab.h"
#include "TkRibbonGroup.h"
#include "TkRibbonTab.h"
#include "TkRibbonTabContextHeader.h"
#include "TkRibbonTheme.h"
#include "TkWindowFunctions.h"

// The ribbon's mouse handling: tabs, caption, hot groups and the double click that minimises.

namespace {

// The frame's system menu at a screen point (WM_POPUPSYSTEMMENU).
constexpr UINT kPopupSystemMenuMessage = 0x313;

LPARAM ScreenPointParam(CWnd* pWnd, CPoint point) {
    pWnd->ClientToScreen(&point);
    return MAKELPARAM(point.x, point.y);
}

}  // namespace

CTkRibbonTab* CTkRibbonBar::HitTestTab(CPoint point) const {
    if (!m_bTabsVisible || !m_rcTabControl.PtInRect(point))
        return nullptr;
    return static_cast<CTkRibbonTab*>(m_pControlTab->CTkTabManager::HitTest(point));
}

void CTkRibbonBar::OnLButtonDown(UINT nFlags, CPoint point) {
    CTkRibbonTab* pHit = HitTestTab(point);
    m_bTabClickedWhenSelected =
        pHit != nullptr && pHit == GetSelectedTab() && (!m_bMinimized || m_pControlTab->IsPopupOpen());
    if (CTkRibbonTabContextHeader* pHeader = HitTestContextHeader(point)) {
        m_pControlTab->SelectItem(pHeader->m_pFirstTab);
        return;
    }
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (const int nHit = HitTestCaption(point)) {
        if (pCommandBars != nullptr)
            pCommandBars->ClosePopups();
        UpdateWindow();
        CFrameWnd* pFrame = GetSiteFrame();
        if (pFrame != nullptr && !pFrame->IsZoomed())
            pFrame->SendMessage(WM_NCLBUTTONDOWN, static_cast<WPARAM>(nHit), ScreenPointParam(this, point));
        return;
    }
    if (pHit != nullptr || (m_bTabsVisible && m_rcTabControl.PtInRect(point))) {
        if (pCommandBars != nullptr)
            pCommandBars->ClosePopups();
        if (!m_bTabClickedWhenSelected && m_pControlTab->PerformClick(m_hWnd, point)) {
            if (m_bMinimized) {
                m_pControlTab->PopupSelectedTab(FALSE);
                m_bTabClickedWhenSelected = TRUE;
            }
            return;
        }
    }
    CTkMenuBar::OnLButtonDown(nFlags, point);
}

void CTkRibbonBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
    const int nHit = HitTestCaption(point);
    if (nHit == HTCAPTION || (nHit == 0 && m_pFrameHook != nullptr && HitTestContextHeader(point) != nullptr)) {
        if (CFrameWnd* pFrame = GetSiteFrame())
            pFrame->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPointParam(this, point));
        return;
    }
    CTkRibbonTab* pHit = HitTestTab(point);
    if (pHit != nullptr && pHit == GetSelectedTab() && m_bAllowMinimize) {
        // A double click minimises only when its first press found the tab selected already: the press
        // that selects a tab must not also fold the ribbon.
        if (m_bMinimized)
            SetMinimized(FALSE);
        else if (m_bTabClickedWhenSelected)
            SetMinimized(TRUE);
    }
    CTkMenuBar::OnLButtonDblClk(nFlags, point);
}

void CTkRibbonBar::OnMouseMove(UINT nFlags, CPoint point) {
    CTkMouseManager* pMouseManager = CreateMouseManager();
    const BOOL bHotTracking = pMouseManager->GetTrackedCount() == 0 && IsTopLevelWindowActive(m_hWnd) &&
                              !pMouseManager->IsTrackingOtherBar(this) && m_nSelected == -1;
    if (bHotTracking) {
        CTkRibbonTheme* pTheme = GetRibbonTheme();
        if (pTheme != nullptr && pTheme->m_bGroupHighlight) {
            CTkRibbonGroup* pGroup = HitTestGroup(point);
            if (pGroup != m_pHotGroup) {
                SetHotGroup(pGroup);
                pMouseManager->TrackMouseLeave(m_hWnd);
            }
        }
        m_pControlTab->PerformMouseMove(m_hWnd, point);
    }
    CTkMenuBar::OnMouseMove(nFlags, point);
}

LRESULT CTkRibbonBar::OnMouseLeave(WPARAM wParam, LPARAM lParam) {
    m_pControlTab->PerformMouseMove(m_hWnd, CPoint(-1, -1));
    SetHotGroup(nullptr);
    return CTkMenuBar::OnMouseLeave(wParam, lParam);
}

void CTkRibbonBar::OnRButtonDown(UINT nFlags, CPoint point) {
    if (IsCustomizeMode()) {
        CTkMenuBar::OnRButtonDown(nFlags, point);
        return;
    }
    if (m_nTrackingMode != kTrackingNone)
        SetTrackingMode(kTrackingNone);
    if (HitTestCaption(point) != 0)
        return;
    if (CTkControl* pControl = m_pControls->HitTest(point))
        pControl->HandleRightButtonDown(point);
}

void CTkRibbonBar::OnRButtonUp(UINT nFlags, CPoint point) {
    if (HitTestCaption(point) != 0) {
        if (CFrameWnd* pFrame = GetSiteFrame())
            pFrame->SendMessage(kPopupSystemMenuMessage, 0, ScreenPointParam(this, point));
        return;
    }
    if (IsCustomizeMode())
        return;
    if (CTkControl* pControl = m_pControls->HitTest(point)) {
        CWnd* pSite = GetSite();
        if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr) {
            CPoint pt = point;
            if (pSite->SendMessage(ControlRightButtonUpMessage, reinterpret_cast<WPARAM>(&pt),
                                   reinterpret_cast<LPARAM>(pControl)) == 1)
                return;
        }
        if (!pControl->HandleRightButtonUp(point))
            ShowContextMenu(point, pControl);
        return;
    }
    CTkRibbonGroup* pGroup = HitTestGroup(point);
    CTkRibbonTheme* pTheme = GetRibbonTheme();
    if (pGroup != nullptr && pTheme != nullptr && point.y > pGroup->GetRect().bottom - pTheme->m_nGroupCaptionHeight) {
        ShowContextMenu(point, pGroup->GetControlGroupPopup());
        return;
    }
    if (m_rcQuickAccess.PtInRect(point)) {
        ShowContextMenu(point, m_pControlTab);
        return;
    }
    CWnd::OnRButtonUp(nFlags, point);
}
