#pragma once
#include "TkSkinObjectFrame.h"

// CTkSkinObjectHeader: repaints header controls ("SysHeader32", the column headers of list views) from
// the skin class "HEADER": the items in display order, the item under the mouse hot, pressed while the
// left button went down on it and the mouse stays over it, each with its image, sort arrow and text; the
// rest of the header right of the last item as the class's own part. Owner-drawn items are left to the
// parent's WM_DRAWITEM. A filter bar keeps the system's drawing below the skinned item row.
//
// Runs on the thread that owns the control.

class CTkSkinObjectHeader : public CTkSkinObjectFrame {
    DECLARE_DYNCREATE(CTkSkinObjectHeader)
public:
    CTkSkinObjectHeader();

    // The whole header into the DC through a buffer.
    void DrawHeader(CDC* pDC);
    // One item's content over its part: owner drawing, image, sort arrow and text.
    void DrawHeaderItem(CDC* pDC, int nIndex, const CRect& rcItem, int nState);
    int GetHotItem() const { return m_nHotItem; }
    BOOL IsPressed() const { return m_bPressed; }

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    // The item under the point and where on it (HHT_ flags); -1 for none.
    int HitTest(CPoint point, UINT* pnFlags = nullptr);

    BOOL m_bPressed = FALSE;  // the left button went down on an item
    int m_nHotItem = -1;      // the item under the mouse
};
