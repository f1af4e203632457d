#pragma once
#include "TkDefaultTheme.h"

// CTkNativeXPTheme: theme 3, the command bars drawn with the system's own visual styles, so toolbars,
// rebars, menus, combo boxes and spin buttons look like the native controls. Styles count as active when
// both the "REBAR" and the "TOOLBAR" classes are themed; the "MENU" class is tested on its own, because
// only some styles draw menus. Whatever a style cannot draw falls back to the default theme's operation,
// so with styles off (classic look, styles switched off, no visual-styles library) the theme draws
// exactly as the default one with this theme's settings. Every style call fails soft.
class CTkNativeXPTheme : public CTkDefaultTheme {
public:
    CTkNativeXPTheme();
    // The theme factory's creator of theme 3 (one reference, the caller's).
    static CTkPaintManager* Create() { return new CTkNativeXPTheme; }

    void PaintSplitButton(CDC* pDC, CTkControl* pControl, const CRect& rc) override;
    void FillBarBackground(CDC* pDC, CTkCommandBar* pBar) override;
    void PaintControlBackground(CDC* pDC, CTkControl* pControl) override;
    COLORREF GetControlTextColor(CTkControl* pControl) override;
    COLORREF GetStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped, int nBarType,
                               int nBarPosition) override;
    void PaintStateRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                             BOOL bPopuped, int nBarType, int nBarPosition) override;
    CSize PaintBarGripper(CDC* pDC, CTkCommandBar* pBar, BOOL bDraw) override;
    CSize PaintControlSeparator(CDC* pDC, CTkCommandBar* pBar, CTkControl* pControl, BOOL bDraw) override;
    void AdjustControlRect(CRect& rc, CTkControl* pControl, BOOL bVertical) override;
    void FillDockBarBackground(CDC* pDC, CTkDockBar* pDockBar) override;
    // The default theme's, then the six classes reopened for the main window and the colours and the
    // flat-menu setting read from the system and the styles.
    void RefreshMetrics() override;
    CSize PaintExpandButton(CDC* pDC, int nKind, CTkControl* pControl, CTkCommandBar* pBar, BOOL bDraw,
                            BOOL bHiddenControls) override;
    CSize PaintShortGripper(CDC* pDC, CTkCommandBar* pBar, BOOL bDraw) override;
    void FillPopupIconBand(CDC* pDC, int x, int y, int cx, int cy, BOOL bRarelyUsed) override;
    int GetThemeNumber() const override { return kThemeNativeXP; }
    // A mark in the disabled-text colour (entry 17) is drawn disabled.
    void PaintCheckMark(CDC* pDC, CRect rc, COLORREF clr) override;
    void PaintRadioMark(CDC* pDC, CRect rc, COLORREF clr) override;
    int GetPopupIconColumnWidth(CTkCommandBar* pBar) override;
    void PaintEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected) override;
    void PaintComboDropButton(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, BOOL bDropped) override;
    void PaintSpinButtons(CDC* pDC, CTkControl* pEdit) override;

    // Both "REBAR" and "TOOLBAR" are themed.
    BOOL IsStyleActive();
    BOOL IsMenuStyleActive() { return m_themeMenu.IsAppThemed(); }

    COLORREF m_clrBandShadow = 0;     // RGB: the bottom-right edge of a band
    COLORREF m_clrBandHighlight = 0;  // RGB: the top-left edge of a band
    BOOL m_bFlatMenus = TRUE;         // the system draws flat menus

private:
    // The rebar background over the dock window's rectangle, in pPainted's coordinates and clipped to
    // its client area, so bars and the dock bar behind them show one seamless background.
    void PaintDockBackground(CDC* pDC, HWND hPainted, HWND hDock);
    void PaintMark(CDC* pDC, const CRect& rc, COLORREF clr, BOOL bRadio);

    // Destroyed, and so closed, in the reverse order.
    CTkWinThemeWrapper m_themeRebar{TRUE};
    CTkWinThemeWrapper m_themeToolbar{TRUE};
    CTkWinThemeWrapper m_themeComboBox{TRUE};
    CTkWinThemeWrapper m_themeWindow{TRUE};
    CTkWinThemeWrapper m_themeSpin{TRUE};
    CTkWinThemeWrapper m_themeMenu{TRUE};
};
