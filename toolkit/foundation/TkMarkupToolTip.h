#pragma once
#include "TkToolTipContextToolTip.h"

// The tip window of the markup style: the tool text parsed as tag-based markup and measured and drawn
// by the markup engine (through TkMarkupEntryFunctions.h), in the context's font and text colour. A
// text that does not parse, or any text while the engine's table is not filled, is shown as a plain
// tip. UI thread only.

class CTkMarkupContext;
class CTkMarkupUIElement;
struct MarkupEntryFunctions;

class CTkToolTipContext::CMarkupToolTip : public CTkToolTipContextToolTip {
public:
    // Takes a markup context without a host window when the engine is there.
    explicit CMarkupToolTip(CTkToolTipContext* pContext);
    ~CMarkupToolTip() override;

    // Parses the text anew (the previous tree goes) and measures the tree within the available width;
    // 0 x 0 for an empty text.
    CSize CalcContentSize(TOOLITEM& tool) override;
    void DrawContent(CDC* pDC, TOOLITEM& tool, CRect rc) override;

protected:
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void ReleaseElement();

    const MarkupEntryFunctions* m_pEngine;         // NULL without the engine
    CTkMarkupContext* m_pMarkupContext = nullptr;  // one reference
    CTkMarkupUIElement* m_pElement = nullptr;      // the last measured tip's tree; one reference
};
