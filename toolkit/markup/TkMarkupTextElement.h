#pragma once
#include "TkMarkupCollection.h"
#include "TkMarkupInputElement.h"

// The content elements of formatted text. They are not visuals: they have no layout of their own, and
// whatever changes their layout or look is passed to their host, the nearest framework element above
// them (normally the text block). The text properties declared here inherit, so a value set on a block
// or a span reaches every inline inside it. UI thread only.

class CTkMarkupBrush;
class CTkMarkupDrawingContext;
class CTkMarkupContext;
class CTkMarkupFrameworkElement;

// A new object of the type (one reference), tied to the context when it has one; elements made in code
// may have none.
CTkMarkupObject* CreateMarkupObjectOf(CTkMarkupContext* pContext, CTkMarkupType* pType);

class CTkMarkupFrameworkContentElement : public CTkMarkupInputElement {
    DECLARE_MARKUP_TYPE()
public:
    // The nearest framework element among the logical ancestors (borrowed), or NULL.
    CTkMarkupFrameworkElement* GetHost() const;

    // Re-evaluates the triggers, then re-runs on the host what the property's metadata names.
    void OnPropertyChanged(CTkMarkupDependencyProperty* pProperty, CTkMarkupObject* pOldValue,
                           CTkMarkupObject* pNewValue) override;
    // A content element answers itself; the text block asks it only for points inside its text.
    CTkMarkupInputElement* HitTest(int x, int y) override;

    static void RegisterProperties();
};

// Font weights, styles and decorations as the text properties store them.
enum MarkupFontStyle { kMarkupFontNormal = 0, kMarkupFontItalic = 1 };
enum MarkupTextDecorations { kMarkupNoDecoration = 0, kMarkupUnderline = 1, kMarkupStrikethrough = 2 };

class CTkMarkupTextElement : public CTkMarkupFrameworkContentElement {
    DECLARE_MARKUP_TYPE()
public:
    // Effective values (borrowed); NULL when unset.
    CTkMarkupBrush* GetBackground() const;
    CTkMarkupBrush* GetForeground() const;
    // Local enumeration values.
    void SetFontWeight(int nWeight);
    void SetFontStyle(int nStyle);
    void SetTextDecorations(int nDecorations);

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pBackgroundProperty;
    static CTkMarkupDependencyProperty* s_pForegroundProperty;
    static CTkMarkupDependencyProperty* s_pFontSizeProperty;  // pixels
    static CTkMarkupDependencyProperty* s_pFontWeightProperty;
    static CTkMarkupDependencyProperty* s_pFontFamilyProperty;
    static CTkMarkupDependencyProperty* s_pFontStyleProperty;
    static CTkMarkupDependencyProperty* s_pTextDecorationsProperty;
    static CTkMarkupDependencyProperty* s_pFontQualityProperty;
};

// Vertical placement of an inline on its line.
enum MarkupBaselineAlignment {
    kMarkupBaselineTop = 0,
    kMarkupBaselineCenter = 1,
    kMarkupBaselineBottom = 2,
    kMarkupBaselineBaseline = 3,
    kMarkupBaselineTextTop = 4,
    kMarkupBaselineTextBottom = 5,
    kMarkupBaselineSubscript = 6,
    kMarkupBaselineSuperscript = 7,
};

// An element of the flow of text. The text block walks the leaf inlines in document order and, through
// the protocol below, their content positions: opaque integers of the inline, -1 past the end. The
// base has no content.
class CTkMarkupInline : public CTkMarkupTextElement {
    DECLARE_MARKUP_TYPE()
public:
    static constexpr int kNoPosition = -1;

    // Written by the inline collection that holds it; -1 outside one.
    int GetCollectionIndex() const { return m_nCollectionIndex; }
    void SetCollectionIndex(int nIndex) { m_nCollectionIndex = nIndex; }
    int GetBaselineAlignment() const;

    // ---- The inline protocol
    // The first leaf inline at or below this one.
    virtual CTkMarkupInline* GetFirstInline();
    virtual int GetFirstPosition() const;
    // Advances nPosition; -1 stays -1.
    virtual void GetNextPosition(int& nPosition) const;
    virtual BOOL IsWordBreakPosition(int nPosition) const;
    virtual BOOL IsLineBreakPosition(int nPosition) const;
    virtual BOOL IsWhiteSpacePosition(int nPosition) const;
    virtual void ArrangeInline(const CRect& rc, int nFrom, int nTo);
    // The size of the content range [nFrom, nTo).
    virtual CSize MeasureInline(CTkMarkupDrawingContext* pDC, int nFrom, int nTo);
    virtual void RenderInline(CTkMarkupDrawingContext* pDC, const CRect& rc, int nFrom, int nTo);
    virtual void PrepareMeasure(CTkMarkupDrawingContext* pDC);
    // Distance from the bottom of the inline's text to its baseline.
    virtual int GetBaselineOffset() const;

    // The leaf inline after pInline in document order within its text block, or NULL.
    static CTkMarkupInline* GetNextInline(CTkMarkupInline* pInline);

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pBaselineAlignmentProperty;

private:
    int m_nCollectionIndex = -1;
};

// The inlines of a text block or a span, which is its logical parent. Text content becomes runs and UI
// elements are wrapped in inline containers, made by the owner's context.
class CTkMarkupInlineCollection : public CTkMarkupCollectionOf<CTkMarkupInline> {
    DECLARE_MARKUP_TYPE()
public:
    void SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) override;
    void OnItemAdded(CTkMarkupObject* pItem, int nIndex) override;

protected:
    ~CTkMarkupInlineCollection() override = default;
};
