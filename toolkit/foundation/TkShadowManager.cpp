#include "TkShadowManager.h"

#include "TkColorManager.h"
#include "TkHookManager.h"
#include "TkShadowWnd.h"
#include "TkWindowFunctions.h"

#include <vector>

namespace {

BOOL IsSystemDropShadowOn() {
    BOOL bOn = FALSE;
    return ::SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &bOn, 0) && bOn;
}

}  // namespace

CTkShadowManager::CTkShadowManager() : m_user32(L"user32.dll") {
    m_user32.GetProcAddress(&m_pfnUpdateLayeredWindow, "UpdateLayeredWindow");
    Refresh();
}

CTkShadowManager::~CTkShadowManager() = default;

void CTkShadowManager::Refresh() {
    m_bLayeredUsable = m_pfnUpdateLayeredWindow != nullptr && !CTkColorManager::CheckLowColorDisplay(nullptr);
}

void CTkShadowManager::SetShadow(CWnd* pOwner, const RECT* pExclude) {
    if (!(m_nOptions & kShadowAlways) && !(m_bLayeredUsable && IsSystemDropShadowOn()))
        return;
    const CRect rcOwner = MakeWindowRect(pOwner);
    const CRect rcExclude = pExclude != nullptr ? CRect(*pExclude) : MakeEmptyRect();
    CreateShadow(kShadowBottom, rcOwner, rcExclude, pOwner, FALSE);
    CreateShadow(kShadowRight, rcOwner, rcExclude, pOwner, FALSE);
    CRgn region;
    region.CreateRectRgn(0, 0, 0, 0);
    if (pOwner->GetWindowRgn(region) == COMPLEXREGION)
        CreateShadow(kShadowRegion, rcOwner, rcExclude, pOwner, FALSE);
}

void CTkShadowManager::SetControlShadow(const RECT& rcControl, CWnd* pOwner) {
    if ((m_nOptions & (kShadowAlways | kShadowExclude)) != (kShadowAlways | kShadowExclude))
        return;
    CreateShadow(kShadowBottom, rcControl, MakeEmptyRect(), pOwner, TRUE);
    CreateShadow(kShadowRight, rcControl, MakeEmptyRect(), pOwner, TRUE);
}

void CTkShadowManager::CreateShadow(int nType, const RECT& rcOwner, const RECT& rcExclude, CWnd* pOwner,
                                    BOOL bControlShadow) {
    HWND hWndOwner = pOwner->GetSafeHwnd();
    auto* pShadow = new CShadowWnd(this, hWndOwner, bControlShadow);
    if (!pShadow->Create(nType, rcOwner)) {
        delete pShadow;
        return;
    }
    JoinCorners(pShadow);
    m_shadows.AddTail(pShadow);
    if (m_nOptions & kShadowExclude)
        pShadow->ExcludeRect(rcExclude);
    // No shadow covers an open popup; a region shadow sits inside its own owner on purpose.
    for (POSITION pos = m_shadows.GetHeadPosition(); pos != nullptr;) {
        const HWND hWndOther = m_shadows.GetNext(pos)->GetOwnerWindow();
        if (nType != kShadowRegion || hWndOther != hWndOwner)
            pShadow->ExcludeRect(MakeWindowRectFromHandle(hWndOther));
    }
    const bool bTopmost = (::GetWindowLongW(hWndOwner, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    pShadow->SetWindowPos(bTopmost ? &CWnd::wndTopMost : &CWnd::wndTop, 0, 0, 0, 0,
                          SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    GetHookManager()->SetHook(hWndOwner, pShadow);
}

void CTkShadowManager::JoinCorners(CShadowWnd* pShadow) {
    if (pShadow->GetType() == kShadowRegion)
        return;
    CRect rect;
    pShadow->GetWindowRect(&rect);
    const CRect rcStart = rect;
    for (POSITION pos = m_shadows.GetHeadPosition(); pos != nullptr;) {
        CShadowWnd* pOther = m_shadows.GetNext(pos);
        if (pOther->GetSafeHwnd() == nullptr)
            continue;
        CRect rcOther;
        pOther->GetWindowRect(&rcOther);
        // A bottom strip starting under the end of a right strip reaches back under it.
        if (pShadow->GetType() == kShadowBottom && pOther->GetType() == kShadowRight &&
            rect.left == rcOther.right - 1 && rcOther.top <= rect.top && rect.bottom <= rcOther.bottom)
            rect.left -= 2 * rcOther.Width() + 1;
        // A right strip starting at the end of a bottom strip reaches up over it.
        if (pShadow->GetType() == kShadowRight && pOther->GetType() != kShadowRight && rect.top == rcOther.bottom - 1 &&
            rcOther.left < rect.right && rcOther.right > rect.right)
            rect.top -= 2 * rcOther.Height();
    }
    if (rect != rcStart)
        pShadow->MoveWindow(&rect, FALSE);
}

void CTkShadowManager::RemoveShadow(CWnd* pOwner) {
    HWND hWndOwner = pOwner->GetSafeHwnd();
    std::vector<CShadowWnd*> owned;
    for (POSITION pos = m_shadows.GetHeadPosition(); pos != nullptr;) {
        CShadowWnd* pShadow = m_shadows.GetNext(pos);
        if (pShadow->GetOwnerWindow() == hWndOwner)
            owned.push_back(pShadow);
    }
    // The last shadow may hold the last reference to this manager.
    CCmdTargetRef keepAlive(this);
    for (CShadowWnd* pShadow : owned) {
        GetHookManager()->RemoveHook(hWndOwner, pShadow);
        DestroyShadow(pShadow);
    }
}

void CTkShadowManager::AdjustShadows(CWnd* pOwner, int dx, int dy) {
    HWND hWndOwner = pOwner->GetSafeHwnd();
    const bool bRightToLeft = (::GetWindowLongW(hWndOwner, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    for (POSITION pos = m_shadows.GetHeadPosition(); pos != nullptr;) {
        CShadowWnd* pShadow = m_shadows.GetNext(pos);
        if (pShadow->GetOwnerWindow() != hWndOwner || pShadow->GetSafeHwnd() == nullptr || pShadow->IsControlShadow())
            continue;
        pShadow->RemoveRegion();
        CRect rect;
        pShadow->GetWindowRect(&rect);
        int x = rect.left;
        int y = rect.top;
        int cx = rect.Width();
        int cy = rect.Height();
        // A right-to-left owner grows to the left: its right edge, and the right shadow with it, stay.
        switch (pShadow->GetType()) {
            case kShadowBottom:
                x += bRightToLeft ? -dx : 0;
                y += dy;
                cx += dx;
                break;
            case kShadowRight:
                x += bRightToLeft ? 0 : dx;
                cy += dy;
                break;
            default:
                x += bRightToLeft ? 0 : dx;
                y += dy;
                break;
        }
        pShadow->SetWindowPos(nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
}

void CTkShadowManager::DestroyShadow(CShadowWnd* pShadow) {
    if (pShadow->GetSafeHwnd() != nullptr)
        pShadow->ShowWindow(SW_HIDE);
    pShadow->m_hWndOwner = nullptr;
    if (POSITION pos = m_shadows.Find(pShadow))
        m_shadows.RemoveAt(pos);
    if (pShadow->GetSafeHwnd() != nullptr)
        pShadow->DestroyWindow();
    delete pShadow;  // releases its reference to this manager last
}
