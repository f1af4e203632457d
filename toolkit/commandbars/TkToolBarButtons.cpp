#include "TkToolBarButtons.h"

#include "TkCommandBars.h"
#include "TkControls.h"
#include "TkPaintManager.h"
#include "TkPopupBar.h"

namespace {

// Kinds of PaintExpandButton.
constexpr int kExpandDocked = 0;
constexpr int kHideFloating = 2;
constexpr int kExpandFloating = 3;
// Control flags of the expand and hide buttons.
constexpr DWORD kExpandButtonFlags = kControlFlagPopupLeft | kControlFlagNoUpdate | kControlFlagNoMove;
constexpr DWORD kHideButtonFlags = kControlFlagNoKeyboard | kControlFlagNoUpdate | kControlFlagNoMove;

BOOL IsWrappedAway(const CTkControl* pControl) {
    return pControl->GetHideFlags() == kHideWrap;
}

}  // namespace

// ---- Expand button

CTkToolBar::CControlButtonExpand::CControlButtonExpand() {
    m_nType = kControlButtonPopup;
    m_dwFlags = kExpandButtonFlags;
    if (CTkPopupBar* pPopup = CTkPopupBar::CreatePopupBar(nullptr)) {
        SetCommandBar(pPopup);
        pPopup->InternalRelease();
    }
}

void CTkToolBar::CControlButtonExpand::SetRect(CRect rc) {
    CTkControlPopup::SetRect(rc);
    m_bHiddenControls = FALSE;
    if (m_pParent == nullptr)
        return;
    for (int i = 0; i < m_pParent->GetControlCount() && !m_bHiddenControls; ++i)
        m_bHiddenControls = IsWrappedAway(m_pParent->GetControl(i));
}

void CTkToolBar::CControlButtonExpand::Draw(CDC* pDC) {
    const int nKind = m_pParent->GetPosition() == kBarFloating ? kExpandFloating : kExpandDocked;
    GetPaintManager()->PaintExpandButton(pDC, nKind, this, m_pParent, TRUE, m_bHiddenControls);
}

BOOL CTkToolBar::CControlButtonExpand::SetPopupOpen(BOOL bOpen) {
    if (!bOpen || m_pParent == nullptr)
        return CTkControlPopup::SetPopupOpen(bOpen);
    // A fresh popup each time: the bar's contents may have changed since the last one.
    CTkCommandBars* pCommandBars = GetCommandBars();
    CTkPopupBar* pPopup = nullptr;
    CWnd* pSite = m_pParent->GetSite();
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr) {
        CommandBarCreateRecord record;
        record.bPopup = TRUE;
        record.dwReserved1 = 0;
        record.dwReserved2 = 0;
        pSite->SendMessage(CreateCommandBarMessage, 0, reinterpret_cast<LPARAM>(&record));
        pPopup = DYNAMIC_DOWNCAST(CTkPopupBar, record.pCommandBar);
        if (pPopup == nullptr && record.pCommandBar != nullptr)
            record.pCommandBar->InternalRelease();
    }
    if (pPopup == nullptr)
        pPopup = CTkPopupToolBar::CreatePopupToolBar(pCommandBars);
    if (pPopup == nullptr)
        return FALSE;
    SetCommandBar(pPopup);
    pPopup->InternalRelease();
    pPopup->SetCommandBars(pCommandBars);
    pPopup->GetControls()->SetCommandBars(pCommandBars);
    pPopup->SetCustomizable(FALSE);
    FillPopup(pPopup, pCommandBars);
    const BOOL bOpened = CTkControlPopup::SetPopupOpen(TRUE);
    RedrawParent(FALSE);
    return bOpened;
}

void CTkToolBar::CControlButtonExpand::FillPopup(CTkPopupBar* pPopup, CTkCommandBars* pCommandBars) {
    auto* pToolBar = DYNAMIC_DOWNCAST(CTkToolBar, m_pParent);
    if (pCommandBars == nullptr || pToolBar == nullptr || pToolBar->GetDockContext() == nullptr) {
        // What the bar wrapped away goes into the popup, shown there.
        for (int i = 0; i < m_pParent->GetControlCount(); ++i) {
            CTkControl* pControl = m_pParent->GetControl(i);
            if (IsWrappedAway(pControl))
                pPopup->GetControls()->AddCopy(pControl)->SetHideFlags(0);
        }
        return;
    }
    // The whole dock row's wrapped-away controls, then the row's toolbars for adding and removing buttons.
    pCommandBars->AddHiddenControlsToPopup(pToolBar, pPopup);
    if (!pCommandBars->GetCommandBarsOptions()->m_bShowExpandButtonAlways && !pCommandBars->IsCustomizationAllowed())
        return;
    auto* pAddRemove = static_cast<CTkControlPopup*>(pPopup->GetControls()->Add(kControlPopup, kIdToolBarAddRemove));
    pAddRemove->SetFlags(kControlFlagNoUpdate);
    pAddRemove->SetBeginGroup(pPopup->GetControlCount() > 1);
    CTkPopupBar* pToolBars = CTkPopupBar::CreatePopupBar(pCommandBars);
    if (pToolBars == nullptr)
        return;
    pAddRemove->SetCommandBar(pToolBars);
    pToolBars->InternalRelease();
    pCommandBars->AddCustomizeMenusToPopup(pToolBar, pToolBars);
}

// ---- Hide button

CTkToolBar::CControlButtonHide::CControlButtonHide() {
    m_dwFlags = kHideButtonFlags;
}

void CTkToolBar::CControlButtonHide::Execute() {
    // Hiding a torn-off bar removes it, and this control with it.
    CCmdTargetRef keepAlive(this);
    if (m_pParent != nullptr)
        m_pParent->SetVisible(FALSE);
}

void CTkToolBar::CControlButtonHide::Draw(CDC* pDC) {
    GetPaintManager()->PaintExpandButton(pDC, kHideFloating, this, m_pParent, TRUE, FALSE);
}

// ---- Show-hide and reset entries

void CTkToolBar::CControlButtonCustomize::Execute() {
    CCmdTargetRef keepAlive(this);
    if (CTkCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->GetCommandBarsOptions()->m_bDirty = TRUE;
    if (m_pTargetControl != nullptr) {
        const DWORD dwHide = m_pTargetControl->GetHideFlags() ^ kHideCustomize;
        m_pTargetControl->SetHideFlags(dwHide);
        SetChecked((dwHide & kHideCustomize) == 0);
        if (CTkCommandBar* pTargetBar = m_pTargetControl->GetParent())
            pTargetBar->RecalcLayout();
        for (CTkCommandBar* pBar = m_pParent; pBar != nullptr; pBar = pBar->GetParentCommandBar())
            pBar->Redraw();
        return;
    }
    if (m_pTargetBar != nullptr) {
        if (CTkCommandBars* pCommandBars = GetCommandBars())
            pCommandBars->ClosePopups();
        m_pTargetBar->ResetToOriginal(TRUE);
    }
}
