#include "TkProgressOffice2007Theme.h"

#include "TkOffice2007Drawing.h"
#include "TkOffice2007Image.h"
#include "TkOffice2007Images.h"
#include "TkProgressBase.h"

#include <algorithm>

namespace {

constexpr int kTrackInset = 2;
constexpr int kEndCapWidth = 4;  // the chunk image's last columns, drawn where the fill ends
const CRect kChunkMargins(0, 2, 0, 2);

}  // namespace

CTkProgressOffice2007Theme::CTkProgressOffice2007Theme(CTkPaintManager* pOwner) : CTkProgressPaintManager(pOwner) {
    m_nDefaultHeight = 12;
}

int CTkProgressOffice2007Theme::CalcFilledWidth(int nInnerWidth, int nMin, int nMax, int nPos) {
    if (nMax <= nMin || nInnerWidth <= 0)
        return 0;
    return ::MulDiv(nInnerWidth, std::clamp(nPos, nMin, nMax) - nMin, nMax - nMin);
}

void CTkProgressOffice2007Theme::DrawProgress(CDC* pDC, CTkProgressBase* pProgress) {
    const CRect rc = pProgress->GetProgressRect();
    DrawLookImage(pDC, L"PROGRESSTRACK", rc, 0, 1, CRect(kTrackInset, kTrackInset, kTrackInset, kTrackInset), TRUE);
    CTkOffice2007Image* pChunk = GetOffice2007Images()->GetImage(L"PROGRESSCHUNK");
    if (pChunk == nullptr)
        return;
    CRect rcInner = rc;
    rcInner.DeflateRect(kTrackInset, kTrackInset);
    const int nFilled = CalcFilledWidth(rcInner.Width(), pProgress->m_nMin, pProgress->m_nMax, pProgress->m_nPos);
    const CRect rcSource = pChunk->GetSource(0, 1);
    const int nBodyWidth = rcSource.Width() - kEndCapWidth;
    if (nFilled <= 0 || nBodyWidth <= 0 || rcInner.Height() <= 0)
        return;
    // A fill narrower than the body shows the body's right part unstretched.
    CRect rcBody(rcSource.left, rcSource.top, rcSource.left + nBodyWidth, rcSource.bottom);
    if (nFilled < nBodyWidth)
        rcBody.left = rcBody.right - nFilled;
    const int xEnd = rcInner.left + nFilled;
    pChunk->DrawImage(pDC, CRect(rcInner.left, rcInner.top, xEnd, rcInner.bottom), rcBody, kChunkMargins);
    if (xEnd < rcInner.right - 1) {
        const int nCap = std::min(kEndCapWidth, static_cast<int>(rcInner.right - xEnd));
        const CRect rcCap(rcBody.right, rcSource.top, rcBody.right + nCap, rcSource.bottom);
        pChunk->DrawImage(pDC, CRect(xEnd, rcInner.top, xEnd + nCap, rcInner.bottom), rcCap, kChunkMargins);
    }
}
