#pragma once
#include "TkCommandBarsDefs.h"
#include "TkTabManager.h"

#include "mfc.h"

#include <vector>

// The MDI tab workspace: CTkTabClientWnd takes over the MDI client window of a frame (by subclassing it)
// and shows the frame's MDI children as tabs, one tab per child (its window handle as the tab's data,
// its text and small icon). The tabs stand in one or more groups (CWorkspace rows); with grouping on,
// groups stand one below another or side by side, sharing the client area by their sizes with a
// splitter between, and a tab can be dragged into another group or a new one. Each child is placed in
// its group's client rectangle.
//
// The client keeps its groups in step with the children whenever it lays out: on WM_SIZE, after the MDI
// messages that create, activate or destroy children, and when a posted WM_IDLEUPDATECMDUI finds a
// layout pending. It owns its paint manager (one reference) and its groups; the frame and the command
// bars are borrowed. UI thread only.

class CMDIFrameWnd;
class CTkCommandBars;
class CTkTabPaintManager;
class CTkToolTipContext;

// What a drop of a dragged tab does.
enum WorkspaceDropAction {
    kDropNone = 0,
    kDropContextMenu = 1,
    kDropIntoGroup = 2,
    kDropNewGroupBelow = 3,
    kDropNewGroupRight = 4,
};

class CTkTabClientWnd : public CWnd {
    DECLARE_DYNCREATE(CTkTabClientWnd)
public:
    class CWorkspace;

    CTkTabClientWnd();
    ~CTkTabClientWnd() override;

    // ---- Attaching
    // Subclasses the frame's MDI client and lays the tabs out; FALSE without an MDI client or when it is
    // taken already.
    BOOL Attach(CMDIFrameWnd* pFrame, BOOL bEnableGroups = FALSE);
    // Gives the MDI client back to the frame; the tabs go.
    void Detach();
    // The command bars that show the drop menu and re-lay the frame out (borrowed; NULL for none).
    void SetCommandBars(CTkCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    CTkCommandBars* GetCommandBars() const { return m_pCommandBars; }
    CTkTabPaintManager* GetPaintManager() const { return m_pPaintManager; }

    // ---- Groups and tabs
    int GetWorkspaceCount() const { return static_cast<int>(m_workspaces.size()); }
    CWorkspace* GetWorkspace(int nIndex) const;
    int FindWorkspace(const CWorkspace* pWorkspace) const;
    CWorkspace* GetActiveWorkspace() const { return m_pActiveWorkspace; }
    void SetActiveWorkspace(CWorkspace* pWorkspace);
    // A new, empty group at nIndex of the list (appended for an index outside it).
    CWorkspace* CreateWorkspaceAt(int nIndex);
    // The first tab, groups and tabs in order, whose child is hWnd.
    CTkTabManagerItem* FindItem(HWND hWnd) const;
    // The group that holds the tab, or NULL.
    CWorkspace* FindItemWorkspace(const CTkTabManagerItem* pItem) const;

    // ---- Children
    HWND GetActiveChild() const;
    // Activates the child through the MDI client and restores it when minimised.
    void MDIActivate(HWND hWndChild);

    // ---- Layout
    // Lays the groups out again (nothing without a frame or while a refresh runs), updates hot tracking,
    // repaints; with bRecalcFrame also re-lays the frame out through the command bars.
    void RefreshTabs(BOOL bRecalcFrame = FALSE);
    // Brings the tabs in step with the children, places the groups and the children.
    void RecalcLayout();
    BOOL IsLocked() const { return m_bLocked; }
    void MarkLayoutPending() { m_bLayoutPending = TRUE; }

    // ---- Workspace commands
    // Whether a workspace command can act on the active child's tab (written to *ppItem when given).
    BOOL IsWorkspaceActionEnabled(UINT nId, CTkTabManagerItem** ppItem = nullptr);
    // Moves the tab into the target group (kDropIntoGroup) or into a new group below or to the right of
    // it (kDropNewGroupBelow, kDropNewGroupRight).
    void MoveItemToGroup(CTkTabManagerItem* pItem, CWorkspace* pTarget, int nAction);

    // ---- What the groups ask (overridable)
    virtual HICON GetItemIcon(const CTkTabManagerItem* pItem) const;
    // -1: the tab manager's own rule.
    virtual COLORREF GetItemColor(const CTkTabManagerItem* pItem) const;
    virtual CString GetItemTooltip(const CTkTabManagerItem* pItem) const;
    virtual BOOL OnBeforeItemClick(CTkTabManagerItem* pItem) { return TRUE; }

    // ---- The group drag
    // The drop feedback on the locked desktop: begins, follows the point (client coordinates) and ends.
    void BeginDragFeedback();
    void UpdateDropTarget(CPoint pt, CTkTabManagerItem* pItem);
    void EndDragFeedback();
    BOOL IsDragFeedbackShown() const { return m_hDesktopDC != nullptr; }
    int GetDropAction() const { return m_nDropAction; }
    CWorkspace* GetDropTarget() const { return m_pDropTarget; }
    // The menu of drop action 1 at a point in client coordinates.
    void ShowDropMenu(CPoint pt);

    // ---- Settings
    BOOL m_bGroups = FALSE;
    BOOL m_bStackedGroups = FALSE;  // one below another; FALSE: side by side
    BOOL m_bAllowReorder = TRUE;
    int m_nSplitterWidth = 4;
    BOOL m_bHold = FALSE;     // set by clicks on a control-hosted group and by moves; read by nothing yet
    BOOL m_bClicked = FALSE;  // set by clicks on a control-hosted group

    // The group a command-bar control hosts (the control owns it; NULL for none): first in the list.
    void SetCommandBarWorkspace(CWorkspace* pWorkspace);
    // The control is going: the list empties without deleting its group.
    void ForgetCommandBarWorkspace(CWorkspace* pWorkspace);
    CWorkspace* GetCommandBarWorkspace() const { return m_pCommandBarWorkspace; }

protected:
    // The groups' rectangles in the client area and the splitters between them.
    void PositionWorkspaces(const CRect& rcClient);
    // Adds tabs for new children, drops tabs of gone ones and emptied groups, refreshes captions and
    // selections. TRUE when an emptied group had to wait for a mouse loop to end.
    BOOL SyncTabs();
    // Deletes a group (not the last one) and gives its share to a neighbour.
    void RemoveWorkspace(CWorkspace* pWorkspace);
    // Paints the groups and splitters.
    void Draw(CDC* pDC, const CRect& rcClient);
    CWorkspace* WorkspaceFromPoint(CPoint pt) const;
    void DrawFeedbackRect(const CRect& rcScreen);

    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMDIChildChanged(WPARAM wParam, LPARAM lParam);
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    // The tips of the tabs see the client's mouse messages first.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    DECLARE_MESSAGE_MAP()

    CMDIFrameWnd* m_pFrame = nullptr;          // not owned
    CTkCommandBars* m_pCommandBars = nullptr;  // not owned
    CTkTabPaintManager* m_pPaintManager;       // one reference
    CTkToolTipContext* m_pToolTipContext;      // one reference
    std::vector<CWorkspace*> m_workspaces;     // owned
    CWorkspace* m_pActiveWorkspace = nullptr;
    std::vector<CRect> m_splitters;  // between the groups, in client coordinates
    BOOL m_bLocked = FALSE;
    BOOL m_bLayoutPending = FALSE;
    BOOL m_bRefreshing = FALSE;
    HWND m_hLastActive = nullptr;                  // the active child at the last layout
    CWorkspace* m_pCommandBarWorkspace = nullptr;  // not owned

    // The drag feedback.
    HDC m_hDesktopDC = nullptr;
    BOOL m_bDesktopLocked = FALSE;
    CRect m_rcLastFeedback;  // screen coordinates
    CSize m_szLastFeedback;
    CWorkspace* m_pDropTarget = nullptr;
    int m_nDropAction = kDropNone;
    HCURSOR m_hDragCursor;
    HCURSOR m_hNormalCursor;

    friend class CWorkspace;
};

// One group: a tab row whose tabs stand for MDI children.
class CTkTabClientWnd::CWorkspace : public CTkTabManager {
public:
    explicit CWorkspace(CTkTabClientWnd* pOwner = nullptr) : m_pOwner(pOwner) {}

    void Reposition() override;
    HICON GetItemIcon(const CTkTabManagerItem* pItem) const override;
    COLORREF GetItemColor(const CTkTabManagerItem* pItem) const override;
    CString GetItemTooltip(const CTkTabManagerItem* pItem) const override;
    CTkTabPaintManager* GetPaintManager() const override;
    void RedrawControl(const RECT* pRect, BOOL bAnimate) override;
    BOOL IsAllowReorder() const override;
    void SetAllowReorder(BOOL bAllowReorder) override;
    BOOL IsDrawStaticFrame() const override;
    BOOL DrawIcon(CDC* pDC, CPoint pt, CTkTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) override;
    void OnItemClick(CTkTabManagerItem* pItem) override;
    BOOL OnBeforeItemClick(CTkTabManagerItem* pItem) override;
    // The group drag: reorders inside the header, offers the drop targets outside it.
    void TrackReorder(HWND hWnd, CPoint pt, CTkTabManagerItem* pItem) override;
    void OnNavigateButtonClick(CTkTabManagerNavigateButton* pButton) override;
    BOOL IsMouseLocked() const override;
    // The object that hosts the group (the owner; a command bar for a control-hosted group).
    virtual CObject* GetHostObject() const;
    virtual void OnHostRepositioned() {}

    HWND GetItemWindow(const CTkTabManagerItem* pItem) const { return reinterpret_cast<HWND>(pItem->GetData()); }

    CTkTabClientWnd* m_pOwner;  // not owned
    double m_dSize = 100.0;     // share of the client area along the grouping direction
};

// The tab client of the frame's MDI client, when it is one: RefreshTabs(TRUE) on it. What the command
// bars call when they re-lay out all bars.
void RefreshTabClientOfFrame(CWnd* pFrame);
// What the workspace-actions placeholder asks for each of its commands: FALSE when the window is no tab
// client; otherwise TRUE, with bEnabled telling whether its tab client enables the workspace command.
BOOL IsWorkspaceActionEnabledFor(HWND hWndMdiClient, UINT nId, BOOL& bEnabled);
