#include "TkRibbonBar.h"

#include "TkControl.h"
#include "TkControlDefs.h"
#include "TkControls.h"
#include "TkPaintManager.h"
#include "TkRibbonControlTab.h"
#include "TkRibbonControls.h"
#include "TkRibbonGroups.h"
#include "TkRibbonQuickAccess.h"
#include "TkRibbonSystemButton.h"
#include "TkRibbonTab.h"
#include "TkRibbonTheme.h"
#include "TkTabPaintManager.h"
#include "TkThemedFrameHook.h"

#include <vector>

// The ribbon's layout: its height, and the positions of the caption strip, the system button, the
// quick-access row, the tab strip and the groups.

namespace {

// Where the groups start in the group strip, and the space kept at its right end.
constexpr int kGroupsLeft = 4;
constexpr int kGroupsTop = 3;
constexpr int kGroupsRight = 6;
// The system commands of the caption buttons (SC_MINIMIZE .. SC_RESTORE).
constexpr int kFirstCaptionButtonId = SC_MINIMIZE;
constexpr int kLastCaptionButtonId = SC_RESTORE;

void SetHideFlag(CTkControl* pControl, DWORD dwFlag, BOOL bSet) {
    const DWORD dwFlags = pControl->GetHideFlags();
    pControl->SetHideFlags(bSet ? dwFlags | dwFlag : dwFlags & ~dwFlag);
}

// The rectangle of a size vertically centred in a row, from x.
CRect CentredIn(const CRect& rcRow, int x, CSize sz) {
    const int y = rcRow.top + (rcRow.Height() - sz.cy) / 2;
    return CRect(x, y, x + sz.cx, y + sz.cy);
}

}  // namespace

CSize CTkRibbonBar::CalcLayout(int nLength, DWORD dwMode, int) {
    m_bPendingCommandUpdate = FALSE;
    CFrameWnd* pFrame = GetSiteFrame();
    CRect rcFrame(0, 0, 0, 0);
    if (pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr)
        pFrame->GetWindowRect(&rcFrame);
    const BOOL bBigEnough =
        (pFrame == nullptr || rcFrame.Height() >= m_nMinVisibleSize) && nLength >= m_nMinVisibleSize;
    if (bBigEnough != m_bRibbonBarVisible) {
        m_bRibbonBarVisible = bBigEnough;
        if (m_pFrameHook != nullptr)
            m_pFrameHook->DelayRecalcFrame();
    }
    if (!bBigEnough)
        return CSize(nLength, 0);

    CClientDC dc(m_hWnd != nullptr ? this : nullptr);
    CScopedSelectObject font(dc.GetSafeHdc(), GetPaintManager()->GetBarFont(this)->GetSafeHandle());
    m_nQuickAccessHeight = CalcQuickAccessHeight(&dc);
    const int nGroupsHeight = GetGroupsHeight();
    int nTail = nGroupsHeight > 0 ? 0 : 2;
    if (m_bShowQuickAccess && m_bShowQuickAccessBelow)
        nTail = m_nQuickAccessHeight + 1;
    const int nHeight = GetCaptionHeight() + GetFrameTopOffset() + nGroupsHeight + GetTabsHeight() + nTail;

    if ((dwMode & kLayoutCommit) != 0) {
        RepositionControls(&dc, nLength, nHeight);
        if (m_bPendingCommandUpdate) {
            UpdateCommandUI();
            m_bPendingCommandUpdate = FALSE;
        }
        if ((m_dwState & kStateLayoutPending) != 0) {
            m_dwState &= ~kStateLayoutPending;
            Redraw();
        }
    }
    return CSize(nLength, nHeight);
}

int CTkRibbonBar::CalcQuickAccessHeight(CDC* pDC) {
    int nHeight = GetButtonSize().cy + 4;
    for (int i = 0; i < m_pQuickAccessControls->GetCount(); ++i) {
        CTkControl* pControl = m_pQuickAccessControls->GetAt(i);
        if (pControl->IsVisible(kHideWrap))
            nHeight = std::max<int>(nHeight, pControl->GetSize(pDC).cy + 4);
    }
    return nHeight;
}

int CTkRibbonBar::GetFrameTopOffset() const {
    return m_pFrameHook != nullptr && m_pFrameHook->IsDwmEnabled() ? m_pFrameHook->GetFrameBorder() : 0;
}

BOOL CTkRibbonBar::IsQuickAccessControl(const CTkControl* pControl) const {
    if (pControl == m_pControlQuickAccess || pControl == m_pControlQuickAccessMore)
        return TRUE;
    for (int i = 0; i < m_pQuickAccessControls->GetCount(); ++i) {
        if (m_pQuickAccessControls->GetAt(i) == pControl)
            return TRUE;
    }
    return FALSE;
}

void CTkRibbonBar::RepositionControls(CDC* pDC, int nLength, int) {
    const int nTabsHeight = GetTabsHeight();
    const int nGroupsHeight = GetGroupsHeight();
    const int nCaptionHeight = GetCaptionHeight();
    const BOOL bCaption = IsCaptionVisible();
    const BOOL bBelow = m_bShowQuickAccess && m_bShowQuickAccessBelow;
    const BOOL bDwm = m_pFrameHook != nullptr && m_pFrameHook->IsDwmEnabled();
    const int nQuickAccessHeight = m_nQuickAccessHeight;

    // 1. The tab row, the group strip and the caption strip above them.
    CRect rcTabs(2, 0, nLength - 2, nTabsHeight);
    CRect rcGroups(0, nTabsHeight, nLength, nTabsHeight + nGroupsHeight);
    int nBorder = 4;
    if (bCaption) {
        nBorder = m_pFrameHook != nullptr ? m_pFrameHook->GetFrameBorder() : 0;
        const int nTopOffset = GetFrameTopOffset();
        m_rcCaption.SetRect(-nBorder, nTopOffset - nBorder, nLength + nBorder, nTopOffset + nCaptionHeight);
        const int nShift = m_rcCaption.bottom + nTopOffset - m_rcCaption.top - nBorder;
        rcTabs.OffsetRect(0, nShift);
        rcGroups.OffsetRect(0, nShift);
        m_rcHeader.SetRect(0, 0, nLength, m_rcCaption.bottom);
        m_rcCaptionText = m_pFrameHook != nullptr ? m_rcHeader : CRect(0, 0, 0, 0);
    } else {
        m_rcCaption.SetRectEmpty();
        m_rcCaptionText.SetRectEmpty();
        m_rcHeader.SetRectEmpty();
    }

    // 2. The quick-access controls, and the controls that share the tab row.
    std::vector<CTkControl*> quickAccess;
    std::vector<CTkControl*> captionArea;
    for (int i = 0; i < GetControlCount(); ++i) {
        CTkControl* pControl = GetControl(i);
        if (IsQuickAccessControl(pControl)) {
            quickAccess.push_back(pControl);
            continue;
        }
        const int nId = pControl->GetId();
        const BOOL bCaptionButton = nId >= kFirstCaptionButtonId && nId <= kLastCaptionButtonId &&
                                    dynamic_cast<CControlCaptionButton*>(pControl) != nullptr;
        if (pControl->GetRibbonGroup() == nullptr && pControl->IsVisible(kHideVertical) && !bCaptionButton &&
            pControl != m_pControlSystemButton && pControl != m_pControlScrollLeft &&
            pControl != m_pControlScrollRight && pControl != m_pControlTab)
            captionArea.push_back(pControl);
    }

    // 3. The quick-access row: below the groups, or in the caption strip.
    if (bBelow)
        m_rcQuickAccess.SetRect(0, rcGroups.bottom, nLength, rcGroups.bottom + nQuickAccessHeight);
    else
        m_rcQuickAccess.SetRect(nQuickAccessHeight + nTabsHeight, nBorder + m_rcCaption.top - 2, m_rcCaption.right,
                                nBorder + m_rcCaption.top - 3 + nQuickAccessHeight);

    // 4. The system button at the left.
    int x = 2;
    if (m_pControlSystemButton != nullptr) {
        SetHideFlag(m_pControlSystemButton, kHideWrap, !bCaption && !m_bTabsVisible);
        CRect rc;
        if (!bCaption) {
            rc = CentredIn(rcTabs, 0, m_pControlSystemButton->GetSize(pDC));
        } else if (m_bTabsVisible) {
            const int nWidth = nQuickAccessHeight + nTabsHeight - 3;
            const int nTop = m_rcCaption.top + nBorder - 1;
            rc.SetRect(0, nTop, nWidth, nTop + nWidth - 1);
        } else {
            const CSize sz = m_pControlSystemButton->GetSize(pDC);
            rc = CentredIn(m_rcCaption, 0, sz);
            if (!bBelow)
                m_rcQuickAccess.left = sz.cx + 15;
        }
        m_pControlSystemButton->SetRect(rc);
        if (m_pControlSystemButton->IsVisible())
            x = rc.right;
    }

    // 5. Controls of the tab row, from the left.
    const CRect rcTabRow(2, rcTabs.top, nLength - 2, rcTabs.bottom);
    for (CTkControl* pControl : captionArea) {
        if ((pControl->GetFlags() & kControlFlagRightAlign) != 0)
            continue;
        SetHideFlag(pControl, kHideVertical, !m_bTabsVisible);
        if (!pControl->IsVisible())
            continue;
        if (pControl->GetBeginGroup())
            x += 6;
        const CRect rc = CentredIn(rcTabs, x, pControl->GetSize(pDC));
        pControl->SetRect(rc);
        pControl->SetRowRect(rcTabRow);
        x = rc.right;
    }

    // 6. and 7. The quick-access row.
    const BOOL bShareTabRow = m_bShowQuickAccess && !m_bShowQuickAccessBelow && !bCaption;
    const BOOL bInCaptionStrip = !bShareTabRow && !bBelow;
    int xQuickAccess;
    if (bShareTabRow) {
        m_rcQuickAccess.SetRect(x + 5, rcTabs.top, m_rcQuickAccess.right, rcTabs.bottom);
        xQuickAccess = x + 5;
    } else {
        xQuickAccess = m_rcQuickAccess.left + (bBelow ? 2 : 0);
    }
    const int nRightLimit = bBelow ? nLength - 15 : bDwm ? nLength - 115 : nLength - 3 * nCaptionHeight;
    SetHideFlag(m_pControlQuickAccessMore, kHideGeneric, TRUE);
    BOOL bOverflow = FALSE;
    BOOL bCommandPlaced = FALSE;
    for (CTkControl* pControl : quickAccess) {
        const BOOL bCommand = pControl != m_pControlQuickAccess && pControl != m_pControlQuickAccessMore;
        SetHideFlag(pControl, kHideWrap,
                    !m_bShowQuickAccess || (bOverflow && pControl != m_pControlQuickAccessMore) ||
                        (!bCaption && !m_bTabsVisible));
        if (!pControl->IsVisible())
            continue;
        if (pControl == m_pControlQuickAccess && bInCaptionStrip && bCommandPlaced)
            xQuickAccess += 12;
        const CSize sz = pControl->GetSize(pDC);
        if (bCommand && xQuickAccess + sz.cx > nRightLimit) {
            SetHideFlag(pControl, kHideWrap, TRUE);
            SetHideFlag(m_pControlQuickAccessMore, kHideGeneric, FALSE);
            bOverflow = TRUE;
            continue;
        }
        CRect rc = CentredIn(m_rcQuickAccess, xQuickAccess, sz);
        if (bCommand && bInCaptionStrip)
            rc.OffsetRect(0, 2);
        pControl->SetRect(rc);
        pControl->SetRowRect(m_rcQuickAccess);
        if (bCommand) {
            xQuickAccess += sz.cx;
            bCommandPlaced = TRUE;
        } else if (bShareTabRow) {
            xQuickAccess += sz.cx;
        }
    }

    // 8. The end of the quick-access row and the start of the tab strip.
    if (!m_bShowQuickAccessBelow)
        m_rcQuickAccess.right = xQuickAccess;
    const int nTabsStart = bShareTabRow ? xQuickAccess : x;

    // 9. Controls of the tab row that keep to its right end.
    int xRight = rcTabs.right;
    for (auto it = captionArea.rbegin(); it != captionArea.rend(); ++it) {
        CTkControl* pControl = *it;
        if ((pControl->GetFlags() & kControlFlagRightAlign) == 0 || !pControl->IsVisible())
            continue;
        const CSize sz = pControl->GetSize(pDC);
        const CRect rc = CentredIn(rcTabs, xRight - sz.cx, sz);
        pControl->SetRect(rc);
        pControl->SetRowRect(rcTabRow);
        xRight = rc.left;
    }

    // 10. The tab strip.
    if (m_bTabsVisible && xRight >= nTabsStart + 6)
        m_rcTabControl.SetRect(nTabsStart, rcTabs.top, xRight, rcTabs.bottom + 1);
    else
        m_rcTabControl.SetRectEmpty();
    SetHideFlag(m_pControlTab, kHideGeneric, !m_bTabsVisible);
    m_pControlTab->SetRect(m_rcTabControl);
    if (CTkRibbonTheme* pTheme = GetRibbonTheme())
        pTheme->GetTabPaintManager()->RepositionTabControl(m_pControlTab, pDC, m_rcTabControl);

    // 11. The groups of the selected tab.
    m_rcGroups = rcGroups;
    CTkRibbonTab* pSelected = GetSelectedTab();
    if (pSelected != nullptr && nGroupsHeight > 0)
        pSelected->GetGroups()->Layout(pDC, this, rcGroups.Width(),
                                       CRect(rcGroups.left + kGroupsLeft, rcGroups.top + kGroupsTop, kGroupsRight, 0));
    else
        ShowScrollButtons(FALSE, FALSE);

    // 12. The frame's caption and the headers of contextual tabs.
    if (m_pFrameHook != nullptr)
        RepositionCaptionButtons();
    if (bCaption)
        RepositionContextHeaders();
}

int CTkRibbonBar::GetTabsHeight() const {
    CTkRibbonTheme* pTheme = GetRibbonTheme();
    return m_bTabsVisible && pTheme != nullptr ? pTheme->m_nTabStripHeight : 2;
}

int CTkRibbonBar::GetGroupsHeight() const {
    return m_bGroupsVisible && GetSelectedTab() != nullptr && !m_bMinimized ? CalcGroupsHeight() : 0;
}

int CTkRibbonBar::CalcGroupsHeight() const {
    if (m_nFixedGroupsHeight > 0)
        return m_nFixedGroupsHeight;
    CTkRibbonTheme* pTheme = GetRibbonTheme();
    if (pTheme == nullptr)
        return 0;
    return 3 * pTheme->m_nControlRowHeight + pTheme->m_nGroupCaptionHeight + 10;
}
