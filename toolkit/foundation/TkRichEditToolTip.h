#pragma once
#include "TkRichRender.h"
#include "TkToolTipContextToolTip.h"

// The tip window of the rich-text style: the tool text, RTF or plain, measured and drawn by the
// windowless rich-edit engine in the context's font and text colour. Without the engine every tip
// measures 0 x 0 and is not shown. UI thread only.

class CTkToolTipContext::CRichEditToolTip : public CTkToolTipContextToolTip {
public:
    using CTkToolTipContextToolTip::CTkToolTipContextToolTip;

    // Loads the text into the engine (which keeps it for drawing) and measures it within the
    // available width; 0 x 0 for an empty text or without the engine.
    CSize CalcContentSize(TOOLITEM& tool) override;
    void DrawContent(CDC* pDC, TOOLITEM& tool, CRect rc) override;

private:
    // Kept as long as the object, so a window made again for another owner still has it.
    CTkRichRender m_render;
};
