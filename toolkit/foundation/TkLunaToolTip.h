#pragma once
#include "TkToolTipContextToolTip.h"

// The tip window of the Luna style: the owner-drawn tip on a warm gradient framed in the colour of the
// Windows visual style in use (the context's background fading to white without one). UI thread only.

class CTkToolTipContext::CLunaToolTip : public CTkToolTipContextToolTip {
public:
    using CTkToolTipContextToolTip::CTkToolTipContextToolTip;

    void DrawBackground(CDC* pDC, TOOLITEM& tool, CRect rc) override;
};
