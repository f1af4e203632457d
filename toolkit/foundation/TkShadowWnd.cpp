#include "TkShadowWnd.h"

#include "TkColorManager.h"

#include <algorithm>

namespace {

constexpr UINT kShadowClassStyle = CS_SAVEBITS | CS_OWNDC;
constexpr int kLayeredWidth = 4;  // a soft strip fading over 4 pixels
constexpr int kSolidWidth = 2;    // one solid colour without layered windows
constexpr int kFullStrength = 20;

// The strength 0..kFullStrength of a strip pixel: nDepth pixels away from the owner's edge and nAlong
// pixels from the nearer end of the strip that fades in.
int StripStrength(int nDepth, int nAlong) {
    if (nDepth >= kLayeredWidth)
        return 0;
    const int nEnd = nAlong >= kLayeredWidth ? kLayeredWidth + 1 : nAlong + 1;
    return nEnd * (kLayeredWidth - nDepth);
}

int PixelStrength(int nType, SIZE size, int x, int y) {
    switch (nType) {
        case kShadowBottom:
            return StripStrength(y, std::min<int>(x, size.cx - 1 - x));
        case kShadowRight:
            return StripStrength(x, y);
        default:
            return kFullStrength;
    }
}

}  // namespace

std::vector<DWORD> MakeLayeredShadowPixels(int nType, SIZE size, BOOL bLighter, COLORREF clrShadow) {
    const int nAlphaStep = bLighter ? 3 : 6;  // full strength: alpha 60, or 120
    std::vector<DWORD> pixels(static_cast<size_t>(std::max<LONG>(size.cx, 0)) * std::max<LONG>(size.cy, 0));
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            const DWORD k = PixelStrength(nType, size, x, y);
            pixels[static_cast<size_t>(y) * size.cx + x] =
                (k * nAlphaStep) << 24 | (GetRValue(clrShadow) * k / kFullStrength) << 16 |
                (GetGValue(clrShadow) * k / kFullStrength) << 8 | GetBValue(clrShadow) * k / kFullStrength;
        }
    }
    return pixels;
}

BEGIN_MESSAGE_MAP(CTkShadowManager::CShadowWnd, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_SIZE()
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CTkShadowManager::CShadowWnd::CShadowWnd(CTkShadowManager* pManager, HWND hWndOwner, BOOL bControlShadow)
    : m_hWndOwner(hWndOwner), m_bControlShadow(bControlShadow), m_pManager(pManager) {
    m_pManager->InternalAddRef();
}

CTkShadowManager::CShadowWnd::~CShadowWnd() {
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
    m_pManager->InternalRelease();
}

BOOL CTkShadowManager::CShadowWnd::Create(int nType, const RECT& rcOwner) {
    m_nType = nType;
    if (GetSafeHwnd() == nullptr) {
        m_bLayered = m_pManager->IsLayeredUsable();
        const DWORD dwExStyle = WS_EX_TOOLWINDOW | (m_bLayered ? WS_EX_LAYERED : 0);
        LPCTSTR pszClass = AfxRegisterWndClass(kShadowClassStyle, ::LoadCursorW(nullptr, IDC_ARROW));
        HWND hWndParent = m_hWndOwner != nullptr ? ::GetParent(m_hWndOwner) : nullptr;
        if (pszClass == nullptr || !CreateEx(dwExStyle, pszClass, L"", WS_POPUP, 0, 0, 0, 0, hWndParent, nullptr))
            return FALSE;
    }
    RemoveRegion();
    const int w = m_bLayered ? kLayeredWidth : kSolidWidth;
    CRect rect;
    switch (nType) {
        case kShadowRight:
            rect.SetRect(rcOwner.right, rcOwner.top + w, rcOwner.right + w, rcOwner.bottom);
            break;
        case kShadowBottom:
            rect.SetRect(rcOwner.left + w, rcOwner.bottom, rcOwner.right + w, rcOwner.bottom + w);
            break;
        default:
            rect.SetRect(rcOwner.right - 1, rcOwner.bottom - 1, rcOwner.right, rcOwner.bottom);
            break;
    }
    MoveWindow(&rect, FALSE);
    return TRUE;
}

void CTkShadowManager::CShadowWnd::ExcludeRect(const RECT& rcScreen) {
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CRect rcCut;
    if (!rcCut.IntersectRect(&rcWindow, &rcScreen))
        return;
    rcCut.OffsetRect(-rcWindow.left, -rcWindow.top);
    // Cuts add up: a shadow may lie under the exclude rectangle and under other popups at once.
    CRgn region;
    CRect rcClient;
    GetClientRect(&rcClient);
    region.CreateRectRgnIndirect(&rcClient);
    if (m_bRegionApplied)
        GetWindowRgn(region);
    CRgn cut;
    cut.CreateRectRgnIndirect(&rcCut);
    region.CombineRgn(&region, &cut, RGN_DIFF);
    if (SetWindowRgn(static_cast<HRGN>(region.GetSafeHandle()), TRUE) != 0) {
        region.Detach();  // the window owns it now
        m_bRegionApplied = TRUE;
    }
}

void CTkShadowManager::CShadowWnd::RemoveRegion() {
    SetWindowRgn(nullptr, FALSE);
    m_bRegionApplied = FALSE;
}

int CTkShadowManager::CShadowWnd::OnHookMessage(HWND, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT&) {
    switch (nMessage) {
        case WM_SHOWWINDOW:
            if (GetSafeHwnd() != nullptr)
                ShowWindow(wParam != 0 ? SW_SHOWNA : SW_HIDE);
            break;
        case WM_DESTROY:
            // The hook manager tolerates a watcher leaving inside the dispatch; this object is gone after
            // the call, so nothing of it is touched again.
            GetHookManager()->RemoveHook(m_hWndOwner, this);
            m_pManager->DestroyShadow(this);
            break;
        default:
            break;
    }
    return kHookNotHandled;
}

BOOL CTkShadowManager::CShadowWnd::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CTkShadowManager::CShadowWnd::OnPaint() {
    CPaintDC dc(this);
    AfxPaintBuffered(this, dc, [this](CDC* pDC, const CRect& rcClient) { Draw(pDC, rcClient); });
}

LRESULT CTkShadowManager::CShadowWnd::OnPrintClient(WPARAM wParam, LPARAM) {
    AfxPaintBuffered(this, reinterpret_cast<HDC>(wParam),
                     [this](CDC* pDC, const CRect& rcClient) { Draw(pDC, rcClient); });
    return 0;
}

void CTkShadowManager::CShadowWnd::Draw(CDC* pDC, const CRect& rcClient) const {
    pDC->FillSolidRect(&rcClient, m_bLayered ? RGB(0, 0, 0) : GetColorManager()->GetColor(COLOR_3DSHADOW));
}

void CTkShadowManager::CShadowWnd::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    if (cx > 0 && cy > 0 && m_bLayered && m_pManager->m_pfnUpdateLayeredWindow != nullptr && m_hWndOwner != nullptr)
        UpdateLayeredImage(CSize(cx, cy));
}

LRESULT CTkShadowManager::CShadowWnd::OnNcHitTest(CPoint) {
    return HTTRANSPARENT;
}

void CTkShadowManager::CShadowWnd::UpdateLayeredImage(CSize size) {
    CScopedMemDC dc(size.cx, size.cy);
    if (!dc.IsValid())
        return;
    const std::vector<DWORD> pixels = MakeLayeredShadowPixels(
        m_nType, size, (m_pManager->GetOptions() & kShadowAlways) != 0, m_pManager->GetShadowColor());
    std::copy(pixels.begin(), pixels.end(), dc.GetBits());
    POINT ptSource = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    m_pManager->m_pfnUpdateLayeredWindow(m_hWnd, nullptr, nullptr, &size, dc.GetSafeHdc(), &ptSource, 0, &blend,
                                         ULW_ALPHA);
}
