// The Windows XP colour set: tabs, pane and buttons drawn by the visual style ("TAB" and "TOOLBAR"
// classes) while the application is themed, and the Default set otherwise. The style draws tabs for a
// top row only: the other rows draw the part upright into a picture and turn it into place.

#include "TkTabColorSet.h"

#include "TkBitmapFunctions.h"
#include "TkColorManager.h"

#include <vssym32.h>

#include <vector>

CPoint CTkTabPaintManager::CColorSetWinXP::RotatedSourcePixel(int nPosition, int x, int y, int w, int h) {
    switch (nPosition) {
        case kTabPositionBottom:
            return CPoint(x, h - 1 - y);
        case kTabPositionLeft:
            return CPoint(y, x);
        case kTabPositionRight:
            return CPoint(y, w - 1 - x);
        default:
            return CPoint(x, y);
    }
}

BOOL CTkTabPaintManager::CColorSetWinXP::IsAppThemed() {
    return m_themeTab.IsAppThemed();
}

void CTkTabPaintManager::CColorSetWinXP::RefreshMetrics() {
    CColorSetDefault::RefreshMetrics();
    m_themeTab.OpenTheme(nullptr, L"TAB");
    m_themeToolBar.OpenTheme(nullptr, L"TOOLBAR");
    if (!IsAppThemed())
        return;
    m_clrPageLight.m_standardValue = kColorUnset;
    m_clrPageShadow.m_standardValue = kColorUnset;
    m_clrPageDarkShadow.m_standardValue = kColorUnset;
    m_clrHighlightText.m_standardValue = m_clrNormalText.GetEffective();
    COLORREF clrFill = kColorUnset;
    if (SUCCEEDED(m_themeTab.GetColor(TABP_PANE, 0, TMT_FILLCOLORHINT, &clrFill)))
        m_clrPaneFill.m_standardValue = clrFill;
}

COLORREF CTkTabPaintManager::CColorSetWinXP::FillClient(CDC* pDC, CRect rc, CTkTabManager* pManager) {
    if (!IsAppThemed())
        return CColorSetDefault::FillClient(pDC, rc, pManager);
    if (GetPosition() == kTabPositionBottom)
        rc.bottom += 1;
    else if (GetPosition() == kTabPositionRight)
        rc.right += 1;
    m_themeTab.DrawBackground(pDC->GetSafeHdc(), TABP_PANE, 0, rc, nullptr);
    return 0;
}

COLORREF CTkTabPaintManager::CColorSetWinXP::FillTab(CDC* pDC, CRect rc, CTkTabManagerItem* pItem) {
    if (!IsAppThemed())
        return CColorSetDefault::FillTab(pDC, rc, pItem);
    const CTkTabManager* pManager = pItem->GetTabManager();
    const BOOL bSelected = pItem->IsSelected();
    int nPart = TABP_TOPTABITEM;
    if (pItem->GetIndex() == 0)
        nPart = TABP_TOPTABITEMLEFTEDGE;
    else if (pItem->GetIndex() == pManager->GetItemCount() - 1 && !bSelected)
        nPart = TABP_TOPTABITEMRIGHTEDGE;
    const int nState = bSelected ? TIS_SELECTED : pItem->IsHighlighted() ? TIS_HOT : TIS_NORMAL;
    const int nPosition = GetPosition();
    switch (nPosition) {
        case kTabPositionTop:
            rc.InflateRect(1, 1, 1, bSelected ? 2 : 0);
            m_themeTab.DrawBackground(pDC->GetSafeHdc(), nPart, nState, rc, nullptr);
            return kColorUnset;
        case kTabPositionLeft:
            rc.InflateRect(1, 1, bSelected ? 1 : 0, 1);
            break;
        case kTabPositionBottom:
            rc.InflateRect(1, 0, 1, 2);
            break;
        default:
            rc.InflateRect(0, 1, 2, 1);
            break;
    }
    DrawRotatedTabPart(pDC, rc, nPart, nState, nPosition);
    return kColorUnset;
}

void CTkTabPaintManager::CColorSetWinXP::DrawRotatedTabPart(CDC* pDC, const CRect& rc, int nPart, int nState,
                                                            int nPosition) {
    const int w = rc.Width();
    const int h = rc.Height();
    const BOOL bHorizontal = IsHorizontalTabPosition(nPosition);
    const int nPictureWidth = bHorizontal ? w : h;
    const int nPictureHeight = bHorizontal ? h : w;
    void* pvSource = nullptr;
    void* pvTarget = nullptr;
    CBitmap source;
    CBitmap target;
    source.Attach(CreateDibSection32(pDC->GetSafeHdc(), nPictureWidth, -nPictureHeight, &pvSource));
    target.Attach(CreateDibSection32(pDC->GetSafeHdc(), w, -h, &pvTarget));
    CDC memDC;
    if (source.GetSafeHandle() == nullptr || target.GetSafeHandle() == nullptr || !memDC.CreateCompatibleDC(pDC))
        return;
    {
        CScopedSelectObject select(memDC.GetSafeHdc(), source.GetSafeHandle());
        memDC.FillSolidRect(CRect(0, 0, nPictureWidth, nPictureHeight), GetColorManager()->GetColor(COLOR_BTNFACE));
        const CRect rcPicture(0, 0, nPictureWidth, nPictureHeight);
        m_themeTab.DrawBackground(memDC.GetSafeHdc(), nPart, nState, rcPicture, nullptr);
    }
    ::GdiFlush();
    const auto* pSource = static_cast<const DWORD*>(pvSource);
    auto* pTarget = static_cast<DWORD*>(pvTarget);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const CPoint p = RotatedSourcePixel(nPosition, x, y, w, h);
            pTarget[y * w + x] = pSource[p.y * nPictureWidth + p.x];
        }
    }
    pDC->DrawState(rc.TopLeft(), CSize(w, h), &target, DST_BITMAP);
}

void CTkTabPaintManager::CColorSetWinXP::FillStateButton(CDC* pDC, CRect rc, CTkTabManagerItem* pItem) {
    if (!IsAppThemed() || !pItem->IsSelected()) {
        CColorSetDefault::FillStateButton(pDC, rc, pItem);
        return;
    }
    m_themeToolBar.DrawBackground(pDC->GetSafeHdc(), TP_BUTTON, pItem->IsHighlighted() ? TS_HOTCHECKED : TS_CHECKED, rc,
                                  nullptr);
}

void CTkTabPaintManager::CColorSetWinXP::AdjustHeaderClip(CDC* pDC, CRect rc, CTkTabManager* pManager) {
    if (!IsAppThemed())
        return;
    switch (pManager->GetPosition()) {
        case kTabPositionBottom:
            pDC->ExcludeClipRect(rc.left, rc.bottom - 2, rc.left + 1, rc.bottom - 1);
            break;
        case kTabPositionRight:
            pDC->ExcludeClipRect(rc.right - 2, rc.top, rc.right - 1, rc.top + 1);
            break;
        default:
            pDC->ExcludeClipRect(rc.left, rc.top, rc.left + 1, rc.top + 1);
            break;
    }
}

void CTkTabPaintManager::CColorSetWinXP::FillNavigateButton(CDC* pDC, CTkTabManagerNavigateButton* pButton, CRect& rc) {
    if (!IsAppThemed()) {
        CColorSetDefault::FillNavigateButton(pDC, pButton, rc);
        return;
    }
    if (pButton->IsEnabled()) {
        const BOOL bHighlighted = pButton->GetManager()->GetHighlightedButton() == pButton;
        const int nState = pButton->IsPressed() ? TS_PRESSED : bHighlighted ? TS_HOT : TS_NORMAL;
        m_themeToolBar.DrawBackground(pDC->GetSafeHdc(), TP_BUTTON, nState, rc, nullptr);
    }
    pDC->SetTextColor(GetColorManager()->GetColor(COLOR_BTNTEXT));
}
