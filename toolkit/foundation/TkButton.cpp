#include "TkButton.h"

#include "TkBitmapHandle.h"
#include "TkButtonThemeFactory.h"
#include "TkButtonThemeOfficeXP.h"
#include "TkColorManager.h"
#include "TkDCWrappers.h"
#include "TkImageLoading.h"
#include "TkImageManagerIcon.h"
#include "TkTextFunctions.h"
#include "WndMsgMap.h"

IMPLEMENT_DYNAMIC(CTkButton, CButton)

BEGIN_MESSAGE_MAP(CTkButton, CButton)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(BM_SETSTATE, OnSetState)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    // The system changes how the button looks on these: it is repainted after their default handling.
    ON_MESSAGE(WM_SETFOCUS, OnDefaultThenRepaint)
    ON_MESSAGE(WM_KILLFOCUS, OnDefaultThenRepaint)
    ON_MESSAGE(BM_SETSTYLE, OnDefaultThenRepaint)
    ON_MESSAGE(BM_SETCHECK, OnDefaultThenRepaint)
    ON_MESSAGE(WM_CAPTURECHANGED, OnDefaultThenRepaint)
    ON_MESSAGE(WM_UPDATEUISTATE, OnDefaultThenRepaint)
    ON_WM_ENABLE()
    ON_WM_GETDLGCODE()
    ON_WM_CREATE()
END_MESSAGE_MAP()

CTkButton::CTkButton(CRuntimeClass* pFactoryClass)
    : CTkThemeManagerStyleHost(pFactoryClass != nullptr ? pFactoryClass : RUNTIME_CLASS(CTkButtonThemeFactory)) {}

CTkButton::~CTkButton() {
    if (m_pImage != nullptr) {
        m_pImage->ClearGeneratedImages();
        m_pImage->InternalRelease();
    }
}

CTkButtonTheme* CTkButton::GetButtonTheme() const {
    return dynamic_cast<CTkButtonTheme*>(GetThemeStyle());
}

void CTkButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (CTkButtonTheme* pTheme = GetButtonTheme())
        pTheme->DrawItem(lpDrawItemStruct, this);
}

// ---- Image

BOOL CTkButton::SetIcon(CSize size, const IconStateImage& normal, const IconStateImage& hot, BOOL bRedraw) {
    if (size.cx == 0 && size.cy == 0)
        size = normal.GetSize();
    // The button's own icon: no image manager, so its images are never packed into shared strips.
    auto* pImage = new CTkImageManagerIcon(0, size.cx, size.cy, nullptr);
    pImage->SetNormalImage(normal);
    if (!hot.IsEmpty())
        pImage->SetHotImage(hot);
    ReplaceImage(pImage, size, bRedraw);
    return TRUE;
}

BOOL CTkButton::SetIcon(CSize size, UINT nNormalId, UINT nHotId, BOOL bRedraw) {
    IconStateImage normal;
    IconStateImage hot;
    if (!normal.LoadIconFromResourceModule(MAKEINTRESOURCEW(nNormalId), size.cx, size.cy, TRUE))
        return FALSE;
    if (nHotId != 0 && !hot.LoadIconFromResourceModule(MAKEINTRESOURCEW(nHotId), size.cx, size.cy, TRUE))
        return FALSE;
    return SetIcon(size, normal, hot, bRedraw);
}

BOOL CTkButton::SetIcon(CSize size, HICON hNormal, HICON hHot, BOOL bRedraw) {
    IconStateImage normal;
    IconStateImage hot;
    normal.WrapIcon(hNormal, TRUE);
    if (hHot != nullptr)
        hot.WrapIcon(hHot, TRUE);
    return SetIcon(size, normal, hot, bRedraw);
}

BOOL CTkButton::SetBitmap(CSize size, UINT nBitmapId, BOOL bRedraw) {
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = LoadBitmapFromResourceModule(MAKEINTRESOURCEW(nBitmapId), &bAlpha);
    if (hBitmap == nullptr)
        return FALSE;
    IconStateImage image;
    if (bAlpha) {
        image.AttachBitmap(hBitmap);
    } else {
        HICON hIcon = CTkBitmapHandle(hBitmap).CreateIconFromBitmap();
        ::DeleteObject(hBitmap);
        if (hIcon == nullptr)
            return FALSE;
        image.AttachIcon(hIcon);
    }
    return SetIcon(size, image, IconStateImage(), bRedraw);
}

void CTkButton::ReplaceImage(CTkImageManagerIcon* pImage, CSize size, BOOL bRedraw) {
    if (m_pImage != nullptr)
        m_pImage->InternalRelease();
    m_pImage = pImage;
    m_sizeImage = size;
    if (bRedraw && m_hWnd != nullptr)
        Invalidate(TRUE);
}

void CTkButton::SetImagePositions(POINT ptImage, POINT ptText, BOOL bRedraw) {
    m_ptCustomImage = ptImage;
    m_ptCustomText = ptText;
    m_bCustomPositions = TRUE;
    if (bRedraw && m_hWnd != nullptr)
        Invalidate(TRUE);
}

void CTkButton::ToggleImages() {
    if (CTkButtonTheme* pTheme = GetButtonTheme()) {
        pTheme->SetShowImages(!pTheme->GetShowImages());
        if (m_hWnd != nullptr)
            Invalidate(TRUE);
    }
}

void CTkButton::ClearImageCache() {
    if (m_pImage != nullptr)
        m_pImage->ClearGeneratedImages();
}

// ---- Style and colours

DWORD CTkButton::SetXButtonStyle(DWORD dwStyle, BOOL bRedraw) {
    const DWORD dwOld = m_dwButtonStyle;
    m_dwButtonStyle = dwStyle;
    if (dwStyle & kButtonOfficeXP) {
        auto* pStyle = new CTkButtonThemeOfficeXP(FALSE);
        // Numbered as the Office XP theme, so that SetOfficeXPColors reaches it.
        pStyle->SetTheme(1);
        SetCustomStyle(pStyle);
    } else if (dwStyle & kButtonFlat) {
        SetCustomStyle(new CTkButtonTheme);
    }
    if (m_hWnd != nullptr && bRedraw)
        Invalidate(TRUE);
    return dwOld;
}

void CTkButton::SetColors(COLORREF clrFace, COLORREF clrHilite, COLORREF clrShadow, COLORREF clrText) {
    if (CTkButtonTheme* pTheme = GetButtonTheme())
        pTheme->SetColors(clrFace, clrHilite, clrShadow, clrText);
}

void CTkButton::SetFaceColor(COLORREF clrFace) {
    if (CTkButtonTheme* pTheme = GetButtonTheme())
        pTheme->SetFaceColor(clrFace);
}

COLORREF CTkButton::GetFaceColor() const {
    if (CTkButtonTheme* pTheme = GetButtonTheme())
        return pTheme->GetFaceColor();
    return GetColorManager()->GetColor(COLOR_BTNFACE);
}

void CTkButton::SetHiliteColor(COLORREF clrHilite) {
    if (CTkButtonTheme* pTheme = GetButtonTheme())
        pTheme->SetHiliteColor(clrHilite);
}

void CTkButton::SetShadowColor(COLORREF clrShadow) {
    if (CTkButtonTheme* pTheme = GetButtonTheme())
        pTheme->SetShadowColor(clrShadow);
}

void CTkButton::SetTextColor(COLORREF clrText) {
    if (CTkButtonTheme* pTheme = GetButtonTheme())
        pTheme->SetTextColor(clrText);
}

void CTkButton::SetOfficeXPColors(COLORREF clrBorder, COLORREF clrHotFace, COLORREF clrPressedFace) {
    CTkButtonTheme* pTheme = GetButtonTheme();
    auto* pOfficeXP = dynamic_cast<CTkButtonThemeOfficeXP*>(pTheme);
    if (pOfficeXP == nullptr || pTheme->GetTheme() != 1)
        return;
    pOfficeXP->SetHiliteColor(clrBorder);
    pOfficeXP->SetShadowColor(clrBorder);
    pOfficeXP->SetHotFaceColor(clrHotFace);
    pOfficeXP->SetPressedFaceColor(clrPressedFace);
}

CFont* CTkButton::SetFontEx(CFont* pFont) {
    CFont* pOld = GetFont();
    SetFont(pFont, TRUE);
    return pOld;
}

// ---- Owner draw, text, painting

void CTkButton::CheckOwnerDraw() {
    m_bOwnerDrawn = m_hWnd != nullptr && (GetStyle() & BS_TYPEMASK) == BS_OWNERDRAW;
    if (m_hWnd != nullptr)
        Invalidate();
}

CString CTkButton::GetButtonText(BOOL bStripMnemonics) const {
    CString strText;
    if (m_hWnd != nullptr)
        GetWindowText(strText);
    if (bStripMnemonics)
        RemoveMnemonicMarkers(strText);
    return strText;
}

void CTkButton::DrawButton(CDC* pDC) {
    UINT nState = 0;
    if (::GetFocus() == m_hWnd)
        nState |= ODS_FOCUS;
    if (m_bPressed)
        nState |= ODS_SELECTED;
    const LRESULT uiState = SendMessage(WM_QUERYUISTATE);
    if (uiState & UISF_HIDEACCEL)
        nState |= ODS_NOACCEL;
    if (uiState & UISF_HIDEFOCUS)
        nState |= ODS_NOFOCUSRECT;
    if (!IsWindowEnabled())
        nState |= ODS_DISABLED;
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = nState;
    dis.hwndItem = m_hWnd;
    dis.hDC = pDC->GetSafeHdc();
    GetClientRect(&dis.rcItem);
    DrawItem(&dis);
}

// ---- Messages

LRESULT CTkButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // New system colours or metrics reach the style before the button handles the change.
    if (message == WM_SETTINGCHANGE || message == WM_SYSCOLORCHANGE) {
        if (CTkThemeManagerStyle* pStyle = GetThemeStyle())
            pStyle->Refresh();
        if (m_hWnd != nullptr)
            Invalidate(FALSE);
    }
    return CButton::WindowProc(message, wParam, lParam);
}

BOOL CTkButton::PreCreateWindow(CREATESTRUCT& cs) {
    // Made here rather than subclassed: WM_CREATE checks the owner-draw type, not PreSubclassWindow,
    // which the layer also runs while the window is being made.
    m_bSubclassed = FALSE;
    return CButton::PreCreateWindow(cs);
}

void CTkButton::PreSubclassWindow() {
    CButton::PreSubclassWindow();
    if (m_bSubclassed)
        CheckOwnerDraw();
}

int CTkButton::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    const int nResult = CButton::OnCreate(lpCreateStruct);
    if (nResult != -1)
        CheckOwnerDraw();
    return nResult;
}

void CTkButton::OnPaint() {
    CPaintDC dc(this);
    CTkBufferDC memDC(dc);
    DrawButton(&memDC);
}

LRESULT CTkButton::OnPrintClient(WPARAM wParam, LPARAM lParam) {
    if (!(lParam & PRF_CLIENT))
        return Default();
    DrawButton(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return TRUE;
}

void CTkButton::UpdateHot(CPoint point) {
    CRect rcClient;
    GetClientRect(&rcClient);
    const BOOL bHot = rcClient.PtInRect(point);
    if (bHot == m_bHot)
        return;
    m_bHot = bHot;
    Invalidate(FALSE);
    if (bHot) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&tme);
    }
}

void CTkButton::OnMouseMove(UINT, CPoint point) {
    Default();
    if ((GetStyle() & BS_TYPEMASK) != BS_GROUPBOX)
        UpdateHot(point);
}

LRESULT CTkButton::OnMouseLeave(WPARAM, LPARAM) {
    const LRESULT lResult = Default();
    if ((GetStyle() & BS_TYPEMASK) != BS_GROUPBOX)
        UpdateHot(CPoint(-1, -1));
    return lResult;
}

LRESULT CTkButton::DefaultHidden() {
    if (!(GetStyle() & WS_VISIBLE))
        return Default();
    ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(GetStyle() & ~WS_VISIBLE));
    const LRESULT lResult = Default();
    ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(GetStyle() | WS_VISIBLE));
    return lResult;
}

LRESULT CTkButton::OnSetState(WPARAM wParam, LPARAM) {
    const LRESULT lResult = DefaultHidden();
    m_bPressed = wParam != 0;
    Invalidate(FALSE);
    return lResult;
}

LRESULT CTkButton::OnSetText(WPARAM, LPARAM) {
    const LRESULT lResult = DefaultHidden();
    Invalidate();
    return lResult;
}

LRESULT CTkButton::OnDefaultThenRepaint(WPARAM, LPARAM) {
    const LRESULT lResult = Default();
    Invalidate(FALSE);
    return lResult;
}

UINT CTkButton::OnGetDlgCode() {
    if (!m_bOwnerDrawn)
        return static_cast<UINT>(Default());
    return ::GetFocus() == m_hWnd ? DLGC_BUTTON | DLGC_DEFPUSHBUTTON : DLGC_BUTTON;
}
