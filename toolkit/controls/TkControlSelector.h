#pragma once
#include "TkControl.h"

// CTkControlSelector: a grid of cells in which the user picks a block of columns and rows (as for a
// table). The block under the pointer is highlighted; dragging past the right or bottom edge with the
// button held grows the grid up to ItemsMax; the release executes with the block as ChosenSize. Every
// fresh layout of the bar starts again from ItemsCount without a highlight. It keeps ControlType 0.
class CTkControlSelector : public CTkControl {
    DECLARE_SERIAL(CTkControlSelector)
public:
    // The notification the site gets whenever the highlight is set (changed, or forced by a layout).
    static constexpr UINT kNotifyHotSizeChanged = 0x1006;

    CTkControlSelector() = default;

    // The block highlighted at the last click: what the application reads when the command arrives.
    CSize GetChosenSize() const { return m_szChosen; }
    CSize GetHotSize() const { return m_szHot; }
    CSize GetGridSize() const { return m_szGrid; }
    CSize GetItemsCount() const { return m_szItemsCount; }
    CSize GetItemsMax() const { return m_szItemsMax; }
    CSize GetItemSize() const { return m_szItemSize; }
    void SetItemsCount(CSize sz) { m_szItemsCount = sz; }
    void SetItemsMax(CSize sz) { m_szItemsMax = sz; }
    void SetItemSize(CSize sz) { m_szItemSize = sz; }

    // When the block differs, or when forced: stores it, repaints and tells the site.
    void SetHotSize(int cx, int cy, BOOL bForce = FALSE);

    void PrepareForLayout(DWORD dwLayoutMode) override;
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void HandleMouseMove(CPoint pt) override;
    // Leaving the selector with the left button down past its right or bottom edge grows the grid.
    BOOL SetSelected(int nSelected) override;
    void HandleButtonUp(CPoint pt) override;
    void CopyFrom(CTkControl* pSource, BOOL bRecursive) override;
    void ExchangeProperties(CTkPropExchange* pPX) override;

protected:
    // The content of one cell, drawn after its background and frame; nothing here.
    virtual void DrawItem(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom, COLORREF clrContent);

private:
    static constexpr SIZE kDefaultItemsCount{5, 4};
    static constexpr SIZE kDefaultItemsMax{12, 12};
    static constexpr SIZE kDefaultItemSize{28, 28};

    CSize m_szItemsCount = kDefaultItemsCount;
    CSize m_szItemsMax = kDefaultItemsMax;
    CSize m_szHot{0, 0};
    CSize m_szItemSize = kDefaultItemSize;
    CSize m_szChosen{0, 0};
    CSize m_szGrid{0, 0};
    BOOL m_bGrowing = FALSE;  // the bar is laid out again for a grown grid, which the layout keeps
};
