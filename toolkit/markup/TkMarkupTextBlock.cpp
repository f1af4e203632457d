#include "TkMarkupTextBlock.h"

#include "TkMarkupBrush.h"
#include "TkMarkupContext.h"
#include "TkMarkupConverters.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupDrawingContext.h"
#include "TkMarkupRun.h"
#include "TkMarkupType.h"
#include "TkMarkupValues.h"

#include <numeric>

CTkMarkupDependencyProperty* CTkMarkupTextBlock::s_pTextWrappingProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupTextBlock::s_pTextTrimmingProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupTextBlock::s_pTextAlignmentProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupTextBlock::s_pPaddingProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupTextBlock::s_pTextProperty = nullptr;

void CTkMarkupTextBlock::RegisterProperties() {
    using Metadata = CTkMarkupPropertyMetadata;
    CTkMarkupType::EnsureRegistered(CTkMarkupTextElement::GetClassType());
    CTkMarkupType* pType = GetClassType();
    for (CTkMarkupDependencyProperty* pShared :
         {CTkMarkupTextElement::s_pBackgroundProperty, CTkMarkupTextElement::s_pForegroundProperty,
          CTkMarkupTextElement::s_pFontSizeProperty, CTkMarkupTextElement::s_pFontWeightProperty,
          CTkMarkupTextElement::s_pFontQualityProperty, CTkMarkupTextElement::s_pFontFamilyProperty,
          CTkMarkupTextElement::s_pFontStyleProperty, CTkMarkupTextElement::s_pTextDecorationsProperty})
        pShared->AddOwner(pType);
    CTkMarkupType* pEnum = CTkMarkupEnum::GetClassType();
    s_pTextWrappingProperty = CTkMarkupDependencyProperty::Register(
        L"TextWrapping", pEnum, pType, new Metadata(nullptr, &ConvertTextWrapping, Metadata::flagAffectsMeasure));
    s_pTextTrimmingProperty = CTkMarkupDependencyProperty::Register(
        L"TextTrimming", pEnum, pType, new Metadata(nullptr, &ConvertTextTrimming, Metadata::flagAffectsMeasure));
    s_pTextAlignmentProperty = CTkMarkupDependencyProperty::Register(
        L"TextAlignment", pEnum, pType, new Metadata(nullptr, &ConvertTextAlignment, Metadata::flagAffectsArrange));
    s_pPaddingProperty = CTkMarkupDependencyProperty::Register(
        L"Padding", CTkMarkupThickness::GetClassType(), pType,
        new Metadata(CTkMarkupThickness::CreateZero(), Metadata::flagAffectsMeasure));
    s_pTextProperty = CTkMarkupDependencyProperty::Register(L"Text", CTkMarkupString::GetClassType(), pType,
                                                            new Metadata(nullptr, Metadata::flagAffectsMeasure));
}

CTkMarkupTextBlock::CTkMarkupTextBlock() : m_pInlines(new CTkMarkupInlineCollection) {
    m_pInlines->SetLogicalParent(this);
}

CTkMarkupTextBlock::~CTkMarkupTextBlock() {
    FreeLines();
    m_pInlines->SetLogicalParent(nullptr);
    m_pInlines->Release();
}

void CTkMarkupTextBlock::FreeLines() {
    // The block's own runs (empty line, ellipsis) may outlive it as the context's hot element.
    for (const auto& pLine : m_lines) {
        for (TextPiece& piece : pLine->pieces) {
            if (piece.inline_->GetLogicalParent() == this)
                piece.inline_->SetLogicalParent(nullptr);
        }
    }
    m_lines.clear();
}

// ---- Content

int CTkMarkupTextBlock::GetLogicalChildrenCount() const {
    return 1;
}

CTkMarkupObject* CTkMarkupTextBlock::GetLogicalChild(int nIndex) const {
    return nIndex == 0 ? m_pInlines : nullptr;
}

void CTkMarkupTextBlock::SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) {
    m_pInlines->SetContentObject(pBuilder, pContent);
}

BOOL CTkMarkupTextBlock::HasContentObject() const {
    return m_pInlines->GetCount() > 0;
}

void CTkMarkupTextBlock::OnPropertyChanged(CTkMarkupDependencyProperty* pProperty, CTkMarkupObject* pOldValue,
                                           CTkMarkupObject* pNewValue) {
    if (pProperty == s_pTextProperty) {
        m_pInlines->RemoveAll();
        auto run = CTkMarkupPtr<CTkMarkupRun>::Adopt(
            static_cast<CTkMarkupRun*>(CreateMarkupObjectOf(GetMarkupContext(), CTkMarkupRun::GetClassType())));
        if (pNewValue != nullptr && pNewValue->IsKindOf(CTkMarkupString::GetClassType()))
            run->SetText(static_cast<CTkMarkupString*>(pNewValue));
        m_pInlines->Add(run.Detach());
    }
    CTkMarkupFrameworkElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
}

CRect CTkMarkupTextBlock::GetPadding() const {
    const CTkMarkupObject* pPadding = GetValue(s_pPaddingProperty);
    if (pPadding == nullptr || !pPadding->IsKindOf(CTkMarkupThickness::GetClassType()))
        return CRect(0, 0, 0, 0);
    return static_cast<const CTkMarkupThickness*>(pPadding)->GetThickness();
}

// ---- Measuring

void CTkMarkupTextBlock::InvalidateMeasureOverride(CTkMarkupDrawingContext* pDC) {
    m_nLayoutWidth = -1;
    CTkMarkupFrameworkElement::InvalidateMeasureOverride(pDC);
}

CSize CTkMarkupTextBlock::MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int /*nHeight*/) {
    const CRect rcPadding = GetPadding();
    const INT64 nHorizontal = static_cast<INT64>(rcPadding.left) + rcPadding.right;
    const INT64 nVertical = static_cast<INT64>(rcPadding.top) + rcPadding.bottom;
    Layout(pDC, SaturatedInt(std::max<INT64>(0, nWidth - nHorizontal)));
    return CSize(SaturatedInt(nHorizontal + m_nLaidOutWidth), SaturatedInt(nVertical + m_nLaidOutHeight));
}

void CTkMarkupTextBlock::MeasurePiece(CTkMarkupDrawingContext* pDC, TextPiece& piece) {
    const CSize size = piece.inline_->MeasureInline(pDC, piece.nStart, piece.nEnd);
    piece.cx = size.cx;
    piece.cy = size.cy;
    piece.nDescent = piece.inline_->GetBaselineOffset();
}

CTkMarkupPtr<CTkMarkupRun> CTkMarkupTextBlock::MakeOwnRun(TextLayoutState& state, LPCWSTR lpszText) {
    auto run = CTkMarkupPtr<CTkMarkupRun>::Adopt(
        static_cast<CTkMarkupRun*>(CreateMarkupObjectOf(GetMarkupContext(), CTkMarkupRun::GetClassType())));
    run->SetText(lpszText);
    run->SetLogicalParent(this);  // so it takes the block's font
    run->PrepareMeasure(state.pDC);
    return run;
}

void CTkMarkupTextBlock::AddEmptyLinePiece(TextLayoutState& state) {
    TextPiece piece;
    piece.inline_ = MakeOwnRun(state, L" ");
    piece.nStart = piece.nEnd = piece.inline_->GetFirstPosition();
    MeasurePiece(state.pDC, piece);
    state.pending.push_back(std::move(piece));
}

void CTkMarkupTextBlock::Layout(CTkMarkupDrawingContext* pDC, int nWidth) {
    TextLayoutState state;
    state.pDC = pDC;
    state.nWidth = nWidth;
    state.bWrap = MarkupEnumOr(GetValue(s_pTextWrappingProperty), kMarkupNoWrap) == kMarkupWrap;
    state.nTrimming = state.bWrap ? kMarkupTrimNone : MarkupEnumOr(GetValue(s_pTextTrimmingProperty), kMarkupTrimNone);
    state.bJustify =
        state.bWrap && MarkupEnumOr(GetValue(s_pTextAlignmentProperty), kMarkupTextLeft) == kMarkupTextJustify;

    const BOOL bForced = pDC->IsLayoutForced();
    const BOOL bAnyWidth = !state.bWrap && state.nTrimming == kMarkupTrimNone;
    if (!bForced && m_nLayoutWidth != -1 && (m_nLayoutWidth == nWidth || bAnyWidth))
        return;

    m_nLayoutWidth = nWidth;
    FreeLines();
    state.pLine = std::make_unique<TextLine>();

    if (m_pInlines->GetCount() == 0) {
        AddEmptyLinePiece(state);
    } else {
        for (CTkMarkupInline* pInline = m_pInlines->GetItem(0)->GetFirstInline(); pInline != nullptr;
             pInline = CTkMarkupInline::GetNextInline(pInline)) {
            pInline->PrepareMeasure(pDC);
            int nPosition = pInline->GetFirstPosition();
            state.current = TextPiece();
            state.current.inline_ = CTkMarkupPtr<CTkMarkupInline>::Retain(pInline);
            state.current.nStart = state.current.nEnd = nPosition;
            while (nPosition != CTkMarkupInline::kNoPosition) {
                state.current.nEnd = nPosition;
                if (state.bWrap && pInline->IsWordBreakPosition(nPosition)) {
                    // The breaking character starts the next piece.
                    MeasurePiece(pDC, state.current);
                    Flush(state);
                }
                if (pInline->IsLineBreakPosition(nPosition)) {
                    MeasurePiece(pDC, state.current);
                    Flush(state);
                    if (state.pLine->pieces.empty()) {
                        AddEmptyLinePiece(state);
                        Flush(state);
                    }
                    FinishLine(state);
                    pInline->GetNextPosition(nPosition);
                    state.current.nStart = state.current.nEnd = nPosition;
                    state.current.bAfterBreak = TRUE;
                } else {
                    pInline->GetNextPosition(nPosition);
                }
            }
            if (!state.current.IsEmpty() || state.current.bAfterBreak) {
                MeasurePiece(pDC, state.current);
                state.pending.push_back(std::move(state.current));
            }
            state.current = TextPiece();
        }
    }
    Flush(state);
    FinishLine(state);

    if (bForced)
        m_nLayoutWidth = -1;
    m_nLaidOutWidth = state.nWidest;
    m_nLaidOutHeight = state.y;
}

void CTkMarkupTextBlock::Flush(TextLayoutState& state) {
    TextPiece& current = state.current;
    if (current.inline_ && (!current.IsEmpty() || current.bAfterBreak)) {
        TextPiece next;
        next.inline_ = current.inline_;
        next.nStart = next.nEnd = current.nEnd;
        state.pending.push_back(std::exchange(current, std::move(next)));
    }
    while (!state.pending.empty()) {
        if (state.bWrap && state.x > 0) {
            INT64 nPendingWidth = 0;
            for (const TextPiece& piece : state.pending)
                nPendingWidth += piece.cx;
            if (state.x + nPendingWidth > state.nWidth) {
                state.pLine->bWrapped = TRUE;
                FinishLine(state);
            }
        }
        TextPiece piece = std::move(state.pending.front());
        state.pending.pop_front();
        CTkMarkupInline* pInline = piece.inline_.Get();
        if (state.x == 0 && state.y > 0 && pInline->IsWhiteSpacePosition(piece.nStart)) {
            // Leading white space is dropped on every line but the first.
            while (piece.nStart != piece.nEnd && pInline->IsWhiteSpacePosition(piece.nStart))
                pInline->GetNextPosition(piece.nStart);
            if (piece.IsEmpty())
                continue;
            const int nDescent = piece.nDescent;
            MeasurePiece(state.pDC, piece);
            piece.nDescent = nDescent;
        }
        std::vector<TextPiece>& pieces = state.pLine->pieces;
        if (!state.bJustify && !pieces.empty() && pieces.back().inline_.Get() == pInline &&
            pieces.back().nEnd == piece.nStart && !piece.bAfterBreak) {
            TextPiece& last = pieces.back();
            const int nOldWidth = last.cx;
            last.nEnd = piece.nEnd;
            MeasurePiece(state.pDC, last);
            state.x = SaturatedInt(static_cast<INT64>(state.x) + last.cx - nOldWidth);
            continue;
        }
        piece.x = state.x;
        piece.y = state.y;
        state.x = SaturatedInt(static_cast<INT64>(state.x) + piece.cx);
        pieces.push_back(std::move(piece));
    }
}

void CTkMarkupTextBlock::FinishLine(TextLayoutState& state) {
    TextLine& line = *state.pLine;
    if (line.pieces.empty())
        return;
    if (state.nTrimming != kMarkupTrimNone && state.x > state.nWidth)
        TrimLine(state);
    INT64 nWidth = 0;
    int nAscent = 0;
    line.nBaseline = 0;
    for (const TextPiece& piece : line.pieces) {
        nWidth += piece.cx;
        line.nBaseline = std::max(line.nBaseline, piece.nDescent);
        nAscent = std::max(nAscent, piece.cy - piece.nDescent);
    }
    line.nWidth = SaturatedInt(nWidth);
    line.nHeight = SaturatedInt(static_cast<INT64>(line.nBaseline) + nAscent);
    state.nWidest = std::max(state.nWidest, line.nWidth);
    state.x = 0;
    state.y = SaturatedInt(static_cast<INT64>(state.y) + line.nHeight);
    m_lines.push_back(std::exchange(state.pLine, std::make_unique<TextLine>()));
}

void CTkMarkupTextBlock::TrimLine(TextLayoutState& state) {
    TextPiece ellipsis;
    ellipsis.inline_ = MakeOwnRun(state, L"...");
    ellipsis.nStart = ellipsis.inline_->GetFirstPosition();
    ellipsis.nEnd = ellipsis.nStart;
    for (int i = 0; i < 3; i++)
        ellipsis.inline_->GetNextPosition(ellipsis.nEnd);
    MeasurePiece(state.pDC, ellipsis);
    const INT64 nBudget = static_cast<INT64>(state.nWidth) - ellipsis.cx;

    std::vector<TextPiece>& pieces = state.pLine->pieces;
    INT64 nLeft = 0;
    for (size_t i = 0; i < pieces.size(); i++) {
        TextPiece& piece = pieces[i];
        if (nLeft + piece.cx <= nBudget) {
            nLeft += piece.cx;
            continue;
        }
        CTkMarkupInline* pInline = piece.inline_.Get();
        int nCut = i > 0 ? piece.nStart : CTkMarkupInline::kNoPosition;
        int nLastFit = piece.nStart;
        for (int nEnd = piece.nStart; nEnd != CTkMarkupInline::kNoPosition; pInline->GetNextPosition(nEnd)) {
            if (nLeft + pInline->MeasureInline(state.pDC, piece.nStart, nEnd).cx > nBudget)
                break;
            nLastFit = nEnd;
            if (state.nTrimming == kMarkupWordEllipsis && pInline->IsWordBreakPosition(nEnd))
                nCut = nEnd;
        }
        const BOOL bAtWord = state.nTrimming == kMarkupWordEllipsis && nCut != CTkMarkupInline::kNoPosition;
        piece.nEnd = bAtWord ? nCut : nLastFit;
        MeasurePiece(state.pDC, piece);
        nLeft += piece.cx;
        for (size_t j = i + 1; j < pieces.size(); j++) {
            if (pieces[j].inline_->GetLogicalParent() == this)
                pieces[j].inline_->SetLogicalParent(nullptr);
        }
        pieces.resize(i + 1);
        break;
    }
    ellipsis.x = SaturatedInt(nLeft);
    ellipsis.y = state.y;
    pieces.push_back(std::move(ellipsis));
}

// ---- Arranging

CSize CTkMarkupTextBlock::ArrangeOverride(int nWidth, int nHeight) {
    const CRect rcPadding = GetPadding();
    const int nAlignment = MarkupEnumOr(GetValue(s_pTextAlignmentProperty), kMarkupTextLeft);
    for (const auto& pLine : m_lines) {
        TextLine& line = *pLine;
        INT64 nFree = static_cast<INT64>(nWidth) - line.nWidth - rcPadding.left - rcPadding.right;
        INT64 nOffset = nAlignment == kMarkupTextRight ? nFree : nAlignment == kMarkupTextCenter ? nFree / 2 : 0;
        const BOOL bJustify =
            nAlignment == kMarkupTextJustify && line.bWrapped && static_cast<INT64>(nWidth) - line.nWidth > 0;
        INT64 nGaps = -1;
        for (const TextPiece& piece : line.pieces)
            nGaps += piece.bAfterBreak ? 0 : 1;
        BOOL bSeenWord = FALSE;
        for (TextPiece& piece : line.pieces) {
            INT64 dx = rcPadding.left + nOffset;
            INT64 dy = static_cast<INT64>(line.nHeight) - piece.cy + rcPadding.top;
            if (bJustify && !piece.bAfterBreak) {
                if (bSeenWord && nGaps > 0 && nFree > 0) {
                    const INT64 nStep = std::max<INT64>(nFree / nGaps, 1);
                    dx += nStep;
                    nOffset += nStep;
                    nFree -= nStep;
                    nGaps--;
                }
                bSeenWord = TRUE;
            }
            switch (piece.inline_->GetBaselineAlignment()) {
                case kMarkupBaselineTop:
                case kMarkupBaselineTextTop:
                    dy += static_cast<INT64>(piece.cy) - line.nHeight;
                    break;
                case kMarkupBaselineCenter:
                    dy += (static_cast<INT64>(piece.cy) - line.nHeight) / 2;
                    break;
                case kMarkupBaselineSubscript:
                    dy += piece.nDescent - line.nBaseline / 2;
                    break;
                case kMarkupBaselineSuperscript:
                    dy += static_cast<INT64>(line.nBaseline / 2) + piece.cy - piece.nDescent - line.nHeight;
                    break;
                case kMarkupBaselineBottom:
                case kMarkupBaselineTextBottom:
                    break;
                default:  // Baseline
                    dy += piece.nDescent - line.nBaseline;
                    break;
            }
            piece.dx = SaturatedInt(dx);
            piece.dy = SaturatedInt(dy);
            piece.inline_->ArrangeInline(piece.GetRect(), piece.nStart, piece.nEnd);
        }
    }
    return CSize(nWidth, nHeight);
}

// ---- Drawing and hit testing

void CTkMarkupTextBlock::OnRender(CTkMarkupDrawingContext* pDC) {
    CTkMarkupBrush* pBackground = nullptr;
    if (CTkMarkupObject* pValue = GetValue(CTkMarkupTextElement::s_pBackgroundProperty)) {
        if (pValue->IsKindOf(CTkMarkupBrush::GetClassType()))
            pBackground = static_cast<CTkMarkupBrush*>(pValue);
    }
    if (pBackground != nullptr)
        pDC->FillRectangle(pBackground, CRect(CPoint(0, 0), m_szRender));
    CTkMarkupContext* pContext = GetMarkupContext();
    const COLORREF clrDefault = pContext != nullptr ? pContext->GetDefaultTextColor() : 0;
    for (const auto& pLine : m_lines) {
        for (const TextPiece& piece : pLine->pieces) {
            const CRect rc = piece.GetRect();
            CRect rcVisible;
            if (!rcVisible.IntersectRect(rc, pDC->GetClipBox()))
                continue;
            CTkMarkupInline* pInline = piece.inline_.Get();
            CTkMarkupBrush* pPieceBackground = pInline->GetBackground();
            if (pPieceBackground != nullptr && pPieceBackground != pBackground)
                pDC->FillRectangle(pPieceBackground, rc);
            const CTkMarkupBrush* pForeground = pInline->GetForeground();
            ::SetTextColor(pDC->GetSafeHdc(), pForeground != nullptr ? pForeground->GetColor() : clrDefault);
            pInline->RenderInline(pDC, rc, piece.nStart, piece.nEnd);
            RenderDecoration(pDC, *pLine, piece);
        }
    }
}

void CTkMarkupTextBlock::RenderDecoration(CTkMarkupDrawingContext* pDC, const TextLine& line, const TextPiece& piece) {
    CTkMarkupInline* pInline = piece.inline_.Get();
    const int nDecoration =
        MarkupEnumOr(pInline->GetValue(CTkMarkupTextElement::s_pTextDecorationsProperty), kMarkupNoDecoration);
    CTkMarkupObject* pOwner = pInline->FindValueOwner(CTkMarkupTextElement::s_pTextDecorationsProperty);
    if (nDecoration == kMarkupNoDecoration || pOwner == nullptr)
        return;
    const CRect rc = piece.GetRect();
    const int t = std::max(line.nBaseline / 3, 1);
    int nTop = 0;
    if (nDecoration == kMarkupUnderline)
        nTop = rc.bottom - piece.nDescent + t;
    else if (nDecoration == kMarkupStrikethrough)
        nTop = rc.bottom - piece.nDescent + line.nBaseline - (line.nHeight - line.nBaseline) / 2;
    else
        return;
    const CRect rcBar(rc.left, nTop, rc.right, nTop + t);
    CTkMarkupObject* pBrush = pOwner->GetValue(CTkMarkupTextElement::s_pForegroundProperty);
    if (pBrush != nullptr && pBrush->IsKindOf(CTkMarkupBrush::GetClassType())) {
        pDC->FillRectangle(static_cast<CTkMarkupBrush*>(pBrush), rcBar);
    } else {
        CTkMarkupContext* pContext = GetMarkupContext();
        pDC->FillSolidRect(rcBar, pContext != nullptr ? pContext->GetDefaultTextColor() : 0);
    }
}

CTkMarkupInputElement* CTkMarkupTextBlock::InputHitTestOverride(int x, int y) {
    for (const auto& pLine : m_lines) {
        for (const TextPiece& piece : pLine->pieces) {
            if (piece.GetRect().PtInRect(CPoint(x, y)))
                return piece.inline_->HitTest(x, y);
        }
    }
    return this;
}
