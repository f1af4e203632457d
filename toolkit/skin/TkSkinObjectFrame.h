#pragma once
#include "TkSkinObject.h"
#include "TkSkinScrollBarTrack.h"

#include <memory>
#include <vector>

// CTkSkinObjectFrame: the skin object of every window whose class has no object of its own, and the base of
// the per-class objects. It skins the non-client area: caption and borders (painted by the schema from data
// kept here), the caption buttons with their hot and pressed states, and the window region; and it answers
// the control-colour messages that decide the background of dialogs and their controls.
//
// The schema lays the caption buttons out (it sets their rectangles) and draws them; this object decides
// which buttons a window has, tracks the mouse over them and carries out their commands. The frame computes
// the client area itself: the window's own procedure never sees WM_NCCALCSIZE or WM_NCACTIVATE, and the
// system never paints the caption.
//
// Runs on the thread that owns the window. The caption-button loop dispatches other messages while it
// runs.

// Timers on skinned windows (they share the window's own timer space).
constexpr UINT_PTR kSkinHotTrackTimer = 2763;      // hot tracking of caption buttons and scroll bars
constexpr UINT kSkinHotTrackDelay = 50;            // ms
constexpr UINT_PTR kSkinStyleRefreshTimer = 2765;  // style refresh, 1000 ms

class CTkSkinObjectFrame;
struct SKINFRAMEINFO;

// One caption button of a frame.
class CCaptionButton {
public:
    CCaptionButton(CTkSkinObjectFrame* pFrame, int nHitTest, int nPart, UINT nCommand, BOOL bEnabled)
        : m_nHitTest(nHitTest), m_nPart(nPart), m_pFrame(pFrame), m_nCommand(nCommand), m_bEnabled(bEnabled) {}

    // The WINDOW part's state for the button: pushed, hot, normal or disabled, in the inactive row of the
    // image for an inactive frame.
    int GetState(BOOL bFrameActive) const;

    int m_nHitTest;     // HTCLOSE, HTMAXBUTTON, HTMINBUTTON, HTHELP
    RECT m_rcButton{};  // window coordinates; set by the schema when it lays out the caption
    int m_nPart;        // WINDOW part
    CTkSkinObjectFrame* m_pFrame;
    UINT m_nCommand;  // the system command a click sends
    BOOL m_bEnabled;
};

class CTkSkinObjectFrame : public CTkSkinObject, public CTkSkinScrollBarSite {
    DECLARE_DYNCREATE(CTkSkinObjectFrame)
public:
    // What kind of window the frame is on.
    enum WindowKind { kOrdinaryWindow = 1, kDialog = 2, kPropertyPage = 6 };

    CTkSkinObjectFrame();
    ~CTkSkinObjectFrame() override;

    // ---- Skin object
    void OnSkinChanged(BOOL bPrevState, BOOL bNewState) override;
    void RefreshMetrics() override;
    void OnAttached(LPCREATESTRUCT lpCreateStruct, BOOL bCreating) override;
    void OnDetached(BOOL bDestroying) override;
    BOOL OnHookMessage(UINT message, WPARAM* pwParam, LPARAM* plParam, LRESULT* pResult) override;
    BOOL OnHookDefProc(UINT message, WPARAM* pwParam, LPARAM* plParam, LRESULT* pResult) override;
    BOOL IsIgnoredMessage(UINT message) override;

    // ---- Backgrounds
    // The brush the parent gives this window's background.
    virtual HBRUSH GetClientBackgroundBrush(CDC* pDC);
    // The control-colour message with which the parent is asked for it.
    virtual UINT GetCtlColorMessage() const { return m_nCtlColorMessage; }
    // Paints the non-client area into a window DC; nothing while the frame lock is raised.
    virtual void PaintFrame(CDC* pDC);
    // What the schema reads to draw this frame: borders, activation, the buttons in their states, the
    // class, and (with a DC to ask the parent with) the client background.
    void FillFrameInfo(SKINFRAMEINFO* pInfo, CDC* pDC);
    // Takes the caption buttons' rectangles as the schema laid them out.
    void SetCaptionButtonRects(const SKINFRAMEINFO& info);
    // Sends nMessage (DC, window) to the parent: a brush answer, or a system colour value 1..30 as its skin
    // brush; without an answer the skin's window brush for edits and list boxes, else the face brush.
    HBRUSH GetCtlColorBrush(CDC* pDC, UINT nMessage);
    // The same request, and the rectangle filled with the answer (the face colour without one).
    HBRUSH FillCtlColorBackground(CDC* pDC, const RECT& rc, UINT nMessage);
    // The brush of a dialog control: the tab body image on property pages, the face brush elsewhere.
    HBRUSH GetDialogBrush(CDC* pDC, HWND hChild, UINT nCtlType);

    // ---- The frame
    void RedrawFrame();
    BOOL HasCaption() const;
    BOOL IsFlatScrollBar() const;
    // Screen to window coordinates (x from the right edge for right-to-left windows).
    CPoint ScreenToFrame(CPoint ptScreen) const;
    const RECT& GetBorders() const { return m_rcBorders; }
    BOOL IsActive() const { return m_bActive; }
    int GetWindowKind() const { return m_nWindowKind; }
    void SetWindowKind(int nKind) { m_nWindowKind = nKind; }
    // An MDI client's object registers here, so that the active child's caption follows this frame's.
    void SetMDIClient(CTkSkinObject* pClient) { m_pMDIClient = pClient; }
    // Lets the window's own procedure lay out its frame and scroll bars once (WM_NCCALCSIZE for the window
    // rectangle), with the skin's own layout held off meanwhile.
    void SendSystemNcCalcSize();

    // ---- Caption buttons
    // Rebuilds the buttons from the styles when they changed since the last time.
    void RebuildCaptionButtons();
    const std::vector<std::unique_ptr<CCaptionButton>>& GetCaptionButtons() const { return m_captionButtons; }
    CCaptionButton* GetHotButton() const { return m_pButtonHot; }
    CCaptionButton* GetPressedButton() const { return m_pButtonPressed; }
    // The first enabled button under the point (window coordinates).
    CCaptionButton* HitTestCaptionButton(CPoint pt) const;

    // ---- Scroll bars: the window's own WS_HSCROLL and WS_VSCROLL bars, drawn in the non-client area
    // The bar's rectangle: the client rectangle for SB_CTL; beside (SB_VERT) or below (SB_HORZ) the client
    // area, one skin bar thick, in window coordinates.
    RECT GetScrollBarRect(int nBar) const;
    // Lays the bar out from the window's range, page and position.
    void CalcScrollBarInfo(SCROLLBARPOSITION* pBar);
    // Paints one of the window's bars now (0 horizontal, 1 vertical); nothing for an invisible one.
    void RedrawScrollBar(int nIndex);
    // The window's corner between its two bars is a size box: the nearest sizable window (itself, or
    // the parent it lies in as an uncaptioned child) is not maximized and has its client area's
    // bottom-right corner at this window's bottom-right corner.
    BOOL IsSizeBox() const;
    // Draws the skin's size-box image into the rectangle.
    void DrawSizeBox(CDC* pDC, const RECT& rc);
    // The bar being tracked, or NULL.
    const SCROLLBARTRACKING* GetScrollBarTracking() const { return m_pSBTrack; }
    const SCROLLBARPOSITION& GetScrollBarPosition(int nIndex) const { return m_spi[nIndex]; }

    // ---- Scroll-bar tracking site
    CWnd* GetScrollBarWindow() override { return this; }
    void RedrawScrollBar(SCROLLBARPOSITION* pBar) override;
    void SetScrollBarTracking(SCROLLBARTRACKING* pTracking) override { m_pSBTrack = pTracking; }

    // While a system-menu command runs: the offset between the system's frame and the skin's, for the menu.
    static CPoint GetSystemMenuOffset() { return s_ptSystemMenuOffset; }

protected:
    afx_msg void OnNcPaint();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg LRESULT OnNcMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg LRESULT OnPrint(WPARAM wParam, LPARAM lParam);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    // The caption button under the point (screen; (-1, -1): outside) becomes hot. TRUE when a button is hot.
    BOOL TrackHot(CPoint ptScreen);
    // The modal loop of a press on the hot button; a release over it sends its command.
    void TrackCaptionButton();
    // The window's visible bar under the point (window coordinates), or NULL.
    SCROLLBARPOSITION* ScrollBarAt(CPoint pt);
    // Hot parts of the bars under the point (window coordinates; (-1, -1): none). TRUE when one is hot.
    BOOL TrackHotScrollBars(CPoint pt);
    // The bars (vertical, then horizontal) and the corner between them.
    void PaintScrollBars(CDC* pDC);
    // The corner between the two bars (window coordinates); empty unless both are visible.
    RECT GetSizeBoxRect() const;
    // The hit-test code of the skin's own non-client parts at a screen point; 0 elsewhere.
    int HitTestFrame(CPoint ptScreen) const;
    // Applies the schema's region for a window of that size (re-entry guarded).
    void UpdateWindowRegion(int nWidth, int nHeight);
    // The window grows by the skin's taller caption, and gets its region.
    void UpdateFrame();
    // Lets the window's own procedure forget its scroll bars and dialog frame, which the skin draws.
    void RefreshFrameStyle();
    // The control-colour answers; FALSE when the message is left to others.
    BOOL OnCtlColor(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL IsOptionOn(DWORD dwOption) const;

    int m_nFrameLock = 0;  // raised around the object's own calls of the window's procedure
    int m_nWindowKind = kOrdinaryWindow;
    CTkSkinObject* m_pMDIClient = nullptr;  // the MDI client object registered with this frame, not owned
    std::vector<std::unique_ptr<CCaptionButton>> m_captionButtons;
    RECT m_rcBorders{};  // left, top (caption included), right and bottom widths
    CCaptionButton* m_pButtonHot = nullptr;
    CCaptionButton* m_pButtonPressed = nullptr;
    SCROLLBARPOSITION m_spi[2];               // horizontal, vertical
    SCROLLBARTRACKING* m_pSBTrack = nullptr;  // while one of them is tracked; owned by the tracking
    BOOL m_bRegionSet = FALSE;
    CSize m_szRegion{0, 0};  // the size the region was built for
    BOOL m_bActive = FALSE;
    DWORD m_dwStyle = static_cast<DWORD>(-1);  // the styles the caption buttons were built for
    DWORD m_dwExStyle = static_cast<DWORD>(-1);
    RECT m_rcMenuBar{};  // no space is reserved for a window menu
    BOOL m_bInUpdateRegion = FALSE;
    UINT m_nCtlColorMessage = WM_CTLCOLORDLG;

private:
    static CPoint s_ptSystemMenuOffset;
};
