// The Visio look: the tabs are full-width bars stacked down the control, the client area lies between
// the selected bar and the bars after it, and there is no header strip.

#include "TkTabAppearanceSet.h"

#include "TkColorManager.h"
#include "TkTabColorSet.h"

#include <algorithm>

namespace {

// The colour-manager slot of the grip lines.
constexpr UINT kGripColorSlot = 38;

}  // namespace

CRect CTkTabPaintManager::CAppearanceSetVisio::CalcHeaderRect(CRect, CTkTabManager*) {
    return CRect(0, 0, 0, 0);
}

CRect CTkTabPaintManager::CAppearanceSetVisio::CalcClientRect(CRect rc, CTkTabManager* pManager) {
    const BOOL bFramed = m_pPaintManager->m_nClientFrame != 2;
    if (bFramed)
        rc.DeflateRect(1, 0);
    const CTkTabManagerItem* pSelected = pManager->GetSelectedItem();
    if (pSelected == nullptr)
        return rc;
    const int h = GetRowHeight(pManager);
    const int d = pSelected->GetIndex();
    const int n = pManager->GetItemCount();
    rc.top += h * (d + 1) + 1;
    rc.bottom -= (n - d - 1) * h;
    rc.bottom = std::max(rc.bottom, rc.top + h);
    if (d == n - 1 && bFramed)
        rc.bottom -= 1;
    return rc;
}

void CTkTabPaintManager::CAppearanceSetVisio::DeflateToClient(CTkTabManager* pManager, CRect& rc) {
    const int nPosition = pManager->GetPosition();
    DeflateByPosition(rc, m_pPaintManager->m_rcControlMargin, nPosition);
    rc = CalcClientRect(rc, pManager);
    DeflateByPosition(rc, GetClientInset(), nPosition);
}

void CTkTabPaintManager::CAppearanceSetVisio::LayoutTabs(CTkTabManager* pManager, CDC*, CRect rc) {
    DeflateByPosition(rc, m_pPaintManager->m_rcControlMargin, pManager->GetPosition());
    for (int i = 0; i < pManager->GetNavigateButtonCount(); ++i) {
        if (CTkTabManagerNavigateButton* pButton = pManager->GetNavigateButton(i))
            pButton->SetRect(CRect(0, 0, 0, 0));
    }
    const int n = pManager->GetItemCount();
    if (n == 0)
        return;
    const int h = GetRowHeight(pManager);
    const int x = rc.left + (m_pPaintManager->m_nClientFrame != 2 ? 1 : 0);
    int y = rc.top + 1;
    const CTkTabManagerItem* pSelected = pManager->GetSelectedItem();
    for (int i = 0; i < n; ++i) {
        CTkTabManagerItem* pItem = pManager->GetItem(i);
        pItem->SetRect(CRect(x, y, rc.right, y + h));
        const int nSelectedTop = y;
        y += h;
        if (pItem != pSelected)
            continue;
        // The bars after the selected one sit at the bottom, below the client area.
        const int nJump = std::min(std::max(static_cast<int>(rc.bottom) - (n - 1 - i) * h, nSelectedTop + 2 * h),
                                   static_cast<int>(rc.bottom) - 1);
        if (nJump >= y)
            y = nJump;
    }
}

void CTkTabPaintManager::CAppearanceSetVisio::PaintControl(CTkTabManager* pManager, CDC* pDC, CRect rc) {
    CColorSet* pColors = GetColorSet();
    pDC->FillSolidRect(rc, Effective(pColors->m_clrControlFace));
    DeflateByPosition(rc, m_pPaintManager->m_rcControlMargin, pManager->GetPosition());
    CScopedSaveDC saveClip(pDC->GetSafeHdc());
    pDC->IntersectClipRect(rc);
    const COLORREF clrBorder = Effective(pColors->m_clrFrameBorder);
    if (m_pPaintManager->m_nClientFrame != 2) {
        if (clrBorder != kColorUnset)
            pDC->Draw3dRect(rc, clrBorder, clrBorder);
    } else if (pManager->GetItemCount() > 0) {
        HorizontalLine(pDC, rc.left, rc.top, rc.Width(), clrBorder);
    }
    pDC->SetBkMode(TRANSPARENT);
    CRect rcClip;
    pDC->GetClipBox(rcClip);
    for (int i = pManager->GetItemCount() - 1; i >= 0; --i) {
        CTkTabManagerItem* pItem = pManager->GetItem(i);
        CRect rcMeet;
        if (rcMeet.IntersectRect(pItem->GetRect(), rcClip))
            PaintTab(pDC, pItem);
    }
}

void CTkTabPaintManager::CAppearanceSetVisio::PaintTab(CDC* pDC, CTkTabManagerItem* pItem) {
    CColorSet* pColors = GetColorSet();
    CRect rc = pItem->GetRect();
    pColors->FillTab(pDC, rc, pItem);
    const COLORREF clrLight = Effective(pColors->m_clrTabHighlight);
    const COLORREF clrBorder = Effective(pColors->m_clrFrameBorder);
    for (int nSide = 0; nSide < 4; ++nSide)
        PaintEdgeLine(pDC, rc, nSide, clrLight, clrBorder);
    const COLORREF clrGrip = GetColorManager()->GetColor(kGripColorSlot);
    for (int y = rc.top + 4; y < rc.bottom - 3; y += 2)
        HorizontalLine(pDC, rc.right - 7, y, 3, clrGrip);
    rc.right -= 7;
    m_pPaintManager->DrawTabContent(pDC, pItem, rc, TRUE);
}
