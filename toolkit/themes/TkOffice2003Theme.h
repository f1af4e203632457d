#pragma once
#include "TkOfficeTheme.h"

// CTkOffice2003Theme: theme 2, the look of the application's command bars. It keeps the Office theme's
// geometry, state rules and popup items and adds two-colour gradients for bars, dock bars, the popup icon
// band, button states and the expand button; under the blue, olive or silver visual style it replaces the
// colour-manager colours by a fixed colour set of that scheme, on the classic look it derives its
// gradients from the system colours. The expand button of popup menus shows a shaded 16 x 16 glyph built
// from a fixed intensity table in the scheme's colours.
class CTkOffice2003Theme : public CTkOfficeTheme {
public:
    CTkOffice2003Theme();
    ~CTkOffice2003Theme() override;
    // The theme factory's creator of theme 2 (one reference, the caller's).
    static CTkPaintManager* Create() { return new CTkOffice2003Theme; }

    void FillBarBackground(CDC* pDC, CTkCommandBar* pBar) override;
    void PaintStateRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                             BOOL bPopuped, int nBarType, int nBarPosition) override;
    CSize PaintBarGripper(CDC* pDC, CTkCommandBar* pBar, BOOL bDraw) override;
    CSize PaintControlSeparator(CDC* pDC, CTkCommandBar* pBar, CTkControl* pControl, BOOL bDraw) override;
    void PaintStatusPaneFrame(CDC* pDC, CRect rc, CTkStatusBarPane* pPane, BOOL bGripperPane) override;
    void PaintSizeGripper(CDC* pDC, CRect rc) override;
    // The right dock bar in one colour (the dock gradient's end), the others in the dock gradient.
    void FillDockBarBackground(CDC* pDC, CTkDockBar* pDockBar) override;
    void PaintFramedInfoArea(CDC* pDC, CWnd* pWnd) override;
    void RefreshMetrics() override;
    CSize PaintExpandButton(CDC* pDC, int nKind, CTkControl* pControl, CTkCommandBar* pBar, BOOL bDraw,
                            BOOL bHiddenControls) override;
    CRect GetBarBorders(CTkCommandBar* pBar) override;
    CSize PaintTearOffStrip(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) override;
    CSize PaintShortGripper(CDC* pDC, CTkCommandBar* pBar, BOOL bDraw) override;
    void FillPopupIconBand(CDC* pDC, int x, int y, int cx, int cy, BOOL bRarelyUsed) override;
    int GetThemeNumber() const override { return kThemeOffice2003; }

    // Bars that are not flat and have any of the four border bits in their flags.
    virtual BOOL HasBarBorderFlags(CTkCommandBar* pBar);

    // The glyph of the popup expand button as built: 16 x 16, green (0, 255, 0) where transparent.
    CImageList& GetGlyphImage() { return m_glyphImage; }

    CTkPaintManagerColorGradient m_grcDock;            // dock bars and the area behind docked bars
    CTkPaintManagerColorGradient m_grcBarFace;         // docked and floating toolbars, the menu bar
    CTkPaintManagerColorGradient m_grcExpandButton;    // the expand button of a docked toolbar
    CTkPaintManagerColorGradient m_grcGlyph;           // the two colours of the glyph image
    CTkPaintManagerColorGradient m_grcRarelyUsedBand;  // the icon band beside rarely used items
    CTkPaintManagerColorGradient m_grcIconBand;        // the icon band beside ordinary items
    CTkPaintManagerColorGradient m_grcPoppedUp;        // a button whose popup is open
    CTkPaintManagerColor m_clrBarShadow;               // the line under (or beside) a docked toolbar
    CTkPaintManagerColor m_clrStatusFrame;
    CTkPaintManagerColor m_clrTearOff;          // an unselected tear-off strip
    BOOL m_bLunaColors = FALSE;                 // the last refresh applied a scheme's colour set
    BOOL m_bFlatSeparators = FALSE;             // toolbar separators without their highlight line
    CTkPaintManagerColorGradient m_grcChecked;  // button states while a colour set applies
    CTkPaintManagerColorGradient m_grcPushed;
    CTkPaintManagerColorGradient m_grcHot;

protected:
    // The glyph of the docked expand button: an arrow towards the bar's end below (or beside) a bar, and two
    // chevrons when the toolbar hides commands.
    static void PaintExpandGlyph(CDC* pDC, const CRect& rc, BOOL bVertical, BOOL bHiddenControls, COLORREF clr);
    // Builds the glyph again from the glyph gradient: themes that change the gradient after this theme's
    // refresh call it once more.
    void RebuildGlyphImage();

private:
    void ApplyClassicColors();
    // nSet 0 blue, 1 olive, 2 silver.
    void ApplyColorSet(int nSet);
    void FillGradient(CDC* pDC, const CRect& rc, const CTkPaintManagerColorGradient& gradient, BOOL bHorizontal,
                      const RECT* pClip = nullptr);
    // Fills rc with the dock gradient spread over max(the rectangle's width, half the screen) from its left.
    void FillDockGradient(CDC* pDC, CRect rc, const RECT* pClip = nullptr);
    void SetCornerPixels(CDC* pDC, int w, int h, int nInset, COLORREF clr);

    CImageList m_glyphImage;
};
