#pragma once
#include "View.h"

// CFormView: a view made from a child dialog template (WS_CHILD), such as a splitter pane.
//
// Create makes the form from its template with the given parent, id, rectangle and WS_VISIBLE; the
// object is attached before WM_CREATE. OnInitialUpdate binds and fills the controls (UpdateData(FALSE)),
// and may run twice (from the splitter and from the frame). The form does not scroll: a form lays out
// its controls in its own OnSize. Keys and mouse messages go to the frames around it first, then
// through IsDialogMessage.

class CFormView : public CView {
    DECLARE_DYNAMIC(CFormView)
public:
    explicit CFormView(UINT nIDTemplate) : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)) {}
    explicit CFormView(LPCTSTR lpszTemplateName) : m_lpszTemplateName(lpszTemplateName) {}

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;
    void OnInitialUpdate() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    LPCTSTR m_lpszTemplateName;  // a MAKEINTRESOURCE id or a name (not owned)

protected:
    // The dialog paints itself and its controls.
    void OnDraw(CDC*) override {}
    // No focus move at creation: a pane does not take the focus from the frame.
    afx_msg LRESULT OnInitDialogMessage(WPARAM wParam, LPARAM lParam) { return FALSE; }
    DECLARE_MESSAGE_MAP()
};
