#pragma once
#include "FrameWnd.h"

// CView: a child window that shows something inside a frame and takes part in its command routing.
//
// WM_INITIALUPDATE reaches OnInitialUpdate (from LoadFrame and from CSplitterWnd::CreateView). A click
// in the view or one of its children makes it the active view of its parent frame, which then offers
// commands to it first; destroying it clears that. The object deletes itself when its window is
// destroyed, so views are made with new (usually through their run-time class). There are no
// documents: GetDocument answers NULL.

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CDocument* GetDocument() const { return nullptr; }

    // The first update; the base calls OnUpdate.
    virtual void OnInitialUpdate();
    // The base repaints the whole view.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    // Paints the view (from WM_PAINT).
    virtual void OnDraw(CDC* pDC) = 0;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    void PostNcDestroy() override { delete this; }

    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
