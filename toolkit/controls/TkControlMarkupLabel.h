#pragma once
#include "TkControlLabel.h"

class CTkMarkupUIElement;

// CTkControlMarkupLabel: a label whose caption is markup text, parsed once per caption change and
// measured and drawn by the markup engine. A caption that gives no element is a plain label.
class CTkControlMarkupLabel : public CTkControlLabel {
    DECLARE_SERIAL(CTkControlMarkupLabel)
public:
    // Releases the element.
    ~CTkControlMarkupLabel() override;

    void OnCaptionChanged() override;
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;

    CTkMarkupUIElement* GetMarkupElement() const { return m_pMarkupElement; }  // not referenced

private:
    // The paint manager's regular font, else the stock GUI font.
    HFONT GetLabelFont() const;

    CTkMarkupUIElement* m_pMarkupElement = nullptr;  // one reference; it keeps its context alive
};
