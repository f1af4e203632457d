#pragma once
#include "TkSkinObjectFrame.h"

// CTkSkinObjectTrackBar: repaints trackbars ("msctls_trackbar32") wholly with the skin class "TRACKBAR":
// the parent's background and the focus rectangle, tic marks (the end tics, every frequency-th of the
// control's tics, the selection marks), the channel and the thumb in its state. The parent still gets the
// control's NM_CUSTOMDRAW notifications; the answers to the item notifications do not change the drawing.
// The object lays the tics out itself, in horizontal terms (x and y swapped for vertical bars); channel and
// thumb rectangles come from the control.
//
// Runs on the thread that owns the control.
class CTkSkinObjectTrackBar : public CTkSkinObjectFrame {
    DECLARE_DYNCREATE(CTkSkinObjectTrackBar)
public:
    CTkSkinObjectTrackBar();

    // The whole trackbar into the DC through a buffer.
    void DrawTrackBar(CDC* pDC);
    // The x of a position on the track (horizontal terms).
    int TicPixel(int nPosition);
    // Lays the track out for the current size and style.
    void CalcTrackBarLayout();
    const CRect& GetTrackRect() const { return m_rcTrack; }
    int GetThumbLength() const { return m_nThumbLength; }
    BOOL IsHot() const { return m_bHot; }

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnSetTicFreq(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    BOOL IsVertical() const { return (GetStyle() & TBS_VERT) != 0; }
    // A rectangle in horizontal terms made real (swapped for vertical bars), and back.
    CRect Unswap(const CRect& rc) const;
    // The tic marks along the line y, going down (+1) or up (-1) from it.
    void DrawTics(CDC* pDC, int nDirection, int y);
    void DrawChannel(CDC* pDC, CTkSkinManagerClass* pClass);
    void DrawThumb(CDC* pDC, CTkSkinManagerClass* pClass);
    // Sends NM_CUSTOMDRAW for a drawing stage (and item), answering the parent's reply.
    LRESULT NotifyCustomDraw(DWORD dwStage, DWORD_PTR dwItemSpec);

    int m_nTicFrequency = 1;  // the last TBM_SETTICFREQ
    CRect m_rcTrack;          // horizontal terms
    int m_nThumbHalfWidth = 0;
    int m_nThumbLength = 0;
    int m_nTrackWidth = 1;
    DWORD m_dwStyle = 0;  // the style at the last layout
    BOOL m_bHot = FALSE;  // the mouse is over the thumb
};
