#include "DialogWindow.h"
#include "Dialog.h"
#include "Exception.h"
#include "ResourceHandle.h"

namespace {

// The object waiting for its dialog window on this thread, and the window the hook gave it. Plain
// values: nothing to destroy at thread exit.
thread_local CWnd* t_pWndInit = nullptr;
thread_local HWND t_hWndInit = nullptr;

// Installed for one CreateDialogIndirectParam call, so it is the thread's newest hook: the dialog is
// subclassed before any older hook (a skin's) sees it. Only the first window is the dialog.
LRESULT CALLBACK DialogCreateHook(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode == HCBT_CREATEWND && t_pWndInit != nullptr) {
        CWnd* pWnd = t_pWndInit;
        t_pWndInit = nullptr;
        t_hWndInit = reinterpret_cast<HWND>(wParam);
        // A hook procedure is a callback boundary: nothing thrown may pass it.
        try {
            pWnd->SubclassWindow(t_hWndInit);
        } catch (CException* e) {
            e->Delete();
        } catch (...) {
        }
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

}  // namespace

BOOL AfxCreateDialogWindow(CWnd* pWnd, LPCTSTR lpszTemplateName, HWND hWndParent) {
    HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    HRSRC hResource = ::FindResourceW(hInst, lpszTemplateName, RT_DIALOG);
    auto* lpTemplate =
        hResource != nullptr ? static_cast<LPCDLGTEMPLATEW>(::LockResource(::LoadResource(hInst, hResource))) : nullptr;
    if (lpTemplate == nullptr) {
        pWnd->PostNcDestroy();
        return FALSE;
    }

    CWnd* pOuterInit = t_pWndInit;
    HWND hOuterInit = t_hWndInit;
    t_pWndInit = pWnd;
    t_hWndInit = nullptr;
    HHOOK hHook = ::SetWindowsHookExW(WH_CBT, DialogCreateHook, nullptr, ::GetCurrentThreadId());
    HWND hWnd = nullptr;
    if (hHook != nullptr) {
        hWnd = ::CreateDialogIndirectParamW(hInst, lpTemplate, hWndParent, AfxDlgProc, 0);
        ::UnhookWindowsHookEx(hHook);
    }
    const bool bAttached = t_pWndInit == nullptr;
    HWND hAttached = t_hWndInit;
    t_pWndInit = pOuterInit;
    t_hWndInit = hOuterInit;

    if (hWnd != nullptr)
        return TRUE;
    // Not made. A window that existed ran WM_NCDESTROY, which detached the object and called
    // PostNcDestroy (the object may be gone); otherwise that is done here.
    if (!bAttached || CWnd::FromHandlePermanent(hAttached) == pWnd) {
        if (bAttached)
            pWnd->Detach();
        pWnd->PostNcDestroy();
    }
    return FALSE;
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG)
        return FALSE;
    // Reached from inside the system's dialog code: nothing thrown may pass.
    try {
        CDialog* pDialog = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
        return pDialog != nullptr ? pDialog->OnInitDialog() : FALSE;
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    TRACE(L"Exception in OnInitDialog\n");
    return FALSE;
}
