#include "TkSkinObject.h"

#include "TkSkinManager.h"
#include "TkSkinManagerApiHook.h"
#include "TkSkinManagerMetrics.h"

const UINT WM_SKINFRAMEWORK_UPDATESTATE = ::RegisterWindowMessageW(L"WM_SKINFRAMEWORK_UPDATESTATE");
const UINT WM_SKINFRAMEWORK_QUERYSTATE = ::RegisterWindowMessageW(L"WM_SKINFRAMEWORK_QUERYSTATE");

IMPLEMENT_DYNAMIC(CTkSkinObject, CWnd)

// ---- The current message

CTkSkinCurrentMessage::CTkSkinCurrentMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    : m_pState(AfxGetThreadState()), m_previous(m_pState->m_lastSentMsg) {
    m_pState->m_lastSentMsg.hwnd = hWnd;
    m_pState->m_lastSentMsg.message = message;
    m_pState->m_lastSentMsg.wParam = wParam;
    m_pState->m_lastSentMsg.lParam = lParam;
}

CTkSkinCurrentMessage::~CTkSkinCurrentMessage() {
    m_pState->m_lastSentMsg = m_previous;
}

// ---- The subclass procedure

LRESULT CALLBACK SkinSubclassWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CTkSkinManager* pManager = GetSkinManager();
    CTkSkinObject* pObject = pManager != nullptr ? pManager->FindSkinObject(hWnd) : nullptr;
    if (pObject == nullptr)
        return 0;
    // WM_NCDESTROY drops the manager's reference; the window's own procedure still has to run afterwards.
    const CCmdTargetRef holdObject(pObject);
    const WNDPROC pfnSaved = pObject->GetSavedWndProc();
    const BOOL bUnicode = pObject->IsUnicode();

    if (!pManager->IsSkinEnabled()) {
        if (message == WM_NCDESTROY)
            pManager->RemoveSkinObject(hWnd, TRUE);
        return CallSystemWindowProc(pfnSaved, hWnd, message, wParam, lParam, bUnicode);
    }

    const CTkSkinCurrentMessage current(hWnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        pManager->RemoveSkinObject(hWnd, TRUE);
    } else if (!pObject->IsOptedOut() || message == WM_SKINFRAMEWORK_UPDATESTATE) {
        // A handler that failed leaves the message to the window's own procedure.
        LRESULT lResult = 0;
        if (pObject->HandleInDefProc(message, tkDefProcSubclass, nullptr, nullptr, &wParam, &lParam, &lResult))
            return lResult;
    }
    return CallSystemWindowProc(pfnSaved, hWnd, message, wParam, lParam, bUnicode);
}

// ---- The object

CTkSkinObject::CTkSkinObject() = default;

CTkSkinObject::~CTkSkinObject() = default;

void CTkSkinObject::AttachToWindow(HWND hWnd, LPCREATESTRUCT lpCreateStruct, BOOL bCreating) {
    m_hWnd = hWnd;
    m_bUnicode = ::IsWindowUnicode(hWnd);
    m_pfnSavedWndProc = reinterpret_cast<WNDPROC>(m_bUnicode ? ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)
                                                             : ::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    if (!m_bPassive) {
        const auto nProc = reinterpret_cast<LONG_PTR>(&SkinSubclassWndProc);
        if (m_bUnicode)
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, nProc);
        else
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, nProc);
    }
    m_bSystemWndProc = CTkSkinManagerApiHook::IsSystemWindowProc(m_pfnSavedWndProc);
    OnAttached(lpCreateStruct, bCreating);
}

void CTkSkinObject::DetachFromWindow(BOOL bDestroying) {
    if (!m_bPassive && m_hWnd != nullptr) {
        const auto nProc = reinterpret_cast<LONG_PTR>(m_pfnSavedWndProc);
        if (m_bUnicode)
            ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, nProc);
        else
            ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, nProc);
    }
    OnDetached(bDestroying);
    m_hWnd = nullptr;
}

BOOL CTkSkinObject::HandleInDefProc(UINT message, int nKind, FARPROC pfnDefault, void* pExtra, WPARAM* pwParam,
                                    LPARAM* plParam, LRESULT* pResult) {
    PushDefProc(message, nKind, pfnDefault, pExtra);
    BOOL bHandled = FALSE;
    try {
        bHandled = nKind == tkDefProcSubclass ? OnHookMessage(message, pwParam, plParam, pResult)
                                              : OnHookDefProc(message, pwParam, plParam, pResult);
    } catch (CException* e) {
        e->Delete();
        bHandled = FALSE;
    } catch (...) {
        bHandled = FALSE;
    }
    // May drop the last reference: nothing of the object is touched afterwards.
    PopDefProc();
    return bHandled;
}

void CTkSkinObject::PushDefProc(UINT message, int nKind, FARPROC pfnDefault, void* pExtra) {
    InternalAddRef();
    const ToolkitLockGuard guard(m_lock);
    m_defProcStack.push_back({nKind, pfnDefault, pExtra, message});
}

void CTkSkinObject::PopDefProc() {
    {
        const ToolkitLockGuard guard(m_lock);
        if (!m_defProcStack.empty())
            m_defProcStack.pop_back();
    }
    // May be the last reference: nothing of the object is touched afterwards.
    InternalRelease();
}

UINT CTkSkinObject::GetTopDefProcMessage() {
    const ToolkitLockGuard guard(m_lock);
    return m_defProcStack.empty() ? 0 : m_defProcStack.back().message;
}

LRESULT CTkSkinObject::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) {
    DEFWINDOW_DESCRIPTIOR top = {tkDefProcSubclass, nullptr, nullptr, 0};
    {
        const ToolkitLockGuard guard(m_lock);
        if (!m_defProcStack.empty())
            top = m_defProcStack.back();
    }
    using PFNDEFPROC = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);
    switch (top.nKind) {
        case tkDefProcSubclass:
            return CallSystemWindowProc(m_pfnSavedWndProc, m_hWnd, message, wParam, lParam, m_bUnicode);
        case tkDefProcCallWindowProc:
            return reinterpret_cast<decltype(&::CallWindowProcW)>(top.pfnDefault)(reinterpret_cast<WNDPROC>(top.pExtra),
                                                                                  m_hWnd, message, wParam, lParam);
        case tkDefProcDefWindowProc:
        case tkDefProcDefMDIChildProc:
        case tkDefProcDefDlgProc:
            return reinterpret_cast<PFNDEFPROC>(top.pfnDefault)(m_hWnd, message, wParam, lParam);
        case tkDefProcDefFrameProc:
            return reinterpret_cast<decltype(&::DefFrameProcW)>(top.pfnDefault)(m_hWnd, static_cast<HWND>(top.pExtra),
                                                                                message, wParam, lParam);
        default:
            return 0;
    }
}

LRESULT CTkSkinObject::CallOriginalProc(UINT message, WPARAM wParam, LPARAM lParam) {
    PushDefProc(message, tkDefProcSubclass, nullptr, nullptr);
    const LRESULT lResult = CallDefault(message, wParam, lParam);
    PopDefProc();
    return lResult;
}

LRESULT CTkSkinObject::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallDefault(message, wParam, lParam);
}

CTkSkinManagerClass* CTkSkinObject::GetSkinClass() {
    return m_pManager->GetSkinClass(m_strClassName);
}

CTkSkinManagerMetrics* CTkSkinObject::GetMetrics() const {
    return m_pManager->GetMetrics();
}

COLORREF CTkSkinObject::GetColor(int nIndex) const {
    return GetMetrics()->GetColor(nIndex);
}

BOOL CTkSkinObject::IsSkinEnabled() const {
    return !m_bOptedOut && m_hWnd != nullptr && m_pManager != nullptr && m_pManager->IsSkinEnabled();
}

void CTkSkinObject::OnSkinChanged(BOOL /*bPrevState*/, BOOL /*bNewState*/) {
    RefreshMetrics();
}

void CTkSkinObject::OnAttached(LPCREATESTRUCT /*lpCreateStruct*/, BOOL /*bCreating*/) {
    // Only the class library's windows can answer the query while they are being created; foreign windows
    // are asked when they send themselves WM_SKINFRAMEWORK_UPDATESTATE.
    if (CWnd::FromHandlePermanent(m_hWnd) != nullptr)
        QueryOptOut();
    RefreshMetrics();
}

void CTkSkinObject::QueryOptOut() {
    m_bOptedOut = ::SendMessageW(m_hWnd, WM_SKINFRAMEWORK_QUERYSTATE, 0, 0) != 0;
}

void CTkSkinObject::TrackMouseLeave() {
    TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, HOVER_DEFAULT};
    ::TrackMouseEvent(&tme);
}

BOOL CTkSkinObject::OnHookMessage(UINT message, WPARAM* pwParam, LPARAM* plParam, LRESULT* pResult) {
    if (IsIgnoredMessage(message) || BypassesHandlers(message))
        return FALSE;
    return OnWndMsg(message, *pwParam, *plParam, pResult);
}

BOOL CTkSkinObject::OnHookDefProc(UINT message, WPARAM* pwParam, LPARAM* plParam, LRESULT* pResult) {
    if (IsIgnoredMessage(message))
        return FALSE;
    // The query went unanswered by the window itself: it wants its skin.
    if (message == WM_SKINFRAMEWORK_QUERYSTATE) {
        *pResult = 0;
        return TRUE;
    }
    return OnWndMsg(message, *pwParam, *plParam, pResult);
}

BOOL CTkSkinObject::BypassesHandlers(UINT message) {
    // Timers are answered where they arrive: a window's own procedure rarely passes them on.
    if (message == WM_TIMER)
        return FALSE;
    return !m_bSystemWndProc;
}

BOOL CTkSkinObject::IsIgnoredMessage(UINT message) {
    if (message == WM_SKINFRAMEWORK_UPDATESTATE) {
        QueryOptOut();
        return FALSE;
    }
    return message == WM_ACTIVATE || message == WM_SETCURSOR || message == WM_NOTIFY || message == WM_COMMAND;
}

// ---- Paint DC

CTkSkinObjectPaintDC::CTkSkinObjectPaintDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd()) {
    const MSG& current = AfxGetThreadState()->m_lastSentMsg;
    if (current.wParam != 0) {
        Attach(reinterpret_cast<HDC>(current.wParam));
        return;
    }
    HDC hDC = ::BeginPaint(m_hWnd, &m_ps);
    if (hDC != nullptr) {
        Attach(hDC);
        m_bBeginPaint = TRUE;
    } else {
        // Nothing can be painted now; asking again would only loop.
        ::ValidateRect(m_hWnd, nullptr);
    }
}

CTkSkinObjectPaintDC::~CTkSkinObjectPaintDC() {
    Detach();
    if (m_bBeginPaint)
        ::EndPaint(m_hWnd, &m_ps);
}

// ---- Class table entries

CTkSkinObject* CTkSkinObjectClassInfo::CreateObject(LPCWSTR /*pszClassName*/, LPCREATESTRUCT /*lpCreateStruct*/) {
    if (m_pClass == nullptr)
        return nullptr;
    CObject* pCreated = m_pClass->CreateObject();
    auto* pObject = dynamic_cast<CTkSkinObject*>(pCreated);
    if (pObject == nullptr)
        delete pCreated;
    return pObject;
}
