#include "TkCaptionPopupWnd.h"

#include "TkColorManager.h"
#include "TkResourceManager.h"

namespace {

constexpr LPCWSTR kPopupClassName = L"XTCaptionPopupWnd";
// The toolkit's title text; of the close glyphs, image 0 is the normal glyph and 1 the hot one.
constexpr UINT kTitleString = 9347;

constexpr UINT kTitleCaptionId = 0xFFFF;
constexpr UINT kCloseButtonId = 100;
constexpr DWORD kTitleCaptionStyle = WS_VISIBLE | SS_CENTERIMAGE | SS_CENTER;
constexpr DWORD kCloseButtonStyle = WS_VISIBLE | BS_MULTILINE | BS_RIGHT | BS_ICON | BS_OWNERDRAW;

constexpr UINT_PTR kFocusTimer = 1;
constexpr UINT kFocusCheckMs = 10;
constexpr int kMargin = 2;
constexpr int kTitleHeight = 19;

}  // namespace

BEGIN_MESSAGE_MAP(CTkCaptionPopupWnd, CWnd)
    ON_WM_DESTROY()
    ON_BN_CLICKED(kCloseButtonId, OnCloseButton)
    ON_WM_PAINT()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CTkCaptionPopupWnd::CTkCaptionPopupWnd() {
    WNDCLASSW wc{};
    const HINSTANCE hInstance = AfxGetInstanceHandle();
    if (::GetClassInfoW(hInstance, kPopupClassName, &wc))
        return;
    wc.style = CS_VREDRAW | CS_HREDRAW;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = ::GetSysColorBrush(COLOR_3DFACE);
    wc.lpszClassName = kPopupClassName;
    if (!AfxRegisterClass(&wc))
        AfxThrowResourceException();
}

CTkCaptionPopupWnd::~CTkCaptionPopupWnd() {
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CTkCaptionPopupWnd::Create(const RECT& rect, CTkCaption* pOwnerCaption, CWnd* pChild) {
    if (pOwnerCaption == nullptr || !::IsWindow(pOwnerCaption->GetSafeHwnd()) || pChild == nullptr ||
        !::IsWindow(pChild->GetSafeHwnd()))
        return FALSE;
    if (!CreateEx(WS_EX_TOOLWINDOW, kPopupClassName, nullptr, WS_POPUP | WS_VISIBLE | WS_DLGFRAME, rect, pOwnerCaption,
                  0))
        return FALSE;
    m_pOwnerCaption = pOwnerCaption;
    m_hChild = pChild->GetSafeHwnd();
    m_hChildPrevParent = ::GetParent(m_hChild);
    ::SetParent(m_hChild, GetSafeHwnd());

    // Without the toolkit's string the title stays blank.
    CString strTitle;
    GetResourceManager()->LoadString(strTitle, kTitleString);
    if (!m_titleCaption.CreateCaption(this, strTitle, kCaptionRaisedEdge, kTitleCaptionStyle, CRect(0, 0, 0, 0),
                                      kTitleCaptionId))
        return FALSE;
    m_titleCaption.m_bTextButton = FALSE;

    if (!m_closeButton.Create(nullptr, kCloseButtonStyle, CRect(0, 0, 0, 0), this, kCloseButtonId))
        return FALSE;
    m_closeButton.SetOwnerCaption(&m_titleCaption);
    // Without the toolkit's bitmap the button stays without glyphs.
    CImageList glyphs;
    CBitmap bitmap;
    if (glyphs.Create(kCloseGlyphWidth, kCloseGlyphHeight, ILC_MASK | ILC_COLOR8, 0, 1) &&
        GetResourceManager()->LoadBitmap(&bitmap, kCloseGlyphsBitmap) && glyphs.Add(&bitmap, kCloseGlyphMask) >= 0) {
        m_normalGlyph = glyphs.ExtractIcon(0);
        m_hotGlyph = glyphs.ExtractIcon(1);
        m_closeButton.SetIcon(CSize(kCloseGlyphWidth, kCloseGlyphHeight), m_normalGlyph, m_hotGlyph, FALSE);
    }
    SetTimer(kFocusTimer, kFocusCheckMs, nullptr);
    return TRUE;
}

void CTkCaptionPopupWnd::RecalcLayout() {
    CRect rect;
    GetClientRect(&rect);
    rect.DeflateRect(kMargin, kMargin);
    const CRect rcTitle(rect.left, rect.top, rect.right, rect.top + kTitleHeight);
    ::MoveWindow(m_hChild, rect.left, rcTitle.bottom, rect.Width(), rect.bottom - rcTitle.bottom, TRUE);
    m_titleCaption.MoveWindow(rcTitle);
    CRect rcButton = rcTitle;
    rcButton.DeflateRect(kMargin, kMargin);
    rcButton.left = rcButton.right - kCloseGlyphWidth;
    m_closeButton.MoveWindow(rcButton);
}

BOOL CTkCaptionPopupWnd::RestoreChild() {
    if (!::IsWindow(m_hChild) || !::IsWindow(m_hChildPrevParent))
        return FALSE;
    ::SetParent(m_hChild, m_hChildPrevParent);
    return TRUE;
}

int CTkCaptionPopupWnd::CheckFocus() {
    // The child's own controls are part of it: a click into them must not close the popup.
    const HWND hFocus = ::GetFocus();
    if (hFocus != nullptr && (hFocus == GetSafeHwnd() || ::IsChild(GetSafeHwnd(), hFocus)))
        return 0;
    if (m_pOwnerCaption != nullptr && ::IsWindow(m_pOwnerCaption->GetSafeHwnd()))
        m_pOwnerCaption->SendMessage(kCaptionPopupFocusLostMessage);
    return 1;
}

void CTkCaptionPopupWnd::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kFocusTimer)
        CheckFocus();
    else
        Default();
}

void CTkCaptionPopupWnd::OnCloseButton() {
    if (m_pOwnerCaption != nullptr && ::IsWindow(m_pOwnerCaption->GetSafeHwnd()))
        m_pOwnerCaption->SendMessage(kCaptionPopupClosedMessage);
}

void CTkCaptionPopupWnd::OnPaint() {
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    rect.DeflateRect(1, 1);
    dc.Draw3dRect(&rect, GetColorManager()->GetColor(COLOR_3DSHADOW), GetColorManager()->GetColor(COLOR_3DHIGHLIGHT));
    m_titleCaption.Invalidate(TRUE);
}

void CTkCaptionPopupWnd::OnDestroy() {
    RestoreChild();
    CWnd::OnDestroy();
}
