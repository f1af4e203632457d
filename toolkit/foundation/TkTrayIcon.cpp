#include "TkTrayIcon.h"

#include "WndMsgMap.h"

#include <algorithm>

namespace {

// Sent to every top-level window when the taskbar is made again (the shell restarted): icons added
// before are gone and must be added again. Registered once, at program start.
const UINT g_nTaskbarCreatedMessage = ::RegisterWindowMessageW(L"TaskbarCreated");

constexpr UINT kAddFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
constexpr int kMaxTipLengthCreated = 127;

}  // namespace

BEGIN_MESSAGE_MAP(CTkTrayIcon, CWnd)
    ON_WM_TIMER()
    ON_WM_SETTINGCHANGE()
    ON_REGISTERED_MESSAGE(g_nTaskbarCreatedMessage, OnTaskbarCreated)
END_MESSAGE_MAP()

CTkTrayIcon::CTkTrayIcon() {
    m_nid = {};
    m_nid.cbSize = NOTIFYICONDATAW_V2_SIZE;
    m_nid.uFlags = kAddFlags;
    m_nid.uCallbackMessage = kCallbackMessage;
}

CTkTrayIcon::~CTkTrayIcon() {
    RemoveIcon();
    if (m_hWnd != nullptr)
        DestroyWindow();
    FreeAnimationIcons();
    if (m_wndTaskbarHider.m_hWnd != nullptr)
        m_wndTaskbarHider.DestroyWindow();
}

// ---- Creation

BOOL CTkTrayIcon::CreateTrayIcon(LPCWSTR lpszTip, UINT_PTR, CWnd* pOwner, UINT nIconId) {
    return CreateTrayIcon(lpszTip, pOwner, nIconId, 0, 0, FALSE);
}

BOOL CTkTrayIcon::CreateTrayIcon(LPCWSTR lpszTip, CWnd* pOwner, UINT nIconId, UINT nTrayId, UINT nDefaultItem,
                                 BOOL bDefaultByPosition) {
    if (pOwner == nullptr || pOwner->m_hWnd == nullptr)
        return FALSE;
    m_nIconId = nIconId;
    m_strTip = lpszTip != nullptr ? lpszTip : L"";
    m_hWndNotify = pOwner->m_hWnd;
    m_nMaxTipLength = kMaxTipLengthCreated;
    SetIcon(nIconId);
    SetTooltipText(m_strTip);
    // A second creation keeps the window; the icon added under the old id leaves the shell first.
    if (m_hWnd == nullptr) {
        if (!CreateHiddenWindow(*this))
            return FALSE;
    } else {
        RemoveIcon();
    }
    m_nid.hWnd = m_hWnd;
    m_nid.uID = nTrayId;
    m_nDefaultItem = nDefaultItem;
    m_bDefaultByPosition = bDefaultByPosition;
    m_nAddFlags = kAddFlags;
    return AddIcon();
}

BOOL CTkTrayIcon::CreateHiddenWindow(CWnd& wnd) {
    LPCTSTR lpszClass = AfxRegisterWndClass(0);
    if (lpszClass == nullptr)
        return FALSE;
    return wnd.CreateEx(0, lpszClass, L"", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                        nullptr, nullptr);
}

BOOL CTkTrayIcon::AddIcon() {
    if (!m_bRemoved)
        RemoveIcon();
    m_nid.uFlags = kAddFlags;
    if (!::Shell_NotifyIconW(NIM_ADD, &m_nid)) {
        m_bAddFailed = TRUE;
        return FALSE;
    }
    m_bHidden = FALSE;
    m_bRemoved = FALSE;
    return TRUE;
}

BOOL CTkTrayIcon::RemoveIcon() {
    m_bAddFailed = FALSE;
    if (m_bRemoved)
        return TRUE;
    m_nid.uFlags = 0;
    if (!::Shell_NotifyIconW(NIM_DELETE, &m_nid))
        return FALSE;
    m_bHidden = TRUE;
    m_bRemoved = TRUE;
    return TRUE;
}

// ---- Icon and tip

HICON CTkTrayIcon::LoadSmallIcon(UINT nIconId) {
    return static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIconId), IMAGE_ICON,
                                           ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                                           LR_DEFAULTCOLOR));
}

BOOL CTkTrayIcon::SetIcon(UINT nIconId) {
    m_icon = LoadSmallIcon(nIconId);
    return ModifyIcon(m_icon);
}

BOOL CTkTrayIcon::ModifyIcon(HICON hIcon) {
    if (m_nid.hIcon == hIcon)
        return TRUE;
    m_nid.uFlags = NIF_ICON;
    m_nid.hIcon = hIcon;
    return m_bHidden || ::Shell_NotifyIconW(NIM_MODIFY, &m_nid);
}

BOOL CTkTrayIcon::SetTooltipText(LPCWSTR lpszTip) {
    m_strTip = lpszTip != nullptr ? lpszTip : L"";
    if (m_strTip.GetLength() >= m_nMaxTipLength)
        m_strTip = m_strTip.Left(m_nMaxTipLength - 1);
    return ModifyTip(m_strTip);
}

BOOL CTkTrayIcon::ModifyTip(LPCWSTR lpszTip) {
    m_nid.uFlags = NIF_TIP;
    const int nMax = std::min<int>(m_nMaxTipLength, static_cast<int>(std::size(m_nid.szTip)));
    ::lstrcpynW(m_nid.szTip, lpszTip != nullptr ? lpszTip : L"", nMax);
    return m_bHidden || ::Shell_NotifyIconW(NIM_MODIFY, &m_nid);
}

// ---- Animation

void CTkTrayIcon::StartAnimation(UINT nElapse) {
    SetTimer(m_nTimerId, nElapse);
}

void CTkTrayIcon::StartAnimation(UINT nTimerId, UINT nElapse) {
    m_nTimerId = nTimerId;
    StartAnimation(nElapse);
}

void CTkTrayIcon::StopAnimation() {
    if (m_hWnd != nullptr)
        KillTimer(m_nTimerId);
    ModifyTip(m_strTip);
    SetIcon(m_nIconId);
}

BOOL CTkTrayIcon::SetAnimationIcons(const UINT* pIconIds, int nCount, const CString* pTips) {
    FreeAnimationIcons();
    for (int i = 0; i < nCount; ++i) {
        HICON hIcon = LoadSmallIcon(pIconIds[i]);
        if (hIcon == nullptr)
            return FALSE;
        TRAYICONDATA& frame = m_animation.emplace_back();
        frame.hIcon = hIcon;
        if (pTips != nullptr)
            frame.strTip = pTips[i];
    }
    return TRUE;
}

void CTkTrayIcon::FreeAnimationIcons() {
    // The shell keeps its own copy of what it shows, but a re-add or a later comparison would read the
    // handle: the normal icon takes the place of a frame's icon before the frame's icon is destroyed.
    const bool bShowsFrame = std::any_of(m_animation.begin(), m_animation.end(), [this](const TRAYICONDATA& frame) {
        return frame.hIcon.GetSafeHandle() != nullptr && frame.hIcon.GetSafeHandle() == m_nid.hIcon;
    });
    if (bShowsFrame)
        m_nid.hIcon = m_icon;
    m_animation.clear();
}

void CTkTrayIcon::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != m_nTimerId) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    // Nothing to show: a tick before SetAnimationIcons, or after the frames were freed.
    if (m_animation.empty())
        return;
    if (m_nFrame >= 0 && m_nFrame < static_cast<int>(m_animation.size())) {
        const TRAYICONDATA& frame = m_animation[m_nFrame];
        ModifyTip(frame.strTip.IsEmpty() ? m_strTip : frame.strTip);
        if (frame.hIcon.GetSafeHandle() != nullptr)
            ModifyIcon(frame.hIcon);
    }
    m_nFrame = (m_nFrame + 1) % static_cast<int>(m_animation.size());
}

// ---- Taskbar

void CTkTrayIcon::AddAgain() {
    if (m_bRemoved || m_bHidden)
        return;
    m_nid.uFlags = m_nAddFlags;
    m_bAddFailed = !::Shell_NotifyIconW(NIM_ADD, &m_nid);
}

LRESULT CTkTrayIcon::OnTaskbarCreated(WPARAM, LPARAM) {
    AddAgain();
    return 0;
}

void CTkTrayIcon::OnSettingChange(UINT uFlags, LPCTSTR lpszSection) {
    CWnd::OnSettingChange(uFlags, lpszSection);
    // A refused add is retried when the taskbar's size changes: the shell may be ready by then.
    if (uFlags == SPI_SETWORKAREA && m_bAddFailed)
        AddAgain();
}

BOOL CTkTrayIcon::HideFromTaskbar(CWnd* pWnd) {
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return FALSE;
    if (m_wndTaskbarHider.m_hWnd == nullptr && !CreateHiddenWindow(m_wndTaskbarHider))
        return FALSE;
    // An owned top-level window gets no taskbar button. The owner is set through the parent slot: a real
    // parent would make the window a child of an invisible popup.
    ::SetWindowLongPtrW(pWnd->m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(m_wndTaskbarHider.m_hWnd));
    return TRUE;
}

// ---- The shell's callback

LRESULT CTkTrayIcon::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kCallbackMessage)
        return OnTrayNotification(wParam, lParam);
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CTkTrayIcon::LoadTrayMenu(CMenu& menu, CMenu*& pPopup) const {
    if (!menu.LoadMenu(m_nid.uID))
        return FALSE;
    pPopup = menu.GetSubMenu(0);
    return pPopup != nullptr;
}

LRESULT CTkTrayIcon::OnTrayNotification(WPARAM wParam, LPARAM lParam) {
    if (wParam != m_nid.uID || m_hWndNotify == nullptr)
        return 0;
    if (::SendMessageW(m_hWndNotify, kCallbackMessage, wParam, lParam) != 0)
        return 1;

    const UINT nMouseMessage = LOWORD(lParam);
    if (nMouseMessage == WM_RBUTTONUP || nMouseMessage == WM_CONTEXTMENU || nMouseMessage == NIN_SELECT ||
        nMouseMessage == NIN_KEYSELECT) {
        CMenu menu;
        CMenu* pPopup = nullptr;
        if (!LoadTrayMenu(menu, pPopup))
            return 0;
        pPopup->SetDefaultItem(m_nDefaultItem, m_bDefaultByPosition);
        // The menu closes when the user clicks elsewhere only while the owner is in the foreground;
        // WM_NULL afterwards lets the menu's second use work (a known quirk of menus from tray icons).
        ::SetForegroundWindow(m_hWndNotify);
        POINT pt = {};
        ::GetCursorPos(&pt);
        ::TrackPopupMenu(pPopup->GetSafeHmenu(), TPM_LEFTBUTTON, pt.x, pt.y, 0, m_hWndNotify, nullptr);
        ::PostMessageW(m_hWndNotify, WM_NULL, 0, 0);
        menu.DestroyMenu();
        ::Shell_NotifyIconW(NIM_SETFOCUS, &m_nid);
        return 1;
    }
    if (nMouseMessage == WM_LBUTTONDBLCLK) {
        ::SetForegroundWindow(m_hWndNotify);
        UINT nCommand = m_nDefaultItem;
        if (m_bDefaultByPosition) {
            CMenu menu;
            CMenu* pPopup = nullptr;
            if (!LoadTrayMenu(menu, pPopup))
                return 0;
            nCommand = pPopup->GetMenuItemID(static_cast<int>(m_nDefaultItem));
            // A popup or a position past the end has no command to send.
            if (nCommand == static_cast<UINT>(-1))
                return 1;
        }
        ::SendMessageW(m_hWndNotify, WM_COMMAND, nCommand, 0);
    }
    return 1;
}
