#pragma once
#include "TkMarkupFrameworkElement.h"

#include <deque>
#include <memory>
#include <vector>

// CTkMarkupTextBlock: formatted text. It lays its inlines (runs, spans, line breaks, hyperlinks, inline
// UI containers) out into lines, wraps or trims them to its width, aligns, justifies and
// baseline-aligns them, and paints them with their backgrounds and decorations. A layout is kept while
// the inner width stays the same (without wrapping and trimming, for any width), so measuring again
// costs no text measuring. UI thread only.

class CTkMarkupInline;
class CTkMarkupInlineCollection;
class CTkMarkupRun;

enum MarkupTextWrapping { kMarkupNoWrap = 0, kMarkupWrap = 1 };
enum MarkupTextTrimming { kMarkupTrimNone = 0, kMarkupCharacterEllipsis = 1, kMarkupWordEllipsis = 2 };
enum MarkupTextAlignment { kMarkupTextLeft = 0, kMarkupTextRight = 1, kMarkupTextCenter = 2, kMarkupTextJustify = 3 };

class CTkMarkupTextBlock : public CTkMarkupFrameworkElement {
    DECLARE_MARKUP_TYPE()
public:
    // A stretch [nStart, nEnd) of one inline's content placed on one line.
    struct TextPiece {
        CTkMarkupPtr<CTkMarkupInline> inline_;
        int nStart = -1;
        int nEnd = -1;
        int x = 0;   // within the line, before arrangement
        int y = 0;   // top of the line
        int dx = 0;  // set by arrangement
        int dy = 0;
        int cx = 0;
        int cy = 0;
        int nDescent = 0;          // bottom of the piece to its baseline
        BOOL bAfterBreak = FALSE;  // the first piece after a hard line break

        BOOL IsEmpty() const { return nStart == nEnd; }
        CRect GetRect() const { return CRect(x + dx, y + dy, x + dx + cx, y + dy + cy); }
    };

    struct TextLine {
        std::vector<TextPiece> pieces;
        int nWidth = 0;
        int nHeight = 0;
        int nBaseline = 0;      // the largest descent of its pieces
        BOOL bWrapped = FALSE;  // ended because the next word did not fit
    };

    CTkMarkupTextBlock();

    CTkMarkupInlineCollection* GetInlines() const { return m_pInlines; }  // borrowed
    const std::vector<std::unique_ptr<TextLine>>& GetLines() const { return m_lines; }

    // ---- Overrides
    int GetLogicalChildrenCount() const override;
    CTkMarkupObject* GetLogicalChild(int nIndex) const override;
    void SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    BOOL AllowWhiteSpaceContent() const override { return TRUE; }
    // "Text" replaces every inline with one run of the new text.
    void OnPropertyChanged(CTkMarkupDependencyProperty* pProperty, CTkMarkupObject* pOldValue,
                           CTkMarkupObject* pNewValue) override;
    void OnRender(CTkMarkupDrawingContext* pDC) override;
    // The inline under the point, else the block.
    CTkMarkupInputElement* InputHitTestOverride(int x, int y) override;
    void InvalidateMeasureOverride(CTkMarkupDrawingContext* pDC) override;
    CSize MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    CSize ArrangeOverride(int nWidth, int nHeight) override;

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pTextWrappingProperty;
    static CTkMarkupDependencyProperty* s_pTextTrimmingProperty;
    static CTkMarkupDependencyProperty* s_pTextAlignmentProperty;
    static CTkMarkupDependencyProperty* s_pPaddingProperty;
    static CTkMarkupDependencyProperty* s_pTextProperty;

protected:
    ~CTkMarkupTextBlock() override;

private:
    // The working record of one layout.
    struct TextLayoutState {
        CTkMarkupDrawingContext* pDC = nullptr;
        int nWidth = 0;  // the inner width laid out for
        int x = 0;
        int y = 0;
        int nWidest = 0;
        std::unique_ptr<TextLine> pLine;  // the line being filled
        TextPiece current;                // the piece being extended through the current inline
        std::deque<TextPiece> pending;    // the current word's pieces, not yet placed
        BOOL bWrap = FALSE;
        int nTrimming = kMarkupTrimNone;
        BOOL bJustify = FALSE;
    };

    CRect GetPadding() const;
    void FreeLines();
    void Layout(CTkMarkupDrawingContext* pDC, int nWidth);
    void Flush(TextLayoutState& state);
    void FinishLine(TextLayoutState& state);
    void TrimLine(TextLayoutState& state);
    void AddEmptyLinePiece(TextLayoutState& state);
    // A new run of the block's context with the text, a logical child of the block, prepared for measuring.
    CTkMarkupPtr<CTkMarkupRun> MakeOwnRun(TextLayoutState& state, LPCWSTR lpszText);
    static void MeasurePiece(CTkMarkupDrawingContext* pDC, TextPiece& piece);
    void RenderDecoration(CTkMarkupDrawingContext* pDC, const TextLine& line, const TextPiece& piece);

    CTkMarkupInlineCollection* m_pInlines;  // owned; its logical parent is the block
    std::vector<std::unique_ptr<TextLine>> m_lines;
    int m_nLayoutWidth = -1;  // the inner width of the current lines; -1: no valid layout
    int m_nLaidOutWidth = 0;
    int m_nLaidOutHeight = 0;
};
