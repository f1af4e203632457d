#pragma once
#include "TkButtonThemeOffice2003.h"
#include "TkThemeManager.h"

// The theme styles of the caption button (CTkCaptionButton): the button themes with their colours
// taken from the button's owner caption, so that an idle button blends into the caption it sits in.
// A caption counts only while it is a window; without one they draw as the button themes do. The
// factory makes one by theme number. UI thread only.

class CTkCaption;

class CTkCaptionButtonTheme : public CTkButtonTheme {
public:
    CTkCaptionButtonTheme();

    // The caption's text colour.
    COLORREF GetButtonTextColor(UINT nItemState, CTkButton* pButton) override;
    // The caption's text, only for a text-button caption.
    void DrawButtonText(CDC* pDC, UINT nItemState, RECT& rect, CTkButton* pButton) override;
    // The default button background in the caption's background, text, highlight and shadow.
    void DrawButtonBack(LPDRAWITEMSTRUCT lpDIS, CTkButton* pButton) override;
};

class CTkCaptionButtonThemeOfficeXP : public CTkButtonThemeOfficeXP {
public:
    CTkCaptionButtonThemeOfficeXP();

    // Grey when disabled, the caption's text when idle, else the hot text.
    COLORREF GetButtonTextColor(UINT nItemState, CTkButton* pButton) override;
    void DrawButtonText(CDC* pDC, UINT nItemState, RECT& rect, CTkButton* pButton) override;
    // Hot and pressed faces framed; idle, the caption's background.
    void DrawButtonBack(LPDRAWITEMSTRUCT lpDIS, CTkButton* pButton) override;
};

class CTkCaptionButtonThemeOffice2003 : public CTkButtonThemeOffice2003 {
public:
    CTkCaptionButtonThemeOffice2003();

    COLORREF GetButtonTextColor(UINT nItemState, CTkButton* pButton) override;
    // Pressed and hot gradients framed; idle, the part of the caption's gradient under the button.
    void DrawButtonBack(LPDRAWITEMSTRUCT lpDIS, CTkButton* pButton) override;
    // The colours of the caption's background at the corners of the button (rcButtonScreen, in screen
    // coordinates) as the gradient's standard colours, split 0.5; FALSE when the caption is no window.
    virtual BOOL GetCaptionBackGradient(const RECT& rcButtonScreen, CTkCaption* pCaption,
                                        CTkPaintManagerColorGradient& gradient);
};

class CTkCaptionButtonThemeFactory : public CTkThemeManagerStyleFactory {
    DECLARE_DYNCREATE(CTkCaptionButtonThemeFactory)
public:
    // 1 Office XP, 2 Office 2003, any other number the default.
    CTkThemeManagerStyle* CreateStyle(int nTheme) override;
};
