// The hub's dock bars and toolbars: making them, docking and floating toolbars, and finding the dock bar
// near a point.

#include "TkCommandBars.h"

#include "TkDockBar.h"
#include "TkDockContext.h"
#include "TkToolBar.h"

namespace {

struct DockBarPlace {
    DWORD dwDockStyle;
    UINT nId;
};
// Top, bottom, left and right, with their border bits.
constexpr DockBarPlace kDockBarPlaces[4] = {
    {0x2800, AFX_IDW_DOCKBAR_TOP},
    {0x8200, AFX_IDW_DOCKBAR_BOTTOM},
    {0x1400, AFX_IDW_DOCKBAR_LEFT},
    {0x4100, AFX_IDW_DOCKBAR_RIGHT},
};
constexpr DWORD kDockBarWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
// How far outside a dock bar a dragged bar's point still docks there.
constexpr int kDockSnapDistance = 20;

}  // namespace

void CTkCommandBars::CreateDockBars() {
    for (int i = 0; i < 4; ++i) {
        if (m_pDockBars[i] != nullptr)
            continue;
        auto* pDockBar = m_pDockBarClass != nullptr && m_pDockBarClass->IsDerivedFrom(RUNTIME_CLASS(CTkDockBar))
                             ? static_cast<CTkDockBar*>(m_pDockBarClass->CreateObject())
                             : nullptr;
        if (pDockBar == nullptr)
            AfxThrowResourceException();
        pDockBar->SetCommandBars(this);
        if (!pDockBar->Create(m_pSite, kDockBarWindowStyle | kDockBarPlaces[i].dwDockStyle, kDockBarPlaces[i].nId)) {
            delete pDockBar;
            AfxThrowResourceException();
        }
        m_pDockBars[i] = pDockBar;
    }
}

void CTkCommandBars::DestroyDockBars() {
    for (CTkDockBar*& pDockBar : m_pDockBars) {
        if (pDockBar == nullptr)
            continue;
        if (pDockBar->GetSafeHwnd() != nullptr)
            pDockBar->DestroyWindow();
        delete pDockBar;
        pDockBar = nullptr;
    }
}

CTkDockBar* CTkCommandBars::GetDockBar(int nPosition) const {
    return nPosition >= kBarTop && nPosition <= kBarRight ? m_pDockBars[nPosition] : nullptr;
}

CTkToolBar* CTkCommandBars::AddToolBar(LPCWSTR pszTitle, UINT nId, BOOL bTearOff) {
    CommandBarCreateRecord record;
    record.bTearOff = bTearOff;
    record.pszTitle = pszTitle;
    record.nId = nId;
    if (m_pSite != nullptr && m_pSite->GetSafeHwnd() != nullptr)
        m_pSite->SendMessage(CreateCommandBarMessage, 0, reinterpret_cast<LPARAM>(&record));
    auto* pBar = DYNAMIC_DOWNCAST(CTkToolBar, record.pCommandBar);
    if (pBar == nullptr && record.pCommandBar != nullptr)
        record.pCommandBar->InternalRelease();
    if (pBar == nullptr && m_pToolBarClass != nullptr && m_pToolBarClass->IsDerivedFrom(RUNTIME_CLASS(CTkToolBar)))
        pBar = static_cast<CTkToolBar*>(m_pToolBarClass->CreateObject());
    if (pBar == nullptr)
        return nullptr;
    pBar->SetCommandBars(this);
    pBar->m_strTitle = record.pszTitle != nullptr ? record.pszTitle : pszTitle;
    if (!pBar->SetPosition(bTearOff ? kBarFloating : kBarTop)) {
        pBar->InternalRelease();
        return nullptr;
    }
    m_bars.push_back(pBar);
    pBar->m_nBarId = nId;
    pBar->SetBuiltIn(FALSE);
    pBar->SetTearOff(bTearOff);
    if (!bTearOff)
        RecalcFrameLayout(FALSE);
    OnToolBarAdded(pBar);
    return pBar;
}

void CTkCommandBars::OnToolBarAdded(CTkToolBar*) {}

BOOL CTkCommandBars::DockCommandBar(CTkToolBar* pBar, LPCRECT pRect, CTkDockBar* pDockBar) {
    if (pDockBar == nullptr || !pBar->CreateBarWindow(pDockBar, FALSE))
        return FALSE;
    pDockBar->InsertBar(pBar, pRect);
    pBar->m_nPosition = pDockBar->GetPosition();
    return TRUE;
}

BOOL CTkCommandBars::DockCommandBarAt(CTkToolBar* pBar, int nIndex) {
    CTkDockBar* pDockBar = GetDockBar(nIndex);
    return pDockBar != nullptr && DockCommandBar(pBar, nullptr, pDockBar);
}

BOOL CTkCommandBars::FloatCommandBar(CTkToolBar* pBar) {
    if (!pBar->CreateBarWindow(m_pSite, TRUE))
        return FALSE;
    if (CTkDockBar* pDockBar = pBar->GetDockBar())
        pDockBar->RemoveBar(pBar);
    pBar->m_nPosition = kBarFloating;
    return TRUE;
}

CTkDockBar* CTkCommandBars::FindDockBarNearPoint(int x, int y, CTkDockBar* pPrefer) const {
    const CTkDockBar* candidates[5] = {pPrefer, m_pDockBars[0], m_pDockBars[1], m_pDockBars[2], m_pDockBars[3]};
    for (const CTkDockBar* pDockBar : candidates) {
        if (pDockBar == nullptr || pDockBar->GetSafeHwnd() == nullptr)
            continue;
        const DWORD dwStyle = pDockBar->GetDockStyle();
        if ((dwStyle & (kDockStyleHorizontal | kDockStyleVertical)) == 0)
            continue;
        CRect rc;
        pDockBar->GetWindowRect(&rc);
        rc.InflateRect(kDockSnapDistance, kDockSnapDistance);
        if (rc.PtInRect(CPoint(x, y)))
            return const_cast<CTkDockBar*>(pDockBar);
    }
    return nullptr;
}
