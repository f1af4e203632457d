#pragma once
#include "TkMarkupTextElement.h"

// CTkMarkupRun: a stretch of text in one font. Its content positions are the characters of "Text"
// followed by one end position; its font comes from the context's font cache and is kept from one
// measure to the next while its description stays the same. CTkMarkupLineBreak is a run of one line feed.

class CTkMarkupFont;
class CTkMarkupString;

class CTkMarkupRun : public CTkMarkupInline {
    DECLARE_MARKUP_TYPE()
public:
    LPCWSTR GetText() const;  // "" when unset
    void SetText(LPCWSTR lpszText);
    // Shares the string (a reference is added).
    void SetText(CTkMarkupString* pText);
    // The description of the run's font: the context's default font with the effective text properties.
    void GetLogFont(LOGFONTW& logFont) const;

    // Text replaces the earlier text; anything else fails.
    void SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) override;
    BOOL HasContentObject() const override;

    int GetFirstPosition() const override;
    void GetNextPosition(int& nPosition) const override;
    BOOL IsWordBreakPosition(int nPosition) const override;   // tab, line feed, space
    BOOL IsLineBreakPosition(int nPosition) const override;   // line feed
    BOOL IsWhiteSpacePosition(int nPosition) const override;  // space, tab
    CSize MeasureInline(CTkMarkupDrawingContext* pDC, int nFrom, int nTo) override;
    void RenderInline(CTkMarkupDrawingContext* pDC, const CRect& rc, int nFrom, int nTo) override;
    void PrepareMeasure(CTkMarkupDrawingContext* pDC) override;
    int GetBaselineOffset() const override { return m_nDescent; }

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pTextProperty;

protected:
    void OnFinalRelease() override;

private:
    // The character at a position, 0 for the end position and outside the text.
    WCHAR CharAt(int nPosition) const;
    int GetLength() const;
    void SelectFont(CTkMarkupDrawingContext* pDC) const;

    int m_nDescent = 0;
    CTkMarkupFont* m_pFont = nullptr;  // one reference
    LOGFONTW m_fontDescription = {};   // what m_pFont was asked for
};

class CTkMarkupLineBreak : public CTkMarkupRun {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupLineBreak();
};
