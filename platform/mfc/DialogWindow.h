#pragma once
#include "Wnd.h"

// Dialog windows made from templates for window objects (CDialog, CFormView).
//
// The object is entered in the handle map and subclassed with AfxWndProc at the dialog's first
// creation hook, before WM_NCCREATE, so its message map sees WM_CREATE and everything after; the
// template's controls are created untouched. The dialog procedure is AfxDlgProc, which only answers
// WM_INITDIALOG with CDialog::OnInitDialog: every other message reaches the object's map first.

// Creates pWnd's window from dialog template lpszTemplateName of the current resource module with
// hWndParent as parent (child templates) or owner. FALSE when the template is missing or the window is
// not made; pWnd->PostNcDestroy has then run (an object that deletes itself there is gone).
BOOL AfxCreateDialogWindow(CWnd* pWnd, LPCTSTR lpszTemplateName, HWND hWndParent);

// The dialog procedure of layer dialogs.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// TRUE for key and mouse messages, the ones IsDialogMessage may take.
inline BOOL AfxIsInputMessage(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}
