#pragma once
#include "TkSkinObjectFrame.h"

// CTkSkinObjectMenu: the system's popup-menu windows ("#32768"). The system's menu procedure keeps
// drawing the items; the object gives the popup a flat border in the skin's colours, paints the skin's
// menu colour into a buffer before the system prints its items into it, keeps the window from painting
// while the selection moves (it is repainted whole through the buffer afterwards), and moves popups of a
// skinned window's system menu by the offset between the system's frame and the skin's.
//
// Runs on the thread that tracks the menu.
class CTkSkinObjectMenu : public CTkSkinObjectFrame {
    DECLARE_DYNCREATE(CTkSkinObjectMenu)
public:
    CTkSkinObjectMenu();

    // A line in the skin's button shadow along the window's edge, the skin's menu colour inside it.
    void DrawMenuBorder(CDC* pDC);
    // The client area: the menu colour, then the system's items, through a buffer.
    void PaintMenuClient(CDC* pDC);

protected:
    afx_msg void OnNcPaint();
    afx_msg LRESULT OnPrint(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnSelectItem(WPARAM wParam, LPARAM lParam);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    DECLARE_MESSAGE_MAP()

private:
    // The border in a rectangle: one pixel of shadow, then nWidth - 1 of the menu colour.
    void DrawBorder(CDC* pDC, CRect rc, int nWidth);
    // Up and down move the selection with the window's drawing held off, then repaint it whole.
    void MoveSelectionQuietly(UINT nChar);
};
