#pragma once
#include "ControlBar.h"
#include "ToolBarCtrl.h"

// CToolBar: a toolbar control as a control bar.
//
// It is placed by the frame's layout when it is a frame's child with an alignment, or by hand
// (SetWindowPos) inside any other parent, such as a pane dialog. Either way its buttons take their
// enabled and checked state at idle time from the update handlers of its frame (see CControlBar).
// Buttons show their text beside the image with TBSTYLE_LIST. No tooltip texts are supplied: an
// unanswered TTN_GETDISPINFO shows no tip.

class CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR) {
        return CreateEx(pParentWnd, 0, dwStyle, CRect(0, 0, 0, 0), nID);
    }
    // dwCtrlStyle: TBSTYLE_* of the control; dwStyle: window and CBRS_* styles (CBRS_TOOLTIPS gives
    // the control its tooltips). The control never places or sizes itself and draws no divider.
    // rcBorders is kept for the bar's frame and not used otherwise.
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                          DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                          UINT nID = AFX_IDW_TOOLBAR);

    // The toolbar's control: the same window, for the control's own members.
    CToolBarCtrl& GetToolBarCtrl() const;

    // Toolbar resources are not used; always FALSE.
    BOOL LoadToolBar(UINT) { return FALSE; }
    // Replaces the buttons: one per id, images 0, 1, ... in order; id 0 is a separator.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    // nStyle is the button style (TBSTYLE_*/BTNS_*); the button's state is kept.
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    BOOL SetButtonText(int nIndex, LPCTSTR lpszText);
    CString GetButtonText(int nIndex) const;
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    int CommandToIndex(UINT nIDFind) const { return static_cast<int>(GetToolBarCtrl().CommandToIndex(nIDFind)); }
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const { GetToolBarCtrl().GetItemRect(nIndex, lpRect); }

    // 32767 along a stretched edge; otherwise the size all buttons need.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    CRect m_rcBorders;

private:
    mutable CToolBarCtrl m_toolBarCtrl;  // borrows m_hWnd; never in the handle map
};
