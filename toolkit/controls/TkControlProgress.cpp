#include "TkControlProgress.h"

#include "TkPaintManager.h"
#include "TkProgressPaintManager.h"
#include "TkPropExchange.h"

IMPLEMENT_SERIAL(CTkControlProgress, CTkControl, VERSIONABLE_SCHEMA | 33)

CTkControlProgress::CTkControlProgress() {
    m_nWidth = 100;
}

CTkProgressPaintManager* CTkControlProgress::GetProgressPaintManager() {
    CTkPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager != nullptr ? dynamic_cast<CTkProgressPaintManager*>(pPaintManager->m_pProgressPaintManager)
                                    : nullptr;
}

CSize CTkControlProgress::GetSize(CDC* pDC) {
    if (m_nHeight > 0)
        return CSize(m_nWidth, m_nHeight);
    CTkProgressPaintManager* pPainter = GetProgressPaintManager();
    return CSize(m_nWidth, pPainter != nullptr ? pPainter->m_nDefaultHeight : 0);
}

void CTkControlProgress::Draw(CDC* pDC) {
    if (CTkProgressPaintManager* pPainter = GetProgressPaintManager())
        pPainter->DrawProgress(pDC, this);
}

void CTkControlProgress::CopyFrom(CTkControl* pSource, BOOL bRecursive) {
    CTkControl::CopyFrom(pSource, bRecursive);
    if (auto* pProgress = DYNAMIC_DOWNCAST(CTkControlProgress, pSource)) {
        SetRange(pProgress->m_nMin, pProgress->m_nMax);
        SetPos(pProgress->m_nPos);
    }
}

void CTkControlProgress::ExchangeProperties(CTkPropExchange* pPX) {
    CTkControl::ExchangeProperties(pPX);
    // Straight into the fields: a loaded position is kept as saved.
    ExchangeInt(pPX, L"Min", m_nMin, 0);
    ExchangeInt(pPX, L"Max", m_nMax, 100);
    ExchangeInt(pPX, L"Pos", m_nPos, 0);
}
