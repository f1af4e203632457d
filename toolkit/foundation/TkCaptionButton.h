#pragma once
#include "TkButton.h"

// The button of a caption strip (CTkCaption) and of a caption popup's title line: a themed push button
// drawn by the caption-button themes (CTkCaptionButtonThemeFactory), which take their colours from the
// owner caption, so that the button looks part of the caption it sits in. The owner caption is set by
// whoever creates the button (not owned). UI thread only.

class CTkCaption;

class CTkCaptionButton : public CTkButton {
    DECLARE_DYNAMIC(CTkCaptionButton)
public:
    CTkCaptionButton();

    // The style argument is ignored and the current style returned. When the parent window is a
    // caption, the button takes its style's background as face, its text, highlight and shadow
    // colours and its font, and is invalidated with erase when bRedraw is set.
    DWORD SetXButtonStyle(DWORD dwStyle, BOOL bRedraw = TRUE) override;

    CTkCaption* GetOwnerCaption() const { return m_pCaption; }
    void SetOwnerCaption(CTkCaption* pCaption) { m_pCaption = pCaption; }

private:
    CTkCaption* m_pCaption = nullptr;  // not owned
};
