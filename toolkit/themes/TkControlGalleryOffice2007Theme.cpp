#include "TkControlGalleryOffice2007Theme.h"

#include "TkCommandBar.h"
#include "TkControlGallery.h"
#include "TkDCWrappers.h"
#include "TkGalleryItem.h"
#include "TkOffice2007Drawing.h"
#include "TkOffice2007Image.h"
#include "TkOffice2007Images.h"

namespace {

constexpr int kButtonWidth = 15;
constexpr int kButtonStates = 5;
constexpr int kGlyphCell = 9;  // the arrow glyphs: square cells side by side, counted from 1
constexpr COLORREF kRowLine = RGB(197, 197, 197);
constexpr int kLabelTextMargin = 10;
constexpr int kScrollStyleOffice2007Dark = 6;

// Names of the light and dark scroll-bar bitmaps, vertical and horizontal.
struct ScrollBarImages {
    LPCTSTR pszTrack[2];  // light, dark
    LPCTSTR pszArrows[2];
    LPCTSTR pszThumb;
    LPCTSTR pszGripper;
    int nFirstGlyphs[3];  // normal, active, disabled
    int nSecondGlyphs[3];
};

const ScrollBarImages kVertical = {
    {L"CONTROLGALLERYSCROLLVERTICALLIGHT", L"CONTROLGALLERYSCROLLVERTICALDARK"},
    {L"CONTROLGALLERYSCROLLARROWSVERTICALLIGHT", L"CONTROLGALLERYSCROLLARROWSVERTICALDARK"},
    L"CONTROLGALLERYSCROLLTHUMBVERTICAL",
    L"CONTROLGALLERYSCROLLTHUMBGRIPPERVERTICAL",
    {1, 2, 4},
    {5, 6, 8}};
const ScrollBarImages kHorizontal = {
    {L"CONTROLGALLERYSCROLLHORIZONTALLIGHT", L"CONTROLGALLERYSCROLLHORIZONTALDARK"},
    {L"CONTROLGALLERYSCROLLARROWSHORIZONTALLIGHT", L"CONTROLGALLERYSCROLLARROWSHORIZONTALDARK"},
    L"CONTROLGALLERYSCROLLTHUMBHORIZONTAL",
    L"CONTROLGALLERYSCROLLTHUMBGRIPPERHORIZONTAL",
    {9, 10, 12},
    {13, 14, 16}};
constexpr LPCTSTR kGlyphs = L"CONTROLGALLERYSCROLLARROWGLYPHS";

// Cell nCell (from 1) of the glyph strip, keyed and centred in rc.
void DrawGlyphCell(CDC* pDC, const CRect& rc, int nCell) {
    CTkOffice2007Image* pGlyphs = GetOffice2007Images()->GetImage(kGlyphs);
    if (pGlyphs == nullptr)
        return;
    const CRect rcSrc(kGlyphCell * (nCell - 1), 0, kGlyphCell * nCell, kGlyphCell);
    const CPoint pt(rc.left + (rc.Width() - kGlyphCell) / 2, rc.top + (rc.Height() - kGlyphCell) / 2);
    pGlyphs->DrawImageKeyed(pDC, CRect(pt, CSize(kGlyphCell, kGlyphCell)), rcSrc, CRect(0, 0, 0, 0), kLookKeyColor);
}

// Arrow buttons: 3 pressed, 2 hot, 1 when the other arrow is hot or pressed, -1 (nothing) when idle.
int ArrowState(int nPart, int nOther, int nHot, int nPressed) {
    if (nPart == nPressed)
        return 3;
    if (nPart == nHot)
        return 2;
    if (nOther == nHot || nOther == nPressed)
        return 1;
    return -1;
}

}  // namespace

CTkControlGalleryOffice2007Theme::CTkControlGalleryOffice2007Theme(CTkPaintManager* pOwner)
    : CTkControlGalleryPaintManager(pOwner) {
    CTkControlGalleryOffice2007Theme::RefreshMetrics();
}

void CTkControlGalleryOffice2007Theme::RefreshMetrics() {
    CTkControlGalleryPaintManager::RefreshMetrics();
    m_nHorzArrowWidth = ::GetSystemMetrics(SM_CXHSCROLL);
    m_nHorzArrowHeight = ::GetSystemMetrics(SM_CYHSCROLL);
    m_nVertArrowWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    m_nVertArrowHeight = ::GetSystemMetrics(SM_CYVSCROLL);
    m_nUpButtonHeight = 21;
    m_nDownButtonHeight = 19;
    m_nButtonColumnWidth = kButtonWidth;
    CTkOffice2007Images* pImages = GetOffice2007Images();
    m_clrSelected = pImages->GetColor(L"Toolbar", L"ControlGallerySelected");
    m_clrNormal = pImages->GetColor(L"Toolbar", L"ControlGalleryNormal");
    m_clrBorder = pImages->GetColor(L"Toolbar", L"ControlGalleryBorder");
}

void CTkControlGalleryOffice2007Theme::FillGalleryBackground(CDC* pDC, CTkControlGallery* pGallery, CRect rc) {
    const CTkCommandBar* pBar = pGallery->GetParent();
    COLORREF clrBack;
    if (pBar != nullptr && pBar->GetType() == kBarTypePopup)
        clrBack = m_pOwner->LookupColor(41);
    else
        clrBack = pGallery->GetSelected() && pGallery->GetEnabled() ? m_clrSelected : m_clrNormal;
    // A colour the look does not name is not drawn.
    if (clrBack != kColorUnset)
        pDC->FillSolidRect(rc, clrBack);
    if (pGallery->GetShowBorders() && m_clrBorder != kColorUnset)
        pDC->Draw3dRect(rc, m_clrBorder, m_clrBorder);
    if (pGallery->HasFollowingControl())
        pDC->FillSolidRect(rc.left, rc.bottom - 2, rc.Width(), 1, kRowLine);
}

void CTkControlGalleryOffice2007Theme::DrawLabelItem(CDC* pDC, CTkGalleryItem* pItem, CRect rc) {
    pDC->FillSolidRect(rc, m_pOwner->LookupColor(56));
    pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, kRowLine);
    CScopedSaveDC saved(pDC->GetSafeHdc());
    CTkFontDC font(pDC, &m_pOwner->m_fntRegularBold);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_pOwner->LookupColor(44));
    CRect rcText = rc;
    rcText.DeflateRect(kLabelTextMargin, 0);
    pDC->DrawText(pItem->m_strCaption, &rcText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}

int CTkControlGalleryOffice2007Theme::GetButtonState(BOOL bEnabled, int nPart, int nHot, int nPressed) {
    if (!bEnabled)
        return 4;
    if (nPart == nPressed)
        return 3;
    if (nPart == nHot)
        return 2;
    return nHot != kScrollPartNone || nPressed != kScrollPartNone ? 1 : 0;
}

void CTkControlGalleryOffice2007Theme::DrawScrollButtons(CDC* pDC, CTkControlGallery* pGallery) {
    const CRect& rcBar = pGallery->m_geometry.rcBar;
    const int nLeft = rcBar.right - kButtonWidth;
    const int nDownTop = rcBar.top + m_nUpButtonHeight;
    const int nPopupTop = nDownTop + m_nDownButtonHeight;
    const BOOL bTracking = pGallery->m_pTracking != nullptr;
    const int nPressed = bTracking ? pGallery->m_geometry.nHitPart : kScrollPartNone;
    int nHot = bTracking ? kScrollPartNone : pGallery->m_geometry.nHitPart;
    // Selected by the keyboard with no item selected: the popup button is the one Enter opens.
    if (nHot == kScrollPartNone && nPressed == kScrollPartNone && pGallery->GetSelected() &&
        pGallery->GetSelectedItem() == -1)
        nHot = kScrollPartExtraButton;
    const BOOL bEnabled = pGallery->GetEnabled();
    struct Button {
        LPCTSTR pszImage;
        int nPart;
        CRect rc;
    };
    const Button buttons[] = {
        {L"CONTROLGALLERYUP", kScrollPartFirstArrow, CRect(nLeft, rcBar.top, rcBar.right, nDownTop)},
        {L"CONTROLGALLERYDOWN", kScrollPartSecondArrow, CRect(nLeft, nDownTop, rcBar.right, nPopupTop)},
        {L"CONTROLGALLERYPOPUP", kScrollPartExtraButton, CRect(nLeft, nPopupTop, rcBar.right, rcBar.bottom)},
    };
    for (const Button& button : buttons) {
        const BOOL bButtonEnabled =
            bEnabled && (button.nPart == kScrollPartExtraButton || pGallery->IsScrollButtonEnabled(button.nPart));
        const int nState = GetButtonState(bButtonEnabled, button.nPart, nHot, nPressed);
        DrawLookImage(pDC, button.pszImage, button.rc, nState, kButtonStates, CRect(0, 0, 0, 0), TRUE);
    }
}

void CTkControlGalleryOffice2007Theme::DrawScrollBar(CDC* pDC, CTkScrollBase* pScrollBar) {
    const int nStyle = pScrollBar->GetScrollBarStyle();
    if ((nStyle != kScrollStyleOffice2007 && nStyle != kScrollStyleOffice2007Dark) ||
        GetOffice2007Images()->GetImage(kGlyphs) == nullptr) {
        CTkControlGalleryPaintManager::DrawScrollBar(pDC, pScrollBar);
        return;
    }
    DrawLookScrollBar(pDC, pScrollBar, nStyle == kScrollStyleOffice2007Dark);
}

void CTkControlGalleryOffice2007Theme::DrawLookScrollBar(CDC* pDC, CTkScrollBase* pScrollBar, BOOL bDark) {
    const ScrollBarGeometry& g = pScrollBar->m_geometry;
    if (g.nCrossEnd <= g.nCrossStart)
        return;
    const BarParts parts = GetBarParts(pScrollBar);
    const ScrollBarImages& images = g.bVertical ? kVertical : kHorizontal;
    const LPCTSTR pszTrack = images.pszTrack[bDark ? 1 : 0];
    const CRect rcTrackMargins = g.bVertical ? CRect(1, 0, 1, 0) : CRect(0, 1, 0, 1);
    DrawLookImage(pDC, pszTrack, CTkScrollBase::AlongRect(g, g.nStart, g.nEnd), 0, 2, rcTrackMargins);
    if (parts.bEnabled) {
        const LPCTSTR pszArrows = images.pszArrows[bDark ? 1 : 0];
        const int nFirst = ArrowState(kScrollPartFirstArrow, kScrollPartSecondArrow, parts.nHot, parts.nPressed);
        const int nSecond = ArrowState(kScrollPartSecondArrow, kScrollPartFirstArrow, parts.nHot, parts.nPressed);
        if (nFirst >= 0)
            DrawLookImage(pDC, pszArrows, parts.rcFirstArrow, nFirst, 4, CRect(3, 3, 3, 3));
        if (nSecond >= 0)
            DrawLookImage(pDC, pszArrows, parts.rcSecondArrow, nSecond, 4, CRect(3, 3, 3, 3));
    }
    const auto glyph = [&parts](int nPart, const int* pCells) {
        return !parts.bEnabled ? pCells[2] : parts.nHot == nPart || parts.nPressed == nPart ? pCells[1] : pCells[0];
    };
    DrawGlyphCell(pDC, parts.rcFirstArrow, glyph(kScrollPartFirstArrow, images.nFirstGlyphs));
    DrawGlyphCell(pDC, parts.rcSecondArrow, glyph(kScrollPartSecondArrow, images.nSecondGlyphs));
    if (!parts.bThumb)
        return;
    for (const auto& [nPart, rc] : {std::make_pair(kScrollPartTrackBefore, parts.rcTrackBefore),
                                    std::make_pair(kScrollPartTrackAfter, parts.rcTrackAfter)}) {
        if (parts.nPressed == nPart)
            DrawLookImage(pDC, pszTrack, rc, 1, 2, rcTrackMargins);
    }
    const int nThumbState = parts.nPressed == kScrollPartThumb ? 2 : parts.nHot == kScrollPartThumb ? 1 : 0;
    DrawLookImage(pDC, images.pszThumb, parts.rcThumb, nThumbState, 3, CRect(5, 5, 5, 5));
    const int nThumbLength = g.bVertical ? parts.rcThumb.Height() : parts.rcThumb.Width();
    if (nThumbLength > 10)
        DrawLookImageCentered(pDC, images.pszGripper, parts.rcThumb, 0, 1);
}
