// The floating toolbar a popup's tear-off strip produces when dragged out of the menu.

#include "TkPopupBar.h"

#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControls.h"
#include "TkToolBar.h"

namespace {

constexpr DWORD kTornOffLayout = kLayoutMruWidth | kLayoutHorizontal | kLayoutCommit;
constexpr int kPointerDrop = 10;  // the pointer sits this far below the bar's top edge

}  // namespace

void CTkPopupBar::ShowTornOffBar(CPoint ptScreen) {
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr)
        return;
    CTkCommandBar* pBar = pCommandBars->FindBarById(m_nTearOffId);
    if (pBar != nullptr) {
        pBar->SetPosition(kBarFloating);
        pBar->SetVisible(TRUE);
        pCommandBars->RecalcFrameLayout();
    } else {
        CTkToolBar* pToolBar = pCommandBars->AddToolBar(m_strTearOffCaption, m_nTearOffId, TRUE);
        if (pToolBar == nullptr)
            return;
        pToolBar->SetMRUWidth(m_nTearOffWidth);
        for (int i = 0; i < GetControlCount(); ++i) {
            CTkControl* pControl = GetControl(i);
            if (pControl->GetId() == static_cast<int>(kExpandButtonId))
                continue;
            CTkControl* pCopy = pToolBar->GetControls()->AddCopy(pControl);
            pCopy->SetHideFlags(pCopy->GetHideFlags() & ~(kHideByBar | kHideRarelyUsed));
        }
        pBar = pToolBar;
    }
    m_pTornOffBar = pBar;
    if (CFrameWnd* pFrame = GetSiteFrame())
        pFrame->SendMessage(BarTornOffMessage, reinterpret_cast<WPARAM>(pBar), reinterpret_cast<LPARAM>(this));
    m_szTornOff = pBar->CalcDynamicSize(-1, kTornOffLayout);
    if (pBar->GetSafeHwnd() == nullptr)
        return;
    pBar->SetWindowPos(nullptr, ptScreen.x - m_szTornOff.cx / 2, ptScreen.y - kPointerDrop, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    pBar->OnIdleUpdate(TRUE, FALSE);
    pBar->Redraw();
}
