#pragma once
#include "TkButtonTheme.h"

// The flat Office XP look of CTkButton: a face only while idle, coloured hot, pressed and checked faces
// with a one-colour frame, a faded image that lights up (with a shadow) under the pointer. With the
// toolkit face the idle face is the toolkit's and is framed, and a default button gets a highlight
// frame. Owned by its factory or button; UI thread only.
class CTkButtonThemeOfficeXP : public CTkButtonTheme {
public:
    explicit CTkButtonThemeOfficeXP(BOOL bToolkitFace);

    void Refresh() override;
    BOOL IsFlatLook(CTkButton*) override { return TRUE; }
    COLORREF GetButtonTextColor(UINT nItemState, CTkButton* pButton) override;
    void DrawButtonImage(CDC* pDC, UINT nItemState, RECT& rcItem, CTkButton* pButton) override;
    void DrawButtonBack(LPDRAWITEMSTRUCT lpDIS, CTkButton* pButton) override;

    // ---- Settings
    // Stores the flag and refreshes.
    virtual void SetToolkitFace(BOOL bToolkitFace);
    virtual void SetPressedFaceColor(COLORREF clr) { m_pressedFace.m_customValue = clr; }
    virtual void SetHotFaceColor(COLORREF clr) { m_hotFace.m_customValue = clr; }
    virtual void SetPressedTextColor(COLORREF clr) { m_pressedText.m_customValue = clr; }
    virtual void SetHotTextColor(COLORREF clr) { m_hotText.m_customValue = clr; }

protected:
    // The idle button (neither selected, checked nor hot): the face, framed in shadow with the toolkit
    // face. FALSE for any other button.
    BOOL DrawIdleBack(CDC* pDC, const RECT& rc, UINT nItemState, CTkButton* pButton);
    // The frame of an active button: hilite, and with the toolkit face a default button's two frames in
    // colour-manager slot 13, the second 1 pixel inside.
    void DrawActiveFrame(CDC* pDC, const RECT& rc, CTkButton* pButton);

    BOOL m_bToolkitFace;
    BOOL m_bFadedNormalImage = TRUE;
    BOOL m_bShadowedHotImage = TRUE;
    CTkPaintManagerColor m_pressedFace;
    CTkPaintManagerColor m_hotFace;
    CTkPaintManagerColor m_pressedText;
    CTkPaintManagerColor m_hotText;
    CTkPaintManagerColor m_checkedFace;
};
