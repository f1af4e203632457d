#pragma once
#include "TkSkinObjectFrame.h"

// CTkSkinObjectSpin: up-down controls ("msctls_updown32") painted from the skin class "SPIN": two halves
// (up and down, or left and right for UDS_HORZ), each hot under the mouse, pressed while held under it
// and still hot while held with the mouse elsewhere, both disabled when the control is or its range is
// empty. Attached to a bordered buddy edit, the control joins the edit's border in the EDIT class's
// border colour.
//
// Runs on the thread that owns the control.
class CTkSkinObjectSpin : public CTkSkinObjectFrame {
    DECLARE_DYNCREATE(CTkSkinObjectSpin)
public:
    // The halves: the lower (vertical) or left (UDS_HORZ) one, and the upper or right one.
    enum Half { kNoHalf = 0, kLowerHalf = 1, kUpperHalf = 2 };

    CTkSkinObjectSpin();

    // The whole control into the DC through a buffer.
    void DrawSpin(CDC* pDC);
    // The half under the point (client coordinates); none on the middle line and outside.
    int HalfAt(CPoint point) const;
    // SPIN part state of a half: DISABLED, PRESSED (pressed and hot), HOT (pressed with the mouse elsewhere,
    // or hot while the other half is not pressed), NORMAL.
    int GetHalfState(int nHalf, BOOL bEnabled) const;
    int GetHotHalf() const { return m_nHotHalf; }
    int GetPressedHalf() const { return m_nPressedHalf; }

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    int m_nHotHalf = kNoHalf;
    int m_nPressedHalf = kNoHalf;
};
