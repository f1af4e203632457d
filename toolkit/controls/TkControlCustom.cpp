#include "TkControlCustom.h"

#include "TkCommandBar.h"
#include "TkCommandBars.h"
#include "TkControlAction.h"
#include "TkControls.h"
#include "TkPropExchange.h"

#include <windowsx.h>

IMPLEMENT_SERIAL(CTkControlCustom, CTkControlButton, VERSIONABLE_SCHEMA | 33)

namespace {

// The schema from which the window's dialog id is saved.
constexpr int kSchemaWithControlId = 6;

BOOL IsVisibleWindow(HWND hWnd) {
    return hWnd != nullptr && ::IsWindow(hWnd) && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

}  // namespace

CTkControlCustom::CTkControlCustom() {
    m_nType = kControlCustom;
    m_dwFlags = kControlFlagNoMove;
}

CTkControlCustom::~CTkControlCustom() {
    GetHookManager()->RemoveClient(this);
}

CSize CTkControlCustom::GetSize(CDC* pDC) {
    if (m_hWnd != nullptr && m_bShowWindow)
        return CSize(m_szControl.cx + m_rcBorders.left + m_rcBorders.right,
                     m_szControl.cy + m_rcBorders.top + m_rcBorders.bottom);
    return CTkControlButton::GetSize(pDC);
}

void CTkControlCustom::Draw(CDC* pDC) {
    // A visible window paints itself.
    if (!IsVisibleWindow(m_hWnd))
        CTkControlButton::Draw(pDC);
}

void CTkControlCustom::SetRect(CRect rc) {
    const HWND hWndBar = m_pParent != nullptr ? m_pParent->GetSafeHwnd() : nullptr;
    const BOOL bWindow = m_hWnd != nullptr && ::IsWindow(m_hWnd);
    if (rc == m_rcControl && (!bWindow || ::GetParent(m_hWnd) == hWndBar))
        return;
    m_rcControl = rc;
    // A handle that no longer names a window is left alone.
    if (!bWindow)
        return;
    if (hWndBar != nullptr && ::GetParent(m_hWnd) != hWndBar) {
        const LONG nStyle = ::GetWindowLongW(m_hWnd, GWL_STYLE);
        ::SetWindowLongW(m_hWnd, GWL_STYLE, (nStyle & ~static_cast<LONG>(WS_POPUP)) | WS_CHILD);
        ::SetParent(m_hWnd, hWndBar);
    }
    CRect rcWindow = rc;
    rcWindow.DeflateRect(m_rcBorders.left, m_rcBorders.top, m_rcBorders.right, m_rcBorders.bottom);
    ::MoveWindow(m_hWnd, rcWindow.left, rcWindow.top, rcWindow.Width(), rcWindow.Height(), TRUE);
    UpdateWindowVisibility();
}

void CTkControlCustom::SetEnabled(int nEnabled) {
    m_nEnabled = nEnabled;
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        ::EnableWindow(m_hWnd, nEnabled != 0);
    RedrawParent(TRUE);
}

void CTkControlCustom::SetHideFlags(DWORD dwHideFlags) {
    if (dwHideFlags == m_dwHideFlags)
        return;
    m_dwHideFlags = dwHideFlags;
    UpdateWindowVisibility();
    DelayLayoutParent();
}

void CTkControlCustom::PrepareForLayout(DWORD dwLayoutMode) {
    const BOOL bVertical = (dwLayoutMode & kLayoutVertDock) != 0;
    if (m_nVerticalOptions == kVerticalHide) {
        if (bVertical)
            m_dwHideFlags |= kHideVertical;
        else
            m_dwHideFlags &= ~static_cast<DWORD>(kHideVertical);
    } else if (m_nVerticalOptions == kVerticalButtonOnly) {
        m_bShowWindow = !bVertical;
        UpdateWindowVisibility();
    }
}

void CTkControlCustom::OnActionChanged(int nProperty) {
    CTkControlButton::OnActionChanged(nProperty);
    if (nProperty == kActionPropertyVisible && m_hWnd != nullptr)
        UpdateWindowVisibility();
}

void CTkControlCustom::OnRemoved() {
    m_bShowWindow = FALSE;
    UpdateWindowVisibility();
    CTkControlButton::OnRemoved();
}

void CTkControlCustom::HandleClick(BOOL bKeyboard, CPoint pt) {
    // Clicks on the window's own area are the window's.
    if (!IsVisibleWindow(m_hWnd) || IsCustomizeMode())
        CTkControlButton::HandleClick(bKeyboard, pt);
}

BOOL CTkControlCustom::CanDropOnBar(CTkCommandBar* pTarget, CPoint pt, int& nDropEffect) {
    if (pTarget != nullptr && pTarget->GetType() == kBarTypePopup)
        return TRUE;
    nDropEffect = DROPEFFECT_NONE;
    return FALSE;
}

void CTkControlCustom::CopyFrom(CTkControl* pSource, BOOL bRecursive) {
    if (auto* pCustom = DYNAMIC_DOWNCAST(CTkControlCustom, pSource)) {
        m_rcBorders = pCustom->m_rcBorders;
        m_nVerticalOptions = pCustom->m_nVerticalOptions;
        m_szControl = pCustom->m_szControl;
        m_hWnd = pCustom->m_hWnd;
        m_nControlId = pCustom->m_nControlId;
    }
    CTkControlButton::CopyFrom(pSource, bRecursive);
}

void CTkControlCustom::ExchangeProperties(CTkPropExchange* pPX) {
    CTkControlButton::ExchangeProperties(pPX);
    ExchangeRect(pPX, L"Borders", m_rcBorders, CRect(0, 0, 0, 0));
    ExchangeSize(pPX, L"ControlSize", m_szControl, CSize(0, 0));
    ExchangeInt(pPX, L"VerticalOptions", m_nVerticalOptions, kVerticalHide);
    if (pPX->m_nSchema >= kSchemaWithControlId)
        ExchangeInt(pPX, L"ControlId", m_nControlId, 0);
    if (pPX->IsLoading() && m_nControlId != 0)
        m_hWnd = FindWindowById(GetCommandBars(), m_nControlId);
}

void CTkControlCustom::UpdateWindowVisibility() {
    if (m_pControls != nullptr && m_pControls->IsOriginal())
        return;
    if (m_pParent == nullptr || m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return;
    const HWND hWndBar = m_pParent->GetSafeHwnd();
    if (hWndBar == nullptr || ::GetParent(m_hWnd) != hWndBar)
        return;
    const BOOL bShow = m_bShowWindow && IsVisible(0);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

HWND CTkControlCustom::FindWindowById(CTkCommandBars* pCommandBars, int nId) {
    if (pCommandBars == nullptr)
        return nullptr;
    if (CWnd* pSite = pCommandBars->GetSite(); pSite != nullptr && pSite->GetSafeHwnd() != nullptr) {
        if (HWND hWnd = ::GetDlgItem(pSite->GetSafeHwnd(), nId))
            return hWnd;
    }
    for (int i = 0; i < pCommandBars->GetCount(); ++i) {
        CTkCommandBar* pBar = pCommandBars->GetAt(i);
        if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr) {
            if (HWND hWnd = ::GetDlgItem(pBar->GetSafeHwnd(), nId))
                return hWnd;
        }
    }
    return nullptr;
}

int CTkControlCustom::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) {
    if (nMessage == WM_MOUSEMOVE && m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr) {
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ::MapWindowPoints(hWnd, m_pParent->GetSafeHwnd(), &pt, 1);
        m_pParent->SendMessage(WM_MOUSEMOVE, wParam, MAKELPARAM(pt.x, pt.y));
    }
    return 0;
}
