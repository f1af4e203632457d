#pragma once
#include "TkScrollBarPaintManager.h"

class CTkControlGallery;
class CTkGalleryItem;

// CTkControlGalleryPaintManager: draws a gallery's background, its scroll bar or its column of up, down
// and "more" buttons, and its label items. Every paint manager owns one (made through the registered
// creator, with itself as the owner). UI thread only.
class CTkControlGalleryPaintManager : public CTkScrollBarPaintManager {
public:
    explicit CTkControlGalleryPaintManager(CTkPaintManager* pOwner);
    static CTkSubPaintManager* Create(CTkPaintManager* pOwner) { return new CTkControlGalleryPaintManager(pOwner); }

    // The scroll-bar painter's refresh, then the button column's metrics again.
    void RefreshMetrics() override;

    virtual void DrawLabelItem(CDC* pDC, CTkGalleryItem* pItem, CRect rc);
    // The background, the frame of a bordered gallery and the line above a control that follows it.
    virtual void FillGalleryBackground(CDC* pDC, CTkControlGallery* pGallery, CRect rc);
    // The button column of an inline gallery with a sub bar.
    virtual void DrawScrollButtons(CDC* pDC, CTkControlGallery* pGallery);

    int m_nUpButtonHeight = 0;
    int m_nDownButtonHeight = 0;
    int m_nButtonColumnWidth = 0;

private:
    void SetButtonMetrics();
};
