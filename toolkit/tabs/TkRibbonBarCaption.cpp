// CTkRibbonBar: the caption strip and the ribbon's part in its frame's caption: the strip's height, the
// caption hit tests and cursors, the frame's caption buttons as controls of the bar, the title and the
// headers of contextual tabs, and the frame hook the ribbon draws the frame's caption through.
#include "TkRibbonBar.h"

#include "DwmApiFunctions.h"
#include "TkControls.h"
#include "TkWindowFunctions.h"
#include "TkDCWrappers.h"
#include "TkMeasureDC.h"
#include "TkOffice2007Theme.h"
#include "TkPaintManager.h"
#include "TkRibbonControlTab.h"
#include "TkRibbonControls.h"
#include "TkRibbonQuickAccess.h"
#include "TkRibbonTab.h"
#include "TkRibbonTabContextHeader.h"
#include "TkThemedFrameHook.h"

#include <algorithm>

namespace {

constexpr int kCaptionSizingBand = 5;         // the top pixels of a sizable frame's caption resize it
constexpr int kTitleLeft = 70;                // the title and the free area never start left of this
constexpr int kTitlePadding = 20;             // added to the measured title
constexpr int kFreeAreaBottomInset = 3;       // the free area ends above the caption's bottom
constexpr int kQuickAccessGap = 2;            // after the customize button
constexpr int kQuickAccessGapNoButton = 12;   // after the quick-access row without customize button
constexpr int kDwmCaptionButtonsWidth = 100;  // the system's caption buttons on a composited frame
constexpr int kContextHeaderTopInset = 4;     // a header's top below the caption's top
constexpr int kContextSpanTopInset = 6;       // the headers' span, for the title's room
constexpr int kContextHeaderMinWidth = 40;
// What a caption button is: no keyboard navigation, no update-UI, not movable.
constexpr DWORD kCaptionButtonFlags = kControlFlagNoKeyboard | kControlFlagNoUpdate | kControlFlagNoMove;

// The caption buttons from right to left.
constexpr int kCaptionButtonIds[] = {SC_CLOSE, SC_RESTORE, SC_MAXIMIZE, SC_MINIMIZE};

// The text of a command of the frame's system menu, up to its shortcut; empty when it has none.
CString GetSystemMenuText(HWND hwndFrame, UINT nCommand) {
    const HMENU hMenu = ::GetSystemMenu(hwndFrame, FALSE);
    if (hMenu == nullptr)
        return CString();
    const int nLength = ::GetMenuStringW(hMenu, nCommand, nullptr, 0, MF_BYCOMMAND);
    if (nLength <= 0)
        return CString();
    CString strText;
    ::GetMenuStringW(hMenu, nCommand, strText.GetBuffer(nLength + 1), nLength + 1, MF_BYCOMMAND);
    strText.ReleaseBuffer();
    const int nTab = strText.Find(L'\t');
    return nTab >= 0 ? strText.Left(nTab) : strText;
}

// The frame's system menu has SC_CLOSE grayed or disabled.
BOOL IsCloseGrayed(HWND hwndFrame) {
    const HMENU hMenu = ::GetSystemMenu(hwndFrame, FALSE);
    if (hMenu == nullptr)
        return FALSE;
    const UINT nState = ::GetMenuState(hMenu, SC_CLOSE, MF_BYCOMMAND);
    return nState != static_cast<UINT>(-1) && (nState & (MF_GRAYED | MF_DISABLED)) != 0;
}

// The run of headers laid out left to right inside [nLeft, nRight], each kept at least
// kContextHeaderMinWidth wide: first pushed right past their left neighbours, then cut back from the
// right. FALSE when they do not fit.
BOOL FitContextHeaders(const std::vector<CTkRibbonTabContextHeader*>& headers, int nLeft, int nRight) {
    int nEdge = nLeft;
    for (CTkRibbonTabContextHeader* pHeader : headers) {
        CRect& rc = pHeader->m_rcHeader;
        if (rc.left < nEdge) {
            rc.left = nEdge;
            rc.right = std::max<LONG>(rc.right, nEdge + kContextHeaderMinWidth);
        }
        nEdge = rc.right;
    }
    nEdge = nRight;
    for (auto it = headers.rbegin(); it != headers.rend(); ++it) {
        CRect& rc = (*it)->m_rcHeader;
        if (rc.right > nEdge) {
            rc.right = nEdge;
            rc.left = std::min<LONG>(rc.left, nEdge - kContextHeaderMinWidth);
        }
        nEdge = rc.left;
        if (nEdge < nLeft)
            return FALSE;
    }
    return TRUE;
}

}  // namespace

// ---- Height and the frame hook

int CTkRibbonBar::GetCaptionHeight() const {
    if (!IsCaptionVisible())
        return 0;
    int nHeight = GetPaintManager()->GetFrameCaptionHeight();
    if (m_bShowQuickAccess && !m_bShowQuickAccessBelow)
        nHeight = std::max({nHeight, m_nQuickAccessHeight, GetTabsHeight() - 2});
    return nHeight;
}

BOOL CTkRibbonBar::IsFrameCaptionDrawn() const {
    // A ribbon too small to show draws nothing, the frame's own caption included.
    return m_pFrameHook != nullptr && m_bRibbonBarVisible;
}

BOOL CTkRibbonBar::AttachFrameHook() {
    if (m_pFrameHook != nullptr)
        return TRUE;
    CFrameWnd* pFrame = GetSiteFrame();
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return FALSE;
    m_pFrameHook = new CTkThemedFrameHook(pFrame->GetSafeHwnd(), GetCommandBars(), this);
    // The bars are laid out again with the caption strip, and the frame with them.
    if (GetSafeHwnd() != nullptr)
        m_pFrameHook->RecalcFrame();
    return TRUE;
}

void CTkRibbonBar::DetachFrameHook() {
    if (m_pFrameHook == nullptr)
        return;
    // The caption buttons point at the hook.
    for (int nId : kCaptionButtonIds) {
        if (CTkControl* pButton = m_pControls->FindById(nId))
            m_pControls->Remove(pButton);
    }
    delete m_pFrameHook;
    m_pFrameHook = nullptr;
}

// ---- Hit tests and messages

int CTkRibbonBar::HitTestCaption(CPoint pt) const {
    if (IsCustomizeMode() || m_pFrameHook == nullptr || !m_rcCaption.PtInRect(pt))
        return 0;
    if (m_pControls->HitTest(pt) != nullptr || HitTestContextHeader(pt) != nullptr)
        return 0;
    const DWORD dwStyle = m_pFrameHook->GetFrameStyle(FALSE);
    const BOOL bSizable = (dwStyle & WS_THICKFRAME) != 0 && (dwStyle & WS_MAXIMIZE) == 0;
    if (bSizable && pt.y < m_rcCaption.top + kCaptionSizingBand)
        return HTTOP;
    return HTCAPTION;
}

CTkRibbonTabContextHeader* CTkRibbonBar::HitTestContextHeader(CPoint pt) const {
    for (CTkRibbonTabContextHeader* pHeader : m_contextHeaders) {
        if (pHeader->m_rcHeader.PtInRect(pt))
            return pHeader;
    }
    return nullptr;
}

BOOL CTkRibbonBar::IsDwmCaptionButtonHit(LRESULT nHitTest) {
    return nHitTest == HTMINBUTTON || nHitTest == HTMAXBUTTON || nHitTest == HTCLOSE || nHitTest == HTHELP;
}

BOOL CTkRibbonBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    if (m_pFrameHook != nullptr) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        // The sizing band shows the frame's own sizing cursor.
        const int nCode = HitTestCaption(pt);
        if (nCode >= HTSIZEFIRST && nCode <= HTSIZELAST) {
            const HWND hwndFrame = m_pFrameHook->GetFrameWindow();
            ::SendMessageW(hwndFrame, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwndFrame), MAKELPARAM(nCode, message));
            return TRUE;
        }
    }
    return CTkMenuBar::OnSetCursor(pWnd, nHitTest, message);
}

LRESULT CTkRibbonBar::OnNcHitTest(CPoint point) {
    // On a composited frame the system draws the caption buttons under the ribbon: the ribbon lets their
    // hits through to the frame.
    if (m_pFrameHook != nullptr && m_pFrameHook->IsDwmEnabled()) {
        LRESULT lResult = 0;
        const HRESULT hr = CallDwmDefWindowProc(m_pFrameHook->GetFrameWindow(), WM_NCHITTEST, 0,
                                                MAKELPARAM(point.x, point.y), &lResult);
        if (SUCCEEDED(hr) && hr != 0 && IsDwmCaptionButtonHit(lResult))
            return HTTRANSPARENT;
    }
    return CTkMenuBar::OnNcHitTest(point);
}

// ---- Caption layout

int CTkRibbonBar::GetQuickAccessCaptionEnd() const {
    const BOOL bButton = m_pControlQuickAccess != nullptr && m_pControlQuickAccess->IsVisible();
    return m_rcQuickAccess.right +
           (bButton ? m_pControlQuickAccess->GetRect().Width() + kQuickAccessGap : kQuickAccessGapNoButton);
}

void CTkRibbonBar::RepositionCaptionButtons() {
    if (m_pFrameHook == nullptr)
        return;
    const HWND hwndFrame = m_pFrameHook->GetFrameWindow();
    const BOOL bDwm = m_pFrameHook->IsDwmEnabled();

    // The free area: after the quick-access row in the caption, above the caption's bottom edge.
    m_rcHeader.left = !m_bShowQuickAccess || m_bShowQuickAccessBelow ? kTitleLeft : GetQuickAccessCaptionEnd();
    if (bDwm)
        m_rcHeader.top += m_pFrameHook->GetFrameBorder();
    m_rcHeader.bottom -= kFreeAreaBottomInset;

    // The buttons the frame's styles ask for.
    const DWORD dwStyle = m_pFrameHook->GetFrameStyle(FALSE);
    const DWORD dwExStyle = m_pFrameHook->GetFrameStyle(TRUE);
    const BOOL bToolWindow = (dwExStyle & WS_EX_TOOLWINDOW) != 0;
    const BOOL bMaximized = (dwStyle & WS_MAXIMIZE) != 0;
    const BOOL bMaximizedChild = bMaximized && (dwStyle & WS_CHILD) != 0;
    const BOOL bSysMenu = (dwStyle & WS_SYSMENU) != 0 && !bMaximizedChild;
    const BOOL bMinMax = !bToolWindow && bSysMenu && (dwStyle & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) != 0;
    const BOOL bCloseEnabled = !(bSysMenu && !bToolWindow && IsCloseGrayed(hwndFrame));
    const struct {
        int nId;
        BOOL bShown;
        BOOL bEnabled;
    } buttons[] = {
        {SC_CLOSE, !bDwm && bSysMenu, bCloseEnabled},
        {SC_RESTORE, !bDwm && bMinMax && bMaximized, (dwStyle & WS_MAXIMIZEBOX) != 0},
        {SC_MAXIMIZE, !bDwm && bMinMax && !bMaximized, (dwStyle & WS_MAXIMIZEBOX) != 0},
        {SC_MINIMIZE, !bDwm && bMinMax, (dwStyle & WS_MINIMIZEBOX) != 0},
    };

    // Squares of the free area's height, from its right end leftwards.
    const int nSize = m_rcHeader.Height();
    for (const auto& button : buttons) {
        CTkControl* pButton = m_pControls->FindById(button.nId);
        if (!button.bShown) {
            if (pButton != nullptr)
                m_pControls->Remove(pButton);
            continue;
        }
        if (pButton == nullptr) {
            pButton =
                m_pControls->Add(new CControlCaptionButton(m_pFrameHook, button.nId), button.nId, nullptr, -1, TRUE);
            pButton->SetCaption(L"");
            pButton->SetDescription(L"");
            pButton->SetTooltip(GetSystemMenuText(hwndFrame, button.nId));
        }
        pButton->SetEnabled(button.bEnabled);
        pButton->SetRect(CRect(m_rcHeader.right - nSize, m_rcHeader.top, m_rcHeader.right, m_rcHeader.bottom));
        m_rcHeader.right -= nSize;
    }
    if (bDwm)
        m_rcHeader.right -= kDwmCaptionButtonsWidth;

    // The title, centred over the caption when it stays clear of the quick-access row, else in the free area.
    m_strCaptionText = GetWindowTextFromHandle(hwndFrame);
    int nTitleWidth = 0;
    {
        CTkMeasureDC measureDC(nullptr);
        if (CDC* pDC = measureDC.Get()) {
            auto* pTheme = dynamic_cast<CTkOffice2007Theme*>(GetPaintManager());
            CTkFontDC font(pDC, pTheme != nullptr ? &pTheme->m_fntCaption : nullptr);
            nTitleWidth = pDC->GetTextExtent(m_strCaptionText).cx + kTitlePadding;
        }
    }
    const auto centreIn = [nTitleWidth](const CRect& rcArea) {
        const int nWidth = std::min<int>(nTitleWidth, rcArea.Width());
        const int nLeft = rcArea.left + (rcArea.Width() - nWidth) / 2;
        return CRect(nLeft, rcArea.top, nLeft + nWidth, rcArea.bottom);
    };
    m_rcCaptionText = centreIn(CRect(kTitleLeft, m_rcHeader.top, m_rcHeader.right, m_rcHeader.bottom));
    CRect rcMeet;
    if (rcMeet.IntersectRect(&m_rcCaptionText, &m_rcQuickAccess))
        m_rcCaptionText = centreIn(m_rcHeader);
}

void CTkRibbonBar::RepositionContextHeaders() {
    RemoveContextHeaders();
    if (m_bShowQuickAccess && !m_bShowQuickAccessBelow && m_pFrameHook == nullptr)
        m_rcHeader.left = GetQuickAccessCaptionEnd();

    // Runs of visible contextual tabs with one colour and caption share a header; a visible plain tab
    // ends a run, a hidden tab does not.
    CTkRibbonTabContextHeader* pCurrent = nullptr;
    for (int i = 0; i < GetTabCount(); ++i) {
        CTkRibbonTab* pTab = GetTab(i);
        if (!pTab->IsVisible())
            continue;
        if (pTab->GetContextColor() == 0 || pTab->GetContextCaption().IsEmpty()) {
            pCurrent = nullptr;
            continue;
        }
        const CRect& rcTab = pTab->GetRect();
        if (pCurrent != nullptr && pCurrent->m_nColor == pTab->GetContextColor() &&
            pCurrent->m_strCaption == pTab->GetContextCaption()) {
            pCurrent->m_rcHeader.right = rcTab.right;
            pCurrent->m_pLastTab = pTab;
        } else {
            pCurrent = new CTkRibbonTabContextHeader(pTab);
            pCurrent->m_rcHeader =
                CRect(rcTab.left, m_rcCaption.top + kContextHeaderTopInset, rcTab.right, m_rcCaption.bottom);
            m_contextHeaders.push_back(pCurrent);
        }
        pTab->SetContextHeader(pCurrent);
    }
    if (m_contextHeaders.empty())
        return;
    if (!FitContextHeaders(m_contextHeaders, m_rcHeader.left, m_rcHeader.right)) {
        RemoveContextHeaders();
        return;
    }

    // The title steps aside from the headers, keeping its width as far as the free area allows.
    const CRect rcSpan(m_contextHeaders.front()->m_rcHeader.left, m_rcCaption.top + kContextSpanTopInset,
                       m_contextHeaders.back()->m_rcHeader.right, m_rcCaption.bottom);
    CRect rcMeet;
    if (!rcMeet.IntersectRect(&rcSpan, &m_rcCaptionText))
        return;
    const int nWidth = m_rcCaptionText.Width();
    if (rcSpan.CenterPoint().x < m_rcCaptionText.CenterPoint().x) {
        m_rcCaptionText.left = rcSpan.right;
        m_rcCaptionText.right = std::min<LONG>(rcSpan.right + nWidth, m_rcHeader.right);
    } else {
        m_rcCaptionText.right = rcSpan.left;
        m_rcCaptionText.left = std::max<LONG>(rcSpan.left - nWidth, m_rcHeader.left);
    }
}

void CTkRibbonBar::RemoveContextHeaders() {
    for (int i = 0; i < GetTabCount(); ++i)
        GetTab(i)->SetContextHeader(nullptr);
    for (CTkRibbonTabContextHeader* pHeader : m_contextHeaders)
        delete pHeader;
    m_contextHeaders.clear();
}

void CTkRibbonBar::CheckFrameTitle() {
    if (m_pFrameHook == nullptr)
        return;
    // The next layout places the new title and redraws the bar.
    if (GetWindowTextFromHandle(m_pFrameHook->GetFrameWindow()) != m_strCaptionText)
        m_dwState |= kStateLayoutPending;
}

// ---- Caption buttons

CTkRibbonBar::CControlCaptionButton::CControlCaptionButton(CTkThemedFrameHook* pFrameHook, int nId)
    : m_pFrameHook(pFrameHook) {
    m_nId = nId;
    m_bTemporary = TRUE;
    m_dwFlags = kCaptionButtonFlags;
}

void CTkRibbonBar::CControlCaptionButton::Draw(CDC* pDC) {
    GetPaintManager()->PaintFrameCaptionButton(pDC, m_rcControl, m_nId, GetSelected() != 0, GetPressed() != 0,
                                               GetEnabled() != 0 && m_pFrameHook->IsFrameActive());
}

void CTkRibbonBar::CControlCaptionButton::Execute() {
    ::PostMessageW(m_pFrameHook->GetFrameWindow(), WM_SYSCOMMAND, static_cast<WPARAM>(m_nId), 0);
}
