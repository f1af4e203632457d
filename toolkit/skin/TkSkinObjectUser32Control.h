#pragma once
#include "TkSkinObjectFrame.h"

// CTkSkinObjectUser32Control and CTkSkinObjectComCtl32Control: the bases of the list box, edit, tree-view
// and list-view objects, which keep their controls' drawing and skin only their scroll bars. Controls of
// the older common-controls generation move their own scroll bars inside the system, out of reach of the
// skin's scroll-bar hooks; these bases compare the bars with the last range and position seen after every
// message that may have scrolled, and redraw a skinned bar that changed.
//
// Neither is made for a window class by itself. Runs on the thread that owns the control.

class CTkSkinObjectUser32Control : public CTkSkinObjectFrame {
    DECLARE_DYNAMIC(CTkSkinObjectUser32Control)
public:
    CTkSkinObjectUser32Control();

    // Redraws each visible skinned bar whose range or position moved since the last look; only with a
    // common-controls version below 6.0.
    virtual void UpdateScrollBars();

    // WM_MOUSEWHEEL scrolls inside the system whoever handles it: the bars are compared after dispatch.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    SCROLLINFO m_siHorz{};  // the range and position last seen of each bar
    SCROLLINFO m_siVert{};
};

// The common controls of that generation do the same only on the Windows 9x family; elsewhere their bars
// go through the hooks.
class CTkSkinObjectComCtl32Control : public CTkSkinObjectUser32Control {
    DECLARE_DYNAMIC(CTkSkinObjectComCtl32Control)
public:
    void UpdateScrollBars() override;
};
