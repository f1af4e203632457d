#pragma once
#include "TkMarkupTextElement.h"

// CTkMarkupSpan: an inline that groups inlines (its own inline collection) so that they share the text
// properties set on it. Bold, Italic and Underline are spans with the matching property set locally;
// the hyperlink is a span that raises "Click" when the left button is pressed and released over it.

class CTkMarkupSpan : public CTkMarkupInline {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupSpan();

    CTkMarkupInlineCollection* GetInlines() const { return m_pInlines; }  // borrowed

    int GetLogicalChildrenCount() const override;
    CTkMarkupObject* GetLogicalChild(int nIndex) const override;
    void SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    BOOL AllowWhiteSpaceContent() const override { return TRUE; }
    // The first leaf of the first item, or the span itself while it is empty.
    CTkMarkupInline* GetFirstInline() override;

protected:
    ~CTkMarkupSpan() override;

private:
    CTkMarkupInlineCollection* m_pInlines;  // owned; its logical parent is the span
};

class CTkMarkupBold : public CTkMarkupSpan {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupBold();
};

class CTkMarkupItalic : public CTkMarkupSpan {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupItalic();
};

class CTkMarkupUnderline : public CTkMarkupSpan {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupUnderline();
};

// Takes no mouse capture: pressing elsewhere and releasing over the link does nothing, while pressing on
// it, leaving and coming back still clicks. Blue and underlined, red under the mouse, with the hand
// cursor, through the default style its registration builds.
class CTkMarkupHyperlink : public CTkMarkupSpan {
    DECLARE_MARKUP_TYPE()
public:
    void OnMouseLeftButtonUp(CTkMarkupMouseEventArgs* pArgs) override;
    void OnMouseLeftButtonDown(CTkMarkupMouseEventArgs* pArgs) override;
    // Raises "Click" with the link as its source.
    virtual void OnClick();

    static void RegisterProperties();
    static CTkMarkupRoutedEvent* s_pClickEvent;

private:
    BOOL m_bPressed = FALSE;
};
