#pragma once
#include "TkSkinObjectFrame.h"

// CTkSkinObjectTab: paints tab controls ("SysTabControl32") wholly from the skin class "TAB": the pane,
// every tab with its image and caption (the first tab, the last unselected one and the others each with
// their own part; the selected one 2 pixels larger on every side and painted last, over its neighbours),
// the tab under the mouse hot, and the focus rectangle of the selected tab. Tabs drawn as buttons take the
// BUTTON class's push button. The control keeps the layout (rectangles, rows, selection) and is asked for
// it through its messages.
//
// Runs on the thread that owns the control.

class CTkSkinObjectTab : public CTkSkinObjectFrame {
    DECLARE_DYNCREATE(CTkSkinObjectTab)
public:
    CTkSkinObjectTab();

    // The band of the tabs, cut at the selected tab on the tabs' side.
    CRect GetTabStripRect();
    // The parent's background over the rectangle, and the pane on it outside the tab strip.
    void DrawTabBackground(CDC* pDC, const CRect& rc);
    // The tab strip (and the pane's first 2 pixels) through a buffer: every tab, then the selected one.
    void DrawTabItems(CDC* pDC);
    void DrawTabItem(CDC* pDC, int nItem);
    int GetHotItem() const { return m_nHotItem; }

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // 0 tabs on top, TCS_BOTTOM, TCS_VERTICAL (left) or both (right).
    DWORD GetOrientation() const { return GetStyle() & (TCS_VERTICAL | TCS_BOTTOM); }
    CRect GetItemRect(int nItem);
    CString GetItemText(int nItem);

    int m_nHotItem = -1;  // the tab under the mouse
};
