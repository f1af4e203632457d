#include "TkSkinObjectMDIClient.h"

#include "TkSkinManager.h"

IMPLEMENT_DYNCREATE(CTkSkinObjectMDIClient, CTkSkinObjectFrame)

namespace {

// The MDI client's own recalculation of its scroll ranges.
constexpr UINT kMdiCalcScroll = 0x003F;

}  // namespace

CTkSkinObjectMDIClient::CTkSkinObjectMDIClient() = default;

void CTkSkinObjectMDIClient::OnAttached(LPCREATESTRUCT lpCreateStruct, BOOL bCreating) {
    HWND hParent = lpCreateStruct != nullptr ? lpCreateStruct->hwndParent : ::GetParent(m_hWnd);
    if (auto* pParent = dynamic_cast<CTkSkinObjectFrame*>(m_pManager->FindSkinObject(hParent))) {
        m_pParentFrame = pParent;
        m_pParentFrame->SetMDIClient(this);
        m_pParentFrame->InternalAddRef();
    }
    CTkSkinObjectFrame::OnAttached(lpCreateStruct, bCreating);
}

void CTkSkinObjectMDIClient::OnDetached(BOOL bDestroying) {
    if (m_pParentFrame != nullptr) {
        m_pParentFrame->SetMDIClient(nullptr);
        m_pParentFrame->InternalRelease();
        m_pParentFrame = nullptr;
    }
    CTkSkinObjectFrame::OnDetached(bDestroying);
}

BOOL CTkSkinObjectMDIClient::BypassesHandlers(UINT message) {
    return message == WM_SKINFRAMEWORK_QUERYSTATE;
}

// ---- Message handlers

BEGIN_MESSAGE_MAP(CTkSkinObjectMDIClient, CTkSkinObjectFrame)
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_MESSAGE(kMdiCalcScroll, OnCalcScroll)
    ON_WM_NCACTIVATE()
    ON_WM_SIZE()
    ON_MESSAGE(WM_MDITILE, OnArrange)
    ON_MESSAGE(WM_MDICASCADE, OnArrange)
    ON_MESSAGE(WM_MDIICONARRANGE, OnArrange)
END_MESSAGE_MAP()

void CTkSkinObjectMDIClient::OnHScroll(UINT /*nSBCode*/, UINT /*nPos*/, CScrollBar* /*pScrollBar*/) {
    Default();
    RedrawScrollBar(0);
}

void CTkSkinObjectMDIClient::OnVScroll(UINT /*nSBCode*/, UINT /*nPos*/, CScrollBar* /*pScrollBar*/) {
    Default();
    RedrawScrollBar(1);
}

LRESULT CTkSkinObjectMDIClient::OnCalcScroll(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    const LRESULT nResult = Default();
    RedrawScrollBar(0);
    RedrawScrollBar(1);
    return nResult;
}

BOOL CTkSkinObjectMDIClient::OnNcActivate(BOOL bActive) {
    const BOOL bResult = CTkSkinObjectFrame::OnNcActivate(bActive);
    RedrawScrollBar(0);
    RedrawScrollBar(1);
    return bResult;
}

void CTkSkinObjectMDIClient::OnSize(UINT /*nType*/, int cx, int cy) {
    if (IsOptionOn(tkSkinApplyMetrics)) {
        auto hChild = reinterpret_cast<HWND>(SendMessage(WM_MDIGETACTIVE));
        auto* pChild = hChild != nullptr && ::IsZoomed(hChild)
                           ? dynamic_cast<CTkSkinObjectFrame*>(m_pManager->FindSkinObject(hChild))
                           : nullptr;
        if (pChild != nullptr && pChild->IsSkinEnabled()) {
            // The child's skinned borders and caption stay outside the client area.
            const RECT& rcBorders = pChild->GetBorders();
            ::MoveWindow(hChild, -rcBorders.left, -rcBorders.top, cx + rcBorders.left + rcBorders.right,
                         cy + rcBorders.top + rcBorders.bottom, TRUE);
            return;
        }
    }
    Default();
}

LRESULT CTkSkinObjectMDIClient::OnArrange(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    if (m_bArranging)
        return Default();
    m_bArranging = TRUE;
    // The system lays the children out by its own frames: each child's procedure learns them first, and
    // hides them again a second after.
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (auto* pChild = dynamic_cast<CTkSkinObjectFrame*>(m_pManager->FindSkinObject(hChild))) {
            pChild->SendSystemNcCalcSize();
            ::SetTimer(hChild, kSkinStyleRefreshTimer, 1000, nullptr);
        }
    }
    const LRESULT nResult = Default();
    m_bArranging = FALSE;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (auto* pChild = dynamic_cast<CTkSkinObjectFrame*>(m_pManager->FindSkinObject(hChild)))
            pChild->RedrawFrame();
    }
    return nResult;
}
