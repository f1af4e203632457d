#pragma once
#include "TkControlGalleryPaintManager.h"

// CTkControlGalleryOffice2007Theme: galleries in the Office 2007 look: background colours of the look,
// the button column and the light and dark scroll bars from its "CONTROLGALLERY..." bitmaps.
class CTkControlGalleryOffice2007Theme : public CTkControlGalleryPaintManager {
public:
    explicit CTkControlGalleryOffice2007Theme(CTkPaintManager* pOwner);

    // The scroll bars of looks 5 and 6 from the look's bitmaps; others, or without the glyph bitmap, the base's.
    void DrawScrollBar(CDC* pDC, CTkScrollBase* pScrollBar) override;
    void RefreshMetrics() override;
    void DrawLabelItem(CDC* pDC, CTkGalleryItem* pItem, CRect rc) override;
    void FillGalleryBackground(CDC* pDC, CTkControlGallery* pGallery, CRect rc) override;
    void DrawScrollButtons(CDC* pDC, CTkControlGallery* pGallery) override;

    // The state (of 5) of one button of the column: 4 disabled, 3 pressed, 2 hot, 1 another one hot or
    // pressed, 0 otherwise.
    static int GetButtonState(BOOL bEnabled, int nPart, int nHot, int nPressed);

    COLORREF m_clrSelected = kColorUnset;
    COLORREF m_clrNormal = kColorUnset;
    COLORREF m_clrBorder = kColorUnset;

private:
    void DrawLookScrollBar(CDC* pDC, CTkScrollBase* pScrollBar, BOOL bDark);
};
