#pragma once
#include "TkPaintManager.h"

// CTkDefaultTheme: theme 0, the classic raised-and-sunken look drawn with the system colours only. Bars
// lie on the button face, hot buttons get a raised 1-pixel 3-D frame, pressed and checked ones a sunken
// one (checked ones on a dithered face), menu items are highlighted in the system highlight colour and
// disabled icons are embossed. It is the look every lookup falls back to, the look of any theme number
// without a theme of its own, and the base of the native XP theme, which replaces the field parts.
class CTkDefaultTheme : public CTkPaintManager {
public:
    CTkDefaultTheme() = default;

    CSize PaintPopupControl(CDC* pDC, CTkControl* pControl, BOOL bDraw) override;
    void PaintSplitButton(CDC* pDC, CTkControl* pControl, const CRect& rc) override;
    CSize PaintComboBoxControl(CDC* pDC, CTkControl* pComboBox, BOOL bDraw) override;
    CSize PaintEditControl(CDC* pDC, CTkControl* pEdit, BOOL bDraw) override;
    CSize PaintPopupItemRow(CDC* pDC, CTkControl* pControl, CRect rc, BOOL bSelected, BOOL bDraw,
                            CTkCommandBars* pCommandBars) override;
    void FillBarBackground(CDC* pDC, CTkCommandBar* pBar) override;
    COLORREF GetStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped, int nBarType,
                               int nBarPosition) override;
    void PaintStateRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                             BOOL bPopuped, int nBarType, int nBarPosition) override;
    CSize PaintBarGripper(CDC* pDC, CTkCommandBar* pBar, BOOL bDraw) override;
    CSize PaintControlSeparator(CDC* pDC, CTkCommandBar* pBar, CTkControl* pControl, BOOL bDraw) override;
    void AdjustControlRect(CRect& rc, CTkControl* pControl, BOOL bVertical) override;
    // The base's, then a floating bar's title strip in the active-caption colours.
    void RefreshMetrics() override;
    CSize PaintExpandButton(CDC* pDC, int nKind, CTkControl* pControl, CTkCommandBar* pBar, BOOL bDraw,
                            BOOL bHiddenControls) override;
    CRect GetBarBorders(CTkCommandBar* pBar) override;
    CSize PaintTearOffStrip(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) override;
    void PaintPopupResizeGripper(CDC* pDC, CRect rc, int nWhere) override;
    void PaintControlIcon(CDC* pDC, CPoint pt, CSize sz, CTkImageManagerIcon* pImage, BOOL bSelected, BOOL bPressed,
                          BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bToolBar) override;
    CSize PaintShortGripper(CDC* pDC, CTkCommandBar* pBar, BOOL bDraw) override;
    int GetThemeNumber() const override { return kThemeDefault; }
    CSize GetButtonSize(CTkCommandBar* pBar) override;

    // ---- The parts of edit and combo-box fields (the native XP theme draws them in its visual style)
    // nSelected is the control's selection state (2 and 3: by the keyboard).
    virtual void PaintEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected);
    virtual void PaintComboDropButton(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, BOOL bDropped);
    virtual void PaintSpinButtons(CDC* pDC, CTkControl* pEdit);

    // The checker of checked faces: button face and highlight alternating pixel by pixel; the DC's brush
    // and colours come back as they were.
    void PaintDitheredRect(CDC* pDC, const CRect& rc) const;

    int m_nMenuTextColor = COLOR_BTNTEXT;  // popup-item text and its check and radio marks

protected:
    void PaintDisabledIcon(CDC* pDC, CPoint pt, CSize sz, CTkImageManagerIcon* pImage);
};
