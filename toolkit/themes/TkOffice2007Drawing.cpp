#include "TkOffice2007Drawing.h"

#include "TkOffice2007Image.h"
#include "TkOffice2007Images.h"

CSize GetLookImageStateSize(LPCTSTR lpszName, int nStates) {
    CTkOffice2007Image* pImage = GetOffice2007Images()->GetImage(lpszName);
    return pImage != nullptr ? pImage->GetSource(0, nStates).Size() : CSize(0, 0);
}

BOOL DrawLookImage(CDC* pDC, LPCTSTR lpszName, const CRect& rcDest, int nState, int nStates, const CRect& rcMargins,
                   BOOL bKeyed) {
    CTkOffice2007Image* pImage = GetOffice2007Images()->GetImage(lpszName);
    if (pImage == nullptr)
        return FALSE;
    const CRect rcSrc = pImage->GetSource(nState, nStates);
    if (bKeyed)
        pImage->DrawImageKeyed(pDC, rcDest, rcSrc, rcMargins, kLookKeyColor);
    else
        pImage->DrawImage(pDC, rcDest, rcSrc, rcMargins);
    return TRUE;
}

BOOL DrawLookImageCentered(CDC* pDC, LPCTSTR lpszName, const CRect& rc, int nState, int nStates) {
    const CSize size = GetLookImageStateSize(lpszName, nStates);
    if (size.cx == 0)
        return FALSE;
    const CPoint pt(rc.left + (rc.Width() - size.cx) / 2, rc.top + (rc.Height() - size.cy) / 2);
    return DrawLookImage(pDC, lpszName, CRect(pt, size), nState, nStates, CRect(0, 0, 0, 0), TRUE);
}
