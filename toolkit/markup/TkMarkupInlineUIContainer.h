#pragma once
#include "TkMarkupTextElement.h"

// CTkMarkupInlineUIContainer: puts one UI element into the flow of text. Its content positions are 0
// (before the child) and 1 (after it), both word breaks; the child is measured, arranged and drawn where
// the text block places position 0.

class CTkMarkupUIElement;

class CTkMarkupInlineUIContainer : public CTkMarkupInline {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupUIElement* GetChild() const { return m_pChild; }  // borrowed
    // Takes over pChild (may be NULL); the previous child is detached and released.
    void SetChild(CTkMarkupUIElement* pChild);

    int GetLogicalChildrenCount() const override;
    CTkMarkupObject* GetLogicalChild(int nIndex) const override;
    // The content must be a UI element; it replaces the child.
    void SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) override;
    BOOL HasContentObject() const override { return m_pChild != nullptr; }
    // What the child hits, else the container.
    CTkMarkupInputElement* HitTest(int x, int y) override;

    int GetFirstPosition() const override;
    void GetNextPosition(int& nPosition) const override;
    BOOL IsWordBreakPosition(int nPosition) const override;
    void ArrangeInline(const CRect& rc, int nFrom, int nTo) override;
    CSize MeasureInline(CTkMarkupDrawingContext* pDC, int nFrom, int nTo) override;
    void RenderInline(CTkMarkupDrawingContext* pDC, const CRect& rc, int nFrom, int nTo) override;

protected:
    ~CTkMarkupInlineUIContainer() override;

private:
    CTkMarkupUIElement* m_pChild = nullptr;  // one reference
};
