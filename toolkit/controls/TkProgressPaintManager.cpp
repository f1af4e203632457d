#include "TkProgressPaintManager.h"

#include "TkColorManager.h"
#include "TkProgressBase.h"

#include <algorithm>
#include <vssym32.h>

CTkProgressPaintManager::CTkProgressPaintManager(CTkPaintManager* pOwner) : m_pOwner(pOwner) {
    m_themeProgress.OpenTheme(nullptr, L"PROGRESS");
}

void CTkProgressPaintManager::RefreshMetrics() {
    m_themeProgress.OpenTheme(nullptr, L"PROGRESS");
}

void CTkProgressPaintManager::DrawProgress(CDC* pDC, CTkProgressBase* pProgress) {
    const CRect rc = pProgress->GetProgressRect();
    const int nTheme = m_pOwner != nullptr ? m_pOwner->m_nThemeNumber : kThemeDefault;
    const BOOL bThemed = nTheme != kThemeDefault && nTheme != kThemeOffice && m_themeProgress.IsAppThemed();
    CRect rcInner = rc;
    if (bThemed)
        rcInner.DeflateRect(4, 3);
    else
        rcInner.DeflateRect(2, 2);
    // The saved range and position are drawn sanely: an empty range fills nothing, and a position left
    // outside a range set after it fills no further than the track.
    const int nMin = pProgress->m_nMin;
    const int nMax = pProgress->m_nMax;
    int nFilled = 0;
    if (nMax > nMin) {
        const int nPos = std::clamp(pProgress->m_nPos, nMin, nMax);
        nFilled = ::MulDiv(rcInner.Width(), nPos - nMin, nMax - nMin);
    }
    CTkColorManager* pColors = GetColorManager();
    if (!bThemed) {
        pDC->FillSolidRect(rc, pColors->GetColor(COLOR_BTNFACE));
        const COLORREF clrShadow = pColors->GetColor(COLOR_BTNSHADOW);
        pDC->Draw3dRect(rc, clrShadow, clrShadow);
        if (rcInner.Width() >= 2 && nFilled > 0)
            pDC->FillSolidRect(rcInner.left, rcInner.top, nFilled, rcInner.Height(),
                               pColors->GetColor(COLOR_HIGHLIGHT));
        return;
    }
    m_themeProgress.DrawBackground(pDC->GetSafeHdc(), PP_BAR, 0, rc, nullptr);
    int nChunk = 0;
    if (FAILED(m_themeProgress.GetInt(0, 0, TMT_PROGRESSCHUNKSIZE, &nChunk)) || nChunk <= 0)
        nChunk = std::max(rcInner.Height() * 2 / 3, 1);
    int nGap = 0;
    if (FAILED(m_themeProgress.GetInt(0, 0, TMT_PROGRESSSPACESIZE, &nGap)) || nGap < 0)
        nGap = 2;
    const int nChunks = (nFilled + nGap + nChunk - 1) / (nChunk + nGap);
    for (int i = 0, x = rcInner.left; i < nChunks && x < rcInner.right; ++i, x += nChunk + nGap) {
        const CRect rcChunk(x, rcInner.top, std::min<int>(x + nChunk, rcInner.right - 1), rcInner.bottom);
        m_themeProgress.DrawBackground(pDC->GetSafeHdc(), PP_CHUNK, 0, rcChunk, nullptr);
    }
}
