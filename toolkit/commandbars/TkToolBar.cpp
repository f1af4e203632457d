#include "TkToolBar.h"

#include "TkCommandBars.h"
#include "TkControl.h"
#include "TkControls.h"
#include "TkDockBar.h"
#include "TkDockContext.h"
#include "TkPaintManager.h"
#include "TkResourceManager.h"
#include "TkToolBarButtons.h"
#include "TkWindowFunctions.h"

#include <algorithm>

namespace {

// Window styles of a floating and of a docked toolbar (bit 0x100 keeps a floating bar's activation in
// step with its frame).
constexpr DWORD kFloatingStyle = 0x86000100;
constexpr DWORD kDockedStyle = 0x46000100;
constexpr DWORD kSyncActivationStyle = MFS_SYNCACTIVE;
// The window size of a bar without a dock context.
const CSize kDefaultWindowSize(100, 100);
// A floating bar's frame and the distance of its caption buttons from the edges.
constexpr int kFloatingBorder = 3;
// The strip a docked bar keeps at its end for the expand button.
constexpr int kExpandStrip = 11;
// The reset confirmation; the bar's title fills it in.
constexpr UINT kIdResetPrompt = 9173;
constexpr wchar_t kResetPromptText[] = L"The changes made to the '%s' toolbar will be lost. Reset it?";

}  // namespace

IMPLEMENT_SERIAL(CTkToolBar, CTkCommandBar, VERSIONABLE_SCHEMA | 33)

CTkToolBar::CTkToolBar() : m_pDockContext(new CTkDockContext(this)) {
    m_dwFlags = kBarFlagMovable | kBarFlagHideWrap;
    m_bCloseable = TRUE;
    m_nType = kBarTypeNormal;
    RegisterToolkitWindowClass(nullptr, kToolBarClassName, CS_DBLCLKS, nullptr);
}

CTkToolBar::~CTkToolBar() {
    delete m_pDockContext;
}

// ---- Window

BOOL CTkToolBar::CreateBarWindow(CWnd* pParent, BOOL bFloating) {
    if (m_hWnd == nullptr) {
        const CSize szWindow = m_pDockContext != nullptr ? m_pDockContext->GetDockedRect().Size() : kDefaultWindowSize;
        CTkCommandBars* pCommandBars = GetCommandBars();
        const DWORD dwExStyle = pCommandBars != nullptr && pCommandBars->IsLayoutRTL() ? WS_EX_LAYOUTRTL : 0;
        if (!CreateEx(dwExStyle, kToolBarClassName, m_strTitle, bFloating ? kFloatingStyle : kDockedStyle,
                      CRect(CPoint(0, 0), szWindow), pParent, 0))
            return FALSE;
        ShowWindow(SW_SHOWNA);
    }
    if (bFloating) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_HWNDPARENT, 0);
        ModifyStyle(WS_CHILD, WS_POPUP | kSyncActivationStyle);
        ::SetWindowLongPtrW(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(pParent->GetSafeHwnd()));
    } else {
        ModifyStyle(WS_POPUP, WS_CHILD);
    }
    return TRUE;
}

void CTkToolBar::ResizeFromTracker(const CRect&, int) {}

// ---- Visibility and place

void CTkToolBar::SetVisible(BOOL bVisible) {
    if (m_bVisible == bVisible)
        return;
    // Hiding a torn-off bar drops the hub's reference, which may be the last one.
    CCmdTargetRef keepAlive(this);
    m_bVisible = bVisible;
    if (!bVisible)
        SetTrackingMode(kTrackingNone, FALSE);
    if (m_hWnd != nullptr)
        ShowWindow(bVisible ? SW_SHOWNA : SW_HIDE);
    if (bVisible)
        RecalcLayout();
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (!bVisible && IsDocked()) {
        if (pCommandBars == nullptr) {
            if (CWnd* pSite = GetSite(); pSite != nullptr && pSite->GetSafeHwnd() != nullptr) {
                CRect rc;
                pSite->GetClientRect(&rc);
                pSite->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.Width(), rc.Height()));
            }
            return;
        }
        pCommandBars->RecalcFrameLayout(FALSE);
    }
    if (pCommandBars == nullptr)
        return;
    if (CWnd* pSite = GetSite(); pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
        pSite->SendMessage(BarVisibilityChangedMessage, reinterpret_cast<WPARAM>(this), bVisible);
    if (!bVisible && m_bTearOff)
        pCommandBars->RemoveToolBar(this);
    pCommandBars->GetCommandBarsOptions()->m_bDirty = TRUE;
}

BOOL CTkToolBar::IsVisible() const {
    return m_bVisible;
}

BOOL CTkToolBar::SetPosition(int nPosition) {
    CTkCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr)
        return FALSE;
    if (nPosition >= kBarTop && nPosition <= kBarRight)
        return pCommandBars->DockCommandBarAt(this, nPosition);
    if (nPosition == kBarFloating)
        return pCommandBars->FloatCommandBar(this);
    return FALSE;
}

void CTkToolBar::OnSetPreviewMode(BOOL bPreview) {
    if (bPreview == m_bInPreview)
        return;
    m_bInPreview = bPreview;
    if (bPreview) {
        m_bPreviewVisible = m_bVisible;
        if (m_bVisible) {
            m_bVisible = FALSE;
            if (m_hWnd != nullptr)
                ShowWindow(SW_HIDE);
        }
        return;
    }
    if (!m_bPreviewVisible)
        return;
    m_bVisible = TRUE;
    if (m_hWnd != nullptr)
        ShowWindow(SW_SHOWNA);
    if (m_nType == kBarTypeMenuBar) {
        if (CFrameWnd* pFrame = GetSiteFrame())
            pFrame->RecalcLayout();
    }
}

void CTkToolBar::OnRemoved() {
    // The hub's reference may be the last one while the bar takes itself apart.
    CCmdTargetRef keepAlive(this);
    if (m_pDockBar != nullptr)
        m_pDockBar->RemoveBar(this);
    CTkCommandBar::OnRemoved();
}

// ---- Layout

void CTkToolBar::RecalcLayout() {
    if (m_hWnd == nullptr || !IsVisible() || m_bInLayout)
        return;
    m_bInLayout = TRUE;
    if (IsDocked()) {
        if (CTkCommandBars* pCommandBars = GetCommandBars()) {
            pCommandBars->RecalcFrameLayout(FALSE);
        } else if (CWnd* pSite = GetSite(); pSite != nullptr && pSite->GetSafeHwnd() != nullptr) {
            CRect rc;
            pSite->GetClientRect(&rc);
            pSite->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.Width(), rc.Height()));
        }
    } else if (IsFloating()) {
        const CSize sz = CalcDynamicSize(-1, kLayoutHorizontal | kLayoutMruWidth | kLayoutCommit);
        SetWindowPos(nullptr, 0, 0, sz.cx, sz.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Redraw();
    m_bInLayout = FALSE;
}

CRect CTkToolBar::GetBorders() {
    if (IsFloating())
        return CRect(kFloatingBorder, kFloatingBorder, kFloatingBorder, kFloatingBorder);
    CTkPaintManager* pPaintManager = GetPaintManager();
    CRect rc = pPaintManager->GetBarBorders(this);
    if (HasGripper()) {
        const CSize szGripper = pPaintManager->PaintBarGripper(nullptr, this, FALSE);
        rc.left += szGripper.cx;
        rc.top += szGripper.cy;
    }
    return rc;
}

template <class TControl>
CTkControl* CTkToolBar::FindOrAddOwnControl(int nId) {
    if (CTkControl* pControl = m_pControls->FindById(nId))
        return pControl;
    return m_pControls->Add(new TControl, nId, nullptr, -1, TRUE);
}

void CTkToolBar::FinishPendingLayout(DWORD dwMode) {
    if ((m_dwState & kStateLayoutPending) != 0 && (dwMode & kLayoutCommit) != 0) {
        m_dwState &= ~kStateLayoutPending;
        Redraw();
    }
}

CSize CTkToolBar::CalcDynamicSize(int nLength, DWORD dwMode) {
    CClientDC dc(m_hWnd != nullptr ? this : nullptr);
    CTkPaintManager* pPaintManager = GetPaintManager();
    CScopedSelectObject font(dc.GetSafeHdc(), pPaintManager->GetBarFont(this)->GetSafeHandle());
    const int nCaption = pPaintManager->PaintBarGripper(nullptr, this, FALSE).cy;
    CRect rcBorders = GetBorders();
    rcBorders.top += nCaption + 1;

    CTkCommandBars* pCommandBars = GetCommandBars();
    CTkControl* pHide = m_bCloseable ? FindOrAddOwnControl<CControlButtonHide>(kIdToolBarHide) : nullptr;
    if (pHide != nullptr)
        pHide->SetVisible(FALSE);
    CTkControl* pExpand = m_bShowExpandButton && pCommandBars != nullptr
                              ? FindOrAddOwnControl<CControlButtonExpand>(kIdToolBarExpand)
                              : nullptr;
    if (pExpand != nullptr)
        pExpand->SetVisible(FALSE);

    CSize sz;
    if (m_nType == kBarTypePopup) {
        UpdateShortcutTexts();
        sz = m_pControls->CalcPopupLayout(&dc, 0, 0, rcBorders);
    } else {
        DWORD dwLayoutMode = dwMode;
        sz = m_pControls->CalcToolbarLayout(&dc, nLength, dwLayoutMode, rcBorders, 0);
    }

    int nRight = sz.cx - kFloatingBorder;
    if (pHide != nullptr) {
        pHide->SetRect(CRect(nRight - nCaption, kFloatingBorder, nRight, nCaption + kFloatingBorder));
        pHide->SetVisible(TRUE);
        nRight -= nCaption;
    }
    const BOOL bExpandAlways =
        pCommandBars == nullptr || pCommandBars->GetCommandBarsOptions()->m_bShowExpandButtonAlways;
    if (pExpand != nullptr && nRight - nCaption > 0 && bExpandAlways) {
        pExpand->SetRect(CRect(nRight - nCaption, kFloatingBorder, nRight, nCaption + kFloatingBorder));
        pExpand->SetVisible(TRUE);
    }
    FinishPendingLayout(dwMode);
    return sz;
}

CSize CTkToolBar::LayoutDocked(CDC* pDC, int nLength, DWORD dwMode, const CRect& rcBorders, int nMinThickness) {
    DWORD dwLayoutMode = dwMode;
    return m_pControls->CalcToolbarLayout(pDC, nLength, dwLayoutMode, rcBorders, nMinThickness);
}

CSize CTkToolBar::CalcLayout(int nLength, DWORD dwMode, int nMinThickness) {
    CClientDC dc(m_hWnd != nullptr ? this : nullptr);
    CTkPaintManager* pPaintManager = GetPaintManager();
    CScopedSelectObject font(dc.GetSafeHdc(), pPaintManager->GetBarFont(this)->GetSafeHandle());
    CRect rcBorders = GetBorders();
    if (CTkControl* pHide = m_pControls->FindById(kIdToolBarHide))
        pHide->SetVisible(FALSE);
    if (!m_bShowExpandButton) {
        // An expand button made while the flag was on stays out of the layout.
        if (CTkControl* pExpand = m_pControls->FindById(kIdToolBarExpand))
            pExpand->SetVisible(FALSE);
        const CSize sz = LayoutDocked(&dc, nLength, dwMode, rcBorders, nMinThickness);
        FinishPendingLayout(dwMode);
        return sz;
    }
    CTkControl* pExpand = FindOrAddOwnControl<CControlButtonExpand>(kIdToolBarExpand);
    pExpand->SetVisible(FALSE);
    const BOOL bVertical = (dwMode & kLayoutHorzDock) == 0;
    CTkCommandBars* pCommandBars = GetCommandBars();
    const BOOL bExpandAlways =
        pCommandBars == nullptr || pCommandBars->GetCommandBarsOptions()->m_bShowExpandButtonAlways;
    if (!bExpandAlways) {
        CSize sz = LayoutDocked(&dc, nLength, dwMode, rcBorders, nMinThickness);
        if ((dwMode & kLayoutCommit) == 0) {
            // A measuring pass: the bar can shrink down to one control and the expand button.
            if (m_pControls->GetVisibleCount(FALSE) > 1) {
                const CSize szLeast = LayoutDocked(&dc, 1, dwMode, rcBorders, nMinThickness);
                if (bVertical)
                    sz.cy = std::max(sz.cy, szLeast.cy + kExpandStrip);
                else
                    sz.cx = std::max(sz.cx, szLeast.cx + kExpandStrip);
            }
            FinishPendingLayout(dwMode);
            return sz;
        }
        BOOL bWrappedAway = FALSE;
        for (int i = 0; i < GetControlCount() && !bWrappedAway; ++i)
            bWrappedAway = GetControl(i)->GetHideFlags() == kHideWrap;
        if (!bWrappedAway) {
            FinishPendingLayout(dwMode);
            return sz;
        }
    }
    if (bVertical)
        rcBorders.bottom += kExpandStrip;
    else
        rcBorders.right += kExpandStrip;
    const CSize sz = LayoutDocked(&dc, nLength, dwMode, rcBorders, nMinThickness);
    pExpand->SetVisible(TRUE);
    pPaintManager->PaintExpandButton(nullptr, 0, pExpand, this, FALSE, FALSE);
    FinishPendingLayout(dwMode);
    return sz;
}

// ---- Copies, reset and keys

void CTkToolBar::Copy(CTkCommandBar* pSource, BOOL bRecursive) {
    CTkCommandBar::Copy(pSource, bRecursive);
    if (auto* pToolBar = DYNAMIC_DOWNCAST(CTkToolBar, pSource)) {
        m_bBuiltIn = pToolBar->m_bBuiltIn;
        m_bTearOff = pToolBar->m_bTearOff;
        m_bCloseable = pToolBar->m_bCloseable;
    }
}

BOOL CTkToolBar::LoadToolBar(UINT nId, BOOL bLoadImages) {
    m_nBarId = nId;
    if (!CTkCommandBar::LoadToolBar(nId, bLoadImages))
        return FALSE;
    m_pControls->SaveOriginalControls();
    return TRUE;
}

BOOL CTkToolBar::IsResetAvailable() const {
    return IsCustomizable() && (m_pControls->GetOriginalControls() == nullptr || m_pControls->IsChanged());
}

void CTkToolBar::ResetToOriginal(BOOL bAsk) {
    if (!m_bBuiltIn || m_nBarId == 0 || !IsCustomizable())
        return;
    // The reset may be run by a control of this bar, which the reset removes.
    CCmdTargetRef keepAlive(this);
    if (bAsk) {
        CTkResourceManager* pResources = GetResourceManager();
        BOOL bMissing = FALSE;
        CString strPrompt = pResources->LoadString(kIdResetPrompt, &bMissing);
        if (bMissing || strPrompt.IsEmpty())
            strPrompt = kResetPromptText;
        CString strText;
        strText.Format(strPrompt, static_cast<LPCWSTR>(m_strTitle));
        if (pResources->ShowMessageBox(strText, MB_OKCANCEL | MB_ICONWARNING) != IDOK)
            return;
    }
    if (CTkControls* pOriginal = m_pControls->GetOriginalControls()) {
        pOriginal->InternalAddRef();
        m_pControls->RemoveAll();
        for (int i = 0; i < pOriginal->GetCount(); ++i) {
            CTkControl* pControl = pOriginal->GetAt(i);
            if (!pControl->IsTemporary())
                m_pControls->AddCopy(pControl, -1, TRUE);
        }
        pOriginal->InternalRelease();
    } else {
        LoadToolBar(m_nBarId, FALSE);
    }
    if (CWnd* pSite = GetSite(); pSite != nullptr && ::IsWindow(pSite->GetSafeHwnd()))
        pSite->SendMessage(BarResetMessage, 0, reinterpret_cast<LPARAM>(this));
    OnIdleUpdate(TRUE, TRUE);
    RecalcLayout();
}

int CTkToolBar::OnTrackingKeyDown(UINT nKey, LPARAM lParam) {
    if (m_pDockContext == nullptr && nKey == VK_TAB) {
        // A toolbar in a dialog hands the focus on along the dialog's tab stops.
        if (CWnd* pDialog = GetParent()) {
            const BOOL bBackwards = ::GetKeyState(VK_SHIFT) < 0;
            if (HWND hNext = ::GetNextDlgTabItem(pDialog->GetSafeHwnd(), m_hWnd, bBackwards))
                ::SetFocus(hNext);
        }
        EndTracking();
        return 1;
    }
    return CTkCommandBar::OnTrackingKeyDown(nKey, lParam);
}
