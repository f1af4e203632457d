#include "TkControlGalleryPaintManager.h"

#include "TkCommandBarsDefs.h"
#include "TkControlGallery.h"
#include "TkDCWrappers.h"
#include "TkGalleryItem.h"
#include "TkPaintManager.h"

namespace {

// Colours of the owner paint manager, by index.
constexpr int kColorGalleryBack = 41;
constexpr int kColorGalleryFrame = 52;
constexpr int kColorFollowingLine = 39;
constexpr int kColorLabelBack = 56;
constexpr int kColorLabelText = 44;
constexpr int kColorButtonColumn = 30;

// Button states.
constexpr int kStateNormal = 0;
constexpr int kStateHot = 2;
constexpr int kStatePressed = 3;
constexpr int kStateDisabled = 4;

constexpr int kLabelTextMargin = 10;

}  // namespace

CTkControlGalleryPaintManager::CTkControlGalleryPaintManager(CTkPaintManager* pOwner)
    : CTkScrollBarPaintManager(pOwner) {
    SetButtonMetrics();
}

void CTkControlGalleryPaintManager::SetButtonMetrics() {
    m_nUpButtonHeight = 19;
    m_nDownButtonHeight = 19;
    m_nButtonColumnWidth = 16;
}

void CTkControlGalleryPaintManager::RefreshMetrics() {
    CTkScrollBarPaintManager::RefreshMetrics();
    SetButtonMetrics();
}

void CTkControlGalleryPaintManager::FillGalleryBackground(CDC* pDC, CTkControlGallery* pGallery, CRect rc) {
    pDC->FillSolidRect(rc, m_pOwner->LookupColor(kColorGalleryBack));
    if (pGallery->GetShowBorders())
        pDC->Draw3dRect(rc, m_pOwner->LookupColor(kColorGalleryFrame), m_pOwner->LookupColor(kColorGalleryFrame));
    if (pGallery->HasFollowingControl())
        pDC->FillSolidRect(rc.left, rc.bottom - 2, rc.Width(), 1, m_pOwner->LookupColor(kColorFollowingLine));
}

void CTkControlGalleryPaintManager::DrawLabelItem(CDC* pDC, CTkGalleryItem* pItem, CRect rc) {
    pDC->FillSolidRect(rc, m_pOwner->LookupColor(kColorLabelBack));
    pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, m_pOwner->LookupColor(kColorGalleryFrame));
    CScopedSaveDC saved(pDC->GetSafeHdc());
    CTkFontDC font(pDC, &m_pOwner->m_fntRegularBold);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_pOwner->LookupColor(kColorLabelText));
    CRect rcText = rc;
    rcText.DeflateRect(kLabelTextMargin, 0);
    pDC->DrawText(pItem->m_strCaption, &rcText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}

void CTkControlGalleryPaintManager::DrawScrollButtons(CDC* pDC, CTkControlGallery* pGallery) {
    const CRect r = pGallery->m_geometry.rcBar;
    pDC->FillSolidRect(r, m_pOwner->LookupColor(kColorButtonColumn));
    const int nDownTop = r.top + m_nUpButtonHeight;
    const int nMoreTop = nDownTop + m_nDownButtonHeight;
    struct Button {
        int nPart;
        CRect rc;
    };
    const Button buttons[] = {
        {kScrollPartFirstArrow, CRect(r.left, r.top, r.right, nDownTop)},
        {kScrollPartSecondArrow, CRect(r.left, nDownTop, r.right, nMoreTop)},
        {kScrollPartExtraButton, CRect(r.left, nMoreTop, r.right, r.bottom)},
    };
    // While a press is tracked its part is pressed and nothing is hot.
    const BOOL bTracking = pGallery->m_pTracking != nullptr;
    const int nPressed = bTracking ? pGallery->m_geometry.nHitPart : kScrollPartNone;
    const int nHot = bTracking ? kScrollPartNone : pGallery->m_geometry.nHitPart;
    const BOOL bEnabled = pGallery->GetEnabled();
    for (const Button& button : buttons) {
        int nState = kStateNormal;
        if (!bEnabled || !pGallery->IsScrollButtonEnabled(button.nPart))
            nState = kStateDisabled;
        else if (button.nPart == nPressed)
            nState = kStatePressed;
        else if (button.nPart == nHot)
            nState = kStateHot;
        const BOOL bSelected = nState == kStateHot || nState == kStatePressed;
        const BOOL bPressed = nState == kStatePressed;
        const BOOL bButtonEnabled = nState != kStateDisabled;
        m_pOwner->PaintStateRectangle(pDC, button.rc, bSelected, bPressed, bButtonEnabled, FALSE, FALSE, kBarTypeNormal,
                                      kBarPopup);
        const COLORREF clrGlyph = m_pOwner->GetStateTextColor(nState == kStateHot, bPressed, bButtonEnabled, FALSE,
                                                              FALSE, kBarTypeNormal, kBarPopup);
        const int cx = (button.rc.left + button.rc.right) / 2;
        const int cy = (button.rc.top + button.rc.bottom) / 2;
        if (button.nPart == kScrollPartFirstArrow) {
            m_pOwner->FillTriangle(pDC, CPoint(cx - 4, cy + 2), CPoint(cx + 4, cy + 2), CPoint(cx, cy - 2), clrGlyph);
        } else if (button.nPart == kScrollPartSecondArrow) {
            m_pOwner->FillTriangle(pDC, CPoint(cx - 4, cy - 2), CPoint(cx + 4, cy - 2), CPoint(cx, cy + 2), clrGlyph);
        } else {
            m_pOwner->FillTriangle(pDC, CPoint(cx - 4, cy - 1), CPoint(cx + 4, cy - 1), CPoint(cx, cy + 3), clrGlyph);
            pDC->FillSolidRect(cx - 4, cy - 4, 9, 2, clrGlyph);
        }
    }
}
