#include "TkRibbonQuickAccess.h"

#include "TkControlDefs.h"
#include "TkControls.h"
#include "TkPaintManager.h"
#include "TkPopupBar.h"
#include "TkRibbonControls.h"
#include "TkRibbonTheme.h"

IMPLEMENT_SERIAL(CTkRibbonBarControlQuickAccessPopup, CTkControlPopup, VERSIONABLE_SCHEMA | 33)

namespace {

CTkRibbonTheme* RibbonThemeOf(const CTkControl* pControl) {
    CTkPaintManager* pPaintManager = pControl->GetPaintManager();
    return pPaintManager != nullptr && pPaintManager->GetThemeNumber() == kThemeRibbon
               ? static_cast<CTkRibbonTheme*>(pPaintManager)
               : nullptr;
}

// The ribbon at the root of the control's bar (a copy of the customize button sits in the more popup).
CTkRibbonBar* RootRibbonOf(const CTkControl* pControl) {
    CTkCommandBar* pBar = pControl->GetParent();
    CTkCommandBar* pRoot = pBar != nullptr ? pBar->GetRootParent() : nullptr;
    return pRoot != nullptr && pRoot->IsRibbonBar() ? static_cast<CTkRibbonBar*>(pRoot) : nullptr;
}

// Both quick-access buttons: a row of controls high, 13/22 of that wide.
CSize QuickAccessButtonSize(const CTkControl* pControl) {
    CTkPaintManager* pPaintManager = pControl->GetPaintManager();
    const int nHeight = pPaintManager != nullptr ? pPaintManager->m_nControlRowHeight : 0;
    return CSize(nHeight * 13 / 22, nHeight);
}

// The popup made for this opening replaces the last one (the button keeps its own reference).
void TakeSubBar(CTkControlPopup* pButton, CTkPopupBar* pSubBar) {
    pButton->SetCommandBar(pSubBar);
    if (pSubBar != nullptr)
        pSubBar->InternalRelease();
}

BOOL Contains(const CTkControls* pControls, const CTkControl* pControl) {
    for (int i = 0; i < pControls->GetCount(); ++i) {
        if (pControls->GetAt(i) == pControl)
            return TRUE;
    }
    return FALSE;
}

}  // namespace

// ---- The customize button

CTkRibbonBarControlQuickAccessPopup::CTkRibbonBarControlQuickAccessPopup() {
    m_dwFlags |= kControlFlagNoUpdate | kControlFlagNoMove;
    SetTemporary(TRUE);
}

CSize CTkRibbonBarControlQuickAccessPopup::GetSize(CDC*) {
    return QuickAccessButtonSize(this);
}

void CTkRibbonBarControlQuickAccessPopup::Draw(CDC* pDC) {
    if (CTkRibbonTheme* pTheme = RibbonThemeOf(this))
        pTheme->DrawQuickAccessCustomizeButton(pDC, this);
    else
        CTkControlPopup::Draw(pDC);
}

BOOL CTkRibbonBarControlQuickAccessPopup::SetPopupOpen(BOOL bOpen) {
    CTkRibbonBar* pRibbonBar = RootRibbonOf(this);
    if (!bOpen || pRibbonBar == nullptr)
        return CTkControlPopup::SetPopupOpen(bOpen);
    TakeSubBar(this, pRibbonBar->CreateContextMenu(this));
    return CTkControlPopup::SetPopupOpen(TRUE);
}

// ---- The more button

CTkRibbonBar::CControlQuickAccessMorePopup::CControlQuickAccessMorePopup() {
    m_dwFlags |= kControlFlagNoUpdate | kControlFlagNoMove;
    SetTemporary(TRUE);
}

CSize CTkRibbonBar::CControlQuickAccessMorePopup::GetSize(CDC*) {
    return QuickAccessButtonSize(this);
}

void CTkRibbonBar::CControlQuickAccessMorePopup::Draw(CDC* pDC) {
    if (CTkRibbonTheme* pTheme = RibbonThemeOf(this))
        pTheme->DrawQuickAccessMoreButton(pDC, this);
    else
        CTkControlPopup::Draw(pDC);
}

BOOL CTkRibbonBar::CControlQuickAccessMorePopup::SetPopupOpen(BOOL bOpen) {
    CTkRibbonBar* pRibbonBar = RootRibbonOf(this);
    if (!bOpen || pRibbonBar == nullptr)
        return CTkControlPopup::SetPopupOpen(bOpen);
    TakeSubBar(this, pRibbonBar->CreateMoreQuickAccessPopup());
    return CTkControlPopup::SetPopupOpen(TRUE);
}

// ---- The menu item of one command

CTkRibbonBar::CControlQuickAccessCommand::CControlQuickAccessCommand(CTkRibbonQuickAccessControls* pQuickAccessControls,
                                                                     CTkControl* pSource, CTkControl* pCopy)
    : m_pQuickAccessControls(pQuickAccessControls), m_pSource(pSource), m_pCopy(pCopy) {
    m_pSource->InternalAddRef();
    if (m_pCopy != nullptr)
        m_pCopy->InternalAddRef();
    SetCaption(pSource->GetCaption());
    SetChecked(pCopy != nullptr ? 1 : 0);
}

CTkRibbonBar::CControlQuickAccessCommand::~CControlQuickAccessCommand() {
    if (m_pCopy != nullptr)
        m_pCopy->InternalRelease();
    m_pSource->InternalRelease();
}

void CTkRibbonBar::CControlQuickAccessCommand::Execute() {
    CCmdTargetRef keepAlive(this);
    // Without a command id the button's execution only sounds and closes the menus.
    CTkControlButton::Execute();
    CTkRibbonBar* pRibbonBar = m_pQuickAccessControls->GetRibbonBar();
    if (m_pCopy != nullptr && Contains(m_pQuickAccessControls, m_pCopy)) {
        m_pQuickAccessControls->Remove(m_pCopy);
    } else {
        CTkControl* pCopy = m_pQuickAccessControls->AddCopy(m_pSource, -1, TRUE);
        pCopy->SetHideFlags(pCopy->GetHideFlags() & ~kHideCustomize);
    }
    if (pRibbonBar != nullptr)
        pRibbonBar->RecalcLayout();
}
