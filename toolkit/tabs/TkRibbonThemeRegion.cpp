// CTkRibbonTheme: the cut-corner window region of ribbon popups and keyboard tips.
#include "TkRibbonTheme.h"

#include "TkPopupBar.h"

void CTkRibbonTheme::ShapePopupWindow(CTkPopupBar* pPopupBar) {
    if (pPopupBar->GetPosition() == kBarPopup)
        ApplyCutCornerRegion(pPopupBar);
}

void CTkRibbonTheme::ApplyCutCornerRegion(CWnd* pWnd) {
    CRect rcWindow;
    pWnd->GetWindowRect(&rcWindow);
    const int w = rcWindow.Width();
    const int h = rcWindow.Height();
    CRgn rgn;
    rgn.CreateRectRgn(1, 0, w - 1, 1);
    for (const CRect& rc : {CRect(0, 1, w, h - 1), CRect(1, h - 1, w - 1, h)}) {
        CRgn rgnPart;
        rgnPart.CreateRectRgnIndirect(&rc);
        rgn.CombineRgn(&rgn, &rgnPart, RGN_OR);
    }
    // The window owns the region from here on.
    pWnd->SetWindowRgn(static_cast<HRGN>(rgn.Detach()), FALSE);
}
