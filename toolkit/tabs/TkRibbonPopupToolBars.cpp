#include "TkRibbonPopupToolBars.h"

#include "MultiMonitorHelper.h"
#include "TkCommandBarKeyboardTip.h"
#include "TkCommandBars.h"
#include "TkControlDefs.h"
#include "TkControls.h"
#include "TkMouseManager.h"
#include "TkPaintManager.h"
#include "TkRibbonBar.h"
#include "TkRibbonGroup.h"
#include "TkRibbonGroups.h"
#include "TkRibbonTab.h"
#include "TkRibbonTheme.h"
#include "TkToolTipContext.h"

IMPLEMENT_DYNAMIC(CTkRibbonTabPopupToolBar, CTkPopupToolBar)
IMPLEMENT_SERIAL(CTkRibbonGroupPopupToolBar, CTkPopupToolBar, VERSIONABLE_SCHEMA | 33)

namespace {

// A tab popup keeps this far from the right edge of the work area it would pass.
constexpr int kTabPopupWorkAreaGap = 4;
// The margins of the groups in a tab popup: those of the ribbon's group strip.
const CRect kTabPopupGroupMargins(4, 3, 6, 0);
// A group is 7 pixels lower than the group strip.
constexpr int kGroupStripMargin = 7;

int GetGroupCaptionHeight(CTkRibbonBar* pRibbonBar) {
    CTkRibbonTheme* pTheme = pRibbonBar != nullptr ? pRibbonBar->GetRibbonTheme() : nullptr;
    return pTheme != nullptr ? pTheme->m_nGroupCaptionHeight : 0;
}

// Esc, and only Esc, leaves the keyboard tips for the bar to step back through.
void HideTipsUnlessEscape(CTkCommandBar* pBar, int nCode) {
    if (nCode != kNavigateEscape)
        pBar->HideKeyboardTips();
}

}  // namespace

// ---- The tab popup

BEGIN_MESSAGE_MAP(CTkRibbonTabPopupToolBar, CTkPopupToolBar)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

CTkRibbonTabPopupToolBar::CTkRibbonTabPopupToolBar(CTkRibbonTab* pRibbonTab)
    : m_pRibbonTab(static_cast<CTkRibbonTab*>(pRibbonTab->GetRuntimeClass()->CreateObject())),
      m_pRibbonBar(pRibbonTab->GetRibbonBar()) {
    InitScrollableBar(this);
    SetCommandBars(m_pRibbonBar->GetCommandBars());
    m_pRibbonTab->SetRibbonBar(m_pRibbonBar);
    m_pRibbonTab->SetParent(this);
    m_pRibbonTab->Copy(pRibbonTab);
    m_pRibbonTab->SetRect(pRibbonTab->GetRect());
    ModifyFlags(kBarFlagStacked, 0);
    SetAnimationEnabled(m_pRibbonBar->IsAnimationEnabled());
}

CTkRibbonTabPopupToolBar::~CTkRibbonTabPopupToolBar() {
    m_pRibbonTab->GetGroups()->RemoveAll();
    m_pRibbonTab->InternalRelease();
}

void CTkRibbonTabPopupToolBar::ScrollGroups(BOOL bBack) {
    PopupControl(-1);
    HideKeyboardTips();
    ScrollGroupsBy(m_pRibbonTab->GetGroups(), bBack);
}

CTkRibbonGroup* CTkRibbonTabPopupToolBar::HitTestGroup(CPoint pt) const {
    return m_rcGroups.PtInRect(pt) ? m_pRibbonTab->GetGroups()->HitTest(pt) : nullptr;
}

INT_PTR CTkRibbonTabPopupToolBar::OnToolHitTest(CPoint point, TOOLINFO* pToolInfo) const {
    const INT_PTR nHit = CTkPopupToolBar::OnToolHitTest(point, pToolInfo);
    // Long tips of group controls stand below the whole strip, out of the way of the groups.
    if (nHit != -1 && pToolInfo != nullptr && m_pToolTipContext != nullptr &&
        m_pToolTipContext->m_bShowTitleAndDescription) {
        CTkControl* pControl = m_pControls->HitTest(point);
        if (pControl != nullptr && pControl->GetRibbonGroup() != nullptr)
            pToolInfo->rect = m_rcGroups;
    }
    return nHit;
}

BOOL CTkRibbonTabPopupToolBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard) {
    SetHotGroup(nullptr);
    return CTkPopupToolBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard);
}

CSize CTkRibbonTabPopupToolBar::GetIconSize() const {
    return m_pRibbonBar->GetIconSize();
}

CSize CTkRibbonTabPopupToolBar::GetButtonSize() const {
    return m_pRibbonBar->GetButtonSize();
}

BOOL CTkRibbonTabPopupToolBar::IsKeyboardCuesVisible() const {
    return m_pRibbonBar->IsKeyboardCuesVisible();
}

void CTkRibbonTabPopupToolBar::DrawCommandBar(CDC* pDC, CRect rcClip) {
    CScopedSaveDC saved(pDC->GetSafeHdc());
    pDC->SetBkMode(TRANSPARENT);
    CScopedSelectObject font(pDC->GetSafeHdc(), GetPaintManager()->GetBarFont(this)->GetSafeHandle());
    if (CTkRibbonTheme* pTheme = m_pRibbonBar->GetRibbonTheme()) {
        pTheme->FillTabPopupBar(pDC, this);
        pTheme->FillGroupsArea(pDC, m_pRibbonTab, m_rcGroups);
    } else {
        FillBackground(pDC);
    }
    CTkRibbonGroups* pGroups = m_pRibbonTab->GetGroups();
    for (int i = 0; i < pGroups->GetCount(); ++i) {
        CTkRibbonGroup* pGroup = pGroups->GetAt(i);
        CRect rcBoth;
        if (pGroup->IsVisibleInRibbon() && rcBoth.IntersectRect(&pGroup->GetRect(), &rcClip))
            pGroup->Draw(pDC, rcClip);
    }
    for (CControlGroupsScroll* pButton : {m_pControlScrollLeft, m_pControlScrollRight}) {
        if (pButton->IsVisible())
            pButton->Draw(pDC);
    }
}

void CTkRibbonTabPopupToolBar::EnsureVisible(CTkControl* pControl) {
    if (pControl != nullptr && pControl->GetRibbonGroup() != nullptr &&
        (m_pControlScrollLeft->IsVisible() || m_pControlScrollRight->IsVisible()))
        EnsureControlVisible(m_pRibbonTab->GetGroups(), pControl->GetRect());
}

void CTkRibbonTabPopupToolBar::CreateKeyboardTips() {
    CreateGroupKeyboardTips(m_pRibbonTab);
}

// A control the layout hid in a collapsed group is reached through that group's popup: its button opens
// it, and the copy of the control there is activated.
void CTkRibbonTabPopupToolBar::OnKeyboardTipSelected(CTkCommandBarKeyboardTip* pTip) {
    auto* pControl = DYNAMIC_DOWNCAST(CTkControl, pTip->GetTarget());
    auto* pGroup = pControl != nullptr ? static_cast<CTkRibbonGroup*>(pControl->GetRibbonGroup()) : nullptr;
    if (pGroup == nullptr || !pGroup->IsReduced() || pGroup->IndexOf(pControl) == -1) {
        if (pControl == nullptr || pControl->IsVisible())
            CTkPopupToolBar::OnKeyboardTipSelected(pTip);
        return;
    }
    CTkControl* pButton = pGroup->GetControlGroupPopup();
    EnsureVisible(pButton);
    pButton->ActivateByKey();
    auto* pPopup = dynamic_cast<CTkRibbonGroupPopupToolBar*>(pButton->GetCommandBar());
    CTkRibbonGroup* pCopy = pPopup != nullptr ? pPopup->GetRibbonGroup() : nullptr;
    if (CTkControl* pMatch = pCopy != nullptr ? pCopy->GetAt(pGroup->IndexOf(pControl)) : nullptr)
        pMatch->ActivateByKey();
}

CSize CTkRibbonTabPopupToolBar::CalcDynamicSize(int, DWORD) {
    if (m_pRibbonBar->GetSafeHwnd() == nullptr)
        return CSize(0, 0);
    CRect rcRibbon;
    m_pRibbonBar->GetWindowRect(&rcRibbon);
    CRect rcTab = m_pRibbonTab->GetRect();
    m_pRibbonBar->ClientToScreen(&rcTab);
    const CRect rcWork = GetMultiMonitorHelper()->GetWorkAreaOfRect(&rcTab);
    int x = rcRibbon.left;
    if (x < rcWork.left || x >= rcWork.right)
        x = rcWork.left;
    int nWidth = rcRibbon.right - x;
    if (x + nWidth > rcWork.right)
        nWidth = rcWork.right - x - kTabPopupWorkAreaGap;
    const int nHeight = m_pRibbonBar->CalcGroupsHeight();
    // Below the tab strip, or above it where it would pass the bottom of the work area.
    int y = m_ptAnchor.y;
    if (y + nHeight > rcWork.bottom)
        y = m_rcExclude.top - nHeight;
    m_rcPopup.SetRect(x, y, x + nWidth, y + nHeight);
    m_rcGroups.SetRect(0, 0, nWidth, nHeight);

    CClientDC dc(m_hWnd != nullptr ? this : nullptr);
    CScopedSelectObject font(dc.GetSafeHdc(), GetPaintManager()->GetBarFont(this)->GetSafeHandle());
    m_pRibbonTab->GetGroups()->Layout(&dc, this, nWidth, kTabPopupGroupMargins);
    return m_rcGroups.Size();
}

BOOL CTkRibbonTabPopupToolBar::NavigateByCode(int nCode) {
    HideTipsUnlessEscape(this, nCode);
    if (NavigateByPosition(nCode))
        return TRUE;
    // Esc closes every popup, unless the ribbon was entered by a tab's mnemonic: then it steps back.
    if (nCode == kNavigateEscape && !m_pRibbonBar->IsKeyboardActivated()) {
        if (CTkCommandBars* pCommandBars = GetCommandBars())
            pCommandBars->ClosePopups();
        return TRUE;
    }
    return CTkPopupToolBar::NavigateByCode(nCode);
}

CRect CTkRibbonTabPopupToolBar::CalcPopupRect(CPoint, CSize) {
    return m_rcPopup;
}

void CTkRibbonTabPopupToolBar::OnMouseMove(UINT nFlags, CPoint point) {
    if (!CreateMouseManager()->IsTrackingOtherBar(this))
        TrackHotGroup(point);
    CTkPopupToolBar::OnMouseMove(nFlags, point);
}

LRESULT CTkRibbonTabPopupToolBar::OnMouseLeave(WPARAM wParam, LPARAM lParam) {
    SetHotGroup(nullptr);
    return CTkPopupToolBar::OnMouseLeave(wParam, lParam);
}

// ---- The group popup

BEGIN_MESSAGE_MAP(CTkRibbonGroupPopupToolBar, CTkPopupToolBar)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

CTkRibbonGroupPopupToolBar::CTkRibbonGroupPopupToolBar(CTkRibbonGroup* pRibbonGroup) : m_pSourceGroup(pRibbonGroup) {
    InitScrollableBar(this);
    if (pRibbonGroup == nullptr)
        return;
    m_pRibbonBar = pRibbonGroup->GetRibbonBar();
    SetCommandBars(m_pRibbonBar->GetCommandBars());
    m_pRibbonGroup = static_cast<CTkRibbonGroup*>(pRibbonGroup->GetRuntimeClass()->CreateObject());
    m_pRibbonGroup->SetRibbonBar(m_pRibbonBar);
    m_pRibbonGroup->SetParent(this);
    // The copy's own buttons come first, its controls go before them.
    m_pRibbonGroup->OnAdded();
    m_pRibbonGroup->Copy(pRibbonGroup);
    SetBorders(CRect(2, 2, 3, GetGroupCaptionHeight(m_pRibbonBar) + 1));
    ModifyFlags(kBarFlagStacked, 0);
    SetAnimationEnabled(m_pRibbonBar->IsAnimationEnabled());
}

CTkRibbonGroupPopupToolBar::~CTkRibbonGroupPopupToolBar() {
    if (m_pRibbonGroup != nullptr) {
        m_pRibbonGroup->OnRemoved();
        m_pRibbonGroup->InternalRelease();
    }
}

CRect CTkRibbonGroupPopupToolBar::GetGroupsRect() const {
    CRect rc(0, 0, 0, 0);
    if (m_hWnd != nullptr)
        ::GetClientRect(m_hWnd, &rc);
    return rc;
}

CTkRibbonGroup* CTkRibbonGroupPopupToolBar::HitTestGroup(CPoint pt) const {
    return m_pRibbonGroup != nullptr && m_pRibbonGroup->GetRect().PtInRect(pt) ? m_pRibbonGroup : nullptr;
}

CSize CTkRibbonGroupPopupToolBar::GetIconSize() const {
    return m_pRibbonBar != nullptr ? m_pRibbonBar->GetIconSize() : CTkPopupToolBar::GetIconSize();
}

CSize CTkRibbonGroupPopupToolBar::GetButtonSize() const {
    return m_pRibbonBar != nullptr ? m_pRibbonBar->GetButtonSize() : CTkPopupToolBar::GetButtonSize();
}

CSize CTkRibbonGroupPopupToolBar::CalcDynamicSize(int, DWORD) {
    if (m_pRibbonGroup == nullptr)
        return CSize(0, 0);
    CClientDC dc(m_hWnd != nullptr ? this : nullptr);
    CScopedSelectObject font(dc.GetSafeHdc(), GetPaintManager()->GetBarFont(this)->GetSafeHandle());
    m_pRibbonGroup->BeginLayout(&dc);
    const int nWidth = m_pRibbonGroup->CalcWidth(&dc);
    const int nHeight = m_pRibbonBar->CalcGroupsHeight() - kGroupStripMargin;
    const CRect rcBorders = GetBorders();
    m_pRibbonGroup->Reposition(0, 0, nWidth);
    m_pRibbonGroup->EndLayout(&dc);
    return CSize(rcBorders.left + rcBorders.right + nWidth, nHeight);
}

void CTkRibbonGroupPopupToolBar::DrawCommandBar(CDC* pDC, CRect rcClip) {
    CScopedSaveDC saved(pDC->GetSafeHdc());
    pDC->SetBkMode(TRANSPARENT);
    CScopedSelectObject font(pDC->GetSafeHdc(), GetPaintManager()->GetBarFont(this)->GetSafeHandle());
    CTkRibbonTheme* pTheme = m_pRibbonBar != nullptr ? m_pRibbonBar->GetRibbonTheme() : nullptr;
    if (pTheme == nullptr || m_pRibbonGroup == nullptr) {
        CTkPopupToolBar::DrawCommandBar(pDC, rcClip);
        return;
    }
    CTkRibbonGroups* pGroups = m_pRibbonGroup->GetGroups();
    pTheme->FillTabPopupArea(pDC, pGroups != nullptr ? pGroups->GetParentTab() : nullptr, this);
    m_pRibbonGroup->Draw(pDC, rcClip);
}

void CTkRibbonGroupPopupToolBar::CreateKeyboardTips() {
    CTkRibbonGroups* pGroups = m_pSourceGroup != nullptr ? m_pSourceGroup->GetGroups() : nullptr;
    if (pGroups != nullptr)
        CreateGroupKeyboardTips(pGroups->GetParentTab(), m_pSourceGroup, m_pRibbonGroup);
}

BOOL CTkRibbonGroupPopupToolBar::NavigateByCode(int nCode) {
    HideTipsUnlessEscape(this, nCode);
    return NavigateByPosition(nCode) || CTkPopupToolBar::NavigateByCode(nCode);
}

void CTkRibbonGroupPopupToolBar::OnMouseMove(UINT nFlags, CPoint point) {
    if (!CreateMouseManager()->IsTrackingOtherBar(this))
        TrackHotGroup(point);
    CTkPopupToolBar::OnMouseMove(nFlags, point);
}

LRESULT CTkRibbonGroupPopupToolBar::OnMouseLeave(WPARAM wParam, LPARAM lParam) {
    SetHotGroup(nullptr);
    return CTkPopupToolBar::OnMouseLeave(wParam, lParam);
}

// ---- The more popup

CTkRibbonBarMorePopupToolBar::CTkRibbonBarMorePopupToolBar(CTkRibbonBar* pRibbonBar) : m_pRibbonBar(pRibbonBar) {
    SetBorders(CRect(3, 3, 3, 3));
}

CSize CTkRibbonBarMorePopupToolBar::GetIconSize() const {
    return m_pRibbonBar->GetIconSize();
}

CSize CTkRibbonBarMorePopupToolBar::GetButtonSize() const {
    return m_pRibbonBar->GetButtonSize();
}

void CTkRibbonBarMorePopupToolBar::FillBackground(CDC* pDC) {
    if (CTkRibbonTheme* pTheme = m_pRibbonBar->GetRibbonTheme())
        pTheme->FillPopupFrame(pDC, this);
    else
        CTkPopupToolBar::FillBackground(pDC);
}

// ---- The ribbon behind a bar

CTkRibbonBar* GetRibbonOfBar(CTkCommandBar* pBar) {
    if (pBar == nullptr)
        return nullptr;
    if (pBar->IsRibbonBar())
        return static_cast<CTkRibbonBar*>(pBar);
    if (auto* pTabPopup = dynamic_cast<CTkRibbonTabPopupToolBar*>(pBar))
        return pTabPopup->GetRibbonBar();
    if (auto* pGroupPopup = dynamic_cast<CTkRibbonGroupPopupToolBar*>(pBar))
        return pGroupPopup->GetRibbonBar();
    if (auto* pMorePopup = dynamic_cast<CTkRibbonBarMorePopupToolBar*>(pBar))
        return pMorePopup->GetRibbonBar();
    return nullptr;
}
