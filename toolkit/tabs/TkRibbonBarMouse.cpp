#include "TkRibbonBar.h"

// The ribbon's mouse handling: tabs, caption, hot groups and the double click that minimises.

void CTkRibbonBar::OnMouseMove(UINT nFlags, CPoint point) {
    CTkMenuBar::OnMouseMove(nFlags, point);
}

LRESULT CTkRibbonBar::OnMouseLeave(WPARAM wParam, LPARAM lParam) {
    return CTkMenuBar::OnMouseLeave(wParam, lParam);
}

void CTkRibbonBar::OnLButtonDown(UINT nFlags, CPoint point) {
    CTkMenuBar::OnLButtonDown(nFlags, point);
}

void CTkRibbonBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
    CTkMenuBar::OnLButtonDblClk(nFlags, point);
}

void CTkRibbonBar::OnRButtonDown(UINT nFlags, CPoint point) {
    CTkMenuBar::OnRButtonDown(nFlags, point);
}

void CTkRibbonBar::OnRButtonUp(UINT nFlags, CPoint point) {
    CTkMenuBar::OnRButtonUp(nFlags, point);
}
