#pragma once
#include "Wnd.h"

// CControlBar: the base of the bars a frame lays out along its edges (status bar, toolbar). There is
// no docking: a bar keeps the edge its CBRS_ALIGN_* style names.
//
// The CBRS_* bits of the creation style are kept in m_dwStyle and never reach the window. In the
// frame's layout (WM_SIZEPARENT) a visible bar takes CalcFixedLayout's thickness from its edge; an
// invisible one takes nothing. At idle time (WM_IDLEUPDATECMDUI) a visible bar updates its items
// against its owner when that is a frame, else against its parent frame, so a bar inside a pane
// still asks the main frame. A bar has no non-client area: whatever frame bits its style carries
// (the pane toolbars' style includes WS_THICKFRAME), the whole window is the bar.

constexpr DWORD CBRS_ORIENT_HORZ = CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM;
constexpr DWORD CBRS_ORIENT_VERT = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT;

class CFrameWnd;

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    // The bar's size; bStretch spans the whole edge, bHorz is a top or bottom bar. The base answers
    // 32767 along a stretched edge and 0 otherwise.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Updates the state of the bar's items through pTarget's update handlers.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;

    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle & CBRS_ALL; }

    DWORD m_dwStyle = 0;  // CBRS_* bits

protected:
    // Keeps dwStyle's CBRS_* bits in m_dwStyle and answers the window style without them.
    DWORD TakeBarStyle(DWORD dwStyle);

    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) {}
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
