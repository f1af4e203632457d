#pragma once
#include "TkControlPopup.h"
#include "TkScrollBase.h"

#include <vector>

// CTkControlGallery: the gallery control (type 10), a rectangle of a bar that lays out the items of its
// action's CTkGalleryItemCollection in rows, scrolls them with its own window-less scroll bar, highlights
// them by mouse and keyboard, reports a running preview to the site and exposes each item to
// accessibility clients. With a sub bar the scroll bar becomes a column of up, down and "more" buttons,
// "more" opening the sub bar over the gallery. Styles 2 and 4 show it as a plain popup button.
//
// Notifications to the site (NotifySite): 0x1010 preview started, 0x1011 preview cancelled, 0x1012
// preview applied (the gallery executed while previewing), 0x1013 previewed item changed, 0x1014 item
// drag started, 0x1015 highlighted item changed. GetSelectedItem tells the item concerned.
//
// The gallery holds no reference on the items; the action does. Rectangles are in the parent bar's client
// coordinates. Timer 23346 (animated scrolling) lives on the bar's window and is run by the scroll base's
// loops. UI thread only.

class CTkControlGalleryPaintManager;
class CTkGalleryItem;
class CTkGalleryItemCollection;

// One laid-out item.
struct GALLERYITEM_POSITION {
    CRect rc;                         // at ScrollPos 0; empty for a label while labels are hidden
    CTkGalleryItem* pItem = nullptr;  // not referenced
    BOOL bBeginsRow = FALSE;
};

class CTkControlGallery : public CTkControlPopup, public CTkScrollBase {
    DECLARE_SERIAL(CTkControlGallery)
public:
    // The site notifications.
    enum : UINT {
        kNotifyPreviewStart = 0x1010,
        kNotifyPreviewCancel = 0x1011,
        kNotifyPreviewApply = 0x1012,
        kNotifyPreviewChange = 0x1013,
        kNotifyItemDrag = 0x1014,
        kNotifySelectionChange = 0x1015,
    };

    CTkControlGallery();

    // ---- Items
    CTkGalleryItemCollection* GetItems() const;
    int GetItemCount() const;
    CTkGalleryItem* GetItem(int nIndex) const;
    // The item's Caption; empty for a missing item.
    CString GetItemCaption(int nIndex) const;
    BOOL IsShownAsButton() const;
    int GetSelectedItem() const { return m_nSelectedItem; }
    int GetCheckedId() const { return m_nCheckedId; }
    void SetCheckedId(int nId);
    int GetScrollPos() const { return m_nScrollPos; }
    int GetTotalHeight() const { return m_nTotalHeight; }
    BOOL IsPreviewing() const { return m_bPreviewing; }
    const std::vector<GALLERYITEM_POSITION>& GetPositions() const { return m_positions; }
    // A popup bar shows another keyboard-selectable control after the gallery.
    BOOL HasFollowingControl() const;
    CTkControlGalleryPaintManager* GetGalleryPaintManager() const;
    // Rect less the borders: where the items are.
    CRect GetItemsRect() const;

    // ---- Switches (saved)
    BOOL GetShowLabels() const { return m_bShowLabels; }
    void SetShowLabels(BOOL bShow) { m_bShowLabels = bShow; }
    BOOL GetShowScrollBar() const { return m_bShowScrollBar; }
    void SetShowScrollBar(BOOL bShow) { m_bShowScrollBar = bShow; }
    BOOL GetShowBorders() const { return m_bShowBorders; }
    void SetShowBorders(BOOL bShow) { m_bShowBorders = bShow; }
    const CRect& GetGalleryMargin() const { return m_rcMargin; }
    void SetGalleryMargin(const CRect& rc) { m_rcMargin = rc; }
    // Bits of the resize kind: 0x1 the width, 0x2 the height.
    int GetResizable() const { return m_nResizable; }
    void SetResizable(int nResizable) { m_nResizable = nResizable; }

    // ---- Layout, hit tests, scrolling
    void Reposition();
    // The item under the point (-1: none or a label); its rectangle goes to prc.
    int HitTestItem(CPoint pt, CRect* prc = nullptr) const;
    // The item's visible rectangle; empty outside the positions.
    CRect GetItemRect(int nIndex) const;
    void SetScrollPosition(int nPos);
    void StartAnimatedScroll(int nPos);
    void EnsureVisible(int nIndex);
    // -1 for a missing item, else 0 with the item's row at the top.
    int ScrollToItem(int nIndex);
    BOOL IsScrollButtonEnabled(int nPart) const;

    // ---- Highlight and mouse
    // Also notifies when the index does not change.
    void SetHotItemByKeyboard(int nIndex);
    // Hides the highlight; the index stays.
    void ClearHotItem();
    void TrackMouse(CPoint pt);
    void OnItemButtonDown(CPoint pt);
    void OnItemButtonUp();

    // ---- Searches (-1: none)
    int FindSelectableItem(int nStart, int nStep) const;
    int FindItemInRow(int nIndex, int nStep) const;
    int FindItemInColumn(int nIndex, int nStep) const;
    int FindItemByPage(int nIndex, int nStep) const;
    // From nStart + 1 round to nStart; exact ignores case, else the caption starts with the text.
    int FindItem(int nStart, LPCWSTR pszText, BOOL bExact) const;

    // ---- Drawing
    void DrawItems(CDC* pDC);
    void PaintScrollBar(CDC* pDC);
    // Repaints prc (NULL: Rect) in the parent bar.
    void RedrawGallery(LPCRECT prc = nullptr, BOOL bAnimate = FALSE);

    // ---- Own virtual operations
    virtual CRect GetBorders() const;
    virtual void OnSelectedItemChanged();
    virtual void FillBackground(CDC* pDC, const CRect& rc);
    virtual void RecalcScrollBar();

    // ---- CTkControl and CTkControlPopup
    CSize GetSize(CDC* pDC) override;
    void SetRect(CRect rc) override;
    int SetAction(CTkControlAction* pAction) override;
    void Draw(CDC* pDC) override;
    BOOL IsFocused() const override;
    void Execute() override;
    BOOL SetPopupOpen(BOOL bOpen) override;
    void HandleClick(BOOL bKeyboard, CPoint pt) override;
    void HandleButtonUp(CPoint pt) override;
    void HandleMouseMove(CPoint pt) override;
    void HandleHoverDelay() override;
    BOOL SetSelected(int nSelected) override;
    int HandleFocusedKey(UINT nKey) override;
    BOOL HandleMouseWheel(UINT nFlags, short zDelta, CPoint pt) override;
    INT_PTR HitTestToolTip(CPoint pt, TOOLINFO* pToolInfo) override;
    int GetCustomizeMinHeight() const override;
    int GetCustomizeMinWidth() const override;
    int CanCustomizeResize() const override;
    void AdjustPopupRect(CRect& rc, BOOL bVertical) override;
    void ExchangeProperties(CTkPropExchange* pPX) override;
    void CopyFrom(CTkControl* pSource, BOOL bRecursive) override;

    // ---- CTkScrollBase
    BOOL IsScrollBarEnabled() const override;
    CWnd* GetParentWindow() const override;
    void OnAnimationTimer() override;
    CRect GetScrollBarRect() override;
    void GetScrollInfo(SCROLLINFO* pScrollInfo) override;
    void DoScroll(int nCommand, int nPosition) override;
    void RedrawScrollBar() override;
    void CalcScrollBarInfo(LPCRECT lpRect, ScrollBarGeometry* pGeometry, const SCROLLINFO* pScrollInfo) override;
    CTkScrollBarPaintManager* GetScrollBarPaintManager() const override;

    // ---- Accessibility: child n is item n - 1
    HRESULT GetAccessibleChildCount(long* pcountChildren) override;
    HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override;
    HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild) override;
    HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    HRESULT AccessibleDoDefaultAction(VARIANT varChild) override;

    // The tick of an animated scroll, ms.
    static constexpr UINT kAnimationTimerElapse = 40;

protected:
    // The scroll area's width: the button column with a sub bar, else the vertical arrow's width.
    int GetScrollAreaWidth() const;
    // The scroll range's upper end: TotalHeight less the item area's height, at least 0.
    int ClampScrollPos(int nPos) const;
    void StopAnimation();
    // The positions' rectangle moved by the scroll position.
    CRect ShownRect(int nIndex) const;
    // Repaints one item (partial redraw) or the whole gallery.
    void RedrawItem(int nIndex, BOOL bAnimate);
    BOOL HasOtherKeyboardControl(int nStep) const;

    int m_nCheckedId = -1;
    int m_nSelectedItem = -1;
    BOOL m_bSelectionHidden = FALSE;
    BOOL m_bItemPressed = FALSE;
    CPoint m_ptPress{0, 0};  // (0, 0): no press watched for a drag
    int m_nScrollPos = 0;
    int m_nAnimationTarget = 0;
    double m_dAnimationStep = 0;
    BOOL m_bKeyboardSelected = FALSE;
    int m_nTotalHeight = 0;
    BOOL m_bShowLabels = TRUE;
    BOOL m_bShowScrollBar = TRUE;
    BOOL m_bShowBorders = FALSE;
    CRect m_rcMargin{0, 0, 0, 0};
    BOOL m_bPreviewing = FALSE;
    int m_nResizable = 0;
    std::vector<GALLERYITEM_POSITION> m_positions;
};
