// Message dispatch of CWnd: the window procedure, the message map, default processing, command
// routing from windows and reflection of control notifications.

#include "CmdUI.h"
#include "Exception.h"
#include "ThreadState.h"
#include "WndMsgMap.h"

#include <exception>

namespace {

bool IsCtlColorMessage(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// A handler that lets an exception out is a programmer error: the window carries on, and the developer
// sees which message it was.
void ReportWndProcException(UINT nMsg, LPCWSTR lpszWhat) {
    TRACE(L"Exception in the window procedure (message 0x%04X): %s\n", nMsg, lpszWhat);
}

// What a message answers when its handler threw.
LRESULT ResultAfterException(HWND hWnd, UINT nMsg) {
    if (nMsg == WM_CREATE)
        return -1;
    if (nMsg == WM_PAINT)
        ::ValidateRect(hWnd, nullptr);
    return 0;
}

// Auto check boxes and radio buttons keep working without a handler, so updates never disable them
// for the lack of one.
bool IsAutoButton(HWND hWnd) {
    if ((::SendMessageW(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) == 0)
        return false;
    const UINT nStyle = static_cast<UINT>(::GetWindowLongW(hWnd, GWL_STYLE)) & BS_TYPEMASK;
    return nStyle == BS_AUTOCHECKBOX || nStyle == BS_AUTO3STATE || nStyle == BS_AUTORADIOBUTTON;
}

bool IsDropDownCombo(HWND hWnd) {
    wchar_t szClass[16] = L"";
    if (hWnd == nullptr || !::GetClassNameW(hWnd, szClass, _countof(szClass)) || ::lstrcmpiW(szClass, L"ComboBox") != 0)
        return false;
    return (static_cast<DWORD>(::GetWindowLongW(hWnd, GWL_STYLE)) & 0x3) == CBS_DROPDOWN;
}

void SendToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) {
    for (HWND hChild = ::GetTopWindow(hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (bOnlyPerm) {
            if (CWnd* pChild = CWnd::FromHandlePermanent(hChild))
                AfxCallWndProc(pChild, hChild, message, wParam, lParam);
        } else {
            ::SendMessageW(hChild, message, wParam, lParam);
        }
        if (bDeep && ::GetTopWindow(hChild) != nullptr)
            SendToDescendants(hChild, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

}  // namespace

// ---- Window procedure

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    const MSG previous = pState->m_lastSentMsg;
    pState->m_lastSentMsg.hwnd = hWnd;
    pState->m_lastSentMsg.message = nMsg;
    pState->m_lastSentMsg.wParam = wParam;
    pState->m_lastSentMsg.lParam = lParam;

    LRESULT lResult = 0;
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (CException* e) {
        wchar_t szMessage[256] = L"";
        if (!e->GetErrorMessage(szMessage, _countof(szMessage)))
            ::lstrcpynW(szMessage, L"layer exception", _countof(szMessage));
        e->Delete();
        ReportWndProcException(nMsg, szMessage);
        lResult = ResultAfterException(hWnd, nMsg);
    } catch (const std::exception&) {
        ReportWndProcException(nMsg, L"C++ exception");
        lResult = ResultAfterException(hWnd, nMsg);
    } catch (...) {
        ReportWndProcException(nMsg, L"unknown exception");
        lResult = ResultAfterException(hWnd, nMsg);
    }

    pState->m_lastSentMsg = previous;
    return lResult;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        lResult = 1;
    } else if (message == WM_NOTIFY) {
        const auto* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
        if (pNMHDR == nullptr || pNMHDR->hwndFrom == nullptr || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
    } else {
        AFX_MSGCALL call = {message, 0, wParam, lParam, nullptr, 0};
        UINT nLookup = message;
        // Every WM_CTLCOLOR* goes to the one ON_WM_CTLCOLOR entry unless the map names the message.
        if (IsCtlColorMessage(message) && AfxFindMessageEntry(GetMessageMap(), message, 0, 0) == nullptr)
            nLookup = WM_CTLCOLOR;
        return DispatchMapMessage(nLookup, call, pResult);
    }
    if (pResult != nullptr)
        *pResult = lResult;
    return TRUE;
}

BOOL CWnd::DispatchMapMessage(UINT nLookupMessage, AFX_MSGCALL& call, LRESULT* pResult) {
    const AFX_MSGMAP_ENTRY* pEntry = AfxFindMessageEntry(GetMessageMap(), nLookupMessage, 0, 0);
    if (pEntry == nullptr)
        return FALSE;
    // The handler may delete this object (PostNcDestroy): nothing of it is touched afterwards.
    if (!pEntry->pfn(this, call))
        return FALSE;
    if (pResult != nullptr)
        *pResult = call.lResult;
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (WNDPROC pfnSuper = *GetSuperWndProcAddr()) {
        if (::IsWindowUnicode(m_hWnd))
            return ::CallWindowProcW(pfnSuper, m_hWnd, message, wParam, lParam);
        return ::CallWindowProcA(pfnSuper, m_hWnd, message, wParam, lParam);
    }
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* CWnd::GetCurrentMessage() {
    MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    msg.time = static_cast<DWORD>(::GetMessageTime());
    const CPoint pt(static_cast<LPARAM>(::GetMessagePos()));
    msg.pt.x = pt.x;
    msg.pt.y = pt.y;
    return &msg;
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        if (CWnd* pWnd = FromHandlePermanent(hWnd); pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop || (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) == 0)
            break;
    }
    return FALSE;
}

// ---- Commands, notifications and reflection

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);

    if (hWndCtrl == nullptr) {
        // A menu, accelerator or TrackPopupMenu command: the update handlers decide first whether it
        // may run now, so a command shown disabled (or arriving from a menu built before it was) does
        // nothing.
        if (nID == 0)
            return FALSE;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    } else {
        CWnd* pChild = FromHandlePermanent(hWndCtrl);
        if (pChild != nullptr && pChild->OnChildNotify(WM_COMMAND, wParam, lParam, nullptr))
            return TRUE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    CWnd* pChild = FromHandlePermanent(pNMHDR->hwndFrom);
    if (pChild != nullptr && pChild->OnChildNotify(WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify = {pResult, pNMHDR};
    return OnCmdMsg(static_cast<UINT>(pNMHDR->idFrom), MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
    CWnd* pChild = FromHandlePermanent(hWndChild);
    return pChild != nullptr && pChild->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    // The reflected forms are looked up in this class's map only, bypassing routing overrides.
    switch (message) {
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
            return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
        case WM_COMMAND:
            if (CCmdTarget::OnCmdMsg(0, MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr)) {
                if (pResult != nullptr)
                    *pResult = 1;
                return TRUE;
            }
            return FALSE;
        case WM_NOTIFY: {
            auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
            LRESULT lIgnored = 0;
            AFX_NOTIFY notify = {pResult != nullptr ? pResult : &lIgnored, pNMHDR};
            return CCmdTarget::OnCmdMsg(0, MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, nullptr);
        }
        default:
            if (IsCtlColorMessage(message)) {
                AFX_MSGCALL call = {message, 0, wParam, lParam, nullptr, 0};
                return DispatchMapMessage(WM_REFLECT_BASE + WM_CTLCOLOR, call, pResult);
            }
            return FALSE;
    }
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) {
    SendToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
    CCmdUI state;
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        state.m_nID = static_cast<UINT>(::GetDlgCtrlID(hChild));
        if (state.m_nID == 0)
            continue;
        state.m_pOther = FromHandle(hChild);
        // A control that answers its own update (ON_UPDATE_COMMAND_UI_REFLECT) is done.
        CWnd* pPermanent = FromHandlePermanent(hChild);
        if (pPermanent != nullptr &&
            pPermanent->OnCmdMsg(0, MAKELONG(0xFFFF, WM_REFLECT_BASE + WM_COMMAND), &state, nullptr))
            continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler && !IsAutoButton(hChild));
    }
}

// ---- CWnd's own message map: reflection, forwarding to descendants, the end of a window's life

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
    ON_WM_CTLCOLOR()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

// Only a window's permanent object reflects and forwards: an object that merely borrows the handle
// (a skin object) sees the same message again when the window's own procedure runs.

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT) {
    LRESULT lResult = 0;
    if (pWnd != nullptr && IsPermanentObject() && ReflectLastMsg(pWnd->m_hWnd, &lResult))
        return reinterpret_cast<HBRUSH>(lResult);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (lpDrawItemStruct->CtlType != ODT_MENU && IsPermanentObject() && ReflectLastMsg(lpDrawItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    if (lpMeasureItemStruct->CtlType != ODT_MENU && IsPermanentObject() &&
        ReflectLastMsg(::GetDlgItem(m_hWnd, static_cast<int>(lpMeasureItemStruct->CtlID))))
        return;
    Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar) {
    if (pScrollBar != nullptr && IsPermanentObject() && ReflectLastMsg(pScrollBar->m_hWnd))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar) {
    if (pScrollBar != nullptr && IsPermanentObject() && ReflectLastMsg(pScrollBar->m_hWnd))
        return;
    Default();
}

// Child windows (captions, common controls) refresh their colours and metrics only when told; a
// top-level window tells all of them, not only those with objects.
void CWnd::OnSysColorChange() {
    if (IsPermanentObject() && (GetStyle() & WS_CHILD) == 0)
        SendMessageToDescendants(WM_SYSCOLORCHANGE, 0, 0, TRUE, FALSE);
    Default();
}

void CWnd::OnSettingChange(UINT uFlags, LPCTSTR lpszSection) {
    if (IsPermanentObject() && (GetStyle() & WS_CHILD) == 0)
        SendMessageToDescendants(WM_SETTINGCHANGE, uFlags, reinterpret_cast<LPARAM>(lpszSection), TRUE, FALSE);
    Default();
}

CScrollBar* AfxScrollBarFromHandle(HWND hWnd) {
    if (hWnd == nullptr)
        return nullptr;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CScrollBar)))
        return static_cast<CScrollBar*>(pWnd);
    return AfxGetThreadState()->m_tempObjects.FromHandle<CScrollBar, &CScrollBar::m_hWnd>(hWnd);
}

BOOL CWnd::GrayCtlColor(HDC hDC, HWND hWnd, UINT nCtlColor, HBRUSH hbrGray, COLORREF clrText) {
    if (hDC == nullptr)
        return FALSE;
    if (nCtlColor == CTLCOLOR_EDIT || nCtlColor == CTLCOLOR_MSGBOX || nCtlColor == CTLCOLOR_SCROLLBAR)
        return FALSE;
    // A list box is painted only as part of a drop-down combo box (the combo or its list).
    if (nCtlColor == CTLCOLOR_LISTBOX && !IsDropDownCombo(hWnd) && !IsDropDownCombo(::GetParent(hWnd)))
        return FALSE;

    LOGBRUSH logBrush = {};
    if (hbrGray == nullptr || ::GetObjectW(hbrGray, sizeof(logBrush), &logBrush) == 0)
        return FALSE;
    ::SetBkColor(hDC, logBrush.lbColor);
    ::SetTextColor(hDC, clrText == static_cast<COLORREF>(-1) ? ::GetSysColor(COLOR_WINDOWTEXT) : clrText);
    return TRUE;
}
