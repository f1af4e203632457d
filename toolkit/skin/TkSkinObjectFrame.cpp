#include "TkSkinObjectFrame.h"

#include "TkSkinImage.h"
#include "TkSkinManager.h"
#include "TkSkinManagerApiHook.h"
#include "TkSkinManagerClass.h"
#include "TkSkinManagerMetrics.h"
#include "TkSkinManagerSchemaDefault.h"

#include <algorithm>
#include <vssym32.h>

IMPLEMENT_DYNCREATE(CTkSkinObjectFrame, CTkSkinObject)

CPoint CTkSkinObjectFrame::s_ptSystemMenuOffset(0, 0);

namespace {

// Answered by the default procedure: whether the caption is drawn active.
constexpr UINT kIsActiveIconMessage = 0x0035;
constexpr int kTabBodyPart = 10;
constexpr int kStockImageFileProperty = 3007;

bool IsCtlColorMessage(UINT message) {
    return message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX || message == WM_CTLCOLORBTN ||
           message == WM_CTLCOLORDLG || message == WM_CTLCOLORSTATIC;
}

bool IsProcedureHandle(ULONG_PTR nAddress) {
    return nAddress >= 0xFFFF0000 && nAddress <= 0xFFFFFFFF;
}

}  // namespace

// ---- Caption buttons

int CCaptionButton::GetState(BOOL bFrameActive) const {
    const CCaptionButton* pHot = m_pFrame->GetHotButton();
    const CCaptionButton* pPressed = m_pFrame->GetPressedButton();
    int nState = 1;  // NORMAL
    if (!m_bEnabled)
        nState = 4;  // DISABLED
    else if (pHot == this && pPressed == this)
        nState = 3;  // PUSHED
    else if (pHot == this && pPressed == nullptr)
        nState = 2;  // HOT
    return bFrameActive ? nState : nState + 4;
}

void CTkSkinObjectFrame::RebuildCaptionButtons() {
    const DWORD dwStyle = GetStyle();
    const DWORD dwExStyle = GetExStyle();
    if (dwStyle == m_dwStyle && dwExStyle == m_dwExStyle)
        return;
    m_dwStyle = dwStyle;
    m_dwExStyle = dwExStyle;
    m_pButtonHot = m_pButtonPressed = nullptr;
    m_captionButtons.clear();
    if (!HasCaption())
        return;
    const bool bTool = (dwExStyle & WS_EX_TOOLWINDOW) != 0;
    const bool bSysMenu = (dwStyle & WS_SYSMENU) != 0;
    const bool bMinMax = bSysMenu && !bTool && (dwStyle & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) != 0;
    const bool bMaximized = (dwStyle & WS_MAXIMIZE) != 0;
    const bool bMinimized = (dwStyle & WS_MINIMIZE) != 0;
    auto add = [&](UINT nCommand, int nPart, int nHitTest, bool bEnabled) {
        m_captionButtons.push_back(std::make_unique<CCaptionButton>(this, nHitTest, nPart, nCommand, bEnabled));
    };
    if (bSysMenu) {
        bool bCloseEnabled = true;
        if (!bTool) {
            HMENU hMenu = ::GetSystemMenu(m_hWnd, FALSE);
            const UINT nState = hMenu != nullptr ? ::GetMenuState(hMenu, SC_CLOSE, MF_BYCOMMAND) : 0;
            bCloseEnabled = nState == static_cast<UINT>(-1) || (nState & (MF_GRAYED | MF_DISABLED)) == 0;
        }
        add(SC_CLOSE, bTool ? WP_SMALLCLOSEBUTTON : WP_CLOSEBUTTON, HTCLOSE, bCloseEnabled);
    }
    if (bMinMax && !bMaximized)
        add(SC_MAXIMIZE, WP_MAXBUTTON, HTMAXBUTTON, (dwStyle & WS_MAXIMIZEBOX) != 0);
    if (bMinMax && bMaximized && !bMinimized)
        add(SC_RESTORE, WP_RESTOREBUTTON, HTMAXBUTTON, (dwStyle & WS_MAXIMIZEBOX) != 0);
    if (bMinMax)
        add(bMinimized ? SC_RESTORE : SC_MINIMIZE, bMinimized ? WP_RESTOREBUTTON : WP_MINBUTTON, HTMINBUTTON,
            (dwStyle & WS_MINIMIZEBOX) != 0);
    if ((dwExStyle & WS_EX_CONTEXTHELP) != 0 && bSysMenu && !bTool)
        add(SC_CONTEXTHELP, WP_HELPBUTTON, HTHELP, true);
}

CCaptionButton* CTkSkinObjectFrame::HitTestCaptionButton(CPoint pt) const {
    // A maximized top-level window's buttons reach the screen's top and right edges.
    const DWORD dwStyle = GetStyle();
    const bool bAtScreenEdge = (dwStyle & WS_MAXIMIZE) != 0 && (dwStyle & WS_CHILD) == 0;
    for (size_t i = 0; i < m_captionButtons.size(); ++i) {
        CCaptionButton* pButton = m_captionButtons[i].get();
        if (!pButton->m_bEnabled)
            continue;
        RECT rc = pButton->m_rcButton;
        if (bAtScreenEdge) {
            rc.top -= 2;
            if (i == 0)
                rc.right += 2;
        }
        if (::PtInRect(&rc, pt))
            return pButton;
    }
    return nullptr;
}

// ---- Life

CTkSkinObjectFrame::CTkSkinObjectFrame() {
    m_strClassName = L"WINDOW";
    m_spi[0].nBar = SB_HORZ;
    m_spi[1].nBar = SB_VERT;
    m_spi[1].bVertical = TRUE;
}

CTkSkinObjectFrame::~CTkSkinObjectFrame() = default;

BOOL CTkSkinObjectFrame::IsOptionOn(DWORD dwOption) const {
    return (m_pManager->GetApplyOptions() & dwOption) != 0;
}

void CTkSkinObjectFrame::OnSkinChanged(BOOL bPrevState, BOOL bNewState) {
    if (bNewState) {
        RefreshFrameStyle();
        if (!bPrevState)
            m_bActive = ::SendMessageW(m_hWnd, kIsActiveIconMessage, 0, 0) != 0;
    }
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RefreshMetrics();
    m_szRegion = CSize(0, 0);
    CRect rc;
    GetWindowRect(&rc);
    UpdateWindowRegion(rc.Width(), rc.Height());
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void CTkSkinObjectFrame::RefreshMetrics() {
    m_szRegion = CSize(0, 0);
    ::PostMessageW(m_hWnd, WM_SYSCOLORCHANGE, 0, 0);
}

void CTkSkinObjectFrame::OnAttached(LPCREATESTRUCT lpCreateStruct, BOOL bCreating) {
    CTkSkinObject::OnAttached(lpCreateStruct, bCreating);
    if (!bCreating)
        UpdateFrame();
}

void CTkSkinObjectFrame::OnDetached(BOOL bDestroying) {
    if (m_bRegionSet && !bDestroying && ::IsWindow(m_hWnd)) {
        SetWindowRgn(nullptr, TRUE);
        m_bRegionSet = FALSE;
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    CTkSkinObject::OnDetached(bDestroying);
}

// ---- Dispatch

BOOL CTkSkinObjectFrame::OnHookMessage(UINT message, WPARAM* pwParam, LPARAM* plParam, LRESULT* pResult) {
    if (IsCtlColorMessage(message))
        return !BypassesHandlers(message) && OnCtlColor(message, *pwParam, *plParam, pResult);
    if (message == WM_ERASEBKGND && m_nWindowKind == kPropertyPage && IsSkinEnabled()) {
        // A page shows the tab control's body behind its controls.
        auto hDC = reinterpret_cast<HDC>(*pwParam);
        CDC* pDC = CDC::FromHandle(hDC);
        ::SetBrushOrgEx(hDC, 0, 0, nullptr);
        CRect rc;
        GetClientRect(&rc);
        ::FillRect(hDC, &rc, GetDialogBrush(pDC, m_hWnd, CTLCOLOR_DLG));
        *pResult = 1;
        return TRUE;
    }
    return CTkSkinObject::OnHookMessage(message, pwParam, plParam, pResult);
}

BOOL CTkSkinObjectFrame::OnHookDefProc(UINT message, WPARAM* pwParam, LPARAM* plParam, LRESULT* pResult) {
    if (IsCtlColorMessage(message))
        return OnCtlColor(message, *pwParam, *plParam, pResult);
    return CTkSkinObject::OnHookDefProc(message, pwParam, plParam, pResult);
}

BOOL CTkSkinObjectFrame::IsIgnoredMessage(UINT message) {
    constexpr DWORD kMinimizedCaption = WS_VISIBLE | WS_MINIMIZE | WS_CAPTION;
    if (message == WM_ENTERIDLE && (GetStyle() & kMinimizedCaption) == kMinimizedCaption)
        RedrawFrame();
    if (m_nFrameLock > 0 && (message == WM_NCCALCSIZE || message == WM_STYLECHANGED || message == WM_STYLECHANGING))
        return TRUE;
    if (!IsOptionOn(tkSkinApplyFrame)) {
        switch (message) {
            case WM_NCPAINT:
            case WM_NCCALCSIZE:
            case WM_NCHITTEST:
            case WM_NCLBUTTONDOWN:
            case WM_NCLBUTTONDBLCLK:
            case WM_NCMOUSEMOVE:
            case WM_NCMOUSELEAVE:
            case WM_NCACTIVATE:
            case WM_WINDOWPOSCHANGING:
            case WM_WINDOWPOSCHANGED:
            case WM_PRINT:
                return TRUE;
            default:
                break;
        }
    }
    return CTkSkinObject::IsIgnoredMessage(message);
}

// ---- Control colours

BOOL CTkSkinObjectFrame::OnCtlColor(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    // A combo box leaves its parts' colours to its own object.
    if (m_strClassName == L"COMBOBOX")
        return FALSE;
    auto hDC = reinterpret_cast<HDC>(wParam);
    auto hChild = reinterpret_cast<HWND>(lParam);
    CTkSkinManagerMetrics* pMetrics = GetMetrics();
    if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX) {
        ::SetBkColor(hDC, pMetrics->GetColor(COLOR_WINDOW));
        ::SetTextColor(hDC, pMetrics->GetColor(COLOR_WINDOWTEXT));
        *pResult = reinterpret_cast<LRESULT>(pMetrics->GetBrush(COLOR_WINDOW));
        return TRUE;
    }
    const UINT nCtlType = message - WM_CTLCOLORMSGBOX;
    if (!CWnd::GrayCtlColor(hDC, hChild, nCtlType, pMetrics->GetBrush(COLOR_BTNFACE),
                            pMetrics->GetColor(COLOR_BTNTEXT)))
        return FALSE;
    *pResult = reinterpret_cast<LRESULT>(GetDialogBrush(CDC::FromHandle(hDC), hChild, nCtlType));
    return TRUE;
}

HBRUSH CTkSkinObjectFrame::GetDialogBrush(CDC* pDC, HWND hChild, UINT nCtlType) {
    CTkSkinManagerMetrics* pMetrics = GetMetrics();
    HBRUSH hDialogBrush = pMetrics->GetBrush(COLOR_BTNFACE);
    if (m_nWindowKind != kPropertyPage) {
        CWnd::GrayCtlColor(pDC->GetSafeHdc(), hChild, nCtlType, hDialogBrush, pMetrics->GetColor(COLOR_BTNTEXT));
        return hDialogBrush;
    }
    if (pMetrics->GetPageBrush() == nullptr) {
        // The tab control's body image, whole, as a pattern; kept until the metrics are refreshed.
        CTkSkinManagerClass* pTab = m_pManager->GetSkinClass(L"TAB");
        const CString strImage =
            pTab != nullptr ? pTab->GetStringProperty(kTabBodyPart, 0, kStockImageFileProperty) : CString();
        CTkSkinImage* pImage =
            strImage.IsEmpty() ? nullptr : pTab->GetImages()->GetImage(m_pManager->GetResourceFile(), strImage);
        if (pImage == nullptr || pImage->GetWidth() <= 0 || pImage->GetHeight() <= 0)
            return hDialogBrush;
        CScopedMemDC dcImage(pImage->GetWidth(), pImage->GetHeight());
        const RECT rc = {0, 0, pImage->GetWidth(), pImage->GetHeight()};
        pImage->DrawImage(&dcImage, rc, rc, RECT{}, static_cast<COLORREF>(-1), tkSkinSizingStretch, FALSE);
        HBITMAP hBitmap = dcImage.DetachBitmap();
        pMetrics->SetPageBrush(::CreatePatternBrush(hBitmap));
        ::DeleteObject(hBitmap);
    }
    HBRUSH hPageBrush = pMetrics->GetPageBrush();
    if (hChild != m_hWnd) {
        // The pattern continues under the controls from the page's corner.
        CPoint ptOrigin(0, 0);
        ::MapWindowPoints(m_hWnd, hChild, &ptOrigin, 1);
        ::SetBrushOrgEx(pDC->GetSafeHdc(), ptOrigin.x, ptOrigin.y, nullptr);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(pMetrics->GetColor(COLOR_BTNTEXT));
    }
    return hPageBrush;
}

HBRUSH CTkSkinObjectFrame::GetClientBackgroundBrush(CDC* pDC) {
    return GetCtlColorBrush(pDC, GetCtlColorMessage());
}

HBRUSH CTkSkinObjectFrame::GetCtlColorBrush(CDC* pDC, UINT nMessage) {
    CTkSkinManagerMetrics* pMetrics = GetMetrics();
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent == nullptr)
        return pMetrics->GetBrush(COLOR_BTNFACE);
    const auto nReply = static_cast<ULONG_PTR>(::SendMessageW(
        hParent, nMessage, reinterpret_cast<WPARAM>(pDC->GetSafeHdc()), reinterpret_cast<LPARAM>(m_hWnd)));
    if (nReply > CTkSkinManagerMetrics::kColorCount - 1)
        return reinterpret_cast<HBRUSH>(nReply);
    if (nReply >= 1)
        return pMetrics->GetBrush(static_cast<int>(nReply) - 1);
    const bool bWindowColour = nMessage == WM_CTLCOLOREDIT || nMessage == WM_CTLCOLORLISTBOX;
    return pMetrics->GetBrush(bWindowColour ? COLOR_WINDOW : COLOR_BTNFACE);
}

HBRUSH CTkSkinObjectFrame::FillCtlColorBackground(CDC* pDC, const RECT& rc, UINT nMessage) {
    CTkSkinManagerMetrics* pMetrics = GetMetrics();
    HWND hParent = ::GetParent(m_hWnd);
    const auto nReply =
        hParent == nullptr
            ? 0
            : static_cast<ULONG_PTR>(::SendMessageW(hParent, nMessage, reinterpret_cast<WPARAM>(pDC->GetSafeHdc()),
                                                    reinterpret_cast<LPARAM>(m_hWnd)));
    if (nReply == 0) {
        pDC->FillSolidRect(&rc, pMetrics->GetColor(COLOR_BTNFACE));
        return pMetrics->GetBrush(COLOR_BTNFACE);
    }
    HBRUSH hBrush = nReply > CTkSkinManagerMetrics::kColorCount - 1 ? reinterpret_cast<HBRUSH>(nReply)
                                                                    : pMetrics->GetBrush(static_cast<int>(nReply) - 1);
    ::FillRect(pDC->GetSafeHdc(), &rc, hBrush);
    return hBrush;
}

// ---- The frame

BOOL CTkSkinObjectFrame::HasCaption() const {
    return (GetStyle() & WS_CAPTION) == WS_CAPTION;
}

BOOL CTkSkinObjectFrame::IsFlatScrollBar() const {
    int nStyle = 0;
    return ::FlatSB_GetScrollProp(m_hWnd, WSB_PROP_VSTYLE, &nStyle);
}

CPoint CTkSkinObjectFrame::ScreenToFrame(CPoint ptScreen) const {
    CRect rc;
    GetWindowRect(&rc);
    const bool bRightToLeft = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    return CPoint(bRightToLeft ? rc.right - ptScreen.x : ptScreen.x - rc.left, ptScreen.y - rc.top);
}

void CTkSkinObjectFrame::RedrawFrame() {
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return;
    CWindowDC dc(this);
    PaintFrame(&dc);
}

void CTkSkinObjectFrame::PaintFrame(CDC* pDC) {
    CTkSkinManagerSchema* pSchema = m_pManager->GetSchema();
    if (m_nFrameLock > 0 || pSchema == nullptr)
        return;
    pSchema->DrawFrame(pDC, this);
    PaintScrollBars(pDC);
}

void CTkSkinObjectFrame::FillFrameInfo(SKINFRAMEINFO* pInfo, CDC* pDC) {
    pInfo->pWnd = this;
    pInfo->rcBorders = m_rcBorders;
    pInfo->bActive = m_bActive;
    pInfo->strClassName = m_strClassName;
    pInfo->buttons.clear();
    for (const auto& pButton : m_captionButtons)
        pInfo->buttons.push_back({pButton->m_nPart, pButton->GetState(m_bActive), pButton->m_rcButton});
    pInfo->hClientBackground = pDC != nullptr ? GetClientBackgroundBrush(pDC) : nullptr;
}

void CTkSkinObjectFrame::SetCaptionButtonRects(const SKINFRAMEINFO& info) {
    // The styles may have changed the buttons while the schema drew: only a matching list is taken.
    if (info.buttons.size() != m_captionButtons.size())
        return;
    for (size_t i = 0; i < m_captionButtons.size(); ++i)
        m_captionButtons[i]->m_rcButton = info.buttons[i].rc;
}

int CTkSkinObjectFrame::HitTestFrame(CPoint ptScreen) const {
    const CPoint pt = ScreenToFrame(ptScreen);
    if (const SCROLLBARPOSITION* pBar = const_cast<CTkSkinObjectFrame*>(this)->ScrollBarAt(pt))
        return pBar->bVertical ? HTVSCROLL : HTHSCROLL;
    const RECT rcCorner = GetSizeBoxRect();
    if (::PtInRect(&rcCorner, pt) && IsSizeBox())
        return (GetExStyle() & WS_EX_LAYOUTRTL) != 0 ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
    if (::PtInRect(&m_rcMenuBar, pt))
        return HTMENU;
    if (const CCaptionButton* pButton = HitTestCaptionButton(pt))
        return pButton->m_nHitTest;
    return HTNOWHERE;
}

BOOL CTkSkinObjectFrame::TrackHot(CPoint ptScreen) {
    if (m_pSBTrack != nullptr)
        return TRUE;
    const bool bOutside = ptScreen == CPoint(-1, -1);
    const CPoint pt = bOutside ? ptScreen : ScreenToFrame(ptScreen);
    const BOOL bBarHot = TrackHotScrollBars(pt);
    CCaptionButton* pHot = bOutside ? nullptr : HitTestCaptionButton(pt);
    if (pHot == m_pButtonHot)
        return bBarHot;
    if (m_pButtonHot != nullptr && pHot == nullptr && !bBarHot)
        KillTimer(kSkinHotTrackTimer);
    m_pButtonHot = pHot;
    RedrawFrame();
    if (pHot == nullptr)
        return bBarHot;
    SetTimer(kSkinHotTrackTimer, kSkinHotTrackDelay, nullptr);
    return TRUE;
}

void CTkSkinObjectFrame::TrackCaptionButton() {
    CCaptionButton* pTracked = m_pButtonHot;
    const UINT nCommand = pTracked->m_nCommand;
    SetCapture();
    m_pButtonPressed = pTracked;
    RedrawFrame();
    BOOL bClick = FALSE;
    // Until the release, or until the capture is lost (without a click).
    while (::GetCapture() == m_hWnd) {
        MSG msg;
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
            continue;
        }
        if (msg.message == WM_QUIT) {
            // The program's loop must still see it.
            AfxPostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP) {
            bClick = m_pButtonPressed == pTracked;
            break;
        }
        if (msg.message == WM_NCMOUSELEAVE)
            continue;
        if (msg.message == WM_MOUSEMOVE) {
            CCaptionButton* pPressed = HitTestCaptionButton(ScreenToFrame(msg.pt)) == pTracked ? pTracked : nullptr;
            if (pPressed != m_pButtonPressed) {
                m_pButtonPressed = pPressed;
                RedrawFrame();
            }
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    m_pButtonPressed = m_pButtonHot = nullptr;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    RedrawFrame();
    if (bClick)
        SendMessage(WM_SYSCOMMAND, nCommand, 0);
}

void CTkSkinObjectFrame::UpdateWindowRegion(int nWidth, int nHeight) {
    if (m_bInUpdateRegion)
        return;
    m_bInUpdateRegion = TRUE;
    if (m_bRegionSet && !HasCaption()) {
        SetWindowRgn(nullptr, TRUE);
        m_bRegionSet = FALSE;
    }
    if (HasCaption() && CSize(nWidth, nHeight) != m_szRegion) {
        CTkSkinManagerSchema* pSchema = m_pManager->GetSchema();
        HRGN hRegion = m_pManager->IsSkinEnabled() && IsOptionOn(tkSkinApplyFrame) && pSchema != nullptr
                           ? pSchema->GetFrameRegion(this, nWidth, nHeight)
                           : nullptr;
        if (hRegion != nullptr || m_bRegionSet) {
            // The window owns the region from here on.
            SetWindowRgn(hRegion, TRUE);
            m_bRegionSet = hRegion != nullptr;
        }
    }
    m_szRegion = CSize(nWidth, nHeight);
    m_bInUpdateRegion = FALSE;
}

void CTkSkinObjectFrame::UpdateFrame() {
    if (!HasCaption())
        return;
    CRect rc;
    GetWindowRect(&rc);
    if (IsOptionOn(tkSkinApplyMetrics) && (GetStyle() & WS_CHILD) == 0) {
        const CTkSkinManagerMetrics* pMetrics = GetMetrics();
        const bool bTool = (GetExStyle() & WS_EX_TOOLWINDOW) != 0;
        const int nGrowth = bTool ? pMetrics->GetSmallCaptionHeight() - pMetrics->GetSystemSmallCaptionHeight()
                                  : pMetrics->GetCaptionHeight() - pMetrics->GetSystemCaptionHeight();
        rc.bottom += nGrowth;
        SetWindowPos(nullptr, 0, 0, rc.Width(), rc.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
    UpdateWindowRegion(rc.Width(), rc.Height());
}

void CTkSkinObjectFrame::SendSystemNcCalcSize() {
    ++m_nFrameLock;
    CRect rc;
    GetWindowRect(&rc);
    ::SendMessageW(m_hWnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rc));
    --m_nFrameLock;
}

void CTkSkinObjectFrame::RefreshFrameStyle() {
    constexpr DWORD kSkinnedStyles = WS_HSCROLL | WS_VSCROLL | WS_DLGFRAME;
    const DWORD dwStyle = GetStyle();
    if (!IsOptionOn(tkSkinApplyFrame) || (dwStyle & kSkinnedStyles) == 0)
        return;
    ++m_nFrameLock;
    ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(dwStyle & ~kSkinnedStyles));
    CRect rc;
    GetWindowRect(&rc);
    ::SendMessageW(m_hWnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rc));
    ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(dwStyle));
    --m_nFrameLock;
}

// ---- Message handlers

BEGIN_MESSAGE_MAP(CTkSkinObjectFrame, CTkSkinObject)
    ON_WM_NCPAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_NCHITTEST()
    ON_WM_NCMOUSEMOVE()
    ON_MESSAGE(WM_NCMOUSELEAVE, OnNcMouseLeave)
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_NCRBUTTONUP()
    ON_WM_NCACTIVATE()
    ON_WM_TIMER()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_WM_STYLECHANGED()
    ON_WM_CREATE()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_WINDOWPOSCHANGED()
    ON_MESSAGE(WM_PRINT, OnPrint)
    ON_WM_GETMINMAXINFO()
    ON_WM_SYSCOMMAND()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CTkSkinObjectFrame::OnNcPaint() {
    if (IsFlatScrollBar()) {
        Default();
        return;
    }
    RebuildCaptionButtons();
    CWindowDC dc(this);
    PaintFrame(&dc);
}

void CTkSkinObjectFrame::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* lpncsp) {
    if (IsFlatScrollBar()) {
        m_spi[0].bVisible = m_spi[1].bVisible = FALSE;
        Default();
        return;
    }
    m_pManager->GetSchema()->GetFrameBorders(&m_rcBorders, this);
    RECT& rc = lpncsp->rgrc[0];
    rc.left += m_rcBorders.left;
    rc.top += m_rcBorders.top;
    rc.right -= m_rcBorders.right;
    rc.bottom -= m_rcBorders.bottom;
    ::SetRectEmpty(&m_rcMenuBar);
    // The skin's scroll bars take their room inside the frame.
    const DWORD dwStyle = GetStyle();
    const CTkSkinManagerMetrics* pMetrics = GetMetrics();
    m_spi[0].bVisible = (dwStyle & WS_HSCROLL) != 0;
    m_spi[1].bVisible = (dwStyle & WS_VSCROLL) != 0;
    if ((dwStyle & WS_VSCROLL) != 0) {
        if ((GetExStyle() & (WS_EX_LEFTSCROLLBAR | WS_EX_LAYOUTRTL)) != 0)
            rc.left += pMetrics->GetVScrollWidth();
        else
            rc.right -= pMetrics->GetVScrollWidth();
    }
    if ((dwStyle & WS_HSCROLL) != 0)
        rc.bottom -= pMetrics->GetHScrollHeight();
    rc.bottom = std::max(rc.bottom, rc.top);
    rc.right = std::max(rc.right, rc.left);
}

LRESULT CTkSkinObjectFrame::OnNcHitTest(CPoint point) {
    const LRESULT nDefault = Default();
    if (const int nHit = HitTestFrame(point))
        return nHit;
    switch (nDefault) {
        case HTHSCROLL:
        case HTVSCROLL:
            // The system's bars are not there: the skin draws its own.
            return IsFlatScrollBar() ? nDefault : HTCLIENT;
        case HTMINBUTTON:
        case HTMAXBUTTON:
        case HTCLOSE:
        case HTHELP:
            // The system's buttons lie elsewhere than the skin's.
            return HTCAPTION;
        default:
            return nDefault;
    }
}

void CTkSkinObjectFrame::OnNcMouseMove(UINT /*nHitTest*/, CPoint point) {
    if (!TrackHot(point))
        Default();
}

LRESULT CTkSkinObjectFrame::OnNcMouseLeave(WPARAM, LPARAM) {
    if (const BOOL bHot = TrackHot(CPoint(-1, -1)))
        return bHot;
    return Default();
}

void CTkSkinObjectFrame::OnNcLButtonDown(UINT nHitTest, CPoint point) {
    if (m_pButtonHot != nullptr)
        TrackCaptionButton();
    if (SCROLLBARPOSITION* pBar = ScrollBarAt(ScreenToFrame(point))) {
        CalcScrollBarInfo(pBar);
        TrackScrollBar(this, ScreenToFrame(point), pBar, ::GetKeyState(VK_SHIFT) < 0);
        return;
    }
    if (nHitTest == HTMINBUTTON || nHitTest == HTMAXBUTTON || nHitTest == HTCLOSE || nHitTest == HTHELP)
        return;
    Default();
}

void CTkSkinObjectFrame::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
    OnNcLButtonDown(nHitTest, point);
}

void CTkSkinObjectFrame::OnNcRButtonUp(UINT /*nHitTest*/, CPoint point) {
    if (ScrollBarAt(ScreenToFrame(point)) == nullptr) {
        Default();
        return;
    }
    // The window's own procedure offers its scroll-bar menu by its own layout of the bars, which the
    // skin keeps hidden from it: it lays them out for the menu and forgets them again afterwards.
    SendSystemNcCalcSize();
    ::SendMessageW(m_hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(point.x, point.y));
    RefreshFrameStyle();
}

BOOL CTkSkinObjectFrame::OnNcActivate(BOOL bActive) {
    if (!HasCaption())
        return static_cast<BOOL>(Default());
    if (m_nWindowKind == kDialog) {
        // The dialog's own procedure hears of its activation, as it would from the system.
        const bool bUnicode =
            ::SendMessageW(m_hWnd, WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(m_hWnd), NF_REQUERY) == NFR_UNICODE;
        const LONG_PTR nDialogProc =
            bUnicode ? ::GetWindowLongPtrW(m_hWnd, DWLP_DLGPROC) : ::GetWindowLongPtrA(m_hWnd, DWLP_DLGPROC);
        if (nDialogProc != 0 && !IsProcedureHandle(static_cast<ULONG_PTR>(nDialogProc)))
            reinterpret_cast<DLGPROC>(nDialogProc)(m_hWnd, WM_NCACTIVATE, bActive, 0);
    }
    if (!bActive) {
        CWnd* pWnd = CWnd::FromHandlePermanent(m_hWnd);
        if (pWnd != nullptr && (pWnd->m_nFlags & WF_STAYACTIVE) != 0)
            bActive = TRUE;
    }
    if (!IsWindowEnabled())
        bActive = FALSE;
    if (m_pMDIClient != nullptr && ::IsWindow(m_pMDIClient->GetSafeHwnd())) {
        auto hChild = reinterpret_cast<HWND>(::SendMessageW(m_pMDIClient->GetSafeHwnd(), WM_MDIGETACTIVE, 0, 0));
        if (hChild != nullptr && hChild != m_hWnd) {
            ::SendMessageW(hChild, WM_NCACTIVATE, bActive, 0);
            ::SendMessageW(hChild, WM_NCPAINT, 0, 0);
        }
    }
    m_bActive = bActive;
    RedrawFrame();
    return TRUE;
}

void CTkSkinObjectFrame::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kSkinStyleRefreshTimer) {
        RefreshFrameStyle();
        KillTimer(kSkinStyleRefreshTimer);
        return;
    }
    if (nIDEvent != kSkinHotTrackTimer) {
        Default();
        return;
    }
    if (::GetCapture() != nullptr)
        return;
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rc;
    GetWindowRect(&rc);
    const int nHit = HitTestFrame(pt);
    if (nHit == HTNOWHERE || nHit == HTCLIENT || nHit == HTBOTTOMLEFT || nHit == HTBOTTOMRIGHT || !rc.PtInRect(pt)) {
        TrackHot(CPoint(-1, -1));
        KillTimer(kSkinHotTrackTimer);
    }
}

LRESULT CTkSkinObjectFrame::OnSetText(WPARAM wParam, LPARAM lParam) {
    if (!HasCaption())
        return Default();
    const LRESULT nResult = CallDefault(WM_SETTEXT, wParam, lParam);
    RedrawFrame();
    return nResult;
}

void CTkSkinObjectFrame::OnStyleChanged(int /*nStyleType*/, LPSTYLESTRUCT /*lpStyleStruct*/) {
    Default();
    m_pManager->GetSchema()->GetFrameBorders(&m_rcBorders, this);
    m_szRegion = CSize(0, 0);
    CRect rc;
    GetWindowRect(&rc);
    UpdateWindowRegion(rc.Width(), rc.Height());
    RebuildCaptionButtons();
}

int CTkSkinObjectFrame::OnCreate(LPCREATESTRUCT /*lpCreateStruct*/) {
    // A window that refuses its creation keeps its answer.
    const LRESULT nResult = Default();
    if (nResult == -1)
        return -1;
    UpdateFrame();
    return 0;
}

void CTkSkinObjectFrame::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
    Default();
    if ((lpwndpos->flags & SWP_NOSIZE) == 0 && CSize(lpwndpos->cx, lpwndpos->cy) != m_szRegion &&
        (GetExStyle() & WS_EX_LAYOUTRTL) == 0)
        UpdateWindowRegion(lpwndpos->cx, lpwndpos->cy);
}

void CTkSkinObjectFrame::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
    Default();
    // A right-to-left window's region is mirrored by its final size.
    if ((lpwndpos->flags & SWP_NOSIZE) == 0 && CSize(lpwndpos->cx, lpwndpos->cy) != m_szRegion &&
        (GetExStyle() & WS_EX_LAYOUTRTL) != 0)
        UpdateWindowRegion(lpwndpos->cx, lpwndpos->cy);
}

LRESULT CTkSkinObjectFrame::OnPrint(WPARAM wParam, LPARAM lParam) {
    LRESULT nResult = 0;
    if (lParam != PRF_NONCLIENT) {
        ++m_nFrameLock;
        nResult = CallDefault(WM_PRINT, wParam, lParam);
        --m_nFrameLock;
    }
    if ((lParam & PRF_NONCLIENT) != 0) {
        const DWORD dwStyle = GetStyle();
        m_spi[0].bVisible = m_spi[0].bVisible && (dwStyle & WS_HSCROLL) != 0;
        m_spi[1].bVisible = m_spi[1].bVisible && (dwStyle & WS_VSCROLL) != 0;
        // A window printed before it was ever painted has its buttons built here.
        RebuildCaptionButtons();
        auto hDC = reinterpret_cast<HDC>(wParam);
        if ((GetExStyle() & WS_EX_LAYOUTRTL) != 0 && (::GetLayout(hDC) & LAYOUT_RTL) == 0)
            ::SetLayout(hDC, LAYOUT_RTL);
        PaintFrame(CDC::FromHandle(hDC));
    }
    return nResult;
}

void CTkSkinObjectFrame::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
    Default();
    if (IsOptionOn(tkSkinApplyFrame) && HasCaption()) {
        const int nMinWidth = static_cast<int>(m_captionButtons.size()) * m_rcBorders.top +
                              2 * ::GetSystemMetrics(SM_CXEDGE) + ::GetSystemMetrics(SM_CYSIZE);
        lpMMI->ptMinTrackSize.x = std::max<LONG>(lpMMI->ptMinTrackSize.x, nMinWidth);
        lpMMI->ptMinTrackSize.y = std::max<LONG>(lpMMI->ptMinTrackSize.y, m_rcBorders.top + m_rcBorders.bottom);
    }
    if (IsOptionOn(tkSkinApplyMetrics) && (GetExStyle() & WS_EX_MDICHILD) != 0) {
        // A maximized MDI child's caption lies above the client's top.
        const LONG nOldY = lpMMI->ptMaxPosition.y;
        lpMMI->ptMaxPosition.y = -m_rcBorders.top;
        lpMMI->ptMaxSize.y += nOldY + m_rcBorders.top;
    }
}

void CTkSkinObjectFrame::OnSysCommand(UINT nID, LPARAM /*lParam*/) {
    const UINT nCommand = nID & 0xFFF0;
    const bool bMetrics = IsOptionOn(tkSkinApplyMetrics);
    if (nCommand == SC_MAXIMIZE && (GetExStyle() & WS_EX_MDICHILD) != 0 && !IsZoomed() && bMetrics) {
        // The skinned borders go outside the MDI client's area.
        Default();
        CRect rcParent;
        ::GetClientRect(::GetParent(m_hWnd), &rcParent);
        MoveWindow(-m_rcBorders.left, -m_rcBorders.top, rcParent.Width() + m_rcBorders.left + m_rcBorders.right,
                   rcParent.Height() + m_rcBorders.top + m_rcBorders.bottom);
        return;
    }
    if ((nCommand == SC_MOUSEMENU || nCommand == SC_KEYMENU) && HasCaption() && bMetrics) {
        // The system places the menu by its own frame.
        auto pfnAdjust = reinterpret_cast<decltype(&::AdjustWindowRectEx)>(
            GetSkinApiHook()->GetSystemFunction(tkSlotAdjustWindowRectEx));
        RECT rc = {0, 0, 100, 100};
        (pfnAdjust != nullptr ? pfnAdjust : &::AdjustWindowRectEx)(&rc, GetStyle(), FALSE, GetExStyle());
        s_ptSystemMenuOffset = CPoint(rc.left + m_rcBorders.left, rc.top + m_rcBorders.top);
    }
    if (nCommand == SC_MOVE && IsIconic()) {
        CallOriginalProc(WM_NCPAINT, 0, 0);
        RedrawFrame();
    }
    Default();
    if (nCommand == SC_MINIMIZE)
        RedrawFrame();
    s_ptSystemMenuOffset = CPoint(0, 0);
}

BOOL CTkSkinObjectFrame::OnEraseBkgnd(CDC* /*pDC*/) {
    // A class background of a system colour value is painted with the skin's brush of that colour.
    const ULONG_PTR nBrush = ::GetClassLongPtrW(m_hWnd, GCLP_HBRBACKGROUND);
    HBRUSH hSkinBrush = nBrush >= 1 && nBrush < CTkSkinManagerMetrics::kColorCount
                            ? GetMetrics()->GetBrush(static_cast<int>(nBrush) - 1)
                            : nullptr;
    if (hSkinBrush == nullptr)
        return static_cast<BOOL>(Default());
    ::SetClassLongPtrW(m_hWnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(hSkinBrush));
    const LRESULT nResult = Default();
    ::SetClassLongPtrW(m_hWnd, GCLP_HBRBACKGROUND, static_cast<LONG_PTR>(nBrush));
    return static_cast<BOOL>(nResult);
}
