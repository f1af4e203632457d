#pragma once
#include "TkSkinObjectFrame.h"

// CTkSkinObjectScrollBar: the skin object of scroll-bar controls (window class "ScrollBar"). The control
// is painted by the schema from one bar record laid out over its client area, shows the part under the
// mouse hot, and is tracked by the skin (its parent gets the notifications, as from the system's own
// control). Size boxes and size grips keep the system's mouse handling and show the parent's background,
// grips with the skin's size-box image.
//
// Runs on the thread that owns the control; tracking runs a modal loop there.
class CTkSkinObjectScrollBar : public CTkSkinObjectFrame {
    DECLARE_DYNCREATE(CTkSkinObjectScrollBar)
public:
    CTkSkinObjectScrollBar();

    // Paints the control into the DC through a buffer over its client area.
    void DrawScrollBarControl(CDC* pDC);
    const SCROLLBARPOSITION& GetControlBar() const { return m_spiCtl; }

    // ---- Scroll-bar tracking site: the control paints on its client area.
    void RedrawScrollBar(SCROLLBARPOSITION* pBar) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg LRESULT OnSetScrollInfo(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetPos(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetScrollInfo(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // SBS_SIZEBOX or SBS_SIZEGRIP: no bar at all.
    BOOL IsSizeBoxControl() const;
    // Redraws at once on a client DC, after the control took a new range or position.
    void RedrawControl();

    SCROLLBARPOSITION m_spiCtl;
};
