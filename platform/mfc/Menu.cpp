#include "Menu.h"
#include "ResourceHandle.h"
#include "ThreadState.h"
#include "Wnd.h"

IMPLEMENT_DYNAMIC(CMenu, CObject)

CMenu::~CMenu() {
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu) {
    return AfxGetThreadState()->m_tempObjects.FromHandle<CMenu, &CMenu::m_hMenu>(hMenu);
}

BOOL CMenu::Attach(HMENU hMenu) {
    if (hMenu == nullptr)
        return FALSE;
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU hMenu = m_hMenu;
    m_hMenu = nullptr;
    return hMenu;
}

BOOL CMenu::LoadMenu(UINT nIDResource) {
    return LoadMenu(MAKEINTRESOURCEW(nIDResource));
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName) {
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_MENU);
    return Attach(::LoadMenuW(hInst, lpszResourceName));
}

BOOL CMenu::DestroyMenu() {
    if (m_hMenu == nullptr)
        return FALSE;
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
    rString.Empty();
    const int nLength = ::GetMenuStringW(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (nLength > 0) {
        ::GetMenuStringW(m_hMenu, nIDItem, rString.GetBuffer(nLength), nLength + 1, nFlags);
        rString.ReleaseBuffer(nLength);
    }
    return rString.GetLength();
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd != nullptr ? pWnd->m_hWnd : nullptr, lpRect);
}
