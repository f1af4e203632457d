// A group's two buttons: the option button in its caption line and the button a collapsed group becomes,
// whose popup shows the whole group.

#include "TkRibbonGroup.h"

#include "TkCommandBars.h"
#include "TkPopupBar.h"
#include "TkRibbonBar.h"
#include "TkRibbonPopupToolBars.h"
#include "TkRibbonTheme.h"

IMPLEMENT_SERIAL(CTkRibbonGroupOption, CTkControlButton, VERSIONABLE_SCHEMA | 33)
IMPLEMENT_SERIAL(CTkRibbonGroupControlPopup, CTkControlPopup, VERSIONABLE_SCHEMA | 33)

namespace {

// The ribbon theme of a control's bar when the control sits in a group; NULL elsewhere.
CTkRibbonTheme* GetGroupTheme(const CTkControl* pControl) {
    if (pControl->CTkControl::GetRibbonGroup() == nullptr)
        return nullptr;
    return dynamic_cast<CTkRibbonTheme*>(pControl->GetPaintManager());
}

}  // namespace

// ---- The option button

CTkRibbonGroupOption::CTkRibbonGroupOption() = default;

CSize CTkRibbonGroupOption::GetSize(CDC* pDC) {
    if (CTkRibbonTheme* pTheme = GetGroupTheme(this))
        return pTheme->DrawGroupOptionButton(pDC, this, FALSE);
    return CTkControlButton::GetSize(pDC);
}

void CTkRibbonGroupOption::Draw(CDC* pDC) {
    if (CTkRibbonTheme* pTheme = GetGroupTheme(this)) {
        pTheme->DrawGroupOptionButton(pDC, this, TRUE);
        return;
    }
    CTkControlButton::Draw(pDC);
}

// ---- The collapsed group's button

CTkRibbonGroupControlPopup::CTkRibbonGroupControlPopup(CTkRibbonGroup* pGroup)
    : m_pGroup(pGroup), m_bCopy(pGroup == nullptr) {
    m_nType = kControlButtonPopup;
    m_dwFlags |= kControlFlagNoUpdate;
    // Opening makes the real popup; the empty one only marks the control as a popup until then.
    if (CTkPopupBar* pPopupBar = CTkPopupBar::CreatePopupBar(nullptr)) {
        SetCommandBar(pPopupBar);
        pPopupBar->InternalRelease();
    }
}

CSize CTkRibbonGroupControlPopup::GetSize(CDC* pDC) {
    if (auto* pTheme = dynamic_cast<CTkRibbonTheme*>(GetPaintManager()))
        return pTheme->DrawGroupPopupButton(pDC, this, FALSE);
    return CTkControlPopup::GetSize(pDC);
}

void CTkRibbonGroupControlPopup::Draw(CDC* pDC) {
    if (auto* pTheme = dynamic_cast<CTkRibbonTheme*>(GetPaintManager())) {
        pTheme->DrawGroupPopupButton(pDC, this, TRUE);
        return;
    }
    CTkControlPopup::Draw(pDC);
}

CTkRibbonGroup* CTkRibbonGroupControlPopup::GetRibbonGroup() const {
    if (!m_bCopy)
        return m_pGroup;
    CTkRibbonBar* pRibbonBar = GetRibbonBar();
    return pRibbonBar != nullptr ? pRibbonBar->FindGroup(m_nId) : nullptr;
}

BOOL CTkRibbonGroupControlPopup::IsVisible(DWORD dwSkipHideFlags) const {
    if (!CTkControlPopup::IsVisible(dwSkipHideFlags))
        return FALSE;
    const CTkRibbonGroup* pGroup = GetRibbonGroup();
    return pGroup == nullptr || pGroup->IsVisible();
}

CTkRibbonBar* CTkRibbonGroupControlPopup::GetRibbonBar() const {
    return GetRibbonOfBar(m_pParent);
}

BOOL CTkRibbonGroupControlPopup::SetPopupOpen(BOOL bOpen) {
    if (bOpen) {
        // Each opening shows the group as it is now.
        CTkPopupBar* pPopupBar = nullptr;
        if (CTkRibbonGroup* pGroup = GetRibbonGroup()) {
            pPopupBar = new CTkRibbonGroupPopupToolBar(pGroup);
            pPopupBar->SetCommandBars(GetCommandBars());
            pPopupBar->SetCustomizable(FALSE);
        } else {
            pPopupBar = CTkPopupToolBar::CreatePopupToolBar(GetCommandBars());
        }
        SetCommandBar(pPopupBar);
        if (pPopupBar != nullptr)
            pPopupBar->InternalRelease();
    }
    const BOOL bResult = CTkControlPopup::SetPopupOpen(bOpen);
    RedrawParent(FALSE);
    return bResult;
}
