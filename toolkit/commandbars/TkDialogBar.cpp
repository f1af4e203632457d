#include "TkDialogBar.h"

#include "TkCommandBars.h"
#include "TkControls.h"
#include "TkDialogBarCaption.h"
#include "TkPaintManager.h"
#include "TkWindowFunctions.h"

#include <algorithm>

namespace {

// The window frame of a resizable bar: outside it the edges and corners answer resize hit codes.
constexpr int kResizeFrame = 3;
// The caption's controls are 16 pixels square, centred on the caption strip.
constexpr int kCaptionControlSize = 16;
// The floating layout is not limited by a length.
constexpr int kUnlimitedLength = 32000;

}  // namespace

IMPLEMENT_SERIAL(CTkDialogBar, CTkToolBar, VERSIONABLE_SCHEMA | 33)

BEGIN_MESSAGE_MAP(CTkDialogBar, CTkToolBar)
    ON_WM_NCHITTEST()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CTkDialogBar::CTkDialogBar() : m_pCaptionPopupBar(new CCaptionPopupBar) {
    m_bCustomizable = FALSE;
}

CTkDialogBar::~CTkDialogBar() {
    m_pCaptionPopupBar->InternalRelease();
}

// ---- Settings

void CTkDialogBar::SetChildWindow(HWND hwndChild) {
    m_hwndChild = hwndChild;
    if (m_hWnd == nullptr)
        return;
    CRect rc;
    GetClientRect(&rc);
    PlaceChildWindow(rc.Width(), rc.Height());
}

void CTkDialogBar::SetCaption(LPCWSTR pszCaption) {
    m_strCaption = pszCaption;
    DelayLayout();
}

void CTkDialogBar::SetShowCaption(BOOL bShow) {
    m_bShowCaption = bShow;
    RecalcLayout();
}

void CTkDialogBar::SetSize(CSize szDocked, CSize szFloating) {
    m_szDocked = szDocked;
    m_szFloating = szFloating;
    RecalcLayout();
}

CRect CTkDialogBar::GetClientBorders() {
    CRect rc = m_rcClientBorders;
    if (m_bShowCaption)
        rc.top += GetPaintManager()->PaintBarGripper(nullptr, this, FALSE).cy;
    return rc;
}

void CTkDialogBar::ResizeFromTracker(const CRect& rc, int nHitCode) {
    if (rc.Width() < m_szMinimum.cx || rc.Height() < m_szMinimum.cy)
        return;
    const CRect rcBorders = GetClientBorders();
    const CSize szChild(rc.Width() - rcBorders.left - rcBorders.right, rc.Height() - rcBorders.top - rcBorders.bottom);
    if (IsFloating()) {
        m_szFloating = szChild;
        CalcDynamicSize(kUnlimitedLength, kLayoutHorizontal | kLayoutCommit);
        MoveWindow(&rc);
        Redraw();
        return;
    }
    if (nHitCode == HTLEFT || nHitCode == HTRIGHT)
        m_szDocked.cx = szChild.cx;
    else
        m_szDocked.cy = szChild.cy;
    RecalcLayout();
}

// ---- The bar's operations

BOOL CTkDialogBar::IsDialogBar() const {
    return TRUE;
}

CSize CTkDialogBar::CalcDynamicSize(int, DWORD dwMode) {
    return CalcDialogLayout(m_szFloating, kUnlimitedLength, dwMode);
}

CSize CTkDialogBar::CalcLayout(int nLength, DWORD dwMode, int) {
    return CalcDialogLayout(m_szDocked, nLength, dwMode);
}

CSize CTkDialogBar::CalcDialogLayout(CSize szChild, int nLength, DWORD dwMode) {
    const CRect& rcBorders = m_rcClientBorders;
    CSize sz(szChild.cx + rcBorders.left + rcBorders.right, szChild.cy + rcBorders.top + rcBorders.bottom);
    const auto stretch = [&] {
        if ((dwMode & kLayoutStretch) == 0)
            return;
        if ((dwMode & kLayoutVertDock) != 0)
            sz.cy = std::max(static_cast<int>(sz.cy), nLength);
        else
            sz.cx = std::max(static_cast<int>(sz.cx), nLength);
    };
    if (!m_bShowCaption) {
        m_nCaptionHeight = 0;
        // Controls left from a layout with the caption go with it.
        for (const int nId : {kIdDialogBarHide, kIdDialogBarCaptionPopup}) {
            if (CTkControl* pControl = m_pControls->FindById(nId))
                pControl->SetVisible(FALSE);
        }
        stretch();
        return sz;
    }
    CClientDC dc(m_hWnd != nullptr ? this : nullptr);
    CTkPaintManager* pPaintManager = GetPaintManager();
    CScopedSelectObject font(dc.GetSafeHdc(), pPaintManager->GetBarFont(this)->GetSafeHandle());
    const int nStrip = pPaintManager->PaintBarGripper(nullptr, this, FALSE).cy;
    m_nCaptionHeight = rcBorders.top + nStrip;
    sz.cy += nStrip;
    stretch();
    if ((dwMode & kLayoutHorizontal) != 0)
        sz.cx = std::min(static_cast<int>(sz.cx), nLength);
    else
        sz.cy = std::min(static_cast<int>(sz.cy), nLength);
    LayoutCaptionControls(sz.cx, nStrip);
    return sz;
}

template <class TControl>
TControl* CTkDialogBar::FindOrAddCaptionControl(int nId) {
    if (CTkControl* pControl = m_pControls->FindById(nId))
        return static_cast<TControl*>(pControl);
    return static_cast<TControl*>(m_pControls->Add(new TControl, nId, nullptr, -1, TRUE));
}

void CTkDialogBar::LayoutCaptionControls(int nWidth, int nStrip) {
    const CRect& rcBorders = m_rcClientBorders;
    int x = nWidth - rcBorders.right;
    const int y = rcBorders.top + nStrip / 2 - kCaptionControlSize / 2;
    if (m_bCloseable) {
        CTkControl* pHide = FindOrAddCaptionControl<CControlButtonHide>(kIdDialogBarHide);
        pHide->SetRect(CRect(x - kCaptionControlSize, y, x, y + kCaptionControlSize));
        pHide->SetVisible(TRUE);
        x -= kCaptionControlSize;
    } else if (CTkControl* pHide = m_pControls->FindById(kIdDialogBarHide)) {
        pHide->SetVisible(FALSE);
    }
    auto* pCaption = FindOrAddCaptionControl<CControlCaptionPopup>(kIdDialogBarCaptionPopup);
    if (pCaption->GetCommandBar() != m_pCaptionPopupBar)
        pCaption->SetCommandBar(m_pCaptionPopupBar);
    m_pCaptionPopupBar->SetCommandBars(GetCommandBars());
    const int nGripper = GetPaintManager()->PaintBarGripper(nullptr, this, FALSE).cx;
    pCaption->SetRect(CRect(rcBorders.left + nGripper, y, x, y + kCaptionControlSize));
    pCaption->SetHasMenu(m_bCaptionMenu && m_pCaptionPopupBar->GetControlCount() > 0);
    pCaption->SetCaption(m_strCaption.IsEmpty() ? m_strTitle : m_strCaption);
}

int CTkDialogBar::HitTestBar(int x, int y) const {
    CRect rc;
    GetWindowRect(&rc);
    rc.bottom = rc.top + m_nCaptionHeight;
    return rc.PtInRect(CPoint(x, y)) ? 1 : -2;
}

LRESULT CTkDialogBar::OnIdleUpdate(BOOL bFrame, BOOL bDisableIfNoHandler) {
    if (m_hWnd != nullptr) {
        const auto isInside = [this](HWND hWnd) { return hWnd == m_hWnd || ::IsChild(m_hWnd, hWnd); };
        BOOL bActive = FALSE;
        if (const HWND hFocus = ::GetFocus(); hFocus != nullptr) {
            HWND hOwner = ::GetWindow(hFocus, GW_OWNER);
            if (hOwner == nullptr)
                hOwner = ::GetParent(hFocus);
            bActive = isInside(hFocus) || (hOwner != nullptr && isInside(hOwner));
        }
        if (bActive != m_bActive) {
            m_bActive = bActive;
            Redraw();
        }
    }
    return CTkToolBar::OnIdleUpdate(bFrame, bDisableIfNoHandler);
}

void CTkDialogBar::Copy(CTkCommandBar* pSource, BOOL bRecursive) {
    CTkToolBar::Copy(pSource, bRecursive);
    if (auto* pDialogBar = DYNAMIC_DOWNCAST(CTkDialogBar, pSource)) {
        m_rcClientBorders = pDialogBar->m_rcClientBorders;
        m_bResizable = pDialogBar->m_bResizable;
        m_szMinimum = pDialogBar->m_szMinimum;
        m_bShowCaption = pDialogBar->m_bShowCaption;
        m_bCaptionMenu = pDialogBar->m_bCaptionMenu;
        m_szDocked = pDialogBar->m_szDocked;
        m_szFloating = pDialogBar->m_szFloating;
        m_strCaption = pDialogBar->m_strCaption;
    }
}

// ---- Messages

// Resizable bars answer resize codes at the edges a user can pull: all of a floating bar's, and the one
// (or two) facing the frame's client area for a docked bar.
LRESULT CTkDialogBar::OnNcHitTest(CPoint point) {
    if (!m_bResizable)
        return CTkCommandBar::OnNcHitTest(point);
    CRect rcInside;
    GetWindowRect(&rcInside);
    rcInside.DeflateRect(kResizeFrame, kResizeFrame);
    if (IsFloating()) {
        if (rcInside.PtInRect(point))
            return CTkToolBar::OnNcHitTest(point);
        const BOOL bAbove = point.y < rcInside.top;
        const BOOL bBelow = point.y >= rcInside.bottom;
        const BOOL bLeft = point.x < rcInside.left;
        const BOOL bRight = point.x >= rcInside.right;
        if (bAbove)
            return bLeft ? HTTOPLEFT : bRight ? HTTOPRIGHT : HTTOP;
        if (bBelow)
            return bLeft ? HTBOTTOMLEFT : bRight ? HTBOTTOMRIGHT : HTBOTTOM;
        return bLeft ? HTLEFT : HTRIGHT;
    }
    const BOOL bStretched = (m_dwFlags & kBarFlagStretched) != 0;
    const BOOL bVertical = m_nPosition == kBarLeft || m_nPosition == kBarRight;
    switch (m_nPosition) {
        case kBarBottom:
            if (point.y <= rcInside.top)
                return HTTOP;
            break;
        case kBarTop:
        case kBarLeft:
        case kBarRight:
            if (point.y >= rcInside.bottom && !(bStretched && bVertical))
                return HTBOTTOM;
            if (m_nPosition == kBarRight) {
                if (point.x <= rcInside.left)
                    return HTLEFT;
            } else if (point.x >= rcInside.right && !(bStretched && !bVertical)) {
                return HTRIGHT;
            }
            break;
        default:
            break;
    }
    return CTkToolBar::OnNcHitTest(point);
}

void CTkDialogBar::OnSize(UINT nType, int cx, int cy) {
    CTkToolBar::OnSize(nType, cx, cy);
    PlaceChildWindow(cx, cy);
}

void CTkDialogBar::PlaceChildWindow(int cx, int cy) {
    if (m_hwndChild == nullptr || !::IsWindow(m_hwndChild))
        return;
    const CRect rcBorders = GetClientBorders();
    ::SetWindowPos(m_hwndChild, nullptr, rcBorders.left, rcBorders.top, cx - rcBorders.left - rcBorders.right,
                   cy - rcBorders.top - rcBorders.bottom, SWP_NOACTIVATE | SWP_NOZORDER);
    ::InvalidateRect(m_hwndChild, nullptr, FALSE);
}
