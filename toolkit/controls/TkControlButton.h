#pragma once
#include "TkControl.h"

// CTkControlButton: the plain command item of toolbars and menus (ControlType 1), and the base of most
// other controls. On a toolbar a press runs the pressed-button loop (TrackClick); in popup bars the
// release executes.

class CTkControlButton : public CTkControl {
    DECLARE_SERIAL(CTkControlButton)
public:
    CTkControlButton();

    void HandleClick(BOOL bKeyboard, CPoint pt) override;
    void HandleButtonUp(CPoint pt) override;
    void ExchangeProperties(CTkPropExchange* pPX) override;

    // The pressed-button loop on the bar's window (rc empty: Rect): the control shows pressed while the
    // pointer is inside rc; a release while selected runs the command. With an execute-on-press interval
    // the command goes at the press and on every tick of timer 4269 instead, not at the release. Ends on
    // the release, a lost capture, the loss of the bar, or WM_QUIT (which goes back to the queue).
    void TrackClick(CRect rc);
};
