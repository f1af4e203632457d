#pragma once
#include "mfc.h"

#include "TkWinThemeWrapper.h"

#include <vector>

// The window-less tab row: an ordered list of reference-counted tabs, a selected, a highlighted (hot)
// and a pressed tab, a scroll offset along the row and the navigate buttons (scroll back, scroll on,
// close, and an optional close button on each tab).
//
// A host supplies everything a window gives: the window handle for capture and tooltips (passed to the
// mouse and keyboard operations), the paint manager that lays the row out and draws it, the repaint
// operation and the icons. It forwards mouse moves, presses, keys and tooltip queries to PerformMouseMove,
// PerformClick, PerformKeyDown and OnToolHitTest. The row sends no window messages and keeps no settings:
// hosts learn of clicks, selection changes and layout requests only through the virtual operations.
// UI thread only; the mouse operations run nested message loops on that thread.

class CTkImageManagerIcon;
class CTkMarkupContext;
class CTkMarkupUIElement;
class CTkTabManager;
class CTkTabManagerItem;
class CTkTabPaintManager;
class IconStateImage;

// Tab positions and layouts shared by the rows and their paint managers.
enum TabPosition { kTabPositionTop = 0, kTabPositionLeft = 1, kTabPositionBottom = 2, kTabPositionRight = 3 };
enum TabLayout {
    kTabLayoutAutoSize = 0,
    kTabLayoutSizeToFit = 1,
    kTabLayoutFixed = 2,
    kTabLayoutCompressed = 3,
    kTabLayoutMultiRow = 4,
    kTabLayoutRotated = 5,
};
inline BOOL IsHorizontalTabPosition(int nPosition) {
    return nPosition == kTabPositionTop || nPosition == kTabPositionBottom;
}

// The eight automatic tab colours are kAutomaticTabColor + 0..7; the paint manager resolves them.
constexpr COLORREF kAutomaticTabColor = 0x1000000;
constexpr int kAutomaticTabColorCount = 8;
inline BOOL IsAutomaticTabColor(COLORREF clr) {
    return clr >= kAutomaticTabColor && clr < kAutomaticTabColor + kAutomaticTabColorCount;
}

// Navigate-button ids and display modes.
enum NavigateButtonId { kNavigateButtonLeft = 0, kNavigateButtonRight = 1, kNavigateButtonClose = 2 };
enum NavigateButtonMode { kNavigateButtonHidden = 0, kNavigateButtonAutomatic = 1, kNavigateButtonAlways = 2 };

// Tooltip strings of the navigate buttons (the program carries no texts for them).
constexpr UINT kIdsTabScrollLeft = 9800;
constexpr UINT kIdsTabScrollRight = 9801;
constexpr UINT kIdsTabClose = 9802;
constexpr UINT kIdsTabScrollUp = 9803;
constexpr UINT kIdsTabScrollDown = 9804;

// What a paint manager tells every row it draws.
class CTkTabManagerAtom {
public:
    virtual void OnPaintManagerChanged() { Reposition(); }
    // The host lays the row out again and repaints it.
    virtual void Reposition() = 0;
    virtual ~CTkTabManagerAtom() = default;
};

// One button of the row (or of one tab) drawn by the paint manager. Owned by its row or tab.
class CTkTabManagerNavigateButton {
public:
    CTkTabManagerNavigateButton(CTkTabManager* pManager, int nId, int nMode);
    // Clears the row's highlighted button when it is this one.
    virtual ~CTkTabManagerNavigateButton();
    CTkTabManagerNavigateButton(const CTkTabManagerNavigateButton&) = delete;
    CTkTabManagerNavigateButton& operator=(const CTkTabManagerNavigateButton&) = delete;

    // Takes the room the button needs off a length being fitted (width on a horizontal row, height on
    // a vertical one): always in mode 2, in mode 1 while the row shows it, never in mode 0.
    virtual void AdjustWidth(int& nLength);
    // The paint manager's navigate-button size.
    virtual CSize GetSize() const;
    // The press loop: the button repeats OnExecute(TRUE) every 20 ms while held and enabled, and ends
    // with OnExecute(FALSE) when released inside.
    virtual void PerformClick(HWND hWnd, CPoint pt);
    // Places the button at the far end of the header and cuts its room off the header.
    virtual void Reposition(CRect& rcHeader);
    // The glyph, with the pen and brush the paint manager selected.
    virtual void DrawEntry(CDC* pDC, CRect rc) = 0;
    // A tick while held (bTick) or the release inside; the base hands a release to the row.
    virtual void OnExecute(BOOL bTick);

    // Asks the row's paint manager to draw the button when it has a rectangle.
    void Draw(CDC* pDC);

    int GetId() const { return m_nId; }
    int GetMode() const { return m_nMode; }
    const CRect& GetRect() const { return m_rcButton; }
    void SetRect(const RECT& rc) { m_rcButton = rc; }
    BOOL IsEnabled() const { return m_bEnabled; }
    BOOL IsPressed() const { return m_bPressed; }
    CTkTabManager* GetManager() const { return m_pManager; }
    CTkTabManagerItem* GetItem() const { return m_pItem; }
    const CString& GetToolTip() const { return m_strToolTip; }

    int m_nId;
    int m_nMode;
    CTkTabManager* m_pManager;  // not owned
    CRect m_rcButton;
    BOOL m_bEnabled = TRUE;
    BOOL m_bPressed = FALSE;  // held down with the pointer inside
    CString m_strToolTip;
    CTkTabManagerItem* m_pItem = nullptr;  // the tab of a per-tab button; not referenced (the tab owns it)

protected:
    // The base placing rule, used by the arrows after their own checks.
    void PlaceAtFarEnd(CRect& rcHeader);
};

// One tab. Reference counted: the row holds one reference, released when the tab is removed.
class CTkTabManagerItem : public CCmdTarget {
    DECLARE_DYNAMIC(CTkTabManagerItem)
public:
    CTkTabManagerItem();
    ~CTkTabManagerItem() override;

    // Stores the flag; a change asks the row to reposition.
    virtual void SetVisible(BOOL bVisible);
    // Destroys the tab's own navigate buttons.
    virtual void OnRemoved();

    // ---- Through the row
    CString GetCaption() const;
    COLORREF GetColor() const;
    void Select();
    void Remove();

    // ---- State
    BOOL IsVisible() const { return m_bVisible; }
    BOOL IsEnabled() const { return m_bEnabled; }
    BOOL IsSelected() const;
    BOOL IsHighlighted() const;
    BOOL IsPressed() const;
    // Laid out shorter than its content asked for.
    BOOL IsTruncated() const { return m_nLength < m_nContentLength; }
    int GetIndex() const { return m_nIndex; }
    CTkTabManager* GetTabManager() const { return m_pTabManager; }
    const CRect& GetRect() const { return m_rcItem; }
    // Stores the rectangle and empties the rectangles of the tab's own buttons.
    void SetRect(const RECT& rc);
    void SetCaption(LPCWSTR lpszCaption) { m_strCaption = lpszCaption; }
    void SetToolTip(LPCWSTR lpszToolTip) { m_strToolTip = lpszToolTip; }
    void SetData(DWORD_PTR dwData) { m_dwData = dwData; }
    DWORD_PTR GetData() const { return m_dwData; }

    // The icon's state image (disabled, hot, checked or normal) at the rectangle; square icons on a
    // left or right row turned a quarter turn when the paint manager rotates images.
    void DrawImage(CDC* pDC, CRect rc, CTkImageManagerIcon* pIcon);

    int m_nLength = 0;         // laid-out extent along the row
    int m_nContentLength = 0;  // the extent asked for before fitting
    int m_nImage = -1;
    int m_nIndex = -1;
    BOOL m_bEnabled = TRUE;
    BOOL m_bVisible = TRUE;
    DWORD_PTR m_dwData = 0;   // the host's handle for the tab
    HICON m_hIcon = nullptr;  // not owned
    CRect m_rcItem;
    CString m_strCaption;
    CString m_strToolTip;
    COLORREF m_clrItem = 0;                  // RGB, or an automatic colour number
    CTkTabManager* m_pTabManager = nullptr;  // not owned
    int m_nRow = 0;
    BOOL m_bClosable = TRUE;
    std::vector<CTkTabManagerNavigateButton*> m_buttons;  // owned
    CTkMarkupUIElement* m_pMarkupElement = nullptr;       // owned (one reference)

private:
    // Draws the image turned a quarter turn clockwise through two DIB sections; FALSE when one cannot be
    // made.
    BOOL DrawRotatedImage(CDC* pDC, const CRect& rc, CTkImageManagerIcon* pIcon, IconStateImage* pImage);
};

class CTkTabManager : public CTkTabManagerAtom {
public:
    class CNavigateButtonArrow;
    class CNavigateButtonArrowLeft;
    class CNavigateButtonArrowRight;
    class CNavigateButtonClose;
    class CNavigateButtonTabClose;

    // The rows of the multi-row layout: item index ranges, row 0 first.
    struct TabRow {
        int nFirst;
        int nLast;  // below nFirst for an empty row
    };

    CTkTabManager();
    ~CTkTabManager() override;
    CTkTabManager(const CTkTabManager&) = delete;
    CTkTabManager& operator=(const CTkTabManager&) = delete;

    // ---- What the paint manager and hosts ask (virtual, overridable)
    virtual CString GetItemCaption(const CTkTabManagerItem* pItem) const;
    virtual HICON GetItemIcon(const CTkTabManagerItem* pItem) const;
    // The tab's colour, automatic numbers resolved by the paint manager.
    virtual COLORREF GetItemColor(const CTkTabManagerItem* pItem) const;
    virtual CString GetItemTooltip(const CTkTabManagerItem* pItem) const;
    // Renumbers the tabs and repositions.
    virtual void OnItemsChanged();
    virtual void SelectItem(CTkTabManagerItem* pItem);
    // OnItemClick for a non-null tab that OnBeforeItemClick allows.
    virtual void ClickItem(CTkTabManagerItem* pItem);
    virtual void GetItemMetrics(CSize* pszButton, CSize* pszMin, CSize* pszMax) const;
    virtual CTkTabPaintManager* GetPaintManager() const = 0;
    // Repaints the area (NULL: everything).
    virtual void RedrawControl(const RECT* pRect, BOOL bAnimate) = 0;
    virtual BOOL IsAllowReorder() const { return m_bAllowReorder; }
    virtual void SetAllowReorder(BOOL bAllowReorder) { m_bAllowReorder = bAllowReorder; }
    virtual BOOL IsDrawStaticFrame() const;
    // Draws the tab's icon at pt in size, or with bDraw FALSE only reports it; TRUE when the tab has one.
    virtual BOOL DrawIcon(CDC* pDC, CPoint pt, CTkTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) = 0;
    virtual int GetPosition() const;
    virtual void OnScroll(BOOL bForward);
    virtual INT_PTR OnToolHitTest(HWND hWnd, CPoint pt, TOOLINFO* pInfo);
    virtual BOOL PerformKeyDown(HWND hWnd, UINT nKey);
    // TRUE when the host painted the header background itself.
    virtual BOOL DrawParentBackground(CDC* pDC, CRect rc);
    virtual BOOL IsNavigateButtonVisible(const CTkTabManagerNavigateButton* pButton) const;
    virtual void OnItemClick(CTkTabManagerItem* pItem);
    virtual BOOL OnBeforeItemClick(CTkTabManagerItem* pItem);
    // The reorder drag: the pressed tab changes places with the tabs it is dragged over.
    virtual void TrackReorder(HWND hWnd, CPoint pt, CTkTabManagerItem* pItem);
    virtual void OnNavigateButtonCommand(int nId);
    virtual void OnNavigateButtonClick(CTkTabManagerNavigateButton* pButton);
    // TRUE while a menu or popup tracks the mouse: no hot tracking and no tooltips.
    virtual BOOL IsMouseLocked() const { return FALSE; }
    virtual BOOL HasFocus() const { return FALSE; }

    // ---- Tabs
    // Adopts pItem's reference (a new tab when NULL); an index outside 0..count appends. The tab gets the
    // next automatic colour and, with a close-button mode, its own close button.
    CTkTabManagerItem* InsertItem(int nIndex, CTkTabManagerItem* pItem = nullptr);
    // Removes and releases the tab; a removed selected tab passes the selection to the nearest one.
    BOOL DeleteItem(int nIndex);
    void DeleteAllItems();
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    CTkTabManagerItem* GetItem(int nIndex) const;
    BOOL ContainsItem(const CTkTabManagerItem* pItem) const;
    int GetCurSel() const;
    CTkTabManagerItem* GetSelectedItem() const { return m_pSelected; }
    CTkTabManagerItem* GetHighlightedItem() const { return m_pHighlighted; }
    CTkTabManagerItem* GetPressedItem() const { return m_pPressed; }
    // The next visible and enabled tab from nIndex in steps of nStep; NULL at the end or a null entry.
    CTkTabManagerItem* FindNextItem(int nIndex, int nStep) const;
    // The total length of the tabs along the row (rotated: count x row height).
    int GetItemsLength() const;

    // ---- Scrolling and state
    int GetScrollOffset() const { return m_nScrollOffset; }
    // A positive offset becomes 0; a change repositions.
    void SetScrollOffset(int nOffset);
    void EnsureVisible(CTkTabManagerItem* pItem);
    BOOL IsActive() const { return m_bActive; }
    void SetActive(BOOL bActive);
    int GetCloseButtonMode() const { return m_nCloseButtonMode; }
    void SetCloseButtonMode(int nMode) { m_nCloseButtonMode = nMode; }

    // ---- Rectangles (set by the paint manager's layout)
    CRect& GetHeaderRect() { return m_rcHeader; }
    CRect& GetControlRect() { return m_rcControl; }
    CRect& GetClientRect() { return m_rcClient; }

    // ---- Rows
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    TabRow& GetRow(int nRow) { return m_rows[static_cast<size_t>(nRow)]; }
    // nRows rows, row 0 holding every tab.
    void ResetRows(int nRows);

    // ---- Navigate buttons
    int GetNavigateButtonCount() const { return static_cast<int>(m_navigateButtons.size()); }
    CTkTabManagerNavigateButton* GetNavigateButton(int nIndex) const;
    CTkTabManagerNavigateButton* FindNavigateButton(int nId) const;
    CTkTabManagerNavigateButton* GetHighlightedButton() const { return m_pHighlightedButton; }
    void ClearHighlightedButton(const CTkTabManagerNavigateButton* pButton);

    // ---- Mouse and hit tests
    // The enabled, visible tab under the point inside the control and header rectangles.
    CTkTabManagerItem* HitTest(CPoint pt) const;
    // The row's buttons first, then (unless bHeaderOnly) the buttons of the tab under the point; NULL for
    // a disabled button. *pnIndex receives the button's place in its array.
    CTkTabManagerNavigateButton* HitTestNavigateButton(CPoint pt, BOOL bHeaderOnly, int* pnIndex = nullptr) const;
    void PerformMouseMove(HWND hWnd, CPoint pt);
    // A press: a navigate button, else (unless bNoItemClick) the tab under the point. TRUE when taken.
    BOOL PerformClick(HWND hWnd, CPoint pt, BOOL bNoItemClick = FALSE);

    CTkWinThemeWrapper& GetThemeWrapper() { return m_themeWrapper; }
    CTkMarkupContext* GetMarkupContext() const { return m_pMarkupContext; }

protected:
    // The press loop when the paint manager selects on release.
    void TrackClick(HWND hWnd, CPoint pt, CTkTabManagerItem* pItem);
    // The nearest tab to nIndex after the selected one went.
    void SelectNearestItem(int nIndex);
    // Swaps the dragged tab with the recorded slot under the point; TRUE when they changed places.
    BOOL ReorderByRecordedSlots(CTkTabManagerItem* pItem, CPoint pt, const std::vector<CRect>& slots);

    CTkTabManagerItem* m_pSelected = nullptr;
    CTkTabManagerItem* m_pHighlighted = nullptr;
    CTkTabManagerItem* m_pPressed = nullptr;
    CTkTabManagerNavigateButton* m_pHighlightedButton = nullptr;
    int m_nScrollOffset = 0;  // never positive
    BOOL m_bAllowReorder = TRUE;
    BOOL m_bActive = TRUE;
    int m_nCloseButtonMode = kNavigateButtonHidden;
    CRect m_rcHeader;
    CRect m_rcControl;
    CRect m_rcClient;
    std::vector<CTkTabManagerItem*> m_items;                      // one reference each
    std::vector<CTkTabManagerNavigateButton*> m_navigateButtons;  // owned
    CTkWinThemeWrapper m_themeWrapper{TRUE};
    std::vector<TabRow> m_rows{TabRow{0, -1}};
    int m_nScrollStep = 20;
    CTkMarkupContext* m_pMarkupContext = nullptr;  // owned (one reference)

    friend class CTkTabManagerItem;
    friend class CTkTabPaintManager;  // the layout clamps the offset without repositioning
};

// A scroll arrow: back toward the row's start (kNavigateButtonLeft: left, or up on a vertical row) or on
// toward its end (kNavigateButtonRight: right, or down). The two arrows differ only in when they are
// enabled.
class CTkTabManager::CNavigateButtonArrow : public CTkTabManagerNavigateButton {
public:
    CNavigateButtonArrow(CTkTabManager* pManager, int nId);
    void AdjustWidth(int& nLength) override;
    void Reposition(CRect& rcHeader) override;
    // The glyph pointing the arrow's way.
    void DrawEntry(CDC* pDC, CRect rc) override;
    // Each tick scrolls the arrow's way.
    void OnExecute(BOOL bTick) override;

protected:
    // Loads the tooltip for the orientation and sets the enabled state.
    virtual void Refresh(const CRect& rcHeader) = 0;

    BOOL IsForward() const { return m_nId == kNavigateButtonRight; }
};

class CTkTabManager::CNavigateButtonArrowLeft : public CNavigateButtonArrow {
public:
    explicit CNavigateButtonArrowLeft(CTkTabManager* pManager) : CNavigateButtonArrow(pManager, kNavigateButtonLeft) {}

protected:
    void Refresh(const CRect& rcHeader) override;
};

class CTkTabManager::CNavigateButtonArrowRight : public CNavigateButtonArrow {
public:
    explicit CNavigateButtonArrowRight(CTkTabManager* pManager)
        : CNavigateButtonArrow(pManager, kNavigateButtonRight) {}

protected:
    void Refresh(const CRect& rcHeader) override;
};

class CTkTabManager::CNavigateButtonClose : public CTkTabManagerNavigateButton {
public:
    CNavigateButtonClose(CTkTabManager* pManager, int nMode);
    void DrawEntry(CDC* pDC, CRect rc) override;
};

class CTkTabManager::CNavigateButtonTabClose : public CNavigateButtonClose {
public:
    CNavigateButtonTabClose(CTkTabManager* pManager, CTkTabManagerItem* pItem, int nMode);
};
