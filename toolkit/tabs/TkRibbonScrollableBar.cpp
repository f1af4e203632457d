#include "TkRibbonScrollableBar.h"

#include "TkCommandBar.h"
#include "TkCommandBarKeyboardTip.h"
#include "TkCommandBars.h"
#include "TkControlDefs.h"
#include "TkControls.h"
#include "TkRibbonBar.h"
#include "TkRibbonControlTab.h"
#include "TkRibbonGroup.h"
#include "TkRibbonGroups.h"
#include "TkRibbonPopupToolBars.h"
#include "TkRibbonQuickAccess.h"
#include "TkRibbonTab.h"
#include "TkRibbonTheme.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kGroupsScrollStep = 40;
// The scroll buttons reach one pixel past the strip's ends and 12 pixels into it.
constexpr int kScrollButtonInside = 12;
constexpr int kScrollButtonOutside = 1;
// The repeat timer of a held scroll button: the first repeat after 4/5 of the double-click time, the
// next ones every tenth of it.
constexpr UINT_PTR kTimerGroupsScroll = 17821;

// ---- Keyboard tips of group controls

constexpr int kOptionTipAboveStrip = 6;
constexpr int kTipIndent = 11;
constexpr int kCheckTipIndent = 6;

// Where the tip of a group control points, and how it lies on that point.
struct TipPlace {
    CPoint pt;
    UINT nAlign;
};

TipPlace PlaceGroupTip(CTkRibbonGroup* pGroup, CTkControl* pControl, const CRect& rcStrip) {
    const CRect& rc = pControl->GetRect();
    const CRect rcGroup = pGroup->GetRect();
    const CRect rcCaption = pGroup->GetCaptionRect();
    if (pControl == pGroup->GetControlGroupOption())
        return {CPoint(rc.CenterPoint().x, rcStrip.bottom - kOptionTipAboveStrip),
                CTkCommandBarKeyboardTip::kAlignCenter};
    const UINT nBelow = CTkCommandBarKeyboardTip::kAlignCenter | CTkCommandBarKeyboardTip::kAlignVCenter;
    const int nAreaHeight = rcGroup.Height() - rcCaption.Height() + 2;
    if (pControl->GetType() == kControlGallery)
        return {CPoint(rc.right, rcCaption.top), nBelow};
    if (pControl->GetStyle() == kButtonIconAndCaptionBelow && nAreaHeight / 2 < rc.Height())
        return {CPoint(rc.CenterPoint().x, rcCaption.top), nBelow};

    // Small controls: by the third of the control area their centre lies in.
    TipPlace place{CPoint(rc.left + kTipIndent, 0), CTkCommandBarKeyboardTip::kAlignVCenter};
    const int nType = pControl->GetType();
    if (nType == kControlCheckBox || nType == kControlRadioButton) {
        place.pt.x = rc.left + kCheckTipIndent;
    } else if ((nType == kControlComboBox || nType == kControlEdit) && pControl->GetStyle() == kButtonAutomatic) {
        place.pt.x = rc.CenterPoint().x;
        place.nAlign |= CTkCommandBarKeyboardTip::kAlignCenter;
    }
    const int nCentre = rc.CenterPoint().y - rcGroup.top;
    if (nCentre < nAreaHeight / 3)
        place.pt.y = rcGroup.top + 2;
    else if (nCentre < nAreaHeight * 2 / 3)
        place.pt.y = rcGroup.top + nAreaHeight / 2 - 1;
    else
        place.pt.y = rcCaption.top;
    return place;
}

void AddGroupTip(CTkCommandBars* pCommandBars, CTkRibbonGroup* pGroup, CTkControl* pControl, const CRect& rcStrip,
                 LPCWSTR pszDefaultKeys) {
    if (pControl == nullptr || (pControl->GetFlags() & kControlFlagNoKeyboard))
        return;
    const CString strCaption = pControl->GetCaption();
    CString strKeys = pControl->GetKeyboardTip();
    if (strCaption.IsEmpty() && strKeys.IsEmpty())
        return;
    if (strKeys.IsEmpty() && pszDefaultKeys != nullptr)
        strKeys = pszDefaultKeys;
    const TipPlace place = PlaceGroupTip(pGroup, pControl, rcStrip);
    auto* pTip = new CTkCommandBarKeyboardTip(pCommandBars, pControl, strCaption, place.pt.x, place.pt.y, place.nAlign,
                                              pControl->GetEnabled());
    pTip->SetExplicitKeys(strKeys);
    CRect rcInside;
    rcInside.IntersectRect(&rcStrip, &pControl->GetRect());
    pTip->SetShown(pGroup->IsVisibleInRibbon() && pControl->IsVisible() && rcInside == pControl->GetRect());
    pCommandBars->AddKeyboardTip(pTip);
}

// ---- Navigation geometry

// Two extents overlap by more than one pixel.
BOOL Overlaps(int nStart1, int nEnd1, int nStart2, int nEnd2) {
    return nStart1 + 1 < nEnd2 && nStart2 + 1 < nEnd1;
}

}  // namespace

// ---- Navigation by position

int FindRibbonNavigationTarget(const CRect& rcReference, const std::vector<RibbonNavigationCandidate>& candidates,
                               int nCode) {
    const BOOL bHorizontal = nCode == kNavigatePreviousHorizontal || nCode == kNavigateNextHorizontal;
    const BOOL bForward = nCode == kNavigateNextHorizontal || nCode == kNavigateDown;
    if (!bHorizontal && nCode != kNavigateUp && nCode != kNavigateDown)
        return -1;
    // Keys compared smaller-is-better: the position along the move, then the distance of the centres across.
    struct Key {
        int nAlong;
        int nAcross;
        bool operator<(const Key& other) const {
            return nAlong != other.nAlong ? nAlong < other.nAlong : nAcross < other.nAcross;
        }
    };
    int nBest = -1;
    int nWrap = -1;
    Key best{};
    Key wrap{};
    for (size_t i = 0; i < candidates.size(); ++i) {
        const CRect& rc = candidates[i].rc;
        BOOL bBeyond;
        Key key{};
        if (bHorizontal) {
            if (!Overlaps(rc.top, rc.bottom, rcReference.top, rcReference.bottom))
                continue;
            bBeyond = bForward ? rc.left >= rcReference.right : rc.right <= rcReference.left;
            key = {bForward ? rc.left : -rc.right, std::abs(rc.top + rc.bottom - rcReference.top - rcReference.bottom)};
        } else {
            if (!Overlaps(rc.left, rc.right, rcReference.left, rcReference.right))
                continue;
            bBeyond = bForward ? rc.top >= rcReference.bottom : rc.bottom <= rcReference.top;
            key = {bForward ? rc.top : -rc.bottom, std::abs(rc.left + rc.right - rcReference.left - rcReference.right)};
        }
        if (bBeyond && (nBest == -1 || key < best)) {
            nBest = static_cast<int>(i);
            best = key;
        }
        if (nWrap == -1 || key < wrap) {
            nWrap = static_cast<int>(i);
            wrap = key;
        }
    }
    // Left and right go round to the other end of the band; up and down stop at the edge.
    const int nFound = nBest != -1 ? nBest : (bHorizontal ? nWrap : -1);
    return nFound != -1 ? candidates[static_cast<size_t>(nFound)].nIndex : -1;
}

// ---- The mixin

void CTkRibbonScrollableBar::InitScrollableBar(CTkCommandBar* pParent) {
    m_pParent = pParent;
    m_pControlScrollRight = new CControlGroupsScroll(FALSE);
    pParent->GetControls()->Append(m_pControlScrollRight);
    m_pControlScrollLeft = new CControlGroupsScroll(TRUE);
    pParent->GetControls()->Append(m_pControlScrollLeft);
    m_nScrollOffset = 0;
}

CTkRibbonScrollableBar* CTkRibbonScrollableBar::FromBar(CTkCommandBar* pBar) {
    return dynamic_cast<CTkRibbonScrollableBar*>(pBar);
}

void CTkRibbonScrollableBar::ScrollGroups(BOOL) {}

void CTkRibbonScrollableBar::ScrollGroupsBy(CTkRibbonGroups* pGroups, BOOL bBack) {
    const int nOffset = bBack ? std::max(0, pGroups->GetScrollOffset() - kGroupsScrollStep)
                              : pGroups->GetScrollOffset() + kGroupsScrollStep;
    if (nOffset == m_nScrollOffset)
        return;
    m_nScrollOffset = nOffset;
    m_pParent->RecalcLayout();
}

void CTkRibbonScrollableBar::ShowScrollButtons(BOOL bBack, BOOL bForward) {
    if (m_pControlScrollLeft == nullptr || m_pControlScrollRight == nullptr)
        return;
    const CRect rcStrip = GetGroupsRect();
    auto show = [](CControlGroupsScroll* pButton, BOOL bShow, const CRect& rc) {
        const DWORD dwHide = pButton->GetHideFlags();
        pButton->SetHideFlags(bShow ? dwHide & ~kHideByBar : dwHide | kHideByBar);
        if (bShow)
            pButton->SetRect(rc);
    };
    show(m_pControlScrollLeft, bBack,
         CRect(rcStrip.left - kScrollButtonOutside, rcStrip.top, rcStrip.left + kScrollButtonInside, rcStrip.bottom));
    show(m_pControlScrollRight, bForward,
         CRect(rcStrip.right - kScrollButtonInside, rcStrip.top, rcStrip.right + kScrollButtonOutside, rcStrip.bottom));
}

void CTkRibbonScrollableBar::EnsureControlVisible(CTkRibbonGroups* pGroups, const CRect& rcControl) {
    const CRect rcStrip = GetGroupsRect();
    int nOffset = pGroups->GetScrollOffset();
    if (rcControl.left < kScrollButtonInside && m_pControlScrollLeft->IsVisible())
        nOffset = std::max(0, nOffset + static_cast<int>(rcControl.left) - kScrollButtonInside);
    else if (rcControl.right > rcStrip.right && m_pControlScrollRight->IsVisible())
        nOffset = std::max(
            0, nOffset + static_cast<int>(rcStrip.left + rcControl.right - rcStrip.right) + kScrollButtonInside);
    if (nOffset == pGroups->GetScrollOffset())
        return;
    m_nScrollOffset = nOffset;
    m_pParent->RecalcLayout();
}

void CTkRibbonScrollableBar::SetHotGroup(CTkRibbonGroup* pGroup) {
    if (pGroup == m_pHotGroup)
        return;
    if (m_pHotGroup != nullptr)
        m_pParent->Redraw(&m_pHotGroup->GetRect(), TRUE);
    m_pHotGroup = pGroup;
    if (pGroup != nullptr)
        m_pParent->Redraw(&pGroup->GetRect(), TRUE);
}

void CTkRibbonScrollableBar::TrackHotGroup(CPoint pt) {
    CTkRibbonBar* pRibbon = GetRibbonOfBar(m_pParent);
    CTkRibbonTheme* pTheme = pRibbon != nullptr ? pRibbon->GetRibbonTheme() : nullptr;
    if (pTheme == nullptr || !pTheme->m_bGroupHighlight)
        return;
    CTkRibbonGroup* pGroup = HitTestGroup(pt);
    SetHotGroup(pGroup);
    if (pGroup != nullptr) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_pParent->GetSafeHwnd(), 0};
        ::_TrackMouseEvent(&tme);
    }
}

void CTkRibbonScrollableBar::CreateGroupKeyboardTips(CTkRibbonTab* pTab, CTkRibbonGroup* pReplaced,
                                                     CTkRibbonGroup* pReplacement) {
    CTkCommandBars* pCommandBars = m_pParent->GetCommandBars();
    if (pCommandBars == nullptr || pTab == nullptr)
        return;
    const CRect rcStrip = GetGroupsRect();
    CTkRibbonGroups* pGroups = pTab->GetGroups();
    for (int i = 0; i < pGroups->GetCount(); ++i) {
        CTkRibbonGroup* pGroup = pGroups->GetAt(i);
        if (pGroup == pReplaced)
            pGroup = pReplacement;
        if (pGroup == nullptr)
            continue;
        for (int j = 0; j < pGroup->GetCount(); ++j)
            AddGroupTip(pCommandBars, pGroup, pGroup->GetAt(j), rcStrip, nullptr);
        CTkControl* pOption = pGroup->GetControlGroupOption();
        if (!(pOption->GetHideFlags() & kHideGeneric))
            AddGroupTip(pCommandBars, pGroup, pOption, rcStrip, nullptr);
        // The collapsed group's button answers to "Z" unless it has keys of its own.
        AddGroupTip(pCommandBars, pGroup, pGroup->GetControlGroupPopup(), rcStrip, L"Z");
    }
}

CRect CTkRibbonScrollableBar::GetNavigationRect(CTkControl* pControl, int nCode) const {
    if (pControl->IsKindOf(RUNTIME_CLASS(CTkRibbonGroupOption))) {
        CTkRibbonGroup* pGroup = HitTestGroup(pControl->GetRect().CenterPoint());
        if (pGroup != nullptr && pGroup->GetControlGroupOption() == pControl) {
            CRect rc = pGroup->GetCaptionRect();
            rc.DeflateRect(4, 0);
            return rc;
        }
    }
    if (nCode == kNavigateUp && pControl->IsKindOf(RUNTIME_CLASS(CTkRibbonControlTab))) {
        if (CTkRibbonTab* pTab = static_cast<CTkRibbonControlTab*>(pControl)->GetSelectedTab())
            return pTab->GetRect();
    }
    return pControl->GetRect();
}

BOOL CTkRibbonScrollableBar::NavigateByPosition(int nCode) {
    CTkControl* pSelected = m_pParent->GetControl(m_pParent->GetSelectedIndex());
    if (pSelected == nullptr)
        return FALSE;
    switch (nCode) {
        case kNavigateExecute:
        case kNavigateSystemMenu:  // Space
            if (pSelected->IsFocused())
                pSelected->HandleClick(TRUE, CPoint(0, 0));
            else
                pSelected->ActivateByKey();
            return TRUE;
        case kNavigateUp:
        case kNavigateDown:
        case kNavigatePreviousHorizontal:
        case kNavigateNextHorizontal:
            break;
        default:
            return FALSE;
    }

    const BOOL bVertical = nCode == kNavigateUp || nCode == kNavigateDown;
    CRect rcClient(0, 0, 0, 0);
    if (m_pParent->GetSafeHwnd() != nullptr)
        m_pParent->GetClientRect(&rcClient);
    std::vector<RibbonNavigationCandidate> candidates;
    for (int i = 0; i < m_pParent->GetControlCount(); ++i) {
        CTkControl* pControl = m_pParent->GetControl(i);
        if (pControl == pSelected || !pControl->IsVisible(kHideByBar) ||
            (pControl->GetFlags() & kControlFlagNoKeyboard))
            continue;
        CRect rc = pControl->GetRect();
        // The quick-access customize button closes its row: up and down reach it from anywhere to its right.
        if (bVertical && pControl->IsKindOf(RUNTIME_CLASS(CTkRibbonBarControlQuickAccessPopup)) &&
            pControl->GetRibbonGroup() == nullptr)
            rc.right = rcClient.right;
        candidates.push_back({i, rc});
    }
    const int nTarget = FindRibbonNavigationTarget(GetNavigationRect(pSelected, nCode), candidates, nCode);
    if (nTarget != -1)
        m_pParent->SetSelected(
            nTarget, nCode == kNavigateDown || nCode == kNavigateNextHorizontal ? kSelectForward : kSelectBackward);
    // Handled also at an edge, so that the bar's own stepping does not take over.
    return TRUE;
}

// ---- The scroll buttons

CTkRibbonScrollableBar::CControlGroupsScroll::CControlGroupsScroll(BOOL bScrollLeft) : m_bScrollLeft(bScrollLeft) {
    m_dwFlags |= kControlFlagNoKeyboard | kControlFlagNoMove;
}

void CTkRibbonScrollableBar::CControlGroupsScroll::Draw(CDC* pDC) {
    CTkRibbonBar* pRibbon = GetRibbonOfBar(m_pParent);
    if (CTkRibbonTheme* pTheme = pRibbon != nullptr ? pRibbon->GetRibbonTheme() : nullptr)
        pTheme->DrawGroupsScrollButton(pDC, this, m_bScrollLeft);
    else
        CTkControlButton::Draw(pDC);
}

// The press loop: one scroll at once, the next ones from the repeat timer while the button is held. It
// ends on the release, on a lost capture, when the scroll hid the button, on WM_QUIT (posted again) and,
// as a cancel, on a failing GetMessage, which would otherwise spin.
void CTkRibbonScrollableBar::CControlGroupsScroll::HandleClick(BOOL, CPoint) {
    CTkCommandBar* pBar = m_pParent;
    CTkRibbonScrollableBar* pScrollable = FromBar(pBar);
    if (pScrollable == nullptr || pBar->GetSafeHwnd() == nullptr || ::GetKeyState(VK_LBUTTON) >= 0)
        return;
    CCmdTargetRef keepAlive(this);
    const HWND hwndBar = pBar->GetSafeHwnd();
    m_nPressed = 1;
    RedrawParent(FALSE);
    pScrollable->ScrollGroups(m_bScrollLeft);
    const UINT nDoubleClick = ::GetDoubleClickTime();
    ::SetTimer(hwndBar, kTimerGroupsScroll, nDoubleClick * 4 / 5, nullptr);
    ::SetCapture(hwndBar);

    BOOL bFirstTick = TRUE;
    while (::GetCapture() == hwndBar && m_pParent == pBar && IsVisible()) {
        MSG msg;
        const BOOL nResult = ::GetMessageW(&msg, nullptr, 0, 0);
        if (nResult == -1)
            break;
        if (nResult == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_TIMER && msg.hwnd == hwndBar && msg.wParam == kTimerGroupsScroll) {
            pScrollable->ScrollGroups(m_bScrollLeft);
            if (bFirstTick) {
                bFirstTick = FALSE;
                ::SetTimer(hwndBar, kTimerGroupsScroll, nDoubleClick / 10, nullptr);
            }
            continue;
        }
        if (msg.message == WM_LBUTTONUP)
            break;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }

    if (::GetCapture() == hwndBar)
        ::ReleaseCapture();
    if (::IsWindow(hwndBar))
        ::KillTimer(hwndBar, kTimerGroupsScroll);
    m_nPressed = 0;
    if (m_pParent == pBar && m_nSelected == 0)
        pBar->SetSelected(-1);
    RedrawParent(FALSE);
}

// ---- The ribbon's answers

void CTkRibbonBar::ScrollGroups(BOOL bBack) {
    CTkRibbonTab* pTab = GetSelectedTab();
    if (pTab == nullptr)
        return;
    if (CTkCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->ClosePopups();
    HideKeyboardTips();
    ScrollGroupsBy(pTab->GetGroups(), bBack);
}

CTkRibbonGroup* CTkRibbonBar::HitTestGroup(CPoint pt) const {
    CTkRibbonTab* pTab = GetSelectedTab();
    if (pTab == nullptr || !m_bGroupsVisible || m_bMinimized || !m_rcGroups.PtInRect(pt))
        return nullptr;
    for (const CControlGroupsScroll* pButton : {m_pControlScrollLeft, m_pControlScrollRight}) {
        if (pButton->IsVisible() && pButton->GetRect().PtInRect(pt))
            return nullptr;
    }
    return pTab->GetGroups()->HitTest(pt);
}
