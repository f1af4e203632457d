#include "TkControlPopup.h"

#include "TkCommandBar.h"
#include "TkCommandBarList.h"
#include "TkCommandBars.h"
#include "TkControls.h"
#include "TkPaintManager.h"
#include "TkPopupBar.h"
#include "TkPropExchange.h"
#include "TkShadowManager.h"

namespace {

// Menus are trees, but a sub bar may be shared; the depth bound keeps a shared cycle finite.
constexpr int kMaxRelationDepth = 16;

BOOL IsRelated(const CTkControlPopup* pPopup, const CTkControlPopup* pOther, int nDepth);

// A popup control inside the sub bar of pPopup is related to pOther, or pOther to it.
BOOL HasRelatedChild(const CTkControlPopup* pPopup, const CTkControlPopup* pOther, int nDepth) {
    CTkCommandBar* pSubBar = pPopup->GetCommandBar();
    if (pSubBar == nullptr || pSubBar->GetControls() == nullptr)
        return FALSE;
    for (int i = 0; i < pSubBar->GetControlCount(); ++i) {
        const auto* pChild = DYNAMIC_DOWNCAST(CTkControlPopup, pSubBar->GetControl(i));
        if (pChild != nullptr && (IsRelated(pChild, pOther, nDepth + 1) || IsRelated(pOther, pChild, nDepth + 1)))
            return TRUE;
    }
    return FALSE;
}

BOOL IsRelated(const CTkControlPopup* pPopup, const CTkControlPopup* pOther, int nDepth) {
    if (nDepth > kMaxRelationDepth)
        return FALSE;
    CTkCommandBar* pSubBar = pPopup->GetCommandBar();
    if (pSubBar != nullptr && pSubBar == pOther->GetCommandBar())
        return TRUE;
    return HasRelatedChild(pPopup, pOther, nDepth);
}

BOOL IsPopupBarParent(const CTkCommandBar* pBar) {
    return pBar->GetType() == kBarTypePopup || pBar->GetPosition() == kBarPopup;
}

}  // namespace

IMPLEMENT_SERIAL(CTkControlPopup, CTkControlButton, VERSIONABLE_SCHEMA | 33)

CTkControlPopup::CTkControlPopup() {
    m_nType = kControlPopup;
}

CTkControlPopup::~CTkControlPopup() {
    SetCommandBar(nullptr);
}

CTkControlPopup* CTkControlPopup::CreateControlPopup(int nType) {
    auto* pPopup = new CTkControlPopup;
    pPopup->m_nType = nType;
    return pPopup;
}

void CTkControlPopup::SetCommandBar(CTkCommandBar* pCommandBar) {
    if (pCommandBar != nullptr)
        pCommandBar->InternalAddRef();
    if (m_pCommandBar != nullptr)
        m_pCommandBar->InternalRelease();
    m_pCommandBar = pCommandBar;
}

BOOL CTkControlPopup::SetPopupOpen(BOOL bOpen) {
    if (m_pCommandBar == nullptr || m_nEnabled == 4 || m_pParent == nullptr || m_pParent->GetSafeHwnd() == nullptr)
        return FALSE;
    m_bPopupOpen = bOpen;
    if (!bOpen) {
        m_pCommandBar->EndTracking();
        RedrawParent(TRUE);
        return TRUE;
    }
    // The control shows open before its popup appears.
    RedrawParent(FALSE);
    if (CWnd* pSite = m_pParent->GetSite())
        pSite->UpdateWindow();
    m_pParent->UpdateWindow();
    if (m_pCommandBar->GetTrackingMode() != kTrackingNone)
        return TRUE;
    if (!m_pCommandBar->Popup(this, m_nSelected == 2 || m_nSelected == 3)) {
        // Refused: the control must not go on looking open.
        m_bPopupOpen = FALSE;
        RedrawParent(FALSE);
        return FALSE;
    }
    UpdatePopupShadow();
    return TRUE;
}

void CTkControlPopup::ActivateByKey() {
    if (m_pCommandBar != nullptr && m_pParent != nullptr)
        m_pParent->PopupControl(m_nIndex, TRUE);
    else
        Execute();
}

void CTkControlPopup::HandleClick(BOOL bKeyboard, CPoint pt) {
    if (m_pCommandBar == nullptr || m_pParent == nullptr) {
        CTkControlButton::HandleClick(bKeyboard, pt);
        return;
    }
    if (!GetEnabled())
        return;
    const BOOL bCustomize = IsCustomizeMode();
    if (bCustomize) {
        if (CTkCommandBars* pCommandBars = GetCommandBars())
            pCommandBars->SetCustomizeSelection(this);
    }
    if (m_bPopupOpen && m_pParent->GetPosition() != kBarPopup) {
        // A click on an open menu-bar item closes its menu.
        m_pParent->EndTracking();
    } else if (m_nType == kControlSplitButtonPopup && !bCustomize) {
        if (bKeyboard) {
            if (m_nEnabled == 5)
                m_pParent->PopupControl(m_nIndex, TRUE);
            else
                Execute();
            return;
        }
        CTkPaintManager* pPaintManager = GetPaintManager();
        const CRect rcCommand = pPaintManager != nullptr ? pPaintManager->GetSplitCommandRect(this) : m_rcControl;
        if (rcCommand.PtInRect(pt)) {
            if (m_pParent->GetType() == kBarTypePopup)
                ::KillTimer(m_pParent->GetSafeHwnd(), kTimerHover);
            else if (m_nEnabled != 5)
                TrackClick(rcCommand);
            return;
        }
        if (m_nEnabled == 4)
            return;
        m_pParent->PopupControl(m_nIndex, bKeyboard);
    } else if (!bCustomize || m_pCommandBar->IsCustomizable()) {
        m_pParent->PopupControl(m_nIndex, bKeyboard);
    }
    if (bCustomize)
        StartCustomizeDrag(pt);
}

void CTkControlPopup::HandleButtonUp(CPoint pt) {
    if (m_pCommandBar == nullptr || m_pParent == nullptr) {
        CTkControlButton::HandleButtonUp(pt);
        return;
    }
    if (m_nType != kControlSplitButtonPopup || !IsPopupBarParent(m_pParent) || !GetEnabled() || m_nEnabled == 5)
        return;
    CTkPaintManager* pPaintManager = GetPaintManager();
    const int nSplitWidth = pPaintManager != nullptr ? pPaintManager->m_nPopupSplitWidth : 0;
    if (pt.x < m_rcControl.right - nSplitWidth)
        Execute();
}

BOOL CTkControlPopup::HandleDoubleClick(CPoint pt) {
    if ((m_nType != kControlPopup && m_nType != kControlButtonPopup) || m_pCommandBar == nullptr ||
        m_pParent == nullptr)
        return CTkControlButton::HandleDoubleClick(pt);
    CCmdTargetRef keepAlive(this);
    if (!m_bPopupOpen)
        m_pParent->OnLButtonDown(0, pt);
    if (!m_bPopupOpen || m_pCommandBar == nullptr)
        return FALSE;
    const int nDefault = m_pCommandBar->FindDefaultItem(TRUE);
    if (CTkControl* pDefault = m_pCommandBar->GetControl(nDefault)) {
        CCmdTargetRef keepDefault(pDefault);
        pDefault->Execute();
        return TRUE;
    }
    auto* pPopupBar = DYNAMIC_DOWNCAST(CTkPopupBar, m_pCommandBar);
    if (pPopupBar != nullptr && pPopupBar->HasHiddenCommands() && !pPopupBar->IsExpanded()) {
        pPopupBar->ExpandToFullMenu();
        return TRUE;
    }
    return FALSE;
}

void CTkControlPopup::HandleMouseMove(CPoint pt) {
    if (m_nType != kControlSplitButtonPopup || !GetEnabled() || m_nSelected == 0)
        return;
    CTkPaintManager* pPaintManager = GetPaintManager();
    const CRect rcCommand = pPaintManager != nullptr ? pPaintManager->GetSplitCommandRect(this) : m_rcControl;
    const int nSelected = rcCommand.PtInRect(pt) ? 4 : 5;
    if (nSelected != m_nSelected) {
        m_nSelected = nSelected;
        RedrawParent(FALSE);
    }
}

void CTkControlPopup::HandleHoverDelay() {
    if (m_pCommandBar != nullptr && m_pParent != nullptr && GetEnabled() &&
        (m_pParent->GetTrackingMode() == kTrackingPopup || m_pParent->GetPosition() == kBarPopup))
        m_pParent->PopupControl(m_nIndex, FALSE);
    else
        CTkControlButton::HandleHoverDelay();
}

BOOL CTkControlPopup::SetSelected(int nSelected) {
    if (!CTkControlButton::SetSelected(nSelected))
        return FALSE;
    if (m_pCommandBar == nullptr || m_pParent == nullptr)
        return TRUE;
    const BOOL bByKeyboard = nSelected == 2 || nSelected == 3;
    const BOOL bBarIsPopup = m_pParent->GetPosition() == kBarPopup;
    const BOOL bTrackingPopups = m_pParent->GetTrackingMode() == kTrackingPopup;
    if (m_nType == kControlPopup || IsPopupBarParent(m_pParent)) {
        if (GetEnabled() && nSelected != 0 && bTrackingPopups && !bBarIsPopup)
            m_pParent->PopupControl(m_nIndex, bByKeyboard);
        else if (nSelected == 0 && m_bPopupOpen && !bBarIsPopup)
            m_pParent->PopupControl(-1);
    } else if (GetEnabled() && bByKeyboard && bTrackingPopups) {
        m_pParent->PopupControl(m_nIndex, TRUE);
    }
    return TRUE;
}

void CTkControlPopup::HandleCustomizeDragOver(CTkControl* pDragged, CPoint pt, int& nDropEffect) {
    if (m_pCommandBar == nullptr || !m_pCommandBar->IsCustomizable() || m_pParent == nullptr)
        return;
    const auto* pDraggedPopup = DYNAMIC_DOWNCAST(CTkControlPopup, pDragged);
    if (pDraggedPopup != nullptr && IsRelatedPopup(pDraggedPopup)) {
        m_pParent->PopupControl(-1);
        m_pParent->SetSelected(-1);
    } else {
        m_pParent->PopupControl(m_nIndex, FALSE);
    }
}

BOOL CTkControlPopup::CanDropOnBar(CTkCommandBar* pTarget, CPoint pt, int& nDropEffect) {
    for (CTkCommandBar* pBar = pTarget; pBar != nullptr; pBar = pBar->GetParentCommandBar()) {
        if (pBar == m_pCommandBar)
            return FALSE;
    }
    return TRUE;
}

BOOL CTkControlPopup::IsRelatedPopup(const CTkControlPopup* pOther) const {
    return pOther != nullptr && IsRelated(this, pOther, 0);
}

BOOL CTkControlPopup::IsSameAs(CTkControl* pOther) const {
    const auto* pPopup = DYNAMIC_DOWNCAST(CTkControlPopup, pOther);
    if (pPopup == nullptr || !CTkControlButton::IsSameAs(pOther))
        return FALSE;
    if (m_pCommandBar == nullptr || pPopup->m_pCommandBar == nullptr)
        return TRUE;
    CTkControls* pMine = m_pCommandBar->GetControls();
    CTkControls* pTheirs = pPopup->m_pCommandBar->GetControls();
    return pMine == pTheirs || (pMine != nullptr && pMine->IsSameAs(pTheirs));
}

void CTkControlPopup::CopyFrom(CTkControl* pSource, BOOL bRecursive) {
    CTkControlButton::CopyFrom(pSource, bRecursive);
    const auto* pPopup = DYNAMIC_DOWNCAST(CTkControlPopup, pSource);
    if (pPopup == nullptr)
        return;
    if (bRecursive && pPopup->m_pCommandBar != nullptr) {
        CTkCommandBar* pClone = pPopup->m_pCommandBar->Clone(TRUE);
        SetCommandBar(pClone);
        if (pClone != nullptr)
            pClone->InternalRelease();
    } else {
        SetCommandBar(pPopup->m_pCommandBar);
    }
}

void CTkControlPopup::ExchangeProperties(CTkPropExchange* pPX) {
    // The control's keys: the button's own "Style" is not among a popup's.
    CTkControl::ExchangeProperties(pPX);
    int nBarId = pPX->IsLoading() || m_pCommandBar == nullptr ? 0 : static_cast<int>(m_pCommandBar->GetBarId());
    ExchangeInt(pPX, L"CommandBarId", nBarId, 0);
    if (pPX->IsLoading())
        m_nCommandBarId = nBarId;
    if (pPX->m_nSchema > 4 && pPX->m_nSchema < 18)
        ExchangeInt(pPX, L"Style", m_nStyle, kButtonAutomatic);
}

void CTkControlPopup::ResolveCommandBarId(CTkCommandBarList* pList) {
    if (m_nCommandBarId == 0)
        return;
    for (int i = 0; i < pList->GetCount(); ++i) {
        CTkCommandBar* pBar = pList->GetAt(i);
        if (pBar->GetBarId() != static_cast<UINT>(m_nCommandBarId))
            continue;
        SetCommandBar(pBar);
        // Cleared first: bars that name each other end here.
        m_nCommandBarId = 0;
        pBar->RestorePopupLinks(pList);
        return;
    }
}

void CTkControlPopup::AdjustPopupRect(CRect& rc, BOOL bVertical) {
    if (CTkPaintManager* pPaintManager = GetPaintManager())
        pPaintManager->AdjustControlRect(rc, this, bVertical);
}

void CTkControlPopup::UpdatePopupShadow() {
    if (m_pCommandBar == nullptr || m_pParent == nullptr || !IsPopupControlType(m_nType))
        return;
    // Only controls on toolbars and the menu bar: not in popups nor in torn-off popup toolbars.
    if (m_pParent->GetPosition() == kBarPopup ||
        (m_pParent->GetType() == kBarTypePopup && m_pParent->GetPosition() == kBarFloating))
        return;
    CTkPaintManager* pPaintManager = GetPaintManager();
    auto* pPopupBar = DYNAMIC_DOWNCAST(CTkPopupBar, m_pCommandBar);
    if (pPaintManager == nullptr || !pPaintManager->m_bShowShadow || pPopupBar == nullptr ||
        !pPopupBar->IsShowShadow() || !m_bShowShadow || IsCustomizeMode() ||
        pPaintManager->GetShadowManager() == nullptr)
        return;
    CRect rc = m_rcControl;
    m_pParent->ClientToScreen(&rc);
    pPaintManager->GetShadowManager()->SetControlShadow(rc, pPopupBar);
}

void CTkControlPopup::ExpandOpenMenu() {
    if (m_nType != kControlPopup || !m_bPopupOpen)
        return;
    auto* pPopupBar = DYNAMIC_DOWNCAST(CTkPopupBar, m_pCommandBar);
    if (pPopupBar != nullptr && !pPopupBar->IsExpanded())
        pPopupBar->ExpandToFullMenu();
}
