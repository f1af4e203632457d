#pragma once
#include "TkWhidbeyTheme.h"

// CTkVisualStudio2008Theme: theme 7, the Whidbey theme with its own popup menus: the highlighted item is
// a gradient inside a frame with rounded, anti-aliased corners, separators and the icon band's edge are
// two lines (a dark one and a highlight), popup borders are wider and the text sits further from the
// icon band. The hot menu-bar item is drawn in three layers. Under the Aero style the refresh supplies
// a colour set of its own, including gradient button states.
class CTkVisualStudio2008Theme : public CTkWhidbeyTheme {
public:
    CTkVisualStudio2008Theme();
    ~CTkVisualStudio2008Theme() override;
    // The theme factory's creator of theme 7 (one reference, the caller's).
    static CTkPaintManager* Create() { return new CTkVisualStudio2008Theme; }

    COLORREF GetStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped, int nBarType,
                               int nBarPosition) override;
    void PaintStateRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                             BOOL bPopuped, int nBarType, int nBarPosition) override;
    CSize PaintControlSeparator(CDC* pDC, CTkCommandBar* pBar, CTkControl* pControl, BOOL bDraw) override;
    void AdjustControlRect(CRect& rc, CTkControl* pControl, BOOL bVertical) override;
    void RefreshMetrics() override;
    CRect GetBarBorders(CTkCommandBar* pBar) override;
    void FillPopupIconBand(CDC* pDC, int x, int y, int cx, int cy, BOOL bRarelyUsed) override;
    int GetThemeNumber() const override { return kThemeVisualStudio2008; }

    CTkPaintManagerColorGradient m_grcMenuHot;  // the face of the highlighted popup item
    CTkPaintManagerColor m_clrMenuHotFrame;     // its frame
    CTkPaintManagerColor m_clrMenuHotText;      // its text

private:
    void PaintHighlightedPopupItem(CDC* pDC, const CRect& rc);
    void PaintHotMenuBarItem(CDC* pDC, const CRect& rc, BOOL bPopuped);
    void ApplyAeroColors();
};
