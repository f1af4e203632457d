#include "TkMenuBar.h"

#include "TkCommandBars.h"
#include "TkControls.h"
#include "TkMouseManager.h"

namespace {

// Posted to the bar when the MDI children change: the hooked child and the buttons follow.
constexpr UINT_PTR kTimerRefreshMDI = 12223;
// The frame's answer to a menu loaded again by a reset (lParam: the bar).
constexpr UINT kMenuBarResetMessage = 10340;
// The reset confirmation (the bar's title is its argument).
constexpr UINT kIdsConfirmMenuReset = 9173;
constexpr DWORD kMenuBarDefaultFlags = 0x5F;

}  // namespace

IMPLEMENT_SERIAL(CTkMenuBar, CTkToolBar, VERSIONABLE_SCHEMA | 1)

BEGIN_MESSAGE_MAP(CTkMenuBar, CTkToolBar)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CTkMenuBar::CTkMenuBar() : m_pMDIMenus(new CTkMenuBarMDIMenus(this)) {
    m_nType = kBarTypeMenuBar;
    m_nBarId = 1;
    m_dwFlags = kMenuBarDefaultFlags;
    m_bCloseable = FALSE;
}

CTkMenuBar::~CTkMenuBar() {
    GetHookManager()->RemoveClient(this);
    m_pMDIMenus->RemoveAll();
    m_pMDIMenus->InternalRelease();
    if (m_hMenuOriginal != nullptr && ::IsMenu(m_hMenuOriginal))
        ::DestroyMenu(m_hMenuOriginal);
}

// ---- Loading

BOOL CTkMenuBar::LoadMenuResource(UINT nId) {
    if (nId != 0) {
        LPCWSTR lpszMenu = MAKEINTRESOURCEW(nId);
        HMENU hMenu = ::LoadMenuW(AfxFindResourceHandle(lpszMenu, RT_MENU), lpszMenu);
        if (hMenu == nullptr)
            return FALSE;
        CMenu menu;
        menu.Attach(hMenu);
        const BOOL bLoaded = LoadMenu(&menu, TRUE);
        menu.DestroyMenu();
        if (!bLoaded)
            return FALSE;
        m_nResourceId = m_nCurrentMenuId = nId;
    }
    HookSiteWindows();
    // The window-button glyphs of bitmap 9102 are not among the program's resources: the MDI buttons
    // draw their Marlett captions instead.
    if (CWnd* pSite = GetSite()) {
        m_hMenuOriginal = ::GetMenu(pSite->GetSafeHwnd());
        ::SetMenu(pSite->GetSafeHwnd(), nullptr);
    }
    return TRUE;
}

void CTkMenuBar::HookSiteWindows() {
    CWnd* pSite = GetSite();
    if (pSite == nullptr || pSite->GetSafeHwnd() == nullptr)
        return;
    CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pSite);
    m_bMDIFrame = pMDIFrame != nullptr;
    GetHookManager()->SetHook(pSite->GetSafeHwnd(), this);
    if (pMDIFrame != nullptr && pMDIFrame->m_hWndMDIClient != nullptr)
        GetHookManager()->SetHook(pMDIFrame->m_hWndMDIClient, this);
}

CMDIFrameWnd* CTkMenuBar::GetMDIFrame() const {
    return m_bMDIFrame ? DYNAMIC_DOWNCAST(CMDIFrameWnd, GetSite()) : nullptr;
}

// ---- Messages of the frame, its MDI client and the hooked child

int CTkMenuBar::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) {
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (hWnd == m_hWndHookedChild && (nMessage == WM_SIZE || nMessage == WM_WINDOWPOSCHANGED)) {
        PostMessage(WM_TIMER, kTimerRefreshMDI);
        return kHookNotHandled;
    }
    switch (nMessage) {
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_KEYMENU && GetSafeHwnd() != nullptr && IsVisible() &&
                CreateMouseManager()->m_nLock == 0 && ::GetKeyState(VK_SHIFT) >= 0 && pCommandBars != nullptr &&
                !pCommandBars->IsCustomizeMode()) {
                // Alt or F10 alone (lParam 0) may be taken by the bar itself; a mnemonic enters the bar.
                if (lParam != 0 || !OnActivationKey(VK_MENU))
                    pCommandBars->ActivateBar(this, 0);
                lResult = 0;
                return kHookHandled;
            }
            break;
        case WM_MDICREATE:
        case WM_MDIDESTROY:
        case WM_MDIACTIVATE:
            if (GetSafeHwnd() != nullptr)
                PostMessage(WM_TIMER, kTimerRefreshMDI);
            break;
        case WM_MDISETMENU: {
            CWnd* pSite = GetSite();
            if (pSite == nullptr)
                break;
            if (IsVisible()) {
                if (pCommandBars == nullptr || !pCommandBars->IsCustomizeMode()) {
                    if ((m_dwFlags & kMenuBarIgnoreMDISetMenu) == 0)
                        OnMdiSetMenu(wParam != 0 ? reinterpret_cast<HMENU>(wParam) : m_hMenuOriginal);
                }
                ::SetMenu(pSite->GetSafeHwnd(), nullptr);
                RefreshMDIState();
            } else if (::GetMenu(pSite->GetSafeHwnd()) != nullptr) {
                break;
            }
            wParam = 0;
            lResult = 0;
            return kHookHandled;
        }
        default:
            break;
    }
    return CTkToolBar::OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);
}

void CTkMenuBar::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kTimerRefreshMDI)
        RefreshMDIState();
    CTkToolBar::OnTimer(nIDEvent);
}

void CTkMenuBar::OnMdiSetMenu(HMENU hMenu) {
    CTkCommandBars* pCommandBars = GetCommandBars();
    const UINT nId =
        hMenu == m_hMenuOriginal ? m_nResourceId : (pCommandBars != nullptr ? pCommandBars->GetActiveMenuId() : 0);
    if (nId == 0 || m_nCurrentMenuId == 0 || nId == m_nCurrentMenuId || hMenu == nullptr ||
        ::GetMenuItemCount(hMenu) <= 0)
        return;
    CMenu menu;
    menu.Attach(hMenu);
    SwitchMDIMenu(nId, &menu);
    menu.Detach();
}

void CTkMenuBar::RefreshMDIState() {
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == nullptr)
        return;
    CMDIChildWnd* pChild = pFrame->MDIGetActive();
    HWND hChild = pChild != nullptr ? pChild->GetSafeHwnd() : nullptr;
    if (hChild != m_hWndHookedChild) {
        if (m_hWndHookedChild != nullptr && ::IsWindow(m_hWndHookedChild))
            GetHookManager()->RemoveHook(m_hWndHookedChild, this);
        m_hWndHookedChild = hChild;
        if (hChild != nullptr)
            GetHookManager()->SetHook(hChild, this);
    }
    if (IsVisible())
        UpdateMDIButtons();
}

// ---- Control sets

void CTkMenuBar::AttachControls(CTkControls* pControls) {
    pControls->InternalAddRef();
    if (m_pControls != nullptr) {
        m_pControls->SetParent(nullptr);
        m_pControls->InternalRelease();
    }
    m_pControls = pControls;
    m_pControls->SetCommandBars(GetCommandBars());
    m_pControls->SetParent(this);
}

void CTkMenuBar::SwitchMDIMenu(UINT nId, CMenu* pMenu) {
    if (nId == 0 || m_nCurrentMenuId == 0 || nId == m_nCurrentMenuId)
        return;
    CTkCommandBars* pCommandBars = GetCommandBars();
    CTkMenuBarMDIMenuInfo* pStored = m_pMDIMenus->Lookup(nId);
    const BOOL bCustomizable = pCommandBars != nullptr && pCommandBars->IsCustomizationAllowed();
    if (!bCustomizable && pStored == nullptr) {
        if (pMenu != nullptr)
            LoadMenu(pMenu, TRUE);
    } else {
        if (pMenu == nullptr && pStored == nullptr)
            return;
        // The current set is kept under the current id.
        CTkMenuBarMDIMenuInfo* pCurrent = m_pMDIMenus->Lookup(m_nCurrentMenuId);
        if (pCurrent == nullptr) {
            pCurrent = new CTkMenuBarMDIMenuInfo(pCommandBars, m_nCurrentMenuId);
            m_pMDIMenus->SetAt(m_nCurrentMenuId, pCurrent);
        }
        m_pControls->InternalAddRef();
        pCurrent->SetControls(m_pControls);
        if (pStored != nullptr) {
            AttachControls(pStored->m_pControls);
            if (m_pControls->GetOriginalControls() == nullptr && pMenu != nullptr)
                ImportOriginalControls(pMenu);
            // The frame's own set is the bar's default and not kept in the map.
            if (nId == m_nResourceId)
                m_pMDIMenus->RemoveKey(nId);
        } else {
            auto* pInfo = new CTkMenuBarMDIMenuInfo(pCommandBars, nId);
            AttachControls(pInfo->m_pControls);
            if (pMenu != nullptr)
                LoadMenu(pMenu, TRUE);
            m_pControls->SaveOriginalControls();
            m_pMDIMenus->SetAt(nId, pInfo);
        }
    }
    RecalcLayout();
    m_nCurrentMenuId = nId;
}

void CTkMenuBar::ImportOriginalControls(CMenu* pMenu) {
    CTkControls* pKept = m_pControls;
    pKept->InternalAddRef();
    auto* pScratch = new CTkControls;
    AttachControls(pScratch);
    pScratch->InternalRelease();
    LoadMenu(pMenu, TRUE);
    m_pControls->SaveOriginalControls();
    CTkOriginalControls* pOriginal = m_pControls->GetOriginalControls();
    pOriginal->InternalAddRef();
    AttachControls(pKept);
    pKept->InternalRelease();
    m_pControls->SetOriginalControls(pOriginal);
}

void CTkMenuBar::ResetToOriginal(BOOL bAsk) {
    if (m_pControls->GetOriginalControls() != nullptr) {
        CTkToolBar::ResetToOriginal(bAsk);
    } else if (m_nCurrentMenuId != 0) {
        CWnd* pSite = GetSite();
        if (bAsk) {
            CString strFormat;
            strFormat.LoadString(kIdsConfirmMenuReset);
            CString strPrompt;
            if (!strFormat.IsEmpty())
                strPrompt.Format(strFormat, m_strTitle.GetString());
            CWinApp* pApp = AfxGetApp();
            if (::MessageBoxW(pSite != nullptr ? pSite->GetSafeHwnd() : nullptr, strPrompt,
                              pApp != nullptr ? pApp->m_pszAppName : nullptr, MB_OKCANCEL | MB_ICONWARNING) != IDOK)
                return;
        }
        LPCWSTR lpszMenu = MAKEINTRESOURCEW(m_nCurrentMenuId);
        if (HMENU hMenu = ::LoadMenuW(AfxFindResourceHandle(lpszMenu, RT_MENU), lpszMenu)) {
            CMenu menu;
            menu.Attach(hMenu);
            LoadMenu(&menu, TRUE);
            menu.DestroyMenu();
        }
        if (pSite != nullptr)
            pSite->SendMessage(kMenuBarResetMessage, 0, reinterpret_cast<LPARAM>(this));
    }
    RefreshMDIState();
    OnIdleUpdate(TRUE, TRUE);
    RecalcLayout();
}

BOOL CTkMenuBar::MarkMDIMenusForSave() {
    if (m_nResourceId != 0 && m_nCurrentMenuId != m_nResourceId) {
        SwitchMDIMenu(m_nResourceId, nullptr);
        m_bMenusSwitchedForSave = TRUE;
    }
    for (const auto& entry : m_pMDIMenus->GetMap()) {
        if (entry.second->m_bChanged || entry.second->m_pControls->IsChanged())
            return TRUE;
    }
    return FALSE;
}

BOOL CTkMenuBar::ShouldSave() {
    if (!IsCustomizable())
        return FALSE;
    if (MarkMDIMenusForSave())
        return TRUE;
    return m_pControls->GetOriginalControls() == nullptr || m_pControls->IsChanged();
}

void CTkMenuBar::Copy(CTkCommandBar* pSource, BOOL bRecursive) {
    CTkToolBar::Copy(pSource, bRecursive);
    auto* pMenuBar = DYNAMIC_DOWNCAST(CTkMenuBar, pSource);
    if (pMenuBar == nullptr)
        return;
    m_nResourceId = pMenuBar->m_nResourceId;
    for (const auto& entry : pMenuBar->m_pMDIMenus->GetMap()) {
        CTkMenuBarMDIMenuInfo* pSourceInfo = entry.second;
        if (CTkMenuBarMDIMenuInfo* pOwn = m_pMDIMenus->Lookup(entry.first)) {
            // The own original list stays when the source's set has none.
            CTkOriginalControls* pOriginal = pOwn->m_pControls->GetOriginalControls();
            if (pSourceInfo->m_pControls->GetOriginalControls() == nullptr && pOriginal != nullptr)
                pOriginal->InternalAddRef();
            else
                pOriginal = nullptr;
            pSourceInfo->m_pControls->InternalAddRef();
            pOwn->SetControls(pSourceInfo->m_pControls);
            if (pOriginal != nullptr)
                pOwn->m_pControls->SetOriginalControls(pOriginal);
        } else {
            pSourceInfo->InternalAddRef();
            m_pMDIMenus->SetAt(entry.first, pSourceInfo);
        }
    }
}

// ---- The per-template sets

CTkMenuBarMDIMenuInfo* CTkMenuBarMDIMenus::Lookup(UINT nId) const {
    auto it = m_map.find(nId);
    return it != m_map.end() ? it->second : nullptr;
}

void CTkMenuBarMDIMenus::SetAt(UINT nId, CTkMenuBarMDIMenuInfo* pInfo) {
    CTkMenuBarMDIMenuInfo*& pSlot = m_map[nId];
    if (pSlot != nullptr && pSlot != pInfo)
        pSlot->InternalRelease();
    pSlot = pInfo;
}

void CTkMenuBarMDIMenus::RemoveKey(UINT nId) {
    auto it = m_map.find(nId);
    if (it == m_map.end())
        return;
    CTkMenuBarMDIMenuInfo* pInfo = it->second;
    m_map.erase(it);
    pInfo->InternalRelease();
}

void CTkMenuBarMDIMenus::RemoveAll() {
    std::map<UINT, CTkMenuBarMDIMenuInfo*> map;
    map.swap(m_map);
    for (auto& entry : map)
        entry.second->InternalRelease();
}

CTkMenuBarMDIMenuInfo::CTkMenuBarMDIMenuInfo(CTkCommandBars* pCommandBars, UINT nId)
    : m_pControls(new CTkControls), m_nId(nId) {
    m_pControls->SetCommandBars(pCommandBars);
    if (CWinApp* pApp = AfxGetApp()) {
        POSITION pos = pApp->GetFirstDocTemplatePosition();
        while (pos != nullptr) {
            CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
            if (pTemplate != nullptr && pTemplate->m_nIDResource == nId) {
                pTemplate->GetDocString(m_strDocName, CDocTemplate::docName);
                pTemplate->GetDocString(m_strRegFileTypeName, CDocTemplate::regFileTypeName);
                break;
            }
        }
    }
    LPCWSTR lpszIcon = MAKEINTRESOURCEW(nId);
    m_hIcon = ::LoadIconW(AfxFindResourceHandle(lpszIcon, RT_GROUP_ICON), lpszIcon);
}

CTkMenuBarMDIMenuInfo::~CTkMenuBarMDIMenuInfo() {
    m_pControls->InternalRelease();
}

void CTkMenuBarMDIMenuInfo::SetControls(CTkControls* pControls) {
    if (pControls == m_pControls) {
        pControls->InternalRelease();
        return;
    }
    m_pControls->InternalRelease();
    m_pControls = pControls;
}
