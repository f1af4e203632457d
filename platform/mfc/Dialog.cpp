#include "Dialog.h"
#include "DialogWindow.h"
#include "FrameWnd.h"
#include "WinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

CDialog::~CDialog() {
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
    m_lpszTemplateName = lpszTemplateName;
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    m_bModal = FALSE;
    return AfxCreateDialogWindow(this, m_lpszTemplateName, m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr);
}

INT_PTR CDialog::DoModal() {
    HWND hWndOwner = nullptr;
    if (m_pParentWnd != nullptr && m_pParentWnd->m_hWnd != nullptr)
        hWndOwner = ::GetAncestor(m_pParentWnd->m_hWnd, GA_ROOT);
    else if (CWnd* pMainWnd = AfxGetMainWnd(); pMainWnd != nullptr)
        hWndOwner = pMainWnd->m_hWnd;
    const bool bEnableOwner = hWndOwner != nullptr && ::IsWindowEnabled(hWndOwner);
    if (bEnableOwner)
        ::EnableWindow(hWndOwner, FALSE);

    m_bModal = TRUE;
    m_bContinueModal = TRUE;
    m_nModalResult = -1;
    if (AfxCreateDialogWindow(this, m_lpszTemplateName, hWndOwner)) {
        if (m_bContinueModal) {
            if (!IsWindowVisible())
                ShowWindow(SW_SHOWNORMAL);
            RunModalLoop();
        }
        // The owner takes activation back when the dialog disappears.
        if (bEnableOwner)
            ::EnableWindow(hWndOwner, TRUE);
        if (m_hWnd != nullptr) {
            SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
            if (hWndOwner != nullptr && ::GetActiveWindow() == m_hWnd)
                ::SetActiveWindow(hWndOwner);
            DestroyWindow();
        }
    } else if (bEnableOwner) {
        ::EnableWindow(hWndOwner, TRUE);
    }
    m_bModal = FALSE;
    return m_nModalResult;
}

void CDialog::RunModalLoop() {
    const HWND hWnd = m_hWnd;
    bool bIdle = true;
    LONG lIdleCount = 0;
    MSG msg = {};
    while (m_bContinueModal) {
        // Idle: the dialog may use WM_KICKIDLE (answering non-zero asks for more).
        while (bIdle && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!::SendMessageW(hWnd, WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = false;
        }
        // GetMessage also serves messages sent by other threads while it waits.
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_nModalResult = IDCANCEL;
            break;
        }
        CWinThread* pThread = AfxGetThread();
        if (msg.message != WM_KICKIDLE) {
            const BOOL bTaken =
                pThread != nullptr ? pThread->PreTranslateMessage(&msg) : CWnd::WalkPreTranslateTree(hWnd, &msg);
            if (!bTaken) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        if (!::IsWindow(hWnd)) {
            if (m_bContinueModal)
                m_nModalResult = IDCANCEL;
            break;
        }
        const bool bIdleMessage = pThread != nullptr ? pThread->IsIdleMessage(&msg) != FALSE
                                                     : msg.message != WM_PAINT && msg.message != WM_SYSTIMER;
        if (bIdleMessage) {
            bIdle = true;
            lIdleCount = 0;
        }
    }
    m_bContinueModal = FALSE;
}

void CDialog::EndDialog(int nResult) {
    if (m_bModal) {
        m_nModalResult = nResult;
        m_bContinueModal = FALSE;
        // Wakes the loop when it waits for a message.
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
    } else {
        ShowWindow(SW_HIDE);
    }
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    if (!AfxIsInputMessage(pMsg->message))
        return FALSE;
    if ((GetStyle() & WS_CHILD) && AfxPreTranslateInFrames(this, pMsg))
        return TRUE;
    return ::IsDialogMessageW(m_hWnd, pMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if ((nCode != CN_COMMAND && nCode != CN_UPDATE_COMMAND_UI) || nID >= 0xF000)
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()
