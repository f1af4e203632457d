// The bar's keyboard: keys while tracking, navigation codes, mnemonics inside the bar, keyboard tips.

#include "TkCommandBar.h"

#include "TkCommandBarKeyboardTip.h"
#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControlPopup.h"
#include "TkControls.h"
#include "TkShortcutManager.h"

namespace {

BOOL IsKeyDown(int nKey) {
    return ::GetKeyState(nKey) < 0;
}

BOOL IsEnabledPopupControl(CTkControl* pControl) {
    return pControl != nullptr && pControl->IsKindOf(RUNTIME_CLASS(CTkControlPopup)) && pControl->GetEnabled();
}

}  // namespace

WCHAR GetCaptionMnemonic(const CString& strCaption, BOOL* pbExplicit) {
    const int nAmpersand = strCaption.Find(L'&');
    *pbExplicit = nAmpersand >= 0 && nAmpersand < strCaption.GetLength() - 1;
    if (*pbExplicit)
        return strCaption[nAmpersand + 1];
    return strCaption.IsEmpty() ? 0 : strCaption[0];
}

int CTkCommandBar::KeyToNavigationCode(UINT nKey, BOOL bHorizontal, BOOL bRightToLeft) {
    switch (nKey) {
        case VK_LEFT:
            if (bHorizontal)
                return bRightToLeft ? kNavigateNextHorizontal : kNavigatePreviousHorizontal;
            return bRightToLeft ? kNavigateDown : kNavigateUp;
        case VK_RIGHT:
            if (bHorizontal)
                return bRightToLeft ? kNavigatePreviousHorizontal : kNavigateNextHorizontal;
            return bRightToLeft ? kNavigateUp : kNavigateDown;
        case VK_UP:
            return bHorizontal ? kNavigateUp : kNavigatePrevious;
        case VK_DOWN:
            return bHorizontal ? kNavigateDown : kNavigateNext;
        case VK_HOME:
            return kNavigateFirst;
        case VK_END:
            return kNavigateLast;
        default:
            return -1;
    }
}

BOOL CTkCommandBar::IsHorizontalForKeys() const {
    switch (m_nPosition) {
        case kBarTop:
        case kBarBottom:
        case kBarFloating:
            return TRUE;
        case kBarPopup:
            return m_nType == kBarTypeNormal;
        default:
            return FALSE;
    }
}

BOOL CTkCommandBar::OnActivationKey(UINT) {
    return FALSE;
}

// ---- Keys while tracking

int CTkCommandBar::OnTrackingKeyDown(UINT nKey, LPARAM lParam) {
    CFrameWnd* pFrame = GetSiteFrame();
    if (IsCustomizeMode() || (pFrame != nullptr && pFrame->m_bHelpMode))
        return kHookStop;
    if (m_nLockCount > 0)
        return kHookHandled;

    CWnd* pSite = GetSite();
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr) {
        TrackingKeyRecord record = {nKey, lParam};
        CCmdTargetRef keepAlive(this);
        pSite->SendMessage(TrackingKeyMessage, reinterpret_cast<WPARAM>(&record), reinterpret_cast<LPARAM>(this));
        // The site dropped the bar: only this call still holds it.
        if (m_dwRef == 1)
            return kHookHandled;
        nKey = record.nKey;
    }

    CTkControl* pSelected = GetControl(m_nSelected);
    if (pSelected != nullptr && pSelected->IsFocused()) {
        const int nAnswer = pSelected->HandleFocusedKey(nKey);
        if (nAnswer == kHookHandled || nAnswer == kHookStop)
            return nAnswer;
    }
    if (m_hWnd == nullptr)
        return kHookHandled;

    CTkCommandBars* pCommandBars = GetCommandBars();
    const BOOL bCtrl = IsKeyDown(VK_CONTROL);
    const BOOL bShift = IsKeyDown(VK_SHIFT);
    switch (nKey) {
        case VK_TAB: {
            CTkCommandBar* pRoot = GetRootParent();
            if (bCtrl && pCommandBars != nullptr && pRoot->m_nType == kBarTypeNormal && !pRoot->IsPopupBar()) {
                pCommandBars->ActivateBar(pRoot, bShift ? -1 : 1);
                return kHookHandled;
            }
            NavigateByCode(bShift ? kNavigatePrevious : kNavigateNext);
            CTkControl* pControl = GetControl(m_nSelected);
            if (pControl != nullptr && pControl->TakesFocusOnTab())
                pControl->SetFocused(TRUE);
            return kHookHandled;
        }
        case VK_RETURN:
            NavigateByCode(kNavigateExecute);
            return kHookHandled;
        case VK_ESCAPE:
            NavigateByCode(kNavigateEscape);
            return kHookHandled;
        case VK_SPACE:
            if (NavigateByCode(kNavigateSystemMenu))
                return kHookHandled;
            break;
        default:
            break;
    }

    // An edit inside the bar keeps its letters and arrows.
    HWND hFocus = ::GetFocus();
    if (hFocus != nullptr && ::IsChild(m_hWnd, hFocus))
        return kHookStop;
    const int nCode = KeyToNavigationCode(nKey, IsHorizontalForKeys(), IsLayoutRTL());
    if (nCode != -1) {
        const BOOL bActed = NavigateByCode(nCode);
        // Left or Right that this bar cannot follow goes to the bar below it: from a popup to the next
        // menu of the menu bar.
        if (!bActed && (nKey == VK_LEFT || nKey == VK_RIGHT))
            return kHookNotHandled;
        return kHookHandled;
    }
    if (nKey == 0 || ::MapVirtualKeyW(nKey, MAPVK_VK_TO_CHAR) == 0)
        return kHookHandled;
    if (pCommandBars != nullptr && GetActiveKeyboardTipLevel() > 0 && !bCtrl) {
        pCommandBars->OnKeyboardTipKey(nKey);
        return kHookHandled;
    }
    if (m_nType == kBarTypeNormal && pCommandBars != nullptr && pCommandBars->ActivateByMnemonic(nKey))
        return kHookHandled;
    if (!bCtrl) {
        BOOL bAmbiguous = FALSE;
        const int nIndex = FindMnemonicControl(nKey, &bAmbiguous);
        if (nIndex != -1) {
            SetSelected(nIndex, kSelectForward);
            if (!bAmbiguous)
                GetControl(nIndex)->ActivateByKey();
            return kHookHandled;
        }
    }
    if (nKey != VK_SHIFT && nKey != VK_CONTROL)
        ::MessageBeep(0);
    return kHookHandled;
}

int CTkCommandBar::FindMnemonicControl(UINT nKey, BOOL* pbAmbiguous) const {
    *pbAmbiguous = FALSE;
    int nExplicit = -1;
    int nFirstLetter = -1;
    BOOL bFirstLetterAmbiguous = FALSE;
    const int nStart = m_pControls->GetNext(m_nSelected, 1);
    for (int i = nStart; i != -1;) {
        CTkControl* pControl = GetControl(i);
        const CString strCaption = pControl->GetCaption();
        if (!strCaption.IsEmpty() && pControl->GetEnabled()) {
            BOOL bExplicit = FALSE;
            const WCHAR ch = GetCaptionMnemonic(strCaption, &bExplicit);
            if (CTkShortcutManager::KeyMatchesChar(ch, nKey)) {
                if (bExplicit) {
                    if (nExplicit != -1) {
                        *pbAmbiguous = TRUE;
                        return nExplicit;
                    }
                    nExplicit = i;
                } else if (nFirstLetter == -1) {
                    nFirstLetter = i;
                } else {
                    bFirstLetterAmbiguous = TRUE;
                }
            }
        }
        i = m_pControls->GetNext(i, 1);
        if (i == nStart)
            break;
    }
    if (nExplicit != -1)
        return nExplicit;
    *pbAmbiguous = bFirstLetterAmbiguous;
    return nFirstLetter;
}

// ---- Navigation codes

BOOL CTkCommandBar::NavigateByCode(int nCode) {
    if (nCode == kNavigatePreviousHorizontal)
        nCode = kNavigatePrevious;
    else if (nCode == kNavigateNextHorizontal)
        nCode = kNavigateNext;
    if (nCode == kNavigateNext || nCode == kNavigatePrevious)
        HideKeyboardTips();

    const BOOL bPopupToolBar = m_nPosition == kBarPopup && m_nType == kBarTypeNormal;
    CTkControl* pSelected = GetControl(m_nSelected);
    if (bPopupToolBar && m_nPopuped != -1 && m_nPopuped == m_nSelected) {
        if (nCode == kNavigateNext)
            return FALSE;
        if (nCode == kNavigatePrevious)
            nCode = kNavigateUp;
    }
    if (nCode == kNavigateUp && m_nPopuped == -1 && IsEnabledPopupControl(pSelected) &&
        (bPopupToolBar || GetParentCommandBar() == nullptr))
        nCode = kNavigateDown;
    if ((nCode == kNavigateUp || nCode == kNavigateDown) && m_nPopuped == -1 &&
        (bPopupToolBar || m_nPosition == kBarFloating) && !IsEnabledPopupControl(pSelected))
        return NavigateRows(nCode);

    CTkCommandBars* pCommandBars = GetCommandBars();
    switch (nCode) {
        case kNavigateNext:
            return SetSelected(m_pControls->GetNext(m_nSelected, 1), kSelectForward);
        case kNavigatePrevious:
            return SetSelected(m_pControls->GetNext(m_nSelected, -1), kSelectBackward);
        case kNavigateUp:
            if (m_nPopuped == -1)
                return FALSE;
            PopupControl(-1);
            SetTrackingMode(kTrackingMenu, FALSE, FALSE);
            return TRUE;
        case kNavigateDown:
            if (pSelected == nullptr || m_nPopuped == m_nSelected)
                return FALSE;
            pSelected->SetSelected(kSelectForward);
            return PopupControl(m_nSelected, FALSE);
        case kNavigateEscape:
            if (pCommandBars != nullptr && GetActiveKeyboardTipLevel() > 1) {
                pCommandBars->ShowKeyboardTips(this, GetActiveKeyboardTipLevel() - 1);
            } else {
                if (CTkCommandBar* pParent = GetParentCommandBar())
                    pParent->SetTrackingMode(kTrackingMenu, FALSE, FALSE);
                SetTrackingMode(kTrackingNone, TRUE, FALSE);
            }
            return TRUE;
        case kNavigateExecute:
            if (pSelected != nullptr) {
                pSelected->SetSelected(kSelectForward);
                pSelected->HandleClick(TRUE, CPoint(0, 0));
            }
            return TRUE;
        case kNavigateFirst:
            return SetSelected(m_pControls->GetNext(-1, 1), kSelectForward);
        case kNavigateLast:
            return SetSelected(m_pControls->GetNext(-1, -1), kSelectBackward);
        case kNavigateSystemMenu: {
            if (m_nType != kBarTypeMenuBar)
                return FALSE;
            if (pCommandBars != nullptr)
                pCommandBars->ClosePopups();
            CWnd* pSite = GetSite();
            if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
                pSite->PostMessage(WM_SYSCOMMAND, SC_KEYMENU, L' ');
            return TRUE;
        }
        default:
            return FALSE;
    }
}

// Up and Down in a bar of several rows (a floating toolbar, a popup toolbar) move to the row above or
// below: down to the last control of the next row that starts at or before the selected control's left
// edge, up to the first control of the previous row that starts at or after it.
BOOL CTkCommandBar::NavigateRows(int nCode) {
    CTkControl* pSelected = GetControl(m_nSelected);
    if (pSelected == nullptr) {
        SetSelected(m_pControls->GetNext(-1, nCode == kNavigateDown ? 1 : -1), kSelectForward);
        return TRUE;
    }
    const int nStep = nCode == kNavigateDown ? 1 : -1;
    const int nSelectedTop = pSelected->GetRowRect().top;
    const int nSelectedLeft = pSelected->GetRect().left;
    CTkControl* pCandidate = nullptr;
    int nTargetTop = 0;
    for (int i = m_pControls->GetNext(m_nSelected, nStep); i != -1 && i != m_nSelected;
         i = m_pControls->GetNext(i, nStep)) {
        CTkControl* pControl = GetControl(i);
        const CRect& rcRow = pControl->GetRowRect();
        if (pCandidate == nullptr) {
            if (rcRow.IsRectEmpty() || rcRow.top == nSelectedTop)
                continue;
            pCandidate = pControl;
            nTargetTop = rcRow.top;
            continue;
        }
        const int nLeft = pControl->GetRect().left;
        const int nCandidateLeft = pCandidate->GetRect().left;
        const BOOL bBetween =
            (nCandidateLeft < nLeft && nLeft <= nSelectedLeft) || (nSelectedLeft <= nLeft && nLeft < nCandidateLeft);
        if (rcRow.IsRectEmpty() || rcRow.top != nTargetTop || !bBetween)
            break;
        pCandidate = pControl;
    }
    if (pCandidate != nullptr)
        SetSelected(pCandidate->GetIndex(), nCode == kNavigateUp ? kSelectBackward : kSelectForward);
    return TRUE;
}

// ---- Keyboard tips

void CTkCommandBar::HideKeyboardTips() {
    if (CTkCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->DestroyKeyboardTips();
}

int CTkCommandBar::GetActiveKeyboardTipLevel() const {
    CTkCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars != nullptr && pCommandBars->GetKeyboardTipOwner() == this ? pCommandBars->GetKeyboardTipLevel()
                                                                                  : 0;
}

void CTkCommandBar::CreateKeyboardTips() {
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr)
        return;
    for (int i = 0; i < GetControlCount(); ++i) {
        CTkControl* pControl = GetControl(i);
        const CString strCaption = pControl->GetCaption();
        if (!pControl->IsVisible() || strCaption.IsEmpty() || (pControl->GetFlags() & kControlFlagNoKeyboard) ||
            pControl->GetType() == kControlGallery)
            continue;
        const CRect& rc = pControl->GetRect();
        auto* pTip = new CTkCommandBarKeyboardTip(pCommandBars, pControl, strCaption, rc.left + 12, rc.bottom - 11, 0,
                                                  pControl->GetEnabled());
        pTip->SetExplicitKeys(pControl->GetKeyboardTip());
        pCommandBars->AddKeyboardTip(pTip);
    }
    if (GetParentCommandBar() != nullptr)
        return;
    // A root bar also offers the other bars.
    for (int i = 0; i < pCommandBars->GetCount(); ++i) {
        CTkCommandBar* pBar = pCommandBars->GetAt(i);
        if (pBar == this || !pBar->IsVisible() || pBar->GetSafeHwnd() == nullptr)
            continue;
        CRect rc;
        pBar->GetWindowRect(&rc);
        pCommandBars->AddKeyboardTip(
            new CTkCommandBarKeyboardTip(pCommandBars, pBar, pBar->GetTitle(), rc.left, rc.top, 0, TRUE));
    }
}

void CTkCommandBar::OnKeyboardTipSelected(CTkCommandBarKeyboardTip* pTip) {
    if (auto* pControl = DYNAMIC_DOWNCAST(CTkControl, pTip->GetTarget())) {
        pControl->ActivateByKey();
    } else if (auto* pBar = DYNAMIC_DOWNCAST(CTkCommandBar, pTip->GetTarget())) {
        if (CTkCommandBars* pCommandBars = GetCommandBars())
            pCommandBars->ActivateBar(pBar, 0);
    }
}
