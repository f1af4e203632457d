#pragma once
#include "ControlBar.h"

#include <vector>

// CStatusBar: a status control ("msctls_statusbar32") with panes.
//
// Each pane has an id, a style (SBPS_*) and a width; the part right edges are the running sums of the
// widths, and the width the panes leave free goes to the first SBPS_STRETCH pane. The texts live in
// the control: SetPaneText and anyone's SB_SETTEXT write them, and the bar itself never writes a text
// again (not when panes are resized, restyled or updated at idle), so texts written straight into the
// control stay. A disabled pane (SBPS_DISABLED) shows no text. Idle updates of the panes never
// disable a pane for lack of a handler.

constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_NOBORDERS = SBT_NOBORDERS;
constexpr UINT SBPS_POPOUT = SBT_POPOUT;

class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    // A child status bar of pParentWnd; the CBRS_* bits of dwStyle (CBRS_BOTTOM) place it.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT nID = AFX_IDW_STATUS_BAR);

    // One pane per id; a pane shows string id when there is one (its width is the text's), and a
    // first pane with id 0 stretches.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    UINT GetItemID(int nIndex) const { return m_panes[nIndex].nID; }
    // The index of the pane with id nIDFind, or -1.
    int CommandToIndex(UINT nIDFind) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;

    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const { return m_panes[nIndex].nStyle; }
    void SetPaneStyle(int nIndex, UINT nStyle);
    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const { rString = GetPaneText(nIndex); }
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);

    // 32767 wide when stretched; as high as the control's font needs.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    struct Pane {
        UINT nID;
        UINT nStyle;
        int cxWidth;
    };
    // Gives the control the part edges of the panes (never their texts).
    void UpdateParts();

    std::vector<Pane> m_panes;
};
