// The floating toolbar a popup's tear-off strip produces when dragged out of the menu.

#include "TkPopupBar.h"

#include "TkCommandBars.h"
#include "TkControls.h"

namespace {

constexpr DWORD kTornOffLayout = kLayoutMruWidth | kLayoutHorizontal | kLayoutCommit;
constexpr int kPointerDrop = 10;  // the pointer sits this far below the bar's top edge

}  // namespace

void CTkPopupBar::ShowTornOffBar(CPoint ptScreen) {
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr)
        return;
    CTkCommandBar* pBar = pCommandBars->FindBarById(m_nTearOffId);
    if (pBar == nullptr)
        return;
    pBar->SetPosition(kBarFloating);
    pBar->SetVisible(TRUE);
    pCommandBars->RecalcFrameLayout();
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
