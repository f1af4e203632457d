#include "Wnd.h"
#include "Exception.h"
#include "ResourceHandle.h"
#include "ThreadState.h"
#include "WinApp.h"
#include "WndClass.h"

#include <mutex>
#include <unordered_map>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {

// The process-wide permanent map. Never destroyed, so window objects that outlive static destruction
// (globals, the constants above) can still look themselves up.
struct PermanentMap {
    std::mutex lock;
    std::unordered_map<HWND, CWnd*> objects;
};

PermanentMap& Permanent() {
    static PermanentMap* pMap = new PermanentMap;
    return *pMap;
}

void MapPermanent(HWND hWnd, CWnd* pWnd) {
    PermanentMap& map = Permanent();
    std::lock_guard<std::mutex> guard(map.lock);
    map.objects[hWnd] = pWnd;
}

// Removes hWnd's entry only while it still names pWnd.
void UnmapPermanent(HWND hWnd, CWnd* pWnd) {
    PermanentMap& map = Permanent();
    std::lock_guard<std::mutex> guard(map.lock);
    auto it = map.objects.find(hWnd);
    if (it != map.objects.end() && it->second == pWnd)
        map.objects.erase(it);
}

// A window object that never got its window, or lost it, is no longer the main window.
void ForgetMainWindow(CWnd* pWnd) {
    if (CWinApp* pApp = AfxGetApp(); pApp != nullptr && pApp->m_pMainWnd == pWnd)
        pApp->m_pMainWnd = nullptr;
}

}  // namespace

// ---- Handle maps

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    return AfxGetThreadState()->m_tempObjects.FromHandle<CWnd, &CWnd::m_hWnd>(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    if (hWnd == nullptr)
        return nullptr;
    PermanentMap& map = Permanent();
    std::lock_guard<std::mutex> guard(map.lock);
    auto it = map.objects.find(hWnd);
    return it != map.objects.end() ? it->second : nullptr;
}

void CWnd::DeleteTempMap() {
    AfxGetThreadState()->m_tempObjects.DeleteTemp();
}

BOOL CWnd::Attach(HWND hWndNew) {
    if (hWndNew == nullptr)
        return FALSE;
    MapPermanent(hWndNew, this);
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr)
        UnmapPermanent(hWnd, this);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::IsPermanentObject() const {
    return m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this;
}

// ---- Creation

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext* pContext) {
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, HwndOf(pParentWnd), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)),
                    lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
    CREATESTRUCT cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        ForgetMainWindow(this);
        PostNcDestroy();
        return FALSE;
    }

    // The hook is installed for this call only, so it is the newest hook of the thread: it attaches
    // and subclasses before any older WH_CBT hook sees the window. A creation nested inside this one
    // (in WM_CREATE) saves and restores the pending state around its own call.
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    CWnd* pOuterInit = pState->m_pWndInit;
    HWND hOuterInit = pState->m_hWndInit;
    pState->m_pWndInit = this;
    pState->m_hWndInit = nullptr;
    HHOOK hHook = ::SetWindowsHookExW(WH_CBT, CbtFilterHook, nullptr, ::GetCurrentThreadId());
    HWND hWnd = nullptr;
    if (hHook != nullptr) {
        hWnd = CreateWindowFromStruct(cs);
        ::UnhookWindowsHookEx(hHook);
    }
    const bool bAttached = pState->m_pWndInit == nullptr;
    HWND hAttached = pState->m_hWndInit;
    pState->m_pWndInit = pOuterInit;
    pState->m_hWndInit = hOuterInit;

    if (!bAttached) {
        // No window ever existed (no hook, unknown class): nothing will call PostNcDestroy but us.
        ForgetMainWindow(this);
        PostNcDestroy();
        return FALSE;
    }
    if (hWnd == nullptr) {
        // The window refused its creation. Its WM_NCDESTROY normally detached this object and ran
        // PostNcDestroy already (the object may be gone); if it did not, finish here.
        if (FromHandlePermanent(hAttached) == this) {
            Detach();
            m_bCreated = FALSE;
            ForgetMainWindow(this);
            PostNcDestroy();
        }
        return FALSE;
    }
    return TRUE;
}

HWND CWnd::CreateWindowFromStruct(CREATESTRUCT& cs) {
    return ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y, cs.cx,
                             cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
}

LRESULT CALLBACK CWnd::CbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode == HCBT_CREATEWND) {
        AFX_THREAD_STATE* pState = AfxGetThreadState();
        if (CWnd* pWnd = pState->m_pWndInit) {
            // Only the first window of the call is ours; controls a dialog creates pass untouched.
            pState->m_pWndInit = nullptr;
            pState->m_hWndInit = reinterpret_cast<HWND>(wParam);
            pWnd->HookCreatedWindow(reinterpret_cast<HWND>(wParam));
        }
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

void CWnd::HookCreatedWindow(HWND hWnd) {
    Attach(hWnd);
    m_bCreated = TRUE;
    WNDPROC pfnOld =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (pfnOld != &AfxWndProc)
        *GetSuperWndProcAddr() = pfnOld;
    // A hook procedure is a callback boundary: nothing thrown may pass it.
    try {
        PreSubclassWindow();
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == nullptr) {
        cs.lpszClass = AfxDefaultWndClass();
        if (cs.lpszClass == nullptr)
            return FALSE;
    }
    return TRUE;
}

// ---- Subclassing

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC pfnOld =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (pfnOld != &AfxWndProc)
        *GetSuperWndProcAddr() = pfnOld;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    HWND hWndControl = ::GetDlgItem(HwndOf(pParent), static_cast<int>(nID));
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow() {
    WNDPROC* ppfnSuper = GetSuperWndProcAddr();
    if (*ppfnSuper != nullptr && reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) == &AfxWndProc)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*ppfnSuper));
    *ppfnSuper = nullptr;
    return Detach();
}

// ---- Destruction

BOOL CWnd::DestroyWindow() {
    HWND hWnd = m_hWnd;
    if (hWnd == nullptr)
        return FALSE;
    const bool bPermanent = IsPermanentObject();
    const BOOL bResult = ::DestroyWindow(hWnd);
    // A window that is only attached never sends its WM_NCDESTROY through this object. (When it did,
    // the entry is gone and the object may have deleted itself: only the map is consulted.)
    if (bResult && bPermanent && FromHandlePermanent(hWnd) == this)
        Detach();
    return bResult;
}

CWnd::~CWnd() {
    if (!IsPermanentObject())
        return;
    if (m_bCreated && ::IsWindow(m_hWnd))
        DestroyWindow();
    else if (m_pfnSuper != nullptr)
        UnsubclassWindow();
    else
        Detach();
}

void CWnd::OnFinalRelease() {
    // Releasing a window object gives the window back to its own procedure; it never destroys it.
    if (IsPermanentObject()) {
        if (m_pfnSuper != nullptr)
            UnsubclassWindow();
        else
            Detach();
    }
    m_hWnd = nullptr;
    delete this;
}

void CWnd::OnNcDestroy() {
    if (!IsPermanentObject()) {
        Default();
        return;
    }
    // The main window's end is the end of the message loop.
    if (CWinApp* pApp = AfxGetApp(); pApp != nullptr && pApp->m_pMainWnd == this) {
        pApp->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    Default();
    Detach();
    m_bCreated = FALSE;
    PostNcDestroy();
}
