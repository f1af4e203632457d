// CTkOffice2007Theme: the status bar, the information area, its small buttons and the workspace.
#include "TkOffice2007Theme.h"

#include "TkDCWrappers.h"
#include "TkDrawHelpers.h"
#include "TkOffice2007Drawing.h"
#include "TkStatusBarParts.h"
#include "TkWindowFunctions.h"

namespace {

constexpr int kSeparatorColor = 39;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kStatusTopRows = 8;

// A colour the look does not name is not drawn.
void FillIfSet(CDC* pDC, const CRect& rc, COLORREF clr) {
    if (clr != kColorUnset && !rc.IsRectEmpty())
        pDC->FillSolidRect(rc, clr);
}

void FrameIfSet(CDC* pDC, const CRect& rc, COLORREF clr) {
    if (clr != kColorUnset)
        pDC->Draw3dRect(rc, clr, clr);
}

void FillVertical(CDC* pDC, const CRect& rc, COLORREF clrTop, COLORREF clrBottom) {
    if (clrTop != kColorUnset && clrBottom != kColorUnset)
        GetDrawHelpers()->FillGradient(pDC, &rc, clrTop, clrBottom, FALSE);
}

void FillVertical(CDC* pDC, const CRect& rc, const CTkPaintManagerColorGradient& gradient) {
    if (gradient.m_firstColor.GetEffective() != kColorUnset && gradient.m_secondColor.GetEffective() != kColorUnset)
        GetDrawHelpers()->FillColorGradient(pDC, &rc, gradient, FALSE, nullptr);
}

}  // namespace

void CTkOffice2007Theme::FillStatusBar(CDC* pDC, CTkStatusBar* pStatusBar) {
    const CRect rc = pStatusBar->m_rcClient;
    FillIfSet(pDC, CRect(rc.left, rc.top, rc.right, rc.top + 1), m_clrStatusBarLine);
    const int yTopEnd = std::min<int>(rc.top + 1 + kStatusTopRows, rc.bottom);
    FillVertical(pDC, CRect(rc.left, rc.top + 1, rc.right, yTopEnd), m_grcStatusBarTop);
    FillVertical(pDC, CRect(rc.left, yTopEnd, rc.right, rc.bottom), m_grcStatusBarBottom);
}

void CTkOffice2007Theme::PaintStatusPaneFrame(CDC* pDC, CRect rc, CTkStatusBarPane* pPane, BOOL) {
    if (pPane != nullptr && pPane->bNoBorders)
        return;
    const int nBottom = rc.top + rc.Height() - 2;
    FillIfSet(pDC, CRect(rc.right - 2, rc.top, rc.right - 1, nBottom), LookupColor(kSeparatorColor));
    pDC->FillSolidRect(CRect(rc.right - 1, rc.top, rc.right, nBottom), kWhite);
}

// Six dots in a triangle pointing at the corner: rows of 3, 2 and 1 from the bottom.
void CTkOffice2007Theme::PaintSizeGripper(CDC* pDC, CRect rc) {
    const COLORREF clrShade = LookupColor(kSeparatorColor);
    for (int nRow = 0; nRow < 3; ++nRow) {
        for (int nColumn = 0; nColumn < 3 - nRow; ++nColumn) {
            const int x = rc.right - 5 - 4 * nColumn;
            const int y = rc.bottom - 5 - 4 * nRow;
            FillIfSet(pDC, CRect(x - 1, y - 1, x + 1, y + 1), clrShade);
            pDC->FillSolidRect(x, y, 2, 2, kWhite);
        }
    }
}

void CTkOffice2007Theme::PaintFramedInfoArea(CDC* pDC, CWnd* pWnd) {
    const CRect rcClient = MakeClientRect(pWnd);
    FillIfSet(pDC, rcClient, m_clrMessageBarFace);
    const auto* pHost = dynamic_cast<const CTkInfoAreaHost*>(pWnd);
    CRect rcArea = pHost != nullptr ? pHost->GetInfoAreaRect() : rcClient;
    FrameIfSet(pDC, rcArea, m_clrMessageBarFrame);
    rcArea.DeflateRect(1, 1);
    FillVertical(pDC, rcArea, m_grcMessageBar);
}

void CTkOffice2007Theme::PaintSmallButton(CDC* pDC, CTkSmallButton* pButton) {
    const CRect& rc = pButton->rc;
    const auto framed = [this, pDC, &rc](COLORREF clrFill, COLORREF clrFrame) {
        FillIfSet(pDC, rc, clrFill);
        FrameIfSet(pDC, rc, clrFrame);
    };
    if (pButton->nCommand == SC_CLOSE) {
        if (pButton->bPushed)
            framed(LookupColor(33), LookupColor(50));
        else if (pButton->bHot)
            framed(LookupColor(31), LookupColor(32));
        DrawLookImageCentered(pDC, L"FRAMECAPTIONCLOSE17", rc, 0, 5);
        return;
    }
    if (pButton->bHot)
        framed(LookupColor(31), LookupColor(32));
    else
        framed(kWhite, m_clrMessageBarFrame);
}

// Two thirds of the height below the image run from the top to the middle colour, the rest to the
// bottom colour.
void CTkOffice2007Theme::FillWorkspace(CDC* pDC, CRect rc) {
    const CSize szImage = GetLookImageStateSize(L"WORKSPACETOPLEFT");
    if (szImage.cx == 0)
        return;
    CScopedSaveDC saved(pDC->GetSafeHdc());
    pDC->IntersectClipRect(rc);
    const CRect rcImage(rc.left, rc.top, rc.left + std::max<int>(szImage.cx, rc.Width()), rc.top + szImage.cy);
    DrawLookImage(pDC, L"WORKSPACETOPLEFT", rcImage, 0, 1, CRect(szImage.cx - 1, 0, 0, 0));
    const int nRest = rc.bottom - rcImage.bottom;
    if (nRest <= 0)
        return;
    const int ySplit = rcImage.bottom + nRest * 2 / 3;
    FillVertical(pDC, CRect(rc.left, rcImage.bottom, rc.right, ySplit), m_clrWorkspaceTop, m_clrWorkspaceMiddle);
    FillVertical(pDC, CRect(rc.left, ySplit, rc.right, rc.bottom), m_clrWorkspaceMiddle, m_clrWorkspaceBottom);
}
