#pragma once
#include "TkPaintManagerColor.h"
#include "TkThemeManagerStyle.h"
#include "TkWinThemeWrapper.h"

// The default theme style of CTkButton: the classic 3D button (or the system's visual style when the
// button asks for it and styles are on), its text, image and focus rectangle, and the arithmetic that
// places image and text. The Office XP and Office 2003 looks and the caption-button styles derive from
// it. Colours are pairs of a standard value (Refresh reads it from the colour manager) and a custom
// value that wins when set; every drawing uses the effective value.
//
// Terms of the drawing rules: "hot" is the button's hot flag or the button holding the mouse capture;
// "pushed" is ODS_SELECTED or the button's checked flag. Owned by the factory it is installed in. UI
// thread only.

class CTkButton;
class CTkImageManagerIcon;

class CTkButtonTheme : public CTkThemeManagerStyle {
public:
    CTkButtonTheme();

    // Reopens the "BUTTON" visual style and reads the standard colours from the colour manager (after
    // recomputing it).
    void Refresh() override;

    // ---- Questions
    // The visual style is on, or the button is flat or thin-framed. Nothing in the system asks it.
    virtual BOOL IsFlatLook(CTkButton* pButton);
    // The button asks for the visual style (kButtonVisualStyle), "BUTTON" can be opened and styles are on.
    virtual BOOL IsVisualStyleActive(CTkButton* pButton);

    // ---- Settings
    virtual BOOL GetShowImages() const { return m_bShowImages; }
    virtual void SetShowImages(BOOL bShow) { m_bShowImages = bShow; }
    // The style's font when it holds one, else the button's own (WM_GETFONT).
    virtual CFont* GetButtonFont(CTkButton* pButton);
    // Ignored unless pFont holds a font; the font stays the caller's.
    virtual void SetButtonFont(CFont* pFont);
    // Custom colours.
    virtual void SetColors(COLORREF clrFace, COLORREF clrHilite, COLORREF clrShadow, COLORREF clrText);
    virtual void SetFaceColor(COLORREF clrFace) { m_face.m_customValue = clrFace; }
    virtual COLORREF GetFaceColor() const { return m_face.GetEffective(); }
    virtual void SetHiliteColor(COLORREF clrHilite) { m_hilite.m_customValue = clrHilite; }
    virtual void SetShadowColor(COLORREF clrShadow) { m_shadow.m_customValue = clrShadow; }
    virtual void SetTextColor(COLORREF clrText) { m_text.m_customValue = clrText; }

    // ---- Placement (client coordinates)
    // (client width - cx) / 2 for an image above the text, else the border gap; (client height - cy) / 2;
    // never negative.
    virtual void CalcCenteredOrigin(POINT& pt, int cx, int cy, CTkButton* pButton);
    // The text's top-left for a text of sizeText, by the button's BS_LEFT / BS_RIGHT alignment.
    virtual void GetTextPosition(POINT& pt, UINT nItemState, const RECT& rcItem, SIZE sizeText, CTkButton* pButton);
    // The image's top-left; bHasText tells whether the button has a text to make room for, whose height
    // is measured with pDC's current font.
    virtual void GetImagePosition(POINT& pt, CDC* pDC, UINT nItemState, const RECT& rcItem, BOOL bHasText,
                                  CTkButton* pButton);

    // ---- Drawing, in the order DrawItem runs them
    virtual COLORREF GetButtonTextColor(UINT nItemState, CTkButton* pButton);
    virtual void DrawButtonText(CDC* pDC, UINT nItemState, RECT& rcItem, CTkButton* pButton);
    virtual void DrawButtonImage(CDC* pDC, UINT nItemState, RECT& rcItem, CTkButton* pButton);
    // Background (the visual style's, else DrawButtonBack), text, image and, for a focused button with
    // kButtonFocusRect whose focus cues are not hidden, the focus rectangle.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS, CTkButton* pButton);
    // The visual style's push-button background over the parent's WM_CTLCOLORBTN brush; FALSE, nothing
    // drawn, when the style is not active or cannot draw.
    virtual BOOL DrawVisualStyleBack(LPDRAWITEMSTRUCT lpDIS, CTkButton* pButton);
    virtual void DrawButtonBack(LPDRAWITEMSTRUCT lpDIS, CTkButton* pButton);
    virtual void DrawButtonFocus(CDC* pDC, UINT nItemState, RECT& rcItem, CTkButton* pButton);

    // ---- The drawing rules' terms
    static BOOL IsHot(CTkButton* pButton);
    static BOOL IsPushed(UINT nItemState, CTkButton* pButton);
    static BOOL IsDefaultButton(CTkButton* pButton);

protected:
    // The button's image and its position when images are shown and the button has one; else NULL.
    CTkImageManagerIcon* FindImageToDraw(CDC* pDC, UINT nItemState, RECT& rcItem, CTkButton* pButton, CPoint& pt);
    // The visual-style state of the push button: hot, defaulted or normal; pressed; disabled.
    int GetVisualStyleState(UINT nItemState, CTkButton* pButton);

    BOOL m_bShowImages = TRUE;
    BOOL m_bOffsetTextWhenPushed = TRUE;
    CFont* m_pFont = nullptr;  // not owned; NULL: the button's font
    CTkPaintManagerColor m_face;
    CTkPaintManagerColor m_text;
    CTkPaintManagerColor m_grayText;
    CTkPaintManagerColor m_hilite;
    CTkPaintManagerColor m_shadow;
    CTkPaintManagerColor m_highlight;
    CTkPaintManagerColor m_darkShadow;
    CTkWinThemeWrapper m_themeButton;
};
