#pragma once
#include "TkCommandBar.h"

// CTkToolBar: the dockable command bar. It lives docked in one of the frame's four dock bars or floating
// in a popup window of its own, is moved, floated and resized by its dock context, shows an expand
// button at its end when its controls do not fit, and can be filled from an RT_TOOLBAR resource. The
// menu bar derives from it. Reference counted like every bar; UI thread.

class CTkDockBar;
class CTkDockContext;

// Control ids of the toolbar's own controls.
constexpr int kIdToolBarExpand = 9148;        // the expand button at the end of the bar
constexpr int kIdToolBarHide = 9149;          // the close button in a floating bar's caption
constexpr int kIdToolBarAddRemove = 9122;     // the expand menu's popup listing the row's toolbars
constexpr int kIdToolBarResetButtons = 9123;  // the reset entry of that popup

// Toolbar Flags bits (the bar's GetFlags).
constexpr DWORD kBarFlagDockTop = 0x01;
constexpr DWORD kBarFlagDockBottom = 0x02;
constexpr DWORD kBarFlagDockLeft = 0x04;
constexpr DWORD kBarFlagDockRight = 0x08;
constexpr DWORD kBarFlagDockAny = 0x0F;
constexpr DWORD kBarFlagFloat = 0x10;
constexpr DWORD kBarFlagMovable = 0x1F;         // none of these: the gripper does not move the bar
constexpr DWORD kBarFlagHideWrap = 0x20;        // wrapped controls go behind the expand button
constexpr DWORD kBarFlagStretched = 0x40;       // the whole length, a dock row of its own
constexpr DWORD kBarFlagFillRowGap = 0x100000;  // fills the gaps of its dock row

// The hit codes of a floating toolbar's resizable edges and corners (HTLEFT .. HTBOTTOMRIGHT).
constexpr int kFirstResizeHitCode = HTLEFT;
constexpr int kLastResizeHitCode = HTBOTTOMRIGHT;

class CTkToolBar : public CTkCommandBar {
    DECLARE_SERIAL(CTkToolBar)
public:
    class CControlButtonExpand;
    class CControlButtonHide;
    class CControlButtonCustomize;

    CTkToolBar();
    // Deletes the dock context.
    ~CTkToolBar() override;

    // ---- Docking (set and cleared by the dock bar)
    CTkDockBar* GetDockBar() const { return m_pDockBar; }
    void SetDockBar(CTkDockBar* pDockBar) { m_pDockBar = pDockBar; }
    // NULL for a toolbar hosted in a dialog.
    CTkDockContext* GetDockContext() const { return m_pDockContext; }
    BOOL IsFloating() const { return m_nPosition == kBarFloating; }
    BOOL IsDocked() const { return m_nPosition >= kBarTop && m_nPosition <= kBarRight; }
    // (Re)creates the window as a popup owned by the parent (floating) or as its child (docked). A new
    // window is shown without activation. FALSE when it cannot be created.
    virtual BOOL CreateBarWindow(CWnd* pParent, BOOL bFloating);
    // A dialog bar applies the rectangle its resize tracker computed for the hit code; nothing here.
    virtual void ResizeFromTracker(const CRect& rc, int nHitCode);

    // ---- Settings
    BOOL IsBuiltIn() const { return m_bBuiltIn; }
    void SetBuiltIn(BOOL bBuiltIn) { m_bBuiltIn = bBuiltIn; }
    BOOL IsTearOff() const { return m_bTearOff; }
    void SetTearOff(BOOL bTearOff) { m_bTearOff = bTearOff; }
    BOOL IsContextMenuPresent() const { return m_bContextMenuPresent; }
    void SetContextMenuPresent(BOOL bPresent) { m_bContextMenuPresent = bPresent; }
    BOOL IsShowExpandButton() const { return m_bShowExpandButton; }
    void SetShowExpandButton(BOOL bShow) { m_bShowExpandButton = bShow; }
    void SetCloseable(BOOL bCloseable) { m_bCloseable = bCloseable; }
    // Set while RecalcLayout runs: a nested RecalcLayout returns at once. Bars that lay themselves out
    // elsewhere set it around that work too.
    BOOL IsInLayout() const { return m_bInLayout; }
    void SetInLayout(BOOL bInLayout) { m_bInLayout = bInLayout; }

    // ---- The bar's operations
    // BarID := nId; on success the controls become the original controls.
    BOOL LoadToolBar(UINT nId, BOOL bLoadImages = TRUE) override;
    // A torn-off bar that is hidden is removed from the hub.
    void SetVisible(BOOL bVisible) override;
    BOOL IsVisible() const override;
    // 0..3 docks at that side, 4 floats; FALSE for other positions and without a hub.
    BOOL SetPosition(int nPosition) override;
    void RecalcLayout() override;
    CRect GetBorders() override;
    int OnTrackingKeyDown(UINT nKey, LPARAM lParam) override;
    // The size of a floating bar, with its caption and caption buttons placed.
    CSize CalcDynamicSize(int nLength, DWORD dwMode) override;
    void Copy(CTkCommandBar* pSource, BOOL bRecursive) override;
    // The size of a docked bar at the length (a LayoutMode), with the expand button when needed.
    virtual CSize CalcLayout(int nLength, DWORD dwMode, int nMinThickness = 0);
    // Brings back the original controls (asking first when bAsk).
    virtual void ResetToOriginal(BOOL bAsk);
    virtual BOOL IsResetAvailable() const;
    void OnRemoved() override;
    // Print preview hides a visible bar and shows it again afterwards.
    void OnSetPreviewMode(BOOL bPreview);

    DECLARE_MESSAGE_MAP()

protected:
    // The control of the id among the bar's controls, added as a temporary control when missing.
    template <class TControl>
    CTkControl* FindOrAddOwnControl(int nId);
    // Lays the controls out for a docked bar; pDC holds the bar font.
    CSize LayoutDocked(CDC* pDC, int nLength, DWORD dwMode, const CRect& rcBorders, int nMinThickness);
    void FinishPendingLayout(DWORD dwMode);

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    afx_msg void OnClose();

    CTkDockBar* m_pDockBar = nullptr;          // not owned
    CTkDockContext* m_pDockContext = nullptr;  // owned
    BOOL m_bBuiltIn = TRUE;
    BOOL m_bTearOff = FALSE;
    BOOL m_bPreviewVisible = FALSE;
    BOOL m_bInPreview = FALSE;
    BOOL m_bShowExpandButton = TRUE;
    BOOL m_bContextMenuPresent = TRUE;
    BOOL m_bInLayout = FALSE;
};
