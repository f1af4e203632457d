#include "WndClass.h"
#include "ResourceHandle.h"
#include "Wnd.h"

#include <mutex>
#include <set>
#include <string>

namespace {

struct ClassNames {
    std::mutex lock;
    std::set<std::wstring> names;  // node-based: the strings never move
};

ClassNames& GeneratedNames() {
    static ClassNames* pNames = new ClassNames;
    return *pNames;
}

}  // namespace

BOOL AfxRegisterClass(WNDCLASS* lpWndClass) {
    WNDCLASS existing;
    if (::GetClassInfoW(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;
    return ::RegisterClassW(lpWndClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    HINSTANCE hInst = AfxGetInstanceHandle();
    wchar_t szName[96];
    _snwprintf(szName, _countof(szName), L"Afx:%p:%x:%p:%p:%p", static_cast<void*>(hInst), nClassStyle,
               static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    szName[_countof(szName) - 1] = L'\0';

    ClassNames& names = GeneratedNames();
    std::lock_guard<std::mutex> guard(names.lock);
    auto it = names.names.find(szName);
    if (it != names.names.end())
        return it->c_str();

    WNDCLASS wndClass = {};
    wndClass.style = nClassStyle;
    wndClass.lpfnWndProc = &AfxWndProc;
    wndClass.hInstance = hInst;
    wndClass.hIcon = hIcon;
    wndClass.hCursor = hCursor;
    wndClass.hbrBackground = hbrBackground;
    wndClass.lpszClassName = szName;
    if (!AfxRegisterClass(&wndClass))
        return nullptr;
    return names.names.insert(szName).first->c_str();
}

LPCTSTR AfxDefaultWndClass() {
    return AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW));
}
