// The bar's mouse handling: the hot control follows the pointer, clicks go to the control under it.

#include "TkCommandBar.h"

#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControls.h"
#include "TkMouseManager.h"
#include "TkWindowFunctions.h"

void CTkCommandBar::OnMouseMove(UINT, CPoint point) {
    if (m_hWnd == nullptr)
        return;
    CTkMouseManager* pMouseManager = CreateMouseManager();
    if (pMouseManager->IsTrackingOtherBar(this))
        return;
    if (m_nTrackingMode == kTrackingNone && !IsTopLevelWindowActive(m_hWnd) && !IsPopupBar())
        return;
    if (pMouseManager->m_nLock > 0 && !m_bLockExempt)
        return;
    if (IsCustomizeMode()) {
        CTkControl* pSelection = GetCommandBars()->GetCustomizeSelection();
        if (pSelection != nullptr && pSelection->GetParent() == this)
            pSelection->HandleMouseMove(point);
        return;
    }
    if (m_nPopuped != -1 && !m_bHoverOpen)
        return;
    int nSelected = -1;
    if (CTkControl* pControl = m_pControls->HitTest(point)) {
        pControl->HandleMouseMove(point);
        pMouseManager->TrackMouseLeave(m_hWnd);
        nSelected = pControl->GetIndex();
    } else if (m_nTrackingMode != kTrackingNone) {
        // While tracking the selection stays, except a pointer-made one in a popup that has nothing open.
        const BOOL bDropPointerSelection = IsPopupBar() && m_nPopuped == -1 && m_nSelectionOrigin == kSelectByMouse;
        nSelected = bDropPointerSelection ? -1 : m_nSelected;
    }
    SetSelected(nSelected, kSelectByMouse);
}

LRESULT CTkCommandBar::OnMouseLeave(WPARAM, LPARAM) {
    if (CreateMouseManager()->m_nLock > 0 || m_nLockCount > 0)
        return 0;
    if (m_nTrackingMode != kTrackingNone && (!IsPopupBar() || m_nPopuped != -1))
        return 0;
    SetSelected(-1, kSelectByMouse);
    return 0;
}

void CTkCommandBar::OnNcMouseMove(UINT nHitTest, CPoint point) {
    OnMouseLeave(0, 0);
    CWnd::OnNcMouseMove(nHitTest, point);
}

void CTkCommandBar::OnLButtonDown(UINT nFlags, CPoint point) {
    CTkControl* pControl = m_pControls->HitTest(point);
    // In a popup toolbar a click elsewhere closes the open popup.
    if (m_nPosition == kBarPopup && m_nType == kBarTypeNormal && m_nPopuped != -1 &&
        GetControl(m_nPopuped) != pControl) {
        const int nWasPopuped = m_nPopuped;
        PopupControl(-1);
        if (m_nSelected == nWasPopuped)
            SetSelected(-1, kSelectByMouse);
    }
    if (pControl == nullptr) {
        CWnd::OnLButtonDown(nFlags, point);
        return;
    }
    CTkCommandBars* pCommandBars = GetCommandBars();
    const BOOL bCustomize = IsCustomizeMode();
    if (!bCustomize && ::GetKeyState(VK_MENU) < 0 && m_nType == kBarTypeNormal && !IsPopupBar() &&
        pCommandBars != nullptr && pCommandBars->IsCustomizationAllowed() &&
        pCommandBars->GetCommandBarsOptions()->m_bAltDragCustomization && pControl->CanCustomizeMove()) {
        // Alt+drag moves a toolbar control in a customisation of its own.
        CCmdTargetRef keepAlive(pControl);
        pCommandBars->SetCustomizeMode(TRUE);
        pControl->StartCustomizeDrag(point);
        pCommandBars->SetCustomizeMode(FALSE);
        pCommandBars->RecalcFrameLayout();
        pCommandBars->ClosePopups();
        return;
    }
    if (!bCustomize || pControl->CanCustomizeMove())
        pControl->HandleClick(FALSE, point);
}

void CTkCommandBar::OnLButtonUp(UINT, CPoint point) {
    if (IsCustomizeMode())
        return;
    if (CTkControl* pControl = m_pControls->HitTest(point))
        pControl->HandleButtonUp(point);
}

void CTkCommandBar::OnLButtonDblClk(UINT, CPoint point) {
    if (IsCustomizeMode())
        return;
    if (CTkControl* pControl = m_pControls->HitTest(point))
        pControl->HandleDoubleClick(point);
}

void CTkCommandBar::OnRButtonDown(UINT nFlags, CPoint point) {
    CTkControl* pControl = m_pControls->HitTest(point);
    if (pControl != nullptr && pControl->HandleRightButtonDown(point))
        return;
    if (IsCustomizeMode() && IsCustomizable() && pControl != nullptr && pControl->IsVisible() &&
        pControl->CanCustomizeMove()) {
        GetCommandBars()->SetCustomizeSelection(pControl);
        return;
    }
    CWnd::OnRButtonDown(nFlags, point);
}

void CTkCommandBar::OnRButtonUp(UINT nFlags, CPoint point) {
    if (IsCustomizeMode())
        return;
    CTkControl* pControl = m_pControls->HitTest(point);
    CWnd* pSite = GetSite();
    if (pControl != nullptr && pSite != nullptr && pSite->GetSafeHwnd() != nullptr) {
        CPoint pt = point;
        if (pSite->SendMessage(ControlRightButtonUpMessage, reinterpret_cast<WPARAM>(&pt),
                               reinterpret_cast<LPARAM>(pControl)) == 1)
            return;
    }
    CTkCommandBar* pRoot = GetRootParent();
    if (pRoot->m_bRightButton && pRoot->m_nTrackingMode != kTrackingNone) {
        OnLButtonUp(nFlags, point);
        return;
    }
    if (pControl != nullptr && pControl->HandleRightButtonUp(point))
        return;
    if (pRoot != this) {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        pRoot->OnChildRightButtonUp(this, ptScreen);
    }
}

void CTkCommandBar::OnChildRightButtonUp(CTkCommandBar*, CPoint) {}
