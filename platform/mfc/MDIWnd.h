#pragma once
#include "FrameWnd.h"

// The multiple-document frame and its children. The application itself is single-document; the
// command bars serve MDI frames too (the menu bar's child buttons and per-template menus), and their
// tests run on these.
//
// CMDIFrameWnd makes an MDICLIENT window as its client (id AFX_IDW_PANE_FIRST, so the bars' layout
// places it) and passes what its map leaves to DefFrameProcW. A CMDIChildWnd is made by WM_MDICREATE to
// that client and passes what its map leaves to DefMDIChildProcW; it is destroyed by WM_MDIDESTROY, and
// like every frame deletes itself when its window is gone.

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    // The active MDI child's object (NULL without one); *pbMaximized tells whether it is maximised.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;

    HWND m_hWndMDIClient = nullptr;  // the MDICLIENT window, once made

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    // A child of pParentWnd's MDI client, sized by rect (CW_USEDEFAULT allowed). pContext reaches
    // OnCreateClient. FALSE when it is not made (the object has then deleted itself).
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CMDIFrameWnd* pParentWnd, CCreateContext* pContext = nullptr);
    // WM_MDIDESTROY, so the client forgets the child and activates the next one.
    BOOL DestroyWindow() override;

    // The MDI frame around this child, or NULL.
    CMDIFrameWnd* GetMDIFrame() const;

protected:
    HWND CreateWindowFromStruct(CREATESTRUCT& cs) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // WM_CREATE carries an MDICREATESTRUCT; the frame's creation sees the context it holds.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};
