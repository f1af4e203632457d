#pragma once
#include "TkControlPopup.h"
#include "TkToolBar.h"

class CTkPopupBar;

// The toolbar's own controls: the expand button at the end of a bar whose controls do not all fit, the
// hide button in a floating bar's caption, and the entries of the expand menu that show or hide the
// bar's buttons and reset the bar. They are temporary controls: never saved.

class CTkToolBar::CControlButtonExpand : public CTkControlPopup {
public:
    // Made with an empty popup bar as its sub bar.
    CControlButtonExpand();

    // Also notes whether any control of the bar is wrapped away.
    void SetRect(CRect rc) override;
    void Draw(CDC* pDC) override;
    // Opening fills a fresh popup with what the bar could not show and opens it at the button.
    BOOL SetPopupOpen(BOOL bOpen) override;
    BOOL HasHiddenControls() const { return m_bHiddenControls; }

protected:
    // With a hub and a dock context the hub lists the dock row's wrapped-away controls and the row's
    // toolbars; otherwise the bar's own wrapped-away controls are listed.
    void FillPopup(CTkPopupBar* pPopup, CTkCommandBars* pCommandBars);

    BOOL m_bHiddenControls = FALSE;
};

class CTkToolBar::CControlButtonHide : public CTkControlButton {
public:
    CControlButtonHide();
    // Hides the bar (a torn-off bar goes away with it).
    void Execute() override;
    void Draw(CDC* pDC) override;
};

class CTkToolBar::CControlButtonCustomize : public CTkControlButton {
public:
    // Shows or hides the target control; with a target bar instead, resets it.
    void Execute() override;
    void SetTargetControl(CTkControl* pControl) { m_pTargetControl = pControl; }
    void SetTargetBar(CTkToolBar* pBar) { m_pTargetBar = pBar; }
    CTkControl* GetTargetControl() const { return m_pTargetControl; }

protected:
    CTkControl* m_pTargetControl = nullptr;  // not referenced
    CTkToolBar* m_pTargetBar = nullptr;      // not referenced
};
