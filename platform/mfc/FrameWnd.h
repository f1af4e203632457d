#pragma once
#include "Wnd.h"

// CFrameWnd: a top-level window that holds control bars along its edges and one client window (id
// AFX_IDW_PANE_FIRST) in what they leave, and routes commands through its active view.
//
// Life: LoadFrame(id) loads the icon, title string, menu and accelerators of resource id, creates the
// window and, without a creation context, sends WM_INITIALUPDATE to every permanent descendant. The
// object deletes itself when its window is destroyed (PostNcDestroy), so frames are made with new.
//
// What the frame never does on its own: it never changes its title or its menu after creation (the
// running instance is found by its title, and a menu taken away by a menu bar stays away), and it
// never destroys or re-attaches its default menu (m_hMenuDefault) at destruction: the menu belongs to
// the window while attached, and to whoever took it off otherwise.

class CView;
class CDocument;
class CDocTemplate;
struct CPrintPreviewState;

// What a frame or splitter is given to create a view with. Without one a frame makes no client view
// and a splitter's new view is sent WM_INITIALUPDATE at once.
struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;  // the view class to create as the client, if any
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd() = default;

    // ---- Creation
    // The window class gets icon nIDResource when there is one; the title is string nIDResource up to
    // its first '\n' (empty when missing); menu and accelerators nIDResource are optional. FALSE when the
    // window is not made: the object has then deleted itself.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    // A view of pContext->m_pNewViewClass as child nID; NULL when it cannot be made.
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    // ---- Layout
    // Lays out the bars and the client window now (not re-entrantly) and clears the pending layout.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // Asks for a layout at the next idle time.
    void DelayRecalcLayout(BOOL bNotify = TRUE) { m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0); }

    // ---- Views and documents (there are no documents)
    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    CDocument* GetActiveDocument() { return nullptr; }
    virtual CFrameWnd* GetActiveFrame() { return this; }

    // ---- Message bar: the status bar child (AFX_IDW_STATUS_BAR), pane 0
    virtual CWnd* GetMessageBar();
    // String nID up to its first '\n'; empty when there is none.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;

    // ---- Overridables
    // Print preview does not exist; kept for frame bases that override it.
    virtual void OnSetPreviewMode(BOOL, CPrintPreviewState*) {}
    // Without a document nothing is added to the title: the title stays as set.
    virtual void OnUpdateFrameTitle(BOOL) {}
    BOOL IsFrameWnd() const override { return TRUE; }
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Key messages go through the accelerator table (when there is one).
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The active view first, then the frame's own map, then the application.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Sends WM_FLOATSTATUS(dwFlags) to every top-level window owned by the top-level frame (activation
    // flags also refresh the frame's caption).
    void NotifyFloatingWindows(DWORD dwFlags);

    UINT m_nIdleFlags = 0;           // idleMenu/idleTitle/idleNotify/idleLayout, served at idle time
    HACCEL m_hAccelTable = nullptr;  // LoadFrame's table; a frame base may drop it (not destroyed)
    HMENU m_hMenuDefault = nullptr;  // LoadFrame's menu; see the class comment for its owner
    CRect m_rectBorder;              // space kept free inside the bars' layout
    BOOL m_bAutoMenuEnable = TRUE;   // menu items without a handler are greyed
    BOOL m_bHelpMode = FALSE;        // context help does not exist
    UINT m_nIDHelp = 0;              // the LoadFrame resource id
    BOOL m_bInRecalcLayout = FALSE;  // RecalcLayout runs (it does not re-enter)

protected:
    // Creates the client view named by pContext, if any.
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    void PostNcDestroy() override { delete this; }

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CView* m_pViewActive = nullptr;  // cleared by the view when it is destroyed
    UINT m_nIDLastMessage = 0;       // the last WM_SETMESSAGESTRING id, its answer
};

// Offers pMsg to the PreTranslateMessage of every frame around pWnd, innermost first: a dialog or form
// inside a frame calls it before IsDialogMessage, which would otherwise take the frames' accelerators.
BOOL AfxPreTranslateInFrames(CWnd* pWnd, MSG* pMsg);
