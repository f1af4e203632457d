#pragma once
#include "TkPaintManagerColor.h"
#include "TkThemeManager.h"

// The theme styles of the caption bar (CTkCaption): its border, background, text and icon in the
// default, Office XP and Office 2003 looks. The factory makes one by theme number; every caption
// shares its factory's style unless it was given a private one. The colours have standard values
// (Refresh) and custom values (the caption's SetCaptionColors sets border, background and text);
// painting always uses the effective value. UI thread only.

class CTkCaption;

class CTkCaptionTheme : public CTkThemeManagerStyle {
public:
    // Shadow and highlight from colour-manager slots 16 and 20; border and background the 3D face,
    // text the button text of the system. Custom values stay.
    void Refresh() override;

    // Fills rect and draws the edges the caption flags ask for; rect ends as the background's
    // rectangle.
    virtual void DrawCaptionBack(CDC* pDC, CTkCaption* pCaption, CRect& rect);
    // The caption's text, centred and cut with an ellipsis in the caption's text rectangle.
    virtual void DrawCaptionText(CDC* pDC, CTkCaption* pCaption);
    // The caption's icon at the right end of rect (the client rectangle), inside the border; an icon
    // that does not fit is left out.
    virtual void DrawCaptionIcon(CDC* pDC, CTkCaption* pCaption, CRect& rect);

    CTkPaintManagerColor m_clrShadow;
    CTkPaintManagerColor m_clrHighlight;
    CTkPaintManagerColor m_clrBorder;
    CTkPaintManagerColor m_clrBackground;
    CTkPaintManagerColor m_clrText;
};

// Flat: a raised one-pixel frame, the background only behind a text-button caption.
class CTkCaptionThemeOfficeXP : public CTkCaptionTheme {
public:
    void DrawCaptionBack(CDC* pDC, CTkCaption* pCaption, CRect& rect) override;
};

// The colour manager's gradients: 0 framed for a text-button caption, else 3 with a line below.
class CTkCaptionThemeOffice2003 : public CTkCaptionTheme {
public:
    void DrawCaptionBack(CDC* pDC, CTkCaption* pCaption, CRect& rect) override;

    // The gradient behind the caption (the caption buttons blend into it).
    static const CTkPaintManagerColorGradient& GetBackGradient(const CTkCaption* pCaption);
};

class CTkCaptionThemeFactory : public CTkThemeManagerStyleFactory {
    DECLARE_DYNCREATE(CTkCaptionThemeFactory)
public:
    // 1 Office XP, 2 Office 2003, any other number the default.
    CTkThemeManagerStyle* CreateStyle(int nTheme) override;
};
