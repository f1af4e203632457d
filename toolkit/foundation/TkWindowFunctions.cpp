#include "TkWindowFunctions.h"

namespace {

using PFNGETLAYOUT = DWORD(WINAPI*)(HDC);
using PFNSETLAYOUT = DWORD(WINAPI*)(HDC, DWORD);

FARPROC GetGdiEntry(const char* pszName) {
    HMODULE hGdi = ::GetModuleHandleW(L"GDI32.DLL");
    return hGdi != nullptr ? ::GetProcAddress(hGdi, pszName) : nullptr;
}

bool HasRtlLayout(CWnd* pWnd) {
    return pWnd != nullptr && ::IsWindow(pWnd->GetSafeHwnd()) &&
           (::GetWindowLongPtrW(pWnd->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

}  // namespace

DWORD GetLayoutOfDC(HDC hDC) {
    static const auto s_pfnGetLayout = reinterpret_cast<PFNGETLAYOUT>(GetGdiEntry("GetLayout"));
    return s_pfnGetLayout != nullptr ? s_pfnGetLayout(hDC) : 0;
}

void SetLayoutOfDC(HDC hDC, DWORD dwLayout) {
    static const auto s_pfnSetLayout = reinterpret_cast<PFNSETLAYOUT>(GetGdiEntry("SetLayout"));
    if (s_pfnSetLayout != nullptr)
        s_pfnSetLayout(hDC, dwLayout);
}

BOOL IsDCRightToLeft(CDC* pDC) {
    return pDC != nullptr && GetLayoutOfDC(pDC->GetSafeHdc()) != 0;
}

void SetDCLayout(CDC* pDC, DWORD dwLayout) {
    if (pDC != nullptr)
        SetLayoutOfDC(pDC->GetSafeHdc(), dwLayout);
}

void MirrorArrowKeyForRtl(CWnd* pWnd, UINT* pKey) {
    if (!HasRtlLayout(pWnd))
        return;
    if (*pKey == VK_LEFT)
        *pKey = VK_RIGHT;
    else if (*pKey == VK_RIGHT)
        *pKey = VK_LEFT;
}

void ScreenToWindowCoords(CWnd* pWnd, POINT* pPoint) {
    const CRect rcWindow = MakeWindowRect(pWnd);
    pPoint->y -= rcWindow.top;
    pPoint->x = HasRtlLayout(pWnd) ? rcWindow.right - pPoint->x : pPoint->x - rcWindow.left;
}

BOOL IsTopLevelWindowActive(HWND hWnd) {
    // Up through parents and owners, as a child's top-level window is found.
    HWND hTop = hWnd;
    for (HWND hUp = hWnd; hUp != nullptr;) {
        hTop = hUp;
        hUp = (::GetWindowLongPtrW(hUp, GWL_STYLE) & WS_CHILD) != 0 ? ::GetParent(hUp) : ::GetWindow(hUp, GW_OWNER);
    }
    return hTop != nullptr && ::GetForegroundWindow() == ::GetLastActivePopup(hTop);
}

void GetCursorPosInClient(POINT* pPoint, CWnd* pWnd) {
    ::GetCursorPos(pPoint);
    if (pWnd != nullptr)
        ::ScreenToClient(pWnd->GetSafeHwnd(), pPoint);
}

CRect MakeEmptyRect() {
    return CRect(0, 0, 0, 0);
}

CRect MakeWindowRectFromHandle(HWND hWnd) {
    CRect rc = MakeEmptyRect();
    if (hWnd != nullptr && ::IsWindow(hWnd))
        ::GetWindowRect(hWnd, &rc);
    return rc;
}

CRect MakeWindowRect(const CWnd* pWnd) {
    return MakeWindowRectFromHandle(pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr);
}

CRect MakeClientRectFromHandle(HWND hWnd) {
    CRect rc = MakeEmptyRect();
    if (hWnd != nullptr && ::IsWindow(hWnd))
        ::GetClientRect(hWnd, &rc);
    return rc;
}

CString GetWindowTextFromHandle(HWND hWnd) {
    CString strText;
    const int nLength = ::GetWindowTextLengthW(hWnd);
    ::GetWindowTextW(hWnd, strText.GetBuffer(nLength + 1), nLength + 1);
    strText.ReleaseBuffer();
    return strText;
}

CRect MakeClientRect(const CWnd* pWnd) {
    return MakeClientRectFromHandle(pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr);
}

BOOL RegisterToolkitWindowClass(HINSTANCE hInstance, LPCWSTR lpszClassName, UINT nClassStyle, HICON hIcon) {
    WNDCLASS wndClass = {};
    wndClass.style = nClassStyle;
    wndClass.lpfnWndProc = ::DefWindowProcW;
    wndClass.hInstance = hInstance != nullptr ? hInstance : AfxGetInstanceHandle();
    wndClass.hIcon = hIcon;
    wndClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wndClass.lpszClassName = lpszClassName;
    return AfxRegisterClass(&wndClass);
}
