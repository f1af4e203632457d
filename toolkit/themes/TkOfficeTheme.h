#pragma once
#include "TkPaintManager.h"

// CTkOfficeTheme: theme 1, the flat look drawn from the colour table alone. Hot and pressed buttons are
// filled rectangles with a one-pixel frame, the menu bar is flat, popup menus have an icon band on the
// left, and icons are faded at rest and raised over their shadow when hot. It is the base of the whole
// Office family (the Office 2003 theme and the later ones), which inherit what they do not replace.
//
// Colours are indexes into the paint manager's colour table; the theme keeps no state of its own beyond
// the base settings its constructor changes.
class CTkOfficeTheme : public CTkPaintManager {
public:
    CTkOfficeTheme();
    // The theme factory's creator of theme 1 (one reference, the caller's).
    static CTkPaintManager* Create() { return new CTkOfficeTheme; }

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
    void PaintStatusPaneFrame(CDC* pDC, CRect rc, CTkStatusBarPane* pPane, BOOL bGripperPane) override;
    void PaintStatusPaneSeparator(CDC* pDC, int x, int nTop, int nBottom) override;
    CSize PaintTearOffStrip(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) override;
    void PaintPopupResizeGripper(CDC* pDC, CRect rc, int nWhere) override;
    void PaintControlIcon(CDC* pDC, CPoint pt, CSize sz, CTkImageManagerIcon* pImage, BOOL bSelected, BOOL bPressed,
                          BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bToolBar) override;
    CSize PaintShortGripper(CDC* pDC, CTkCommandBar* pBar, BOOL bDraw) override;
    CSize PaintCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                            int nChecked) override;
    CSize PaintRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                               int nChecked) override;
    void FillPopupIconBand(CDC* pDC, int x, int y, int cx, int cy, BOOL bRarelyUsed) override;
    int GetThemeNumber() const override { return kThemeOffice; }

    // ---- The Office family's own parts of popup items
    // The drop-down part of a split item in a popup: the popup split width at the control's right edge.
    virtual void PaintSplitDivider(CDC* pDC, CTkControl* pControl);
    virtual void PaintSubmenuArrow(CDC* pDC, CTkControl* pControl);
    virtual void FillLabelRow(CDC* pDC, CRect rc);

protected:
    // The popup joint: where the popup's frame meets the control that opened it (a control of a bar that
    // is not a popup), the frame takes the colour, so the control and the popup read as one shape.
    void PaintPopupJoint(CDC* pDC, CTkCommandBar* pPopupBar, COLORREF clr);
    // The edit and combo-box field of a control (x from its label to its right edge).
    CRect GetFieldRect(CTkControl* pControl) const;
};
