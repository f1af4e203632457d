#pragma once
#include "TkCommandBar.h"
#include "TkControlButton.h"
#include "TkPopupPlacement.h"

// CTkPopupBar: the drop-down menu of the command bars, a top-level tool window that opens for a popup
// control of a parent bar (or at a point for context menus). It places itself within the monitor's work
// area, animates its first appearance, tracks while open, hides rarely used commands behind an expand
// button, scrolls when taller than the screen, and can be torn off into a floating toolbar. Combo-box
// lists, galleries and the ribbon's popups derive from it. Reference counted like every bar (its popup
// control holds it); UI thread.
//
// Closed (no window) -> Popup creates and places the window and starts tracking -> open ->
// SetTrackingMode(0) destroys the window and tells the site.

// PopupAnimation: the options' Animation and the kind chosen for one opening. Kinds 2..4 animate.
enum PopupAnimation {
    kPopupAnimationSystem = 0,  // as the system's menu settings say
    kPopupAnimationRandom = 1,
    kPopupAnimationUnfold = 2,
    kPopupAnimationSlide = 3,
    kPopupAnimationFade = 4,
    kPopupAnimationNone = 5,
};

class CTkPopupBar : public CTkCommandBar {
    DECLARE_SERIAL(CTkPopupBar)
public:
    // The button at the bottom of a shortened menu that shows the rarely used commands.
    class CControlExpandButton : public CTkControlButton {
    public:
        CControlExpandButton();
        void Execute() override;
        void Draw(CDC* pDC) override;
    };

    CTkPopupBar();
    ~CTkPopupBar() override;

    // A new, empty popup bar of the popup class, owned by the hub (one reference, the caller's).
    static CTkPopupBar* CreatePopupBar(CTkCommandBars* pCommandBars);

    // ---- The bar's operations
    BOOL DestroyWindow() override;
    void DelayRedraw() override;
    // Ending also destroys the window, closes the popup in the parent bar and tells the site.
    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;
    BOOL SetSelected(int nIndex, int nOrigin = 0) override;
    // Creates, places and shows the window for the control (NULL: at the anchor point) and tracks.
    BOOL Popup(CTkControl* pControl, BOOL bSelectFirst) override;
    BOOL IsVisible() const override;
    BOOL IsPopupBar() const override;
    void RecalcLayout() override;
    CTkCommandBar* GetParentCommandBar() const override;
    void DrawCommandBar(CDC* pDC, CRect rcClip) override;
    CRect GetBorders() override;
    int GetResizeKind() const override { return m_nResizeKind; }
    int OnTrackingKeyDown(UINT nKey, LPARAM lParam) override;
    CSize CalcDynamicSize(int nLength, DWORD dwMode) override;
    int DelayLayout() override;
    void Copy(CTkCommandBar* pSource, BOOL bRecursive) override;

    // ---- Placement
    // The window (class "TkPopupBar"); TRUE when it exists already.
    virtual BOOL CreatePopupWindow();
    // The window rectangle for the anchor and size; decides the direction and whether the popup scrolls.
    virtual CRect CalcPopupRect(CPoint ptAnchor, CSize size);
    // Direction, exclusion rectangle and anchor from the parent control and its bar.
    virtual void UpdateExpandDirection();
    // Where the popup opens beside the control (the control's popup adjustment).
    virtual void AdjustControlRect(CRect& rc, BOOL bVertical);
    // The first appearance: animated by the paint manager, then shaped.
    virtual void AnimateShow();
    // Opens at the screen point, avoiding the rectangle (screen; may be NULL).
    BOOL PopupAt(int x, int y, LPCRECT pExclude = nullptr);
    void UpdatePosition(int cx, int cy);
    // Shows the rarely used commands, lays out again and remembers the expansion.
    void ExpandToFullMenu();
    // The personalised-menu pass: which controls are rarely used and whether they are hidden.
    void UpdateRarelyUsedCommands();
    // Lays the controls out for a scrolled view of the window (size (0, 0): the window's).
    void ScrollLayout(CSize size, BOOL bTowardsEnd, BOOL bRedraw);
    // Sizes the window again for its controls, keeping its top corner.
    void RecalcPopupSize();
    // The PopupAnimation kind of this opening.
    int GetAnimationKind() const;

    // ---- State
    // The popup control that opened the bar; NULL for context menus (not referenced).
    CTkControl* GetControlPopup() const { return m_pControlPopup; }
    void SetControlPopup(CTkControl* pControl) { m_pControlPopup = pControl; }
    int GetDirection() const { return m_nDirection; }
    const CRect& GetExcludeRect() const { return m_rcExclude; }
    // Items may be wider than a third of the work area (galleries and lists say yes).
    virtual BOOL AllowsWideItems() const;
    // Separate columns for check marks and icons ("DoubleGripper").
    BOOL IsDoubleGripper() const { return m_bDoubleGripper; }
    void SetDoubleGripper(BOOL bDoubleGripper) { m_bDoubleGripper = bDoubleGripper; }
    BOOL IsShowShadow() const { return m_bShowShadow; }
    void SetShowShadow(BOOL bShowShadow) { m_bShowShadow = bShowShadow; }
    BOOL IsContextMenu() const { return m_bContextMenu; }
    void SetContextMenu(BOOL bContextMenu) { m_bContextMenu = bContextMenu; }
    BOOL HasHiddenCommands() const { return m_bHasHiddenCommands; }
    BOOL IsExpanded() const { return m_bExpanded; }
    BOOL IsScrolling() const { return m_bScrolling; }
    int GetFirstVisible() const { return m_nFirstVisible; }
    int GetEndVisible() const { return m_nEndVisible; }
    const CRect& GetScrollUpRect() const { return m_scrollUp.rc; }
    const CRect& GetScrollDownRect() const { return m_scrollDown.rc; }
    // 0 (a context menu), 1 (opening to the left, as right-to-left owners need) or other alignments.
    void SetAlignment(int nAlignment) { m_nDirection = nAlignment; }
    // The tear-off strip and the bar it makes.
    void SetTearOffPopup(LPCWSTR pszCaption, UINT nBarId, int nWidth = 400);
    BOOL IsTearOffPopup() const { return m_bTearOffPopup; }
    CTkCommandBar* GetTornOffBar() const { return m_pTornOffBar; }
    const CRect& GetTearOffRect() const { return m_rcTearOff; }
    const CRect& GetResizeGripperRect() const { return m_rcGripper; }
    // The borders of a popup toolbar (Type 1).
    void SetBorders(const CRect& rc) { m_rcBorders = rc; }

    static constexpr UINT kExpandButtonId = 9150;

    DECLARE_MESSAGE_MAP()

protected:
    // A strip at the top or bottom of a scrolling popup; hovering it scrolls by a timer.
    struct PopupScrollArea {
        CRect rc;
        UINT_PTR nTimer = 0;  // the armed timer, 0 when none
        HWND hWnd = nullptr;
        UINT nTimerId = 0;
        // Arms the timer (80 ms) when the point lies in the strip; otherwise disarms it. TRUE inside.
        BOOL OnMouseMove(CPoint pt);
        void Disarm();
    };

    static constexpr UINT kTimerScrollDown = 5001;
    static constexpr UINT kTimerScrollUp = 5002;
    static constexpr UINT kTimerTearOff = 5003;
    static constexpr UINT kTimerShowFull = 5004;
    static constexpr int kScrollAreaHeight = 16;

    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);

    // Unlocks redrawing; a redraw asked for meanwhile runs now.
    void UnlockRedraw();
    // The expand button, made and added as a temporary control when asked.
    CTkControl* GetExpandButton(BOOL bCreate);
    // The first visible gallery control; NULL when none.
    CTkControl* FindResizableControl() const;
    // Places the expand button, tear-off strip and gripper for the borders and size.
    void PlaceChrome(const CRect& rcBorders, CSize size, int nExpandHeight, int nTearOffHeight, int nGripperHeight);
    // Both loops hold the mouse; they end on button-up, Esc, a lost capture and WM_QUIT (posted again).
    void TrackTearOff();
    void TrackResize();
    // Shows and moves the torn-off bar under the pointer, making it on first use.
    void ShowTornOffBar(CPoint ptScreen);
    BOOL IsInResizeGripper(CPoint pt) const;
    void ShowShadows();

    CTkControl* m_pControlPopup = nullptr;  // not referenced
    CPoint m_ptAnchor{0, 0};
    CRect m_rcExclude{0, 0, 0, 0};
    int m_nDirection = 0;  // PopupDirection
    BOOL m_bInLayout = FALSE;
    BOOL m_bHasHiddenCommands = FALSE;
    BOOL m_bExpanded = FALSE;
    BOOL m_bExpandPending = FALSE;
    BOOL m_bTearOffPopup = FALSE;
    CRect m_rcTearOff{0, 0, 0, 0};
    CRect m_rcGripper{0, 0, 0, 0};
    int m_nResizeKind = 0;
    BOOL m_bTearOffHot = FALSE;
    UINT_PTR m_nTearOffTimer = 0;
    BOOL m_bTearOffDragging = FALSE;
    CSize m_szTornOff{0, 0};
    CTkCommandBar* m_pTornOffBar = nullptr;  // not referenced: the hub owns it
    CString m_strTearOffCaption;
    UINT m_nTearOffId = 0;
    int m_nTearOffWidth = 0;
    BOOL m_bShowShadow = TRUE;
    CRect m_rcBorders{2, 4, 2, 4};
    BOOL m_bDoubleGripper = FALSE;
    BOOL m_bContextMenu = FALSE;
    BOOL m_bScrolling = FALSE;
    int m_nFirstVisible = 0;
    int m_nEndVisible = 0;
    PopupScrollArea m_scrollDown{{0, 0, 0, 0}, 0, nullptr, kTimerScrollDown};
    PopupScrollArea m_scrollUp{{0, 0, 0, 0}, 0, nullptr, kTimerScrollUp};
};

// CTkPopupToolBar: a popup bar laid out as a toolbar (a toolbar's expand-button menu).
class CTkPopupToolBar : public CTkPopupBar {
    DECLARE_SERIAL(CTkPopupToolBar)
public:
    CTkPopupToolBar();
    static CTkPopupToolBar* CreatePopupToolBar(CTkCommandBars* pCommandBars);
    // Always measured as for a new opening.
    CSize CalcDynamicSize(int nLength, DWORD dwMode) override;
};
