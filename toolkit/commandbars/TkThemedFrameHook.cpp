#include "TkThemedFrameHook.h"

#include "DwmApiFunctions.h"
#include "TkCommandBars.h"
#include "TkMenuBar.h"
#include "TkPaintManager.h"

namespace {

// A frame extended through the desktop window manager keeps this border while it is not maximised.
constexpr int kDwmFrameBorder = 4;
// The inset a client edge adds to a maximised frame's border.
constexpr int kClientEdge = 2;
// RecalcFrame's SetWindowPos: the frame stays where it is and only its non-client area is computed again.
constexpr UINT kFrameChangedOnly = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

}  // namespace

CTkThemedFrameHook::CTkThemedFrameHook(HWND hwndFrame, CTkCommandBars* pCommandBars, CTkMenuBar* pRibbonBar)
    : m_hwndFrame(hwndFrame), m_pRibbonBar(pRibbonBar), m_pCommandBars(pCommandBars) {}

CTkThemedFrameHook::~CTkThemedFrameHook() {
    SetPaintManager(nullptr);
}

CTkPaintManager* CTkThemedFrameHook::GetPaintManager() const {
    if (m_pCommandBars != nullptr)
        return m_pCommandBars->GetPaintManager();
    return m_pPaintManager != nullptr ? m_pPaintManager : CTkPaintManager::GetCurrentPaintManager();
}

void CTkThemedFrameHook::SetPaintManager(CTkPaintManager* pPaintManager) {
    if (pPaintManager != nullptr)
        pPaintManager->InternalAddRef();
    if (m_pPaintManager != nullptr)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = pPaintManager;
}

// ---- Frame state

DWORD CTkThemedFrameHook::GetFrameStyle(BOOL bExtended) const {
    if (m_hwndFrame == nullptr)
        return 0;
    return static_cast<DWORD>(::GetWindowLongW(m_hwndFrame, bExtended ? GWL_EXSTYLE : GWL_STYLE));
}

BOOL CTkThemedFrameHook::IsMDIChildMaximized() const {
    return (GetFrameStyle(FALSE) & WS_MAXIMIZE) != 0 && (GetFrameStyle(TRUE) & WS_EX_MDICHILD) != 0;
}

BOOL CTkThemedFrameHook::IsFrameCaptionVisible() const {
    if (m_pRibbonBar == nullptr || !m_pRibbonBar->IsVisible() || !m_pRibbonBar->IsFrameCaptionDrawn() ||
        m_pRibbonBar->GetPosition() != kBarTop)
        return TRUE;
    // A minimised child window shows its own small caption.
    constexpr DWORD kMinimizedChild = WS_CHILD | WS_MINIMIZE;
    return (GetFrameStyle(FALSE) & kMinimizedChild) == kMinimizedChild;
}

int CTkThemedFrameHook::GetCaptionHeight() const {
    if (!IsFrameCaptionVisible() && m_pRibbonBar != nullptr)
        return m_pRibbonBar->GetCaptionHeight() + m_nFrameBorder;
    return GetPaintManager()->GetFrameCaptionHeight() + m_nFrameBorder;
}

BOOL CTkThemedFrameHook::GetStatusBarHeight(int& nHeight) const {
    const CTkPaintManager* pPaintManager = GetPaintManager();
    if (!pPaintManager->m_bThemedStatusBar || !pPaintManager->m_bMergeFrameStatusBar || m_hwndFrame == nullptr)
        return FALSE;
    const HWND hStatusBar = ::GetDlgItem(m_hwndFrame, AFX_IDW_STATUS_BAR);
    if (hStatusBar == nullptr || (::GetWindowLongW(hStatusBar, GWL_STYLE) & WS_VISIBLE) == 0)
        return FALSE;
    CRect rc;
    ::GetWindowRect(hStatusBar, &rc);
    nHeight = rc.Height();
    return TRUE;
}

// ---- Region and recalculation

void CTkThemedFrameHook::ApplyFrameRegion(int cx, int cy, BOOL bForce) {
    // SetWindowRgn sends the frame messages that come back here.
    if (m_bInUpdateRegion)
        return;
    m_bInUpdateRegion = TRUE;
    if (bForce || m_szFrameRegion != CSize(cx, cy)) {
        const DWORD dwStyle = GetFrameStyle(FALSE);
        const DWORD dwExStyle = GetFrameStyle(TRUE);
        CRect rcFrame(0, 0, cx, cy);
        ::AdjustWindowRectEx(&rcFrame, dwStyle, FALSE, dwExStyle);
        m_nFrameBorder = -rcFrame.left;
        const BOOL bMaximized = (dwStyle & WS_MAXIMIZE) != 0;
        if (m_bDwmEnabled) {
            if (!bMaximized)
                m_nFrameBorder = kDwmFrameBorder;
            ExtendFrameIntoClientArea(IsFrameCaptionVisible() ? 0 : GetCaptionHeight());
        } else if (IsMDIChildMaximized()) {
            ::SetWindowRgn(m_hwndFrame, nullptr, TRUE);
        } else if (bMaximized) {
            // The system draws a maximised frame's border off screen: the region cuts it away.
            const int b = m_nFrameBorder - ((dwExStyle & WS_EX_CLIENTEDGE) != 0 ? kClientEdge : 0);
            ::SetWindowRgn(m_hwndFrame, ::CreateRectRgn(b, b, cx - b, cy - b), TRUE);
        } else {
            ::SetWindowRgn(m_hwndFrame, GetPaintManager()->GetFrameRegion(this, cx, cy), TRUE);
        }
        m_szFrameRegion = CSize(cx, cy);
    }
    m_bInUpdateRegion = FALSE;
}

void CTkThemedFrameHook::UpdateFrameRegion() {
    if (!::IsWindow(m_hwndFrame))
        return;
    CRect rc;
    ::GetWindowRect(m_hwndFrame, &rc);
    ApplyFrameRegion(rc.Width(), rc.Height(), TRUE);
}

void CTkThemedFrameHook::DelayRecalcFrame() {
    m_bRecalcPending = TRUE;
    ::PostMessageW(m_hwndFrame, WM_IDLEUPDATECMDUI, 0, 0);
}

void CTkThemedFrameHook::RecalcFrame() {
    m_szFrameRegion = CSize(0, 0);
    m_bRecalcPending = FALSE;
    ::SetWindowPos(m_hwndFrame, nullptr, 0, 0, 0, 0, kFrameChangedOnly);
    CWnd* pFrame = CWnd::FromHandlePermanent(m_hwndFrame);
    if (auto* pFrameWnd = DYNAMIC_DOWNCAST(CFrameWnd, pFrame)) {
        pFrameWnd->RecalcLayout();
    } else {
        CRect rc;
        ::GetClientRect(m_hwndFrame, &rc);
        ::SendMessageW(m_hwndFrame, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.Width(), rc.Height()));
    }
    if (m_pRibbonBar != nullptr)
        m_pRibbonBar->Redraw();
}

void CTkThemedFrameHook::ExtendFrameIntoClientArea(int cyTop) {
    CallDwmExtendFrameIntoClientArea(m_hwndFrame, 0, cyTop, 0, 0);
}
