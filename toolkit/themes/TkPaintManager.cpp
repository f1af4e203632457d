// CTkPaintManager: lifetime, the colour table, the refresh of metrics, sizes, the small base operations
// and the shared drawing routines.
#include "TkPaintManager.h"

#include "TkColorManager.h"
#include "TkCommandBar.h"
#include "TkDCWrappers.h"
#include "TkImageManager.h"
#include "TkPaintRoutines.h"
#include "TkShadowManager.h"

namespace {

// The text colour of the "STATUS" visual style (TMT_TEXTCOLOR of part 1, state 0).
constexpr int kStatusTextPart = 1;
constexpr int kTextColorProperty = 3803;

SubPaintManagerCreator s_subPaintManagerCreators[kSubPaintKindCount] = {};

CTkSubPaintManager* MakeSubPaintManager(SubPaintManagerKind nKind, CTkPaintManager* pOwner) {
    SubPaintManagerCreator pfnCreate = s_subPaintManagerCreators[nKind];
    return pfnCreate != nullptr ? pfnCreate(pOwner) : nullptr;
}

}  // namespace

void CTkPaintManager::RegisterSubPaintManagerCreator(SubPaintManagerKind nKind, SubPaintManagerCreator pfnCreate) {
    if (nKind >= 0 && nKind < kSubPaintKindCount)
        s_subPaintManagerCreators[nKind] = pfnCreate;
}

// Nothing is refreshed here: the first RefreshMetrics (at installation) fills colours, fonts and metrics.
CTkPaintManager::CTkPaintManager() {
    // Generated icon images (faded, shadow, disabled) are rebuilt in the new look's colours.
    GetImageManager()->RefreshAll();
    m_pGalleryPaintManager = MakeSubPaintManager(kSubPaintGallery, this);
    m_pSliderPaintManager = MakeSubPaintManager(kSubPaintSlider, this);
    m_pProgressPaintManager = MakeSubPaintManager(kSubPaintProgress, this);
    if (HMODULE hUser32 = ::GetModuleHandleW(L"USER32")) {
        m_pfnSetLayeredWindowAttributes = reinterpret_cast<decltype(m_pfnSetLayeredWindowAttributes)>(
            reinterpret_cast<void*>(::GetProcAddress(hUser32, "SetLayeredWindowAttributes")));
    }
    m_pShadowManager = new CTkShadowManager;
}

CTkPaintManager::~CTkPaintManager() {
    delete m_pGalleryPaintManager;
    delete m_pSliderPaintManager;
    delete m_pProgressPaintManager;
    // Shadows still on screen hold their own references.
    m_pShadowManager->InternalRelease();
}

// ---- Colours

COLORREF CTkPaintManager::LookupColor(int nIndex) const {
    if (nIndex < 0 || nIndex >= kColorCount)
        return static_cast<COLORREF>(nIndex);
    return m_colors[nIndex].GetEffective();
}

void CTkPaintManager::SetStandardColors(int nCount, const int* pIndexes, const COLORREF* pColors) {
    for (int i = 0; i < nCount; ++i) {
        if (pIndexes[i] >= 0 && pIndexes[i] < kColorCount)
            m_colors[pIndexes[i]].m_standardValue = pColors[i];
    }
}

// Only standard values change: colours an application set stay.
void CTkPaintManager::RefreshColors() {
    RefreshColorManager();
    CTkColorManager* pColorManager = GetColorManager();
    for (int i = 0; i < kColorCount; ++i)
        m_colors[i].m_standardValue = pColorManager->GetColor(static_cast<UINT>(i));
}

int CTkPaintManager::GetColorSchemeIndex() const {
    CTkColorManager* pColorManager = GetColorManager();
    if (m_nColorScheme == 6)
        return pColorManager->GetDetectedSystemTheme();
    if (m_nColorScheme == 7)
        return pColorManager->IsSystemThemeIgnored() ? 0 : pColorManager->GetCurrentSystemTheme();
    return m_nColorScheme;
}

// ---- Refresh

void CTkPaintManager::RefreshMetrics() {
    RefreshFonts();
    RefreshColors();
    m_pShadowManager->Refresh();
    m_clrStatusText = LookupColor(COLOR_BTNTEXT);
    m_clrInfoText = LookupColor(COLOR_INFOTEXT);
    m_clrFloatingCaption.m_standardValue = LookupColor(COLOR_BTNSHADOW);
    m_clrFloatingCaptionText.m_standardValue = LookupColor(COLOR_BTNHIGHLIGHT);
    m_grcDisabledIcon.SetStandardColors(LookupColor(COLOR_BTNFACE), LookupColor(COLOR_BTNSHADOW), 0.5f);
    m_themeStatusBar.CloseTheme();
    if (m_bStatusVisualStyle) {
        m_themeStatusBar.OpenTheme(nullptr, L"STATUS");
        COLORREF clrText = 0;
        if (m_themeStatusBar.IsAppThemed() &&
            SUCCEEDED(m_themeStatusBar.GetColor(kStatusTextPart, 0, kTextColorProperty, &clrText)))
            m_clrStatusText = clrText;
    }
    m_themeButton.CloseTheme();
    if (m_bButtonVisualStyle)
        m_themeButton.OpenTheme(nullptr, L"BUTTON");
    for (CTkSubPaintManager* pSubPaintManager :
         {m_pGalleryPaintManager, m_pSliderPaintManager, m_pProgressPaintManager}) {
        if (pSubPaintManager != nullptr)
            pSubPaintManager->RefreshMetrics();
    }
}

// ---- Sizes

CSize CTkPaintManager::GetIconSize(BOOL bLarge) const {
    if (!m_bAutoResizeIcons)
        return bLarge ? CSize(32, 32) : CSize(16, 16);
    const int c = GetControlHeight();
    const int n = std::max(bLarge ? (2 * c - 8) / 8 : (c - 4) / 8, 2) * 8;
    return CSize(n, n);
}

// ---- Small base operations

COLORREF CTkPaintManager::GetEditBackColor(CTkControl* pEdit) {
    return LookupColor(pEdit->GetEnabled() ? COLOR_WINDOW : COLOR_BTNFACE);
}

CRect CTkPaintManager::GetBarBorders(CTkCommandBar*) {
    return CRect(2, 2, 2, 2);
}

BOOL CTkPaintManager::IsFlatBar(CTkCommandBar* pBar) {
    return pBar->GetType() == kBarTypeMenuBar ? m_bFlatMenuBar : m_bFlatToolBar;
}

// The dock bar is painted over what its DC lets through (its client area).
void CTkPaintManager::FillDockBarBackground(CDC* pDC, CTkDockBar*) {
    CRect rc;
    pDC->GetClipBox(&rc);
    pDC->FillSolidRect(&rc, LookupColor(COLOR_BTNFACE));
}

void CTkPaintManager::FillWorkspace(CDC* pDC, CRect rc) {
    pDC->FillSolidRect(&rc, LookupColor(COLOR_APPWORKSPACE));
}

void CTkPaintManager::OnPopupBarShowing(CTkPopupBar*) {}

void CTkPaintManager::FillPopupIconBand(CDC*, int, int, int, int, BOOL) {}

void CTkPaintManager::AdjustRightToLeftCaption(CString&) {}

// ---- Shared drawing routines

void CTkPaintManager::ExcludeRectCorners(CDC* pDC, const CRect& rc) {
    ::ExcludeRectCorners(pDC, rc);
}

void CTkPaintManager::FillTriangle(CDC* pDC, CPoint pt1, CPoint pt2, CPoint pt3, COLORREF clr) const {
    ::FillTriangle(pDC, pt1, pt2, pt3, LookupColor(static_cast<int>(clr)));
}

void CTkPaintManager::PaintFramedRect(CDC* pDC, const CRect& rc, COLORREF clrFrame, COLORREF clrFill) const {
    if (clrFill != kColorUnset)
        pDC->FillSolidRect(&rc, LookupColor(static_cast<int>(clrFill)));
    if (clrFrame != kColorUnset && clrFrame != clrFill) {
        const COLORREF clr = LookupColor(static_cast<int>(clrFrame));
        pDC->Draw3dRect(&rc, clr, clr);
    }
}

void CTkPaintManager::Paint3dFrame(CDC* pDC, const CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight) const {
    pDC->Draw3dRect(&rc, LookupColor(static_cast<int>(clrTopLeft)), LookupColor(static_cast<int>(clrBottomRight)));
}

void CTkPaintManager::PaintHorizontalLine(CDC* pDC, int x1, int y, int x2, COLORREF clr) const {
    pDC->FillSolidRect(x1, y, x2 - x1, 1, LookupColor(static_cast<int>(clr)));
}

void CTkPaintManager::PaintVerticalLine(CDC* pDC, int x, int y1, int y2, COLORREF clr) const {
    pDC->FillSolidRect(x, y1, 1, y2 - y1, LookupColor(static_cast<int>(clr)));
}

void CTkPaintManager::PaintLine(CDC* pDC, int x1, int y1, int x2, int y2) {
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

void CTkPaintManager::PaintColoredLine(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF clr) const {
    CTkPenDC pen(pDC->GetSafeHdc(), LookupColor(static_cast<int>(clr)));
    PaintLine(pDC, x1, y1, x2, y2);
}

void CTkPaintManager::PaintSmoothCircle(CDC* pDC, const CRect& rc, COLORREF clrEdge, COLORREF clrFill) const {
    ::PaintSmoothCircle(pDC, rc, LookupColor(static_cast<int>(clrEdge)), LookupColor(static_cast<int>(clrFill)));
}
