#include "TkToolTipContextToolTip.h"

#include "MultiMonitorHelper.h"
#include "OSVersionInfo.h"
#include "TkResourceManager.h"
#include "TkTextFunctions.h"

#include <algorithm>

// When a tool shows its tip:
//
//   relay over a tool  --(200 ms or more since the last show or hide)-->  pending, timer 1 runs
//                      --(within 200 ms)---------------------------------->  shown at once
//   timer 1            --(the cursor still on the pending tool)---------->  shown (ShowToolTip)
//   relay over no tool, TTM_ACTIVATE FALSE, TTM_DELTOOL of the shown tool, the mouse hook seeing the
//   cursor leave the tool's window  -->  hidden (ShowToolTip(NULL))
//   WM_LBUTTONDOWN over a tool  -->  hidden; that tool shows nothing until the cursor leaves it

namespace {

constexpr UINT_PTR kDelayTimer = 1;
constexpr UINT kTipClassStyle = CS_OWNDC | CS_SAVEBITS;
constexpr int kWorkAreaGap = 4;     // the tip keeps this far from the work area's right and bottom
constexpr int kAboveCursorGap = 3;  // a tip that does not fit below the cursor ends this far above it
constexpr UINT kLastNonClientMouseMessage = WM_NCMOUSEMOVE + 9;
constexpr UINT kLastMouseMessage = WM_MOUSEFIRST + 10;

// The tip window that holds the thread mouse hook; one at a time in the process.
HHOOK s_hMouseHook = nullptr;
CTkToolTipContextToolTip* s_pHookWindow = nullptr;

// The text of a tool record: a callback, a string resource of the record's module, or a copy.
void SetItemText(CTkToolTipContextToolTip::TOOLITEM& item, LPCWSTR lpszText, HINSTANCE hInstance) {
    item.bTextCallback = lpszText == LPSTR_TEXTCALLBACKW;
    item.strText.Empty();
    if (item.bTextCallback || lpszText == nullptr)
        return;
    if (IS_INTRESOURCE(lpszText))
        CTkResourceManager::LoadStringFromModule(hInstance, static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszText)),
                                                 item.strText);
    else
        item.strText = lpszText;
}

}  // namespace

BEGIN_MESSAGE_MAP(CTkToolTipContextToolTip, CWnd)
    ON_MESSAGE(TTM_ADDTOOLW, OnAddTool)
    ON_MESSAGE(TTM_DELTOOLW, OnDelTool)
    ON_MESSAGE(TTM_UPDATETIPTEXTW, OnUpdateTipText)
    ON_MESSAGE(TTM_SETTITLEW, OnSetTitle)
    ON_MESSAGE(TTM_SETDELAYTIME, OnSetDelayTime)
    ON_MESSAGE(TTM_ACTIVATE, OnActivate)
    ON_MESSAGE(TTM_RELAYEVENT, OnRelayEvent)
    ON_MESSAGE(TTM_WINDOWFROMPOINT, OnWindowFromPoint)
    ON_MESSAGE(kToolTipSetIconMessage, OnSetIcon)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
    ON_WM_NCHITTEST()
    ON_WM_MOUSEACTIVATE()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CTkToolTipContextToolTip::IsSameTool(const TOOLITEM* pFirst, const TOOLITEM* pSecond) {
    const HWND hWndFirst = pFirst != nullptr ? pFirst->hWnd : nullptr;
    const HWND hWndSecond = pSecond != nullptr ? pSecond->hWnd : nullptr;
    if (hWndFirst == nullptr || hWndSecond == nullptr)
        return hWndFirst == hWndSecond;
    return hWndFirst == hWndSecond && pFirst->nId == pSecond->nId;
}

CTkToolTipContextToolTip::CTkToolTipContextToolTip(CTkToolTipContext* pContext) : m_pContext(pContext) {}

CTkToolTipContextToolTip::~CTkToolTipContextToolTip() {
    // Here, while this class's OnDestroy can still run.
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CTkToolTipContextToolTip::CreateTipWindow(CWnd* pOwner, DWORD dwStyle) {
    UINT nClassStyle = kTipClassStyle;
    if ((dwStyle & kTipStyleNoShadow) == 0 && GetOSVersionInfo()->IsWinXPOrLater())
        nClassStyle |= CS_DROPSHADOW;
    LPCTSTR pszClass = AfxRegisterWndClass(nClassStyle, ::LoadCursorW(nullptr, IDC_ARROW));
    return pszClass != nullptr &&
           CreateEx(WS_EX_TOOLWINDOW, pszClass, nullptr, dwStyle | WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, pOwner != nullptr ? pOwner->GetSafeHwnd() : nullptr, nullptr);
}

// ---- The tool list

CTkToolTipContextToolTip::TOOLITEM* CTkToolTipContextToolTip::FindTool(const TOOLINFO* pInfo) const {
    if (pInfo == nullptr)
        return nullptr;
    for (const auto& item : m_tools) {
        if (item->hWnd == pInfo->hwnd && item->nId == pInfo->uId)
            return item.get();
    }
    return nullptr;
}

LRESULT CTkToolTipContextToolTip::OnAddTool(WPARAM, LPARAM lParam) {
    const auto* pInfo = reinterpret_cast<const TOOLINFO*>(lParam);
    if (pInfo == nullptr)
        return FALSE;
    auto item = std::make_unique<TOOLITEM>();
    SetItemText(*item, pInfo->lpszText, pInfo->hinst);
    item->uFlags = pInfo->uFlags;
    item->rect = pInfo->rect;
    item->hInstance = pInfo->hinst;
    item->hWnd = pInfo->hwnd;
    item->nId = pInfo->uId;
    if (pInfo->cbSize >= AFX_TOOLINFO_V2_SIZE && pInfo->lParam != 0)
        item->rcExtended = reinterpret_cast<const ToolTipExtraInfo*>(pInfo->lParam)->rcExtended;
    m_tools.push_back(std::move(item));
    return TRUE;
}

LRESULT CTkToolTipContextToolTip::OnDelTool(WPARAM, LPARAM lParam) {
    TOOLITEM* pTool = FindTool(reinterpret_cast<const TOOLINFO*>(lParam));
    if (pTool == nullptr)
        return 0;
    if (pTool == m_pShownTool)
        ShowToolTip(nullptr);
    if (pTool == m_pPendingTool) {
        KillPendingTimer();
        m_pPendingTool = nullptr;
    }
    if (pTool == m_pClickedTool)
        m_pClickedTool = nullptr;
    m_tools.erase(
        std::find_if(m_tools.begin(), m_tools.end(), [pTool](const auto& item) { return item.get() == pTool; }));
    return 0;
}

LRESULT CTkToolTipContextToolTip::OnUpdateTipText(WPARAM, LPARAM lParam) {
    const auto* pInfo = reinterpret_cast<const TOOLINFO*>(lParam);
    if (TOOLITEM* pTool = FindTool(pInfo))
        SetItemText(*pTool, pInfo->lpszText, pInfo->hinst);
    return 0;
}

LRESULT CTkToolTipContextToolTip::OnSetTitle(WPARAM, LPARAM lParam) {
    m_strTitle = reinterpret_cast<LPCWSTR>(lParam);
    return TRUE;
}

LRESULT CTkToolTipContextToolTip::OnSetDelayTime(WPARAM wParam, LPARAM lParam) {
    if (wParam == TTDT_INITIAL)
        m_nInitialDelay = LOWORD(lParam);
    else if (wParam == TTDT_RESHOW)
        m_nReshowDelay = LOWORD(lParam);
    return 0;
}

LRESULT CTkToolTipContextToolTip::OnActivate(WPARAM wParam, LPARAM) {
    m_bActive = wParam != 0;
    if (!m_bActive) {
        KillPendingTimer();
        m_pPendingTool = nullptr;
        if (m_pShownTool != nullptr)
            ShowToolTip(nullptr);
    }
    return 0;
}

LRESULT CTkToolTipContextToolTip::OnSetIcon(WPARAM, LPARAM lParam) {
    m_pTitleIcon = reinterpret_cast<CTkImageManagerIcon*>(lParam);
    return 0;
}

LRESULT CTkToolTipContextToolTip::OnWindowFromPoint(WPARAM, LPARAM lParam) {
    const auto* pPoint = reinterpret_cast<const POINT*>(lParam);
    return pPoint != nullptr ? reinterpret_cast<LRESULT>(ResolveToolTipWindow(::WindowFromPoint(*pPoint))) : 0;
}

// ---- When to show

CTkToolTipContextToolTip::TOOLITEM* CTkToolTipContextToolTip::ToolFromPoint(POINT ptScreen) const {
    HWND hWndUnder = nullptr;
    bool bUnderKnown = false;
    for (const auto& item : m_tools) {
        if (!::IsWindow(item->hWnd))
            continue;
        CRect rect;
        if ((item->uFlags & TTF_IDISHWND) != 0) {
            ::GetWindowRect(reinterpret_cast<HWND>(item->nId), &rect);
        } else {
            rect = item->rect;
            ::MapWindowPoints(item->hWnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        }
        if (!rect.PtInRect(ptScreen))
            continue;
        if ((item->uFlags & TTF_IDISHWND) == 0) {
            if (!bUnderKnown) {
                hWndUnder = ResolveToolTipWindow(::WindowFromPoint(ptScreen));
                bUnderKnown = true;
            }
            if (hWndUnder != item->hWnd)
                continue;
        }
        return item.get();
    }
    return nullptr;
}

LRESULT CTkToolTipContextToolTip::OnRelayEvent(WPARAM, LPARAM lParam) {
    const auto* pMsg = reinterpret_cast<const MSG*>(lParam);
    if (!m_bActive || pMsg == nullptr)
        return 0;
    const UINT message = pMsg->message;
    if (!(message >= WM_MOUSEFIRST && message <= kLastMouseMessage) &&
        !(message >= WM_NCMOUSEMOVE && message <= kLastNonClientMouseMessage))
        return 0;

    // No tip while a button is held (a drag); the press itself is the click below.
    TOOLITEM* pTool = nullptr;
    const bool bClick = message == WM_LBUTTONDOWN;
    if (bClick || !IsMouseButtonHeld()) {
        pTool = ToolFromPoint(pMsg->pt);
        if (bClick) {
            if (pTool != nullptr)
                m_pClickedTool = pTool;
            pTool = nullptr;
        } else if (pTool != nullptr && pTool == m_pClickedTool) {
            pTool = nullptr;
        } else {
            // The cursor left the clicked tool: it may show again when it comes back.
            m_pClickedTool = nullptr;
        }
    }

    if (m_pPendingTool != nullptr && !IsSameTool(m_pPendingTool, pTool)) {
        KillPendingTimer();
        m_pPendingTool = nullptr;
    }
    if (IsSameTool(pTool, m_pShownTool))
        return 0;
    if (pTool == nullptr) {
        ShowToolTip(nullptr);
    } else if (::GetTickCount() - m_dwLastShowTick >= static_cast<DWORD>(m_nReshowDelay)) {
        if (m_pPendingTool != pTool) {
            m_pPendingTool = pTool;
            m_nPendingTimer = SetTimer(kDelayTimer, static_cast<UINT>(m_nInitialDelay));
        }
    } else {
        ShowToolTip(pTool);
    }
    return 0;
}

void CTkToolTipContextToolTip::OnTimer(UINT_PTR nIDEvent) {
    if (m_nPendingTimer == 0 || nIDEvent != m_nPendingTimer) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    TOOLITEM* pPending = m_pPendingTool;
    KillPendingTimer();
    m_pPendingTool = nullptr;
    POINT ptCursor;
    ::GetCursorPos(&ptCursor);
    TOOLITEM* pTool = ToolFromPoint(ptCursor);
    if (pTool != nullptr && pTool == pPending)
        ShowToolTip(pTool);
}

void CTkToolTipContextToolTip::KillPendingTimer() {
    if (m_nPendingTimer != 0 && GetSafeHwnd() != nullptr)
        KillTimer(m_nPendingTimer);
    m_nPendingTimer = 0;
}

void CTkToolTipContextToolTip::OnMouseMove(UINT, CPoint) {
    ShowToolTip(nullptr);
}

// ---- Showing and hiding

void CTkToolTipContextToolTip::ResolveText(TOOLITEM& tool) {
    if (!tool.bTextCallback)
        return;
    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = m_hWnd;
    info.hdr.idFrom = tool.nId;
    info.hdr.code = TTN_GETDISPINFOW;
    info.lpszText = info.szText;
    ::SendMessageW(tool.hWnd, WM_NOTIFY, tool.nId, reinterpret_cast<LPARAM>(&info));
    SetItemText(tool, info.lpszText != LPSTR_TEXTCALLBACKW ? info.lpszText : nullptr, info.hinst);
    if ((m_pContext->m_dwTipStyle & TTS_NOPREFIX) == 0)
        RemoveMnemonicMarkers(tool.strText);
    tool.bTextCallback = FALSE;
}

void CTkToolTipContextToolTip::ShowToolTip(TOOLITEM* pTool) {
    // A tip that measures by loading a document pumps messages; what they ask of the tip meanwhile
    // waits for the next relay.
    if (m_bInShowToolTip || IsSameTool(pTool, m_pShownTool))
        return;
    CSize size;
    if (pTool != nullptr) {
        m_bInShowToolTip = TRUE;
        ResolveText(*pTool);
        size = CalcContentSize(*pTool);
        m_bInShowToolTip = FALSE;
        // The tool may have been deleted while the tip measured it.
        const bool bListed =
            std::any_of(m_tools.begin(), m_tools.end(), [pTool](const auto& item) { return item.get() == pTool; });
        if (!bListed || size.cx <= 0 || size.cy <= 0)
            pTool = nullptr;
    }
    if (pTool == nullptr && m_pShownTool == nullptr)
        return;

    if (GetSafeHwnd() != nullptr) {
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (m_bHasRegion) {
            SetWindowRgn(nullptr, FALSE);
            m_bHasRegion = FALSE;
        }
    }
    if (pTool != nullptr && GetSafeHwnd() != nullptr) {
        const CPoint pt = CalcTipPosition(*pTool, size);
        SetWindowPos(&CWnd::wndTopMost, pt.x, pt.y, size.cx, size.cy, SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        NMHDR header = {m_hWnd, pTool->nId, static_cast<UINT>(TTN_SHOW)};
        ::SendMessageW(pTool->hWnd, WM_NOTIFY, pTool->nId, reinterpret_cast<LPARAM>(&header));
        if ((m_pContext->m_dwTipStyle & kTipStyleOffice2007) != 0)
            SetCutCornerRegion(size);
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Invalidate(FALSE);
        InstallMouseHook();
        m_pClickedTool = nullptr;
    } else {
        RemoveMouseHook();
        KillPendingTimer();
        m_pPendingTool = nullptr;
    }
    m_pShownTool = pTool;
    m_dwLastShowTick = ::GetTickCount();
    OnShow(pTool != nullptr);
}

CPoint CTkToolTipContextToolTip::CalcTipPosition(const TOOLITEM& tool, CSize size) const {
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    CPoint pt;
    if (tool.rcExtended.IsRectEmpty()) {
        pt = CPoint(ptCursor.x, ptCursor.y + GetCursorHeightBelowHotSpot(::GetCursor()));
        if ((::GetWindowLongPtrW(tool.hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0)
            pt.x -= size.cx;
    } else {
        pt = CPoint(tool.rect.left, tool.rcExtended.bottom);
        ::ClientToScreen(tool.hWnd, &pt);
    }
    const CRect work = GetMultiMonitorHelper()->GetWorkAreaAtCursor();
    if (pt.x + size.cx > work.right - kWorkAreaGap)
        pt.x = work.right - kWorkAreaGap - size.cx;
    if (pt.x < work.left)
        pt.x = work.left;
    if (pt.y + size.cy > work.bottom - kWorkAreaGap)
        pt.y = ptCursor.y - kAboveCursorGap - size.cy;
    return pt;
}

void CTkToolTipContextToolTip::SetCutCornerRegion(CSize size) {
    // Three bands that leave out the four corner pixels.
    CRgn region;
    CRgn middle;
    CRgn bottom;
    region.CreateRectRgn(1, 0, size.cx - 1, 1);
    middle.CreateRectRgn(0, 1, size.cx, size.cy - 1);
    bottom.CreateRectRgn(1, size.cy - 1, size.cx - 1, size.cy);
    region.CombineRgn(&region, &middle, RGN_OR);
    region.CombineRgn(&region, &bottom, RGN_OR);
    if (SetWindowRgn(static_cast<HRGN>(region.GetSafeHandle()), FALSE) != 0) {
        region.Detach();  // the window owns it now
        m_bHasRegion = TRUE;
    }
}

int CTkToolTipContextToolTip::GetCursorHeightBelowHotSpot(HCURSOR hCursor) {
    ICONINFO info = {};
    if (hCursor == nullptr || !::GetIconInfo(hCursor, &info))
        return kUnknownCursorHeight;
    BITMAP mask = {};
    WORD words[kCursorMaskWords] = {};
    int nRead = 0;
    if (info.hbmMask != nullptr && ::GetObjectW(info.hbmMask, sizeof(mask), &mask) != 0)
        nRead = static_cast<int>(::GetBitmapBits(info.hbmMask, sizeof(words), words));
    const BOOL bHasColor = info.hbmColor != nullptr;
    if (info.hbmMask != nullptr)
        ::DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    if (nRead <= 0)
        return kUnknownCursorHeight;
    return CursorHeightFromMask(words, nRead / 2, mask.bmWidth, mask.bmHeight, bHasColor,
                                static_cast<int>(info.yHotspot));
}

int CTkToolTipContextToolTip::CursorHeightFromMask(const WORD* pWords, int nWords, int nWidth, int nHeight,
                                                   BOOL bHasColor, int nHotSpotY) {
    if (pWords == nullptr || nWidth <= 0 || nHeight <= 0)
        return kUnknownCursorHeight;
    int nCount = nWidth * nHeight / 16;
    int nXor = 0;
    if (!bHasColor) {
        // A monochrome cursor: the AND mask above the XOR mask in one bitmap.
        nXor = nCount - 1;
        nCount /= 2;
    }
    // Only the words that were read.
    const int nAvailable = std::min(nWords, kCursorMaskWords);
    nCount = std::min(nCount, nAvailable);
    if (nXor >= nAvailable)
        nXor = 0;
    int i = nCount - 1;
    while (i >= 0 && pWords[i] == 0xFFFF && (nXor == 0 || pWords[nXor] == 0)) {
        --i;
        if (nXor != 0)
            --nXor;
    }
    return (i + 1) * 16 / nWidth - nHotSpotY;
}

// ---- The mouse hook

void CTkToolTipContextToolTip::InstallMouseHook() {
    if (s_hMouseHook != nullptr)
        return;
    s_hMouseHook = ::SetWindowsHookExW(WH_MOUSE, MouseHookProc, nullptr, ::GetCurrentThreadId());
    if (s_hMouseHook != nullptr)
        s_pHookWindow = this;
}

void CTkToolTipContextToolTip::RemoveMouseHook() {
    if (s_pHookWindow != this)
        return;
    ::UnhookWindowsHookEx(s_hMouseHook);
    s_hMouseHook = nullptr;
    s_pHookWindow = nullptr;
}

LRESULT CALLBACK CTkToolTipContextToolTip::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    // The relay below may hide the tip and so remove this hook: the handle is kept for the chain.
    const HHOOK hHook = s_hMouseHook;
    CTkToolTipContextToolTip* pWindow = s_pHookWindow;
    if (nCode == HC_ACTION && pWindow != nullptr && pWindow->m_pShownTool != nullptr) {
        const auto* pMouse = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        const HWND hWndUnder = ResolveToolTipWindow(::WindowFromPoint(pMouse->pt));
        if (hWndUnder != pWindow->m_pShownTool->hWnd) {
            MSG msg = {};
            msg.hwnd = hWndUnder;
            msg.message = WM_MOUSEMOVE;
            msg.time = ::GetMessageTime();
            msg.pt = pMouse->pt;
            POINT ptClient = pMouse->pt;
            if (hWndUnder != nullptr)
                ::ScreenToClient(hWndUnder, &ptClient);
            msg.lParam = MAKELPARAM(ptClient.x, ptClient.y);
            pWindow->SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
        }
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

// ---- Window messages

LRESULT CTkToolTipContextToolTip::OnNcHitTest(CPoint) {
    return HTTRANSPARENT;
}

int CTkToolTipContextToolTip::OnMouseActivate(CWnd*, UINT, UINT) {
    return MA_NOACTIVATE;
}

BOOL CTkToolTipContextToolTip::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CTkToolTipContextToolTip::OnPaint() {
    CPaintDC dc(this);
    OnPrintClient(reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
}

LRESULT CTkToolTipContextToolTip::OnPrintClient(WPARAM wParam, LPARAM) {
    AfxPaintBuffered(this, reinterpret_cast<HDC>(wParam), [this](CDC* pDC, const CRect& rcClient) {
        TOOLITEM none;
        DrawTip(pDC, m_pShownTool != nullptr ? *m_pShownTool : none, rcClient);
    });
    return 0;
}

void CTkToolTipContextToolTip::DrawTip(CDC* pDC, TOOLITEM& tool, const CRect& rc) {
    DrawBackground(pDC, tool, rc);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_pContext->GetTextColor());
    CScopedSelectObject font(pDC->GetSafeHdc(), m_pContext->GetFont()->GetSafeHandle());
    DrawContent(pDC, tool, rc);
}

void CTkToolTipContextToolTip::OnDestroy() {
    KillPendingTimer();
    m_pShownTool = nullptr;
    m_pClickedTool = nullptr;
    m_pPendingTool = nullptr;
    m_tools.clear();
    m_strTitle.Empty();
    m_pTitleIcon = nullptr;
    m_bActive = FALSE;
    m_bHasRegion = FALSE;
    RemoveMouseHook();
    CWnd::OnDestroy();
}
