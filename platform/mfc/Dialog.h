#pragma once
#include "Wnd.h"

// CDialog: a window made from a dialog template, modal or modeless.
//
// Modal, DoModal():
//   1. The owner is the parent's top-level window, else the main window; it is disabled meanwhile.
//   2. The dialog is created (WM_INITDIALOG runs OnInitDialog) and shown.
//   3. Its own message loop runs until EndDialog. The loop serves every window of the thread: other
//      windows' timers keep ticking and messages sent by other threads are answered. Keys go through
//      the thread's PreTranslateMessage (so through IsDialogMessage). A WM_QUIT it meets is posted
//      again and ends the dialog as IDCANCEL, as does the window's destruction.
//   4. The owner is enabled again before the dialog is destroyed, so activation returns to it.
//   5. The answer is EndDialog's value, or -1 when the dialog could not be created.
// Modeless, Create(): a template with WS_CHILD makes a child pane of the parent, any other a popup
// owned by it. EndDialog (OnOK, OnCancel, the close box, Escape) only hides a modeless dialog;
// DestroyWindow destroys it. The object never deletes itself.
//
// Data: OnInitDialog runs UpdateData(FALSE) and OnOK UpdateData(TRUE): DoDataExchange binds controls
// to members (DDX_Control); values are read from the controls (GetDlgItemText, ...) by the dialog.
// Commands go to the dialog's own map, then to the application (ids below 0xF000).

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr)
        : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)), m_pParentWnd(pParentWnd) {}
    // Destroys a window still open (a modeless dialog the owner never destroyed).
    ~CDialog() override;

    // ---- Modeless
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr) {
        return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
    }
    BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

    // ---- Modal
    virtual INT_PTR DoModal();
    // Ends the modal loop with nResult; a modeless dialog is hidden.
    void EndDialog(int nResult);

    // ---- Overridables
    // Runs UpdateData(FALSE); TRUE gives the focus to the first control.
    virtual BOOL OnInitDialog();
    // UpdateData(TRUE), then EndDialog(IDOK).
    virtual void OnOK();
    virtual void OnCancel();
    // Keys and mouse messages of the dialog and its controls go through IsDialogMessage; a child
    // dialog first offers them to the frames around it, whose accelerators IsDialogMessage would eat.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // ---- Focus
    void GotoDlgCtrl(CWnd* pWndCtrl) { SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), TRUE); }
    void NextDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 1, 0); }

    LPCTSTR m_lpszTemplateName = nullptr;  // a MAKEINTRESOURCE id or a name (not owned)
    CWnd* m_pParentWnd = nullptr;          // not owned

protected:
    DECLARE_MESSAGE_MAP()

private:
    // The modal loop of step 3.
    void RunModalLoop();

    BOOL m_bModal = FALSE;          // DoModal runs
    BOOL m_bContinueModal = FALSE;  // until EndDialog or the end of the window
    int m_nModalResult = -1;
};
