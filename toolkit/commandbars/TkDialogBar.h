#pragma once
#include "TkToolBar.h"

// CTkDialogBar: a toolbar that hosts one child window (a dialog or any control window) below a caption
// strip. It docks and floats like a toolbar but is resized by its edges, keeps one child size while docked
// and another while floating, shows a close button and a caption popup in its caption, and notes whether
// the keyboard focus is inside it. Reference counted like every bar; UI thread.

// Control ids of the caption's own controls.
constexpr int kIdDialogBarCaptionPopup = 9147;
constexpr int kIdDialogBarHide = kIdToolBarHide;

class CTkDialogBar : public CTkToolBar {
    DECLARE_SERIAL(CTkDialogBar)
public:
    class CControlButtonHide;
    class CControlCaptionPopup;
    class CCaptionPopupBar;

    CTkDialogBar();
    // Releases the caption popup bar.
    ~CTkDialogBar() override;

    // ---- The hosted window (not owned; a child of the bar's window)
    HWND GetChildWindow() const { return m_hwndChild; }
    // Places the window at once when the bar has its window.
    void SetChildWindow(HWND hwndChild);

    // ---- Settings
    // The caption text; the bar's title shows while it is empty.
    const CString& GetCaption() const { return m_strCaption; }
    void SetCaption(LPCWSTR pszCaption);
    BOOL IsResizable() const { return m_bResizable; }
    void SetResizable(BOOL bResizable) { m_bResizable = bResizable; }
    BOOL IsCaptionShown() const { return m_bShowCaption; }
    void SetShowCaption(BOOL bShow);
    // The caption popup opens its menu only when this is on and the menu has items.
    void EnableCaptionMenu(BOOL bEnable) { m_bCaptionMenu = bEnable; }
    // The menu of the caption popup; the application fills it.
    CCaptionPopupBar* GetCaptionPopupBar() const { return m_pCaptionPopupBar; }
    // The child-area sizes while docked and while floating.
    CSize GetDockedSize() const { return m_szDocked; }
    CSize GetFloatingSize() const { return m_szFloating; }
    void SetSize(CSize szDocked, CSize szFloating);
    // The top border plus the caption strip, as the last layout measured them.
    int GetCaptionHeight() const { return m_nCaptionHeight; }
    // The focus is inside the bar (as of the last idle update).
    BOOL IsActive() const { return m_bActive; }

    // The space around the child window; the top one includes the caption strip when shown.
    CRect GetClientBorders();
    // Applies the rectangle the dock context's resize tracker computed: smaller than the minimum size it
    // is ignored; floating it becomes the window, docked it sets the docked width (left and right edges)
    // or height (the others).
    void ResizeFromTracker(const CRect& rc, int nHitCode) override;

    // ---- The bar's operations
    BOOL IsDialogBar() const override;
    // The floating layout (no length limit) with the floating size.
    CSize CalcDynamicSize(int nLength, DWORD dwMode) override;
    // The docked layout with the docked size.
    CSize CalcLayout(int nLength, DWORD dwMode, int nMinThickness = 0) override;
    // 1 in the caption strip of the window rectangle; -2 elsewhere, so the mouse manager does not take
    // the hosted window for part of the bar.
    int HitTestBar(int x, int y) const override;
    // Follows the focus into and out of the bar, then the bar's update.
    LRESULT OnIdleUpdate(BOOL bFrame, BOOL bDisableIfNoHandler) override;
    // The dialog-bar settings with the toolbar's; the hosted window stays with its bar.
    void Copy(CTkCommandBar* pSource, BOOL bRecursive) override;

    DECLARE_MESSAGE_MAP()

protected:
    // The size of the bar for a child size: borders, caption strip and caption controls placed.
    CSize CalcDialogLayout(CSize szChild, int nLength, DWORD dwMode);
    // Places the close button and the caption popup in the caption strip of height nStrip.
    void LayoutCaptionControls(int nWidth, int nStrip);
    // The hosted window below the caption, inside the borders of a client area of cx x cy.
    void PlaceChildWindow(int cx, int cy);
    // The caption's control of the id, added as a temporary control when missing.
    template <class TControl>
    TControl* FindOrAddCaptionControl(int nId);

    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnSize(UINT nType, int cx, int cy);

    CRect m_rcClientBorders{3, 3, 3, 3};
    BOOL m_bResizable = TRUE;
    CSize m_szMinimum{50, 50};
    BOOL m_bShowCaption = TRUE;
    BOOL m_bCaptionMenu = TRUE;
    int m_nCaptionHeight = 0;
    CSize m_szDocked{200, 200};
    CSize m_szFloating{200, 200};
    HWND m_hwndChild = nullptr;
    CString m_strCaption;
    CCaptionPopupBar* m_pCaptionPopupBar;  // referenced
    BOOL m_bActive = FALSE;
};
