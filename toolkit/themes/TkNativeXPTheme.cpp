// CTkNativeXPTheme: settings, the refresh, text colours and state faces.
#include "TkNativeXPTheme.h"

#include "TkNativeXPThemeParts.h"
#include "TkPaintManagerState.h"

using namespace NativeXPParts;

CTkNativeXPTheme::CTkNativeXPTheme() {
    m_bIconEffects[0] = TRUE;   // faded at rest
    m_bIconEffects[2] = FALSE;  // no shadow under hot icons
    m_nMenuTextColor = COLOR_MENUTEXT;
    m_bStatusVisualStyle = TRUE;
    m_bButtonVisualStyle = TRUE;
    m_bFullRowPopupHighlight = TRUE;
    m_bBoldCheckMarks = TRUE;
}

BOOL CTkNativeXPTheme::IsStyleActive() {
    return m_themeRebar.IsAppThemed() && m_themeToolbar.IsAppThemed();
}

void CTkNativeXPTheme::RefreshMetrics() {
    CTkDefaultTheme::RefreshMetrics();
    // Thread-relative: a paint manager refreshed off the UI thread opens its classes for no window.
    CWnd* pMainWnd = AfxGetMainWnd();
    const HWND hWnd = pMainWnd != nullptr ? pMainWnd->GetSafeHwnd() : nullptr;
    m_themeRebar.OpenTheme(hWnd, L"REBAR");
    m_themeToolbar.OpenTheme(hWnd, L"TOOLBAR");
    m_themeComboBox.OpenTheme(hWnd, L"COMBOBOX");
    m_themeWindow.OpenTheme(hWnd, L"WINDOW");
    m_themeSpin.OpenTheme(hWnd, L"SPIN");
    m_themeMenu.OpenTheme(hWnd, L"MENU");

    BOOL bFlatMenus = FALSE;
    m_bFlatMenus = ::SystemParametersInfoW(SPI_GETFLATMENU, 0, &bFlatMenus, 0) ? bFlatMenus : FALSE;
    m_clrBandShadow = LookupColor(COLOR_BTNSHADOW);
    m_clrBandHighlight = LookupColor(COLOR_BTNHIGHLIGHT);
    COLORREF clr = 0;
    if (IsStyleActive()) {
        if (SUCCEEDED(m_themeRebar.GetColor(kRebarBand, 0, kEdgeShadowProperty, &clr)))
            m_clrBandShadow = clr;
        if (SUCCEEDED(m_themeRebar.GetColor(kRebarBand, 0, kEdgeHighlightProperty, &clr)))
            m_clrBandHighlight = clr;
    }
    if (m_themeToolbar.IsAppThemed() &&
        SUCCEEDED(m_themeToolbar.GetColor(kToolbarBackground, 0, kTextColorProperty, &clr)))
        m_colors[COLOR_BTNTEXT].m_standardValue = clr;
    if (!m_bFlatMenus && m_themeRebar.IsAppThemed())
        m_bFlatMenus = m_themeRebar.GetSysBool(kFlatMenusSysBool);
    // Flat menus highlight in the highlight colour; an application's own entry 29 stays.
    if (m_bFlatMenus)
        m_colors[COLOR_MENUHILIGHT].m_standardValue = LookupColor(COLOR_HIGHLIGHT);
}

COLORREF CTkNativeXPTheme::GetStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
                                             int nBarType, int nBarPosition) {
    if (nBarType == kBarTypePopup && nBarPosition == kBarPopup && IsMenuStyleActive())
        return LookupColor(bEnabled ? m_nMenuTextColor : COLOR_GRAYTEXT);
    return CTkDefaultTheme::GetStateTextColor(bSelected, bPressed, bEnabled, bChecked, bPopuped, nBarType,
                                              nBarPosition);
}

void CTkNativeXPTheme::PaintStateRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                           BOOL bChecked, BOOL bPopuped, int nBarType, int nBarPosition) {
    if (!IsStyleActive()) {
        CTkDefaultTheme::PaintStateRectangle(pDC, rc, bSelected, bPressed, bEnabled, bChecked, bPopuped, nBarType,
                                             nBarPosition);
        return;
    }
    const HDC hDC = pDC->GetSafeHdc();
    if (nBarType == kBarTypePopup && !bChecked) {
        if (!bSelected && !bPressed)
            return;
        if (IsMenuStyleActive())
            m_themeMenu.DrawBackground(hDC, kMenuPopupItem, kMenuItemHot, &rc, nullptr);
        else
            PaintFramedRect(pDC, rc, COLOR_HIGHLIGHT, COLOR_MENUHILIGHT);
        return;
    }
    if (m_bFullRowPopupHighlight && nBarType == kBarTypePopup && nBarPosition == kBarPopup && IsMenuStyleActive()) {
        m_themeMenu.DrawBackground(hDC, kMenuPopupCheckBackground, bEnabled ? 2 : 1, &rc, nullptr);
        return;
    }
    m_themeToolbar.DrawBackground(hDC, kToolbarButton,
                                  ToolbarButtonState(bSelected, bPressed, bEnabled, bChecked, bPopuped), &rc, nullptr);
}

namespace {

// A popup control on a flat menu bar: the flat highlight instead of the toolbar button.
BOOL IsFlatMenuBarPopup(CTkPaintManager* pTheme, CTkControl* pControl) {
    CTkCommandBar* pBar = pControl->GetParent();
    return pBar != nullptr && pControl->GetType() == kControlPopup && pBar->GetType() == kBarTypeMenuBar &&
           pBar->GetPosition() != kBarPopup && pTheme->IsFlatBar(pBar);
}

BOOL IsHighlighted(CTkControl* pControl) {
    return pControl->GetSelected() || pControl->IsPopupOpen() || pControl->GetPressed();
}

}  // namespace

void CTkNativeXPTheme::PaintControlBackground(CDC* pDC, CTkControl* pControl) {
    if (!IsStyleActive() || !IsFlatMenuBarPopup(this, pControl)) {
        CTkDefaultTheme::PaintControlBackground(pDC, pControl);
        return;
    }
    if (IsHighlighted(pControl))
        pDC->FillSolidRect(&pControl->GetRect(), LookupColor(COLOR_HIGHLIGHT));
}

COLORREF CTkNativeXPTheme::GetControlTextColor(CTkControl* pControl) {
    if (IsStyleActive() && IsFlatMenuBarPopup(this, pControl) && IsHighlighted(pControl))
        return LookupColor(COLOR_HIGHLIGHTTEXT);
    return CTkDefaultTheme::GetControlTextColor(pControl);
}
