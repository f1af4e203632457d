#include "TkPaintManagerColor.h"

void CTkPaintManagerColor::ExchangeWithArchive(CArchive& ar) {
    if (ar.IsLoading())
        ar >> m_standardValue >> m_customValue;
    else
        ar << m_standardValue << m_customValue;
}

void CTkPaintManagerColorGradient::ExchangeWithArchive(CArchive& ar) {
    m_firstColor.ExchangeWithArchive(ar);
    m_secondColor.ExchangeWithArchive(ar);
    if (ar.IsLoading())
        ar >> m_splitFactor;
    else
        ar << m_splitFactor;
}

void CTkPaintManagerColorGradient::SetStandardColors(COLORREF first, COLORREF second, float fSplitFactor) {
    m_firstColor.m_standardValue = first;
    m_secondColor.m_standardValue = second;
    m_splitFactor = fSplitFactor;
}

void CTkPaintManagerColorGradient::CopyEffectiveColors(const CTkPaintManagerColorGradient& other) {
    SetStandardColors(other.m_firstColor.GetEffective(), other.m_secondColor.GetEffective(), other.m_splitFactor);
}
