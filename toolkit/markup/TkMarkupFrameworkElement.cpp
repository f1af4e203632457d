#include "TkMarkupFrameworkElement.h"

#include "TkMarkupConverters.h"

#include "TkMarkupDependencyProperty.h"
#include "TkMarkupType.h"
#include "TkMarkupValues.h"

CTkMarkupDependencyProperty* CTkMarkupFrameworkElement::s_pMarginProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupFrameworkElement::s_pHorizontalAlignmentProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupFrameworkElement::s_pVerticalAlignmentProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupFrameworkElement::s_pWidthProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupFrameworkElement::s_pHeightProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupFrameworkElement::s_pMinWidthProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupFrameworkElement::s_pMinHeightProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupFrameworkElement::s_pMaxWidthProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupFrameworkElement::s_pMaxHeightProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupFrameworkElement::s_pTagProperty = nullptr;

namespace {

// available - margin: an unbounded size stays unbounded, and nothing is left below 0.
int AvailableLessMargin(int nAvailable, int nMargin) {
    if (nAvailable > kMarkupUnboundedLimit || nMargin < -kMarkupUnboundedLimit)
        return kMarkupUnbounded;
    return SaturatedInt(std::max<INT64>(0, static_cast<INT64>(nAvailable) - nMargin));
}

// The offset of an inner size in an outer one; a stretched inner size larger than the outer starts at
// the left or top.
int AlignmentOffset(int nAlignment, int nInner, int nOuter) {
    if (nAlignment == kMarkupAlignStretch && nInner > nOuter)
        nAlignment = kMarkupAlignStart;
    const INT64 nSpare = static_cast<INT64>(nOuter) - nInner;
    switch (nAlignment) {
        case kMarkupAlignStart:
            return 0;
        case kMarkupAlignEnd:
            return SaturatedInt(nSpare);
        default:
            return SaturatedInt(nSpare / 2);  // toward zero
    }
}

}  // namespace

void CTkMarkupFrameworkElement::RegisterProperties() {
    using Metadata = CTkMarkupPropertyMetadata;
    CTkMarkupType* pType = GetClassType();
    s_pMarginProperty = CTkMarkupDependencyProperty::Register(
        L"Margin", CTkMarkupThickness::GetClassType(), pType,
        new Metadata(CTkMarkupThickness::CreateZero(), Metadata::flagAffectsMeasure));
    auto enumProperty = [pType](LPCWSTR lpszName, Metadata::Converter pfnConverter) {
        return CTkMarkupDependencyProperty::Register(lpszName, CTkMarkupEnum::GetClassType(), pType,
                                                     new Metadata(nullptr, pfnConverter, Metadata::flagAffectsArrange));
    };
    s_pHorizontalAlignmentProperty = enumProperty(L"HorizontalAlignment", &ConvertHorizontalAlignment);
    s_pVerticalAlignmentProperty = enumProperty(L"VerticalAlignment", &ConvertVerticalAlignment);
    auto lengthProperty = [pType](LPCWSTR lpszName) {
        return CTkMarkupDependencyProperty::Register(
            lpszName, CTkMarkupInt::GetClassType(), pType,
            new Metadata(nullptr, &ConvertLength, Metadata::flagAffectsMeasure));
    };
    s_pWidthProperty = lengthProperty(L"Width");
    s_pHeightProperty = lengthProperty(L"Height");
    s_pMinWidthProperty = lengthProperty(L"MinWidth");
    s_pMinHeightProperty = lengthProperty(L"MinHeight");
    s_pMaxWidthProperty = lengthProperty(L"MaxWidth");
    s_pMaxHeightProperty = lengthProperty(L"MaxHeight");
    s_pTagProperty = CTkMarkupDependencyProperty::Register(L"Tag", CTkMarkupObject::GetClassType(), pType);
}

CRect CTkMarkupFrameworkElement::GetMargin() const {
    const CTkMarkupObject* pMargin = GetValue(s_pMarginProperty);
    if (pMargin == nullptr || !pMargin->IsKindOf(CTkMarkupThickness::GetClassType()))
        return CRect(0, 0, 0, 0);
    return static_cast<const CTkMarkupThickness*>(pMargin)->GetThickness();
}

int CTkMarkupFrameworkElement::GetHorizontalAlignment() const {
    return MarkupEnumOr(GetValue(s_pHorizontalAlignmentProperty), kMarkupAlignStretch);
}

int CTkMarkupFrameworkElement::GetVerticalAlignment() const {
    return MarkupEnumOr(GetValue(s_pVerticalAlignmentProperty), kMarkupAlignStretch);
}

CSize CTkMarkupFrameworkElement::MeasureOverride(CTkMarkupDrawingContext* /*pDC*/, int /*nWidth*/, int /*nHeight*/) {
    return CSize(0, 0);
}

CSize CTkMarkupFrameworkElement::ArrangeOverride(int nWidth, int nHeight) {
    return CSize(nWidth, nHeight);
}

void CTkMarkupFrameworkElement::OnPropertyChanged(CTkMarkupDependencyProperty* pProperty, CTkMarkupObject* pOldValue,
                                                  CTkMarkupObject* pNewValue) {
    CTkMarkupUIElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
    UpdateTriggers(pProperty, pNewValue);
    const DWORD dwFlags = pProperty->GetFlags();
    if ((dwFlags & CTkMarkupPropertyMetadata::flagAffectsMeasure) != 0)
        InvalidateMeasure();
    if ((dwFlags & CTkMarkupPropertyMetadata::flagAffectsArrange) != 0)
        InvalidateArrange();
    if ((dwFlags & CTkMarkupPropertyMetadata::flagAffectsRender) != 0)
        InvalidateVisual();
}

void CTkMarkupFrameworkElement::UpdateSizeLimits() {
    auto limits = [this](CTkMarkupDependencyProperty* pSize, CTkMarkupDependencyProperty* pMin,
                         CTkMarkupDependencyProperty* pMax, int& nMinimum, int& nMaximum) {
        const int nMinValue = MarkupIntOr(GetValue(pMin), 0);
        nMaximum = std::max(nMinValue, std::min(MarkupIntOr(GetValue(pSize), kMarkupUnbounded),
                                                MarkupIntOr(GetValue(pMax), kMarkupUnbounded)));
        nMinimum = std::max(nMinValue, std::min(MarkupIntOr(GetValue(pSize), 0), nMaximum));
    };
    limits(s_pWidthProperty, s_pMinWidthProperty, s_pMaxWidthProperty, m_nMinWidth, m_nMaxWidth);
    limits(s_pHeightProperty, s_pMinHeightProperty, s_pMaxHeightProperty, m_nMinHeight, m_nMaxHeight);
}

CSize CTkMarkupFrameworkElement::MeasureCore(CTkMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) {
    const CRect rcMargin = GetMargin();
    const int mw = SaturatedInt(static_cast<INT64>(rcMargin.left) + rcMargin.right);
    const int mh = SaturatedInt(static_cast<INT64>(rcMargin.top) + rcMargin.bottom);
    UpdateSizeLimits();
    const int nFrameWidth = std::max(m_nMinWidth, std::min(AvailableLessMargin(nAvailableWidth, mw), m_nMaxWidth));
    const int nFrameHeight = std::max(m_nMinHeight, std::min(AvailableLessMargin(nAvailableHeight, mh), m_nMaxHeight));
    CSize szContent = MeasureOverride(pDC, nFrameWidth, nFrameHeight);
    szContent.cx = std::max<int>(szContent.cx, m_nMinWidth);
    szContent.cy = std::max<int>(szContent.cy, m_nMinHeight);

    m_bLayoutClip = FALSE;
    m_bUnclippedValid = FALSE;
    INT64 nWidth = static_cast<INT64>(mw) + std::min<int>(m_nMaxWidth, szContent.cx);
    INT64 nHeight = static_cast<INT64>(mh) + std::min<int>(m_nMaxHeight, szContent.cy);
    BOOL bClipped = m_nMaxWidth < szContent.cx || m_nMaxHeight < szContent.cy;
    if (nWidth > nAvailableWidth) {
        nWidth = nAvailableWidth;
        bClipped = TRUE;
    }
    if (nHeight > nAvailableHeight) {
        nHeight = nAvailableHeight;
        bClipped = TRUE;
    }
    if (nWidth < 0 || nHeight < 0)
        bClipped = TRUE;
    if (bClipped) {
        m_bLayoutClip = TRUE;
        m_bUnclippedValid = TRUE;
        m_szUnclipped = szContent;
    }
    return CSize(SaturatedInt(std::max<INT64>(0, nWidth)), SaturatedInt(std::max<INT64>(0, nHeight)));
}

void CTkMarkupFrameworkElement::ArrangeCore(const CRect& rc) {
    const CRect rcMargin = GetMargin();
    const INT64 mw = static_cast<INT64>(rcMargin.left) + rcMargin.right;
    const INT64 mh = static_cast<INT64>(rcMargin.top) + rcMargin.bottom;
    const int cw = SaturatedInt(std::max<INT64>(0, static_cast<INT64>(rc.right) - rc.left - mw));
    const int ch = SaturatedInt(std::max<INT64>(0, static_cast<INT64>(rc.bottom) - rc.top - mh));
    const CSize szUnclipped =
        m_bUnclippedValid ? m_szUnclipped : CSize(SaturatedInt(m_szDesired.cx - mw), SaturatedInt(m_szDesired.cy - mh));
    int aw = cw;
    int ah = ch;
    if (aw < szUnclipped.cx) {
        aw = szUnclipped.cx;
        m_bLayoutClip = TRUE;
    }
    if (ah < szUnclipped.cy) {
        ah = szUnclipped.cy;
        m_bLayoutClip = TRUE;
    }
    const int nHorizontal = GetHorizontalAlignment();
    const int nVertical = GetVerticalAlignment();
    if (nHorizontal != kMarkupAlignStretch)
        aw = szUnclipped.cx;
    if (nVertical != kMarkupAlignStretch)
        ah = szUnclipped.cy;
    if (aw > std::max<int>(m_nMaxWidth, szUnclipped.cx)) {
        aw = std::max<int>(m_nMaxWidth, szUnclipped.cx);
        m_bLayoutClip = TRUE;
    }
    if (ah > std::max<int>(m_nMaxHeight, szUnclipped.cy)) {
        ah = std::max<int>(m_nMaxHeight, szUnclipped.cy);
        m_bLayoutClip = TRUE;
    }
    m_szRender = ArrangeOverride(aw, ah);
    const int kw = std::min<int>(m_szRender.cx, m_nMaxWidth);
    const int kh = std::min<int>(m_szRender.cy, m_nMaxHeight);
    if (kw < m_szRender.cx || kh < m_szRender.cy || cw < kw || ch < kh)
        m_bLayoutClip = TRUE;
    m_ptVisualOffset.x =
        SaturatedInt(static_cast<INT64>(rc.left) + rcMargin.left + AlignmentOffset(nHorizontal, kw, cw));
    m_ptVisualOffset.y = SaturatedInt(static_cast<INT64>(rc.top) + rcMargin.top + AlignmentOffset(nVertical, kh, ch));
}

BOOL CTkMarkupFrameworkElement::GetLayoutClip(CRect& rcClip) const {
    if (CTkMarkupUIElement::GetLayoutClip(rcClip))
        return TRUE;
    const BOOL bClipToBounds = MarkupBoolOr(GetValue(s_pClipToBoundsProperty), FALSE);
    if (!bClipToBounds && !m_bLayoutClip)
        return FALSE;
    const int nMaxWidth = m_nMaxWidth == kMarkupUnbounded ? m_szRender.cx : m_nMaxWidth;
    const int nMaxHeight = m_nMaxHeight == kMarkupUnbounded ? m_szRender.cy : m_nMaxHeight;
    const BOOL bMaxClip = bClipToBounds || nMaxWidth < m_szRender.cx || nMaxHeight < m_szRender.cy;
    const int kw = std::min<int>(m_szRender.cx, m_nMaxWidth);
    const int kh = std::min<int>(m_szRender.cy, m_nMaxHeight);
    const CRect rcMargin = GetMargin();
    const int cw = SaturatedInt(
        std::max<INT64>(0, static_cast<INT64>(m_rcFinal.right) - m_rcFinal.left - rcMargin.left - rcMargin.right));
    const int ch = SaturatedInt(
        std::max<INT64>(0, static_cast<INT64>(m_rcFinal.bottom) - m_rcFinal.top - rcMargin.top - rcMargin.bottom));
    const BOOL bClientClip = bClipToBounds || cw < kw || ch < kh;
    const CRect rcMax(0, 0, nMaxWidth, nMaxHeight);
    if (!bClientClip) {
        if (!bMaxClip)
            return FALSE;
        rcClip = rcMax;
        return TRUE;
    }
    const int ox = AlignmentOffset(GetHorizontalAlignment(), kw, cw);
    const int oy = AlignmentOffset(GetVerticalAlignment(), kh, ch);
    rcClip.SetRect(-ox, -oy, cw - ox, ch - oy);
    if (bMaxClip)
        rcClip.IntersectRect(rcClip, rcMax);
    return TRUE;
}
