// The maximised MDI child's controls on the menu bar: its system-menu icon first, its minimise, restore
// and close buttons at the far end.

#include "TkMenuBar.h"

#include "TkCommandBars.h"
#include "TkControls.h"
#include "TkPaintManager.h"
#include "TkPopupBar.h"

#include <iterator>

namespace {

// The child's own icon for its system-menu control, asked of the child first.
constexpr UINT kGetMDIIconMessage = 10336;
constexpr DWORD kMDIControlFlags =
    kControlFlagRightAlign | kControlFlagNoKeyboard | kControlFlagNoUpdate | kControlFlagNoMove;
constexpr int kMDIControlSize = 16;

struct MDIButtonRow {
    int nId;
    LPCWSTR pszCaption;  // a Marlett glyph
    DWORD dwChildStyle;  // the child style it needs (besides WS_SYSMENU)
    DWORD dwSuppressFlag;
};
constexpr MDIButtonRow kMDIButtons[] = {
    {kIdMDIMinimize, L"0", WS_MINIMIZEBOX, kMenuBarNoMinimize},
    {kIdMDIRestore, L"2", WS_MAXIMIZEBOX, kMenuBarNoRestore},
    {kIdMDIClose, L"r", 0, kMenuBarNoClose},
};

HICON LoadChildIcon(HWND hWndChild) {
    auto hIcon = reinterpret_cast<HICON>(::SendMessageW(hWndChild, kGetMDIIconMessage, 0, 0));
    if (hIcon == nullptr)
        hIcon = reinterpret_cast<HICON>(::SendMessageW(hWndChild, WM_GETICON, ICON_SMALL, 0));
    if (hIcon == nullptr)
        hIcon = reinterpret_cast<HICON>(::SendMessageW(hWndChild, WM_GETICON, ICON_BIG, 0));
    if (hIcon == nullptr)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtrW(hWndChild, GCLP_HICONSM));
    if (hIcon == nullptr)
        hIcon = ::LoadIconW(nullptr, IDI_WINLOGO);
    return static_cast<HICON>(::CopyImage(hIcon, IMAGE_ICON, kMDIControlSize, kMDIControlSize, 0));
}

// The system menu's popup: not customisable.
class CTkSysMenuPopupBar : public CTkPopupBar {
public:
    CTkSysMenuPopupBar() { m_bCustomizable = FALSE; }
};

}  // namespace

void CTkMenuBar::UpdateMDIButtons() {
    CMDIFrameWnd* pFrame = GetMDIFrame();
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pChild = pFrame != nullptr ? pFrame->MDIGetActive(&bMaximized) : nullptr;
    HWND hChild = pChild != nullptr && bMaximized ? pChild->GetSafeHwnd() : nullptr;
    const DWORD dwChildStyle = hChild != nullptr ? static_cast<DWORD>(::GetWindowLongW(hChild, GWL_STYLE)) : 0;

    // The system-menu control.
    auto* pSysMenu = dynamic_cast<CControlMDISysMenuPopup*>(m_pControls->FindById(kIdMDISysMenu));
    if (hChild != nullptr && (m_dwFlags & kMenuBarShowSysMenu) != 0) {
        HMENU hSysMenu = ::GetSystemMenu(hChild, FALSE);
        if (hSysMenu == nullptr || !::IsMenu(hSysMenu)) {
            if (pSysMenu != nullptr)
                m_pControls->Remove(pSysMenu);
        } else if (pSysMenu == nullptr) {
            pSysMenu = new CControlMDISysMenuPopup;
            m_pControls->Add(pSysMenu, kIdMDISysMenu, nullptr, 0, TRUE);
            pSysMenu->SetFlags(pSysMenu->GetFlags() | 0x18);
            pSysMenu->SetCaption(L"-");
            pSysMenu->SetMDISysMenu(GetCommandBars(), hChild, hSysMenu);
        } else if (pSysMenu->GetSysMenu() != hSysMenu || pSysMenu->GetChild() != hChild) {
            pSysMenu->SetMDISysMenu(GetCommandBars(), hChild, hSysMenu);
            DelayRedraw();
        }
    } else if (pSysMenu != nullptr) {
        m_pControls->Remove(pSysMenu);
    }

    // The window buttons: another maximised child may want another set, which is rebuilt whole so
    // that the buttons keep their order.
    BOOL bChanged = FALSE;
    BOOL wanted[std::size(kMDIButtons)] = {};
    for (size_t i = 0; i < std::size(kMDIButtons); ++i) {
        const MDIButtonRow& row = kMDIButtons[i];
        wanted[i] = hChild != nullptr && (dwChildStyle & WS_SYSMENU) != 0 &&
                    (dwChildStyle & row.dwChildStyle) == row.dwChildStyle && (m_dwFlags & row.dwSuppressFlag) == 0;
        bChanged |= wanted[i] != (m_pControls->FindById(row.nId) != nullptr);
    }
    if (bChanged) {
        for (size_t i = 0; i < std::size(kMDIButtons); ++i) {
            if (CTkControl* pButton = m_pControls->FindById(kMDIButtons[i].nId))
                m_pControls->Remove(pButton);
        }
        for (size_t i = 0; i < std::size(kMDIButtons); ++i) {
            if (!wanted[i])
                continue;
            auto* pNew = new CControlMDIButton;
            m_pControls->Add(pNew, kMDIButtons[i].nId, nullptr, -1, TRUE);
            pNew->SetCaption(kMDIButtons[i].pszCaption);
        }
    }
    DelayLayout();
}

// ---- Window buttons

CTkMenuBar::CControlMDIButton::CControlMDIButton() {
    m_dwFlags |= kMDIControlFlags;
}

CSize CTkMenuBar::CControlMDIButton::GetSize(CDC*) {
    return CSize(kMDIControlSize, kMDIControlSize);
}

void CTkMenuBar::CControlMDIButton::Draw(CDC* pDC) {
    CTkPaintManager* pPaintManager = GetPaintManager();
    pPaintManager->PaintControlBackground(pDC, this);
    CFont font;
    font.CreatePointFont(::MulDiv(80, 96, pDC->GetDeviceCaps(LOGPIXELSX)), L"Marlett", pDC);
    CFont* pOldFont = pDC->SelectObject(&font);
    const COLORREF crOld = pDC->SetTextColor(pPaintManager->GetControlTextColor(this));
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rc = GetRect();
    pDC->DrawText(GetCaption(), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(crOld);
    pDC->SelectObject(pOldFont);
}

void CTkMenuBar::CControlMDIButton::Execute() {
    auto* pMenuBar = DYNAMIC_DOWNCAST(CTkMenuBar, GetParent());
    CMDIFrameWnd* pFrame = pMenuBar != nullptr ? pMenuBar->GetMDIFrame() : nullptr;
    CMDIChildWnd* pChild = pFrame != nullptr ? pFrame->MDIGetActive() : nullptr;
    if (pChild == nullptr)
        return;
    const WPARAM nCommand = GetId() == kIdMDIClose ? SC_CLOSE : GetId() == kIdMDIRestore ? SC_RESTORE : SC_MINIMIZE;
    pChild->PostMessage(WM_SYSCOMMAND, nCommand);
}

// ---- System-menu control

CTkMenuBar::CControlMDISysMenuPopup::CControlMDISysMenuPopup() {
    m_nType = kControlPopup;
}

CTkMenuBar::CControlMDISysMenuPopup::~CControlMDISysMenuPopup() {
    if (m_hIcon != nullptr)
        ::DestroyIcon(m_hIcon);
}

void CTkMenuBar::CControlMDISysMenuPopup::SetMDISysMenu(CTkCommandBars* pCommandBars, HWND hWndChild, HMENU hSysMenu) {
    m_hWndChild = hWndChild;
    m_hSysMenu = hSysMenu;
    if (m_hIcon != nullptr)
        ::DestroyIcon(m_hIcon);
    m_hIcon = LoadChildIcon(hWndChild);

    if (m_pCommandBar == nullptr) {
        auto* pPopup = new CTkSysMenuPopupBar;
        pPopup->SetCommandBars(pCommandBars);
        SetCommandBar(pPopup);
        pPopup->InternalRelease();
    }
    CTkControls* pControls = m_pCommandBar->GetControls();
    pControls->RemoveAll();
    CMenu* pMenu = CMenu::FromHandle(hSysMenu);
    const UINT nDefault = ::GetMenuDefaultItem(hSysMenu, TRUE, GMDI_USEDISABLED);
    BOOL bBeginGroup = FALSE;
    const int nCount = ::GetMenuItemCount(hSysMenu);
    for (int i = 0; i < nCount; ++i) {
        const UINT nId = ::GetMenuItemID(hSysMenu, i);
        if (nId == 0) {
            bBeginGroup = TRUE;
            continue;
        }
        CTkControl* pControl = nullptr;
        if (nId >= 0xF000 && nId < 0xF1F0) {
            pControl = pControls->Add(kControlButton, static_cast<int>(nId));
            if (pControl == nullptr)
                continue;
            pControl->SetFlags(pControl->GetFlags() | kControlFlagNoUpdate);
            wchar_t szText[256] = {};
            ::GetMenuStringW(hSysMenu, static_cast<UINT>(i), szText, 256, MF_BYPOSITION);
            pControl->SetCaption(szText);
            CString strDescription;
            if (strDescription.LoadString(((nId - 0xF000) >> 4) + 0xEF00))
                pControl->SetDescription(strDescription);
            pControl->SetDefaultItem(static_cast<UINT>(i) == nDefault);
            pControl->SetEnabled((::GetMenuState(hSysMenu, static_cast<UINT>(i), MF_BYPOSITION) & MF_DISABLED) == 0);
        } else {
            pControl = pControls->AddMenuItem(pMenu, i);
        }
        if (pControl != nullptr && bBeginGroup)
            pControl->SetBeginGroup(TRUE);
        bBeginGroup = FALSE;
    }
}

CSize CTkMenuBar::CControlMDISysMenuPopup::GetSize(CDC*) {
    return CSize(kMDIControlSize, kMDIControlSize);
}

void CTkMenuBar::CControlMDISysMenuPopup::Draw(CDC* pDC) {
    if (m_hIcon != nullptr)
        pDC->DrawState(GetRect().TopLeft(), CSize(kMDIControlSize, kMDIControlSize), m_hIcon, DST_ICON,
                       static_cast<HBRUSH>(nullptr));
}

void CTkMenuBar::CControlMDISysMenuPopup::AdjustPopupRect(CRect& rc, BOOL bVertical) {
    CTkControlPopup::AdjustPopupRect(rc, bVertical);
    rc.InflateRect(1, 1);
}
