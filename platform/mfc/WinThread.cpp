#include "WinThread.h"
#include "AfxConstants.h"
#include "ThreadState.h"
#include "WinApp.h"
#include "Wnd.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread() : m_hThread(::GetCurrentThread()), m_nThreadID(::GetCurrentThreadId()) {}

int CWinThread::Run() {
    MSG& msgCur = AfxGetThreadState()->m_msgCur;
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;) {
        while (bIdle && !::PeekMessageW(&msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&msgCur)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageW(&msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage() {
    MSG& msg = AfxGetThreadState()->m_msgCur;
    const BOOL bResult = ::GetMessageW(&msg, nullptr, 0, 0);
    if (bResult == 0)
        return FALSE;
    if (bResult != -1 && msg.message != WM_KICKIDLE && !PreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
    CWnd* pMainWnd = GetMainWnd();
    if (CWnd::WalkPreTranslateTree(pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr, pMsg))
        return TRUE;
    if (pMainWnd != nullptr && pMsg->hwnd != nullptr) {
        CWnd* pTopLevel = CWnd::FromHandle(pMsg->hwnd)->GetTopLevelParent();
        if (pTopLevel->m_hWnd != pMainWnd->m_hWnd)
            return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL CWinThread::OnIdle(LONG lCount) {
    if (lCount <= 0) {
        // Floating bars and popups are not descendants of the main window; they update themselves.
        CWnd* pMainWnd = GetMainWnd();
        if (pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr && pMainWnd->IsWindowVisible()) {
            AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        return TRUE;
    }
    // Only the outermost loop comes here: no handler that holds a temporary is running.
    CWnd::DeleteTempMap();
    return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        if (pMsg->message == pState->m_nMsgLast && pMsg->pt.x == pState->m_ptCursorLast.x &&
            pMsg->pt.y == pState->m_ptCursorLast.y)
            return FALSE;
        pState->m_ptCursorLast = pMsg->pt;
        pState->m_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != WM_SYSTIMER;
}

int CWinThread::ExitInstance() {
    return static_cast<int>(AfxGetThreadState()->m_msgCur.wParam);
}

CWinThread* AfxGetThread() {
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->m_nThreadID == ::GetCurrentThreadId() ? pApp : nullptr;
}

CWnd* AfxGetMainWnd() {
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? pThread->GetMainWnd() : nullptr;
}

void AfxPostQuitMessage(int nExitCode) {
    ::PostQuitMessage(nExitCode);
}
