#include "TkCaption.h"

#include "TkAuxData.h"
#include "TkCaptionPopupWnd.h"
#include "TkCaptionTheme.h"
#include "TkColorManager.h"

#include <algorithm>

namespace {

// Of the close glyphs, image 2 is the caption's close glyph, image 3 the one under Aero.
constexpr int kCloseGlyph = 2;
constexpr int kCloseGlyphAero = 3;
constexpr SystemThemeKind kThemeAero = 5;

// The room an icon takes from the text at the right end.
constexpr int kIconRoom = 18;
constexpr int kTextPadding = 12;

// Posted by a caption to itself to delete the popups whose windows it destroyed.
const UINT g_deleteClosedPopupsMessage = ::RegisterWindowMessageW(L"TkCaptionDeleteClosedPopups");

}  // namespace

IMPLEMENT_DYNAMIC(CTkCaption, CStatic)

BEGIN_MESSAGE_MAP(CTkCaption, CStatic)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_BN_CLICKED(kCaptionButtonId, OnButtonClicked)
    ON_MESSAGE(kCaptionPopupClosedMessage, OnPopupClosed)
    ON_MESSAGE(kCaptionPopupFocusLostMessage, OnPopupFocusLost)
    ON_REGISTERED_MESSAGE(g_deleteClosedPopupsMessage, OnDeleteClosedPopups)
END_MESSAGE_MAP()

CTkCaption::CTkCaption() : CTkThemeManagerStyleHost(RUNTIME_CLASS(CTkCaptionThemeFactory)) {
    m_iconSize.cx = std::min(GetAuxData()->m_cxSmallIcon, 16);
    m_iconSize.cy = std::min(GetAuxData()->m_cySmallIcon, 16);
}

CTkCaption::~CTkCaption() {
    ClosePopupWindow();
}

CTkCaptionTheme* CTkCaption::GetCaptionTheme() const {
    return static_cast<CTkCaptionTheme*>(GetThemeStyle());
}

// ---- Creation and the caption's look

BOOL CTkCaption::CreateCaption(CWnd* pParent, LPCWSTR pszText, DWORD dwCaptionFlags, DWORD dwStyle, const RECT& rect,
                               UINT nID) {
    if (!Create(nullptr, dwStyle | WS_CLIPCHILDREN, rect, pParent, nID))
        return FALSE;
    SetFont(&GetAuxData()->m_fontNormal);
    m_dwCaptionFlags = dwCaptionFlags & kCaptionFlagMask;
    if ((dwCaptionFlags & ~kCaptionFlagMask) != 0)
        ModifyStyleEx(0, dwCaptionFlags & ~kCaptionFlagMask);
    m_strText = pszText != nullptr ? pszText : L"";

    const CRect rcEmpty(0, 0, 0, 0);
    if ((m_dwCaptionFlags & kCaptionCloseButton) != 0) {
        // A caption without its close button cannot be closed: that is a failed creation, not a success.
        if (!m_button.Create(nullptr, WS_CHILD | WS_VISIBLE | BS_VCENTER | BS_CENTER | BS_ICON | BS_OWNERDRAW, rcEmpty,
                             this, kCaptionButtonId))
            return FALSE;
        // Without the toolkit bitmap the button stays without a glyph.
        if (m_imageList.Create(kCloseGlyphsBitmap, kCloseGlyphWidth, 1, kCloseGlyphMask)) {
            const BOOL bAero = GetColorManager()->GetCurrentSystemTheme() == kThemeAero;
            m_closeGlyph = m_imageList.ExtractIcon(bAero ? kCloseGlyphAero : kCloseGlyph);
            m_button.SetIcon(CSize(kCloseGlyphWidth, kCloseGlyphHeight), m_closeGlyph, nullptr, FALSE);
        }
    } else {
        if (!m_button.Create(m_strText, WS_CHILD | BS_VCENTER | BS_ICON | BS_OWNERDRAW, rcEmpty, this,
                             kCaptionButtonId))
            return FALSE;
        m_bTextButton = TRUE;
    }
    m_button.SetOwnerCaption(this);
    m_button.SetXButtonStyle(0, FALSE);
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED);
    return TRUE;
}

void CTkCaption::SetCaptionColors(COLORREF clrBorder, COLORREF clrBackground, COLORREF clrText) {
    m_bUserColors = TRUE;
    CTkCaptionTheme* pTheme = GetCaptionTheme();
    if (pTheme == nullptr)
        return;
    pTheme->m_clrBorder.m_customValue = clrBorder;
    pTheme->m_clrBackground.m_customValue = clrBackground;
    pTheme->m_clrText.m_customValue = clrText;
    PassColorsToButton();
}

void CTkCaption::PassColorsToButton() {
    CTkCaptionTheme* pTheme = GetCaptionTheme();
    if (pTheme == nullptr || m_button.GetSafeHwnd() == nullptr)
        return;
    m_button.SetFaceColor(pTheme->m_clrBackground.GetEffective());
    m_button.SetTextColor(pTheme->m_clrText.GetEffective());
    m_button.SetShadowColor(pTheme->m_clrShadow.GetEffective());
}

void CTkCaption::SetCaptionStyle(int nBorderWidth, CFont* pFont, LPCWSTR pszText, HICON hIcon) {
    if (nBorderWidth != 0)
        m_nBorderWidth = nBorderWidth;
    if (pFont != nullptr) {
        SetFont(pFont);
        if (m_button.GetSafeHwnd() != nullptr)
            m_button.SetFont(pFont);
    }
    if (pszText != nullptr)
        m_strText = pszText;
    if (hIcon != nullptr)
        m_hIcon = hIcon;
    Invalidate(TRUE);
}

void CTkCaption::UpdateCaption(LPCWSTR pszText, HICON hIcon) {
    CClientDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rcBack = rcClient;
    DrawBackground(&dc, rcBack);
    if (pszText != nullptr) {
        m_strText = pszText;
        UpdateButtonAndText(&dc);
    }
    if (hIcon != nullptr) {
        m_hIcon = hIcon;
        DrawCaptionIcon(&dc, rcClient);
    }
}

void CTkCaption::UpdateButtonAndText(CDC* pDC) {
    if (m_button.GetSafeHwnd() != nullptr) {
        m_button.SetWindowText(m_strText);
        m_button.MoveWindow(GetButtonRect());
    }
    DrawCaptionText(pDC);
}

// ---- Geometry

CRect CTkCaption::GetTextRect() {
    if (m_strText.IsEmpty())
        return CRect(0, 0, 0, 0);
    CRect rcClient;
    GetClientRect(&rcClient);
    CClientDC dc(this);
    CScopedSelectObject font(dc, GetFont() != nullptr ? GetFont()->GetSafeHandle() : nullptr);
    TEXTMETRICW metrics{};
    dc.GetTextMetrics(&metrics);
    const int nTextWidth = dc.GetTextExtent(m_strText).cx;
    // Inside the border on both sides, so that a long text ends before the border and the icon.
    const int nRoom = rcClient.Width() - 2 * m_nBorderWidth - (m_hIcon != nullptr ? kIconRoom : 0);
    const int nWidth = std::min(nRoom, static_cast<int>(nTextWidth + metrics.tmAveCharWidth + kTextPadding));
    return CRect(m_nBorderWidth, m_nBorderWidth, m_nBorderWidth + nWidth, rcClient.Height() - m_nBorderWidth);
}

CRect CTkCaption::GetButtonRect() {
    if (m_button.GetSafeHwnd() == nullptr)
        return CRect(0, 0, 0, 0);
    if ((m_dwCaptionFlags & kCaptionCloseButton) == 0)
        return GetTextRect();
    CRect rcClient;
    GetClientRect(&rcClient);
    const int nGap = (rcClient.Height() - kCloseGlyphHeight) / 2;
    return CRect(rcClient.Width() - nGap - kCloseGlyphWidth, nGap, rcClient.Width() - nGap, nGap + kCloseGlyphHeight);
}

// ---- Painting

void CTkCaption::DrawBackground(CDC* pDC, CRect& rect) {
    if (CTkCaptionTheme* pTheme = GetCaptionTheme())
        pTheme->DrawCaptionBack(pDC, this, rect);
}

void CTkCaption::DrawCaptionText(CDC* pDC) {
    if (CTkCaptionTheme* pTheme = GetCaptionTheme())
        pTheme->DrawCaptionText(pDC, this);
}

void CTkCaption::DrawCaptionIcon(CDC* pDC, CRect& rect) {
    if (CTkCaptionTheme* pTheme = GetCaptionTheme())
        pTheme->DrawCaptionIcon(pDC, this, rect);
}

void CTkCaption::Draw(CDC* pDC, const CRect& rcClient) {
    CRect rcBack = rcClient;
    DrawBackground(pDC, rcBack);
    DrawCaptionText(pDC);
    CRect rcIcon = rcClient;
    DrawCaptionIcon(pDC, rcIcon);
}

void CTkCaption::OnPaint() {
    CPaintDC dc(this);
    // The button paints itself: the copy of the buffer must not cover it.
    if (m_button.GetSafeHwnd() != nullptr && m_button.IsWindowVisible()) {
        CRect rcButton;
        m_button.GetWindowRect(&rcButton);
        ScreenToClient(&rcButton);
        dc.ExcludeClipRect(&rcButton);
    }
    AfxPaintBuffered(this, dc, [this](CDC* pDC, const CRect& rcClient) { Draw(pDC, rcClient); });
}

LRESULT CTkCaption::OnPrintClient(WPARAM wParam, LPARAM) {
    AfxPaintBuffered(this, reinterpret_cast<HDC>(wParam),
                     [this](CDC* pDC, const CRect& rcClient) { Draw(pDC, rcClient); });
    return TRUE;
}

BOOL CTkCaption::OnEraseBkgnd(CDC*) {
    return TRUE;
}

// ---- Layout and system changes

LRESULT CTkCaption::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTINGCHANGE || message == WM_SYSCOLORCHANGE) {
        if (CTkThemeManagerStyle* pStyle = GetThemeStyle())
            pStyle->Refresh();
        if (GetSafeHwnd() != nullptr)
            Invalidate(FALSE);
    }
    return CStatic::WindowProc(message, wParam, lParam);
}

void CTkCaption::OnWindowPosChanged(WINDOWPOS* pWndPos) {
    CStatic::OnWindowPosChanged(pWndPos);
    if (m_button.GetSafeHwnd() != nullptr)
        m_button.MoveWindow(GetButtonRect());
}

void CTkCaption::OnSize(UINT nType, int cx, int cy) {
    CStatic::OnSize(nType, cx, cy);
    // The icon sits at the right edge, so the whole strip is redrawn; by the next paint, not at once: a caption sized
    // before its parent is shown would otherwise spend its paint while hidden and stay blank once shown.
    if (m_hIcon != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

void CTkCaption::OnSysColorChange() {
    CStatic::OnSysColorChange();
    // The user's colours are custom values, which a refresh leaves alone; only the standard ones follow
    // the system.
    if (m_bUserColors)
        return;
    if (CTkThemeManagerStyle* pStyle = GetThemeStyle())
        pStyle->Refresh();
    PassColorsToButton();
}

void CTkCaption::OnDestroy() {
    ClosePopupWindow();
    CStatic::OnDestroy();
}

// ---- The button and the popup

HWND CTkCaption::GetNotifyWindow() const {
    CWnd* pOwner = GetOwner();
    return pOwner != nullptr ? pOwner->GetSafeHwnd() : nullptr;
}

void CTkCaption::OnButtonClicked() {
    if ((m_dwCaptionFlags & kCaptionCloseButton) != 0) {
        ::SendMessageW(GetNotifyWindow(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0),
                       reinterpret_cast<LPARAM>(GetSafeHwnd()));
        return;
    }
    ShowPopup();
}

void CTkCaption::SetPopupChild(CWnd* pChild, CWnd* pNotify) {
    m_hChild = pChild != nullptr ? pChild->GetSafeHwnd() : nullptr;
    SetOwner(pNotify);
    m_hChildParent = m_hChild != nullptr ? ::GetParent(m_hChild) : nullptr;
    m_hChildGrandparent = m_hChildParent != nullptr ? ::GetParent(m_hChildParent) : nullptr;
    m_rcChild.SetRectEmpty();
    m_rcParent.SetRectEmpty();
    m_rcGrandparent.SetRectEmpty();
    ::GetClientRect(m_hChild, &m_rcChild);
    ::GetClientRect(m_hChildParent, &m_rcParent);
    ::GetClientRect(m_hChildGrandparent, &m_rcGrandparent);
    m_nChildOffset = m_rcParent.Height() - m_rcChild.Height();
    if (m_button.GetSafeHwnd() != nullptr) {
        m_button.ShowWindow(SW_SHOW);
        m_button.UpdateWindow();
    }
    m_rcParent.InflateRect(2 * ::GetSystemMetrics(SM_CXEDGE), 2 * ::GetSystemMetrics(SM_CYEDGE));
}

BOOL CTkCaption::ShowPopup() {
    if (m_pPopupWnd != nullptr && m_pPopupWnd->IsWindowVisible())
        return TRUE;
    // Checked before the popup is made: it takes the child away from its parent.
    if (!::IsWindow(m_hChildParent) || !::IsWindow(m_hChildGrandparent))
        return FALSE;
    if (m_pPopupWnd == nullptr) {
        auto pPopup = std::make_unique<CTkCaptionPopupWnd>();
        if (!pPopup->Create(CRect(0, 0, 0, 0), this, CWnd::FromHandle(m_hChild)))
            return FALSE;
        m_pPopupWnd = std::move(pPopup);
    }
    CRect rcPopup = m_rcParent;
    ::MapWindowPoints(m_hChildParent, nullptr, reinterpret_cast<POINT*>(&rcPopup), 2);
    CRect rcGrandparent;
    ::GetClientRect(m_hChildGrandparent, &rcGrandparent);
    rcPopup.bottom += rcGrandparent.Height() - m_rcGrandparent.Height();
    m_pPopupWnd->MoveWindow(rcPopup);
    m_pPopupWnd->ShowWindow(SW_SHOW);
    m_pPopupWnd->RecalcLayout();
    m_button.SetState(TRUE);
    return TRUE;
}

void CTkCaption::HidePopup() {
    if (m_button.GetSafeHwnd() != nullptr) {
        m_button.ShowWindow(SW_HIDE);
        m_button.SetState(FALSE);
    }
    ClosePopupWindow();
}

void CTkCaption::ClosePopupWindow() {
    if (m_pPopupWnd == nullptr)
        return;
    std::unique_ptr<CTkCaptionPopupWnd> pPopup = std::move(m_pPopupWnd);
    if (pPopup->GetSafeHwnd() != nullptr)
        pPopup->DestroyWindow();
    if (GetSafeHwnd() == nullptr || !PostMessage(g_deleteClosedPopupsMessage))
        return;  // the object goes with pPopup: nothing of it can be running any more
    m_closedPopups.push_back(std::move(pPopup));
}

LRESULT CTkCaption::OnDeleteClosedPopups(WPARAM, LPARAM) {
    m_closedPopups.clear();
    return 0;
}

LRESULT CTkCaption::OnPopupClosed(WPARAM, LPARAM) {
    HidePopup();
    // The child is back in its parent (the popup gave it back): put it where it was, below the room that
    // was above it.
    if (::IsWindow(m_hChildParent) && ::IsWindow(m_hChild)) {
        CRect rcParent;
        ::GetClientRect(m_hChildParent, &rcParent);
        rcParent.top += m_nChildOffset;
        ::MoveWindow(m_hChild, rcParent.left, rcParent.top, rcParent.Width(), rcParent.Height(), TRUE);
    }
    const HWND hWnd = GetSafeHwnd();
    ::SendMessageW(GetNotifyWindow(), kCaptionPopupClosedMessage, 0, 0);
    if (::IsWindow(hWnd))
        Invalidate(TRUE);
    return 0;
}

LRESULT CTkCaption::OnPopupFocusLost(WPARAM, LPARAM) {
    if (m_button.GetSafeHwnd() != nullptr)
        m_button.SetState(FALSE);
    ClosePopupWindow();
    const HWND hWnd = GetSafeHwnd();
    ::SendMessageW(GetNotifyWindow(), kCaptionPopupFocusLostMessage, 0, 0);
    if (::IsWindow(hWnd))
        Invalidate(TRUE);
    return 0;
}
